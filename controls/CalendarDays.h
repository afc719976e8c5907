// The calendar's arithmetic without a window: the month grid, Japan's public holidays and the
// month steps.
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

// Japan's public holidays as the National Holidays Act (国民の祝日に関する法律) and its
// amendments, and the special laws that added or moved single days, had them in the year of the
// date. The Act took effect on 1948-07-20; the equinox days are known for 1900-2099 only.

// The day of the March (month 3) or September (month 9) equinox by the usual astronomical
// formula; -1 for other months and for years outside 1900-2099.
int EquinoxDay(int year, int month);
// A day off by law: a national holiday, a substitute holiday or a citizens' holiday. The
// calendar paints exactly these days as holidays.
bool IsHoliday(int year, int month, int day);

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
