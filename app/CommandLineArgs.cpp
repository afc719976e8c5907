#include "app/CommandLineArgs.h"

#include <mbstring.h>
#include <stdlib.h>

CommandLineArgs::CommandLineArgs() {
    for (int i = 0; i < __argc; ++i) m_arguments.emplace_back(__argv[i]);
}

AutoRunRequest ReadAutoRunSwitch(const CommandLineArgs& arguments) {
    AutoRunRequest request;
    if (arguments.GetCount() <= 1) return request;
    const CString switchText = arguments.GetArg(1);
    if (switchText.IsEmpty() || (switchText[0] != '-' && switchText[0] != '/')) return request;
    const auto* word = reinterpret_cast<const unsigned char*>(static_cast<const char*>(switchText)) + 1;
    if (_mbsnbicmp(word, reinterpret_cast<const unsigned char*>("auto"), 4) != 0) return request;
    request.AutoRun = true;
    request.SettingsPath = switchText.Mid(6);  // the sixth character separates, whatever it is
    return request;
}
