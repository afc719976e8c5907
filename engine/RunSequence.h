// What a run writes to the log, held in walk order: an entry handed to a worker is a place in
// the sequence that fills when the worker is done, and nothing behind it is written before it.
#pragma once

#include "engine/EntryWorkers.h"
#include "framework/CString.h"

#include <windows.h>

#include <cstddef>
#include <deque>
#include <memory>

struct HeldEntry {
    EntryJob Job;
    EntryLineOptions Options;
};

// An entry, or else a line.
struct HeldItem {
    std::unique_ptr<HeldEntry> Entry;
    CString Text;
    COLORREF Color = 0;
    bool Failure = false;
};

class RunSequence {
public:
    explicit RunSequence(int workers) : m_workers(workers) {}

    int Workers() const { return m_workers.Count(); }
    size_t Items() const { return m_items.size(); }
    size_t EntriesInFlight() const { return m_entries; }
    size_t MostItems() const { return m_mostItems; }
    size_t MostEntriesInFlight() const { return m_mostEntries; }

    void HoldLine(const char* text, COLORREF color, bool failure);
    // Hands the entry to a worker when it needs the file system; otherwise it is done at once.
    void HoldEntry(std::unique_ptr<HeldEntry> entry);

    bool Empty() const { return m_items.empty(); }
    // A line, or an entry that is done or withdrawn.
    bool HeadReady() const;
    HeldItem TakeHead();
    // Returns when the entry that many entries behind the first one held is done or withdrawn,
    // a window message waits or the time is up. Entries behind the head count only when their
    // wait is to free room for many entries at once.
    void WaitForEntry(size_t behind, DWORD milliseconds);
    // Takes back every entry that no worker has started; all of them lie behind those started.
    void Withdraw() { m_workers.Withdraw(); }

private:
    void Hold(HeldItem item);

    std::deque<HeldItem> m_items;
    size_t m_entries = 0;
    size_t m_mostItems = 0;
    size_t m_mostEntries = 0;
    // Last, so that its threads are joined before the entries they work on are released.
    EntryWorkers m_workers;
};
