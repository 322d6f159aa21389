// Which satellites, transponders and groups the tree lists.
#include <gtest/gtest.h>

#include "document/TreeRules.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/DocTestHelpers.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

TEST(TreeRulesTest, FilterHidesSatellitesWithoutInUseFlag)
{
    TestDatabase db = MakeSmallDatabase();
    // A named satellite in an empty slot (number 0) is never listed.
    db.satellites.records[5].Name("Geist").Flags(0x08).Position(100, false);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);

    EXPECT_EQ(TreeSatellites(doc.m_satellites, true), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(TreeSatellites(doc.m_satellites, false), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(IsListedInTree(*doc.m_satellites.GetAt(3), true));
    EXPECT_TRUE(IsListedInTree(*doc.m_satellites.GetAt(3), false));
    EXPECT_FALSE(IsListedInTree(*doc.m_satellites.GetAt(5), false));
}

TEST(TreeRulesTest, TranspondersOfOneSatelliteByLabelText)
{
    TestDatabase db = MakeSmallDatabase();
    // Labels compare as text: "9750 ..." sorts after "12188 ...".
    db.transponders.records[6].Number(7).Frequency(9750).SymbolRate(27500).Satellite(1);
    db.transponders.records[7].Number(8).Frequency(10700).SymbolRate(22000).Satellite(1);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);

    EXPECT_EQ(TreeTransponders(doc.m_transponders, 1), (std::vector<int>{7, 0, 1, 6}));
    EXPECT_EQ(TreeTransponders(doc.m_transponders, 2), (std::vector<int>{2, 3}));
    EXPECT_EQ(TreeTransponders(doc.m_transponders, 4), (std::vector<int>{5}));
    EXPECT_TRUE(TreeTransponders(doc.m_transponders, 9).empty());
    // The thousands of empty slots belong to no satellite.
    EXPECT_TRUE(TreeTransponders(doc.m_transponders, 0).empty());
}

TEST(TreeRulesTest, GroupOfService)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeSmallDatabase());
    EXPECT_EQ(GroupIndexOfService(doc.m_services.GetAt(0), 8), 0);
    EXPECT_EQ(GroupIndexOfService(doc.m_services.GetAt(1), 8), 1);
    EXPECT_EQ(GroupIndexOfService(doc.m_services.GetAt(3), 8), -1);
    EXPECT_EQ(GroupIndexOfService(nullptr, 8), -1);
    doc.m_services.GetAt(3)->SetFavouriteGroup(9);
    EXPECT_EQ(GroupIndexOfService(doc.m_services.GetAt(3), 8), -1);
    doc.m_services.GetAt(3)->SetFavouriteGroup(8);
    EXPECT_EQ(GroupIndexOfService(doc.m_services.GetAt(3), 8), 7);
}
