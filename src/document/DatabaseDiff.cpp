#include "DatabaseDiff.h"

#include "ChannelIdentity.h"
#include "ChannelRows.h"
#include "ReferenceListFile.h"
#include "ReferenceMessages.h"
#include "VandrelEdit2028Doc.h"

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

// The key of a channel without a transponder.
std::pair<int, std::string> LooseKey(const Channel& c)
{
    return {c.service->GetServiceId(), c.service->GetNameText()};
}

template <class T>
void AddChange(std::vector<std::string>& changes, const char* what, const T& before, const T& after)
{
    if (before != after) {
        changes.push_back(std::string(what) + " " + before + refmsg::kArrow + after);
    }
}

void AddNumberChange(std::vector<std::string>& changes, const char* what, int before, int after)
{
    if (before != after) {
        AddChange(changes, what, std::to_string(before), std::to_string(after));
    }
}

const char* YesNo(bool value)
{
    return value ? refmsg::kYes : refmsg::kNo;
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
    AddChange(changes, refmsg::kName, "\"" + a.GetNameText() + "\"", "\"" + b.GetNameText() + "\"");
    AddChange(changes, refmsg::kSatellite, PositionText(o.satellite), PositionText(n.satellite));
    AddNumberChange(changes, refmsg::kFavourite, a.GetFavouriteGroup(), b.GetFavouriteGroup());
    AddChange(changes, refmsg::kLocked, std::string(YesNo(a.IsLocked())), std::string(YesNo(b.IsLocked())));
    AddChange(changes, refmsg::kSkipped, std::string(YesNo(a.IsSkip())), std::string(YesNo(b.IsSkip())));
    AddNumberChange(changes, refmsg::kVideoPid, a.GetVideoPid(), b.GetVideoPid());
    AddNumberChange(changes, refmsg::kAudioPid, a.GetAudioPid(), b.GetAudioPid());
    AddNumberChange(changes, refmsg::kPcrPid, a.GetPcrPid(), b.GetPcrPid());
    AddNumberChange(changes, refmsg::kPmtPid, a.GetPmtPid(), b.GetPmtPid());
    if (o.transponder && n.transponder) {
        AddNumberChange(changes, refmsg::kFrequency, o.transponder->GetFrequency(), n.transponder->GetFrequency());
        AddNumberChange(changes, refmsg::kSymbolRate, o.transponder->GetSymbolRate(),
                        n.transponder->GetSymbolRate());
        AddChange(changes, refmsg::kPolarity, o.transponder->FormatPolarityText(),
                  n.transponder->FormatPolarityText());
    }
    return changes;
}

void CompareKind(const std::vector<Channel>& olds, const std::vector<Channel>& news, bool radio,
                 std::vector<ChannelDifference>& out)
{
    CFirstFreeIndex<uint64_t> byPosition, byIdentifiers;
    CFirstFreeIndex<std::pair<int, std::string>> loose;
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
            pair(i, byPosition.Find(olds[i].keys.position, taken));
        }
    }
    for (size_t i = 0; i < olds.size(); ++i) {
        if (partnerOfOld[i] < 0 && olds[i].keys.hasIdentifiers) {
            pair(i, byIdentifiers.Find(olds[i].keys.identifiers, taken));
        }
    }
    for (size_t i = 0; i < olds.size(); ++i) {
        if (partnerOfOld[i] < 0 && !olds[i].keys.hasIdentifiers) {
            pair(i, loose.Find(LooseKey(olds[i]), taken));
        }
    }

    for (size_t i = 0; i < olds.size(); ++i) {
        if (partnerOfOld[i] < 0) {
            out.push_back(
                {'-', radio, olds[i].number, 0, olds[i].service->GetNameText(), {}, olds[i].service, nullptr});
        }
    }
    for (size_t j = 0; j < news.size(); ++j) {
        if (partnerOfNew[j] < 0) {
            out.push_back(
                {'+', radio, 0, news[j].number, news[j].service->GetNameText(), {}, nullptr, news[j].service});
        }
    }
    for (size_t j = 0; j < news.size(); ++j) {
        if (partnerOfNew[j] < 0) {
            continue;
        }
        const Channel& o = olds[static_cast<size_t>(partnerOfNew[j])];
        std::vector<std::string> changes = ChangesOf(o, news[j]);
        if (!changes.empty()) {
            out.push_back({'~', radio, o.number, news[j].number, news[j].service->GetNameText(),
                           std::move(changes), o.service, news[j].service});
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
    return line;
}

std::string FormatDifferences(const std::vector<ChannelDifference>& differences)
{
    std::string text;
    for (const ChannelDifference& d : differences) {
        text += FormatDifference(d);
        text += '\n';
    }
    return text;
}
