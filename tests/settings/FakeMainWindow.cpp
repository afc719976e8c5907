#include "FakeMainWindow.h"

#include "framework/Seams.h"

#include <deque>
#include <sstream>

namespace {

std::deque<int> g_answers;
std::vector<MessageBoxCall> g_boxes;
std::vector<UINT> g_beeps;

void RecordBeep(UINT type) { g_beeps.push_back(type); }

int AnswerBox(HWND owner, const char* text, const char* title, UINT type) {
    g_boxes.push_back({owner, text, title, type});
    if (g_answers.empty()) return IDCANCEL;
    const int answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const LoggedLine& line) {
    return out << "{\"" << line.Text << "\", 0x" << std::hex << line.Color << std::dec << "}";
}

void FakeMainWindow::AppendLogLine(const char* text, COLORREF color) {
    if (*text == '\0') {
        Log.clear();
        Calls.emplace_back("ClearLog");
    } else {
        Log.push_back({text, color});
    }
}

void FakeMainWindow::ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) {
    for (int i = 0; i < kStatusPaneCount; ++i) {
        if (texts[i] != nullptr) Status[i] = texts[i];
    }
    Calls.emplace_back("Status");
}

bool FakeMainWindow::TransferJob(JobSettings& job, int direction) {
    Calls.emplace_back(direction == 0 ? "TakeJob" : "ShowJob");
    if (direction != 0) {
        Controls = job;
        TickedBoxes |= job.SearchAttributes.AttribFlg | job.SetAttributes.AttribFlg << 8;
        return true;
    }
    if (ExchangeFails) return false;
    JobSettings taken = Controls;  // the options are no controls of the job
    taken.SortFile = job.SortFile;
    taken.SystemFileSkip = job.SystemFileSkip;
    taken.SystemClockReadMode = job.SystemClockReadMode;
    taken.ExecDispFname = job.ExecDispFname;
    taken.ExecDispNopFname = job.ExecDispNopFname;
    taken.ExecDispSubDir = job.ExecDispSubDir;
    taken.ExecDispSkipped = job.ExecDispSkipped;
    job = taken;
    return true;
}

void FakeMainWindow::ShowOptionMarks(const OptionMarks& marks) {
    Marks = marks;
    Calls.emplace_back("Marks");
}

void FakeMainWindow::UntickAttributeBoxes() {
    TickedBoxes = 0;
    Calls.emplace_back("Untick");
}

void FakeMainWindow::SelectFirstHistoryEntries() {
    if (!Controls.SearchPathList.empty()) Controls.SearchPath = Controls.SearchPathList.front();
    if (!Controls.SearchFileList.empty()) Controls.SearchFile = Controls.SearchFileList.front();
    Calls.emplace_back("SelectFirst");
}

void FakeMainWindow::ShowBars() {
    Calls.push_back("ShowBars T" + std::to_string(Store->ShowToolBar) + " S" + std::to_string(Store->ShowStatusBar));
}

DialogScript::DialogScript() : m_previousBeep(seams::PlayBeep), m_previousBox(seams::ShowMessageBox) {
    g_answers.clear();
    Clear();
    seams::PlayBeep = RecordBeep;
    seams::ShowMessageBox = AnswerBox;
}

DialogScript::~DialogScript() {
    seams::PlayBeep = m_previousBeep;
    seams::ShowMessageBox = m_previousBox;
}

void DialogScript::Answer(int button) { g_answers.push_back(button); }

void DialogScript::Clear() {
    g_boxes.clear();
    g_beeps.clear();
}

const std::vector<MessageBoxCall>& DialogScript::Boxes() const { return g_boxes; }

const std::vector<UINT>& DialogScript::Beeps() const { return g_beeps; }

void WriteWholeFile(const char* path, const std::string& bytes) {
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadWholeFile(const char* path) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<none>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

int CountFiles(const CString& pattern) {
    WIN32_FIND_DATAA record;
    const HANDLE search = FindFirstFileA(pattern, &record);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 1;
    while (FindNextFileA(search, &record)) ++count;
    FindClose(search);
    return count;
}

std::string Profile(const char* section, const char* key, const char* file) {
    char value[4096];
    const DWORD length = GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file);
    return std::string(value, length);
}

std::vector<std::string> Keys(const char* section, const char* file) {
    std::vector<std::string> keys;
    for (const CString& key : ListKeys(section, file)) keys.push_back(key.Str());
    return keys;
}

std::string SettingsTest::Describe() const {
    const JobSettings& j = engine.Job;
    const RECT& r = store.WindowRect;
    std::ostringstream out;
    out << "D" << j.ExecDispSubDir << " F" << j.ExecDispFname << " N" << j.ExecDispSkipped << " O"
        << j.ExecDispNopFname << " C" << j.SystemClockReadMode << " P" << j.SystemFileSkip << " S" << j.SortFile
        << " R" << j.Recursive << " bars " << store.ShowToolBar << store.ShowStatusBar << " pos " << r.left << ","
        << r.top << "," << r.right << "," << r.bottom << " paths";
    for (const CString& path : j.SearchPathList) out << " [" << path.Str() << "]";
    out << " files";
    for (const CString& file : j.SearchFileList) out << " [" << file.Str() << "]";
    out << " search " << j.SearchAttributes.AttribFlg << "/" << j.SearchAttributes.AttribJokn << " set "
        << j.SetAttributes.AttribFlg << "/" << j.SetAttributes.AttribJokn << " dates [" << j.DateRange.Start.Str()
        << "][" << j.DateRange.End.Str() << "] sizes " << j.SizeRange.Start << "-" << j.SizeRange.End << " stamp "
        << j.SetTimeStanp.TimeStanpJokn << " [" << j.SetTimeStanp.TimeStanpVal.Str() << "]";
    return out.str();
}
