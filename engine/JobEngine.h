// A run of the job: checks, the walk over every search path, the filter, the changes to
// each entry, and the log lines and status texts that report them.
#pragma once

#include "engine/EntryPath.h"
#include "engine/JobSettings.h"
#include "engine/JobWindow.h"
#include "engine/Journal.h"
#include "framework/CString.h"
#include "framework/CTime.h"

#include <windows.h>

#include <vector>

// How the last Execute ended; an unattended run reports it as the process's exit code.
enum class RunOutcome {
    None,           // no run yet
    Completed,      // without a failure line
    EntriesFailed,  // completed, with failure lines
    Refused,        // the checks stopped it before it began
    Aborted,
};

struct RunState {
    int Busy = 0;            // 1 from the start of a run until its end
    int AbortRequested = 0;  // set by the Abort command, cleared at both ends of a run
    CTime ClockValue;        // the system clock for the time-stamp operation
    int Failures = 0;        // failure lines of the current or last run
    RunOutcome Outcome = RunOutcome::None;
};

// Status words of the per-entry line, all four characters wide.
enum EntryStatus { STATUS_DONE = 0, STATUS_SKIP = 1, STATUS_NOP = 2 };

class JobEngine {
public:
    explicit JobEngine(JobWindow& window) : m_window(window) {}

    JobSettings Job;
    RunState Run;
    JournalPlace Journals;  // where runs and undos keep their journals

    // direction 0: controls to record, 1: record to controls; warn 1: the order checks may warn and fail.
    int ExchangeJobData(int direction, int warn, int transferOnly);
    void ResetJob();

    void RunJob();
    void Abort() { Run.AbortRequested = 1; }
    void SetRunState(int ready);
    void SyncOptionMenus();

    void AppendLog(const char* text, COLORREF color);
    void ShowStatus(const char* progress = nullptr);
    CString FormatEntryLine(const EntryPath& path, const WIN32_FIND_DATAW& record, int status) const;

    unsigned WalkDirectory(const EntryPath& directory);
    int FilterEntry(const EntryPath& path, const WIN32_FIND_DATAW& record);
    // The change of one accepted entry, made on its real UTF-16 path.
    int ApplyOperations(const EntryPath& path, WIN32_FIND_DATAW& record);

private:
    bool DatesInOrder();
    bool SizesInOrder();
    bool JobIsComplete();
    void WarnOrderReversed(const char* text);
    unsigned WalkSearchPath(const CString& item);
    void SortWithStatus(struct EntryList& list);
    unsigned VisitSubdirectory(const EntryPath& directory, const WIN32_FIND_DATAW& record);
    bool TimeStampAvailable() const;
    // Returns how many of time stamp and attributes changed; the attributes are written along
    // with the time when they need changing. Failures are reported and counted.
    int ChangeTimeStamp(const EntryPath& path, WIN32_FIND_DATAW& record, bool& attributesPending, int& failures);
    int ChangeEntryAttributes(const EntryPath& path, WIN32_FIND_DATAW& record, int& failures);
    FILETIME NewTimeStamp();
    // Every failure line of a run goes through here; the run's outcome counts them.
    void ReportFailure(const char* format, const char* name);
    // The bare name with per-directory lines, the full path without them; both as shown.
    CString EntryName(const EntryPath& path, const WIN32_FIND_DATAW& record) const;

    JobWindow& m_window;
    struct ParsedStamp {
        CString Text;
        FILETIME Time;
    };
    ParsedStamp m_parsedStamp{};
};

// Sets (mode 0) or resets (any other mode) the mask's bits of the word on disk; the word takes
// the new value on success. Returns 1 on success, also when nothing needed to change.
int ChangeAttributes(const wchar_t* path, DWORD& word, DWORD mask, int mode);

// The non-empty items of a search-path text, trimmed and unquoted, in order. An empty item
// would name the working directory.
std::vector<CString> SearchPathItems(const CString& text);
