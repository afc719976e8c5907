// The log view: a read-only rich-edit pane that takes one coloured line at a time and keeps
// its end in view. While lines keep coming it is drawn at most once per PaintThrottle interval.
#pragma once

#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "ui/PaintThrottle.h"

#include <string>

class ExecutionLog : public CRichEditCtrl {
public:
    ExecutionLog() = default;
    ~ExecutionLog() override;

    // Added to the window's styles when it is created; set them before CreateInPlace.
    DWORD StyleBits = WS_VSCROLL | ES_READONLY | ES_AUTOHSCROLL | ES_MULTILINE;
    DWORD ExStyleBits = WS_EX_CLIENTEDGE;

    // Replaces the parent's control placeholderId by the view with the id newId, in the
    // same place, with a point font of the face. False when the placeholder is missing or the
    // view or its font cannot be made.
    bool CreateInPlace(int placeholderId, int newId, CWnd* parent, const char* fontFace, int pointSize);

    // Appends the text as one line (or several when it holds CR LF) in the colour and scrolls
    // only as far as needed to show the end; "\r\n" adds one empty line. An empty text clears
    // the view and resets its text limit.
    void AppendText(const char* text, COLORREF colour);

    // Whole lines of the view's font that fit into its client area.
    int GetVisibleLineCount();

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // One growth step of the text limit: 30 % more, at least one more, at most LONG_MAX.
    static long NextLimit(long limit);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    long TextLength() const;
    // The platform's answer walks every line above the view; between appends only the user
    // or a resize can move the view, and either message makes the remembered answer stale.
    int FirstVisibleLine();
    void ForgetViewUnlessOwnMessage(UINT message, WPARAM wParam);
    void InsertPending();

    static constexpr UINT_PTR kInsertTimer = 0x4C48;
    static constexpr UINT_PTR kPaintTimer = 0x4C47;
    static constexpr UINT kInsertDelayMs = 20;
    static constexpr size_t kLargestBurst = 256 * 1024;

    CFont m_font;
    std::string m_pending;  // lines not yet in the control, all of one colour
    COLORREF m_pendingColour = 0;
    bool m_insertScheduled = false;
    PaintThrottle m_paints{kPaintTimer};
    int m_firstVisible = -1;          // -1: ask the control
    bool m_appending = false;
};
