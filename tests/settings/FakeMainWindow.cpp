#include "FakeMainWindow.h"

#include "engine/TokenList.h"
#include "framework/Seams.h"

#include <ostream>

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

}  // namespace

bool operator==(const LoggedLine& a, const LoggedLine& b) { return a.Text == b.Text && a.Color == b.Color; }

std::ostream& operator<<(std::ostream& out, const LoggedLine& line) {
    return out << "{\"" << line.Text << "\", 0x" << std::hex << line.Color << std::dec << "}";
}

void FakeMainWindow::AppendLogLine(const char* text, COLORREF color) {
    if (*text == '\0') {
        Log.clear();
        ++LogClears;
        Calls.emplace_back("ClearLog");
        return;
    }
    Log.push_back({text, color});
}

void FakeMainWindow::ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) {
    for (int i = 0; i < kStatusPaneCount; ++i) {
        if (texts[i] != nullptr) Status[i] = texts[i];
    }
    Calls.emplace_back("Status");
}

bool FakeMainWindow::TransferJob(JobSettings& job, int direction) {
    Calls.emplace_back(direction == 0 ? "TakeJob" : "ShowJob");
    if (direction == 0) {
        if (ExchangeFails) return false;
        CopyControlFields(Controls, job);
    } else {
        CopyControlFields(job, Controls);
        // Like the dialog data exchange, the transfer ticks the boxes of the masks and unticks none.
        TickedSearchBoxes |= job.SearchAttributes.AttribFlg;
        TickedSetBoxes |= job.SetAttributes.AttribFlg;
    }
    return true;
}

void FakeMainWindow::ShowOptionMarks(const OptionMarks& marks) {
    Marks = marks;
    Calls.emplace_back("Marks");
}

void FakeMainWindow::UntickAttributeBoxes() {
    TickedSearchBoxes = 0;
    TickedSetBoxes = 0;
    Calls.emplace_back("UntickAttributes");
}

void FakeMainWindow::SelectFirstHistoryEntries() {
    if (!Controls.SearchPathList.empty()) Controls.SearchPath = Controls.SearchPathList.front();
    if (!Controls.SearchFileList.empty()) Controls.SearchFile = Controls.SearchFileList.front();
    Calls.emplace_back("SelectFirst");
}

void FakeMainWindow::ShowBars() {
    std::string call = "ShowBars";
    if (Store != nullptr) {
        call += " T" + std::to_string(Store->ShowToolBar) + " S" + std::to_string(Store->ShowStatusBar);
    }
    Calls.push_back(call);
}

DialogScript::DialogScript() : m_previousBeep(seams::PlayBeep), m_previousBox(seams::ShowMessageBox) {
    g_answers.clear();
    g_boxes.clear();
    g_beeps.clear();
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
    EXPECT_EQ(written, bytes.size());
}

std::string ReadWholeFile(const char* path) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::vector<std::string> FilesIn(const CString& directory, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA record;
    const HANDLE search = FindFirstFileA(JoinPath(directory, pattern), &record);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = record.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &record));
    FindClose(search);
    return names;
}

CString Profile(const char* section, const char* key, const char* file) {
    char value[4096];
    const DWORD length = GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file);
    return CString(value, static_cast<int>(length));
}
