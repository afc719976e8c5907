// The application object: one global instance whose InitInstance runs the program.
#pragma once

#include "framework/CWnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns FALSE to end the program when it returns, as a dialog-based program does.
    virtual BOOL InitInstance() { return FALSE; }
    // The process's exit code, asked for once InitInstance has returned.
    virtual int ExitInstance() { return 0; }
    // The application's command map: TRUE when it knows the command.
    virtual BOOL OnCmdMsg(UINT id, int code);
    BOOL Enable3dControls() { return TRUE; }  // the system draws 3-D controls itself

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// Runs the application and returns its exit code: WinMain calls it.
int AfxWinMain();
