#include "engine/MessagePump.h"

#include <windows.h>

namespace {

constexpr DWORD kPumpIntervalMs = 10;
DWORD g_lastPump = 0;

}  // namespace

void PumpMessages() {
    g_lastPump = GetTickCount();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the loop that owns it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpMessagesIfDue() {
    if (GetTickCount() - g_lastPump >= kPumpIntervalMs) PumpMessages();
}
