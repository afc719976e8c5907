// The shell's folder-selection dialog and the standard file dialog, as the main dialog uses them.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

class FolderBrowser {
public:
    FolderBrowser(HWND owner, const char* initialPath = nullptr);

    enum Result { NotShown = 0, Chosen = 1, Cancelled = 2, Refused = 3 };
    // prompt null: the standard prompt; initialFolder null: the current path is preselected.
    // Without an owner the dialog is shown only when force is 1. A folder whose path Shift-JIS
    // cannot spell is refused with a message: its look-alike would name another folder.
    int Browse(const char* prompt = nullptr, const char* initialFolder = nullptr, int force = 0);
    const CString& GetPath() const { return m_path; }

    CString Caption;

private:
    int TakeChosenFolder(PCIDLIST_ABSOLUTE chosen);

    CString m_path;
    HWND m_owner;
    int m_rootFolder = CSIDL_DRIVES;
    UINT m_flags = BIF_RETURNONLYFSDIRS;
};

// mode 0 open, any other save. Returns the chosen full path by its real UTF-16 name, or an empty
// text when cancelled. The filter separates its parts with '|' and ends with "||".
std::wstring ShowFileDialog(int mode, const std::wstring& fileName, const char* defaultExtension, DWORD flags,
                            const char* filter, const char* title);

// Moves the window to the centre of another one (or of the work area when there is none).
void CenterWindowOver(HWND window, HWND over);
