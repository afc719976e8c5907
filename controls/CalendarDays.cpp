#include "controls/CalendarDays.h"

#include "engine/DateTime.h"

#include <algorithm>

namespace calendar {

namespace {

// Day numbers per month (index 1-12); -1 marks an unused entry.
const int kFixedHolidays[13][8] = {
    {-1, -1, -1, -1, -1, -1, -1, -1},
    {1, -1, -1, -1, -1, -1, -1, -1},    // January
    {11, -1, -1, -1, -1, -1, -1, -1},   // February
    {-1, -1, -1, -1, -1, -1, -1, -1},   // March: the equinox moves
    {29, -1, -1, -1, -1, -1, -1, -1},   // April
    {3, 4, 5, -1, -1, -1, -1, -1},      // May
    {-1, -1, -1, -1, -1, -1, -1, -1},   // June
    {20, -1, -1, -1, -1, -1, -1, -1},   // July
    {-1, -1, -1, -1, -1, -1, -1, -1},   // August
    {15, 23, -1, -1, -1, -1, -1, -1},   // September
    {-1, -1, -1, -1, -1, -1, -1, -1},   // October: moves
    {3, 23, -1, -1, -1, -1, -1, -1},    // November
    {23, -1, -1, -1, -1, -1, -1, -1},   // December
};

int SecondMonday(int year, int month) {
    int mondays = 0;
    for (int day = 1; day <= 30; ++day) {
        if (WeekdayOf(year, month, day) == 1 && ++mondays == 2) return day;
    }
    return -1;
}

// The previous month's length as the holiday lookup counts it (February always 28).
int RoughMonthLength(int month) {
    if (month == 2) return 28;
    return (month < 8) == (month % 2 == 1) ? 31 : 30;
}

Date CutDay(Date date) {
    date.Day = std::min(date.Day, DaysInMonth(date.Year, date.Month));
    return date;
}

}  // namespace

int WeekdayOf(int year, int month, int day) {
    static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[(month - 1) % 12] + day) % 7;
}

void BuildDayTable(int year, int month, int (&table)[kCells]) {
    const int first = WeekdayOf(year, month, 1);
    const int length = DaysInMonth(year, month);
    for (int cell = 0; cell < kCells; ++cell) {
        const int day = cell - first + 1;
        table[cell] = day >= 1 && day <= length ? day : -1;
    }
}

int MovingHoliday(int year, int month) {
    switch (month) {
        case 3: return IsLeapYear(year) || IsLeapYear(year - 1) ? 20 : 21;
        case 1: return year < 2000 ? 15 : SecondMonday(year, 1);
        case 10: return year < 2000 ? 10 : SecondMonday(year, 10);
        default: return -1;
    }
}

bool IsHoliday(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) return false;
    if (day == MovingHoliday(year, month)) return true;
    const int* fixed = kFixedHolidays[month];
    return std::find(fixed, fixed + 8, day) != fixed + 8;
}

bool IsHolidayColored(int year, int month, int day, int column) {
    if (IsHoliday(year, month, day)) return true;
    if (column != 1) return false;
    if (day > 1) return IsHoliday(year, month, day - 1);
    const int previousMonth = month == 1 ? 12 : month - 1;
    return IsHoliday(month == 1 ? year - 1 : year, previousMonth, RoughMonthLength(previousMonth));
}

Date PreviousMonth(Date date) {
    if (date.Month > 1) {
        --date.Month;
    } else if (date.Year > 1970) {
        --date.Year;
        date.Month = 12;
    }
    return CutDay(date);
}

Date NextMonth(Date date) {
    if (date.Year >= 2038 && date.Month == 1) {
        date.Day = std::min(date.Day, 19);
        return date;
    }
    if (date.Month < 12) {
        ++date.Month;
    } else {
        ++date.Year;
        date.Month = 1;
    }
    return CutDay(date);
}

Date WithMonth(Date date, int month) {
    date.Month = month;
    return CutDay(date);
}

Date WithYear(Date date, int year) {
    date.Year = year;
    return CutDay(date);
}

}  // namespace calendar
