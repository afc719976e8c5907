// The main dialog driven with real messages: layout, dependent fields, run state, commands.
#include "MainDialogFixture.h"

#include <fstream>

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

const char* const kJobIni =
    "[Common]\r\nShowToolBar=1\r\nShowStatusBar=1\r\nRecursive=1\r\n"
    "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\nowhere\r\n"
    "[SearchFileList]\r\nCount=1\r\nFile0001=*.txt\r\n"
    "[SetAttributes]\r\nAttribFlg=2\r\nAttribJokn=0\r\n";

struct RunObservation {
    bool Busy;
    bool PathEnabled;
    UINT ExecuteState;
    UINT AbortState;
    bool AbortButton;
};
RunObservation* g_observation = nullptr;
MainDialog* g_running = nullptr;

void CALLBACK ObserveRun(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    HMENU menu = GetMenu(window);
    *g_observation = {g_running->Engine.Run.Busy == 1, IsWindowEnabled(GetDlgItem(window, IDC_SEARCH_PATH)) != FALSE,
                      GetMenuState(menu, ID_TOOL_EXECUTE, MF_BYCOMMAND), GetMenuState(menu, ID_TOOL_ABORT, MF_BYCOMMAND),
                      g_running->ToolBar().IsButtonEnabled(ID_TOOL_ABORT) != FALSE};
}

}  // namespace

TEST_F(MainDialogTest, SnapsBackToTheLeastSizeInOneMove) {
    Open(kJobIni);
    const SIZE least = dialog->GetDefaultWindowRect();
    ASSERT_GT(least.cx, 0);
    RECT window = dialog->GetWindowRect();
    dialog->MoveWindow(RECT{window.left, window.top, window.left + 100, window.top + 100});
    Pump();
    window = dialog->GetWindowRect();
    EXPECT_EQ(Width(window), least.cx);
    EXPECT_EQ(Height(window), 450);

    dialog->MoveWindow(RECT{window.left, window.top, window.left + least.cx + 200, window.top + 600});
    Pump();
    EXPECT_EQ(Width(dialog->GetWindowRect()), least.cx + 200);
}

TEST_F(MainDialogTest, ToolBarTogglesShiftTheControlsWithoutDrift) {
    Open(kJobIni);
    const RECT shown = ItemRect(IDC_SEARCH_PATH);
    const int barHeight = dialog->ToolBar().GetRectInParent().bottom;
    ASSERT_GT(barHeight, 0);

    Command(ID_VIEW_TOOLBAR);
    EXPECT_EQ(ItemRect(IDC_SEARCH_PATH).top, shown.top - barHeight);
    EXPECT_FALSE(IsWindowVisible(dialog->ToolBar().m_hWnd));
    EXPECT_EQ(MenuState(ID_VIEW_TOOLBAR) & MF_CHECKED, 0u);

    for (int i = 0; i < 3; ++i) {
        Command(ID_VIEW_TOOLBAR);
        Command(ID_VIEW_TOOLBAR);
    }
    Command(ID_VIEW_TOOLBAR);
    EXPECT_EQ(ItemRect(IDC_SEARCH_PATH).top, shown.top);
    EXPECT_TRUE(IsWindowVisible(dialog->ToolBar().m_hWnd));
}

TEST_F(MainDialogTest, StatusBarToggleResizesTheLog) {
    Open(kJobIni);
    const RECT client = dialog->GetClientRect();
    const RECT status = dialog->StatusBar().GetRectInParent();
    EXPECT_EQ(ItemRect(IDC_LOG).bottom, status.top - 4);

    Command(ID_VIEW_STATUS_BAR);
    EXPECT_EQ(ItemRect(IDC_LOG).bottom, client.bottom - 4);
    const RECT log = ItemRect(IDC_LOG);
    EXPECT_EQ(client.right - log.right, log.left);  // equal margins

    Command(ID_VIEW_STATUS_BAR);
    EXPECT_EQ(ItemRect(IDC_LOG).bottom, status.top - 4);
}

TEST_F(MainDialogTest, SwitchesEnableTheirFieldsAndTakeTheFocusThere) {
    Open(kJobIni);
    EXPECT_FALSE(Enabled(IDC_DATE_START));
    SendMessageA(Item(IDC_DATE_START_FLAG), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(Enabled(IDC_DATE_START));
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == Item(IDC_DATE_START) || IsChild(Item(IDC_DATE_START), focus));

    SendMessageA(Item(IDC_TIMESTAMP_FLAG), BM_CLICK, 0, 0);
    EXPECT_TRUE(Enabled(IDC_STAMP_CLOCK));
    EXPECT_EQ(Enabled(IDC_TIMESTAMP), Checked(IDC_STAMP_GIVEN));
    SendMessageA(Item(IDC_STAMP_CLOCK), BM_CLICK, 0, 0);
    EXPECT_FALSE(Enabled(IDC_TIMESTAMP));
    SendMessageA(Item(IDC_TIMESTAMP_FLAG), BM_CLICK, 0, 0);
    EXPECT_FALSE(Enabled(IDC_STAMP_CLOCK));
    EXPECT_FALSE(Enabled(IDC_STAMP_GIVEN));
    EXPECT_FALSE(Enabled(IDC_TIMESTAMP));
}

TEST_F(MainDialogTest, TheRunDisablesTheJobAndEnablesAbortUntilItEnds) {
    Open(kJobIni);
    EXPECT_NE(MenuState(ID_TOOL_ABORT) & MF_GRAYED, 0u);
    EXPECT_FALSE(dialog->ToolBar().IsButtonEnabled(ID_TOOL_ABORT));

    RunObservation seen{};
    g_observation = &seen;
    g_running = dialog.get();
    tree.MakeDir("d");
    for (int i = 0; i < 300; ++i) {
        CString name;
        name.Format("d\\%03d.txt", i);
        tree.MakeFile(name);
    }
    SetWindowTextA(Item(IDC_SEARCH_PATH), tree.Path("d"));
    // The run pumps messages; this timer fires inside it.
    SetTimer(dialog->m_hWnd, 77, 1, ObserveRun);
    Sleep(5);
    Command(ID_TOOL_EXECUTE);

    EXPECT_TRUE(seen.Busy);
    EXPECT_FALSE(seen.PathEnabled);
    EXPECT_NE(seen.ExecuteState & MF_GRAYED, 0u);
    EXPECT_EQ(seen.AbortState & MF_GRAYED, 0u);
    EXPECT_TRUE(seen.AbortButton);
    EXPECT_TRUE(Enabled(IDC_SEARCH_PATH));
    EXPECT_NE(MenuState(ID_TOOL_ABORT) & MF_GRAYED, 0u);
    EXPECT_NE(LogText().find("処理総数 : 300 件"), std::string::npos);
}

TEST_F(MainDialogTest, AnAbortQueuedBehindExecuteStopsTheRunAtItsFirstCheck) {
    Open(kJobIni);
    tree.MakeFile("a.txt");
    SetWindowTextA(Item(IDC_SEARCH_PATH), tree.Root());
    dialog->PostMessage(WM_POSTED_COMMAND, ID_TOOL_EXECUTE, 0);
    dialog->PostMessage(WM_POSTED_COMMAND, ID_TOOL_ABORT, 0);
    Pump();
    EXPECT_NE(LogText().find("※ 処理は中止されました。"), std::string::npos) << LogText();
    EXPECT_EQ(tree.Attributes("a.txt") & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(MainDialogTest, ClosingIsRefusedDuringARunAndAfterAnAutoRunSavesNothing) {
    Open(kJobIni);
    dialog->Engine.Run.Busy = 1;
    dialog->OnCancel();
    EXPECT_FALSE(dialog->IsEnded());
    dialog->Engine.Run.Busy = 0;

    dialog->AutoRun = 1;
    const CString defaultFile = SettingsStore::DefaultFile();
    DeleteFileA(defaultFile);
    dialog->OnCancel();
    EXPECT_TRUE(dialog->IsEnded());
    EXPECT_EQ(GetFileAttributesA(defaultFile), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainDialogTest, ADefaultFileThatCannotBeWrittenAsksBeforeClosing) {
    Open(kJobIni);
    const CString defaultFile = SettingsStore::DefaultFile();
    const HANDLE holder = CreateFileA(defaultFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    answer = IDNO;
    dialog->OnCancel();
    EXPECT_FALSE(dialog->IsEnded());
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().Title, "Fendrix:Warning");
    answer = IDYES;
    dialog->OnCancel();
    EXPECT_TRUE(dialog->IsEnded());
    CloseHandle(holder);
    DeleteFileA(defaultFile);
}

TEST_F(MainDialogTest, EnterNeverClosesAndEscapeClosesLikeTheCloseBox) {
    Open(kJobIni);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(dialog->IsEnded());
    dialog->AutoRun = 1;  // no save on this close
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog->IsEnded());
}

TEST_F(MainDialogTest, MenuHelpAndToolTipsUseTheCommandTexts) {
    Open(kJobIni);
    dialog->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TOOL_EXECUTE, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(dialog->m_hWnd)));
    EXPECT_EQ(dialog->StatusBar().GetText(1), "現在の検索条件･操作設定で処理を実行します。");
    dialog->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Sleep(PaintThrottle::kInterval + 30);  // a message that follows another at once waits that long
    Pump();
    EXPECT_EQ(dialog->StatusBar().GetText(1), "");

    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = ID_TOOL_ABORT;
    info.hdr.code = TTN_NEEDTEXTA;
    EXPECT_EQ(dialog->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_STREQ(info.szText, "処理中止");
    info.hdr.idFrom = ID_OPTION_SORT;
    info.szText[0] = 'x';
    EXPECT_EQ(dialog->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.szText[0], 'x');
}

TEST_F(MainDialogTest, OptionTogglesWarnAndMarkTheMenu) {
    Open(kJobIni);
    Command(ID_OPTION_SORT);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, "Fendrix:Warning");
    EXPECT_NE(MenuState(ID_OPTION_SORT) & MF_CHECKED, 0u);
    EXPECT_EQ(dialog->StatusBar().GetText(8), "S");

    Command(ID_OPTION_SKIP_SYSTEM);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Title, "Fendrix:Warning !");
    EXPECT_TRUE(Enabled(IDC_SEARCH_SYSTEM));
    Command(ID_OPTION_SKIP_SYSTEM);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(Enabled(IDC_SEARCH_SYSTEM));

    Command(ID_OPTION_SHOW_FILES);
    EXPECT_NE(MenuState(ID_OPTION_SHOW_SKIPPED) & MF_GRAYED, 0u);
    EXPECT_EQ(dialog->StatusBar().GetText(3), "");
}

TEST_F(MainDialogTest, HistoryKeepsTheLatestTextOnTopOnce) {
    Open(kJobIni);
    HWND path = Item(IDC_SEARCH_PATH);
    SetWindowTextA(path, "  d:\\temp  ");
    dialog->AddToHistory(IDC_SEARCH_PATH);
    SetWindowTextA(path, "D:\\TEMP");
    dialog->AddToHistory(IDC_SEARCH_PATH);
    EXPECT_EQ(SendMessageA(path, CB_GETCOUNT, 0, 0), 2);  // C:\nowhere and D:\TEMP
    EXPECT_EQ(WindowTextOf(path), "D:\\TEMP");
    SetWindowTextA(path, "   ");
    dialog->AddToHistory(IDC_SEARCH_PATH);
    EXPECT_EQ(SendMessageA(path, CB_GETCOUNT, 0, 0), 2);

    Command(ID_TOOL_CLEAR_HISTORY);
    EXPECT_EQ(SendMessageA(path, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_FILE)), "");
    Command(ID_FILE_NEW);  // the lists of the last load come back
    EXPECT_EQ(SendMessageA(path, CB_GETCOUNT, 0, 0), 1);
}

TEST_F(MainDialogTest, BrowseReplacesOrWithCtrlAppendsTheChosenFolder) {
    Open(kJobIni);
    static CString chosen;
    static bool ctrl;
    chosen = tree.Root();
    auto previousBrowse = seams::BrowseForFolder;
    auto previousKeys = seams::IsKeyDown;
    seams::BrowseForFolder = [](BROWSEINFOA*) -> PIDLIST_ABSOLUTE {
        PIDLIST_ABSOLUTE item = nullptr;
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, chosen, -1, wide, MAX_PATH);
        SHParseDisplayName(wide, nullptr, &item, 0, nullptr);
        return item;
    };
    seams::IsKeyDown = [](int key) { return key == VK_CONTROL && ctrl; };

    ctrl = false;
    dialog->BrowseSearchFolder();
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), tree.Root());
    EXPECT_EQ(dialog->LastBrowseFolder, tree.Root());
    ctrl = true;
    dialog->BrowseSearchFolder();
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), tree.Root() + ";" + tree.Root());

    seams::BrowseForFolder = previousBrowse;
    seams::IsKeyDown = previousKeys;
}

TEST_F(MainDialogTest, SizesAboveThirtyTwoBitsAreRefusedWithAWarning) {
    Open(kJobIni);
    SendMessageA(Item(IDC_SIZE_END_FLAG), BM_CLICK, 0, 0);
    SetWindowTextA(GetDlgItem(Item(IDC_SIZE_END), 9999), "4294967296");
    SendMessageA(GetDlgItem(Item(IDC_SIZE_END), 9999), WM_KILLFOCUS, 0, 0);
    SetWindowTextA(Item(IDC_SEARCH_PATH), "C:\\elsewhere");
    Command(ID_TOOL_EXECUTE);
    EXPECT_NE(LogText().find("4294967295"), std::string::npos);
    EXPECT_EQ(LogText().find("処理開始"), std::string::npos);
    EXPECT_FALSE(beeps.empty());
    // The refused size keeps its old value; everything else is taken for a save that goes on.
    EXPECT_EQ(dialog->Engine.Job.SizeRange.End, 0u);
    EXPECT_EQ(dialog->Engine.Job.SearchPath, "C:\\elsewhere");
}

namespace {

CString g_chosenFile;

BOOL ChooseFile(OPENFILENAMEA* request, bool) {
    lstrcpynA(request->lpstrFile, g_chosenFile, static_cast<int>(request->nMaxFile));
    return TRUE;
}

}  // namespace

TEST_F(MainDialogTest, OpeningAFileKeepsTheSwitchBoxesAndStopsWhenTheSaveBeforeItFails) {
    Open(kJobIni);
    const auto previousGetFileName = seams::GetFileName;
    seams::GetFileName = ChooseFile;
    g_chosenFile = tree.Path("other.ini");
    std::ofstream(g_chosenFile.Str(), std::ios::binary) << "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\other\r\n";
    SendMessageA(Item(IDC_DATE_START_FLAG), BM_CLICK, 0, 0);

    answer = IDNO;
    Command(ID_FILE_OPEN);
    EXPECT_EQ(dialog->Settings.CurrentFile, g_chosenFile);
    EXPECT_TRUE(Checked(IDC_DATE_START_FLAG));  // settings files do not hold the switches

    const HANDLE holder = CreateFileA(g_chosenFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    g_chosenFile = settingsFile;
    SetWindowTextA(Item(IDC_SEARCH_PATH), "C:\\typed");
    answer = IDYES;
    Command(ID_FILE_OPEN);
    CloseHandle(holder);
    EXPECT_EQ(dialog->Settings.CurrentFile, tree.Path("other.ini"));
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), "C:\\typed");
    EXPECT_NE(LogText().find("保存できませんでした"), std::string::npos);
    seams::GetFileName = previousGetFileName;
}
