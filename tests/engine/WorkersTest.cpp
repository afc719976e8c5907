// Runs whose entries are changed by worker threads: the same disk and the same log, line for
// line, with one worker or four and within any limits; the system clock read in walk order; abort.
#include "EngineFixture.h"

#include "engine/EntryChange.h"
#include "engine/EntryWorkers.h"
#include "engine/Journal.h"
#include "engine/Undo.h"

#include <algorithm>
#include <atomic>

namespace {

// Opens that take a while: a fixed time, or (negative) 0 to 2 ms by the name, so that workers
// finish entries out of walk order. Files named "x..." cannot be opened.
HANDLE (*g_realOpen)(const wchar_t*, bool) = nullptr;
std::atomic<int> g_openDelayMs{0};

HANDLE DelayedOpen(const wchar_t* path, bool directory) {
    int delay = g_openDelayMs.load();
    if (delay < 0) {
        unsigned sum = 0;
        for (const wchar_t* c = path; *c != L'\0'; ++c) sum += *c;
        delay = static_cast<int>(sum % 3);
    }
    Sleep(static_cast<DWORD>(delay));
    if (wcsstr(path, L"\\x") != nullptr) return INVALID_HANDLE_VALUE;
    return g_realOpen(path, directory);
}

std::string Two(int i) { return std::string(1, static_cast<char>('0' + i / 10)) + static_cast<char>('0' + i % 10); }

// Every open of a run goes through DelayedOpen.
class Workers : public TreeRunTest {
protected:
    void SetUp() override {
        TreeRunTest::SetUp();
        g_realOpen = OpenEntryForChange;
        OpenEntryForChange = DelayedOpen;
    }
    void TearDown() override {
        OpenEntryForChange = g_realOpen;
        TreeRunTest::TearDown();
    }
    void RunWith(int workers) {
        window.Controls.Workers = workers;
        engine.RunJob();
        EXPECT_EQ(engine.Run.Workers, workers);
    }
};

}  // namespace

TEST(WorkerCount, OnePerProcessorAtMostFourUnlessTheSettingFixesOneToEight) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const int byProcessors = std::min(4, std::max(1, static_cast<int>(info.dwNumberOfProcessors)));
    const struct {
        int setting;
        int workers;
    } cases[] = {{0, byProcessors}, {1, 1}, {3, 3}, {8, 8}, {9, 8}, {1000, 8}, {-1, 1}};
    for (const auto& c : cases) EXPECT_EQ(WorkerCountFor(c.setting), c.workers) << c.setting;
}

// Two trees of files, subdirectories, System, ReadOnly and hidden entries, files held open without
// sharing, files that cannot be opened (as if gone) and files the size limit skips, walked twice
// by overlapping paths. The job logs the same when run again, so each run is compared anew.
TEST_F(Workers, OneWorkerOrFourGiveTheSameDiskAndTheSameLogLineForLineWithinAnyLimits) {
    std::vector<HANDLE> holders;
    for (const std::string top : {"w1", "w4"}) {
        for (const char* dir : {"", "\\a", "\\a\\deep", "\\sys", "\\b"}) tree.MakeDir((top + dir).c_str());
        for (int i = 0; i < 20; ++i) MakeListed(top + "\\a\\f" + Two(i) + ".txt", i, i % 4 == 0 ? H : 0);
        for (int i = 0; i < 10; ++i) MakeListed(top + "\\a\\deep\\g" + Two(i) + ".txt", i, i % 3 == 0 ? H : 0);
        for (int i = 0; i < 160; ++i) {
            MakeListed(top + "\\b\\h" + std::to_string(1000 + i) + ".txt", i % 4 == 0 ? 1 : 0);
        }
        for (int i = 0; i < 5; ++i) MakeListed(top + "\\t" + Two(i) + ".txt", 1, H);
        MakeListed(top + "\\a\\ro.txt", 3, R);
        MakeListed(top + "\\a\\system.txt", 3, S);
        MakeListed(top + "\\a\\held.txt", 3);
        MakeListed(top + "\\sys\\in.txt", 3);
        for (const char* failing : {"\\a\\x0.txt", "\\a\\deep\\x1.txt"}) MakeListed(top + failing, 1, H);
        tree.SetAttributes((top + "\\sys").c_str(), S);
        tree.SetWriteTime((top + "\\sys").c_str(), kListed);  // not entered, not changed
        holders.push_back(CreateFileA(tree.Path((top + "\\a\\held.txt").c_str()), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(holders.back(), INVALID_HANDLE_VALUE);
    }
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    window.Controls.SizeStartFlg = 1;
    window.Controls.SizeRange = {1, 0};
    engine.Job.ExecDispSkipped = engine.Job.ExecDispNopFname = 1;

    const struct {
        int sorted;
        RunLimits limits;
        int openMs;
        bool entriesMet, itemsMet;  // the peak reaches the limit
    } runs[] = {{1, {}, -1, false, false}, {1, {8, 4096}, 2, true, false}, {1, {64, 24}, 2, false, true},
                {0, {}, -1, false, false}};
    for (const auto& run : runs) {
        SCOPED_TRACE(std::to_string(run.sorted) + " " + std::to_string(run.limits.EntriesInFlight));
        engine.Job.SortFile = run.sorted;
        engine.Limits = {};
        g_openDelayMs = -1;
        window.Controls.SearchPath = tree.Path("w1") + ";" + tree.Path("w1\\a");
        RunWith(1);
        const std::vector<LogLine> reference = LogOf("w1");
        EXPECT_EQ(engine.Run.Failures, 4);  // both below a, which is walked twice

        engine.Limits = run.limits;
        g_openDelayMs = run.openMs;
        window.Controls.SearchPath = tree.Path("w4") + ";" + tree.Path("w4\\a");
        RunWith(4);
        EXPECT_EQ(DiskOf("w4"), DiskOf("w1"));
        ExpectLog(LogOf("w4"), reference);
        const size_t entries = engine.Run.MostEntriesInFlight, items = engine.Run.MostHeldItems;
        EXPECT_LE(entries, run.limits.EntriesInFlight);
        EXPECT_LE(items, run.limits.HeldItems);
        EXPECT_TRUE(!run.entriesMet || entries == run.limits.EntriesInFlight) << entries;
        EXPECT_TRUE(!run.itemsMet || items == run.limits.HeldItems) << items;
    }
    for (const HANDLE holder : holders) CloseHandle(holder);
}

// Four workers change the entries in any order; the clock is still read for each entry in walk
// order, so the time stamps grow along the log, and a preview shows the times the run will write.
TEST_F(Workers, TheClockReadForEveryEntryIsReadInWalkOrder) {
    for (int d = 0; d < 3; ++d) {
        tree.MakeDir(("d" + Two(d)).c_str());
        for (int i = 0; i < 12; ++i) tree.MakeFile(("d" + Two(d) + "\\f" + Two(i) + ".txt").c_str());
    }
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {0, ""};
    engine.Job.SystemClockReadMode = 1;
    engine.Job.ExecDispSubDir = 0;
    SetClockSource(TickingClock);
    g_openDelayMs = -1;
    auto times = [&](const char* status) {
        std::vector<std::string> read;
        for (const LogLine& line : window.LinesWith(status)) read.push_back(line.Text.substr(17, 19));
        return read;
    };

    g_clockReadings = 0;
    engine.PreviewJob();
    const std::vector<std::string> previewed = times("    will : ");
    g_clockReadings = 0;
    RunWith(4);

    const std::vector<std::string> written = times("    done : ");
    ASSERT_EQ(written.size(), 39u);  // 36 files and 3 directories
    EXPECT_EQ(written, previewed);
    for (size_t i = 1; i < written.size(); ++i) EXPECT_LT(written[i - 1], written[i]) << i;
    const std::string root = tree.Root().Str() + "\\";
    for (const LogLine& line : window.LinesWith("    done : ")) {
        const std::string relative = line.Text.substr(48 + root.size());
        EXPECT_EQ(tree.WriteTimeText(relative.c_str()).Str(), line.Text.substr(17, 19)) << relative;
    }

    engine.Job.SystemClockReadMode = 0;  // the clock as read when the run starts, for every entry
    RunWith(4);
    const std::vector<std::string> once = times("    done : ");
    EXPECT_EQ(std::count(once.begin(), once.end(), once.at(0)), 39);
}

// An abort takes back the entries that no worker has started. They were journalled but never
// changed: the undo leaves them, and takes back the others, each whole (else it would be changed
// since the run).
TEST_F(Workers, AnAbortEndsWithTheEntriesStartedAndChangesNothingElse) {
    const int kFiles = 300;
    for (int d = 0; d < 3; ++d) tree.MakeDir(("d" + Two(d)).c_str());
    for (int i = 0; i < kFiles; ++i) MakeListed("d" + Two(i % 3) + "\\f" + std::to_string(1000 + i) + ".txt");
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    engine.Job.SortFile = 1;
    g_openDelayMs = 3;
    AbortButton abort(engine);
    int done = 0;
    window.OnLine = [&](const LogLine& line) {
        if (StartsWith(line.Text, "    done") && ++done == 40) abort.Press();
    };
    const std::map<std::string, std::string> before = DiskOf("");
    RunWith(4);
    window.OnLine = nullptr;
    const size_t logged = window.LinesWith("    done : ").size();
    EXPECT_LT(logged, static_cast<size_t>(kFiles));
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Aborted);
    const std::vector<std::string> texts = window.Texts();
    ASSERT_GT(texts.size(), 5u);
    EXPECT_EQ(texts[texts.size() - 4], kAborted);
    EXPECT_EQ(texts[texts.size() - 2], "処理総数 : " + std::to_string(logged) + " 件\r\n");

    Journal journal;
    CString reason;
    ASSERT_TRUE(ReadJournal(NewestJournal(engine.Journals.Folder), journal, reason)) << reason;
    const size_t withdrawn = journal.Records.size() - logged;
    EXPECT_GT(withdrawn, 0u);
    engine.Job.ExecDispNopFname = 1;
    JournalUndo(engine).UndoLastRun();
    EXPECT_EQ(window.LinesWith("    done : ").size(), logged);
    EXPECT_EQ(window.LinesWith("     nop : ").size(), withdrawn);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(DiskOf(""), before);
}
