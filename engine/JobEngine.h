// A run of the job: checks, the walk over every search path, the filter, the changes to
// each entry, and the log lines and status texts that report them.
#pragma once

#include "engine/EntryChange.h"
#include "engine/EntryPath.h"
#include "engine/JobSettings.h"
#include "engine/JobWindow.h"
#include "engine/Journal.h"
#include "framework/CString.h"
#include "framework/CTime.h"

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

class RunSequence;
struct HeldItem;

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
    // Of the last run: its worker threads, and the most entries and log items it held at once.
    int Workers = 0;
    size_t MostEntriesInFlight = 0;
    size_t MostHeldItems = 0;
};

// How much a run holds at most: entries handed out and not yet reported, and items (lines,
// entries and counts) waiting behind an entry that is not done. When either is reached, the walk
// waits, dispatching messages, for the oldest entry.
struct RunLimits {
    size_t EntriesInFlight = 256;
    size_t HeldItems = 4096;
};

// Status words of the per-entry line, all four characters wide. A preview shows an entry it
// would change twice: as it is now, and as it will be.
enum EntryStatus { STATUS_DONE = 0, STATUS_SKIP = 1, STATUS_NOP = 2, STATUS_NOW = 3, STATUS_WILL = 4 };

class JobEngine {
public:
    explicit JobEngine(JobWindow& window);
    ~JobEngine();
    JobEngine(const JobEngine&) = delete;
    JobEngine& operator=(const JobEngine&) = delete;

    JobSettings Job;
    RunState Run;
    JournalPlace Journals;  // where runs and undos keep their journals
    RunLimits Limits;

    // direction 0: controls to record, 1: record to controls; warn 1: the order checks may warn and fail.
    int ExchangeJobData(int direction, int warn, int transferOnly);
    void ResetJob();

    void RunJob();
    // The Preview command: the checks, walk and filter of a run, and a log of what the run would
    // change. Nothing on disk changes and no journal is written.
    void PreviewJob();
    void Abort() { Run.AbortRequested = 1; }
    void SetRunState(int ready);
    void SyncOptionMenus();

    void AppendLog(const char* text, COLORREF color);
    void ShowStatus(const char* progress = nullptr);
    CString FormatEntryLine(const EntryPath& path, const WIN32_FIND_DATAW& record, int status) const;

    void WalkDirectory(const EntryPath& directory);
    int FilterEntry(const EntryPath& path, const WIN32_FIND_DATAW& record);
    // The change of one accepted entry, made at once on its real UTF-16 path and reported.
    // Returns 1 when something changed.
    int ApplyOperations(const EntryPath& path, WIN32_FIND_DATAW& record);
    // What the change of the entry would write, as the job stands now; touches no disk. With the
    // system clock read for every entry, the clock is read here.
    EntryPlan PlanChange(const WIN32_FIND_DATAW& record);

private:
    // Execute or, with preview, the Preview command.
    void RunWalk(bool preview);
    bool DatesInOrder();
    bool SizesInOrder();
    bool JobIsComplete();
    void WarnOrderReversed(const char* text);
    void WalkSearchPath(const CString& item);
    void SortWithStatus(struct EntryList& list);
    void VisitSubdirectory(const EntryPath& directory, const WIN32_FIND_DATAW& record);
    bool TimeStampAvailable() const;
    FILETIME NewTimeStamp();
    EntryLineOptions CurrentLineOptions() const;
    // Failure lines, then the "done" or " nop" line; updates the record. Returns 1 when
    // something changed.
    int ReportChange(const EntryPath& path, WIN32_FIND_DATAW& record, const EntryPlan& plan,
                     const EntryOutcome& outcome, const EntryLineOptions& options);
    CString FormatEntryLine(const EntryPath& path, const WIN32_FIND_DATAW& record, int status, bool bareNames) const;
    // The bare name with per-directory lines, the full path without them; both as shown.
    static CString EntryName(const EntryPath& path, const WIN32_FIND_DATAW& record, bool bareNames);

    // Every failure line of a run goes through here; the run's outcome counts them.
    void ReportFailure(const char* format, const char* name);
    // Lines of a run go into its sequence; outside a run, and from the head of the sequence,
    // they are written at once.
    void Log(const char* text, COLORREF color, bool failure);
    void WriteLine(const char* text, COLORREF color, bool failure);

    // The run's sequence of lines and entries handed to workers (OrderedRun.cpp).
    void StartSequence();
    // Waits until every entry handed out is reported; after it the sequence holds nothing.
    void DrainSequence();
    void FinishSequence();
    // Plans the entry and hands it to a worker, its place held in the sequence.
    void HandOut(const EntryPath& path, const WIN32_FIND_DATAW& record);
    // Waits until an entry may be handed out, or an abort is requested.
    void MakeRoomForEntry();
    void MakeRoomForItem();
    // Waits, dispatching messages, for the entry that many entries behind the first one held,
    // then writes what is ready.
    void WaitForEntry(size_t behind);
    void WriteReadyItems();
    void WriteHeld(HeldItem& item);

    // The run's journal, on disk before anything changes. False, with the reason in the log, when
    // it cannot be written: the run must not start.
    bool OpenJournal();
    // The entry's record, appended before its change is handed out. False when it could not be
    // written: the entry stays as it is, and the run stops as an abort stops it.
    bool JournalChange(const EntryPath& path, const WIN32_FIND_DATAW& record, const EntryPlan& plan);
    void RefuseRun();

    // Logs what the run would do to an accepted entry (Preview.cpp).
    void PreviewEntry(const EntryPath& path, const WIN32_FIND_DATAW& record);
    // Gives the listed entries that an earlier search path of the preview would change the state
    // that change leaves them in.
    void TakePlannedStates(const EntryPath& directory, struct EntryList& list) const;

    JobWindow& m_window;
    std::unique_ptr<RunSequence> m_sequence;
    JournalWriter m_journal;  // of the run under way; records are appended on this thread alone
    bool m_journalFailed = false;
    bool m_previewing = false;
    // Of a preview over more than one search path, by real path: what each entry it would change
    // is left with, so that a later path that lists the entry again sees it as the run would.
    struct StateLeft {
        DWORD Attributes;
        FILETIME LastWrite;
    };
    struct NoCaseLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    bool m_keepPlannedStates = false;
    std::map<std::wstring, StateLeft, NoCaseLess> m_plannedStates;
    // After an abort took entries back, what lies behind the first of them belongs to entries
    // the run never reached; the search path's count still follows.
    bool m_discarding = false;
    unsigned m_pathChanged = 0;   // entries reported changed in the current search path
    unsigned m_totalChanged = 0;
    struct ParsedStamp {
        CString Text;
        FILETIME Time;
    };
    ParsedStamp m_parsedStamp{};
};

// The non-empty items of a search-path text, trimmed and unquoted, in order. An empty item
// would name the working directory.
std::vector<CString> SearchPathItems(const CString& text);
