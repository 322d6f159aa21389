#include "Cndb.h"

#include <algorithm>
#include <cstdio>

#include "Crc32.h"
#include "Endian.h"
#include "NdbPrepackaging.h"

using namespace ve;

namespace {

bool TagMatches(const uint8_t* header, const ndb::BlockTag& tag)
{
    return ReadLE32(header + ndb::kHdrTagId) == tag.id && ReadLE32(header + ndb::kHdrTagVersion) == tag.version;
}

bool HeaderChecksumOk(const uint8_t* header)
{
    return Ccrc32::GetInstance().Compute(header + 4, 16) == ReadLE32(header + ndb::kHdrChecksum);
}

std::string Format(const char* fmt, int a, int b, int c = 0, int d = 0)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a, b, c, d);
    return buf;
}

} // namespace

int Cndb::ReadContainer(const uint8_t* fileBytes, size_t fileSize, CMemStream& stream)
{
    m_nLoadStatus = 0;
    if (fileSize < ndb::kHeaderSize) {
        return 0;
    }
    const uint8_t* h = fileBytes;
    if (!TagMatches(h, {ndb::kContainerTagId, ndb::kContainerTagVersion}) || !HeaderChecksumOk(h)) {
        return 0;
    }
    const uint32_t length = ReadLE32(h + ndb::kHdrBodyLength);
    // The length is checked against the bytes really there before anything is allocated.
    if (length > fileSize - ndb::kHeaderSize) {
        return 0;
    }
    const uint8_t* payload = fileBytes + ndb::kHeaderSize;
    if (PayloadCrc(payload, length) != ReadLE32(h + ndb::kHdrBodyChecksum)) {
        m_knownBodies.clear();
        return 0;
    }
    // The stream views the caller's bytes, which outlive the load.
    stream = CMemStream::View(payload, length);
    m_pCheckedPayload = stream.Data();
    m_nLoadStatus = 1;
    return 1;
}

uint32_t Cndb::PayloadCrc(const uint8_t* payload, size_t length)
{
    // The payload is cut where its blocks appear to lie; each block body's
    // CRC is kept for the block header check, and the pieces' CRCs combine to
    // the payload's. Any cut gives the same result, so a damaged layout only
    // means fewer kept bodies.
    const Ccrc32& crc = Ccrc32::GetInstance();
    m_knownBodies.clear();
    size_t pos = std::min(length, ndb::kDatabaseHeaderSize);
    uint32_t running = crc.Compute(payload, pos);
    while (length - pos >= ndb::kHeaderSize) {
        const uint32_t bodyLength = ReadLE32(payload + pos + ndb::kHdrBodyLength);
        if (bodyLength > length - pos - ndb::kHeaderSize) {
            break;
        }
        running = crc.Combine(running, crc.Compute(payload + pos, ndb::kHeaderSize), ndb::kHeaderSize);
        pos += ndb::kHeaderSize;
        const uint32_t bodyCrc = crc.Compute(payload + pos, bodyLength);
        m_knownBodies.push_back({pos, bodyLength, bodyCrc});
        running = crc.Combine(running, bodyCrc, bodyLength);
        pos += bodyLength;
    }
    return crc.Combine(running, crc.Compute(payload + pos, length - pos), length - pos);
}

bool Cndb::LookUpBodyCrc(const CMemStream& stream, size_t offset, size_t length, uint32_t& crc) const
{
    if (stream.Data() != m_pCheckedPayload) {
        return false;
    }
    // The bodies were found in payload order, so they are sorted by offset.
    auto it = std::lower_bound(m_knownBodies.begin(), m_knownBodies.end(), offset,
                               [](const KnownBody& b, size_t at) { return b.offset < at; });
    if (it != m_knownBodies.end() && it->offset == offset && it->length == length) {
        crc = it->crc;
        return true;
    }
    return false;
}

int Cndb::ReadBlockHeader(CMemStream& stream, int& type, int& length)
{
    m_strLastBlockTag.clear();
    uint8_t h[ndb::kHeaderSize];
    if (stream.Read(h, sizeof h) < sizeof h) {
        return 0;
    }
    char buf[80];
    std::snprintf(buf, sizeof buf, "%X %X %X %X %X %X %X %X\n", h[4], h[5], h[6], h[7], h[8], h[9], h[10],
                  h[11]);
    m_strLastBlockTag = buf;

    const size_t bodyStart = stream.GetPosition();
    const uint32_t bodyLength = ReadLE32(h + ndb::kHdrBodyLength);
    int code = 0;
    for (const ndb::BlockTag& tag : ndb::kBlockTags) {
        ++code;
        if (!TagMatches(h, tag)) {
            continue;
        }
        // A length that points beyond the payload is a damaged block.
        if (!HeaderChecksumOk(h) || bodyLength > stream.Remaining()) {
            continue;
        }
        uint32_t bodyCrc = 0;
        if (!LookUpBodyCrc(stream, bodyStart, bodyLength, bodyCrc)) {
            bodyCrc = Ccrc32::GetInstance().Compute(stream.Current(), bodyLength);
        }
        if (bodyCrc != ReadLE32(h + ndb::kHdrBodyChecksum)) {
            stream.Seek(bodyStart + bodyLength);
            continue;
        }
        type = code;
        length = static_cast<int>(bodyLength);
        return 1;
    }
    return 0;
}

void Cndb::WriteHeader() const
{
    CNDBPrepackaging::GetInstance().AppendRaw(m_header.data(), m_header.size());
}

std::array<std::string, 4> Cndb::GetInfoTexts() const
{
    const uint8_t* h = m_header.data();
    const std::string p = Format("P%i.%i.%i", h[0x21], h[0x22], h[0x23]);
    const std::string v = Format("V%i.%i", ReadLE16(h + 0x28), ReadLE16(h + 0x2A));
    char date[40];
    std::snprintf(date, sizeof date, "%.2i.%.2i.%.4i", h[0x2F], h[0x2E], ReadLE16(h + 0x2C));
    std::array<std::string, 4> texts;
    texts[0] = v + " (" + p + ") " + date;
    texts[1] = Format("%i.%i.%i.%i", h[0x30], h[0x31], h[0x32], h[0x33]);
    texts[2] = Format("%i.%i / %i.%i", ReadLE16(h + 0x42), ReadLE16(h + 0x44), ReadLE16(h + 0x46),
                      ReadLE16(h + 0x48));
    texts[3] = Format("K%i-%i / M%i.%i", ReadLE16(h + 0x4A), ReadLE16(h + 0x4C), ReadLE16(h + 0x4E),
                      ReadLE16(h + 0x50));
    return texts;
}
