// The resources as the user meets them; the test program links the resource script of Fendrix.exe.
#include "UserTexts.h"
#include "framework/CWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string Row(UINT id, const char* text, UINT state = 0, const char* help = nullptr) {
    return std::to_string(id) + " [" + (text != nullptr ? text : "-") + "] " + std::to_string(state) + " " +
           (help != nullptr ? help : "");
}

std::string MenuString(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool IsRadio(HWND control) { return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0; }

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(MainMenu, HoldsExactlyTheTableItsTitlesItemsStatesAndHelpTextsInOrder) {
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> rows, expected;
    for (int p = 0; p < GetMenuItemCount(bar); ++p) {
        rows.push_back(Row(0, MenuString(bar, p).c_str()));
        HMENU popUp = GetSubMenu(bar, p);
        for (int i = 0; i < GetMenuItemCount(popUp); ++i) {
            const UINT state = GetMenuState(popUp, static_cast<UINT>(i), MF_BYPOSITION);
            const UINT id = GetMenuItemID(popUp, i);
            if ((state & MF_SEPARATOR) != 0) {
                rows.push_back(Row(0, nullptr));
            } else {
                char help[512] = {};
                LoadStringA(Module(), id, help, sizeof help);
                rows.push_back(Row(id, MenuString(popUp, i).c_str(), state & (MF_CHECKED | MF_GRAYED), help));
            }
        }
    }
    DestroyMenu(bar);
    for (const MenuText& item : kMenuTexts) expected.push_back(Row(item.Id, item.Text, item.State, item.Help));
    EXPECT_EQ(rows, expected);
}

TEST(MainTemplate, CarriesItsLabelsTheHistoriesScrollAndTheRadioGroupsEnd) {
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, PlainDialogProc, 0);
    EXPECT_EQ(WindowTextOf(dialog), "Solvik:Quorlane");
    std::vector<std::string> labels, expected;
    for (const ControlText& control : kControlTexts) {
        if (*control.Label != '\0') expected.push_back(Row(control.Id, control.Label));
    }
    // Arrow keys and the radio data exchange stop at the next WS_GROUP control.
    int ends = 0;
    HWND last = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; last = child, child = GetWindow(child, GW_HWNDNEXT)) {
        const CString label = WindowTextOf(child);
        if (!label.IsEmpty()) labels.push_back(Row(static_cast<UINT>(GetDlgCtrlID(child)), label));
        if (last && IsRadio(last) && !IsRadio(child)) ends += GetWindowLongA(child, GWL_STYLE) & WS_GROUP ? 1 : 100;
    }
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(ends, 3);
    // Paths are long: the history lists scroll, the fields do not scroll sideways while typed.
    for (int id : {IDC_SEARCH_PATH, IDC_SEARCH_FILE}) {
        HWND history = GetDlgItem(dialog, id);
        EXPECT_EQ(GetWindowLongA(history, GWL_STYLE) & (3 | CBS_AUTOHSCROLL), CBS_DROPDOWN) << id;
        for (int i = 0; i < 40; ++i) SendMessageA(history, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("C:\\"));
        COMBOBOXINFO combo{sizeof combo, {}, {}, 0, nullptr, nullptr, nullptr};
        GetComboBoxInfo(history, &combo);
        EXPECT_NE(GetWindowLongA(combo.hwndList, GWL_STYLE) & WS_VSCROLL, 0) << id;
    }
    DestroyWindow(dialog);
}

// The width of the image that the icon's directory holds for the size: without one of its own
// the icon would be scaled.
int IconImageWidth(UINT id, int size) {
    auto bytes = [](HRSRC found) { return static_cast<BYTE*>(LockResource(LoadResource(Module(), found))); };
    HRSRC directory = FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    const int image = directory ? LookupIconIdFromDirectoryEx(bytes(directory), TRUE, size, size, 0) : 0;
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(image), RT_ICON);
    return found ? reinterpret_cast<BITMAPINFOHEADER*>(bytes(found))->biWidth : 0;
}

TEST(Pictures, LoadAtTheirSizes) {
    for (UINT id : {IDI_FENDRIX, IDI_MENU_NEW, IDI_MENU_EXIT, IDI_MENU_CLEAR_HISTORY, IDI_MENU_EXECUTE, IDI_MENU_ABORT,
                    IDI_MENU_OPEN, IDI_MENU_SAVE, IDI_MENU_SAVE_AS, IDI_MENU_UNDO, IDI_MENU_SAVE_LOG,
                    IDI_MENU_PREVIEW})
        EXPECT_EQ(IconImageWidth(id, 16), 16) << id;
    EXPECT_EQ(IconImageWidth(IDI_FENDRIX, 32), 32);
    HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR));
    BITMAP toolbar{};  // ten buttons of 16 x 15; the About bitmap is measured in its dialog
    GetObjectA(bitmap, sizeof toolbar, &toolbar);
    EXPECT_EQ(toolbar.bmWidth, 160);
    EXPECT_EQ(toolbar.bmHeight, 15);
    DeleteObject(bitmap);
}

}  // namespace
