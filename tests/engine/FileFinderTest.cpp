#include "engine/FileFinder.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

Strings NamesOf(const EntryList& list) {
    Strings names;
    for (const auto& record : list.Records) names.emplace_back(record->cFileName);
    for (const CString& name : list.Names) names.emplace_back(name.Str());
    return names;
}

Strings Sorted(Strings names) {
    std::sort(names.begin(), names.end());
    return names;
}

class FileFinder : public ::testing::Test {
protected:
    Strings Find(const char* patterns, unsigned flags) {
        EntryList list;
        const int count = FindEntries(tree.Root(), patterns, &list, flags, 0);
        EXPECT_EQ(count, list.GetCount());
        return NamesOf(list);
    }

    TempTree tree;
};

}  // namespace

TEST_F(FileFinder, EachFileOnceInPatternOrderAfterTheSubdirectories) {
    tree.MakeFile("b.txt");
    tree.MakeFile("a.txt");
    tree.MakeFile("c.log");
    tree.MakeDir("sub");
    const Strings found = Find("*.log;*.txt;*.txt", FF_RECORDS | FF_SUBDIRS | FF_SEP_SEMICOLON);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0], "sub");
    EXPECT_EQ(found[1], "c.log");
    EXPECT_EQ(Sorted({found[2], found[3]}), (Strings{"a.txt", "b.txt"}));
}

TEST_F(FileFinder, ABlankAfterTheSeparatorBelongsToThePattern) {
    tree.MakeFile("a.txt");
    tree.MakeFile("c.log");
    EXPECT_EQ(Find("*.txt; *.log", FF_RECORDS | FF_SEP_SEMICOLON), Strings{"a.txt"});
}

TEST_F(FileFinder, SubdirectoriesWhateverThePatternsButNeverDotEntries) {
    tree.MakeDir("only");
    tree.MakeDir("other.txt");
    EXPECT_EQ(Sorted(Find("*.none", FF_RECORDS | FF_SUBDIRS | FF_SEP_SEMICOLON)), (Strings{"only", "other.txt"}));
    EXPECT_EQ(Sorted(Find("", FF_RECORDS | FF_SUBDIRS | FF_SEP_SEMICOLON)), (Strings{"only", "other.txt"}));
    EXPECT_EQ(Find("*.txt", FF_RECORDS | FF_SEP_SEMICOLON), Strings{});  // a matching directory is no file
    EXPECT_EQ(Find("*.txt", FF_NAMES | FF_DIRS_ONLY | FF_SEP_SEMICOLON), Strings{"other.txt"});
    // Directories found both as subdirectories and by the patterns are listed once.
    EXPECT_EQ(Sorted(Find("*.*", FF_NAMES | FF_SUBDIRS | FF_DIRS_ONLY | FF_SEP_SEMICOLON)), (Strings{"only", "other.txt"}));
    EXPECT_EQ(Sorted(Find("*.txt", FF_NAMES | FF_SUBDIRS | FF_DIRS_ONLY | FF_SEP_SEMICOLON)), (Strings{"only", "other.txt"}));
}

TEST_F(FileFinder, HiddenAndSystemEntriesAreListed) {
    tree.MakeFile("h.txt");
    tree.SetAttributes("h.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(Find("*.txt", FF_RECORDS | FF_SEP_SEMICOLON), Strings{"h.txt"});
}

TEST_F(FileFinder, SortsDirectoriesFirstThenByExtensionAndName) {
    tree.MakeFile("a.txt");
    tree.MakeFile("y.bat");
    tree.MakeFile("x.BAT");
    tree.MakeFile("b.doc");
    tree.MakeFile("noext");
    tree.MakeDir("B");
    EXPECT_EQ(Find("*", FF_RECORDS | FF_SUBDIRS | FF_SORT_ASC | FF_SEP_SEMICOLON),
              (Strings{"B", "noext", "x.BAT", "y.bat", "b.doc", "a.txt"}));
    EXPECT_EQ(Find("*", FF_RECORDS | FF_SUBDIRS | FF_SORT_DESC | FF_SEP_SEMICOLON),
              (Strings{"B", "a.txt", "b.doc", "y.bat", "x.BAT", "noext"}));
}

TEST_F(FileFinder, PatternsSplitAtBarByDefaultAndNamesByDefault) {
    tree.MakeFile("a.txt");
    tree.MakeFile("c.log");
    EXPECT_EQ(Sorted(Find("*.txt|*.log", 0)), (Strings{"a.txt", "c.log"}));
    EXPECT_EQ(Find("*.txt;*.log", 0), Strings{});  // one pattern that matches nothing
}

TEST_F(FileFinder, ShiftJisNamesWithBackslashTrailBytes) {
    tree.MakeDir("表");
    tree.MakeFile("表\\ソ能.txt");
    EntryList list;
    EXPECT_EQ(FindEntries(tree.Path("表"), "*.txt", &list, FF_RECORDS | FF_SEP_SEMICOLON, 0), 1);
    EXPECT_EQ(NamesOf(list), Strings{"ソ能.txt"});
}

TEST_F(FileFinder, MissingDirectoryOrOutputGivesNothing) {
    EntryList list;
    list.Names.emplace_back("stale");
    EXPECT_EQ(FindEntries(tree.Path("missing"), "*", &list, FF_NAMES, 0), 0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(FindEntries(tree.Root(), "*", nullptr, FF_NAMES, 0), 0);
}

TEST(CompareNames, ExtensionFirstThenBaseWithoutCase) {
    EXPECT_LT(CompareNames("b.doc", "a.txt"), 0);
    EXPECT_LT(CompareNames("readme", "a.txt"), 0);
    EXPECT_EQ(CompareNames("A.TXT", "a.txt"), 0);
    EXPECT_GT(CompareNames("b.txt", "A.TXT"), 0);
}

TEST(SortEntryList, SortsNamesAndLeavesShortListsAlone) {
    EntryList list;
    list.Names = {"c.txt", "a.TXT", "b.log"};
    SortEntryList(list, FF_NAMES, 0);
    EXPECT_EQ(NamesOf(list), (Strings{"b.log", "a.TXT", "c.txt"}));
    SortEntryList(list, FF_NAMES | FF_SORT_DESC, 0);
    EXPECT_EQ(NamesOf(list), (Strings{"c.txt", "a.TXT", "b.log"}));
}
