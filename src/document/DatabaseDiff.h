#pragma once
// What differs between two databases, channel by channel. A channel of one
// is the same channel in the other when kind, satellite position, ONID, TSID
// and service id agree; what is left is paired by kind, ONID, TSID and
// service id (a satellite that moved), and channels without a transponder
// by kind, service id and name.
#include <string>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;

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
// Every difference as a line ending in LF.
std::string FormatDifferences(const std::vector<ChannelDifference>& differences);
