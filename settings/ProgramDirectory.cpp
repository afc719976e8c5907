#include "settings/ProgramDirectory.h"

#include <windows.h>

#include <vector>

namespace {

// The text in the ANSI code page, '?' standing for what it cannot hold; false when anything
// did not come back unchanged.
bool ToAnsi(const std::wstring& wide, CString& ansi) {
    ansi.Empty();
    if (wide.empty()) return true;
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, "?", nullptr);
    if (length <= 0) return false;
    std::vector<char> bytes(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(), length, "?", nullptr);
    ansi = CString(bytes.data(), length);
    const int backLength = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (backLength != wideLength) return false;
    std::wstring back(static_cast<size_t>(backLength), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, &back[0], backLength);
    return back == wide;
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
    CString ansi;
    if (ToAnsi(widePath, ansi)) return ansi;
    const DWORD length = GetShortPathNameW(widePath.c_str(), nullptr, 0);
    if (length > 0) {
        std::wstring shortPath(length, L'\0');
        const DWORD written = GetShortPathNameW(widePath.c_str(), &shortPath[0], length);
        shortPath.resize(written < length ? written : 0);
        CString shortAnsi;
        if (!shortPath.empty() && ToAnsi(shortPath, shortAnsi)) return shortAnsi;
    }
    return ansi;
}
