#include "HeadlessWindow.h"

#include "framework/Seams.h"

namespace {

std::vector<UINT> g_beeps;

void RecordBeep(UINT type) { g_beeps.push_back(type); }

void CopyControlFields(const JobSettings& from, JobSettings& to) {
    to.SearchPath = from.SearchPath;
    to.SearchFile = from.SearchFile;
    to.SearchPathList = from.SearchPathList;
    to.SearchFileList = from.SearchFileList;
    to.Recursive = from.Recursive;
    to.SearchAttributes = from.SearchAttributes;
    to.DateStartFlg = from.DateStartFlg;
    to.DateEndFlg = from.DateEndFlg;
    to.DateRange = from.DateRange;
    to.SizeStartFlg = from.SizeStartFlg;
    to.SizeEndFlg = from.SizeEndFlg;
    to.SizeRange = from.SizeRange;
    to.SetAttributes = from.SetAttributes;
    to.TimeStanpFlg = from.TimeStanpFlg;
    to.SetTimeStanp = from.SetTimeStanp;
}

const UINT kAbortMessage = WM_APP + 1;

LRESULT CALLBACK AbortProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAbortMessage) {
        reinterpret_cast<JobEngine*>(GetWindowLongPtrA(window, GWLP_USERDATA))->Abort();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void HeadlessWindow::AppendLogLine(const char* text, COLORREF color) {
    if (*text == '\0') {
        Log.clear();
        ++LogClears;
        return;
    }
    Log.push_back({text, color});
    if (OnLine) OnLine(Log.back());
}

void HeadlessWindow::ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) {
    for (int i = 0; i < kStatusPaneCount; ++i) {
        if (texts[i] != nullptr) Status[i] = texts[i];
    }
    if (texts[1] != nullptr) Progress.emplace_back(texts[1]);
}

bool HeadlessWindow::TransferJob(JobSettings& job, int direction) {
    if (direction == 0) {
        if (ExchangeFails) return false;
        CopyControlFields(Controls, job);
    } else {
        CopyControlFields(job, Controls);
    }
    return true;
}

void HeadlessWindow::ApplyRunState(bool busy, bool systemBoxesEnabled) {
    BusyStates.push_back(busy);
    SystemBoxStates.push_back(systemBoxesEnabled);
}

std::vector<std::string> HeadlessWindow::Texts() const {
    std::vector<std::string> texts;
    for (const LogLine& line : Log) texts.push_back(line.Text);
    return texts;
}

std::vector<LogLine> HeadlessWindow::LinesWith(const std::string& part) const {
    std::vector<LogLine> lines;
    for (const LogLine& line : Log) {
        if (line.Text.find(part) != std::string::npos) lines.push_back(line);
    }
    return lines;
}

BeepRecorder::BeepRecorder() : m_previous(seams::PlayBeep) {
    g_beeps.clear();
    seams::PlayBeep = RecordBeep;
}

BeepRecorder::~BeepRecorder() { seams::PlayBeep = m_previous; }

const std::vector<UINT>& BeepRecorder::Beeps() const { return g_beeps; }

AbortButton::AbortButton(JobEngine& engine) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = AbortProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FendrixTestAbort";
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    m_window = CreateWindowA("FendrixTestAbort", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                             nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&engine));
}

AbortButton::~AbortButton() { DestroyWindow(m_window); }

void AbortButton::Press() { PostMessageA(m_window, kAbortMessage, 0, 0); }
