// Date and time texts, file times and the clock's range, with the clock fixed at
// 2024/05/17 10:20:30 in Tokyo.
#include "EngineFixture.h"

#include <utility>

namespace {

using DateTime = EngineTest;

SYSTEMTIME Fields(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
    return {year, month, 0, day, hour, minute, second, 0};
}

}  // namespace

TEST_F(DateTime, ParsesTextsWithCenturyRulesDayLimitsAndTodayForMissingParts) {
    const std::pair<const char*, const char*> cases[] = {
        {"99/2/30", "1999/02/28 00:00:00"},
        {"00/2/30", "2000/02/29 00:00:00"},
        {"2100/2/29", "2100/02/28 00:00:00"},
        {"38/1/1", "2038/01/01 00:00:00"},
        {"39/1/1", "1939/01/01 00:00:00"},
        {"100/0/0", " 100/01/01 00:00:00"},
        {"12345/1/1", "9999/01/01 00:00:00"},
        {"2001/13/40 25:61:61", "2001/12/31 23:59:59"},
        {"abc", "2000/01/01 00:00:00"},
        {"12:30", "2024/05/17 12:30:00"},
        {"12:30:00 2001/5/6", "2001/05/06 12:30:00"},
        {"2001/05/06  12:00:00", "2001/05/06 00:00:00"},  // the second item is empty
        {"", "2024/05/17 00:00:00"},
    };
    for (const auto& [text, expected] : cases) {
        const SYSTEMTIME fields = ParseDateTime(text);
        EXPECT_EQ(FormatSystemTime(&fields, DT_DATE | DT_TIME), expected) << '"' << text << '"';
    }
}

TEST_F(DateTime, ClampsToTheClockRange) {
    const std::pair<SYSTEMTIME, const char*> cases[] = {
        {Fields(1969, 12, 31, 10), "1970/12/31 10:00:00"},
        {Fields(1970, 1, 1, 5), "1970/01/01 09:00:00"},
        {Fields(2040, 5, 5, 10), "2038/01/05 10:00:00"},
        {Fields(2038, 1, 19, 23, 59, 59), "2038/01/19 03:14:07"},
        {Fields(2038, 1, 19, 3, 10, 59), "2038/01/19 03:10:59"},
        {Fields(2038, 0, 25, 23), "2038/00/25 23:00:00"},  // a month of 0 stops the clamping
    };
    for (auto [fields, expected] : cases) {
        ClampToClockRange(fields);
        EXPECT_EQ(FormatSystemTime(&fields), expected);
    }
    EXPECT_EQ(TextToClock("1960/01/01").GetTime(), 0);
    EXPECT_EQ(FormatClock(TextToClock("2050/12/31 23:59:59")), "2038/01/19 03:14:07");
    EXPECT_EQ(TextToClock("").GetTime(), FixedClock().GetTime());
    EXPECT_EQ(SystemTimeToClock(nullptr).GetTime(), FixedClock().GetTime());
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
    EXPECT_EQ(FormatFileTime(nullptr), "");
}
