// A fresh directory under the Windows temporary folder, removed with everything in it.
// Entries are named in Shift-JIS, or in UTF-16 for names that code page 932 cannot spell;
// the UTF-16 helpers take any length.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>

// The exact UTF-16 form of a Shift-JIS text (a failed conversion fails the test).
std::wstring Wide(const char* text);

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const CString& Root() const { return m_root; }
    CString Path(const char* relative) const;
    // The extended form ("\\?\C:\..."), which reaches every name and any length.
    std::wstring RealPath(const std::wstring& relative) const;

    void MakeDir(const std::wstring& relative);
    void MakeFile(const std::wstring& relative, DWORD size = 0);
    void SetAttributes(const std::wstring& relative, DWORD attributes);
    DWORD Attributes(const std::wstring& relative) const;
    // Local time texts such as "2001/05/06 12:00:00".
    void SetWriteTime(const std::wstring& relative, const char* localTime);
    CString WriteTimeText(const std::wstring& relative) const;

    CString MakeDir(const char* relative) {
        MakeDir(Wide(relative));
        return Path(relative);
    }
    CString MakeFile(const char* relative, DWORD size = 0) {
        MakeFile(Wide(relative), size);
        return Path(relative);
    }
    void SetAttributes(const char* relative, DWORD attributes) { SetAttributes(Wide(relative), attributes); }
    DWORD Attributes(const char* relative) const { return Attributes(Wide(relative)); }
    void SetWriteTime(const char* relative, const char* localTime) { SetWriteTime(Wide(relative), localTime); }
    CString WriteTimeText(const char* relative) const { return WriteTimeText(Wide(relative)); }

private:
    CString m_root;
};
