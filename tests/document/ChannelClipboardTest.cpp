// Copying, cutting and pasting channels between documents through the
// clipboard payload, and taking a paste or a cut back.
#include <gtest/gtest.h>

#include <memory>

#include "document/ChannelClipboard.h"
#include "document/ChannelRows.h"
#include "document/DemoDatabase.h"
#include "document/DocumentChange.h"
#include "document/ExchangeMessages.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/DocTestHelpers.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

// The small database after a rescan: the same satellites and transponders
// under other numbers (satellites 21 to 24, transponders 101 to 106).
TestDatabase MakeRenumberedDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    for (int i = 0; i < 4; ++i) {
        db.satellites.records[static_cast<size_t>(i)].Number(static_cast<uint8_t>(21 + i));
    }
    for (int i = 0; i < 6; ++i) {
        TransponderRecord& t = db.transponders.records[static_cast<size_t>(i)];
        t.Number(static_cast<uint16_t>(101 + i)).Satellite(static_cast<uint8_t>(t.b[20] + 20));
    }
    for (int i = 0; i < kSmallTv + kSmallRadio; ++i) {
        ServiceRecord& s = db.services.records[static_cast<size_t>(i)];
        s.Transponder(static_cast<uint16_t>(GetU16(s.b, 6) + 100));
    }
    return db;
}

Bytes Image(const CServiceData* s) { return Bytes(s->m_record.begin(), s->m_record.end()); }

class ChannelClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadInto(source, MakeSmallDatabase());
        LoadInto(target, MakeRenumberedDatabase());
    }
    Bytes Copy(const std::vector<std::string>& names)
    {
        std::vector<CServiceData*> selected;
        for (const auto& n : names) {
            selected.push_back(Named(source, n));
        }
        ClipCopyResult r = CopyChannels(source, selected);
        EXPECT_TRUE(r.notCopied.empty());
        return r.payload;
    }
    PasteResult Paste(const Bytes& payload, bool television, const CServiceData* before)
    {
        return PasteChannels(target, payload.data(), payload.size(), television, before);
    }
    CVandrelEdit2028Doc source;
    CVandrelEdit2028Doc target;
};

} // namespace

TEST_F(ChannelClipboardTest, ThreeChannelsOfOneTransponderCarryItsRecordsThreeTimes)
{
    const TestDatabase db = MakeSmallDatabase();
    const Bytes payload = Copy({"Das Erste HD", "ZDF HD", "Bayern 3"});
    ASSERT_EQ(payload.size(), 12u + 3 * (145 + 52 + 24));
    EXPECT_EQ(GetU32(payload, 0), 3u);
    EXPECT_EQ(payload[4], 1) << "television";
    EXPECT_EQ(Slice(payload, 5, 144), db.services.records[0].b);
    EXPECT_EQ(Slice(payload, 5 + 145, 144), db.services.records[1].b);
    EXPECT_EQ(payload[4 + 290], 0) << "radio";
    EXPECT_EQ(Slice(payload, 5 + 290, 144), db.services.records[kSmallTv].b);
    EXPECT_EQ(GetU32(payload, 4 + 145 * 3), 3u);
    EXPECT_EQ(GetU32(payload, 8 + 197 * 3), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Slice(payload, 8 + 145 * 3 + 52 * i, 52), db.satellites.records[0].b) << i;
        EXPECT_EQ(Slice(payload, 12 + 197 * 3 + 24 * i, 24), db.transponders.records[0].b) << i;
    }
}

TEST_F(ChannelClipboardTest, ChannelsWithoutTransponderOrSatelliteAreLeftOutAndNamed)
{
    TestDatabase db = MakeSmallDatabase();
    db.services.records[3].Transponder(99);   // Rai 1: no such transponder
    db.transponders.records[4].Satellite(77); // Télé 5: its transponder has no satellite
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    ClipCopyResult r = CopyChannels(doc, {Named(doc, "Sky Cinema"), Named(doc, "Rai 1"), Named(doc, "T\xC3\xA9l\xC3\xA9 5")});
    ASSERT_EQ(r.copied.size(), 1u);
    EXPECT_EQ(r.copied[0], Named(doc, "Sky Cinema"));
    ASSERT_EQ(r.notCopied.size(), 2u);
    EXPECT_EQ(GetU32(r.payload, 0), 1u);
    const std::string message = NotCopiedMessage(r.notCopied);
    EXPECT_EQ(message.rfind(exmsg::kNotCopied, 0), 0u);
    EXPECT_NE(message.find("\nRai 1"), std::string::npos);
    EXPECT_NE(message.find("\nT\xC3\xA9l\xC3\xA9 5"), std::string::npos);
    EXPECT_TRUE(NotCopiedMessage({}).empty());

    ClipCopyResult none = CopyChannels(doc, {Named(doc, "Rai 1")});
    EXPECT_TRUE(none.payload.empty());
    EXPECT_TRUE(none.copied.empty());
}

TEST_F(ChannelClipboardTest, PastedChannelsGoBeforeTheSelectedRowInClipboardOrder)
{
    const Bytes payload = Copy({"Sky Cinema", "Rai 1"});
    CServiceData* zdf = Named(target, "ZDF HD");
    const PasteResult r = Paste(payload, true, zdf);
    EXPECT_EQ(r.stop, PasteStop::None);
    EXPECT_TRUE(r.message.empty());
    ASSERT_EQ(r.pasted.size(), 2u);
    EXPECT_EQ(Names(target, false), (std::vector<std::string>{"Das Erste HD", "Sky Cinema", "Rai 1", "ZDF HD",
                                                              "Sky Cinema", "Rai 1", "T\xC3\xA9l\xC3\xA9 5"}));
    EXPECT_EQ(target.m_services.GetAt(1), r.pasted[0]);
    EXPECT_EQ(target.m_services.GetAt(2), r.pasted[1]);
    EXPECT_EQ(target.m_services.GetTvCount(), 7u);
    EXPECT_EQ(target.m_services.GetRadioCount(), 3u);
    EXPECT_EQ(Names(target, true).size(), 3u);
    // Positions are renumbered after every paste.
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(target.m_services.GetAt(i)->m_nListPos, i + 1);
    }
    EXPECT_TRUE(target.IsModified());
}

TEST_F(ChannelClipboardTest, APastedChannelKeepsItsDataTakesTheTargetTransponderAndLeavesItsGroup)
{
    const CServiceData* original = Named(source, "Sky Cinema");
    ASSERT_EQ(original->GetFavouriteGroup(), 1);
    const PasteResult r = Paste(Copy({"Sky Cinema"}), true, nullptr);
    ASSERT_EQ(r.pasted.size(), 1u);
    const CServiceData* pasted = r.pasted[0];
    EXPECT_EQ(pasted->GetTransponder(), 102) << "the target's number of transponder TpId 6 / OrgNetId 133";
    EXPECT_EQ(pasted->GetFavouriteGroup(), 0);
    EXPECT_EQ(pasted->GetNameText(), "Sky Cinema");
    EXPECT_EQ(pasted->GetServiceId(), 129);
    EXPECT_EQ(pasted->GetVideoPid(), 255);
    EXPECT_EQ(pasted->GetPmtPid(), 97);
    EXPECT_TRUE(pasted->IsLocked());
    EXPECT_TRUE(pasted->IsScrambled());
    // Every other byte is the source image.
    Bytes expected = Image(original);
    PutU16(expected, 6, 102);
    expected[30] = 0;
    EXPECT_EQ(Image(pasted), expected);
}

TEST_F(ChannelClipboardTest, WithoutSelectionAllChannelsGoAfterTheLastChannelOfTheKind)
{
    const PasteResult tv = Paste(Copy({"Rai 1", "Das Erste HD", "ZDF HD"}), true, nullptr);
    ASSERT_EQ(tv.pasted.size(), 3u);
    EXPECT_EQ(Names(target, false),
              (std::vector<std::string>{"Das Erste HD", "ZDF HD", "Sky Cinema", "Rai 1", "T\xC3\xA9l\xC3\xA9 5",
                                        "Rai 1", "Das Erste HD", "ZDF HD"}));
    const PasteResult radio = Paste(Copy({"Radio Svizzera", "Bayern 3"}), false, nullptr);
    ASSERT_EQ(radio.pasted.size(), 2u);
    EXPECT_EQ(Names(target, true), (std::vector<std::string>{"Bayern 3", "Antenne Bayern", "Radio Svizzera",
                                                             "Radio Svizzera", "Bayern 3"}));
    EXPECT_EQ(target.m_services.IndexOf(radio.pasted[1]), 12);
    EXPECT_EQ(target.m_services.GetAt(13)->GetNumber(), 0) << "empty slots stay at the end";
    // A record of the other kind is no place for the paste either.
    const PasteResult more = Paste(Copy({"ZDF HD"}), true, Named(target, "Bayern 3"));
    ASSERT_EQ(more.pasted.size(), 1u);
    EXPECT_EQ(target.m_services.IndexOf(more.pasted[0]), 8);
}

TEST_F(ChannelClipboardTest, AChannelOfTheOtherKindStopsThePasteAndTheLaterOnesStay)
{
    const Bytes tvOnly = Copy({"Das Erste HD", "ZDF HD"});
    PasteResult r = Paste(tvOnly, false, nullptr);
    EXPECT_EQ(r.stop, PasteStop::OtherKind);
    EXPECT_EQ(r.message, exmsg::kOtherKind);
    EXPECT_EQ(r.caption, "VandrelEditor");
    EXPECT_TRUE(r.pasted.empty());
    EXPECT_EQ(target.m_services.GetTvCount(), 5u);
    EXPECT_EQ(target.m_services.GetRadioCount(), 3u);

    r = Paste(Copy({"Bayern 3", "Sky Cinema", "Rai 1"}), true, nullptr);
    EXPECT_EQ(r.stop, PasteStop::OtherKind);
    ASSERT_EQ(r.pasted.size(), 2u);
    EXPECT_EQ(r.pasted[0]->GetNameText(), "Sky Cinema");
    EXPECT_EQ(r.pasted[1]->GetNameText(), "Rai 1");
    EXPECT_EQ(target.m_services.GetTvCount(), 7u);
    EXPECT_EQ(target.m_services.GetRadioCount(), 3u);
}

TEST_F(ChannelClipboardTest, ASatelliteWithTheSamePositionButAnotherNameStopsThePaste)
{
    TestDatabase db = MakeRenumberedDatabase();
    db.satellites.records[1].Name("Hotbird 13E"); // Rai 1's satellite
    CVandrelEdit2028Doc other;
    LoadInto(other, db);
    const Bytes payload = Copy({"Sky Cinema", "Rai 1"});
    const PasteResult r = PasteChannels(other, payload.data(), payload.size(), true, nullptr);
    EXPECT_EQ(r.stop, PasteStop::NoMatch);
    EXPECT_EQ(r.message, exmsg::kNoMatchingTransponder);
    EXPECT_NE(r.message.find("Transponder oder  Satelliten"), std::string::npos);
    EXPECT_TRUE(r.caption.empty());
    EXPECT_TRUE(r.pasted.empty()) << "the last entry comes first and stops the paste";
    EXPECT_EQ(other.m_services.GetTvCount(), 5u);

    // The other orientation is another satellite as well.
    db = MakeRenumberedDatabase();
    db.satellites.records[1].Position(130, true);
    CVandrelEdit2028Doc west;
    LoadInto(west, db);
    EXPECT_EQ(PasteChannels(west, payload.data(), payload.size(), true, nullptr).stop, PasteStop::NoMatch);
}

TEST_F(ChannelClipboardTest, ATransponderMissingFromTheTargetStopsThePaste)
{
    TestDatabase db = MakeRenumberedDatabase();
    db.transponders.records[2].TpId(12001); // Rai 1's transponder
    CVandrelEdit2028Doc other;
    LoadInto(other, db);
    const Bytes payload = Copy({"Rai 1", "Sky Cinema"});
    const PasteResult r = PasteChannels(other, payload.data(), payload.size(), true, nullptr);
    EXPECT_EQ(r.stop, PasteStop::NoMatch);
    ASSERT_EQ(r.pasted.size(), 1u) << "Sky Cinema, the last entry, was pasted before Rai 1 stopped it";
    EXPECT_EQ(r.pasted[0]->GetNameText(), "Sky Cinema");
}

TEST_F(ChannelClipboardTest, AMatchingTransponderOnTheMatchedSatelliteIsPreferred)
{
    TestDatabase db = MakeRenumberedDatabase();
    // The same keys as Astra's transponder 1019/1 on Hotbird, earlier in the table.
    db.transponders.records[0].Satellite(22);
    db.transponders.records[6].Number(107).OrgNetId(1).TpId(1019).Frequency(11494).Flags(1).Satellite(21);
    CVandrelEdit2028Doc other;
    LoadInto(other, db);
    const Bytes payload = Copy({"ZDF HD"});
    const PasteResult r = PasteChannels(other, payload.data(), payload.size(), true, nullptr);
    ASSERT_EQ(r.pasted.size(), 1u);
    EXPECT_EQ(r.pasted[0]->GetTransponder(), 107);
}

TEST_F(ChannelClipboardTest, PastingIntoTheSameDocumentDuplicatesTheChannels)
{
    ClipCopyResult copy = CopyChannels(target, {Named(target, "Das Erste HD")});
    const PasteResult r = Paste(copy.payload, true, Named(target, "ZDF HD"));
    ASSERT_EQ(r.pasted.size(), 1u);
    EXPECT_EQ(target.m_services.GetAt(0)->GetServiceId(), target.m_services.GetAt(1)->GetServiceId());
    EXPECT_EQ(target.m_services.GetAt(0)->GetTransponder(), target.m_services.GetAt(1)->GetTransponder());
    EXPECT_EQ(target.m_services.GetAt(0)->GetFavouriteGroup(), 1);
    EXPECT_EQ(target.m_services.GetAt(1)->GetFavouriteGroup(), 0);
}

TEST_F(ChannelClipboardTest, AnEmptySequenceGivesNoUsableInformationButMarksTheDocument)
{
    const Bytes before = target.Save();
    ASSERT_FALSE(target.IsModified());
    for (const Bytes& payload : {Bytes(12, 0), Bytes{}, Bytes{1, 2, 3}}) {
        const PasteResult r = Paste(payload, true, nullptr);
        EXPECT_EQ(r.stop, PasteStop::NoUsableData);
        EXPECT_EQ(r.message, exmsg::kNoUsableData);
        EXPECT_EQ(r.caption, "No usable information");
        EXPECT_TRUE(r.pasted.empty());
    }
    EXPECT_TRUE(target.IsModified());
    EXPECT_EQ(target.Save(), before);
}

TEST_F(ChannelClipboardTest, MalformedPayloadsPasteOnlyWhatIsCompleteAndNeverCrash)
{
    const Bytes payload = Copy({"Sky Cinema", "Rai 1"});
    const size_t sats = 4 + 2 * 145;
    const size_t tps = sats + 4 + 2 * 52;
    // One transponder for two channels: the last entry has none and stops the paste.
    Bytes oneTp(payload.begin(), payload.begin() + static_cast<long>(tps + 4 + 24));
    PutU32(oneTp, tps, 1);
    PasteResult r = Paste(oneTp, true, nullptr);
    EXPECT_EQ(r.stop, PasteStop::NoMatch);
    EXPECT_TRUE(r.pasted.empty());
    // One satellite for two channels: the last entry is passed over, the first pasted.
    Bytes oneSat(payload.begin(), payload.begin() + static_cast<long>(sats + 4 + 52));
    PutU32(oneSat, sats, 1);
    oneSat.insert(oneSat.end(), payload.begin() + static_cast<long>(tps), payload.end());
    r = Paste(oneSat, true, nullptr);
    EXPECT_EQ(r.stop, PasteStop::None);
    ASSERT_EQ(r.pasted.size(), 1u);
    EXPECT_EQ(r.pasted[0]->GetNameText(), "Sky Cinema");
    // A count larger than the data leaves the later sequences empty.
    Bytes lying = payload;
    PutU32(lying, 0, 0x10000000u);
    EXPECT_EQ(Paste(lying, true, nullptr).stop, PasteStop::NoUsableData);
    // Every cut of a good payload is handled.
    for (size_t n = 0; n < payload.size(); n += 7) {
        const Bytes cut(payload.begin(), payload.begin() + static_cast<long>(n));
        const PasteResult c = Paste(cut, true, nullptr);
        EXPECT_LE(c.pasted.size(), 2u);
    }
    EXPECT_EQ(target.m_services.GetSize(), kSvcSlots);
}

TEST_F(ChannelClipboardTest, AnEmptySlotOnTheClipboardIsNeverPastedAsAChannel)
{
    Bytes payload = Copy({"Sky Cinema", "Rai 1"});
    PutU16(payload, 5, 0); // Sky Cinema's number
    const PasteResult r = Paste(payload, true, nullptr);
    ASSERT_EQ(r.pasted.size(), 1u);
    EXPECT_EQ(r.pasted[0]->GetNameText(), "Rai 1");
    EXPECT_EQ(target.m_services.GetTvCount(), 6u);
}

TEST(ChannelClipboardFull, AFullTableRefusesThePasteAndKeepsEveryChannel)
{
    CVandrelEdit2028Doc source;
    LoadInto(source, MakeSmallDatabase());
    const Bytes payload = CopyChannels(source, {Named(source, "ZDF HD"), Named(source, "Rai 1")}).payload;

    const std::vector<uint8_t> full = BuildDemoDatabase({15000, 4999});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(doc.Load(full.data(), full.size()), LoadStatus::Loaded);
    const std::vector<uint8_t> before = doc.Save();
    PasteResult r = PasteChannels(doc, payload.data(), payload.size(), true, nullptr);
    EXPECT_EQ(r.stop, PasteStop::TableFull);
    EXPECT_EQ(r.message, "Alle 19999 Plätze der Kanaltabelle sind belegt. Es können keine Kanäle eingefügt werden.");
    EXPECT_EQ(r.caption, "VandrelEditor");
    EXPECT_TRUE(r.pasted.empty());
    EXPECT_EQ(doc.Save(), before);

    const std::vector<uint8_t> almost = BuildDemoDatabase({15000, 4998});
    CVandrelEdit2028Doc one;
    ASSERT_EQ(one.Load(almost.data(), almost.size()), LoadStatus::Loaded);
    r = PasteChannels(one, payload.data(), payload.size(), true, nullptr);
    EXPECT_EQ(r.stop, PasteStop::TableFull);
    EXPECT_NE(r.message.find("frei: 1, in der Zwischenablage: 2"), std::string::npos) << r.message;
    EXPECT_EQ(one.m_services.GetTvCount(), 15000u);
}

TEST_F(ChannelClipboardTest, APasteIsOneStepThatIsUndoneCompletely)
{
    const Bytes original = target.Save();
    const Bytes payload = Copy({"Sky Cinema", "Rai 1", "ZDF HD"});
    auto change = std::make_unique<CDocumentChange>(target);
    const PasteResult r = Paste(payload, true, Named(target, "Sky Cinema"));
    change->Finish();
    ASSERT_EQ(r.pasted.size(), 3u);
    ASSERT_FALSE(change->IsEmpty());
    const Bytes pasted = target.Save();
    ASSERT_NE(pasted, original);
    change->Undo();
    EXPECT_EQ(target.Save(), original);
    EXPECT_EQ(target.m_services.IndexOf(r.pasted[0]), -1);
    change->Redo();
    EXPECT_EQ(target.Save(), pasted);
    EXPECT_EQ(target.m_services.IndexOf(r.pasted[0]), 2);
}

TEST_F(ChannelClipboardTest, CutDeletesTheCopiedChannelsOnlyAndIsUndoneCompletely)
{
    TestDatabase db = MakeSmallDatabase();
    db.services.records[3].Transponder(99); // Rai 1 cannot be copied
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const Bytes original = doc.Save();
    CServiceData* sky = Named(doc, "Sky Cinema");
    doc.m_pCurrentService = sky;
    auto change = std::make_unique<CDocumentChange>(doc);
    const ClipCopyResult r = CutChannels(doc, {Named(doc, "ZDF HD"), sky, Named(doc, "Rai 1")});
    change->Finish();
    ASSERT_EQ(r.copied.size(), 2u);
    ASSERT_EQ(r.notCopied.size(), 1u);
    EXPECT_EQ(Names(doc, false), (std::vector<std::string>{"Das Erste HD", "Rai 1", "T\xC3\xA9l\xC3\xA9 5"}));
    EXPECT_EQ(doc.m_services.GetTvCount(), 3u);
    EXPECT_EQ(doc.m_pCurrentService, nullptr);
    EXPECT_TRUE(doc.IsModified());

    // What was cut pastes into another document.
    const PasteResult p = Paste(r.payload, true, nullptr);
    EXPECT_EQ(p.pasted.size(), 2u);

    change->Undo();
    EXPECT_EQ(doc.Save(), original);
    EXPECT_EQ(doc.m_services.IndexOf(sky), 2);
}
