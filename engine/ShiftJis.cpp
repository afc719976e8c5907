#include "engine/ShiftJis.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

constexpr UINT kShiftJis = 932;
// 〓 (81 AC), the customary Japanese mark for a character that cannot be shown.
const char kSubstitute[] = "\x81\xAC";

// Converts without best fit; false when some character had no Shift-JIS form.
bool ToShiftJis(const wchar_t* text, int length, std::string& out) {
    out.clear();
    if (length == 0) return true;
    const int size = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text, length, nullptr, 0, kSubstitute, nullptr);
    if (size <= 0) return false;
    out.resize(static_cast<size_t>(size));
    BOOL substituted = FALSE;
    WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text, length, &out[0], size, kSubstitute, &substituted);
    return substituted == FALSE;
}

// Characters beyond the basic plane take two UTF-16 units.
int CharacterLength(const wchar_t* text, int index, int length) {
    const bool pair = IS_HIGH_SURROGATE(text[index]) && index + 1 < length && IS_LOW_SURROGATE(text[index + 1]);
    return pair ? 2 : 1;
}

// Code page 932 keeps ASCII as it is; most names are ASCII, and a run shows each name
// several times.
bool AsAscii(const wchar_t* text, int length, std::string& out) {
    out.resize(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i) {
        if (text[i] >= 0x80) return false;
        out[static_cast<size_t>(i)] = static_cast<char>(text[i]);
    }
    return true;
}

}  // namespace

bool ToUtf16(const char* text, std::wstring& wide) {
    wide.clear();
    const int length = static_cast<int>(std::strlen(text));
    if (length == 0) return true;
    const int size = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (size <= 0) return false;
    wide.resize(static_cast<size_t>(size));
    return MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, text, length, &wide[0], size) == size;
}

CString ShownText(const wchar_t* text) {
    const int length = static_cast<int>(std::wcslen(text));
    std::string shown;
    if (AsAscii(text, length, shown) || ToShiftJis(text, length, shown)) return CString(std::move(shown));
    // One mark per missing character, whatever the platform would substitute for it.
    shown.clear();
    std::string piece;
    for (int i = 0; i < length;) {
        const int step = CharacterLength(text, i, length);
        shown += ToShiftJis(text + i, step, piece) ? piece : kSubstitute;
        i += step;
    }
    return CString(std::move(shown));
}

bool SpellsInShiftJis(const wchar_t* text) {
    std::string ignored;
    return ToShiftJis(text, static_cast<int>(std::wcslen(text)), ignored);
}
