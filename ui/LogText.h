// The text of the log view: Shift-JIS lines in one growing store, each with its colour. A
// line costs its bytes and one small record, so a run of a few hundred thousand entries fits
// in a few tens of megabytes, and appending costs the same at any length.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A place in the text: a line and a byte offset in it, always at the start of a character.
// The line after the last one (offset 0) is the end of the text.
struct LogPosition {
    int Line = 0;
    int Offset = 0;
};

inline bool operator==(const LogPosition& a, const LogPosition& b) { return a.Line == b.Line && a.Offset == b.Offset; }
inline bool operator!=(const LogPosition& a, const LogPosition& b) { return !(a == b); }
inline bool operator<(const LogPosition& a, const LogPosition& b) {
    return a.Line != b.Line ? a.Line < b.Line : a.Offset < b.Offset;
}

class LogText {
public:
    static constexpr UINT kCodePage = 932;

    // Appends the text as one line, or several where it holds line breaks (CR LF, a lone CR
    // or a lone LF), all in the colour. Every text ends its last line, so a text that ends
    // with a break adds an empty line after it; the text "\r\n" alone is one empty line.
    void Append(const char* text, COLORREF colour);
    // Empties the text and gives its memory back.
    void Clear();

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    const char* LineBytes(int line) const { return m_bytes.data() + m_lines[static_cast<size_t>(line)].Start; }
    int LineLength(int line) const;
    COLORREF LineColour(int line) const { return m_lines[static_cast<size_t>(line)].Colour; }

    // The whole text with CR LF after every line: its length, and a copy of at most room - 1
    // bytes that never ends inside a character or a line end, NUL-terminated (room > 0).
    // Returns the bytes copied.
    size_t TextLength() const { return m_bytes.size() + 2 * m_lines.size(); }
    size_t CopyText(char* out, size_t room) const;
    // The text between two positions, CR LF between lines.
    std::string Range(LogPosition from, LogPosition to) const;

    LogPosition End() const { return LogPosition{LineCount(), 0}; }
    LogPosition LineEnd(int line) const { return LogPosition{line, line < LineCount() ? LineLength(line) : 0}; }
    // The character after or before the position; a line end counts as one character.
    LogPosition Next(LogPosition position) const;
    LogPosition Previous(LogPosition position) const;
    // The nearest character start at or before the offset of the line.
    int CharacterStart(int line, int offset) const;
    // Byte offsets of the characters of the line, and its length at the end.
    std::vector<int> CharacterStarts(int line) const;
    // The run of blanks, or of other characters, around the position (a word for a double click).
    void WordAround(LogPosition position, LogPosition* start, LogPosition* end) const;

private:
    struct Line {
        size_t Start;
        COLORREF Colour;
    };

    void AddLine(const char* text, size_t length, COLORREF colour);

    std::string m_bytes;
    std::vector<Line> m_lines;
};
