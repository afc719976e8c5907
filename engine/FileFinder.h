// Lists the entries of one directory that match a list of file-name patterns. The listing is
// made with the UTF-16 functions, so every entry carries its real name.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

enum FindFlags : unsigned {
    FF_NAMES = 0x01,          // list entries as name texts
    FF_RECORDS = 0x02,        // list entries as copies of the listing record
    FF_SUBDIRS = 0x04,        // also list every subdirectory, whatever the patterns
    FF_SORT_ASC = 0x08,
    FF_SORT_DESC = 0x10,
    FF_SEP_BAR = 0x20,        // patterns separated by '|'
    FF_SEP_SEMICOLON = 0x40,  // patterns separated by ';'
    FF_DIRS_ONLY = 0x80,      // the patterns select directories; files are not listed
};

// The result of a listing; it owns its items. Only the list that the flags chose is filled.
struct EntryList {
    std::vector<std::unique_ptr<WIN32_FIND_DATAW>> Records;
    std::vector<std::wstring> Names;

    int GetCount() const { return static_cast<int>(Records.size() + Names.size()); }
    bool IsEmpty() const { return GetCount() == 0; }
};

// Returns the number of listed entries; 0 and nothing done without an output list. The patterns
// are Shift-JIS; one that is no Shift-JIS text matches nothing.
// With pump 1, pending window messages are dispatched before each pattern and after each record.
int FindEntries(const std::wstring& directory, const CString& patterns, EntryList* output, unsigned flags, int pump);
// Directories before files; within each group by extension, then base name, as CompareNames
// orders the names as shown in Shift-JIS. Names shown alike (those with characters that code
// page 932 lacks, or differing in letter case alone) follow the order of their UTF-16 code units.
void SortEntryList(EntryList& list, unsigned flags, int pump);
void FreeEntryList(EntryList& list);
// Orders by extension first and base name second, both case-insensitive and Shift-JIS aware.
int CompareNames(const char* a, const char* b);
