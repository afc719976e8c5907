// The mouse and the keyboard over the main dialog, through the program's own message loop:
// the help text of the control under the mouse, and Escape or Alt+F4 while a field's drop-down
// is open.
#include "MainDialogFixture.h"
#include "UserTexts.h"

#include <functional>

namespace {

// Where a control's middle lies on the screen.
POINT Middle(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

class MainDialogInputTest : public MainDialogTest {
protected:
    // The mouse comes to rest at the point; the dialog sees the move as the program's loop would.
    void MoveMouseTo(POINT point) {
        SetCursorPos(point.x, point.y);
        dialog->PostMessage(WM_MOUSEMOVE, 0, 0);
        PumpAsModalLoop();
        WaitForStatus();
    }
    std::string StatusMessage() const { return dialog->StatusBar().GetText(1).Str(); }

    // The field's host, its text, and the key that is pressed in it.
    CCustomCmbBox* Field(int id) const { return dynamic_cast<CCustomCmbBox*>(CWnd::FromHandlePermanent(Item(id))); }
    std::string FieldText(int id) const { return WindowTextOf(GetDlgItem(Item(id), IDC_CMB_EDIT)).Str(); }
    void PressInFocus(UINT message, WPARAM key) {
        PostMessageA(GetFocus(), message, key, 1);
        PumpAsModalLoop();
    }
};

TEST_F(MainDialogInputTest, TheMouseOverAControlShowsItsHelpTextOnlyWhenItEntersAnother) {
    SetForegroundWindow(dialog->m_hWnd);
    int checked = 0;
    for (const ControlText& control : kControlTexts) {
        if (control.Help == nullptr) continue;
        MoveMouseTo(Middle(Item(static_cast<int>(control.Id))));
        EXPECT_EQ(StatusMessage(), control.Help) << control.Id;
        ++checked;
    }
    EXPECT_EQ(checked, 27);  // every control with a help text
    for (int id : {IDC_BROWSE, IDC_LABEL_PATH, IDC_LOG}) {
        MoveMouseTo(Middle(Item(IDC_RECURSIVE)));
        MoveMouseTo(Middle(Item(id)));
        EXPECT_EQ(StatusMessage(), "") << id;
    }

    // Within the same control, or onto the dialog between controls, the text stays what it is.
    MoveMouseTo(Middle(Item(IDC_SEARCH_ARCHIVE)));
    dialog->Engine.ShowStatus("engine");
    WaitForStatus();
    MoveMouseTo(Middle(Item(IDC_SEARCH_ARCHIVE)));
    EXPECT_EQ(StatusMessage(), "engine");
    const RECT group = ItemRect(IDC_SEARCH_GROUP);
    POINT between{group.right - 3, group.bottom - 3};
    ClientToScreen(dialog->m_hWnd, &between);
    MoveMouseTo(between);
    EXPECT_EQ(StatusMessage(), "engine");
    MoveMouseTo(Middle(Item(IDC_SEARCH_READONLY)));
    EXPECT_EQ(StatusMessage(), "読み取り専用属性の付いているﾌｧｲﾙを検索対象にします。");
}

// The drop-down previews a value in its field while open, as the user picks in it.
TEST_F(MainDialogInputTest, EscapeOrAltF4WithADropDownOpenCancelsItKeepsTheOldValueAndTheWindow) {
    const struct {
        int Field;
        std::vector<int> Switches;  // clicked to enable the field
        const char* Old;
        const char* Previewed;
        std::function<void(CCustomCmbBox*)> Preview;
        const char* Section;
        const char* Key;
    } fields[] = {
        {IDC_DATE_START, {IDC_DATE_START_FLAG}, "2001/02/03", "2020/05/06",
         [](CCustomCmbBox* host) {
             host->PostMessage(WM_CMB_DROPDOWNNOTIFY, DDN_SELECT, (2020 << 16) | (5 << 8) | 6);
         },
         "DateRange", "Start"},
        {IDC_SIZE_END, {IDC_SIZE_END_FLAG}, "1234", "777",
         [](CCustomCmbBox* host) {
             static_cast<CNumberCmbBox*>(host)->GetTenkey()->SetValue(777, 1);
             host->PostMessage(WM_CMB_DROPDOWNNOTIFY, DDN_CHANGE, 0);
         },
         "SizeRange", "End"},
        {IDC_TIMESTAMP, {IDC_TIMESTAMP_FLAG, IDC_STAMP_GIVEN}, "2001/02/03 04:05:06", "2020/05/06 07:08:09",
         [](CCustomCmbBox* host) {
             static_cast<CDateTimeCmbBox*>(host)->GetDateTimeCtrl()->SetDateTimeText("2020/05/06 07:08:09", TRUE);
             host->PostMessage(WM_CMB_DROPDOWNNOTIFY, DDN_CHANGE, 0);
         },
         "SetTimeStanp", "TimeStanpVal"},
    };
    const std::pair<const char*, std::function<void()>> closes[] = {
        {"Escape", [&] { PressInFocus(WM_KEYDOWN, VK_ESCAPE), PressInFocus(WM_KEYUP, VK_ESCAPE); }},
        {"Alt+F4", [&] { dialog->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0), PumpAsModalLoop(); }},  // also the close box
        {"Exit", [&] { Command(ID_APP_EXIT); }},
    };
    const CString defaultFile = SettingsStore::DefaultFile();
    for (const auto& f : fields) {
        for (int id : f.Switches) Click(id);
        SetWindowTextA(GetDlgItem(Item(f.Field), IDC_CMB_EDIT), f.Old);
        CCustomCmbBox* host = Field(f.Field);
        ASSERT_NE(host, nullptr);
        for (const auto& [key, close] : closes) {
            SCOPED_TRACE(std::to_string(f.Field) + " " + key);
            ASSERT_TRUE(host->OpenDropDown());
            f.Preview(host);
            Pump();
            ASSERT_EQ(FieldText(f.Field), f.Previewed);
            close();
            EXPECT_FALSE(dialog->IsEnded());
            EXPECT_FALSE(host->IsDroppedDown());
            EXPECT_EQ(FieldText(f.Field), f.Old);
            EXPECT_EQ(GetFileAttributesA(defaultFile), INVALID_FILE_ATTRIBUTES);
        }
        // With no drop-down open, Escape closes and saves the value the field kept.
        PressInFocus(WM_KEYDOWN, VK_ESCAPE);
        EXPECT_TRUE(dialog->IsEnded()) << f.Field;
        EXPECT_EQ(Profile(f.Section, f.Key, defaultFile), f.Old) << f.Field;
        TearDown();
        Open();
    }
}
