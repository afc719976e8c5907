// Whole runs over real trees: the log in order, walks, search paths, and the window's state.
#include "EngineFixture.h"

#include "engine/MessagePump.h"

#include <algorithm>

namespace {

class RunJob : public TreeRunTest {
protected:
    bool Hidden(const char* relative) const { return (tree.Attributes(relative) & H) != 0; }
    std::string Total() const { return window.LinesWith("処理総数").at(0).Text; }
    std::string Path(const char* relative) const { return tree.Path(relative).Str(); }
};

}  // namespace

// 表 ends in the byte of '\\'; a name with '%' must never serve as a format.
TEST_F(RunJob, LogsEveryLineOfARunInOrderWithItsColour) {
    tree.MakeFile("a.txt", 5);
    tree.MakeDir("表");
    tree.MakeFile("表\\%s%n.txt", 1234);
    tree.MakeFile("表\\c.log");
    tree.SetWriteTime("a.txt", "2001/05/06 07:08:09");
    tree.SetWriteTime("表\\%s%n.txt", "2002/02/03 04:05:06");
    tree.SetWriteTime("表", "2003/03/03 03:03:03");

    engine.RunJob();

    const std::string root = tree.Root().Str();
    const std::vector<LogLine> expected = {
        {kRunStart, LogColor::Blue},
        {"処理対象 : " + root + " (*.txt)", LogColor::Green},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + " (*.txt)", LogColor::Black},
        {" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\表 (*.txt)", LogColor::Black},
        {"    done : -a-h- 2002/02/03 04:05:06       1234 %s%n.txt", LogColor::Navy},
        {"    done : d--h- 2003/03/03 03:03:03   < Dir >  表", LogColor::Navy},
        {"    done : -a-h- 2001/05/06 07:08:09          5 a.txt", LogColor::Navy},
        {"処理  数 : 3 件 (" + root + ")\r\n", LogColor::Green},
        {kRule, LogColor::Black},
        {"処理総数 : 3 件\r\n", LogColor::Green},
        {kRunEnd, LogColor::Blue},
    };
    ExpectLog(window.Log, expected);
    EXPECT_EQ(window.LogClears, 1);
    EXPECT_EQ(window.Status[0], "ﾚﾃﾞｨ");
}

TEST_F(RunJob, WithoutRecursionSubdirectoriesAreEntriesButNotEntered) {
    tree.MakeDir("sub");
    tree.MakeFile("sub\\b.txt");
    window.Controls.Recursive = 0;
    engine.RunJob();
    EXPECT_TRUE(Hidden("sub"));
    EXPECT_FALSE(Hidden("sub\\b.txt"));
    EXPECT_EQ(Total(), "処理総数 : 1 件\r\n");
}

TEST_F(RunJob, SystemDirectoriesAreEnteredOnlyWhenSystemEntriesAreTaken) {
    tree.MakeDir("sys");
    tree.MakeFile("sys\\in.txt");
    tree.SetAttributes("sys", S);
    for (const int skip : {1, 0}) {
        engine.Job.SystemFileSkip = skip;
        engine.RunJob();
        EXPECT_EQ(Hidden("sys\\in.txt"), skip == 0);
        const std::vector<std::string> red = {"  Do'nt Recursive System Dir : " + Path("sys"),
                                              "  Skip System Dir : sys"};  // the directory as an entry
        EXPECT_EQ(window.TextsIn(LogColor::Red), skip ? red : std::vector<std::string>{});
    }
}

// Overlapping paths are visited and counted twice; a time stamp changes an entry every time. An
// empty item would be walked as the working directory: a scheduler's, or the program's own.
TEST_F(RunJob, SearchPathsMayBeQuotedHoldSemicolonsEndInBackslashesOverlapAndSkipEmptyItems) {
    TempTree work;
    work.MakeFile("beside.txt");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(work.Root()));
    tree.MakeDir("a;b");
    tree.MakeFile("a;b\\x.txt");
    tree.MakeDir("c");
    tree.MakeFile("c\\y.txt");
    engine.Job.ExecDispSubDir = 0;
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    window.Controls.SearchPath =
        ";\"" + tree.Path("a;b") + "\" ; \"\";" + tree.Path("c") + "\\;;" + tree.Root() + ";\" \"";
    engine.RunJob();
    EXPECT_TRUE(Hidden("a;b\\x.txt"));
    ASSERT_EQ(window.LinesWith("処理対象").size(), 3u);
    EXPECT_EQ(window.LinesWith("処理対象")[0].Text, "処理対象 : " + Path("a;b") + " (*.txt)");
    EXPECT_EQ(window.LinesWith("y.txt").size(), 2u);
    EXPECT_EQ(window.LinesWith("y.txt")[0].Text.find("\\\\"), std::string::npos);
    EXPECT_EQ(Total(), "処理総数 : 6 件\r\n");

    for (const char* text : {"\"\"", " ; \"\" ; "}) {
        window.Controls.SearchPath = text;
        Beeps().clear();
        engine.RunJob();
        EXPECT_EQ(window.Texts(), std::vector<std::string>{"*** 検索ﾊﾟｽを指定してください。"}) << text;
        EXPECT_EQ(Beeps().size(), 1u) << text;
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused) << text;
    }
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(work.Attributes("beside.txt") & H, 0u);
}

TEST_F(RunJob, SortedWalksShowAWaitTextFromAHundredEntries) {
    for (int count : {99, 100}) {
        const std::string folder = std::to_string(count);
        tree.MakeDir(folder.c_str());
        for (int i = 0; i < count; ++i) tree.MakeFile((folder + "\\" + std::to_string(i) + ".txt").c_str());
    }
    engine.Job.SortFile = 1;
    engine.Job.ExecDispFname = 0;
    engine.RunJob();
    auto count = [&](const char* text) { return std::count(window.Progress.begin(), window.Progress.end(), text); };
    EXPECT_EQ(count("○ ｿｰﾄ中..."), 2);  // the root and the folder of 99
    EXPECT_EQ(count("○ ｿｰﾄ中...少々お待ちください。(^_^;)"), 1);
}

TEST_F(RunJob, TheWindowIsBusyDuringTheRunAndRefusesASecondOne) {
    tree.MakeFile("a.txt");
    std::vector<std::string> statesSeen;
    window.OnLine = [&](const LogLine& line) {
        if (line.Text != kRunStart || !statesSeen.empty()) return;
        statesSeen.push_back(window.Status[0]);
        engine.RunJob();  // a queued second Execute
    };
    engine.RunJob();
    EXPECT_EQ(statesSeen, std::vector<std::string>{"Buzy"});
    EXPECT_EQ(window.LinesWith(kRunStart).size(), 1u);
    EXPECT_EQ(window.SystemBoxStates, (std::vector<bool>{false, false}));
    engine.Job.SystemFileSkip = 0;
    window.SystemBoxStates.clear();
    engine.RunJob();
    EXPECT_EQ(window.SystemBoxStates, (std::vector<bool>{false, true}));
}

TEST(PumpMessages, LeavesAQuitRequestForTheLoopThatOwnsIt) {
    PostQuitMessage(7);
    PumpMessages();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}
