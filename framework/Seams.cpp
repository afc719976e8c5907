#include "framework/Seams.h"

namespace {

void SystemBeep(UINT type) { MessageBeep(type); }

int SystemMessageBox(HWND owner, const char* text, const char* title, UINT type) {
    return MessageBoxA(owner, text, title, type);
}

BOOL SystemFileDialog(OPENFILENAMEW* request, bool save) {
    return save ? GetSaveFileNameW(request) : GetOpenFileNameW(request);
}

PIDLIST_ABSOLUTE SystemFolderBrowser(BROWSEINFOA* request) { return SHBrowseForFolderA(request); }

bool SystemKeyState(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

namespace seams {

void (*PlayBeep)(UINT type) = SystemBeep;
int (*ShowMessageBox)(HWND owner, const char* text, const char* title, UINT type) = SystemMessageBox;
BOOL (*GetFileName)(OPENFILENAMEW* request, bool save) = SystemFileDialog;
PIDLIST_ABSOLUTE (*BrowseForFolder)(BROWSEINFOA* request) = SystemFolderBrowser;
bool (*IsKeyDown)(int virtualKey) = SystemKeyState;

}  // namespace seams
