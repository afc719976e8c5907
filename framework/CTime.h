// A clock value: whole seconds since 1970-01-01 00:00:00 UTC in 32 bits, like MFC's CTime.
// Local time comes from the Win32 time-zone functions, not from the C runtime, whose
// reading of the TZ variable does not understand names such as Asia/Tokyo.
#pragma once

#include <windows.h>

#include <cstdint>

#undef GetCurrentTime  // winbase.h maps it to GetTickCount

class CTime {
public:
    CTime() = default;
    explicit CTime(int32_t seconds) : m_seconds(seconds) {}
    // Local calendar fields; the platform decides whether daylight-saving time applies on that date.
    explicit CTime(const SYSTEMTIME& local);

    static CTime GetCurrentTime();

    int32_t GetTime() const { return m_seconds; }
    SYSTEMTIME GetLocalTm() const;  // milliseconds and day of week are 0
    FILETIME GetFileTime() const;   // UTC

    bool operator==(const CTime& other) const { return m_seconds == other.m_seconds; }
    bool operator!=(const CTime& other) const { return m_seconds != other.m_seconds; }

private:
    int32_t m_seconds = 0;
};

// The clock in use: the system clock unless a test replaces it.
using ClockSource = CTime (*)();
void SetClockSource(ClockSource source);  // nullptr restores the system clock
