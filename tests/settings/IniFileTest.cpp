#include "FakeMainWindow.h"
#include "settings/IniFile.h"
#include "settings/ProgramDirectory.h"

#include <gtest/gtest.h>

TEST(ConvertMarkers, ReplacesEachPairLeftToRightWithoutRescanning) {
    EXPECT_EQ(ConvertMarkers("a\tb\t\r\n", MARKER_TAB, true), "a<\\x09>b<\\x09>\r\n");
    EXPECT_EQ(ConvertMarkers("a\r\nb\rc\nd", MARKER_CRLF, true), "a<\\x0D\\x0A>b\rc\nd");
    EXPECT_EQ(ConvertMarkers("<<\\x09>\\x09>", MARKER_TAB, false), "<\t\\x09>");
    EXPECT_EQ(ConvertMarkers("<\\x0D\\x0A><\\x0D\\x0A>", MARKER_CRLF, false), "\r\n\r\n");
}

TEST(IniFile, TextsComeBackAsTheyWereWritten) {
    TempTree tree;
    const CString file = tree.Path("texts.ini");
    std::string japanese;
    for (int i = 0; i < 700; ++i) japanese += "表ｱ";  // longer than the first read in bytes and in characters
    // Enclosing quotes would be dropped by the profile read without a second pair around them.
    for (const std::string& value : std::vector<std::string>{"a\tb", "1\r\n2", "\"C:\\Program Files\";\"D:\\My Data\"", "'q'", "\"", "",
                                    std::string(1023, 'x'), std::string(1024, 'y') + "z", japanese}) {
        ASSERT_TRUE(WriteText("S", "Key", value.c_str(), file));
        EXPECT_EQ(ReadText("S", "Key", "default", file).Str(), value);
    }
    WriteWholeFile(file, "[S]\r\nA=one<\\x09>two<\\x0D\\x0A>three\r\nSize=-1294967296\r\nMax=4294967295\r\n");
    EXPECT_EQ(ReadText("S", "A", "", file), "one\ttwo\r\nthree");
    EXPECT_EQ(ReadText("S", "None", "fallback", file), "fallback");
    EXPECT_EQ(ReadUnsigned("S", "Size", 7, file), 3000000000u);
    EXPECT_EQ(ReadUnsigned("S", "Max", 7, file), 0xFFFFFFFFu);
    EXPECT_EQ(ReadUnsigned("S", "None", 7, file), 7u);
}

TEST(IniFile, ListsReadOnlyThePresentEntriesInIndexOrder) {
    TempTree tree;
    const CString file = tree.Path("list.ini");
    WriteWholeFile(file,
                   "[L]\r\nCount=2147483647\r\nPath0003=third\r\nPath0001=first\r\nPath0002=\r\npath0004=fourth\r\n"
                   "Path1=short\r\nPath00005=wide\r\nPath2147483647=last\r\nPath2147483648=beyond\r\n"
                   "Path0006=sixth\r\nPATH0006=again\r\n[Empty]\r\nPath0001=x\r\n");
    const DWORD start = GetTickCount();
    const std::vector<CString> entries = ReadList("L", "Count", "Path", 1, file);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0], "first");
    EXPECT_EQ(entries[1], "third");
    EXPECT_EQ(entries[2], "fourth");
    EXPECT_EQ(entries[3], "sixth");
    EXPECT_EQ(entries[4], "last");
    EXPECT_TRUE(ReadList("Empty", "Count", "Path", 1, file).empty());

    EXPECT_TRUE(RemoveList("L", "Count", "Path", 1, file));
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(Keys("L", file), (std::vector<std::string>{"Path1", "Path00005", "Path2147483648"}));
}

TEST(ProgramDirectory, FollowsTheLastRealBackslash) {
    EXPECT_EQ(ProgramDirectory("C:\\Tools\\Fendrix.exe"), "C:\\Tools");
    EXPECT_EQ(ProgramDirectory("C:\\Fendrix.exe"), "C:\\");
    EXPECT_EQ(ProgramDirectory("Fendrix.exe"), "");
    EXPECT_EQ(ProgramDirectory("\\Fendrix.exe"), "");
    EXPECT_EQ(ProgramDirectory("C:\\表\\Fendrix.exe"), "C:\\表");  // 表 ends in the byte 0x5C
    EXPECT_EQ(ProgramDirectory("C:\\表"), "C:\\");
    EXPECT_EQ(SettingsStore::DefaultFileFor("C:\\Fendrix.exe"), "C:\\Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFileFor("Fendrix.exe"), "Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFileFor("D:\\a\\Fendrix.exe"), "D:\\a\\Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFile(), SettingsStore::DefaultFileFor(__argv[0]));
}
