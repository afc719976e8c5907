// A top-level window to hold the log view and the bars under test, as the main dialog would.
// It stays hidden: hiding a shown top-level window costs Wine two seconds without a window
// manager, and the controls behave alike either way.
#pragma once

#include "framework/CWnd.h"

#include <commctrl.h>

class BarsParent : public CWnd {
public:
    explicit BarsParent(int width = 640, int height = 480) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&classes);
        CreateEx(0, nullptr, "Fendrix", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                 RECT{10, 10, 10 + width, 10 + height}, nullptr, 0);
    }

    // A plain edit control standing where a control of the program will be created.
    HWND AddPlaceholder(int id, const RECT& rect) {
        return ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                 nullptr);
    }

    // Puts the window on the screen, for tests of what is drawn (it then costs two seconds to close).
    void Show() {
        ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow();
    }

    // Dispatches the waiting messages, as the run's message pump does between files.
    static void PumpPending() {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    // Dispatches messages for the given time, as the dialog's loop does.
    static void PumpFor(DWORD milliseconds) {
        const DWORD start = ::GetTickCount();
        do {
            PumpPending();
            ::Sleep(5);
        } while (::GetTickCount() - start < milliseconds);
    }

    // Pixels of the window's client area (its own coordinates) drawn in the colour.
    static int CountPixels(HWND window, const RECT& area, COLORREF colour) {
        HDC dc = ::GetDC(window);
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) count += ::GetPixel(dc, x, y) == colour ? 1 : 0;
        }
        ::ReleaseDC(window, dc);
        return count;
    }

    // Makes the client area exactly width x height pixels.
    void SetClientSize(int width, int height) {
        const RECT window = GetWindowRect();
        const RECT client = GetClientRect();
        const int extraX = (window.right - window.left) - client.right;
        const int extraY = (window.bottom - window.top) - client.bottom;
        SetWindowPos(nullptr, 0, 0, width + extraX, height + extraY, SWP_NOMOVE | SWP_NOZORDER);
    }
};
