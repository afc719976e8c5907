#include "ui/HistoryCombo.h"

#include "framework/Controls.h"

void AddComboTextToHistory(HWND combo) {
    if (combo == nullptr) return;
    CString text = WindowTextOf(combo);
    text.Trim();
    if (text.IsEmpty()) return;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (ComboListText(combo, i).CompareNoCase(text) == 0) {
            SendMessageA(combo, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
            break;
        }
    }
    SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void ClearComboHistory(HWND combo) {
    if (combo == nullptr) return;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SetWindowTextA(combo, "");
}
