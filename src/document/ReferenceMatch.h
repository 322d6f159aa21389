#pragma once
// Applying a reference list: each line finds one channel of its kind, the
// found channels stand first in the order of their lines and take the
// line's favourite group and flags, the others follow as new channels.
//
// The rules are tried one after the other over all lines of a kind, in the
// lines' order (Nr, or the file order without it): every line tries the
// first rule, then the lines still without a channel the second, and so on,
// so a line never takes by a loose rule a channel that another line would
// have found by a stricter one.
#include <string>
#include <vector>

#include "ReferenceListFile.h"

class CVandrelEdit2028Doc;
class CServiceData;

enum class ReferenceRule {
    Position,    // satellite position, ONID, TSID and SID
    Identifiers, // ONID, TSID and SID
    OnidSid,     // ONID and SID (a re-tuned transponder)
    Name,        // the name, a channel with the line's SID first
};

// A line matched by one of the looser rules, for the user to review.
struct ReferenceMatchReview {
    int lineNumber = 0;
    std::string number; // Nr as read; empty without a Nr column
    std::string listName;
    ReferenceRule rule = ReferenceRule::Identifiers;
    CServiceData* channel = nullptr;
    std::string channelName; // the channel's name now
};

struct ReferenceApplyResult {
    // Lines matched by each rule.
    int byPosition = 0;
    int byIdentifiers = 0;
    int byOnidSid = 0;
    int byName = 0;
    // Readable lines that found no channel, by line number.
    std::vector<ReferenceLineIssue> notFound;
    // Lines that could not be read, by line number (the first
    // kMaxReportedLines of them), and how many more there are.
    std::vector<ReferenceLineIssue> unreadable;
    size_t unreadableOmitted = 0;
    // The channels no line matched, television first, each kind in its new order.
    std::vector<CServiceData*> newChannels;
    // The lines matched by any rule but the first, by line number.
    std::vector<ReferenceMatchReview> reviewed;
    // Empty, or the note that the lines do not stand in the order of Nr.
    std::string hint;
};

// Reorders the document's channels by the list (see above) and renumbers
// the list positions. The caller makes it one undoable step.
ReferenceApplyResult ApplyReferenceList(CVandrelEdit2028Doc& doc, const ReferenceList& list);

// The six counts, as ndbtool prints them.
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
// One line per reviewed match: "Zeile 5, Nr 12: ZDF → ZDFneo (ONID und SID)".
std::vector<std::string> ReportReviewLines(const ReferenceApplyResult& result);
// The whole report as text with LF line ends, for copying or saving: the
// counts, the hint, the reviewed matches and the issue lines.
std::string FormatReferenceReport(const ReferenceApplyResult& result);
