// Whole runs over real trees: the log in order, walks, abort, and the window's state.
#include "EngineFixture.h"

#include "engine/LogPalette.h"
#include "engine/TokenList.h"

#include <algorithm>

namespace {

constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD S = FILE_ATTRIBUTE_SYSTEM;

const char* const kStart = "* * * * * * * * * * 処理開始 * * * * * * * * * *";
const char* const kEnd = "* * * * * * * * * * 処理終了 * * * * * * * * * *";
const char* const kRule = "------------------------------------------------";
const char* const kAborted = "\r\n※ 処理は中止されました。\r\n";

class RunJob : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        window.Controls.SearchPath = tree.Root();
        window.Controls.SearchFile = "*.txt";
        window.Controls.Recursive = 1;
        window.Controls.SetAttributes = {H, 0};
        engine.Job.ExecDispSubDir = 1;
    }

    void Run() { engine.RunJob(); }

    bool Hidden(const char* relative) const { return (tree.Attributes(relative) & H) != 0; }

    static std::string Path(const CString& a, const char* b) { return JoinPath(a, b).Str(); }
};

}  // namespace

TEST_F(RunJob, LogsEveryLineOfARunInOrderWithItsColour) {
    tree.MakeFile("a.txt", 5);
    tree.MakeDir("sub");
    tree.MakeFile("sub\\b.txt", 1234);
    tree.MakeFile("sub\\c.log");
    tree.SetWriteTime("a.txt", "2001/05/06 07:08:09");
    tree.SetWriteTime("sub\\b.txt", "2002/02/03 04:05:06");
    tree.SetWriteTime("sub", "2003/03/03 03:03:03");

    Run();

    const std::string root = tree.Root().Str();
    const std::vector<LogLine> expected = {
        {kStart, LogColor::Blue},
        {"処理対象 : " + root + " (*.txt)", LogColor::Green},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + " (*.txt)", LogColor::Black},
        {" ﾃﾞｨﾚｸﾄﾘ : " + Path(tree.Root(), "sub") + " (*.txt)", LogColor::Black},
        {"    done : -a-h- 2002/02/03 04:05:06       1234 b.txt", LogColor::Navy},
        {"    done : d--h- 2003/03/03 03:03:03   < Dir >  sub", LogColor::Navy},
        {"    done : -a-h- 2001/05/06 07:08:09          5 a.txt", LogColor::Navy},
        {"処理  数 : 3 件 (" + root + ")\r\n", LogColor::Green},
        {kRule, LogColor::Black},
        {"処理総数 : 3 件\r\n", LogColor::Green},
        {kEnd, LogColor::Blue},
    };
    ASSERT_EQ(window.Log.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(window.Log[i].Text, expected[i].Text) << i;
        EXPECT_EQ(window.Log[i].Color, expected[i].Color) << i;
    }
    EXPECT_TRUE(Hidden("sub\\b.txt"));
    EXPECT_FALSE(Hidden("sub\\c.log"));
    EXPECT_EQ(window.LogClears, 1);
    EXPECT_EQ(window.BusyStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.Status[0], "ﾚﾃﾞｨ");
    EXPECT_EQ(window.Status[1], "");
}

TEST_F(RunJob, WithoutRecursionSubdirectoriesAreEntriesButNotEntered) {
    tree.MakeDir("sub");
    tree.MakeFile("sub\\b.txt");
    window.Controls.Recursive = 0;
    Run();
    EXPECT_TRUE(Hidden("sub"));
    EXPECT_FALSE(Hidden("sub\\b.txt"));
    EXPECT_EQ(window.LinesWith("処理総数")[0].Text, "処理総数 : 1 件\r\n");
}

TEST_F(RunJob, SystemDirectoriesAreNeitherEnteredNorChanged) {
    tree.MakeDir("sys");
    tree.MakeFile("sys\\in.txt");
    tree.SetAttributes("sys", S);
    Run();
    EXPECT_FALSE(Hidden("sys\\in.txt"));
    EXPECT_FALSE(Hidden("sys"));
    ASSERT_EQ(window.LinesWith("Do'nt").size(), 1u);
    EXPECT_EQ(window.LinesWith("Do'nt")[0].Text, "  Do'nt Recursive System Dir : " + Path(tree.Root(), "sys"));
    EXPECT_EQ(window.LinesWith("Do'nt")[0].Color, LogColor::Red);
    EXPECT_EQ(window.LinesWith("Skip System")[0].Text, "  Skip System Dir : sys");

    window.Log.clear();
    engine.Job.SystemFileSkip = 0;
    Run();
    EXPECT_TRUE(Hidden("sys\\in.txt"));
    EXPECT_TRUE(window.LinesWith("Do'nt").empty());
}

TEST_F(RunJob, ShiftJisDirectoriesAreJoinedAndEntered) {
    tree.MakeDir("表");
    tree.MakeDir("表\\十能");
    tree.MakeFile("表\\十能\\ソ.txt");
    tree.MakeFile("表\\a.txt");
    Run();
    EXPECT_TRUE(Hidden("表\\十能\\ソ.txt"));
    EXPECT_TRUE(Hidden("表\\a.txt"));
    EXPECT_EQ(window.LinesWith("処理総数")[0].Text, "処理総数 : 4 件\r\n");
}

TEST_F(RunJob, NamesWithPercentSignsAreLoggedAsTheyAre) {
    tree.MakeFile("100%.txt");
    tree.MakeFile("%s%n.txt");
    engine.Job.ExecDispSubDir = 0;
    Run();
    EXPECT_EQ(window.LinesWith(Path(tree.Root(), "100%.txt")).size(), 1u);
    EXPECT_EQ(window.LinesWith(Path(tree.Root(), "%s%n.txt")).size(), 1u);
}

TEST_F(RunJob, QuotedSearchPathsMayHoldSemicolonsAndTrailingBackslashes) {
    tree.MakeDir("a;b");
    tree.MakeFile("a;b\\x.txt");
    tree.MakeDir("c");
    tree.MakeFile("c\\y.txt");
    engine.Job.ExecDispSubDir = 0;
    window.Controls.SearchPath = "\"" + tree.Path("a;b") + "\" ; " + tree.Path("c") + "\\";
    Run();
    EXPECT_TRUE(Hidden("a;b\\x.txt"));
    EXPECT_TRUE(Hidden("c\\y.txt"));
    EXPECT_EQ(window.LinesWith("処理対象")[0].Text, "処理対象 : " + Path(tree.Root(), "a;b") + " (*.txt)");
    EXPECT_EQ(window.LinesWith("y.txt")[0].Text.find("\\\\"), std::string::npos);
}

TEST_F(RunJob, OverlappingPathsAreVisitedAndCountedTwice) {
    tree.MakeDir("b");
    tree.MakeFile("b\\x.txt");
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, "2001/05/06 12:00:00"};
    window.Controls.SetAttributes = {0, 0};
    window.Controls.SearchPath = tree.Root() + ";" + tree.Path("b");
    Run();
    EXPECT_EQ(window.LinesWith("処理総数")[0].Text, "処理総数 : 3 件\r\n");
}

TEST_F(RunJob, WithoutEntryLinesOnlyTheStructureRemains) {
    tree.MakeFile("a.txt");
    tree.MakeDir("sub");
    engine.Job.ExecDispFname = 0;
    engine.Job.ExecDispNopFname = 1;
    engine.Job.ExecDispSkipped = 1;
    Run();
    EXPECT_TRUE(window.LinesWith("done").empty());
    EXPECT_EQ(window.Log.size(), 7u);  // banners, path, the root directory (sub is empty), count, rule, total
    EXPECT_EQ(window.Status[3], "");
    EXPECT_EQ(window.Status[4], "");
    EXPECT_EQ(window.Status[5], "");
}

TEST_F(RunJob, SortWaitTextsFollowTheNumberOfEntries) {
    tree.MakeDir("d99");
    tree.MakeDir("d100");
    tree.MakeDir("d500");
    for (const auto& [folder, count] : {std::pair<const char*, int>{"d99", 99}, {"d100", 100}, {"d500", 500}}) {
        for (int i = 0; i < count; ++i) {
            CString name;
            name.Format("%s\\%03d.txt", folder, i);
            tree.MakeFile(name);
        }
    }
    engine.Job.SortFile = 1;
    engine.Job.ExecDispFname = 0;
    Run();
    const auto& progress = window.Progress;
    auto count = [&](const char* text) { return std::count(progress.begin(), progress.end(), std::string(text)); };
    EXPECT_EQ(count("○ ｿｰﾄ中..."), 2);  // the root with 3 entries and d99
    EXPECT_EQ(count("○ ｿｰﾄ中...少々お待ちください。(^_^;)"), 1);
    EXPECT_EQ(count("○ ｿｰﾄ中...だいぶお待ちください。m(_ _)m"), 1);
    EXPECT_EQ(count("○ ｿｰﾄ中...完了"), 4);
    EXPECT_EQ(window.Status[8], "S");
}

TEST_F(RunJob, AbortDuringTheSecondPathEndsTheRunWithItsSummary) {
    for (const char* name : {"p1", "p2", "p3"}) {
        tree.MakeDir(name);
        tree.MakeFile(CString(name) + "\\f.txt");
    }
    window.Controls.SearchPath = tree.Path("p1") + ";" + tree.Path("p2") + ";" + tree.Path("p3");
    AbortButton abort(engine);
    const std::string secondPath = "処理対象 : " + tree.Path("p2").Str();
    window.OnLine = [&](const LogLine& line) {
        if (line.Text.rfind(secondPath, 0) == 0) abort.Press();
    };

    Run();

    const std::vector<std::string> texts = window.Texts();
    ASSERT_GE(texts.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(texts.end() - 5, texts.end()),
              (std::vector<std::string>{"処理  数 : 0 件 (" + tree.Path("p2").Str() + ")\r\n", kAborted, kRule,
                                        "処理総数 : 1 件\r\n", kEnd}));
    EXPECT_EQ(window.LinesWith(kAborted).at(0).Color, LogColor::Magenta);
    EXPECT_EQ(window.LinesWith("処理総数")[0].Text, "処理総数 : 1 件\r\n");
    EXPECT_TRUE(window.LinesWith("処理対象 : " + tree.Path("p3").Str()).empty());
    EXPECT_TRUE(Hidden("p1\\f.txt"));
    EXPECT_FALSE(Hidden("p2\\f.txt"));
    EXPECT_EQ(engine.Run.AbortRequested, 0);
}

TEST_F(RunJob, AbortDuringTheDescentProcessesNothingAnywhere) {
    tree.MakeDir("a");
    tree.MakeDir("a\\b");
    tree.MakeFile("a\\b\\deep.txt");
    tree.MakeFile("top.txt");
    AbortButton abort(engine);
    window.OnLine = [&](const LogLine& line) {
        if (line.Text.find("ﾃﾞｨﾚｸﾄﾘ") != std::string::npos && line.Text.find("\\a (") != std::string::npos) abort.Press();
    };
    Run();
    EXPECT_TRUE(window.LinesWith("done").empty());
    EXPECT_FALSE(Hidden("a\\b\\deep.txt"));
    EXPECT_FALSE(Hidden("top.txt"));
    EXPECT_FALSE(window.LinesWith(kAborted).empty());
}

TEST_F(RunJob, TheWindowIsBusyDuringTheRunAndRefusesASecondOne) {
    tree.MakeFile("a.txt");
    std::vector<std::string> statesSeen;
    window.OnLine = [&](const LogLine& line) {
        if (line.Text != kStart) return;
        statesSeen.push_back(window.Status[0]);
        engine.RunJob();  // a queued second Execute
    };
    Run();
    EXPECT_EQ(statesSeen, std::vector<std::string>{"Buzy"});
    EXPECT_EQ(window.LinesWith(kStart).size(), 1u);
    EXPECT_EQ(window.SystemBoxStates, (std::vector<bool>{false, false}));
    engine.Job.SystemFileSkip = 0;
    window.SystemBoxStates.clear();
    Run();
    EXPECT_EQ(window.SystemBoxStates, (std::vector<bool>{false, true}));
}

TEST_F(RunJob, OptionMarksGreyTheDetailItemsWithoutEntryLines) {
    engine.Job.ExecDispFname = 0;
    engine.Job.ExecDispNopFname = 1;
    engine.Job.SystemFileSkip = 2;  // hand-edited: counts as on
    engine.SyncOptionMenus();
    EXPECT_FALSE(window.Marks.EntryDetailItemsEnabled);
    EXPECT_TRUE(window.Marks.ExecDispNopFname);
    EXPECT_TRUE(window.Marks.SystemFileSkip);
    EXPECT_FALSE(window.Marks.SystemBoxesEnabled);
    engine.Job.ExecDispFname = 1;
    engine.Job.SystemFileSkip = 0;
    engine.SyncOptionMenus();
    EXPECT_TRUE(window.Marks.EntryDetailItemsEnabled);
    EXPECT_TRUE(window.Marks.SystemBoxesEnabled);
}
