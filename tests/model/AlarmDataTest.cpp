// Timer records, their display texts and the timer block.
#include <gtest/gtest.h>

#include "model/AlarmData.h"
#include "support/CoreTestHelpers.h"

using namespace ndbtest;

namespace {

CAlarmData Timer(const TimerRecord& r) { return CAlarmData(r.b.data()); }

} // namespace

TEST(TimerRecord, InUseWhenAnyOfTheFirstThreeWordsIsSet)
{
    TimerRecord r;
    r.Kept(1).Mode(1).Duration(60);
    EXPECT_FALSE(Timer(r).IsInUse()) << "kept bytes and a mode do not make a slot used";
    EXPECT_TRUE(Timer(r.InUseWords(1, 0, 0)).IsInUse());
    EXPECT_TRUE(Timer(r.InUseWords(0, 0x0100, 0)).IsInUse());
    EXPECT_TRUE(Timer(r.InUseWords(0, 0, 0x8000)).IsInUse());
    EXPECT_FALSE(Timer(r.InUseWords(0, 0, 0)).IsInUse());
}

TEST(TimerRecord, TimeDateAndDurationTexts)
{
    TimerRecord r;
    r.Kept(2);
    EXPECT_EQ(Timer(r.StartBcd(0x09, 0x30)).GetTimeText(), "09:30");
    EXPECT_EQ(Timer(r.StartBcd(0x21, 0x05)).GetTimeText(), "21:05");
    EXPECT_EQ(Timer(r.StartBcd(0x00, 0x00)).GetTimeText(), "00:00");
    EXPECT_EQ(Timer(r.StartBcd(0xAB, 0x0F)).GetTimeText(), "AB:0F") << "bytes print as upper-case hex";

    EXPECT_EQ(Timer(r.Duration(1439)).GetDurationText(), "23:59");
    EXPECT_EQ(Timer(r.Duration(0)).GetDurationText(), "00:00");
    EXPECT_EQ(Timer(r.Duration(150)).GetDurationText(), "02:30");
    EXPECT_EQ(Timer(r.Duration(6000)).GetDurationText(), "100:00");

    EXPECT_EQ(Timer(r.Date(2014, 2, 1)).GetDateText(), "01.02.2014");
    EXPECT_EQ(Timer(r.Date(987, 12, 31)).GetDateText(), "31.12.0987");
    EXPECT_EQ(Timer(r.Date(2030, 7, 9)).GetDateText(), "09.07.2030");
}

TEST(TimerRecord, ModeTexts)
{
    const char* texts[] = {"Aus", "Einmal", "T\xC3\xA4glich", "W\xC3\xB6" "chentlich", "Mo - Fr"};
    TimerRecord r;
    for (uint8_t m = 0; m < 5; ++m) {
        EXPECT_EQ(Timer(r.Mode(m)).GetModeText(), texts[m]) << int(m);
    }
    for (uint8_t m : {uint8_t{5}, uint8_t{7}, uint8_t{255}}) {
        EXPECT_EQ(Timer(r.Mode(m)).GetModeText(), "Unbekannt") << int(m);
    }
}

TEST(TimerRecord, ProgrammeName)
{
    TimerRecord r;
    r.Kept(3);
    EXPECT_EQ(Timer(r.Name("B\xE4renjagd")).GetProgrammeName(), "B\xC3\xA4renjagd");
    EXPECT_EQ(Timer(r.Name("ABCDEFGHIJKLMNOPQRST")).GetProgrammeName(), "ABCDEFGHIJKLMNOPQRST")
        << "twenty bytes without a zero are all name, byte 75 is not";
    EXPECT_EQ(Timer(r.Name("")).GetProgrammeName(), "");
    EXPECT_EQ(Timer(r).GetIconIndex(), 0);
    EXPECT_EQ(Timer(r.Icon(1)).GetIconIndex(), 1);
}

TEST(TimerRows, OnlySlotsInUseAreNumbered)
{
    TimerBody body;
    body.records[0].Kept(1).Mode(2).Name("unused");
    body.records[1].InUseWords(5, 0, 0).Mode(1).Icon(1).StartBcd(0x20, 0x15).Date(2014, 2, 1).Duration(105).Name("Tatort");
    body.records[2].Kept(2);
    body.records[3].InUseWords(0, 0, 1).Mode(7).StartBcd(0x06, 0x00).Date(2013, 3, 1).Duration(0).Name("Morgen");
    body.records[19].InUseWords(0, 2, 0).Mode(4).Name("ABCDEFGHIJKLMNOPQRST");
    const Bytes bytes = body.Build();
    CAlarmDataArray timers;
    timers.m_nBodyLength = static_cast<int32_t>(bytes.size());
    CMemStream stream(bytes);
    timers.ReadBlock(stream);
    ASSERT_EQ(timers.GetSize(), 20);
    EXPECT_EQ(timers.CountInUse(), 3);

    const auto rows = BuildTimerRows(timers);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].index, 1);
    EXPECT_EQ(rows[0].number, "    1");
    EXPECT_EQ(rows[0].icon, 1);
    EXPECT_EQ(rows[0].mode, "Einmal");
    EXPECT_EQ(rows[0].time, "20:15");
    EXPECT_EQ(rows[0].date, "01.02.2014");
    EXPECT_EQ(rows[0].duration, "01:45");
    EXPECT_EQ(rows[0].programme, "Tatort");
    EXPECT_EQ(rows[1].index, 3);
    EXPECT_EQ(rows[1].number, "    2");
    EXPECT_EQ(rows[1].mode, "Unbekannt");
    EXPECT_EQ(rows[1].duration, "00:00");
    EXPECT_EQ(rows[2].index, 19);
    EXPECT_EQ(rows[2].number, "    3");
    EXPECT_EQ(rows[2].programme, "ABCDEFGHIJKLMNOPQRST");
}

TEST(TimerBlock, RoundTripWithAndWithoutTail)
{
    for (size_t tail : {size_t{0}, size_t{1}, size_t{37}}) {
        TestDatabase db = MakeSmallDatabase();
        db.timers.tail.assign(tail, 0);
        Fill(db.timers.tail, 0, tail, 9);
        const Bytes body = db.timers.Build();
        CAlarmDataArray timers;
        timers.m_nBodyLength = static_cast<int32_t>(body.size());
        CMemStream stream(body);
        timers.ReadBlock(stream);
        EXPECT_TRUE(timers.HasHead());
        EXPECT_EQ(timers.GetSize(), 20);
        EXPECT_EQ(Bytes(timers.m_head.begin(), timers.m_head.end()), db.timers.head);
        EXPECT_EQ(timers.m_tail, db.timers.tail);
        EXPECT_EQ(stream.GetPosition(), body.size());
        ParsedBlock written = WrittenBlock([&] { timers.WriteBlock(); });
        EXPECT_EQ(written.tagId, kTagTimers);
        EXPECT_EQ(written.version, 3u) << tail;
        EXPECT_EQ(written.body, body) << tail;
    }
}

TEST(TimerBlock, StreamEndingInsideTheRecordsKeepsWholeRecords)
{
    TestDatabase db = MakeSmallDatabase();
    Bytes body = db.timers.Build();
    body.resize(12 + 340 * 3 + 100);
    CAlarmDataArray timers;
    timers.m_nBodyLength = static_cast<int32_t>(body.size());
    CMemStream stream(body);
    timers.ReadBlock(stream);
    EXPECT_EQ(timers.GetSize(), 3);

    CAlarmDataArray none;
    CMemStream tiny(Bytes(5, 1));
    none.m_nBodyLength = 5;
    none.ReadBlock(tiny);
    EXPECT_FALSE(none.HasHead());
    EXPECT_EQ(none.GetSize(), 0);
}
