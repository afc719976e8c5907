// Construction, start-up, closing and the messages of the main dialog.
#include "ui/MainDialog.h"

#include "framework/Seams.h"
#include "res/resource.h"
#include "ui/Commands.h"

namespace {

constexpr UINT_PTR kAutoRunTimer = 1;

struct EntryFieldPlace {
    UINT Placeholder;
    UINT Id;
    UINT FollowsInTabOrder;
};

}  // namespace

MainDialog::MainDialog(CWnd* parent)
    : CDialog(IDD_MAIN, parent),
      Engine(*this),
      Undo(Engine),
      Settings(Engine, *this),
      m_icon(static_cast<HICON>(
          LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_FENDRIX), IMAGE_ICON,
                     GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR))) {}

MainDialog::~MainDialog() {
    DestroyWindow();
    if (m_icon != nullptr) DestroyIcon(m_icon);
}

BOOL MainDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));

    m_log.StyleBits |= ExecutionLog::kKeepVerticalBar;
    m_log.CreateInPlace(IDC_LOG_PLACEHOLDER, IDC_LOG, this, "ＭＳ ゴシック", 9);
    CreateEntryFields();

    Engine.Journals.Folder = SettingsStore::JournalFolder();
    Settings.Load(StartupSettingsPath);
    EnableMenuItem(GetMenu(), ID_TOOL_ABORT, MF_BYCOMMAND | MF_GRAYED);
    m_menu.AttachToWindowMenu(this);
    RegisterMenuIcons(m_menu);

    m_statusBar.Create(this, Settings.ShowStatusBar != 0);
    Engine.ShowStatus();
    m_toolBar.Create(this, Settings.ShowToolBar != 0);

    StretchSeparator();

    // A rectangle saved with another arrangement of monitors may lie on none of these.
    const RECT& stored = Settings.WindowRect;
    if (stored.right - stored.left != 0 && stored.bottom - stored.top != 0 &&
        ::MonitorFromRect(&stored, MONITOR_DEFAULTTONULL) != nullptr) {
        MoveWindow(stored);
    } else {
        SetDefaultWindowSize();
        CenterInWorkArea(m_hWnd);
    }
    RecalcLayout();  // the move causes no layout when the size stays the same
    UpdateDependentControls();
    if (AutoRun == 1) SetTimer(kAutoRunTimer, 1000);
    return TRUE;
}

void MainDialog::CreateEntryFields() {
    m_dateStart.Create(IDC_DATE_START_PLACEHOLDER, IDC_DATE_START, this, nullptr, 9);
    m_dateEnd.Create(IDC_DATE_END_PLACEHOLDER, IDC_DATE_END, this, nullptr, 9);
    m_sizeStart.Create(IDC_SIZE_START_PLACEHOLDER, IDC_SIZE_START, this, nullptr, 9);
    m_sizeEnd.Create(IDC_SIZE_END_PLACEHOLDER, IDC_SIZE_END, this, nullptr, 9);
    m_timeStamp.Create(IDC_TIMESTAMP_PLACEHOLDER, IDC_TIMESTAMP, this, nullptr, 9);
    for (CNumberCmbBox* size : {&m_sizeStart, &m_sizeEnd}) {
        size->SetRange(0, 99999999999.0);
        size->SetIntegerOnly(TRUE);
    }
    const EntryFieldPlace order[] = {
        {IDC_DATE_START_PLACEHOLDER, IDC_DATE_START, IDC_DATE_START_FLAG},
        {IDC_DATE_END_PLACEHOLDER, IDC_DATE_END, IDC_DATE_END_FLAG},
        {IDC_SIZE_START_PLACEHOLDER, IDC_SIZE_START, IDC_SIZE_START_FLAG},
        {IDC_SIZE_END_PLACEHOLDER, IDC_SIZE_END, IDC_SIZE_END_FLAG},
        {IDC_TIMESTAMP_PLACEHOLDER, IDC_TIMESTAMP, IDC_STAMP_GIVEN},
    };
    for (const EntryFieldPlace& place : order) {
        const HWND field = GetDlgItem(place.Id);
        const HWND follows = GetDlgItem(place.FollowsInTabOrder);
        // Without its switch a field keeps its place: a null insert-after would put it first.
        if (field != nullptr && follows != nullptr) {
            ::SetWindowPos(field, follows, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    // The time-stamp field follows the radio pair; it must end the pair's group, or the arrow
    // keys would step from the radio buttons into it.
    m_timeStamp.ModifyStyle(0, WS_GROUP);
}

void MainDialog::OnCancel() {
    if (Engine.Run.Busy != 0) return;
    if (AutoRun == 1) {
        EndDialog(IDCANCEL);
        return;
    }
    // Alt+F4 or Exit while a field's drop-down is open: closing would save the value it only
    // previews. The drop-down is cancelled instead and the window stays.
    if (CancelOpenDropDown()) return;
    switch (Settings.Save("")) {
        case SaveResult::Written:
            EndDialog(IDCANCEL);
            break;
        case SaveResult::Declined:
            break;
        case SaveResult::Failed: {
            // Closing must stay possible when the default settings file cannot be written.
            CString question;
            question.Format("設定ﾌｧｲﾙ( %s )を保存できませんでした。\n保存せずに終了しますか ?",
                            static_cast<const char*>(SettingsStore::DefaultFile()));
            if (seams::ShowMessageBox(m_hWnd, question, "Fendrix:Warning", MB_YESNO | MB_ICONSTOP) == IDYES) {
                EndDialog(IDCANCEL);
            }
            break;
        }
    }
}

bool MainDialog::CancelOpenDropDown() {
    CCustomCmbBox* const fields[] = {&m_dateStart, &m_dateEnd, &m_sizeStart, &m_sizeEnd, &m_timeStamp};
    for (CCustomCmbBox* field : fields) {
        if (field->CancelDropDown()) return true;
    }
    return false;
}

LRESULT MainDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_POSTED_COMMAND:
            DispatchCommand(static_cast<UINT>(wParam));
            return 0;
        case WM_SIZE: {
            const LRESULT result = Default();
            RecalcLayout();
            return result;
        }
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_PAINT:
            if (PaintMinimized()) return 0;
            break;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(m_icon);
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam));
            return Default();
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_MENUCHAR: {
            LRESULT result = 0;
            if (m_menu.RouteMenuMessage(message, wParam, lParam, &result)) return result;
            break;
        }
        default:
            break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void MainDialog::OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id == kAutoRunTimer) RunUnattended();
}

void MainDialog::RunUnattended() {
    if (AutoUndo != 1) {
        SendMessage(WM_POSTED_COMMAND, AutoPreview == 1 ? ID_TOOL_PREVIEW : ID_TOOL_EXECUTE);
    } else if (AutoUndoJournal.empty()) {
        Undo.UndoLastRun();
    } else {
        Undo.UndoJournal(AutoUndoJournal);
    }
    if (!AutoLogFile.empty()) AutoLogFailed = !WriteLogFile(AutoLogFile);
    PostMessage(WM_POSTED_COMMAND, ID_APP_EXIT);
}

void MainDialog::OnMenuSelect(UINT id, UINT flags) {
    CString help;
    const bool closing = flags == 0xFFFF;
    if (!closing && (flags & (MF_POPUP | MF_SEPARATOR)) == 0) help.LoadString(id);
    Engine.ShowStatus(help);
}

bool MainDialog::PaintMinimized() {
    if (!IsIconic()) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const RECT client = GetClientRect();
    DrawIcon(dc, (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2, m_icon);
    EndPaint(m_hWnd, &paint);
    return true;
}

BOOL MainDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (lParam != 0 && code == BN_CLICKED) {
        switch (id) {
            case IDC_BROWSE:
                BrowseSearchFolder();
                return TRUE;
            case IDC_DATE_START_FLAG:
            case IDC_DATE_END_FLAG:
            case IDC_SIZE_START_FLAG:
            case IDC_SIZE_END_FLAG:
            case IDC_TIMESTAMP_FLAG:
            case IDC_STAMP_CLOCK:
            case IDC_STAMP_GIVEN:
                UpdateDependentControls();
                return TRUE;
            default:
                break;
        }
    }
    if (lParam != 0 && code == CBN_KILLFOCUS && (id == IDC_SEARCH_PATH || id == IDC_SEARCH_FILE)) {
        AddToHistory(id);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL MainDialog::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    if (info->hdr.code != TTN_NEEDTEXTA) return FALSE;
    const char* tip = ToolTipText(static_cast<UINT>(info->hdr.idFrom));
    if (tip == nullptr) {
        *result = 0;
        return TRUE;
    }
    lstrcpynA(info->szText, tip, sizeof info->szText);
    *result = 1;
    return TRUE;
}

BOOL MainDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEMOVE) ShowControlHelp();
    return CDialog::PreTranslateMessage(msg);
}
