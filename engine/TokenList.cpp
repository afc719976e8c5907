#include "engine/TokenList.h"

#include <climits>

namespace {

bool IsBlank(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

bool StartsWithQuote(const CString& item) { return !item.IsEmpty() && item[0] == '"'; }

bool EndsWithQuote(const CString& item) { return !item.IsEmpty() && item[item.GetLength() - 1] == '"'; }

bool IsEnclosedInQuotes(const CString& item) {
    return item.GetLength() >= 2 && StartsWithQuote(item) && EndsWithQuote(item);
}

CString WithoutTrailingBlanks(CString text) { return text.TrimRight(); }

}  // namespace

int TokenList::Split(const char* text, char separator, int quoteMode) {
    m_items.clear();
    m_quoteMode = quoteMode;
    CString rest(text);
    const int last = LastCharacterIndex(rest);
    if (last >= 0 && rest[last] == separator) rest = rest.Left(last);
    if (rest.IsEmpty()) return 0;

    // Cutting from the end keeps empty items between adjacent separators.
    std::vector<CString> reversed;
    for (int cut = rest.ReverseFind(separator); cut >= 0; cut = rest.ReverseFind(separator)) {
        reversed.push_back(rest.Mid(cut + 1));
        rest = rest.Left(cut);
    }
    reversed.push_back(rest);
    m_items.assign(reversed.rbegin(), reversed.rend());

    if (quoteMode == 1) GroupQuotedItems(separator);
    return GetCount();
}

void TokenList::GroupQuotedItems(char separator) {
    std::vector<CString> grouped;
    const size_t count = m_items.size();
    for (size_t i = 0; i < count; ++i) {
        CString item = m_items[i];
        CString unindented = item;
        unindented.TrimLeft();
        if (StartsWithQuote(unindented)) {
            item = unindented;
            const bool complete = item.GetLength() >= 2 && EndsWithQuote(item);
            if (!complete) {
                size_t closing = i + 1;
                while (closing < count && !EndsWithQuote(WithoutTrailingBlanks(m_items[closing]))) ++closing;
                if (closing < count) {
                    CString joined = item;
                    for (size_t j = i + 1; j <= closing; ++j) joined += separator + m_items[j];
                    joined.TrimRight();
                    grouped.push_back(joined.Mid(1, joined.GetLength() - 2));
                    i = closing;
                    continue;
                }
            }
        }
        if (IsEnclosedInQuotes(item)) item = item.Mid(1, item.GetLength() - 2);
        grouped.push_back(item);
    }
    m_items.swap(grouped);
}

CString TokenList::Item(int index, int trim) const {
    if (index < 0 || index >= GetCount()) return CString();
    CString item = m_items[static_cast<size_t>(index)];
    if (trim == 1) item.Trim();
    return item;
}

int TokenList::ItemAsInt(int index) const {
    if (index < 0 || index >= GetCount()) return 0;
    return ParseLeadingInt(m_items[static_cast<size_t>(index)]);
}

int ParseLeadingInt(const char* text) {
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT_MAX) value = INT_MAX + 1LL;  // saturate; a date field never needs more
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

CString JoinPath(const CString& directory, const CString& name) {
    if (directory.IsEmpty() || name.IsEmpty()) return directory + name;
    // The last byte may be the trail byte of a character such as 表 (0x95 0x5C).
    const int last = LastCharacterIndex(directory);
    if (directory[last] == '\\') return directory + name;
    return directory + "\\" + name;
}

NameParts SplitExtension(const CString& name) {
    if (name == "." || name == "..") return {};
    const int dot = name.ReverseFind('.');
    if (dot < 0) return {name, CString()};
    return {name.Left(dot), name.Mid(dot + 1)};
}
