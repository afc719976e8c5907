#include "engine/RunSequence.h"

#include <algorithm>
#include <utility>

void RunSequence::HoldLine(const char* text, COLORREF color, bool failure) {
    HeldItem item;
    item.Text = text;
    item.Color = color;
    item.Failure = failure;
    Hold(std::move(item));
}

void RunSequence::HoldEntry(std::unique_ptr<HeldEntry> entry) {
    EntryJob& job = entry->Job;
    HeldItem item;
    item.Entry = std::move(entry);
    Hold(std::move(item));
    ++m_entries;
    m_mostEntries = std::max(m_mostEntries, m_entries);
    if (NeedsFileSystem(job.Plan, job.Record)) {
        m_workers.HandOut(job);
    } else {
        job.Outcome = CarryOut(job.Path.Real, job.Record, job.Plan);  // touches nothing
        job.Done.store(true);
    }
}

void RunSequence::Hold(HeldItem item) {
    m_items.push_back(std::move(item));
    m_mostItems = std::max(m_mostItems, m_items.size());
}

bool RunSequence::HeadReady() const {
    if (m_items.empty()) return false;
    const HeldEntry* entry = m_items.front().Entry.get();
    return entry == nullptr || entry->Job.Withdrawn || entry->Job.Done.load();
}

HeldItem RunSequence::TakeHead() {
    HeldItem head = std::move(m_items.front());
    m_items.pop_front();
    if (head.Entry != nullptr) --m_entries;
    return head;
}

void RunSequence::WaitForEntry(size_t behind, DWORD milliseconds) {
    for (const HeldItem& item : m_items) {
        if (item.Entry == nullptr) continue;
        if (behind-- != 0) continue;
        const EntryJob& job = item.Entry->Job;
        if (!job.Withdrawn) m_workers.WaitFor(job, milliseconds);
        return;
    }
}
