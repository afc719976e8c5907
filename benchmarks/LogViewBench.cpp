// Appends the lines of a long run to the log view in a shown window, as a run does, and
// prints the time taken. With --show SECONDS [busy] it instead fills a window with the log
// view and both bars as a run leaves them (busy: as a run shows them, with the tool bar of
// an older common-controls library) and keeps it on screen.
#include "Stopwatch.h"
#include "engine/LogPalette.h"
#include "ui/ExecutionLog.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Window {
    CWnd Frame;
    ExecutionLog Log;
    MainStatusBar Status;
    MainToolBar Tools;

    explicit Window(const CommonControlsLevel& level = GetCommonControlsLevel()) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        Frame.CreateEx(0, nullptr, "Solvik:Quorlane", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                       RECT{20, 20, 700, 520}, nullptr, 0);
        const RECT client = Frame.GetClientRect();
        CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 8, 40, client.right - 16, 200, Frame.m_hWnd,
                        reinterpret_cast<HMENU>(1021), GetModuleHandleA(nullptr), nullptr);
        Log.StyleBits |= ES_DISABLENOSCROLL;
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

int Benchmark(int lines) {
    Window window;
    const char* busy[kStatusPaneCount] = {"Buzy", nullptr, "D", "F", "N", "", "", "P", "S"};
    char line[160];
    char progress[160];
    window.Log.AppendText("", 0);
    const int step = lines >= 4 ? lines / 4 : 1;
    const double cpuStart = CpuSeconds();
    const double start = Seconds();
    double last = start;
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, "    done : -a--- 2024/01/02 03:04:05 %10d C:\\Data\\ﾌｧｲﾙ\\file%05d.txt", i * 7, i);
        std::snprintf(progress, sizeof progress, "○ 処理中... C:\\Data\\ﾌｧｲﾙ\\file%05d.txt", i);
        busy[1] = progress;
        window.Status.ShowTexts(busy);
        window.Log.AppendText(line, i % 3 == 0 ? LogColor::Navy : LogColor::Olive);
        Pump();  // as the run does between files
        if ((i + 1) % step == 0) {
            const double now = Seconds();
            std::printf("%6d lines: %.2f s, %.2f s of processor time (last %d: %.2f s)\n", i + 1, now - start,
                        CpuSeconds() - cpuStart, step, now - last);
            std::fflush(stdout);
            last = now;
        }
    }
    const double elapsed = Seconds() - start;
    std::printf("%d lines of %d characters appended in %.2f s (%.0f lines/s), %.2f s of processor time; limit %ld, "
                "line count %d\n",
                lines, static_cast<int>(std::strlen(line)), elapsed, lines / elapsed, CpuSeconds() - cpuStart,
                window.Log.GetLimitText(), window.Log.GetLineCount());
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
    return Benchmark(argc >= 2 ? std::atoi(argv[1]) : 20000);
}
