#include "NewChannel.h"

#include <algorithm>
#include <cstdio>

#include "ChannelRows.h"
#include "ExchangeMessages.h"
#include "InputRules.h"
#include "VandrelEdit2028Doc.h"

namespace {

bool OfKind(const CServiceData* s, bool television)
{
    return s != nullptr && s->GetNumber() != 0 && s->IsRadio() != television;
}

// A transponder a channel can go on: a used slot of the table.
const CTransponderData* UsableTransponder(const CVandrelEdit2028Doc& doc, int index)
{
    if (index < 0 || index >= doc.m_transponders.GetSize()) {
        return nullptr;
    }
    const CTransponderData* t = doc.m_transponders.GetAt(index);
    return t->GetNumber() != 0 ? t : nullptr;
}

std::string Format(const char* pattern, const std::string& text, int a, int b = 0)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, pattern, text.c_str(), a, b);
    return buf;
}

void ClearField(CServiceData& s, size_t offset, size_t width)
{
    std::fill_n(s.m_record.begin() + static_cast<long>(offset), width, uint8_t{0});
}

void SetBit(CServiceData& s, uint8_t bit, bool on)
{
    s.SetFlags(on ? static_cast<uint8_t>(s.GetFlags() | bit) : static_cast<uint8_t>(s.GetFlags() & ~bit));
}

// Writes the typed fields over the record. The name and provider fields are
// cleared first, so nothing of the template's texts stays behind their end.
void ApplyFields(CServiceData& s, const NewChannelFields& f, uint16_t transponderNumber, bool television,
                 bool sameTransponder)
{
    s.SetTransponder(transponderNumber);
    s.SetServiceId(static_cast<uint16_t>(f.serviceId));
    s.SetPmtPid(static_cast<uint16_t>(f.pmtPid));
    if (television) {
        s.SetVideoPid(static_cast<uint16_t>(f.videoPid));
    }
    s.SetAudioPid(static_cast<uint16_t>(f.audioPid));
    s.SetPcrPid(static_cast<uint16_t>(f.pcrPid));
    ClearField(s, 40, 20);
    s.SetNameText(f.name);
    ClearField(s, 60, 12);
    s.SetProviderText(f.provider);
    s.SetFavouriteGroup(static_cast<uint8_t>(std::clamp(f.favouriteGroup, 0, 8)));
    SetBit(s, 0x08, !television);
    SetBit(s, 0x10, f.skip);
    SetBit(s, 0x20, f.locked);
    // Scrambling and the video format belong to the template's own stream;
    // only on the same transponder are they a fair guess.
    if (!sameTransponder) {
        s.m_record[28] = 0;
        s.m_record[29] = 0;
        s.m_record[32] = 0;
    }
    // The user may clear the template's scrambling, never invent one.
    if (!f.scrambled && s.IsScrambled()) {
        s.m_record[28] = 0;
        s.m_record[29] = 0;
    }
}

// The receiver's in-use marks of the channel's transponder and satellite. A
// new channel can only turn marks on, so the other records keep their bytes.
void MarkInUse(CVandrelEdit2028Doc& doc, uint16_t transponderNumber)
{
    for (int i = 0; i < doc.m_transponders.GetSize(); ++i) {
        CTransponderData& t = *doc.m_transponders.GetAt(i);
        if (t.GetNumber() != transponderNumber) {
            continue;
        }
        t.SetFlags(t.GetFlags() | (1u << 21));
        for (int k = 0; k < doc.m_satellites.GetSize(); ++k) {
            CSatelliteData& sat = *doc.m_satellites.GetAt(k);
            if (sat.GetNumber() == t.GetSatellite()) {
                sat.SetFlags(static_cast<uint8_t>(sat.GetFlags() | 0x08));
            }
        }
    }
}

} // namespace

std::string NewChannelBlocker(const CVandrelEdit2028Doc& doc)
{
    const CServiceDataArray& services = doc.m_services;
    if (services.GetSize() != ndb::kSvcSlots) {
        return newch::kTableIncomplete;
    }
    if (services.FreeSlots() == 0) {
        char buf[256];
        std::snprintf(buf, sizeof buf, exmsg::kTableFull, ndb::kSvcSlots);
        return buf;
    }
    for (int i = 0; i < doc.m_transponders.GetSize(); ++i) {
        if (UsableTransponder(doc, i) != nullptr) {
            return {};
        }
    }
    return newch::kNoTransponders;
}

const CServiceData* NewChannelTemplate(const CVandrelEdit2028Doc& doc, bool television,
                                       const CServiceData* selected, int transponderIndex)
{
    if (OfKind(selected, television)) {
        return selected;
    }
    // The channels of the kind as the list shows them, in channel order.
    const std::vector<ChannelRow> rows = SelectAllChannels(doc, !television);
    if (rows.empty()) {
        return nullptr;
    }
    if (const CTransponderData* t = UsableTransponder(doc, transponderIndex)) {
        for (const ChannelRow& row : rows) {
            if (row.service->GetTransponder() == t->GetNumber()) {
                return row.service;
            }
        }
    }
    return rows.front().service;
}

bool TemplateScrambled(const CVandrelEdit2028Doc& doc, bool television, const CServiceData* selected,
                       int transponderIndex)
{
    const CServiceData* templ = NewChannelTemplate(doc, television, selected, transponderIndex);
    if (templ == nullptr || transponderIndex < 0 || transponderIndex >= doc.m_transponders.GetSize()) {
        return false;
    }
    return templ->IsScrambled() &&
           templ->GetTransponder() == doc.m_transponders.GetAt(transponderIndex)->GetNumber();
}

std::string TemplateText(const CServiceData* templ)
{
    if (templ == nullptr) {
        return newch::kNoTemplate;
    }
    return templ->GetNameText() + " (Nr. " + std::to_string(templ->m_nListPos) + ")";
}

int StartTransponderIndex(const CVandrelEdit2028Doc& doc, bool television, const CServiceData* selected)
{
    if (const CServiceData* t = NewChannelTemplate(doc, television, selected, -1)) {
        const int index = doc.m_transponders.IndexOfNumber(t->GetTransponder());
        if (UsableTransponder(doc, index) != nullptr && doc.m_transponders.GetAt(index)->GetFrequency() != 0) {
            return index;
        }
    }
    // The drop-downs offer only transponders with a frequency.
    for (int i = 0; i < doc.m_transponders.GetSize(); ++i) {
        if (UsableTransponder(doc, i) != nullptr && doc.m_transponders.GetAt(i)->GetFrequency() != 0) {
            return i;
        }
    }
    return -1;
}

const CServiceData* FindSameChannel(const CServiceDataArray& services, bool television, uint16_t transponderNumber,
                                    uint16_t serviceId)
{
    for (int i = 0; i < services.GetSize(); ++i) {
        const CServiceData* s = services.GetAt(i);
        if (OfKind(s, television) && s->GetTransponder() == transponderNumber && s->GetServiceId() == serviceId) {
            return s;
        }
    }
    return nullptr;
}

std::string DuplicateMessage(const CServiceData& existing, bool television)
{
    return Format(television ? "Auf diesem Transponder gibt es bereits den Fernsehkanal „%s“ (Nr. %i) mit der "
                               "Service ID %i."
                             : "Auf diesem Transponder gibt es bereits den Radiokanal „%s“ (Nr. %i) mit der "
                               "Service ID %i.",
                  existing.GetNameText(), existing.m_nListPos, existing.GetServiceId());
}

InputRule NewChannelNameRule()
{
    InputRule rule = ServiceNameRule();
    rule.required = true;
    return rule;
}

NewChannelCheck CheckNewChannel(const CVandrelEdit2028Doc& doc, const NewChannelTexts& in, bool television)
{
    NewChannelCheck check;
    NewChannelFields& f = check.fields;
    // Stores the refusal of a text the rule does not accept; true when it does.
    const auto accepted = [&check](NewChannelField field, const InputRule& rule, const char* label,
                                   const std::string& text) {
        InputCheck verdict = CheckInput(rule, label, text);
        if (verdict.verdict == InputVerdict::Accepted) {
            return true;
        }
        check.bad = field;
        check.error = std::move(verdict.message);
        return false;
    };
    if (!accepted(NewChannelField::Name, NewChannelNameRule(), newch::kNameLabel, in.name)) {
        return check;
    }
    f.name = in.name;
    const CTransponderData* transponder = UsableTransponder(doc, in.transponderIndex);
    if (transponder == nullptr) {
        check.bad = NewChannelField::Transponder;
        check.error = newch::kNoTransponderChosen;
        return check;
    }
    f.transponderIndex = in.transponderIndex;
    struct Number {
        const std::string& text;
        const char* label;
        InputRule rule;
        int& value;
        NewChannelField field;
    };
    Number numbers[] = {
        {in.serviceId, newch::kServiceIdLabel, ServiceIdRule(), f.serviceId, NewChannelField::ServiceId},
        {in.pmtPid, newch::kPmtPidLabel, PidRule(), f.pmtPid, NewChannelField::PmtPid},
        {in.videoPid, newch::kVideoPidLabel, PidRule(), f.videoPid, NewChannelField::VideoPid},
        {in.audioPid, newch::kAudioPidLabel, PidRule(), f.audioPid, NewChannelField::AudioPid},
        {in.pcrPid, newch::kPcrPidLabel, PidRule(), f.pcrPid, NewChannelField::PcrPid},
    };
    for (Number& n : numbers) {
        if (n.field == NewChannelField::VideoPid && !television) {
            continue;
        }
        if (!accepted(n.field, n.rule, n.label, n.text)) {
            return check;
        }
        n.value = *NumberOf(n.rule, n.text);
    }
    if (!accepted(NewChannelField::Provider, ProviderRule(), newch::kProviderLabel, in.provider)) {
        return check;
    }
    f.provider = in.provider;
    f.favouriteGroup = std::clamp(in.favouriteGroup, 0, 8);
    f.locked = in.locked;
    f.skip = in.skip;
    f.scrambled = in.scrambled;
    if (const CServiceData* same = FindSameChannel(doc.m_services, television, transponder->GetNumber(),
                                                   static_cast<uint16_t>(f.serviceId))) {
        check.bad = NewChannelField::ServiceId;
        check.error = DuplicateMessage(*same, television);
    }
    return check;
}

int NewChannelIndex(const CVandrelEdit2028Doc& doc, bool television, const CServiceData* after)
{
    const CServiceDataArray& services = doc.m_services;
    if (OfKind(after, television)) {
        const int index = services.IndexOf(after);
        if (index >= 0) {
            return index + 1;
        }
    }
    // After the last listed channel of the kind; radio follows television,
    // so a first radio channel goes after the last television channel.
    std::vector<ChannelRow> rows = SelectAllChannels(doc, !television);
    if (rows.empty() && !television) {
        rows = SelectAllChannels(doc, false);
    }
    return rows.empty() ? 0 : services.IndexOf(rows.back().service) + 1;
}

NewChannelResult AddNewChannel(CVandrelEdit2028Doc& doc, const NewChannelFields& fields, bool television,
                               const CServiceData* selected)
{
    NewChannelResult result;
    result.message = NewChannelBlocker(doc);
    if (!result.message.empty()) {
        return result;
    }
    const CTransponderData* transponder = UsableTransponder(doc, fields.transponderIndex);
    if (transponder == nullptr) {
        result.message = newch::kNoTransponderChosen;
        return result;
    }
    const uint16_t number = transponder->GetNumber();
    if (const CServiceData* same =
            FindSameChannel(doc.m_services, television, number, static_cast<uint16_t>(fields.serviceId))) {
        result.message = DuplicateMessage(*same, television);
        return result;
    }
    const CServiceData* templ = NewChannelTemplate(doc, television, selected, fields.transponderIndex);
    const int index = NewChannelIndex(doc, television, selected);
    CServiceData* added = nullptr;
    if (templ != nullptr) {
        CServiceData image(templ->m_record.data());
        ApplyFields(image, fields, number, television, templ->GetTransponder() == number);
        added = doc.AddService(&image, television);
    } else {
        added = doc.AddService(nullptr, television);
        if (added != nullptr) {
            ApplyFields(*added, fields, number, television, false);
            // A used record needs a number other than 0 until the save
            // renumbers; a head total of 65535 would have wrapped to 0.
            if (added->GetNumber() == 0) {
                added->SetNumber(1);
            }
        }
    }
    if (added == nullptr) {
        result.message = newch::kTableIncomplete;
        return result;
    }
    doc.m_services.MoveService(added, index);
    doc.m_services.NumberListPositions();
    MarkInUse(doc, number);
    result.added = added;
    return result;
}
