#include "engine/EntryPath.h"

#include "engine/ShiftJis.h"
#include "engine/TokenList.h"

#include <windows.h>

#include <cwchar>

namespace {

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.compare(0, wcslen(prefix), prefix) == 0; }

// The full path as the plain functions would resolve it (current directory, "..", '/').
bool FullPath(const std::wstring& path, std::wstring& full) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return false;
    full.resize(size);
    const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return false;
    full.resize(length);
    return true;
}

// The extended form takes every name literally and has no MAX_PATH limit.
std::wstring ExtendedForm(const std::wstring& full) {
    if (StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\")) return full;
    if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace

bool SearchRoot(const CString& item, EntryPath& root) {
    std::wstring typed;
    std::wstring full;
    if (item.IsEmpty() || !ToUtf16(item, typed) || !FullPath(typed, full)) return false;
    root = {item, ExtendedForm(full)};
    return true;
}

EntryPath JoinPath(const EntryPath& directory, const wchar_t* name) {
    return {JoinPath(directory.Shown, ShownText(name)), JoinPath(directory.Real, name)};
}

std::wstring JoinPath(const std::wstring& directory, const std::wstring& name) {
    if (directory.empty() || name.empty() || directory.back() == L'\\') return directory + name;
    return directory + L'\\' + name;
}

CString ShownPath(const std::wstring& real) {
    if (StartsWith(real, L"\\\\?\\UNC\\")) return ShownText(L"\\\\" + real.substr(8));
    if (StartsWith(real, L"\\\\?\\")) return ShownText(real.substr(4));
    return ShownText(real);
}
