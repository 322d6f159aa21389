#pragma once
// Applying a reference list: each line finds one channel of its kind, the
// found channels stand first in the order of their lines and take the
// line's favourite group, the others follow as new channels.
#include <string>
#include <vector>

#include "ReferenceListFile.h"

class CVandrelEdit2028Doc;
class CServiceData;

struct ReferenceApplyResult {
    // Lines matched by each rule: satellite position, ONID, TSID and SID;
    // ONID, TSID and SID; the name.
    int byPosition = 0;
    int byIdentifiers = 0;
    int byName = 0;
    // Readable lines that found no channel, by line number.
    std::vector<ReferenceLineIssue> notFound;
    // Lines that could not be read, by line number (the first
    // kMaxReportedLines of them), and how many more there are.
    std::vector<ReferenceLineIssue> unreadable;
    size_t unreadableOmitted = 0;
    // The channels no line matched, television first, each kind in its new order.
    std::vector<CServiceData*> newChannels;
};

// Reorders the document's channels by the list (see above) and renumbers
// the list positions. The caller makes it one undoable step.
ReferenceApplyResult ApplyReferenceList(CVandrelEdit2028Doc& doc, const ReferenceList& list);

// The five counts, as ndbtool prints them.
std::vector<std::string> ReportSummaryLines(const ReferenceApplyResult& result);
// The unreadable and unmatched lines of the list a report shows, by line
// number: at most kMaxReportedLines; more tells how many are left out.
struct ReportedIssue {
    const ReferenceLineIssue* issue = nullptr;
    bool unreadable = false;
};
std::vector<ReportedIssue> ReportedIssues(const ReferenceApplyResult& result, size_t& more);
// The last line of a report that leaves lines out: "… und 12 weitere Zeilen".
std::string MoreLinesText(size_t more);
// One line per reported issue: "Zeile 7: nicht lesbar: ..." and
// "Zeile 9: nicht gefunden: TV 12 ZDF", then MoreLinesText when lines are left out.
std::vector<std::string> ReportIssueLines(const ReferenceApplyResult& result);
