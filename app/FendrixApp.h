// The application object: reads the command line, runs the main dialog, routes commands.
#pragma once

#include "framework/CWinApp.h"

class FendrixApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // Posts every command of the menus and the tool bar back to the main window, so that it
    // runs after the current message; during a run the run's message pump delivers it.
    BOOL OnCmdMsg(UINT id, int code) override;
};
