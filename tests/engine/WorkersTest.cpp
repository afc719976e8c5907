// Runs whose entries are changed by worker threads: the same disk and the same log, line for
// line, with one worker or four; the system clock read in walk order; abort; and the limits of
// what a run holds at once.
#include "EngineFixture.h"

#include "engine/EntryChange.h"
#include "engine/EntryWorkers.h"
#include "engine/Journal.h"
#include "engine/LogPalette.h"
#include "engine/Undo.h"

#include <algorithm>
#include <atomic>
#include <map>

namespace {

constexpr DWORD R = FILE_ATTRIBUTE_READONLY;
constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD S = FILE_ATTRIBUTE_SYSTEM;
const char* const kStamp = "2001/05/06 12:00:00";
const char* const kListed = "2010/01/02 03:04:05";
const char* const kRule = "------------------------------------------------";
const char* const kEnd = "* * * * * * * * * * 処理終了 * * * * * * * * * *";
const char* const kAborted = "\r\n※ 処理は中止されました。\r\n";

// Opens that take a while: a fixed time, or (negative) 0 to 2 ms by the name, so that workers
// finish entries out of walk order.
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
    return g_realOpen(path, directory);
}

class SlowOpens {
public:
    explicit SlowOpens(int milliseconds) {
        g_realOpen = OpenEntryForChange;
        g_openDelayMs = milliseconds;
        OpenEntryForChange = DelayedOpen;
    }
    ~SlowOpens() { OpenEntryForChange = g_realOpen; }
    SlowOpens(const SlowOpens&) = delete;
    SlowOpens& operator=(const SlowOpens&) = delete;
};

// A clock that moves on a minute at every reading.
int g_clockReadings = 0;
CTime TickingClock() { return CTime(1715908830 + 60 * g_clockReadings++); }

class Workers : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        window.Controls.SearchFile = "*.txt";
        window.Controls.Recursive = 1;
        engine.Job.ExecDispSubDir = 1;
    }

    // Files, a subdirectory, a System file and a System directory, a ReadOnly file, a file held
    // open without sharing (an attribute-level open still gets through), and entries that vanish
    // between their listing and their change: files and an empty directory, removed as soon as
    // their directory is listed.
    void BuildMixedTree(const std::string& top) {
        for (const char* dir : {"", "\\a", "\\a\\deep", "\\a\\gonedir", "\\sys", "\\b"}) tree.MakeDir(Rel(top + dir));
        for (int i = 0; i < 20; ++i) MakeListed(top + "\\a\\f" + Two(i) + ".txt", i, i % 4 == 0 ? H : 0);
        for (int i = 0; i < 10; ++i) MakeListed(top + "\\a\\deep\\g" + Two(i) + ".txt", i, i % 3 == 0 ? H : 0);
        for (int i = 0; i < 15; ++i) MakeListed(top + "\\b\\h" + Two(i) + ".txt", 20 - i, 0);
        for (int i = 0; i < 5; ++i) MakeListed(top + "\\t" + Two(i) + ".txt", i, H);
        MakeListed(top + "\\a\\ro.txt", 3, R);
        MakeListed(top + "\\a\\system.txt", 3, S);
        MakeListed(top + "\\sys\\in.txt", 3, 0);
        MakeListed(top + "\\a\\held.txt", 3, 0);
        for (const char* gone : {"\\a\\gone0.txt", "\\a\\gone1.txt", "\\a\\deep\\gone2.txt"}) {
            MakeListed(top + gone, 1, H);
        }
        tree.SetAttributes(Rel(top + "\\sys"), S);
        tree.SetAttributes(Rel(top + "\\a\\gonedir"), H);
        for (const char* dir : {"\\a\\deep", "\\a\\gonedir", "\\sys", "\\b", "\\a", ""}) {
            tree.SetWriteTime(Rel(top + dir), kListed);
        }
        m_vanishing[tree.Path(Rel(top + "\\a")).Str()] = {top + "\\a\\gone0.txt", top + "\\a\\gone1.txt"};
        m_vanishing[tree.Path(Rel(top + "\\a\\deep")).Str()] = {top + "\\a\\deep\\gone2.txt"};
        m_vanishing[tree.Path(Rel(top + "\\a\\gonedir")).Str()] = {top + "\\a\\gonedir"};
        window.OnProgress = [this](const std::string& text) { RemoveVanishing(text); };
    }

    void RunWith(int workers) {
        window.Controls.Workers = workers;
        engine.RunJob();
        EXPECT_EQ(engine.Run.Workers, workers);
    }

    // Holds held.txt of the mixed tree open without sharing while the job runs.
    void RunOverMixedTree(const std::string& top, int workers) {
        const HANDLE holder =
            CreateFileA(tree.Path(Rel(top + "\\a\\held.txt")), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(holder, INVALID_HANDLE_VALUE);
        RunWith(workers);
        CloseHandle(holder);
    }

    // The log with the tree's folder name replaced, so that logs of two trees compare.
    std::vector<LogLine> LogOf(const std::string& top) const {
        std::vector<LogLine> lines = window.Log;
        for (LogLine& line : lines) {
            for (size_t at = line.Text.find(top); at != std::string::npos; at = line.Text.find(top, at)) {
                line.Text.replace(at, top.size(), "TREE");
            }
        }
        return lines;
    }

    // Every entry below the folder: its ReadOnly, Hidden and System bits and its write time.
    std::map<std::string, std::string> DiskOf(const std::string& top) const {
        std::map<std::string, std::string> entries;
        Collect(Wide(top.c_str()), "", entries);
        return entries;
    }

    static std::string Two(int i) { return std::string(1, static_cast<char>('0' + i / 10)) + static_cast<char>('0' + i % 10); }
    static const char* Rel(const std::string& relative) { return relative.c_str(); }

    // Done lines name the entry last; with per-directory lines that is the bare name.
    static std::vector<std::string> DoneNames(const std::vector<LogLine>& log) {
        std::vector<std::string> names;
        for (const LogLine& line : log) {
            if (line.Text.rfind("    done : ", 0) == 0) names.push_back(line.Text.substr(48));
        }
        return names;
    }

private:
    void MakeListed(const std::string& relative, DWORD size, DWORD attributes) {
        tree.MakeFile(Rel(relative), size);
        if (attributes != 0) tree.SetAttributes(Rel(relative), attributes);
        tree.SetWriteTime(Rel(relative), kListed);
    }

    void RemoveVanishing(const std::string& progress) {
        const std::string listed = "○ 検索中...完了 : ";
        if (progress.rfind(listed, 0) != 0) return;
        const std::string directory = progress.substr(listed.size(), progress.rfind(" (") - listed.size());
        const auto found = m_vanishing.find(directory);
        if (found == m_vanishing.end()) return;
        for (const std::string& relative : found->second) {
            const CString path = tree.Path(Rel(relative));
            if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) continue;  // listed again by a second path
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path)) {
                EXPECT_TRUE(RemoveDirectoryA(path)) << path;
            }
            // The parent keeps its listed time, as if nothing had happened to it.
            tree.SetWriteTime(Rel(relative.substr(0, relative.rfind('\\'))), kListed);
        }
    }

    void Collect(const std::wstring& relative, const std::string& shown, std::map<std::string, std::string>& entries) const {
        WIN32_FIND_DATAW record;
        const HANDLE search = FindFirstFileW(tree.RealPath(relative + L"\\*").c_str(), &record);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            const std::wstring name = record.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::string path = shown + "\\" + ShownText(name).Str();
            CString state;
            state.Format("%c%c%c %s", (record.dwFileAttributes & R) != 0 ? 'r' : '-',
                         (record.dwFileAttributes & H) != 0 ? 'h' : '-', (record.dwFileAttributes & S) != 0 ? 's' : '-',
                         static_cast<const char*>(FormatFileTime(&record.ftLastWriteTime, DT_DATE | DT_TIME)));
            entries[path] = state.Str();
            if ((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) Collect(relative + L"\\" + name, path, entries);
        } while (FindNextFileW(search, &record));
        FindClose(search);
    }

    std::map<std::string, std::vector<std::string>> m_vanishing;  // by the directory whose listing removes them
};

bool HasLine(const std::vector<LogLine>& log, const std::string& part) {
    return std::any_of(log.begin(), log.end(), [&](const LogLine& line) { return line.Text.find(part) != std::string::npos; });
}

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

// Each job runs over two identical trees, one with one worker and one with four; the opens take
// from 0 to 2 ms each, so that the four finish out of order.
TEST_F(Workers, OneWorkerOrFourGiveTheSameDiskAndTheSameLogLineForLine) {
    const struct {
        const char* name;
        std::function<void(JobSettings&)> job;
        std::function<void(JobEngine&)> options;
        std::vector<const char*> searchPaths;  // below the tree's folder
    } cases[] = {
        {"stamp and Hidden, sorted, every line",
         [](JobSettings& job) {
             job.SetAttributes = {H, 0};
             job.TimeStanpFlg = 1;
             job.SetTimeStanp = {1, kStamp};
             job.SizeStartFlg = 1;  // the files of 0 bytes are skipped
             job.SizeRange = {1, 0};
         },
         [](JobEngine& engine) { engine.Job.SortFile = engine.Job.ExecDispSkipped = engine.Job.ExecDispNopFname = 1; },
         {"", "\\a"}},
        {"Hidden reset alone, listing order, full paths, System entries taken",
         [](JobSettings& job) {
             job.SetAttributes = {H, 1};
             job.SearchAttributes = {H | R, 0};
         },
         [](JobEngine& engine) {
             engine.Job.ExecDispSubDir = 0;
             engine.Job.SystemFileSkip = 0;
             engine.Job.ExecDispSkipped = engine.Job.ExecDispNopFname = 1;
         },
         {"\\b", ""}},
        {"clock and ReadOnly without entry lines",
         [](JobSettings& job) {
             job.SetAttributes = {R, 0};
             job.TimeStanpFlg = 1;
             job.SetTimeStanp = {0, ""};
         },
         [](JobEngine& engine) { engine.Job.ExecDispFname = 0; },
         {""}},
    };
    SlowOpens jitter(-1);
    int serial = 0;
    for (const auto& c : cases) {
        ++serial;
        std::vector<LogLine> logs[2];
        std::map<std::string, std::string> disks[2];
        for (int run = 0; run < 2; ++run) {
            const std::string top = "c" + std::to_string(serial) + (run == 0 ? "w1" : "w4");
            BuildMixedTree(top);
            engine.Job = JobSettings{};
            engine.Job.ExecDispSubDir = 1;
            c.options(engine);
            window.Controls = JobSettings{};
            window.Controls.SearchFile = "*.txt";
            window.Controls.Recursive = 1;
            c.job(window.Controls);
            CString paths;
            for (const char* below : c.searchPaths) paths += (paths.IsEmpty() ? "" : ";") + tree.Path(Rel(top + below));
            window.Controls.SearchPath = paths;
            RunOverMixedTree(top, run == 0 ? 1 : 4);
            logs[run] = LogOf(top);
            disks[run] = DiskOf(top);
        }
        ASSERT_EQ(logs[0].size(), logs[1].size()) << c.name;
        for (size_t i = 0; i < logs[0].size(); ++i) {
            EXPECT_EQ(logs[1][i].Text, logs[0][i].Text) << c.name << ", line " << i;
            EXPECT_EQ(logs[1][i].Color, logs[0][i].Color) << c.name << ", line " << i;
        }
        EXPECT_EQ(disks[1], disks[0]) << c.name;
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::EntriesFailed) << c.name;
        EXPECT_TRUE(HasLine(logs[0], "  Failed : Change ")) << c.name;
    }
}

// Four workers change the entries in any order; the clock is still read for each entry in walk
// order, so the time stamps grow along the log.
TEST_F(Workers, TheClockReadForEveryEntryIsReadInWalkOrder) {
    for (int d = 0; d < 3; ++d) {
        tree.MakeDir(("d" + Two(d)).c_str());
        for (int i = 0; i < 12; ++i) tree.MakeFile(("d" + Two(d) + "\\f" + Two(i) + ".txt").c_str());
    }
    window.Controls.SearchPath = tree.Root();
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {0, ""};
    window.Controls.Workers = 4;
    engine.Job.SystemClockReadMode = 1;
    engine.Job.ExecDispSubDir = 0;
    g_clockReadings = 0;
    SetClockSource(TickingClock);
    SlowOpens jitter(-1);

    engine.RunJob();

    const std::string root = tree.Root().Str() + "\\";
    std::vector<std::string> times;
    for (const LogLine& line : window.LinesWith("    done : ")) {
        const std::string relative = line.Text.substr(48 + root.size());
        times.push_back(line.Text.substr(17, 19));
        EXPECT_EQ(tree.WriteTimeText(relative.c_str()).Str(), times.back()) << relative;
    }
    ASSERT_EQ(times.size(), 39u);  // 36 files and 3 directories
    for (size_t i = 1; i < times.size(); ++i) EXPECT_LT(times[i - 1], times[i]) << i;
}

// An abort takes back the entries that no worker has started: the log is the beginning of the
// full run's log, exactly the entries it calls done are changed, each one whole, and the undo of
// its journal brings the tree back.
TEST_F(Workers, AnAbortEndsWithTheEntriesStartedAndChangesNothingElse) {
    const int kFiles = 300;
    for (const std::string top : {"aborted", "complete"}) {
        tree.MakeDir(top.c_str());
        for (int d = 0; d < 3; ++d) tree.MakeDir((top + "\\d" + Two(d)).c_str());
        for (int i = 0; i < kFiles; ++i) {
            const std::string file = top + "\\d" + Two(i % 3) + "\\f" + std::to_string(1000 + i) + ".txt";
            tree.MakeFile(file.c_str());
            tree.SetWriteTime(file.c_str(), kListed);
        }
    }
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    window.Controls.SetAttributes = {H, 0};
    engine.Job.SortFile = 1;
    SlowOpens slow(3);

    window.Controls.SearchPath = tree.Path("complete");
    RunWith(1);
    const std::vector<LogLine> complete = LogOf("complete");

    AbortButton abort(engine);
    int done = 0;
    window.OnLine = [&](const LogLine& line) {
        if (line.Text.rfind("    done", 0) == 0 && ++done == 40) abort.Press();
    };
    window.Controls.SearchPath = tree.Path("aborted");
    const std::map<std::string, std::string> before = DiskOf("aborted");
    RunWith(4);
    window.OnLine = nullptr;
    const std::vector<LogLine> aborted = LogOf("aborted");

    ASSERT_GE(aborted.size(), 5u);
    const std::string total = std::to_string(DoneNames(aborted).size());
    const std::vector<std::string> tail = {"処理  数 : " + total + " 件 (" + tree.Path("TREE").Str() + ")\r\n", kAborted,
                                           kRule, "処理総数 : " + total + " 件\r\n", kEnd};
    for (size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(aborted[aborted.size() - tail.size() + i].Text, tail[i]) << i;
    const size_t kept = aborted.size() - tail.size();
    ASSERT_LT(kept, complete.size());
    for (size_t i = 0; i < kept; ++i) EXPECT_EQ(aborted[i].Text, complete[i].Text) << i;
    EXPECT_LT(DoneNames(aborted).size(), static_cast<size_t>(kFiles));
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Aborted);

    std::vector<std::string> changed;
    for (const auto& entry : DiskOf("aborted")) {
        const bool hidden = entry.second[1] == 'h';
        const bool stamped = entry.second.substr(4) == kStamp;
        EXPECT_EQ(hidden, stamped) << entry.first;
        if (hidden) changed.push_back(entry.first.substr(entry.first.rfind('\\') + 1));
    }
    std::vector<std::string> logged = DoneNames(aborted);
    std::sort(changed.begin(), changed.end());
    std::sort(logged.begin(), logged.end());
    EXPECT_EQ(changed, logged);

    // Entries taken back before a worker started them were journalled but never changed: the
    // undo finds them as they were and leaves them, and takes back exactly the others.
    Journal journal;
    CString reason;
    ASSERT_TRUE(ReadJournal(NewestJournal(engine.Journals.Folder), journal, reason)) << reason;
    const size_t withdrawn = journal.Records.size() - logged.size();
    EXPECT_GT(withdrawn, 0u);
    engine.Job.ExecDispNopFname = 1;
    JournalUndo(engine).UndoLastRun();
    EXPECT_EQ(window.LinesWith("    done : ").size(), logged.size());
    EXPECT_EQ(window.LinesWith("     nop : ").size(), withdrawn);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(DiskOf("aborted"), before);
}

// The walk waits for the oldest entry when a limit is reached: the peaks meet the limits, and
// the log is still that of one worker without them.
TEST_F(Workers, EntriesInFlightAndHeldLinesStayWithinTheirLimits) {
    const struct {
        RunLimits limits;
        size_t mostEntries;  // 0: at most the limit
        size_t mostItems;
    } cases[] = {{{8, 4096}, 8, 0}, {{64, 24}, 0, 24}};
    // Three files of 0 bytes, skipped with a line each, behind every file that is changed.
    for (const char* top : {"reference", "limited1", "limited2"}) {
        tree.MakeDir(top);
        for (int i = 0; i < 160; ++i) {
            const std::string file = std::string(top) + "\\f" + std::to_string(1000 + i) + ".txt";
            tree.MakeFile(file.c_str(), i % 4 == 0 ? 1 : 0);
            tree.SetWriteTime(file.c_str(), kListed);
        }
    }
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    window.Controls.SizeStartFlg = 1;
    window.Controls.SizeRange = {1, 0};
    engine.Job.SortFile = engine.Job.ExecDispSkipped = 1;
    SlowOpens slow(2);

    window.Controls.SearchPath = tree.Path("reference");
    RunWith(1);
    const std::vector<LogLine> reference = LogOf("reference");
    EXPECT_EQ(window.LinesWith("    done").size(), 40u);

    std::string top = "limited0";
    for (const auto& c : cases) {
        ++top.back();
        engine.Limits = c.limits;
        window.Controls.SearchPath = tree.Path(top.c_str());
        RunWith(4);
        if (c.mostEntries != 0) {
            EXPECT_EQ(engine.Run.MostEntriesInFlight, c.mostEntries);
        } else {
            EXPECT_LE(engine.Run.MostEntriesInFlight, c.limits.EntriesInFlight);
        }
        if (c.mostItems != 0) {
            EXPECT_EQ(engine.Run.MostHeldItems, c.mostItems);
        } else {
            EXPECT_LE(engine.Run.MostHeldItems, c.limits.HeldItems);
        }
        const std::vector<LogLine> limited = LogOf(top);
        ASSERT_EQ(limited.size(), reference.size());
        for (size_t i = 0; i < limited.size(); ++i) EXPECT_EQ(limited[i].Text, reference[i].Text) << i;
    }
}
