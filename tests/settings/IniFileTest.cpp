#include "FakeMainWindow.h"

TEST(IniFile, LongTextsComeBackWholeAndOnlyLineBreakPairsBecomeMarkers) {
    EXPECT_EQ(ConvertMarkers("a\r\nb\rc\n", MARKER_CRLF, true), "a<\\x0D\\x0A>b\rc\n");
    TempTree tree;
    const CString file = tree.Path("texts.ini");
    std::string japanese;
    for (int i = 0; i < 700; ++i) japanese += "表ｱ";  // longer than the first read in bytes and in characters
    for (const std::string& value : {std::string(1023, 'x'), japanese, std::string("'q'")}) {
        ASSERT_TRUE(WriteText("S", "Key", value.c_str(), file));
        EXPECT_EQ(ReadText("S", "Key", "default", file).Str(), value);
    }
    WriteWholeFile(file, "[S]\r\nSize=-1294967296\r\nMax=4294967295\r\nHuge=99999999999\r\n");
    EXPECT_EQ(ReadUnsigned("S", "Size", 7, file), 3000000000u);
    EXPECT_EQ(ReadUnsigned("S", "Max", 7, file), 0xFFFFFFFFu);
    EXPECT_EQ(ReadUnsigned("S", "Huge", 7, file), 0xFFFFFFFFu);  // not wrapped to a smaller limit
    EXPECT_EQ(ReadUnsigned("S", "None", 7, file), 7u);
}

TEST(IniFile, ListsTakeOnlyThePresentEntriesInIndexOrderHoweverLargeTheCount) {
    TempTree tree;
    const CString file = tree.Path("list.ini");
    WriteWholeFile(file,
                   "[L]\r\nCount=2147483647\r\nPath0003=third\r\nPath0001=first\r\nPath0002=\r\npath0004=fourth\r\n"
                   "Path1=short\r\n=nameless\r\nPath00005=wide\r\nPath2147483647=last\r\nPath2147483648=beyond\r\n"
                   "Path0006=sixth\r\nPATH0006=again\r\n[Empty]\r\nPath0001=x\r\n");
    const DWORD start = GetTickCount();
    EXPECT_EQ(ReadList("L", "Count", "Path", 1, file),
              (std::vector<CString>{"first", "third", "fourth", "sixth", "last"}));
    EXPECT_TRUE(ReadList("Empty", "Count", "Path", 1, file).empty());
    EXPECT_TRUE(RemoveList("L", "Count", "Path", 1, file));
    EXPECT_LT(GetTickCount() - start, 3000u);
    // Both copies of an entry written twice go.
    EXPECT_EQ(ListKeys("L", file), (std::vector<CString>{"Path1", "Path00005", "Path2147483648"}));
}

TEST(ProgramDirectory, FollowsTheLastRealBackslash) {
    EXPECT_EQ(ProgramDirectory("C:\\Tools\\Fendrix.exe"), "C:\\Tools");
    EXPECT_EQ(ProgramDirectory("Fendrix.exe"), "");
    EXPECT_EQ(ProgramDirectory("C:\\表\\Fendrix.exe"), "C:\\表");  // 表 ends in the byte 0x5C
    EXPECT_EQ(ProgramDirectory("C:\\表"), "C:\\");
    EXPECT_EQ(SettingsStore::DefaultFileFor("C:\\Fendrix.exe"), "C:\\Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFileFor("Fendrix.exe"), "Fendrix.ini");
}
