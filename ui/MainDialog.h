// The program's only top-level window: the job's controls, the log view, the bars and the
// menus; it carries out the commands and is the window of the engine and the settings.
#pragma once

#include "controls/DateCmbBox.h"
#include "controls/DateTimeCmbBox.h"
#include "controls/NumberCmbBox.h"
#include "engine/JobEngine.h"
#include "engine/JobWindow.h"
#include "engine/Undo.h"
#include "framework/CDialog.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWindow.h"
#include "ui/ExecutionLog.h"
#include "ui/IcoMenu.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"

#include <string>

class MainDialog : public CDialog, public JobWindow, public SettingsWindow {
public:
    explicit MainDialog(CWnd* parent = nullptr);
    ~MainDialog() override;

    JobEngine Engine;  // the job record (Engine.Job) and the run state (Engine.Run)
    JournalUndo Undo;  // takes runs back by their journals
    CString LastBrowseFolder;
    int AutoRun = 0;   // 1: an unattended session, which closes when its run or undo has ended
    CString StartupSettingsPath;
    int AutoPreview = 0;           // 1: the unattended session previews the job instead of running it
    int AutoUndo = 0;              // 1: the unattended session undoes a journal instead of running
    std::wstring AutoUndoJournal;  // empty: the newest journal
    std::wstring AutoLogFile;      // where the unattended session writes its log; empty: nowhere
    bool AutoLogFailed = false;
    SettingsStore Settings;  // bar switches, stored window rectangle, current settings file

    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter never closes the window
    void OnCancel() override;

    void RecalcLayout() override;
    // The default (and least) size; fills rect with it at the window's corner when given.
    SIZE GetDefaultWindowRect(RECT* rect = nullptr) const;
    void SetDefaultWindowSize();
    void UpdateDependentControls() override;
    void ShowControlHelp();
    void ResetJob();
    void AddToHistory(UINT id);
    void ClearHistory();
    void BrowseSearchFolder();
    void DispatchCommand(UINT id);
    // Writes the whole log into the file; a failure is reported in the log. False then.
    bool WriteLogFile(const std::wstring& path);

    // The window of the engine.
    void AppendLogLine(const char* text, COLORREF color) override;
    void ShowStatusTexts(const char* const (&texts)[kStatusPaneCount]) override;
    bool TransferJob(JobSettings& job, int direction) override;
    void ApplyRunState(bool busy, bool systemBoxesEnabled) override;
    void ShowOptionMarks(const OptionMarks& marks) override;
    void UntickJobCheckBoxes() override;

    // The window of the settings.
    void UntickAttributeBoxes() override;
    void TickSwitchBoxes(const JobSettings& job) override;
    void SelectFirstHistoryEntries() override;
    RECT GetNormalWindowRect() const override;
    void ShowBars() override;
    HWND GetMessageOwner() const override { return m_hWnd; }

    BOOL PreTranslateMessage(MSG* msg) override;

    ExecutionLog& Log() { return m_log; }
    MainStatusBar& StatusBar() { return m_statusBar; }
    MainToolBar& ToolBar() { return m_toolBar; }
    CIcoMenu& Menu() { return m_menu; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void CreateEntryFields();
    bool CancelOpenDropDown();
    void StretchSeparator();
    void ShiftControlsForToolBar(int toolBarHeight);
    void OnTimer(UINT_PTR id);
    void OnMenuSelect(UINT id, UINT flags);
    bool PaintMinimized();
    void OpenSettingsFile();
    void SaveSettingsAs();
    CString ChooseSettingsFile(int mode, const char* title);
    void SaveLog();
    void RunUnattended();
    void ShowAbout();
    bool TakeJobFromControls(JobSettings& job);
    void KeepSwitchBoxes(JobSettings& job) const;
    bool TakeSizeFromField(CNumberCmbBox& field, DWORD& size, const char* name);
    void EnableControl(int id, bool enable);

    ExecutionLog m_log;
    MainStatusBar m_statusBar;
    MainToolBar m_toolBar;
    CIcoMenu m_menu;
    CDateCmbBox m_dateStart;
    CDateCmbBox m_dateEnd;
    CNumberCmbBox m_sizeStart;
    CNumberCmbBox m_sizeEnd;
    CDateTimeCmbBox m_timeStamp;
    HICON m_icon;

    bool m_layoutToolBarShown = false;  // the tool bar as the last layout saw it
    int m_lastHelpControlId = 0;    // the control whose help text the status bar shows
    JobSettings* m_exchangeJob = nullptr;  // the record DoDataExchange binds to
    std::wstring m_lastLogFile;
};

// Moves the window, unchanged in size, to the centre of the desktop's work area.
void CenterInWorkArea(HWND window);
