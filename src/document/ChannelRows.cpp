#include "ChannelRows.h"

#include <algorithm>
#include <cstdio>

#include "VandrelEdit2028Doc.h"

namespace {

constexpr const char* kHeaders[kChannelColumnCount] = {
    "Kanalname", "Nr",        "Typ",       "Satellit", "Frequenz", "Polarität", "Symbolrate",
    "ServiceID", "Video Pid", "Audio Pid", "PCR Pid",  "PMT Pid",  "HD",        "T 1",
    "T 2",       "Ver.",      "Gesp.",     "Über.",    "Provider"};

std::string Padded5(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%5i", value);
    return buf;
}

bool OfKind(const CServiceData& s, bool radio)
{
    return s.IsRadio() == radio;
}

} // namespace

const char* ChannelColumnHeader(int column)
{
    return column >= 0 && column < kChannelColumnCount ? kHeaders[column] : "";
}

std::vector<int> DefaultColumnOrder()
{
    std::vector<int> order = {kColNumber, kColName};
    for (int c = kColType; c < kChannelColumnCount; ++c) {
        order.push_back(c);
    }
    return order;
}

std::vector<ChannelRow> SelectAllChannels(const CVandrelEdit2028Doc& doc, bool radio)
{
    const CServiceDataArray& services = doc.m_services;
    const long long tv = services.GetTvCount();
    const long long first = radio ? tv : 0;
    // The range is kept inside the channels.
    const long long last = std::min<long long>(radio ? tv + services.GetRadioCount() : tv, services.ChannelEnd());
    std::vector<ChannelRow> rows;
    int number = 0;
    for (long long i = first; i < last; ++i) {
        CServiceData* s = services.GetAt(static_cast<int>(i));
        if (s != nullptr && OfKind(*s, radio) && s->GetNumber() != 0) {
            rows.push_back({s, ++number});
        }
    }
    return rows;
}

namespace {

// A numbered record behind the first empty slot is on no chain: no list shows it.
bool OffTheChains(const CServiceData& s, int index, int channelEnd)
{
    return s.GetNumber() != 0 && index >= channelEnd;
}

// Rows in array order that pass the filter, numbered by their place among
// the used records of their kind.
template <class Filter>
std::vector<ChannelRow> SelectNumbered(const CVandrelEdit2028Doc& doc, bool radio, Filter filter)
{
    std::vector<ChannelRow> rows;
    int used = 0;
    const int channelEnd = doc.m_services.ChannelEnd();
    for (int i = 0; i < doc.m_services.GetSize(); ++i) {
        CServiceData* s = doc.m_services.GetAt(i);
        if (!OfKind(*s, radio) || OffTheChains(*s, i, channelEnd)) {
            continue;
        }
        if (s->GetNumber() != 0) {
            ++used;
        }
        if (filter(*s)) {
            rows.push_back({s, s->GetNumber() != 0 ? used : 0xFFFF});
        }
    }
    return rows;
}

} // namespace

std::vector<ChannelRow> SelectSatelliteChannels(const CVandrelEdit2028Doc& doc, int satelliteIndex, bool radio)
{
    if (satelliteIndex < 0 || satelliteIndex >= doc.m_satellites.GetSize()) {
        return {};
    }
    const CSatelliteData* sat = doc.m_satellites.GetAt(satelliteIndex);
    return SelectNumbered(doc, radio, [&](const CServiceData& s) {
        const CTransponderData* tp = doc.TransponderOf(&s);
        return tp != nullptr && doc.SatelliteOf(tp) == sat;
    });
}

std::vector<ChannelRow> SelectTransponderChannels(const CVandrelEdit2028Doc& doc, const CTransponderData* transponder,
                                                  bool radio)
{
    if (transponder == nullptr) {
        return {};
    }
    const uint16_t number = transponder->GetNumber();
    return SelectNumbered(doc, radio, [&](const CServiceData& s) { return s.GetTransponder() == number; });
}

std::vector<ChannelRow> SelectFavouriteChannels(const CVandrelEdit2028Doc& doc, int groupIndex, bool radio,
                                                bool sequentialNumbers)
{
    std::vector<ChannelRow> rows;
    if (groupIndex < 0 || groupIndex >= doc.m_configuration.GetSize()) {
        return rows;
    }
    int running = 0;
    const int channelEnd = doc.m_services.ChannelEnd();
    for (int i = 0; i < doc.m_services.GetSize(); ++i) {
        CServiceData* s = doc.m_services.GetAt(i);
        if (OfKind(*s, radio) && s->GetFavouriteGroup() == groupIndex + 1 && !OffTheChains(*s, i, channelEnd)) {
            ++running;
            rows.push_back({s, sequentialNumbers ? running : s->m_nListPos});
        }
    }
    return rows;
}

std::string ChannelColumnText(const CVandrelEdit2028Doc& doc, const ChannelRow& row, int column, bool listMode)
{
    const CServiceData& s = *row.service;
    const CTransponderData* tp = nullptr;
    if (column >= kColSatellite && column <= kColSymbolRate) {
        tp = doc.TransponderOf(&s);
    }
    switch (column) {
    case kColName:
        if (listMode) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%4i ", row.number);
            return buf + s.GetNameText();
        }
        return s.GetNameText();
    case kColNumber:
        return std::to_string(row.number);
    case kColType:
        return s.IsRadio() ? "Radio" : "TV";
    case kColSatellite: {
        const CSatelliteData* sat = doc.SatelliteOf(tp);
        return sat ? sat->GetNameText() : std::string();
    }
    case kColFrequency:
        return tp ? std::to_string(tp->GetFrequency()) : std::string();
    case kColPolarity:
        return tp ? tp->FormatPolarityText() : std::string();
    case kColSymbolRate:
        return tp ? std::to_string(tp->GetSymbolRate()) : std::string();
    case kColServiceId:
        return Padded5(s.GetServiceId());
    case kColVideoPid:
        return Padded5(s.GetVideoPid());
    case kColAudioPid:
        return Padded5(s.GetAudioPid());
    case kColPcrPid:
        return Padded5(s.GetPcrPid());
    case kColPmtPid:
        return Padded5(s.GetPmtPid());
    case kColHD:
        return s.IsHD() ? "X" : "";
    case kColTuner1: {
        const uint16_t w = s.GetTunerWord();
        if ((w & 4) == 0) {
            return "X";
        }
        return (w & 8) ? "<" : "";
    }
    case kColTuner2: {
        const uint16_t w = s.GetTunerWord();
        if (w & 4) {
            return "X";
        }
        return (w & 8) ? ">" : "";
    }
    case kColScrambled:
        return s.IsScrambled() ? "\xE2\x82\xAC" : "";
    case kColLocked:
        return s.IsLocked() ? "X" : "";
    case kColSkip:
        return s.IsSkip() ? "X" : "";
    case kColProvider:
        return s.GetProviderText();
    default:
        return {};
    }
}
