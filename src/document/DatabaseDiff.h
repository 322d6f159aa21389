#pragma once
// What differs between two databases, channel by channel. A channel of one
// is the same channel in the other when kind, satellite position, ONID, TSID
// and service id agree; what is left is paired by kind, ONID, TSID and
// service id (a satellite that moved), and channels without a transponder
// by kind, service id and name. Where several channels share one identity
// (feeds often do), the one with the same name, ignoring case, is the same
// channel before array order decides.
#include <string>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;
class CTransponderData;
class CSatelliteData;

struct ChannelDifference {
    // '+' only in the new database, '-' only in the old, '~' in both and changed.
    char sign = '~';
    bool radio = false;
    int oldNumber = 0; // channel number within its kind; 0 when not there
    int newNumber = 0;
    std::string name; // as the new database has it; the old one's for '-'
    // What changed ('~' only), in a fixed order: "Nr", "Name \"a\"→\"b\"",
    // "Satellit 19.2E→19.3E", "Favorit 2→0", "Gesperrt nein→ja",
    // "Überspringen", the four PIDs, "Frequenz", "Symbolrate", "Polarität".
    std::vector<std::string> changes;
    const CServiceData* oldService = nullptr;
    const CServiceData* newService = nullptr;
    // Where the channel is received on each side; null when not there.
    const CTransponderData* oldTransponder = nullptr;
    const CTransponderData* newTransponder = nullptr;
    const CSatelliteData* oldSatellite = nullptr;
    const CSatelliteData* newSatellite = nullptr;
};

// A satellite whose position differs between the two sides, with the
// number of its channels in both.
struct MovedSatellite {
    std::string name;                     // the new side's
    std::string oldPosition, newPosition; // "13.0E"
    int channels = 0;
};

// A transponder whose frequency, symbol rate or polarisation differs, with
// the number of its channels in both.
struct ChangedTransponder {
    std::string position; // the new side's satellite, "-" without one
    int oldFrequency = 0, newFrequency = 0;
    int oldSymbolRate = 0, newSymbolRate = 0;
    std::string oldPolarity, newPolarity;
    int channels = 0;
};

struct DifferenceSummary {
    int added = 0;
    int removed = 0;
    int changed = 0;
    // In the order their first channel has in the differences.
    std::vector<MovedSatellite> satellites;
    std::vector<ChangedTransponder> transponders;
};

// Television first, then radio; within each kind the '-' lines in the old
// order, then the '+' lines and then the '~' lines in the new order.
std::vector<ChannelDifference> CompareDatabases(const CVandrelEdit2028Doc& oldDoc,
                                                const CVandrelEdit2028Doc& newDoc);

// A database read only in part lacks the channels of its unread blocks, so
// a comparison would list them as gone or new. Says so for each such side,
// naming it; empty when both were read whole.
std::string PartlyReadComparison(const CVandrelEdit2028Doc& oldDoc, const std::string& oldName,
                                 const CVandrelEdit2028Doc& newDoc, const std::string& newName);

// "Nr, Favorit 2→0"; empty for '+' and '-'.
std::string ChangesText(const ChannelDifference& difference);
// One line without its end: "+ TV 15 ZDF", "- Radio 3 Bayern 3",
// "~ TV 12→15 ZDF: Nr, Favorit 2→0" (the number once when it stayed).
std::string FormatDifference(const ChannelDifference& difference);
// Every difference as a line ending in LF; with ignoreNr without the '~'
// lines whose only change is the number.
std::string FormatDifferences(const std::vector<ChannelDifference>& differences, bool ignoreNr = false);

// A '~' whose only change is Nr: after a rescan most of them say no more
// than that a channel moved by one.
bool OnlyNumberChanged(const ChannelDifference& difference);

DifferenceSummary SummarizeDifferences(const std::vector<ChannelDifference>& differences);
// "3 neu, 1 entfallen, 12 geändert", then one line per moved satellite
// ("Satellit Hotbird 13.0E→13.1E: 2 Kanäle") and per changed transponder
// ("Transponder 13.0E 10872 V 27500→10873 H 27500: 1 Kanal").
std::vector<std::string> SummaryLines(const DifferenceSummary& summary);

// The comparison as text to save: "Alt: NAME" and "Neu: NAME", the summary
// lines, an empty line and the differences as FormatDifferences gives them.
std::string FormatComparison(const std::string& oldName, const std::string& newName,
                             const std::vector<ChannelDifference>& differences, bool ignoreNr = false);
