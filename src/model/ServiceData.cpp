#include "ServiceData.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>

#include "AddressIndex.h"
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

void CServiceData::AppendNameUtf16(std::u16string& out) const
{
    for (size_t i = 40; i < 60 && m_record[i] != 0; ++i) {
        // Latin-1 has one code point per byte, all below 0x100.
        out.push_back(static_cast<char16_t>(DecodeByte(m_record[i], CodePage::Latin1)));
    }
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
    // Nothing of an earlier service block survives into this one.
    m_serviceHead.fill(0);
    m_tail.clear();
    m_bShortBody = stream.Remaining() < m_serviceHead.size();
    if (m_bShortBody) {
        // Too short for the head: nothing of it is interpreted, and it is
        // written back exactly as read.
        m_tail.assign(stream.Current(), stream.Current() + stream.Remaining());
        stream.Skip(stream.Remaining());
        return;
    }
    stream.Read(m_serviceHead.data(), m_serviceHead.size());
    // Only whole slots become records; the bytes behind them are kept.
    const size_t n = std::min<size_t>(ndb::kSvcSlots, stream.Remaining() / ndb::kSvcRecordSize);
    const uint8_t* slots = stream.Current();
    stream.Skip(n * ndb::kSvcRecordSize);
    m_tail.assign(stream.Current(), stream.Current() + stream.Remaining());
    stream.Skip(stream.Remaining());
    auto slot = [&](size_t i) { return slots + i * ndb::kSvcRecordSize; };

    // Chains are followed through an index by number: for every number the
    // slots holding it, in file order. The first match in file order is what
    // a search from the start of the array would find.
    // A small body gets a small index, so that many tiny blocks stay cheap.
    std::vector<int32_t> nextWithNumber(n, -1);
    std::vector<int32_t> firstWithNumber;
    std::vector<std::pair<uint16_t, int32_t>> smallIndex;
    const bool small = n < 4096;
    if (small) {
        for (size_t i = 0; i < n; ++i) {
            smallIndex.emplace_back(ReadLE16(slot(i)), static_cast<int32_t>(i));
        }
        std::sort(smallIndex.begin(), smallIndex.end());
        for (size_t k = 0; k + 1 < smallIndex.size(); ++k) {
            if (smallIndex[k].first == smallIndex[k + 1].first) {
                nextWithNumber[static_cast<size_t>(smallIndex[k].second)] = smallIndex[k + 1].second;
            }
        }
    } else {
        firstWithNumber.assign(65536, -1);
        for (size_t i = n; i-- > 0;) {
            const uint16_t num = ReadLE16(slot(i));
            nextWithNumber[i] = firstWithNumber[num];
            firstWithNumber[num] = static_cast<int32_t>(i);
        }
    }
    auto firstOf = [&](uint16_t num) -> int32_t {
        if (!small) {
            return firstWithNumber[num];
        }
        auto it = std::lower_bound(smallIndex.begin(), smallIndex.end(), std::pair<uint16_t, int32_t>(num, -1));
        return it != smallIndex.end() && it->first == num ? it->second : -1;
    };
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
            int32_t idx = firstOf(current);
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
    const size_t first = m_records.size();
    m_records.reserve(first + n);
    for (size_t k : order) {
        m_records.push_back(std::make_unique<CServiceData>(slot(k)));
    }
    for (size_t i = 0; i < n; ++i) {
        if (taken[i] == kFree) {
            m_records.push_back(std::make_unique<CServiceData>(slot(i)));
        }
    }
    // The save chains every numbered record up to the first empty slot.
    // Numbered records that stand right behind the chains, before any empty
    // slot, would therefore join the chains of the written file; they are
    // taken in here, and with a chain member of the wrong kind brought into
    // television-then-radio order (each kind keeping the order found), so
    // the lists show what the save writes. Records behind the first empty
    // slot are on no chain and stay where they are: they are kept and
    // written back as read, but they are no channels.
    const auto begin = m_records.begin() + static_cast<std::ptrdiff_t>(first);
    const auto channelsEnd = std::find_if(
        begin, m_records.end(), [](const std::unique_ptr<CServiceData>& r) { return r->GetNumber() == 0; });
    auto byKind = [](const std::unique_ptr<CServiceData>& a, const std::unique_ptr<CServiceData>& b) {
        return !a->IsRadio() && b->IsRadio();
    };
    if (!std::is_sorted(begin, channelsEnd, byKind)) {
        std::stable_sort(begin, channelsEnd, byKind);
    }
    // The counts in the head describe these channels, whatever the file said.
    const auto tv = static_cast<uint32_t>(
        std::count_if(begin, channelsEnd, [](const std::unique_ptr<CServiceData>& r) { return !r->IsRadio(); }));
    const auto channels = static_cast<uint32_t>(channelsEnd - begin);
    WriteLE32(&m_serviceHead[0], tv);
    WriteLE32(&m_serviceHead[4], channels - tv);
    WriteLE16(&m_serviceHead[16], static_cast<uint16_t>(channels));
}

int CServiceDataArray::ChannelEnd() const
{
    const auto it = std::find_if(m_records.begin(), m_records.end(),
                                 [](const std::unique_ptr<CServiceData>& r) { return r->GetNumber() == 0; });
    return static_cast<int>(it - m_records.begin());
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
    // The record behind the last television channel starts the radio chain;
    // when it is an empty slot (no radio channels) its bytes stay as read.
    const int channels = k - 1;
    if (last[0] + 1 < channels) {
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
    const size_t start = body.GetLength();
    if (!m_bShortBody) {
        body.Write(m_serviceHead.data(), m_serviceHead.size());
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
    // The new record takes the place of the last empty slot, so a record on
    // no chain behind it keeps its slot; a table without an empty slot has no
    // room, and no record is given up.
    const auto used = [this](int i) { return m_records[static_cast<size_t>(i)]->GetNumber() != 0; };
    int slot = GetSize() - 1;
    while (slot >= 0 && used(slot)) {
        --slot;
    }
    if (slot < 0) {
        return nullptr;
    }
    // Filling the only empty slot would put the records behind it on the chain.
    if (slot < GetSize() - 1) {
        int before = slot - 1;
        while (before >= 0 && used(before)) {
            --before;
        }
        if (before < 0) {
            return nullptr;
        }
    }
    const auto at = m_records.begin() + slot;
    Drop(std::move(*at));
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
    *at = std::move(rec);
    return at->get();
}

int CServiceDataArray::FreeSlots() const
{
    if (GetSize() != ndb::kSvcSlots) {
        return 0;
    }
    const int end = ChannelEnd();
    int free = 0;
    bool behind = false;
    for (int i = end; i < GetSize(); ++i) {
        const bool empty = m_records[static_cast<size_t>(i)]->GetNumber() == 0;
        free += empty ? 1 : 0;
        behind = behind || !empty;
    }
    return behind ? free - 1 : free;
}

void CServiceDataArray::DeleteService(CServiceData* rec)
{
    const int idx = IndexOf(rec);
    if (idx < 0) {
        return;
    }
    const bool radio = rec->IsRadio();
    Drop(std::move(m_records[static_cast<size_t>(idx)]));
    m_records.erase(m_records.begin() + idx);
    m_records.push_back(std::make_unique<CServiceData>());
    AddToKindCount(radio, -1);
}

void CServiceDataArray::Drop(std::unique_ptr<CServiceData> rec)
{
    if (m_pGraveyard != nullptr) {
        m_pGraveyard->push_back(std::move(rec));
    }
}

void CServiceDataArray::DeleteServices(const std::vector<CServiceData*>& records)
{
    std::vector<CServiceData*> doomed(records);
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    int removed[2] = {0, 0};
    std::vector<std::unique_ptr<CServiceData>> kept;
    kept.reserve(m_records.size());
    for (auto& r : m_records) {
        if (std::binary_search(doomed.begin(), doomed.end(), r.get())) {
            ++removed[r->IsRadio() ? 1 : 0];
            Drop(std::move(r));
        } else {
            kept.push_back(std::move(r));
        }
    }
    const size_t count = m_records.size() - kept.size();
    for (size_t i = 0; i < count; ++i) {
        kept.push_back(std::make_unique<CServiceData>());
    }
    m_records = std::move(kept);
    AddToKindCount(false, -removed[0]);
    AddToKindCount(true, -removed[1]);
}

bool CServiceDataArray::MoveServicesNextTo(const CServiceData* anchor, const std::vector<CServiceData*>& records,
                                           bool after)
{
    // (record, place in the given order), sorted by record for lookups.
    std::vector<std::pair<const CServiceData*, size_t>> moving;
    moving.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i] != anchor) {
            moving.emplace_back(records[i], i);
        }
    }
    std::sort(moving.begin(), moving.end());
    moving.erase(
        std::unique(moving.begin(), moving.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
        moving.end());
    auto placeOf = [&](const CServiceData* r) -> const std::pair<const CServiceData*, size_t>* {
        auto it = std::lower_bound(moving.begin(), moving.end(), std::make_pair(r, size_t{0}));
        return it != moving.end() && it->first == r ? &*it : nullptr;
    };

    size_t found = 0;
    bool anchorFound = false;
    for (const auto& r : m_records) {
        found += placeOf(r.get()) != nullptr ? 1 : 0;
        anchorFound = anchorFound || r.get() == anchor;
    }
    if (found != moving.size() || !anchorFound) {
        return false;
    }

    // The pulled records are put in the order the caller gave.
    std::vector<std::pair<size_t, std::unique_ptr<CServiceData>>> pulled;
    std::vector<std::unique_ptr<CServiceData>> rest;
    pulled.reserve(moving.size());
    rest.reserve(m_records.size());
    for (auto& r : m_records) {
        if (const auto* place = placeOf(r.get())) {
            pulled.emplace_back(place->second, std::move(r));
        } else {
            rest.push_back(std::move(r));
        }
    }
    std::sort(pulled.begin(), pulled.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    size_t anchorIndex = 0;
    while (rest[anchorIndex].get() != anchor) {
        ++anchorIndex;
    }
    const size_t insertAt = after ? anchorIndex + 1 : anchorIndex;
    m_records.clear();
    for (size_t i = 0; i < insertAt; ++i) {
        m_records.push_back(std::move(rest[i]));
    }
    for (auto& p : pulled) {
        m_records.push_back(std::move(p.second));
    }
    for (size_t i = insertAt; i < rest.size(); ++i) {
        m_records.push_back(std::move(rest[i]));
    }
    return true;
}

std::vector<CServiceData*> CServiceDataArray::Order() const
{
    std::vector<CServiceData*> order;
    order.reserve(m_records.size());
    for (const auto& r : m_records) {
        order.push_back(r.get());
    }
    return order;
}

bool CServiceDataArray::Rearrange(int first, int count, const std::vector<CServiceData*>& order,
                                  std::vector<std::unique_ptr<CServiceData>>& parked)
{
    if (first < 0 || count < 0 || first + count > GetSize()) {
        return false;
    }
    const auto begin = m_records.begin() + first;
    const size_t rangeSize = static_cast<size_t>(count);
    // The records at hand by address, each with its place: in the range,
    // then behind it in parked. One table serves the check and the moves.
    CAddressIndex<size_t> atHand(rangeSize + parked.size());
    for (size_t i = 0; i < rangeSize; ++i) {
        atHand.Insert(begin[static_cast<std::ptrdiff_t>(i)].get(), i);
    }
    for (size_t i = 0; i < parked.size(); ++i) {
        atHand.Insert(parked[i].get(), rangeSize + i);
    }
    // Checked before anything moves: every record of order is at hand, and
    // none is named twice.
    std::vector<char> taken(rangeSize + parked.size(), 0);
    std::vector<size_t> source;
    source.reserve(order.size());
    for (const CServiceData* r : order) {
        const size_t* place = atHand.Find(r);
        if (!place || taken[*place]) {
            return false;
        }
        taken[*place] = 1;
        source.push_back(*place);
    }

    std::vector<std::unique_ptr<CServiceData>> range;
    range.reserve(order.size());
    for (size_t place : source) {
        range.push_back(place < rangeSize ? std::move(begin[static_cast<std::ptrdiff_t>(place)])
                                          : std::move(parked[place - rangeSize]));
    }
    // What order left out waits in parked.
    std::vector<std::unique_ptr<CServiceData>> left;
    for (size_t i = 0; i < rangeSize; ++i) {
        if (begin[static_cast<std::ptrdiff_t>(i)]) {
            left.push_back(std::move(begin[static_cast<std::ptrdiff_t>(i)]));
        }
    }
    for (auto& p : parked) {
        if (p) {
            left.push_back(std::move(p));
        }
    }
    parked = std::move(left);
    m_records.erase(begin, begin + count);
    m_records.insert(m_records.begin() + first, std::make_move_iterator(range.begin()),
                     std::make_move_iterator(range.end()));
    return true;
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
    // Only the channels count: the numbered records before the first empty slot.
    int count = 0;
    for (const auto& r : m_records) {
        if (r->GetNumber() == 0) {
            break;
        }
        if (r->IsRadio() != television) {
            ++count;
        }
        if (r.get() == rec) {
            return count;
        }
    }
    return 0xFFFF;
}

CServiceData* CServiceDataArray::ServiceAtListNumber(int number, bool television) const
{
    int count = 0;
    for (const auto& r : m_records) {
        if (r->GetNumber() == 0) {
            break;
        }
        if (r->IsRadio() != television && ++count == number) {
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
