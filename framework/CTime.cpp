#include "framework/CTime.h"

#include <limits>

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kEpochOffsetSeconds = 11644473600;  // 1601-01-01 to 1970-01-01

CTime SystemClock() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const int64_t ticks = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return CTime(static_cast<int32_t>(ticks / kTicksPerSecond - kEpochOffsetSeconds));
}

ClockSource g_clock = SystemClock;

int32_t ClampToInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

}  // namespace

CTime::CTime(const SYSTEMTIME& local) {
    SYSTEMTIME utc;
    FILETIME ft;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &ft)) return;
    const int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    m_seconds = ClampToInt32(ticks / kTicksPerSecond - kEpochOffsetSeconds);
}

CTime CTime::GetCurrentTime() { return g_clock(); }

FILETIME CTime::GetFileTime() const {
    const int64_t ticks = (static_cast<int64_t>(m_seconds) + kEpochOffsetSeconds) * kTicksPerSecond;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return ft;
}

SYSTEMTIME CTime::GetLocalTm() const {
    const FILETIME ft = GetFileTime();
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&ft, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    local.wDayOfWeek = 0;
    local.wMilliseconds = 0;
    return local;
}

void SetClockSource(ClockSource source) { g_clock = source != nullptr ? source : SystemClock; }
