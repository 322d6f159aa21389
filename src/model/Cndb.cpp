#include "Cndb.h"

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
    if (Ccrc32::GetInstance().Compute(payload, length) != ReadLE32(h + ndb::kHdrBodyChecksum)) {
        return 0;
    }
    stream = CMemStream(std::vector<uint8_t>(payload, payload + length));
    stream.Seek(0);
    m_nLoadStatus = 1;
    return 1;
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
        if (Ccrc32::GetInstance().Compute(stream.Current(), bodyLength) != ReadLE32(h + ndb::kHdrBodyChecksum)) {
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
