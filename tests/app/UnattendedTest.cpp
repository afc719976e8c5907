// The switches of the unattended session, the exit codes, the command route, and unattended
// sessions of Fendrix.exe as a separate process, with their results read back from disk.
#include "ChildProcess.h"
#include "app/CommandLineArgs.h"
#include "app/FendrixApp.h"
#include "engine/Journal.h"
#include "res/resource.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

TEST(UnattendedSwitches, OnlyArgumentOneStartsASessionAndOnlyItsLaterArgumentsCount) {
    const struct {
        std::vector<CString> arguments;
        bool autoRun, undo, preview;
        const char* settings;
        const wchar_t* journal;
        const wchar_t* log;
    } cases[] = {
        {{"Fendrix.exe", "-auto", "-auto:x"}, true, false, false, "", L"", L""},
        {{"Fendrix.exe", "/Auto=表.ini", "x", "/LOG=表.txt", "-log:second"}, true, false, false, "表.ini", L"", L"表.txt"},
        {{"Fendrix.exe", "-autorun"}, true, false, false, "un", L"", L""},
        {{"Fendrix.exe", "-aut"}, false, false, false, "", L"", L""},
        {{"Fendrix.exe", "auto"}, false, false, false, "", L"", L""},
        {{"Fendrix.exe", "-undo"}, true, true, false, "", L"", L""},
        {{"Fendrix.exe", "/UNDO:C:\\j\\a.jnl", "-log:C:\\l.txt"}, true, true, false, "", L"C:\\j\\a.jnl", L"C:\\l.txt"},
        {{"Fendrix.exe", "-undone"}, true, true, false, "", L"e", L""},
        {{"Fendrix.exe", "-und:x"}, false, false, false, "", L"", L""},
        {{"Fendrix.exe", "-log:C:\\l.txt", "-auto"}, false, false, false, "", L"", L""},
        {{"Fendrix.exe", "-auto:a.ini", "-log:l.txt", "/PREVIEW"}, true, false, true, "a.ini", L"", L"l.txt"},
        {{"Fendrix.exe", "-auto", "-previews"}, true, false, false, "", L"", L""},
        {{"Fendrix.exe", "-undo", "-preview"}, true, true, false, "", L"", L""},
        {{"Fendrix.exe", "-preview", "-auto"}, false, false, false, "", L"", L""},
    };
    for (const auto& c : cases) {
        const AutoRunRequest request = ReadAutoRunSwitch(CommandLineArgs(c.arguments));
        const std::string name = c.arguments[1].Str() + (c.arguments.size() > 2 ? " " + c.arguments[2].Str() : "");
        EXPECT_EQ(request.AutoRun, c.autoRun) << name;
        EXPECT_EQ(request.Undo, c.undo) << name;
        EXPECT_EQ(request.Preview, c.preview) << name;
        EXPECT_EQ(request.SettingsPath, c.settings) << name;
        EXPECT_TRUE(request.JournalPath == c.journal) << name;
        EXPECT_TRUE(request.LogPath == c.log) << name;
    }
    EXPECT_FALSE(ReadAutoRunSwitch(CommandLineArgs({"Fendrix.exe"})).AutoRun);
    // Names that Shift-JIS cannot spell arrive by their UTF-16 arguments. (Wide literals stay
    // out of the checks, whose texts are kept in Shift-JIS.)
    const std::wstring journal = L"café.jnl", log = L"😀.txt";
    const AutoRunRequest request = ReadAutoRunSwitch(
        CommandLineArgs({"Fendrix.exe", "-undo:caf?.jnl", "-log:??.txt"},
                        {L"Fendrix.exe", L"-undo:" + journal, L"-log:" + log}));
    EXPECT_TRUE(request.JournalPath == journal);
    EXPECT_TRUE(request.LogPath == log);
}

TEST(UnattendedSwitches, ExitCodesByOutcomeSettingsFileAndLog) {
    const std::tuple<RunOutcome, bool, bool, int> cases[] = {
        {RunOutcome::Completed, true, true, 0},  {RunOutcome::EntriesFailed, true, true, 1},
        {RunOutcome::Refused, true, true, 2},    {RunOutcome::Aborted, true, true, 2},
        {RunOutcome::None, true, true, 2},       {RunOutcome::Completed, false, true, 2},
        {RunOutcome::Completed, true, false, 1}, {RunOutcome::EntriesFailed, true, false, 1},
        {RunOutcome::Refused, true, false, 2},
    };
    for (const auto& [outcome, readable, logWritten, code] : cases) {
        EXPECT_EQ(ExitCodeOf(outcome, readable, logWritten), code) << static_cast<int>(outcome) << readable << logWritten;
    }
}

TEST(CommandRoute, MenuCommandsArriveAsPostedMessages) {
    FendrixApp app;
    CWnd target;
    ASSERT_TRUE(target.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    app.m_pMainWnd = &target;
    EXPECT_TRUE(app.OnCmdMsg(ID_TOOL_EXECUTE, 0));
    EXPECT_FALSE(app.OnCmdMsg(ID_FILE_CLOSE, 0));
    EXPECT_FALSE(app.OnCmdMsg(1022, EN_CHANGE));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, target.m_hWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_POSTED_COMMAND));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(ID_TOOL_EXECUTE));
    EXPECT_FALSE(PeekMessageA(&msg, target.m_hWnd, 0, 0, PM_REMOVE));
    app.m_pMainWnd = nullptr;
}

namespace {

// Starts Fendrix.exe with the arguments, by their real names; its exit code once it has closed.
DWORD RunProgram(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + BinFolder() + L"\\Fendrix.exe\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "not started";
        return STILL_ACTIVE;
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << "the program did not close by itself";
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// One quoted argument: the switch and its file.
std::wstring Arg(const wchar_t* switchText, const std::wstring& file) {
    return std::wstring(L" \"") + switchText + file + L"\"";
}

// The journals that the sessions of a test leave beside the program, removed when it ends.
class ProgramJournals {
public:
    ProgramJournals() : m_before(JournalFiles(Folder())) {}
    ~ProgramJournals() {
        for (const std::wstring& file : Added()) DeleteFileW(file.c_str());
    }
    ProgramJournals(const ProgramJournals&) = delete;
    ProgramJournals& operator=(const ProgramJournals&) = delete;

    static std::wstring Folder() { return BinFolder() + L"\\journal"; }
    std::vector<std::wstring> Added() const {
        std::vector<std::wstring> added;
        for (const std::wstring& file : JournalFiles(Folder())) {
            if (std::find(m_before.begin(), m_before.end(), file) == m_before.end()) added.push_back(file);
        }
        return added;
    }

private:
    const std::vector<std::wstring> m_before;
};

}  // namespace

// Sessions in turn over a.txt and b.txt: each closes by itself with its exit code, writes its
// log where asked (a line of it is checked), and leaves the files hidden as listed and its
// journal, if any, beside the program. No session saves the default settings file.
TEST(UnattendedSession, ExitCodesLogsAndResultsOnDisk) {
    const ProgramJournals journals;
    TempTree tree;
    tree.MakeFile("a.txt");
    tree.MakeFile("b.txt");
    const auto job = [&](const char* name, const CString& searchPath, const char* pattern, const char* otherKeys) {
        WriteBytes(Wide(tree.Path(name)), "[SearchPathList]\r\nCount=1\r\nPath0001=" + searchPath.Str() +
                                              "\r\n[SearchFileList]\r\nCount=1\r\nFile0001=" + pattern + "\r\n" +
                                              otherKeys);
        return Wide(tree.Path(name));
    };
    // No file stores the time-stamp switch, and a session never turns it on.
    const std::wstring hide = job("hide.ini", tree.Root(), "*.txt",
                                  "[SetAttributes]\r\nAttribFlg=2\r\nAttribJokn=0\r\n"
                                  "[SetTimeStanp]\r\nTimeStanpJokn=1\r\nTimeStanpVal=2001/05/06 12:00:00\r\n");
    const std::wstring noOperation = job("none.ini", tree.Root(), "*.txt", "");
    // The kernel refuses every change of mode and extended attributes of /proc/sys files, also
    // to root; the filter on Archive leaves the listed subdirectories out.
    const std::wstring refused = job("refused.ini", "Z:\\proc\\sys\\kernel", "hostname",
                                     "[Common]\r\nRecursive=0\r\n[SearchAttributes]\r\nAttribFlg=32\r\nAttribJokn=0\r\n"
                                     "[SetAttributes]\r\nAttribFlg=1\r\nAttribJokn=0\r\n");
    const std::wstring logFile = Wide(tree.Path("log")) + L"-😀.txt", log = Arg(L"-log:", logFile);
    const std::wstring defaultFile = BinFolder() + L"\\Fendrix.ini";
    WriteBytes(defaultFile, "[Common]\r\nShowToolBar=0\r\n");
    const struct {
        const char* name;
        std::wstring arguments;
        DWORD exitCode;
        const char* line;    // of the log, if it is checked
        const char* hidden;  // the files hidden afterwards
        size_t journals;     // beside the program
    } steps[] = {
        {"preview", Arg(L"-auto:", hide) + L" -preview" + log, EXIT_RUN_COMPLETED,
         "変更予定総数 : 2 件\r\n\r\n* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ終了", "", 0},
        {"preview refused", Arg(L"-auto:", noOperation) + L" -preview" + log, EXIT_RUN_REFUSED,
         "*** 操作を指定してください。\r\n", "", 0},
        {"no settings file", Arg(L"-auto:", Wide(tree.Path("none.ini.missing"))), EXIT_RUN_REFUSED, nullptr, "", 0},
        {"entries failed", Arg(L"-auto:", refused), EXIT_ENTRIES_FAILED, nullptr, "", 1},
        {"log not written", Arg(L"-auto:", hide) + Arg(L"-log:", Wide(tree.Path("none\\log.txt"))),
         EXIT_ENTRIES_FAILED, nullptr, "ab", 2},
        {"no journal", Arg(L"-undo:", Wide(tree.Path("none.jnl"))) + log, EXIT_RUN_REFUSED,
         "*** ｼﾞｬｰﾅﾙを読めません。", "ab", 2},
        {"undo of the newest", L" -undo" + log, EXIT_RUN_COMPLETED,
         "復元総数 : 2 件\r\n\r\n* * * * * * * * * * 復元終了", "", 3},
        {"run", Arg(L"-auto:", hide) + log, EXIT_RUN_COMPLETED, "処理総数 : 2 件\r\n", "ab", 4},
    };
    auto hidden = [&] {
        std::string names;
        for (const char* name : {"a", "b"}) {
            if (tree.Attributes((name + std::string(".txt")).c_str()) & FILE_ATTRIBUTE_HIDDEN) names += name;
        }
        return names;
    };
    for (const auto& step : steps) {
        DeleteFileW(logFile.c_str());
        EXPECT_EQ(RunProgram(step.arguments), step.exitCode) << step.name;
        if (step.line != nullptr) {
            const std::string text = FileBytes(logFile);
            EXPECT_NE(text.find(step.line), std::string::npos) << step.name << ": " << text;
        }
        EXPECT_EQ(hidden(), step.hidden) << step.name;
        EXPECT_EQ(journals.Added().size(), step.journals) << step.name;
    }
    EXPECT_NE(tree.WriteTimeText("b.txt"), "2001/05/06 12:00:00");
    EXPECT_EQ(FileBytes(defaultFile), "[Common]\r\nShowToolBar=0\r\n");
    DeleteFileW(defaultFile.c_str());

    // An entry changed since its run is left as it is.
    tree.SetWriteTime("b.txt", "2002/05/06 12:00:00");
    EXPECT_EQ(RunProgram(L" -undo"), DWORD{EXIT_ENTRIES_FAILED});
    EXPECT_EQ(hidden(), "b");
}
