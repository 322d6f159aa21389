#include "DocumentChange.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "VandrelEdit2028Doc.h"
#include "model/AddressIndex.h"

struct CDocumentChange::Snapshot {
    std::vector<CServiceData*> order;
    std::vector<ServiceImage> images; // parallel to order
    std::array<uint8_t, ndb::kSvcHeadSize> head;
    std::vector<std::array<uint8_t, ndb::kSatRecordSize>> satellites;
    std::vector<std::array<uint8_t, ndb::kTpRecordSize>> transponders;
    std::array<uint8_t, ndb::kConfigImageSize> config;
    std::vector<GroupState> groups;
};

CDocumentChange::CDocumentChange(CVandrelEdit2028Doc& doc) : m_doc(doc), m_snapshot(std::make_unique<Snapshot>())
{
    Snapshot& s = *m_snapshot;
    s.order = doc.m_services.Order();
    s.images.reserve(s.order.size());
    for (CServiceData* r : s.order) {
        s.images.push_back({r->m_record, r->m_nListPos});
    }
    s.head = doc.m_services.m_serviceHead;
    for (int i = 0; i < doc.m_satellites.GetSize(); ++i) {
        s.satellites.push_back(doc.m_satellites.GetAt(i)->m_record);
    }
    for (int i = 0; i < doc.m_transponders.GetSize(); ++i) {
        s.transponders.push_back(doc.m_transponders.GetAt(i)->m_record);
    }
    s.config = doc.m_configuration.m_image;
    s.groups = CaptureGroups(doc);
    doc.m_services.SetGraveyard(&m_parked);
}

CDocumentChange::~CDocumentChange()
{
    if (m_snapshot) {
        m_doc.m_services.SetGraveyard(nullptr);
    }
}

std::vector<CDocumentChange::GroupState> CDocumentChange::CaptureGroups(const CVandrelEdit2028Doc& doc)
{
    std::vector<GroupState> groups;
    for (CFavoritenData* g : doc.m_configuration.GroupOrder()) {
        groups.push_back({g, g->m_name, g->m_nChanged});
    }
    return groups;
}

void CDocumentChange::Finish()
{
    if (!m_snapshot) {
        return;
    }
    const Snapshot& s = *m_snapshot;
    CVandrelEdit2028Doc& doc = m_doc;
    doc.m_services.SetGraveyard(nullptr);

    // The reordered range: everything between the common front and back.
    const std::vector<CServiceData*> now = doc.m_services.Order();
    size_t front = 0;
    while (front < now.size() && front < s.order.size() && now[front] == s.order[front]) {
        ++front;
    }
    size_t back = 0;
    while (back < now.size() - front && back < s.order.size() - front &&
           now[now.size() - 1 - back] == s.order[s.order.size() - 1 - back]) {
        ++back;
    }
    m_nRangeStart = static_cast<int>(front);
    m_rangeBefore.assign(s.order.begin() + static_cast<long>(front), s.order.end() - static_cast<long>(back));
    m_rangeAfter.assign(now.begin() + static_cast<long>(front), now.end() - static_cast<long>(back));

    // Bytes changed in records that were there before and still are.
    std::vector<std::pair<const CServiceData*, size_t>> byRecord;
    byRecord.reserve(s.order.size());
    for (size_t i = 0; i < s.order.size(); ++i) {
        byRecord.emplace_back(s.order[i], i);
    }
    std::sort(byRecord.begin(), byRecord.end());
    for (CServiceData* r : now) {
        auto it = std::lower_bound(byRecord.begin(), byRecord.end(), std::pair<const CServiceData*, size_t>(r, 0));
        if (it == byRecord.end() || it->first != r) {
            continue;
        }
        const ServiceImage& before = s.images[it->second];
        if (before.bytes != r->m_record || before.listPos != r->m_nListPos) {
            m_serviceEdits.push_back({r, before, {r->m_record, r->m_nListPos}});
        }
    }
    m_headBefore = s.head;
    m_headAfter = doc.m_services.m_serviceHead;

    for (int i = 0; i < doc.m_satellites.GetSize() && i < static_cast<int>(s.satellites.size()); ++i) {
        const auto& rec = doc.m_satellites.GetAt(i)->m_record;
        if (rec != s.satellites[static_cast<size_t>(i)]) {
            m_satelliteEdits.push_back({i, s.satellites[static_cast<size_t>(i)], rec});
        }
    }
    for (int i = 0; i < doc.m_transponders.GetSize() && i < static_cast<int>(s.transponders.size()); ++i) {
        const auto& rec = doc.m_transponders.GetAt(i)->m_record;
        if (rec != s.transponders[static_cast<size_t>(i)]) {
            m_transponderEdits.push_back({i, s.transponders[static_cast<size_t>(i)], rec});
        }
    }
    if (s.config != doc.m_configuration.m_image) {
        m_configBefore.assign(s.config.begin(), s.config.end());
        m_configAfter.assign(doc.m_configuration.m_image.begin(), doc.m_configuration.m_image.end());
    }
    std::vector<GroupState> groups = CaptureGroups(doc);
    auto same = [](const GroupState& a, const GroupState& b) {
        return a.group == b.group && a.name == b.name && a.changed == b.changed;
    };
    if (!std::equal(groups.begin(), groups.end(), s.groups.begin(), s.groups.end(), same)) {
        m_groupsBefore = s.groups;
        m_groupsAfter = std::move(groups);
    }
    m_snapshot.reset();
}

bool CDocumentChange::IsEmpty() const
{
    return m_rangeBefore == m_rangeAfter && m_serviceEdits.empty() && m_headBefore == m_headAfter &&
           m_satelliteEdits.empty() && m_transponderEdits.empty() && m_configBefore.empty() &&
           m_groupsBefore.empty();
}

size_t CDocumentChange::StoredBytes() const
{
    return sizeof(*this) + (m_rangeBefore.size() + m_rangeAfter.size()) * sizeof(CServiceData*) +
           m_parked.size() * sizeof(CServiceData) + m_serviceEdits.size() * sizeof(ServiceEdit) +
           m_satelliteEdits.size() * sizeof(m_satelliteEdits[0]) +
           m_transponderEdits.size() * sizeof(m_transponderEdits[0]) + m_configBefore.size() +
           m_configAfter.size() + (m_groupsBefore.size() + m_groupsAfter.size()) * sizeof(GroupState);
}

void CDocumentChange::Undo()
{
    Apply(false);
}

void CDocumentChange::Redo()
{
    Apply(true);
}

namespace {
// Marks the entries of seq that lie outside one longest strictly increasing
// run through it (patience sorting with back links).
std::vector<char> OutsideLongestRun(const std::vector<int>& seq)
{
    // Nothing moved (an undone deletion, say): the whole sequence is the run.
    if (std::adjacent_find(seq.begin(), seq.end(), std::greater_equal<int>()) == seq.end())
        return std::vector<char>(seq.size(), 0);
    std::vector<int> tailIndex; // position in seq of the last entry of each run length
    std::vector<int> previous(seq.size(), -1);
    for (size_t i = 0; i < seq.size(); ++i) {
        const auto at = std::lower_bound(tailIndex.begin(), tailIndex.end(), seq[i], [&seq](int pos, int value) {
            return seq[static_cast<size_t>(pos)] < value;
        });
        if (at != tailIndex.begin())
            previous[i] = *(at - 1);
        if (at == tailIndex.end())
            tailIndex.push_back(static_cast<int>(i));
        else
            *at = static_cast<int>(i);
    }
    std::vector<char> outside(seq.size(), 1);
    for (int i = tailIndex.empty() ? -1 : tailIndex.back(); i >= 0; i = previous[static_cast<size_t>(i)])
        outside[static_cast<size_t>(i)] = 0;
    return outside;
}
} // namespace

std::vector<CServiceData*> CDocumentChange::ChangedServices(bool forward) const
{
    const auto& from = forward ? m_rangeBefore : m_rangeAfter;
    const auto& to = forward ? m_rangeAfter : m_rangeBefore;
    CAddressIndex<int> indexInFrom(from.size());
    for (size_t i = 0; i < from.size(); ++i)
        indexInFrom.Insert(from[i], static_cast<int>(i));

    std::vector<const CServiceData*> changed;
    for (const ServiceEdit& e : m_serviceEdits)
        if (e.before.bytes != e.after.bytes)
            changed.push_back(e.record);
    // Of the records on both sides, those off a longest run in unchanged
    // order are the ones that moved; the others only made room.
    std::vector<int> kept;
    std::vector<const CServiceData*> keptRecords;
    for (const CServiceData* r : to) {
        if (const int* at = indexInFrom.Find(r)) {
            kept.push_back(*at);
            keptRecords.push_back(r);
        } else {
            changed.push_back(r);
        }
    }
    const std::vector<char> moved = OutsideLongestRun(kept);
    for (size_t k = 0; k < kept.size(); ++k)
        if (moved[k])
            changed.push_back(keptRecords[k]);

    std::vector<CServiceData*> result;
    if (changed.empty())
        return result;
    CAddressIndex<char> isChanged(changed.size());
    for (const CServiceData* r : changed)
        isChanged.Insert(r, 1);
    // The array as this direction left it gives the order; empty slots are
    // no channels.
    for (CServiceData* r : m_doc.m_services.Order())
        if (r->GetNumber() != 0 && isChanged.Contains(r))
            result.push_back(r);
    return result;
}

void CDocumentChange::Apply(bool forward)
{
    CVandrelEdit2028Doc& doc = m_doc;
    const auto& from = forward ? m_rangeBefore : m_rangeAfter;
    const auto& to = forward ? m_rangeAfter : m_rangeBefore;
    if (from != to) {
        doc.m_services.Rearrange(m_nRangeStart, static_cast<int>(from.size()), to, m_parked);
        for (const auto& parked : m_parked) {
            doc.ForgetService(parked.get());
        }
    }
    for (const ServiceEdit& e : m_serviceEdits) {
        const ServiceImage& image = forward ? e.after : e.before;
        e.record->m_record = image.bytes;
        e.record->m_nListPos = image.listPos;
    }
    doc.m_services.m_serviceHead = forward ? m_headAfter : m_headBefore;
    for (const auto& e : m_satelliteEdits) {
        doc.m_satellites.GetAt(e.index)->m_record = forward ? e.after : e.before;
    }
    for (const auto& e : m_transponderEdits) {
        doc.m_transponders.GetAt(e.index)->m_record = forward ? e.after : e.before;
    }
    if (!m_configBefore.empty()) {
        const auto& image = forward ? m_configAfter : m_configBefore;
        std::memcpy(doc.m_configuration.m_image.data(), image.data(), image.size());
    }
    if (!m_groupsBefore.empty()) {
        const auto& groups = forward ? m_groupsAfter : m_groupsBefore;
        std::vector<CFavoritenData*> order;
        for (const GroupState& g : groups) {
            order.push_back(g.group);
            g.group->m_name = g.name;
            g.group->m_nChanged = g.changed;
        }
        doc.m_configuration.SetGroupOrder(order);
    }
}
