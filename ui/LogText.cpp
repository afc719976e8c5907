#include "ui/LogText.h"

#include <algorithm>
#include <cstring>

namespace {

// One or two bytes; a lead byte at the very end of a line stands alone.
int CharacterLength(const char* bytes, int offset, int length) {
    const bool lead = ::IsDBCSLeadByteEx(LogText::kCodePage, static_cast<BYTE>(bytes[offset])) != FALSE;
    return lead && offset + 1 < length ? 2 : 1;
}

bool IsBlank(const char* bytes, int offset) { return bytes[offset] == ' '; }

}  // namespace

void LogText::Append(const char* text, COLORREF colour) {
    if (std::strcmp(text, "\r\n") == 0) {
        AddLine(text, 0, colour);
        return;
    }
    // Trail bytes of Shift-JIS are never CR or LF: a byte scan finds the breaks.
    const char* start = text;
    const char* p = text;
    while (*p != '\0') {
        if (*p != '\r' && *p != '\n') {
            ++p;
            continue;
        }
        AddLine(start, static_cast<size_t>(p - start), colour);
        p += p[0] == '\r' && p[1] == '\n' ? 2 : 1;
        start = p;
    }
    AddLine(start, static_cast<size_t>(p - start), colour);
}

void LogText::AddLine(const char* text, size_t length, COLORREF colour) {
    m_lines.push_back(Line{m_bytes.size(), colour});
    m_bytes.append(text, length);
}

void LogText::Clear() {
    std::string().swap(m_bytes);
    std::vector<Line>().swap(m_lines);
}

int LogText::LineLength(int line) const {
    const size_t next = static_cast<size_t>(line) + 1;
    const size_t end = next < m_lines.size() ? m_lines[next].Start : m_bytes.size();
    return static_cast<int>(end - m_lines[static_cast<size_t>(line)].Start);
}

size_t LogText::CopyText(char* out, size_t room) const {
    const size_t limit = room - 1;
    size_t copied = 0;
    for (int line = 0; line < LineCount(); ++line) {
        const auto length = static_cast<size_t>(LineLength(line));
        if (copied + length + 2 > limit) {
            const size_t left = std::min(limit - copied, length);
            const auto fit = static_cast<size_t>(CharacterStart(line, static_cast<int>(left)));
            std::memcpy(out + copied, LineBytes(line), fit);
            copied += fit;
            break;
        }
        std::memcpy(out + copied, LineBytes(line), length);
        copied += length;
        out[copied++] = '\r';
        out[copied++] = '\n';
    }
    out[copied] = '\0';
    return copied;
}

std::string LogText::Range(LogPosition from, LogPosition to) const {
    if (to < from) std::swap(from, to);
    std::string text;
    for (int line = from.Line; line <= to.Line && line < LineCount(); ++line) {
        const int begin = line == from.Line ? from.Offset : 0;
        const int end = line == to.Line ? to.Offset : LineLength(line);
        text.append(LineBytes(line) + begin, static_cast<size_t>(end - begin));
        if (line < to.Line) text += "\r\n";
    }
    return text;
}

LogPosition LogText::Next(LogPosition position) const {
    if (position.Line >= LineCount()) return End();
    const int length = LineLength(position.Line);
    if (position.Offset >= length) return LogPosition{position.Line + 1, 0};
    return LogPosition{position.Line, position.Offset + CharacterLength(LineBytes(position.Line), position.Offset, length)};
}

LogPosition LogText::Previous(LogPosition position) const {
    if (position.Offset > 0) return LogPosition{position.Line, CharacterStart(position.Line, position.Offset - 1)};
    if (position.Line == 0) return position;
    return LineEnd(position.Line - 1);
}

int LogText::CharacterStart(int line, int offset) const {
    const int length = LineLength(line);
    if (offset >= length) return length;
    const char* bytes = LineBytes(line);
    int start = 0;
    // A trail byte can look like a lead byte: only a walk from the line's start is sure.
    for (int next = 0; next <= offset; next += CharacterLength(bytes, next, length)) start = next;
    return start;
}

std::vector<int> LogText::CharacterStarts(int line) const {
    std::vector<int> starts;
    if (line >= LineCount()) return std::vector<int>{0};
    const int length = LineLength(line);
    const char* bytes = LineBytes(line);
    for (int offset = 0; offset < length; offset += CharacterLength(bytes, offset, length)) starts.push_back(offset);
    starts.push_back(length);
    return starts;
}

void LogText::WordAround(LogPosition position, LogPosition* start, LogPosition* end) const {
    *start = *end = position;
    if (position.Line >= LineCount()) return;
    const std::vector<int> starts = CharacterStarts(position.Line);
    if (starts.size() < 2) return;
    // The character under the position; at the line's end, the one before it.
    const auto at = std::upper_bound(starts.begin(), starts.end() - 1, position.Offset) - 1;
    const char* bytes = LineBytes(position.Line);
    const bool blank = IsBlank(bytes, *at);
    auto first = at;
    while (first != starts.begin() && IsBlank(bytes, *(first - 1)) == blank) --first;
    auto last = at + 1;
    while (last != starts.end() - 1 && IsBlank(bytes, *last) == blank) ++last;
    *start = LogPosition{position.Line, *first};
    *end = LogPosition{position.Line, *last};
}
