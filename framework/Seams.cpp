#include "framework/Seams.h"

namespace {

void SystemBeep(UINT type) { MessageBeep(type); }

int SystemMessageBox(HWND owner, const char* text, const char* title, UINT type) {
    return MessageBoxA(owner, text, title, type);
}

}  // namespace

namespace seams {

void (*PlayBeep)(UINT type) = SystemBeep;
int (*ShowMessageBox)(HWND owner, const char* text, const char* title, UINT type) = SystemMessageBox;

}  // namespace seams
