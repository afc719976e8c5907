// The real main dialog, created modeless over a settings file of a temporary folder, with
// message boxes and beeps scripted.
#pragma once

#include "framework/Seams.h"
#include "res/resource.h"
#include "support/TempTree.h"
#include "ui/MainDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct MessageBoxCall {
    std::string Text;
    std::string Title;
    UINT Type;
};

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the dialog over the given settings file (written before when not empty).
    void Open(const std::string& settingsText = "");
    // Dispatches what waits in the queue, as the modal loop would.
    static void Pump();
    // Sends a command the way the menu does and lets it arrive.
    void Command(UINT id);
    HWND Item(int id) const { return GetDlgItem(dialog->m_hWnd, id); }
    RECT ItemRect(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return IsDlgButtonChecked(dialog->m_hWnd, id) == BST_CHECKED; }
    UINT MenuState(UINT id) const { return GetMenuState(GetMenu(dialog->m_hWnd), id, MF_BYCOMMAND); }
    std::string LogText() const;

    TempTree tree;
    CString settingsFile;
    std::unique_ptr<MainDialog> dialog;
    static std::vector<MessageBoxCall> boxes;
    static std::vector<UINT> beeps;
    static int answer;  // what the scripted message box answers

private:
    void (*m_previousBeep)(UINT) = nullptr;
    int (*m_previousBox)(HWND, const char*, const char*, UINT) = nullptr;
};
