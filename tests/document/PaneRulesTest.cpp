// What the property panes show for a record and what a committed row does to it.
#include <gtest/gtest.h>

#include "document/PaneEdits.h"
#include "document/PaneRows.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

std::vector<std::string> Texts(const COptionList& options)
{
    std::vector<std::string> texts;
    for (const auto& o : options.Options()) {
        texts.push_back(o.text);
    }
    return texts;
}

std::vector<int> Values(const COptionList& options)
{
    std::vector<int> values;
    for (const auto& o : options.Options()) {
        values.push_back(o.value);
    }
    return values;
}

// The small database with more satellites: one without transponders, one
// whose name differs from Astra's only in case, two starting with E-acute in
// both cases, one with a number but no name; and more transponders of
// Hotbird (number 2): one with frequency 0, one that sorts first by text and
// one whose shorter number sorts last by text.
TestDatabase PaneDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    db.satellites.records[4].Number(5).Name("Leer").Flags(0x08).Position(10, false);
    db.satellites.records[5].Number(6).Name("ASTRA 19.2E").Position(192, false);
    db.satellites.records[6].Number(7).Name("\xC3\x89x").Position(50, false);
    db.satellites.records[7].Number(8).Name("\xC3\xA9" "a").Position(60, false);
    db.satellites.records[8].Number(9).Position(70, false); // no name
    db.transponders.records[6].Number(7).Frequency(0).SymbolRate(27500).Satellite(2);
    db.transponders.records[7].Number(8).Frequency(10700).SymbolRate(22000).Satellite(2);
    db.transponders.records[8].Number(9).Frequency(9999).SymbolRate(27500).Flags(1).Satellite(2);
    db.transponders.records[9].Number(10).Frequency(12000).Flags(3u | (1u << 21) | 0x100u).Satellite(4);
    return db;
}

class PaneRulesTest : public ::testing::Test {
protected:
    void Open(const TestDatabase& db)
    {
        const Bytes file = db.Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    }
    void SetUp() override { Open(PaneDatabase()); }
    CServiceData& Tv(int i) { return *doc.m_services.GetAt(i); }
    CTransponderData& Tp(int i) { return *doc.m_transponders.GetAt(i); }
    std::string OptionTextOfSatellite(int index) const
    {
        return doc.m_satellites.GetAt(index)->FormatOptionText();
    }

    CVandrelEdit2028Doc doc;
};

} // namespace

TEST(PaneOptions, SelectValueAndChosenValue)
{
    COptionList options;
    options.AddOption("a", 1);
    options.AddOption("b", 2);
    options.AddOption("a", 3);
    options.AddOption("c", 2);
    EXPECT_EQ(options.SelectValueText(-1), "a"); // negative: the first option
    EXPECT_EQ(options.SelectValueText(-7), "a");
    EXPECT_EQ(options.SelectValueText(2), "c"); // the last option of that value
    EXPECT_EQ(options.SelectValueText(1), "a");
    EXPECT_EQ(options.SelectValueText(9), "");
    EXPECT_EQ(options.ChosenValue("a"), 3); // the last option of that text
    EXPECT_EQ(options.ChosenValue("b"), 2);
    EXPECT_EQ(options.ChosenValue("A"), 0); // exact, case-sensitive
    EXPECT_EQ(options.ChosenValue("zz"), 0);
    EXPECT_FALSE(options.OffersNothing());

    COptionList empty;
    EXPECT_EQ(empty.SelectValueText(-1), "");
    EXPECT_EQ(empty.ChosenValue(""), 0);
    EXPECT_TRUE(empty.OffersNothing());
    const COptionList cleared = ClearedOptions();
    ASSERT_EQ(cleared.GetCount(), 1);
    EXPECT_EQ(cleared.Options()[0].text, "");
    EXPECT_EQ(cleared.Options()[0].value, -1);
    EXPECT_TRUE(cleared.OffersNothing());
    EXPECT_EQ(cleared.ChosenValue(""), -1);
}

TEST_F(PaneRulesTest, SatelliteOptionsSkipEmptyNamesAndFoldOnlyAtoZ)
{
    const ChannelPaneContent c = ChannelPaneContentOf(doc, Tv(0));
    // Astra and ASTRA fold equal and keep array order; E-acute is not folded,
    // so the capital (U+00C9) comes before the small one (U+00E9) although
    // "a" < "x"; the nameless slots 8 and 9 and the empty slots are left out.
    EXPECT_EQ(Values(c.satelliteOptions), (std::vector<int>{0, 5, 1, 4, 2, 3, 6, 7}));
    for (const auto& o : c.satelliteOptions.Options()) {
        EXPECT_EQ(o.text, OptionTextOfSatellite(o.value));
    }
    EXPECT_EQ(c.satelliteText, OptionTextOfSatellite(0));
}

TEST_F(PaneRulesTest, TransponderOptionsOfTheChannelsSatellite)
{
    // Rai 1 is on transponder 3 of Hotbird.
    const ChannelPaneContent c = ChannelPaneContentOf(doc, Tv(3));
    ASSERT_TRUE(c.transponderFound);
    // By text: "10700" < "10992" < "11766" < "9999"; frequency 0 is not offered.
    EXPECT_EQ(Values(c.transponderOptions), (std::vector<int>{7, 2, 3, 8}));
    EXPECT_EQ(Texts(c.transponderOptions)[0], "10700 V 22000 ");
    EXPECT_EQ(c.transponderText, "10992 V 27500 ");
    EXPECT_EQ(c.satelliteText, OptionTextOfSatellite(1));
}

TEST_F(PaneRulesTest, ChannelFieldsAndFavouriteRows)
{
    const ChannelPaneContent sky = ChannelPaneContentOf(doc, Tv(2));
    EXPECT_EQ(sky.name, "Sky Cinema");
    EXPECT_EQ(sky.provider, "Sky");
    EXPECT_EQ(sky.serviceId, 129);
    EXPECT_EQ(sky.videoPid, 255);
    EXPECT_EQ(sky.audioPid, 256);
    EXPECT_EQ(sky.pcrPid, 255);
    EXPECT_EQ(sky.pmtPid, 97);
    EXPECT_TRUE(sky.locked);
    EXPECT_FALSE(sky.skip);
    EXPECT_TRUE(sky.scrambled);
    EXPECT_FALSE(sky.hd);
    ASSERT_EQ(sky.groupNames.size(), 8u);
    EXPECT_EQ(sky.groupNames[3], "Dokus");
    EXPECT_EQ(sky.groupNames[5], "M\xC3\xA4nner\xE2\x82\xAC");
    EXPECT_EQ(sky.checkedGroupRow, 81);

    const ChannelPaneContent tele = ChannelPaneContentOf(doc, Tv(4));
    EXPECT_FALSE(tele.scrambled); // CA value 1
    EXPECT_EQ(tele.checkedGroupRow, 0);
    const ChannelPaneContent first = ChannelPaneContentOf(doc, Tv(0));
    EXPECT_TRUE(first.hd);
    const ChannelPaneContent rai = ChannelPaneContentOf(doc, Tv(3));
    EXPECT_TRUE(rai.skip);
}

TEST_F(PaneRulesTest, NothingOfferedGivesOneEmptyOptionOfValueZero)
{
    TestDatabase db = PaneDatabase();
    db.satellites = SatelliteBody(); // no satellite has a name
    CVandrelEdit2028Doc bare;
    const Bytes file = db.Build();
    ASSERT_EQ(bare.Load(file.data(), file.size()), LoadStatus::Loaded);
    const ChannelPaneContent c = ChannelPaneContentOf(bare, *bare.m_services.GetAt(0));
    ASSERT_EQ(c.satelliteOptions.GetCount(), 1);
    EXPECT_EQ(c.satelliteOptions.Options()[0].text, "");
    EXPECT_EQ(c.satelliteOptions.Options()[0].value, 0);
    // Its satellite byte names no satellite now: the row is empty, the
    // transponder still shows among those with the same satellite byte.
    EXPECT_EQ(c.satelliteText, "");
    EXPECT_EQ(c.transponderText, "11494 H 22000 ");

    // A satellite without offered transponders.
    COptionList transponders;
    bare.m_transponders.FillTransponderOptions(77, transponders);
    EXPECT_EQ(Texts(transponders), (std::vector<std::string>{""}));
    EXPECT_EQ(Values(transponders), (std::vector<int>{0}));
}

TEST_F(PaneRulesTest, DanglingTransponderShowsTheChannelsOwnFields)
{
    Tv(1).SetTransponder(999);
    const ChannelPaneContent c = ChannelPaneContentOf(doc, Tv(1));
    EXPECT_FALSE(c.transponderFound);
    EXPECT_EQ(c.satelliteText, "");
    EXPECT_EQ(c.transponderText, "");
    EXPECT_EQ(Values(c.transponderOptions), (std::vector<int>{-1}));
    EXPECT_EQ(c.name, "ZDF HD");
    EXPECT_EQ(c.serviceId, 11110);
    EXPECT_EQ(c.checkedGroupRow, 82);

    // Choosing a satellite puts it on that satellite's first transponder.
    ApplyChannelEdit(doc, Tv(1), {panerow::kSatellite, OptionTextOfSatellite(1)}, c.satelliteOptions);
    EXPECT_EQ(Tv(1).GetTransponder(), 8);
}

TEST_F(PaneRulesTest, NumberRowsStoreInRangeValuesAndRefuseOthers)
{
    CServiceData& s = Tv(0);
    const COptionList none;
    ApplyChannelEdit(doc, s, {panerow::kVideoPid, "1234"}, none);
    EXPECT_EQ(s.GetVideoPid(), 1234);
    EXPECT_EQ(s.m_record[12], 0xD2);
    EXPECT_EQ(s.m_record[13], 0x04);
    ApplyChannelEdit(doc, s, {panerow::kAudioPid, "4321"}, none);
    ApplyChannelEdit(doc, s, {panerow::kPcrPid, "77"}, none);
    ApplyChannelEdit(doc, s, {panerow::kPmtPid, "8191"}, none);
    ApplyChannelEdit(doc, s, {panerow::kServiceId, "65535"}, none);
    EXPECT_EQ(s.GetAudioPid(), 4321);
    EXPECT_EQ(s.GetPcrPid(), 77);
    EXPECT_EQ(s.GetPmtPid(), 8191);
    EXPECT_EQ(s.GetServiceId(), 65535);

    // Out of range, empty or not a number: the record stays as it was,
    // never wrapped to the low 16 bits or taken as 0.
    const auto before = s.m_record;
    for (const char* text : {"70000", "65536", "", "12ab", "-5"}) {
        ApplyChannelEdit(doc, s, {panerow::kServiceId, text}, none);
    }
    for (const char* text : {"8192", "9999", ""}) {
        ApplyChannelEdit(doc, s, {panerow::kVideoPid, text}, none);
        ApplyChannelEdit(doc, s, {panerow::kPmtPid, text}, none);
    }
    EXPECT_EQ(s.m_record, before);
}

TEST_F(PaneRulesTest, TextRowsAndFlags)
{
    CServiceData& s = Tv(4);
    const COptionList none;
    ApplyChannelEdit(doc, s, {panerow::kName, "Arte \xC3\xA9t\xC3\xA9"}, none);
    EXPECT_EQ(s.GetNameText(), "Arte \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(s.m_record[45], 0xE9); // stored as ISO-8859-1
    ApplyChannelEdit(doc, s, {panerow::kProvider, "Provider of"}, none);
    EXPECT_EQ(s.GetProviderText(), "Provider of");
    // Too long, or holding what ISO-8859-1 lacks: nothing is cut or replaced.
    ApplyChannelEdit(doc, s, {panerow::kName, "A name much longer than nineteen"}, none);
    ApplyChannelEdit(doc, s, {panerow::kName, "Euro \xE2\x82\xAC"}, none);
    ApplyChannelEdit(doc, s, {panerow::kProvider, "Provider of all"}, none);
    ApplyChannelEdit(doc, s, {panerow::kProvider, "\xD0\x96"}, none); // Zhe
    EXPECT_EQ(s.GetNameText(), "Arte \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(s.GetProviderText(), "Provider of");

    const uint8_t flags = s.GetFlags();
    ApplyChannelEdit(doc, s, {panerow::kLocked, "", true}, none);
    EXPECT_EQ(s.GetFlags(), flags | 0x20);
    ApplyChannelEdit(doc, s, {panerow::kSkip, "", true}, none);
    EXPECT_EQ(s.GetFlags(), flags | 0x30);
    ApplyChannelEdit(doc, s, {panerow::kLocked, "", false}, none);
    EXPECT_EQ(s.GetFlags(), flags | 0x10);

    // The derived rows store nothing.
    const auto before = s.m_record;
    ApplyChannelEdit(doc, s, {panerow::kScrambled, "", true}, none);
    ApplyChannelEdit(doc, s, {panerow::kHd, "", true}, none);
    ApplyChannelEdit(doc, s, {99, "5"}, none);
    EXPECT_EQ(s.m_record, before);
}

TEST_F(PaneRulesTest, FavouriteRows)
{
    CServiceData& s = Tv(2); // group 1
    const COptionList none;
    ApplyChannelEdit(doc, s, {83, "", true}, none);
    EXPECT_EQ(s.GetFavouriteGroup(), 3);
    ApplyChannelEdit(doc, s, {88, "", true}, none);
    EXPECT_EQ(s.GetFavouriteGroup(), 8);
    // Unticking any row, even another group's, takes it out of its group.
    ApplyChannelEdit(doc, s, {85, "", false}, none);
    EXPECT_EQ(s.GetFavouriteGroup(), 0);
    ApplyChannelEdit(doc, s, {81, "", true}, none);
    EXPECT_EQ(s.GetFavouriteGroup(), 1);
    EXPECT_EQ(ChannelPaneContentOf(doc, s).checkedGroupRow, 81);
}

TEST_F(PaneRulesTest, ChoosingSatelliteAndTransponder)
{
    CServiceData& s = Tv(0); // Astra, transponder 1
    const ChannelPaneContent c = ChannelPaneContentOf(doc, s);
    ApplyChannelEdit(doc, s, {panerow::kSatellite, OptionTextOfSatellite(1)}, c.satelliteOptions);
    EXPECT_EQ(s.GetTransponder(), 8); // "10700 V 22000 " sorts first

    const ChannelPaneContent hot = ChannelPaneContentOf(doc, s);
    EXPECT_EQ(hot.satelliteText, OptionTextOfSatellite(1));
    ApplyChannelEdit(doc, s, {panerow::kTransponder, "11766 V 27500 "}, hot.transponderOptions);
    EXPECT_EQ(s.GetTransponder(), 4);

    // Leer offers no transponder: the channel stays where it is.
    ApplyChannelEdit(doc, s, {panerow::kSatellite, OptionTextOfSatellite(4)}, hot.satelliteOptions);
    EXPECT_EQ(s.GetTransponder(), 4);
    // A text the row does not offer names no satellite.
    const auto before = s.m_record;
    ApplyChannelEdit(doc, s, {panerow::kTransponder, ""}, ClearedOptions());
    EXPECT_EQ(s.m_record, before);
}

TEST_F(PaneRulesTest, SatellitePaneContent)
{
    const SatellitePaneContent thor = SatellitePaneContentOf(*doc.m_satellites.GetAt(2));
    EXPECT_EQ(thor.name, "Thor 0.8W");
    EXPECT_EQ(thor.degree, "0.8");
    EXPECT_EQ(thor.orientationText, "\xC2\xB0W");
    EXPECT_EQ(Texts(thor.orientationOptions), (std::vector<std::string>{"\xC2\xB0" "E", "\xC2\xB0W"}));
    EXPECT_EQ(Values(thor.orientationOptions), (std::vector<int>{1, 0}));

    CSatelliteData west = *doc.m_satellites.GetAt(1);
    west.m_record[24] = 1300 & 0xFF; // 130.0 degrees
    west.m_record[25] = static_cast<uint8_t>((west.m_record[25] & 0xF8) | (1300 >> 8));
    west.SetFlags(static_cast<uint8_t>(west.GetFlags() | 0x10));
    const SatellitePaneContent c = SatellitePaneContentOf(west);
    EXPECT_EQ(c.degree, "130.0");
    EXPECT_EQ(c.orientationText, "\xC2\xB0W");
    EXPECT_EQ(SatellitePaneContentOf(*doc.m_satellites.GetAt(0)).orientationText, "\xC2\xB0" "E");
}

TEST_F(PaneRulesTest, TransponderPaneContentAndEdits)
{
    CTransponderData& t = Tp(9); // polarisation bits 3, bit 21 and bit 8 set
    const TransponderPaneContent c = TransponderPaneContentOf(doc, t);
    EXPECT_EQ(c.frequency, 12000);
    EXPECT_EQ(c.polarityText, ""); // 3 matches no option
    EXPECT_EQ(Texts(c.polarityOptions), (std::vector<std::string>{"Vertical", "Horizontal"}));
    EXPECT_EQ(c.satelliteText, OptionTextOfSatellite(3));

    ApplyTransponderEdit(t, {panerow::kTpPolarity, "Horizontal"}, c.polarityOptions);
    EXPECT_EQ(t.GetFlags(), 1u | (1u << 21) | 0x100u);
    ApplyTransponderEdit(t, {panerow::kTpPolarity, "Vertical"}, c.polarityOptions);
    EXPECT_EQ(t.GetFlags(), (1u << 21) | 0x100u);
    EXPECT_EQ(TransponderPaneContentOf(doc, t).polarityText, "Vertical");

    const uint16_t symbolRate = t.GetSymbolRate();
    const uint16_t orgNetId = t.GetOrgNetId();
    ApplyTransponderEdit(t, {panerow::kTpFrequency, "12603"}, c.polarityOptions);
    ApplyTransponderEdit(t, {panerow::kTpSymbolRate, "99999"}, c.polarityOptions);
    ApplyTransponderEdit(t, {panerow::kTpTpId, "1019"}, c.polarityOptions);
    ApplyTransponderEdit(t, {panerow::kTpOrgNetId, "65537"}, c.polarityOptions);
    EXPECT_EQ(t.GetFrequency(), 12603);
    EXPECT_EQ(t.GetSymbolRate(), symbolRate); // above 65535: refused, not wrapped
    EXPECT_EQ(t.GetTpId(), 1019);
    EXPECT_EQ(t.GetOrgNetId(), orgNetId);

    // The satellite row moves nothing.
    const auto before = t.m_record;
    ApplyTransponderEdit(t, {panerow::kTpSatellite, OptionTextOfSatellite(0)}, c.satelliteOptions);
    EXPECT_EQ(t.m_record, before);
}
