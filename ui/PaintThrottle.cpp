#include "ui/PaintThrottle.h"

bool PaintThrottle::Intercept(HWND window, UINT message, WPARAM wParam) {
    if (message == WM_PAINT || message == WM_NCPAINT) {
        const DWORD now = ::GetTickCount();
        if (now - m_lastChange >= kInterval || now - m_lastPaint >= kInterval) {
            if (message == WM_PAINT) m_lastPaint = now;
            return false;
        }
        if (message == WM_PAINT) ::ValidateRect(window, nullptr);  // or the loop asks again at once
        if (!m_owed) {
            m_owed = true;
            ::SetTimer(window, m_timerId, kInterval - (now - m_lastPaint), nullptr);
        }
        return true;
    }
    if (message == WM_TIMER && wParam == m_timerId) {
        ::KillTimer(window, m_timerId);
        m_owed = false;
        m_lastPaint = ::GetTickCount() - kInterval;
        // Scrolling may have moved pixels that were never repainted: all of it, frame included.
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        return true;
    }
    return false;
}
