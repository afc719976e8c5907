#include "settings/IniFile.h"

#include <algorithm>
#include <utility>

BOOL(WINAPI* ProfileWriter)(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) = WritePrivateProfileStringA;
DWORD(WINAPI* ProfileReader)(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer, DWORD size,
                             LPCSTR file) = GetPrivateProfileStringA;

namespace {

const char* const kTabMarker = "<\\x09>";
const char* const kCrLfMarker = "<\\x0D\\x0A>";
const DWORD kFirstReadSize = 1024;

// Reads until the buffer is large enough; `reserve` is how much short of the size a complete
// answer stays (1 for a value, 2 for the double-null key list). Each read goes through the
// whole file, so the buffer doubles: a value of n bytes costs about log2(n / 1024) reads.
CString ReadProfileString(const char* section, const char* key, const char* defaultText, const char* file,
                          DWORD reserve) {
    std::vector<char> buffer;
    DWORD size = kFirstReadSize;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = ProfileReader(section, key, defaultText, buffer.data(), size, file);
        if (length + reserve < size) break;
        if (size > 0x7FFFFFFF) break;  // no larger buffer can be asked for: the value stays cut
        size *= 2;
    }
    return CString(buffer.data(), static_cast<int>(length));
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The index of a key made by ListKey with this prefix, or -1 for any other key.
long long ListKeyIndex(const CString& key, const char* keyPrefix) {
    const CString prefix(keyPrefix);
    if (key.GetLength() <= prefix.GetLength() || key.Left(prefix.GetLength()).CompareNoCase(prefix) != 0) return -1;
    const CString digits = key.Mid(prefix.GetLength());
    if (digits.GetLength() > 10) return -1;
    long long index = 0;
    for (int i = 0; i < digits.GetLength(); ++i) {
        if (!IsDigit(digits[i])) return -1;
        index = index * 10 + (digits[i] - '0');
    }
    if (index > 0x7FFFFFFF) return -1;
    // "Path1" or "Path00001" is not the key the profile would be asked for.
    if (ListKey(keyPrefix, static_cast<int>(index)).CompareNoCase(key) != 0) return -1;
    return index;
}

// The keys of the list present in the section for index first ... first+count-1, by index.
// A key written twice (in any letter case) is listed twice.
std::vector<std::pair<long long, CString>> PresentListKeys(const char* section, const char* keyPrefix,
                                                           int firstIndex, int count, const char* file) {
    std::vector<std::pair<long long, CString>> present;
    if (count <= 0) return present;
    const long long last = static_cast<long long>(firstIndex) + count - 1;
    for (const CString& key : ListKeys(section, file)) {
        const long long index = ListKeyIndex(key, keyPrefix);
        if (index >= firstIndex && index <= last) present.emplace_back(index, key);
    }
    std::stable_sort(present.begin(), present.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return present;
}

}  // namespace

int ReadInt(const char* section, const char* key, int defaultValue, const char* file) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, file));
}

BOOL WriteInt(const char* section, const char* key, int value, const char* file) {
    CString text;
    text.Format("%d", value);
    return ProfileWriter(section, key, text, file);
}

DWORD ReadUnsigned(const char* section, const char* key, DWORD defaultValue, const char* file) {
    const CString text = ReadProfileString(section, key, "", file, 1);
    if (text.IsEmpty()) return defaultValue;
    // Like the platform's integer read, but wrapping at 32 bits so that sizes of 2 GiB and more
    // written as negative numbers come back whole.
    int i = 0;
    while (i < text.GetLength() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.GetLength() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    unsigned long long value = 0;
    for (; i < text.GetLength() && IsDigit(text[i]); ++i) {
        // A hand-edited size beyond 32 bits stops at the largest rather than wrapping to a small one.
        value = std::min(value * 10 + static_cast<unsigned>(text[i] - '0'), 0xFFFFFFFFull);
    }
    const DWORD size = static_cast<DWORD>(value);
    return negative ? 0u - size : size;
}

CString ReadText(const char* section, const char* key, const char* defaultText, const char* file) {
    const CString text = ReadProfileString(section, key, defaultText, file, 1);
    return ConvertMarkers(ConvertMarkers(text, MARKER_TAB, false), MARKER_CRLF, false);
}

BOOL WriteText(const char* section, const char* key, const char* text, const char* file) {
    CString value = ConvertMarkers(ConvertMarkers(text, MARKER_TAB, true), MARKER_CRLF, true);
    // The profile read drops one pair of enclosing quotes: a list such as "C:\a b";"D:\c" would
    // lose its outer ones. A second pair keeps the value whole.
    const int length = value.GetLength();
    if (length >= 2 && (value[0] == '"' || value[0] == '\'') && value[length - 1] == value[0]) {
        value = value[0] + value + value[0];
    }
    return ProfileWriter(section, key, value, file);
}

BOOL RemoveSection(const char* section, const char* file) { return ProfileWriter(section, nullptr, nullptr, file); }

BOOL RemoveKey(const char* section, const char* key, const char* file) {
    return ProfileWriter(section, key, nullptr, file);
}

std::vector<CString> ListKeys(const char* section, const char* file) {
    const CString list = ReadProfileString(section, nullptr, "", file, 2);
    std::vector<CString> keys;
    const char* const end = static_cast<const char*>(list) + list.GetLength();
    // A hand-edited line "=x" gives an empty name; the names after it still count.
    for (const char* key = list; key < end; key += std::char_traits<char>::length(key) + 1) {
        if (*key != '\0') keys.emplace_back(key);
    }
    return keys;
}

CString ListKey(const char* keyPrefix, int index) {
    CString key;
    key.Format("%s%04d", keyPrefix, index);
    return key;
}

std::vector<CString> ReadList(const char* section, const char* countKey, const char* keyPrefix, int firstIndex,
                              const char* file) {
    const int count = ReadInt(section, countKey, 0, file);
    std::vector<CString> entries;
    long long previous = -1;
    for (const auto& entry : PresentListKeys(section, keyPrefix, firstIndex, count, file)) {
        if (entry.first == previous) continue;  // the profile read finds the first one only
        previous = entry.first;
        CString text = ReadText(section, entry.second, "", file);
        if (!text.IsEmpty()) entries.push_back(std::move(text));
    }
    return entries;
}

BOOL RemoveList(const char* section, const char* countKey, const char* keyPrefix, int firstIndex,
                const char* file) {
    const int count = ReadInt(section, countKey, 0, file);
    BOOL written = TRUE;
    // Each deletion takes the first key of that name, so a key written twice goes with two.
    for (const auto& entry : PresentListKeys(section, keyPrefix, firstIndex, count, file)) {
        if (!RemoveKey(section, entry.second, file)) written = FALSE;
    }
    if (!RemoveKey(section, countKey, file)) written = FALSE;
    return written;
}

BOOL WriteList(const char* section, const char* countKey, const char* keyPrefix, const std::vector<CString>& entries,
               const char* file) {
    if (!WriteInt(section, countKey, static_cast<int>(entries.size()), file)) return FALSE;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!WriteText(section, ListKey(keyPrefix, static_cast<int>(i + 1)), entries[i], file)) return FALSE;
    }
    return TRUE;
}

CString ConvertMarkers(const CString& text, int pair, bool toMarkers) {
    const char* const plain = pair == MARKER_TAB ? "\t" : "\r\n";
    const char* const marker = pair == MARKER_TAB ? kTabMarker : kCrLfMarker;
    CString converted = text;
    if (toMarkers) {
        converted.Replace(plain, marker);
    } else {
        converted.Replace(marker, plain);
    }
    return converted;
}
