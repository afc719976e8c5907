// The texts of the resources, the tool tips and the About dialog against the one table of
// what the user reads; the test program links the resource script of Fendrix.exe.
#include "UserTexts.h"
#include "ui/Commands.h"
#include "ui/VersionDialog.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string LoadText(UINT id) {
    char text[512] = {};
    return std::string(text, static_cast<size_t>(LoadStringA(Module(), id, text, sizeof text)));
}

std::string Row(UINT id, const char* text, UINT state = 0) {
    return std::to_string(id) + " [" + (text != nullptr ? text : "-") + "] " + std::to_string(state);
}

// The rows of the table of these kinds, as Row gives them.
std::vector<std::string> Expected(std::initializer_list<TextKind> kinds) {
    std::vector<std::string> rows;
    for (const UserText& text : kUserTexts) {
        for (TextKind kind : kinds) {
            if (text.Kind == kind) rows.push_back(Row(text.Id, text.Text, text.State));
        }
    }
    return rows;
}

const UserText* Find(TextKind kind, UINT id) {
    for (const UserText& text : kUserTexts) {
        if (text.Kind == kind && text.Id == id) return &text;
    }
    return nullptr;
}

std::string MenuText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Every command of the menu and every control of the main window, with the ids made at run time.
std::vector<UINT> CommandAndControlIds() {
    std::vector<UINT> ids{IDC_STATUSBAR, IDC_TOOLBAR, IDC_DATE_START, IDC_DATE_END, IDC_LOG, IDC_SIZE_START,
                          IDC_SIZE_END, IDC_TIMESTAMP};
    for (const UserText& text : kUserTexts) {
        if ((text.Kind == TextKind::MenuItem || text.Kind == TextKind::Label) && text.Id != 0) ids.push_back(text.Id);
    }
    return ids;
}

}  // namespace

TEST(UserTexts, TheMenuBarHoldsExactlyTheTableItsTitlesItemsAndStatesInOrder) {
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> rows;
    for (int p = 0; p < GetMenuItemCount(bar); ++p) {
        rows.push_back(Row(0, MenuText(bar, p).c_str()));
        HMENU popUp = GetSubMenu(bar, p);
        for (int i = 0; i < GetMenuItemCount(popUp); ++i) {
            const UINT state = GetMenuState(popUp, static_cast<UINT>(i), MF_BYPOSITION);
            if ((state & MF_SEPARATOR) != 0) {
                rows.push_back(Row(0, nullptr));
            } else {
                rows.push_back(Row(GetMenuItemID(popUp, i), MenuText(popUp, i).c_str(), state & (MF_CHECKED | MF_GRAYED)));
            }
        }
    }
    DestroyMenu(bar);
    EXPECT_EQ(rows, Expected({TextKind::MenuTitle, TextKind::MenuItem}));
}

TEST(UserTexts, EveryCommandAndControlHasItsHelpTextOrNone) {
    const std::vector<UINT> all = CommandAndControlIds();
    std::vector<std::string> actual, expected;
    for (UINT id : std::set<UINT>(all.begin(), all.end())) {
        actual.push_back(Row(id, LoadText(id).c_str()));
        const UserText* help = Find(TextKind::Help, id);
        expected.push_back(Row(id, help != nullptr ? help->Text : ""));
    }
    EXPECT_EQ(actual, expected);
    // No help text of the table is left out of the menu or the window.
    for (const UserText& text : kUserTexts) {
        if (text.Kind == TextKind::Help) {
            EXPECT_EQ(LoadText(text.Id), text.Text) << text.Id;
        }
    }
}

TEST(UserTexts, OnlyTheToolBarsCommandsHaveToolTips) {
    std::vector<std::string> actual, expected;
    for (UINT id : CommandAndControlIds()) {
        const char* tip = ToolTipText(id);
        actual.push_back(Row(id, tip != nullptr ? tip : ""));
        const UserText* row = Find(TextKind::ToolTip, id);
        expected.push_back(Row(id, row != nullptr ? row->Text : ""));
    }
    EXPECT_EQ(actual, expected);
}

TEST(UserTexts, TheMainDialogsControlsCarryTheirLabelsInTemplateOrder) {
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    std::vector<std::string> rows;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        rows.push_back(Row(static_cast<UINT>(GetDlgCtrlID(child)), WindowTextOf(child)));
    }
    EXPECT_EQ(rows, Expected({TextKind::Label}));
    EXPECT_EQ(WindowTextOf(dialog), Find(TextKind::Caption, IDD_MAIN)->Text);
    DestroyWindow(dialog);
}

TEST(UserTexts, TheAboutDialogCarriesItsCaptionAndButton) {
    VersionDialog about(kAboutDialogCaption, IDB_ABOUT, nullptr, 0);
    // Hidden: shown windows cost Wine seconds to take down without a window manager.
    const_cast<DLGTEMPLATE*>(about.GetTemplate())->style &= ~WS_VISIBLE;
    ASSERT_TRUE(about.CreateIndirect(about.GetTemplate(), nullptr));
    EXPECT_EQ(about.GetWindowText(), Find(TextKind::Caption, ID_APP_ABOUT)->Text);
    EXPECT_EQ(WindowTextOf(about.GetDlgItem(IDOK)), Find(TextKind::AboutLabel, IDOK)->Text);
    about.DestroyWindow();
}
