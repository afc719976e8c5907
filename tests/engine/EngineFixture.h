// A headless engine on a fresh temporary tree, with beeps recorded and a fixed clock.
#pragma once

#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "engine/JobWindow.h"
#include "engine/LogPalette.h"
#include "engine/ShiftJis.h"
#include "engine/TokenList.h"
#include "framework/Seams.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

constexpr DWORD A = FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD R = FILE_ATTRIBUTE_READONLY;
constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD S = FILE_ATTRIBUTE_SYSTEM;
constexpr const char* kStamp = "2001/05/06 12:00:00";   // the time stamp the runs write
constexpr const char* kListed = "2010/01/02 03:04:05";  // the write time of the entries before
constexpr const char* kRunStart = "* * * * * * * * * * 処理開始 * * * * * * * * * *";
constexpr const char* kRunEnd = "* * * * * * * * * * 処理終了 * * * * * * * * * *";
constexpr const char* kRule = "------------------------------------------------";
constexpr const char* kAborted = "\r\n※ 処理は中止されました。\r\n";

inline FILETIME Time(unsigned long long ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}
inline unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

inline std::string FileBytes(const std::wstring& file) {
    std::ifstream in(ShownText(file).Str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void WriteFileBytes(const std::wstring& file, const std::string& bytes) {
    std::ofstream(ShownText(file).Str(), std::ios::binary | std::ios::trunc) << bytes;
}

inline bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// A clock that moves on a minute at every reading.
inline int g_clockReadings = 0;
inline CTime TickingClock() { return CTime(1715908830 + 60 * g_clockReadings++); }

struct LogLine {
    std::string Text;
    COLORREF Color;
};

// The engine's window without a window: it records what a run shows and holds the values
// that the dialog's controls would hold.
class HeadlessWindow : public JobWindow {
public:
    JobSettings Controls;        // the job as the controls show it
    bool ExchangeFails = false;  // the controls hold a value that cannot be taken
    int Refreshes = 0;           // transfers from the record to the controls
    std::vector<LogLine> Log;    // lines since the log was last cleared
    int LogClears = 0;
    std::string Status[kStatusPaneCount];
    std::vector<std::string> Progress;  // every text given to the progress pane
    std::vector<bool> BusyStates, SystemBoxStates;  // each ApplyRunState
    std::function<void(const LogLine&)> OnLine;  // runs after a line is recorded

    void AppendLogLine(const char* text, COLORREF color) override {
        if (*text == '\0') {
            Log.clear();
            ++LogClears;
            return;
        }
        Log.push_back({text, color});
        if (OnLine) OnLine(Log.back());
    }
    void ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) override {
        for (int i = 0; i < kStatusPaneCount; ++i) {
            if (texts[i] != nullptr) Status[i] = texts[i];
        }
        if (texts[1] != nullptr) Progress.emplace_back(texts[1]);
    }
    bool TransferJob(JobSettings& job, int direction) override {
        if (direction != 0) {
            Controls = job;
            ++Refreshes;
            return true;
        }
        if (ExchangeFails) return false;
        const JobSettings kept = job;  // the Options menu has no controls
        job = Controls;
        for (int JobSettings::*option : {&JobSettings::SortFile, &JobSettings::SystemFileSkip,
                                         &JobSettings::SystemClockReadMode, &JobSettings::ExecDispFname,
                                         &JobSettings::ExecDispNopFname, &JobSettings::ExecDispSubDir,
                                         &JobSettings::ExecDispSkipped}) {
            job.*option = kept.*option;
        }
        return true;
    }
    void ApplyRunState(bool busy, bool systemBoxesEnabled) override {
        BusyStates.push_back(busy);
        SystemBoxStates.push_back(systemBoxesEnabled);
    }
    void ShowOptionMarks(const OptionMarks&) override {}
    void UntickJobCheckBoxes() override {}
    void UpdateDependentControls() override {}

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const LogLine& line : Log) texts.push_back(line.Text);
        return texts;
    }
    std::vector<std::string> TextsIn(COLORREF color) const {
        std::vector<std::string> texts;
        for (const LogLine& line : Log) {
            if (line.Color == color) texts.push_back(line.Text);
        }
        return texts;
    }
    // Lines that contain the text.
    std::vector<LogLine> LinesWith(const std::string& part) const {
        std::vector<LogLine> lines;
        for (const LogLine& line : Log) {
            if (line.Text.find(part) != std::string::npos) lines.push_back(line);
        }
        return lines;
    }
};

// A hidden window whose posted message requests the engine's abort, as the Abort command does.
class AbortButton {
public:
    explicit AbortButton(JobEngine& engine) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "FendrixTestAbort";
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
        m_window = CreateWindowA("FendrixTestAbort", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&engine));
    }
    ~AbortButton() { DestroyWindow(m_window); }
    void Press() { PostMessageA(m_window, WM_APP, 0, 0); }  // the run's message pump delivers it

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
        reinterpret_cast<JobEngine*>(GetWindowLongPtrA(window, GWLP_USERDATA))->Abort();
        return 0;
    }
    HWND m_window;
};

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : engine(window) {}
    void SetUp() override {
        SetClockSource(FixedClock);
        engine.Journals.Folder = Wide(journals.Path("journal"));  // outside the tree the runs walk
        Beeps().clear();
        seams::PlayBeep = [](UINT type) { Beeps().push_back(type); };
    }
    void TearDown() override {
        SetClockSource(nullptr);
        seams::PlayBeep = m_playBeep;
    }

    static std::vector<UINT>& Beeps() {
        static std::vector<UINT> beeps;
        return beeps;
    }

    // 2024/05/17 10:20:30 in Tokyo.
    static CTime FixedClock() { return CTime(1715908830); }

    void MakeListed(const std::string& relative, DWORD size = 0, DWORD attributes = 0) {
        tree.MakeFile(relative.c_str(), size);
        if (attributes != 0) tree.SetAttributes(relative.c_str(), attributes);
        tree.SetWriteTime(relative.c_str(), kListed);
    }

    // The log with the folder's path replaced, so that the logs of two folders compare.
    std::vector<LogLine> LogOf(const std::string& top) const {
        std::vector<LogLine> lines = window.Log;
        const std::string path = tree.Path(top.c_str()).Str();
        for (LogLine& line : lines) {
            for (size_t at = line.Text.find(path); at != std::string::npos; at = line.Text.find(path, at)) {
                line.Text.replace(at, path.size(), "TREE");
            }
        }
        return lines;
    }

    // Every entry below the folder by its path: its attributes and its write time.
    std::map<std::string, std::string> DiskOf(const std::string& top) const {
        std::map<std::string, std::string> entries;
        Collect(tree.RealPath(Wide(top.c_str())), "", entries);
        return entries;
    }

    // Line for line, with the colours.
    static void ExpectLog(const std::vector<LogLine>& log, const std::vector<LogLine>& expected) {
        ASSERT_EQ(log.size(), expected.size());
        for (size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].Text, expected[i].Text) << "line " << i;
            EXPECT_EQ(log[i].Color, expected[i].Color) << "line " << i;
        }
    }

    HeadlessWindow window;
    JobEngine engine;
    TempTree tree;
    TempTree journals;

private:
    void (*m_playBeep)(UINT) = seams::PlayBeep;

    static void Collect(const std::wstring& directory, const std::string& shown,
                        std::map<std::string, std::string>& entries) {
        WIN32_FIND_DATAW record;
        const HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &record);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            const std::wstring name = record.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::string path = shown + "\\" + ShownText(name).Str();
            entries[path] =
                std::to_string(record.dwFileAttributes) + " " + std::to_string(Ticks(record.ftLastWriteTime));
            if ((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                Collect(directory + L"\\" + name, path, entries);
            }
        } while (FindNextFileW(search, &record));
        FindClose(search);
    }
};

// Runs over the tree from its root that set Hidden on every *.txt, with per-directory lines.
class TreeRunTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        window.Controls.SearchPath = tree.Root();
        window.Controls.SearchFile = "*.txt";
        window.Controls.Recursive = 1;
        window.Controls.SetAttributes = {H, 0};
        engine.Job.ExecDispSubDir = 1;
    }
};
