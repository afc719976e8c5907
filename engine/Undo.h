// Taking a run back: every entry of a journal returns to the state recorded before the run
// changed it, unless it has changed since. Runs the window's run state like a run, so that the
// job's commands wait and Abort works.
#pragma once

#include "engine/JobEngine.h"
#include "engine/Journal.h"

#include <string>

class JournalUndo {
public:
    explicit JournalUndo(JobEngine& engine) : m_engine(engine) {}

    // Undoes the newest journal of the engine's journal folder.
    void UndoLastRun();
    // Reads the journal whole before anything changes: one that cannot be read or is damaged is
    // refused. Writes a journal of its own first, so that the undo can be undone in turn; refused
    // when that one cannot be written. The outcome goes to the engine's run state.
    void UndoJournal(const std::wstring& file);

private:
    struct Counts {
        int Restored = 0;
        int Left = 0;  // changed since the run
    };

    bool Prepare(const std::wstring& file, Journal& journal, JournalWriter& own, CString& reason);
    void Refuse(const CString& reason);
    void ShowTarget(const std::wstring& file, const Journal& journal);
    // False when the undo must stop: its own journal could not take the entry's record.
    bool RestoreEntry(const JournalRecord& record, JournalWriter& own, Counts& counts);
    void ReportFailure(const char* format, const CString& name);
    void ShowSummary(const Counts& counts, bool aborted);

    JobEngine& m_engine;
};
