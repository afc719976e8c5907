#include "settings/ProgramDirectory.h"

#include "engine/ShiftJis.h"

#include <windows.h>

#include <vector>

namespace {

// '?' for every character the code page lacks: no file can bear that name.
CString NameNoFileBears(const std::wstring& wide) {
    const int wideLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, "?", nullptr);
    if (length <= 0) return CString();
    std::vector<char> bytes(static_cast<size_t>(length));
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(), length, "?", nullptr);
    return CString(bytes.data(), length);
}

std::wstring ShortPathOf(const std::wstring& widePath) {
    const DWORD length = GetShortPathNameW(widePath.c_str(), nullptr, 0);
    if (length == 0) return std::wstring();
    std::wstring shortPath(length, L'\0');
    const DWORD written = GetShortPathNameW(widePath.c_str(), &shortPath[0], length);
    shortPath.resize(written < length ? written : 0);
    return shortPath;
}

}  // namespace

CString ProgramDirectory(const char* programPath) {
    const CString path(programPath != nullptr ? programPath : "");
    const int slash = path.ReverseFind('\\');  // skips trail bytes such as the 0x5C of 表
    if (slash <= 0) return CString();
    if (slash == 2) return path.Left(3);  // keep the root's backslash: "C:" alone means the drive's current directory
    return path.Left(slash);
}

std::wstring ProgramPathW() {
    // Paths may exceed MAX_PATH: the buffer grows until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return std::wstring();
        if (length < size) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

CString ProgramPath() { return AnsiPathOf(ProgramPathW()); }

CString AnsiPathOf(const std::wstring& widePath) {
    if (SpellsInShiftJis(widePath.c_str())) return ShownText(widePath);
    const std::wstring shortPath = ShortPathOf(widePath);
    if (!shortPath.empty() && SpellsInShiftJis(shortPath.c_str())) return ShownText(shortPath);
    return NameNoFileBears(widePath);
}
