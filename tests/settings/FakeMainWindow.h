// The main window without a window, as the settings code sees it, keeping its log; message
// boxes and beeps recorded while a Dialogs object lives.
#pragma once

#include "framework/Seams.h"
#include "settings/SettingsStore.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using LogLine = std::pair<std::string, COLORREF>;

class FakeMainWindow : public JobWindow, public SettingsWindow {
public:
    std::vector<LogLine> Log;  // since the last clearing
    RECT NormalRect{0, 0, 0, 0};

    void AppendLogLine(const char* text, COLORREF color) override {
        if (*text == '\0') return Log.clear();
        Log.emplace_back(text, color);
    }
    // The tests set engine.Job as the controls would.
    bool TransferJob(JobSettings&, int) override { return true; }
    void ShowOptionMarks(const OptionMarks&) override {}
    void UntickAttributeBoxes() override {}
    void TickSwitchBoxes(const JobSettings&) override {}
    void SelectFirstHistoryEntries() override {}
    void ShowBars() override {}
    void ShowStatusTexts(const char* const (&)[kStatusPaneCount]) override {}
    void RecalcLayout() override {}
    RECT GetNormalWindowRect() const override { return NormalRect; }
    HWND GetMessageOwner() const override { return kOwner; }
    void ApplyRunState(bool, bool) override {}
    void UntickJobCheckBoxes() override {}
    void UpdateDependentControls() override {}

    static inline const HWND kOwner = reinterpret_cast<HWND>(0x4321);
};

struct MessageBoxCall { HWND Owner; std::string Text, Title; UINT Type; };

// Every message box is answered with Cancel.
struct Dialogs {
    static inline std::vector<MessageBoxCall> Boxes;
    static inline std::vector<UINT> Beeps;

    Dialogs() { Boxes.clear(), Beeps.clear(); }
    ~Dialogs() { seams::PlayBeep = m_beep, seams::ShowMessageBox = m_box; }

private:
    decltype(seams::PlayBeep) m_beep = std::exchange(seams::PlayBeep, [](UINT type) { Beeps.push_back(type); });
    decltype(seams::ShowMessageBox) m_box =
        std::exchange(seams::ShowMessageBox, [](HWND owner, const char* text, const char* title, UINT type) {
            Boxes.push_back({owner, text, title, type});
            return IDCANCEL;
        });
};

inline void WriteWholeFile(const char* path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

inline std::string ReadWholeFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The value as the platform reads it, or "<missing>".
inline std::string Profile(const char* section, const char* key, const char* file) {
    char value[4096];
    return std::string(value, GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file));
}

// A main window, its job engine and its settings.
struct Headless {
    FakeMainWindow window;
    JobEngine engine{window};
    SettingsStore store{engine, window};

    // Every stored field on one line: the switches D F N O C P S R, the tool bar and the status bar as
    // digits, then the window position, the histories, the masks, the limits and the time stamp.
    std::string Describe() const {
        const JobSettings& j = engine.Job;
        const RECT& r = store.WindowRect;
        std::ostringstream out;
        for (int on : {j.ExecDispSubDir, j.ExecDispFname, j.ExecDispSkipped, j.ExecDispNopFname, j.SystemClockReadMode,
                       j.SystemFileSkip, j.SortFile, j.Recursive, store.ShowToolBar, store.ShowStatusBar}) {
            out << on;
        }
        out << " pos " << r.left << "," << r.top << "," << r.right << "," << r.bottom << " |";
        for (const auto* list : {&j.SearchPathList, &j.SearchFileList}) {
            for (const CString& entry : *list) out << " [" << entry.Str() << "]";
            out << " |";
        }
        out << " " << j.SearchAttributes.AttribFlg << "/" << j.SearchAttributes.AttribJokn << " "
            << j.SetAttributes.AttribFlg << "/" << j.SetAttributes.AttribJokn << " [" << j.DateRange.Start.Str()
            << "-" << j.DateRange.End.Str() << "] " << j.SizeRange.Start << "-" << j.SizeRange.End << " "
            << j.SetTimeStanp.TimeStanpJokn << " [" << j.SetTimeStanp.TimeStanpVal.Str() << "]";
        return out.str();
    }
};

class SettingsTest : public ::testing::Test, public Headless {
protected:
    Dialogs dialogs;
    TempTree tree;
};
