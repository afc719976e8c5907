#include "ui/ExecutionLog.h"

#include "framework/CDC.h"

#include <climits>
#include <cstring>
#include <string>

ExecutionLog::~ExecutionLog() {
    // The window goes before its font.
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

BOOL ExecutionLog::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style |= static_cast<LONG>(StyleBits);
    cs.dwExStyle |= ExStyleBits;
    return CRichEditCtrl::PreCreateWindow(cs);
}

bool ExecutionLog::CreateInPlace(int placeholderId, int newId, CWnd* parent, const char* fontFace, int pointSize) {
    if (parent == nullptr) return false;
    HWND placeholder = parent->GetDlgItem(placeholderId);
    if (placeholder == nullptr) return false;
    RECT rect{};
    ::GetWindowRect(placeholder, &rect);
    parent->ScreenToClient(rect);
    ::DestroyWindow(placeholder);

    if (!Create(WS_CHILD | WS_VISIBLE | StyleBits, rect, parent, static_cast<UINT>(newId))) return false;

    CClientDC dc(this);
    if (!m_font.CreatePointFont(pointSize * 10, fontFace, dc)) return false;
    SetFont(m_font, TRUE);
    return true;
}

long ExecutionLog::NextLimit(long limit) {
    // 64-bit arithmetic and a step of at least one: a limit below 4 would otherwise never
    // grow, and one of tens of millions would overflow into a negative limit.
    const long long current = limit > 0 ? limit : 0;
    const long long step = current * 30 / 100;
    const long long next = current + (step > 0 ? step : 1);
    return next < LONG_MAX ? static_cast<long>(next) : LONG_MAX;
}

long ExecutionLog::TextLength() const {
    // What GetWindowTextLength gives (characters, a line end counted as CR LF), without
    // WM_GETTEXTLENGTH, which may convert the whole text to count its bytes.
    GETTEXTLENGTHEX how{GTL_USECRLF | GTL_NUMCHARS, CP_ACP};
    return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
}

void ExecutionLog::AppendText(const char* text, COLORREF colour) {
    if (m_hWnd == nullptr) return;
    if (text == nullptr || *text == '\0') {
        m_pending.clear();
        SetSel(0, -1);
        ReplaceSel("");
        LimitText(0);
        m_firstVisible = -1;
        return;
    }
    // Lines of one colour that come in a burst go in with one insert; anything that looks at
    // the view, and the timer, first puts them in, so no one ever sees the view without them.
    if (!m_pending.empty() && colour != m_pendingColour) InsertPending();
    m_pendingColour = colour;
    m_pending += text;
    if (std::strcmp(text, "\r\n") != 0) m_pending += "\r\n";
    if (m_pending.size() >= kLargestBurst) {
        InsertPending();
    } else if (!m_insertScheduled) {
        m_insertScheduled = ::SetTimer(m_hWnd, kInsertTimer, kInsertDelayMs, nullptr) != 0;
        if (!m_insertScheduled) InsertPending();
    }
}

void ExecutionLog::InsertPending() {
    if (m_pending.empty() || m_appending) return;
    m_appending = true;
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = 0;  // not the automatic colour
    format.crTextColor = m_pendingColour;

    const long oldLength = TextLength();
    const long needed = oldLength + static_cast<long>(m_pending.size());
    for (long limit = GetLimitText(); needed >= limit;) {
        LimitText(NextLimit(limit));
        const long raised = GetLimitText();
        if (raised <= limit) break;  // the control takes no larger limit
        limit = raised;
    }

    // Drawn at once, the insert, the scroll and every scroll-bar update would each reach the
    // screen; instead the view is drawn once afterwards, as soon as the interval allows.
    m_paints.NoteChange();
    const bool shown = IsWindowVisible() != FALSE;
    const int first = FirstVisibleLine();  // before the insert, which does not move the view
    if (shown) SendMessage(WM_SETREDRAW, FALSE);

    SetSel(oldLength, oldLength);
    SetSelectionCharFormat(format);
    ReplaceSel(m_pending.c_str(), FALSE);
    m_pending.clear();

    const int lines = GetLineCount();
    const int visible = GetVisibleLineCount();
    if (lines - first > visible) {
        LineScroll(lines - first - visible);
        m_firstVisible = lines - visible;
    }
    if (shown) {
        SendMessage(WM_SETREDRAW, TRUE);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    }
    m_appending = false;
}

int ExecutionLog::GetVisibleLineCount() {
    CClientDC dc(this);
    // The font this view was given; the platform's rich edit may not answer WM_GETFONT.
    const HGDIOBJ previous = dc.SelectObject(m_font.GetSafeHandle() != nullptr ? m_font.GetSafeHandle() : GetFont());
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, "Aj", 2, &extent);
    dc.SelectObject(previous);
    if (extent.cy <= 0) return 0;
    const RECT client = GetClientRect();
    return static_cast<int>((client.bottom - client.top) / extent.cy);
}

int ExecutionLog::FirstVisibleLine() {
    if (m_firstVisible < 0) m_firstVisible = GetFirstVisibleLine();
    return m_firstVisible;
}

void ExecutionLog::ForgetViewUnlessOwnMessage(UINT message, WPARAM wParam) {
    if (m_appending) return;
    // The control's own timers scroll the view while the user drags a selection.
    if (message == WM_TIMER && wParam != kPaintTimer) {
        m_firstVisible = -1;
        return;
    }
    switch (message) {
        case WM_PAINT:
        case WM_NCPAINT:
        case WM_ERASEBKGND:
        case WM_NCHITTEST:
        case WM_SETCURSOR:
        case WM_GETTEXTLENGTH:
        case EM_GETTEXTLENGTHEX:
        case EM_GETLIMITTEXT:
        case EM_EXLIMITTEXT:
        case EM_GETLINECOUNT:
        case EM_GETFIRSTVISIBLELINE:
            return;
        default:
            m_firstVisible = -1;  // scrolling, keys, mouse, sizing, fonts: ask again
    }
}

LRESULT ExecutionLog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kInsertTimer) {
        ::KillTimer(m_hWnd, kInsertTimer);
        m_insertScheduled = false;
        InsertPending();
        return 0;
    }
    if (!m_appending && message != WM_NCDESTROY && message != WM_DESTROY) InsertPending();
    ForgetViewUnlessOwnMessage(message, wParam);
    // A paint costs far more than an append of a line.
    if (m_paints.Intercept(m_hWnd, message, wParam)) return 0;
    return CRichEditCtrl::WindowProc(message, wParam, lParam);
}
