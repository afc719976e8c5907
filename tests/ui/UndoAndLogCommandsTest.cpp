// Preview, Execute, Undo and Save log in the real main dialog, with the results read back from
// disk.
#include "MainDialogFixture.h"

#include "engine/Journal.h"
#include "engine/LogPalette.h"

namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;

// The window's state seen from a timer inside a preview or undo: busy; the command itself,
// Execute, Preview, Undo and Save log grayed; Abort enabled in the menu and the bar; the
// command's own button disabled.
std::vector<bool> g_seen;
MainDialog* g_busy = nullptr;
UINT g_command = 0;

void CALLBACK ObserveBusyWindow(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    const HMENU menu = GetMenu(window);
    auto grayed = [menu](UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    g_seen = {g_busy->Engine.Run.Busy == 1,
              grayed(ID_TOOL_EXECUTE),
              grayed(ID_TOOL_PREVIEW),
              grayed(ID_TOOL_UNDO),
              grayed(ID_FILE_SAVE_LOG),
              !grayed(ID_TOOL_ABORT),
              g_busy->ToolBar().IsButtonEnabled(ID_TOOL_ABORT) != FALSE,
              g_busy->ToolBar().IsButtonEnabled(g_command) == FALSE};
}

class UndoCommandsTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        dialog->Engine.Journals.Folder = Wide(tree.Path("journal"));
        tree.MakeDir("files");
        ::SetWindowTextA(Item(IDC_SEARCH_PATH), tree.Path("files"));  // the job hides *.txt
    }

    std::vector<CString> MakeFiles(int count) {
        std::vector<CString> files;
        for (int i = 0; i < count; ++i) files.push_back(tree.MakeFile(("files\\f" + std::to_string(i) + ".txt").c_str()));
        return files;
    }
    // Gives the command as the menu does, with a timer due inside it that looks at the window.
    void CommandObserved(UINT command) {
        g_seen.clear();
        g_busy = dialog.get();
        g_command = command;
        SetTimer(dialog->m_hWnd, 78, 1, ObserveBusyWindow);
        Sleep(5);
        Command(command);
    }
    static size_t CountHidden(const std::vector<CString>& files) {
        size_t hidden = 0;
        for (const CString& file : files) hidden += (GetFileAttributesA(file) & kHidden) != 0 ? 1 : 0;
        return hidden;
    }
};

}  // namespace

TEST_F(UndoCommandsTest, PreviewListsWhatExecuteThenChangesWhileTheWindowIsBusyAndChangesNothing) {
    const std::vector<CString> files = MakeFiles(300);
    EXPECT_EQ(MenuState(ID_TOOL_PREVIEW) & MF_GRAYED, 0u);
    EXPECT_TRUE(dialog->ToolBar().IsButtonEnabled(ID_TOOL_PREVIEW));

    CommandObserved(ID_TOOL_PREVIEW);

    EXPECT_EQ(g_seen, std::vector<bool>(8, true));
    EXPECT_EQ(CountHidden(files), 0u);
    EXPECT_TRUE(JournalFiles(dialog->Engine.Journals.Folder).empty());
    const std::string log = LogText();
    EXPECT_NE(log.find("* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ開始 * * * * * * * * * *\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("    will : -a-h- "), std::string::npos);
    EXPECT_NE(log.find("変更予定総数 : 300 件\r\n"), std::string::npos);
    EXPECT_EQ(MenuState(ID_TOOL_PREVIEW) & MF_GRAYED, 0u);
    EXPECT_NE(MenuState(ID_TOOL_ABORT) & MF_GRAYED, 0u);
    EXPECT_TRUE(dialog->ToolBar().IsButtonEnabled(ID_TOOL_PREVIEW));

    Command(ID_TOOL_EXECUTE);
    EXPECT_EQ(CountHidden(files), 300u);
    EXPECT_NE(LogText().find("処理総数 : 300 件\r\n"), std::string::npos);

    // A preview stopped by an Abort queued behind it.
    dialog->PostMessage(WM_POSTED_COMMAND, ID_TOOL_PREVIEW, 0);
    Command(ID_TOOL_ABORT);
    EXPECT_NE(LogText().find("※ ﾌﾟﾚﾋﾞｭｰは中止されました。"), std::string::npos) << LogText();
    EXPECT_EQ(dialog->Engine.Run.Outcome, RunOutcome::Aborted);
}

TEST_F(UndoCommandsTest, UndoPutsTheLastRunBackWhileTheWindowIsBusyAndAbortStopsIt) {
    const std::vector<CString> files = MakeFiles(300);
    Command(ID_TOOL_EXECUTE);
    ASSERT_EQ(CountHidden(files), 300u);
    EXPECT_EQ(MenuState(ID_TOOL_UNDO) & MF_GRAYED, 0u);
    EXPECT_TRUE(dialog->ToolBar().IsButtonEnabled(ID_TOOL_UNDO));

    CommandObserved(ID_TOOL_UNDO);

    EXPECT_EQ(g_seen, std::vector<bool>(8, true));
    EXPECT_EQ(CountHidden(files), 0u);
    EXPECT_NE(LogText().find("復元総数 : 300 件"), std::string::npos);
    EXPECT_EQ(MenuState(ID_TOOL_UNDO) & MF_GRAYED, 0u);
    EXPECT_NE(MenuState(ID_TOOL_ABORT) & MF_GRAYED, 0u);

    // The undo of the undo, stopped by an Abort queued behind it.
    dialog->PostMessage(WM_POSTED_COMMAND, ID_TOOL_UNDO, 0);
    Command(ID_TOOL_ABORT);
    EXPECT_NE(LogText().find("※ 復元は中止されました。"), std::string::npos) << LogText();
    EXPECT_EQ(dialog->Engine.Run.Outcome, RunOutcome::Aborted);
    EXPECT_EQ(CountHidden(files), 0u);
}

TEST_F(UndoCommandsTest, SaveLogWritesTheWholeLogInShiftJisWithCrLfUnderTheRealName) {
    dialog->AppendLogLine("", 0);
    dialog->AppendLogLine("表示 ﾃｽﾄ", LogColor::Navy);
    dialog->AppendLogLine("\r\n", LogColor::Black);
    dialog->AppendLogLine("last", LogColor::Red);
    const std::wstring file = Wide(tree.Path("log")) + L"-😀.txt";
    Chosen = file;
    Command(ID_FILE_SAVE_LOG);

    ASSERT_EQ(FileDialogs.size(), 1u);
    EXPECT_TRUE(FileDialogs[0].Save);
    EXPECT_EQ(FileDialogs[0].Title, "ﾛｸﾞを保存する");
    EXPECT_EQ(FileDialogs[0].Filter, "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|全ての (*.*)|*.*|");
    EXPECT_EQ(FileDialogs[0].DefaultExtension, "txt");
    constexpr DWORD kFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    EXPECT_EQ(FileDialogs[0].Flags & kFlags, kFlags);
    std::string bytes;
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    char buffer[256];
    DWORD got = 0;
    ::ReadFile(handle, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(handle);
    bytes.assign(buffer, got);
    EXPECT_EQ(bytes, "表示 ﾃｽﾄ\r\n\r\nlast\r\n");
    EXPECT_EQ(bytes, LogText());

    // The next dialog starts at the file saved last; a file that cannot be written is reported.
    Chosen = Wide(tree.Path("no-such-folder\\log.txt"));
    Command(ID_FILE_SAVE_LOG);
    EXPECT_EQ(FileDialogs[1].InitialFile, ShownText(file).Str());
    EXPECT_EQ(Beeps, std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_NE(LogText().find("*** ﾛｸﾞを保存できませんでした。( " + tree.Path("no-such-folder\\log.txt").Str() + " )"),
              std::string::npos);
}
