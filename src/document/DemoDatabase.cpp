#include "DemoDatabase.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "model/Endian.h"
#include "model/NdbFormat.h"
#include "model/NdbPrepackaging.h"
#include "model/TextCodec.h"

using namespace ve;

namespace {

// Deterministic generator, so every run writes the same file.
class Lcg {
public:
    uint32_t Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint32_t m_state = 2028;
};

struct DemoSatellite {
    const char* name;
    int position; // tenths of a degree
    bool west;
    int transponders;
};

constexpr DemoSatellite kSatellites[] = {
    {"Astra 1KR/1L/1M/1N", 192, false, 30}, {"Hotbird 13B/13C/13E", 130, false, 24},
    {"Astra 3B", 235, false, 14},           {"Eutelsat 16A", 160, false, 10},
    {"Türksat 3A/4A", 420, false, 10},      {"Thor 5/6/7", 8, true, 8},
    {"Hispasat 30W", 300, true, 6},
};

constexpr const char* kTvNames[] = {
    "Das Erste",     "ZDF",          "3sat",          "arte",         "KiKA",         "phoenix",
    "BR Fernsehen",  "hr-fernsehen", "MDR Sachsen",   "NDR FS HH",    "rbb Berlin",   "SWR BW",
    "WDR Köln",      "ORF1",         "ORF2",          "ServusTV",     "SRF 1",        "RTL",
    "SAT.1",         "ProSieben",    "VOX",           "kabel eins",   "RTLZWEI",      "Tele 5",
    "DMAX",          "n-tv",         "WELT",          "Sky Sport",    "Eurosport 1",  "TF1",
    "France 2",      "Rai 1",        "Canal+ Sport",  "TVE Intern.",  "Münchner TV",  "Bibel TV",
    "ONE",           "tagesschau24", "ZDFneo",        "ZDFinfo",      "Sport1",       "Welt der Wunder",
    "Disney Channel", "Nickelodeon", "Comedy Central", "ANIXE",       "QVC",          "HSE",
};
constexpr const char* kRadioNames[] = {
    "Bayern 3",  "hr3",      "SWR3",      "WDR 2",      "NDR 2",    "Deutschlandfunk", "Ö1",
    "Ö3",        "FM4",      "SRF 3",     "radioeins",  "MDR JUMP", "Antenne Bayern",  "bigFM",
    "Radio Bob", "Klassik",  "SR 1",      "1LIVE",      "Bremen Zwei", "Energy Zürich",
};
constexpr const char* kProviders[] = {"ARD",   "ZDFvision", "ORF",    "SRG SSR", "CBC", "ProSiebenSat",
                                      "Sky",   "Canal+",    "Rai",    "BetaDigital", "Türksat", "MTVNE"};

void PutText(uint8_t* field, size_t width, const std::string& utf8, CodePage cp)
{
    std::string bytes = EncodeCodePage(Utf8ToUtf32(utf8), cp);
    bytes.resize(std::min(bytes.size(), width - 1));
    std::memset(field, 0, width);
    std::memcpy(field, bytes.data(), bytes.size());
}

void Append(const std::vector<uint8_t>& body, uint32_t tagId, uint32_t version)
{
    uint8_t header[ndb::kHeaderSize];
    MakeBlockHeader(header, tagId, version);
    CMemStream stream(body);
    CNDBPrepackaging::GetInstance().AppendBlock(header, stream);
}

std::array<uint8_t, ndb::kDatabaseHeaderSize> DatabaseHeader()
{
    std::array<uint8_t, ndb::kDatabaseHeaderSize> h{};
    std::memcpy(h.data(), "RUDEVOZ SF2028 CHANNEL DATA", 27);
    h[0x21] = 1, h[0x22] = 4, h[0x23] = 12;
    WriteLE16(&h[0x28], 2), WriteLE16(&h[0x2A], 28);
    WriteLE16(&h[0x2C], 2026), h[0x2E] = 11, h[0x2F] = 20;
    h[0x30] = 10, h[0x31] = 3, h[0x32] = 0, h[0x33] = 7;
    WriteLE16(&h[0x42], 3), WriteLE16(&h[0x44], 1), WriteLE16(&h[0x46], 2), WriteLE16(&h[0x48], 9);
    WriteLE16(&h[0x4A], 7), WriteLE16(&h[0x4C], 3), WriteLE16(&h[0x4E], 1), WriteLE16(&h[0x50], 5);
    return h;
}

std::vector<uint8_t> ConfigurationBody()
{
    std::vector<uint8_t> body(ndb::kConfigV2BodyLength);
    for (size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<uint8_t>((i * 7 + 3) & 0x3F);
    }
    body[ndb::kConfigOsdLanguage] = 3;
    body[ndb::kConfigAudio1] = 8, body[ndb::kConfigAudio2] = 5;
    body[ndb::kConfigSubtitle1] = 8, body[ndb::kConfigSubtitle2] = 5;
    const char* names[ndb::kFavGroupCount] = {"MOVIE", "NEWS", "SPORTS", "MUSIC",
                                              "Kinder & Familie", "Dokus", "FAMILY", "Österreich"};
    for (int g = 0; g < ndb::kFavGroupCount; ++g) {
        PutText(&body[ndb::kConfigFavNames + ndb::kFavNameSize * static_cast<size_t>(g)], ndb::kFavNameSize,
                names[g], CodePage::Windows1252);
    }
    return body;
}

struct DemoTransponder {
    uint16_t number;
    uint8_t satellite;
};

std::vector<uint8_t> SatelliteBody()
{
    std::vector<uint8_t> body(ndb::kSatBodySize);
    std::memcpy(body.data(), "\x01\x00\x07\x00\xFA\x00\x00\x00", 8);
    uint8_t* rec = &body[ndb::kSatHeadSize];
    int number = 1;
    for (const DemoSatellite& s : kSatellites) {
        rec[0] = static_cast<uint8_t>(number++);
        rec[1] = 0x01;
        std::string name = s.name;
        std::memcpy(rec + 3, name.data(), std::min<size_t>(name.size(), 20));
        rec[23] = static_cast<uint8_t>(0x08 | (s.west ? 0x10 : 0));
        WriteLE16(rec + 24, static_cast<uint16_t>(s.position));
        WriteLE16(rec + 26, 9750), WriteLE16(rec + 28, 10600), WriteLE16(rec + 30, 11700);
        rec += ndb::kSatRecordSize;
    }
    return body;
}

std::vector<uint8_t> TransponderBody(std::vector<DemoTransponder>& made, Lcg& rng)
{
    std::vector<uint8_t> body(ndb::kTpHeadSize + ndb::kTpSlots * ndb::kTpRecordSize);
    std::memcpy(body.data(), "\x58\x1B\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00", 12);
    uint8_t* rec = &body[ndb::kTpHeadSize];
    uint16_t number = 1;
    uint8_t satellite = 1;
    for (const DemoSatellite& s : kSatellites) {
        for (int t = 0; t < s.transponders; ++t) {
            WriteLE16(rec + 0, number);
            WriteLE16(rec + 2, 0x0101);
            WriteLE16(rec + 6, static_cast<uint16_t>(1 + satellite * 16));
            WriteLE16(rec + 8, static_cast<uint16_t>(1000 + number * 3));
            WriteLE16(rec + 10, static_cast<uint16_t>(10714 + t * 68 + rng.Below(20)));
            const uint16_t rates[] = {22000, 27500, 29700, 30000};
            WriteLE16(rec + 14, rates[rng.Below(4)]);
            WriteLE32(rec + 16, static_cast<uint32_t>(t & 1) | (1u << 21) | 0x100u);
            rec[20] = satellite;
            made.push_back({number, satellite});
            ++number;
            rec += ndb::kTpRecordSize;
        }
        ++satellite;
    }
    return body;
}

std::string ChannelName(const char* const* names, size_t count, int i, bool hd)
{
    std::string name = names[static_cast<size_t>(i) % count];
    if (static_cast<size_t>(i) >= count) {
        name = name.substr(0, 13) + " " + std::to_string(i / static_cast<int>(count) + 1);
    }
    if (hd && name.size() <= 16) {
        name += " HD";
    }
    return name;
}

void FillService(uint8_t* rec, int i, bool radio, const std::vector<DemoTransponder>& tps, Lcg& rng)
{
    const DemoTransponder& tp = tps[static_cast<size_t>(rng.Below(static_cast<int>(tps.size())))];
    WriteLE16(rec + 6, tp.number);
    WriteLE16(rec + 8, static_cast<uint16_t>(10000 + i));
    const uint16_t base = static_cast<uint16_t>(100 + (i % 60) * 100);
    WriteLE16(rec + 10, base);
    WriteLE16(rec + 12, radio ? 0x1FFF : static_cast<uint16_t>(base + 1));
    WriteLE16(rec + 14, static_cast<uint16_t>(base + 2));
    WriteLE16(rec + 16, radio ? static_cast<uint16_t>(base + 2) : static_cast<uint16_t>(base + 1));
    std::memcpy(rec + 18, "\x02\x00\x01\x00\x00\x00\xE8\x03\x00\x00", 10);
    const int provider = rng.Below(static_cast<int>(std::size(kProviders)));
    const bool payTv = provider == 6 || provider == 7 || provider == 11;
    WriteLE16(rec + 28, payTv && rng.Below(4) != 0 ? 0x1702 : 0);
    rec[30] = rng.Below(6) == 0 ? static_cast<uint8_t>(1 + rng.Below(ndb::kFavGroupCount)) : 0;
    uint8_t flags = radio ? 0x08 : 0;
    if (rng.Below(40) == 0) {
        flags |= 0x20;
    }
    if (rng.Below(30) == 0) {
        flags |= 0x10;
    }
    rec[31] = flags;
    const bool hd = !radio && rng.Below(4) == 0;
    rec[32] = radio ? 0 : (hd ? 27 : 2);
    WriteLE16(rec + 34, static_cast<uint16_t>(rng.Below(4) << 2));
    const std::string name = radio ? ChannelName(kRadioNames, std::size(kRadioNames), i, false)
                                   : ChannelName(kTvNames, std::size(kTvNames), i, hd);
    PutText(rec + 40, 20, name, CodePage::Latin1);
    PutText(rec + 60, 12, kProviders[provider], CodePage::Latin1);
    rec[72] = 0x5A;
    rec[100] = static_cast<uint8_t>(i);
}

std::vector<uint8_t> ServiceBody(const DemoOptions& o, const std::vector<DemoTransponder>& tps, Lcg& rng)
{
    std::vector<uint8_t> body(ndb::kSvcHeadSize + ndb::kSvcSlots * ndb::kSvcRecordSize);
    // Slots in a shuffled order: the chains jump across the table.
    std::vector<int> slots(ndb::kSvcSlots);
    for (int i = 0; i < ndb::kSvcSlots; ++i) {
        slots[static_cast<size_t>(i)] = i;
    }
    for (int i = ndb::kSvcSlots - 1; i > 0; --i) {
        std::swap(slots[static_cast<size_t>(i)], slots[static_cast<size_t>(rng.Below(i + 1))]);
    }
    auto slotRecord = [&](int slot) { return &body[ndb::kSvcHeadSize + ndb::kSvcRecordSize * static_cast<size_t>(slot)]; };
    const int kinds[2] = {o.tv, o.radio};
    size_t used = 0;
    uint16_t firstOf[2] = {0, 0};
    uint16_t lastOf[2] = {0, 0};
    for (int kind = 0; kind < 2; ++kind) {
        uint16_t previous = 0;
        for (int i = 0; i < kinds[kind]; ++i) {
            const int slot = slots[used++];
            const uint16_t number = static_cast<uint16_t>(slot + 1);
            uint8_t* rec = slotRecord(slot);
            FillService(rec, i, kind == 1, tps, rng);
            WriteLE16(rec + 0, number);
            WriteLE16(rec + 2, previous);
            if (previous != 0) {
                WriteLE16(slotRecord(previous - 1) + 4, number);
            } else {
                firstOf[kind] = number;
            }
            previous = number;
            lastOf[kind] = number;
        }
    }
    uint8_t* h = body.data();
    WriteLE32(h + 0, static_cast<uint32_t>(o.tv));
    WriteLE32(h + 4, static_cast<uint32_t>(o.radio));
    WriteLE16(h + 8, firstOf[0]);
    WriteLE16(h + 10, firstOf[1]);
    WriteLE16(h + 12, lastOf[0]);
    WriteLE16(h + 14, lastOf[1]);
    WriteLE16(h + 16, static_cast<uint16_t>(o.tv + o.radio));
    h[18] = 0x4E, h[19] = 0x1F;
    return body;
}

std::vector<uint8_t> TimerBody()
{
    std::vector<uint8_t> body(ndb::kTimerHeadSize + ndb::kTimerSlots * ndb::kTimerRecordSize);
    std::memcpy(body.data(), "\x14\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00", 12);
    struct Timer {
        uint8_t mode, icon, month, day, hour, minute;
        uint16_t duration;
        const char* name;
    };
    const Timer timers[] = {{1, 0, 12, 24, 0x20, 0x15, 105, "Tatort"},
                            {2, 0, 12, 9, 0x20, 0x00, 15, "Tagesschau"},
                            {3, 1, 12, 12, 0x18, 0x30, 90, "Sportschau"},
                            {4, 1, 12, 14, 0x06, 0x45, 20, "Morgenmagazin Ö3"}};
    for (size_t i = 0; i < std::size(timers); ++i) {
        uint8_t* rec = &body[ndb::kTimerHeadSize + ndb::kTimerRecordSize * (i * 3)];
        const Timer& t = timers[i];
        WriteLE16(rec + 0, static_cast<uint16_t>(i + 1));
        WriteLE16(rec + 2, 1);
        rec[6] = t.mode, rec[7] = t.icon;
        WriteLE16(rec + 8, 2026);
        rec[12] = t.month, rec[16] = t.day;
        rec[41] = t.minute, rec[42] = t.hour;
        WriteLE16(rec + 44, t.duration);
        PutText(rec + 55, 20, t.name, CodePage::Latin1);
    }
    return body;
}

} // namespace

std::vector<uint8_t> BuildDemoDatabase(const DemoOptions& options)
{
    DemoOptions o = options;
    o.tv = std::clamp(o.tv, 0, ndb::kSvcSlots);
    o.radio = std::clamp(o.radio, 0, ndb::kSvcSlots - o.tv);
    Lcg rng;
    std::vector<DemoTransponder> transponders;

    CNDBPrepackaging& out = CNDBPrepackaging::GetInstance();
    out.Reset();
    const auto header = DatabaseHeader();
    out.AppendRaw(header.data(), header.size());
    Append(ConfigurationBody(), 0xDB01, 2);
    Append(SatelliteBody(), 0xDB02, 3);
    Append(TransponderBody(transponders, rng), 0xDB03, 1);
    Append(ServiceBody(o, transponders, rng), 0xDB04, 2);
    Append(TimerBody(), 0xDB05, 3);
    return out.WriteContainer();
}
