// Document-level upkeep: in-use flags, references, adding services.
#include <gtest/gtest.h>

#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

class DocUsageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Bytes file = MakeSmallDatabase().Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    }
    CVandrelEdit2028Doc doc;
};

} // namespace

TEST_F(DocUsageTest, SatelliteUsageFollowsTheServices)
{
    // wrong marks on purpose: Astra cleared, Türksat (no services) set
    doc.m_satellites.GetAt(0)->SetFlags(0x41);
    doc.m_satellites.GetAt(3)->SetFlags(0x02 | 0x08);
    doc.UpdateSatelliteUsage();
    EXPECT_EQ(doc.m_satellites.GetAt(0)->GetFlags(), 0x41 | 0x08) << "other bits are kept";
    EXPECT_TRUE(doc.m_satellites.GetAt(1)->IsInUse());
    EXPECT_TRUE(doc.m_satellites.GetAt(2)->IsInUse());
    EXPECT_TRUE(doc.m_satellites.GetAt(2)->IsWest());
    EXPECT_EQ(doc.m_satellites.GetAt(3)->GetFlags(), 0x02);

    // Thor's only channel goes: Thor is no longer in use
    doc.m_services.DeleteService(doc.m_services.GetAt(4));
    doc.UpdateSatelliteUsage();
    EXPECT_FALSE(doc.m_satellites.GetAt(2)->IsInUse());
    EXPECT_EQ(doc.m_satellites.GetAt(2)->GetFlags(), 0x10);
}

TEST_F(DocUsageTest, TransponderUsageFollowsTheServices)
{
    const uint32_t inUse = 1u << 21;
    doc.m_transponders.GetAt(0)->SetFlags(0x101);              // in use but unmarked
    doc.m_transponders.GetAt(5)->SetFlags(0x4000 | inUse);      // marked but unused
    doc.m_transponders.GetAt(100)->SetFlags(inUse | 2);         // an empty slot, number 0
    doc.UpdateTransponderUsage();
    EXPECT_EQ(doc.m_transponders.GetAt(0)->GetFlags(), 0x101 | inUse);
    EXPECT_EQ(doc.m_transponders.GetAt(5)->GetFlags(), 0x4000u);
    EXPECT_EQ(doc.m_transponders.GetAt(100)->GetFlags(), 2u)
        << "number 0 is never in use, though empty service slots name transponder 0";
    for (int i : {1, 2, 4}) {
        EXPECT_TRUE(doc.m_transponders.GetAt(i)->IsInUse()) << i;
    }
    EXPECT_FALSE(doc.m_transponders.GetAt(3)->IsInUse()) << "no channel is on transponder 4";

    // a dangling reference marks nothing; removing tp 5's only channel clears it
    doc.m_services.GetAt(0)->SetTransponder(6000);
    doc.m_services.DeleteService(doc.m_services.GetAt(4));
    doc.UpdateTransponderUsage();
    EXPECT_TRUE(doc.m_transponders.GetAt(0)->IsInUse()) << "ZDF and Bayern 3 still use transponder 1";
    EXPECT_FALSE(doc.m_transponders.GetAt(4)->IsInUse());
    EXPECT_FALSE(doc.m_transponders.GetAt(5)->IsInUse());
}

TEST_F(DocUsageTest, ReferencesResolveByNumberFirstMatchWins)
{
    const CServiceData* rai = doc.m_services.GetAt(3);
    EXPECT_EQ(doc.FindSatelliteIndexOfService(rai), 1);
    EXPECT_EQ(doc.FindSatelliteIndexOfService(nullptr), 0);
    EXPECT_EQ(doc.TransponderOf(rai), doc.m_transponders.GetAt(2));
    EXPECT_EQ(doc.SatelliteOf(rai), doc.m_satellites.GetAt(1));
    EXPECT_EQ(doc.SatelliteOf(doc.m_transponders.GetAt(5)), doc.m_satellites.GetAt(3));
    EXPECT_EQ(doc.TransponderOf(nullptr), nullptr);

    // a second transponder with number 3 later in the array is never found
    doc.m_transponders.GetAt(200)->m_record[0] = 3;
    doc.m_transponders.GetAt(200)->m_record[20] = 4;
    EXPECT_EQ(doc.FindSatelliteIndexOfService(rai), 1);
}

TEST_F(DocUsageTest, AddServiceMarksModifiedAndForgetClearsPointers)
{
    doc.SetModifiedFlag(false);
    CServiceData* added = doc.AddService(nullptr, false);
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(added->IsRadio());
    EXPECT_EQ(doc.m_services.GetRadioCount(), uint32_t(kSmallRadio + 1));

    CServiceData* other = doc.m_services.GetAt(0);
    doc.m_pCurrentService = added;
    doc.ForgetService(other);
    EXPECT_EQ(doc.m_pCurrentService, added);
    doc.ForgetService(added);
    EXPECT_EQ(doc.m_pCurrentService, nullptr);
}

TEST_F(DocUsageTest, EditedChannelOrderIsSavedAndReloaded)
{
    // move the last radio channel to the front of the radio part, delete a
    // tv channel, and add one: the saved chains must show exactly that order
    CServiceDataArray& s = doc.m_services;
    CServiceData* svizzera = s.GetAt(kSmallTv + 2);
    ASSERT_EQ(s.MoveService(svizzera, kSmallTv), kSmallTv + 2);
    s.DeleteService(s.GetAt(0));
    CServiceData* added = doc.AddService(nullptr, true);
    ASSERT_NE(added, nullptr);
    ASSERT_EQ(s.MoveService(added, kSmallTv - 1), kSvcSlots - 1);
    std::vector<std::string> expectedTv = {"ZDF HD", "Sky Cinema", "Rai 1", "T\xC3\xA9l\xC3\xA9 5", "New"};
    std::vector<std::string> expectedRadio = {"Radio Svizzera", "Bayern 3", "Antenne Bayern"};

    const Bytes saved = doc.Save();
    CVandrelEdit2028Doc again;
    ASSERT_EQ(again.Load(saved.data(), saved.size()), LoadStatus::Loaded);
    EXPECT_EQ(again.m_services.GetTvCount(), 5u);
    EXPECT_EQ(again.m_services.GetRadioCount(), 3u);
    for (size_t i = 0; i < expectedTv.size(); ++i) {
        EXPECT_EQ(again.m_services.GetAt(static_cast<int>(i))->GetNameText(), expectedTv[i]);
        EXPECT_FALSE(again.m_services.GetAt(static_cast<int>(i))->IsRadio());
    }
    for (size_t i = 0; i < expectedRadio.size(); ++i) {
        EXPECT_EQ(again.m_services.GetAt(static_cast<int>(5 + i))->GetNameText(), expectedRadio[i]);
    }
    EXPECT_EQ(again.m_services.GetAt(8)->GetNumber(), 0);
    EXPECT_TRUE(again.Save() == saved);
}
