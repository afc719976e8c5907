// What Load, Save and the option toggles need from the main window.
#pragma once

#include "engine/JobSettings.h"

#include <windows.h>

class SettingsWindow {
public:
    virtual void UntickAttributeBoxes() = 0;        // the eight attribute check boxes
    // The five limit and time-stamp switches as the job holds them, and the fields they enable.
    virtual void TickSwitchBoxes(const JobSettings& job) = 0;
    virtual void SelectFirstHistoryEntries() = 0;   // entry 0 of both history combo boxes becomes their text
    virtual RECT GetNormalWindowRect() const = 0;   // restored window rectangle, screen coordinates
    virtual void ShowBars() = 0;                    // show or hide the tool bar and status bar by the flags
    virtual void RecalcLayout() = 0;
    virtual HWND GetMessageOwner() const = 0;       // owner of message boxes

protected:
    ~SettingsWindow() = default;
};
