// A path of the walk in its two forms: as the log shows it, and as the file system is asked.
#pragma once

#include "framework/CString.h"

#include <string>

struct EntryPath {
    // Shift-JIS: the search path as typed, then each name as shown (ShownText). Opens nothing.
    CString Shown;
    // UTF-16: the full path in its extended form ("\\?\C:\..."), which reaches every real name,
    // also one ending in a dot or a blank, and any length.
    std::wstring Real;
};

// Where the walk of one search-path item (as typed, trimmed) starts; false when the item is no
// Shift-JIS text or names no path.
bool SearchRoot(const CString& item, EntryPath& root);

// The entry of that name within the directory.
EntryPath JoinPath(const EntryPath& directory, const wchar_t* name);

// Directory, one backslash unless the directory already ends in one, name.
std::wstring JoinPath(const std::wstring& directory, const std::wstring& name);

// A real path as the log shows it: without the extended form's prefix ("\\?\C:\a" is shown
// "C:\a", "\\?\UNC\host\share" "\\host\share"), with 〓 where Shift-JIS has no character.
CString ShownPath(const std::wstring& real);
