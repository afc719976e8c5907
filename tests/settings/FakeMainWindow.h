// The main window as the settings code sees it, headless: the job's controls, the log, the
// status panes and the bars, with every call recorded in order. Message boxes and beeps are
// scripted and recorded while a DialogScript lives.
#pragma once

#include "engine/JobEngine.h"
#include "engine/JobWindow.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWindow.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

struct LoggedLine {
    std::string Text;
    COLORREF Color;
};
bool operator==(const LoggedLine& a, const LoggedLine& b);
std::ostream& operator<<(std::ostream& out, const LoggedLine& line);

class FakeMainWindow : public JobWindow, public SettingsWindow {
public:
    JobSettings Controls;             // the job as the controls show it
    DWORD TickedSearchBoxes = 0;      // the filter row's attribute boxes
    DWORD TickedSetBoxes = 0;         // the operation row's attribute boxes
    bool ExchangeFails = false;
    std::vector<LoggedLine> Log;      // lines since the log was last cleared
    int LogClears = 0;
    std::string Status[kStatusPaneCount];
    OptionMarks Marks{};
    RECT NormalRect{0, 0, 0, 0};
    const SettingsStore* Store = nullptr;  // read by ShowBars, as the real window reads the flags
    std::vector<std::string> Calls;   // "ShowBars T1 S0", "RecalcLayout", "Marks", "Status", ...

    void AppendLogLine(const char* text, COLORREF color) override;
    void ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) override;
    bool TransferJob(JobSettings& job, int direction) override;
    void ApplyRunState(bool, bool) override { Calls.emplace_back("RunState"); }
    void ShowOptionMarks(const OptionMarks& marks) override;
    void UntickJobCheckBoxes() override { Calls.emplace_back("UntickJob"); }
    void UpdateDependentControls() override { Calls.emplace_back("Dependent"); }

    void UntickAttributeBoxes() override;
    void SelectFirstHistoryEntries() override;
    RECT GetNormalWindowRect() const override { return NormalRect; }
    void ShowBars() override;
    void RecalcLayout() override { Calls.emplace_back("RecalcLayout"); }
    HWND GetMessageOwner() const override { return kOwner; }

    static inline const HWND kOwner = reinterpret_cast<HWND>(0x4321);
};

struct MessageBoxCall {
    HWND Owner;
    std::string Text;
    std::string Title;
    UINT Type;
};

// Answers message boxes from a queue (IDCANCEL once it is empty) and records boxes and beeps.
class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    void Answer(int button);
    void Clear();  // forgets the boxes and beeps so far
    const std::vector<MessageBoxCall>& Boxes() const;
    const std::vector<UINT>& Beeps() const;

private:
    void (*m_previousBeep)(UINT);
    int (*m_previousBox)(HWND, const char*, const char*, UINT);
};

// Whole files as bytes.
void WriteWholeFile(const char* path, const std::string& bytes);
std::string ReadWholeFile(const char* path);
// Names in the directory that match the pattern.
std::vector<std::string> FilesIn(const CString& directory, const char* pattern = "*");
// The value as the platform reads it, or "<missing>".
CString Profile(const char* section, const char* key, const char* file);

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : engine(window), store(engine, window) { window.Store = &store; }

    FakeMainWindow window;
    JobEngine engine;
    SettingsStore store;
    DialogScript dialogs;
    TempTree tree;
};
