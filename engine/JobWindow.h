// The window as the job engine sees it: the only way the engine reaches controls, menus,
// the log view and the status bar. The main dialog implements it; tests implement it headless.
#pragma once

#include "engine/JobSettings.h"

#include <windows.h>

constexpr int kStatusPaneCount = 9;

// What the Options menu and the two "System" check boxes show after a load or an option toggle.
struct OptionMarks {
    bool ExecDispSubDir;
    bool ExecDispFname;
    bool ExecDispNopFname;
    bool ExecDispSkipped;
    bool SortFile;
    bool SystemFileSkip;
    bool SystemClockReadMode;
    bool EntryDetailItemsEnabled;  // the no-change and skipped items need per-entry lines
    bool SystemBoxesEnabled;       // when false the boxes are also unticked
};

class JobWindow {
public:
    // Appends one line in the colour; an empty text clears the log.
    virtual void AppendLogLine(const char* text, COLORREF color) = 0;
    // One text per status pane; a null text leaves its pane as it is.
    virtual void ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) = 0;
    // The dialog data exchange of the job: direction 0 controls to record, 1 record to controls.
    // Returns false when the controls hold a value that cannot be taken.
    virtual bool TransferJob(JobSettings& job, int direction) = 0;
    // Enables or disables the job's controls, menu items and tool-bar buttons around a run.
    virtual void ApplyRunState(bool busy, bool systemBoxesEnabled) = 0;
    virtual void ShowOptionMarks(const OptionMarks& marks) = 0;
    // Unticks the attribute boxes of both rows and the five limit and time-stamp switches.
    virtual void UntickJobCheckBoxes() = 0;
    // Enables the entry fields whose switches are on.
    virtual void UpdateDependentControls() = 0;

protected:
    ~JobWindow() = default;
};
