// Undo and Save log in the real main dialog, with the results read back from disk.
#include "MainDialogFixture.h"

#include "engine/Journal.h"
#include "engine/LogPalette.h"

namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;

// The window's state seen from a timer inside the undo: busy, Undo and Save log grayed,
// Abort enabled in the menu and the bar, Undo's button disabled.
std::vector<bool> g_seen;
MainDialog* g_undoing = nullptr;

void CALLBACK ObserveUndo(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    const HMENU menu = GetMenu(window);
    auto grayed = [menu](UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    g_seen = {g_undoing->Engine.Run.Busy == 1, grayed(ID_TOOL_UNDO), grayed(ID_TOOL_EXECUTE), grayed(ID_FILE_SAVE_LOG),
              !grayed(ID_TOOL_ABORT), g_undoing->ToolBar().IsButtonEnabled(ID_TOOL_ABORT) != FALSE,
              g_undoing->ToolBar().IsButtonEnabled(ID_TOOL_UNDO) == FALSE};
}

class UndoCommandsTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        dialog->Engine.Journals.Folder = Wide(tree.Path("journal"));
    }

    // Hides the files, journalled as a run journals them.
    void HideJournalled(const std::vector<CString>& files) {
        JournalWriter writer;
        CString reason;
        ASSERT_TRUE(writer.Open(dialog->Engine.Journals, JournalKind::Run, reason));
        for (const CString& file : files) {
            WIN32_FIND_DATAW listed{};
            FindClose(FindFirstFileW(Wide(file).c_str(), &listed));
            ASSERT_TRUE(writer.Append(RecordBeforeChange(Wide(file), listed, listed.dwFileAttributes | kHidden,
                                                         listed.ftLastWriteTime)));
            SetFileAttributesA(file, listed.dwFileAttributes | kHidden);
        }
    }
};

}  // namespace

TEST_F(UndoCommandsTest, UndoPutsTheLastRunBackWhileTheWindowIsBusyAndAbortStopsIt) {
    std::vector<CString> files;
    for (int i = 0; i < 300; ++i) files.push_back(tree.MakeFile(("f" + std::to_string(i) + ".txt").c_str()));
    HideJournalled(files);
    EXPECT_EQ(MenuState(ID_TOOL_UNDO) & MF_GRAYED, 0u);
    EXPECT_TRUE(dialog->ToolBar().IsButtonEnabled(ID_TOOL_UNDO));
    g_undoing = dialog.get();
    SetTimer(dialog->m_hWnd, 78, 1, ObserveUndo);
    Sleep(5);

    Command(ID_TOOL_UNDO);

    EXPECT_EQ(g_seen, std::vector<bool>(7, true));
    for (const CString& file : files) ASSERT_EQ(GetFileAttributesA(file) & kHidden, 0u) << file;
    EXPECT_NE(LogText().find("復元総数 : 300 件"), std::string::npos);
    EXPECT_EQ(MenuState(ID_TOOL_UNDO) & MF_GRAYED, 0u);
    EXPECT_NE(MenuState(ID_TOOL_ABORT) & MF_GRAYED, 0u);

    // The undo of the undo, stopped by an Abort queued behind it.
    dialog->PostMessage(WM_POSTED_COMMAND, ID_TOOL_UNDO, 0);
    Command(ID_TOOL_ABORT);
    EXPECT_NE(LogText().find("※ 復元は中止されました。"), std::string::npos) << LogText();
    EXPECT_EQ(dialog->Engine.Run.Outcome, RunOutcome::Aborted);
    for (const CString& file : files) ASSERT_EQ(GetFileAttributesA(file) & kHidden, 0u) << file;
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
