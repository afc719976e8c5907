#include "ui/ExecutionLog.h"

#include "framework/CDC.h"

#include <climits>
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
        SetSel(0, -1);
        ReplaceSel("");
        LimitText(0);
        return;
    }

    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = 0;  // not the automatic colour
    format.crTextColor = colour;

    // One buffer for all lines: no heap allocation per line.
    std::string& line = m_line;
    line.assign(text);
    if (line != "\r\n") line += "\r\n";

    const long oldLength = TextLength();
    const long needed = oldLength + static_cast<long>(line.size());
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
    if (shown) SendMessage(WM_SETREDRAW, FALSE);

    SetSel(oldLength, oldLength);
    SetSelectionCharFormat(format);
    ReplaceSel(line.c_str(), FALSE);

    const int lines = GetLineCount();
    const int first = GetFirstVisibleLine();
    const int visible = GetVisibleLineCount();
    if (lines - first > visible) LineScroll(lines - first - visible);

    if (shown) {
        SendMessage(WM_SETREDRAW, TRUE);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    }
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

LRESULT ExecutionLog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A paint costs far more than an append of a line.
    if (m_paints.Intercept(m_hWnd, message, wParam)) return 0;
    return CRichEditCtrl::WindowProc(message, wParam, lParam);
}
