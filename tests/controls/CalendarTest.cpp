// The calendar without its window: the month grid, Japan's holidays across the years, the month
// steps at month ends and at the ends of the clock's range, the year and month menus.
#include "controls/CalendarCtrl.h"
#include "engine/DateTime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(Calendar, DayTablesStartOnTheWeekdayOfTheFirstAndDaysAfterTheClockRangeAreDimmed) {
    int table[calendar::kCells];
    calendar::BuildDayTable(2024, 2, table);  // Thursday the 1st to Thursday the 29th
    EXPECT_EQ(std::vector<int>(table + 3, table + 5), (std::vector<int>{-1, 1}));
    EXPECT_EQ(std::vector<int>(table + 32, table + 34), (std::vector<int>{29, -1}));
    using namespace calendar_colors;
    CCalendarCtrlEx withHolidays;
    EXPECT_EQ(withHolidays.GetDayColor(2038, 1, 19, 2, FALSE), kWeekday);
    EXPECT_EQ(withHolidays.GetDayColor(2038, 1, 20, 3, FALSE), kWeekdayDim);
}

// The expected days come from the Cabinet Office's list of Japan's public holidays (内閣府「国民の
// 祝日について」, with its list of the holidays since 1955), which follows the National Holidays
// Act (国民の祝日に関する法律) and the special laws for 2019 and for the Tokyo Games of 2020-2021.
TEST(Calendar, HolidaysOfWholeYearsAreThoseOfThePublishedList) {
    const struct {
        int Year;
        const char* Days;
    } years[] = {
        // Sunday holidays move to the Monday; a weekday between two holidays is one.
        {1999, "1/1 1/15 2/11 3/21 3/22 4/29 5/3 5/4 5/5 7/20 9/15 9/23 10/10 10/11 11/3 11/23 12/23"},
        // 昭和の日, and みどりの日 on 4 May; substitutes for Sunday holidays, none for Saturday ones.
        {2007, "1/1 1/8 2/11 2/12 3/21 4/29 4/30 5/3 5/4 5/5 7/16 9/17 9/23 9/24 10/8 11/3 11/23 12/23 12/24"},
        // The accession and the enthronement ceremony; no Emperor's Birthday.
        {2019, "1/1 1/14 2/11 3/21 4/29 4/30 5/1 5/2 5/3 5/4 5/5 5/6 7/15 8/11 8/12 9/16 9/23 10/14 10/22 "
               "11/3 11/4 11/23"},
        // The Games moved three holidays into the summer, two of them next to each other.
        {2020, "1/1 1/13 2/11 2/23 2/24 3/20 4/29 5/3 5/4 5/5 5/6 7/23 7/24 8/10 9/21 9/22 11/3 11/23"},
        {2021, "1/1 1/11 2/11 2/23 3/20 4/29 5/3 5/4 5/5 7/22 7/23 8/8 8/9 9/20 9/23 11/3 11/23"},
        // The substitute for Sunday 3 May falls after two more holidays; 22 September lies between two.
        {2026, "1/1 1/12 2/11 2/23 3/20 4/29 5/3 5/4 5/5 5/6 7/20 8/11 9/21 9/22 9/23 10/12 11/3 11/23"},
        {2027, "1/1 1/11 2/11 2/23 3/21 3/22 4/29 5/3 5/4 5/5 7/19 8/11 9/20 9/23 10/11 11/3 11/23"},
    };
    for (const auto& year : years) {
        std::string days;  // "month/day", separated by spaces
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year.Year, month); ++day) {
                if (!calendar::IsHoliday(year.Year, month, day)) continue;
                days += (days.empty() ? "" : " ") + std::to_string(month) + "/" + std::to_string(day);
            }
        }
        EXPECT_EQ(days, year.Days) << year.Year;
    }
}

// The days where the law changed, from the same list; then the years of the calendar's range
// whose equinox is not on the usual day.
TEST(Calendar, HolidaysFollowTheLawOfTheirYearAndEquinoxesTheSunNotTheLeapYears) {
    const struct {
        calendar::Date Date;
        bool Holiday;
    } days[] = {
        {{1973, 2, 12}, false},  // Sunday 11 February, before substitute holidays began
        {{1973, 4, 30}, true},   // the first substitute holiday
        {{1986, 5, 4}, false},   // a Sunday between two holidays
        {{1988, 5, 4}, true},    // the first citizens' holiday
        {{1991, 5, 4}, true},    // a Saturday one
        {{1988, 12, 23}, false},  // the Emperor's Birthday moved
        {{1989, 12, 23}, true},
        {{2018, 12, 24}, true},
        {{1995, 7, 20}, false},  // 海の日 from 1996, the third Monday from 2003
        {{1996, 7, 20}, true},
        {{2003, 7, 21}, true},
        {{2000, 1, 15}, false},  // 成人の日 on the second Monday from 2000
        {{2000, 1, 10}, true},
        {{2003, 5, 6}, false},  // before 2007 a substitute only on the Monday (2026 has one on Wednesday)
        {{2015, 8, 11}, false},  // 山の日 from 2016 (the whole years above have it)
        {{2024, 2, 30}, false},  // no such day
    };
    for (const auto& day : days) {
        EXPECT_EQ(calendar::IsHoliday(day.Date.Year, day.Date.Month, day.Date.Day), day.Holiday)
            << day.Date.Year << "/" << day.Date.Month << "/" << day.Date.Day;
    }
    const std::vector<int> march20 = {1972, 1976, 1980, 1984, 1988, 1992, 1993, 1996, 1997, 2000, 2001, 2004,
                                      2005, 2008, 2009, 2012, 2013, 2016, 2017, 2020, 2021, 2024, 2025, 2026};
    const std::vector<int> september24 = {1971, 1975, 1979};
    const std::vector<int> september22 = {2012, 2016, 2020, 2024};
    auto has = [](const std::vector<int>& years, int year) {
        return std::find(years.begin(), years.end(), year) != years.end();
    };
    for (int year = 1970; year <= 2027; ++year) {
        EXPECT_EQ(calendar::EquinoxDay(year, 3), has(march20, year) ? 20 : 21) << year;
        EXPECT_EQ(calendar::EquinoxDay(year, 9), has(september24, year) ? 24 : has(september22, year) ? 22 : 23)
            << year;
    }
}

TEST(Calendar, MonthStepsCutTheDayAndStopAtTheEndsOfTheClockRange) {
    using Step = void (*)(CCalendarCtrl&);
    const Step next = [](CCalendarCtrl& calendar) { calendar.NextMonth(); };
    const Step previous = [](CCalendarCtrl& calendar) { calendar.PreviousMonth(); };
    const struct {
        Step Apply;
        const char* From;
        const char* To;
    } steps[] = {{next, "2024/01/31", "2024/02/29"},     {next, "2023/12/15", "2024/01/15"},
                 {next, "2037/12/25", "2038/01/19"},     {next, "2038/01/10", "2038/01/10"},
                 {previous, "2024/03/31", "2024/02/29"}, {previous, "2024/01/10", "2023/12/10"},
                 {previous, "1970/01/20", "1970/01/20"}};
    for (const auto& step : steps) {
        CCalendarCtrl calendar;
        calendar.SetDateText(step.From, FALSE);
        step.Apply(calendar);
        EXPECT_EQ(calendar.GetDateText(), step.To) << step.From;
    }
}

TEST(Calendar, CaptionMenusSetTheShownYearAndMonthApart) {
    auto text = [](HMENU menu) {
        std::string items;
        for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
            char item[32] = "";
            ::GetMenuStringA(menu, static_cast<UINT>(position), item, sizeof item, MF_BYPOSITION);
            items += std::string(item[0] != '\0' ? item : "-") + "|";
        }
        return items;
    };
    CCalendarCtrl calendar;
    calendar.SetDateText("2036/07/04", FALSE);
    HMENU years = calendar.BuildYearMonthMenu(-1);  // left of the caption's middle
    EXPECT_EQ(text(years), "- 月 -|2031 年|2032 年|2033 年|2034 年|2035 年|-|2036 年|-|2037 年|2038 年|");
    EXPECT_EQ(text(::GetSubMenu(years, 0)), " 1 月| 2 月| 3 月| 4 月| 5 月| 6 月|-| 7 月|-| 8 月| 9 月|10 月|11 月|12 月|");
    EXPECT_EQ(::GetMenuItemID(years, 1), ID_CAL_MONTH_BASE + 2031);
    ::DestroyMenu(years);

    calendar.SetDateText("1970/01/15", FALSE);
    HMENU months = calendar.BuildYearMonthMenu(1000);  // right of it
    EXPECT_EQ(text(months), "- 年 -| 1 月|-| 2 月| 3 月| 4 月| 5 月| 6 月| 7 月| 8 月| 9 月|10 月|11 月|12 月|");
    EXPECT_EQ(text(::GetSubMenu(months, 0)), "1970 年|-|1971 年|1972 年|1973 年|1974 年|1975 年|");
    ::DestroyMenu(months);
}
