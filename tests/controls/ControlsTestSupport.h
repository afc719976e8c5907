// What the entry-control tests share: recorded beeps, a fixed clock, a mouse routed like input
// (to the capture holder first), pictures, and fields in the program's main dialog.
#pragma once

#include "framework/CDialog.h"
#include "framework/CTime.h"
#include "framework/Seams.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Records beeps instead of sounding them while it lives.
struct BeepRecorder {
    BeepRecorder() {
        Log.clear();
        seams::PlayBeep = [](UINT type) { Log.push_back(type); };
    }
    ~BeepRecorder() { seams::PlayBeep = Previous; }
    static inline std::vector<UINT> Log;
    void (*Previous)(UINT) = seams::PlayBeep;
};

// The clock stands at the given local time while it lives.
struct FixedClock {
    FixedClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
        Time = CTime(SYSTEMTIME{year, month, 0, day, hour, minute, second, 0});
        SetClockSource([] { return Time; });
    }
    ~FixedClock() { SetClockSource(nullptr); }
    static inline CTime Time;
};

// Delivers everything that is queued, including what the delivered messages post.
inline void PumpMessages() {
    MSG msg;
    for (int left = 1000; left > 0 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); --left) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

inline POINT CentreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

inline POINT ScreenPoint(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    return client;
}

// A mouse message at a screen point, to the window holding the capture, else to the one under it.
inline void MouseAt(UINT message, POINT screen, WPARAM flags = 0) {
    HWND target = ::GetCapture() != nullptr ? ::GetCapture() : ::WindowFromPoint(screen);
    ::ScreenToClient(target, &screen);
    ::SendMessageA(target, message, flags, MAKELPARAM(screen.x, screen.y));
    PumpMessages();
}

// A right click is only its press: a drop-down cancels on it, and the release would go to
// whatever lies under the drop-down.
inline void ClickAt(POINT screen, bool right = false) {
    MouseAt(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, screen, right ? MK_RBUTTON : MK_LBUTTON);
    if (!right) MouseAt(WM_LBUTTONUP, screen);
}

// The pixels, row by row, of a picture of the size that paint makes on a memory device context.
template <class Paint>
std::vector<COLORREF> Picture(SIZE size, Paint paint) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    ::ReleaseDC(nullptr, screen);
    ::SelectObject(dc, bitmap);
    paint(dc);
    std::vector<COLORREF> pixels;
    for (int index = 0; index < size.cx * size.cy; ++index) pixels.push_back(::GetPixel(dc, index % size.cx, index / size.cx));
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
    return pixels;
}

// The program's main dialog, made once and kept: under Wine without a window manager, taking
// a shown top-level window down costs two seconds.
inline CDialog& MainDialog() {
    static CDialog* dialog = [] {
        auto* made = new CDialog();
        made->Create(IDD_MAIN);
        ::SetWindowPos(made->m_hWnd, HWND_TOP, 300, 200, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(made->m_hWnd);
        return made;
    }();
    return *dialog;
}

// A fresh field of the kind in its placeholder's place in the main dialog, with the focus outside
// it; the field destroys its placeholder, so each test leaves a new one behind.
template <class Field, int PlaceholderId, int FieldId>
class FieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::GetWindowRect(m_dialog.GetDlgItem(PlaceholderId), &m_placeholder);
        ::MapWindowPoints(nullptr, m_dialog.m_hWnd, reinterpret_cast<POINT*>(&m_placeholder), 2);
        ::SetFocus(m_dialog.GetDlgItem(IDC_LOG_PLACEHOLDER));
        ASSERT_TRUE(m_field.Create(PlaceholderId, FieldId, &m_dialog, nullptr, 9));
    }
    void TearDown() override {
        const RECT& place = m_placeholder;
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD, place.left, place.top, place.right - place.left,
                          place.bottom - place.top, m_dialog.m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(PlaceholderId)), nullptr, nullptr);
    }
    bool IsOpen() const { return m_field.IsDroppedDown(); }
    std::string Text() const { return m_field.GetText().Str(); }
    void ClickArrow() { ClickAt(CentreOf(m_field.GetArrowRect())); }
    // Opens the drop-down on the value that the text gives the field.
    void Open(const char* text) {
        m_field.SetText(text);
        ClickArrow();
        ASSERT_TRUE(IsOpen());
    }
    // Types the text into the field, then the focus leaves it (as by Tab).
    void Type(const char* text) {
        m_field.GetEdit().SetFocus();
        m_field.SetText(text);
        LeaveField();
    }
    void LeaveField() {
        ::SetFocus(m_dialog.GetDlgItem(IDC_LOG_PLACEHOLDER));
        PumpMessages();
    }

    CDialog& m_dialog = MainDialog();
    Field m_field;
    RECT m_placeholder{};
};
