// The job: where to search, which entries to take, what to change, and what the log shows.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <vector>

// Masks hold the listing's own FILE_ATTRIBUTE_* bits, unchanged also in settings files:
// ReadOnly, Hidden, System and Archive; the Directory bit is never part of a mask.
constexpr DWORD kJobAttributeMask = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE;

struct AttributeCondition {
    DWORD AttribFlg;  // attribute mask
    int AttribJokn;   // filter: 0 "OR", 1 "AND"; operation: 0 "Set", 1 "Reset"
};

struct DateBounds {
    CString Start;  // "yyyy/mm/dd"
    CString End;
};

struct SizeBounds {
    DWORD Start;  // bytes
    DWORD End;
};

struct TimeStampSetting {
    int TimeStanpJokn;     // 0 system clock, 1 the given value
    CString TimeStanpVal;  // "yyyy/mm/dd hh:mm:ss"
};

struct JobSettings {
    CString SearchPath;  // ';'-list as typed
    CString SearchFile;  // ';'-list of patterns as typed
    std::vector<CString> SearchPathList;  // histories, most recent first
    std::vector<CString> SearchFileList;
    int Recursive = 0;

    AttributeCondition SearchAttributes{0, 0};
    int DateStartFlg = 0;
    int DateEndFlg = 0;
    DateBounds DateRange;
    int SizeStartFlg = 0;
    int SizeEndFlg = 0;
    SizeBounds SizeRange{0, 0};

    AttributeCondition SetAttributes{0, 1};
    int TimeStanpFlg = 0;
    TimeStampSetting SetTimeStanp{1, CString()};

    // Options of the Options menu.
    int SortFile = 0;
    int SystemFileSkip = 1;
    int SystemClockReadMode = 0;
    int ExecDispFname = 1;
    int ExecDispNopFname = 0;
    int ExecDispSubDir = 0;
    int ExecDispSkipped = 0;

    // Threads that change the entries of a run: 0 one per processor, at most 4; 1 to 8 fix the
    // number (other numbers are taken as the nearer of 1 and 8).
    int Workers = 0;
};
