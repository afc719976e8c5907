#include "controls/CalendarDays.h"

#include "engine/DateTime.h"

#include <algorithm>

namespace calendar {

namespace {

// Amendments take effect on a day: dates compare as yyyymmdd.
int Key(Date date) { return date.Year * 10000 + date.Month * 100 + date.Day; }

constexpr int kActInForce = 19480720;
constexpr int kSubstitutesFrom = 19730412;       // amendment of 1973
constexpr int kCitizensHolidaysFrom = 19851227;  // amendment of 1985; the first one was 1988-05-04
constexpr int kNextDayOffRuleFrom = 2007;        // amendment of 2005, in force from 2007-01-01
constexpr int kStill = 9999;                     // the last year of a holiday still held

// Holidays on a fixed date, for the years each was held on that date.
struct FixedHoliday {
    int Month;
    int Day;
    int FirstYear;
    int LastYear;
};
const FixedHoliday kFixedHolidays[] = {
    {1, 1, 1948, kStill},    // 元日
    {1, 15, 1948, 1999},     // 成人の日, then the second Monday
    {2, 11, 1967, kStill},   // 建国記念の日
    {2, 23, 2020, kStill},   // 天皇誕生日 (the change took effect on 2019-04-30: none in 2019)
    {4, 29, 1948, kStill},   // 天皇誕生日 to 1988, みどりの日 to 2006, then 昭和の日
    {5, 3, 1948, kStill},    // 憲法記念日
    {5, 4, 2007, kStill},    // みどりの日
    {5, 5, 1948, kStill},    // こどもの日
    {7, 20, 1996, 2002},     // 海の日, then the third Monday
    {8, 11, 2016, kStill},   // 山の日
    {9, 15, 1966, 2002},     // 敬老の日, then the third Monday
    {10, 10, 1966, 1999},    // 体育の日, then the second Monday
    {11, 3, 1948, kStill},   // 文化の日
    {11, 23, 1948, kStill},  // 勤労感謝の日
    {12, 23, 1989, 2018},    // 天皇誕生日
};

// Holidays on the nth Monday of a month, from the year the Act moved them there.
struct MondayHoliday {
    int Month;
    int Week;
    int FirstYear;
};
const MondayHoliday kMondayHolidays[] = {
    {1, 2, 2000},   // 成人の日
    {7, 3, 2003},   // 海の日
    {9, 3, 2003},   // 敬老の日
    {10, 2, 2000},  // 体育の日, スポーツの日 from 2020
};

// Days off for single events by special laws. The law of 2018 counts its two days as national
// holidays, which makes 2019-04-30 and 2019-05-02 citizens' holidays; the earlier days have no
// holiday two days away, so counting them alike changes nothing.
const Date kSingleDays[] = {
    {1959, 4, 10},   // the Crown Prince's wedding
    {1989, 2, 24},   // the state funeral of the Showa Emperor
    {1990, 11, 12},  // the enthronement ceremony
    {1993, 6, 9},    // the Crown Prince's wedding
    {2019, 5, 1},    // the accession
    {2019, 10, 22},  // the enthronement ceremony
};

// Holidays the laws for the Tokyo Games moved: from the date the Act gives, to the Games' date.
struct MovedHoliday {
    Date From;
    Date To;
};
const MovedHoliday kMovedHolidays[] = {
    {{2020, 7, 20}, {2020, 7, 23}},   // 海の日
    {{2020, 10, 12}, {2020, 7, 24}},  // スポーツの日
    {{2020, 8, 11}, {2020, 8, 10}},   // 山の日
    {{2021, 7, 19}, {2021, 7, 22}},   // 海の日
    {{2021, 10, 11}, {2021, 7, 23}},  // スポーツの日
    {{2021, 8, 11}, {2021, 8, 8}},    // 山の日
};

int Weekday(Date date) { return WeekdayOf(date.Year, date.Month, date.Day); }

Date PreviousDay(Date date) {
    if (date.Day > 1) return {date.Year, date.Month, date.Day - 1};
    if (date.Month > 1) return {date.Year, date.Month - 1, DaysInMonth(date.Year, date.Month - 1)};
    return {date.Year - 1, 12, 31};
}

Date NextDay(Date date) {
    if (date.Day < DaysInMonth(date.Year, date.Month)) return {date.Year, date.Month, date.Day + 1};
    if (date.Month < 12) return {date.Year, date.Month + 1, 1};
    return {date.Year + 1, 1, 1};
}

int NthMonday(int year, int month, int week) {
    const int firstMonday = 1 + (8 - WeekdayOf(year, month, 1)) % 7;
    return firstMonday + 7 * (week - 1);
}

// The Act's own rules, before the special laws.
bool IsHolidayOfTheAct(Date date) {
    if (Key(date) < kActInForce) return false;
    for (const FixedHoliday& fixed : kFixedHolidays) {
        if (fixed.Month == date.Month && fixed.Day == date.Day && fixed.FirstYear <= date.Year &&
            date.Year <= fixed.LastYear) {
            return true;
        }
    }
    for (const MondayHoliday& monday : kMondayHolidays) {
        if (monday.Month == date.Month && monday.FirstYear <= date.Year &&
            date.Day == NthMonday(date.Year, date.Month, monday.Week)) {
            return true;
        }
    }
    return date.Day == EquinoxDay(date.Year, date.Month);
}

bool IsNationalHoliday(Date date) {
    for (const MovedHoliday& moved : kMovedHolidays) {
        if (Key(moved.From) == Key(date)) return false;
        if (Key(moved.To) == Key(date)) return true;
    }
    for (const Date& single : kSingleDays) {
        if (Key(single) == Key(date)) return true;
    }
    return IsHolidayOfTheAct(date);
}

// A national holiday on a Sunday gives the next day off; from 2007 the first day after it that
// is not a national holiday.
bool IsSubstituteHoliday(Date date) {
    if (IsNationalHoliday(date)) return false;
    Date before = PreviousDay(date);
    if (date.Year < kNextDayOffRuleFrom) {
        return Key(before) >= kSubstitutesFrom && Weekday(before) == 0 && IsNationalHoliday(before);
    }
    for (; IsNationalHoliday(before); before = PreviousDay(before)) {
        if (Weekday(before) == 0) return true;
    }
    return false;
}

// A day between two national holidays is off; before 2007 the Act left out Sundays.
bool IsCitizensHoliday(Date date) {
    if (Key(date) < kCitizensHolidaysFrom || IsNationalHoliday(date)) return false;
    if (date.Year < kNextDayOffRuleFrom && Weekday(date) == 0) return false;
    return IsNationalHoliday(PreviousDay(date)) && IsNationalHoliday(NextDay(date));
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

// The usual formula for the equinox days of 1900-2099, worked in millionths of a day so that no
// rounding can move a day. The leap-day count divides toward zero, as the formula has it.
int EquinoxDay(int year, int month) {
    if (year < 1900 || year > 2099 || (month != 3 && month != 9)) return -1;
    const bool before1980 = year < 1980;
    const int base = month == 3 ? (before1980 ? 20835700 : 20843100) : (before1980 ? 23258800 : 23248800);
    const int leapDays = before1980 ? (year - 1983) / 4 : (year - 1980) / 4;
    return (base + 242194 * (year - 1980) - 1000000 * leapDays) / 1000000;
}

bool IsHoliday(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    const Date date{year, month, day};
    return IsNationalHoliday(date) || IsSubstituteHoliday(date) || IsCitizensHoliday(date);
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
