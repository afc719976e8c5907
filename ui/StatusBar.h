// The main window's status bar: run state, message pane and one pane per option letter.
#pragma once

#include "engine/JobWindow.h"
#include "framework/Controls.h"
#include "ui/PaintThrottle.h"

#include <string>

class MainStatusBar : public CStatusBarCtrl {
public:
    // Creates the bar along the bottom of the parent, shown only when visible is true, and
    // divides it into its panes.
    bool Create(CWnd* parent, bool visible, UINT id = 104);

    // The right edges of the nine panes for a bar whose right edge is `right`: 32, the
    // message pane up to right - 112, then seven letter panes of 16 pixels.
    static void PaneEdges(int right, int (&edges)[kStatusPaneCount]);
    // Divides the bar for its right edge in the parent's client coordinates.
    void UpdatePanes();
    // Moves the bar, hidden meanwhile, to the bottom of the client rectangle at the full width
    // and its own height, shows it again when visible, and divides it anew. Returns the bottom
    // that is left for the controls above: the bar's top when visible, else client.bottom.
    int PlaceAtBottom(const RECT& client, bool visible);

    // One text per pane; a null text leaves its pane alone and a pane that already shows its
    // text is not written again. The message pane takes a new text at once, then at most once
    // per PaintThrottle interval (the latest text at its end). While texts keep changing, the
    // bar is drawn at most once per interval.
    void ShowTexts(const char* const (&texts)[kStatusPaneCount]);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Shows(int pane, const char* text) const;
    void RememberText(WPARAM how, LPARAM text);
    void WritePane(int pane, const char* text);
    void ShowMessage(const char* text);

    static constexpr int kMessagePane = 1;
    static constexpr UINT_PTR kMessageTimer = 0x534D;
    std::string m_shown[kStatusPaneCount];  // what each pane shows
    std::string m_wantedMessage;            // what the message pane is to show
    bool m_messageTimerSet = false;

    PaintThrottle m_paints{0x5342};  // timer id
};
