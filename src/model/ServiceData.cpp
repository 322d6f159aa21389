#include "ServiceData.h"

#include <algorithm>
#include <cstring>

#include "NdbPrepackaging.h"

using namespace ve;

CServiceData::CServiceData(const uint8_t* image)
{
    std::memcpy(m_record.data(), image, m_record.size());
}

std::string CServiceData::GetNameText() const
{
    return DecodeFixed(&m_record[40], 20, CodePage::Latin1);
}

std::string CServiceData::GetProviderText() const
{
    return DecodeFixed(&m_record[60], 12, CodePage::Latin1);
}

namespace {

// Writes at most maxChars characters (and bytes) plus a terminating zero;
// the field bytes after the terminator keep their values.
void SetFixedText(uint8_t* field, const std::string& text, size_t maxChars, CodePage cp)
{
    std::u32string chars;
    for (char32_t c : Utf8ToUtf32(text)) {
        if (c != 0x00C2 && c != 0x2020 && c != 0x2021) {
            chars += c;
        }
    }
    if (chars.size() > maxChars) {
        chars.resize(maxChars);
    }
    std::string bytes = EncodeCodePage(chars, cp);
    if (bytes.size() > maxChars) {
        bytes.resize(maxChars);
    }
    std::memcpy(field, bytes.data(), bytes.size());
    field[bytes.size()] = 0;
}

} // namespace

void CServiceData::SetNameText(const std::string& text, CodePage cp)
{
    SetFixedText(&m_record[40], text, 19, cp);
}

void CServiceData::SetProviderText(const std::string& text, CodePage cp)
{
    SetFixedText(&m_record[60], text, 11, cp);
}

void CServiceDataArray::ReadBlock(CMemStream& stream)
{
    if (stream.Read(m_serviceHead.data(), m_serviceHead.size()) < m_serviceHead.size()) {
        return;
    }
    // Only whole slots are read; a short body yields the slots that fit.
    const size_t n = std::min<size_t>(ndb::kSvcSlots, stream.Remaining() / ndb::kSvcRecordSize);
    const uint8_t* slots = stream.Current();
    stream.Skip(n * ndb::kSvcRecordSize);
    auto slot = [&](size_t i) { return slots + i * ndb::kSvcRecordSize; };

    // Chains are followed through an index by number: for every number the
    // slots holding it, in file order. The first match in file order is what
    // a search from the start of the array would find.
    std::vector<int32_t> firstWithNumber(65536, -1);
    std::vector<int32_t> nextWithNumber(n, -1);
    for (size_t i = n; i-- > 0;) {
        const uint16_t num = ReadLE16(slot(i));
        nextWithNumber[i] = firstWithNumber[num];
        firstWithNumber[num] = static_cast<int32_t>(i);
    }
    enum : uint8_t { kFree, kThisChain, kEarlierChain };
    std::vector<uint8_t> taken(n, kFree);
    std::vector<size_t> order;
    order.reserve(n);

    // Walks one chain. A number is found at its first slot that no earlier
    // chain took (the radio chain is searched behind the television records);
    // a slot met again means the chain loops, and the walk ends there.
    auto walk = [&](uint16_t start, size_t maxSteps) {
        const size_t begin = order.size();
        uint16_t current = start;
        for (size_t steps = 0; current != 0 && steps < maxSteps; ++steps) {
            int32_t idx = firstWithNumber[current];
            while (idx >= 0 && taken[static_cast<size_t>(idx)] == kEarlierChain) {
                idx = nextWithNumber[static_cast<size_t>(idx)];
            }
            if (idx < 0 || taken[static_cast<size_t>(idx)] == kThisChain) {
                break;
            }
            taken[static_cast<size_t>(idx)] = kThisChain;
            order.push_back(static_cast<size_t>(idx));
            current = ReadLE16(slot(static_cast<size_t>(idx)) + 4);
        }
        for (size_t k = begin; k < order.size(); ++k) {
            taken[order[k]] = kEarlierChain;
        }
    };
    walk(ReadLE16(&m_serviceHead[8]), ndb::kSvcSlots);
    const size_t tvCount = order.size();
    walk(ReadLE16(&m_serviceHead[10]), static_cast<size_t>(ndb::kSvcSlots) - tvCount);

    // The chains first, in chain order, then the other slots in file order.
    m_records.reserve(m_records.size() + n);
    for (size_t k : order) {
        m_records.push_back(std::make_unique<CServiceData>(slot(k)));
    }
    for (size_t i = 0; i < n; ++i) {
        if (taken[i] == kFree) {
            m_records.push_back(std::make_unique<CServiceData>(slot(i)));
        }
    }
}

void CServiceDataArray::NumberListPositions()
{
    int tv = 1;
    int radio = 1;
    for (auto& r : m_records) {
        r->m_nListPos = r->IsRadio() ? radio++ : tv++;
    }
}

void CServiceDataArray::RelinkServices()
{
    uint32_t counts[2] = {0, 0};
    int last[2] = {-1, -1};
    int k = 1;
    const int size = GetSize();
    for (int i = 0; i < size; ++i) {
        CServiceData& r = *m_records[static_cast<size_t>(i)];
        if (r.GetNumber() == 0) {
            break;
        }
        r.SetNumber(static_cast<uint16_t>(k));
        r.SetNext(static_cast<uint16_t>(k + 1));
        r.SetPrevious(static_cast<uint16_t>(k - 1));
        const int kind = r.IsRadio() ? 1 : 0;
        ++counts[kind];
        last[kind] = i;
        ++k;
    }
    if (last[0] >= 0) {
        m_records[static_cast<size_t>(last[0])]->SetNext(0);
    }
    if (last[0] + 1 >= 0 && last[0] + 1 < size) {
        m_records[static_cast<size_t>(last[0] + 1)]->SetPrevious(0);
    }
    if (last[1] >= 0) {
        m_records[static_cast<size_t>(last[1])]->SetNext(0);
    }
    uint8_t* h = m_serviceHead.data();
    WriteLE32(h + 0, counts[0]);
    WriteLE32(h + 4, counts[1]);
    WriteLE16(h + 8, counts[0] > 0 ? 1 : 0);
    WriteLE16(h + 10, last[1] < 0 ? 0 : static_cast<uint16_t>(last[0] + 2));
    WriteLE16(h + 12, last[0] < 0 ? 0 : static_cast<uint16_t>(last[0] + 1));
    WriteLE16(h + 14, last[1] < 0 ? 0 : static_cast<uint16_t>(last[1] + 1));
    WriteLE16(h + 16, static_cast<uint16_t>(k - 1));
}

void CServiceDataArray::WriteBlock()
{
    RelinkServices();
    CNDBPrepackaging& out = CNDBPrepackaging::GetInstance();
    CMemStream& body = out.BeginBlock(0xDB04, 2);
    body.Write(m_serviceHead.data(), m_serviceHead.size());
    for (const auto& r : m_records) {
        body.Write(r->m_record.data(), r->m_record.size());
    }
    const long long fill = static_cast<long long>(m_nBodyLength) -
                           static_cast<long long>(ndb::kSvcRecordSize * m_records.size()) -
                           static_cast<long long>(ndb::kSvcHeadSize);
    if (fill > 0) {
        body.WriteZeros(static_cast<size_t>(fill));
    }
    out.EndBlock();
}

bool CServiceDataArray::ReadStream(CMemStream& stream)
{
    uint8_t countBytes[4];
    if (stream.Read(countBytes, 4) < 4) {
        return false;
    }
    const uint32_t count = ReadLE32(countBytes);
    constexpr size_t kEntry = 1 + ndb::kSvcRecordSize;
    // Only the entries really there are read; a count that promises more
    // yields the whole ones and reports the sequence as short.
    const uint32_t present = static_cast<uint32_t>(std::min<size_t>(count, stream.Remaining() / kEntry));
    for (uint32_t i = 0; i < present; ++i) {
        stream.Skip(1); // the kind byte; the flags byte is authoritative
        auto rec = std::make_unique<CServiceData>(stream.Current());
        stream.Skip(ndb::kSvcRecordSize);
        m_records.push_back(std::move(rec));
    }
    if (present < count) {
        stream.Seek(stream.GetLength());
    }
    return present == count;
}

void CServiceDataArray::WriteStream(CMemStream& stream) const
{
    uint8_t countBytes[4];
    WriteLE32(countBytes, static_cast<uint32_t>(m_records.size()));
    stream.Write(countBytes, 4);
    for (const auto& r : m_records) {
        const uint8_t kind = r->IsRadio() ? 0 : 1;
        stream.Write(&kind, 1);
        stream.Write(r->m_record.data(), r->m_record.size());
    }
}

CServiceData* CServiceDataArray::Add(std::unique_ptr<CServiceData> rec)
{
    m_records.push_back(std::move(rec));
    return m_records.back().get();
}

void CServiceDataArray::AddToKindCount(bool radio, int delta)
{
    uint8_t* p = &m_serviceHead[radio ? 4 : 0];
    // A count read from the file may already be 0; it never wraps around.
    const int64_t value = std::max<int64_t>(0, static_cast<int64_t>(ReadLE32(p)) + delta);
    WriteLE32(p, static_cast<uint32_t>(std::min<int64_t>(value, UINT32_MAX)));
}

CServiceData* CServiceDataArray::AddService(const CServiceData* source, bool television)
{
    if (GetSize() != ndb::kSvcSlots) {
        return nullptr;
    }
    // The new record takes the place of the empty slot at the end; a table
    // whose last slot holds a channel has no room, and no channel is given up.
    if (m_records.back()->GetNumber() != 0) {
        return nullptr;
    }
    m_records.pop_back();
    std::unique_ptr<CServiceData> rec;
    if (source != nullptr) {
        rec = std::make_unique<CServiceData>(source->m_record.data());
    } else {
        rec = std::make_unique<CServiceData>();
        rec->SetServiceId(1);
        rec->SetNameText("New");
        if (!television) {
            rec->SetFlags(0x08);
        }
        const uint16_t total = static_cast<uint16_t>(GetHeadTotal() + 1);
        rec->SetNumber(total);
        WriteLE16(&m_serviceHead[16], total);
    }
    AddToKindCount(rec->IsRadio(), +1);
    m_records.push_back(std::move(rec));
    return m_records.back().get();
}

void CServiceDataArray::DeleteService(CServiceData* rec)
{
    const int idx = IndexOf(rec);
    if (idx < 0) {
        return;
    }
    const bool radio = rec->IsRadio();
    m_records.erase(m_records.begin() + idx);
    m_records.push_back(std::make_unique<CServiceData>());
    AddToKindCount(radio, -1);
}

int CServiceDataArray::MoveService(CServiceData* rec, int target)
{
    const int from = IndexOf(rec);
    if (from < 0 || target < 0 || target >= GetSize()) {
        return -1;
    }
    auto first = m_records.begin();
    if (from < target) {
        std::rotate(first + from, first + from + 1, first + target + 1);
    } else if (from > target) {
        std::rotate(first + target, first + from, first + from + 1);
    }
    return from;
}

int CServiceDataArray::MoveServiceTo(CServiceData* anchor, CServiceData* rec)
{
    const int target = IndexOf(anchor);
    if (target < 0) {
        return -1;
    }
    return MoveService(rec, target);
}

int CServiceDataArray::IndexOf(const CServiceData* rec) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == rec) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CServiceDataArray::ListNumberOf(const CServiceData* rec, bool television) const
{
    int count = 0;
    for (const auto& r : m_records) {
        if (r->IsRadio() != television && r->GetNumber() != 0) {
            ++count;
        }
        if (r.get() == rec) {
            return r->GetNumber() != 0 ? count : 0xFFFF;
        }
    }
    return 0xFFFF;
}

CServiceData* CServiceDataArray::ServiceAtListNumber(int number, bool television) const
{
    int count = 0;
    for (const auto& r : m_records) {
        if (r->IsRadio() != television && r->GetNumber() != 0 && ++count == number) {
            return r.get();
        }
    }
    return nullptr;
}

int CServiceDataArray::IndexOfTransponderAndSid(int transponder, int sid) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i]->GetServiceId() == sid && m_records[i]->GetTransponder() == transponder) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ScrambledCounts CServiceDataArray::CountScrambled() const
{
    ScrambledCounts c;
    c.tv = static_cast<int>(GetTvCount());
    c.radio = static_cast<int>(GetRadioCount());
    const long long limit = std::min<long long>(static_cast<long long>(GetTvCount()) + GetRadioCount(), GetSize());
    for (long long i = 0; i < limit; ++i) {
        const CServiceData& r = *m_records[static_cast<size_t>(i)];
        if (r.IsScrambled()) {
            ++(r.IsRadio() ? c.scrambledRadio : c.scrambledTv);
        }
    }
    return c;
}

void CServiceDataArray::RemapFavouriteGroups(int oldPos, int newPos, int groupCount)
{
    if (groupCount < 2 || oldPos < 0 || oldPos >= groupCount || newPos < 0 || newPos >= groupCount) {
        return;
    }
    // newGroup[g] is the 1-based place of group g after the move.
    std::vector<int> list(static_cast<size_t>(groupCount));
    for (int i = 0; i < groupCount; ++i) {
        list[static_cast<size_t>(i)] = i + 1;
    }
    const int moved = list[static_cast<size_t>(oldPos)];
    list.erase(list.begin() + oldPos);
    list.insert(list.begin() + newPos, moved);
    std::vector<int> newGroup(static_cast<size_t>(groupCount) + 1, 0);
    for (int i = 0; i < groupCount; ++i) {
        newGroup[static_cast<size_t>(list[static_cast<size_t>(i)])] = i + 1;
    }
    for (auto& r : m_records) {
        const int g = r->GetFavouriteGroup();
        if (g >= 1 && g <= groupCount) {
            r->SetFavouriteGroup(static_cast<uint8_t>(newGroup[static_cast<size_t>(g)]));
        }
    }
}
