#include "controls/CalendarCtrl.h"

#include "controls/DrawAlignedText.h"
#include "controls/KitDraw.h"
#include "engine/DateTime.h"
#include "framework/CDC.h"

#include <algorithm>
#include <cstdio>

using calendar::Date;

namespace {

const char* const kWeekdayLabels[7] = {"日", "月", "火", "水", "木", "金", "土"};

constexpr int kFirstDayRow = 3;
constexpr int kCaptionRows = 2;

UINT TextFlags(bool enabled) {
    UINT flags = DAT_HCENTER | DAT_VCENTER;
    if (!enabled) flags |= DAT_DISABLED;
    return flags;
}

// The date's fields at the time of day it already had; out-of-range dates are brought back.
CTime DateAt(Date date, CTime timeOfDay) {
    SYSTEMTIME fields = timeOfDay.GetLocalTm();
    fields.wYear = static_cast<WORD>(date.Year);
    fields.wMonth = static_cast<WORD>(date.Month);
    fields.wDay = static_cast<WORD>(date.Day);
    return SystemTimeToClock(&fields, DT_DATE);
}

bool IsLastSelectableMonth(Date shown) { return shown.Year == 2038 && shown.Month == 1; }

}  // namespace

CCalendarCtrl::CCalendarCtrl() {
    std::fill(std::begin(m_days), std::end(m_days), -1);
}

RECT CCalendarCtrl::ClientArea() const { return {0, 0, 7 * m_cellWidth + 2, 10 * m_cellHeight + 6}; }

BOOL CCalendarCtrl::Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                           int pointSize) {
    if (!CCustomCmbDropDownWnd::Create(exStyle, style, rect, id, owner, fontName, pointSize)) return FALSE;
    const RECT client = GetClientRect();
    const SIZE arrow = m_previous.GetBitmapSize();
    const int arrowTop = (kCaptionRows * m_cellHeight - arrow.cy) / 2;
    m_previous.Create({2, arrowTop, 2 + arrow.cx, arrowTop + arrow.cy}, this, IDC_CAL_PREVIOUS);
    m_previous.SetRestoreCapture(true);
    m_next.Create({client.right - arrow.cx - 2, arrowTop, client.right - 2, arrowTop + arrow.cy}, this, IDC_CAL_NEXT);
    m_next.SetRestoreCapture(true);
    m_captionRect = {arrow.cx + 4, 2, client.right - arrow.cx - 4, kCaptionRows * m_cellHeight - 2};
    m_todayRect = {0, 9 * m_cellHeight + 2, client.right, client.bottom};
    m_focusRect = {};
    return TRUE;
}

RECT CCalendarCtrl::GetDropDownRect() {
    SIZE widest{};
    for (int index = 0; index < 7; ++index) {
        const SIZE label = MeasureText(nullptr, GetWeekdayLabel(index));
        widest.cx = std::max(widest.cx, label.cx);
        widest.cy = std::max(widest.cy, label.cy);
    }
    m_cellWidth = widest.cx * 3 / 2;
    m_cellHeight = widest.cy + 2;
    const RECT area = ClientArea();
    return CalcDropDownRect(area.right, area.bottom);
}

calendar::Date CCalendarCtrl::GetSelectedDate() const {
    const SYSTEMTIME fields = m_date.GetLocalTm();
    return {fields.wYear, fields.wMonth, fields.wDay};
}

void CCalendarCtrl::NotifyOwner(int code) { PostToOwner(code, calendar::PackDate(GetSelectedDate())); }

void CCalendarCtrl::SetDateText(const char* text, BOOL repaint) {
    SetDate(TextToClock(text != nullptr ? text : "", DT_DATE), repaint);
}

void CCalendarCtrl::SetDate(CTime value, BOOL repaint) {
    m_date = value;
    m_dateText = FormatClock(value, DT_DATE);
    if (repaint && m_hWnd != nullptr) PaintCalendar(nullptr);
}

void CCalendarCtrl::SetSelected(Date date, BOOL repaint) { SetDate(DateAt(date, m_date), repaint); }

const char* CCalendarCtrl::GetWeekdayLabel(int index) { return kWeekdayLabels[std::clamp(index, 0, 6)]; }

COLORREF CCalendarCtrl::GetDayColor(int year, int month, int day, int column, BOOL header) {
    using namespace calendar_colors;
    const bool dim = !header && (day == -1 || (year == 2038 && month == 1 && day > 19));
    switch (column) {
        case 0: return dim ? kSundayDim : kSunday;
        case 6: return dim ? kSaturdayDim : kSaturday;
        default: return dim ? kWeekdayDim : kWeekday;
    }
}

COLORREF CCalendarCtrlEx::GetDayColor(int year, int month, int day, int column, BOOL header) {
    const COLORREF base = CCalendarCtrl::GetDayColor(year, month, day, column, header);
    if (header || day == -1) return base;
    return calendar::IsHoliday(year, month, day) ? calendar_colors::kHoliday : base;
}

void CCalendarCtrl::DrawCell(HDC dc, int column, int row, const char* text, COLORREF color) {
    ::SetTextColor(dc, color);
    ::SetBkMode(dc, TRANSPARENT);
    const int left = m_cellWidth * column + 1;
    const int top = m_cellHeight * row + 1;
    DrawAlignedText(dc, text, left, top, left + m_cellWidth, top + m_cellHeight, 0, 0, TextFlags(IsWindowEnabled()));
}

void CCalendarCtrl::DrawCaption(HDC dc, int year, int month) {
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    {
        Selected penIn(dc, pen);
        Selected brushIn(dc, brush);
        ::Rectangle(dc, m_captionRect.left, m_captionRect.top, m_captionRect.right, m_captionRect.bottom);
    }

    char text[32];
    std::snprintf(text, sizeof text, "%4d 年 %2d 月", year, month);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    DrawAlignedText(dc, text, m_captionRect.left, m_captionRect.top, m_captionRect.right, m_captionRect.bottom, 0, 0,
                    TextFlags(IsWindowEnabled()));
}

void CCalendarCtrl::DrawToday(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    const bool enabled = IsWindowEnabled() != FALSE;
    const RECT client = GetClientRect();

    FillWithColor(target, m_todayRect, enabled ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNFACE));
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    {
        Selected pen(target, enabled ? ::GetStockObject(BLACK_PEN) : static_cast<HGDIOBJ>(shadow));
        DrawLine(target, 0, m_todayRect.top, client.right + 1, m_todayRect.top);
    }

    CFont bold;
    LOGFONTA font{};
    if (m_font.GetLogFont(&font)) {
        font.lfWeight = FW_BOLD;
        bold.CreateFontIndirect(font);
    }
    Selected boldIn(target, bold.m_hObject != nullptr ? bold.m_hObject : m_font.m_hObject);
    const CString text = CString("今日:") + FormatClock(CTime::GetCurrentTime(), DT_DATE);
    ::SetTextColor(target, RGB(0, 0, 0));
    ::SetBkMode(target, TRANSPARENT);
    DrawAlignedText(target, text, m_todayRect.left, m_todayRect.top, m_todayRect.right, m_todayRect.bottom, 0, 1,
                    TextFlags(enabled));
}

void CCalendarCtrl::Refresh() { DrawToday(nullptr); }

void CCalendarCtrl::PaintCalendar(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    dc = target;
    const Date shown = GetSelectedDate();
    calendar::BuildDayTable(shown.Year, shown.Month, m_days);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font.m_hObject);
    const bool enabled = IsWindowEnabled() != FALSE;
    const RECT client = GetClientRect();
    const int captionBottom = kCaptionRows * m_cellHeight - 2;

    FillWithColor(dc, {0, 0, client.right, captionBottom}, ::GetSysColor(COLOR_BTNFACE));
    FillWithColor(dc, {0, captionBottom, client.right, client.bottom},
                  enabled ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNFACE));
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    {
        Selected pen(dc, enabled ? ::GetStockObject(BLACK_PEN) : static_cast<HGDIOBJ>(shadow));
        DrawLine(dc, 0, captionBottom, client.right + 1, captionBottom);
    }

    DrawCaption(dc, shown.Year, shown.Month);
    for (int column = 0; column < 7; ++column) {
        DrawCell(dc, column, 2, GetWeekdayLabel(column), GetDayColor(shown.Year, shown.Month, 0, column, TRUE));
    }
    for (int cell = 0; cell < calendar::kCells; ++cell) {
        const int day = m_days[cell];
        char text[8];
        if (day > 0) {
            std::snprintf(text, sizeof text, "%d", day);
        } else {
            std::snprintf(text, sizeof text, "*");
        }
        const int column = cell % 7;
        DrawCell(dc, column, kFirstDayRow + cell / 7, text, GetDayColor(shown.Year, shown.Month, day, column, FALSE));
    }
    ::SelectObject(dc, oldFont);

    if (enabled) {
        m_focusRect = {};
        SelectDay(dc, shown.Day);
    }
    DrawToday(dc);
}

BOOL CCalendarCtrl::SelectDay(HDC dc, int day) {
    for (int cell = 0; cell < calendar::kCells; ++cell) {
        if (m_days[cell] == day) return SelectCell(dc, cell % 7, kFirstDayRow + cell / 7);
    }
    return FALSE;
}

BOOL CCalendarCtrl::HitTest(HDC dc, int x, int y) {
    if (m_cellWidth <= 0 || m_cellHeight <= 0) return FALSE;
    const RECT client = GetClientRect();
    if (!::PtInRect(&client, POINT{x, y})) return FALSE;
    return SelectCell(dc, x / m_cellWidth, y / m_cellHeight);
}

BOOL CCalendarCtrl::SelectCell(HDC dc, int column, int row) {
    if (column < 0 || column > 6) return FALSE;
    const int cell = row * 7 + column - 7 * kFirstDayRow;
    if (cell < 0 || cell >= calendar::kCells || m_days[cell] == -1) return FALSE;
    Date shown = GetSelectedDate();
    if (IsLastSelectableMonth(shown) && m_days[cell] > 19) return FALSE;

    const RECT frame{column * m_cellWidth + 2, row * m_cellHeight + 1, column * m_cellWidth + m_cellWidth,
                     row * m_cellHeight + m_cellHeight + 1};
    const bool moved = !::EqualRect(&frame, &m_focusRect);
    if (m_hWnd != nullptr && moved) {
        DrawingDC target(m_hWnd, dc);
        if (!::IsRectEmpty(&m_focusRect)) {
            Selected pen(target, ::GetStockObject(WHITE_PEN));
            Selected brush(target, ::GetStockObject(HOLLOW_BRUSH));
            ::Rectangle(target, m_focusRect.left, m_focusRect.top, m_focusRect.right, m_focusRect.bottom);
        }
        ::DrawFocusRect(target, &frame);
    }
    if (moved) m_focusRect = frame;
    shown.Day = m_days[cell];
    SetSelected(shown, FALSE);
    return TRUE;
}

void CCalendarCtrl::ApplyMonthStep(Date date) {
    SetSelected(date, TRUE);
    NotifyOwner(DDN_CHANGE);
}

void CCalendarCtrl::PreviousMonth() { ApplyMonthStep(calendar::PreviousMonth(GetSelectedDate())); }

void CCalendarCtrl::NextMonth() { ApplyMonthStep(calendar::NextMonth(GetSelectedDate())); }

void CCalendarCtrl::ChooseMonth(int month) { ApplyMonthStep(calendar::WithMonth(GetSelectedDate(), month)); }

void CCalendarCtrl::ChooseYear(int year) { ApplyMonthStep(calendar::WithYear(GetSelectedDate(), year)); }

HMENU CCalendarCtrl::BuildYearMonthMenu(int x) const {
    const Date shown = GetSelectedDate();
    char text[32];

    HMENU years = ::CreatePopupMenu();
    const int firstYear = std::max(1970, shown.Year - 5);
    const int lastYear = std::min(2038, shown.Year + 5);
    for (int year = firstYear; year <= lastYear; ++year) {
        if (year == shown.Year && year != firstYear) ::AppendMenuA(years, MF_SEPARATOR, 0, nullptr);
        std::snprintf(text, sizeof text, "%4d 年", year);
        ::AppendMenuA(years, MF_STRING, ID_CAL_MONTH_BASE + year, text);
        if (year == shown.Year && year != lastYear) ::AppendMenuA(years, MF_SEPARATOR, 0, nullptr);
    }

    HMENU months = ::CreatePopupMenu();
    for (int month = 1; month <= 12; ++month) {
        if (month == shown.Month && month != 1) ::AppendMenuA(months, MF_SEPARATOR, 0, nullptr);
        std::snprintf(text, sizeof text, "%2d 月", month);
        ::AppendMenuA(months, MF_STRING, ID_CAL_MONTH_BASE + month, text);
        if (month == shown.Month && month != 12) ::AppendMenuA(months, MF_SEPARATOR, 0, nullptr);
    }

    if (x > (m_captionRect.left + m_captionRect.right) / 2) {
        ::InsertMenuA(months, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(years), "- 年 -");
        return months;
    }
    ::InsertMenuA(years, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(months), "- 月 -");
    return years;
}

void CCalendarCtrl::TrackYearMonthMenu(int x) {
    HMENU menu = BuildYearMonthMenu(x);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    m_menuTracking = true;
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    m_menuTracking = false;
    ::DestroyMenu(menu);
}

void CCalendarCtrl::ShowYearMonthMenu(int x, int) {
    TrackYearMonthMenu(x);
    if (m_dropDownMode && m_owner != nullptr) ::SetCapture(m_owner);
}

bool CCalendarCtrl::RepostToArrow(UINT message, UINT flags, int x, int y) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return false;
    for (CDropArrowButton* arrow : {&m_previous, &m_next}) {
        if (arrow->m_hWnd == nullptr || !arrow->IsWindowEnabled()) continue;
        const POINT point = MapClientPoint({x, y}, m_hWnd, arrow->m_hWnd);
        const RECT client = arrow->GetClientRect();
        if (::PtInRect(&client, point)) {
            arrow->PostMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
            return true;
        }
    }
    return false;
}

int CCalendarCtrl::OnMouseEvent(UINT message, UINT flags, int x, int y) {
    if (m_menuTracking) return -1;
    if (CCustomCmbDropDownWnd::OnMouseEvent(message, flags, x, y) == 0) return 0;
    if (m_dropDownMode && RepostToArrow(message, flags, x, y)) return -1;

    const int accepted = m_dropDownMode || IsPopupWindow() ? DDN_OK : DDN_CHANGE;
    switch (message) {
        case WM_MOUSEMOVE:
            if ((flags & MK_LBUTTON) != 0 && HitTest(nullptr, x, y)) NotifyOwner(DDN_SELECT);
            break;
        case WM_LBUTTONDOWN:
            HitTest(nullptr, x, y);
            break;
        case WM_LBUTTONUP: {
            const POINT point{x, y};
            if (HitTest(nullptr, x, y)) {
                NotifyOwner(accepted);
            } else if (::PtInRect(&m_todayRect, point)) {
                SetDate(CTime::GetCurrentTime(), TRUE);
                NotifyOwner(accepted);
            } else if (::PtInRect(&m_captionRect, point)) {
                ShowYearMonthMenu(x, y);
            }
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            if (m_dropDownMode) NotifyOwner(DDN_CANCEL);
            break;
        default:
            break;
    }
    return -1;
}

LRESULT CCalendarCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            if (m_dateText.IsEmpty()) SetDate(CTime::GetCurrentTime(), FALSE);
            PaintCalendar(dc);
            return 0;
        }
        case WM_ENABLE:
            m_previous.EnableWindow(static_cast<BOOL>(wParam));
            m_next.EnableWindow(static_cast<BOOL>(wParam));
            Invalidate(FALSE);
            return 0;
        case WM_COMMAND: {
            const UINT id = LOWORD(wParam);
            if (id == IDC_CAL_PREVIOUS) {
                PreviousMonth();
            } else if (id == IDC_CAL_NEXT) {
                NextMonth();
            } else if (id >= ID_CAL_MONTH_BASE + 1 && id <= ID_CAL_MONTH_BASE + 12) {
                ChooseMonth(static_cast<int>(id - ID_CAL_MONTH_BASE));
            } else if (id >= ID_CAL_MONTH_BASE + 1970 && id <= ID_CAL_MONTH_BASE + 2038) {
                ChooseYear(static_cast<int>(id - ID_CAL_MONTH_BASE));
            } else {
                break;
            }
            return 0;
        }
        default:
            break;
    }
    return CCustomCmbDropDownWnd::WindowProc(message, wParam, lParam);
}

int CDateTimeCtrlCalendar::OnMouseEvent(UINT message, UINT flags, int x, int y) {
    if (m_menuTracking) return -1;
    if (RepostToArrow(message, flags, x, y)) return -1;
    return CCalendarCtrl::OnMouseEvent(message, flags, x, y) == 0 ? 0 : -1;
}

void CDateTimeCtrlCalendar::ShowYearMonthMenu(int x, int) {
    TrackYearMonthMenu(x);
    if (m_captureWindow != nullptr) ::SetCapture(m_captureWindow);
}
