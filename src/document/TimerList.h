#pragma once
// The columns of the timer list and the row comparison of its header sort.
// The rows themselves come from BuildTimerRows.
#include <string>
#include <vector>

#include "model/AlarmData.h"

// Every caption the list knows, in their fixed order; only the first
// kTimerListColumns become columns.
inline constexpr int kTimerCaptionCount = 14;
const char* TimerColumnCaption(int index);
inline constexpr int kTimerListColumns = 6;

enum TimerColumn : int { kTimerColNumber = 0, kTimerColMode, kTimerColTime, kTimerColDate, kTimerColDuration,
                         kTimerColProgramme };

int TimerColumnWidth(int column);
bool TimerColumnRightAligned(int column);

// The text of one cell.
const std::string& TimerCellText(const TimerRowTexts& row, int column);

// The list's row comparison: "#" compares the texts as integers and never
// says equal (-1 when a is smaller, else 1); the other columns compare the
// upper-cased texts without regard to case, and equal dates fall back to
// their times.
int CompareTimerRows(const TimerRowTexts& a, const TimerRowTexts& b, int column);
// The same order for two texts of a column other than "#".
int CompareTimerTexts(const std::string& a, const std::string& b);

// Sorts as a header click does; descending reverses every comparison.
void SortTimerRows(std::vector<TimerRowTexts>& rows, int column, bool ascending);

// The text the empty list shows.
inline constexpr const char* kTimerListEmptyText = "Es ist kein Timer verfügbar.";
