// Points where the program meets the user outside its own windows. Tests replace them to
// script answers and to record what the user would have heard or seen.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

namespace seams {

// MessageBeep with one of the MB_ICON* sounds.
extern void (*PlayBeep)(UINT type);
// MessageBoxA; returns the button chosen (IDOK, IDCANCEL, IDYES, ...).
extern int (*ShowMessageBox)(HWND owner, const char* text, const char* title, UINT type);
// GetOpenFileNameW (save false) or GetSaveFileNameW (save true): the chosen file by its real name.
extern BOOL (*GetFileName)(OPENFILENAMEW* request, bool save);
// SHBrowseForFolderA.
extern PIDLIST_ABSOLUTE (*BrowseForFolder)(BROWSEINFOA* request);
// Whether a key is down at this moment (the high bit of GetAsyncKeyState).
extern bool (*IsKeyDown)(int virtualKey);

}  // namespace seams
