// The commands of the menus and the tool bar, and the history boxes and the browse button.
#include "ui/MainDialog.h"

#include "engine/LogPalette.h"
#include "engine/ShiftJis.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "ui/FolderBrowser.h"
#include "ui/HistoryCombo.h"
#include "ui/VersionDialog.h"

#include <algorithm>
#include <string>

namespace {

const char* const kSettingsFilter = "設定ﾌｧｲﾙ (*.ini)|*.ini|全ての (*.*)|*.*||";
constexpr DWORD kSettingsDialogFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
const char* const kLogFilter = "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|全ての (*.*)|*.*||";

// The commands that could start a second run, change the job or close the window; a
// command posted before a run began may still arrive during it.
bool NeedsIdle(UINT id) {
    switch (id) {
        case ID_FILE_NEW:
        case ID_TOOL_CLEAR_HISTORY:
        case ID_FILE_OPEN:
        case ID_FILE_SAVE:
        case ID_FILE_SAVE_AS:
        case ID_TOOL_UNDO:
        case ID_FILE_SAVE_LOG:
            return true;
        default:
            return false;
    }
}

}  // namespace

void MainDialog::DispatchCommand(UINT id) {
    if (Engine.Run.Busy != 0 && NeedsIdle(id)) return;
    switch (id) {
        case ID_FILE_NEW: ResetJob(); break;
        case ID_TOOL_CLEAR_HISTORY: ClearHistory(); break;
        case ID_APP_EXIT: OnCancel(); break;
        case ID_FILE_OPEN: OpenSettingsFile(); break;
        case ID_FILE_SAVE: Settings.Save(Settings.CurrentFile); break;
        case ID_FILE_SAVE_AS: SaveSettingsAs(); break;
        case ID_TOOL_EXECUTE: Engine.RunJob(); break;
        case ID_TOOL_PREVIEW: Engine.PreviewJob(); break;
        case ID_TOOL_UNDO: Undo.UndoLastRun(); break;
        case ID_FILE_SAVE_LOG: SaveLog(); break;
        case ID_APP_ABOUT: ShowAbout(); break;
        case ID_TOOL_ABORT: Engine.Abort(); break;
        case ID_VIEW_DEFAULT_SIZE: SetDefaultWindowSize(); break;
        case ID_VIEW_STATUS_BAR:
        case ID_VIEW_TOOLBAR:
        case ID_OPTION_SHOW_FILES:
        case ID_OPTION_SORT:
        case ID_OPTION_SHOW_DIRECTORIES:
        case ID_OPTION_SKIP_SYSTEM:
        case ID_OPTION_SHOW_SKIPPED:
        case ID_OPTION_CLOCK_PER_FILE:
        case ID_OPTION_SHOW_UNCHANGED:
            Settings.ToggleOption(id);
            break;
        default:
            break;
    }
}

void MainDialog::ResetJob() {
    AutoRun = 0;
    StartupSettingsPath.Empty();
    Engine.ResetJob();
}

void MainDialog::AddToHistory(UINT id) { AddComboTextToHistory(GetDlgItem(static_cast<int>(id))); }

void MainDialog::ClearHistory() {
    ClearComboHistory(GetDlgItem(IDC_SEARCH_PATH));
    ClearComboHistory(GetDlgItem(IDC_SEARCH_FILE));
}

void MainDialog::BrowseSearchFolder() {
    const bool append = seams::IsKeyDown(VK_CONTROL);
    CString prompt;
    prompt.Format("検索対称にするﾃﾞｨﾚｸﾄﾘを選択してください。%s", append ? "(追加)" : "");
    FolderBrowser browser(m_hWnd);
    browser.Caption = "検索対称ﾃﾞｨﾚｸﾄﾘの選択";
    if (browser.Browse(prompt, LastBrowseFolder, 0) != FolderBrowser::Chosen) return;
    LastBrowseFolder = browser.GetPath();

    HWND combo = GetDlgItem(IDC_SEARCH_PATH);
    if (combo == nullptr) return;
    CString text = browser.GetPath();
    if (append) {
        const CString current = WindowTextOf(combo);
        if (!current.IsEmpty()) text = current + ";" + browser.GetPath();
    }
    Engine.Job.SearchPath = text;
    ::SetWindowTextA(combo, text);
    AddToHistory(IDC_SEARCH_PATH);
}

// The profile functions take Shift-JIS names: a name Shift-JIS cannot spell is refused, as its
// look-alike would name another file.
CString MainDialog::ChooseSettingsFile(int mode, const char* title) {
    std::wstring current;
    if (!ToUtf16(Settings.CurrentFile, current)) current.clear();
    const std::wstring chosen = ShowFileDialog(mode, current, "ini", kSettingsDialogFlags, kSettingsFilter, title);
    if (chosen.empty()) return CString();
    if (!SpellsInShiftJis(chosen.c_str())) {
        CString message;
        message.Format("選択したﾌｧｲﾙ( %s )は\nShift-JIS で表せない文字を含むため、\n設定ﾌｧｲﾙに指定できません。",
                       static_cast<const char*>(ShownText(chosen)));
        seams::ShowMessageBox(m_hWnd, message, "Fendrix:Warning", MB_OK | MB_ICONEXCLAMATION);
        return CString();
    }
    return ShownText(chosen);
}

void MainDialog::OpenSettingsFile() {
    const CString chosen = ChooseSettingsFile(0, "設定ﾌｧｲﾙを開く");
    if (chosen.IsEmpty()) return;
    CString question;
    question.Format("新しいﾌｧｲﾙ( %s )を読み込む前に\n現在のﾌｧｲﾙ( %s )を保存しますか ?",
                    static_cast<const char*>(chosen), static_cast<const char*>(Settings.CurrentFile));
    switch (seams::ShowMessageBox(m_hWnd, question, "Fendrix:Warning", MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            // Loading now would wipe the job the user meant to keep: a save that was declined at
            // the data check or failed (its failure line with it) stops the Open.
            if (Settings.Save(Settings.CurrentFile) != SaveResult::Written) return;
            break;
        case IDNO:
            break;
        default:
            return;
    }
    Settings.Load(chosen);
    // The loaded file may show or hide the bars; the window follows at once.
    ShowBars();
    RecalcLayout();
}

void MainDialog::SaveSettingsAs() {
    const CString chosen = ChooseSettingsFile(1, "設定ﾌｧｲﾙを保存する");
    if (!chosen.IsEmpty()) Settings.Save(chosen);
}

void MainDialog::SaveLog() {
    const std::wstring chosen =
        ShowFileDialog(1, m_lastLogFile, "txt", kSettingsDialogFlags, kLogFilter, "ﾛｸﾞを保存する");
    if (chosen.empty()) return;
    m_lastLogFile = chosen;
    WriteLogFile(chosen);
}

// The log as the view gives it, Shift-JIS with CR LF after every line, under the file's real name.
bool MainDialog::WriteLogFile(const std::wstring& path) {
    const auto length = static_cast<size_t>(::SendMessageA(m_log.m_hWnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    const LRESULT copied = ::SendMessageA(m_log.m_hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied));
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    for (size_t done = 0; written && done < text.size();) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
        DWORD wrote = 0;
        written = WriteFile(file, text.data() + done, piece, &wrote, nullptr) && wrote == piece;
        done += piece;
    }
    if (file != INVALID_HANDLE_VALUE) written = CloseHandle(file) && written;
    if (!written) {
        CString line;
        line.Format("*** ﾛｸﾞを保存できませんでした。( %s )", static_cast<const char*>(ShownText(path)));
        seams::PlayBeep(MB_ICONASTERISK);
        AppendLogLine(line, LogColor::Red);
    }
    return written;
}

void MainDialog::ShowAbout() {
    VersionDialog about(kAboutDialogCaption, IDB_ABOUT, this, kAboutSelfCloseSeconds);
    if (Engine.Run.Busy == 0) Settings.WriteStartupInformation();
    about.DoModal();
}
