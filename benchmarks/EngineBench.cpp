// Runs the job engine headless over one tree: Hidden set and the time stamp given on every
// file and directory, recursively, with a log line per entry and its journal, as a run keeps
// it. Prints the elapsed time.
#include "Stopwatch.h"
#include "engine/EntryChange.h"
#include "engine/JobEngine.h"
#include "engine/ShiftJis.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The Abort command as it reaches a run: a posted message that the run's pump dispatches.
constexpr UINT kAbortMessage = WM_APP;

class CountingWindow : public JobWindow {
public:
    JobSettings Controls;
    long Lines = 0;
    long DoneLines = 0;
    long AbortAfter = 0;  // done lines before the abort is posted; 0 never
    HWND AbortTarget = nullptr;
    double AbortPosted = 0;

    void AppendLogLine(const char* text, COLORREF) override {
        if (*text == '\0') return;
        ++Lines;
        if (std::strncmp(text, "    done", 8) != 0 || ++DoneLines != AbortAfter) return;
        AbortPosted = Seconds();
        PostMessageA(AbortTarget, kAbortMessage, 0, 0);
    }
    void ShowStatusTexts(const char* const (&)[kStatusPaneCount]) override {}
    bool TransferJob(JobSettings& job, int direction) override {
        if (direction == 0) job = Controls;
        return true;
    }
    void ApplyRunState(bool, bool) override {}
    void ShowOptionMarks(const OptionMarks&) override {}
    void UntickJobCheckBoxes() override {}
    void UpdateDependentControls() override {}
};

LRESULT CALLBACK AbortProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kAbortMessage) return DefWindowProcA(window, message, wParam, lParam);
    reinterpret_cast<JobEngine*>(GetWindowLongPtrA(window, GWLP_USERDATA))->Abort();
    return 0;
}

HWND CreateAbortTarget(JobEngine& engine) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = AbortProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "EngineBenchAbort";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA("EngineBenchAbort", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&engine));
    return window;
}

// A share that answers every open late; the open itself is the real one.
DWORD g_openDelayMs = 0;
HANDLE (*g_realOpen)(const wchar_t*, bool) = nullptr;

HANDLE SlowOpen(const wchar_t* path, bool directory) {
    Sleep(g_openDelayMs);
    return g_realOpen(path, directory);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: engine_bench <directory> [--no-time] [--no-attributes] [--no-lines] [--workers N]\n"
                     "                    [--open-delay MS] [--abort-after DONE-LINES] [--journal FOLDER]\n"
                     "The journal folder is by default the directory's name and \"-journal\", beside it.\n");
        return 2;
    }
    CountingWindow window;
    JobEngine engine(window);
    JobSettings& job = window.Controls;
    job.SearchPath = argv[1];
    job.SearchFile = "*.*";
    job.Recursive = 1;
    job.SetAttributes = {FILE_ATTRIBUTE_HIDDEN, 0};
    job.TimeStanpFlg = 1;
    job.SetTimeStanp = {1, "2001/05/06 12:00:00"};
    job.ExecDispSubDir = 1;
    job.SystemFileSkip = 1;
    job.ExecDispFname = 1;
    CString journalFolder = CString(argv[1]) + "-journal";

    for (int i = 2; i < argc; ++i) {
        const CString option = argv[i];
        const bool valued = i + 1 < argc;
        if (option == "--no-time") job.TimeStanpFlg = 0;
        if (option == "--no-attributes") job.SetAttributes.AttribFlg = 0;
        if (option == "--no-lines") job.ExecDispFname = 0;
        if (option == "--workers" && valued) job.Workers = std::atoi(argv[++i]);
        if (option == "--open-delay" && valued) g_openDelayMs = static_cast<DWORD>(std::atoi(argv[++i]));
        if (option == "--abort-after" && valued) window.AbortAfter = std::atol(argv[++i]);
        if (option == "--journal" && valued) journalFolder = argv[++i];
    }
    if (!ToUtf16(journalFolder, engine.Journals.Folder)) {
        std::fprintf(stderr, "the journal folder is no Shift-JIS text\n");
        return 2;
    }
    if (g_openDelayMs != 0) {
        g_realOpen = OpenEntryForChange;
        OpenEntryForChange = SlowOpen;
    }
    window.AbortTarget = CreateAbortTarget(engine);

    const double start = Seconds();
    engine.RunJob();
    const double end = Seconds();
    std::printf("engine run: %.3f s inside the process, %ld log lines, %d workers, at most %zu entries in flight\n",
                end - start, window.Lines, engine.Run.Workers, engine.Run.MostEntriesInFlight);
    if (engine.Run.Outcome == RunOutcome::Refused) std::printf("the run was refused (see the journal folder)\n");
    if (window.AbortPosted != 0) {
        std::printf("abort: posted after %ld done lines, run ended %.3f s later with %ld done lines\n",
                    window.AbortAfter, end - window.AbortPosted, window.DoneLines);
    }
    DestroyWindow(window.AbortTarget);
    return 0;
}
