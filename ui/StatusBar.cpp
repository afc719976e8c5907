#include "ui/StatusBar.h"

#include <commctrl.h>

bool MainStatusBar::Create(CWnd* parent, bool visible, UINT id) {
    if (parent == nullptr) return false;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    const DWORD style = WS_CHILD | CCS_BOTTOM | (visible ? WS_VISIBLE : 0);
    if (!CreateEx(0, STATUSCLASSNAMEA, nullptr, style, RECT{0, 0, 0, 0}, parent->m_hWnd, id)) return false;
    UpdatePanes();
    return true;
}

void MainStatusBar::PaneEdges(int right, int (&edges)[kStatusPaneCount]) {
    edges[0] = 32;
    for (int pane = 1; pane < kStatusPaneCount; ++pane) edges[pane] = right - 16 * (kStatusPaneCount - 1 - pane);
}

void MainStatusBar::UpdatePanes() {
    int edges[kStatusPaneCount];
    PaneEdges(GetRectInParent().right, edges);
    SetParts(kStatusPaneCount, edges);
}

int MainStatusBar::PlaceAtBottom(const RECT& client, bool visible) {
    const RECT bar = GetRectInParent();
    const int height = bar.bottom - bar.top;
    ShowWindow(SW_HIDE);
    MoveWindow(RECT{client.left, client.bottom - height, client.right, client.bottom});
    int available = client.bottom;
    if (visible) {
        available = GetRectInParent().top;
        ShowWindow(SW_SHOW);
    }
    UpdatePanes();
    return available;
}

void MainStatusBar::ShowTexts(const char* const (&texts)[kStatusPaneCount]) {
    // The engine calls this for every file it processes; rewriting an unchanged pane would
    // only repaint it.
    for (int pane = 0; pane < kStatusPaneCount; ++pane) {
        const char* text = texts[pane];
        if (text == nullptr || GetText(pane) == text) continue;
        m_paints.NoteChange();
        SetText(text, pane);
    }
}

LRESULT MainStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_paints.Intercept(m_hWnd, message, wParam)) return 0;
    return CStatusBarCtrl::WindowProc(message, wParam, lParam);
}
