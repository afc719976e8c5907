// The threads that carry out the changes of a run. They see nothing but the jobs handed to them:
// no window, no log, no settings.
#pragma once

#include "engine/EntryChange.h"
#include "engine/EntryPath.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <thread>
#include <vector>

// One entry's change as a worker sees it; the run keeps it alive until it is reported.
struct EntryJob {
    EntryPath Path;  // the worker uses the real UTF-16 path alone
    WIN32_FIND_DATAW Record;
    EntryPlan Plan;
    EntryOutcome Outcome;            // written by the worker before Done
    std::atomic<bool> Done{false};   // the worker no longer touches the job
    bool Withdrawn = false;          // taken back before a worker started it: not changed at all
    unsigned Serial = 0;             // given when handed to a worker; the job's memory may be reused
};

// One per processor, at most 4; a setting of 1 to 8 fixes the number.
int WorkerCountFor(int setting);

class EntryWorkers {
public:
    explicit EntryWorkers(int count);
    ~EntryWorkers();  // lets the threads finish the jobs still queued
    EntryWorkers(const EntryWorkers&) = delete;
    EntryWorkers& operator=(const EntryWorkers&) = delete;

    int Count() const { return static_cast<int>(m_threads.size()); }
    // Workers take the jobs in the order they are handed out. Without a thread (none could be
    // started) the job is carried out at once.
    void HandOut(EntryJob& job);
    // Takes back and marks the jobs that no worker has started. Workers start jobs in order, so
    // every job handed out before the first one taken back has been started.
    void Withdraw();
    // Returns when the job is done, a window message waits in the thread's queue or the time
    // is up, whichever comes first; now and then also early, for a job awaited before.
    void WaitFor(const EntryJob& job, DWORD milliseconds);

private:
    void Work();

    std::vector<std::thread> m_threads;
    // The system's own lock and condition: under Wine they wait without a round trip to the
    // server, which a contended lock of the threads library would cost.
    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_wake = CONDITION_VARIABLE_INIT;
    std::deque<EntryJob*> m_queue;
    int m_idle = 0;  // threads waiting for a job
    bool m_stop = false;
    HANDLE m_finished;  // set when the awaited job is finished
    unsigned m_handedOut = 0;
    // The serial of the job awaited. Only that job wakes the caller: waking it for every job
    // would cost about as much as the job.
    std::atomic<unsigned> m_awaited{0};
};
