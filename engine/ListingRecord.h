// Readings of a listing record (WIN32_FIND_DATAW: the entry's real UTF-16 name) shared by the
// finder and the run.
#pragma once

#include <windows.h>

inline bool IsDirectory(const WIN32_FIND_DATAW& record) {
    return (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

inline unsigned long long FileSize(const WIN32_FIND_DATAW& record) {
    return (static_cast<unsigned long long>(record.nFileSizeHigh) << 32) | record.nFileSizeLow;
}
