#include "ui/StatusBar.h"

#include <commctrl.h>

#include <cstring>
#include <string>

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

bool MainStatusBar::Shows(int pane, const char* text) const {
    // Called for every pane of every file a run processes: no heap allocation (it would scatter
    // the log view's lines over the heap and slow down every walk through them).
    const size_t length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(pane)));
    const size_t textLength = std::strlen(text);
    if (length > textLength) return false;  // a character takes at least one byte
    char small[256];
    std::string large;
    char* shown = small;
    if (2 * length + 1 > sizeof small) {  // SB_GETTEXT takes no size; two bytes per character
        large.assign(2 * length + 1, '\0');
        shown = &large[0];
    }
    shown[0] = '\0';
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(shown));
    return std::strcmp(shown, text) == 0;
}

void MainStatusBar::ShowTexts(const char* const (&texts)[kStatusPaneCount]) {
    // Rewriting an unchanged pane would only repaint it.
    for (int pane = 0; pane < kStatusPaneCount; ++pane) {
        const char* text = texts[pane];
        if (text == nullptr || Shows(pane, text)) continue;
        m_paints.NoteChange();
        SetText(text, pane);
    }
}

LRESULT MainStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_paints.Intercept(m_hWnd, message, wParam)) return 0;
    return CStatusBarCtrl::WindowProc(message, wParam, lParam);
}
