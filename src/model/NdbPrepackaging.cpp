#include "NdbPrepackaging.h"

#include <cstring>

#include "Crc32.h"
#include "Endian.h"
#include "NdbFormat.h"

using namespace ve;

CNDBPrepackaging& CNDBPrepackaging::GetInstance()
{
    static CNDBPrepackaging instance;
    return instance;
}

void CNDBPrepackaging::Reset()
{
    m_output = CMemStream();
}

void CNDBPrepackaging::SealHeader(uint8_t* header, const uint8_t* body, size_t bodyLength)
{
    WriteLE32(header + ndb::kHdrBodyLength, static_cast<uint32_t>(bodyLength));
    WriteLE32(header + ndb::kHdrBodyChecksum, Ccrc32::GetInstance().Compute(body, bodyLength));
    // Covers the body checksum and the length, so it comes last.
    WriteLE32(header + ndb::kHdrChecksum, Ccrc32::GetInstance().Compute(header + 4, 16));
}

void CNDBPrepackaging::AppendBlock(uint8_t* header, CMemStream& body)
{
    SealHeader(header, body.Data(), body.GetLength());
    m_output.Write(header, ndb::kHeaderSize);
    m_output.Write(body.Data(), body.GetLength());
}

void CNDBPrepackaging::AppendRaw(const uint8_t* data, size_t count)
{
    m_output.Write(data, count);
}

std::vector<uint8_t> CNDBPrepackaging::WriteContainer()
{
    std::vector<uint8_t> payload = m_output.Detach();
    std::vector<uint8_t> file(ndb::kHeaderSize + payload.size());
    uint8_t* h = file.data();
    WriteLE32(h + ndb::kHdrTagId, ndb::kContainerTagId);
    WriteLE32(h + ndb::kHdrTagVersion, ndb::kContainerTagVersion);
    SealHeader(h, payload.data(), payload.size());
    if (!payload.empty()) {
        std::memcpy(file.data() + ndb::kHeaderSize, payload.data(), payload.size());
    }
    return file;
}

void MakeBlockHeader(uint8_t* header, uint32_t tagId, uint32_t tagVersion)
{
    std::memset(header, 0, ndb::kHeaderSize);
    WriteLE32(header + ndb::kHdrTagId, tagId);
    WriteLE32(header + ndb::kHdrTagVersion, tagVersion);
}
