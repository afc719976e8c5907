// The calendar without its window: the month grid, the holiday colours across the years,
// the month steps at month ends and at the ends of the clock's range, the year/month menus.
#include "ControlsTestSupport.h"
#include "controls/CalendarCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace calendar_colors;

namespace {

std::vector<int> Table(int year, int month) {
    int table[calendar::kCells];
    calendar::BuildDayTable(year, month, table);
    return std::vector<int>(table, table + calendar::kCells);
}

COLORREF DayColor(CCalendarCtrl& calendar, int year, int month, int day) {
    return calendar.GetDayColor(year, month, day, calendar::WeekdayOf(year, month, day), FALSE);
}

std::string DateAfter(void (CCalendarCtrl::*step)(), const char* start) {
    CCalendarCtrl calendar;
    calendar.SetDateText(start, FALSE);
    (calendar.*step)();
    return calendar.GetDateText().Str();
}

struct MenuItem {
    UINT Id;
    std::string Text;  // "-" for a separator, the title for a sub-menu
};

std::vector<MenuItem> Items(HMENU menu) {
    std::vector<MenuItem> items;
    for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
        char text[64] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        items.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0 ? "-" : text});
    }
    return items;
}

}  // namespace

TEST(CalendarGrid, May2024StartsOnWednesdayAndLeavesTheLastRowEmpty) {
    const std::vector<int> table = Table(2024, 5);
    EXPECT_EQ(table[0], -1);
    EXPECT_EQ(table[2], -1);
    EXPECT_EQ(table[3], 1);
    EXPECT_EQ(table[6], 4);
    EXPECT_EQ(table[33], 31);
    for (int cell = 34; cell < calendar::kCells; ++cell) EXPECT_EQ(table[cell], -1) << cell;
}

TEST(CalendarGrid, AMonthStartingOnSundayFillsTheFirstCell) {
    const std::vector<int> table = Table(2024, 9);
    EXPECT_EQ(table[0], 1);
    EXPECT_EQ(table[29], 30);
    EXPECT_EQ(table[30], -1);
}

TEST(CalendarGrid, LeapFebruaryAndWeekdays) {
    EXPECT_EQ(Table(2024, 2)[4 + 28], 29);  // 2024-02-01 is a Thursday
    EXPECT_EQ(Table(2023, 2)[3 + 28], -1);
    EXPECT_EQ(calendar::WeekdayOf(1970, 1, 1), 4);
    EXPECT_EQ(calendar::WeekdayOf(2038, 1, 19), 2);
    EXPECT_EQ(calendar::WeekdayOf(2000, 3, 1), 3);
}

TEST(CalendarColors, WeekdayColumnsAndDimmedCells) {
    CCalendarCtrl calendar;
    EXPECT_EQ(calendar.GetDayColor(2024, 5, 0, 0, TRUE), kSunday);
    EXPECT_EQ(calendar.GetDayColor(2024, 5, 0, 3, TRUE), kWeekday);
    EXPECT_EQ(calendar.GetDayColor(2024, 5, 0, 6, TRUE), kSaturday);
    EXPECT_EQ(calendar.GetDayColor(2024, 5, -1, 0, FALSE), kSundayDim);
    EXPECT_EQ(calendar.GetDayColor(2024, 5, -1, 2, FALSE), kWeekdayDim);
    EXPECT_EQ(calendar.GetDayColor(2024, 5, -1, 6, FALSE), kSaturdayDim);
    // The plain calendar knows no holidays.
    EXPECT_EQ(DayColor(calendar, 2024, 5, 3), kWeekday);
}

TEST(CalendarColors, DaysAfterTheClockRangeAreDimmed) {
    CCalendarCtrlEx calendar;
    EXPECT_EQ(DayColor(calendar, 2038, 1, 19), kWeekday);
    EXPECT_EQ(DayColor(calendar, 2038, 1, 20), kWeekdayDim);
    EXPECT_EQ(DayColor(calendar, 2038, 1, 23), kSaturdayDim);
    EXPECT_EQ(DayColor(calendar, 2037, 1, 20), kWeekday);
}

TEST(CalendarHolidays, GoldenWeek2024WithItsSubstituteMonday) {
    CCalendarCtrlEx calendar;
    for (int day : {3, 4, 5, 6}) EXPECT_EQ(DayColor(calendar, 2024, 5, day), kHoliday) << day;
    EXPECT_EQ(DayColor(calendar, 2024, 5, 2), kWeekday);
    EXPECT_EQ(DayColor(calendar, 2024, 5, 7), kWeekday);
    EXPECT_EQ(DayColor(calendar, 2024, 5, 12), kSunday);
    EXPECT_EQ(DayColor(calendar, 2024, 5, 11), kSaturday);
}

TEST(CalendarHolidays, MondayAfterASundayHoliday) {
    CCalendarCtrlEx calendar;
    EXPECT_EQ(DayColor(calendar, 2024, 2, 12), kHoliday);
    EXPECT_EQ(DayColor(calendar, 2024, 2, 13), kWeekday);
    // A Monday after an ordinary Sunday stays black.
    EXPECT_EQ(DayColor(calendar, 2024, 2, 19), kWeekday);
    EXPECT_EQ(DayColor(calendar, 2014, 11, 24), kHoliday);
}

TEST(CalendarHolidays, MovingMondaysFromTheYear2000) {
    CCalendarCtrlEx calendar;
    EXPECT_EQ(DayColor(calendar, 2024, 1, 8), kHoliday);
    EXPECT_EQ(DayColor(calendar, 2024, 1, 15), kWeekday);
    EXPECT_EQ(DayColor(calendar, 2024, 10, 14), kHoliday);
    EXPECT_EQ(DayColor(calendar, 2000, 1, 10), kHoliday);
    EXPECT_EQ(DayColor(calendar, 1999, 1, 15), kHoliday);
    EXPECT_EQ(DayColor(calendar, 1999, 10, 10), kHoliday);
    EXPECT_EQ(DayColor(calendar, 1999, 10, 11), kHoliday);  // the Monday after it
}

TEST(CalendarHolidays, MarchEquinoxFollowsTheLeapYears) {
    CCalendarCtrlEx calendar;
    EXPECT_EQ(DayColor(calendar, 2001, 3, 20), kHoliday);
    EXPECT_EQ(DayColor(calendar, 2001, 3, 21), kWeekday);
    EXPECT_EQ(DayColor(calendar, 2002, 3, 21), kHoliday);
    EXPECT_EQ(DayColor(calendar, 2002, 3, 20), kWeekday);
    EXPECT_EQ(calendar::MovingHoliday(2024, 3), 20);
    EXPECT_EQ(calendar::MovingHoliday(2023, 3), 21);
}

TEST(CalendarHolidays, FixedDaysOfTheYear) {
    for (const calendar::Date date : {calendar::Date{2023, 1, 1}, {2023, 2, 11}, {2023, 4, 29}, {2023, 7, 20},
                                      {2023, 9, 15}, {2023, 9, 23}, {2023, 11, 3}, {2023, 11, 23}, {2023, 12, 23}}) {
        EXPECT_TRUE(calendar::IsHoliday(date.Year, date.Month, date.Day)) << date.Month << "/" << date.Day;
    }
    EXPECT_FALSE(calendar::IsHoliday(2023, 8, 15));
    EXPECT_FALSE(calendar::IsHoliday(2023, 6, 1));
}

TEST(CalendarMonthSteps, NextMonthCutsTheDayToTheMonthsLength) {
    EXPECT_EQ(DateAfter(&CCalendarCtrl::NextMonth, "2024/01/31"), "2024/02/29");
    EXPECT_EQ(DateAfter(&CCalendarCtrl::NextMonth, "2023/01/31"), "2023/02/28");
    EXPECT_EQ(DateAfter(&CCalendarCtrl::NextMonth, "2023/12/15"), "2024/01/15");
    EXPECT_EQ(DateAfter(&CCalendarCtrl::PreviousMonth, "2024/03/31"), "2024/02/29");
    EXPECT_EQ(DateAfter(&CCalendarCtrl::PreviousMonth, "2024/01/10"), "2023/12/10");
}

TEST(CalendarMonthSteps, ArrowsStopAtTheEndsOfTheClockRange) {
    EXPECT_EQ(DateAfter(&CCalendarCtrl::NextMonth, "2037/12/25"), "2038/01/19");
    EXPECT_EQ(DateAfter(&CCalendarCtrl::NextMonth, "2038/01/10"), "2038/01/10");
    EXPECT_EQ(DateAfter(&CCalendarCtrl::PreviousMonth, "1970/01/20"), "1970/01/20");
    EXPECT_EQ(DateAfter(&CCalendarCtrl::PreviousMonth, "1970/02/28"), "1970/01/28");
}

TEST(CalendarMonthSteps, MenuChoicesKeepTheDayWithinTheMonth) {
    CCalendarCtrl calendar;
    calendar.SetDateText("2023/01/31", FALSE);
    calendar.ChooseMonth(2);
    EXPECT_EQ(calendar.GetDateText(), "2023/02/28");
    calendar.SetDateText("2024/02/29", FALSE);
    calendar.ChooseYear(2023);
    EXPECT_EQ(calendar.GetDateText(), "2023/02/28");
    calendar.SetDateText("2037/03/31", FALSE);
    calendar.ChooseYear(2038);
    EXPECT_EQ(calendar.GetDateText(), "2038/01/19");
}

TEST(CalendarMenus, YearsAroundTheShownYearWithSeparators) {
    CCalendarCtrl calendar;
    calendar.SetDateText("2036/07/04", FALSE);
    HMENU years = calendar.BuildYearMonthMenu(-1);  // left of the caption's middle
    const std::vector<MenuItem> items = Items(years);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0].Text, "- 月 -");
    EXPECT_EQ(items[1].Text, "2031 年");
    EXPECT_EQ(items[1].Id, 11000u + 2031);
    EXPECT_EQ(items[5].Text, "2035 年");
    EXPECT_EQ(items[6].Text, "-");
    EXPECT_EQ(items[7].Text, "2036 年");
    EXPECT_EQ(items[8].Text, "-");
    EXPECT_EQ(items[10].Text, "2038 年");

    const std::vector<MenuItem> months = Items(::GetSubMenu(years, 0));
    ASSERT_EQ(months.size(), 14u);
    EXPECT_EQ(months[0].Text, " 1 月");
    EXPECT_EQ(months[0].Id, 11001u);
    EXPECT_EQ(months[6].Text, "-");
    EXPECT_EQ(months[7].Text, " 7 月");
    EXPECT_EQ(months[13].Text, "12 月");
    ::DestroyMenu(years);
}

TEST(CalendarMenus, RightOfTheMiddleTheMonthsComeFirstAndTheEndsHaveNoSeparator) {
    CCalendarCtrl calendar;
    calendar.SetDateText("1970/01/15", FALSE);
    HMENU months = calendar.BuildYearMonthMenu(1000);
    const std::vector<MenuItem> items = Items(months);
    ASSERT_EQ(items.size(), 14u);
    EXPECT_EQ(items[0].Text, "- 年 -");
    EXPECT_EQ(items[1].Text, " 1 月");
    EXPECT_EQ(items[2].Text, "-");
    const std::vector<MenuItem> years = Items(::GetSubMenu(months, 0));
    ASSERT_EQ(years.size(), 7u);
    EXPECT_EQ(years[0].Text, "1970 年");
    EXPECT_EQ(years[1].Text, "-");
    EXPECT_EQ(years[6].Text, "1975 年");
    ::DestroyMenu(months);
}

TEST(CalendarDate, EmptyTextSelectsToday) {
    FixedClock clock(2024, 5, 20, 13, 0, 0);
    CCalendarCtrl calendar;
    calendar.SetDateText("", FALSE);
    EXPECT_EQ(calendar.GetDateText(), "2024/05/20");
    calendar.SetDateText("2024/5/1", FALSE);
    EXPECT_EQ(calendar.GetDateText(), "2024/05/01");
}
