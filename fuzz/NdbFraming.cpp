#include "NdbFraming.h"

#include <algorithm>

#include "model/Crc32.h"

namespace vefuzz {

uint32_t Crc(const uint8_t* data, size_t size)
{
    // The core's CRC is checked against the byte-wise definition by its own
    // tests; here it only has to be fast on 3 MB inputs.
    return Ccrc32::GetInstance().Compute(data, size);
}

uint32_t GetU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

void PutU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

bool Parse(const uint8_t* data, size_t size, Database& db)
{
    db = Database{};
    if (size < kHeader || GetU32(data + 4) != 0xDB20 || GetU32(data + 8) != 2) {
        return false;
    }
    const size_t length = std::min<size_t>(GetU32(data + 16), size - kHeader);
    const uint8_t* p = data + kHeader;
    const size_t head = std::min(length, kDbHeader);
    db.dbHeader.assign(p, p + head);
    size_t pos = head;
    while (length - pos >= kHeader) {
        const uint8_t* h = p + pos;
        const uint32_t bodyLength = GetU32(h + 16);
        if (bodyLength > length - pos - kHeader) {
            break;
        }
        Block b;
        b.headerCrc = GetU32(h);
        b.tagId = GetU32(h + 4);
        b.version = GetU32(h + 8);
        b.bodyCrc = GetU32(h + 12);
        b.declaredLength = bodyLength;
        b.body.assign(h + kHeader, h + kHeader + bodyLength);
        // A block that was damaged in the input stays damaged unless a
        // mutation decides otherwise.
        b.seal = b.headerCrc == Crc(h + 4, 16) && b.bodyCrc == Crc(b.body.data(), b.body.size());
        db.blocks.push_back(std::move(b));
        pos += kHeader + bodyLength;
    }
    db.trailing.assign(p + pos, p + length);
    return true;
}

Bytes Build(const Database& db)
{
    Bytes payload = db.dbHeader;
    for (const Block& b : db.blocks) {
        uint8_t h[kHeader];
        PutU32(h + 4, b.tagId);
        PutU32(h + 8, b.version);
        if (b.seal) {
            PutU32(h + 12, Crc(b.body.data(), b.body.size()));
            PutU32(h + 16, static_cast<uint32_t>(b.body.size()));
            PutU32(h, Crc(h + 4, 16));
        } else {
            PutU32(h + 12, b.bodyCrc);
            PutU32(h + 16, b.declaredLength);
            PutU32(h, b.headerCrc);
        }
        payload.insert(payload.end(), h, h + kHeader);
        payload.insert(payload.end(), b.body.begin(), b.body.end());
    }
    payload.insert(payload.end(), db.trailing.begin(), db.trailing.end());
    return SealPayload(payload.data(), payload.size());
}

Bytes SealPayload(const uint8_t* payload, size_t size)
{
    Bytes out(kHeader + size);
    PutU32(&out[4], 0xDB20);
    PutU32(&out[8], 2);
    PutU32(&out[12], Crc(payload, size));
    PutU32(&out[16], static_cast<uint32_t>(size));
    PutU32(&out[0], Crc(&out[4], 16));
    std::copy(payload, payload + size, out.begin() + kHeader);
    return out;
}

} // namespace vefuzz
