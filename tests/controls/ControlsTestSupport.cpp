#include "ControlsTestSupport.h"

#include "framework/Seams.h"

namespace {

std::vector<UINT> g_beeps;
void (*g_previousBeep)(UINT) = nullptr;
CTime g_fixedTime;

void RecordBeep(UINT type) { g_beeps.push_back(type); }
CTime FixedTime() { return g_fixedTime; }

}  // namespace

BeepRecorder::BeepRecorder() {
    g_beeps.clear();
    g_previousBeep = seams::PlayBeep;
    seams::PlayBeep = RecordBeep;
}

BeepRecorder::~BeepRecorder() { seams::PlayBeep = g_previousBeep; }

const std::vector<UINT>& BeepRecorder::Beeps() const { return g_beeps; }

void BeepRecorder::Clear() { g_beeps.clear(); }

FixedClock::FixedClock(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    g_fixedTime = CTime(local);
    SetClockSource(FixedTime);
}

FixedClock::~FixedClock() { SetClockSource(nullptr); }

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 50; ++round) {
        bool any = false;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!any) return;
    }
}

void MouseAt(UINT message, POINT screen, WPARAM flags) {
    HWND target = ::GetCapture();
    if (target == nullptr) target = ::WindowFromPoint(screen);
    if (target == nullptr) return;
    POINT client = screen;
    ::ScreenToClient(target, &client);
    ::SendMessageA(target, message, flags, MAKELPARAM(client.x, client.y));
    PumpMessages();
}

void ClickAt(POINT screen) {
    MouseAt(WM_LBUTTONDOWN, screen, MK_LBUTTON);
    MouseAt(WM_LBUTTONUP, screen, 0);
}

void RightClickAt(POINT screen) {
    MouseAt(WM_RBUTTONDOWN, screen, MK_RBUTTON);
    MouseAt(WM_RBUTTONUP, screen, 0);
}

POINT CentreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

POINT ScreenPoint(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    return client;
}
