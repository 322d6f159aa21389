#include "ReferenceMatch.h"

#include <algorithm>
#include <memory>

#include "ChannelIdentity.h"
#include "ReferenceMessages.h"
#include "VandrelEdit2028Doc.h"

namespace {

enum Rule { kRulePosition, kRuleIdentifiers, kRuleName };

// The channels of one kind that lines may take, with an index per rule.
class CKindMatcher {
public:
    CKindMatcher(const CReceptionLookup& lookup, std::vector<CServiceData*> candidates)
        : m_candidates(std::move(candidates)), m_taken(m_candidates.size(), 0)
    {
        for (size_t i = 0; i < m_candidates.size(); ++i) {
            const ChannelKeys keys = KeysOf(lookup, *m_candidates[i]);
            if (keys.hasPosition) {
                m_byPosition.Add(keys.position, static_cast<int>(i));
            }
            if (keys.hasIdentifiers) {
                m_byIdentifiers.Add(keys.identifiers, static_cast<int>(i));
            }
        }
        m_byPosition.Build();
        m_byIdentifiers.Build();
    }

    // The channel the first rule that finds one gives the line, now taken;
    // null when no rule finds one.
    CServiceData* Match(const ReferenceLine& line, Rule& rule)
    {
        int found = -1;
        if (line.hasOnid && line.hasTsid && line.hasSid) {
            if (line.hasPosition) {
                found = m_byPosition.Find(PositionKey(line.position, line.west, line.onid, line.tsid, line.sid),
                                          m_taken);
                rule = kRulePosition;
            }
            if (found < 0) {
                found = m_byIdentifiers.Find(IdentifierKey(line.onid, line.tsid, line.sid), m_taken);
                rule = kRuleIdentifiers;
            }
        }
        if (found < 0) {
            found = MatchName(line);
            rule = kRuleName;
        }
        if (found < 0) {
            return nullptr;
        }
        m_taken[static_cast<size_t>(found)] = 1;
        return m_candidates[static_cast<size_t>(found)];
    }

    const std::vector<CServiceData*>& Candidates() const { return m_candidates; }
    const std::vector<char>& Taken() const { return m_taken; }

private:
    int MatchName(const ReferenceLine& line)
    {
        const std::string name = FoldedName(line.name);
        if (name.empty()) {
            return -1;
        }
        // Most lists find every channel by the first two rules; the names
        // are read only for the lines they leave.
        if (!m_bNamesIndexed) {
            for (size_t i = 0; i < m_candidates.size(); ++i) {
                std::string folded = FoldedName(m_candidates[i]->GetNameText());
                m_byNameAndSid.Add({folded, m_candidates[i]->GetServiceId()}, static_cast<int>(i));
                m_byName.Add(std::move(folded), static_cast<int>(i));
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
    CFirstFreeIndex<uint64_t> m_byPosition;
    CFirstFreeIndex<uint64_t> m_byIdentifiers;
    bool m_bNamesIndexed = false;
    CFirstFreeIndex<std::string> m_byName;
    CFirstFreeIndex<std::pair<std::string, int>> m_byNameAndSid;
};

const char* TypeText(bool radio)
{
    return radio ? refmsg::kTypeRadio : refmsg::kTypeTv;
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
    for (const ReferenceLine& line : list.lines) {
        if (line.radio == radio) {
            lines.push_back(&line);
        }
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const ReferenceLine* a, const ReferenceLine* b) { return a->number < b->number; });

    for (const ReferenceLine* line : lines) {
        Rule rule = kRuleName;
        CServiceData* s = matcher.Match(*line, rule);
        if (s == nullptr) {
            result.notFound.push_back(
                {line->lineNumber, TypeText(radio), std::to_string(line->number), line->name, ""});
            continue;
        }
        (rule == kRulePosition      ? result.byPosition
         : rule == kRuleIdentifiers ? result.byIdentifiers
                                    : result.byName)++;
        if (line->favourite >= 0) {
            s->SetFavouriteGroup(static_cast<uint8_t>(line->favourite));
        }
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
    std::stable_sort(
        result.notFound.begin(), result.notFound.end(),
        [](const ReferenceLineIssue& a, const ReferenceLineIssue& b) { return a.lineNumber < b.lineNumber; });
    return result;
}

std::vector<std::string> ReportSummaryLines(const ReferenceApplyResult& result)
{
    return {
        refmsg::kByPosition + std::to_string(result.byPosition),
        refmsg::kByIdentifiers + std::to_string(result.byIdentifiers),
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
        std::string text = IssuePrefix(issue.lineNumber, refmsg::kNotFoundLine) + issue.type + " " + issue.number;
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
