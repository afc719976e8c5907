// A text split at one separator character, with optional double-quote grouping, and the
// path helpers built on the same multibyte-aware searches.
#pragma once

#include "framework/CString.h"

#include <vector>

class TokenList {
public:
    TokenList() = default;
    TokenList(const char* text, char separator, int quoteMode = 1) { Split(text, separator, quoteMode); }

    int Split(const char* text, char separator, int quoteMode = 1);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CString Item(int index, int trim = 0) const;
    int ItemAsInt(int index) const;
    void Clear() { m_items.clear(); }

private:
    void GroupQuotedItems(char separator);

    int m_quoteMode = 1;
    std::vector<CString> m_items;
};

// Directory, one backslash unless the directory already ends in one, name.
CString JoinPath(const CString& directory, const CString& name);

struct NameParts {
    CString Base;
    CString Extension;
};
// Splits at the last '.'; "." and ".." have neither base nor extension.
NameParts SplitExtension(const CString& name);

// Decimal value: leading blanks and one sign allowed, stops at the first non-digit, 0 without digits.
int ParseLeadingInt(const char* text);
