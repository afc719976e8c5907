// The main window without a window, as the settings code sees it: the job's controls, the log,
// the status panes and the option marks, with the calls recorded in order. Message boxes and
// beeps are scripted and recorded while a DialogScript lives.
#pragma once

#include "engine/JobEngine.h"
#include "engine/JobWindow.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWindow.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

struct LoggedLine {
    std::string Text;
    COLORREF Color;
    bool operator==(const LoggedLine& other) const { return Text == other.Text && Color == other.Color; }
};
std::ostream& operator<<(std::ostream& out, const LoggedLine& line);

class FakeMainWindow : public JobWindow, public SettingsWindow {
public:
    JobSettings Controls;        // the job as the controls show it
    DWORD TickedBoxes = 0;       // attribute boxes of both rows: the transfer ticks, never unticks
    bool ExchangeFails = false;
    std::vector<LoggedLine> Log;  // since the last clearing
    std::string Status[kStatusPaneCount];
    OptionMarks Marks{};
    RECT NormalRect{0, 0, 0, 0};
    const SettingsStore* Store = nullptr;  // ShowBars reads the flags from it, as the dialog does
    std::vector<std::string> Calls;

    void AppendLogLine(const char* text, COLORREF color) override;
    void ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) override;
    bool TransferJob(JobSettings& job, int direction) override;
    void ApplyRunState(bool, bool) override {}
    void ShowOptionMarks(const OptionMarks& marks) override;
    void UntickJobCheckBoxes() override { Calls.emplace_back("UntickJob"); }
    void UpdateDependentControls() override {}

    void UntickAttributeBoxes() override;
    void SelectFirstHistoryEntries() override;
    RECT GetNormalWindowRect() const override { return NormalRect; }
    void ShowBars() override;
    void RecalcLayout() override { Calls.emplace_back("Layout"); }
    HWND GetMessageOwner() const override { return kOwner; }

    static inline const HWND kOwner = reinterpret_cast<HWND>(0x4321);
};

struct MessageBoxCall {
    HWND Owner;
    std::string Text;
    std::string Title;
    UINT Type;
};

// Answers message boxes from a queue, IDCANCEL once it is empty.
class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    void Answer(int button);
    void Clear();
    const std::vector<MessageBoxCall>& Boxes() const;
    const std::vector<UINT>& Beeps() const;

private:
    void (*m_previousBeep)(UINT);
    int (*m_previousBox)(HWND, const char*, const char*, UINT);
};

void WriteWholeFile(const char* path, const std::string& bytes);
std::string ReadWholeFile(const char* path);
int CountFiles(const CString& pattern);
// The value as the platform reads it, or "<missing>".
std::string Profile(const char* section, const char* key, const char* file);
std::vector<std::string> Keys(const char* section, const char* file);

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : engine(window), store(engine, window) { window.Store = &store; }

    // Every stored field on one line, for comparing whole settings.
    std::string Describe() const;

    FakeMainWindow window;
    JobEngine engine;
    SettingsStore store;
    DialogScript dialogs;
    TempTree tree;
};
