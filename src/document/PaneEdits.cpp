#include "PaneEdits.h"

#include "InputRules.h"
#include "PaneRows.h"
#include "VandrelEdit2028Doc.h"

namespace {
// A text that breaks its row's rule changes nothing: the editors refuse it
// while it is typed, and whatever arrives here anyway is not cut or wrapped.
bool Fits(const InputRule& rule, const std::string& text)
{
    return CheckInput(rule, std::string(), text).verdict == InputVerdict::Accepted;
}

template <class Setter> void SetNumber(const InputRule& rule, const std::string& text, Setter set)
{
    if (const std::optional<uint16_t> value = NumberOf(rule, text)) {
        set(*value);
    }
}

// The transponder an option of a "Transponder" row stands for.
void PutOnTransponder(const CVandrelEdit2028Doc& doc, CServiceData& service, const COptionList& options,
                      const std::string& text)
{
    const int index = options.ChosenValue(text);
    if (index < 0 || index >= doc.m_transponders.GetSize()) {
        return;
    }
    service.SetTransponder(doc.m_transponders.GetAt(index)->GetNumber());
}

void PutOnSatellite(const CVandrelEdit2028Doc& doc, CServiceData& service, const COptionList& options,
                    const std::string& text)
{
    const int index = options.ChosenValue(text);
    if (index < 0 || index >= doc.m_satellites.GetSize()) {
        return;
    }
    COptionList transponders;
    doc.m_transponders.FillTransponderOptions(doc.m_satellites.GetAt(index)->GetNumber(), transponders);
    // Its only option would be the empty one of value 0, which names
    // whatever transponder happens to stand first in the table.
    if (transponders.OffersNothing()) {
        return;
    }
    PutOnTransponder(doc, service, transponders, transponders.SelectValueText(-1));
}

void SetFlagBit(CServiceData& service, uint8_t bit, bool on)
{
    const uint8_t flags = service.GetFlags();
    service.SetFlags(on ? static_cast<uint8_t>(flags | bit) : static_cast<uint8_t>(flags & ~bit));
}
} // namespace

void ApplyChannelEdit(const CVandrelEdit2028Doc& doc, CServiceData& service, const PaneEdit& edit,
                      const COptionList& rowOptions)
{
    using namespace panerow;
    const int id = edit.rowId;
    const InputRule rule = ChannelRowRule(id);
    switch (id) {
    case kName:
        if (Fits(rule, edit.text)) {
            service.SetNameText(edit.text, ve::CodePage::Latin1);
        }
        return;
    case kProvider:
        if (Fits(rule, edit.text)) {
            service.SetProviderText(edit.text, ve::CodePage::Latin1);
        }
        return;
    case kServiceId:
        SetNumber(rule, edit.text, [&](uint16_t v) { service.SetServiceId(v); });
        return;
    case kVideoPid:
        SetNumber(rule, edit.text, [&](uint16_t v) { service.SetVideoPid(v); });
        return;
    case kAudioPid:
        SetNumber(rule, edit.text, [&](uint16_t v) { service.SetAudioPid(v); });
        return;
    case kPcrPid:
        SetNumber(rule, edit.text, [&](uint16_t v) { service.SetPcrPid(v); });
        return;
    case kPmtPid:
        SetNumber(rule, edit.text, [&](uint16_t v) { service.SetPmtPid(v); });
        return;
    case kSatellite:
        PutOnSatellite(doc, service, rowOptions, edit.text);
        return;
    case kTransponder:
        PutOnTransponder(doc, service, rowOptions, edit.text);
        return;
    case kLocked:
        SetFlagBit(service, 0x20, edit.yes);
        return;
    case kSkip:
        SetFlagBit(service, 0x10, edit.yes);
        return;
    default:
        break;
    }
    if (id >= kFavouriteFirst && id <= kFavouriteLast) {
        service.SetFavouriteGroup(edit.yes ? static_cast<uint8_t>(id - kFavouriteFirst + 1) : uint8_t{0});
    }
    // "Verschlüsselt" and "HD Option" follow from the CA value and the video
    // type; they are not stored.
}

void ApplyTransponderEdit(CTransponderData& transponder, const PaneEdit& edit, const COptionList& rowOptions)
{
    using namespace panerow;
    const InputRule rule = TransponderRowRule(edit.rowId);
    switch (edit.rowId) {
    case kTpFrequency:
        SetNumber(rule, edit.text, [&](uint16_t v) { transponder.SetFrequency(v); });
        break;
    case kTpPolarity:
        transponder.SetPolarisation(rowOptions.ChosenValue(edit.text) & 3);
        break;
    case kTpSymbolRate:
        SetNumber(rule, edit.text, [&](uint16_t v) { transponder.SetSymbolRate(v); });
        break;
    case kTpTpId:
        SetNumber(rule, edit.text, [&](uint16_t v) { transponder.SetTpId(v); });
        break;
    case kTpOrgNetId:
        SetNumber(rule, edit.text, [&](uint16_t v) { transponder.SetOrgNetId(v); });
        break;
    default:
        // The satellite of a transponder is not moved from the pane.
        break;
    }
}
