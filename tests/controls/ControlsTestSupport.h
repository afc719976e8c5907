// What the entry-control tests share: recorded beeps, a fixed clock, message pumping and a
// mouse that goes where the system would send it (to the capture holder first).
#pragma once

#include "framework/CTime.h"

#include <windows.h>

#include <vector>

// Records beeps instead of sounding them while it lives.
class BeepRecorder {
public:
    BeepRecorder();
    ~BeepRecorder();
    const std::vector<UINT>& Beeps() const;
    void Clear();
};

// The clock stands at the given local time while it lives.
class FixedClock {
public:
    FixedClock(int year, int month, int day, int hour, int minute, int second);
    ~FixedClock();
};

// Delivers everything that is queued, including what the delivered messages post.
void PumpMessages();

// Mouse messages at a screen point, routed like input: to the window holding the capture,
// otherwise to the window under the point; the messages each handler posts are delivered too.
void MouseAt(UINT message, POINT screen, WPARAM flags = 0);
void ClickAt(POINT screen);
void RightClickAt(POINT screen);
POINT CentreOf(const RECT& screenRect);
// A point given in a window's client coordinates, on the screen.
POINT ScreenPoint(HWND window, POINT client);
