// The change of one accepted entry in three steps: its plan (what the entry is to become, worked
// out without touching the disk), carrying it out (the file system alone, on any thread), and the
// outcome that the report turns into log lines.
#pragma once

#include <windows.h>

#include <string>

struct EntryPlan {
    enum class TimeStep {
        None,        // the job sets no time stamp
        Write,       // NewTime is written as the last-write time
        NoFileTime,  // the stamp has no file time: the step fails without opening the entry
    };
    TimeStep Time = TimeStep::None;
    FILETIME NewTime{};
    bool AttributeStep = false;  // the job changes attributes; the step may find nothing to do
    DWORD Attributes = 0;        // the word the attribute step asks for
};

// What the file system did with a plan.
struct EntryOutcome {
    bool TimeChanged = false;
    bool AttributesChanged = false;
    bool OpenFailed = false;  // the entry could not be opened for its time stamp
    bool TimeFailed = false;
    bool AttributesFailed = false;

    bool Changed() const { return TimeChanged || AttributesChanged; }
    bool Failed() const { return OpenFailed || TimeFailed || AttributesFailed; }
};

// Which lines the report of an entry writes: the display options as they stood when the entry
// was planned.
struct EntryLineOptions {
    bool EntryLines;      // "done" and " nop" lines at all
    bool UnchangedLines;  // " nop" lines too
    bool BareNames;       // the bare name instead of the full path
};

// Only a time stamp to write or attributes that differ from the listed ones need the file system.
bool NeedsFileSystem(const EntryPlan& plan, const WIN32_FIND_DATAW& record);

// Carries the plan out on the entry's real path: one open for the time stamp, which writes the
// attributes along when they change; without a time stamp the attributes alone. Touches nothing
// but the file system, so it may run on any thread.
EntryOutcome CarryOut(const std::wstring& path, const WIN32_FIND_DATAW& record, const EntryPlan& plan);

// The listing record as the plan leaves the entry when every step succeeds: what a run's journal
// records as the change and what a preview shows.
WIN32_FIND_DATAW PlannedState(const WIN32_FIND_DATAW& record, const EntryPlan& plan);

// The listing record as the change left the entry.
void TakeOutcome(WIN32_FIND_DATAW& record, const EntryPlan& plan, const EntryOutcome& outcome);

// Opens an entry for its time stamp and attributes. The slow-share benchmark and the tests put a
// delay in front of it, to stand for a slow share without slowing the real opens.
extern HANDLE (*OpenEntryForChange)(const wchar_t* path, bool directory);
