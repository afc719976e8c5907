#include "engine/Journal.h"

#include "engine/EntryPath.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace {

const char kMagic[] = "Fendrix-Journal";
const char kVersion[] = "1";
const char* const kKindWords[] = {"run", "undo"};
const wchar_t kExtension[] = L".jnl";
constexpr size_t kNameLength = 26;  // "YYYYMMDD-hhmmss-fff-NN.jnl"
constexpr size_t kStampLength = 19;
constexpr int kCounterLimit = 100;
constexpr ULONGLONG kFlushIntervalMs = 1000;
constexpr LONGLONG kLargestJournal = 1LL << 30;

// ---- Numbers and checksums -------------------------------------------------------------

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FromTicks(unsigned long long ticks) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

// CRC-32 of IEEE 802.3, as zip and PNG use it.
unsigned long Crc32(const std::string& bytes) {
    unsigned long crc = 0xFFFFFFFFUL;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320UL & (0UL - (crc & 1UL)));
    }
    return crc ^ 0xFFFFFFFFUL;
}

std::string Hex8(unsigned long value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08lX", value & 0xFFFFFFFFUL);
    return text;
}

std::string Decimal(unsigned long long value) { return std::to_string(value); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHex8(const std::string& text, unsigned long& value) {
    if (text.size() != 8) return false;
    value = 0;
    for (const char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<unsigned long>(digit);
    }
    return true;
}

bool ParseDecimal(const std::string& text, unsigned long long& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<unsigned long long>(c - '0');
        if (value > (~0ULL - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

bool ParseTime(const std::string& text, FILETIME& time) {
    unsigned long long ticks = 0;
    if (!ParseDecimal(text, ticks)) return false;
    time = FromTicks(ticks);
    return true;
}

bool ParseAttributes(const std::string& text, DWORD& attributes) {
    unsigned long value = 0;
    if (!ParseHex8(text, value)) return false;
    attributes = static_cast<DWORD>(value);
    return true;
}

// ---- Paths as text ---------------------------------------------------------------------
// UTF-8, with a lone surrogate (which NTFS names may hold) in the same three-byte form as any
// other character of the basic plane; control characters and '%' as '%' and two hex digits.

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string PathText(const std::wstring& path) {
    std::string text;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned long code = path[i];
        if (IS_HIGH_SURROGATE(path[i]) && i + 1 < path.size() && IS_LOW_SURROGATE(path[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<unsigned long>(path[++i]) - 0xDC00);
        }
        if (code < 0x20 || code == '%') {
            text += '%';
            text += Hex8(code).substr(6);
        } else {
            AppendUtf8(text, code);
        }
    }
    return text;
}

void AppendUtf16(std::wstring& out, unsigned long code) {
    if (code < 0x10000) {
        out += static_cast<wchar_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (code >> 10));
        out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    }
}

// One escaped byte at text[i] ('%' and two digits); only what PathText escapes is accepted.
bool ReadEscape(const std::string& text, size_t& i, unsigned long& code) {
    if (i + 2 >= text.size()) return false;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return false;
    code = static_cast<unsigned long>(high * 16 + low);
    i += 3;
    return code < 0x20 || code == '%';
}

// One UTF-8 sequence at text[i], in its shortest form.
bool ReadUtf8(const std::string& text, size_t& i, unsigned long& code) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = 0;
    unsigned long least = 0;
    if (lead < 0x80) {
        length = 1, code = lead;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2, code = lead & 0x1FUL, least = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3, code = lead & 0x0FUL, least = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4, code = lead & 0x07UL, least = 0x10000;
    } else {
        return false;
    }
    if (i + static_cast<size_t>(length) > text.size()) return false;
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((next & 0xC0) != 0x80) return false;
        code = (code << 6) | (next & 0x3FUL);
    }
    i += static_cast<size_t>(length);
    return code >= least && code <= 0x10FFFF;
}

bool ParsePath(const std::string& text, std::wstring& path) {
    path.clear();
    for (size_t i = 0; i < text.size();) {
        unsigned long code = 0;
        if (text[i] == '%') {
            if (!ReadEscape(text, i, code)) return false;
        } else if (static_cast<unsigned char>(text[i]) < 0x20 || !ReadUtf8(text, i, code)) {
            return false;
        }
        AppendUtf16(path, code);
    }
    return !path.empty();
}

// ---- Lines -----------------------------------------------------------------------------
// Fields separated by tabs; the last one is the CRC-32 of everything before its tab.

std::string Sealed(std::string fields) {
    fields += '\t' + Hex8(Crc32(fields)) + "\r\n";
    return fields;
}

// The fields of a line whose checksum holds, or false.
bool Unsealed(const std::string& line, std::vector<std::string>& fields) {
    const size_t tab = line.rfind('\t');
    unsigned long crc = 0;
    if (tab == std::string::npos || !ParseHex8(line.substr(tab + 1), crc)) return false;
    const std::string body = line.substr(0, tab);
    if (Crc32(body) != crc) return false;
    fields.clear();
    size_t start = 0;
    for (size_t at = body.find('\t'); at != std::string::npos; at = body.find('\t', start)) {
        fields.push_back(body.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(body.substr(start));
    return true;
}

std::string HeaderLine(JournalKind kind, const FILETIME& started) {
    return Sealed(std::string(kMagic) + '\t' + kVersion + '\t' + kKindWords[static_cast<int>(kind)] + '\t' +
                  Decimal(Ticks(started)));
}

std::string RecordLine(const JournalRecord& r) {
    return Sealed(Hex8(r.Attributes) + '\t' + Decimal(Ticks(r.Creation)) + '\t' + Decimal(Ticks(r.LastAccess)) + '\t' +
                  Decimal(Ticks(r.LastWrite)) + '\t' + Hex8(r.AttributesAfter) + '\t' +
                  Decimal(Ticks(r.LastWriteAfter)) + '\t' + PathText(r.Path));
}

bool ParseHeader(const std::string& line, Journal& journal) {
    std::vector<std::string> f;
    if (!Unsealed(line, f) || f.size() != 4 || f[0] != kMagic || f[1] != kVersion) return false;
    if (f[2] == kKindWords[0]) {
        journal.Kind = JournalKind::Run;
    } else if (f[2] == kKindWords[1]) {
        journal.Kind = JournalKind::Undo;
    } else {
        return false;
    }
    return ParseTime(f[3], journal.Started);
}

bool ParseRecord(const std::string& line, JournalRecord& r) {
    std::vector<std::string> f;
    return Unsealed(line, f) && f.size() == 7 && ParseAttributes(f[0], r.Attributes) &&
           ParseTime(f[1], r.Creation) && ParseTime(f[2], r.LastAccess) && ParseTime(f[3], r.LastWrite) &&
           ParseAttributes(f[4], r.AttributesAfter) && ParseTime(f[5], r.LastWriteAfter) && ParsePath(f[6], r.Path);
}

// ---- Files -----------------------------------------------------------------------------

bool IsDigits(const std::wstring& name, size_t first, size_t count) {
    for (size_t i = first; i < first + count; ++i) {
        if (name[i] < L'0' || name[i] > L'9') return false;
    }
    return true;
}

// "YYYYMMDD-hhmmss-fff-NN.jnl": files of other names in the folder are not journals.
bool IsJournalName(const std::wstring& name) {
    return name.size() == kNameLength && IsDigits(name, 0, 8) && name[8] == L'-' && IsDigits(name, 9, 6) &&
           name[15] == L'-' && IsDigits(name, 16, 3) && name[19] == L'-' && IsDigits(name, 20, 2) &&
           name.compare(22, 4, kExtension) == 0;
}

std::wstring StampOf(const FILETIME& time) {
    SYSTEMTIME t{};
    FileTimeToSystemTime(&time, &t);
    wchar_t text[kStampLength + 1];
    std::swprintf(text, kStampLength + 1, L"%04u%02u%02u-%02u%02u%02u-%03u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

CString FormatReason(const char* format, const std::wstring& path) {
    CString reason;
    reason.Format(format, static_cast<const char*>(ShownPath(path)));
    return reason;
}

bool MakeFolder(const std::wstring& folder) {
    if (folder.empty()) return false;
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void KeepNewest(const JournalPlace& place) {
    const std::vector<std::wstring> files = JournalFiles(place.Folder);
    const size_t keep = static_cast<size_t>(std::max(place.Keep, 1));
    for (size_t i = 0; i + keep < files.size(); ++i) DeleteFileW(files[i].c_str());
}

bool ReadWhole(const std::wstring& file, std::string& bytes) {
    // Without write sharing: the journal of a run still going on is not read half-written.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(handle, &size) && size.QuadPart <= kLargestJournal;
    if (read) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = bytes.empty() ||
               (ReadFile(handle, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
    }
    CloseHandle(handle);
    return read;
}

bool WriteWhole(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

}  // namespace

bool (*WriteJournalBytes)(HANDLE file, const std::string& bytes) = WriteWhole;

JournalRecord RecordBeforeChange(const std::wstring& path, const WIN32_FIND_DATAW& listed, DWORD attributesAfter,
                                 const FILETIME& lastWriteAfter) {
    JournalRecord record;
    record.Path = path;
    record.Attributes = listed.dwFileAttributes;
    record.Creation = listed.ftCreationTime;
    record.LastAccess = listed.ftLastAccessTime;
    record.LastWrite = listed.ftLastWriteTime;
    record.AttributesAfter = attributesAfter;
    record.LastWriteAfter = lastWriteAfter;
    return record;
}

bool JournalWriter::Open(const JournalPlace& place, JournalKind kind, CString& reason) {
    Close();
    if (!MakeFolder(place.Folder)) {
        reason = FormatReason("ｼﾞｬｰﾅﾙのﾌｫﾙﾀﾞを作成できません。( %s )", place.Folder);
        return false;
    }
    FILETIME started{};
    GetSystemTimeAsFileTime(&started);
    // A second journal of the same millisecond, or one after the clock was set back, still
    // sorts after the newest.
    std::wstring stamp = StampOf(started);
    int counter = 0;
    const std::wstring newest = NewestJournal(place.Folder);
    if (!newest.empty()) {
        const std::wstring name = newest.substr(newest.size() - kNameLength);
        if (name.compare(0, kStampLength, stamp) >= 0) {
            stamp = name.substr(0, kStampLength);
            counter = (name[20] - L'0') * 10 + (name[21] - L'0') + 1;
        }
    }
    for (; counter < kCounterLimit && m_file == INVALID_HANDLE_VALUE; ++counter) {
        wchar_t suffix[8];
        std::swprintf(suffix, 8, L"-%02d", counter);
        m_path = JoinPath(place.Folder, stamp + suffix + kExtension);
        m_file = CreateFileW(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (m_file == INVALID_HANDLE_VALUE) {
        reason = FormatReason("ｼﾞｬｰﾅﾙを作成できません。( %s )", place.Folder);
        return false;
    }
    m_place = place;
    m_records = 0;
    // The header is on disk before the first entry changes.
    if (!WriteLine(HeaderLine(kind, started)) || !FlushFileBuffers(m_file)) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
        DeleteFileW(m_path.c_str());
        reason = FormatReason("ｼﾞｬｰﾅﾙを作成できません。( %s )", m_path);
        return false;
    }
    m_lastFlush = GetTickCount64();
    return true;
}

bool JournalWriter::Append(const JournalRecord& record) {
    if (!IsOpen() || !WriteLine(RecordLine(record))) return false;
    ++m_records;
    // Each flush costs a disk write; once a second bounds both that cost and what a power
    // failure can take, records whose changes the failure most likely takes with them.
    if (GetTickCount64() - m_lastFlush >= kFlushIntervalMs) {
        FlushFileBuffers(m_file);
        m_lastFlush = GetTickCount64();
    }
    return true;
}

void JournalWriter::Close() {
    if (!IsOpen()) return;
    FlushFileBuffers(m_file);
    CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    if (m_records == 0) {
        DeleteFileW(m_path.c_str());
    } else {
        KeepNewest(m_place);
    }
}

bool JournalWriter::WriteLine(const std::string& line) { return WriteJournalBytes(m_file, line); }

bool ReadJournal(const std::wstring& file, Journal& journal, CString& reason) {
    std::string bytes;
    if (!ReadWhole(file, bytes)) {
        reason = FormatReason("ｼﾞｬｰﾅﾙを読めません。( %s )", file);
        return false;
    }
    journal = Journal{};
    int lineNumber = 0;
    for (size_t start = 0; start < bytes.size();) {
        ++lineNumber;
        const size_t end = bytes.find("\r\n", start);
        const bool cut = end == std::string::npos;
        const std::string line = bytes.substr(start, cut ? std::string::npos : end - start);
        start = cut ? bytes.size() : end + 2;
        if (lineNumber == 1) {
            if (ParseHeader(line, journal)) continue;
            reason = FormatReason("ｼﾞｬｰﾅﾙの形式が違います。( %s )", file);
            return false;
        }
        JournalRecord record;
        if (ParseRecord(line, record)) {
            journal.Records.push_back(record);
        } else if (!cut) {
            reason.Format("ｼﾞｬｰﾅﾙが壊れています。( %s : %d 行目 )", static_cast<const char*>(ShownPath(file)),
                          lineNumber);
            return false;
        }
    }
    if (lineNumber == 0) {
        reason = FormatReason("ｼﾞｬｰﾅﾙの形式が違います。( %s )", file);
        return false;
    }
    return true;
}

std::vector<std::wstring> JournalFiles(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(JoinPath(folder, L"*.jnl").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsJournalName(found.cFileName)) {
                names.emplace_back(found.cFileName);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    for (std::wstring& name : names) name = JoinPath(folder, name);
    return names;
}

std::wstring NewestJournal(const std::wstring& folder) {
    const std::vector<std::wstring> files = JournalFiles(folder);
    return files.empty() ? std::wstring() : files.back();
}
