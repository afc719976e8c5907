// The main dialog as the window of the engine and of the settings: the job's transfer
// between record and controls, the run state, the option marks.
#include "ui/MainDialog.h"

#include "engine/LogPalette.h"
#include "engine/Switches.h"
#include "framework/Seams.h"
#include "res/resource.h"

#include <cstdio>
#include <utility>

namespace {

struct AttributeBox {
    int Id;
    DWORD Bit;
};

// In the order the masks are rebuilt: Archive, ReadOnly, Hidden, System.
const AttributeBox kSearchBoxes[] = {{IDC_SEARCH_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE},
                                     {IDC_SEARCH_READONLY, FILE_ATTRIBUTE_READONLY},
                                     {IDC_SEARCH_HIDDEN, FILE_ATTRIBUTE_HIDDEN},
                                     {IDC_SEARCH_SYSTEM, FILE_ATTRIBUTE_SYSTEM}};
const AttributeBox kSetBoxes[] = {{IDC_SET_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE},
                                  {IDC_SET_READONLY, FILE_ATTRIBUTE_READONLY},
                                  {IDC_SET_HIDDEN, FILE_ATTRIBUTE_HIDDEN},
                                  {IDC_SET_SYSTEM, FILE_ATTRIBUTE_SYSTEM}};

// Enabled only while no run is in progress, in this order.
const int kJobControls[] = {
    IDC_SEARCH_PATH,     IDC_BROWSE,         IDC_SEARCH_FILE,     IDC_RECURSIVE,      IDC_SEARCH_ARCHIVE,
    IDC_SEARCH_READONLY, IDC_SEARCH_HIDDEN,  IDC_SEARCH_SYSTEM,   IDC_SEARCH_OR,      IDC_SEARCH_AND,
    IDC_DATE_START_FLAG, IDC_DATE_START,     IDC_DATE_END_FLAG,   IDC_DATE_END,       IDC_SIZE_START_FLAG,
    IDC_SIZE_START,      IDC_SIZE_END_FLAG,  IDC_SIZE_END,        IDC_SET_ARCHIVE,    IDC_SET_READONLY,
    IDC_SET_HIDDEN,      IDC_SET_SYSTEM,     IDC_SET_ON,          IDC_SET_OFF,        IDC_TIMESTAMP_FLAG,
    IDC_STAMP_CLOCK,     IDC_STAMP_GIVEN,    IDC_TIMESTAMP,
};

const UINT kIdleCommands[] = {ID_FILE_NEW,     ID_TOOL_EXECUTE, ID_TOOL_CLEAR_HISTORY, ID_APP_EXIT,
                              ID_FILE_OPEN,    ID_FILE_SAVE,    ID_FILE_SAVE_AS,       ID_TOOL_UNDO,
                              ID_FILE_SAVE_LOG, ID_TOOL_PREVIEW};

const int kJobCheckBoxes[] = {
    IDC_SEARCH_ARCHIVE, IDC_SEARCH_READONLY, IDC_SEARCH_HIDDEN, IDC_SEARCH_SYSTEM, IDC_DATE_START_FLAG,
    IDC_DATE_END_FLAG,  IDC_SIZE_START_FLAG, IDC_SIZE_END_FLAG, IDC_SET_ARCHIVE,   IDC_SET_READONLY,
    IDC_SET_HIDDEN,     IDC_SET_SYSTEM,      IDC_TIMESTAMP_FLAG,
};

constexpr double kLargestSize = 4294967295.0;

DWORD MaskFromBoxes(HWND dialog, const AttributeBox (&boxes)[4]) {
    DWORD mask = 0;
    for (const AttributeBox& box : boxes) {
        if (IsDlgButtonChecked(dialog, box.Id) == BST_CHECKED) mask |= box.Bit;
    }
    return mask;
}

void TickBoxesOfMask(HWND dialog, const AttributeBox (&boxes)[4], DWORD mask) {
    for (const AttributeBox& box : boxes) {
        if ((mask & box.Bit) != 0) CheckDlgButton(dialog, box.Id, BST_CHECKED);
    }
}

std::vector<CString> ComboItems(HWND combo) {
    std::vector<CString> items;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(ComboListText(combo, i));
    return items;
}

void FillCombo(HWND combo, const std::vector<CString>& items) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const CString& item : items) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(item)));
    }
}

}  // namespace

void MainDialog::DoDataExchange(CDataExchange* dx) {
    JobSettings& job = *m_exchangeJob;
    DDX_Radio(dx, IDC_SEARCH_OR, job.SearchAttributes.AttribJokn);
    DDX_Radio(dx, IDC_SET_ON, job.SetAttributes.AttribJokn);
    DDX_CBString(dx, IDC_SEARCH_FILE, job.SearchFile);
    DDX_CBString(dx, IDC_SEARCH_PATH, job.SearchPath);
    DDX_Radio(dx, IDC_STAMP_CLOCK, job.SetTimeStanp.TimeStanpJokn);
    DDX_Check(dx, IDC_RECURSIVE, job.Recursive);
    DDX_Check(dx, IDC_DATE_END_FLAG, job.DateEndFlg);
    DDX_Check(dx, IDC_DATE_START_FLAG, job.DateStartFlg);
    DDX_Check(dx, IDC_TIMESTAMP_FLAG, job.TimeStanpFlg);
    DDX_Check(dx, IDC_SIZE_END_FLAG, job.SizeEndFlg);
    DDX_Check(dx, IDC_SIZE_START_FLAG, job.SizeStartFlg);
}

bool MainDialog::TakeSizeFromField(CNumberCmbBox& field, DWORD& size, const char* name) {
    const double value = field.GetValue();
    if (value > kLargestSize) {
        // The job holds 32-bit sizes; a larger limit must not silently become a smaller one.
        CString warning;
        warning.Format("Warning : %sは 4294967295 ﾊﾞｲﾄ以下で指定してください。", name);
        seams::PlayBeep(MB_ICONASTERISK);
        AppendLogLine(warning, LogColor::Red);
        return false;
    }
    size = value > 0 ? static_cast<DWORD>(value) : 0;
    return true;
}

bool MainDialog::TransferJob(JobSettings& job, int direction) {
    if (direction == 0) return TakeJobFromControls(job);
    KeepSwitchBoxes(job);
    m_exchangeJob = &job;
    TickBoxesOfMask(m_hWnd, kSearchBoxes, job.SearchAttributes.AttribFlg);
    TickBoxesOfMask(m_hWnd, kSetBoxes, job.SetAttributes.AttribFlg);
    FillCombo(GetDlgItem(IDC_SEARCH_PATH), job.SearchPathList);
    FillCombo(GetDlgItem(IDC_SEARCH_FILE), job.SearchFileList);
    m_dateStart.SetDateValue(job.DateRange.Start);
    m_dateEnd.SetDateValue(job.DateRange.End);
    m_sizeStart.SetValue(job.SizeRange.Start);
    m_sizeEnd.SetValue(job.SizeRange.End);
    m_timeStamp.SetDateValue(job.SetTimeStanp.TimeStanpVal);
    UpdateData(FALSE);
    return true;
}

// Every value is taken even when a size is refused (that one keeps its old value), so a save
// that goes on after the data check loses nothing the user typed.
bool MainDialog::TakeJobFromControls(JobSettings& job) {
    m_exchangeJob = &job;
    job.DateRange.Start = m_dateStart.GetValueText();
    job.DateRange.End = m_dateEnd.GetValueText();
    const bool sizesTaken = TakeSizeFromField(m_sizeStart, job.SizeRange.Start, "最小ｻｲｽﾞ") &
                            TakeSizeFromField(m_sizeEnd, job.SizeRange.End, "最大ｻｲｽﾞ");
    job.SetTimeStanp.TimeStanpVal = m_timeStamp.GetValueText();
    const bool controlsTaken = UpdateData(TRUE) != FALSE;
    job.SearchAttributes.AttribFlg = MaskFromBoxes(m_hWnd, kSearchBoxes);
    job.SetAttributes.AttribFlg = MaskFromBoxes(m_hWnd, kSetBoxes);
    job.SearchPathList = ComboItems(GetDlgItem(IDC_SEARCH_PATH));
    job.SearchFileList = ComboItems(GetDlgItem(IDC_SEARCH_FILE));
    return sizesTaken && controlsTaken;
}

// A transfer to the controls leaves the five switch boxes as they are; a settings file that
// holds the switches ticks them before (TickSwitchBoxes).
void MainDialog::KeepSwitchBoxes(JobSettings& job) const {
    auto ticked = [this](int id) { return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED ? 1 : 0; };
    job.DateStartFlg = ticked(IDC_DATE_START_FLAG);
    job.DateEndFlg = ticked(IDC_DATE_END_FLAG);
    job.SizeStartFlg = ticked(IDC_SIZE_START_FLAG);
    job.SizeEndFlg = ticked(IDC_SIZE_END_FLAG);
    job.TimeStanpFlg = ticked(IDC_TIMESTAMP_FLAG);
}

void MainDialog::AppendLogLine(const char* text, COLORREF color) {
    if (m_log.m_hWnd != nullptr) m_log.AppendText(text, color);
}

void MainDialog::ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) {
    if (m_statusBar.m_hWnd != nullptr) m_statusBar.ShowTexts(texts);
}

void MainDialog::ApplyRunState(bool busy, bool systemBoxesEnabled) {
    for (int id : kJobControls) {
        const bool systemBox = id == IDC_SEARCH_SYSTEM || id == IDC_SET_SYSTEM;
        EnableControl(id, systemBox ? systemBoxesEnabled : !busy);
    }
    HMENU menu = GetMenu();
    for (UINT id : kIdleCommands) EnableMenuItem(menu, id, MF_BYCOMMAND | (busy ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, ID_TOOL_ABORT, MF_BYCOMMAND | (busy ? MF_ENABLED : MF_GRAYED));
    if (m_toolBar.m_hWnd != nullptr) m_toolBar.SetRunState(busy);
}

void MainDialog::ShowOptionMarks(const OptionMarks& marks) {
    HMENU menu = GetMenu();
    auto check = [menu](UINT id, bool on) { CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); };
    check(ID_VIEW_TOOLBAR, Settings.ShowToolBar != 0);
    check(ID_VIEW_STATUS_BAR, Settings.ShowStatusBar != 0);
    check(ID_OPTION_SHOW_DIRECTORIES, marks.ExecDispSubDir);
    check(ID_OPTION_SHOW_FILES, marks.ExecDispFname);
    check(ID_OPTION_SHOW_UNCHANGED, marks.ExecDispNopFname);
    check(ID_OPTION_SHOW_SKIPPED, marks.ExecDispSkipped);
    check(ID_OPTION_SORT, marks.SortFile);
    check(ID_OPTION_SKIP_SYSTEM, marks.SystemFileSkip);
    check(ID_OPTION_CLOCK_PER_FILE, marks.SystemClockReadMode);
    const UINT detailState = MF_BYCOMMAND | (marks.EntryDetailItemsEnabled ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, ID_OPTION_SHOW_UNCHANGED, detailState);
    EnableMenuItem(menu, ID_OPTION_SHOW_SKIPPED, detailState);
    for (int id : {IDC_SEARCH_SYSTEM, IDC_SET_SYSTEM}) {
        if (!marks.SystemBoxesEnabled) CheckDlgButton(m_hWnd, id, BST_UNCHECKED);
        // During a run the boxes stay disabled with all the job's controls.
        EnableControl(id, marks.SystemBoxesEnabled && Engine.Run.Busy == 0);
    }
}

void MainDialog::UntickJobCheckBoxes() {
    for (int id : kJobCheckBoxes) CheckDlgButton(m_hWnd, id, BST_UNCHECKED);
}

void MainDialog::UntickAttributeBoxes() {
    for (const AttributeBox& box : kSearchBoxes) CheckDlgButton(m_hWnd, box.Id, BST_UNCHECKED);
    for (const AttributeBox& box : kSetBoxes) CheckDlgButton(m_hWnd, box.Id, BST_UNCHECKED);
}

void MainDialog::TickSwitchBoxes(const JobSettings& job) {
    const std::pair<int, int> boxes[] = {{IDC_DATE_START_FLAG, job.DateStartFlg}, {IDC_DATE_END_FLAG, job.DateEndFlg},
                                         {IDC_SIZE_START_FLAG, job.SizeStartFlg}, {IDC_SIZE_END_FLAG, job.SizeEndFlg},
                                         {IDC_TIMESTAMP_FLAG, job.TimeStanpFlg}};
    for (const auto& [id, on] : boxes) CheckDlgButton(m_hWnd, id, IsOn(on) ? BST_CHECKED : BST_UNCHECKED);
    UpdateDependentControls();
}

void MainDialog::SelectFirstHistoryEntries() {
    for (int id : {IDC_SEARCH_PATH, IDC_SEARCH_FILE}) {
        HWND combo = GetDlgItem(id);
        // Without a history the text is empty, not what the box held before the load.
        if (::SendMessageA(combo, CB_SETCURSEL, 0, 0) == CB_ERR) ::SetWindowTextA(combo, "");
    }
}

// The placement gives the restored rectangle in workspace coordinates, whose origin is the
// corner of the work area: with a task bar at the top or left that is not the screen's. It is
// stored, and applied at start-up, in screen coordinates.
RECT MainDialog::GetNormalWindowRect() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(m_hWnd, &placement);
    RECT rect = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
        ::OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rect;
}

void MainDialog::ShowBars() {
    if (m_toolBar.m_hWnd != nullptr) m_toolBar.ShowWindow(Settings.ShowToolBar != 0 ? SW_SHOW : SW_HIDE);
    if (m_statusBar.m_hWnd != nullptr) m_statusBar.ShowWindow(Settings.ShowStatusBar != 0 ? SW_SHOW : SW_HIDE);
}
