#include "framework/CString.h"

#include <windows.h>
#include <mbctype.h>
#include <mbstring.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const unsigned char* Bytes(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

bool IsLeadByte(char ch) { return _ismbblead(static_cast<unsigned char>(ch)) != 0; }

// Length in bytes of the character that starts at text (0 at the terminator).
int CharacterLength(const char* text) {
    if (*text == '\0') return 0;
    return IsLeadByte(*text) && text[1] != '\0' ? 2 : 1;
}

bool IsBlank(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

}  // namespace

bool IsCharacterStart(const char* text, int index) {
    int i = 0;
    while (i < index && text[i] != '\0') i += CharacterLength(text + i);
    return i == index;
}

int LastCharacterIndex(const char* text) {
    int last = -1;
    for (int i = 0; text[i] != '\0'; i += CharacterLength(text + i)) last = i;
    return last;
}

CString::CString(const char* text) : m_text(text != nullptr ? text : "") {}

CString::CString(const char* text, int length) : m_text(text, static_cast<size_t>(length)) {}

CString::CString(char ch, int repeat) : m_text(static_cast<size_t>(repeat), ch) {}

CString& CString::operator=(const char* text) {
    m_text = text != nullptr ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& text) {
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text != nullptr) m_text += text;
    return *this;
}

CString& CString::operator+=(char ch) {
    m_text += ch;
    return *this;
}

int CString::Compare(const char* text) const { return std::strcmp(m_text.c_str(), text); }

int CString::CompareNoCase(const char* text) const { return _mbsicmp(Bytes(m_text.c_str()), Bytes(text)); }

CString CString::Left(int count) const {
    if (count <= 0) return CString();
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first >= GetLength() || count <= 0) return CString();
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_text.substr(m_text.size() - static_cast<size_t>(count)));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    const char* base = m_text.c_str();
    for (const char* p = base + start; *p != '\0'; p += CharacterLength(p)) {
        if (*p == ch) return static_cast<int>(p - base);
    }
    return -1;
}

int CString::Find(const char* text, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    const unsigned char* base = Bytes(m_text.c_str());
    const unsigned char* hit = _mbsstr(base + start, Bytes(text));
    return hit != nullptr ? static_cast<int>(hit - base) : -1;
}

int CString::ReverseFind(char ch) const {
    const unsigned char* base = Bytes(m_text.c_str());
    const unsigned char* hit = _mbsrchr(base, static_cast<unsigned char>(ch));
    return hit != nullptr ? static_cast<int>(hit - base) : -1;
}

int CString::Replace(const char* oldText, const char* newText) {
    const int oldLength = static_cast<int>(std::strlen(oldText));
    if (oldLength == 0) return 0;
    std::string result;
    int count = 0;
    int from = 0;
    for (int hit = Find(oldText, 0); hit >= 0; hit = Find(oldText, from)) {
        result.append(m_text, static_cast<size_t>(from), static_cast<size_t>(hit - from));
        result += newText;
        from = hit + oldLength;
        ++count;
    }
    if (count == 0) return 0;
    result.append(m_text, static_cast<size_t>(from), std::string::npos);
    m_text.swap(result);
    return count;
}

// A blank is single-byte and never the trail byte of a Shift-JIS character, so a byte scan is safe here.
CString& CString::TrimLeft() {
    size_t first = 0;
    while (first < m_text.size() && IsBlank(m_text[first])) ++first;
    m_text.erase(0, first);
    return *this;
}

CString& CString::TrimRight() {
    size_t end = m_text.size();
    while (end > 0 && IsBlank(m_text[end - 1])) --end;
    m_text.erase(end);
    return *this;
}

void CString::Format(const char* format, ...) {
    // Most texts fit the stack buffer, which saves the measuring pass.
    char buffer[512];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (length < 0) {
        m_text.clear();
    } else if (static_cast<size_t>(length) < sizeof buffer) {
        m_text.assign(buffer, static_cast<size_t>(length));
    } else {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&text[0], text.size(), format, copy);
        text.resize(static_cast<size_t>(length));
        m_text.swap(text);
    }
    va_end(copy);
    va_end(args);
}

bool CString::LoadString(unsigned id) {
    char buffer[1024];
    const int length = ::LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    m_text.assign(buffer, static_cast<size_t>(length > 0 ? length : 0));
    return length > 0;
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) newLength = static_cast<int>(std::strlen(m_text.c_str()));
    m_text.resize(static_cast<size_t>(newLength));
}

CString operator+(const CString& a, const CString& b) { return CString(a.Str() + b.Str()); }
CString operator+(const CString& a, const char* b) { return CString(a.Str() + b); }
CString operator+(const char* a, const CString& b) { return CString(a + b.Str()); }
CString operator+(const CString& a, char b) { return CString(a.Str() + b); }
CString operator+(char a, const CString& b) { return CString(a + b.Str()); }
bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
bool operator==(const CString& a, const char* b) { return a.Str() == b; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
