// The switch of the unattended run, the command route, and a whole unattended run of
// Fendrix.exe as a separate process.
#include "app/CommandLineArgs.h"
#include "app/FendrixApp.h"
#include "engine/Journal.h"
#include "res/resource.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <tuple>

namespace {

std::string FileBytes(const CString& path) {
    std::ifstream file(path.Str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The build folder holds tests\app\app_tests.exe and bin\Fendrix.exe.
CString ProgramFolder() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    CString folder = self;
    for (int up = 0; up < 3; ++up) folder = folder.Left(folder.ReverseFind('\\'));
    return folder + "\\bin";
}

// Starts Fendrix.exe with one argument; returns its exit code once it has closed by itself.
DWORD RunProgram(const CString& argument) {
    CString commandLine = "\"" + ProgramFolder() + "\\Fendrix.exe\" " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, commandLine.GetBuffer(commandLine.GetLength() + 1), nullptr, nullptr,
                                        FALSE, 0, nullptr, nullptr, &startup, &process);
    commandLine.ReleaseBuffer();
    EXPECT_TRUE(started) << argument;
    if (!started) return STILL_ACTIVE;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << "the program did not close by itself";
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// The journals that the runs of a test leave beside the program, removed when it ends.
class ProgramJournals {
public:
    ProgramJournals() : m_before(JournalFiles(Folder())) {}
    ~ProgramJournals() {
        for (const std::wstring& file : Added()) DeleteFileW(file.c_str());
    }
    ProgramJournals(const ProgramJournals&) = delete;
    ProgramJournals& operator=(const ProgramJournals&) = delete;

    static std::wstring Folder() { return Wide(ProgramFolder()) + L"\\journal"; }
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

// A settings file of one job: search path, pattern, and the other keys as given.
void WriteJob(const CString& file, const char* searchPath, const char* pattern, const char* otherKeys) {
    std::ofstream(file.Str(), std::ios::binary)
        << "[SearchPathList]\r\nCount=1\r\nPath0001=" << searchPath << "\r\n[SearchFileList]\r\nCount=1\r\nFile0001="
        << pattern << "\r\n" << otherKeys;
}

}  // namespace

TEST(AutoRunSwitch, OnlyADashOrSlashAutoInArgumentOneCounts) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"-auto", true, ""},  {"/AUTO:C:\\jobs\\a.ini", true, "C:\\jobs\\a.ini"}, {"-autorun", true, "un"},
        {"/Auto=表.ini", true, "表.ini"}, {"-aut", false, ""}, {"auto", false, ""}, {"C:\\jobs\\a.ini", false, ""}};
    for (const auto& [argument, autoRun, path] : cases) {
        const AutoRunRequest request = ReadAutoRunSwitch(CommandLineArgs({"Fendrix.exe", argument, "-auto:x"}));
        EXPECT_EQ(request.AutoRun, autoRun) << argument;
        EXPECT_EQ(request.SettingsPath, path) << argument;
    }
    EXPECT_FALSE(ReadAutoRunSwitch(CommandLineArgs({"Fendrix.exe"})).AutoRun);
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

TEST(UnattendedRun, ChangesTheTreeClosesByItselfAndLeavesTheDefaultFileAlone) {
    const ProgramJournals journals;
    TempTree tree;
    tree.MakeDir("表");
    tree.MakeFile("表\\a.txt");
    tree.MakeFile("b.txt");
    tree.MakeFile("c.log");
    const CString settings = tree.Path("job.ini");
    WriteJob(settings, tree.Root(), "*.txt",
             "[Common]\r\nRecursive=1\r\n[SetAttributes]\r\nAttribFlg=3\r\nAttribJokn=0\r\n"
             "[SetTimeStanp]\r\nTimeStanpJokn=1\r\nTimeStanpVal=2001/05/06 12:00:00\r\n");
    const CString defaultFile = ProgramFolder() + "\\Fendrix.ini";
    std::ofstream(defaultFile.Str(), std::ios::binary) << "[Common]\r\nShowToolBar=0\r\n";
    const std::string defaultBefore = FileBytes(defaultFile);

    EXPECT_EQ(RunProgram("-auto:" + settings), static_cast<DWORD>(EXIT_RUN_COMPLETED));

    const DWORD hiddenReadOnly = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    EXPECT_EQ(tree.Attributes("b.txt") & hiddenReadOnly, hiddenReadOnly);
    EXPECT_EQ(tree.Attributes("表\\a.txt") & hiddenReadOnly, hiddenReadOnly);
    EXPECT_EQ(tree.Attributes("c.log") & hiddenReadOnly, 0u);
    // The unattended run never enables the time-stamp switch, which no file stores.
    EXPECT_NE(tree.WriteTimeText("b.txt"), "2001/05/06 12:00:00");
    EXPECT_EQ(FileBytes(defaultFile), defaultBefore);
    DeleteFileA(defaultFile);
    // Its journal lies beside the program, as an interactive run's does.
    ASSERT_EQ(journals.Added().size(), 1u);
    Journal journal;
    CString reason;
    ASSERT_TRUE(ReadJournal(journals.Added()[0], journal, reason)) << reason;
    EXPECT_EQ(journal.Records.size(), 3u);  // 表 and the two files
}

TEST(UnattendedRun, TheExitCodeSaysHowTheRunWent) {
    const ProgramJournals journals;
    TempTree tree;
    tree.MakeFile("a.txt");
    // The kernel refuses every change of mode and extended attributes of /proc/sys files, also
    // to root; the filter on Archive leaves the listed subdirectories out.
    const char* const refusedChange =
        "[Common]\r\nRecursive=0\r\n[SearchAttributes]\r\nAttribFlg=32\r\nAttribJokn=0\r\n"
        "[SetAttributes]\r\nAttribFlg=1\r\nAttribJokn=0\r\n";
    const struct {
        const char* name;
        CString searchPath;
        const char* pattern;
        const char* otherKeys;
        DWORD exitCode;
    } cases[] = {
        {"failed.ini", "Z:\\proc\\sys\\kernel", "hostname", refusedChange, EXIT_ENTRIES_FAILED},
        {"no-operation.ini", tree.Root(), "*.txt", "", EXIT_RUN_REFUSED},
    };
    for (const auto& c : cases) {
        WriteJob(tree.Path(c.name), c.searchPath, c.pattern, c.otherKeys);
        EXPECT_EQ(RunProgram("-auto:" + tree.Path(c.name)), c.exitCode) << c.name;
    }
    EXPECT_EQ(RunProgram("-auto:" + tree.Path("missing.ini")), static_cast<DWORD>(EXIT_RUN_REFUSED));
    EXPECT_EQ(tree.Attributes("a.txt") & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST(UnattendedRun, ExitCodesByOutcome) {
    const std::tuple<RunOutcome, bool, int> cases[] = {
        {RunOutcome::Completed, true, 0},  {RunOutcome::EntriesFailed, true, 1}, {RunOutcome::Refused, true, 2},
        {RunOutcome::Aborted, true, 2},    {RunOutcome::None, true, 2},          {RunOutcome::Completed, false, 2},
    };
    for (const auto& [outcome, readable, code] : cases) {
        EXPECT_EQ(ExitCodeOf(outcome, readable), code) << static_cast<int>(outcome) << readable;
    }
}
