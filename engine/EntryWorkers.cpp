#include "engine/EntryWorkers.h"

#include <algorithm>
#include <system_error>

namespace {

class Locked {
public:
    explicit Locked(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~Locked() { ReleaseSRWLockExclusive(&m_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& m_lock;
};

constexpr int kMostDefaultWorkers = 4;
constexpr int kMostWorkers = 8;

int ProcessorCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}

}  // namespace

int WorkerCountFor(int setting) {
    if (setting == 0) return std::clamp(ProcessorCount(), 1, kMostDefaultWorkers);
    return std::clamp(setting, 1, kMostWorkers);
}

EntryWorkers::EntryWorkers(int count) : m_finished(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    try {
        for (int i = 0; i < count; ++i) m_threads.emplace_back(&EntryWorkers::Work, this);
    } catch (const std::system_error&) {
        // Fewer threads than asked, or none: the jobs are then carried out by the caller.
    }
}

EntryWorkers::~EntryWorkers() {
    {
        Locked locked(m_lock);
        m_stop = true;
    }
    WakeAllConditionVariable(&m_wake);
    for (std::thread& thread : m_threads) thread.join();
    if (m_finished != nullptr) CloseHandle(m_finished);
}

void EntryWorkers::HandOut(EntryJob& job) {
    if (m_threads.empty()) {
        job.Outcome = CarryOut(job.Path.Real, job.Record, job.Plan);
        job.Done.store(true);
        return;
    }
    job.Serial = ++m_handedOut;
    bool wake;
    {
        Locked locked(m_lock);
        m_queue.push_back(&job);
        wake = m_idle > 0;  // a busy worker comes back for the job by itself
    }
    if (wake) WakeConditionVariable(&m_wake);
}

void EntryWorkers::Withdraw() {
    Locked locked(m_lock);
    for (EntryJob* job : m_queue) job->Withdrawn = true;
    m_queue.clear();
}

void EntryWorkers::WaitFor(const EntryJob& job, DWORD milliseconds) {
    // Either the worker sees the job awaited and sets the event, or this thread sees it done.
    m_awaited.store(job.Serial);
    if (!job.Done.load()) {
        const DWORD handles = m_finished != nullptr ? 1 : 0;  // without the event: messages and time alone
        MsgWaitForMultipleObjects(handles, &m_finished, FALSE, milliseconds, QS_ALLINPUT);
    }
    m_awaited.store(0);
}

void EntryWorkers::Work() {
    for (;;) {
        EntryJob* job;
        {
            Locked locked(m_lock);
            ++m_idle;
            while (!m_stop && m_queue.empty()) SleepConditionVariableSRW(&m_wake, &m_lock, INFINITE, 0);
            --m_idle;
            if (m_queue.empty()) return;  // stopping, and nothing left to do
            job = m_queue.front();
            m_queue.pop_front();
        }
        job->Outcome = CarryOut(job->Path.Real, job->Record, job->Plan);
        unsigned serial = job->Serial;
        job->Done.store(true);  // from here on the job may be gone
        if (m_awaited.compare_exchange_strong(serial, 0)) SetEvent(m_finished);
    }
}
