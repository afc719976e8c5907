// How a run hands its entries to the workers and still writes every line in walk order, as a
// run that changed one entry after the other would.
#include "engine/JobEngine.h"
#include "engine/LogPalette.h"
#include "engine/MessagePump.h"
#include "engine/RunSequence.h"
#include "engine/ShiftJis.h"

#include <utility>

namespace {

// A wait gives way to window messages at once; the slice only bounds a wait that nothing ends.
constexpr DWORD kWaitSliceMs = 100;

}  // namespace

JobEngine::JobEngine(JobWindow& window) : m_window(window) {}

JobEngine::~JobEngine() = default;

void JobEngine::Log(const char* text, COLORREF color, bool failure) {
    if (m_sequence == nullptr) {
        WriteLine(text, color, failure);
        return;
    }
    MakeRoomForItem();
    m_sequence->HoldLine(text, color, failure);
    WriteReadyItems();
}

void JobEngine::WriteLine(const char* text, COLORREF color, bool failure) {
    m_window.AppendLogLine(text, color);
    if (failure) ++Run.Failures;
}

void JobEngine::StartSequence() {
    m_sequence = std::make_unique<RunSequence>(WorkerCountFor(Job.Workers));
    m_discarding = false;
    Run.Workers = m_sequence->Workers();
}

void JobEngine::DrainSequence() {
    if (Run.AbortRequested != 0) m_sequence->Withdraw();
    WriteReadyItems();
    while (!m_sequence->Empty()) WaitForEntry(0);
    m_discarding = false;
}

void JobEngine::FinishSequence() {
    DrainSequence();
    Run.MostEntriesInFlight = m_sequence->MostEntriesInFlight();
    Run.MostHeldItems = m_sequence->MostItems();
    m_sequence.reset();
}

void JobEngine::HandOut(const EntryPath& path, const WIN32_FIND_DATAW& record) {
    MakeRoomForItem();
    if (Run.AbortRequested != 0) return;  // as if taken back with the entries before it
    ShowStatus(CString("○ 処理中... ") + ShownText(record.cFileName));
    auto entry = std::make_unique<HeldEntry>();
    entry->Job.Path = path;
    entry->Job.Record = record;
    entry->Job.Plan = PlanChange(record);
    // Entries that need no disk work change nothing and get no record.
    if (NeedsFileSystem(entry->Job.Plan, record) && !JournalChange(path, record, entry->Job.Plan)) return;
    entry->Options = CurrentLineOptions();
    m_sequence->HoldEntry(std::move(entry));
    WriteReadyItems();
}

void JobEngine::MakeRoomForEntry() {
    while (Run.AbortRequested == 0) {
        const size_t entries = m_sequence->EntriesInFlight();
        if (m_sequence->Items() >= Limits.HeldItems) {
            WaitForEntry(0);
        } else if (entries >= Limits.EntriesInFlight) {
            // Waking for every entry would cost about as much as changing it: the walk goes on
            // when half of the entries out are done.
            WaitForEntry(entries / 2);
        } else {
            return;
        }
    }
}

// A line cannot wait for later: also after an abort the head is waited for (entries not started
// by then are taken back, so that is no longer than the entries being changed take).
void JobEngine::MakeRoomForItem() {
    while (m_sequence->Items() >= Limits.HeldItems) WaitForEntry(0);
}

void JobEngine::WaitForEntry(size_t behind) {
    m_sequence->WaitForEntry(behind, kWaitSliceMs);
    PumpMessages();
    if (Run.AbortRequested != 0) m_sequence->Withdraw();
    WriteReadyItems();
}

void JobEngine::WriteReadyItems() {
    while (m_sequence->HeadReady()) {
        HeldItem item = m_sequence->TakeHead();
        WriteHeld(item);
    }
}

void JobEngine::WriteHeld(HeldItem& item) {
    if (item.Entry == nullptr) {
        if (!m_discarding) WriteLine(item.Text, item.Color, item.Failure);
        return;
    }
    EntryJob& job = item.Entry->Job;
    if (job.Withdrawn) {
        m_discarding = true;  // the entries behind it were taken back too
    } else {
        m_pathChanged += static_cast<unsigned>(ReportChange(job.Path, job.Record, job.Plan, job.Outcome, item.Entry->Options));
    }
}
