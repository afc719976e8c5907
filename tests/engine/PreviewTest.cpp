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

// Only files with Archive alone are taken: the second path (in other letter case) lists entries
// the first one hid, which the run then skips, and so must the preview.
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
    // The preview's own words; the other lines the Execute below compares.
    const std::vector<LogLine> own = {
        {kStart, LogColor::Blue},
        {"     now : -a--- 2010/01/02 03:04:05          6 d.txt", LogColor::Black},
        {"    will : -a-h- 2001/05/06 12:00:00          6 d.txt", LogColor::Navy},
    };
    for (const LogLine& line : own) {
        const std::vector<LogLine> found = window.LinesWith(line.Text);
        ASSERT_EQ(found.size(), 1u) << line.Text;
        EXPECT_EQ(found[0].Color, line.Color) << line.Text;
    }
    EXPECT_EQ(window.LinesWith("    will : ").size(), 2u);
    const std::vector<LogLine> preview = window.Log;
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(std::count(window.Progress.begin(), window.Progress.end(), "○ ﾌﾟﾚﾋﾞｭｰ中... a.txt"), 1);

    engine.RunJob();
    ExpectLog(window.Log, AsTheRunWouldLogIt(preview));
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
}

// The checks of a run refuse a preview alike; only the journal is the run's own.
TEST_F(Preview, TheRunsChecksRefuseAPreviewAndOnlyARunNeedsItsJournal) {
    tree.MakeFile("a.txt");
    window.Controls.SearchFile = "";
    std::vector<std::string> logs[2];
    for (const bool preview : {true, false}) {
        preview ? engine.PreviewJob() : engine.RunJob();
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused) << preview;
        logs[preview ? 0 : 1] = window.Texts();
    }
    EXPECT_EQ(logs[0], logs[1]);
    EXPECT_EQ(Beeps().size(), 2u);

    window.Controls.SearchFile = "*.txt";
    engine.Journals.Folder = Wide(journals.MakeFile("blocker") + "\\journal");
    engine.PreviewJob();
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    engine.RunJob();
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused);
    EXPECT_EQ(tree.Attributes("a.txt") & H, 0u);
}
