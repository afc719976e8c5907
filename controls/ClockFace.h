// The clock's geometry and time arithmetic without a window: the layout for a unit size,
// points on the face, the marks under a click, the spin steps with their carry.
#pragma once

#include <windows.h>

namespace clock_face {

enum FieldMask : int { kHour = 1, kMinute = 2, kSecond = 4, kAllFields = 7 };

struct Layout {
    int Unit;
    SIZE Client;
    RECT Face;
    RECT Band;
    RECT HourBox;
    RECT HourSpin;
    RECT FirstColon;
    RECT MinuteBox;
    RECT MinuteSpin;
    RECT SecondColon;
    RECT SecondBox;
    RECT SecondSpin;
};

// The layout for the extent of the text "00" (each side raised to at least 16 pixels).
Layout MakeLayout(SIZE digits);

RECT Shrunk(const RECT& rect, int by);

// The point at the angle (degrees clockwise from 12 o'clock) on the ellipse of the rectangle,
// 5 pixels further in with the inset; mark receives the 7 x 7 mark around it.
POINT PointOnCircle(const RECT& rect, int angle, bool inset, RECT* mark = nullptr);

// The mark (0-12, in 30-degree steps from 12 o'clock) under the point, or -1. Hour marks lie
// on the inner ring, minute marks on the outer.
int FindMark(const RECT& face, int x, int y, bool hourRing);
// The hour after a click on hour mark index: the same mark again switches the half of the day.
int HourFromMark(int currentHour, int index);
int MinuteFromMark(int index);

// How far the hour hand has moved on within its hour, in degrees.
int HourHandOffset(int minute);

struct Time {
    int Hour;
    int Minute;
    int Second;
};

// One spin step of a field (kHour, kMinute or kSecond): wraps at its ends, and a wrapping
// second or minute carries the step into the next field. Returns the fields it changed.
int Step(Time& time, int field, int delta);

}  // namespace clock_face
