#include "app/CommandLineArgs.h"

#include "engine/ShiftJis.h"

#include <windows.h>
#include <shellapi.h>

#include <mbstring.h>
#include <stdlib.h>

namespace {

// '-' or '/', then the word in any case; the character after the word is a separator,
// whatever it is.
bool IsSwitch(const CString& argument, const char* word) {
    if (argument.IsEmpty() || (argument[0] != '-' && argument[0] != '/')) return false;
    const auto* text = reinterpret_cast<const unsigned char*>(static_cast<const char*>(argument)) + 1;
    const auto* wanted = reinterpret_cast<const unsigned char*>(word);
    return _mbsnbicmp(text, wanted, _mbslen(wanted)) == 0;
}

// The text after the switch's separator, by its real name.
std::wstring WideValue(const CommandLineArgs& arguments, int index, size_t wordLength) {
    const std::wstring wide = arguments.GetWideArg(index);
    return wide.size() > wordLength + 2 ? wide.substr(wordLength + 2) : std::wstring();
}

}  // namespace

CommandLineArgs::CommandLineArgs() {
    for (int i = 0; i < __argc; ++i) m_arguments.emplace_back(__argv[i]);
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) m_wide.emplace_back(wide[i]);
        LocalFree(wide);
    }
}

CommandLineArgs::CommandLineArgs(std::vector<CString> arguments) : m_arguments(std::move(arguments)) {
    for (const CString& argument : m_arguments) {
        std::wstring wide;
        m_wide.push_back(ToUtf16(argument, wide) ? wide : std::wstring());
    }
}

CommandLineArgs::CommandLineArgs(std::vector<CString> arguments, std::vector<std::wstring> wide)
    : m_arguments(std::move(arguments)), m_wide(std::move(wide)) {}

std::wstring CommandLineArgs::GetWideArg(int index) const {
    // The two splittings of the command line could differ on odd quoting.
    return static_cast<size_t>(index) < m_wide.size() ? m_wide[static_cast<size_t>(index)] : std::wstring();
}

AutoRunRequest ReadAutoRunSwitch(const CommandLineArgs& arguments) {
    AutoRunRequest request;
    if (arguments.GetCount() <= 1) return request;
    const CString switchText = arguments.GetArg(1);
    if (IsSwitch(switchText, "auto")) {
        request.SettingsPath = switchText.Mid(6);  // the sixth character separates, whatever it is
    } else if (IsSwitch(switchText, "undo")) {
        request.Undo = true;
        request.JournalPath = WideValue(arguments, 1, 4);
    } else {
        return request;
    }
    request.AutoRun = true;
    for (int i = 2; i < arguments.GetCount(); ++i) {
        const CString argument = arguments.GetArg(i);
        if (IsSwitch(argument, "log") && request.LogPath.empty()) request.LogPath = WideValue(arguments, i, 3);
        // A switch without a value: nothing may follow the word.
        if (IsSwitch(argument, "preview") && argument.GetLength() == 8 && !request.Undo) request.Preview = true;
    }
    return request;
}
