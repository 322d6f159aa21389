// Taking back and doing again what an editing command changed.
#include <gtest/gtest.h>

#include "document/ChannelEdits.h"
#include "document/DemoDatabase.h"
#include "document/DocumentChange.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

class DocumentChangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Bytes file = MakeSmallDatabase().Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
        original = doc.Save();
    }
    template <class F> std::unique_ptr<CDocumentChange> Record(F edit)
    {
        auto change = std::make_unique<CDocumentChange>(doc);
        edit();
        change->Finish();
        return change;
    }
    CVandrelEdit2028Doc doc;
    Bytes original;
};

} // namespace

TEST_F(DocumentChangeTest, EveryKindOfEditIsUndoneToTheSameFileAndRedoneAgain)
{
    std::vector<std::unique_ptr<CDocumentChange>> steps;
    CServiceData* first = doc.m_services.GetAt(0);
    CServiceData* third = doc.m_services.GetAt(2);
    steps.push_back(Record([&] { SetLockFlag({first}, true); }));
    steps.push_back(Record([&] { MoveToPosition(doc.m_services, {third}, 1, true); }));
    steps.push_back(Record([&] { DeleteChannels(doc, {first}); }));
    steps.push_back(Record([&] { MoveFavouriteGroup(doc, 0, 3); }));
    steps.push_back(Record([&] { doc.m_configuration.GetAt(5)->Rename("Neu"); }));
    steps.push_back(Record([&] { doc.AddService(nullptr, false); }));
    for (const auto& s : steps) {
        EXPECT_FALSE(s->IsEmpty());
    }
    const Bytes edited = doc.Save();
    ASSERT_NE(edited, original);

    for (int round = 0; round < 2; ++round) {
        for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
            (*it)->Undo();
        }
        EXPECT_EQ(doc.Save(), original) << round;
        EXPECT_EQ(doc.m_services.GetSize(), kSvcSlots);
        for (auto& s : steps) {
            s->Redo();
        }
        EXPECT_EQ(doc.Save(), edited) << round;
    }
    // The deleted record is the same object again after an undo.
    steps[5]->Undo();
    steps[4]->Undo();
    steps[3]->Undo();
    steps[2]->Undo();
    EXPECT_EQ(doc.m_services.IndexOf(first), 1);
    EXPECT_TRUE(first->IsLocked());
}

TEST_F(DocumentChangeTest, UndoingAnAdditionForgetsTheNewRecordAsCurrent)
{
    CServiceData* added = nullptr;
    auto change = Record([&] { added = doc.AddService(nullptr, true); });
    ASSERT_NE(added, nullptr);
    doc.m_pCurrentService = added;
    change->Undo();
    EXPECT_EQ(doc.m_pCurrentService, nullptr);
    EXPECT_EQ(doc.m_services.IndexOf(added), -1);
    EXPECT_EQ(doc.Save(), original);
    change->Redo();
    EXPECT_EQ(doc.m_services.IndexOf(added), kSvcSlots - 1);
}

TEST_F(DocumentChangeTest, ChangedRecordsAreThoseThatCameInMovedOrWereEdited)
{
    std::vector<CServiceData*> tv;
    for (int i = 0; i < 5; ++i) {
        tv.push_back(doc.m_services.GetAt(i));
    }
    // The first channel to position 4: the three it passes only make room.
    auto move = Record([&] { MoveToPosition(doc.m_services, {tv[0]}, 4, true); });
    ASSERT_EQ(doc.m_services.GetAt(3), tv[0]);
    EXPECT_EQ(move->ChangedServices(true), std::vector<CServiceData*>{tv[0]});
    move->Undo();
    EXPECT_EQ(move->ChangedServices(false), std::vector<CServiceData*>{tv[0]});

    // Deleted channels come back; done again, no channel comes in (the
    // empty slots appended are none).
    auto del = Record([&] { DeleteChannels(doc, {tv[1], tv[3]}); });
    del->Undo();
    EXPECT_EQ(del->ChangedServices(false), (std::vector<CServiceData*>{tv[1], tv[3]}));
    del->Redo();
    EXPECT_TRUE(del->ChangedServices(true).empty());
    del->Undo();

    // Changed bytes count, a new number alone does not.
    auto lock = Record([&] {
        SetLockFlag({tv[4]}, !tv[4]->IsLocked());
        tv[2]->m_nListPos += 10;
    });
    lock->Undo();
    EXPECT_EQ(lock->ChangedServices(false), std::vector<CServiceData*>{tv[4]});
    lock->Redo();
    EXPECT_EQ(lock->ChangedServices(true), std::vector<CServiceData*>{tv[4]});
}

TEST_F(DocumentChangeTest, AnEditThatChangesNothingIsEmpty)
{
    auto change = Record([] {});
    EXPECT_TRUE(change->IsEmpty());
    auto noMove = Record([&] { EXPECT_FALSE(MoveToPosition(doc.m_services, {doc.m_services.GetAt(0)}, 999, true)); });
    EXPECT_TRUE(noMove->IsEmpty());
}

TEST(DocumentChangeSize, AHundredStepsOnAFullTableStaySmall)
{
    const std::vector<uint8_t> file = BuildDemoDatabase({15000, 4999});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    const std::vector<uint8_t> before = doc.Save();
    std::vector<std::unique_ptr<CDocumentChange>> steps;
    for (int i = 0; i < 100; ++i) {
        auto change = std::make_unique<CDocumentChange>(doc);
        // Neighbouring swaps and a flag each: a few records per step.
        MoveToPosition(doc.m_services, {doc.m_services.GetAt(i * 10 + 1)}, i * 10 + 1, true);
        SetSkipFlag({doc.m_services.GetAt(i)}, true);
        change->Finish();
        EXPECT_LT(change->StoredBytes(), 4096u) << i;
        steps.push_back(std::move(change));
    }
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        (*it)->Undo();
    }
    EXPECT_EQ(doc.Save(), before);
}
