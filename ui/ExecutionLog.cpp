// The log view's window: creation, appending, refreshing, scrolling, painting and its text.
#include "ui/ExecutionLog.h"

#include <windowsx.h>

#include <algorithm>

namespace {

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

ExecutionLog::MeasuringDC::MeasuringDC(ExecutionLog* view)
    : CClientDC(view), m_previous(SelectObject(view->Font())) {}

ExecutionLog::MeasuringDC::~MeasuringDC() { SelectObject(m_previous); }

ExecutionLog::~ExecutionLog() {
    // The window goes before its font.
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

BOOL ExecutionLog::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style |= static_cast<LONG>(StyleBits);
    cs.dwExStyle |= ExStyleBits;
    return CWnd::PreCreateWindow(cs);
}

bool ExecutionLog::CreateInPlace(int placeholderId, int newId, CWnd* parent, const char* fontFace, int pointSize) {
    if (parent == nullptr) return false;
    HWND placeholder = parent->GetDlgItem(placeholderId);
    if (placeholder == nullptr) return false;
    RECT rect{};
    ::GetWindowRect(placeholder, &rect);
    parent->ScreenToClient(rect);
    ::DestroyWindow(placeholder);

    const char* windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_IBEAM));
    if (!CreateEx(0, windowClass, nullptr, WS_CHILD | WS_VISIBLE, rect, parent->m_hWnd, static_cast<UINT>(newId))) {
        return false;
    }
    CClientDC dc(this);
    if (!m_font.CreatePointFont(pointSize * 10, fontFace, dc)) return false;
    SetFont(m_font, TRUE);
    return true;
}

HFONT ExecutionLog::Font() const {
    return m_viewFont != nullptr ? m_viewFont : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
}

void ExecutionLog::SetViewFont(HFONT font, bool redraw) {
    m_viewFont = font;
    {
        MeasuringDC dc(this);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        m_lineHeight = std::max(1, static_cast<int>(metrics.tmHeight));
        m_charWidth = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    }
    m_widest = 0;
    m_measured = 0;
    MeasureNewLines();
    OnSize();
    if (redraw) Invalidate(FALSE);
}

void ExecutionLog::UpdateMetrics() {
    const RECT client = GetClientRect();
    m_clientWidth = client.right - client.left;
    m_visibleRows = (client.bottom - client.top) / m_lineHeight;
}

int ExecutionLog::MaxFirst() const { return std::max(0, RowCount() - std::max(1, m_visibleRows)); }

int ExecutionLog::MaxX() const { return std::max(0, m_widest + 2 * kMargin - m_clientWidth); }

void ExecutionLog::AppendText(const char* text, COLORREF colour) {
    if (m_hWnd == nullptr) return;
    if (text == nullptr || *text == '\0') {
        Clear();
        return;
    }
    const int firstNewRow = RowCount() - 1;
    m_text.Append(text, colour);
    if (m_followEnd && m_first != MaxFirst()) {
        m_first = MaxFirst();
        m_repaintNeeded = true;
    }
    if (firstNewRow <= m_first + m_visibleRows) m_repaintNeeded = true;
    ScheduleRefresh();
}

void ExecutionLog::Clear() {
    m_text.Clear();
    m_first = 0;
    m_xOffset = 0;
    m_followEnd = true;
    m_widest = 0;
    m_measured = 0;
    m_anchor = m_caret = LogPosition{};
    m_goalX = -1;
    m_repaintNeeded = true;
    ScheduleRefresh();
}

void ExecutionLog::ScheduleRefresh() {
    if (m_refreshPending) return;
    const DWORD sinceLast = ::GetTickCount() - m_lastRefresh;
    if (sinceLast >= kRefreshInterval) {
        Refresh();
        return;
    }
    m_refreshPending = ::SetTimer(m_hWnd, kRefreshTimer, kRefreshInterval - sinceLast, nullptr) != 0;
    if (!m_refreshPending) Refresh();
}

void ExecutionLog::Refresh() {
    if (m_refreshPending) ::KillTimer(m_hWnd, kRefreshTimer);
    m_refreshPending = false;
    m_lastRefresh = ::GetTickCount();
    MeasureNewLines();
    UpdateScrollBars();
    if (m_repaintNeeded) Invalidate(FALSE);
    m_repaintNeeded = false;
    PlaceCaret();
}

void ExecutionLog::MeasureNewLines() {
    if (m_measured >= m_text.LineCount()) return;
    MeasuringDC dc(this);
    for (; m_measured < m_text.LineCount(); ++m_measured) {
        m_widest = std::max(m_widest, Extent(dc, m_text.LineBytes(m_measured), m_text.LineLength(m_measured)));
    }
}

void ExecutionLog::UpdateScrollBars() {
    // Showing or hiding a bar resizes the client area, which changes the other bar's page.
    m_updatingBars = true;
    for (int pass = 0; pass < 3; ++pass) {
        m_resizedWhileUpdating = false;
        const bool keepBar = (GetStyle() & kKeepVerticalBar) != 0;
        SCROLLINFO vertical{sizeof vertical, SIF_RANGE | SIF_PAGE | SIF_POS | (keepBar ? SIF_DISABLENOSCROLL : 0u), 0,
                            RowCount() - 1, static_cast<UINT>(m_visibleRows), m_first, 0};
        ::SetScrollInfo(m_hWnd, SB_VERT, &vertical, TRUE);
        SCROLLINFO horizontal{sizeof horizontal, SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_widest + 2 * kMargin - 1,
                              static_cast<UINT>(std::max(0, m_clientWidth)), m_xOffset, 0};
        ::SetScrollInfo(m_hWnd, SB_HORZ, &horizontal, TRUE);
        if (!m_resizedWhileUpdating) break;
    }
    m_updatingBars = false;
}

void ExecutionLog::OnSize() {
    UpdateMetrics();
    // A view that follows the end keeps following it, however the size changes.
    m_first = m_followEnd ? MaxFirst() : std::min(m_first, MaxFirst());
    m_followEnd = m_followEnd || EndInView();
    m_xOffset = std::min(m_xOffset, MaxX());
    if (m_updatingBars) {
        m_resizedWhileUpdating = true;
        return;
    }
    UpdateScrollBars();
    Invalidate(FALSE);
    PlaceCaret();
}

void ExecutionLog::ScrollView(int first, int x) {
    first = Clamp(first, 0, MaxFirst());
    x = Clamp(x, 0, MaxX());
    const bool moved = first != m_first || x != m_xOffset;
    m_first = first;
    m_xOffset = x;
    m_followEnd = EndInView();
    if (!moved) return;
    UpdateScrollBars();
    Invalidate(FALSE);
    UpdateWindow();
    PlaceCaret();
}

void ExecutionLog::OnScroll(int bar, int code) {
    // The position in the message has 16 bits; the bar's own has 32.
    SCROLLINFO track{sizeof track, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_hWnd, bar, &track);
    const bool vertical = bar == SB_VERT;
    const int position = vertical ? m_first : m_xOffset;
    const int line = vertical ? 1 : m_charWidth;
    const int page = vertical ? std::max(1, m_visibleRows) : std::max(1, m_clientWidth - m_charWidth);
    int target = position;
    switch (code) {
        case SB_LINEUP: target = position - line; break;
        case SB_LINEDOWN: target = position + line; break;
        case SB_PAGEUP: target = position - page; break;
        case SB_PAGEDOWN: target = position + page; break;
        case SB_TOP: target = 0; break;
        case SB_BOTTOM: target = vertical ? MaxFirst() : MaxX(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: target = track.nTrackPos; break;
        default: return;
    }
    if (vertical) {
        ScrollView(target, m_xOffset);
    } else {
        ScrollView(m_first, target);
    }
}

void ExecutionLog::OnMouseWheel(int delta) {
    UINT perNotch = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
    const int lines = perNotch == WHEEL_PAGESCROLL ? std::max(1, m_visibleRows) : static_cast<int>(perNotch);
    m_wheel += delta;
    const int notches = m_wheel / WHEEL_DELTA;
    m_wheel -= notches * WHEEL_DELTA;
    ScrollView(m_first - notches * lines, m_xOffset);
}

int ExecutionLog::Extent(HDC dc, const char* bytes, int length) {
    if (length <= 0) return 0;
    SIZE size{};
    ::GetTextExtentPoint32A(dc, bytes, length, &size);
    return static_cast<int>(size.cx);
}

void ExecutionLog::Paint(HDC dc, const RECT& area) {
    const HGDIOBJ previous = ::SelectObject(dc, Font());
    const RECT client = GetClientRect();
    const int firstRow = std::max(0, static_cast<int>(area.top) / m_lineHeight);
    const int endRow = (static_cast<int>(area.bottom) + m_lineHeight - 1) / m_lineHeight;
    for (int row = firstRow; row < endRow; ++row) {
        const int line = m_first + row;
        const RECT rect{client.left, row * m_lineHeight, client.right, (row + 1) * m_lineHeight};
        if (line < m_text.LineCount()) {
            DrawLine(dc, line, rect);
        } else {
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
        }
    }
    ::SelectObject(dc, previous);
}

void ExecutionLog::DrawLine(HDC dc, int line, const RECT& row) {
    const char* bytes = m_text.LineBytes(line);
    const int length = m_text.LineLength(line);
    ::SetTextColor(dc, m_text.LineColour(line));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::ExtTextOutA(dc, TextLeft(), row.top, ETO_OPAQUE | ETO_CLIPPED, &row, bytes, static_cast<UINT>(length), nullptr);

    const LogPosition from = std::min(m_anchor, m_caret);
    const LogPosition to = std::max(m_anchor, m_caret);
    if (from == to || line < from.Line || line > to.Line) return;
    // The selected part again, in the selection's colours, over the first drawing.
    const int begin = from.Line == line ? from.Offset : 0;
    const int end = to.Line == line ? to.Offset : length;
    const int lineBreak = to.Line > line ? m_charWidth : 0;
    RECT selected{TextLeft() + Extent(dc, bytes, begin), row.top, TextLeft() + Extent(dc, bytes, end) + lineBreak,
                  row.bottom};
    selected.left = std::max(selected.left, row.left);
    if (selected.right <= selected.left) return;
    ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
    ::ExtTextOutA(dc, TextLeft(), row.top, ETO_OPAQUE | ETO_CLIPPED, &selected, bytes, static_cast<UINT>(length), nullptr);
}

LRESULT ExecutionLog::GetText(WPARAM room, LPARAM buffer) const {
    if (room == 0 || buffer == 0) return 0;
    return static_cast<LRESULT>(m_text.CopyText(reinterpret_cast<char*>(buffer), room));
}

LRESULT ExecutionLog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetViewFont(nullptr, false);
            break;
        case WM_SETFONT:
            SetViewFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_viewFont);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(m_text.TextLength());
        case WM_GETTEXT:
            return GetText(wParam, lParam);
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_TIMER:
            if (wParam == kRefreshTimer) {
                Refresh();
                return 0;
            }
            if (wParam == kDragTimer) {
                DragStep();
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(m_hWnd, &paint);
            Paint(dc, paint.rcPaint);
            ::EndPaint(m_hWnd, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam), GetClientRect());
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (OnKeyDown(wParam)) return 0;
            break;
        case WM_COPY:
            CopySelection();
            return 0;
        case WM_SETFOCUS:
            ::CreateCaret(m_hWnd, nullptr, 1, m_lineHeight);
            PlaceCaret();
            ::ShowCaret(m_hWnd);
            return 0;
        case WM_KILLFOCUS:
            ::DestroyCaret();
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnDoubleClick(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            if (m_dragging) DragTo(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            EndDrag();
            break;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
