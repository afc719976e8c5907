// A string of Shift-JIS bytes with the names and semantics of MFC's CString.
// Searches for a character step over double-byte characters, so a trail byte
// that happens to equal '\\' or ';' is never mistaken for that character.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text);  // NOLINT: converts like MFC's CString
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    explicit CString(std::string text) : m_text(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    operator const char*() const { return m_text.c_str(); }  // NOLINT
    const std::string& Str() const { return m_text; }
    char GetAt(int index) const { return m_text[static_cast<size_t>(index)]; }
    char operator[](int index) const { return GetAt(index); }

    CString& operator=(const char* text);
    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    int Compare(const char* text) const;        // byte order, like strcmp
    int CompareNoCase(const char* text) const;  // multibyte-aware, like _mbsicmp

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Byte index of the character or text, or -1; both skip trail bytes.
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;

    // Replaces every occurrence from left to right; replaced text is not scanned again.
    int Replace(const char* oldText, const char* newText);

    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { return TrimRight().TrimLeft(); }

    // The format is always a literal of the program; names and texts go in as arguments.
    void Format(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));

    // Loads a string-table entry of the program; false (and empty) when there is none.
    bool LoadString(unsigned id);

    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);

// True when the byte at index starts a character (it is not the trail byte of a double-byte one).
bool IsCharacterStart(const char* text, int index);
// Byte index of the last character of text, or -1 for an empty text.
int LastCharacterIndex(const char* text);
