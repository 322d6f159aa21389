// The service table: reading the chains, numbering, relinking, adding,
// deleting, moving, counting and group remapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "model/AddressIndex.h"
#include "model/ServiceData.h"
#include "support/CoreTestHelpers.h"

using namespace ndbtest;

namespace {

Bytes Image(const CServiceData* s) { return Bytes(s->m_record.begin(), s->m_record.end()); }
Bytes Head(const CServiceDataArray& arr) { return Bytes(arr.m_serviceHead.begin(), arr.m_serviceHead.end()); }

std::vector<int> SlotOrder(const CServiceDataArray& arr)
{
    std::vector<int> out;
    for (int i = 0; i < arr.GetSize(); ++i) {
        out.push_back(SlotMarkOf(arr.GetAt(i)->m_record.data()));
    }
    return out;
}

std::vector<const CServiceData*> Pointers(const CServiceDataArray& arr)
{
    std::vector<const CServiceData*> out;
    for (int i = 0; i < arr.GetSize(); ++i) {
        out.push_back(arr.GetAt(i));
    }
    return out;
}

// Expected order: the given slots first, then every other slot ascending.
std::vector<int> FrontThenFileOrder(const std::vector<int>& front)
{
    std::vector<int> out = front;
    std::set<int> taken(front.begin(), front.end());
    for (int i = 0; i < kSvcSlots; ++i) {
        if (!taken.count(i)) {
            out.push_back(i);
        }
    }
    return out;
}

void ReadInto(CServiceDataArray& arr, const ServiceBody& body)
{
    const Bytes bytes = body.Build();
    arr.m_nBodyLength = static_cast<int32_t>(bytes.size());
    CMemStream stream(bytes);
    arr.ReadBlock(stream);
}

ServiceRecord Svc(uint16_t number, bool radio, uint32_t seed)
{
    ServiceRecord r;
    r.Number(number).Flags(radio ? 0x08 : 0x00).ServiceId(static_cast<uint16_t>(number + 1000)).Kept(seed);
    return r;
}

std::unique_ptr<CServiceData> NewService(uint16_t number, bool radio, uint32_t seed = 0)
{
    return std::make_unique<CServiceData>(Svc(number, radio, seed).b.data());
}

void SetHead(CServiceDataArray& arr, uint32_t tv, uint32_t radio, uint16_t total)
{
    ServiceBody b(0x44);
    b.TvCount(tv).RadioCount(radio).Total(total);
    std::copy(b.head.begin(), b.head.end(), arr.m_serviceHead.begin());
}

// A whole table: tv numbered records, then radio ones, then empty slots.
void FillTable(CServiceDataArray& arr, int tv, int radio)
{
    for (int i = 0; i < kSvcSlots; ++i) {
        if (i < tv + radio) {
            arr.Add(NewService(static_cast<uint16_t>(i + 1), i >= tv, static_cast<uint32_t>(i)));
        } else {
            arr.Add(std::make_unique<CServiceData>());
        }
    }
    SetHead(arr, static_cast<uint32_t>(tv), static_cast<uint32_t>(radio), static_cast<uint16_t>(tv + radio));
}

} // namespace

// ---- reading the chains -----------------------------------------------------------

TEST(ServiceChains, ChainsFirstThenTheOtherSlotsInFileOrder)
{
    ServiceBody body;
    body.MarkSlots();
    body.records[5000].Number(40).Flags(0x00);
    body.records[12].Number(7).Flags(0x00);
    body.records[19998].Number(300).Flags(0x00);
    body.records[3].Number(2).Flags(0x08);
    body.records[100].Number(999).Flags(0x08);
    body.records[50].Number(55).Flags(0x00); // numbered but on no chain
    body.LinkChain({5000, 12, 19998});
    body.LinkChain({3, 100});
    body.TvCount(3).RadioCount(2).FirstTv(40).FirstRadio(2).LastTv(300).LastRadio(999).Total(5);

    CServiceDataArray arr;
    ReadInto(arr, body);
    ASSERT_EQ(arr.GetSize(), kSvcSlots);
    // The numbered record on no chain keeps its place among the others.
    EXPECT_EQ(SlotOrder(arr), FrontThenFileOrder({5000, 12, 19998, 3, 100}));
    EXPECT_EQ(Head(arr), body.head);
    EXPECT_EQ(arr.ChannelEnd(), 5);

    arr.NumberListPositions();
    const int expectPos[] = {1, 2, 3, 1, 2, 4, 5};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(arr.GetAt(i)->m_nListPos, expectPos[i]) << i;
    }
    EXPECT_EQ(arr.GetAt(kSvcSlots - 1)->m_nListPos, kSvcSlots - 2) << "empty slots continue the tv count";
}

TEST(ServiceChains, WithoutTelevisionTheRadioChainGoesToTheFront)
{
    ServiceBody body;
    body.MarkSlots();
    body.records[7].Number(1).Flags(0x08);
    body.records[2].Number(2).Flags(0x08);
    body.LinkChain({7, 2});
    body.TvCount(0).RadioCount(2).FirstTv(0).FirstRadio(1).LastTv(0).LastRadio(2).Total(2);
    CServiceDataArray arr;
    ReadInto(arr, body);
    EXPECT_EQ(SlotOrder(arr), FrontThenFileOrder({7, 2}));
    arr.NumberListPositions();
    EXPECT_EQ(arr.GetAt(0)->m_nListPos, 1);
    EXPECT_EQ(arr.GetAt(1)->m_nListPos, 2);
    EXPECT_EQ(arr.GetAt(2)->m_nListPos, 1) << "first empty slot counts as television 1";
}

TEST(ServiceChains, LoopingChainsStopWithoutDuplicates)
{
    ServiceBody body;
    body.MarkSlots();
    body.records[0].Number(1);
    body.records[1].Number(2);
    body.records[2].Number(3);
    body.LinkChain({1, 2, 0});
    body.records[0].Next(2); // 2 -> 3 -> 1 -> 2 ...
    body.records[10].Number(4).Flags(0x08).Next(4); // radio loop on itself
    body.TvCount(3).RadioCount(1).FirstTv(2).FirstRadio(4).Total(4);
    CServiceDataArray arr;
    ReadInto(arr, body);
    ASSERT_EQ(arr.GetSize(), kSvcSlots);
    auto ptrs = Pointers(arr);
    EXPECT_EQ(std::set<const CServiceData*>(ptrs.begin(), ptrs.end()).size(), ptrs.size());
    EXPECT_EQ(SlotOrder(arr), FrontThenFileOrder({1, 2, 0, 10}));
}

TEST(ServiceChains, MissingNumberEndsTheChain)
{
    ServiceBody body;
    body.MarkSlots();
    body.records[9].Number(1).Next(77);
    body.records[4].Number(78);
    body.TvCount(2).FirstTv(1).Total(2);
    CServiceDataArray arr;
    ReadInto(arr, body);
    // The record the chain missed stays in its place behind empty slots, and
    // the head counts the one channel the chain holds.
    EXPECT_EQ(SlotOrder(arr), FrontThenFileOrder({9}));
    EXPECT_EQ(arr.GetTvCount(), 1u);
    EXPECT_EQ(arr.GetHeadTotal(), 1u);
    EXPECT_EQ(arr.ChannelEnd(), 1);
}

TEST(ServiceChains, RadioWalkSearchesOnlyBehindTheTelevisionRecords)
{
    // The radio chain points at number 1, which is a television record that
    // already stands at the front; the walk must not pull it into the radio part.
    ServiceBody body;
    body.MarkSlots();
    body.records[4].Number(1);
    body.records[7].Number(10).Flags(0x08).Next(1);
    body.TvCount(1).RadioCount(1).FirstTv(1).FirstRadio(10).Total(2);
    CServiceDataArray arr;
    ReadInto(arr, body);
    EXPECT_EQ(SlotOrder(arr), FrontThenFileOrder({4, 7}));
}

TEST(ServiceChains, ChainWalkFindsTheFirstRecordWithANumber)
{
    ServiceBody body;
    body.MarkSlots();
    body.records[30].Number(5);
    body.records[20].Number(5).Next(6);
    body.records[25].Number(6);
    body.TvCount(2).FirstTv(5).Total(2);
    CServiceDataArray arr;
    ReadInto(arr, body);
    // The second record numbered 5 stays behind the empty slots, on no chain.
    EXPECT_EQ(SlotOrder(arr), FrontThenFileOrder({20, 25}));
}

TEST(ServiceChains, NumberedRecordsRightBehindTheChainsJoinThemByKind)
{
    // Slot 0 is a radio record on no chain ahead of the chained television
    // record in slot 1: behind the chains, before any empty slot, the save
    // would chain it. Slots 4 and 6 hold numbered records on no chain behind
    // the empty slot 2.
    ServiceBody body;
    body.records[0] = Svc(5, true, 10);
    body.records[1] = Svc(1, false, 11);
    body.records[3] = Svc(2, false, 13);
    body.records[4] = Svc(9, false, 14);
    body.records[5] = Svc(3, true, 15);
    body.records[6] = Svc(7, true, 16);
    body.MarkSlots(); // after Kept, which covers the mark bytes
    body.LinkChain({1, 3});
    body.LinkChain({5});
    body.TvCount(2).RadioCount(1).FirstTv(1).FirstRadio(3).LastTv(2).LastRadio(3).Total(3);

    CServiceDataArray arr;
    ReadInto(arr, body);
    ASSERT_EQ(arr.GetSize(), kSvcSlots);
    // Each kind: its chain first, then the record taken in; the rest in file order.
    const std::vector<int> expected = FrontThenFileOrder({1, 3, 5, 0});
    EXPECT_EQ(SlotOrder(arr), expected);
    ServiceBody counted = body;
    counted.RadioCount(2).Total(4);
    EXPECT_EQ(Head(arr), counted.head) << "the head counts the channels, the rest is as read";
    for (int i = 0; i < kSvcSlots; ++i) {
        const int slot = expected[static_cast<size_t>(i)];
        ASSERT_EQ(Image(arr.GetAt(i)), body.records[static_cast<size_t>(slot)].b) << i;
    }
    EXPECT_EQ(arr.ChannelEnd(), 4);
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(1), true), 2);
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(3), false), 2);
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(5), true), 0xFFFF);

    // Load, save, load: the same channels in the same order, each record as
    // read apart from its number and links; the records on no chain are
    // written back untouched where they stood.
    const ParsedBlock saved = WrittenBlock([&] { arr.WriteBlock(); });
    ASSERT_TRUE(saved.bodyOk);
    ASSERT_EQ(saved.body.size(), kSvcBody);
    ServiceBody expectedHead;
    expectedHead.TvCount(2).RadioCount(2).FirstTv(1).FirstRadio(3).LastTv(2).LastRadio(4).Total(4);
    EXPECT_EQ(Slice(saved.body, 0, kSvcHead), expectedHead.head);
    EXPECT_EQ(Slice(saved.body, kSvcHead + 5 * kSvcRecord, kSvcRecord), body.records[4].b);
    EXPECT_EQ(Slice(saved.body, kSvcHead + 6 * kSvcRecord, kSvcRecord), body.records[6].b);

    CServiceDataArray again;
    again.m_nBodyLength = static_cast<int32_t>(saved.body.size());
    CMemStream stream(saved.body);
    again.ReadBlock(stream);
    ASSERT_EQ(again.GetSize(), kSvcSlots);
    EXPECT_EQ(SlotOrder(again), expected);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(again.GetAt(i)->GetNumber(), i + 1) << i;
        Bytes reread = Image(again.GetAt(i));
        Bytes original = body.records[static_cast<size_t>(expected[static_cast<size_t>(i)])].b;
        std::fill(reread.begin(), reread.begin() + 6, 0);
        std::fill(original.begin(), original.begin() + 6, 0);
        EXPECT_EQ(reread, original) << i;
    }
    const ParsedBlock savedAgain = WrittenBlock([&] { again.WriteBlock(); });
    EXPECT_EQ(savedAgain.body, saved.body) << "saving is a fixed point";
}

TEST(ServiceChains, ShortBodyKeepsWholeRecordsOnly)
{
    ServiceBody body;
    Bytes bytes = body.Build();
    bytes.resize(20 + 144 * 30 + 100);
    CServiceDataArray arr;
    arr.m_nBodyLength = static_cast<int32_t>(bytes.size());
    CMemStream stream(bytes);
    arr.ReadBlock(stream);
    EXPECT_EQ(arr.GetSize(), 30);
    EXPECT_EQ(arr.AddService(nullptr, true), nullptr) << "a table that is not whole takes no new service";
    EXPECT_EQ(arr.GetSize(), 30);
}

// ---- writing --------------------------------------------------------------------------

TEST(ServiceBlock, ArrayOrderBodyIsWrittenBackUnchanged)
{
    TestDatabase db = MakeSmallDatabase();
    db.services.extraZeros = 288;
    const Bytes body = db.services.Build();
    CServiceDataArray arr;
    ReadInto(arr, db.services);
    ParsedBlock written = WrittenBlock([&] { arr.WriteBlock(); });
    EXPECT_EQ(written.tagId, kTagServices);
    EXPECT_EQ(written.version, 2u);
    EXPECT_TRUE(written.bodyOk);
    EXPECT_EQ(written.body, body);
}

TEST(ServiceRelink, NumbersChainsAndHeadFromArrayOrder)
{
    CServiceDataArray arr;
    arr.Add(NewService(900, false, 1));
    arr.Add(NewService(33, false, 2));
    arr.Add(NewService(7, false, 3));
    arr.Add(NewService(12, true, 4));
    arr.Add(NewService(5, true, 5));
    arr.Add(std::make_unique<CServiceData>());
    arr.Add(NewService(61, false, 6)); // behind the first empty slot: left alone
    for (int i = 0; i < arr.GetSize(); ++i) {
        arr.GetAt(i)->SetPrevious(0x7777);
        arr.GetAt(i)->SetNext(0x8888);
    }
    arr.GetAt(5)->SetPrevious(0); // an empty slot keeps zero links
    arr.GetAt(5)->SetNext(0);
    ServiceBody junk(0x66);
    junk.TvCount(99).RadioCount(98).FirstTv(97).FirstRadio(96).LastTv(95).LastRadio(94).Total(93);
    std::copy(junk.head.begin(), junk.head.end(), arr.m_serviceHead.begin());
    const Bytes keptTail = Slice(Image(arr.GetAt(6)), 0, 144);

    arr.RelinkServices();
    const uint16_t links[5][3] = {{1, 0, 2}, {2, 1, 3}, {3, 2, 0}, {4, 0, 5}, {5, 4, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(arr.GetAt(i)->GetNumber(), links[i][0]) << i;
        EXPECT_EQ(arr.GetAt(i)->GetPrevious(), links[i][1]) << i;
        EXPECT_EQ(arr.GetAt(i)->GetNext(), links[i][2]) << i;
    }
    EXPECT_EQ(Image(arr.GetAt(5)), Bytes(144, 0));
    EXPECT_EQ(Image(arr.GetAt(6)), keptTail);
    ServiceBody expected(0x66);
    expected.TvCount(3).RadioCount(2).FirstTv(1).FirstRadio(4).LastTv(3).LastRadio(5).Total(5);
    EXPECT_EQ(Head(arr), expected.head);
    EXPECT_EQ(arr.GetTvCount(), 3u);
    EXPECT_EQ(arr.GetRadioCount(), 2u);
    EXPECT_EQ(arr.GetHeadTotal(), 5);
}

TEST(ServiceRelink, OnlyRadioOnlyTelevisionAndNothing)
{
    {
        CServiceDataArray arr;
        arr.Add(NewService(8, true));
        arr.Add(NewService(9, true));
        arr.RelinkServices();
        ServiceBody expected(0x44);
        std::fill(expected.head.begin() + 18, expected.head.end(), 0);
        expected.RadioCount(2).FirstRadio(1).LastRadio(2).Total(2);
        EXPECT_EQ(Head(arr), expected.head);
        EXPECT_EQ(arr.GetAt(0)->GetPrevious(), 0);
        EXPECT_EQ(arr.GetAt(0)->GetNext(), 2);
        EXPECT_EQ(arr.GetAt(1)->GetNext(), 0);
    }
    // Without radio channels no radio chain starts: the empty slot behind
    // the channels keeps its bytes, a previous number too.
    {
        CServiceDataArray arr;
        arr.Add(NewService(8, false));
        arr.Add(NewService(9, false));
        arr.Add(std::make_unique<CServiceData>());
        arr.GetAt(2)->SetPrevious(0x1234);
        arr.RelinkServices();
        ServiceBody expected(0x44);
        std::fill(expected.head.begin() + 18, expected.head.end(), 0);
        expected.TvCount(2).FirstTv(1).LastTv(2).Total(2);
        EXPECT_EQ(Head(arr), expected.head);
        EXPECT_EQ(arr.GetAt(1)->GetNext(), 0);
        EXPECT_EQ(arr.GetAt(2)->GetPrevious(), 0x1234);
    }
    {
        CServiceDataArray arr;
        arr.Add(std::make_unique<CServiceData>());
        arr.Add(NewService(3, false));
        arr.GetAt(0)->SetPrevious(0xCE00);
        SetHead(arr, 5, 5, 5);
        arr.RelinkServices();
        ServiceBody expected(0x44);
        EXPECT_EQ(Head(arr), expected.head);
        EXPECT_EQ(arr.GetAt(0)->GetPrevious(), 0xCE00);
        EXPECT_EQ(arr.GetAt(1)->GetNumber(), 3);
    }
}

// ---- list numbers and lookups ---------------------------------------------------------

TEST(ServiceNumbers, ListPositionsAndListNumbers)
{
    CServiceDataArray arr;
    arr.Add(NewService(1, false)); // tv 1
    arr.Add(NewService(2, true));  // radio 1
    arr.Add(NewService(3, false)); // tv 2
    arr.Add(std::make_unique<CServiceData>());
    arr.Add(NewService(4, false)); // behind an empty slot: on no chain
    arr.Add(NewService(5, true));  // the same
    arr.NumberListPositions();
    const int pos[] = {1, 1, 2, 3, 4, 2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(arr.GetAt(i)->m_nListPos, pos[i]) << i;
    }
    EXPECT_EQ(arr.ChannelEnd(), 3);
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(2), true), 2);
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(1), false), 1);
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(3), true), 0xFFFF);
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(4), true), 0xFFFF) << "records behind an empty slot are no channels";
    EXPECT_EQ(arr.ListNumberOf(arr.GetAt(5), false), 0xFFFF);
    CServiceData stranger;
    EXPECT_EQ(arr.ListNumberOf(&stranger, true), 0xFFFF);

    EXPECT_EQ(arr.ServiceAtListNumber(1, true), arr.GetAt(0));
    EXPECT_EQ(arr.ServiceAtListNumber(2, true), arr.GetAt(2));
    EXPECT_EQ(arr.ServiceAtListNumber(3, true), nullptr);
    EXPECT_EQ(arr.ServiceAtListNumber(1, false), arr.GetAt(1));
    EXPECT_EQ(arr.ServiceAtListNumber(2, false), nullptr);
}

TEST(ServiceNumbers, IndexOfTransponderAndSid)
{
    CServiceDataArray arr;
    ServiceRecord r;
    arr.Add(std::make_unique<CServiceData>(r.Number(1).Transponder(4).ServiceId(100).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(2).Transponder(5).ServiceId(100).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(3).Transponder(5).ServiceId(100).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(4).Transponder(100).ServiceId(5).b.data()));
    EXPECT_EQ(arr.IndexOfTransponderAndSid(5, 100), 1);
    EXPECT_EQ(arr.IndexOfTransponderAndSid(4, 100), 0);
    EXPECT_EQ(arr.IndexOfTransponderAndSid(100, 5), 3);
    EXPECT_EQ(arr.IndexOfTransponderAndSid(100, 4), -1);
    EXPECT_EQ(arr.IndexOf(arr.GetAt(2)), 2);
    CServiceData stranger;
    EXPECT_EQ(arr.IndexOf(&stranger), -1);
}

TEST(ServiceNumbers, CountScrambledLooksAtTheCountedRecordsOnly)
{
    CServiceDataArray arr;
    ServiceRecord r;
    arr.Add(std::make_unique<CServiceData>(r.Number(1).Flags(0).Ca(2).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(2).Flags(0).Ca(1).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(3).Flags(0).Ca(0x1830).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(4).Flags(0x08).Ca(0x0D05).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(5).Flags(0x08).Ca(0).b.data()));
    arr.Add(std::make_unique<CServiceData>(r.Number(0).Flags(0).Ca(9).b.data())); // beyond T + R
    SetHead(arr, 3, 2, 5);
    const ScrambledCounts c = arr.CountScrambled();
    EXPECT_EQ(c.tv, 3);
    EXPECT_EQ(c.radio, 2);
    EXPECT_EQ(c.scrambledTv, 2);
    EXPECT_EQ(c.scrambledRadio, 1);
}

// ---- adding and deleting ------------------------------------------------------------------

class ServiceTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = MakeSmallDatabase();
        ReadInto(arr, db.services);
    }
    TestDatabase db;
    CServiceDataArray arr;
};

TEST_F(ServiceTableTest, AddNewTelevisionService)
{
    const uint16_t total = arr.GetHeadTotal();
    CServiceData* added = arr.AddService(nullptr, true);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(arr.GetSize(), kSvcSlots);
    EXPECT_EQ(arr.GetAt(kSvcSlots - 1), added);
    ServiceRecord expected;
    expected.Number(static_cast<uint16_t>(total + 1)).ServiceId(1).Name("New");
    EXPECT_EQ(Image(added), expected.b);
    EXPECT_EQ(arr.GetHeadTotal(), total + 1);
    EXPECT_EQ(arr.GetTvCount(), uint32_t(kSmallTv + 1));
    EXPECT_EQ(arr.GetRadioCount(), uint32_t(kSmallRadio));
}

TEST_F(ServiceTableTest, AddNewRadioService)
{
    CServiceData* added = arr.AddService(nullptr, false);
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(added->IsRadio());
    EXPECT_EQ(added->GetFlags(), 0x08);
    EXPECT_EQ(added->GetNameText(), "New");
    EXPECT_EQ(arr.GetRadioCount(), uint32_t(kSmallRadio + 1));
    EXPECT_EQ(arr.GetTvCount(), uint32_t(kSmallTv));
}

TEST_F(ServiceTableTest, AddCopyOfASource)
{
    const uint16_t total = arr.GetHeadTotal();
    const CServiceData* source = arr.GetAt(kSmallTv + 1); // a radio record
    const Bytes sourceImage = Image(source);
    CServiceData* added = arr.AddService(source, true);
    ASSERT_NE(added, nullptr);
    EXPECT_NE(added, source);
    EXPECT_EQ(Image(added), sourceImage);
    EXPECT_EQ(arr.GetRadioCount(), uint32_t(kSmallRadio + 1)) << "the copy counts as its own kind";
    EXPECT_EQ(arr.GetTvCount(), uint32_t(kSmallTv));
    EXPECT_EQ(arr.GetHeadTotal(), total);
}

TEST_F(ServiceTableTest, DeleteKeepsTheTableWhole)
{
    CServiceData* victim = arr.GetAt(1);
    CServiceData* after = arr.GetAt(2);
    arr.DeleteService(victim);
    EXPECT_EQ(arr.GetSize(), kSvcSlots);
    EXPECT_EQ(arr.GetAt(1), after);
    EXPECT_EQ(Image(arr.GetAt(kSvcSlots - 1)), Bytes(144, 0));
    EXPECT_EQ(arr.GetTvCount(), uint32_t(kSmallTv - 1));
    EXPECT_EQ(arr.GetRadioCount(), uint32_t(kSmallRadio));

    arr.DeleteService(arr.GetAt(kSmallTv - 1)); // now the first radio record
    EXPECT_EQ(arr.GetSize(), kSvcSlots);
    EXPECT_EQ(arr.GetRadioCount(), uint32_t(kSmallRadio - 1));
    EXPECT_EQ(arr.GetTvCount(), uint32_t(kSmallTv - 1));
}

TEST(ServiceAdd, EmptyTableGivesNumberOne)
{
    CServiceDataArray arr;
    FillTable(arr, 0, 0);
    CServiceData* added = arr.AddService(nullptr, true);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetNumber(), 1);
    EXPECT_EQ(arr.GetTvCount(), 1u);
    EXPECT_EQ(arr.GetHeadTotal(), 1);
}

TEST(ServiceAdd, FullTableRefusesAndChangesNothing)
{
    CServiceDataArray arr;
    FillTable(arr, kSvcSlots - 100, 100);
    const auto before = Pointers(arr);
    const Bytes head = Head(arr);
    const Bytes last = Image(arr.GetAt(kSvcSlots - 1));
    EXPECT_EQ(arr.AddService(nullptr, true), nullptr);
    EXPECT_EQ(arr.AddService(arr.GetAt(0), false), nullptr);
    EXPECT_EQ(Pointers(arr), before);
    EXPECT_EQ(Head(arr), head);
    EXPECT_EQ(Image(arr.GetAt(kSvcSlots - 1)), last);
}

// ---- moving -------------------------------------------------------------------------------

TEST(ServiceMove, MovesRecordsAndRefusesOutsideTheArray)
{
    CServiceDataArray arr;
    for (uint16_t i = 1; i <= 8; ++i) {
        arr.Add(NewService(i, false));
    }
    auto order = [&] {
        std::vector<int> out;
        for (int i = 0; i < arr.GetSize(); ++i) {
            out.push_back(arr.GetAt(i)->GetNumber());
        }
        return out;
    };
    EXPECT_EQ(arr.MoveService(arr.GetAt(6), 1), 6);
    EXPECT_EQ(order(), (std::vector<int>{1, 7, 2, 3, 4, 5, 6, 8}));
    EXPECT_EQ(arr.MoveService(arr.GetAt(0), 4), 0);
    EXPECT_EQ(order(), (std::vector<int>{7, 2, 3, 4, 1, 5, 6, 8}));
    EXPECT_EQ(arr.MoveService(arr.GetAt(2), 7), 2);
    EXPECT_EQ(order(), (std::vector<int>{7, 2, 4, 1, 5, 6, 8, 3}));

    const auto before = order();
    EXPECT_EQ(arr.MoveService(arr.GetAt(3), -1), -1);
    EXPECT_EQ(arr.MoveService(arr.GetAt(3), 8), -1);
    EXPECT_EQ(arr.MoveService(arr.GetAt(3), 100000), -1);
    CServiceData stranger;
    EXPECT_EQ(arr.MoveService(&stranger, 0), -1);
    EXPECT_EQ(arr.MoveService(nullptr, 0), -1);
    EXPECT_EQ(order(), before);
    EXPECT_EQ(arr.GetSize(), 8);
}

TEST(ServiceMove, MoveToAnchor)
{
    CServiceDataArray arr;
    for (uint16_t i = 1; i <= 6; ++i) {
        arr.Add(NewService(i, false));
    }
    CServiceData* anchor = arr.GetAt(1);
    CServiceData* rec = arr.GetAt(4);
    EXPECT_EQ(arr.MoveServiceTo(anchor, rec), 4);
    EXPECT_EQ(arr.GetAt(1), rec);
    EXPECT_EQ(arr.GetAt(2), anchor);
    // downwards: the record takes the anchor's index, the anchor moves up
    EXPECT_EQ(arr.MoveServiceTo(arr.GetAt(5), arr.GetAt(0)), 0);
    EXPECT_EQ(arr.GetAt(5)->GetNumber(), 1);
    EXPECT_EQ(arr.GetAt(4)->GetNumber(), 6);

    auto before = Pointers(arr);
    CServiceData stranger;
    EXPECT_EQ(arr.MoveServiceTo(&stranger, arr.GetAt(2)), -1);
    EXPECT_EQ(arr.MoveServiceTo(arr.GetAt(2), &stranger), -1);
    EXPECT_EQ(Pointers(arr), before);
}

// ---- favourite groups ---------------------------------------------------------------------

TEST(ServiceFavourites, RemapFollowsTheGroupMove)
{
    auto remap = [](int p, int q, int n) {
        CServiceDataArray arr;
        ServiceRecord r;
        for (uint8_t g = 0; g <= 10; ++g) {
            arr.Add(std::make_unique<CServiceData>(r.Number(1).FavGroup(g).b.data()));
        }
        arr.RemapFavouriteGroups(p, q, n);
        std::vector<int> out;
        for (int i = 0; i < arr.GetSize(); ++i) {
            out.push_back(arr.GetAt(i)->GetFavouriteGroup());
        }
        return out;
    };
    EXPECT_EQ(remap(0, 2, 8), (std::vector<int>{0, 3, 1, 2, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(remap(3, 1, 8), (std::vector<int>{0, 1, 3, 4, 2, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(remap(7, 0, 8), (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 8, 1, 9, 10}));
    EXPECT_EQ(remap(4, 4, 8), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(remap(0, 1, 3), (std::vector<int>{0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(remap(0, 0, 1), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

// ---- clipboard form ---------------------------------------------------------------------

TEST(ServiceClipboard, StreamCarriesKindByteAndImage)
{
    CServiceDataArray arr;
    arr.Add(NewService(1, false, 7));
    arr.Add(NewService(2, true, 8));
    CMemStream out;
    arr.WriteStream(out);
    Bytes expected(4, 0);
    PutU32(expected, 0, 2);
    expected.push_back(1);
    Append(expected, Svc(1, false, 7).b);
    expected.push_back(0);
    Append(expected, Svc(2, true, 8).b);
    EXPECT_EQ(StreamBytes(out), expected);

    // the kind byte is ignored when reading; the image decides
    expected[4] = 0;
    CMemStream in(expected);
    CServiceDataArray back;
    EXPECT_TRUE(back.ReadStream(in));
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(Image(back.GetAt(0)), Svc(1, false, 7).b);
    EXPECT_FALSE(back.GetAt(0)->IsRadio());
    EXPECT_TRUE(back.GetAt(1)->IsRadio());
}

// ---- several records at once --------------------------------------------------------------

TEST(ServiceBatch, DeleteServicesEqualsDeletingOneAfterAnother)
{
    TestDatabase db = MakeSmallDatabase();
    db.services.MarkSlots();
    CServiceDataArray batch, single;
    ReadInto(batch, db.services);
    ReadInto(single, db.services);
    const std::vector<int> victims = {6, 1, 3, 0};
    std::vector<CServiceData*> batchRecs, singleRecs;
    for (int i : victims) {
        batchRecs.push_back(batch.GetAt(i));
        singleRecs.push_back(single.GetAt(i));
    }
    batch.DeleteServices(batchRecs);
    for (CServiceData* r : singleRecs) {
        single.DeleteService(r);
    }
    ASSERT_EQ(batch.GetSize(), single.GetSize());
    for (int i = 0; i < batch.GetSize(); ++i) {
        ASSERT_EQ(Image(batch.GetAt(i)), Image(single.GetAt(i))) << i;
    }
    EXPECT_EQ(Head(batch), Head(single));
    EXPECT_EQ(batch.GetTvCount(), uint32_t(kSmallTv - 3));
    EXPECT_EQ(batch.GetRadioCount(), uint32_t(kSmallRadio - 1));
}

TEST(ServiceBatch, MoveServicesNextToAnAnchor)
{
    auto make = [](CServiceDataArray& arr) {
        for (uint16_t i = 0; i < 10; ++i) {
            arr.Add(NewService(static_cast<uint16_t>(i + 1), false));
        }
    };
    auto order = [](const CServiceDataArray& arr) {
        std::vector<int> out;
        for (int i = 0; i < arr.GetSize(); ++i) {
            out.push_back(arr.GetAt(i)->GetNumber() - 1);
        }
        return out;
    };
    {
        CServiceDataArray arr;
        make(arr);
        ASSERT_TRUE(arr.MoveServicesNextTo(arr.GetAt(4), {arr.GetAt(7), arr.GetAt(2)}, false));
        EXPECT_EQ(order(arr), (std::vector<int>{0, 1, 3, 7, 2, 4, 5, 6, 8, 9}));
    }
    {
        CServiceDataArray arr;
        make(arr);
        ASSERT_TRUE(arr.MoveServicesNextTo(arr.GetAt(4), {arr.GetAt(7), arr.GetAt(2)}, true));
        EXPECT_EQ(order(arr), (std::vector<int>{0, 1, 3, 4, 7, 2, 5, 6, 8, 9}));
    }
    {
        CServiceDataArray arr;
        make(arr);
        ASSERT_TRUE(arr.MoveServicesNextTo(arr.GetAt(9), {arr.GetAt(0)}, true));
        EXPECT_EQ(order(arr), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
    }
    {
        CServiceDataArray arr;
        make(arr);
        CServiceData stranger;
        const auto before = Pointers(arr);
        EXPECT_FALSE(arr.MoveServicesNextTo(&stranger, {arr.GetAt(1)}, false));
        EXPECT_FALSE(arr.MoveServicesNextTo(arr.GetAt(3), {arr.GetAt(1), &stranger}, false));
        EXPECT_EQ(Pointers(arr), before);
    }
}

TEST(ServiceBatch, RearrangeTakesRecordsFromTheRangeAndTheParked)
{
    // Many records in shuffled order, so a lookup among them that loses its
    // sorting while records are taken out is seen.
    CServiceDataArray arr;
    for (uint16_t i = 1; i <= 200; ++i) {
        arr.Add(NewService(i, false));
    }
    std::vector<std::unique_ptr<CServiceData>> parked;
    parked.push_back(NewService(1000, true));
    parked.push_back(NewService(1001, true));
    CServiceData* p0 = parked[0].get();
    CServiceData* p1 = parked[1].get();

    std::vector<CServiceData*> order;
    std::mt19937 rng(5u);
    for (int i = 10; i < 190; ++i) {
        order.push_back(arr.GetAt(i));
    }
    std::shuffle(order.begin(), order.end(), rng);
    order.erase(order.begin() + 7); // one record of the range is left out
    CServiceData* leftOut = nullptr;
    for (int i = 10; i < 190 && !leftOut; ++i) {
        if (std::find(order.begin(), order.end(), arr.GetAt(i)) == order.end()) {
            leftOut = arr.GetAt(i);
        }
    }
    order.insert(order.begin() + 3, p1);
    order.push_back(p0);
    CServiceData* before = arr.GetAt(9);
    CServiceData* after = arr.GetAt(190);

    ASSERT_TRUE(arr.Rearrange(10, 180, order, parked));
    ASSERT_EQ(arr.GetSize(), 200 - 180 + static_cast<int>(order.size()));
    for (size_t k = 0; k < order.size(); ++k) {
        ASSERT_EQ(arr.GetAt(10 + static_cast<int>(k)), order[k]) << k;
    }
    EXPECT_EQ(arr.GetAt(9), before);
    EXPECT_EQ(arr.GetAt(10 + static_cast<int>(order.size())), after);
    ASSERT_EQ(parked.size(), 1u);
    EXPECT_EQ(parked[0].get(), leftOut);

    // a record in neither place: refused, nothing changed
    CServiceData stranger;
    const auto snapshot = Pointers(arr);
    EXPECT_FALSE(arr.Rearrange(0, 5, {arr.GetAt(0), &stranger}, parked));
    EXPECT_EQ(Pointers(arr), snapshot);
    EXPECT_EQ(parked.size(), 1u);
    // a record named twice: refused as well
    EXPECT_FALSE(arr.Rearrange(0, 5, {arr.GetAt(1), arr.GetAt(2), arr.GetAt(1)}, parked));
    EXPECT_EQ(Pointers(arr), snapshot);
}

TEST(ServiceBatch, AddressIndexGrowsPastItsExpectedSizeAndKeepsTheFirstValue)
{
    // Told to expect two, given thousands: the table must grow rather than
    // fill up (a full table would search forever).
    std::vector<CServiceData> records(5000);
    CAddressIndex<int> index(2);
    for (int i = 0; i < 5000; ++i) {
        ASSERT_TRUE(index.Insert(&records[static_cast<size_t>(i)], i));
    }
    EXPECT_FALSE(index.Insert(&records[17], -1));
    EXPECT_TRUE(index.Insert(nullptr, 99));
    EXPECT_FALSE(index.Insert(nullptr, 98));
    for (int i = 0; i < 5000; ++i) {
        const int* at = index.Find(&records[static_cast<size_t>(i)]);
        ASSERT_NE(at, nullptr) << i;
        EXPECT_EQ(*at, i);
    }
    EXPECT_EQ(*index.Find(nullptr), 99);
    CServiceData stranger;
    EXPECT_FALSE(index.Contains(&stranger));
}
