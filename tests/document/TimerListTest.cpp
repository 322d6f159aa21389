// The timer list's columns, rows and header sort.
#include <gtest/gtest.h>

#include "document/TimerList.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

TimerRowTexts Row(const std::string& number, const std::string& date, const std::string& time,
                  const std::string& programme = "x", const std::string& mode = "Einmal")
{
    TimerRowTexts r;
    r.number = number;
    r.date = date;
    r.time = time;
    r.programme = programme;
    r.mode = mode;
    return r;
}

std::vector<std::string> Column(const std::vector<TimerRowTexts>& rows, int column)
{
    std::vector<std::string> out;
    for (const auto& r : rows) {
        out.push_back(TimerCellText(r, column));
    }
    return out;
}

} // namespace

TEST(TimerListTest, CaptionsAndColumns)
{
    const char* expected[] = {"#",         "Modus",       "Zeit",      "Datum",     "Laufzeit",
                              "Programm",  "EPG Event",   "Service Typ", "Power Off", "Timer Typ",
                              "Änderbare Eigenschaften", "Warnhinweis", "Codepage", "Power Off"};
    for (int i = 0; i < kTimerCaptionCount; ++i) {
        EXPECT_STREQ(TimerColumnCaption(i), expected[i]) << i;
    }
    EXPECT_STREQ(TimerColumnCaption(kTimerCaptionCount), "");
    EXPECT_EQ(kTimerListColumns, 6);
    const int widths[] = {50, 75, 45, 90, 85, 90};
    for (int c = 0; c < kTimerListColumns; ++c) {
        EXPECT_EQ(TimerColumnWidth(c), widths[c]) << c;
        EXPECT_EQ(TimerColumnRightAligned(c), c == 0) << c;
    }
}

TEST(TimerListTest, RowsOfTheSmallDatabase)
{
    CVandrelEdit2028Doc doc;
    const Bytes file = MakeSmallDatabase().Build();
    ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    const std::vector<TimerRowTexts> rows = BuildTimerRows(doc.m_timers);
    // Slot 0 is not blank but its three words are zero: skipped, no number used.
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].index, 2);
    EXPECT_EQ(rows[1].index, 7);
    EXPECT_EQ(rows[0].number, "    1");
    EXPECT_EQ(rows[1].number, "    2");
    EXPECT_EQ(Column(rows, kTimerColMode), (std::vector<std::string>{"Einmal", "Wöchentlich"}));
    EXPECT_EQ(Column(rows, kTimerColTime), (std::vector<std::string>{"20:15", "06:00"}));
    EXPECT_EQ(Column(rows, kTimerColDate), (std::vector<std::string>{"01.02.2014", "01.03.2013"}));
    EXPECT_EQ(Column(rows, kTimerColDuration), (std::vector<std::string>{"01:45", "00:30"}));
    EXPECT_EQ(Column(rows, kTimerColProgramme), (std::vector<std::string>{"Tatort", "Bärenjagd"}));
    EXPECT_EQ(rows[0].icon, 1);
    EXPECT_EQ(rows[1].icon, 0);
}

TEST(TimerListTest, DatesSortByTheirTextDayFirst)
{
    std::vector<TimerRowTexts> rows = {Row("    1", "01.03.2013", "06:00"), Row("    2", "01.02.2014", "20:15")};
    SortTimerRows(rows, kTimerColDate, true);
    EXPECT_EQ(Column(rows, kTimerColDate), (std::vector<std::string>{"01.02.2014", "01.03.2013"}));
    SortTimerRows(rows, kTimerColDate, false);
    EXPECT_EQ(Column(rows, kTimerColDate), (std::vector<std::string>{"01.03.2013", "01.02.2014"}));
}

TEST(TimerListTest, EqualDatesAreDecidedByTheirTimes)
{
    const TimerRowTexts late = Row("    1", "05.05.2015", "21:00");
    const TimerRowTexts early = Row("    2", "05.05.2015", "08:30");
    EXPECT_GT(CompareTimerRows(late, early, kTimerColDate), 0);
    EXPECT_LT(CompareTimerRows(early, late, kTimerColDate), 0);
    EXPECT_EQ(CompareTimerRows(early, early, kTimerColDate), 0);
    // Only the date column falls back to the time.
    EXPECT_EQ(CompareTimerRows(late, early, kTimerColProgramme), 0);
    std::vector<TimerRowTexts> rows = {late, Row("    3", "04.05.2015", "23:00"), early};
    SortTimerRows(rows, kTimerColDate, true);
    EXPECT_EQ(Column(rows, kTimerColNumber), (std::vector<std::string>{"    3", "    2", "    1"}));
}

TEST(TimerListTest, NumbersCompareAsIntegersAndNeverEqual)
{
    // As text "10" would come before "2".
    EXPECT_EQ(CompareTimerRows(Row("2", "", ""), Row("10", "", ""), kTimerColNumber), -1);
    EXPECT_EQ(CompareTimerRows(Row("10", "", ""), Row("2", "", ""), kTimerColNumber), 1);
    EXPECT_EQ(CompareTimerRows(Row("    7", "", ""), Row("7", "", ""), kTimerColNumber), 1);
    std::vector<TimerRowTexts> rows = {Row("10", "", ""), Row("2", "", ""), Row("   33", "", ""), Row("1", "", "")};
    SortTimerRows(rows, kTimerColNumber, true);
    EXPECT_EQ(Column(rows, kTimerColNumber), (std::vector<std::string>{"1", "2", "10", "   33"}));
    SortTimerRows(rows, kTimerColNumber, false);
    EXPECT_EQ(Column(rows, kTimerColNumber), (std::vector<std::string>{"   33", "10", "2", "1"}));
}

TEST(TimerListTest, TextsCompareWithoutRegardToCase)
{
    EXPECT_EQ(CompareTimerTexts("tatort", "TATORT"), 0);
    EXPECT_EQ(CompareTimerTexts("Ärger", "ärger"), 0);
    EXPECT_LT(CompareTimerTexts("abc", "ABD"), 0);
    EXPECT_GT(CompareTimerTexts("Zapping", "auto"), 0) << "not by the code of the capital Z";
    EXPECT_LT(CompareTimerTexts("Einmal", "Wöchentlich"), 0);
    EXPECT_LT(CompareTimerTexts("", "a"), 0);

    std::vector<TimerRowTexts> rows = {Row("1", "", "", "zdf"), Row("2", "", "", "Arte"), Row("3", "", "", "BBC"),
                                       Row("4", "", "", "arte")};
    SortTimerRows(rows, kTimerColProgramme, true);
    // Equal texts keep their order.
    EXPECT_EQ(Column(rows, kTimerColNumber), (std::vector<std::string>{"2", "4", "3", "1"}));
    SortTimerRows(rows, kTimerColProgramme, false);
    EXPECT_EQ(Column(rows, kTimerColNumber), (std::vector<std::string>{"1", "3", "2", "4"}));
}
