#include "framework/CWinApp.h"

#include <commctrl.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::OnCmdMsg(UINT, int) { return FALSE; }

CWinApp* AfxGetApp() { return g_app; }

int AfxWinMain() {
    if (g_app == nullptr) return 1;
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    // A drive without a medium must not stop a walk with a system message box.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    g_app->InitInstance();
    return g_app->ExitInstance();
}
