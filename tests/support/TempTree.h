// A fresh directory under the Windows temporary folder, removed with everything in it.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const CString& Root() const { return m_root; }
    CString Path(const char* relative) const;

    CString MakeDir(const char* relative);
    CString MakeFile(const char* relative, DWORD size = 0);
    void SetAttributes(const char* relative, DWORD attributes);
    DWORD Attributes(const char* relative) const;
    // Local time texts such as "2001/05/06 12:00:00".
    void SetWriteTime(const char* relative, const char* localTime);
    CString WriteTimeText(const char* relative) const;

private:
    CString m_root;
};
