// The clock: the marks under a click, the hands, the layout and the label over the hands.
#include "ControlsTestSupport.h"
#include "controls/ClockCtrl.h"

#include <gtest/gtest.h>

#include <utility>

using namespace clock_face;

TEST(ClockFace, MarksTakeTheHalfOfTheDayHandsGoClockwiseAndTheUnitIsSixteenPixelsAtLeast) {
    // The hour shown, the mark clicked, the hour taken; marks 0 and 12 lie left and right of the
    // centre line.
    const int picks[][3] = {{10, 10, 22}, {22, 10, 10}, {22, 3, 15}, {12, 3, 15}, {9, 3, 3},
                            {5, 0, 0},    {5, 12, 0},   {17, 0, 12}, {17, 12, 12}, {0, 0, 12},
                            {0, 12, 12},  {12, 0, 0},   {12, 12, 0}};
    for (const auto& pick : picks) EXPECT_EQ(HourFromMark(pick[0], pick[1]), pick[2]) << pick[0] << " " << pick[1];
    for (const auto& [mark, minute] : {std::pair{0, 0}, {12, 0}, {11, 55}}) EXPECT_EQ(MinuteFromMark(mark), minute);

    const RECT face = MakeLayout({12, 12}).Face;
    const POINT top = PointOnCircle(face, 0, true);
    EXPECT_EQ(FindMark(face, top.x + 1, top.y, false), 0);
    EXPECT_EQ(FindMark(face, top.x - 1, top.y, false), 12);
    const POINT four = PointOnCircle(face, 120, true);
    EXPECT_EQ(FindMark(face, four.x + 7, four.y, false), 4);  // a click near a mark is on it

    const POINT two = PointOnCircle({0, 0, 101, 101}, 60, false);  // clockwise from 12 o'clock
    EXPECT_EQ(two.x, 93);
    EXPECT_EQ(two.y, 25);
    // The hour hand moves on each time the minute passes a twelfth of the hour.
    for (const auto& [minute, degrees] : {std::pair{11, 0}, {12, 0}, {13, 6}, {24, 6}, {25, 12}, {59, 24}}) {
        EXPECT_EQ(HourHandOffset(minute), degrees) << minute;
    }
    const Layout small = MakeLayout({8, 9});
    EXPECT_EQ(small.Client.cx, 133);
    EXPECT_EQ(small.Client.cy, 151);
}

TEST(Clock, ItsCentreLabelIsDrawnOverAHandPointingDown) {
    CClockCtrl clock;
    ASSERT_TRUE(clock.DropDown(&MainDialog(), "ＭＳ Ｐゴシック", 9));
    clock.SetTime(10, 30, 0);
    const RECT client = clock.GetClientRect();
    SIZE label{};
    const std::vector<COLORREF> picture = Picture({client.right, client.bottom}, [&](HDC dc) {
        clock.PaintClock(dc);
        HGDIOBJ old = ::SelectObject(dc, clock.GetControlFont());
        ::GetTextExtentPoint32A(dc, "[ O.K ]", 7, &label);
        ::SelectObject(dc, old);
    });
    auto at = [&](int x, int y) { return picture[y * client.right + x]; };
    const POINT centre = CentreOf(clock.GetLayout().Face);
    const COLORREF hand = clock.GetMarkColor(FALSE);
    for (int y = centre.y + 11; y < centre.y + 9 + label.cy; ++y) EXPECT_NE(at(centre.x, y), hand) << y;
    EXPECT_EQ(at(centre.x, centre.y + 12 + label.cy), hand);  // the hand itself, below the label
}
