#include "engine/DateTime.h"

#include <gtest/gtest.h>

namespace {

// 2024/05/17 10:20:30 in Tokyo.
CTime FixedClock() { return CTime(1715908830); }

class DateTime : public ::testing::Test {
protected:
    void SetUp() override { SetClockSource(FixedClock); }
    void TearDown() override { SetClockSource(nullptr); }
};

CString Parsed(const char* text) {
    const SYSTEMTIME fields = ParseDateTime(text);
    return FormatSystemTime(&fields, DT_DATE | DT_TIME);
}

SYSTEMTIME Fields(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME f{};
    f.wYear = static_cast<WORD>(year);
    f.wMonth = static_cast<WORD>(month);
    f.wDay = static_cast<WORD>(day);
    f.wHour = static_cast<WORD>(hour);
    f.wMinute = static_cast<WORD>(minute);
    f.wSecond = static_cast<WORD>(second);
    return f;
}

CString Clamped(SYSTEMTIME fields) {
    ClampToClockRange(fields);
    return FormatSystemTime(&fields);
}

}  // namespace

TEST_F(DateTime, ParsesDatesWithCenturyRulesAndDayLimits) {
    EXPECT_EQ(Parsed("99/2/30"), "1999/02/28 00:00:00");
    EXPECT_EQ(Parsed("00/2/30"), "2000/02/29 00:00:00");
    EXPECT_EQ(Parsed("2100/2/29"), "2100/02/28 00:00:00");
    EXPECT_EQ(Parsed("38/1/1"), "2038/01/01 00:00:00");
    EXPECT_EQ(Parsed("39/1/1"), "1939/01/01 00:00:00");
    EXPECT_EQ(Parsed("100/0/0"), " 100/01/01 00:00:00");
    EXPECT_EQ(Parsed("12345/1/1"), "9999/01/01 00:00:00");
    EXPECT_EQ(Parsed("2001/13/40 25:61:61"), "2001/12/31 23:59:59");
    EXPECT_EQ(Parsed("abc"), "2000/01/01 00:00:00");
    EXPECT_EQ(Parsed("2001"), "2001/01/01 00:00:00");
}

TEST_F(DateTime, ChoosesDateAndTimePartsByColon) {
    EXPECT_EQ(Parsed("12:30"), "2024/05/17 12:30:00");
    EXPECT_EQ(Parsed("12:30:00 2001/5/6"), "2001/05/06 12:30:00");
    EXPECT_EQ(Parsed("2001/5/6 7:8:9"), "2001/05/06 07:08:09");
    EXPECT_EQ(Parsed("2001/05/06  12:00:00"), "2001/05/06 00:00:00");  // the second item is empty
    EXPECT_EQ(Parsed(""), "2024/05/17 00:00:00");
}

TEST_F(DateTime, FormatsWithPaddedFields) {
    const SYSTEMTIME f = Fields(2001, 5, 6, 7, 8, 9);
    EXPECT_EQ(FormatSystemTime(&f, DT_DATE | DT_TIME), "2001/05/06 07:08:09");
    EXPECT_EQ(FormatSystemTime(&f, DT_DATE), "2001/05/06");
    EXPECT_EQ(FormatSystemTime(&f, DT_TIME), "07:08:09");
    EXPECT_EQ(FormatSystemTime(&f, DT_NOW), "2001/05/06 07:08:09");  // neither part asked: both
    const SYSTEMTIME old = Fields(999, 1, 2);
    EXPECT_EQ(FormatSystemTime(&old, DT_DATE), " 999/01/02");
    EXPECT_EQ(FormatSystemTime(nullptr, DT_DATE), "");
    EXPECT_EQ(FormatFileTime(nullptr), "");
}

TEST_F(DateTime, ClampsToTheClockRange) {
    EXPECT_EQ(Clamped(Fields(1969, 12, 31, 10)), "1970/12/31 10:00:00");
    EXPECT_EQ(Clamped(Fields(1970, 1, 1, 5)), "1970/01/01 09:00:00");
    EXPECT_EQ(Clamped(Fields(2040, 5, 5, 10)), "2038/01/05 10:00:00");
    EXPECT_EQ(Clamped(Fields(2038, 1, 19, 23, 59, 59)), "2038/01/19 03:14:07");
    EXPECT_EQ(Clamped(Fields(2038, 1, 19, 3, 10, 59)), "2038/01/19 03:10:59");
    EXPECT_EQ(Clamped(Fields(2038, 0, 25, 23)), "2038/00/25 23:00:00");  // a month of 0 stops the clamping
}

TEST_F(DateTime, ClockValuesAtTheRangeEnds) {
    EXPECT_EQ(TextToClock("1960/01/01").GetTime(), 0);
    EXPECT_EQ(FormatClock(TextToClock("2050/12/31 23:59:59")), "2038/01/19 03:14:07");
    EXPECT_EQ(TextToClock("").GetTime(), FixedClock().GetTime());
    EXPECT_EQ(SystemTimeToClock(nullptr).GetTime(), FixedClock().GetTime());
    EXPECT_EQ(FormatClock(CTime(0)), "1970/01/01 09:00:00");
    EXPECT_EQ(FormatClock(CTime(2147483647), DT_DATE), "2038/01/19");
    EXPECT_EQ(FormatClock(TextToClock("2001/5/6 12:00:00"), DT_TIME), "12:00:00");
}

TEST_F(DateTime, FileTimesAreUtcOfTheLocalText) {
    const FILETIME utc = TextToFileTime("2001/05/06 12:00:00");
    SYSTEMTIME fields;
    FileTimeToSystemTime(&utc, &fields);
    EXPECT_EQ(FormatSystemTime(&fields), "2001/05/06 03:00:00");
    EXPECT_EQ(FormatFileTime(&utc), "2001/05/06 12:00:00");

    const FILETIME fromClock = ClockToFileTime(CTime(0), DT_DATE | DT_TIME);
    EXPECT_EQ(FormatFileTime(&fromClock), "1970/01/01 09:00:00");
    const FILETIME now = ClockToFileTime(CTime(0), DT_DATE | DT_TIME | DT_NOW);
    EXPECT_EQ(FormatFileTime(&now), "2024/05/17 10:20:30");
}

TEST_F(DateTime, DayLimitsOfMonths) {
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 0), 30);
    EXPECT_EQ(DaysInMonth(2023, 13), 30);
    EXPECT_EQ(DaysInMonth(2023, 14), 31);
    SYSTEMTIME zero = Fields(2023, 5, 0);
    ClampDayOfMonth(zero);
    EXPECT_EQ(zero.wDay, 1);
}
