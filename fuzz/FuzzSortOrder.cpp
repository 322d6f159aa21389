// The stored sort order file on arbitrary bytes: ParseSortOrder, then
// ApplySortOrder on the compact demo document. Afterwards the table must be
// whole and ordered, each kind's block holding the same records as before,
// only placed records may have changed (their favourite group, nothing
// else), and undoing the step must give back exactly the document before.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "AllocGuard.h"
#include "FuzzDocument.h"
#include "document/DocumentChange.h"
#include "document/SortOrderFile.h"

namespace {

void Check(bool ok)
{
    if (!ok) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SortOrderData order;
    vefuzz::BeginWatch("parse", vefuzz::LimitsFor(size, 4u << 10, 4u << 10));
    const SortOrderStatus status = ParseSortOrder(data, size, order);
    vefuzz::EndWatch();
    Check(order.records.size() * kSortOrderRecordSize <= size);
    if (status != SortOrderStatus::Ok) {
        Check(order.records.empty());
        return 0;
    }
    Check(order.version == kSortOrderVersion && order.described <= (size - kSortOrderHeaderSize) / 24);

    CVandrelEdit2028Doc& doc = vefuzz::FuzzCompactDocument();
    vefuzz::CaptureInitialState(doc);
    const std::vector<CServiceData*> before = doc.m_services.Order();
    std::vector<std::array<uint8_t, ndb::kSvcRecordSize>> images;
    for (const CServiceData* s : before) {
        images.push_back(s->m_record);
    }
    const int tv = static_cast<int>(doc.m_services.GetTvCount());
    const int radio = static_cast<int>(doc.m_services.GetRadioCount());

    CDocumentChange change(doc);
    // The lookups are sized by the table, never by the file.
    vefuzz::BeginWatch("apply", vefuzz::LimitsFor(size, 1u << 20, 8u << 20));
    const int placed = ApplySortOrder(doc, order);
    vefuzz::EndWatch();
    change.Finish();

    vefuzz::CheckTableOrder(doc);
    Check(placed >= 0 && static_cast<size_t>(placed) <= order.records.size() && placed <= tv + radio);
    const std::vector<CServiceData*> after = doc.m_services.Order();
    auto sameSet = [&](int first, int end) {
        std::vector<CServiceData*> a(before.begin() + first, before.begin() + end);
        std::vector<CServiceData*> b(after.begin() + first, after.begin() + end);
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        return a == b;
    };
    Check(sameSet(0, tv) && sameSet(tv, tv + radio));
    Check(std::equal(before.begin() + tv + radio, before.end(), after.begin() + tv + radio));
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        auto image = images[i];
        if (image != before[i]->m_record) {
            ++changed;
            image[30] = before[i]->m_record[30];
            Check(image == before[i]->m_record);
        }
    }
    Check(changed <= placed);

    change.Undo();
    vefuzz::CheckRestored(doc);
    return 0;
}
