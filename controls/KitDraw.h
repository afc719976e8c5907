// Small drawing helpers of the entry controls.
#pragma once

#include <windows.h>

// The device context a drawing function was given, or the window's own while none was.
class DrawingDC {
public:
    DrawingDC(HWND window, HDC given) : m_window(window), m_dc(given) {
        if (m_dc == nullptr && window != nullptr) {
            m_dc = ::GetDC(window);
            m_owned = true;
        }
    }
    ~DrawingDC() {
        if (m_owned) ::ReleaseDC(m_window, m_dc);
    }
    DrawingDC(const DrawingDC&) = delete;
    DrawingDC& operator=(const DrawingDC&) = delete;
    operator HDC() const { return m_dc; }  // NOLINT

private:
    HWND m_window;
    HDC m_dc;
    bool m_owned = false;
};

// Selects an object into a device context for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    ~Selected() {
        if (m_old != nullptr) ::SelectObject(m_dc, m_old);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

inline void FillWithColor(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF previous = ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

inline void DrawLine(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}
