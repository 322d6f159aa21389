#include "TransponderData.h"

#include <algorithm>
#include <cstring>

#include "NdbPrepackaging.h"
#include "OptionList.h"

using namespace ve;

CTransponderData::CTransponderData(const uint8_t* image)
{
    std::memcpy(m_record.data(), image, m_record.size());
}

std::string CTransponderData::FormatPolarityText() const
{
    switch (GetPolarisation()) {
    case 0:
        return "V";
    case 1:
        return "H";
    default:
        return "---";
    }
}

std::string CTransponderData::FormatSummaryText() const
{
    return std::to_string(GetFrequency()) + " " + FormatPolarityText() + " " + std::to_string(GetSymbolRate()) +
           " ";
}

void CTransponderDataArray::ReadBlock(CMemStream& stream)
{
    m_head.fill(0);
    m_tail.clear();
    m_bShortBody = stream.Remaining() < m_head.size();
    if (!m_bShortBody) {
        stream.Read(m_head.data(), m_head.size());
        // Whole slots become records; a short body yields the slots that fit.
        const size_t count = std::min<size_t>(ndb::kTpSlots, stream.Remaining() / ndb::kTpRecordSize);
        m_records.reserve(m_records.size() + count);
        for (size_t i = 0; i < count; ++i) {
            m_records.push_back(std::make_unique<CTransponderData>(stream.Current()));
            stream.Skip(ndb::kTpRecordSize);
        }
    }
    // The rest of the body (all of it when it is shorter than the head) is
    // kept as read.
    m_tail.assign(stream.Current(), stream.Current() + stream.Remaining());
    stream.Skip(stream.Remaining());
}

void CTransponderDataArray::WriteBlock() const
{
    CNDBPrepackaging& out = CNDBPrepackaging::GetInstance();
    CMemStream& body = out.BeginBlock(0xDB03, 1);
    const size_t start = body.GetLength();
    if (!m_bShortBody) {
        body.Write(m_head.data(), m_head.size());
    }
    for (const auto& r : m_records) {
        body.Write(r->m_record.data(), r->m_record.size());
    }
    body.Write(m_tail.data(), m_tail.size());
    const long long fill =
        static_cast<long long>(m_nBodyLength) - static_cast<long long>(body.GetLength() - start);
    if (fill > 0) {
        body.WriteZeros(static_cast<size_t>(fill));
    }
    out.EndBlock();
}

bool CTransponderDataArray::ReadStream(CMemStream& stream)
{
    uint8_t countBytes[4];
    if (stream.Read(countBytes, 4) < 4) {
        return false;
    }
    const uint32_t count = ReadLE32(countBytes);
    // Only the entries really there are read; a count that promises more
    // yields the whole ones and reports the sequence as short.
    const uint32_t present = static_cast<uint32_t>(std::min<size_t>(count, stream.Remaining() / ndb::kTpRecordSize));
    for (uint32_t i = 0; i < present; ++i) {
        m_records.push_back(std::make_unique<CTransponderData>(stream.Current()));
        stream.Skip(ndb::kTpRecordSize);
    }
    if (present < count) {
        stream.Seek(stream.GetLength());
    }
    return present == count;
}

void CTransponderDataArray::WriteStream(CMemStream& stream) const
{
    uint8_t countBytes[4];
    WriteLE32(countBytes, static_cast<uint32_t>(m_records.size()));
    stream.Write(countBytes, 4);
    for (const auto& r : m_records) {
        stream.Write(r->m_record.data(), r->m_record.size());
    }
}

CTransponderData* CTransponderDataArray::Add(std::unique_ptr<CTransponderData> rec)
{
    m_records.push_back(std::move(rec));
    return m_records.back().get();
}

int CTransponderDataArray::IndexOf(const CTransponderData* rec) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == rec) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CTransponderDataArray::IndexOfNumber(int number) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i]->GetNumber() == number) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CTransponderDataArray::IndexOfTransponderKeys(int tpId, int orgNetId, int polarisation) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        const CTransponderData& t = *m_records[i];
        if (t.GetTpId() == tpId && t.GetOrgNetId() == orgNetId && t.GetPolarisation() == polarisation) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CTransponderDataArray::NumberOfTransponderKeys(int satellite, int tpId, int orgNetId, int polarisation) const
{
    for (const auto& r : m_records) {
        if (r->GetSatellite() == satellite && r->GetTpId() == tpId && r->GetOrgNetId() == orgNetId &&
            r->GetPolarisation() == polarisation) {
            return r->GetNumber();
        }
    }
    return -1;
}

void CTransponderDataArray::FillTransponderOptions(int satelliteNumber, COptionList& options) const
{
    std::vector<COptionList::Option> kept;
    for (size_t i = 0; i < m_records.size(); ++i) {
        const CTransponderData& t = *m_records[i];
        if (t.GetFrequency() != 0 && t.GetSatellite() == satelliteNumber) {
            kept.push_back({t.FormatSummaryText(), static_cast<int>(i)});
        }
    }
    SortOptionTexts(kept);
    for (auto& o : kept) {
        options.AddOption(std::move(o.text), o.value);
    }
    if (kept.empty()) {
        options.AddOption(std::string(), 0);
    }
}

void CTransponderDataArray::FillPolarisationOptions(COptionList& options)
{
    options.AddOption("Vertical", 0);
    options.AddOption("Horizontal", 1);
}
