// The version texts of the program's own executable, read from its version resource.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CVerInfo {
public:
    CVerInfo();  // the running program's own file, translation "041104b0"
    ~CVerInfo();
    CVerInfo(const CVerInfo&) = delete;
    CVerInfo& operator=(const CVerInfo&) = delete;

    bool Init(const char* fileName, const char* translation);
    bool IsValid() const;

    // The value of a string key, or a failure text; an empty translation means the stored one.
    CString QueryValue(const char* key, const char* translation = "") const;
    CString Comments(const char* translation = "") const { return QueryValue("Comments", translation); }
    CString FileVersion(const char* translation = "") const { return QueryValue("FileVersion", translation); }
    CString LegalCopyright(const char* translation = "") const { return QueryValue("LegalCopyright", translation); }
    CString ProductName(const char* translation = "") const { return QueryValue("ProductName", translation); }
    CString ProductVersion(const char* translation = "") const { return QueryValue("ProductVersion", translation); }

    // "Solvik:<name> Version 01.00 Rel 9"; an empty name takes the product name.
    CString GetVersionText(const char* productName = "") const;
    // "Build Version : 99.09.29 No.35" from the file version.
    CString GetBuildText() const;

private:
    bool Allocate(DWORD size);
    void Release();

    HGLOBAL m_block = nullptr;
    void* m_data = nullptr;
    CString m_fileName;
    CString m_translation = "041104b0";
};

extern const char* const kVerInfoNotInitialised;
extern const char* const kVerInfoValueMissing;

// The two lines built from version texts such as "1, 0, 1, 9".
CString FormatVersionLine(const CString& productName, const CString& productVersion);
CString FormatBuildLine(const CString& fileVersion);

struct DllVersion {
    DWORD Major;
    DWORD Minor;
    DWORD Build;
    DWORD Platform;
};
// Asks the library's DllGetVersion; copies depth (1 to 4) numbers into output. False leaves output alone.
bool GetDllVersion(const char* library, int depth, DllVersion& output);
