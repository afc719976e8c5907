// The application object: reads the command line, runs the main dialog, routes commands.
#pragma once

#include "engine/JobEngine.h"
#include "framework/CWinApp.h"

// Exit codes of an unattended run or undo, for schedulers and scripts.
enum UnattendedExitCode {
    EXIT_RUN_COMPLETED = 0,  // no failure line
    EXIT_ENTRIES_FAILED = 1, // failure lines (an undo's entries changed since count), or the -log file unwritten
    EXIT_RUN_REFUSED = 2,    // refused by its checks, unreadable settings file or journal, aborted, or never run
};
int ExitCodeOf(RunOutcome outcome, bool settingsReadable, bool logWritten = true);

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
