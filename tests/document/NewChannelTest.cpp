// Adding a channel by hand: the template it is copied from, the typed
// fields' rules, the refusal of a channel that is already there, and where
// the new channel goes, also at the edges of the table.
#include <gtest/gtest.h>

#include "document/DemoDatabase.h"
#include "document/NewChannel.h"
#include "support/DocTestHelpers.h"

using namespace ndbtest;

namespace {

NewChannelFields Fields(int transponderIndex, const std::string& name, int serviceId)
{
    NewChannelFields f;
    f.transponderIndex = transponderIndex;
    f.name = name;
    f.provider = "Eigen";
    f.serviceId = serviceId;
    f.pmtPid = 100;
    f.videoPid = 101;
    f.audioPid = 102;
    f.pcrPid = 101;
    f.favouriteGroup = 3;
    f.locked = true;
    return f;
}

// The small database keeps its transponders 1 to 6 at indexes 0 to 5.
constexpr int kTp1 = 0;
constexpr int kTp3 = 2;
constexpr int kTp4 = 3; // on Hotbird, no channel

class NewChannelTest : public ::testing::Test {
protected:
    void SetUp() override { LoadInto(doc, MakeSmallDatabase()); }
    CVandrelEdit2028Doc doc;
};

} // namespace

TEST_F(NewChannelTest, TemplateIsTheSelectedChannelElseOneOnTheTransponderElseTheFirstOfTheKind)
{
    CServiceData* sky = Named(doc, "Sky Cinema");
    CServiceData* bayern = Named(doc, "Bayern 3");
    EXPECT_EQ(NewChannelTemplate(doc, true, sky, kTp4), sky);
    // A selected radio channel is no template for television.
    EXPECT_EQ(NewChannelTemplate(doc, true, bayern, kTp3), Named(doc, "Rai 1"));
    EXPECT_EQ(NewChannelTemplate(doc, true, nullptr, kTp4), Named(doc, "Das Erste HD"));
    EXPECT_EQ(NewChannelTemplate(doc, false, nullptr, kTp3), Named(doc, "Radio Svizzera"));
    EXPECT_EQ(TemplateText(sky), "Sky Cinema (Nr. 3)");
    EXPECT_EQ(TemplateText(nullptr), newch::kNoTemplate);
}

TEST_F(NewChannelTest, TheTypedFieldsOverwriteTheTemplateWhoseOtherBytesStay)
{
    const CServiceData* rai = Named(doc, "Rai 1");
    const CServiceData* sky = Named(doc, "Sky Cinema");

    // On the template's own transponder the CA value and video type stay.
    NewChannelResult onSame = AddNewChannel(doc, Fields(kTp3, "Rai 2", 3402), true, rai);
    ASSERT_NE(onSame.added, nullptr) << onSame.message;
    const CServiceData& a = *onSame.added;
    for (size_t i : {18u, 27u, 33u, 36u, 39u, 72u, 100u, 143u}) {
        EXPECT_EQ(a.m_record[i], rai->m_record[i]) << "byte " << i;
    }
    EXPECT_EQ(a.GetVideoType(), 2);
    EXPECT_EQ(a.GetTunerWord(), 12);
    EXPECT_EQ(a.GetTransponder(), 3);
    EXPECT_EQ(a.GetServiceId(), 3402);
    EXPECT_EQ(a.GetPmtPid(), 100);
    EXPECT_EQ(a.GetVideoPid(), 101);
    EXPECT_EQ(a.GetAudioPid(), 102);
    EXPECT_EQ(a.GetPcrPid(), 101);
    EXPECT_EQ(a.GetFavouriteGroup(), 3);
    EXPECT_TRUE(a.IsLocked());
    EXPECT_FALSE(a.IsSkip()); // the template's skip flag is overwritten
    EXPECT_FALSE(a.IsRadio());
    // Nothing of the template's longer texts remains behind the new ones.
    EXPECT_EQ(a.GetNameText(), "Rai 2");
    for (size_t i = 45; i < 60; ++i) {
        EXPECT_EQ(a.m_record[i], 0) << "name byte " << i;
    }
    EXPECT_EQ(a.GetProviderText(), "Eigen");

    // Elsewhere the scrambling and video format of the template are dropped.
    NewChannelResult elsewhere = AddNewChannel(doc, Fields(kTp4, "Sky Neu", 130), true, sky);
    ASSERT_NE(elsewhere.added, nullptr) << elsewhere.message;
    EXPECT_EQ(elsewhere.added->GetCaValue(), 0);
    EXPECT_EQ(elsewhere.added->GetVideoType(), 0);
    EXPECT_EQ(elsewhere.added->GetTransponder(), 4);
    EXPECT_EQ(doc.m_services.GetTvCount(), 7u);
    EXPECT_EQ(doc.m_services.GetSize(), kSvcSlots);
    // The transponder in use and its satellite carry the receiver's marks now.
    EXPECT_NE(doc.m_transponders.GetAt(kTp4)->GetFlags() & (1u << 21), 0u);
}

TEST_F(NewChannelTest, AChannelOfTheKindWithTheSameTransponderAndServiceIdIsRefused)
{
    NewChannelTexts texts;
    texts.transponderIndex = kTp3;
    texts.name = "Rai Doppelt";
    texts.serviceId = "3401";
    texts.pmtPid = texts.videoPid = texts.audioPid = texts.pcrPid = "0";
    NewChannelCheck check = CheckNewChannel(doc, texts, true);
    EXPECT_EQ(check.bad, NewChannelField::ServiceId);
    EXPECT_EQ(check.error, "Auf diesem Transponder gibt es bereits den Fernsehkanal „Rai 1“ (Nr. 4) mit der "
                           "Service ID 3401.");
    const NewChannelResult r = AddNewChannel(doc, Fields(kTp3, "Rai Doppelt", 3401), true, nullptr);
    EXPECT_EQ(r.added, nullptr);
    EXPECT_EQ(r.message, check.error);
    EXPECT_EQ(doc.m_services.GetTvCount(), 5u);

    // A radio channel is no duplicate of a television channel, nor is the
    // same service id on another transponder.
    EXPECT_EQ(CheckNewChannel(doc, texts, false).error, "");
    texts.transponderIndex = kTp1;
    EXPECT_EQ(CheckNewChannel(doc, texts, true).error, "");
}

TEST_F(NewChannelTest, TypedFieldsAreCheckedAgainstTheirRanges)
{
    NewChannelTexts texts;
    texts.transponderIndex = kTp4;
    texts.name = "Neu";
    texts.serviceId = "65535";
    texts.pmtPid = "8191";
    texts.videoPid = "8192";
    texts.audioPid = texts.pcrPid = "0";
    NewChannelCheck check = CheckNewChannel(doc, texts, true);
    EXPECT_EQ(check.bad, NewChannelField::VideoPid);
    EXPECT_EQ(check.error, "„Video PId“ nimmt nur ganze Zahlen von 0 bis 8191 an.");
    // Radio channels have no video PID to check.
    check = CheckNewChannel(doc, texts, false);
    EXPECT_EQ(check.error, "");
    EXPECT_EQ(check.fields.serviceId, 65535);
    EXPECT_EQ(check.fields.pmtPid, 8191);

    texts.serviceId = "65536";
    EXPECT_EQ(CheckNewChannel(doc, texts, false).error, "„Service ID“ nimmt nur ganze Zahlen von 0 bis 65535 an.");
    texts.serviceId = "";
    EXPECT_EQ(CheckNewChannel(doc, texts, false).bad, NewChannelField::ServiceId);
    texts.name = "";
    check = CheckNewChannel(doc, texts, false);
    EXPECT_EQ(check.bad, NewChannelField::Name);
    EXPECT_EQ(check.error, "„Kanalname“ darf nicht leer sein.");
    texts.name = "  \xC2\xA0 ";
    check = CheckNewChannel(doc, texts, false);
    EXPECT_EQ(check.bad, NewChannelField::Name);
    EXPECT_EQ(check.error, "„Kanalname“ darf nicht leer sein.");
    texts.name = "Neu";
    texts.transponderIndex = -1; // a satellite without transponders
    EXPECT_EQ(CheckNewChannel(doc, texts, false).bad, NewChannelField::Transponder);

    // Names and providers take the channel pane's rules and messages.
    texts.name = "Euro \xE2\x82\xAC";
    check = CheckNewChannel(doc, texts, false);
    EXPECT_EQ(check.bad, NewChannelField::Name);
    EXPECT_EQ(check.error, "Das Zeichen „€“ kann in „Kanalname“ nicht gespeichert werden; erlaubt ist der "
                           "Zeichensatz ISO-8859-1 (Westeuropäisch).");
    texts.name = "Neu";
    texts.transponderIndex = kTp4;
    texts.serviceId = "65535";
    texts.provider = "123456789012";
    check = CheckNewChannel(doc, texts, false);
    EXPECT_EQ(check.bad, NewChannelField::Provider);
    EXPECT_EQ(check.error, "„Provider“ fasst höchstens 11 Zeichen.");
}

TEST_F(NewChannelTest, TheChannelGoesAfterTheSelectedRowElseAfterTheLastOfItsKind)
{
    AddNewChannel(doc, Fields(kTp4, "Nach ZDF", 1), true, Named(doc, "ZDF HD"));
    AddNewChannel(doc, Fields(kTp4, "Am Ende", 2), true, nullptr);
    AddNewChannel(doc, Fields(kTp4, "Radio Ende", 3), false, nullptr);
    // A selected channel of the other kind places nothing.
    AddNewChannel(doc, Fields(kTp4, "Radio Zwei", 4), false, Named(doc, "Rai 1"));
    EXPECT_EQ(Names(doc, true), (std::vector<std::string>{"Bayern 3", "Antenne Bayern", "Radio Svizzera",
                                                          "Radio Ende", "Radio Zwei"}));
    EXPECT_EQ(Names(doc, false), (std::vector<std::string>{"Das Erste HD", "ZDF HD", "Nach ZDF", "Sky Cinema",
                                                           "Rai 1", "T\xC3\xA9l\xC3\xA9 5", "Am Ende"}));
    // Positions are renumbered at once.
    EXPECT_EQ(Named(doc, "Nach ZDF")->m_nListPos, 3);
    EXPECT_EQ(Named(doc, "Radio Ende")->m_nListPos, 4);

    // The saved file carries them on their chains at these places.
    const ParsedFile saved = ParseFile(doc.Save());
    ASSERT_TRUE(saved.containerOk);
    const Bytes body = BodyOf(saved, kTagServices);
    EXPECT_EQ(ChainNames(body, false),
              (std::vector<std::string>{"Das Erste HD", "ZDF HD", "Nach ZDF", "Sky Cinema", "Rai 1",
                                        "T\xE9l\xE9 5", "Am Ende"}));
    EXPECT_EQ(ChainNames(body, true).back(), "Radio Zwei");
}

TEST(NewChannelEdges, AKindWithoutChannelsStartsFromAnEmptyRecordAtItsPlace)
{
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> tv(2), radio;
    tv[0] = db.services.records[0];
    tv[1] = db.services.records[1];
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder(tv, radio);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);

    EXPECT_EQ(NewChannelTemplate(doc, false, Named(doc, "ZDF HD"), kTp1), nullptr);
    const NewChannelResult r = AddNewChannel(doc, Fields(kTp1, "Erstes Radio", 500), false, nullptr);
    ASSERT_NE(r.added, nullptr) << r.message;
    // What an empty record holds: zeros except the typed fields and the kind.
    EXPECT_EQ(r.added->GetFlags(), 0x08 | 0x20);
    EXPECT_EQ(r.added->GetVideoPid(), 0);
    EXPECT_EQ(r.added->m_record[100], 0);
    EXPECT_NE(r.added->GetNumber(), 0);
    EXPECT_EQ(doc.m_services.IndexOf(r.added), 2);

    const Bytes body = BodyOf(ParseFile(doc.Save()), kTagServices);
    EXPECT_EQ(ChainNames(body, true), std::vector<std::string>{"Erstes Radio"});
    EXPECT_EQ(ChainNames(body, false), (std::vector<std::string>{"Das Erste HD", "ZDF HD"}));
}

TEST(NewChannelEdges, AFullTableRefusesAndTheLastFreeSlotIsTaken)
{
    const std::vector<uint8_t> full = BuildDemoDatabase({15000, 4999});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(doc.Load(full.data(), full.size()), LoadStatus::Loaded);
    const std::string refusal =
        "Alle 19999 Plätze der Kanaltabelle sind belegt. Es können keine Kanäle eingefügt werden.";
    EXPECT_EQ(NewChannelBlocker(doc), refusal);
    const std::vector<uint8_t> before = doc.Save();
    const NewChannelResult r = AddNewChannel(doc, Fields(0, "Zuviel", 65000), true, nullptr);
    EXPECT_EQ(r.added, nullptr);
    EXPECT_EQ(r.message, refusal);
    EXPECT_EQ(doc.Save(), before);

    const std::vector<uint8_t> almost = BuildDemoDatabase({15000, 4998});
    CVandrelEdit2028Doc one;
    ASSERT_EQ(one.Load(almost.data(), almost.size()), LoadStatus::Loaded);
    ASSERT_EQ(NewChannelBlocker(one), "");
    const NewChannelResult last = AddNewChannel(one, Fields(0, "Letzter", 65000), true, nullptr);
    ASSERT_NE(last.added, nullptr) << last.message;
    EXPECT_EQ(one.m_services.IndexOf(last.added), 15000);
    EXPECT_EQ(last.added->m_nListPos, 15001);
    EXPECT_EQ(NewChannelBlocker(one), refusal);
}

TEST_F(NewChannelTest, TheTemplatesScramblingIsKeptOnlyWhereTheUserLeavesItTicked)
{
    CServiceData* sky = Named(doc, "Sky Cinema"); // CA 0x1830 on transponder 2
    constexpr int kTp2 = 1;
    EXPECT_TRUE(TemplateScrambled(doc, true, sky, kTp2));
    EXPECT_FALSE(TemplateScrambled(doc, true, sky, kTp4)); // another stream
    EXPECT_FALSE(TemplateScrambled(doc, true, Named(doc, "Rai 1"), kTp3));

    NewChannelFields kept = Fields(kTp2, "Sky Cinema +1", 130);
    kept.scrambled = true;
    const NewChannelResult a = AddNewChannel(doc, kept, true, sky);
    ASSERT_NE(a.added, nullptr) << a.message;
    EXPECT_EQ(a.added->GetCaValue(), 0x1830);

    const NewChannelResult b = AddNewChannel(doc, Fields(kTp2, "Sky Frei", 131), true, sky);
    ASSERT_NE(b.added, nullptr) << b.message;
    EXPECT_EQ(b.added->GetCaValue(), 0);
    EXPECT_FALSE(b.added->IsScrambled());
}
