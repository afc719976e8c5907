// A critical section and its scoped lock, with MFC's names.
#pragma once

#include <windows.h>

class CCriticalSection {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_section); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock() {
        ::EnterCriticalSection(&m_section);
        return TRUE;
    }
    BOOL Unlock() {
        ::LeaveCriticalSection(&m_section);
        return TRUE;
    }

private:
    CRITICAL_SECTION m_section;
};

// Holds the lock from Lock (or from construction with initialLock) until Unlock or destruction.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* section, BOOL initialLock = FALSE) : m_section(section) {
        if (initialLock) Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock() {
        if (m_section == nullptr) return FALSE;
        if (!m_locked) m_locked = m_section->Lock() != FALSE;
        return m_locked ? TRUE : FALSE;
    }
    BOOL Unlock() {
        if (m_locked) m_section->Unlock();
        m_locked = false;
        return TRUE;
    }

private:
    CCriticalSection* m_section;
    bool m_locked = false;
};
