#include "PaneEdits.h"

#include "PaneRows.h"
#include "VandrelEdit2028Doc.h"

uint16_t ParseLeadingNumber(const std::string& text)
{
    // Reduced digit by digit, so any number of digits gives the value modulo 65536.
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = (value * 10u + static_cast<uint32_t>(c - '0')) & 0xFFFFu;
    }
    return static_cast<uint16_t>(value);
}

namespace {
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
    switch (id) {
    case kName:
        service.SetNameText(edit.text, ve::CodePage::Latin1);
        return;
    case kProvider:
        service.SetProviderText(edit.text, ve::CodePage::Latin1);
        return;
    case kServiceId:
        service.SetServiceId(ParseLeadingNumber(edit.text));
        return;
    case kVideoPid:
        service.SetVideoPid(ParseLeadingNumber(edit.text));
        return;
    case kAudioPid:
        service.SetAudioPid(ParseLeadingNumber(edit.text));
        return;
    case kPcrPid:
        service.SetPcrPid(ParseLeadingNumber(edit.text));
        return;
    case kPmtPid:
        service.SetPmtPid(ParseLeadingNumber(edit.text));
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
    switch (edit.rowId) {
    case kTpFrequency:
        transponder.SetFrequency(ParseLeadingNumber(edit.text));
        break;
    case kTpPolarity:
        transponder.SetPolarisation(rowOptions.ChosenValue(edit.text) & 3);
        break;
    case kTpSymbolRate:
        transponder.SetSymbolRate(ParseLeadingNumber(edit.text));
        break;
    case kTpTpId:
        transponder.SetTpId(ParseLeadingNumber(edit.text));
        break;
    case kTpOrgNetId:
        transponder.SetOrgNetId(ParseLeadingNumber(edit.text));
        break;
    default:
        // The satellite of a transponder is not moved from the pane.
        break;
    }
}
