#include "ReferenceMatch.h"

#include <algorithm>
#include <memory>

#include "ChannelIdentity.h"
#include "ReferenceMessages.h"
#include "VandrelEdit2028Doc.h"

namespace {

constexpr uint8_t kSkipFlag = 0x10;
constexpr uint8_t kLockFlag = 0x20;

// The channels of one kind that lines may take, with an index per rule.
class CKindMatcher {
public:
    CKindMatcher(const CReceptionLookup& lookup, std::vector<CServiceData*> candidates)
        : m_candidates(std::move(candidates)), m_taken(m_candidates.size(), 0), m_folded(m_candidates.size()),
          m_bFolded(m_candidates.size(), 0)
    {
        m_keys.reserve(m_candidates.size());
        for (size_t i = 0; i < m_candidates.size(); ++i) {
            m_keys.push_back(KeysOf(lookup, *m_candidates[i]));
            if (m_keys.back().hasPosition) {
                m_byPosition.Add(m_keys.back().position, static_cast<int>(i));
            }
        }
        m_byPosition.Build();
    }

    // The channel the rule gives the line, now taken; -1 when it finds none.
    int Match(const ReferenceLine& line, ReferenceRule rule)
    {
        // The line's name as the names compare, made when a choice needs it.
        std::string folded;
        bool bFolded = false;
        const auto name = [&]() -> const std::string& {
            if (!bFolded) {
                folded = FoldedName(line.name);
                bFolded = true;
            }
            return folded;
        };
        const auto nameOf = [this](int candidate) -> const std::string& { return Folded(candidate); };
        int found = -1;
        switch (rule) {
        case ReferenceRule::Position:
            if (line.hasPosition && line.hasOnid && line.hasTsid && line.hasSid) {
                found = m_byPosition.FindPreferring(
                    PositionKey(line.position, line.west, line.onid, line.tsid, line.sid), m_taken, name, nameOf);
            }
            break;
        case ReferenceRule::Identifiers:
            if (line.hasOnid && line.hasTsid && line.hasSid) {
                IndexLooseKeys();
                found = m_byIdentifiers.FindPreferring(IdentifierKey(line.onid, line.tsid, line.sid), m_taken,
                                                       name, nameOf);
            }
            break;
        case ReferenceRule::OnidSid:
            // Without the TSID a service id is unique only within its
            // network by convention: several candidates need the name.
            if (line.hasOnid && line.hasSid) {
                IndexLooseKeys();
                found = m_byOnidSid.FindPreferring(OnidSidKey(line.onid, line.sid), m_taken, name, nameOf, true);
            }
            break;
        case ReferenceRule::Name:
            found = MatchName(line);
            break;
        }
        if (found >= 0) {
            m_taken[static_cast<size_t>(found)] = 1;
        }
        return found;
    }

    CServiceData* Candidate(int i) const { return m_candidates[static_cast<size_t>(i)]; }
    const std::vector<CServiceData*>& Candidates() const { return m_candidates; }
    const std::vector<char>& Taken() const { return m_taken; }

private:
    // Most lists find every channel by position; the other keys are
    // indexed only for the lines that position leaves.
    void IndexLooseKeys()
    {
        if (m_bLooseKeysIndexed) {
            return;
        }
        for (size_t i = 0; i < m_keys.size(); ++i) {
            if (m_keys[i].hasIdentifiers) {
                m_byIdentifiers.Add(m_keys[i].identifiers, static_cast<int>(i));
                m_byOnidSid.Add(m_keys[i].onidSid, static_cast<int>(i));
            }
        }
        m_byIdentifiers.Build();
        m_byOnidSid.Build();
        m_bLooseKeysIndexed = true;
    }

    const std::string& Folded(int candidate)
    {
        const size_t i = static_cast<size_t>(candidate);
        if (!m_bFolded[i]) {
            m_folded[i] = FoldedName(m_candidates[i]->GetNameText());
            m_bFolded[i] = 1;
        }
        return m_folded[i];
    }

    int MatchName(const ReferenceLine& line)
    {
        const std::string name = FoldedName(line.name);
        if (name.empty()) {
            return -1;
        }
        // Most lists find every channel by the first rules; the names are
        // read only for the lines they leave.
        if (!m_bNamesIndexed) {
            for (size_t i = 0; i < m_candidates.size(); ++i) {
                const std::string& folded = Folded(static_cast<int>(i));
                m_byNameAndSid.Add({folded, m_candidates[i]->GetServiceId()}, static_cast<int>(i));
                m_byName.Add(folded, static_cast<int>(i));
            }
            m_byName.Build();
            m_byNameAndSid.Build();
            m_bNamesIndexed = true;
        }
        if (line.hasSid) {
            const int found = m_byNameAndSid.Find({name, line.sid}, m_taken);
            if (found >= 0) {
                return found;
            }
        }
        return m_byName.Find(name, m_taken);
    }

    std::vector<CServiceData*> m_candidates;
    std::vector<char> m_taken;
    std::vector<std::string> m_folded; // names as the name rule compares them, made on demand
    std::vector<char> m_bFolded;
    std::vector<ChannelKeys> m_keys;
    CFirstFreeIndex<uint64_t> m_byPosition;
    bool m_bLooseKeysIndexed = false;
    CFirstFreeIndex<uint64_t> m_byIdentifiers;
    CFirstFreeIndex<uint32_t> m_byOnidSid;
    bool m_bNamesIndexed = false;
    CFirstFreeList<std::string> m_byName;
    CFirstFreeList<std::pair<std::string, int>> m_byNameAndSid;
};

const char* TypeText(bool radio)
{
    return radio ? refmsg::kTypeRadio : refmsg::kTypeTv;
}

std::string NumberText(const ReferenceLine& line)
{
    return line.number == 0 ? std::string() : std::to_string(line.number);
}

void ApplyFlag(CServiceData& s, int value, uint8_t flag)
{
    if (value >= 0) {
        s.SetFlags(static_cast<uint8_t>(value ? s.GetFlags() | flag : s.GetFlags() & ~flag));
    }
}

// Matches the lines of one kind against the records of its block
// [first, end) and appends the block's new order to order.
void ApplyKind(const CServiceDataArray& services, int first, int end, bool radio, const ReferenceList& list,
               const CReceptionLookup& lookup, ReferenceApplyResult& result, std::vector<CServiceData*>& order)
{
    std::vector<CServiceData*> candidates;
    for (int i = first; i < end; ++i) {
        CServiceData* s = services.GetAt(i);
        if (s->GetNumber() != 0 && s->IsRadio() == radio) {
            candidates.push_back(s);
        }
    }
    CKindMatcher matcher(lookup, std::move(candidates));

    std::vector<const ReferenceLine*> lines;
    bool outOfOrder = false;
    for (const ReferenceLine& line : list.lines) {
        if (line.radio == radio) {
            outOfOrder = outOfOrder || (!lines.empty() && line.number < lines.back()->number);
            lines.push_back(&line);
        }
    }
    if (outOfOrder) {
        result.hint = refmsg::kNumberOrderHint;
    }
    // Without a Nr column every number is 0: the file order stays.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const ReferenceLine* a, const ReferenceLine* b) { return a->number < b->number; });

    std::vector<int> found(lines.size(), -1);
    std::vector<ReferenceRule> rules(lines.size(), ReferenceRule::Position);
    for (const ReferenceRule rule :
         {ReferenceRule::Position, ReferenceRule::Identifiers, ReferenceRule::OnidSid, ReferenceRule::Name}) {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (found[i] < 0) {
                found[i] = matcher.Match(*lines[i], rule);
                rules[i] = rule;
            }
        }
    }

    for (size_t i = 0; i < lines.size(); ++i) {
        const ReferenceLine& line = *lines[i];
        if (found[i] < 0) {
            result.notFound.push_back({line.lineNumber, TypeText(radio), NumberText(line), line.name, ""});
            continue;
        }
        CServiceData* s = matcher.Candidate(found[i]);
        switch (rules[i]) {
        case ReferenceRule::Position:
            ++result.byPosition;
            break;
        case ReferenceRule::Identifiers:
            ++result.byIdentifiers;
            break;
        case ReferenceRule::OnidSid:
            ++result.byOnidSid;
            break;
        case ReferenceRule::Name:
            ++result.byName;
            break;
        }
        if (rules[i] != ReferenceRule::Position) {
            result.reviewed.push_back(
                {line.lineNumber, NumberText(line), line.name, rules[i], s, s->GetNameText()});
        }
        if (line.favourite >= 0) {
            s->SetFavouriteGroup(static_cast<uint8_t>(line.favourite));
        }
        ApplyFlag(*s, line.locked, kLockFlag);
        ApplyFlag(*s, line.skipped, kSkipFlag);
        order.push_back(s);
    }

    // The rest of the block in its previous order: the channels no line took,
    // and whatever else stands in the block.
    const std::vector<CServiceData*>& all = matcher.Candidates();
    size_t next = 0;
    for (int i = first; i < end; ++i) {
        CServiceData* s = services.GetAt(i);
        if (next < all.size() && all[next] == s) {
            if (!matcher.Taken()[next]) {
                order.push_back(s);
                result.newChannels.push_back(s);
            }
            ++next;
        } else {
            order.push_back(s);
        }
    }
}

std::string IssuePrefix(int lineNumber, const char* what)
{
    return std::string(refmsg::kLine) + std::to_string(lineNumber) + ": " + what + ": ";
}

} // namespace

ReferenceApplyResult ApplyReferenceList(CVandrelEdit2028Doc& doc, const ReferenceList& list)
{
    ReferenceApplyResult result;
    result.unreadable = list.unreadable;
    result.unreadableOmitted = list.unreadableOmitted;
    CServiceDataArray& services = doc.m_services;
    const int size = services.GetSize();
    const int tvEnd = std::min<int>(static_cast<int>(services.GetTvCount() & 0xFFFF), size);
    const int radioEnd = std::min<int>(tvEnd + static_cast<int>(services.GetRadioCount() & 0xFFFF), size);

    const CReceptionLookup lookup(doc);
    std::vector<CServiceData*> order;
    order.reserve(static_cast<size_t>(radioEnd));
    ApplyKind(services, 0, tvEnd, false, list, lookup, result, order);
    ApplyKind(services, tvEnd, radioEnd, true, list, lookup, result, order);

    std::vector<std::unique_ptr<CServiceData>> none;
    services.Rearrange(0, radioEnd, order, none);
    services.NumberListPositions();
    doc.SetModifiedFlag(true);
    // A list in Nr order gives both in line order already: no entry moves.
    const auto byLine = [](const auto& a, const auto& b) { return a.lineNumber < b.lineNumber; };
    if (!std::is_sorted(result.notFound.begin(), result.notFound.end(), byLine)) {
        std::stable_sort(result.notFound.begin(), result.notFound.end(), byLine);
    }
    if (!std::is_sorted(result.reviewed.begin(), result.reviewed.end(), byLine)) {
        std::stable_sort(result.reviewed.begin(), result.reviewed.end(), byLine);
    }
    return result;
}

std::vector<std::string> ReportSummaryLines(const ReferenceApplyResult& result)
{
    return {
        refmsg::kByPosition + std::to_string(result.byPosition),
        refmsg::kByIdentifiers + std::to_string(result.byIdentifiers),
        refmsg::kByOnidSid + std::to_string(result.byOnidSid),
        refmsg::kByName + std::to_string(result.byName),
        refmsg::kNotFound + std::to_string(result.notFound.size()),
        refmsg::kNew + std::to_string(result.newChannels.size()),
    };
}

std::vector<ReportedIssue> ReportedIssues(const ReferenceApplyResult& result, size_t& more)
{
    // Both lists are in line order; the unreadable lines left out all stand
    // behind the kept ones, so they are never among the first.
    const std::vector<ReferenceLineIssue>& bad = result.unreadable;
    const std::vector<ReferenceLineIssue>& missing = result.notFound;
    std::vector<ReportedIssue> out;
    out.reserve(std::min(bad.size() + missing.size(), kMaxReportedLines));
    size_t b = 0;
    size_t m = 0;
    while (out.size() < kMaxReportedLines && (b < bad.size() || m < missing.size())) {
        if (m == missing.size() || (b < bad.size() && bad[b].lineNumber <= missing[m].lineNumber)) {
            out.push_back({&bad[b++], true});
        } else {
            out.push_back({&missing[m++], false});
        }
    }
    more = bad.size() + result.unreadableOmitted + missing.size() - out.size();
    return out;
}

std::string MoreLinesText(size_t more)
{
    return "… und " + std::to_string(more) + " weitere Zeilen";
}

std::vector<std::string> ReportIssueLines(const ReferenceApplyResult& result)
{
    size_t more = 0;
    const std::vector<ReportedIssue> issues = ReportedIssues(result, more);
    std::vector<std::string> out;
    out.reserve(issues.size() + 1);
    for (const ReportedIssue& reported : issues) {
        const ReferenceLineIssue& issue = *reported.issue;
        if (reported.unreadable) {
            out.push_back(IssuePrefix(issue.lineNumber, refmsg::kUnreadable) + issue.reason);
            continue;
        }
        std::string text = IssuePrefix(issue.lineNumber, refmsg::kNotFoundLine) + issue.type;
        if (!issue.number.empty()) {
            text += " " + issue.number;
        }
        if (!issue.name.empty()) {
            text += " " + issue.name;
        }
        out.push_back(std::move(text));
    }
    if (more > 0) {
        out.push_back(MoreLinesText(more));
    }
    return out;
}

std::vector<std::string> ReportReviewLines(const ReferenceApplyResult& result)
{
    std::vector<std::string> out;
    out.reserve(result.reviewed.size());
    for (const ReferenceMatchReview& r : result.reviewed) {
        std::string text = refmsg::kLine + std::to_string(r.lineNumber);
        if (!r.number.empty()) {
            text += refmsg::kReviewNumber + r.number;
        }
        text += ": " + r.listName + " " + refmsg::kArrow + " " + r.channelName + " (";
        text += r.rule == ReferenceRule::Identifiers ? refmsg::kRuleIdentifiers
                : r.rule == ReferenceRule::OnidSid   ? refmsg::kRuleOnidSid
                                                     : refmsg::kRuleName;
        text += ")";
        out.push_back(std::move(text));
    }
    return out;
}

std::string FormatReferenceReport(const ReferenceApplyResult& result)
{
    std::string text;
    const auto add = [&text](const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            text += line + "\n";
        }
    };
    add(ReportSummaryLines(result));
    if (!result.hint.empty()) {
        text += result.hint + "\n";
    }
    if (const std::vector<std::string> review = ReportReviewLines(result); !review.empty()) {
        text += std::string("\n") + refmsg::kReviewHeading + "\n";
        add(review);
    }
    if (const std::vector<std::string> issues = ReportIssueLines(result); !issues.empty()) {
        text += std::string("\n") + refmsg::kIssuesHeading + "\n";
        add(issues);
    }
    return text;
}
