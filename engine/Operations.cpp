// The changes made to one accepted entry: its plan, and the report of what was done.
#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "engine/LogPalette.h"
#include "engine/ShiftJis.h"
#include "engine/Switches.h"

namespace {

DWORD AttributesAfter(DWORD word, DWORD mask, int mode) { return mode == 0 ? word | mask : word & ~mask; }

bool IsZero(const FILETIME& time) { return time.dwLowDateTime == 0 && time.dwHighDateTime == 0; }

}  // namespace

int JobEngine::ApplyOperations(const EntryPath& path, WIN32_FIND_DATAW& record) {
    ShowStatus(CString("○ 処理中... ") + ShownText(record.cFileName));
    const EntryPlan plan = PlanChange(record);
    const EntryOutcome outcome = CarryOut(path.Real, record, plan);
    return ReportChange(path, record, plan, outcome, CurrentLineOptions());
}

EntryPlan JobEngine::PlanChange(const WIN32_FIND_DATAW& record) {
    EntryPlan plan;
    if (IsOn(Job.TimeStanpFlg) && TimeStampAvailable()) {
        plan.NewTime = NewTimeStamp();
        plan.Time = IsZero(plan.NewTime) ? EntryPlan::TimeStep::NoFileTime : EntryPlan::TimeStep::Write;
    }
    const AttributeCondition& change = Job.SetAttributes;
    if (change.AttribFlg != 0) {
        plan.AttributeStep = true;
        plan.Attributes = AttributesAfter(record.dwFileAttributes, change.AttribFlg, change.AttribJokn);
    }
    return plan;
}

bool JobEngine::TimeStampAvailable() const {
    const TimeStampSetting& setting = Job.SetTimeStanp;
    return setting.TimeStanpJokn == 0 || (setting.TimeStanpJokn == 1 && !setting.TimeStanpVal.IsEmpty());
}

FILETIME JobEngine::NewTimeStamp() {
    if (Job.SetTimeStanp.TimeStanpJokn != 0) {
        // The text is the same for every entry of a run; it is parsed when it changes.
        if (m_parsedStamp.Text != Job.SetTimeStanp.TimeStanpVal) {
            m_parsedStamp = {Job.SetTimeStanp.TimeStanpVal, TextToFileTime(Job.SetTimeStanp.TimeStanpVal, DT_DATE | DT_TIME)};
        }
        return m_parsedStamp.Time;
    }
    if (IsOn(Job.SystemClockReadMode)) Run.ClockValue = CTime::GetCurrentTime();
    return ClockToFileTime(Run.ClockValue, DT_DATE | DT_TIME);
}

EntryLineOptions JobEngine::CurrentLineOptions() const {
    return {IsOn(Job.ExecDispFname), IsOn(Job.ExecDispNopFname), IsOn(Job.ExecDispSubDir)};
}

int JobEngine::ReportChange(const EntryPath& path, WIN32_FIND_DATAW& record, const EntryPlan& plan,
                            const EntryOutcome& outcome, const EntryLineOptions& options) {
    TakeOutcome(record, plan, outcome);
    const CString name = EntryName(path, record, options.BareNames);
    auto fail = [&](const char* format) {
        CString line;
        line.Format(format, static_cast<const char*>(name));
        WriteLine(line, LogColor::Red, true);
    };
    if (outcome.OpenFailed) fail("  Failed : Change TimeStanp(file open failed) %s");
    if (outcome.TimeFailed) fail("  Failed : Change TimeStanp %s");
    if (outcome.AttributesFailed) fail("  Failed : Change Attributes %s");

    const bool changed = outcome.Changed();
    const bool showLine = (!outcome.Failed() || changed) && options.EntryLines && (changed || options.UnchangedLines);
    if (showLine) {
        if (changed) {
            WriteLine(FormatEntryLine(path, record, STATUS_DONE, options.BareNames), LogColor::Navy, false);
        } else {
            WriteLine(FormatEntryLine(path, record, STATUS_NOP, options.BareNames), LogColor::Olive, false);
        }
    }
    return changed ? 1 : 0;
}
