#include "ui/FolderBrowser.h"

#include "engine/ShiftJis.h"
#include "framework/Seams.h"

#include <shlobj.h>

#include <cstring>
#include <string>

namespace {

constexpr int kTextBlock = 261;

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
std::string FilterWithNuls(const CString& filter) {
    std::string result;
    for (int i = 0; i < filter.GetLength(); ++i) {
        if (!IsCharacterStart(filter, i)) {
            result += filter[i];
        } else {
            result += filter[i] == '|' ? '\0' : filter[i];
        }
    }
    result += '\0';
    return result;
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

CString ShowFileDialog(int mode, const char* fileName, const char* defaultExtension, DWORD flags, const char* filter,
                       const char* title) {
    const std::string filterText = FilterWithNuls(filter != nullptr && *filter != '\0' ? filter : "All File (*.*)|*.*||");
    char path[MAX_PATH] = "";
    // A name that does not fit is no usable path; cutting it could split a double-byte character.
    if (fileName != nullptr && std::strlen(fileName) < MAX_PATH) std::strcpy(path, fileName);

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.lpstrFilter = filterText.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrDefExt = defaultExtension;
    request.lpstrTitle = title != nullptr && *title != '\0' ? title : nullptr;
    request.Flags = (flags & ~static_cast<DWORD>(OFN_ALLOWMULTISELECT)) | OFN_EXPLORER;
    if (!seams::GetFileName(&request, mode != 0)) return CString();
    return CString(path);
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
