// Structure-aware mutation of .ndb files for libFuzzer. A random byte flip
// almost never survives the CRC checks, so most mutations change one part of
// the file (a block body, a record field, a block header, the block list) and
// then seal every block and the container again. A few mutations stay raw or
// leave a block unsealed, so the checksum failure paths are exercised too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>

#include "NdbFraming.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

using namespace vefuzz;

namespace {

using Rng = std::minstd_rand;

size_t Below(Rng& rng, size_t n)
{
    return n == 0 ? 0 : static_cast<size_t>(rng() % n);
}

// Small indices far more often than large ones: the interesting records of
// a table are its first few, and the head fields point at them.
size_t SmallIndex(Rng& rng, size_t n)
{
    if (n == 0) {
        return 0;
    }
    const size_t limits[] = {4, 16, 64, n};
    return Below(rng, std::min(n, limits[Below(rng, 4)]));
}

struct Layout {
    uint32_t tag;
    size_t head;
    size_t record;
};
constexpr Layout kLayouts[] = {{0xDB02, 8, 52}, {0xDB03, 12, 24}, {0xDB04, 20, 144}, {0xDB05, 12, 340}};

const Layout* LayoutOf(uint32_t tag)
{
    for (const Layout& l : kLayouts) {
        if (l.tag == tag) {
            return &l;
        }
    }
    return nullptr;
}

// Body lengths where readers change their behaviour.
size_t InterestingLength(Rng& rng, const Block& b)
{
    static const size_t kFixed[] = {0,    1,    7,    8,    11,   12,   19,    20,    21,  163, 164,
                                    2059, 2060, 2061, 2788, 6811, 6812, 6813, 13021, 13022, 13023};
    if (const Layout* l = LayoutOf(b.tagId); l != nullptr && rng() % 2 == 0) {
        const size_t k = SmallIndex(rng, 40);
        const long long delta = static_cast<long long>(Below(rng, 3)) - 1;
        return static_cast<size_t>(std::max<long long>(0, static_cast<long long>(l->head + k * l->record) + delta));
    }
    return kFixed[Below(rng, sizeof kFixed / sizeof kFixed[0])];
}

uint16_t InterestingU16(Rng& rng, size_t recordIndex, size_t records)
{
    switch (Below(rng, 8)) {
    case 0: return 0;
    case 1: return 1;
    case 2: return static_cast<uint16_t>(recordIndex + 1);
    case 3: return static_cast<uint16_t>(recordIndex + 2);
    case 4: return static_cast<uint16_t>(Below(rng, records + 3));
    case 5: return 0xFFFF;
    case 6: return static_cast<uint16_t>(recordIndex);
    default: return static_cast<uint16_t>(rng());
    }
}

void PokeBytes(Rng& rng, Bytes& body, size_t at, size_t width, uint16_t value)
{
    if (at + width > body.size()) {
        return;
    }
    if (width == 1) {
        body[at] = static_cast<uint8_t>(value);
    } else if (width == 2) {
        PutU16(&body[at], value);
    } else {
        PutU32(&body[at], rng() % 4 == 0 ? static_cast<uint32_t>(rng()) : value);
    }
}

// Sets one interpreted field of one record or of the block head.
void PokeField(Rng& rng, Block& b)
{
    struct Field {
        size_t offset;
        size_t width;
    };
    static const Field kSat[] = {{0, 1}, {23, 1}, {24, 2}, {3, 1}, {22, 1}};
    static const Field kTp[] = {{0, 2}, {16, 4}, {20, 1}, {6, 2}, {8, 2}, {10, 2}};
    static const Field kSvc[] = {{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 2}, {28, 2}, {30, 1}, {31, 1}, {40, 1}, {59, 1}};
    static const Field kTimer[] = {{0, 2}, {2, 2}, {6, 1}, {7, 1}, {41, 1}, {42, 1}, {44, 2}, {55, 1}, {74, 1}};
    static const Field kSvcHead[] = {{0, 4}, {4, 4}, {8, 2}, {10, 2}, {12, 2}, {14, 2}, {16, 2}};
    static const Field kConfig[] = {{72, 1}, {248, 1}, {252, 1}, {256, 1}, {260, 1}};

    if (b.tagId == 0xDB01) {
        if (rng() % 2 == 0) {
            const Field f = kConfig[Below(rng, std::size(kConfig))];
            PokeBytes(rng, b.body, f.offset, f.width, static_cast<uint16_t>(Below(rng, 32)));
        } else {
            // favourite names: factory names, long names, no terminator
            static const char* kNames[] = {"MOVIE", "NEWS", "SPORTS", "MUSIC", "CHILD", "DRAMA", "FAMILY", "MISC.",
                                           "Sender", "\xe4\xf6\xfc\x80\x9f", "12345678901234567890"};
            const size_t slot = Below(rng, 8);
            const char* name = kNames[Below(rng, std::size(kNames))];
            const size_t at = 1740 + 20 * slot;
            if (at + 20 <= b.body.size()) {
                const size_t n = std::min<size_t>(20, std::strlen(name));
                std::memcpy(&b.body[at], name, n);
                if (n < 20) {
                    b.body[at + n] = 0;
                }
            }
        }
        return;
    }
    const Layout* l = LayoutOf(b.tagId);
    if (l == nullptr || b.body.size() < l->head) {
        return;
    }
    const size_t records = (b.body.size() - l->head) / l->record;
    if (b.tagId == 0xDB04 && (records == 0 || rng() % 4 == 0)) {
        const Field f = kSvcHead[Below(rng, std::size(kSvcHead))];
        PokeBytes(rng, b.body, f.offset, f.width, InterestingU16(rng, 0, records));
        return;
    }
    if (records == 0) {
        return;
    }
    const size_t i = SmallIndex(rng, records);
    Field f{};
    switch (b.tagId) {
    case 0xDB02: f = kSat[Below(rng, std::size(kSat))]; break;
    case 0xDB03: f = kTp[Below(rng, std::size(kTp))]; break;
    case 0xDB04: f = kSvc[Below(rng, std::size(kSvc))]; break;
    default: f = kTimer[Below(rng, std::size(kTimer))]; break;
    }
    uint16_t value = InterestingU16(rng, i, records);
    if (b.tagId == 0xDB04 && f.offset == 31) {
        // the kind, skip and lock bits
        value = static_cast<uint16_t>((b.body[l->head + i * l->record + 31] ^ (1u << (3 + Below(rng, 3)))) & 0xFF);
    }
    PokeBytes(rng, b.body, l->head + i * l->record + f.offset, f.width, value);
}

// Numbers the first few service slots and chains them in a random order,
// some as television and some as radio, with a head that points at the
// chains: files shaped like a receiver's, in few steps.
void Rechain(Rng& rng, Block& b)
{
    if (b.tagId != 0xDB04 || b.body.size() < 20 + 144) {
        return;
    }
    const size_t records = (b.body.size() - 20) / 144;
    const size_t n = 1 + SmallIndex(rng, std::min<size_t>(records, 64));
    std::vector<size_t> slots(n);
    for (size_t i = 0; i < n; ++i) {
        slots[i] = i;
    }
    std::shuffle(slots.begin(), slots.end(), rng);
    const size_t tv = Below(rng, n + 1);
    auto rec = [&](size_t slot) { return &b.body[20 + slot * 144]; };
    for (size_t i = 0; i < n; ++i) {
        PutU16(rec(slots[i]), static_cast<uint16_t>(i + 1));
    }
    auto link = [&](size_t from, size_t to, bool radio) {
        for (size_t i = from; i < to; ++i) {
            uint8_t* r = rec(slots[i]);
            PutU16(r + 2, i == from ? 0 : static_cast<uint16_t>(i));
            PutU16(r + 4, i + 1 == to ? 0 : static_cast<uint16_t>(i + 2));
            r[31] = static_cast<uint8_t>(radio ? (r[31] | 0x08) : (r[31] & ~0x08));
        }
    };
    link(0, tv, false);
    link(tv, n, true);
    uint8_t* h = b.body.data();
    PutU32(h + 0, static_cast<uint32_t>(tv));
    PutU32(h + 4, static_cast<uint32_t>(n - tv));
    PutU16(h + 8, tv > 0 ? 1 : 0);
    PutU16(h + 10, n > tv ? static_cast<uint16_t>(tv + 1) : 0);
    PutU16(h + 12, static_cast<uint16_t>(tv));
    PutU16(h + 14, n > tv ? static_cast<uint16_t>(n) : 0);
    PutU16(h + 16, static_cast<uint16_t>(n));
}

void MutateBytes(Bytes& bytes, size_t room)
{
    const size_t size = bytes.size();
    bytes.resize(size + room);
    if (bytes.empty()) {
        return;
    }
    bytes.resize(LLVMFuzzerMutate(bytes.data(), size, bytes.size()));
}

size_t BuiltSize(const Database& db)
{
    size_t n = kHeader + db.dbHeader.size() + db.trailing.size();
    for (const Block& b : db.blocks) {
        n += kHeader + b.body.size();
    }
    return n;
}

void MutateDatabase(Rng& rng, Database& db, size_t maxSize)
{
    const size_t size = BuiltSize(db);
    const size_t room = maxSize > size ? std::min<size_t>(maxSize - size, 4096) : 0;
    Block* b = db.blocks.empty() ? nullptr : &db.blocks[Below(rng, db.blocks.size())];
    switch (Below(rng, 16)) {
    case 0:
    case 1:
    case 2:
        if (b != nullptr) {
            MutateBytes(b->body, room);
            return;
        }
        break;
    case 3:
    case 4:
    case 5:
    case 6:
        if (b != nullptr) {
            const int pokes = 1 + static_cast<int>(Below(rng, 3));
            for (int i = 0; i < pokes; ++i) {
                PokeField(rng, *b);
            }
            return;
        }
        break;
    case 7:
        if (b != nullptr) {
            Rechain(rng, *b);
            return;
        }
        break;
    case 8:
        if (b != nullptr) {
            // another known tag, or an unknown one
            if (rng() % 4 == 0) {
                b->version = static_cast<uint32_t>(Below(rng, 5));
            } else {
                const Tag t = kTags[Below(rng, std::size(kTags))];
                b->tagId = t.id;
                b->version = t.version;
            }
            return;
        }
        break;
    case 9:
        if (b != nullptr) {
            const size_t want = InterestingLength(rng, *b);
            if (want <= b->body.size() || want - b->body.size() <= room) {
                b->body.resize(want, static_cast<uint8_t>(rng() % 2 ? 0 : rng()));
            }
            return;
        }
        break;
    case 10:
        if (db.blocks.size() >= 2) {
            std::swap(db.blocks[Below(rng, db.blocks.size())], db.blocks[Below(rng, db.blocks.size())]);
            return;
        }
        break;
    case 11:
        if (b != nullptr) {
            if (rng() % 2 == 0) {
                db.blocks.erase(db.blocks.begin() + (b - db.blocks.data()));
            } else if (b->body.size() + kHeader <= room) {
                Block copy = *b;
                db.blocks.insert(db.blocks.begin() + static_cast<long>(Below(rng, db.blocks.size() + 1)), copy);
            }
            return;
        }
        break;
    case 12:
        if (b != nullptr && rng() % 2 == 0) {
            // a checksum or length that lies
            b->seal = false;
            b->declaredLength = static_cast<uint32_t>(b->body.size());
            b->bodyCrc = Crc(b->body.data(), b->body.size());
            switch (Below(rng, 3)) {
            case 0: b->bodyCrc ^= 1u << Below(rng, 32); break;
            case 1: b->declaredLength = static_cast<uint32_t>(rng()); break;
            default: break;
            }
            uint8_t h[kHeader];
            PutU32(h + 4, b->tagId);
            PutU32(h + 8, b->version);
            PutU32(h + 12, b->bodyCrc);
            PutU32(h + 16, b->declaredLength);
            b->headerCrc = Crc(h + 4, 16);
            if (Below(rng, 3) == 0) {
                b->headerCrc ^= 1;
            }
            return;
        }
        break;
    case 13:
        MutateBytes(db.dbHeader, db.dbHeader.size() < kDbHeader ? kDbHeader - db.dbHeader.size() : 0);
        return;
    case 14:
        if (rng() % 2 == 0) {
            db.trailing.resize(Below(rng, kHeader));
            for (uint8_t& c : db.trailing) {
                c = static_cast<uint8_t>(rng());
            }
        } else {
            db.trailing.clear();
        }
        return;
    default:
        break;
    }
    // a new small block of a known tag
    if (room >= kHeader) {
        Block nb;
        const Tag t = kTags[Below(rng, std::size(kTags))];
        nb.tagId = t.id;
        nb.version = t.version;
        nb.body.resize(std::min(room - kHeader, InterestingLength(rng, nb)));
        for (uint8_t& c : nb.body) {
            c = static_cast<uint8_t>(rng() % 4 ? 0 : rng());
        }
        db.blocks.insert(db.blocks.begin() + static_cast<long>(Below(rng, db.blocks.size() + 1)), std::move(nb));
    }
}

size_t Emit(const Bytes& out, uint8_t* data, size_t maxSize)
{
    if (out.size() > maxSize) {
        return 0;
    }
    std::memcpy(data, out.data(), out.size());
    return out.size();
}

} // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed)
{
    Rng rng(seed);
    Database db;
    if (rng() % 16 == 0) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    if (!Parse(data, size, db)) {
        // Not a container: mutate raw, and sometimes wrap it as a payload.
        const size_t n = LLVMFuzzerMutate(data, size, maxSize);
        if (rng() % 2 == 0 && n + kHeader <= maxSize) {
            return Emit(SealPayload(data, n), data, maxSize);
        }
        return n;
    }
    const int rounds = 1 + static_cast<int>(Below(rng, 3));
    for (int i = 0; i < rounds; ++i) {
        MutateDatabase(rng, db, maxSize);
    }
    const size_t n = Emit(Build(db), data, maxSize);
    return n != 0 ? n : LLVMFuzzerMutate(data, size, maxSize);
}

extern "C" size_t LLVMFuzzerCustomCrossOver(const uint8_t* data1, size_t size1, const uint8_t* data2, size_t size2,
                                            uint8_t* out, size_t maxOutSize, unsigned int seed)
{
    // Blocks of two databases mixed: a file with the services of one and the
    // transponders of another gives dangling and doubled references.
    Rng rng(seed);
    Database a, b;
    if (!Parse(data1, size1, a) || !Parse(data2, size2, b)) {
        const size_t n = std::min(size1, maxOutSize);
        std::memcpy(out, data1, n);
        return n;
    }
    Database mixed;
    mixed.dbHeader = rng() % 2 ? a.dbHeader : b.dbHeader;
    for (const Block& blk : a.blocks) {
        if (rng() % 2 == 0) {
            mixed.blocks.push_back(blk);
        }
    }
    for (const Block& blk : b.blocks) {
        if (rng() % 2 == 0) {
            mixed.blocks.insert(mixed.blocks.begin() + static_cast<long>(Below(rng, mixed.blocks.size() + 1)), blk);
        }
    }
    const size_t n = Emit(Build(mixed), out, maxOutSize);
    if (n == 0) {
        const size_t m = std::min(size1, maxOutSize);
        std::memcpy(out, data1, m);
        return m;
    }
    return n;
}
