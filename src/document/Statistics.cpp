#include "Statistics.h"

#include <cstdio>

#include "PieChartData.h"
#include "VandrelEdit2028Doc.h"

StatisticsCounts CountStatistics(const CVandrelEdit2028Doc& doc)
{
    StatisticsCounts c;
    c.tv = static_cast<int>(doc.m_services.GetTvCount());
    c.radio = static_cast<int>(doc.m_services.GetRadioCount());
    c.transponders = doc.m_transponders.GetSize();
    c.satellites = doc.m_satellites.GetSize();
    // The head's counts come from the file; a sum that is not positive
    // names no listed channel to look at.
    if (static_cast<long long>(c.tv) + c.radio > 0) {
        const ScrambledCounts s = doc.m_services.CountScrambled();
        c.scrambledTv = s.scrambledTv;
        c.scrambledRadio = s.scrambledRadio;
    }
    return c;
}

std::array<std::string, 4> StatisticsHeaderTexts(const CVandrelEdit2028Doc& doc)
{
    return doc.m_ndb.GetInfoTexts();
}

std::string StatisticsKeyTvFta()
{
    return "TV fta";
}

std::string StatisticsKeyTvScrambled()
{
    return "TV €";
}

std::string StatisticsKeyRadio()
{
    return "Radio";
}

std::string StatisticsKeyRadioScrambled()
{
    return "Radio €";
}

void AddStatisticsSlices(CPieChartData& chart, const StatisticsCounts& counts)
{
    chart.AddSlice(StatisticsKeyTvFta(), StatisticsKeyTvFta(), counts.tv - counts.scrambledTv, 0xFF6495EDu);
    chart.AddSlice(StatisticsKeyTvScrambled(), StatisticsKeyTvScrambled(), counts.scrambledTv, 0xFF006400u);
    chart.AddSlice(StatisticsKeyRadio(), StatisticsKeyRadio(), counts.radio - counts.scrambledRadio, 0xFFCD5C5Cu);
    chart.AddSlice(StatisticsKeyRadioScrambled(), StatisticsKeyRadioScrambled(), counts.scrambledRadio,
                   0xFFDC143Cu);
}

std::string FormatCount(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%i", value);
    return buf;
}
