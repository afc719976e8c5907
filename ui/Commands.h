// The command table of the menus and the tool bar.
#pragma once

#include <windows.h>

// The commands that the application's command map posts back to the main window.
bool IsRoutedCommand(UINT id);
// The tool-tip text of a tool-bar button's command, or nullptr for a command without one.
const char* ToolTipText(UINT id);
