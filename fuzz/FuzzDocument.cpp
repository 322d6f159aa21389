#include "FuzzDocument.h"

#include <map>
#include <memory>

#include "NdbFraming.h"

namespace vefuzz {
namespace {

void Check(bool ok)
{
    if (!ok) {
        __builtin_trap();
    }
}

struct State {
    std::vector<CServiceData*> order;
    std::vector<std::array<uint8_t, ndb::kSvcRecordSize>> images;
    std::vector<int32_t> listPos;
    std::array<uint8_t, ndb::kSvcHeadSize> head{};
    std::vector<std::array<uint8_t, ndb::kSatRecordSize>> satellites;
    std::vector<std::array<uint8_t, ndb::kTpRecordSize>> transponders;

    explicit State(const CVandrelEdit2028Doc& doc)
    {
        order = doc.m_services.Order();
        for (const CServiceData* s : order) {
            images.push_back(s->m_record);
            listPos.push_back(s->m_nListPos);
        }
        head = doc.m_services.m_serviceHead;
        for (int i = 0; i < doc.m_satellites.GetSize(); ++i) {
            satellites.push_back(doc.m_satellites.GetAt(i)->m_record);
        }
        for (int i = 0; i < doc.m_transponders.GetSize(); ++i) {
            transponders.push_back(doc.m_transponders.GetAt(i)->m_record);
        }
    }
};

std::unique_ptr<State>& Initial(const CVandrelEdit2028Doc& doc)
{
    static std::map<const CVandrelEdit2028Doc*, std::unique_ptr<State>> states;
    return states[&doc];
}

std::unique_ptr<CVandrelEdit2028Doc> LoadChecked(const std::vector<uint8_t>& file)
{
    auto d = std::make_unique<CVandrelEdit2028Doc>();
    Check(d->Load(file.data(), file.size()) == LoadStatus::Loaded);
    CheckTableOrder(*d);
    return d;
}

} // namespace

CVandrelEdit2028Doc& FuzzDocument()
{
    static std::unique_ptr<CVandrelEdit2028Doc> doc = LoadChecked(BuildDemoDatabase(kFuzzDemo));
    return *doc;
}

CVandrelEdit2028Doc& FuzzCompactDocument()
{
    static std::unique_ptr<CVandrelEdit2028Doc> doc = [] {
        // A save writes the channels into the first slots; the service body
        // is then cut after kCompactSlots of them.
        CVandrelEdit2028Doc full;
        const std::vector<uint8_t> demo = BuildDemoDatabase(kFuzzDemo);
        Check(full.Load(demo.data(), demo.size()) == LoadStatus::Loaded);
        const std::vector<uint8_t> saved = full.Save();
        Database db;
        Check(Parse(saved.data(), saved.size(), db));
        for (Block& b : db.blocks) {
            if (b.tagId == 0xDB04) {
                b.body.resize(ndb::kSvcHeadSize + ndb::kSvcRecordSize * kCompactSlots);
            }
        }
        return LoadChecked(Build(db));
    }();
    return *doc;
}

void CheckTableOrder(const CVandrelEdit2028Doc& doc)
{
    const CServiceDataArray& services = doc.m_services;
    Check(services.GetSize() == ndb::kSvcSlots || services.GetSize() == kCompactSlots);
    int rank = 0;
    int32_t counts[2] = {0, 0};
    for (int i = 0; i < services.GetSize(); ++i) {
        const CServiceData& s = *services.GetAt(i);
        const int r = s.GetNumber() == 0 ? 2 : s.IsRadio() ? 1 : 0;
        Check(r >= rank);
        rank = r;
        if (r < 2) {
            ++counts[r];
            Check(s.m_nListPos == counts[r]);
        }
    }
    Check(services.GetTvCount() == static_cast<uint32_t>(counts[0]));
    Check(services.GetRadioCount() == static_cast<uint32_t>(counts[1]));
}

void CaptureInitialState(const CVandrelEdit2028Doc& doc)
{
    if (!Initial(doc)) {
        Initial(doc) = std::make_unique<State>(doc);
    }
}

void CheckRestored(const CVandrelEdit2028Doc& doc)
{
    Check(Initial(doc) != nullptr);
    const State& initial = *Initial(doc);
    Check(doc.m_services.Order() == initial.order);
    for (size_t i = 0; i < initial.order.size(); ++i) {
        Check(initial.order[i]->m_record == initial.images[i]);
        Check(initial.order[i]->m_nListPos == initial.listPos[i]);
    }
    Check(doc.m_services.m_serviceHead == initial.head);
    Check(doc.m_satellites.GetSize() == static_cast<int>(initial.satellites.size()));
    for (size_t i = 0; i < initial.satellites.size(); ++i) {
        Check(doc.m_satellites.GetAt(static_cast<int>(i))->m_record == initial.satellites[i]);
    }
    Check(doc.m_transponders.GetSize() == static_cast<int>(initial.transponders.size()));
    for (size_t i = 0; i < initial.transponders.size(); ++i) {
        Check(doc.m_transponders.GetAt(static_cast<int>(i))->m_record == initial.transponders[i]);
    }
}

} // namespace vefuzz
