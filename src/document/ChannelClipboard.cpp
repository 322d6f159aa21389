#include "ChannelClipboard.h"

#include <algorithm>
#include <cstdio>

#include "ExchangeMessages.h"
#include "VandrelEdit2028Doc.h"
#include "model/ClipPayload.h"

namespace {

// The transponder and satellite a channel refers to; empty slots (number 0)
// are no records to copy.
bool ResolveForCopy(const CVandrelEdit2028Doc& doc, const CServiceData& service, const CTransponderData*& tp,
                    const CSatelliteData*& sat)
{
    tp = doc.TransponderOf(&service);
    sat = doc.SatelliteOf(tp);
    return tp != nullptr && sat != nullptr && tp->GetNumber() != 0 && sat->GetNumber() != 0;
}

int FindSatellite(const CSatelliteDataArray& satellites, const CSatelliteData& wanted)
{
    const std::string name = wanted.GetNameText();
    for (int i = 0; i < satellites.GetSize(); ++i) {
        const CSatelliteData& s = *satellites.GetAt(i);
        if (s.GetNumber() != 0 && s.GetPosition() == wanted.GetPosition() && s.IsEast() == wanted.IsEast() &&
            s.GetNameText() == name) {
            return i;
        }
    }
    return -1;
}

// A transponder is known by TpId, OrgNetId and polarisation; one on the
// matched satellite is preferred, so unscanned transponders that share
// their keys on other satellites do not catch the channel.
int FindTransponder(const CTransponderDataArray& transponders, const CTransponderData& wanted, int satellite)
{
    int any = -1;
    for (int i = 0; i < transponders.GetSize(); ++i) {
        const CTransponderData& t = *transponders.GetAt(i);
        if (t.GetNumber() == 0 || t.GetTpId() != wanted.GetTpId() || t.GetOrgNetId() != wanted.GetOrgNetId() ||
            t.GetPolarisation() != wanted.GetPolarisation()) {
            continue;
        }
        if (t.GetSatellite() == satellite) {
            return i;
        }
        if (any < 0) {
            any = i;
        }
    }
    return any;
}

int FreeSlots(const CServiceDataArray& services)
{
    return services.FreeSlots();
}

// Index where channels of the kind go when no row is selected: right after
// the last channel of that kind (radio after all channels, as radio follows
// television).
int EndOfKind(const CServiceDataArray& services, bool television)
{
    const int channelEnd = services.ChannelEnd();
    for (int i = channelEnd; i > 0; --i) {
        if (!television || !services.GetAt(i - 1)->IsRadio()) {
            return i;
        }
    }
    return 0;
}

std::string Format(const char* pattern, int a, int b = 0)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, pattern, a, b);
    return buf;
}

} // namespace

ClipCopyResult CopyChannels(const CVandrelEdit2028Doc& doc, const std::vector<CServiceData*>& selected)
{
    ClipCopyResult result;
    CClipPayload payload;
    for (CServiceData* s : selected) {
        const CTransponderData* tp = nullptr;
        const CSatelliteData* sat = nullptr;
        if (s == nullptr) {
            continue;
        }
        if (!ResolveForCopy(doc, *s, tp, sat)) {
            result.notCopied.push_back(s);
            continue;
        }
        payload.Append(*s, *sat, *tp);
        result.copied.push_back(s);
    }
    if (!result.copied.empty()) {
        result.payload = payload.Write();
    }
    return result;
}

ClipCopyResult CutChannels(CVandrelEdit2028Doc& doc, const std::vector<CServiceData*>& selected)
{
    ClipCopyResult result = CopyChannels(doc, selected);
    if (result.copied.empty()) {
        return result;
    }
    for (const CServiceData* s : result.copied) {
        doc.ForgetService(s);
    }
    doc.m_services.DeleteServices(result.copied);
    doc.SetModifiedFlag(true);
    return result;
}

std::string NotCopiedMessage(const std::vector<CServiceData*>& notCopied)
{
    if (notCopied.empty()) {
        return {};
    }
    std::string text = exmsg::kNotCopied;
    text += '\n';
    for (const CServiceData* s : notCopied) {
        text += '\n';
        text += s->GetNameText();
    }
    return text;
}

PasteResult PasteChannels(CVandrelEdit2028Doc& doc, const uint8_t* bytes, size_t size, bool television,
                          const CServiceData* before)
{
    PasteResult result;
    CClipPayload payload;
    payload.Read(bytes, size);
    doc.SetModifiedFlag(true);
    if (!payload.IsUsable()) {
        result.stop = PasteStop::NoUsableData;
        result.message = exmsg::kNoUsableData;
        result.caption = exmsg::kNoUsableDataCaption;
        return result;
    }
    CServiceDataArray& services = doc.m_services;
    const int n = payload.GetChannelCount();
    const int free = FreeSlots(services);
    if (free < n) {
        result.stop = PasteStop::TableFull;
        result.message =
            free == 0 ? Format(exmsg::kTableFull, ndb::kSvcSlots) : Format(exmsg::kTableTooFull, free, n);
        result.caption = exmsg::kTableFullCaption;
        return result;
    }

    // Every entry goes to the same index, each before the one pasted just
    // before it: taken from last to first they end in clipboard order.
    int insertAt = -1;
    if (before != nullptr && before->GetNumber() != 0 && before->IsRadio() != television) {
        insertAt = services.IndexOf(before);
    }
    if (insertAt < 0) {
        insertAt = EndOfKind(services, television);
    }
    std::vector<CServiceData*> pasted;
    for (int i = n - 1; i >= 0; --i) {
        CServiceData& copy = *payload.m_services.GetAt(i);
        if (copy.IsRadio() == television) {
            result.stop = PasteStop::OtherKind;
            result.message = exmsg::kOtherKind;
            result.caption = exmsg::kOtherKindCaption;
            break;
        }
        // An entry without its satellite, or an empty slot, is passed over.
        if (i >= payload.m_satellites.GetSize() || copy.GetNumber() == 0) {
            continue;
        }
        const int sat = FindSatellite(doc.m_satellites, *payload.m_satellites.GetAt(i));
        const int tp = i < payload.m_transponders.GetSize() && sat >= 0
                           ? FindTransponder(doc.m_transponders, *payload.m_transponders.GetAt(i),
                                             doc.m_satellites.GetAt(sat)->GetNumber())
                           : -1;
        if (tp < 0) {
            result.stop = PasteStop::NoMatch;
            result.message = exmsg::kNoMatchingTransponder;
            break;
        }
        copy.SetTransponder(doc.m_transponders.GetAt(tp)->GetNumber());
        CServiceData* added = doc.AddService(&copy, television);
        if (added == nullptr) {
            continue;
        }
        services.MoveService(added, insertAt);
        added->SetFavouriteGroup(0);
        pasted.push_back(added);
    }
    std::reverse(pasted.begin(), pasted.end());
    result.pasted = std::move(pasted);
    services.NumberListPositions();
    return result;
}
