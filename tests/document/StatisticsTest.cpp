// The counts of the statistics dialog and the slices they give the chart.
#include <gtest/gtest.h>

#include "document/PieChartData.h"
#include "document/Statistics.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

// tv television channels of which scrambledTv, spread evenly, carry CA
// values above 1; the others carry 0 or 1, which both mean free. Radio
// channels likewise.
TestDatabase ChannelDatabase(int tv, int scrambledTv, int radio, int scrambledRadio)
{
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> tvRecords(static_cast<size_t>(tv)), radioRecords(static_cast<size_t>(radio));
    const int tvSpacing = scrambledTv > 0 ? tv / scrambledTv : 0;
    for (int i = 0; i < tv; ++i) {
        auto& r = tvRecords[static_cast<size_t>(i)];
        r.Transponder(1).ServiceId(static_cast<uint16_t>(i + 1)).Name("TV " + std::to_string(i));
        const bool scrambled = tvSpacing > 0 && i % tvSpacing == 0;
        r.Ca(scrambled ? static_cast<uint16_t>(2 + i % 3) : static_cast<uint16_t>(i % 2));
    }
    for (int i = 0; i < radio; ++i) {
        auto& r = radioRecords[static_cast<size_t>(i)];
        r.Transponder(2).ServiceId(static_cast<uint16_t>(5000 + i)).Flags(0x08).Name("Radio " + std::to_string(i));
        r.Ca(i < scrambledRadio ? 0x0500 : 1);
    }
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder(tvRecords, radioRecords);
    return db;
}

int CountScrambledIn(const TestDatabase& db, bool radio)
{
    int n = 0;
    for (const auto& r : db.services.records) {
        if (r.GetNumber() != 0 && ((r.b[31] & 0x08) != 0) == radio && GetU16(r.b, 28) > 1) {
            ++n;
        }
    }
    return n;
}

class StatisticsTest : public ::testing::Test {
protected:
    void Load(const TestDatabase& db)
    {
        const Bytes file = db.Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    }
    CVandrelEdit2028Doc doc;
};

} // namespace

TEST_F(StatisticsTest, TheExampleOfTwelveHundredTelevisionChannels)
{
    const TestDatabase db = ChannelDatabase(1200, 300, 400, 0);
    ASSERT_EQ(CountScrambledIn(db, false), 300) << "the builder of this test";
    ASSERT_EQ(CountScrambledIn(db, true), 0);
    Load(db);

    const StatisticsCounts c = CountStatistics(doc);
    EXPECT_EQ(c.tv, 1200);
    EXPECT_EQ(c.radio, 400);
    EXPECT_EQ(c.Total(), 1600);
    EXPECT_EQ(c.scrambledTv, 300);
    EXPECT_EQ(c.scrambledRadio, 0);
    EXPECT_EQ(FormatCount(c.Total()), "1600");

    CPieChartData chart;
    AddStatisticsSlices(chart, c);
    ASSERT_EQ(chart.GetCount(), 3) << "no slice for the absent scrambled radio channels";
    EXPECT_EQ(chart.Slices()[0].key, "TV fta");
    EXPECT_EQ(chart.Slices()[0].value, 900);
    EXPECT_EQ(chart.Slices()[1].key, "TV €");
    EXPECT_EQ(chart.Slices()[1].value, 300);
    EXPECT_EQ(chart.Slices()[2].key, "Radio");
    EXPECT_EQ(chart.Slices()[2].value, 400);
    EXPECT_EQ(chart.LegendPercentOf(0), "56.25%");
    EXPECT_EQ(chart.LegendPercentOf(1), "18.75%");
    EXPECT_EQ(chart.LegendPercentOf(2), "25.00%");
}

TEST_F(StatisticsTest, SmallDatabaseCountsAndColours)
{
    Load(MakeSmallDatabase());
    const StatisticsCounts c = CountStatistics(doc);
    EXPECT_EQ(c.tv, kSmallTv);
    EXPECT_EQ(c.radio, kSmallRadio);
    // Sky Cinema (CA 0x1830) is scrambled, Télé 5 (CA 1) is not; of the
    // radio channels only Antenne Bayern (CA 2).
    EXPECT_EQ(c.scrambledTv, 1);
    EXPECT_EQ(c.scrambledRadio, 1);
    // Every slot of the tables is a record, the empty ones too.
    EXPECT_EQ(c.transponders, kTpSlots);
    EXPECT_EQ(c.satellites, kSatSlots);

    CPieChartData chart;
    AddStatisticsSlices(chart, c);
    ASSERT_EQ(chart.GetCount(), 4);
    const char* keys[] = {"TV fta", "TV €", "Radio", "Radio €"};
    const double values[] = {4, 1, 2, 1};
    const uint32_t colours[] = {0xFF6495ED, 0xFF006400, 0xFFCD5C5C, 0xFFDC143C};
    for (int i = 0; i < 4; ++i) {
        const PieSlice& s = chart.Slices()[static_cast<size_t>(i)];
        EXPECT_EQ(s.key, keys[i]);
        EXPECT_EQ(s.text, keys[i]);
        EXPECT_EQ(s.value, values[i]);
        EXPECT_EQ(s.color, colours[i]);
    }
    EXPECT_EQ(chart.LegendPercentOf(0), "50.00%");
    EXPECT_EQ(chart.LegendPercentOf(1), "12.50%");
    EXPECT_EQ(chart.LegendPercentOf(3), "12.50%");
}

TEST_F(StatisticsTest, OnlyTheListedChannelsAreLookedAt)
{
    TestDatabase db = MakeSmallDatabase();
    // A scrambled record in an empty slot behind the channels.
    db.services.records[9].Ca(9).Flags(0x08);
    db.services.records[10].Ca(9);
    Load(db);
    const StatisticsCounts c = CountStatistics(doc);
    EXPECT_EQ(c.scrambledTv, 1);
    EXPECT_EQ(c.scrambledRadio, 1);
}

TEST_F(StatisticsTest, ADatabaseWithoutChannelsGivesZerosAndNoSlices)
{
    TestDatabase db = MakeSmallDatabase();
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder({}, {});
    db.services.records[0].Ca(7); // an empty slot is not a channel
    Load(db);
    const StatisticsCounts c = CountStatistics(doc);
    EXPECT_EQ(c.tv, 0);
    EXPECT_EQ(c.radio, 0);
    EXPECT_EQ(c.Total(), 0);
    EXPECT_EQ(c.scrambledTv, 0);
    EXPECT_EQ(c.scrambledRadio, 0);
    CPieChartData chart;
    AddStatisticsSlices(chart, c);
    EXPECT_EQ(chart.GetCount(), 0);
    EXPECT_TRUE(chart.Angles().empty());
}

TEST_F(StatisticsTest, HeaderTextsComeFromTheDatabaseHeader)
{
    Load(MakeSmallDatabase());
    const auto texts = StatisticsHeaderTexts(doc);
    EXPECT_EQ(texts[0], "V260.17 (P1.2.3) 05.03.2014");
    EXPECT_EQ(texts[1], "10.0.0.255");
    EXPECT_EQ(texts[2], "1.2 / 300.4");
    EXPECT_EQ(texts[3], "K5-6 / M7.1024");
}
