// Fendrix.exe's switches, exit codes and command route, and the program as a separate process:
// unattended sessions, and an ordinary close, with their results read back from disk.
#include "app/CommandLineArgs.h"
#include "app/FendrixApp.h"
#include "engine/Journal.h"
#include "engine/ShiftJis.h"
#include "res/resource.h"
#include "settings/ProgramDirectory.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

TEST(UnattendedSwitches, OnlyArgumentOneStartsASessionAndOnlyItsLaterArgumentsCount) {
    const std::pair<std::vector<CString>, const char*> cases[] = {
        {{"Fendrix.exe", "-auto", "-auto:x"}, "auto [] [] []"},
        {{"Fendrix.exe", "/Auto=表.ini", "x", "/LOG=表.txt", "-log:second"}, "auto [表.ini] [] [表.txt]"},
        {{"Fendrix.exe", "-autorun"}, "auto [un] [] []"},
        {{"Fendrix.exe", "-aut"}, "none"},
        {{"Fendrix.exe", "auto"}, "none"},
        {{"Fendrix.exe"}, "none"},
        {{"Fendrix.exe", "/UNDO:C:\\j\\a.jnl", "-log:C:\\l.txt"}, "auto undo [] [C:\\j\\a.jnl] [C:\\l.txt]"},
        {{"Fendrix.exe", "-auto:a.ini", "-log:l.txt", "/PREVIEW"}, "auto preview [a.ini] [] [l.txt]"},
        {{"Fendrix.exe", "-auto", "-previews"}, "auto [] [] []"},
        {{"Fendrix.exe", "-undo", "-preview"}, "auto undo [] [] []"},
        {{"Fendrix.exe", "-preview", "-auto"}, "none"},
    };
    for (const auto& [arguments, expected] : cases) {
        const AutoRunRequest request = ReadAutoRunSwitch(CommandLineArgs(arguments));
        std::string found = request.AutoRun ? "auto" : "none";
        if (request.AutoRun) {
            found += std::string(request.Undo ? " undo" : "") + (request.Preview ? " preview" : "") + " [" +
                     request.SettingsPath.Str() + "] [" + ShownText(request.JournalPath).Str() + "] [" +
                     ShownText(request.LogPath).Str() + "]";
        }
        EXPECT_EQ(found, expected) << arguments.back().Str();
    }
}

TEST(UnattendedSwitches, ExitCodesByOutcomeSettingsFileAndLog) {
    // The other outcomes come from the sessions below.
    const std::tuple<RunOutcome, bool, bool, int> cases[] = {
        {RunOutcome::Aborted, true, true, 2},        {RunOutcome::None, true, true, 2},
        {RunOutcome::EntriesFailed, true, false, 1}, {RunOutcome::Refused, true, false, 2},
    };
    for (const auto& [outcome, readable, logWritten, code] : cases) {
        EXPECT_EQ(ExitCodeOf(outcome, readable, logWritten), code)
            << static_cast<int>(outcome) << readable << logWritten;
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

// The build folder holds tests\app\app_tests.exe and bin\Fendrix.exe.
std::wstring BinFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring bin = self;
    for (int up = 0; up < 3; ++up) bin.resize(bin.rfind(L'\\'));
    return bin + L"\\bin";
}

std::string FileBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<none>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The process's visible top-level window of the title, if it shows one.
HWND WindowOf(DWORD process, const char* title) {
    for (HWND window = FindWindowA(nullptr, title); window != nullptr;
         window = FindWindowExA(nullptr, window, nullptr, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Starts the program by the command line, with the arguments by their real names, from the
// folder, and waits up to a minute for its end; its exit code, or STILL_ACTIVE when it had to be
// ended. With `asked`, closes its window once it shows, as the user would, and answers Yes to a
// question on the way, telling whether one came.
DWORD StartProgram(const std::wstring& program, std::wstring commandLine, const std::wstring& folder,
                   bool* asked = nullptr) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        ADD_FAILURE() << "not started";
        return STILL_ACTIVE;
    }
    bool closed = false;
    for (int waited = 0; waited < 600 && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT; ++waited) {
        if (asked == nullptr) continue;
        if (HWND question = WindowOf(process.dwProcessId, "Fendrix:Warning")) {
            *asked = true;
            PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        } else if (HWND main = WindowOf(process.dwProcessId, "Solvik:Quorlane"); main != nullptr && !closed) {
            closed = PostMessageA(main, WM_CLOSE, 0, 0) != FALSE;
        }
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// One quoted argument: the switch and its file.
std::wstring Arg(const wchar_t* switchText, const std::wstring& file) {
    return std::wstring(L" \"") + switchText + file + L"\"";
}

const char* const kJob = "[Common]\r\nShowToolBar=0\r\n[SearchPathList]\r\nCount=1\r\nPath0001=C:\\kept\r\n";

}  // namespace

// Sessions in turn over a.txt and b.txt: each closes by itself with its exit code, writes its
// log where asked (a line of it is checked), and leaves the files hidden as listed and its
// journal, if any, beside the program. No session saves the default settings file.
TEST(UnattendedSession, ExitCodesLogsAndResultsOnDisk) {
    const std::wstring program = BinFolder() + L"\\Fendrix.exe", journals = BinFolder() + L"\\journal";
    const std::vector<std::wstring> journalsBefore = JournalFiles(journals);
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
    // Names that Shift-JIS cannot spell reach the program by their UTF-16 arguments.
    const std::wstring logFile = Wide(tree.Path("log")) + L"-😀.txt", log = Arg(L"-log:", logFile);
    const std::string unreadable = "*** ｼﾞｬｰﾅﾙを読めません。( " + tree.Path("none-caf〓.jnl").Str() + " )\r\n";
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
        {"no journal", Arg(L"-undo:", Wide(tree.Root()) + L"\\none-caf\u00e9.jnl") + log, EXIT_RUN_REFUSED,
         unreadable.c_str(), "ab", 2},
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
        EXPECT_EQ(StartProgram(program, L"Fendrix" + step.arguments, Wide(tree.Root())), step.exitCode) << step.name;
        if (step.line != nullptr) {
            const std::string text = FileBytes(logFile);
            EXPECT_NE(text.find(step.line), std::string::npos) << step.name << ": " << text;
        }
        EXPECT_EQ(hidden(), step.hidden) << step.name;
        EXPECT_EQ(JournalFiles(journals).size(), journalsBefore.size() + step.journals) << step.name;
    }
    EXPECT_NE(tree.WriteTimeText("b.txt"), "2001/05/06 12:00:00");
    EXPECT_EQ(FileBytes(defaultFile), "[Common]\r\nShowToolBar=0\r\n");
    DeleteFileW(defaultFile.c_str());

    // An entry changed since its run is left as it is.
    tree.SetWriteTime("b.txt", "2002/05/06 12:00:00");
    EXPECT_EQ(StartProgram(program, L"Fendrix -undo", Wide(tree.Root())), DWORD{EXIT_ENTRIES_FAILED});
    EXPECT_EQ(hidden(), "b");
    for (const std::wstring& file : JournalFiles(journals)) {
        if (std::find(journalsBefore.begin(), journalsBefore.end(), file) == journalsBefore.end()) {
            DeleteFileW(file.c_str());
        }
    }
}

// Started by a bare name from another folder, in a folder whose name the code page cannot spell,
// beside a folder of its look-alike name: neither the name nor the current directory tells
// where the program lies. It keeps its settings in its own folder, reached by the folder's
// short name, or says that it cannot; it never writes into the look-alike.
TEST(OrdinaryClose, SavesTheJobBesideTheProgramAndNeverInTheLookAlikeOfItsFolder) {
    TempTree tree;
    const std::wstring root = Wide(tree.Root());
    const std::wstring own = root + L"\\caf\u00e9";
    const std::wstring lookAlike = root + L"\\cafe";
    ASSERT_TRUE(CreateDirectoryW(own.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(lookAlike.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((BinFolder() + L"\\Fendrix.exe").c_str(), (own + L"\\Fendrix.exe").c_str(), FALSE));
    WriteBytes(own + L"\\Fendrix.ini", kJob);
    WriteBytes(lookAlike + L"\\Fendrix.ini", "[Common]\r\nShowToolBar=1\r\n");

    bool asked = false;
    EXPECT_EQ(StartProgram(own + L"\\Fendrix.exe", L"Fendrix", root, &asked), DWORD{EXIT_RUN_COMPLETED});
    EXPECT_EQ(FileBytes(lookAlike + L"\\Fendrix.ini"), "[Common]\r\nShowToolBar=1\r\n");
    EXPECT_EQ(GetFileAttributesW((root + L"\\Fendrix.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    const bool spelledByShortName = AnsiPathOf(own).Find('?') < 0;  // its name itself never is
    const std::string saved = FileBytes(own + L"\\Fendrix.ini");
    if (spelledByShortName) {
        EXPECT_FALSE(asked);
        EXPECT_NE(saved.find("Version=1, 0, 1, 1\r\n"), std::string::npos) << saved;
        EXPECT_NE(saved.find("Path0001=C:\\kept\r\n"), std::string::npos) << saved;
    } else {
        EXPECT_TRUE(asked);  // the settings file could not be saved; closed without saving
        EXPECT_EQ(saved, kJob);
    }
}
