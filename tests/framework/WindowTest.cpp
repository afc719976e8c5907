// The window plumbing: messages reach the object, notifications reach the child object,
// the modal loop offers messages to PreTranslateMessage and ends on EndDialog.
#include "framework/CDialog.h"
#include "framework/CWinApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class RecordingWnd : public CWnd {
public:
    std::vector<UINT> Seen;
    bool Destroyed = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        Seen.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { Destroyed = true; }
};

class ReflectingButton : public CWnd {
public:
    int Clicks = 0;

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
        ++Clicks;
        *result = 0;
        return TRUE;
    }
};

bool Contains(const std::vector<UINT>& seen, UINT message) {
    return std::find(seen.begin(), seen.end(), message) != seen.end();
}

// An in-memory template: a dialog with one check box (id 100) and two radio buttons (101, 102).
struct TinyTemplate {
    std::vector<WORD> words;

    TinyTemplate() {
        Header(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 3, 0, 0, 120, 60);
        Item(BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 5, 5, 60, 10, 100);
        Item(BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 5, 20, 60, 10, 101);
        Item(BS_AUTORADIOBUTTON, 5, 35, 60, 10, 102);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

private:
    void Dword(DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    }
    void Align() {
        if (words.size() % 2 != 0) words.push_back(0);
    }
    void Header(DWORD style, WORD count, short x, short y, short cx, short cy) {
        Dword(style);
        Dword(0);
        words.insert(words.end(), {count, WORD(x), WORD(y), WORD(cx), WORD(cy), 0, 0, 0});
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id) {
        Align();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        words.insert(words.end(), {WORD(x), WORD(y), WORD(cx), WORD(cy), id, 0xFFFF, 0x0080, 0, 0});
    }
};

class TinyDialog : public CDialog {
public:
    int Checked = 0;
    int Radio = -1;
    int KeyMessagesSeen = 0;

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) ++KeyMessagesSeen;
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Check(dx, 100, Checked);
        DDX_Radio(dx, 101, Radio);
    }
};

}  // namespace

TEST(Window, OwnClassWindowsSeeTheirCreationAndDestruction) {
    RecordingWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr, 0));
    EXPECT_TRUE(Contains(window.Seen, WM_NCCREATE));
    EXPECT_TRUE(Contains(window.Seen, WM_CREATE));
    EXPECT_EQ(CWnd::FromHandlePermanent(window.m_hWnd), &window);
    HWND handle = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_TRUE(window.Destroyed);
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
}

TEST(Window, ChildNotificationsReachTheChildObject) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr, 0));
    ReflectingButton button;
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, {0, 0, 50, 20}, parent.m_hWnd, 7));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.Clicks, 1);
    EXPECT_EQ(button.GetWindowText(), "b");
}

TEST(Dialog, DataExchangeMovesChecksAndRadioIndexes) {
    TinyTemplate tiny;
    TinyDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(tiny.Get()));
    dialog.Checked = 1;
    dialog.Radio = 1;
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(IsDlgButtonChecked(dialog.m_hWnd, 100), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog.m_hWnd, 101), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog.m_hWnd, 102), BST_CHECKED);

    CheckDlgButton(dialog.m_hWnd, 100, BST_UNCHECKED);
    CheckDlgButton(dialog.m_hWnd, 102, BST_UNCHECKED);
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.Checked, 0);
    EXPECT_EQ(dialog.Radio, -1);
}

TEST(Dialog, ModalLoopOffersMessagesAndEndsOnEndDialog) {
    TinyTemplate tiny;
    TinyDialog dialog;
    dialog.InitModalIndirect(tiny.Get());
    // Two key presses and a close request queued before the loop runs.
    struct Timer {
        static void CALLBACK Fire(HWND window, UINT, UINT_PTR id, DWORD) {
            KillTimer(window, id);
            HWND dialogWindow = GetActiveWindow();
            PostMessageA(GetDlgItem(dialogWindow, 100), WM_KEYDOWN, VK_SPACE, 0);
            PostMessageA(GetDlgItem(dialogWindow, 100), WM_KEYUP, VK_SPACE, 0);
            PostMessageA(dialogWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    };
    SetTimer(nullptr, 0, 50, Timer::Fire);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_GE(dialog.KeyMessagesSeen, 1);
    EXPECT_EQ(dialog.Checked, 1);  // space toggled the check box; OnOK took the data
    EXPECT_EQ(dialog.Radio, -1);
}
