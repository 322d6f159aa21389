#include "TimerList.h"

#include <algorithm>
#include <cstdlib>

#include "model/TextCodec.h"

namespace {

constexpr const char* kCaptions[kTimerCaptionCount] = {
    "#",          "Modus",       "Zeit",       "Datum",    "Laufzeit",
    "Programm",   "EPG Event",   "Service Typ", "Power Off", "Timer Typ",
    "Änderbare Eigenschaften", "Warnhinweis", "Codepage", "Power Off"};

constexpr int kWidths[kTimerListColumns] = {50, 75, 45, 90, 85, 90};

char32_t FoldUpper(char32_t c)
{
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    return c;
}

// The case-insensitive comparison folds to lower case, as the C runtime does.
char32_t FoldLower(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    return c;
}

std::u32string CompareKey(const std::string& text)
{
    std::u32string s = ve::Utf8ToUtf32(text);
    for (char32_t& c : s) {
        c = FoldLower(FoldUpper(c));
    }
    return s;
}

} // namespace

const char* TimerColumnCaption(int index)
{
    return index >= 0 && index < kTimerCaptionCount ? kCaptions[index] : "";
}

int TimerColumnWidth(int column)
{
    return column >= 0 && column < kTimerListColumns ? kWidths[column] : 0;
}

bool TimerColumnRightAligned(int column)
{
    return column == kTimerColNumber;
}

const std::string& TimerCellText(const TimerRowTexts& row, int column)
{
    switch (column) {
    case kTimerColNumber:
        return row.number;
    case kTimerColMode:
        return row.mode;
    case kTimerColTime:
        return row.time;
    case kTimerColDate:
        return row.date;
    case kTimerColDuration:
        return row.duration;
    default:
        return row.programme;
    }
}

int CompareTimerTexts(const std::string& a, const std::string& b)
{
    const int r = CompareKey(a).compare(CompareKey(b));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareTimerRows(const TimerRowTexts& a, const TimerRowTexts& b, int column)
{
    if (column == kTimerColNumber) {
        return std::atoi(a.number.c_str()) < std::atoi(b.number.c_str()) ? -1 : 1;
    }
    const int r = CompareTimerTexts(TimerCellText(a, column), TimerCellText(b, column));
    if (r == 0 && column == kTimerColDate) {
        return CompareTimerTexts(a.time, b.time);
    }
    return r;
}

void SortTimerRows(std::vector<TimerRowTexts>& rows, int column, bool ascending)
{
    std::stable_sort(rows.begin(), rows.end(), [&](const TimerRowTexts& a, const TimerRowTexts& b) {
        // Reversed as b against a, so that "#", which never says equal,
        // stays a strict order in both directions.
        return ascending ? CompareTimerRows(a, b, column) < 0 : CompareTimerRows(b, a, column) < 0;
    });
}
