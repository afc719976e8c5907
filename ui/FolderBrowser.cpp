#include "ui/FolderBrowser.h"

#include "engine/ShiftJis.h"
#include "framework/Seams.h"

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTextBlock = 261;
constexpr size_t kLongestPath = 32767;

// Handed to the dialog's callback: the caption, then the folder to preselect.
struct CallbackTexts {
    char Caption[kTextBlock];
    char Path[kTextBlock];
};

void CopyCut(char (&target)[kTextBlock], const CString& text) {
    if (text.IsEmpty()) return;
    std::strncpy(target, text, kTextBlock - 1);
    target[kTextBlock - 1] = '\0';
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
    if (message != BFFM_INITIALIZED) return 0;
    CenterWindowOver(dialog, GetParent(dialog));
    const auto* texts = reinterpret_cast<const CallbackTexts*>(data);
    if (texts->Path[0] != '\0') SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(texts->Path));
    if (texts->Caption[0] != '\0') SetWindowTextA(dialog, texts->Caption);
    return 0;
}

// The file dialog takes its filter as texts separated by NULs; '|' may be a trail byte of
// a double-byte character, so only real '|' characters are turned into separators.
std::wstring FilterWithNuls(const CString& filter) {
    std::string bytes;
    for (int i = 0; i < filter.GetLength(); ++i) {
        bytes += IsCharacterStart(filter, i) && filter[i] == '|' ? '\0' : filter[i];
    }
    bytes += '\0';
    // Converted whole, NULs and all.
    const int size = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], size);
    return wide;
}

std::wstring WideText(const char* text) {
    std::wstring wide;
    if (text == nullptr || !ToUtf16(text, wide)) wide.clear();
    return wide;
}

}  // namespace

FolderBrowser::FolderBrowser(HWND owner, const char* initialPath)
    : m_path(initialPath != nullptr ? initialPath : ""), m_owner(owner) {}

int FolderBrowser::Browse(const char* prompt, const char* initialFolder, int force) {
    if (m_owner == nullptr && force == 0) return NotShown;
    const CString remembered = m_path;
    if (initialFolder != nullptr && *initialFolder != '\0') m_path = initialFolder;

    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr) return NotShown;
    auto* displayName = static_cast<char*>(allocator->Alloc(MAX_PATH));
    PIDLIST_ABSOLUTE root = nullptr;
    if (displayName == nullptr || FAILED(SHGetSpecialFolderLocation(m_owner, m_rootFolder, &root))) {
        if (displayName != nullptr) allocator->Free(displayName);
        allocator->Release();
        return NotShown;
    }

    CallbackTexts texts{};
    CopyCut(texts.Caption, Caption);
    CopyCut(texts.Path, m_path);
    BROWSEINFOA request{};
    request.hwndOwner = m_owner;
    request.pidlRoot = root;
    request.pszDisplayName = displayName;
    request.lpszTitle = prompt != nullptr ? prompt : "ﾌｫﾙﾀﾞを選択して下さい。";
    request.ulFlags = m_flags;
    request.lpfn = BrowseCallback;
    request.lParam = reinterpret_cast<LPARAM>(&texts);

    int result = Cancelled;
    if (PIDLIST_ABSOLUTE chosen = seams::BrowseForFolder(&request)) {
        result = TakeChosenFolder(chosen);
        allocator->Free(chosen);
    }
    if (result != Chosen) m_path = remembered;
    allocator->Free(root);
    allocator->Free(displayName);
    allocator->Release();
    return result;
}

int FolderBrowser::TakeChosenFolder(PCIDLIST_ABSOLUTE chosen) {
    // Only file-system folders can be chosen; one without a path counts as no choice.
    wchar_t path[MAX_PATH];
    if (!SHGetPathFromIDListW(chosen, path)) return Cancelled;
    if (!SpellsInShiftJis(path)) {
        CString message;
        message.Format("選択したﾌｫﾙﾀﾞ( %s )は\nShift-JIS で表せない文字を含むため、\n検索ﾊﾟｽに指定できません。",
                       static_cast<const char*>(ShownText(path)));
        seams::ShowMessageBox(m_owner, message, "Fendrix:Warning", MB_OK | MB_ICONEXCLAMATION);
        return Refused;
    }
    m_path = ShownText(path);
    return Chosen;
}

std::wstring ShowFileDialog(int mode, const std::wstring& fileName, const char* defaultExtension, DWORD flags,
                            const char* filter, const char* title) {
    const std::wstring filterText =
        FilterWithNuls(filter != nullptr && *filter != '\0' ? filter : "All File (*.*)|*.*||");
    const std::wstring extension = WideText(defaultExtension);
    const std::wstring titleText = WideText(title);
    // Room for the longest path the extended form allows; a longer initial name is none.
    std::vector<wchar_t> path(kLongestPath + 1, L'\0');
    if (fileName.size() <= kLongestPath) fileName.copy(path.data(), fileName.size());

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.lpstrFilter = filterText.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = path.data();
    request.nMaxFile = static_cast<DWORD>(path.size());
    request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    request.lpstrTitle = titleText.empty() ? nullptr : titleText.c_str();
    request.Flags = (flags & ~static_cast<DWORD>(OFN_ALLOWMULTISELECT)) | OFN_EXPLORER;
    if (!seams::GetFileName(&request, mode != 0)) return std::wstring();
    return path.data();
}

void CenterWindowOver(HWND window, HWND over) {
    RECT area;
    if (over != nullptr) {
        GetWindowRect(over, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
