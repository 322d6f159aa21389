#pragma once
// Adding a television or radio channel by hand. The new record starts as a
// copy of a channel of its kind, so the bytes the editor does not interpret
// are ones the receiver knows; the typed fields overwrite the copy. The
// editor never creates transponders: the channel goes on an existing one.
#include <cstdint>
#include <string>

#include "InputRules.h"

class CServiceData;
class CServiceDataArray;
class CVandrelEdit2028Doc;

namespace newch {
inline constexpr const char* kNameLabel = "Kanalname";
inline constexpr const char* kServiceIdLabel = "Service ID";
inline constexpr const char* kPmtPidLabel = "PMT PId";
inline constexpr const char* kVideoPidLabel = "Video PId";
inline constexpr const char* kAudioPidLabel = "Audio PId";
inline constexpr const char* kPcrPidLabel = "PCR PId";
inline constexpr const char* kProviderLabel = "Provider";
inline constexpr const char* kNoTransponderChosen =
    "Der gewählte Satellit hat keinen Transponder. Ein neuer Kanal kann nur auf einem vorhandenen "
    "Transponder angelegt werden.";
inline constexpr const char* kNoTransponders =
    "Die Datenbank enthält keinen Transponder. Ein neuer Kanal kann nur auf einem vorhandenen "
    "Transponder angelegt werden.";
inline constexpr const char* kTableIncomplete =
    "Die Kanaltabelle dieser Datei wurde nicht vollständig gelesen. Es können keine Kanäle "
    "angelegt werden.";
// The template row of the dialog when the kind has no channel yet.
inline constexpr const char* kNoTemplate = "keine (leerer Datensatz)";
} // namespace newch

// What the user typed and chose, already checked.
struct NewChannelFields {
    int transponderIndex = -1; // index into the document's transponders
    std::string name;
    std::string provider;
    int serviceId = 0;
    int pmtPid = 0;
    int videoPid = 0; // television only; a radio channel keeps its template's
    int audioPid = 0;
    int pcrPid = 0;
    int favouriteGroup = 0; // 0 none, 1 to 8
    bool locked = false;
    bool skip = false;
    // Keeps the template's scrambling; false clears it.
    bool scrambled = false;
};

// The fields as typed, before any check.
struct NewChannelTexts {
    int transponderIndex = -1;
    std::string name;
    std::string provider;
    std::string serviceId;
    std::string pmtPid;
    std::string videoPid;
    std::string audioPid;
    std::string pcrPid;
    int favouriteGroup = 0;
    bool locked = false;
    bool skip = false;
    bool scrambled = false;
};

enum class NewChannelField { None, Name, Transponder, ServiceId, PmtPid, VideoPid, AudioPid, PcrPid, Provider };

struct NewChannelCheck {
    NewChannelFields fields;
    NewChannelField bad = NewChannelField::None; // the field to correct
    std::string error;                           // empty when the input is fine
};
// The name of a new channel: a service name, and not empty. The other
// fields take the rules of the channel pane's rows (InputRules.h).
InputRule NewChannelNameRule();
// Checks the typed fields in their order on the dialog, then that no
// channel of the kind with that service id is on the transponder yet.
NewChannelCheck CheckNewChannel(const CVandrelEdit2028Doc& doc, const NewChannelTexts& texts, bool television);

// Why no channel can be added to the document at all; empty when one can.
std::string NewChannelBlocker(const CVandrelEdit2028Doc& doc);

// The channel the new one is copied from: the selected channel when it is
// of the kind, else the first channel of the kind on the transponder, else
// the first channel of the kind; null when the kind has none.
const CServiceData* NewChannelTemplate(const CVandrelEdit2028Doc& doc, bool television,
                                       const CServiceData* selected, int transponderIndex);
// Whether a channel on the transponder at transponderIndex starts as
// scrambled: its template is scrambled and on that same transponder (the
// scrambling belongs to the template's own stream).
bool TemplateScrambled(const CVandrelEdit2028Doc& doc, bool television, const CServiceData* selected,
                       int transponderIndex);
// How the dialog names the template: "<name> (Nr. <n>)".
std::string TemplateText(const CServiceData* templ);
// The transponder the dialog starts with: the template's, else the first
// one a satellite offers; -1 when there is none.
int StartTransponderIndex(const CVandrelEdit2028Doc& doc, bool television, const CServiceData* selected);

// The channel of the kind with that transponder number and service id, or null.
const CServiceData* FindSameChannel(const CServiceDataArray& services, bool television, uint16_t transponderNumber,
                                    uint16_t serviceId);
std::string DuplicateMessage(const CServiceData& existing, bool television);

// The array index the new channel goes to: right after `after` when that is
// a channel of the kind, else right after the last channel of the kind.
int NewChannelIndex(const CVandrelEdit2028Doc& doc, bool television, const CServiceData* after);

struct NewChannelResult {
    CServiceData* added = nullptr;
    std::string message; // why nothing was added
};
// Adds the channel after `selected` (the selected row's channel, or null)
// and renumbers the list positions.
NewChannelResult AddNewChannel(CVandrelEdit2028Doc& doc, const NewChannelFields& fields, bool television,
                               const CServiceData* selected);
