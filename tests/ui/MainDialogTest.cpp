// The main dialog: layout, dependent fields, run state, closing, commands.
#include "MainDialogFixture.h"

#include <cstdio>

TEST_F(MainDialogTest, SnapsBackToTheLeastSizeInOneMoveAndTheBarsMoveTheControlsWithoutDrift) {
    const SIZE least = dialog->GetDefaultWindowRect();
    ASSERT_GT(least.cx, 0);
    RECT window = dialog->GetWindowRect();
    dialog->MoveWindow(RECT{window.left, window.top, window.left + 100, window.top + 100});
    Pump();
    window = dialog->GetWindowRect();
    EXPECT_EQ(window.right - window.left, least.cx);
    EXPECT_EQ(window.bottom - window.top, 450);
    dialog->MoveWindow(RECT{window.left, window.top, window.left + least.cx + 200, window.top + 600});
    Pump();
    EXPECT_EQ(dialog->GetWindowRect().right - window.left, least.cx + 200);

    const RECT shown = ItemRect(IDC_SEARCH_PATH);
    const int barHeight = dialog->ToolBar().GetRectInParent().bottom;
    ASSERT_GT(barHeight, 0);
    Command(ID_VIEW_TOOLBAR);
    EXPECT_EQ(ItemRect(IDC_SEARCH_PATH).top, shown.top - barHeight);
    for (int i = 0; i < 7; ++i) Command(ID_VIEW_TOOLBAR);
    EXPECT_EQ(ItemRect(IDC_SEARCH_PATH).top, shown.top);

    const RECT client = dialog->GetClientRect();
    const int statusTop = dialog->StatusBar().GetRectInParent().top;
    EXPECT_EQ(ItemRect(IDC_LOG).bottom, statusTop - 4);
    Command(ID_VIEW_STATUS_BAR);
    const RECT log = ItemRect(IDC_LOG);
    EXPECT_EQ(log.bottom, client.bottom - 4);
    EXPECT_EQ(client.right - log.right, log.left);  // equal margins
}

TEST_F(MainDialogTest, EnterAndARunKeepItOpenAndAnUnwritableDefaultFileAsks) {
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(dialog->IsEnded());
    dialog->Engine.Run.Busy = 1;
    dialog->OnCancel();
    EXPECT_FALSE(dialog->IsEnded());
    dialog->Engine.Run.Busy = 0;

    const CString defaultFile = SettingsStore::DefaultFile();
    const HANDLE holder = CreateFileA(defaultFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Answer = IDNO;
    dialog->OnCancel();
    EXPECT_FALSE(dialog->IsEnded());
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Title, "Fendrix:Warning");
    Answer = IDYES;
    dialog->OnCancel();
    EXPECT_TRUE(dialog->IsEnded());
    CloseHandle(holder);
}

TEST_F(MainDialogTest, MenuHelpAndToolTipsUseTheCommandTextsAndOptionTogglesMarkTheMenuAndTheStatusBar) {
    dialog->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TOOL_EXECUTE, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(dialog->m_hWnd)));
    EXPECT_EQ(dialog->StatusBar().GetText(1), "現在の検索条件･操作設定で処理を実行します。");
    dialog->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    WaitForStatus();
    EXPECT_EQ(dialog->StatusBar().GetText(1), "");

    NMTTDISPINFOA info{};
    info.hdr = {nullptr, ID_TOOL_PREVIEW, TTN_NEEDTEXTA};
    EXPECT_EQ(dialog->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_STREQ(info.szText, "ﾌﾟﾚﾋﾞｭｰ");

    Command(ID_OPTION_SORT);
    EXPECT_NE(MenuState(ID_OPTION_SORT) & MF_CHECKED, 0u);
    EXPECT_EQ(dialog->StatusBar().GetText(8), "S");
    Command(ID_OPTION_SHOW_FILES);
    EXPECT_NE(MenuState(ID_OPTION_SHOW_SKIPPED) & MF_GRAYED, 0u);
    EXPECT_EQ(dialog->StatusBar().GetText(3), "");
}

TEST_F(MainDialogTest, TextsAreSetExactlyAndHistoryKeepsTheLatestOnTopOnce) {
    HWND path = Item(IDC_SEARCH_PATH);
    JobSettings& job = dialog->Engine.Job;
    job.SearchPath = "C:\\no";  // not the list entry that it begins
    dialog->TransferJob(job, 1);
    EXPECT_EQ(WindowTextOf(path), "C:\\no");

    SetWindowTextA(path, "  d:\\表示  ");
    dialog->AddToHistory(IDC_SEARCH_PATH);
    SetWindowTextA(path, "D:\\表示");
    dialog->AddToHistory(IDC_SEARCH_PATH);
    EXPECT_EQ(WindowTextOf(path), "D:\\表示");
    SetWindowTextA(path, "   ");
    dialog->AddToHistory(IDC_SEARCH_PATH);
    JobSettings taken = job;
    ASSERT_TRUE(dialog->TransferJob(taken, 0));
    EXPECT_EQ(taken.SearchPathList, (std::vector<CString>{"D:\\表示", "C:\\nowhere"}));

    Command(ID_TOOL_CLEAR_HISTORY);
    EXPECT_EQ(SendMessageA(path, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_FILE)), "");
}

// A folder whose path Shift-JIS cannot spell is refused: its look-alike naive would name another
// folder, which a run would then change.
TEST_F(MainDialogTest, BrowseReplacesOrWithCtrlAppendsTheChosenFolderAndRefusesOneShiftJisCannotSpell) {
    static std::wstring chosen;  // as the shell gives it, without the extended form's prefix
    static bool ctrl;
    const Scripted browse(seams::BrowseForFolder, [](BROWSEINFOA*) {
        PIDLIST_ABSOLUTE item = nullptr;
        SHParseDisplayName(chosen.c_str(), nullptr, &item, 0, nullptr);
        return item;
    });
    const Scripted keys(seams::IsKeyDown, [](int key) { return key == VK_CONTROL && ctrl; });
    for (const wchar_t* folder : {L"表示", L"naïve", L"naive"}) tree.MakeDir(folder);
    const CString shown = tree.Path("表示");

    chosen = tree.RealPath(L"表示").substr(4);
    ctrl = false;
    dialog->BrowseSearchFolder();
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), shown);
    ctrl = true;
    dialog->BrowseSearchFolder();
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), shown + ";" + shown);

    chosen = tree.RealPath(L"naïve").substr(4);
    dialog->BrowseSearchFolder();
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), shown + ";" + shown);
    EXPECT_EQ(dialog->LastBrowseFolder, shown);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Title, "Fendrix:Warning");
    EXPECT_EQ(Boxes[0].Text, "選択したﾌｫﾙﾀﾞ( " + tree.Path("na〓ve").Str() +
                                 " )は\nShift-JIS で表せない文字を含むため、\n検索ﾊﾟｽに指定できません。");
}

TEST_F(MainDialogTest, ASizeAboveThirtyTwoBitsIsRefusedWithAWarningAndKeepsOnlyItselfBack) {
    Click(IDC_SIZE_END_FLAG);
    const HWND edit = GetDlgItem(Item(IDC_SIZE_END), 9999);
    SetWindowTextA(edit, "4294967296");
    SendMessageA(edit, WM_KILLFOCUS, 0, 0);
    SetWindowTextA(Item(IDC_SEARCH_PATH), "C:\\elsewhere");
    Command(ID_TOOL_EXECUTE);
    EXPECT_NE(LogText().find("4294967295"), std::string::npos);
    EXPECT_EQ(LogText().find("処理開始"), std::string::npos);
    EXPECT_FALSE(Beeps.empty());
    // The refused size keeps its old value; everything else is taken for a save that goes on.
    EXPECT_EQ(dialog->Engine.Job.SizeRange.End, 0u);
    EXPECT_EQ(dialog->Engine.Job.SearchPath, "C:\\elsewhere");
}

// WindowPos holds the restored window in screen coordinates, both as written and as applied.
TEST_F(MainDialogTest, TheWindowOpensWhereItWasSavedOrAtTheDefaultSizeCentredWhenItLiesOnNoMonitor) {
    auto edges = [](const RECT& rect) {
        char text[64];
        std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", rect.left, rect.top, rect.right, rect.bottom);
        return std::string(text);
    };
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const SIZE least = dialog->GetDefaultWindowRect();
    const LONG left = area.left + (area.right - area.left - least.cx) / 2;
    const LONG top = area.top + (area.bottom - area.top - 450) / 2;
    const std::string centred = edges(RECT{left, top, left + least.cx, top + 450});
    const std::pair<const char*, bool> cases[] = {  // stored, kept
        {"37,81,837,681", true}, {"-200,100,600,700", true},  // partly on the screen
        {"0,0,0,0", false}, {"5000,5000,5800,5600", false}, {"-3000,-2000,-2200,-1400", false}};
    for (const auto& [stored, kept] : cases) {
        Open(std::string("WindowPos=") + stored + "\r\n");
        const std::string expected = kept ? stored : centred;
        EXPECT_EQ(edges(dialog->GetWindowRect()), expected);
        Command(ID_FILE_SAVE);
        EXPECT_EQ(Profile("Common", "WindowPos", settingsFile), expected);
    }
}
