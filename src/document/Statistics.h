#pragma once
// The counts of the statistics dialog and the slices of its channel chart.
#include <array>
#include <string>

class CVandrelEdit2028Doc;
class CPieChartData;

struct StatisticsCounts {
    int tv = 0;
    int radio = 0;
    int transponders = 0;
    int satellites = 0;
    int scrambledTv = 0;
    int scrambledRadio = 0;

    int Total() const { return tv + radio; }
};

// Channel counts from the service head, scrambled channels among the listed
// ones, and the record counts of the transponder and satellite tables.
StatisticsCounts CountStatistics(const CVandrelEdit2028Doc& doc);

// The four header texts of the bottom line, left to right.
std::array<std::string, 4> StatisticsHeaderTexts(const CVandrelEdit2028Doc& doc);

// The slice keys of the chart.
std::string StatisticsKeyTvFta();
std::string StatisticsKeyTvScrambled();
std::string StatisticsKeyRadio();
std::string StatisticsKeyRadioScrambled();

// Adds the four slices of the channel distribution, in their fixed order;
// slices without channels are left out by the chart itself.
void AddStatisticsSlices(CPieChartData& chart, const StatisticsCounts& counts);

// "%i" of a count, as the value column shows it.
std::string FormatCount(int value);
