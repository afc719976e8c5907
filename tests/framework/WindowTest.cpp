// The window plumbing: messages reach the object, notifications reach the child object,
// the modal loop offers messages to PreTranslateMessage and ends on EndDialog.
#include "framework/CDialog.h"
#include "support/HighMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct RecordingWnd : CWnd {
    std::vector<UINT> Seen;
    bool Destroyed = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        Seen.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { Destroyed = true; }
};

struct ReflectingButton : CWnd {
    int Clicks = 0;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
        ++Clicks;
        *result = 0;
        return TRUE;
    }
};

// A dialog with one check box (id 100) and two radio buttons (101, 102) in memory. The buttons
// have the predefined class 0x0080, no title and no creation data; each starts on a DWORD boundary.
struct alignas(DWORD) TinyTemplate {
    struct Button {
        DLGITEMTEMPLATE Item;
        WORD Class[2] = {0xFFFF, 0x0080}, Title = 0, Data = 0, Padding = 0;
    };
    DLGTEMPLATE Dialog{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 3, 0, 0, 120, 60};
    WORD Menu = 0, Class = 0, Title = 0;
    Button Buttons[3] = {{{WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, 5, 5, 60, 10, 100}},
                         {{WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, 5, 20, 60, 10, 101}},
                         {{WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 5, 35, 60, 10, 102}}};

    const DLGTEMPLATE* Get() const { return &Dialog; }
};
static_assert(sizeof(TinyTemplate) == 24 + 3 * 28, "a part off its DWORD boundary");

struct TinyDialog : CDialog {
    int Checked = 0;
    int Radio = -1;
    int KeyMessagesSeen = 0;

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) ++KeyMessagesSeen;
        return CDialog::PreTranslateMessage(msg);
    }
    BOOL OnInitDialog() override { return UpdateData(FALSE); }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Check(dx, 100, Checked);
        DDX_Radio(dx, 101, Radio);
    }
};

}  // namespace

TEST(Window, OwnClassWindowsSeeTheirLifeAndChildNotificationsReachTheChildObject) {
    RecordingWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr, 0));
    for (UINT message : {WM_NCCREATE, WM_CREATE}) {
        EXPECT_NE(std::find(window.Seen.begin(), window.Seen.end(), message), window.Seen.end()) << message;
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(window.m_hWnd), &window);

    ReflectingButton button;
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, {0, 0, 50, 20}, window.m_hWnd, 7));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.Clicks, 1);

    HWND handle = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_TRUE(window.Destroyed);
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
}

// The data shows when the dialog opens; then a space toggles the check box, the radio button is
// unticked by hand, and OK takes the data.
TEST(Dialog, ModalLoopOffersMessagesExchangesDataAndEndsOnEndDialog) {
    TinyTemplate tiny;
    TinyDialog dialog;
    dialog.Checked = 1;
    dialog.Radio = 1;
    dialog.InitModalIndirect(tiny.Get());
    struct Timer {
        static void CALLBACK Fire(HWND window, UINT, UINT_PTR id, DWORD) {
            KillTimer(window, id);
            HWND dialogWindow = GetActiveWindow();
            EXPECT_EQ(IsDlgButtonChecked(dialogWindow, 100), BST_CHECKED);
            EXPECT_EQ(IsDlgButtonChecked(dialogWindow, 101), BST_UNCHECKED);
            EXPECT_EQ(IsDlgButtonChecked(dialogWindow, 102), BST_CHECKED);
            CheckDlgButton(dialogWindow, 102, BST_UNCHECKED);
            PostMessageA(GetDlgItem(dialogWindow, 100), WM_KEYDOWN, VK_SPACE, 0);
            PostMessageA(GetDlgItem(dialogWindow, 100), WM_KEYUP, VK_SPACE, 0);
            PostMessageA(dialogWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    };
    SetTimer(nullptr, 0, 50, Timer::Fire);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_GE(dialog.KeyMessagesSeen, 1);
    EXPECT_EQ(dialog.Checked, 0);
    EXPECT_EQ(dialog.Radio, -1);
}

// Windows and dialogs find their objects through the creation parameter and the handle map: a
// pointer or handle cut to 32 bits there would find no object, or another one.
TEST(Window, ObjectsAboveFourGiBAreFoundByTheirWholeAddress) {
    if (!kHasHighAddresses) GTEST_SKIP() << "the 32-bit build has no addresses above 4 GiB";
    HighObject<RecordingWnd> window;
    HighObject<TinyDialog> dialog;
    ASSERT_NE(window.Get(), nullptr);
    ASSERT_NE(dialog.Get(), nullptr);

    ASSERT_TRUE(window->CreateEx(0, nullptr, "high", WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr, 0));
    EXPECT_EQ(CWnd::FromHandlePermanent(window->m_hWnd), window.Get());
    EXPECT_EQ(CWnd::FromHandlePermanent(AboveFourGiB(window->m_hWnd)), nullptr);

    TinyTemplate tiny;
    ASSERT_TRUE(dialog->CreateIndirect(tiny.Get()));
    EXPECT_EQ(CWnd::FromHandlePermanent(dialog->m_hWnd), dialog.Get());
}
