// The log view: a read-only pane of coloured lines that keeps its end in view while the end
// is in view. It keeps its lines in a LogText and draws only the lines in view, so a line
// costs the same at any length of the log; while lines keep coming, the screen is brought up
// to date at most once per refresh interval.
#pragma once

#include "framework/CDC.h"
#include "framework/CWnd.h"
#include "framework/Gdi.h"
#include "ui/LogText.h"

#include <string>

class ExecutionLog : public CWnd {
public:
    ExecutionLog() = default;
    ~ExecutionLog() override;

    // A style bit of the view: the vertical scroll bar stays, disabled, while every line fits.
    // The horizontal scroll bar comes and goes with lines wider than the view.
    static constexpr DWORD kKeepVerticalBar = 0x2000;
    // Added to the window's styles when it is created; set them before CreateInPlace.
    DWORD StyleBits = WS_VSCROLL;
    DWORD ExStyleBits = WS_EX_CLIENTEDGE;

    static constexpr DWORD kRefreshInterval = 50;  // milliseconds

    // Replaces the parent's control placeholderId by the view with the id newId, in the
    // same place, with a point font of the face. False when the placeholder is missing or the
    // view or its font cannot be made.
    bool CreateInPlace(int placeholderId, int newId, CWnd* parent, const char* fontFace, int pointSize);

    // Appends the text as one line (or several where it holds line breaks) in the colour;
    // "\r\n" adds one empty line. When the end of the log was in view, the view follows it.
    // An empty text clears the view.
    void AppendText(const char* text, COLORREF colour);

    // Whole lines of the view's font that fit into its client area.
    int GetVisibleLineCount() const { return m_visibleRows; }
    // The lines of text and the empty line after the last of them, where the end is.
    int GetLineCount() const { return m_text.LineCount() + 1; }
    int GetFirstVisibleLine() const { return m_first; }
    const LogText& Text() const { return m_text; }
    // The selected text, CR LF between lines.
    std::string GetSelectedText() const { return m_text.Range(m_anchor, m_caret); }

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A device context of the view with its font selected, for measuring text.
    class MeasuringDC : public CClientDC {
    public:
        explicit MeasuringDC(ExecutionLog* view);
        ~MeasuringDC() override;

    private:
        HGDIOBJ m_previous;
    };

    HFONT Font() const;
    void SetViewFont(HFONT font, bool redraw);
    void UpdateMetrics();
    void Clear();
    int RowCount() const { return m_text.LineCount() + 1; }
    int MaxFirst() const;
    int MaxX() const;
    bool EndInView() const { return m_first + m_visibleRows >= RowCount(); }

    // Appends put the screen off; Refresh brings scroll bars and pixels up to date.
    void ScheduleRefresh();
    void Refresh();
    void MeasureNewLines();
    void UpdateScrollBars();
    void OnSize();
    // Moves the view where the user asked, and the view follows the end from then on only
    // when the end is then in view.
    void ScrollView(int first, int x);
    void OnScroll(int bar, int code);
    void OnMouseWheel(int delta);

    void Paint(HDC dc, const RECT& area);
    void DrawLine(HDC dc, int line, const RECT& row);
    int TextLeft() const { return kMargin - m_xOffset; }
    static int Extent(HDC dc, const char* bytes, int length);
    LRESULT GetText(WPARAM room, LPARAM buffer) const;

    // Selection, keyboard, mouse and clipboard.
    LogPosition HitTest(POINT point);
    int OffsetAtX(HDC dc, int line, int x) const;
    int CaretX();
    void MoveCaret(LogPosition to, bool extend);
    void EnsureCaretVisible();
    void PlaceCaret();
    bool OnKeyDown(WPARAM key);
    void MoveCaretByKey(WPARAM key, bool control, bool shift);
    LogPosition LineAtGoal(int line);
    void OnButtonDown(POINT point, bool extend);
    void OnDoubleClick(POINT point);
    void DragTo(POINT point);
    // The timer's step while the button is held outside the view: scrolls towards the pointer.
    void DragStep();
    void EndDrag();
    void SelectAll();
    void CopySelection();

    static constexpr int kMargin = 2;  // pixels left of the text
    static constexpr UINT_PTR kRefreshTimer = 0x4C52;
    static constexpr UINT_PTR kDragTimer = 0x4C44;

    LogText m_text;
    CFont m_font;
    HFONT m_viewFont = nullptr;  // what WM_SETFONT gave
    int m_lineHeight = 16;
    int m_charWidth = 8;
    int m_visibleRows = 0;
    int m_clientWidth = 0;

    int m_first = 0;    // the line at the top
    int m_xOffset = 0;  // pixels scrolled to the left
    bool m_followEnd = true;
    int m_widest = 0;    // pixels, of the lines measured so far
    int m_measured = 0;  // lines measured

    bool m_refreshPending = false;
    DWORD m_lastRefresh = 0;
    bool m_repaintNeeded = false;
    bool m_updatingBars = false;
    bool m_resizedWhileUpdating = false;

    LogPosition m_anchor;
    LogPosition m_caret;
    int m_goalX = -1;  // text x that up and down keep; -1: the caret's
    bool m_dragging = false;
    POINT m_dragPoint{};
    int m_wheel = 0;  // wheel turns not yet scrolled
};
