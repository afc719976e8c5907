#include "app/FendrixApp.h"

#include "app/CommandLineArgs.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "ui/Commands.h"
#include "ui/MainDialog.h"

namespace {

// The file the profile functions would read. They read a missing or unreadable file as an
// empty one, whose job the run's checks then refuse; the exit code says so all the same.
bool SettingsFileReadable(const CString& path) {
    const HANDLE file = CreateFileA(ProfileLocation(path), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

int ExitCodeOf(RunOutcome outcome, bool settingsReadable, bool logWritten) {
    if (!settingsReadable) return EXIT_RUN_REFUSED;
    switch (outcome) {
        case RunOutcome::Completed: return logWritten ? EXIT_RUN_COMPLETED : EXIT_ENTRIES_FAILED;
        case RunOutcome::EntriesFailed: return EXIT_ENTRIES_FAILED;
        default: return EXIT_RUN_REFUSED;  // refused, aborted, or closed before the run
    }
}

BOOL FendrixApp::InitInstance() {
    Enable3dControls();
    MainDialog dialog;
    const AutoRunRequest request = ReadAutoRunSwitch(CommandLineArgs());
    dialog.AutoRun = request.AutoRun ? 1 : 0;
    dialog.StartupSettingsPath = request.SettingsPath;
    dialog.AutoPreview = request.Preview ? 1 : 0;
    dialog.AutoUndo = request.Undo ? 1 : 0;
    dialog.AutoUndoJournal = request.JournalPath;
    dialog.AutoLogFile = request.LogPath;
    const bool settingsReadable = request.SettingsPath.IsEmpty() || SettingsFileReadable(request.SettingsPath);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // A New command before the run turns the session into an interactive one.
    if (dialog.AutoRun == 1) {
        m_exitCode = ExitCodeOf(dialog.Engine.Run.Outcome, settingsReadable, !dialog.AutoLogFailed);
    }
    return FALSE;
}

BOOL FendrixApp::OnCmdMsg(UINT id, int) {
    if (!IsRoutedCommand(id) || m_pMainWnd == nullptr) return FALSE;
    return m_pMainWnd->PostMessage(WM_POSTED_COMMAND, id, 0);
}
