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

bool MainStatusBar::Shows(int pane, const char* text) const { return m_shown[pane] == text; }

// Every writer of a pane passes here, so the copy is always what the pane shows; asking the
// control instead would cost two messages per pane for every file of a run.
void MainStatusBar::RememberText(WPARAM how, LPARAM text) {
    const int pane = static_cast<int>(how & 0xFF);
    if (pane >= kStatusPaneCount) return;
    const bool plainText = (how & SBT_OWNERDRAW) == 0 && text != 0;
    m_shown[pane] = plainText ? reinterpret_cast<const char*>(text) : "";
    // Whoever wrote the message pane last decides what it shows, not an older text still waiting.
    if (pane == kMessagePane) m_wantedMessage = m_shown[pane];
}

void MainStatusBar::ShowTexts(const char* const (&texts)[kStatusPaneCount]) {
    for (int pane = 0; pane < kStatusPaneCount; ++pane) {
        const char* text = texts[pane];
        if (text == nullptr) continue;
        if (pane == kMessagePane) {
            ShowMessage(text);
        } else {
            WritePane(pane, text);
        }
    }
}

// Rewriting an unchanged pane would only repaint it.
void MainStatusBar::WritePane(int pane, const char* text) {
    if (Shows(pane, text)) return;
    m_paints.NoteChange();
    SetText(text, pane);
}

// A run changes the message for every file, and each write costs far more than the file: it is
// written at once, then at most once per interval, always ending with the latest text.
void MainStatusBar::ShowMessage(const char* text) {
    m_wantedMessage = text;
    if (m_messageTimerSet || Shows(kMessagePane, text)) return;
    WritePane(kMessagePane, m_wantedMessage.c_str());
    m_messageTimerSet = ::SetTimer(m_hWnd, kMessageTimer, PaintThrottle::kInterval, nullptr) != 0;
}

LRESULT MainStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SB_SETTEXTA) RememberText(wParam, lParam);
    if (message == WM_TIMER && wParam == kMessageTimer) {
        ::KillTimer(m_hWnd, kMessageTimer);
        m_messageTimerSet = false;
        WritePane(kMessagePane, m_wantedMessage.c_str());
        return 0;
    }
    if (m_paints.Intercept(m_hWnd, message, wParam)) return 0;
    return CStatusBarCtrl::WindowProc(message, wParam, lParam);
}
