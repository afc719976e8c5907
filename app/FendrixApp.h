// The application object: reads the command line, runs the main dialog, routes commands.
#pragma once

#include "engine/JobEngine.h"
#include "framework/CWinApp.h"

// Exit codes of an unattended run, for schedulers and scripts.
enum UnattendedExitCode {
    EXIT_RUN_COMPLETED = 0,  // no failure line
    EXIT_ENTRIES_FAILED = 1,
    EXIT_RUN_REFUSED = 2,    // refused by its checks, unreadable settings file, aborted, or never run
};
int ExitCodeOf(RunOutcome outcome, bool settingsReadable);

class FendrixApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // 0 for every interactive session; an unattended run's code otherwise.
    int ExitInstance() override { return m_exitCode; }
    // Posts every command of the menus and the tool bar back to the main window, so that it
    // runs after the current message; during a run the run's message pump delivers it.
    BOOL OnCmdMsg(UINT id, int code) override;

private:
    int m_exitCode = EXIT_RUN_COMPLETED;
};
