// The mouse and the keyboard over the main dialog, through the program's own message loop:
// the help text of the control under the mouse, and closing while a field's drop-down is open.
#include "MainDialogFixture.h"
#include "UserTexts.h"

#include <functional>

class MainDialogInputTest : public MainDialogTest {
protected:
    // The mouse comes to rest at the point of the dialog, or over the middle of the control; the
    // dialog sees the move as the program's loop would.
    void MoveMouseTo(POINT point) {
        ClientToScreen(dialog->m_hWnd, &point);
        SetCursorPos(point.x, point.y);
        dialog->PostMessage(WM_MOUSEMOVE, 0, 0);
        PumpAsModalLoop();
        WaitForStatus();
    }
    void MoveMouseOver(int id) {
        const RECT rect = ItemRect(id);
        MoveMouseTo(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    std::string StatusMessage() const { return dialog->StatusBar().GetText(1).Str(); }

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
        MoveMouseOver(static_cast<int>(control.Id));
        EXPECT_EQ(StatusMessage(), control.Help) << control.Id;
        ++checked;
    }
    EXPECT_EQ(checked, 27);  // every control with a help text
    for (int id : {IDC_BROWSE, IDC_LABEL_PATH, IDC_LOG}) {
        MoveMouseOver(IDC_RECURSIVE);
        MoveMouseOver(id);
        EXPECT_EQ(StatusMessage(), "") << id;
    }

    // Within the same control, or onto the dialog between controls, the text stays what it is.
    MoveMouseOver(IDC_SEARCH_ARCHIVE);
    dialog->Engine.ShowStatus("engine");
    WaitForStatus();
    MoveMouseOver(IDC_SEARCH_ARCHIVE);
    EXPECT_EQ(StatusMessage(), "engine");
    const RECT group = ItemRect(IDC_SEARCH_GROUP);
    MoveMouseTo(POINT{group.right - 3, group.bottom - 3});  // between controls
    EXPECT_EQ(StatusMessage(), "engine");
}

// Closing would save the value that an open drop-down only previews (the controls' tests own
// the value it restores when cancelled).
TEST_F(MainDialogInputTest, EscapeOrAltF4WithADropDownOpenClosesOnlyTheDropDown) {
    const std::pair<int, std::vector<int>> fields[] = {
        {IDC_DATE_START, {IDC_DATE_START_FLAG}},  // with the switches that enable it
        {IDC_SIZE_END, {IDC_SIZE_END_FLAG}},
        {IDC_TIMESTAMP, {IDC_TIMESTAMP_FLAG, IDC_STAMP_GIVEN}},
    };
    const std::pair<const char*, std::function<void()>> closes[] = {
        {"Escape", [&] { PressInFocus(WM_KEYDOWN, VK_ESCAPE), PressInFocus(WM_KEYUP, VK_ESCAPE); }},
        {"Alt+F4", [&] { dialog->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0), PumpAsModalLoop(); }},  // also the close box
    };
    for (const auto& [field, switches] : fields) {
        for (int id : switches) Click(id);
        CCustomCmbBox* host = dynamic_cast<CCustomCmbBox*>(CWnd::FromHandlePermanent(Item(field)));
        ASSERT_NE(host, nullptr);
        for (const auto& [key, close] : closes) {
            SCOPED_TRACE(std::to_string(field) + " " + key);
            ASSERT_TRUE(host->OpenDropDown());
            close();
            EXPECT_FALSE(host->IsDroppedDown());
            EXPECT_FALSE(dialog->IsEnded());
        }
    }
    EXPECT_EQ(GetFileAttributesA(SettingsStore::DefaultFile()), INVALID_FILE_ATTRIBUTES);
    PressInFocus(WM_KEYDOWN, VK_ESCAPE);  // with none open, Escape closes
    EXPECT_TRUE(dialog->IsEnded());
}
