#include "controls/ClockFace.h"

#include <algorithm>
#include <cmath>

namespace clock_face {

namespace {

int RoundAway(double value) { return static_cast<int>(value >= 0 ? std::floor(value + 0.5) : std::ceil(value - 0.5)); }

bool Hits(const RECT& face, int angle, POINT point) {
    RECT mark{};
    PointOnCircle(face, angle, true, &mark);
    ::InflateRect(&mark, 5, 5);
    return ::PtInRect(&mark, point) != FALSE;
}

}  // namespace

RECT Shrunk(const RECT& rect, int by) { return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by}; }

Layout MakeLayout(SIZE digits) {
    const int s = std::max(std::max<int>(digits.cx, 16), std::max<int>(digits.cy, 16));
    const int top = 8 * s + 5;
    const int bottom = 9 * s + 5;
    Layout layout{};
    layout.Unit = s;
    layout.Client = {8 * s + 5, 9 * s + 7};
    layout.Face = {2, 2, 8 * s + 3, 8 * s + 3};
    layout.Band = {2, top, 8 * s + 2, bottom};
    layout.HourBox = {2, top, 5 * s / 4 + 2, bottom};
    layout.HourSpin = {5 * s / 4 + 2, top, 5 * s / 4 + 2 + s, bottom};
    layout.FirstColon = {18 * s / 8 + 2, top, 18 * s / 8 + 2 + s / 2, bottom};
    layout.MinuteBox = {23 * s / 8 + 2, top, 23 * s / 8 + 2 + 5 * s / 4, bottom};
    layout.MinuteSpin = {layout.MinuteBox.right, top, layout.MinuteBox.right + s, bottom};
    layout.SecondColon = {41 * s / 8 + 2, top, 41 * s / 8 + 2 + s / 2, bottom};
    layout.SecondBox = {46 * s / 8 + 2, top, 46 * s / 8 + 2 + 5 * s / 4, bottom};
    layout.SecondSpin = {layout.SecondBox.right, top, layout.SecondBox.right + s, bottom};
    return layout;
}

POINT PointOnCircle(const RECT& rect, int angle, bool inset, RECT* mark) {
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    const int radius = inset ? cy - (rect.top + 5) : cy - rect.top;
    const double theta = angle * 3.14159 * 0.005555555555555556;
    const POINT point{cx + RoundAway(radius * std::sin(theta)), cy - RoundAway(radius * std::cos(theta))};
    if (mark != nullptr) *mark = {point.x - 3, point.y - 3, point.x + 4, point.y + 4};
    return point;
}

int FindMark(const RECT& face, int x, int y, bool hourRing) {
    const RECT ring = hourRing ? Shrunk(face, 10) : face;
    const int cx = (ring.left + ring.right) / 2;
    const int cy = (ring.top + ring.bottom) / 2;
    int quadrant = 0;
    if (x >= cx && y <= cy) quadrant = 0;
    if (x >= cx && y >= cy) quadrant = 1;
    if (x <= cx && y >= cy) quadrant = 2;
    if (x <= cx && y <= cy) quadrant = 3;
    for (int step = 0; step <= 3; ++step) {
        const int angle = quadrant * 90 + step * 30;
        if (Hits(ring, angle, {x, y})) return angle / 30;
    }
    return -1;
}

int HourFromMark(int currentHour, int index) {
    // The 12 o'clock mark is mark 0 from either side of the centre line.
    if (index == 12) index = 0;
    int hour;
    if (index == currentHour || currentHour == index + 12) {
        hour = currentHour > 11 ? currentHour - 12 : currentHour + 12;
    } else {
        hour = currentHour > 11 ? index + 12 : index;
    }
    return hour > 23 ? 0 : hour;
}

int MinuteFromMark(int index) { return index > 11 ? 0 : index * 5; }

int HourHandOffset(int minute) { return 6 * (minute / 12) - (minute != 0 && minute % 12 == 0 ? 6 : 0); }

int Step(Time& time, int field, int delta) {
    int* value = field == kHour ? &time.Hour : field == kMinute ? &time.Minute : &time.Second;
    const int upper = field == kHour ? 23 : 59;
    int stepped = *value + delta;
    bool wrapped = false;
    if (stepped > upper) {
        stepped = 0;
        wrapped = true;
    } else if (stepped < 0) {
        stepped = upper;
        wrapped = true;
    }
    *value = stepped;
    int changed = field;
    if (wrapped && field == kSecond) changed |= Step(time, kMinute, delta);
    if (wrapped && field == kMinute) changed |= Step(time, kHour, delta);
    return changed;
}

}  // namespace clock_face
