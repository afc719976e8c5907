#include "app/FendrixApp.h"

#include "app/CommandLineArgs.h"
#include "res/resource.h"
#include "ui/Commands.h"
#include "ui/MainDialog.h"

BOOL FendrixApp::InitInstance() {
    Enable3dControls();
    MainDialog dialog;
    const AutoRunRequest request = ReadAutoRunSwitch(CommandLineArgs());
    dialog.AutoRun = request.AutoRun ? 1 : 0;
    dialog.StartupSettingsPath = request.SettingsPath;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

BOOL FendrixApp::OnCmdMsg(UINT id, int) {
    if (!IsRoutedCommand(id) || m_pMainWnd == nullptr) return FALSE;
    return m_pMainWnd->PostMessage(WM_POSTED_COMMAND, id, 0);
}
