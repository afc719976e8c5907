#include "engine/FileFinder.h"

#include "engine/ShiftJis.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

constexpr unsigned kRecords = FF_RECORDS | FF_SEP_SEMICOLON;
constexpr unsigned kWithSubdirs = kRecords | FF_SUBDIRS;
constexpr unsigned kDirNames = FF_NAMES | FF_DIRS_ONLY | FF_SEP_SEMICOLON;

Strings NamesOf(const EntryList& list) {
    Strings names;
    for (const auto& record : list.Records) names.push_back(ShownText(record->cFileName).Str());
    for (const std::wstring& name : list.Names) names.push_back(ShownText(name).Str());
    return names;
}

Strings Sorted(Strings names) {
    std::sort(names.begin(), names.end());
    return names;
}

class FileFinder : public ::testing::Test {
protected:
    Strings Find(const char* patterns, unsigned flags, const char* directory = "") {
        EntryList list;
        const int count = FindEntries(tree.RealPath(Wide(directory)), patterns, &list, flags, 0);
        EXPECT_EQ(count, list.GetCount());
        return NamesOf(list);
    }

    TempTree tree;
};

}  // namespace

// 表, ソ and 能 end in the byte of '\\'.
TEST_F(FileFinder, EachFileOnceInPatternOrderAfterTheSubdirectories) {
    tree.MakeDir("表");
    for (const char* name : {"表\\b.txt", "表\\ソ能.txt", "表\\c.log"}) tree.MakeFile(name);
    tree.MakeDir("表\\sub");
    const Strings found = Find("*.log;*.txt;*.txt", kWithSubdirs, "表");
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(Strings(found.begin(), found.begin() + 2), (Strings{"sub", "c.log"}));
    EXPECT_EQ(Sorted({found[2], found[3]}), (Strings{"b.txt", "ソ能.txt"}));
}

TEST_F(FileFinder, PatternsSplitAtTheChosenSeparatorWithBlanksKept) {
    tree.MakeFile("a.txt");
    tree.MakeFile("c.log");
    tree.SetAttributes("a.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);  // listed all the same
    EXPECT_EQ(Find("*.txt; *.log", kRecords), Strings{"a.txt"});  // " *.log" matches nothing
    EXPECT_EQ(Sorted(Find("*.txt|*.log", 0)), (Strings{"a.txt", "c.log"}));  // '|' and names by default
    EXPECT_EQ(Find("*.txt;*.log", 0), Strings{});
    EXPECT_EQ(Find("*", kRecords, "missing"), Strings{});
}

TEST_F(FileFinder, SubdirectoriesWhateverThePatternsButNeverDotEntriesAndEachOnce) {
    tree.MakeDir("only");
    tree.MakeDir("other.txt");
    const Strings both = {"only", "other.txt"};
    EXPECT_EQ(Sorted(Find("*.none", kWithSubdirs)), both);
    EXPECT_EQ(Find("*.txt", kRecords), Strings{});  // a matching directory is no file
    EXPECT_EQ(Find("*.txt", kDirNames), Strings{"other.txt"});
    // Directories found both as subdirectories and by the patterns are listed once.
    EXPECT_EQ(Sorted(Find("*.txt", kDirNames | FF_SUBDIRS)), both);
}

TEST_F(FileFinder, SortsDirectoriesFirstThenByExtensionAndNameWithoutCase) {
    for (const char* name : {"a.txt", "y.bat", "x.BAT", "b.doc", "noext"}) tree.MakeFile(name);
    tree.MakeDir("B");
    EXPECT_EQ(Find("*", kWithSubdirs | FF_SORT_ASC), (Strings{"B", "noext", "x.BAT", "y.bat", "b.doc", "a.txt"}));
    EXPECT_EQ(Find("*", kWithSubdirs | FF_SORT_DESC), (Strings{"B", "a.txt", "b.doc", "y.bat", "x.BAT", "noext"}));
}

// Names that Shift-JIS spells keep their order; the others sort as shown (〓 is 81 AC), and
// names shown alike by their UTF-16 code units, so that the order is always the same.
TEST_F(FileFinder, NamesShownAlikeSortByTheirRealText) {
    for (const wchar_t* name : {L"b.txt", L"한.txt", L"a.TXT", L"café.txt", L"cafe.txt", L"😃.txt", L"😀.txt"}) {
        tree.MakeFile(name);
    }
    EXPECT_EQ(Find("*", kRecords | FF_SORT_ASC),
              (Strings{"a.TXT", "b.txt", "cafe.txt", "caf〓.txt", "〓.txt", "〓.txt", "〓.txt"}));
    EntryList list;
    FindEntries(tree.RealPath(L""), "*.txt", &list, kRecords | FF_SORT_DESC, 0);
    std::vector<std::wstring> first;
    for (size_t i = 0; i < 3; ++i) first.emplace_back(list.Records[i]->cFileName);
    const std::vector<std::wstring> expected = {L"😃.txt", L"😀.txt", L"한.txt"};
    EXPECT_TRUE(first == expected);
}
