// The switches -undo, -preview and -log, and Fendrix.exe undoing journals, previewing jobs and
// writing its log as a separate process, with exit codes and files read back from disk.
#include "app/CommandLineArgs.h"
#include "app/FendrixApp.h"
#include "engine/Journal.h"
#include "engine/ShiftJis.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <tuple>

namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;

// The build folder holds tests\app\app_tests.exe and bin\Fendrix.exe.
std::wstring BinFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring bin = self;
    for (int up = 0; up < 3; ++up) bin.resize(bin.rfind(L'\\'));
    return bin + L"\\bin";
}

// Starts Fendrix.exe with the arguments, by their real names; its exit code once it has closed.
DWORD RunProgram(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + BinFolder() + L"\\Fendrix.exe\" " + arguments;
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

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Every line ends in CR LF, and only there.
bool CrLfLines(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if ((text[i] == '\n') != (i > 0 && text[i - 1] == '\r')) return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    }
    return !text.empty() && text.back() == '\n';
}

class UnattendedUndo : public ::testing::Test {
protected:
    void SetUp() override {
        place.Folder = Wide(journals.Path("journal"));
        before = JournalFiles(programJournals);
    }
    // The undo's own journals lie beside the program: the test's go again.
    void TearDown() override {
        for (const std::wstring& file : JournalFiles(programJournals)) {
            if (std::find(before.begin(), before.end(), file) == before.end()) DeleteFileW(file.c_str());
        }
    }

    // Hides the files, journalled as a run journals them; the journal's path.
    std::wstring HideJournalled(const std::vector<std::wstring>& files) {
        JournalWriter writer;
        CString reason;
        EXPECT_TRUE(writer.Open(place, JournalKind::Run, reason));
        for (const std::wstring& file : files) {
            const std::wstring real = tree.RealPath(file);
            WIN32_FIND_DATAW listed{};
            FindClose(FindFirstFileW(real.c_str(), &listed));
            writer.Append(RecordBeforeChange(real, listed, listed.dwFileAttributes | kHidden, listed.ftLastWriteTime));
            SetFileAttributesW(real.c_str(), listed.dwFileAttributes | kHidden);
        }
        const std::wstring path = writer.Path();
        writer.Close();
        return path;
    }
    DWORD Hidden(const std::wstring& file) const { return tree.Attributes(file) & kHidden; }

    TempTree tree;
    TempTree journals;
    JournalPlace place;
    const std::wstring programJournals = BinFolder() + L"\\journal";
    std::vector<std::wstring> before;
};

}  // namespace

TEST(UnattendedSwitches, UndoPreviewAndLogFollowTheRulesOfAutoAndCountOnlyAfterIt) {
    const struct {
        std::vector<CString> arguments;
        bool autoRun, undo, preview;
        const char* settings;
        const wchar_t* journal;
        const wchar_t* log;
    } cases[] = {
        {{"Fendrix.exe", "-undo"}, true, true, false, "", L"", L""},
        {{"Fendrix.exe", "/UNDO:C:\\j\\a.jnl", "-log:C:\\l.txt"}, true, true, false, "", L"C:\\j\\a.jnl", L"C:\\l.txt"},
        {{"Fendrix.exe", "-auto:a.ini", "x", "/LOG=表.txt", "-log:second"}, true, false, false, "a.ini", L"", L"表.txt"},
        {{"Fendrix.exe", "-undone"}, true, true, false, "", L"e", L""},
        {{"Fendrix.exe", "-log:C:\\l.txt", "-auto"}, false, false, false, "", L"", L""},
        {{"Fendrix.exe", "C:\\a.ini", "-log:C:\\l.txt"}, false, false, false, "", L"", L""},
        {{"Fendrix.exe", "-und:x"}, false, false, false, "", L"", L""},
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
    // Names that Shift-JIS cannot spell arrive by their UTF-16 arguments. (Wide literals stay
    // out of the checks, whose texts are kept in Shift-JIS.)
    const std::wstring journal = L"café.jnl", log = L"😀.txt";
    const AutoRunRequest request = ReadAutoRunSwitch(
        CommandLineArgs({"Fendrix.exe", "-undo:caf?.jnl", "-log:??.txt"},
                        {L"Fendrix.exe", L"-undo:" + journal, L"-log:" + log}));
    EXPECT_TRUE(request.JournalPath == journal);
    EXPECT_TRUE(request.LogPath == log);
}

TEST(UnattendedSwitches, ALogThatCouldNotBeWrittenTurnsACompletedRunIntoCodeOne) {
    const std::tuple<RunOutcome, bool, int> cases[] = {
        {RunOutcome::Completed, false, 1}, {RunOutcome::EntriesFailed, false, 1}, {RunOutcome::Refused, false, 2},
        {RunOutcome::Completed, true, 0},
    };
    for (const auto& [outcome, logWritten, code] : cases) {
        EXPECT_EQ(ExitCodeOf(outcome, true, logWritten), code) << static_cast<int>(outcome) << logWritten;
    }
}

TEST_F(UnattendedUndo, UndoesTheJournalClosesByItselfAndWritesItsLogUnderAnyName) {
    const std::wstring korean = L"café\\한국어.txt";
    tree.MakeDir(L"café");
    for (const std::wstring& name : {korean, std::wstring(L"b.txt")}) tree.MakeFile(name);
    const std::wstring journal = HideJournalled({korean, L"b.txt"});
    const std::wstring log = Wide(tree.Path("log")) + L"-😀.txt";

    EXPECT_EQ(RunProgram(L"\"-undo:" + journal + L"\" \"-log:" + log + L"\""), DWORD{EXIT_RUN_COMPLETED});

    EXPECT_EQ(Hidden(korean), 0u);
    EXPECT_EQ(Hidden(L"b.txt"), 0u);
    const std::string text = FileBytes(log);
    EXPECT_TRUE(Contains(text, "* * * * * * * * * * 復元開始 * * * * * * * * * *\r\n")) << text;
    EXPECT_TRUE(Contains(text, "\\caf〓\\〓〓〓.txt\r\n")) << text;
    EXPECT_TRUE(Contains(text, "復元総数 : 2 件\r\n\r\n* * * * * * * * * * 復元終了")) << text;
    EXPECT_TRUE(CrLfLines(text));
    // The undo's own journal lies beside the program and takes the files back once more.
    ASSERT_EQ(JournalFiles(programJournals).size(), before.size() + 1);
    EXPECT_EQ(RunProgram(L"-undo"), DWORD{EXIT_RUN_COMPLETED});
    EXPECT_EQ(Hidden(L"b.txt"), kHidden);
}

TEST_F(UnattendedUndo, ADamagedOrUnreadableJournalIsRefusedWithCodeTwoAndNothingChanges) {
    tree.MakeFile("a.txt");
    tree.MakeFile("b.txt");
    const std::wstring journal = HideJournalled({L"a.txt", L"b.txt"});
    std::string bytes = FileBytes(journal);
    bytes[bytes.size() - 4] = bytes[bytes.size() - 4] == 'F' ? 'E' : 'F';  // the last record's checksum
    WriteBytes(journal, bytes);
    const std::wstring log = Wide(tree.Path("refused.txt"));
    const struct {
        const char* name;
        std::wstring journal;
        std::string line;
    } cases[] = {
        {"damaged", journal, "*** ｼﾞｬｰﾅﾙが壊れています。( " + ShownText(journal).Str() + " : 3 行目 )\r\n"},
        {"missing", journal + L".missing", "*** ｼﾞｬｰﾅﾙを読めません。( " + ShownText(journal).Str() + ".missing )\r\n"},
        {"a settings file", Wide(tree.MakeFile("job.ini")), "*** ｼﾞｬｰﾅﾙの形式が違います。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunProgram(L"\"-undo:" + c.journal + L"\" \"-log:" + log + L"\""), DWORD{EXIT_RUN_REFUSED}) << c.name;
        EXPECT_TRUE(Contains(FileBytes(log), c.line)) << c.name << ": " << FileBytes(log);
        EXPECT_EQ(Hidden(L"a.txt"), kHidden) << c.name;
        EXPECT_EQ(Hidden(L"b.txt"), kHidden) << c.name;
    }
    EXPECT_EQ(JournalFiles(programJournals), before);
}

TEST_F(UnattendedUndo, AnEntryChangedSinceGivesCodeOneAndARunWritesItsLogToo) {
    tree.MakeFile("a.txt");
    tree.MakeFile("b.txt");
    const std::wstring journal = HideJournalled({L"a.txt", L"b.txt"});
    tree.SetWriteTime("b.txt", "2001/05/06 12:00:00");
    EXPECT_EQ(RunProgram(L"\"-undo:" + journal + L"\""), DWORD{EXIT_ENTRIES_FAILED});
    EXPECT_EQ(Hidden(L"a.txt"), 0u);
    EXPECT_EQ(Hidden(L"b.txt"), kHidden);

    const CString settings = tree.Path("job.ini");
    std::ofstream(settings.Str(), std::ios::binary)
        << "[SearchPathList]\r\nCount=1\r\nPath0001=" << tree.Root().Str() << "\r\n[SearchFileList]\r\nCount=1\r\n"
        << "File0001=a.txt\r\n[SetAttributes]\r\nAttribFlg=2\r\nAttribJokn=0\r\n";
    const std::wstring log = Wide(tree.Path("run.txt"));
    EXPECT_EQ(RunProgram(L"\"-auto:" + Wide(settings) + L"\" \"-log:" + log + L"\""), DWORD{EXIT_RUN_COMPLETED});
    const std::string text = FileBytes(log);
    EXPECT_TRUE(Contains(text, "処理総数 : 1 件\r\n")) << text;
    EXPECT_TRUE(CrLfLines(text));
    EXPECT_EQ(Hidden(L"a.txt"), kHidden);

    // A log that cannot be written: the run itself went well.
    EXPECT_EQ(RunProgram(L"\"-auto:" + Wide(settings) + L"\" \"-log:" + Wide(tree.Path("none\\run.txt")) + L"\""),
              DWORD{EXIT_ENTRIES_FAILED});
}

// A preview changes nothing and writes no journal; its exit code follows the rules of a run.
TEST_F(UnattendedUndo, APreviewChangesNothingWritesItsLogAndEndsWithTheCodeOfARun) {
    tree.MakeFile("a.txt");
    tree.MakeFile("b.txt");
    const std::string hide = "[SetAttributes]\r\nAttribFlg=2\r\nAttribJokn=0\r\n";
    const struct {
        const char* name;
        std::string operation;
        std::wstring log;
        DWORD exitCode;
        const char* line;  // of the log; none when it cannot be written
    } cases[] = {
        {"two to change", hide, Wide(tree.Path("preview.txt")), EXIT_RUN_COMPLETED,
         "変更予定総数 : 2 件\r\n\r\n* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ終了"},
        {"a log that cannot be written", hide, Wide(tree.Path("none\\preview.txt")), EXIT_ENTRIES_FAILED, nullptr},
        {"no operation", "", Wide(tree.Path("refused.txt")), EXIT_RUN_REFUSED, "*** 操作を指定してください。\r\n"},
    };
    const CString settings = tree.Path("job.ini");
    for (const auto& c : cases) {
        std::ofstream(settings.Str(), std::ios::binary | std::ios::trunc)
            << "[SearchPathList]\r\nCount=1\r\nPath0001=" << tree.Root().Str() << "\r\n[SearchFileList]\r\nCount=1\r\n"
            << "File0001=*.txt\r\n" << c.operation;
        EXPECT_EQ(RunProgram(L"\"-auto:" + Wide(settings) + L"\" -preview \"-log:" + c.log + L"\""), c.exitCode) << c.name;
        if (c.line != nullptr) {
            const std::string text = FileBytes(c.log);
            EXPECT_TRUE(Contains(text, c.line)) << c.name << ": " << text;
            EXPECT_TRUE(CrLfLines(text)) << c.name;
        }
        EXPECT_EQ(Hidden(L"a.txt"), 0u) << c.name;
        EXPECT_EQ(Hidden(L"b.txt"), 0u) << c.name;
    }
    EXPECT_EQ(JournalFiles(programJournals), before);
}
