// The process's arguments, program path included, and the switches of the unattended session.
#pragma once

#include "framework/CString.h"

#include <string>
#include <vector>

class CommandLineArgs {
public:
    CommandLineArgs();  // the arguments of this process
    // Arguments in Shift-JIS; their UTF-16 forms are converted from them.
    explicit CommandLineArgs(std::vector<CString> arguments);
    // Arguments in both forms, as a process whose names Shift-JIS cannot spell receives them.
    CommandLineArgs(std::vector<CString> arguments, std::vector<std::wstring> wide);

    int GetCount() const { return static_cast<int>(m_arguments.size()); }
    CString GetArg(int index) const { return m_arguments[static_cast<size_t>(index)]; }
    // The argument by its real UTF-16 text, which reaches every file name.
    std::wstring GetWideArg(int index) const;

private:
    std::vector<CString> m_arguments;
    std::vector<std::wstring> m_wide;
};

// Argument 1 makes the session unattended: "-auto" or "/auto" in any case, then one separator
// and optionally a settings file; or "-undo" the same way, then optionally a journal (without
// one: the newest). "-log" with one separator and a file, among the later arguments of such a
// session, names the file that receives its whole log when it ends; "-preview", among the later
// arguments of "-auto", previews the job instead of running it.
struct AutoRunRequest {
    bool AutoRun = false;  // an unattended session, of either switch
    CString SettingsPath;
    bool Preview = false;
    bool Undo = false;
    std::wstring JournalPath;
    std::wstring LogPath;
};
AutoRunRequest ReadAutoRunSwitch(const CommandLineArgs& arguments);
