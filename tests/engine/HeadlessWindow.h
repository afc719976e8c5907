// The engine's window without a window: it records what a run shows and holds the
// values that the dialog's controls would hold.
#pragma once

#include "engine/JobEngine.h"
#include "engine/JobWindow.h"

#include <functional>
#include <string>
#include <vector>

struct LogLine {
    std::string Text;
    COLORREF Color;
};

class HeadlessWindow : public JobWindow {
public:
    JobSettings Controls;         // the job as the controls show it
    bool ExchangeFails = false;   // the controls hold a value that cannot be taken
    std::vector<LogLine> Log;     // lines since the log was last cleared
    int LogClears = 0;
    std::string Status[kStatusPaneCount];
    std::vector<std::string> Progress;  // every text given to the progress pane
    std::vector<bool> BusyStates;  // each ApplyRunState
    std::vector<bool> SystemBoxStates;
    OptionMarks Marks{};
    int Unticks = 0;
    int DependentUpdates = 0;
    std::function<void(const LogLine&)> OnLine;  // runs after a line is recorded

    void AppendLogLine(const char* text, COLORREF color) override;
    void ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) override;
    bool TransferJob(JobSettings& job, int direction) override;
    void ApplyRunState(bool busy, bool systemBoxesEnabled) override;
    void ShowOptionMarks(const OptionMarks& marks) override { Marks = marks; }
    void UntickJobCheckBoxes() override { ++Unticks; }
    void UpdateDependentControls() override { ++DependentUpdates; }

    std::vector<std::string> Texts() const;
    // Lines that contain the text.
    std::vector<LogLine> LinesWith(const std::string& part) const;
};

// Records beeps instead of sounding them while it lives.
class BeepRecorder {
public:
    BeepRecorder();
    ~BeepRecorder();
    const std::vector<UINT>& Beeps() const;

private:
    void (*m_previous)(UINT);
};

// A hidden window whose posted message requests the engine's abort, as the Abort command does.
class AbortButton {
public:
    explicit AbortButton(JobEngine& engine);
    ~AbortButton();
    void Press();  // posts; the run's message pump delivers it

private:
    HWND m_window;
};
