// The process's arguments, program path included, and the switch of the unattended run.
#pragma once

#include "framework/CString.h"

#include <vector>

class CommandLineArgs {
public:
    CommandLineArgs();  // the arguments of this process
    explicit CommandLineArgs(std::vector<CString> arguments) : m_arguments(std::move(arguments)) {}

    int GetCount() const { return static_cast<int>(m_arguments.size()); }
    CString GetArg(int index) const { return m_arguments[static_cast<size_t>(index)]; }

private:
    std::vector<CString> m_arguments;
};

// "-auto" or "/auto" in any case, then one separator and optionally a settings file:
// only argument 1 is looked at.
struct AutoRunRequest {
    bool AutoRun = false;
    CString SettingsPath;
};
AutoRunRequest ReadAutoRunSwitch(const CommandLineArgs& arguments);
