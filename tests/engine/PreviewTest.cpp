// Previews over real trees: nothing on disk changes and no journal is written, the log shows
// each entry the run would change as it is and as it will be, and the Execute that follows
// changes exactly those entries, with one worker or four.
#include "EngineFixture.h"

#include "engine/Journal.h"
#include "engine/LogPalette.h"

#include <algorithm>
#include <map>

namespace {

constexpr DWORD R = FILE_ATTRIBUTE_READONLY;
constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD S = FILE_ATTRIBUTE_SYSTEM;
const char* const kStamp = "2001/05/06 12:00:00";
const char* const kListed = "2010/01/02 03:04:05";
const char* const kStart = "* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ開始 * * * * * * * * * *";
const char* const kEnd = "* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ終了 * * * * * * * * * *";
const char* const kRule = "------------------------------------------------";

// A clock that moves on a minute at every reading.
int g_clockReadings = 0;
CTime TickingClock() { return CTime(1715908830 + 60 * g_clockReadings++); }

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// The log the run writes when it changes exactly what the preview says it will: "will" lines
// become "done" lines, " now" lines go, and the words of the banners and counts are the run's.
std::vector<LogLine> AsTheRunWouldLogIt(const std::vector<LogLine>& preview) {
    const std::pair<std::string, std::string> words[] = {
        {kStart, "* * * * * * * * * * 処理開始 * * * * * * * * * *"},
        {kEnd, "* * * * * * * * * * 処理終了 * * * * * * * * * *"},
        {"    will : ", "    done : "},
        {"変更予定数 : ", "処理  数 : "},
        {"変更予定総数 : ", "処理総数 : "},
    };
    std::vector<LogLine> run;
    for (LogLine line : preview) {
        if (StartsWith(line.Text, "     now : ")) continue;
        for (const auto& [previewed, ran] : words) {
            if (StartsWith(line.Text, previewed)) line.Text = ran + line.Text.substr(previewed.size());
        }
        run.push_back(line);
    }
    return run;
}

class Preview : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        window.Controls.SearchPath = tree.Root();
        window.Controls.SearchFile = "*.txt";
        window.Controls.Recursive = 1;
        window.Controls.SetAttributes = {H, 0};
        engine.Job.ExecDispSubDir = 1;
    }

    void MakeListed(const std::string& relative, DWORD size, DWORD attributes) {
        tree.MakeFile(relative.c_str(), size);
        if (attributes != 0) tree.SetAttributes(relative.c_str(), attributes);
        tree.SetWriteTime(relative.c_str(), kListed);
    }

    // Files to change and to leave, one skipped by the size limit, a System file, a ReadOnly one
    // and a subdirectory with a file of its own.
    void BuildTree(const std::string& top) {
        tree.MakeDir(top.c_str());
        tree.MakeDir((top + "\\sub").c_str());
        MakeListed(top + "\\a.txt", 5, 0);
        MakeListed(top + "\\empty.txt", 0, 0);
        MakeListed(top + "\\hidden.txt", 7, H);
        MakeListed(top + "\\readonly.txt", 3, R);
        MakeListed(top + "\\system.txt", 3, S);
        MakeListed(top + "\\sub\\c.txt", 4, H | R);
        MakeListed(top + "\\sub\\d.txt", 6, 0);
        tree.SetWriteTime((top + "\\sub").c_str(), kListed);
        tree.SetWriteTime(top.c_str(), kListed);
    }

    // Every entry below the folder by its path: its attributes and its three times, but for the
    // last-access time of directories, which any listing moves on Linux.
    std::map<std::string, std::string> DiskOf(const std::string& top) const {
        std::map<std::string, std::string> entries;
        Collect(tree.RealPath(Wide(top.c_str())), top, entries);
        return entries;
    }

    std::vector<LogLine> LogOf(const std::string& top) const {
        std::vector<LogLine> lines = window.Log;
        const std::string path = tree.Path(top.c_str()).Str();
        for (LogLine& line : lines) {
            for (size_t at = line.Text.find(path); at != std::string::npos; at = line.Text.find(path, at)) {
                line.Text.replace(at, path.size(), "TREE");
            }
        }
        return lines;
    }

private:
    static void Collect(const std::wstring& directory, const std::string& shown,
                        std::map<std::string, std::string>& entries) {
        WIN32_FIND_DATAW record;
        const HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &record);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            const std::wstring name = record.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::string path = shown + "\\" + ShownText(name).Str();
            const bool isDirectory = (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entries[path] = std::to_string(record.dwFileAttributes) + " " + std::to_string(Ticks(record.ftCreationTime)) +
                            " " + (isDirectory ? "-" : std::to_string(Ticks(record.ftLastAccessTime))) + " " +
                            std::to_string(Ticks(record.ftLastWriteTime));
            if (isDirectory) Collect(directory + L"\\" + name, path, entries);
        } while (FindNextFileW(search, &record));
        FindClose(search);
    }
};

}  // namespace

TEST_F(Preview, LogsEachEntryAsItIsAndAsItWillBeAndChangesNothing) {
    BuildTree("t");
    window.Controls.SearchPath = tree.Path("t");
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    window.Controls.SizeStartFlg = 1;
    window.Controls.SizeRange = {1, 0};
    engine.Job.SortFile = engine.Job.ExecDispSkipped = 1;
    const std::map<std::string, std::string> before = DiskOf("t");

    engine.PreviewJob();

    EXPECT_EQ(DiskOf("t"), before);
    EXPECT_TRUE(JournalFiles(engine.Journals.Folder).empty());
    const std::string root = tree.Path("t").Str();
    const std::vector<LogLine> expected = {
        {kStart, LogColor::Blue},
        {"処理対象 : " + root + " (*.txt)", LogColor::Green},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + " (*.txt)", LogColor::Black},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\sub (*.txt)", LogColor::Black},
        {"     now : -arh- 2010/01/02 03:04:05          4 c.txt", LogColor::Black},
        {"    will : -arh- 2001/05/06 12:00:00          4 c.txt", LogColor::Navy},
        {"     now : -a--- 2010/01/02 03:04:05          6 d.txt", LogColor::Black},
        {"    will : -a-h- 2001/05/06 12:00:00          6 d.txt", LogColor::Navy},
        {"     now : d---- 2010/01/02 03:04:05   < Dir >  sub", LogColor::Black},
        {"    will : d--h- 2001/05/06 12:00:00   < Dir >  sub", LogColor::Navy},
        {"     now : -a--- 2010/01/02 03:04:05          5 a.txt", LogColor::Black},
        {"    will : -a-h- 2001/05/06 12:00:00          5 a.txt", LogColor::Navy},
        {"    skip : -a--- 2010/01/02 03:04:05          0 empty.txt", LogColor::Grey},
        {"     now : -a-h- 2010/01/02 03:04:05          7 hidden.txt", LogColor::Black},
        {"    will : -a-h- 2001/05/06 12:00:00          7 hidden.txt", LogColor::Navy},
        {"     now : -ar-- 2010/01/02 03:04:05          3 readonly.txt", LogColor::Black},
        {"    will : -arh- 2001/05/06 12:00:00          3 readonly.txt", LogColor::Navy},
        {"  Skip System File : system.txt", LogColor::Red},
        {"変更予定数 : 6 件 (" + root + ")\r\n", LogColor::Green},
        {kRule, LogColor::Black},
        {"変更予定総数 : 6 件\r\n", LogColor::Green},
        {kEnd, LogColor::Blue},
    };
    ASSERT_EQ(window.Log.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(window.Log[i].Text, expected[i].Text) << i;
        EXPECT_EQ(window.Log[i].Color, expected[i].Color) << i;
    }
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(window.BusyStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.Status[0], "ﾚﾃﾞｨ");
    EXPECT_EQ(std::count(window.Progress.begin(), window.Progress.end(), "○ ﾌﾟﾚﾋﾞｭｰ中... a.txt"), 1);
}

// The preview and then Execute over the same tree: Execute changes exactly the entries the
// preview listed, as the preview said, and logs what the preview logged.
TEST_F(Preview, ExecuteThenChangesExactlyWhatThePreviewListed) {
    const struct {
        const char* name;
        std::function<void(JobSettings&)> job;
        std::function<void(JobSettings&)> options;
        std::vector<const char*> searchPaths;  // below the tree's folder
    } cases[] = {
        {"Hidden and a time stamp, sorted, every line",
         [](JobSettings& job) {
             job.TimeStanpFlg = 1;
             job.SetTimeStanp = {1, kStamp};
             job.SizeStartFlg = 1;
             job.SizeRange = {1, 0};
         },
         [](JobSettings& options) { options.SortFile = options.ExecDispSkipped = options.ExecDispNopFname = 1; },
         {""}},
        {"ReadOnly reset alone, full paths, System entries taken",
         [](JobSettings& job) { job.SetAttributes = {R, 1}; },
         [](JobSettings& options) {
             options.ExecDispSubDir = options.SystemFileSkip = 0;
             options.ExecDispNopFname = 1;
         },
         {""}},
        // The second path (in other letter case) lists entries the first one hid: the run finds
        // them hidden and the filter skips them, and so must the preview.
        {"Hidden alone over overlapping paths, only files with Archive alone taken",
         [](JobSettings& job) { job.SearchAttributes = {FILE_ATTRIBUTE_ARCHIVE, 1}; },
         [](JobSettings& options) { options.ExecDispSkipped = options.ExecDispNopFname = 1; },
         {"", "\\SUB"}},
    };
    int serial = 0;
    for (const auto& c : cases) {
        for (const int workers : {1, 4}) {
            const std::string top = "c" + std::to_string(++serial);
            BuildTree(top);
            engine.Job = JobSettings{};
            engine.Job.ExecDispSubDir = 1;
            c.options(engine.Job);
            window.Controls = JobSettings{};
            window.Controls.SearchFile = "*.txt";
            window.Controls.Recursive = 1;
            window.Controls.SetAttributes = {H, 0};
            window.Controls.Workers = workers;
            c.job(window.Controls);
            CString paths;
            for (const char* below : c.searchPaths) paths += (paths.IsEmpty() ? "" : ";") + tree.Path((top + below).c_str());
            window.Controls.SearchPath = paths;
            const std::map<std::string, std::string> before = DiskOf(top);
            const size_t journals = JournalFiles(engine.Journals.Folder).size();

            engine.PreviewJob();
            const std::vector<LogLine> preview = LogOf(top);
            EXPECT_EQ(DiskOf(top), before) << c.name;
            EXPECT_EQ(JournalFiles(engine.Journals.Folder).size(), journals) << c.name;

            engine.RunJob();
            const std::vector<LogLine> expected = AsTheRunWouldLogIt(preview);
            const std::vector<LogLine> ran = LogOf(top);
            ASSERT_EQ(ran.size(), expected.size()) << c.name << ", " << workers << " workers";
            for (size_t i = 0; i < ran.size(); ++i) {
                EXPECT_EQ(ran[i].Text, expected[i].Text) << c.name << ", " << workers << " workers, line " << i;
                EXPECT_EQ(ran[i].Color, expected[i].Color) << c.name << ", " << workers << " workers, line " << i;
            }
            EXPECT_EQ(engine.Run.Workers, workers);
            EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed) << c.name;
        }
    }
}

// As the run reads it: once when it starts, or for each entry with the clock read per entry.
TEST_F(Preview, ShowsTheClockAsReadForThePreview) {
    for (int i = 0; i < 4; ++i) tree.MakeFile(("f" + std::to_string(i) + ".txt").c_str());
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {0, ""};
    engine.Job.SortFile = 1;
    SetClockSource(TickingClock);
    for (const int perEntry : {0, 1}) {
        g_clockReadings = 0;
        engine.Job.SystemClockReadMode = perEntry;
        engine.PreviewJob();
        std::vector<std::string> times;
        for (const LogLine& line : window.LinesWith("    will : ")) times.push_back(line.Text.substr(17, 19));
        std::vector<std::string> expected;
        for (int i = 0; i < 4; ++i) {
            const FILETIME read = ClockToFileTime(CTime(1715908830 + 60 * (perEntry == 1 ? i + 1 : 0)));
            expected.push_back(FormatFileTime(&read).Str());
        }
        EXPECT_EQ(times, expected) << perEntry;
        EXPECT_EQ(g_clockReadings, perEntry == 1 ? 5 : 1);
    }
}

TEST_F(Preview, AbortStopsAPreviewAsItStopsARun) {
    for (int i = 0; i < 200; ++i) tree.MakeFile(("f" + std::to_string(1000 + i) + ".txt").c_str());
    engine.Job.SortFile = 1;
    AbortButton abort(engine);
    int will = 0;
    window.OnLine = [&](const LogLine& line) {
        if (!StartsWith(line.Text, "    will : ") || ++will != 10) return;
        abort.Press();
        Sleep(20);  // the walk looks at its messages every few milliseconds
    };
    engine.PreviewJob();
    window.OnLine = nullptr;

    const std::vector<std::string> lines = window.Texts();
    ASSERT_GE(lines.size(), 5u);
    const size_t listed = window.LinesWith("    will : ").size();
    EXPECT_LT(listed, 200u);
    const std::vector<std::string> tail = {"変更予定数 : " + std::to_string(listed) + " 件 (" + tree.Root().Str() + ")\r\n",
                                           "\r\n※ ﾌﾟﾚﾋﾞｭｰは中止されました。\r\n", kRule,
                                           "変更予定総数 : " + std::to_string(listed) + " 件\r\n", kEnd};
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()), tail);
    EXPECT_EQ(window.LinesWith("※ ﾌﾟﾚﾋﾞｭｰは中止")[0].Color, LogColor::Magenta);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Aborted);
    EXPECT_EQ(window.BusyStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(tree.Attributes("f1000.txt") & H, 0u);
}

// The checks of a run refuse a preview alike; only the journal is the run's own.
TEST_F(Preview, TheRunsChecksRefuseAPreviewAndOnlyARunNeedsItsJournal) {
    tree.MakeFile("a.txt");
    const CString blocker = journals.MakeFile("blocker");
    const struct {
        const char* name;
        std::function<void()> setUp;
        bool previewStarts, runStarts;
    } cases[] = {
        {"no pattern", [&] { window.Controls.SearchFile = ""; }, false, false},
        {"no operation", [&] { window.Controls.SetAttributes = {0, 0}; }, false, false},
        {"no journal", [&] { engine.Journals.Folder = Wide(blocker + "\\journal"); }, true, false},
    };
    for (const auto& c : cases) {
        const JobSettings controls = window.Controls;
        const std::wstring folder = engine.Journals.Folder;
        c.setUp();
        std::vector<std::string> logs[2];
        for (int run = 0; run < 2; ++run) {
            beeps.Beeps().clear();
            run == 0 ? engine.PreviewJob() : engine.RunJob();
            const bool started = run == 0 ? c.previewStarts : c.runStarts;
            EXPECT_EQ(engine.Run.Outcome, started ? RunOutcome::Completed : RunOutcome::Refused) << c.name << run;
            EXPECT_EQ(beeps.Beeps().size(), started ? 0u : 1u) << c.name << run;
            logs[run] = window.Texts();
        }
        if (!c.previewStarts) {
            EXPECT_EQ(logs[0], logs[1]) << c.name;
        }
        EXPECT_EQ(tree.Attributes("a.txt") & H, 0u) << c.name;
        window.Controls = controls;
        engine.Journals.Folder = folder;
    }
}
