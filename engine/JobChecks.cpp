// Transfer of the job between record and controls, its order checks, reset and pre-run checks.
#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "engine/LogPalette.h"
#include "engine/Switches.h"
#include "framework/Seams.h"

int JobEngine::ExchangeJobData(int direction, int warn, int transferOnly) {
    if (direction == 0 && !m_window.TransferJob(Job, 0)) return 0;
    bool passed = true;
    if (transferOnly == 0 && warn == 1) {
        const bool datesPassed = DatesInOrder();  // both checks always run and warn
        const bool sizesPassed = SizesInOrder();
        passed = datesPassed && sizesPassed;
    }
    // Direction 1 refreshes the controls; a failed check shows the record's values again.
    if (direction != 0 || !passed) m_window.TransferJob(Job, 1);
    return direction != 0 || passed ? 1 : 0;
}

bool JobEngine::DatesInOrder() {
    if (!IsOn(Job.DateStartFlg) || !IsOn(Job.DateEndFlg)) return true;
    const FILETIME oldest = TextToFileTime(Job.DateRange.Start, DT_DATE);
    const FILETIME newest = TextToFileTime(Job.DateRange.End, DT_DATE);
    if (CompareFileTime(&oldest, &newest) <= 0) return true;
    WarnOrderReversed("Warning : 最古最新日付の大小関係が逆になっています。");
    return false;
}

bool JobEngine::SizesInOrder() {
    if (!IsOn(Job.SizeStartFlg) || !IsOn(Job.SizeEndFlg)) return true;
    if (Job.SizeRange.Start <= Job.SizeRange.End) return true;
    WarnOrderReversed("Warning : 最小最大ｻｲｽﾞの大小関係が逆になっています。");
    return false;
}

void JobEngine::WarnOrderReversed(const char* text) {
    seams::PlayBeep(MB_ICONASTERISK);
    AppendLog(text, LogColor::Red);
}

void JobEngine::ResetJob() {
    Job.SearchAttributes.AttribJokn = 0;
    Job.SetAttributes.AttribJokn = 1;
    Job.DateRange.End.Empty();
    Job.DateRange.Start.Empty();
    Job.SearchFile.Empty();
    Job.SearchPath.Empty();
    Job.SetTimeStanp.TimeStanpVal.Empty();
    Job.SetTimeStanp.TimeStanpJokn = 1;
    Job.SizeRange.Start = 0;
    Job.SizeRange.End = 0;
    Job.Recursive = 0;
    ExchangeJobData(1, 0, 1);
    m_window.UntickJobCheckBoxes();
    AppendLog("", LogColor::Black);
    m_window.UpdateDependentControls();
}

bool JobEngine::JobIsComplete() {
    bool complete = true;
    auto require = [&](bool given, const char* message) {
        if (given) return;
        AppendLog(message, LogColor::Red);
        complete = false;
    };
    const bool attributesChosen = Job.SetAttributes.AttribFlg != 0;
    require(!SearchPathItems(Job.SearchPath).empty(), "*** 検索ﾊﾟｽを指定してください。");
    require(!Job.SearchFile.IsEmpty(), "*** 対象ﾌｧｲﾙ名を指定してください。");
    require(attributesChosen || IsOn(Job.TimeStanpFlg), "*** 操作を指定してください。");
    require(attributesChosen || !IsOn(Job.TimeStanpFlg) || Job.SetTimeStanp.TimeStanpJokn != 1 ||
                !Job.SetTimeStanp.TimeStanpVal.IsEmpty(),
            "*** 設定するﾀｲﾑｽﾀﾝﾌﾟを指定してください。");
    return complete;
}
