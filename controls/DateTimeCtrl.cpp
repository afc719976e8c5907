#include "controls/DateTimeCtrl.h"

#include "controls/DrawAlignedText.h"
#include "controls/KitDraw.h"
#include "engine/DateTime.h"
#include "framework/CDC.h"

#include <algorithm>

namespace {

constexpr int kDateTimeMode = DT_DATE | DT_TIME;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

bool IsRightButton(UINT message) {
    return message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_RBUTTONDBLCLK;
}

}  // namespace

RECT CDateTimeCtrl::GetDropDownRect() {
    const int textHeight = MeasureText(nullptr, " O K  ｷｬﾝｾﾙ").cy;
    if (m_calendar.m_hWnd == nullptr || m_clock.m_hWnd == nullptr) return CalcDropDownRect(0, 2 * textHeight + 2);
    const RECT calendar = m_calendar.GetWindowRect();
    const RECT clock = m_clock.GetWindowRect();
    int height = std::max(Height(calendar), Height(clock));
    if (m_dropDownMode) height += textHeight + 7;
    return CalcDropDownRect(Width(calendar) + Width(clock) + 1, height);
}

BOOL CDateTimeCtrl::Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                           int pointSize) {
    if (!CCustomCmbDropDownWnd::Create(exStyle, style, rect, id, owner, fontName, pointSize)) return FALSE;
    const RECT start{0, 0, 10, 10};
    if (!m_calendar.Create(0, WS_CHILD | WS_VISIBLE, start, IDC_DTC_CALENDAR, this, nullptr, 9) ||
        !m_clock.Create(0, WS_CHILD | WS_VISIBLE, start, IDC_DTC_CLOCK, this, nullptr, 9)) {
        DestroyWindow();  // a half-built control must not pass for a ready one next time
        return FALSE;
    }
    MoveWindow(GetDropDownRect(), TRUE);

    const RECT calendar = m_calendar.GetDropDownRect();
    const RECT clock = m_clock.GetDropDownRect();
    const int paneHeight = std::max(Height(calendar), Height(clock));
    m_calendar.MoveWindow({0, 0, Width(calendar), paneHeight});
    m_calendar.SetNotifyMessage(WM_DTC_CALENDARNOTIFY);
    m_clock.MoveWindow({Width(calendar) + 1, 0, Width(calendar) + 1 + Width(clock), paneHeight});
    m_clock.SetNotifyMessage(WM_DTC_CLOCKNOTIFY);
    if (m_dropDownMode) {
        m_calendar.SetCaptureWindow(m_owner);
        m_clock.SetSpinCaptureWindow(m_owner);

        const int cancelWidth = MeasureText(nullptr, "ｷｬﾝｾﾙ").cx;
        const RECT client = GetClientRect();
        m_cancel.Create("ｷｬﾝｾﾙ", {client.right - (cancelWidth + 8), paneHeight + 1, client.right, client.bottom}, this,
                        IDC_DTC_CANCEL);
        m_ok.Create("OK", {client.right - 2 * cancelWidth - 17, paneHeight + 1, client.right - cancelWidth - 9,
                           client.bottom},
                    this, IDC_DTC_OK);
        m_cancel.SetRestoreCapture(true);
        m_ok.SetRestoreCapture(true);
    }
    return TRUE;
}

void CDateTimeCtrl::SetDateTime(CTime value, BOOL update) {
    m_value = value;
    m_valueText = FormatClock(value, kDateTimeMode);
    if (!update) return;
    m_calendar.SetDate(value, TRUE);
    const SYSTEMTIME fields = value.GetLocalTm();
    m_clock.SetTime(fields.wHour, fields.wMinute, fields.wSecond);
}

void CDateTimeCtrl::SetDateTimeText(const char* text, BOOL update) {
    SetDateTime(TextToClock(text != nullptr ? text : "", kDateTimeMode), update);
}

void CDateTimeCtrl::TakePanes() {
    CString text;
    text.Format("%s %s", static_cast<const char*>(m_calendar.GetDateText()),
                static_cast<const char*>(m_clock.GetTimeText()));
    SetDateTimeText(text, FALSE);
    NotifyOwner(DDN_CHANGE);
}

void CDateTimeCtrl::OnCalendarChanged() { TakePanes(); }

void CDateTimeCtrl::OnClockChanged() { TakePanes(); }

RECT CDateTimeCtrl::GetLabelRect() const {
    const RECT client = GetClientRect();
    if (m_ok.m_hWnd == nullptr) return {};
    const RECT ok = m_ok.GetRectInParent();
    return {0, ok.top, ok.left - 1, client.bottom};
}

int CDateTimeCtrl::OnMouseEvent(UINT message, UINT flags, int x, int y) {
    if (CCustomCmbDropDownWnd::OnMouseEvent(message, flags, x, y) == 0) return 0;
    const POINT point{x, y};
    if (m_dropDownMode) {
        if (IsRightButton(message)) {
            NotifyOwner(DDN_CANCEL);
            return -1;
        }
        // The host holds the mouse, so the children only see what is passed on to them.
        for (CWnd* child : std::initializer_list<CWnd*>{&m_ok, &m_cancel, &m_calendar, &m_clock}) {
            if (child->m_hWnd == nullptr) continue;
            const RECT rect = child->GetRectInParent();
            if (!::PtInRect(&rect, point)) continue;
            const POINT inChild = MapClientPoint(point, m_hWnd, child->m_hWnd);
            child->PostMessage(message, flags, MAKELPARAM(inChild.x, inChild.y));
            return -1;
        }
    }
    // Only a release on the control itself: one after a drag out of a pane changes nothing.
    const RECT client = GetClientRect();
    if (message == WM_LBUTTONUP && ::PtInRect(&client, point)) {
        SetDateTime(CTime::GetCurrentTime(), TRUE);
        NotifyOwner(DDN_CHANGE);
    }
    return -1;
}

void CDateTimeCtrl::Paint(HDC dc) {
    const RECT client = GetClientRect();
    FillWithColor(dc, client, ::GetSysColor(COLOR_BTNFACE));
    if (m_clock.m_hWnd == nullptr) return;
    const RECT clock = m_clock.GetRectInParent();
    DrawLine(dc, clock.left - 1, clock.top, clock.left - 1, clock.bottom + 1);
    if (!m_dropDownMode) return;
    DrawLine(dc, 0, clock.bottom, client.right + 1, clock.bottom);
    const RECT label = GetLabelRect();
    Selected font(dc, m_font.m_hObject);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    DrawAlignedText(dc, "< 現在の日時 >", label.left, label.top, label.right, label.bottom, 0, 0,
                    DAT_BOLD | DAT_HCENTER | DAT_VCENTER);
}

LRESULT CDateTimeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            Paint(dc);
            return 0;
        }
        case WM_ENABLE:
            for (CWnd* child : std::initializer_list<CWnd*>{&m_calendar, &m_clock, &m_ok, &m_cancel}) {
                if (child->m_hWnd != nullptr) child->EnableWindow(static_cast<BOOL>(wParam));
            }
            Invalidate();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_DTC_OK) {
                NotifyOwner(DDN_OK);
                return 0;
            }
            if (LOWORD(wParam) == IDC_DTC_CANCEL) {
                NotifyOwner(DDN_CANCEL);
                return 0;
            }
            break;
        case WM_DTC_CALENDARNOTIFY:
            OnCalendarChanged();
            return 0;
        case WM_DTC_CLOCKNOTIFY:
            OnClockChanged();
            return 0;
        default:
            break;
    }
    return CCustomCmbDropDownWnd::WindowProc(message, wParam, lParam);
}
