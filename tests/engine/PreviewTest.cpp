// Previews over real trees: nothing on disk changes and no journal is written, the log shows
// each entry the run would change as it is and as it will be, and the Execute that follows
// changes exactly those entries.
#include "EngineFixture.h"

#include "engine/Journal.h"

#include <algorithm>

namespace {

const char* const kStart = "* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ開始 * * * * * * * * * *";
const char* const kEnd = "* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ終了 * * * * * * * * * *";

// The log the run writes when it changes exactly what the preview says it will: "will" lines
// become "done" lines, " now" lines go, and the words of the banners and counts are the run's.
std::vector<LogLine> AsTheRunWouldLogIt(const std::vector<LogLine>& preview) {
    const std::pair<std::string, std::string> words[] = {
        {kStart, kRunStart},
        {kEnd, kRunEnd},
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

using Preview = TreeRunTest;

}  // namespace

// Files to change and to leave, one skipped by the size limit, a System file, a ReadOnly one and
// a subdirectory. Only files with Archive alone are taken; the second path (in other letter case)
// lists entries the first one hid: the run finds them hidden and skips them, and so must the
// preview.
TEST_F(Preview, LogsEachEntryAsItIsAndAsItWillBeAndExecuteThenChangesExactlyThat) {
    tree.MakeDir("sub");
    MakeListed("a.txt", 5);
    MakeListed("empty.txt");
    MakeListed("hidden.txt", 7, H);
    MakeListed("readonly.txt", 3, R);
    MakeListed("system.txt", 3, S);
    MakeListed("sub\\c.txt", 4, H | R);
    MakeListed("sub\\d.txt", 6);
    tree.SetWriteTime("sub", kListed);
    const std::string root = tree.Root().Str();
    window.Controls.SearchPath = tree.Root() + ";" + tree.Root() + "\\SUB";
    window.Controls.SearchAttributes = {A, 1};
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    window.Controls.SizeStartFlg = 1;
    window.Controls.SizeRange = {1, 0};
    engine.Job.SortFile = engine.Job.ExecDispSkipped = engine.Job.ExecDispNopFname = 1;
    const std::map<std::string, std::string> before = DiskOf("");

    engine.PreviewJob();

    EXPECT_EQ(DiskOf(""), before);
    EXPECT_TRUE(JournalFiles(engine.Journals.Folder).empty());
    const std::vector<LogLine> expected = {
        {kStart, LogColor::Blue},
        {"処理対象 : " + root + " (*.txt)", LogColor::Green},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + " (*.txt)", LogColor::Black},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\sub (*.txt)", LogColor::Black},
        {"    skip : -arh- 2010/01/02 03:04:05          4 c.txt", LogColor::Grey},
        {"     now : -a--- 2010/01/02 03:04:05          6 d.txt", LogColor::Black},
        {"    will : -a-h- 2001/05/06 12:00:00          6 d.txt", LogColor::Navy},
        {"    skip : d---- 2010/01/02 03:04:05   < Dir >  sub", LogColor::Grey},
        {"     now : -a--- 2010/01/02 03:04:05          5 a.txt", LogColor::Black},
        {"    will : -a-h- 2001/05/06 12:00:00          5 a.txt", LogColor::Navy},
        {"    skip : -a--- 2010/01/02 03:04:05          0 empty.txt", LogColor::Grey},
        {"    skip : -a-h- 2010/01/02 03:04:05          7 hidden.txt", LogColor::Grey},
        {"    skip : -ar-- 2010/01/02 03:04:05          3 readonly.txt", LogColor::Grey},
        {"    skip : -a--s 2010/01/02 03:04:05          3 system.txt", LogColor::Grey},
        {"変更予定数 : 2 件 (" + root + ")\r\n", LogColor::Green},
        {"処理対象 : " + root + "\\SUB (*.txt)", LogColor::Green},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\SUB (*.txt)", LogColor::Black},
        {"    skip : -arh- 2010/01/02 03:04:05          4 c.txt", LogColor::Grey},
        {"    skip : -a-h- 2001/05/06 12:00:00          6 d.txt", LogColor::Grey},
        {"変更予定数 : 0 件 (" + root + "\\SUB)\r\n", LogColor::Green},
        {kRule, LogColor::Black},
        {"変更予定総数 : 2 件\r\n", LogColor::Green},
        {kEnd, LogColor::Blue},
    };
    const std::vector<LogLine> preview = window.Log;
    ASSERT_EQ(preview.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(preview[i].Text, expected[i].Text) << i;
        EXPECT_EQ(preview[i].Color, expected[i].Color) << i;
    }
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(std::count(window.Progress.begin(), window.Progress.end(), "○ ﾌﾟﾚﾋﾞｭｰ中... a.txt"), 1);

    engine.RunJob();
    const std::vector<LogLine> ran = window.Log, wouldRun = AsTheRunWouldLogIt(preview);
    ASSERT_EQ(ran.size(), wouldRun.size());
    for (size_t i = 0; i < ran.size(); ++i) {
        EXPECT_EQ(ran[i].Text, wouldRun[i].Text) << i;
        EXPECT_EQ(ran[i].Color, wouldRun[i].Color) << i;
    }
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
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
