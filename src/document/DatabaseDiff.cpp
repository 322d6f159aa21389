#include "DatabaseDiff.h"

#include <map>
#include <utility>

#include "ChannelIdentity.h"
#include "ChannelRows.h"
#include "ReferenceListFile.h"
#include "ReferenceMessages.h"
#include "VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

namespace {

struct Channel {
    const CServiceData* service;
    int number;
    const CTransponderData* transponder;
    const CSatelliteData* satellite;
    ChannelKeys keys;
};

std::vector<Channel> ChannelsOf(const CVandrelEdit2028Doc& doc, const CReceptionLookup& lookup, bool radio)
{
    std::vector<Channel> channels;
    for (const ChannelRow& row : SelectAllChannels(doc, radio)) {
        const CTransponderData* tp = lookup.TransponderOf(*row.service);
        channels.push_back({row.service, row.number, tp, lookup.SatelliteOf(tp), KeysOf(lookup, *row.service)});
    }
    return channels;
}

// The name as GetNameText gives it (ISO-8859-1 up to the first zero), for
// every line of a full table without its general decoder's cost.
std::string NameOf(const CServiceData& s)
{
    std::string name;
    name.reserve(24);
    for (size_t i = 40; i < 60 && s.m_record[i] != 0; ++i) {
        const uint8_t b = s.m_record[i];
        if (b < 0x80) {
            name += static_cast<char>(b);
        } else {
            name += static_cast<char>(0xC0 | (b >> 6));
            name += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return name;
}

// The key of a channel without a transponder.
std::pair<int, std::string> LooseKey(const Channel& c)
{
    return {c.service->GetServiceId(), NameOf(*c.service)};
}

void AddChange(std::vector<std::string>& changes, const char* what, const std::string& before,
               const std::string& after)
{
    changes.push_back(std::string(what) + " " + before + refmsg::kArrow + after);
}

void AddNumberChange(std::vector<std::string>& changes, const char* what, int before, int after)
{
    if (before != after) {
        AddChange(changes, what, std::to_string(before), std::to_string(after));
    }
}

void AddFlagChange(std::vector<std::string>& changes, const char* what, bool before, bool after)
{
    if (before != after) {
        AddChange(changes, what, before ? refmsg::kYes : refmsg::kNo, after ? refmsg::kYes : refmsg::kNo);
    }
}

// The name fields hold the same text (up to their terminating zero); most
// pairs do, and are compared without decoding.
bool SameName(const CServiceData& a, const CServiceData& b)
{
    constexpr size_t kName = 40;
    constexpr size_t kWidth = 20;
    for (size_t i = kName; i < kName + kWidth; ++i) {
        if (a.m_record[i] != b.m_record[i]) {
            return false;
        }
        if (a.m_record[i] == 0) {
            return true;
        }
    }
    return true;
}

bool SamePosition(const CSatelliteData* a, const CSatelliteData* b)
{
    if (a == nullptr || b == nullptr) {
        return a == b;
    }
    return a->GetPosition() == b->GetPosition() && a->IsWest() == b->IsWest();
}

std::string PositionText(const CSatelliteData* satellite)
{
    return satellite ? FormatOrbitalPosition(*satellite) : "-";
}

std::vector<std::string> ChangesOf(const Channel& o, const Channel& n)
{
    std::vector<std::string> changes;
    const CServiceData& a = *o.service;
    const CServiceData& b = *n.service;
    if (o.number != n.number) {
        changes.emplace_back(refmsg::kNr);
    }
    if (!SameName(a, b)) {
        AddChange(changes, refmsg::kName, "\"" + a.GetNameText() + "\"", "\"" + b.GetNameText() + "\"");
    }
    if (!SamePosition(o.satellite, n.satellite)) {
        AddChange(changes, refmsg::kSatellite, PositionText(o.satellite), PositionText(n.satellite));
    }
    AddNumberChange(changes, refmsg::kFavourite, a.GetFavouriteGroup(), b.GetFavouriteGroup());
    AddFlagChange(changes, refmsg::kLocked, a.IsLocked(), b.IsLocked());
    AddFlagChange(changes, refmsg::kSkipped, a.IsSkip(), b.IsSkip());
    AddNumberChange(changes, refmsg::kVideoPid, a.GetVideoPid(), b.GetVideoPid());
    AddNumberChange(changes, refmsg::kAudioPid, a.GetAudioPid(), b.GetAudioPid());
    AddNumberChange(changes, refmsg::kPcrPid, a.GetPcrPid(), b.GetPcrPid());
    AddNumberChange(changes, refmsg::kPmtPid, a.GetPmtPid(), b.GetPmtPid());
    if (o.transponder && n.transponder) {
        AddNumberChange(changes, refmsg::kFrequency, o.transponder->GetFrequency(), n.transponder->GetFrequency());
        AddNumberChange(changes, refmsg::kSymbolRate, o.transponder->GetSymbolRate(),
                        n.transponder->GetSymbolRate());
        // 2 and 3 both read "---": no change to name.
        if (o.transponder->GetPolarisation() != n.transponder->GetPolarisation() &&
            o.transponder->FormatPolarityText() != n.transponder->FormatPolarityText()) {
            AddChange(changes, refmsg::kPolarity, o.transponder->FormatPolarityText(),
                      n.transponder->FormatPolarityText());
        }
    }
    return changes;
}

void CompareKind(const std::vector<Channel>& olds, const std::vector<Channel>& news, bool radio,
                 std::vector<ChannelDifference>& out)
{
    CFirstFreeIndex<uint64_t> byPosition, byIdentifiers;
    CFirstFreeList<std::pair<int, std::string>> loose;
    for (size_t j = 0; j < news.size(); ++j) {
        const ChannelKeys& k = news[j].keys;
        if (k.hasPosition) {
            byPosition.Add(k.position, static_cast<int>(j));
        }
        if (k.hasIdentifiers) {
            byIdentifiers.Add(k.identifiers, static_cast<int>(j));
        } else {
            loose.Add(LooseKey(news[j]), static_cast<int>(j));
        }
    }
    byPosition.Build();
    byIdentifiers.Build();
    loose.Build();

    // Names as the name rule compares them, made only when channels share
    // an identity.
    std::string oldName;
    const auto nameOfOld = [&](size_t i) {
        return [&, i]() -> const std::string& {
            oldName = FoldedName(NameOf(*olds[i].service));
            return oldName;
        };
    };
    const auto nameOfNew = [&news](int j) { return FoldedName(NameOf(*news[static_cast<size_t>(j)].service)); };
    std::vector<char> taken(news.size(), 0);
    std::vector<int> partnerOfNew(news.size(), -1);
    std::vector<int> partnerOfOld(olds.size(), -1);
    const auto pair = [&](size_t i, int j) {
        if (j >= 0) {
            taken[static_cast<size_t>(j)] = 1;
            partnerOfNew[static_cast<size_t>(j)] = static_cast<int>(i);
            partnerOfOld[i] = j;
        }
    };
    // Each stage pairs in the old order, before the next stage begins.
    for (size_t i = 0; i < olds.size(); ++i) {
        if (olds[i].keys.hasPosition) {
            pair(i, byPosition.FindPreferring(olds[i].keys.position, taken, nameOfOld(i), nameOfNew));
        }
    }
    for (size_t i = 0; i < olds.size(); ++i) {
        if (partnerOfOld[i] < 0 && olds[i].keys.hasIdentifiers) {
            pair(i, byIdentifiers.FindPreferring(olds[i].keys.identifiers, taken, nameOfOld(i), nameOfNew));
        }
    }
    for (size_t i = 0; i < olds.size(); ++i) {
        if (partnerOfOld[i] < 0 && !olds[i].keys.hasIdentifiers) {
            pair(i, loose.Find(LooseKey(olds[i]), taken));
        }
    }

    for (size_t i = 0; i < olds.size(); ++i) {
        if (partnerOfOld[i] < 0) {
            const Channel& o = olds[i];
            out.push_back({'-',
                           radio,
                           o.number,
                           0,
                           NameOf(*o.service),
                           {},
                           o.service,
                           nullptr,
                           o.transponder,
                           nullptr,
                           o.satellite,
                           nullptr});
        }
    }
    for (size_t j = 0; j < news.size(); ++j) {
        if (partnerOfNew[j] < 0) {
            const Channel& n = news[j];
            out.push_back({'+',
                           radio,
                           0,
                           n.number,
                           NameOf(*n.service),
                           {},
                           nullptr,
                           n.service,
                           nullptr,
                           n.transponder,
                           nullptr,
                           n.satellite});
        }
    }
    for (size_t j = 0; j < news.size(); ++j) {
        if (partnerOfNew[j] < 0) {
            continue;
        }
        const Channel& o = olds[static_cast<size_t>(partnerOfNew[j])];
        std::vector<std::string> changes = ChangesOf(o, news[j]);
        if (!changes.empty()) {
            const Channel& n = news[j];
            out.push_back({'~', radio, o.number, n.number, NameOf(*n.service), std::move(changes), o.service,
                           n.service, o.transponder, n.transponder, o.satellite, n.satellite});
        }
    }
}

} // namespace

std::vector<ChannelDifference> CompareDatabases(const CVandrelEdit2028Doc& oldDoc,
                                                const CVandrelEdit2028Doc& newDoc)
{
    const CReceptionLookup oldLookup(oldDoc);
    const CReceptionLookup newLookup(newDoc);
    std::vector<ChannelDifference> out;
    for (const bool radio : {false, true}) {
        CompareKind(ChannelsOf(oldDoc, oldLookup, radio), ChannelsOf(newDoc, newLookup, radio), radio, out);
    }
    return out;
}

std::string PartlyReadComparison(const CVandrelEdit2028Doc& oldDoc, const std::string& oldName,
                                 const CVandrelEdit2028Doc& newDoc, const std::string& newName)
{
    std::string text;
    for (const auto& [doc, name] : {std::pair{&oldDoc, &oldName}, std::pair{&newDoc, &newName}}) {
        if (doc->LoadStoppedEarly()) {
            text += (text.empty() ? "" : "\n") + std::string("Die Datenbank \"") + *name +
                    "\" wurde nur teilweise gelesen; der Vergleich zeigte ihre nicht gelesenen Kanäle als "
                    "entfallen oder neu.";
        }
    }
    return text;
}

std::string ChangesText(const ChannelDifference& difference)
{
    std::string text;
    for (const std::string& change : difference.changes) {
        if (!text.empty()) {
            text += ", ";
        }
        text += change;
    }
    return text;
}

std::string FormatDifference(const ChannelDifference& d)
{
    std::string line(1, d.sign);
    line += ' ';
    line += d.radio ? refmsg::kTypeRadio : refmsg::kTypeTv;
    line += ' ';
    switch (d.sign) {
    case '+':
        line += std::to_string(d.newNumber);
        break;
    case '-':
        line += std::to_string(d.oldNumber);
        break;
    default:
        line += std::to_string(d.oldNumber);
        if (d.newNumber != d.oldNumber) {
            line += refmsg::kArrow + std::to_string(d.newNumber);
        }
        break;
    }
    line += ' ';
    line += d.name;
    if (d.sign == '~') {
        line += ": " + ChangesText(d);
    }
    // Names come from the file; one that holds a line end must not split
    // the line.
    return ve::EscapeControls(line);
}

std::string FormatDifferences(const std::vector<ChannelDifference>& differences, bool ignoreNr)
{
    std::string text;
    for (const ChannelDifference& d : differences) {
        if (ignoreNr && OnlyNumberChanged(d)) {
            continue;
        }
        text += FormatDifference(d);
        text += '\n';
    }
    return text;
}

bool OnlyNumberChanged(const ChannelDifference& difference)
{
    return difference.sign == '~' && difference.changes.size() == 1 && difference.changes[0] == refmsg::kNr;
}

DifferenceSummary SummarizeDifferences(const std::vector<ChannelDifference>& differences)
{
    DifferenceSummary summary;
    std::map<std::pair<const CSatelliteData*, const CSatelliteData*>, size_t> satellites;
    std::map<std::pair<const CTransponderData*, const CTransponderData*>, size_t> transponders;
    for (const ChannelDifference& d : differences) {
        if (d.sign != '~') {
            ++(d.sign == '+' ? summary.added : summary.removed);
            continue;
        }
        ++summary.changed;
        if (d.oldSatellite && d.newSatellite && !SamePosition(d.oldSatellite, d.newSatellite)) {
            const auto [it, added] =
                satellites.try_emplace({d.oldSatellite, d.newSatellite}, summary.satellites.size());
            if (added) {
                summary.satellites.push_back({d.newSatellite->GetNameText(), PositionText(d.oldSatellite),
                                              PositionText(d.newSatellite), 0});
            }
            ++summary.satellites[it->second].channels;
        }
        const CTransponderData* a = d.oldTransponder;
        const CTransponderData* b = d.newTransponder;
        if (a && b &&
            (a->GetFrequency() != b->GetFrequency() || a->GetSymbolRate() != b->GetSymbolRate() ||
             a->FormatPolarityText() != b->FormatPolarityText())) {
            const auto [it, added] = transponders.try_emplace({a, b}, summary.transponders.size());
            if (added) {
                summary.transponders.push_back({PositionText(d.newSatellite), a->GetFrequency(), b->GetFrequency(),
                                                a->GetSymbolRate(), b->GetSymbolRate(), a->FormatPolarityText(),
                                                b->FormatPolarityText(), 0});
            }
            ++summary.transponders[it->second].channels;
        }
    }
    return summary;
}

std::vector<std::string> SummaryLines(const DifferenceSummary& summary)
{
    const auto channels = [](int n) {
        return std::to_string(n) + (n == 1 ? refmsg::kChannel : refmsg::kChannels);
    };
    std::vector<std::string> lines;
    lines.push_back(std::to_string(summary.added) + refmsg::kSummaryAdded + std::to_string(summary.removed) +
                    refmsg::kSummaryRemoved + std::to_string(summary.changed) + refmsg::kSummaryChanged);
    for (const MovedSatellite& s : summary.satellites) {
        const std::string name = s.name.empty() ? std::string() : s.name + " ";
        lines.push_back(std::string(refmsg::kSatellite) + " " + name + s.oldPosition + refmsg::kArrow +
                        s.newPosition + ": " + channels(s.channels));
    }
    for (const ChangedTransponder& t : summary.transponders) {
        lines.push_back(std::string(refmsg::kTransponder) + " " + t.position + " " +
                        std::to_string(t.oldFrequency) + " " + t.oldPolarity + " " +
                        std::to_string(t.oldSymbolRate) + refmsg::kArrow + std::to_string(t.newFrequency) + " " +
                        t.newPolarity + " " + std::to_string(t.newSymbolRate) + ": " + channels(t.channels));
    }
    return lines;
}

std::string FormatComparison(const std::string& oldName, const std::string& newName,
                             const std::vector<ChannelDifference>& differences, bool ignoreNr)
{
    std::string text = refmsg::kOldSide + oldName + "\n" + refmsg::kNewSide + newName + "\n";
    for (const std::string& line : SummaryLines(SummarizeDifferences(differences))) {
        text += line + "\n";
    }
    text += "\n";
    text += FormatDifferences(differences, ignoreNr);
    return text;
}
