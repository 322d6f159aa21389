// Editing operations of the channel list and the tree on the document's arrays.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

#include "document/ChannelEdits.h"
#include "document/ChannelRows.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/NdbFormat.h"
#include "model/ServiceData.h"
#include "model/TextCodec.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

class ChannelEditsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Bytes file = MakeSmallDatabase().Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
        for (int i = 0; i < kSmallTv; ++i) {
            tv.push_back(doc.m_services.GetAt(i));
        }
    }
    std::vector<CServiceData*> TvOrder() const
    {
        std::vector<CServiceData*> order;
        for (int i = 0; i < kSmallTv; ++i) {
            order.push_back(doc.m_services.GetAt(i));
        }
        return order;
    }
    CVandrelEdit2028Doc doc;
    std::vector<CServiceData*> tv; // the television records in their loaded order
};

std::vector<int> Iota(int n)
{
    std::vector<int> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        v[static_cast<size_t>(i)] = i;
    }
    return v;
}

} // namespace

TEST(DropRowOrder, DraggedRowsLandAfterATargetBelowAndBeforeATargetAbove)
{
    EXPECT_EQ(DropRowOrder(10, {2, 3}, 7), (std::vector<int>{0, 1, 4, 5, 6, 7, 2, 3, 8, 9}));
    EXPECT_EQ(DropRowOrder(10, {2, 3}, 0), (std::vector<int>{2, 3, 0, 1, 4, 5, 6, 7, 8, 9}));
    // Rows on both sides of the target all follow it when the first lies above.
    EXPECT_EQ(DropRowOrder(6, {1, 4}, 2), (std::vector<int>{0, 2, 1, 4, 3, 5}));
    EXPECT_EQ(DropRowOrder(5, {0}, 99), (std::vector<int>{1, 2, 3, 4, 0}));
    EXPECT_EQ(DropRowOrder(5, {1, 2}, 2), Iota(5)) << "a drop on a dragged row moves nothing";
}

TEST_F(ChannelEditsTest, MoveToPositionKeepsListOrderOnBothSidesOfTheTarget)
{
    // Two channels moved to position 1 stand before the former first channel, in list order.
    ASSERT_TRUE(MoveToPosition(doc.m_services, {tv[3], tv[4]}, 1, true));
    EXPECT_EQ(TvOrder(), (std::vector<CServiceData*>{tv[3], tv[4], tv[0], tv[1], tv[2]}));

    // Channels before the target end right after it, still in list order.
    ASSERT_TRUE(MoveToPosition(doc.m_services, {tv[3], tv[4]}, 5, true)); // target tv[2]
    EXPECT_EQ(TvOrder(), (std::vector<CServiceData*>{tv[0], tv[1], tv[2], tv[3], tv[4]}));

    EXPECT_FALSE(MoveToPosition(doc.m_services, {tv[0]}, 6, true)) << "no sixth television channel";
    EXPECT_EQ(TvOrder(), (std::vector<CServiceData*>{tv[0], tv[1], tv[2], tv[3], tv[4]}));
    EXPECT_EQ(doc.m_services.GetSize(), kSvcSlots);
}

TEST_F(ChannelEditsTest, DropsPutRecordsNextToTheTargetInListOrder)
{
    ASSERT_TRUE(ApplyDrop(doc.m_services, tv[3], {tv[0], tv[1]}, true));
    EXPECT_EQ(TvOrder(), (std::vector<CServiceData*>{tv[2], tv[3], tv[0], tv[1], tv[4]}));
    ASSERT_TRUE(ApplyDrop(doc.m_services, tv[2], {tv[1], tv[4]}, false));
    EXPECT_EQ(TvOrder(), (std::vector<CServiceData*>{tv[1], tv[4], tv[2], tv[3], tv[0]}));

    CServiceData stranger;
    EXPECT_FALSE(ApplyDrop(doc.m_services, &stranger, {tv[0]}, true));
    EXPECT_FALSE(ApplyDrop(doc.m_services, tv[0], {&stranger}, true));
    EXPECT_EQ(TvOrder(), (std::vector<CServiceData*>{tv[1], tv[4], tv[2], tv[3], tv[0]}));
}

TEST_F(ChannelEditsTest, FavouriteAssignmentTogglesOnlyASingleChannel)
{
    tv[0]->SetFavouriteGroup(3);
    EXPECT_TRUE(AssignFavourite({tv[0]}, 3, true));
    EXPECT_EQ(tv[0]->GetFavouriteGroup(), 0);

    tv[0]->SetFavouriteGroup(3);
    tv[1]->SetFavouriteGroup(5);
    EXPECT_FALSE(AssignFavourite({tv[0], tv[1]}, 3, true));
    EXPECT_EQ(tv[0]->GetFavouriteGroup(), 3);
    EXPECT_EQ(tv[1]->GetFavouriteGroup(), 3) << "a channel belongs to one group at most";

    EXPECT_FALSE(AssignFavourite({tv[0]}, 3, false)) << "a drop on a group never toggles";
    EXPECT_EQ(tv[0]->GetFavouriteGroup(), 3);
    ClearFavourite({tv[0], tv[1]});
    EXPECT_EQ(tv[0]->GetFavouriteGroup() + tv[1]->GetFavouriteGroup(), 0);
}

TEST_F(ChannelEditsTest, FlagsAndSelectionTests)
{
    const uint8_t before = tv[1]->GetFlags();
    SetLockFlag({tv[1]}, true);
    SetSkipFlag({tv[1]}, true);
    EXPECT_EQ(tv[1]->GetFlags(), before | 0x30);
    EXPECT_TRUE(PassesTest(*tv[1], ServiceTest::Locked));
    EXPECT_TRUE(PassesTest(*tv[1], ServiceTest::Skipped));
    SetLockFlag({tv[1]}, false);
    EXPECT_EQ(tv[1]->GetFlags(), (before | 0x10) & ~0x20);
    EXPECT_TRUE(PassesTest(*tv[0], ServiceTest::HD));        // video type 27
    EXPECT_TRUE(PassesTest(*tv[2], ServiceTest::Scrambled)); // CA 0x1830
    EXPECT_FALSE(PassesTest(*tv[4], ServiceTest::Scrambled)) << "CA value 1 is free";
}

TEST_F(ChannelEditsTest, DeleteKeepsTheTableWholeAndRecomputesUsage)
{
    doc.m_pCurrentService = tv[4];
    // tv[4] is transponder 5's only channel.
    const int tp5 = doc.m_transponders.IndexOfNumber(5);
    ASSERT_TRUE(doc.m_transponders.GetAt(tp5)->IsInUse());
    DeleteChannels(doc, {tv[4], tv[1]});
    EXPECT_EQ(doc.m_services.GetSize(), kSvcSlots);
    EXPECT_EQ(doc.m_services.GetTvCount(), static_cast<uint32_t>(kSmallTv - 2));
    EXPECT_EQ(doc.m_services.GetAt(0), tv[0]);
    EXPECT_EQ(doc.m_services.GetAt(1), tv[2]);
    EXPECT_EQ(doc.m_services.GetAt(kSvcSlots - 1)->GetNumber(), 0);
    EXPECT_FALSE(doc.m_transponders.GetAt(tp5)->IsInUse());
    EXPECT_EQ(doc.m_pCurrentService, nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(SelectAllChannels(doc, false).size(), static_cast<size_t>(kSmallTv - 2));
}

TEST(SortKeys, TextIgnoresCaseAndNumbersCompareByValue)
{
    auto k = SortKeys({"9750", "10744", "", "X"}, true, false);
    EXPECT_LT(k[0], k[1]);
    EXPECT_LT(k[2], k[3]) << "an empty cell sorts before X";
    auto t = SortKeys({"arte", "ARTE", "Zdf", "ärzte"}, false, false);
    EXPECT_EQ(t[0], t[1]);
    EXPECT_LT(t[0], t[2]);
    auto l = SortKeys({"   3 zdf", "  12 ARD"}, false, true);
    EXPECT_LT(l[1], l[0]) << "list display sorts by the name after the number";
    auto n = SortKeys({"   3 zdf", "  12 ARD"}, true, true);
    EXPECT_LT(n[0], n[1]);
    EXPECT_TRUE(IsTextColumn(kColName) && IsTextColumn(kColSatellite) && IsTextColumn(kColProvider));
    EXPECT_FALSE(IsTextColumn(kColFrequency));

    // The keys read from the records are the keys of the names' texts, for
    // Latin-1 letters, a full 20-byte name and an empty one too.
    std::vector<std::unique_ptr<CServiceData>> records;
    std::vector<const CServiceData*> services;
    std::vector<std::string> texts;
    for (const char* name : {"arte", "\xE4rzte \xDF\xFF\xE9", "", "ZDF\xF7"}) {
        records.push_back(std::make_unique<CServiceData>());
        records.back()->SetNameText(
            ve::DecodeFixed(reinterpret_cast<const uint8_t*>(name), std::strlen(name), ve::CodePage::Latin1));
        services.push_back(records.back().get());
        texts.push_back(records.back()->GetNameText());
    }
    // A name that fills its 20 bytes has no terminating zero.
    std::array<uint8_t, ndb::kSvcRecordSize> image{};
    std::memcpy(&image[40], "Zwanzig Zeichen Name", 20);
    records.push_back(std::make_unique<CServiceData>(image.data()));
    services.push_back(records.back().get());
    texts.push_back(records.back()->GetNameText());
    EXPECT_EQ(texts.back(), "Zwanzig Zeichen Name");
    const SortKeyTable table = NameSortKeys(services);
    const std::vector<std::u16string> keys = SortKeys(texts, false, false);
    ASSERT_EQ(table.Size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(table.Key(i), keys[i]) << i;
    }
}

TEST(SatelliteOrder, ByOrbitalPositionNameAndSlot)
{
    CSatelliteDataArray sats;
    auto add = [&](int slot, const char* name, int tenths, bool west) {
        SatelliteRecord r;
        r.Number(static_cast<uint8_t>(slot + 1)).Name(name).Position(tenths, west);
        sats.Add(std::make_unique<CSatelliteData>(r.b.data(), slot));
    };
    add(3, "Astra", 192, false);
    add(1, "hotbird", 130, false);
    add(2, "Thor", 50, true);
    add(0, "Zero", 0, true);
    EXPECT_EQ(SortSatellites(sats, {0, 1, 2}, 1), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(SortSatellites(sats, {0, 1, 2, 3}, 1).front(), 3) << "0.0 degrees West comes first";
    EXPECT_EQ(SortSatellites(sats, {0, 1, 2, 3}, 0), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(SortSatellites(sats, {0, 1, 2, 3}, 2), (std::vector<int>{3, 1, 2, 0}));
}

TEST_F(ChannelEditsTest, MovingAGroupKeepsEveryChannelInItsGroup)
{
    // Channels in groups 2, 3, 5 and 6 (numbers are index + 1).
    tv[0]->SetFavouriteGroup(2);
    tv[1]->SetFavouriteGroup(3);
    tv[2]->SetFavouriteGroup(5);
    tv[3]->SetFavouriteGroup(6);
    std::vector<std::string> names;
    for (int i = 0; i < 8; ++i) {
        names.push_back(doc.m_configuration.GetAt(i)->GetName());
    }
    ASSERT_TRUE(MoveFavouriteGroup(doc, 1, 4)); // group 2 onto group 5
    const int order[] = {0, 2, 3, 4, 1, 5, 6, 7};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(doc.m_configuration.GetAt(i)->GetName(), names[static_cast<size_t>(order[i])]) << i;
    }
    EXPECT_EQ(tv[0]->GetFavouriteGroup(), 5);
    EXPECT_EQ(tv[1]->GetFavouriteGroup(), 2);
    EXPECT_EQ(tv[2]->GetFavouriteGroup(), 4);
    EXPECT_EQ(tv[3]->GetFavouriteGroup(), 6);
    EXPECT_FALSE(MoveFavouriteGroup(doc, 0, 8));
}

TEST(PositionInput, BoundsAndMessages)
{
    EXPECT_TRUE(ParsePositionInput("250", 250).ok);
    EXPECT_EQ(ParsePositionInput(" 1 ", 250).value, 1);
    EXPECT_EQ(ParsePositionInput("0", 250).error, "Geben Sie eine ganze Zahl zwischen 1 und 250 ein.");
    EXPECT_EQ(ParsePositionInput("251", 250).error, "Geben Sie eine ganze Zahl zwischen 1 und 250 ein.");
    EXPECT_EQ(ParsePositionInput("99999999999999999999", 250).error,
              "Geben Sie eine ganze Zahl zwischen 1 und 250 ein.");
    EXPECT_EQ(ParsePositionInput("12a", 250).error, "Geben Sie eine ganze Zahl ein.");
    EXPECT_EQ(ParsePositionInput("", 250).error, "Geben Sie eine ganze Zahl ein.");
    EXPECT_EQ(ClampPosition(0, 250), 1);
    EXPECT_EQ(ClampPosition(251, 250), 250);
    EXPECT_EQ(ClampPosition(7, 250), 7);
}
