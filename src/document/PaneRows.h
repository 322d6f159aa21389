#pragma once
// Row ids of the three property panes and what their rows show for a
// record. The panes only display these values and hand committed rows to the
// edit rules of PaneEdits.h.
#include <string>
#include <vector>

#include "model/OptionList.h"

class CVandrelEdit2028Doc;
class CSatelliteData;
class CServiceData;
class CTransponderData;

namespace panerow {
// Channel pane.
inline constexpr int kName = 11;
inline constexpr int kServiceId = 12;
inline constexpr int kTransponder = 13;
inline constexpr int kSatellite = 14;
inline constexpr int kScrambled = 21;
inline constexpr int kLocked = 22;
inline constexpr int kSkip = 23;
inline constexpr int kVideoPid = 24;
inline constexpr int kAudioPid = 25;
inline constexpr int kPcrPid = 26;
inline constexpr int kPmtPid = 27;
inline constexpr int kProvider = 28;
inline constexpr int kHd = 30;
inline constexpr int kFavouriteFirst = 81; // group position 0
inline constexpr int kFavouriteLast = 88;  // group position 7

// Satellite pane.
inline constexpr int kSatName = 100;
inline constexpr int kSatDegree = 103;
inline constexpr int kSatOrientation = 104;

// Transponder pane.
inline constexpr int kTpSatellite = 14;
inline constexpr int kTpFrequency = 15;
inline constexpr int kTpPolarity = 16;
inline constexpr int kTpSymbolRate = 17;
inline constexpr int kTpTpId = 18;
inline constexpr int kTpOrgNetId = 24;
} // namespace panerow

// A drop-down without a record: one option with the empty text and value -1.
COptionList ClearedOptions();

struct ChannelPaneContent {
    // False when the channel's transponder number names no transponder; the
    // satellite and transponder rows are empty then.
    bool transponderFound = false;
    COptionList satelliteOptions;
    std::string satelliteText;
    COptionList transponderOptions;
    std::string transponderText;
    std::string name;
    std::string provider;
    int serviceId = 0;
    int videoPid = 0;
    int audioPid = 0;
    int pcrPid = 0;
    int pmtPid = 0;
    bool skip = false;
    bool locked = false;
    bool scrambled = false;
    bool hd = false;
    // One row per favourite group of the document, row id 81 + position.
    std::vector<std::string> groupNames;
    // The favourite row that shows yes (81 to 88), 0 when none.
    int checkedGroupRow = 0;
};
ChannelPaneContent ChannelPaneContentOf(const CVandrelEdit2028Doc& doc, const CServiceData& service);

struct SatellitePaneContent {
    std::string name;
    std::string degree;
    COptionList orientationOptions;
    std::string orientationText;
};
// "°E" (value 1) and "°W" (value 0).
void FillOrientationOptions(COptionList& options);
SatellitePaneContent SatellitePaneContentOf(const CSatelliteData& satellite);

struct TransponderPaneContent {
    COptionList satelliteOptions;
    std::string satelliteText;
    int frequency = 0;
    COptionList polarityOptions;
    std::string polarityText; // empty for the polarisations 2 and 3
    int symbolRate = 0;
    int tpId = 0;
    int orgNetId = 0;
};
TransponderPaneContent TransponderPaneContentOf(const CVandrelEdit2028Doc& doc, const CTransponderData& transponder);
