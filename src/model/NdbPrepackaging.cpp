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
    // Room for a full database, so the output never grows by copying.
    m_output.Reserve(3 * 1024 * 1024 + 128 * 1024);
    m_nPayloadCrc = 0;
}

void CNDBPrepackaging::Collect(const uint8_t* data, size_t count, uint32_t crc)
{
    if (m_output.GetLength() == 0) {
        m_output.WriteZeros(ndb::kHeaderSize);
    }
    m_output.Write(data, count);
    m_nPayloadCrc = Ccrc32::GetInstance().Combine(m_nPayloadCrc, crc, count);
}

uint32_t CNDBPrepackaging::SealHeader(uint8_t* header, const uint8_t* body, size_t bodyLength)
{
    const uint32_t bodyCrc = Ccrc32::GetInstance().Compute(body, bodyLength);
    WriteLE32(header + ndb::kHdrBodyLength, static_cast<uint32_t>(bodyLength));
    WriteLE32(header + ndb::kHdrBodyChecksum, bodyCrc);
    // Covers the body checksum and the length, so it comes last.
    WriteLE32(header + ndb::kHdrChecksum, Ccrc32::GetInstance().Compute(header + 4, 16));
    return bodyCrc;
}

void CNDBPrepackaging::AppendBlock(uint8_t* header, CMemStream& body)
{
    const uint32_t bodyCrc = SealHeader(header, body.Data(), body.GetLength());
    Collect(header, ndb::kHeaderSize, Ccrc32::GetInstance().Compute(header, ndb::kHeaderSize));
    Collect(body.Data(), body.GetLength(), bodyCrc);
}

void CNDBPrepackaging::AppendRaw(const uint8_t* data, size_t count)
{
    Collect(data, count, Ccrc32::GetInstance().Compute(data, count));
}

CMemStream& CNDBPrepackaging::BeginBlock(uint32_t tagId, uint32_t tagVersion)
{
    uint8_t header[ndb::kHeaderSize];
    MakeBlockHeader(header, tagId, tagVersion);
    if (m_output.GetLength() == 0) {
        m_output.WriteZeros(ndb::kHeaderSize);
    }
    m_nOpenBlock = m_output.GetLength();
    m_output.Write(header, sizeof header);
    return m_output;
}

void CNDBPrepackaging::EndBlock()
{
    uint8_t* header = m_output.MutableData() + m_nOpenBlock;
    const size_t bodyLength = m_output.GetLength() - m_nOpenBlock - ndb::kHeaderSize;
    const uint32_t bodyCrc = SealHeader(header, header + ndb::kHeaderSize, bodyLength);
    const Ccrc32& crc = Ccrc32::GetInstance();
    m_nPayloadCrc = crc.Combine(m_nPayloadCrc, crc.Compute(header, ndb::kHeaderSize), ndb::kHeaderSize);
    m_nPayloadCrc = crc.Combine(m_nPayloadCrc, bodyCrc, bodyLength);
}

std::vector<uint8_t> CNDBPrepackaging::WriteContainer()
{
    if (m_output.GetLength() == 0) {
        m_output.WriteZeros(ndb::kHeaderSize);
    }
    std::vector<uint8_t> file = m_output.Detach();
    uint8_t* h = file.data();
    WriteLE32(h + ndb::kHdrTagId, ndb::kContainerTagId);
    WriteLE32(h + ndb::kHdrTagVersion, ndb::kContainerTagVersion);
    WriteLE32(h + ndb::kHdrBodyLength, static_cast<uint32_t>(file.size() - ndb::kHeaderSize));
    WriteLE32(h + ndb::kHdrBodyChecksum, m_nPayloadCrc);
    WriteLE32(h + ndb::kHdrChecksum, Ccrc32::GetInstance().Compute(h + 4, 16));
    m_nPayloadCrc = 0;
    return file;
}

void MakeBlockHeader(uint8_t* header, uint32_t tagId, uint32_t tagVersion)
{
    std::memset(header, 0, ndb::kHeaderSize);
    WriteLE32(header + ndb::kHdrTagId, tagId);
    WriteLE32(header + ndb::kHdrTagVersion, tagVersion);
}
