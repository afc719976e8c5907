// The Execute and Preview commands from their checks to the summary, and the window's state
// around a run.
#include "engine/JobEngine.h"
#include "engine/LogPalette.h"
#include "engine/MessagePump.h"
#include "engine/ShiftJis.h"
#include "engine/Switches.h"
#include "engine/TokenList.h"
#include "framework/Seams.h"

namespace {

// The lines that tell a run from a preview.
struct RunWords {
    const char* Start;
    const char* PathCount;  // the count, then the search path
    const char* Aborted;
    const char* Total;
    const char* End;
};

const RunWords kRunWords = {
    "* * * * * * * * * * 処理開始 * * * * * * * * * *", "処理  数 : %d 件 (%s)\r\n", "\r\n※ 処理は中止されました。\r\n",
    "処理総数 : %d 件\r\n", "* * * * * * * * * * 処理終了 * * * * * * * * * *",
};
const RunWords kPreviewWords = {
    "* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ開始 * * * * * * * * * *", "変更予定数 : %d 件 (%s)\r\n",
    "\r\n※ ﾌﾟﾚﾋﾞｭｰは中止されました。\r\n", "変更予定総数 : %d 件\r\n",
    "* * * * * * * * * * ﾌﾟﾚﾋﾞｭｰ終了 * * * * * * * * * *",
};

const RunWords& WordsOf(bool preview) { return preview ? kPreviewWords : kRunWords; }

}  // namespace

void JobEngine::RunJob() { RunWalk(false); }

void JobEngine::PreviewJob() { RunWalk(true); }

void JobEngine::RunWalk(bool preview) {
    if (Run.Busy != 0) return;  // a second command queued behind the first one
    if (!ExchangeJobData(0, 1, 0)) {
        Run.Outcome = RunOutcome::Refused;
        return;
    }
    SetRunState(0);
    AppendLog("", LogColor::Black);
    m_journalFailed = false;
    if (!JobIsComplete() || (!preview && !OpenJournal())) {
        RefuseRun();
        return;
    }
    if (IsOn(Job.TimeStanpFlg) && Job.SetTimeStanp.TimeStanpJokn == 0) Run.ClockValue = CTime::GetCurrentTime();
    m_parsedStamp = ParsedStamp{};  // a stamp without a date means today's date, read anew each run
    Run.Failures = 0;
    m_pathChanged = 0;
    m_totalChanged = 0;
    m_previewing = preview;
    const RunWords& words = WordsOf(preview);
    const std::vector<CString> items = SearchPathItems(Job.SearchPath);
    // Within one search path no entry is listed twice.
    m_keepPlannedStates = preview && items.size() > 1;

    AppendLog(words.Start, LogColor::Blue);
    if (!preview) StartSequence();  // a preview has no disk work to hand out
    // A pattern that is no Shift-JIS text matches nothing: the finder leaves it out.
    std::wstring patterns;
    if (!ToUtf16(Job.SearchFile, patterns)) ReportFailure("  Failed : File Name %s", Job.SearchFile);
    for (const CString& item : items) {
        PumpMessages();
        if (Run.AbortRequested != 0) break;
        WalkSearchPath(item);
    }
    if (!preview) FinishSequence();
    m_journal.Close();
    if (m_journalFailed) {
        ReportFailure("*** ｼﾞｬｰﾅﾙに書き込めないため、処理を中止しました。( %s )", ShownPath(m_journal.Path()));
    }
    m_plannedStates.clear();
    m_previewing = false;
    const bool aborted = Run.AbortRequested != 0;
    if (aborted) AppendLog(words.Aborted, LogColor::Magenta);
    AppendLog("------------------------------------------------", LogColor::Black);
    CString summary;
    summary.Format(words.Total, static_cast<int>(m_totalChanged));
    AppendLog(summary, LogColor::Green);
    AppendLog(words.End, LogColor::Blue);
    SetRunState(1);
    if (aborted) {
        Run.Outcome = RunOutcome::Aborted;
    } else {
        Run.Outcome = Run.Failures != 0 ? RunOutcome::EntriesFailed : RunOutcome::Completed;
    }
}

void JobEngine::RefuseRun() {
    seams::PlayBeep(MB_ICONASTERISK);
    SetRunState(1);
    Run.Outcome = RunOutcome::Refused;
}

bool JobEngine::OpenJournal() {
    CString reason;
    if (m_journal.Open(Journals, JournalKind::Run, reason)) return true;
    AppendLog("*** " + reason, LogColor::Red);
    return false;
}

bool JobEngine::JournalChange(const EntryPath& path, const WIN32_FIND_DATAW& record, const EntryPlan& plan) {
    const WIN32_FIND_DATAW after = PlannedState(record, plan);
    if (m_journal.Append(RecordBeforeChange(path.Real, record, after.dwFileAttributes, after.ftLastWriteTime))) {
        return true;
    }
    // A change without its record could not be taken back: nothing more is changed. The entries
    // handed out before are recorded; those no worker has started are taken back, as by Abort.
    m_journalFailed = true;
    Run.AbortRequested = 1;
    return false;
}

void JobEngine::WalkSearchPath(const CString& item) {
    CString line;
    line.Format("処理対象 : %s (%s)", static_cast<const char*>(item), static_cast<const char*>(Job.SearchFile));
    AppendLog(line, LogColor::Green);
    EntryPath root;
    if (SearchRoot(item, root)) {
        WalkDirectory(root);
    } else {
        // Any other walk, such as one of a look-alike, would change files nobody named.
        ReportFailure("  Failed : Search Path %s", item);
    }
    // The count needs every entry of the path reported; the next path then starts afresh, as
    // an abort seen from here on leaves this path whole.
    if (m_sequence != nullptr) DrainSequence();
    line.Format(WordsOf(m_previewing).PathCount, static_cast<int>(m_pathChanged), static_cast<const char*>(item));
    AppendLog(line, LogColor::Green);
    m_totalChanged += m_pathChanged;
    m_pathChanged = 0;
}

void JobEngine::ReportFailure(const char* format, const char* name) {
    CString line;
    line.Format(format, name);
    Log(line, LogColor::Red, true);
}

std::vector<CString> SearchPathItems(const CString& text) {
    const TokenList tokens(text, ';', 1);
    std::vector<CString> items;
    for (int i = 0; i < tokens.GetCount(); ++i) {
        CString item = tokens.Item(i, 1);
        // Quotes followed by a blank are still quotes: no name holds a double quote.
        if (item.GetLength() >= 2 && item[0] == '"' && item[item.GetLength() - 1] == '"') {
            item = item.Mid(1, item.GetLength() - 2);
            item.Trim();
        }
        if (!item.IsEmpty()) items.push_back(item);
    }
    return items;
}

void JobEngine::SetRunState(int ready) {
    Run.Busy = ready == 0 ? 1 : 0;
    Run.AbortRequested = 0;
    const bool busy = Run.Busy != 0;
    m_window.ApplyRunState(busy, !busy && !IsOn(Job.SystemFileSkip));
    if (!busy) m_window.UpdateDependentControls();
    ShowStatus("");
}

void JobEngine::SyncOptionMenus() {
    OptionMarks marks{};
    marks.ExecDispSubDir = IsOn(Job.ExecDispSubDir);
    marks.ExecDispFname = IsOn(Job.ExecDispFname);
    marks.ExecDispNopFname = IsOn(Job.ExecDispNopFname);
    marks.ExecDispSkipped = IsOn(Job.ExecDispSkipped);
    marks.SortFile = IsOn(Job.SortFile);
    marks.SystemFileSkip = IsOn(Job.SystemFileSkip);
    marks.SystemClockReadMode = IsOn(Job.SystemClockReadMode);
    marks.EntryDetailItemsEnabled = marks.ExecDispFname;
    marks.SystemBoxesEnabled = !marks.SystemFileSkip;
    m_window.ShowOptionMarks(marks);
}

void JobEngine::AppendLog(const char* text, COLORREF color) { Log(text, color, false); }

void JobEngine::ShowStatus(const char* progress) {
    const bool perEntryLines = IsOn(Job.ExecDispFname);
    const char* const texts[kStatusPaneCount] = {
        Run.Busy != 0 ? "Buzy" : "ﾚﾃﾞｨ",
        progress,
        IsOn(Job.ExecDispSubDir) ? "D" : "",
        perEntryLines ? "F" : "",
        perEntryLines && IsOn(Job.ExecDispSkipped) ? "N" : "",
        perEntryLines && IsOn(Job.ExecDispNopFname) ? "O" : "",
        IsOn(Job.SystemClockReadMode) ? "C" : "",
        IsOn(Job.SystemFileSkip) ? "P" : "",
        IsOn(Job.SortFile) ? "S" : "",
    };
    m_window.ShowStatusTexts(texts);
}
