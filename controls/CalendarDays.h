// The calendar's arithmetic without a window: the month grid, the holidays and the month steps.
#pragma once

#include <windows.h>

namespace calendar {

struct Date {
    int Year;
    int Month;
    int Day;
};

constexpr int kCells = 42;  // six weeks of seven days

// 0 = Sunday.
int WeekdayOf(int year, int month, int day);
// Day numbers of the grid in reading order, -1 for cells outside the month.
void BuildDayTable(int year, int month, int (&table)[kCells]);

// The day of a holiday whose date moves with the year in that month (January, March,
// October), or -1 for the other months.
int MovingHoliday(int year, int month);
// A fixed or moving holiday; the substitute Monday is not one (see IsHolidayColored).
bool IsHoliday(int year, int month, int day);
// What the calendar paints as a holiday: a holiday, or a Monday after a Sunday holiday.
bool IsHolidayColored(int year, int month, int day, int column);

// The month steps of the arrows and menus: the day is cut to the length of the new month,
// and the clock range stops the arrows at January 1970 and January 2038.
Date PreviousMonth(Date date);
Date NextMonth(Date date);
Date WithMonth(Date date, int month);
Date WithYear(Date date, int year);

// The calendar's notification value: year, month and day in one number.
inline LPARAM PackDate(Date date) { return static_cast<LPARAM>((date.Year << 16) | (date.Month << 8) | date.Day); }
inline Date UnpackDate(LPARAM value) {
    return {static_cast<int>((value >> 16) & 0xFFFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>(value & 0xFF)};
}

}  // namespace calendar
