// The calendar without its window: the month grid, the holidays across the years, the month
// steps at month ends and at the ends of the clock's range, the year and month menus.
#include "controls/CalendarCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Calendar, DayTablesStartOnTheWeekdayOfTheFirst) {
    int table[calendar::kCells];
    calendar::BuildDayTable(2024, 2, table);  // Thursday the 1st to Thursday the 29th
    EXPECT_EQ(std::vector<int>(table + 3, table + 5), (std::vector<int>{-1, 1}));
    EXPECT_EQ(std::vector<int>(table + 32, table + 34), (std::vector<int>{29, -1}));
}

TEST(Calendar, HolidaysMondaysAfterSundayHolidaysAndTheDaysThatMoveWithTheYear) {
    auto holidays = [](int year) {
        std::string days;
        for (int day = 0; day < 12 * 31; ++day) {
            const int month = day / 31 + 1;
            if (calendar::IsHolidayColored(year, month, day % 31 + 1, calendar::WeekdayOf(year, month, day % 31 + 1))) {
                days += std::to_string(month) + "/" + std::to_string(day % 31 + 1) + " ";
            }
        }
        return days;
    };
    EXPECT_EQ(holidays(1999), "1/1 1/15 2/11 3/21 3/22 4/29 5/3 5/4 5/5 7/20 9/15 9/23 10/10 10/11 11/3 11/23 12/23 ");
    EXPECT_EQ(holidays(2000), "1/1 1/10 2/11 3/20 4/29 5/3 5/4 5/5 7/20 9/15 9/23 10/9 11/3 11/23 12/23 ");
    EXPECT_EQ(holidays(2025), "1/1 1/13 2/11 3/20 4/29 5/3 5/4 5/5 7/20 7/21 9/15 9/23 10/13 11/3 11/23 11/24 12/23 ");

    using namespace calendar_colors;
    CCalendarCtrlEx withHolidays;
    EXPECT_EQ(withHolidays.GetDayColor(2038, 1, 19, 2, FALSE), kWeekday);
    EXPECT_EQ(withHolidays.GetDayColor(2038, 1, 20, 3, FALSE), kWeekdayDim);  // after the clock's range
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
