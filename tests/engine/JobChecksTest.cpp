// Transfer between record and controls, the order checks, the reset and the pre-run checks.
#include "EngineFixture.h"

#include "engine/LogPalette.h"

namespace {

const char* const kDatesReversed = "Warning : 最古最新日付の大小関係が逆になっています。";
const char* const kSizesReversed = "Warning : 最小最大ｻｲｽﾞの大小関係が逆になっています。";

class JobChecks : public EngineTest {
protected:
    void Dates(int startFlag, const char* start, int endFlag, const char* end) {
        window.Controls.DateStartFlg = startFlag;
        window.Controls.DateRange.Start = start;
        window.Controls.DateEndFlg = endFlag;
        window.Controls.DateRange.End = end;
    }
    void Sizes(DWORD start, DWORD end) {
        window.Controls.SizeStartFlg = 1;
        window.Controls.SizeRange.Start = start;
        window.Controls.SizeEndFlg = 1;
        window.Controls.SizeRange.End = end;
    }
};

}  // namespace

TEST_F(JobChecks, EqualBoundsPassAndReversedOnesWarnInRedWithABeep) {
    Dates(1, "2001/05/06", 1, "2001/05/06");
    Sizes(100, 100);
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 1);
    EXPECT_TRUE(window.Log.empty());

    Dates(1, "2001/05/07", 1, "2001/05/06");
    Sizes(100, 99);
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 0);
    ASSERT_EQ(window.Log.size(), 2u);
    EXPECT_EQ(window.Log[0].Text, kDatesReversed);
    EXPECT_EQ(window.Log[1].Text, kSizesReversed);
    EXPECT_EQ(window.Log[0].Color, LogColor::Red);
    EXPECT_EQ(beeps.Beeps(), (std::vector<UINT>{MB_ICONASTERISK, MB_ICONASTERISK}));
}

TEST_F(JobChecks, ChecksNeedBothSwitchesAndWarnOnlyWhenAsked) {  // an empty date means today
    Dates(1, "2001/05/07", 0, "2001/05/06");
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 1);
    Dates(1, "2001/05/07", 1, "2001/05/06");
    EXPECT_EQ(engine.ExchangeJobData(0, 0, 0), 1);
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 1), 1);
    EXPECT_TRUE(window.Log.empty());
    Dates(1, "", 1, "2001/05/06");
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 0);
}

TEST_F(JobChecks, FullThirtyTwoBitSizesAndAFailedCheckRefreshesTheControls) {
    window.Controls.SizeRange.Start = 70000;
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 1);
    EXPECT_EQ(engine.Job.SizeRange.Start, 70000u);

    Sizes(4000000000u, 5);
    window.Controls.SearchPath = "C:\\typed";
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 0);
    EXPECT_EQ(engine.Job.SearchPath, "C:\\typed");  // the transfer happened before the check
    EXPECT_EQ(engine.Job.SizeRange.Start, 4000000000u);
}

TEST_F(JobChecks, AFailedExchangeStopsAtOnceWithoutMessage) {
    window.ExchangeFails = true;
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 0);
    engine.RunJob();
    EXPECT_TRUE(window.BusyStates.empty());
    EXPECT_EQ(window.LogClears, 0);
    EXPECT_TRUE(beeps.Beeps().empty());
}

TEST_F(JobChecks, ResetClearsTheJobButKeepsOptionsAndHistories) {
    engine.Job.SearchPath = "C:\\x";
    engine.Job.SearchPathList = {"C:\\x"};
    engine.Job.SearchAttributes.AttribJokn = 1;
    engine.Job.SetAttributes.AttribJokn = 0;
    engine.Job.SetTimeStanp = {0, "2001/01/01 00:00:00"};
    engine.Job.SizeRange = {5, 6};
    engine.Job.Recursive = 1;
    engine.Job.SortFile = 1;
    engine.Job.ExecDispSubDir = 1;
    window.Log.push_back({"old", 0});

    engine.ResetJob();

    const JobSettings& job = engine.Job;
    EXPECT_EQ(job.SearchPath, "");
    EXPECT_EQ(job.SearchAttributes.AttribJokn, 0);
    EXPECT_EQ(job.SetAttributes.AttribJokn, 1);
    EXPECT_EQ(job.SetTimeStanp.TimeStanpJokn, 1);
    EXPECT_EQ(job.SetTimeStanp.TimeStanpVal, "");
    EXPECT_EQ(job.SizeRange.Start, 0u);
    EXPECT_EQ(job.Recursive, 0);
    EXPECT_EQ(job.SearchPathList.size(), 1u);
    EXPECT_EQ(job.SortFile, 1);
    EXPECT_EQ(job.ExecDispSubDir, 1);
    EXPECT_EQ(window.Controls.SearchPath, "");  // handed to the controls
    EXPECT_EQ(window.Unticks, 1);
    EXPECT_EQ(window.DependentUpdates, 1);
    EXPECT_TRUE(window.Log.empty());
}

TEST_F(JobChecks, PreRunChecksListEveryMissingPartWithOneBeep) {
    engine.RunJob();
    EXPECT_EQ(window.Texts(), (std::vector<std::string>{"*** 検索ﾊﾟｽを指定してください。",
                                                         "*** 対象ﾌｧｲﾙ名を指定してください。",
                                                         "*** 操作を指定してください。"}));
    EXPECT_EQ(window.Log[0].Color, LogColor::Red);
    EXPECT_EQ(beeps.Beeps().size(), 1u);
    EXPECT_EQ(window.BusyStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(engine.Run.Busy, 0);
    EXPECT_EQ(window.Status[0], "ﾚﾃﾞｨ");
}

TEST_F(JobChecks, TimeStampWithoutValueIsMissingOnlyWithoutAttributes) {
    window.Controls.SearchPath = tree.Root();
    window.Controls.SearchFile = "*.none";
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, ""};
    engine.RunJob();
    EXPECT_EQ(window.Texts(), std::vector<std::string>{"*** 設定するﾀｲﾑｽﾀﾝﾌﾟを指定してください。"});

    window.Controls.SetAttributes.AttribFlg = FILE_ATTRIBUTE_HIDDEN;
    engine.RunJob();
    EXPECT_TRUE(window.LinesWith("***").empty());
    EXPECT_FALSE(window.LinesWith("処理開始").empty());
}
