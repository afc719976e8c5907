#include "engine/TokenList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const char* text, char separator, int quoteMode = 1) {
    const TokenList list(text, separator, quoteMode);
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); ++i) items.emplace_back(list.Item(i).Str());
    return items;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(TokenList, SplitKeepsEmptyItemsButDropsOneTrailingSeparator) {
    EXPECT_EQ(Items("a;b;", ';'), (Strings{"a", "b"}));
    EXPECT_EQ(Items("a;;", ';'), (Strings{"a", ""}));
    EXPECT_EQ(Items("a;;b", ';'), (Strings{"a", "", "b"}));
    EXPECT_EQ(Items(";a", ';'), (Strings{"", "a"}));
    EXPECT_EQ(Items(";", ';'), Strings{});
    EXPECT_EQ(Items("", ';'), Strings{});
    EXPECT_EQ(Items(" a ; b", ';'), (Strings{" a ", " b"}));  // never trimmed here
}

TEST(TokenList, SeparatorSearchIgnoresTrailBytes) {
    // 能 is 94 5C and ソ is 83 5C; '|' (7C) is also a possible trail byte, as in ポ (83 7C).
    EXPECT_EQ(Items("C:\\能\\x;D:\\ソ", ';'), (Strings{"C:\\能\\x", "D:\\ソ"}));
    EXPECT_EQ(Items("ポ|a", '|'), (Strings{"ポ", "a"}));
    EXPECT_EQ(Items("a\\表\\", '\\'), (Strings{"a", "表"}));
}

TEST(TokenList, QuotesGroupItemsHoldingTheSeparator) {
    EXPECT_EQ(Items("\"C:\\a;b\";D:\\c", ';'), (Strings{"C:\\a;b", "D:\\c"}));
    EXPECT_EQ(Items(" \"x\"", ';'), (Strings{"x"}));
    EXPECT_EQ(Items("\"abc;d", ';'), (Strings{"\"abc", "d"}));  // no closing quote: unchanged
    EXPECT_EQ(Items("\"\";a", ';'), (Strings{"", "a"}));
    EXPECT_EQ(Items("\"a;b;c\" ;d", ';'), (Strings{"a;b;c", "d"}));  // blanks before the close are dropped
    EXPECT_EQ(Items("\"a;b\"", ';', 0), (Strings{"\"a", "b\""}));  // without grouping
}

TEST(TokenList, ItemsByIndexTrimmedAndAsNumbers) {
    const TokenList list(" 12 ,-3x, ,+7,abc", ',');
    EXPECT_EQ(list.Item(0, 1), "12");
    EXPECT_EQ(list.Item(0), " 12 ");
    EXPECT_EQ(list.Item(9), "");
    EXPECT_EQ(list.ItemAsInt(0), 12);
    EXPECT_EQ(list.ItemAsInt(1), -3);
    EXPECT_EQ(list.ItemAsInt(2), 0);
    EXPECT_EQ(list.ItemAsInt(3), 7);
    EXPECT_EQ(list.ItemAsInt(4), 0);
    EXPECT_EQ(list.ItemAsInt(5), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999"), 2147483647);
}

TEST(JoinPath, OneBackslashBetweenDirectoryAndName) {
    EXPECT_EQ(JoinPath("C:\\", "a.txt"), "C:\\a.txt");
    EXPECT_EQ(JoinPath("C:\\dir", "a.txt"), "C:\\dir\\a.txt");
    EXPECT_EQ(JoinPath("C:\\dir", ""), "C:\\dir");
    EXPECT_EQ(JoinPath("", "a.txt"), "a.txt");
    // The last byte of 表 is 0x5C but it is not a separator: the joined path needs one.
    EXPECT_EQ(JoinPath("C:\\表", "a.txt"), "C:\\表\\a.txt");
    EXPECT_EQ(JoinPath("C:\\表\\", "a.txt"), "C:\\表\\a.txt");
}

TEST(SplitExtension, LastDotDividesBaseAndExtension) {
    auto split = [](const char* name) {
        const NameParts parts = SplitExtension(name);
        return parts.Base.Str() + "|" + parts.Extension.Str();
    };
    EXPECT_EQ(split("archive.tar.gz"), "archive.tar|gz");
    EXPECT_EQ(split(".profile"), "|profile");
    EXPECT_EQ(split("README"), "README|");
    EXPECT_EQ(split("."), "|");
    EXPECT_EQ(split(".."), "|");
    EXPECT_EQ(split("表.txt"), "表|txt");
}
