#include "SortOrderFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <tuple>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ExchangeMessages.h"
#include "FileLayer.h"
#include "VandrelEdit2028Doc.h"
#include "model/Endian.h"

using namespace ve;

namespace {

using Record = std::array<uint8_t, kSortOrderRecordSize>;

// A file of a full table is about 480 KB; counts beyond 16 bits per kind
// come only from a damaged file, so nothing past this is read.
constexpr size_t kMaxFileBytes = kSortOrderHeaderSize + 2 * 65536 * kSortOrderRecordSize;

bool FillRecord(const CVandrelEdit2028Doc& doc, const CServiceData& s, Record& r)
{
    const CTransponderData* tp = doc.TransponderOf(&s);
    const CSatelliteData* sat = doc.SatelliteOf(tp);
    // Without both the channel could never be recognised again; its record
    // stays empty like that of a slot without channel.
    if (tp == nullptr || sat == nullptr || tp->GetNumber() == 0 || sat->GetNumber() == 0) {
        return false;
    }
    uint8_t* p = r.data();
    WriteLE16(p + 2, s.GetServiceId());
    WriteLE16(p + 4, static_cast<uint16_t>(CSatelliteDataArray::PositionKey(*sat)));
    WriteLE16(p + 6, sat->IsWest() ? 1 : 0);
    WriteLE16(p + 8, tp->GetFrequency());
    WriteLE16(p + 10, tp->GetPolarisation() == 0 ? 1 : 0);
    WriteLE16(p + 12, tp->GetSymbolRate());
    WriteLE16(p + 14, tp->GetTpId());
    WriteLE16(p + 16, tp->GetOrgNetId());
    WriteLE32(p + 20, s.GetFavouriteGroup());
    return true;
}

bool IsEmptyRecord(const Record& r)
{
    return std::all_of(r.begin(), r.end(), [](uint8_t b) { return b == 0; });
}

std::string FormatText(const char* pattern, int a, int b = 0)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, pattern, a, b);
    return buf;
}

// The records of one kind's block that are still waiting for their stored
// place, by (transponder number, service id), each list in array order.
class CBlockIndex {
public:
    CBlockIndex(const CServiceDataArray& services, int first, int end)
    {
        for (int i = first; i < end; ++i) {
            CServiceData* s = services.GetAt(i);
            m_block.push_back(s);
            m_byKey[Key(s->GetTransponder(), s->GetServiceId())].indexes.push_back(i - first);
        }
        m_taken.assign(m_block.size(), 0);
    }
    // The first record of the block with these keys that is not yet placed.
    CServiceData* Take(int transponder, int sid)
    {
        auto it = m_byKey.find(Key(transponder, sid));
        if (it == m_byKey.end() || it->second.next >= it->second.indexes.size()) {
            return nullptr;
        }
        const int at = it->second.indexes[it->second.next++];
        m_taken[static_cast<size_t>(at)] = 1;
        return m_block[static_cast<size_t>(at)];
    }
    void AppendRest(std::vector<CServiceData*>& order) const
    {
        for (size_t i = 0; i < m_block.size(); ++i) {
            if (!m_taken[i]) {
                order.push_back(m_block[i]);
            }
        }
    }

private:
    struct Waiting {
        std::vector<int> indexes;
        size_t next = 0;
    };
    static uint32_t Key(int transponder, int sid)
    {
        return (static_cast<uint32_t>(transponder & 0xFFFF) << 16) | static_cast<uint32_t>(sid & 0xFFFF);
    }
    std::vector<CServiceData*> m_block;
    std::vector<char> m_taken;
    std::unordered_map<uint32_t, Waiting> m_byKey;
};

// Satellite and transponder numbers of stored keys, looked up once each.
class CKeyLookup {
public:
    explicit CKeyLookup(const CVandrelEdit2028Doc& doc) : m_doc(doc) {}
    // The document's transponder number for the record, or -1.
    int TransponderOf(const Record& r)
    {
        const uint8_t* p = r.data();
        const int key = ReadLE16(p + 4);
        const int east = ReadLE16(p + 6) == 0 ? 1 : 0;
        auto sat = m_satellites.find({key, east});
        if (sat == m_satellites.end()) {
            sat = m_satellites.emplace(std::make_pair(key, east), m_doc.m_satellites.NumberAtPosition(key, east))
                      .first;
        }
        if (sat->second <= 0) {
            return -1;
        }
        const int polarisation = ReadLE16(p + 10) == 1 ? 0 : 1;
        const auto tpKey = std::make_tuple(sat->second, static_cast<int>(ReadLE16(p + 14)),
                                           static_cast<int>(ReadLE16(p + 16)), polarisation);
        auto tp = m_transponders.find(tpKey);
        if (tp == m_transponders.end()) {
            tp = m_transponders
                     .emplace(tpKey, m_doc.m_transponders.NumberOfTransponderKeys(
                                         std::get<0>(tpKey), std::get<1>(tpKey), std::get<2>(tpKey), polarisation))
                     .first;
        }
        return tp->second;
    }

private:
    const CVandrelEdit2028Doc& m_doc;
    std::map<std::pair<int, int>, int> m_satellites;
    std::map<std::tuple<int, int, int, int>, int> m_transponders;
};

// Places the recognised channels of one kind's stored records [from, to).
int PlaceKind(const SortOrderData& order, size_t from, size_t to, CKeyLookup& keys, CBlockIndex& block,
              std::vector<CServiceData*>& placed)
{
    int count = 0;
    to = std::min(to, order.records.size());
    for (size_t j = from; j < to; ++j) {
        const Record& r = order.records[j];
        if (IsEmptyRecord(r)) {
            continue;
        }
        const int transponder = keys.TransponderOf(r);
        if (transponder < 0) {
            continue;
        }
        CServiceData* s = block.Take(transponder, ReadLE16(r.data() + 2));
        if (s == nullptr) {
            continue;
        }
        s->SetFavouriteGroup(r[20]);
        placed.push_back(s);
        ++count;
    }
    return count;
}

} // namespace

std::vector<uint8_t> BuildSortOrder(const CVandrelEdit2028Doc& doc)
{
    const CServiceDataArray& services = doc.m_services;
    const uint32_t tv = services.GetTvCount() & 0xFFFF;
    const uint32_t radio = services.GetRadioCount() & 0xFFFF;
    const uint32_t slots = tv + radio;
    std::vector<uint8_t> out(kSortOrderHeaderSize + slots * kSortOrderRecordSize, 0);
    uint32_t described = 0;
    for (uint32_t i = 0; i < slots && i < static_cast<uint32_t>(services.GetSize()); ++i) {
        const CServiceData& s = *services.GetAt(static_cast<int>(i));
        Record r{};
        if (s.GetNumber() != 0 && FillRecord(doc, s, r)) {
            std::copy(r.begin(), r.end(),
                      out.begin() + static_cast<long>(kSortOrderHeaderSize + i * kSortOrderRecordSize));
            ++described;
        }
    }
    WriteLE32(&out[0], kSortOrderVersion);
    WriteLE32(&out[4], described);
    WriteLE32(&out[8], slots);
    WriteLE32(&out[12], tv);
    WriteLE32(&out[16], radio);
    return out;
}

SortOrderStatus ParseSortOrder(const uint8_t* data, size_t size, SortOrderData& order)
{
    order = SortOrderData{};
    if (data == nullptr || size < 4) {
        return SortOrderStatus::Invalid;
    }
    order.version = ReadLE32(data);
    if (order.version != kSortOrderVersion) {
        return SortOrderStatus::Outdated;
    }
    if (size < kSortOrderHeaderSize) {
        return SortOrderStatus::Invalid;
    }
    order.described = ReadLE32(data + 4);
    order.slotCount = ReadLE32(data + 8);
    order.tvCount = ReadLE32(data + 12);
    order.radioCount = ReadLE32(data + 16);
    const size_t present = (size - kSortOrderHeaderSize) / kSortOrderRecordSize;
    if (present < order.described) {
        return SortOrderStatus::Invalid;
    }
    // Records past W that the file holds are used as well: a slot without
    // channel is an all-zero record and is passed over anyway.
    const uint64_t walked = static_cast<uint64_t>(order.tvCount) + order.radioCount;
    const size_t keep = static_cast<size_t>(std::min<uint64_t>(present, walked));
    order.records.resize(keep);
    for (size_t j = 0; j < keep; ++j) {
        const uint8_t* p = data + kSortOrderHeaderSize + j * kSortOrderRecordSize;
        std::copy(p, p + kSortOrderRecordSize, order.records[j].begin());
    }
    return SortOrderStatus::Ok;
}

int ApplySortOrder(CVandrelEdit2028Doc& doc, const SortOrderData& order)
{
    CServiceDataArray& services = doc.m_services;
    const int size = services.GetSize();
    const int tvEnd = std::min<int>(static_cast<int>(services.GetTvCount() & 0xFFFF), size);
    const int radioEnd = std::min<int>(tvEnd + static_cast<int>(services.GetRadioCount() & 0xFFFF), size);

    // Only records not yet placed are candidates, and each kind only takes
    // channels of its own block: a duplicate or a channel of the other kind
    // can never be pulled out of place.
    CKeyLookup keys(doc);
    CBlockIndex tvBlock(services, 0, tvEnd);
    CBlockIndex radioBlock(services, tvEnd, radioEnd);
    std::vector<CServiceData*> newOrder;
    newOrder.reserve(static_cast<size_t>(radioEnd));
    int placed = PlaceKind(order, 0, order.tvCount, keys, tvBlock, newOrder);
    tvBlock.AppendRest(newOrder);
    placed += PlaceKind(order, order.tvCount, static_cast<size_t>(order.tvCount) + order.radioCount, keys,
                        radioBlock, newOrder);
    radioBlock.AppendRest(newOrder);

    std::vector<std::unique_ptr<CServiceData>> none;
    services.Rearrange(0, radioEnd, newOrder, none);
    services.NumberListPositions();
    doc.SetModifiedFlag(true);
    return placed;
}

bool StoreSortOrderFile(const CVandrelEdit2028Doc& doc, const std::string& path, std::string& error)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(parent, ignored);
    }
    const std::vector<uint8_t> bytes = BuildSortOrder(doc);
    std::string reason;
    if (!CFileLayer::Default().WriteFileAtomic(path, bytes.data(), bytes.size(), reason)) {
        error = std::string(exmsg::kStoreOrderFailed) + "\n\n" + reason;
        return false;
    }
    return true;
}

int FileCauseCode(int err)
{
    switch (err) {
    case 0:
        return 0;
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return 5;
    case EBADF:
        return 6;
    case EIO:
        return 10;
    case EBUSY:
    case ETXTBSY:
        return 11;
    case ENOSPC:
    case EDQUOT:
        return 13;
    default:
        return 1;
    }
}

namespace {

// Reads at most kMaxFileBytes; returns 0 or the errno of the failure.
int ReadOrderFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    // Opened without waiting: a FIFO must not block the command.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : S_ISREG(st.st_mode) ? errno : EINVAL;
        ::close(fd);
        return err;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bytes.resize(std::min<size_t>(static_cast<size_t>(std::max<off_t>(st.st_size, 0)) + 1, kMaxFileBytes));
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return err;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    ::close(fd);
    return 0;
}

} // namespace

ApplyOrderResult ApplySortOrderFile(CVandrelEdit2028Doc& doc, const std::string& path)
{
    ApplyOrderResult result;
    std::vector<uint8_t> bytes;
    // A FIFO, socket or device is refused by name; a folder keeps its cause code.
    if (struct stat st{}; ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) {
        result.status = SortOrderStatus::Missing;
        result.message = CheckInputFile(path);
        return result;
    }
    if (const int err = ReadOrderFile(path, bytes); err != 0) {
        result.status = SortOrderStatus::Missing;
        result.causeCode = FileCauseCode(err);
        result.message = FormatText(exmsg::kOrderFileMissing, result.causeCode);
        return result;
    }
    SortOrderData order;
    result.status = ParseSortOrder(bytes.data(), bytes.size(), order);
    result.described = static_cast<int>(std::min<uint32_t>(order.described, 0x7FFFFFFF));
    switch (result.status) {
    case SortOrderStatus::Outdated:
        result.message = exmsg::kOrderFileOutdated;
        return result;
    case SortOrderStatus::Invalid:
        result.message = exmsg::kOrderFileInvalid;
        doc.m_services.NumberListPositions();
        break;
    case SortOrderStatus::Ok:
        result.sorted = ApplySortOrder(doc, order);
        break;
    case SortOrderStatus::Missing:
        break;
    }
    result.summary = FormatText(exmsg::kOrderApplied, result.sorted, result.described);
    return result;
}
