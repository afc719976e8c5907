// Thin wrappers of the platform's controls with MFC's names; each adds only messages.
#pragma once

#include "framework/CWnd.h"

#include <commctrl.h>

class CEdit : public CWnd {
public:
    void SetSel(int start, int end, BOOL noScroll = FALSE) {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
    void ReplaceSel(const char* text, BOOL canUndo = FALSE) {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
    }
};

// The text of a combo box's list item; empty for an index outside the list.
CString ComboListText(HWND combo, int index);

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    CString GetLBText(int index) const;
};

class CSpinButtonCtrl : public CWnd {
public:
    int SetPos32(int position) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position)); }
};

class CStatusBarCtrl : public CWnd {
public:
    BOOL SetParts(int count, const int* rightEdges) {
        return SendMessage(SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rightEdges)) != 0;
    }
    BOOL SetText(const char* text, int pane, int type = 0) {
        return SendMessage(SB_SETTEXTA, static_cast<WPARAM>(pane | type), reinterpret_cast<LPARAM>(text)) != 0;
    }
    CString GetText(int pane) const;
};

class CToolBarCtrl : public CWnd {
public:
    BOOL EnableButton(int command, BOOL enable = TRUE) {
        return SendMessage(TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELPARAM(enable, 0)) != 0;
    }
    BOOL IsButtonEnabled(int command) const {
        return SendMessage(TB_ISBUTTONENABLED, static_cast<WPARAM>(command)) != 0;
    }
    int CommandToIndex(UINT command) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, command)); }
    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    BOOL GetButton(int index, TBBUTTON* button) const {
        return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(button)) != 0;
    }
};
