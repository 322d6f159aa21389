#include "NdbTestBuilder.h"

#include <algorithm>
#include <stdexcept>

namespace ndbtest {

// ---- bytes --------------------------------------------------------------------

uint32_t BitwiseCrc32(const uint8_t* data, size_t count)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return crc ^ 0xFFFFFFFFu;
}

static void Need(const Bytes& b, size_t off, size_t count)
{
    if (off + count > b.size()) {
        throw std::out_of_range("test builder: field outside its buffer");
    }
}

void PutU8(Bytes& b, size_t off, uint8_t v)
{
    Need(b, off, 1);
    b[off] = v;
}

void PutU16(Bytes& b, size_t off, uint16_t v)
{
    Need(b, off, 2);
    b[off] = static_cast<uint8_t>(v & 0xFF);
    b[off + 1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(Bytes& b, size_t off, uint32_t v)
{
    Need(b, off, 4);
    for (int i = 0; i < 4; ++i) {
        b[off + static_cast<size_t>(i)] = static_cast<uint8_t>((v >> (8 * i)) & 0xFF);
    }
}

uint16_t GetU16(const Bytes& b, size_t off)
{
    Need(b, off, 2);
    return static_cast<uint16_t>(b[off] + 256u * b[off + 1]);
}

uint32_t GetU32(const Bytes& b, size_t off)
{
    Need(b, off, 4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = v * 256u + b[off + static_cast<size_t>(i)];
    }
    return v;
}

void PutText(Bytes& b, size_t off, size_t width, const std::string& raw)
{
    Need(b, off, width);
    size_t n = raw.size() < width ? raw.size() : width;
    for (size_t i = 0; i < n; ++i) {
        b[off + i] = static_cast<uint8_t>(raw[i]);
    }
    if (n < width) {
        b[off + n] = 0;
    }
}

Bytes Slice(const Bytes& b, size_t off, size_t count)
{
    Need(b, off, count);
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(off),
                 b.begin() + static_cast<std::ptrdiff_t>(off + count));
}

void Append(Bytes& dst, const Bytes& src) { dst.insert(dst.end(), src.begin(), src.end()); }

uint8_t Filler(uint32_t seed, size_t offset)
{
    uint32_t v = (seed * 151u + static_cast<uint32_t>(offset) * 29u + 0x5Bu) & 0xFFu;
    return v == 0 ? 0xA5 : static_cast<uint8_t>(v);
}

void Fill(Bytes& b, size_t off, size_t count, uint32_t seed)
{
    Need(b, off, count);
    for (size_t i = 0; i < count; ++i) {
        b[off + i] = Filler(seed, off + i);
    }
}

// ---- records --------------------------------------------------------------------

SatelliteRecord& SatelliteRecord::Number(uint8_t n) { PutU8(b, 0, n); return *this; }
SatelliteRecord& SatelliteRecord::Name(const std::string& raw) { PutText(b, 3, 20, raw); return *this; }
SatelliteRecord& SatelliteRecord::Flags(uint8_t f) { PutU8(b, 23, f); return *this; }
SatelliteRecord& SatelliteRecord::PositionWord(uint16_t w) { PutU16(b, 24, w); return *this; }

SatelliteRecord& SatelliteRecord::Position(int tenths, bool west)
{
    uint16_t w = GetU16(b, 24);
    w = static_cast<uint16_t>((w & 0xF800u) | (static_cast<unsigned>(tenths) & 0x07FFu));
    PutU16(b, 24, w);
    b[23] = static_cast<uint8_t>(west ? (b[23] | 0x10) : (b[23] & ~0x10));
    return *this;
}

SatelliteRecord& SatelliteRecord::Kept(uint32_t seed)
{
    Fill(b, 1, 2, seed);
    Fill(b, 26, 26, seed);
    return *this;
}

TransponderRecord& TransponderRecord::Number(uint16_t n) { PutU16(b, 0, n); return *this; }
TransponderRecord& TransponderRecord::OrgNetId(uint16_t v) { PutU16(b, 6, v); return *this; }
TransponderRecord& TransponderRecord::TpId(uint16_t v) { PutU16(b, 8, v); return *this; }
TransponderRecord& TransponderRecord::Frequency(uint16_t v) { PutU16(b, 10, v); return *this; }
TransponderRecord& TransponderRecord::SymbolRate(uint16_t v) { PutU16(b, 14, v); return *this; }
TransponderRecord& TransponderRecord::Flags(uint32_t v) { PutU32(b, 16, v); return *this; }
TransponderRecord& TransponderRecord::Satellite(uint8_t n) { PutU8(b, 20, n); return *this; }

TransponderRecord& TransponderRecord::Kept(uint32_t seed)
{
    Fill(b, 2, 4, seed);
    Fill(b, 12, 2, seed);
    Fill(b, 21, 3, seed);
    return *this;
}

ServiceRecord& ServiceRecord::Number(uint16_t n) { PutU16(b, 0, n); return *this; }
ServiceRecord& ServiceRecord::Previous(uint16_t n) { PutU16(b, 2, n); return *this; }
ServiceRecord& ServiceRecord::Next(uint16_t n) { PutU16(b, 4, n); return *this; }
ServiceRecord& ServiceRecord::Transponder(uint16_t n) { PutU16(b, 6, n); return *this; }
ServiceRecord& ServiceRecord::ServiceId(uint16_t v) { PutU16(b, 8, v); return *this; }
ServiceRecord& ServiceRecord::PmtPid(uint16_t v) { PutU16(b, 10, v); return *this; }
ServiceRecord& ServiceRecord::VideoPid(uint16_t v) { PutU16(b, 12, v); return *this; }
ServiceRecord& ServiceRecord::AudioPid(uint16_t v) { PutU16(b, 14, v); return *this; }
ServiceRecord& ServiceRecord::PcrPid(uint16_t v) { PutU16(b, 16, v); return *this; }
ServiceRecord& ServiceRecord::Ca(uint16_t v) { PutU16(b, 28, v); return *this; }
ServiceRecord& ServiceRecord::FavGroup(uint8_t g) { PutU8(b, 30, g); return *this; }
ServiceRecord& ServiceRecord::Flags(uint8_t f) { PutU8(b, 31, f); return *this; }
ServiceRecord& ServiceRecord::VideoType(uint8_t t) { PutU8(b, 32, t); return *this; }
ServiceRecord& ServiceRecord::TunerWord(uint16_t w) { PutU16(b, 34, w); return *this; }
ServiceRecord& ServiceRecord::Name(const std::string& raw) { PutText(b, 40, 20, raw); return *this; }
ServiceRecord& ServiceRecord::Provider(const std::string& raw) { PutText(b, 60, 12, raw); return *this; }

ServiceRecord& ServiceRecord::Kept(uint32_t seed)
{
    Fill(b, 18, 10, seed);
    Fill(b, 33, 1, seed);
    Fill(b, 36, 4, seed);
    Fill(b, 72, 72, seed);
    return *this;
}

TimerRecord& TimerRecord::InUseWords(uint16_t w0, uint16_t w2, uint16_t w4)
{
    PutU16(b, 0, w0);
    PutU16(b, 2, w2);
    PutU16(b, 4, w4);
    return *this;
}
TimerRecord& TimerRecord::Mode(uint8_t m) { PutU8(b, 6, m); return *this; }
TimerRecord& TimerRecord::Icon(uint8_t i) { PutU8(b, 7, i); return *this; }

TimerRecord& TimerRecord::Date(uint16_t year, uint8_t month, uint8_t day)
{
    PutU16(b, 8, year);
    PutU8(b, 12, month);
    PutU8(b, 16, day);
    return *this;
}

TimerRecord& TimerRecord::StartBcd(uint8_t hour, uint8_t minute)
{
    PutU8(b, 41, minute);
    PutU8(b, 42, hour);
    return *this;
}
TimerRecord& TimerRecord::Duration(uint16_t minutes) { PutU16(b, 44, minutes); return *this; }
TimerRecord& TimerRecord::Name(const std::string& raw) { PutText(b, 55, 20, raw); return *this; }

TimerRecord& TimerRecord::Kept(uint32_t seed)
{
    Fill(b, 10, 2, seed);
    Fill(b, 13, 3, seed);
    Fill(b, 17, 24, seed);
    Fill(b, 43, 1, seed);
    Fill(b, 46, 9, seed);
    Fill(b, 75, kTimerRecord - 75, seed);
    return *this;
}

// ---- block bodies -----------------------------------------------------------------

static const char* const kFactoryNames[8] = {"MOVIE", "NEWS", "SPORTS", "MUSIC", "CHILD", "DRAMA", "FAMILY", "MISC."};

const char* FactoryFavName(int slot) { return kFactoryNames[slot]; }

ConfigBody::ConfigBody(size_t bodyLength, uint32_t seed)
{
    if (bodyLength < kConfigImage) {
        throw std::invalid_argument("test builder: configuration body below 2060 bytes");
    }
    Fill(image, 0, kConfigImage, seed);
    tail.resize(bodyLength - kConfigImage);
    Fill(tail, 0, tail.size(), seed + 1);
}

ConfigBody& ConfigBody::FavName(int slot, const std::string& raw)
{
    PutText(image, kConfigFavNames + kFavName * static_cast<size_t>(slot), kFavName, raw);
    return *this;
}

ConfigBody& ConfigBody::Osd(uint8_t code)
{
    PutU8(image, 72, code);
    return *this;
}

Bytes ConfigBody::Build() const
{
    Bytes out = image;
    Append(out, tail);
    return out;
}

SatelliteBody::SatelliteBody(uint32_t seed) : head(kSatHead), tail(kSatTail)
{
    Fill(head, 0, head.size(), seed);
    Fill(tail, 0, tail.size(), seed + 1);
}

Bytes SatelliteBody::Build() const
{
    Bytes out = head;
    for (const auto& r : records) {
        Append(out, r.b);
    }
    Append(out, tail);
    Append(out, surplus);
    return out;
}

TransponderBody::TransponderBody(uint32_t seed) : head(kTpHead) { Fill(head, 0, head.size(), seed); }

Bytes TransponderBody::Build() const
{
    Bytes out = head;
    for (const auto& r : records) {
        Append(out, r.b);
    }
    out.resize(out.size() + extraZeros, 0);
    return out;
}

ServiceBody::ServiceBody(uint32_t seed) : head(kSvcHead, 0)
{
    Fill(head, 18, 2, seed); // the two head bytes nobody interprets
}

ServiceBody& ServiceBody::TvCount(uint32_t v) { PutU32(head, 0, v); return *this; }
ServiceBody& ServiceBody::RadioCount(uint32_t v) { PutU32(head, 4, v); return *this; }
ServiceBody& ServiceBody::FirstTv(uint16_t v) { PutU16(head, 8, v); return *this; }
ServiceBody& ServiceBody::FirstRadio(uint16_t v) { PutU16(head, 10, v); return *this; }
ServiceBody& ServiceBody::LastTv(uint16_t v) { PutU16(head, 12, v); return *this; }
ServiceBody& ServiceBody::LastRadio(uint16_t v) { PutU16(head, 14, v); return *this; }
ServiceBody& ServiceBody::Total(uint16_t v) { PutU16(head, 16, v); return *this; }

void ServiceBody::LinkChain(const std::vector<int>& slots)
{
    for (size_t i = 0; i < slots.size(); ++i) {
        ServiceRecord& r = records.at(static_cast<size_t>(slots[i]));
        r.Previous(i == 0 ? 0 : records.at(static_cast<size_t>(slots[i - 1])).GetNumber());
        r.Next(i + 1 == slots.size() ? 0 : records.at(static_cast<size_t>(slots[i + 1])).GetNumber());
    }
}

void ServiceBody::PlaceInArrayOrder(const std::vector<ServiceRecord>& tv, const std::vector<ServiceRecord>& radio)
{
    const size_t t = tv.size();
    const size_t r = radio.size();
    for (size_t i = 0; i < t + r; ++i) {
        ServiceRecord rec = i < t ? tv[i] : radio[i - t];
        const uint16_t k = static_cast<uint16_t>(i + 1);
        rec.Number(k);
        const bool firstOfKind = (i == 0) || (i == t);
        const bool lastOfKind = (i + 1 == t) || (i + 1 == t + r);
        rec.Previous(firstOfKind ? 0 : static_cast<uint16_t>(k - 1));
        rec.Next(lastOfKind ? 0 : static_cast<uint16_t>(k + 1));
        records.at(i) = rec;
    }
    TvCount(static_cast<uint32_t>(t));
    RadioCount(static_cast<uint32_t>(r));
    FirstTv(t > 0 ? 1 : 0);
    FirstRadio(r > 0 ? static_cast<uint16_t>(t + 1) : 0);
    LastTv(static_cast<uint16_t>(t));
    LastRadio(r > 0 ? static_cast<uint16_t>(t + r) : 0);
    Total(static_cast<uint16_t>(t + r));
}

void ServiceBody::MarkSlots()
{
    for (size_t i = 0; i < records.size(); ++i) {
        PutU16(records[i].b, 142, static_cast<uint16_t>(i));
    }
}

int SlotMarkOf(const uint8_t* record) { return record[142] + 256 * record[143]; }

Bytes ServiceBody::Build() const
{
    Bytes out = head;
    for (const auto& r : records) {
        Append(out, r.b);
    }
    out.resize(out.size() + extraZeros, 0);
    return out;
}

TimerBody::TimerBody(uint32_t seed) : head(kTimerHead) { Fill(head, 0, head.size(), seed); }

Bytes TimerBody::Build() const
{
    Bytes out = head;
    for (const auto& r : records) {
        Append(out, r.b);
    }
    Append(out, tail);
    return out;
}

// ---- framing -------------------------------------------------------------------------

// Fills bytes 4..19 as given and seals byte 0 over them.
static Bytes SealedHeader(uint32_t tagId, uint32_t version, uint32_t bodyCrc, uint32_t length,
                          bool corruptHeaderChecksum)
{
    Bytes h(kHeader, 0);
    PutU32(h, 4, tagId);
    PutU32(h, 8, version);
    PutU32(h, 12, bodyCrc);
    PutU32(h, 16, length);
    uint32_t headerCrc = BitwiseCrc32(h.data() + 4, 16);
    PutU32(h, 0, corruptHeaderChecksum ? headerCrc ^ 0x00010000u : headerCrc);
    return h;
}

Bytes FrameBlock(uint32_t tagId, uint32_t version, const Bytes& body, const BlockOptions& options)
{
    uint32_t bodyCrc = BitwiseCrc32(body);
    if (options.corruptBodyChecksum) {
        bodyCrc ^= 0x80000001u;
    }
    const uint32_t length = options.declaredLength ? *options.declaredLength : static_cast<uint32_t>(body.size());
    Bytes out = SealedHeader(tagId, version, bodyCrc, length, options.corruptHeaderChecksum);
    Append(out, body);
    return out;
}

Bytes SealContainer(const Bytes& payload, const ContainerOptions& options)
{
    uint32_t payloadCrc = BitwiseCrc32(payload);
    if (options.corruptPayloadChecksum) {
        payloadCrc ^= 0x00000100u;
    }
    const uint32_t length =
        options.declaredLength ? *options.declaredLength : static_cast<uint32_t>(payload.size());
    Bytes out = SealedHeader(options.tagId, options.version, payloadCrc, length, options.corruptHeaderChecksum);
    Append(out, payload);
    return out;
}

DbHeader::DbHeader() : b(kDbHeader) { Fill(b, 0, b.size(), 0xD7); }

DbHeader& DbHeader::P(uint8_t a, uint8_t b1, uint8_t c)
{
    PutU8(b, 0x21, a);
    PutU8(b, 0x22, b1);
    PutU8(b, 0x23, c);
    return *this;
}

DbHeader& DbHeader::V(uint16_t major, uint16_t minor)
{
    PutU16(b, 0x28, major);
    PutU16(b, 0x2A, minor);
    return *this;
}

DbHeader& DbHeader::Date(uint16_t year, uint8_t month, uint8_t day)
{
    PutU16(b, 0x2C, year);
    PutU8(b, 0x2E, month);
    PutU8(b, 0x2F, day);
    return *this;
}

DbHeader& DbHeader::Quad(uint8_t a, uint8_t b1, uint8_t c, uint8_t d)
{
    PutU8(b, 0x30, a);
    PutU8(b, 0x31, b1);
    PutU8(b, 0x32, c);
    PutU8(b, 0x33, d);
    return *this;
}

DbHeader& DbHeader::Pairs(uint16_t a, uint16_t b1, uint16_t c, uint16_t d)
{
    PutU16(b, 0x42, a);
    PutU16(b, 0x44, b1);
    PutU16(b, 0x46, c);
    PutU16(b, 0x48, d);
    return *this;
}

DbHeader& DbHeader::KM(uint16_t a, uint16_t b1, uint16_t c, uint16_t d)
{
    PutU16(b, 0x4A, a);
    PutU16(b, 0x4C, b1);
    PutU16(b, 0x4E, c);
    PutU16(b, 0x50, d);
    return *this;
}

// ---- reading back --------------------------------------------------------------------

ParsedFile ParseFile(const Bytes& file)
{
    ParsedFile out;
    if (file.size() < kHeader) {
        return out;
    }
    const uint32_t length = GetU32(file, 16);
    if (GetU32(file, 4) != kTagContainer || GetU32(file, 8) != 2 ||
        GetU32(file, 0) != BitwiseCrc32(file.data() + 4, 16) || kHeader + length != file.size()) {
        return out;
    }
    out.payload = Slice(file, kHeader, length);
    if (GetU32(file, 12) != BitwiseCrc32(out.payload) || out.payload.size() < kDbHeader) {
        return out;
    }
    out.containerOk = true;
    out.dbHeader = Slice(out.payload, 0, kDbHeader);
    size_t pos = kDbHeader;
    while (pos + kHeader <= out.payload.size()) {
        ParsedBlock block;
        block.tagId = GetU32(out.payload, pos + 4);
        block.version = GetU32(out.payload, pos + 8);
        block.headerOk = GetU32(out.payload, pos) == BitwiseCrc32(out.payload.data() + pos + 4, 16);
        const size_t bodyLength = GetU32(out.payload, pos + 16);
        if (pos + kHeader + bodyLength > out.payload.size()) {
            out.blocks.push_back(block);
            return out;
        }
        block.body = Slice(out.payload, pos + kHeader, bodyLength);
        block.bodyOk = GetU32(out.payload, pos + 12) == BitwiseCrc32(block.body);
        out.blocks.push_back(std::move(block));
        pos += kHeader + bodyLength;
    }
    out.trailing = out.payload.size() - pos;
    return out;
}

const ParsedBlock* BlockOf(const ParsedFile& file, uint32_t tagId)
{
    for (const auto& b : file.blocks) {
        if (b.tagId == tagId) {
            return &b;
        }
    }
    return nullptr;
}

Bytes BodyOf(const ParsedFile& file, uint32_t tagId)
{
    const ParsedBlock* b = BlockOf(file, tagId);
    return b ? b->body : Bytes{};
}

std::vector<Bytes> ChainRecords(const Bytes& serviceBody, bool radio)
{
    std::vector<Bytes> chain;
    if (serviceBody.size() < kSvcHead) {
        return chain;
    }
    const size_t slots = std::min<size_t>(kSvcSlots, (serviceBody.size() - kSvcHead) / kSvcRecord);
    uint16_t number = GetU16(serviceBody, radio ? 10 : 8);
    while (number != 0 && chain.size() < slots) {
        size_t slot = 0;
        while (slot < slots && GetU16(serviceBody, kSvcHead + slot * kSvcRecord) != number) {
            ++slot;
        }
        if (slot == slots) {
            break;
        }
        chain.push_back(Slice(serviceBody, kSvcHead + slot * kSvcRecord, kSvcRecord));
        number = GetU16(chain.back(), 4);
    }
    return chain;
}

std::vector<std::string> ChainNames(const Bytes& serviceBody, bool radio)
{
    std::vector<std::string> names;
    for (const Bytes& r : ChainRecords(serviceBody, radio)) {
        size_t n = 0;
        while (n < 20 && r[40 + n] != 0) {
            ++n;
        }
        names.emplace_back(r.begin() + 40, r.begin() + 40 + static_cast<long>(n));
    }
    return names;
}

// ---- whole databases --------------------------------------------------------------------

Bytes TestDatabase::ConfigBlock() const { return FrameBlock(kTagConfig, ConfigVersion(), config.Build()); }
Bytes TestDatabase::SatelliteBlock() const { return FrameBlock(kTagSatellites, 3, satellites.Build()); }
Bytes TestDatabase::TransponderBlock() const { return FrameBlock(kTagTransponders, 1, transponders.Build()); }
Bytes TestDatabase::ServiceBlock() const { return FrameBlock(kTagServices, 2, services.Build()); }
Bytes TestDatabase::TimerBlock() const { return FrameBlock(kTagTimers, 3, timers.Build()); }

Bytes TestDatabase::Payload() const
{
    Bytes out = header.b;
    Append(out, ConfigBlock());
    Append(out, SatelliteBlock());
    Append(out, TransponderBlock());
    Append(out, ServiceBlock());
    Append(out, TimerBlock());
    return out;
}

TestDatabase MakeSmallDatabase()
{
    TestDatabase db;
    db.header.P(1, 2, 3).V(260, 17).Date(2014, 3, 5).Quad(10, 0, 0, 255).Pairs(1, 2, 300, 4).KM(5, 6, 7, 1024);

    // Factory names in most slots, own names (one in Windows-1252) in two.
    for (int slot = 0; slot < 8; ++slot) {
        db.config.FavName(slot, FactoryFavName(slot));
    }
    db.config.FavName(3, "Dokus");
    db.config.FavName(5, "M\xE4nner\x80"); // "Männer€"
    db.config.Osd(3);

    // Satellites: numbers 1 to 4 in slots 0 to 3; an empty slot with kept bytes at 9.
    db.satellites.records[0].Number(1).Name("Astra 19.2E").Flags(0x08 | 0x41).PositionWord(0x2800).Position(192, false).Kept(1);
    db.satellites.records[1].Number(2).Name("Hotbird 13.0E").Flags(0x08).Position(130, false).Kept(2);
    db.satellites.records[2].Number(3).Name("Thor 0.8W").Flags(0x08).Position(8, true).Kept(3);
    db.satellites.records[3].Number(4).Name("T\xC3\xBCrksat 42.0E").Flags(0x02).Position(420, false).Kept(4);
    db.satellites.records[9].Kept(9);

    // Transponders 1 to 6; bit 21 marks the ones services use.
    const uint32_t inUse = 1u << 21;
    db.transponders.records[0].Number(1).OrgNetId(1).TpId(1019).Frequency(11494).Flags(inUse | 1 | 0x100).SymbolRate(22000).Satellite(1).Kept(11);
    db.transponders.records[1].Number(2).OrgNetId(133).TpId(6).Frequency(12188).Flags(inUse | 1).SymbolRate(27500).Satellite(1).Kept(12);
    db.transponders.records[2].Number(3).OrgNetId(318).TpId(12000).Frequency(10992).Flags(inUse).SymbolRate(27500).Satellite(2).Kept(13);
    db.transponders.records[3].Number(4).OrgNetId(318).TpId(300).Frequency(11766).Flags(0x10).SymbolRate(27500).Satellite(2).Kept(14);
    db.transponders.records[4].Number(5).OrgNetId(70).TpId(14).Frequency(10872).Flags(inUse).SymbolRate(25000).Satellite(3).Kept(15);
    db.transponders.records[5].Number(6).OrgNetId(1).TpId(42).Frequency(11958).Flags(0x4000).SymbolRate(27500).Satellite(4).Kept(16);
    db.transponders.records[4000].Kept(17);

    std::vector<ServiceRecord> tv(kSmallTv), radio(kSmallRadio);
    tv[0].Transponder(1).ServiceId(10301).PmtPid(5100).VideoPid(5101).AudioPid(5102).PcrPid(5101).VideoType(27).FavGroup(1).Name("Das Erste HD").Provider("ARD").Kept(21);
    tv[1].Transponder(1).ServiceId(11110).PmtPid(6100).VideoPid(6110).AudioPid(6120).PcrPid(6130).VideoType(27).FavGroup(2).TunerWord(4).Name("ZDF HD").Provider("ZDFvision").Kept(22);
    tv[2].Transponder(2).ServiceId(129).PmtPid(97).VideoPid(255).AudioPid(256).PcrPid(255).VideoType(2).Ca(0x1830).Flags(0x20).FavGroup(1).Name("Sky Cinema").Provider("Sky").Kept(23);
    tv[3].Transponder(3).ServiceId(3401).PmtPid(257).VideoPid(512).AudioPid(650).PcrPid(8190).VideoType(2).Flags(0x10).TunerWord(12).Name("Rai 1").Provider("RAI").Kept(24);
    tv[4].Transponder(5).ServiceId(7).PmtPid(32).VideoPid(33).AudioPid(34).PcrPid(33).VideoType(2).Ca(1).TunerWord(8).Name("T\xE9l\xE9 5").Provider("AB Sat").Kept(25);
    radio[0].Transponder(1).ServiceId(28400).AudioPid(3001).Flags(0x08).FavGroup(4).Name("Bayern 3").Provider("ARD").Kept(31);
    radio[1].Transponder(2).ServiceId(92).AudioPid(440).Flags(0x08).Ca(2).Name("Antenne Bayern").Provider("Sky").Kept(32);
    radio[2].Transponder(3).ServiceId(3901).AudioPid(700).Flags(0x08 | 0x20).Name("Radio Svizzera").Provider("SRG SSR").Kept(33);
    db.services.PlaceInArrayOrder(tv, radio);
    db.services.records[12000].Kept(34); // an empty slot with kept bytes

    // Timers: slots 2 and 7 in use, slot 0 unused but not blank; a tail follows.
    db.timers.records[0].Kept(40).Mode(1);
    db.timers.records[2].InUseWords(1, 0, 0).Mode(1).Icon(1).Date(2014, 2, 1).StartBcd(0x20, 0x15).Duration(105).Name("Tatort").Kept(41);
    db.timers.records[7].InUseWords(0, 0, 9).Mode(3).Icon(0).Date(2013, 3, 1).StartBcd(0x06, 0x00).Duration(30).Name("B\xE4renjagd").Kept(42);
    db.timers.tail.assign(24, 0);
    Fill(db.timers.tail, 0, 24, 43);
    return db;
}

TestDatabase MakeStrayServiceDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    const auto first = db.services.records.begin();
    std::vector<ServiceRecord> tv(first, first + kSmallTv);
    const std::vector<ServiceRecord> radio(first + kSmallTv, first + kSmallTv + kSmallRadio);
    ServiceRecord sixth;
    sixth.Transponder(3).ServiceId(28006).VideoPid(210).Name("3sat").Provider("ZDFvision").Kept(26);
    tv.push_back(sixth);
    db.services.PlaceInArrayOrder(tv, radio);
    db.services.records[kStraySlot]
        .Number(10)
        .Previous(4)
        .Next(11)
        .Transponder(1)
        .ServiceId(777)
        .FavGroup(1)
        .Name("Verwaist")
        .Kept(27);
    return db;
}

} // namespace ndbtest
