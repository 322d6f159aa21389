#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/NdbFormat.h"

class CVandrelEdit2028Doc;
class CServiceData;
class CFavoritenData;

// Records what one editing command changes in a document, so the change can
// be taken back and done again. Construct it before the command runs and call
// Finish after: only what differs is kept (a reorder keeps the reordered
// range of record pointers, an edit the bytes of the records it touched).
// Records that the command drops are kept alive here, so every pointer to a
// record stays valid through any sequence of Undo and Redo.
class CDocumentChange {
public:
    explicit CDocumentChange(CVandrelEdit2028Doc& doc);
    ~CDocumentChange();
    CDocumentChange(const CDocumentChange&) = delete;
    CDocumentChange& operator=(const CDocumentChange&) = delete;

    void Finish();
    bool IsEmpty() const;
    // Roughly what the change keeps in memory.
    size_t StoredBytes() const;
    void Undo();
    void Redo();
    // Right after Redo (forward) or Undo: the records the change touched,
    // in array order. They are the records that came into the array, the
    // records that moved against the others and the records whose bytes
    // differ; not the records the direction took out, nor records that were
    // only renumbered.
    std::vector<CServiceData*> ChangedServices(bool forward) const;

private:
    struct ServiceImage {
        std::array<uint8_t, ndb::kSvcRecordSize> bytes;
        int32_t listPos;
    };
    struct ServiceEdit {
        CServiceData* record;
        ServiceImage before, after;
    };
    template <size_t N> struct IndexedEdit {
        int index;
        std::array<uint8_t, N> before, after;
    };
    struct GroupState {
        CFavoritenData* group;
        std::array<uint8_t, ndb::kFavNameSize> name;
        int32_t changed;
    };
    struct Snapshot;

    void Apply(bool forward);
    static std::vector<GroupState> CaptureGroups(const CVandrelEdit2028Doc& doc);

    CVandrelEdit2028Doc& m_doc;
    std::unique_ptr<Snapshot> m_snapshot; // only while recording

    int m_nRangeStart = 0;
    std::vector<CServiceData*> m_rangeBefore, m_rangeAfter;
    std::vector<std::unique_ptr<CServiceData>> m_parked;
    std::vector<ServiceEdit> m_serviceEdits;
    std::array<uint8_t, ndb::kSvcHeadSize> m_headBefore{}, m_headAfter{};
    std::vector<IndexedEdit<ndb::kSatRecordSize>> m_satelliteEdits;
    std::vector<IndexedEdit<ndb::kTpRecordSize>> m_transponderEdits;
    std::vector<uint8_t> m_configBefore, m_configAfter; // empty when unchanged
    std::vector<GroupState> m_groupsBefore, m_groupsAfter; // empty when unchanged
};
