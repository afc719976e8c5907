// Conversions between date-time text ("yyyy/mm/dd", "hh:mm:ss", "yyyy/mm/dd hh:mm:ss"),
// local calendar fields (SYSTEMTIME), clock values (CTime) and file times (FILETIME, UTC).
#pragma once

#include "framework/CString.h"
#include "framework/CTime.h"

#include <windows.h>

// Mode bits; a mode with neither the date nor the time bit counts as both.
enum : int {
    DT_DATE = 0x1,
    DT_TIME = 0x2,
    DT_NOW = 0x4,
};

SYSTEMTIME ParseDateTime(const char* text, int mode = DT_DATE | DT_TIME);
FILETIME TextToFileTime(const char* text, int mode = DT_DATE | DT_TIME);
FILETIME ClockToFileTime(CTime clock, int mode = DT_DATE | DT_TIME);
CString FormatFileTime(const FILETIME* time, int mode = DT_DATE | DT_TIME);
CString FormatSystemTime(const SYSTEMTIME* fields, int mode = DT_DATE | DT_TIME);
CString FormatClock(CTime clock, int mode = DT_DATE | DT_TIME);
CTime TextToClock(const char* text, int mode = DT_DATE | DT_TIME);
CTime SystemTimeToClock(const SYSTEMTIME* fields, int mode = DT_DATE | DT_TIME);

// Limits the fields to what a clock value holds: 1970/01/01 09:00:00 to 2038/01/19 03:14:07.
void ClampToClockRange(SYSTEMTIME& fields);
void ClampDayOfMonth(SYSTEMTIME& fields);
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);
