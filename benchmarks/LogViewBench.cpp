// Appends the lines of a long run to the log view in a shown window, as a run does, and
// prints what a line costs early and late in the run, the peak working set as the log grows,
// and the time from the end banner to an idle window. With --show SECONDS [busy] it instead
// fills a window with the log view and both bars as a run leaves them (busy: as a run shows
// them, with the tool bar of an older common-controls library) and keeps it on screen.
#include "Stopwatch.h"
#include "engine/LogPalette.h"
#include "ui/ExecutionLog.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double PeakWorkingSetMB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

const char* BuildName() { return sizeof(void*) == 8 ? "x86_64" : "i686"; }

struct Window {
    CWnd Frame;
    ExecutionLog Log;
    MainStatusBar Status;
    MainToolBar Tools;

    explicit Window(const CommonControlsLevel& level = GetCommonControlsLevel()) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        Frame.CreateEx(0, nullptr, "log_view_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                       RECT{20, 20, 700, 520}, nullptr, 0);
        const RECT client = Frame.GetClientRect();
        CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 8, 40, client.right - 16, 200, Frame.m_hWnd,
                        reinterpret_cast<HMENU>(1021), GetModuleHandleA(nullptr), nullptr);
        Log.StyleBits |= ExecutionLog::kKeepVerticalBar;
        Log.CreateInPlace(1021, 108, &Frame, "ＭＳ ゴシック", 9);
        Status.Create(&Frame, true);
        Tools.Create(&Frame, true, level);
        const int top = Tools.PlaceAtTop(client);
        const int bottom = Status.PlaceAtBottom(client, true);
        Log.MoveWindow(RECT{8, top + 8, client.right - 8, bottom - 4});
        Pump();
    }
};

const char* const kIdleStatus[kStatusPaneCount] = {"ﾚﾃﾞｨ", "", "D", "F", "N", "", "", "P", "S"};

// Whether the screen shows a pixel of the colour in the view: the view as it is on screen,
// copied into memory and searched there.
bool ScreenShows(HWND view, COLORREF colour) {
    RECT client;
    GetClientRect(view, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(view);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool found = false;
    if (bitmap != nullptr) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        const auto* pixels = static_cast<const DWORD*>(bits);
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        for (long i = 0; i < static_cast<long>(client.right) * client.bottom && !found; ++i) {
            found = (pixels[i] & 0xFFFFFF) == wanted;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(view, screen);
    return found;
}

// The lines after the last entry, as a run writes them, and the window back to ready.
void EndRun(Window& window, int total) {
    window.Log.AppendText("------------------------------------------------", LogColor::Black);
    const std::string summary = "処理総数 : " + std::to_string(total) + " 件\r\n";
    window.Log.AppendText(summary.c_str(), LogColor::Green);
    window.Log.AppendText("* * * * * * * * * * 処理終了 * * * * * * * * * *", LogColor::Blue);
    window.Tools.SetRunState(false);
    window.Status.ShowTexts(kIdleStatus);
}

int Benchmark(int lines) {
    Window window;
    const char* busy[kStatusPaneCount] = {"Buzy", nullptr, "D", "F", "N", "", "", "P", "S"};
    char line[160];
    char progress[160];
    window.Log.AppendText("", 0);
    window.Log.AppendText("* * * * * * * * * * 処理開始 * * * * * * * * * *", LogColor::Blue);
    window.Tools.SetRunState(true);
    Pump();
    const double baseline = PeakWorkingSetMB();
    std::printf("Build: %s; %d lines; peak working set before the first line: %.1f MB\n", BuildName(), lines, baseline);

    // Per tenth of the run: the wall clock and the processor time of the whole loop (status
    // bar, append, pumping and the repaints it lets through), and the time inside AppendText.
    struct Tenth {
        double Wall, Cpu, Append;
    };
    double slowest = 0;  // one AppendText, in this tenth
    const int tenth = lines >= 10 ? lines / 10 : 1;
    std::vector<Tenth> tenths;
    const double cpuStart = CpuSeconds();
    const double start = Seconds();
    Tenth mark{start, cpuStart, 0};
    double appending = 0;
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, "    done : -a--- 2024/01/02 03:04:05 %10d C:\\Data\\ﾌｧｲﾙ\\file%06d.txt", i * 7, i);
        std::snprintf(progress, sizeof progress, "○ 処理中... C:\\Data\\ﾌｧｲﾙ\\file%06d.txt", i);
        busy[1] = progress;
        window.Status.ShowTexts(busy);
        const double before = Seconds();
        window.Log.AppendText(line, i % 3 == 0 ? LogColor::Navy : LogColor::Olive);
        const double took = Seconds() - before;
        appending += took;
        slowest = took > slowest ? took : slowest;
        Pump();  // as the run does between files
        if ((i + 1) % tenth == 0) {
            const Tenth now{Seconds(), CpuSeconds(), appending};
            tenths.push_back(Tenth{now.Wall - mark.Wall, now.Cpu - mark.Cpu, now.Append - mark.Append});
            const Tenth& last = tenths.back();
            std::printf("%7d lines: %6.2f s; a line: %6.1f us (%6.1f us of processor time, %5.2f us in AppendText, "
                        "slowest %.1f ms); peak working set %.1f MB\n",
                        i + 1, now.Wall - start, 1e6 * last.Wall / tenth, 1e6 * last.Cpu / tenth,
                        1e6 * last.Append / tenth, 1e3 * slowest, PeakWorkingSetMB());
            slowest = 0;
            std::fflush(stdout);
            mark = now;
        }
        if (i + 1 == 100000 || i + 1 == 200000) {
            const double peak = PeakWorkingSetMB();
            std::printf("peak working set at %d lines: %.1f MB (%.0f bytes a line over the start)\n", i + 1, peak,
                        (peak - baseline) * 1024.0 * 1024.0 / (i + 1));
        }
    }
    const double elapsed = Seconds() - start;
    std::printf("%d lines of %d bytes appended in %.2f s (%.0f lines/s), %.2f s of processor time; peak working set "
                "%.1f MB\n",
                lines, static_cast<int>(std::strlen(line)), elapsed, lines / elapsed, CpuSeconds() - cpuStart,
                PeakWorkingSetMB());
    if (tenths.size() >= 2) {
        const Tenth& first = tenths.front();
        const Tenth& last = tenths.back();
        const auto perLine = [tenth](double seconds) { return 1e6 * seconds / tenth; };
        std::printf("a line, first tenth -> last tenth: %.1f -> %.1f us (ratio %.2f); processor time %.1f -> %.1f us "
                    "(ratio %.2f); in AppendText %.2f -> %.2f us (ratio %.2f)\n",
                    perLine(first.Wall), perLine(last.Wall), last.Wall / first.Wall, perLine(first.Cpu),
                    perLine(last.Cpu), last.Cpu / first.Cpu, perLine(first.Append), perLine(last.Append),
                    last.Append / first.Append);
    }

    const double endStart = Seconds();
    EndRun(window, lines);
    double drawn = 0;
    for (;;) {
        Pump();
        if (drawn == 0 && ScreenShows(window.Log.m_hWnd, LogColor::Blue)) drawn = Seconds() - endStart;
        if (drawn != 0 && GetQueueStatus(QS_ALLINPUT) == 0) break;
        if (Seconds() - endStart > 60) break;
        Sleep(1);
    }
    std::printf("end banner to idle window: %.3f s (banner on screen after %.3f s); line count %d\n",
                Seconds() - endStart, drawn, window.Log.GetLineCount());
    return 0;
}

// Busy: the bar of an older library as a run shows it.
int Show(int seconds, bool busy) {
    Window window(busy ? CommonControlsLevelOf(4, 0) : GetCommonControlsLevel());
    window.Tools.SetRunState(busy);
    struct Sample {
        const char* Text;
        COLORREF Colour;
    };
    const Sample samples[] = {
        {"* * * * * * * * * * 処理開始 * * * * * * * * * *", LogColor::Blue},
        {"処理対象 : C:\\作業\\資料 (*.txt;*.doc)", LogColor::Green},
        {" ﾃﾞｨﾚｸﾄﾘ : C:\\作業\\資料 (*.txt;*.doc)", LogColor::Black},
        {"    done : -a--- 2024/01/02 03:04:05         10 報告書.txt", LogColor::Navy},
        {"    skip : -a--- 2023/12/31 23:59:59       2048 議事録.doc", LogColor::Grey},
        {"     nop : -ar-- 2024/01/02 03:04:05     123456 予定表.txt", LogColor::Olive},
        {"  ﾀｲﾑｽﾀﾝﾌﾟの変更に失敗しました。 : C:\\作業\\資料\\使用中.doc", LogColor::Red},
        {"処理  数 : 1 件 (C:\\作業\\資料)\r\n", LogColor::Green},
        {"\r\n※ 処理は中止されました。\r\n", LogColor::Magenta},
        {"------------------------------------------------", LogColor::Black},
        {"処理総数 : 1 件\r\n", LogColor::Green},
        {"* * * * * * * * * * 処理終了 * * * * * * * * * *", LogColor::Blue},
        {"SystemFileSkip : ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする", LogColor::Teal},
    };
    for (const Sample& sample : samples) window.Log.AppendText(sample.Text, sample.Colour);
    const char* texts[kStatusPaneCount] = {busy ? "Buzy" : "ﾚﾃﾞｨ", "○ 処理中... C:\\作業\\資料\\報告書.txt", "D", "F", "N", "O", "C",
                                           "P", "S"};
    window.Status.ShowTexts(texts);
    const double end = Seconds() + seconds;
    while (Seconds() < end) {
        Pump();
        Sleep(20);
    }
    window.Status.ShowTexts(kIdleStatus);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--show") == 0) {
        return Show(argc >= 3 ? std::atoi(argv[2]) : 10, argc >= 4 && std::strcmp(argv[3], "busy") == 0);
    }
    return Benchmark(argc >= 2 ? std::atoi(argv[1]) : 200000);
}
