// Transfer between record and controls, the order checks and the pre-run checks.
#include "EngineFixture.h"

namespace {

using Strings = std::vector<std::string>;

const char* const kDatesReversed = "Warning : 最古最新日付の大小関係が逆になっています。";
const char* const kSizesReversed = "Warning : 最小最大ｻｲｽﾞの大小関係が逆になっています。";

using JobChecks = EngineTest;

}  // namespace

// An empty date means today; the order checks need both switches and warn only when asked.
TEST_F(JobChecks, ReversedBoundsWarnInRedWithABeepAndFail) {
    const struct {
        int dateEndFlag;
        const char *start, *end;
        DWORD smallest, largest;
        int warn, transferOnly, passed;
        Strings lines;
    } cases[] = {
        {1, "2001/05/06", "2001/05/06", 100, 100, 1, 0, 1, {}},
        {1, "2001/05/07", "2001/05/06", 100, 99, 1, 0, 0, {kDatesReversed, kSizesReversed}},
        {0, "2001/05/07", "2001/05/06", 100, 100, 1, 0, 1, {}},
        {1, "2001/05/07", "2001/05/06", 100, 99, 0, 0, 1, {}},
        {1, "2001/05/07", "2001/05/06", 100, 99, 1, 1, 1, {}},
        {1, "", "2001/05/06", 100, 100, 1, 0, 0, {kDatesReversed}},
        {1, "", "", 4000000000u, 5, 1, 0, 0, {kSizesReversed}},  // all 32 bits of a size
    };
    window.Controls.SearchPath = "C:\\typed";
    for (const auto& c : cases) {
        window.Controls.DateStartFlg = window.Controls.SizeStartFlg = window.Controls.SizeEndFlg = 1;
        window.Controls.DateEndFlg = c.dateEndFlag;
        window.Controls.DateRange = {c.start, c.end};
        window.Controls.SizeRange = {c.smallest, c.largest};
        const size_t beepsBefore = Beeps().size();
        const int refreshesBefore = window.Refreshes;
        window.Log.clear();
        EXPECT_EQ(engine.ExchangeJobData(0, c.warn, c.transferOnly), c.passed) << c.start << " " << c.smallest;
        EXPECT_EQ(window.Texts(), c.lines) << c.start << " " << c.smallest;
        EXPECT_EQ(Beeps().size() - beepsBefore, c.lines.size());
        EXPECT_EQ(window.Refreshes - refreshesBefore, 1 - c.passed);  // a failed check shows the record again
    }
    EXPECT_EQ(engine.Job.SearchPath, "C:\\typed");  // the transfer comes before the checks
    EXPECT_EQ(engine.Job.SizeRange.Start, 4000000000u);
}

// A refused run leaves no outcome of an earlier one for an unattended run's exit code.
TEST_F(JobChecks, AFailedExchangeStopsAtOnceWithoutMessage) {
    window.ExchangeFails = true;
    EXPECT_EQ(engine.ExchangeJobData(0, 1, 0), 0);
    engine.Run.Outcome = RunOutcome::Completed;
    engine.RunJob();
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused);
    EXPECT_TRUE(window.BusyStates.empty());
    EXPECT_EQ(window.LogClears, 0);
    EXPECT_TRUE(Beeps().empty());
}

// A time stamp without a value is missing only without attributes to set.
TEST_F(JobChecks, PreRunChecksListEveryMissingPartWithOneBeep) {
    engine.RunJob();
    EXPECT_EQ(window.Texts(), (Strings{"*** 検索ﾊﾟｽを指定してください。", "*** 対象ﾌｧｲﾙ名を指定してください。",
                                       "*** 操作を指定してください。"}));
    EXPECT_EQ(window.Log[0].Color, LogColor::Red);
    EXPECT_EQ(Beeps().size(), 1u);
    EXPECT_EQ(window.BusyStates, (std::vector<bool>{true, false}));

    window.Controls.SearchPath = tree.Root();
    window.Controls.SearchFile = "*.none";
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, ""};
    engine.RunJob();
    EXPECT_EQ(window.Texts(), Strings{"*** 設定するﾀｲﾑｽﾀﾝﾌﾟを指定してください。"});
    window.Controls.SetAttributes.AttribFlg = FILE_ATTRIBUTE_HIDDEN;
    engine.RunJob();
    EXPECT_EQ(window.Log.at(0).Text, kRunStart);
}
