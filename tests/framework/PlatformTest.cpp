// The ground every other test stands on: code page 932, Shift-JIS literals and Tokyo time.
#include <windows.h>

#include <gtest/gtest.h>

TEST(Platform, TheAnsiCodePageAndLiteralsAreShiftJisAndLocalTimeIsTokyo) {
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_STREQ("表", "\x95\x5C");
    EXPECT_STREQ("ﾌｧｲﾙ", "\xCC\xA7\xB2\xD9");
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    EXPECT_EQ(zone.Bias, -9 * 60);
}
