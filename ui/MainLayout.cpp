// Layout of the main dialog: least and default size, bars, the controls under the tool bar,
// the log view; the fields that follow their switches; hover help.
#include "ui/MainDialog.h"

#include "framework/Seams.h"
#include "res/resource.h"

namespace {

constexpr int kDefaultHeight = 450;

// Every control that sits under the tool bar and moves with it.
const int kControlsUnderToolBar[] = {
    IDC_SEPARATOR,       IDC_SEARCH_GROUP,    IDC_LABEL_PATH,         IDC_SEARCH_PATH,     IDC_BROWSE,
    IDC_LABEL_FILE,      IDC_SEARCH_FILE,     IDC_RECURSIVE,          IDC_LABEL_SEARCH_ATTRIBUTES,
    IDC_SEARCH_ARCHIVE,  IDC_SEARCH_READONLY, IDC_SEARCH_HIDDEN,      IDC_SEARCH_SYSTEM,   IDC_LABEL_SEARCH_MODE,
    IDC_SEARCH_OR,       IDC_SEARCH_AND,      IDC_DATE_START_FLAG,    IDC_DATE_START,      IDC_LABEL_DATE_TILDE,
    IDC_DATE_END_FLAG,   IDC_DATE_END,        IDC_SIZE_START_FLAG,    IDC_SIZE_START,      IDC_LABEL_SIZE_TILDE,
    IDC_SIZE_END_FLAG,   IDC_SIZE_END,        IDC_OPERATION_GROUP,    IDC_LABEL_SET_ATTRIBUTES,
    IDC_SET_ARCHIVE,     IDC_SET_READONLY,    IDC_SET_HIDDEN,         IDC_SET_SYSTEM,      IDC_LABEL_SET_MODE,
    IDC_SET_ON,          IDC_SET_OFF,         IDC_TIMESTAMP_FLAG,     IDC_STAMP_CLOCK,     IDC_STAMP_GIVEN,
    IDC_TIMESTAMP,       IDC_LOG,
};

struct SwitchedField {
    int Switch;
    int Field;
};

const SwitchedField kLimitFields[] = {
    {IDC_DATE_START_FLAG, IDC_DATE_START},
    {IDC_DATE_END_FLAG, IDC_DATE_END},
    {IDC_SIZE_START_FLAG, IDC_SIZE_START},
    {IDC_SIZE_END_FLAG, IDC_SIZE_END},
};

// A click on a switch gives it the focus; the focus goes on to the field the switch governs.
const SwitchedField kFocusMoves[] = {
    {IDC_DATE_START_FLAG, IDC_DATE_START}, {IDC_DATE_END_FLAG, IDC_DATE_END}, {IDC_SIZE_START_FLAG, IDC_SIZE_START},
    {IDC_SIZE_END_FLAG, IDC_SIZE_END},     {IDC_TIMESTAMP_FLAG, IDC_TIMESTAMP}, {IDC_STAMP_GIVEN, IDC_TIMESTAMP},
};

RECT RectInParent(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

SIZE MainDialog::GetDefaultWindowRect(RECT* rect) const {
    HWND group = GetDlgItem(IDC_SEARCH_GROUP);
    if (group == nullptr) return SIZE{0, 0};
    const RECT window = GetWindowRect();
    RECT client = GetClientRect();
    ClientToScreen(client);
    const int border = client.left - window.left;
    const RECT groupRect = RectInParent(group);
    const SIZE size{groupRect.left + groupRect.right + 2 * border, kDefaultHeight};
    if (rect != nullptr) *rect = RECT{window.left, window.top, window.left + size.cx, window.top + size.cy};
    return size;
}

void MainDialog::SetDefaultWindowSize() {
    RECT rect;
    if (GetDefaultWindowRect(&rect).cx == 0) return;  // no group box to measure by
    MoveWindow(rect);
    if (seams::IsKeyDown(VK_CONTROL)) CenterInWorkArea(m_hWnd);
}

void MainDialog::StretchSeparator() {
    HWND separator = GetDlgItem(IDC_SEPARATOR);
    if (separator == nullptr) return;
    const RECT client = GetClientRect();
    const RECT line = RectInParent(separator);
    ::MoveWindow(separator, client.left, line.top, Width(client), Height(line), TRUE);
}

void MainDialog::RecalcLayout() {
    if (IsIconic()) return;
    RECT window = GetWindowRect();
    const SIZE least = GetDefaultWindowRect();
    const bool tooNarrow = Width(window) < least.cx;
    const bool tooLow = Height(window) < kDefaultHeight;
    if (tooNarrow || tooLow) {
        if (tooNarrow) window.right = window.left + least.cx;
        if (tooLow) window.bottom = window.top + kDefaultHeight;
        MoveWindow(window);  // lays out again through its WM_SIZE
        return;
    }

    const RECT client = GetClientRect();
    if (m_toolBar.m_hWnd == nullptr) return;
    const int toolBarHeight = m_toolBar.PlaceAtTop(client);
    StretchSeparator();
    const bool toolBarShown = Settings.ShowToolBar != 0;
    if (m_layoutToolBarShown != toolBarShown) {
        ShiftControlsForToolBar(m_layoutToolBarShown ? -toolBarHeight : toolBarHeight);
        m_layoutToolBarShown = toolBarShown;
    }

    if (m_statusBar.m_hWnd == nullptr) return;
    const int availableBottom = m_statusBar.PlaceAtBottom(client, Settings.ShowStatusBar != 0);

    if (m_log.m_hWnd == nullptr) return;
    const RECT log = m_log.GetRectInParent();
    const int height = availableBottom - log.top - 4;
    if (height < 0) return;
    m_log.MoveWindow(RECT{log.left, log.top, log.left + Width(client) - 2 * log.left, log.top + height});
}

void MainDialog::ShiftControlsForToolBar(int offset) {
    for (int id : kControlsUnderToolBar) {
        HWND control = GetDlgItem(id);
        if (control == nullptr) continue;
        RECT rect = RectInParent(control);
        ::ShowWindow(control, SW_HIDE);
        ::MoveWindow(control, rect.left, rect.top + offset, Width(rect), Height(rect), TRUE);
        ::ShowWindow(control, SW_SHOW);
    }
}

void MainDialog::UpdateDependentControls() {
    for (const SwitchedField& pair : kLimitFields) {
        EnableControl(pair.Field, IsDlgButtonChecked(m_hWnd, pair.Switch) == BST_CHECKED);
    }
    if (IsDlgButtonChecked(m_hWnd, IDC_TIMESTAMP_FLAG) == BST_CHECKED) {
        EnableControl(IDC_STAMP_CLOCK, true);
        EnableControl(IDC_STAMP_GIVEN, true);
        EnableControl(IDC_TIMESTAMP, IsDlgButtonChecked(m_hWnd, IDC_STAMP_GIVEN) == BST_CHECKED);
    } else {
        EnableControl(IDC_STAMP_CLOCK, false);
        EnableControl(IDC_STAMP_GIVEN, false);
        EnableControl(IDC_TIMESTAMP, false);
    }
    const int focused = ::GetDlgCtrlID(::GetFocus());
    for (const SwitchedField& move : kFocusMoves) {
        if (focused == move.Switch) {
            ::SetFocus(GetDlgItem(move.Field));
            break;
        }
    }
}

void MainDialog::EnableControl(int id, bool enable) {
    if (HWND control = GetDlgItem(id)) ::EnableWindow(control, enable ? TRUE : FALSE);
}

void MainDialog::ShowControlHelp() {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(cursor);
    HWND child = ChildWindowFromPointEx(m_hWnd, cursor, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (child == nullptr || child == m_hWnd) return;
    const int id = ::GetDlgCtrlID(child);
    if (id == m_lastHelpControlId) return;
    m_lastHelpControlId = id;
    CString help;
    if (id > 0) {
        help.LoadString(static_cast<unsigned>(id));
    } else {
        char text[256] = "";
        ::GetWindowTextA(child, text, sizeof text);
        help = text;
    }
    Engine.ShowStatus(help);
}

void CenterInWorkArea(HWND window) {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = Width(rect);
    const int height = Height(rect);
    MoveWindow(window, area.left + (Width(area) - width) / 2, area.top + (Height(area) - height) / 2, width, height,
               TRUE);
}
