// Caps how often a control that changes many times a second is drawn.
#pragma once

#include <windows.h>

// While changes keep coming, paints of the window closer together than the interval are
// put off and made up by one repaint of the whole window when the interval has passed; a
// window that has not changed for an interval paints at once, as before.
class PaintThrottle {
public:
    static constexpr DWORD kInterval = 50;  // milliseconds

    explicit PaintThrottle(UINT_PTR timerId) : m_timerId(timerId) {}

    // The content is about to change.
    void NoteChange() { m_lastChange = ::GetTickCount(); }
    // Called from the window procedure first; true when the message was taken care of here
    // and must not reach the control.
    bool Intercept(HWND window, UINT message, WPARAM wParam);

private:
    UINT_PTR m_timerId;
    DWORD m_lastChange = 0;
    DWORD m_lastPaint = 0;
    bool m_owed = false;
};
