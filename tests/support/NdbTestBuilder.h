#pragma once
// Builds .ndb files byte by byte for the tests. Deliberately shares nothing
// with the code under test: its own CRC-32 (bit by bit, no table), its own
// little-endian writes, its own framing and sealing. Fields the editor does
// not interpret are filled with recognisable non-zero bytes, so a writer that
// drops or regenerates them shows up as a byte difference.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ndbtest {

using Bytes = std::vector<uint8_t>;

// ---- sizes and tags of the file format --------------------------------------

inline constexpr size_t kHeader = 20;
inline constexpr size_t kDbHeader = 128;

inline constexpr uint32_t kTagContainer = 0xDB20;
inline constexpr uint32_t kTagConfig = 0xDB01;
inline constexpr uint32_t kTagSatellites = 0xDB02;
inline constexpr uint32_t kTagTransponders = 0xDB03;
inline constexpr uint32_t kTagServices = 0xDB04;
inline constexpr uint32_t kTagTimers = 0xDB05;

inline constexpr size_t kConfigImage = 2060;
inline constexpr size_t kConfigFavNames = 1740;
inline constexpr size_t kFavName = 20;

inline constexpr size_t kSatRecord = 52;
inline constexpr int kSatSlots = 250;
inline constexpr size_t kSatHead = 8;
inline constexpr size_t kSatTail = 14;
inline constexpr size_t kSatBody = kSatHead + kSatSlots * kSatRecord + kSatTail; // 13022

inline constexpr size_t kTpRecord = 24;
inline constexpr int kTpSlots = 7000;
inline constexpr size_t kTpHead = 12;
inline constexpr size_t kTpBody = kTpHead + kTpSlots * kTpRecord; // 168012

inline constexpr size_t kSvcRecord = 144;
inline constexpr int kSvcSlots = 19999;
inline constexpr size_t kSvcHead = 20;
inline constexpr size_t kSvcBody = kSvcHead + kSvcSlots * kSvcRecord; // 2879876

inline constexpr size_t kTimerRecord = 340;
inline constexpr int kTimerSlots = 20;
inline constexpr size_t kTimerHead = 12;
inline constexpr size_t kTimerBody = kTimerHead + kTimerSlots * kTimerRecord; // 6812

// ---- bytes --------------------------------------------------------------------

// Bit-at-a-time CRC-32 of ISO-HDLC (reflected 0xEDB88320, preset and final XOR).
uint32_t BitwiseCrc32(const uint8_t* data, size_t count);
inline uint32_t BitwiseCrc32(const Bytes& b) { return BitwiseCrc32(b.data(), b.size()); }

void PutU8(Bytes& b, size_t off, uint8_t v);
void PutU16(Bytes& b, size_t off, uint16_t v);
void PutU32(Bytes& b, size_t off, uint32_t v);
uint16_t GetU16(const Bytes& b, size_t off);
uint32_t GetU32(const Bytes& b, size_t off);
// Copies the raw bytes of text; when shorter than width a zero follows. Bytes
// after that zero are left as they were.
void PutText(Bytes& b, size_t off, size_t width, const std::string& raw);
Bytes Slice(const Bytes& b, size_t off, size_t count);
void Append(Bytes& dst, const Bytes& src);

// A non-zero byte that depends on seed and offset.
uint8_t Filler(uint32_t seed, size_t offset);
void Fill(Bytes& b, size_t off, size_t count, uint32_t seed);

// ---- records --------------------------------------------------------------------

struct SatelliteRecord {
    Bytes b = Bytes(kSatRecord, 0);
    SatelliteRecord& Number(uint8_t n);
    SatelliteRecord& Name(const std::string& raw);
    SatelliteRecord& Flags(uint8_t f);
    SatelliteRecord& PositionWord(uint16_t w);
    // Sets the 11 position bits (keeping bits 11 to 15) and the West bit of the flags.
    SatelliteRecord& Position(int tenths, bool west);
    // Non-zero bytes in the uninterpreted bytes 1-2 and 26-51.
    SatelliteRecord& Kept(uint32_t seed);
};

struct TransponderRecord {
    Bytes b = Bytes(kTpRecord, 0);
    TransponderRecord& Number(uint16_t n);
    TransponderRecord& OrgNetId(uint16_t v);
    TransponderRecord& TpId(uint16_t v);
    TransponderRecord& Frequency(uint16_t v);
    TransponderRecord& SymbolRate(uint16_t v);
    TransponderRecord& Flags(uint32_t v);
    TransponderRecord& Satellite(uint8_t n);
    // Non-zero bytes in the uninterpreted bytes 2-5, 12-13 and 21-23.
    TransponderRecord& Kept(uint32_t seed);
};

struct ServiceRecord {
    Bytes b = Bytes(kSvcRecord, 0);
    ServiceRecord& Number(uint16_t n);
    ServiceRecord& Previous(uint16_t n);
    ServiceRecord& Next(uint16_t n);
    ServiceRecord& Transponder(uint16_t n);
    ServiceRecord& ServiceId(uint16_t v);
    ServiceRecord& PmtPid(uint16_t v);
    ServiceRecord& VideoPid(uint16_t v);
    ServiceRecord& AudioPid(uint16_t v);
    ServiceRecord& PcrPid(uint16_t v);
    ServiceRecord& Ca(uint16_t v);
    ServiceRecord& FavGroup(uint8_t g);
    ServiceRecord& Flags(uint8_t f);
    ServiceRecord& VideoType(uint8_t t);
    ServiceRecord& TunerWord(uint16_t w);
    ServiceRecord& Name(const std::string& raw);
    ServiceRecord& Provider(const std::string& raw);
    // Non-zero bytes in the uninterpreted bytes 18-27, 33, 36-39 and 72-143.
    ServiceRecord& Kept(uint32_t seed);
    uint16_t GetNumber() const { return GetU16(b, 0); }
};

struct TimerRecord {
    Bytes b = Bytes(kTimerRecord, 0);
    TimerRecord& InUseWords(uint16_t w0, uint16_t w2, uint16_t w4);
    TimerRecord& Mode(uint8_t m);
    TimerRecord& Icon(uint8_t i);
    TimerRecord& Date(uint16_t year, uint8_t month, uint8_t day);
    TimerRecord& StartBcd(uint8_t hour, uint8_t minute);
    TimerRecord& Duration(uint16_t minutes);
    TimerRecord& Name(const std::string& raw);
    // Non-zero bytes in every byte the editor does not interpret.
    TimerRecord& Kept(uint32_t seed);
};

// ---- block bodies -----------------------------------------------------------------

struct ConfigBody {
    Bytes image = Bytes(kConfigImage, 0);
    Bytes tail;
    // Image and tail filled with non-zero bytes; bodyLength >= 2060.
    explicit ConfigBody(size_t bodyLength = kConfigImage, uint32_t seed = 0x31);
    // Raw name bytes of a favourite group, zero-terminated when shorter than
    // 20; the filler behind the zero stays.
    ConfigBody& FavName(int slot, const std::string& raw);
    ConfigBody& Osd(uint8_t code);
    size_t Length() const { return image.size() + tail.size(); }
    Bytes Build() const;
};

// The eight factory names as stored by the receiver.
const char* FactoryFavName(int slot);

struct SatelliteBody {
    Bytes head;
    std::vector<SatelliteRecord> records = std::vector<SatelliteRecord>(kSatSlots);
    Bytes tail;
    Bytes surplus; // after byte 13022
    explicit SatelliteBody(uint32_t seed = 0x52);
    Bytes Build() const;
};

struct TransponderBody {
    Bytes head;
    std::vector<TransponderRecord> records = std::vector<TransponderRecord>(kTpSlots);
    size_t extraZeros = 0; // declared beyond the 7000 slots
    explicit TransponderBody(uint32_t seed = 0x73);
    Bytes Build() const;
};

struct ServiceBody {
    Bytes head;
    std::vector<ServiceRecord> records = std::vector<ServiceRecord>(kSvcSlots);
    size_t extraZeros = 0;
    explicit ServiceBody(uint32_t seed = 0x94);

    ServiceBody& TvCount(uint32_t v);
    ServiceBody& RadioCount(uint32_t v);
    ServiceBody& FirstTv(uint16_t v);
    ServiceBody& FirstRadio(uint16_t v);
    ServiceBody& LastTv(uint16_t v);
    ServiceBody& LastRadio(uint16_t v);
    ServiceBody& Total(uint16_t v);

    // Sets previous and next of the records at these slots, in this order,
    // from the numbers they already carry (first previous 0, last next 0).
    void LinkChain(const std::vector<int>& slots);
    // Puts the television records at slots 0.., the radio records behind
    // them, numbers 1..T+R, chains and head exactly as a save writes them.
    void PlaceInArrayOrder(const std::vector<ServiceRecord>& tv, const std::vector<ServiceRecord>& radio);
    // Writes the slot index into the kept bytes 142-143 of every slot, so a
    // record can be traced after reordering.
    void MarkSlots();
    Bytes Build() const;
};
// The slot mark written by MarkSlots.
int SlotMarkOf(const uint8_t* record);

struct TimerBody {
    Bytes head;
    std::vector<TimerRecord> records = std::vector<TimerRecord>(kTimerSlots);
    Bytes tail;
    explicit TimerBody(uint32_t seed = 0xB5);
    Bytes Build() const;
};

// ---- framing -------------------------------------------------------------------------

struct BlockOptions {
    bool corruptHeaderChecksum = false;
    bool corruptBodyChecksum = false;
    // Length written into the header instead of the body's size; the header
    // checksum covers it, so only the length lies.
    std::optional<uint32_t> declaredLength;
};
Bytes FrameBlock(uint32_t tagId, uint32_t version, const Bytes& body, const BlockOptions& options = {});

struct ContainerOptions {
    uint32_t tagId = kTagContainer;
    uint32_t version = 2;
    bool corruptHeaderChecksum = false;
    bool corruptPayloadChecksum = false;
    // Payload length written instead of the real one (checksums stay honest).
    std::optional<uint32_t> declaredLength;
};
Bytes SealContainer(const Bytes& payload, const ContainerOptions& options = {});

struct DbHeader {
    Bytes b;
    DbHeader(); // non-zero filler throughout
    DbHeader& P(uint8_t a, uint8_t b1, uint8_t c);
    DbHeader& V(uint16_t major, uint16_t minor);
    DbHeader& Date(uint16_t year, uint8_t month, uint8_t day);
    DbHeader& Quad(uint8_t a, uint8_t b1, uint8_t c, uint8_t d);
    DbHeader& Pairs(uint16_t a, uint16_t b1, uint16_t c, uint16_t d);
    DbHeader& KM(uint16_t a, uint16_t b1, uint16_t c, uint16_t d);
};

// ---- reading back (independent parser for checking saved files) --------------------

struct ParsedBlock {
    uint32_t tagId = 0;
    uint32_t version = 0;
    Bytes body;
    bool headerOk = false;
    bool bodyOk = false;
};
struct ParsedFile {
    bool containerOk = false;
    Bytes payload;
    Bytes dbHeader;
    std::vector<ParsedBlock> blocks;
    size_t trailing = 0; // payload bytes too few for a block header
};
ParsedFile ParseFile(const Bytes& file);
// Body of the first block with that tag id, or empty.
Bytes BodyOf(const ParsedFile& file, uint32_t tagId);
const ParsedBlock* BlockOf(const ParsedFile& file, uint32_t tagId);
// The records of the television or radio chain of a service block body,
// followed from the head's first number through the next numbers.
std::vector<Bytes> ChainRecords(const Bytes& serviceBody, bool radio);
// Their raw name bytes (ISO-8859-1), in chain order.
std::vector<std::string> ChainNames(const Bytes& serviceBody, bool radio);

// ---- whole databases --------------------------------------------------------------------

struct TestDatabase {
    DbHeader header;
    ConfigBody config{2788};
    SatelliteBody satellites;
    TransponderBody transponders;
    ServiceBody services;
    TimerBody timers;
    // Versions the blocks are framed with; the configuration follows its length.
    uint32_t ConfigVersion() const { return config.Length() == 2788 ? 2u : 3u; }

    Bytes ConfigBlock() const;
    Bytes SatelliteBlock() const;
    Bytes TransponderBlock() const;
    Bytes ServiceBlock() const;
    Bytes TimerBlock() const;
    // Database header and all blocks in the order a save writes them.
    Bytes Payload() const;
    Bytes Build() const { return SealContainer(Payload()); }
};

// A small realistic database: four satellites, six transponders, five
// television and three radio services chained in array order, two timers in
// use among twenty, a 2788-byte configuration with factory and own group
// names. Saving it unchanged must give the same bytes.
TestDatabase MakeSmallDatabase();
inline constexpr int kSmallTv = 5;
inline constexpr int kSmallRadio = 3;

// The small database with one more television channel ("3sat", six
// television and three radio channels chained in slots 0 to 8) and, in slot
// 20 behind empty slots, a numbered television record "Verwaist" on neither
// chain, in favourite group 1 on transponder 1. The receiver lists it nowhere.
TestDatabase MakeStrayServiceDatabase();
inline constexpr int kStraySlot = 20;

} // namespace ndbtest
