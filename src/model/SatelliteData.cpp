#include "SatelliteData.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

#include "Endian.h"
#include "NdbPrepackaging.h"
#include "OptionList.h"
#include "TextCodec.h"

using namespace ve;

CSatelliteData::CSatelliteData(const uint8_t* image, int slot) : m_nSlot(slot)
{
    std::memcpy(m_record.data(), image, m_record.size());
}

int CSatelliteData::GetPosition() const
{
    return ReadLE16(&m_record[24]) & 0x7FF;
}

std::string CSatelliteData::GetNameText() const
{
    return DecodeUtf8Fixed(&m_record[3], 20);
}

namespace {

double PositionDegrees(int position)
{
    const float d = static_cast<float>(position) / 10.0f;
    return static_cast<double>(d);
}

} // namespace

std::string CSatelliteData::FormatPositionText() const
{
    const double d = PositionDegrees(GetPosition());
    const char* fmt = d < 10 ? "%7.1f \xC2\xB0%c " : d < 100 ? "%6.1f \xC2\xB0%c " : "%1.1f \xC2\xB0%c ";
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, d, IsWest() ? 'W' : 'E');
    return buf;
}

std::string CSatelliteData::FormatDegreeText() const
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3.1f", PositionDegrees(GetPosition()));
    return buf;
}

std::string CSatelliteData::FormatOptionText() const
{
    const std::string name = GetNameText();
    if (name.empty()) {
        return {};
    }
    std::string text = name;
    const size_t chars = Utf8ToUtf16(name).size();
    if (chars < 13) {
        text.append(13 - chars, ' ');
    }
    return text + FormatPositionText();
}

int PositionKeyOf(int position)
{
    const float f = static_cast<float>(position) / 10.0f;
    return static_cast<int>(static_cast<double>(f) * 10.0);
}

void CSatelliteDataArray::ReadBlock(CMemStream& stream)
{
    // Nothing of an earlier satellite block survives into this one.
    m_head.fill(0);
    m_tail.clear();
    m_bShortBody = stream.Remaining() < m_head.size();
    if (!m_bShortBody) {
        stream.Read(m_head.data(), m_head.size());
        for (int i = 0; i < ndb::kSatSlots && stream.Remaining() >= ndb::kSatRecordSize; ++i) {
            m_records.push_back(std::make_unique<CSatelliteData>(stream.Current(), i));
            stream.Skip(ndb::kSatRecordSize);
        }
    }
    // Everything behind the last whole slot (of a whole table: the 14-byte
    // tail and any surplus; of a body too short for the head: all of it) is
    // kept as read.
    m_tail.assign(stream.Current(), stream.Current() + stream.Remaining());
    stream.Skip(stream.Remaining());
}

void CSatelliteDataArray::WriteBlock() const
{
    CNDBPrepackaging& out = CNDBPrepackaging::GetInstance();
    CMemStream& body = out.BeginBlock(0xDB02, 3);
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

bool CSatelliteDataArray::ReadStream(CMemStream& stream)
{
    uint8_t countBytes[4];
    if (stream.Read(countBytes, 4) < 4) {
        return false;
    }
    const uint32_t count = ReadLE32(countBytes);
    // Only the entries really there are read; a count that promises more
    // yields the whole ones and reports the sequence as short.
    const uint32_t present = static_cast<uint32_t>(std::min<size_t>(count, stream.Remaining() / ndb::kSatRecordSize));
    uint8_t buf[ndb::kSatRecordSize];
    for (uint32_t i = 0; i < present; ++i) {
        stream.Read(buf, sizeof buf);
        m_records.push_back(std::make_unique<CSatelliteData>(buf, static_cast<int>(i)));
    }
    if (present < count) {
        stream.Seek(stream.GetLength());
    }
    return present == count;
}

void CSatelliteDataArray::WriteStream(CMemStream& stream) const
{
    uint8_t countBytes[4];
    WriteLE32(countBytes, static_cast<uint32_t>(m_records.size()));
    stream.Write(countBytes, 4);
    for (const auto& r : m_records) {
        stream.Write(r->m_record.data(), r->m_record.size());
    }
}

CSatelliteData* CSatelliteDataArray::Add(std::unique_ptr<CSatelliteData> rec)
{
    m_records.push_back(std::move(rec));
    return m_records.back().get();
}

int CSatelliteDataArray::IndexOf(const CSatelliteData* rec) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == rec) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CSatelliteDataArray::IndexOfNumber(int number) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i]->GetNumber() == number) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CSatelliteDataArray::IndexOfPositionAndName(int position, int east, const std::string& name) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        const CSatelliteData& s = *m_records[i];
        if (s.GetPosition() == position && (s.IsEast() ? 1 : 0) == east && s.GetNameText() == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CSatelliteDataArray::NumberAtPosition(int key, int east) const
{
    for (const auto& r : m_records) {
        if (PositionKey(*r) == key && (r->IsEast() ? 1 : 0) == east) {
            return r->GetNumber();
        }
    }
    return -1;
}

void CSatelliteDataArray::FillSatelliteOptions(COptionList& options) const
{
    std::vector<COptionList::Option> kept;
    for (size_t i = 0; i < m_records.size(); ++i) {
        std::string text = m_records[i]->FormatOptionText();
        // U+FFFF as the first character marks a slot that is not offered.
        if (text.empty() || text.rfind("\xEF\xBF\xBF", 0) == 0) {
            continue;
        }
        kept.push_back({std::move(text), static_cast<int>(i)});
    }
    SortOptionTexts(kept);
    for (auto& o : kept) {
        options.AddOption(std::move(o.text), o.value);
    }
    if (kept.empty()) {
        options.AddOption(std::string(), 0);
    }
}
