// A top-level window holding the log view and the bars under test, as the main dialog does.
// It stays hidden unless a test looks at pixels: closing a shown window costs Wine two
// seconds without a window manager.
#pragma once

#include "framework/CWnd.h"

#include <commctrl.h>

class BarsParent : public CWnd {
public:
    BarsParent() {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&classes);
        CreateEx(0, nullptr, "Fendrix", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, RECT{10, 10, 650, 490}, nullptr, 0);
    }

    // Dispatches what waits, as the run does between files, until the time has passed.
    static void Pump(DWORD milliseconds = 0) {
        const DWORD start = ::GetTickCount();
        for (;;) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
            if (::GetTickCount() - start >= milliseconds) return;
            ::Sleep(5);
        }
    }
};
