#include "engine/TokenList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

struct SplitCase {
    const char* text;
    char separator;
    int quoteMode;
    Strings items;
};

}  // namespace

// 能 is 94 5C and ソ is 83 5C; '|' (7C) is also a possible trail byte, as in ポ (83 7C).
TEST(TokenList, SplitsAtSeparatorsOutsideQuotesAndDoubleByteCharacters) {
    const SplitCase cases[] = {
        {"a;b;", ';', 1, {"a", "b"}},  // one trailing separator is dropped
        {"a;;", ';', 1, {"a", ""}},
        {";a", ';', 1, {"", "a"}},
        {"", ';', 1, {}},
        {" a ; b", ';', 1, {" a ", " b"}},  // never trimmed here
        {"C:\\能\\x;D:\\ソ", ';', 1, {"C:\\能\\x", "D:\\ソ"}},
        {"ポ|a", '|', 1, {"ポ", "a"}},
        {"a\\表\\", '\\', 1, {"a", "表"}},
        {"\"C:\\a;b\";D:\\c", ';', 1, {"C:\\a;b", "D:\\c"}},
        {"\"abc;d", ';', 1, {"\"abc", "d"}},  // no closing quote: unchanged
        {"\"\";a", ';', 1, {"", "a"}},
        {"\"a;b;c\" ;d", ';', 1, {"a;b;c", "d"}},  // blanks after the closing quote are dropped
        {"\"a;b\"", ';', 0, {"\"a", "b\""}},        // without grouping
    };
    for (const SplitCase& c : cases) {
        const TokenList list(c.text, c.separator, c.quoteMode);
        Strings items;
        for (int i = 0; i < list.GetCount(); ++i) items.emplace_back(list.Item(i).Str());
        EXPECT_EQ(items, c.items) << c.text;
    }
}

TEST(TokenList, ItemsByIndexTrimmedAndAsNumbers) {
    const TokenList list(" 12 ,-3x, ,+7,abc", ',');
    EXPECT_EQ(list.Item(0, 1), "12");
    EXPECT_EQ(list.Item(0), " 12 ");
    EXPECT_EQ(list.Item(9), "");
    const int numbers[] = {12, -3, 0, 7, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(list.ItemAsInt(i), numbers[i]) << i;
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), 2147483647);
}

TEST(JoinPath, OneBackslashBetweenDirectoryAndName) {
    // The last byte of 表 is 0x5C but it is not a separator: the joined path needs one.
    const char* const cases[][3] = {{"C:\\", "a.txt", "C:\\a.txt"},     {"C:\\dir", "a.txt", "C:\\dir\\a.txt"},
                                    {"C:\\dir", "", "C:\\dir"},          {"", "a.txt", "a.txt"},
                                    {"C:\\表", "a.txt", "C:\\表\\a.txt"}, {"C:\\表\\", "a.txt", "C:\\表\\a.txt"}};
    for (const auto& c : cases) EXPECT_EQ(JoinPath(c[0], c[1]), c[2]) << c[0];
}
