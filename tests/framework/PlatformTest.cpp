// The ground every other test stands on: Shift-JIS literals, code page 932 and Tokyo time.
#include <windows.h>
#include <mbstring.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(Platform, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Platform, LiteralsAreShiftJis) {
    EXPECT_STREQ("表", "\x95\x5C");
    EXPECT_STREQ("ﾌｧｲﾙ", "\xCC\xA7\xB2\xD9");
}

TEST(Platform, MultibyteSearchSkipsTrailBytes) {
    const unsigned char* path = reinterpret_cast<const unsigned char*>("C:\\表");
    EXPECT_EQ(_mbsrchr(path, '\\') - path, 2);
}

TEST(Platform, LocalTimeIsTokyo) {
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    EXPECT_EQ(zone.Bias, -9 * 60);
}
