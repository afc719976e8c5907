// The settings file: the job, the options, the bars, the two histories and the window position,
// loaded into and saved from the main window's state; plus the option toggles and the
// startup-information block of the log.
#pragma once

#include "engine/JobEngine.h"
#include "framework/CString.h"
#include "settings/IniFile.h"
#include "settings/ProgramDirectory.h"
#include "settings/SettingsWindow.h"

#include <windows.h>

#include <string>

enum class SaveResult { Written, Declined, Failed };

class SettingsStore {
public:
    SettingsStore(JobEngine& engine, SettingsWindow& window);
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    int ShowToolBar = 1;
    int ShowStatusBar = 1;
    RECT WindowRect{0, 0, 0, 0};   // WindowPos as loaded or last saved
    CString CurrentFile;           // the current settings file

    static CString DefaultFile();  // "Fendrix.ini" in the program's directory
    static CString DefaultFileFor(const char* programPath);
    // "journal" beside the default settings file, by its real name.
    static std::wstring JournalFolder();

    void Load(const char* path);         // "" = default file; a missing file gives the defaults
    SaveResult Save(const char* path);   // "" = default file
    void ToggleOption(UINT commandId);   // the seven options and the two bars
    void WriteStartupInformation();

private:
    CString Resolve(const char* path) const;
    bool WriteSettings(const char* file, const RECT& windowRect);
    // Writes into a copy beside the file and puts it in the file's place only when all went well.
    bool ReplaceSettingsFile(const CString& file, const RECT& windowRect);

    JobEngine& m_engine;
    SettingsWindow& m_window;
};

// Where the profile functions keep a file: a bare name lies in the Windows directory.
CString ProfileLocation(const CString& file);
