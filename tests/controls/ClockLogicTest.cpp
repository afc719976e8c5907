// The clock without its window: spin steps with their carry, the marks under a click with the
// half-day switch, the hour hand's offset and the layout for a unit size.
#include "controls/ClockFace.h"

#include <gtest/gtest.h>

using namespace clock_face;

namespace {

bool SameTime(const Time& time, int hour, int minute, int second) {
    return time.Hour == hour && time.Minute == minute && time.Second == second;
}

// The face of a clock whose unit size is 16 pixels.
RECT Face() { return MakeLayout({12, 12}).Face; }

POINT MarkCentre(bool hourRing, int angle) {
    const RECT ring = hourRing ? Shrunk(Face(), 10) : Face();
    return PointOnCircle(ring, angle, true);
}

}  // namespace

TEST(ClockSteps, SecondsCarryIntoMinutesAndHoursAtTheEndOfTheDay) {
    Time time{23, 59, 59};
    EXPECT_EQ(Step(time, kSecond, 1), kAllFields);
    EXPECT_TRUE(SameTime(time, 0, 0, 0));
    EXPECT_EQ(Step(time, kSecond, -1), kAllFields);
    EXPECT_TRUE(SameTime(time, 23, 59, 59));
}

TEST(ClockSteps, OnlyAWrappingFieldCarries) {
    Time time{10, 30, 59};
    EXPECT_EQ(Step(time, kSecond, 1), kSecond | kMinute);
    EXPECT_TRUE(SameTime(time, 10, 31, 0));
    EXPECT_EQ(Step(time, kSecond, 1), kSecond);
    EXPECT_TRUE(SameTime(time, 10, 31, 1));
    EXPECT_EQ(Step(time, kMinute, -1), kMinute);
    EXPECT_TRUE(SameTime(time, 10, 30, 1));
}

TEST(ClockSteps, HoursWrapWithoutCarry) {
    Time time{23, 0, 0};
    EXPECT_EQ(Step(time, kHour, 1), kHour);
    EXPECT_TRUE(SameTime(time, 0, 0, 0));
    Time early{0, 0, 0};
    EXPECT_EQ(Step(early, kMinute, -1), kMinute | kHour);
    EXPECT_TRUE(SameTime(early, 23, 59, 0));
}

TEST(ClockMarks, TheSameHourMarkAgainSwitchesTheHalfOfTheDay) {
    EXPECT_EQ(HourFromMark(10, 10), 22);
    EXPECT_EQ(HourFromMark(22, 10), 10);
    EXPECT_EQ(HourFromMark(22, 3), 15);
    EXPECT_EQ(HourFromMark(9, 3), 3);
}

TEST(ClockMarks, TheTwelveOClockMarkIsMidnightOrNoonFromEitherSide) {
    for (int index : {0, 12}) {
        EXPECT_EQ(HourFromMark(5, index), 0) << index;
        EXPECT_EQ(HourFromMark(17, index), 12) << index;
        EXPECT_EQ(HourFromMark(0, index), 12) << index;
        EXPECT_EQ(HourFromMark(12, index), 0) << index;
    }
}

TEST(ClockMarks, MinuteMarksAreFiveMinuteSteps) {
    EXPECT_EQ(MinuteFromMark(4), 20);
    EXPECT_EQ(MinuteFromMark(0), 0);
    EXPECT_EQ(MinuteFromMark(12), 0);
    EXPECT_EQ(MinuteFromMark(11), 55);
}

TEST(ClockMarks, ClicksFindTheMarkOfTheirRing) {
    const POINT four = MarkCentre(false, 120);
    EXPECT_EQ(FindMark(Face(), four.x, four.y, false), 4);
    EXPECT_EQ(FindMark(Face(), four.x + 4, four.y - 4, false), 4);  // within the enlarged mark
    const POINT ten = MarkCentre(true, 300);
    EXPECT_EQ(FindMark(Face(), ten.x, ten.y, true), 10);
    const POINT top = MarkCentre(false, 0);
    EXPECT_EQ(FindMark(Face(), top.x + 1, top.y, false), 0);
    EXPECT_EQ(FindMark(Face(), top.x - 1, top.y, false), 12);
}

TEST(ClockMarks, ClicksBetweenMarksFindNothing) {
    const POINT between = MarkCentre(false, 15);
    EXPECT_EQ(FindMark(Face(), between.x, between.y, false), -1);
    const RECT face = Face();
    const POINT centre{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    EXPECT_EQ(FindMark(face, centre.x, centre.y, true), -1);
}

TEST(ClockHands, HourHandMovesOnAsTheMinutePassesEachTwelfth) {
    EXPECT_EQ(HourHandOffset(0), 0);
    EXPECT_EQ(HourHandOffset(11), 0);
    EXPECT_EQ(HourHandOffset(12), 0);
    EXPECT_EQ(HourHandOffset(13), 6);
    EXPECT_EQ(HourHandOffset(24), 6);
    EXPECT_EQ(HourHandOffset(25), 12);
    EXPECT_EQ(HourHandOffset(59), 24);
}

TEST(ClockGeometry, PointsRunClockwiseFromTwelve) {
    const RECT rect{0, 0, 101, 101};
    const POINT top = PointOnCircle(rect, 0, false);
    EXPECT_EQ(top.x, 50);
    EXPECT_EQ(top.y, 0);
    const POINT right = PointOnCircle(rect, 90, false);
    EXPECT_EQ(right.x, 100);
    EXPECT_EQ(right.y, 50);
    const POINT inset = PointOnCircle(rect, 180, true);
    EXPECT_EQ(inset.x, 50);
    EXPECT_EQ(inset.y, 95);
    RECT mark{};
    PointOnCircle(rect, 270, false, &mark);
    EXPECT_EQ(mark.left, -3);
    EXPECT_EQ(mark.right, 4);
    EXPECT_EQ(mark.bottom - mark.top, 7);
}

TEST(ClockGeometry, SmallFontsStillGetASixteenPixelUnit) {
    const Layout small = MakeLayout({8, 9});
    EXPECT_EQ(small.Unit, 16);
    EXPECT_EQ(small.Client.cx, 133);
    EXPECT_EQ(small.Client.cy, 151);
    EXPECT_EQ(small.SecondSpin.right, 130);
    EXPECT_LE(small.SecondSpin.right, small.Client.cx);

    const Layout large = MakeLayout({14, 20});
    EXPECT_EQ(large.Unit, 20);
    EXPECT_EQ(large.Face.right, 163);
    EXPECT_EQ(large.HourBox.right, 27);
    EXPECT_EQ(large.MinuteSpin.left, large.MinuteBox.right);
    EXPECT_LE(large.SecondSpin.right, large.Client.cx);
}
