// The reference list reader on arbitrary bytes, then the application of
// what it read to the compact demo document inside one CDocumentChange.
// The reader keeps no field it cannot stand behind; afterwards the table
// must be whole and ordered, each kind's block holding the same records as
// before, every line counted once (matched or not found) and every channel
// once (matched or new), only favourite groups and the lock and skip flags
// changed, and undoing the
// step must give back exactly the document before.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AllocGuard.h"
#include "FuzzDocument.h"
#include "document/DocumentChange.h"
#include "document/ReferenceListFile.h"
#include "document/ReferenceMatch.h"

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
    ReferenceList list;
    std::string message;
    // A line of a few bytes becomes one entry of some tens of bytes; of the
    // unreadable lines at most kMaxReportedLines are kept, each with its texts.
    constexpr size_t kIssues = kMaxReportedLines * sizeof(ReferenceLineIssue);
    vefuzz::BeginWatch("parse", vefuzz::LimitsFor(8 * size, (64u << 10) + 2 * kIssues, (64u << 10) + 6 * kIssues));
    const ReferenceListStatus status = ParseReferenceList(data, size, list, message);
    vefuzz::EndWatch();
    if (status != ReferenceListStatus::Ok) {
        Check(list.lines.empty() && list.unreadable.empty() && !message.empty());
        return 0;
    }
    Check(list.lines.size() + list.unreadable.size() <= size && list.unreadable.size() <= kMaxReportedLines);
    Check(list.unreadableOmitted == 0 || list.unreadable.size() == kMaxReportedLines);
    for (const ReferenceLine& line : list.lines) {
        Check((line.number >= 1) == list.hasNumbers && line.lineNumber >= 2 && line.favourite >= -1 &&
              line.favourite <= 8);
        Check(line.locked >= -1 && line.locked <= 1 && line.skipped >= -1 && line.skipped <= 1);
        Check(!line.hasPosition || (line.position >= 0 && line.position <= 2047));
        Check(line.name.size() <= 64);
    }

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
    vefuzz::BeginWatch("apply", vefuzz::LimitsFor(8 * size, 1u << 20, 8u << 20));
    const ReferenceApplyResult result = ApplyReferenceList(doc, list);
    vefuzz::EndWatch();
    change.Finish();

    vefuzz::CheckTableOrder(doc);
    const int matched = result.byPosition + result.byIdentifiers + result.byOnidSid + result.byName;
    Check(static_cast<size_t>(matched) + result.notFound.size() == list.lines.size());
    Check(matched + static_cast<int>(result.newChannels.size()) == tv + radio);
    Check(result.unreadable.size() == list.unreadable.size());
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
    for (size_t i = 0; i < before.size(); ++i) {
        auto image = images[i];
        image[30] = before[i]->m_record[30];
        image[31] = static_cast<uint8_t>((image[31] & ~0x30) | (before[i]->m_record[31] & 0x30));
        Check(image == before[i]->m_record && before[i]->m_record[30] <= 8);
    }

    change.Undo();
    vefuzz::CheckRestored(doc);
    return 0;
}
