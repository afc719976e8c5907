// Previews over real trees: nothing on disk changes and no journal is needed, the log shows
// each entry the run would change as it is and as it will be, and the Execute that follows
// changes exactly those entries.
#include "EngineFixture.h"

#include <algorithm>

namespace {

// The log the run writes when it changes exactly what the preview says it will: "will" lines
// become "done" lines, " now" lines go, and the words of the banners and counts are the run's.
std::vector<LogLine> AsTheRunWouldLogIt(const std::vector<LogLine>& preview) {
    const std::string words[][2] = {{"ﾌﾟﾚﾋﾞｭｰ開始", "処理開始"}, {"ﾌﾟﾚﾋﾞｭｰ終了", "処理終了"},
                                    {"    will : ", "    done : "}, {"変更予定数 : ", "処理  数 : "},
                                    {"変更予定総数 : ", "処理総数 : "}};
    std::vector<LogLine> run;
    for (LogLine line : preview) {
        if (StartsWith(line.Text, "     now : ")) continue;
        for (const auto& [previewed, ran] : words) {
            const size_t at = line.Text.find(previewed);
            if (at != std::string::npos) line.Text.replace(at, previewed.size(), ran);
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
    const std::wstring folder = engine.Journals.Folder;
    engine.Journals.Folder = Wide(journals.MakeFile("blocker") + "\\journal");  // none can be written

    engine.PreviewJob();

    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(DiskOf(""), before);
    // The preview's own line; the Execute below compares the others.
    EXPECT_EQ(window.LinesWith(" d.txt").at(0).Text, "     now : -a--- 2010/01/02 03:04:05          6 d.txt");
    EXPECT_EQ(window.LinesWith("    will : ").size(), 2u);
    EXPECT_EQ(std::count(window.Progress.begin(), window.Progress.end(), "○ ﾌﾟﾚﾋﾞｭｰ中... a.txt"), 1);
    const std::vector<LogLine> preview = window.Log;

    engine.Journals.Folder = folder;
    engine.RunJob();
    ExpectLog(window.Log, AsTheRunWouldLogIt(preview));
}
