// The log view's selection: by mouse and keyboard, the caret, and copying to the clipboard.
#include "framework/Seams.h"
#include "ui/ExecutionLog.h"

#include <algorithm>
#include <cstring>

namespace {

bool KeyIsDown(int key) { return ::GetKeyState(key) < 0; }

template <typename T>
bool PutOnClipboard(UINT format, const T* data, size_t size) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) return false;
    void* target = ::GlobalLock(memory);
    if (target != nullptr) std::memcpy(target, data, size);
    ::GlobalUnlock(memory);
    if (target != nullptr && ::SetClipboardData(format, memory) != nullptr) return true;
    ::GlobalFree(memory);
    return false;
}

}  // namespace

LogPosition ExecutionLog::HitTest(POINT point) {
    const int row = point.y >= 0 ? point.y / m_lineHeight : -1 - (-1 - point.y) / m_lineHeight;
    const int line = std::max(0, std::min(m_first + row, m_text.LineCount()));
    if (line == m_text.LineCount()) return m_text.End();
    MeasuringDC dc(this);
    return LogPosition{line, OffsetAtX(dc, line, point.x - TextLeft())};
}

int ExecutionLog::OffsetAtX(HDC dc, int line, int x) const {
    // The character boundary nearest to x; widths come from the font, never from byte counts.
    const std::vector<int> starts = m_text.CharacterStarts(line);
    const char* bytes = m_text.LineBytes(line);
    size_t low = 0;
    size_t high = starts.size() - 1;
    while (low < high) {  // the last boundary at or left of x
        const size_t middle = (low + high + 1) / 2;
        if (Extent(dc, bytes, starts[middle]) <= x) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    if (low + 1 < starts.size()) {
        const int left = Extent(dc, bytes, starts[low]);
        const int right = Extent(dc, bytes, starts[low + 1]);
        if (x - left > right - x) ++low;
    }
    return starts[low];
}

int ExecutionLog::CaretX() {
    if (m_caret.Line >= m_text.LineCount()) return 0;
    MeasuringDC dc(this);
    return Extent(dc, m_text.LineBytes(m_caret.Line), m_caret.Offset);
}

void ExecutionLog::MoveCaret(LogPosition to, bool extend) {
    const bool hadSelection = m_anchor != m_caret;
    m_caret = to;
    if (!extend) m_anchor = to;
    if (hadSelection || m_anchor != m_caret) Invalidate(FALSE);
    PlaceCaret();
}

void ExecutionLog::PlaceCaret() {
    if (::GetFocus() != m_hWnd) return;
    ::SetCaretPos(TextLeft() + CaretX(), (m_caret.Line - m_first) * m_lineHeight);
}

void ExecutionLog::EnsureCaretVisible() {
    int first = m_first;
    if (m_caret.Line < first) first = m_caret.Line;
    if (m_caret.Line >= first + m_visibleRows) first = m_caret.Line - std::max(1, m_visibleRows) + 1;
    const int x = CaretX();
    const int room = std::max(1, m_clientWidth - 2 * kMargin);
    int left = m_xOffset;
    if (x < left) left = std::max(0, x - room / 4);
    if (x >= left + room) left = x - room + room / 4;
    ScrollView(first, left);
}

bool ExecutionLog::OnKeyDown(WPARAM key) {
    const bool control = KeyIsDown(VK_CONTROL);
    if (control && key == 'A') {
        SelectAll();
        return true;
    }
    if (control && (key == 'C' || key == VK_INSERT)) {
        CopySelection();
        return true;
    }
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            MoveCaretByKey(key, control, KeyIsDown(VK_SHIFT));
            return true;
        default:
            return false;
    }
}

void ExecutionLog::MoveCaretByKey(WPARAM key, bool control, bool shift) {
    const int page = std::max(1, m_visibleRows);
    const bool vertical = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT;
    if (vertical && control && (key == VK_UP || key == VK_DOWN)) {
        ScrollView(m_first + (key == VK_UP ? -1 : 1), m_xOffset);  // the view moves, the caret stays
        return;
    }
    if (vertical && m_goalX < 0) m_goalX = CaretX();
    if (!vertical) m_goalX = -1;
    LogPosition to = m_caret;
    switch (key) {
        case VK_LEFT: to = m_text.Previous(m_caret); break;
        case VK_RIGHT: to = m_text.Next(m_caret); break;
        case VK_UP: to = LineAtGoal(m_caret.Line - 1); break;
        case VK_DOWN: to = LineAtGoal(m_caret.Line + 1); break;
        case VK_PRIOR:
            ScrollView(m_first - page, m_xOffset);
            to = LineAtGoal(m_caret.Line - page);
            break;
        case VK_NEXT:
            ScrollView(m_first + page, m_xOffset);
            to = LineAtGoal(m_caret.Line + page);
            break;
        case VK_HOME: to = control ? LogPosition{} : LogPosition{m_caret.Line, 0}; break;
        case VK_END: to = control ? m_text.End() : m_text.LineEnd(m_caret.Line); break;
        default: break;
    }
    MoveCaret(to, shift);
    EnsureCaretVisible();
}

LogPosition ExecutionLog::LineAtGoal(int line) {
    line = std::max(0, std::min(line, m_text.LineCount()));
    if (line == m_text.LineCount()) return m_text.End();
    MeasuringDC dc(this);
    return LogPosition{line, OffsetAtX(dc, line, m_goalX)};
}

void ExecutionLog::OnButtonDown(POINT point, bool extend) {
    SetFocus();
    m_goalX = -1;
    MoveCaret(HitTest(point), extend);
    m_dragPoint = point;
    m_dragging = true;
    ::SetCapture(m_hWnd);
    // While the button is held outside the view, the timer keeps scrolling towards it.
    SetTimer(kDragTimer, kRefreshInterval);
}

void ExecutionLog::OnDoubleClick(POINT point) {
    LogPosition start;
    LogPosition end;
    m_text.WordAround(HitTest(point), &start, &end);
    MoveCaret(start, false);
    MoveCaret(end, true);
}

void ExecutionLog::DragTo(POINT point) {
    if (!m_dragging) return;
    m_dragPoint = point;
    MoveCaret(HitTest(point), true);
}

void ExecutionLog::DragStep() {
    if (!m_dragging) return;
    const RECT client = GetClientRect();
    const POINT point = m_dragPoint;
    const int down = point.y < client.top ? -1 : point.y >= client.bottom ? 1 : 0;
    const int right = point.x < client.left ? -1 : point.x >= client.right ? 1 : 0;
    if (down == 0 && right == 0) return;
    ScrollView(m_first + down, m_xOffset + right * m_charWidth);
    DragTo(point);
}

void ExecutionLog::EndDrag() {
    if (!m_dragging) return;
    m_dragging = false;
    KillTimer(kDragTimer);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void ExecutionLog::SelectAll() {
    m_goalX = -1;
    MoveCaret(LogPosition{}, false);
    MoveCaret(m_text.End(), true);
}

void ExecutionLog::CopySelection() {
    if (m_anchor == m_caret) return;
    const std::string text = GetSelectedText();
    // The locale tells a reader of the text in another code page that it is Shift-JIS.
    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
    bool copied = false;
    if (::OpenClipboard(m_hWnd)) {
        ::EmptyClipboard();
        copied = PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
        if (copied) PutOnClipboard(CF_LOCALE, &japanese, sizeof japanese);
        ::CloseClipboard();
    }
    if (!copied) seams::PlayBeep(MB_ICONASTERISK);
}
