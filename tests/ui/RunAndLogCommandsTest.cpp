// Execute, Preview, Undo and Save log in the real main dialog, with the results read back from
// disk; the engine's tests own the lines each run logs.
#include "MainDialogFixture.h"

#include "engine/LogPalette.h"

namespace {

// The window seen from a timer inside a run: busy; the search path disabled; the commands that
// start a run and Save log grayed; Abort enabled in the menu and the bar (whose other buttons
// the tool bar's tests own).
std::vector<bool> g_seen;
MainDialog* g_busy = nullptr;

void CALLBACK ObserveBusyWindow(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    const HMENU menu = GetMenu(window);
    auto grayed = [menu](UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    g_seen = {g_busy->Engine.Run.Busy == 1, !IsWindowEnabled(GetDlgItem(window, IDC_SEARCH_PATH)),
              grayed(ID_TOOL_EXECUTE), grayed(ID_TOOL_PREVIEW), grayed(ID_TOOL_UNDO), grayed(ID_FILE_SAVE_LOG),
              !grayed(ID_TOOL_ABORT), g_busy->ToolBar().IsButtonEnabled(ID_TOOL_ABORT) != FALSE};
}

}  // namespace

TEST_F(MainDialogTest, EachRunHoldsTheWindowBusyUntilItEndsAndAnAbortQueuedBehindItStopsIt) {
    dialog->Engine.Journals.Folder = Wide(tree.Path("journal"));
    tree.MakeDir("files");
    std::vector<CString> files;
    for (int i = 0; i < 300; ++i) files.push_back(tree.MakeFile(("files\\f" + std::to_string(i) + ".txt").c_str()));
    SetWindowTextA(Item(IDC_SEARCH_PATH), tree.Path("files"));  // the job hides *.txt
    auto hidden = [&files] {
        size_t count = 0;
        for (const CString& file : files) count += (GetFileAttributesA(file) & FILE_ATTRIBUTE_HIDDEN) != 0 ? 1 : 0;
        return count;
    };
    // The command and how many files are hidden after it; the engine's tests own what each logs.
    const std::pair<UINT, size_t> runs[] = {{ID_TOOL_PREVIEW, 0}, {ID_TOOL_EXECUTE, 300}, {ID_TOOL_UNDO, 0}};
    g_busy = dialog.get();
    for (const auto& [command, hiddenAfter] : runs) {
        SCOPED_TRACE(command);
        EXPECT_EQ(MenuState(command) & MF_GRAYED, 0u);
        g_seen.clear();
        SetTimer(dialog->m_hWnd, 78, 1, ObserveBusyWindow);  // fires inside the run, which pumps messages
        Sleep(5);
        Command(command);
        EXPECT_EQ(g_seen, std::vector<bool>(8, true));
        EXPECT_EQ(hidden(), hiddenAfter);
        EXPECT_TRUE(Enabled(IDC_SEARCH_PATH));
        EXPECT_NE(MenuState(ID_TOOL_ABORT) & MF_GRAYED, 0u);
    }
    // Aborted at once, the execute and the undo after the undo would hide the files again.
    for (const UINT command : {ID_TOOL_PREVIEW, ID_TOOL_UNDO, ID_TOOL_EXECUTE}) {
        dialog->PostMessage(WM_POSTED_COMMAND, command, 0);
        Command(ID_TOOL_ABORT);
        EXPECT_EQ(dialog->Engine.Run.Outcome, RunOutcome::Aborted) << command;
    }
    EXPECT_EQ(hidden(), 0u);
}

TEST_F(MainDialogTest, SaveLogWritesTheWholeLogInShiftJisWithCrLfUnderTheRealName) {
    dialog->AppendLogLine("", 0);
    dialog->AppendLogLine("表示 ﾃｽﾄ", LogColor::Navy);
    dialog->AppendLogLine("last", LogColor::Red);
    const std::wstring file = Wide(tree.Path("log")) + L"-😀.txt";
    Chosen = file;
    Command(ID_FILE_SAVE_LOG);

    ASSERT_EQ(FileDialogs.size(), 1u);
    EXPECT_TRUE(FileDialogs[0].Save);
    EXPECT_EQ(FileDialogs[0].Title, "ﾛｸﾞを保存する");
    EXPECT_EQ(FileDialogs[0].Filter, "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|全ての (*.*)|*.*|");
    EXPECT_NE(FileDialogs[0].Flags & OFN_OVERWRITEPROMPT, 0u);
    std::ifstream saved(file.c_str(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(saved), {});
    EXPECT_EQ(bytes, "表示 ﾃｽﾄ\r\nlast\r\n");

    // The next dialog starts at the file saved last; a file that cannot be written is reported.
    Chosen = Wide(tree.Path("no-such-folder\\log.txt"));
    Command(ID_FILE_SAVE_LOG);
    EXPECT_EQ(FileDialogs[1].InitialFile, ShownText(file).Str());
    EXPECT_EQ(Beeps, std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_NE(LogText().find("*** ﾛｸﾞを保存できませんでした。( " + tree.Path("no-such-folder\\log.txt").Str() + " )"),
              std::string::npos);
}
