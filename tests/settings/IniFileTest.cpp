#include "FakeMainWindow.h"

#include <string>
#include <utility>

namespace {

int g_reads = 0;

DWORD WINAPI CountingReader(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer, DWORD size, LPCSTR file) {
    ++g_reads;
    return GetPrivateProfileStringA(section, key, defaultText, buffer, size, file);
}

}  // namespace

// Every read goes through the whole file: a long value or key list must not cost a read per kilobyte.
TEST(IniFile, LongTextsComeBackWholeInAFewReadsAndOnlyLineBreakPairsBecomeMarkers) {
    EXPECT_EQ(ConvertMarkers("a\r\nb\rc\n", MARKER_CRLF, true), "a<\\x0D\\x0A>b\rc\n");
    TempTree tree;
    const CString file = tree.Path("texts.ini");
    std::string japanese;
    for (int i = 0; i < 700; ++i) japanese += "表ｱ";  // longer than the first read in bytes and in characters
    for (const std::string& value : {std::string(1023, 'x'), japanese, std::string("'q'")}) {
        ASSERT_TRUE(WriteText("S", "Key", value.c_str(), file));
        EXPECT_EQ(ReadText("S", "Key", "default", file).Str(), value);
    }
    WriteWholeFile(file, "[S]\r\nMax=4294967295\r\nHuge=99999999999\r\n");
    EXPECT_EQ(ReadUnsigned("S", "Max", 7, file), 0xFFFFFFFFu);
    EXPECT_EQ(ReadUnsigned("S", "Huge", 7, file), 0xFFFFFFFFu);  // not wrapped to a smaller limit
    EXPECT_EQ(ReadUnsigned("S", "None", 7, file), 7u);

    const std::string huge(1 << 20, 'v');
    std::string keys;
    for (int i = 0; i < 20000; ++i) keys += "Key" + std::to_string(i) + "=1\r\n";
    WriteWholeFile(file, "[Long]\r\nValue=" + huge + "\r\n[Keys]\r\n" + keys);
    ProfileReader = CountingReader;
    g_reads = 0;
    const CString read = ReadText("Long", "Value", "", file);
    const int valueReads = std::exchange(g_reads, 0);
    const std::vector<CString> listed = ListKeys("Keys", file);
    const int keyReads = g_reads;
    ProfileReader = GetPrivateProfileStringA;
    EXPECT_EQ(read.Str(), huge);
    EXPECT_LE(valueReads, 12);  // 1 KiB doubled past 1 MiB; adding 1 KiB at a time took 1,025 reads
    ASSERT_EQ(listed.size(), 20000u);
    EXPECT_EQ(listed.back(), "Key19999");
    EXPECT_LE(keyReads, 10);  // about 160 KB of names
}

TEST(IniFile, ListsTakeOnlyThePresentEntriesInIndexOrderHoweverLargeTheCount) {
    TempTree tree;
    const CString file = tree.Path("list.ini");
    WriteWholeFile(file,
                   "[L]\r\nCount=2147483647\r\nPath0003=third\r\nPath0001=first\r\nPath0002=\r\npath0004=fourth\r\n"
                   "Path1=short\r\n=nameless\r\nPath00005=wide\r\nPath2147483647=last\r\nPath2147483648=beyond\r\n"
                   "Path0006=sixth\r\nPATH0006=again\r\n[Empty]\r\nPath0001=x\r\n");
    EXPECT_EQ(ReadList("L", "Count", "Path", 1, file),
              (std::vector<CString>{"first", "third", "fourth", "sixth", "last"}));
    EXPECT_TRUE(ReadList("Empty", "Count", "Path", 1, file).empty());
    EXPECT_TRUE(RemoveList("L", "Count", "Path", 1, file));
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

// Without a short name, a name the code page cannot spell gets a '?' for each character that does
// not convert, which no file bears: its best-fit look-alike would be another file. The ordinary
// close of the program owns the case of a folder with a short name.
TEST(ProgramPath, ANameOutsideTheCodePageWithoutAShortNameNamesNoFile) {
    TempTree tree;
    tree.MakeDir("cafe");
    tree.MakeFile("cafe\\none.txt");  // the look-alike
    EXPECT_EQ(AnsiPathOf(Wide(tree.Path("表\\x.txt"))), tree.Path("表\\x.txt"));  // spelled exactly
    EXPECT_EQ(AnsiPathOf(Wide(tree.Root()) + L"\\caf\u00e9\\none.txt"), tree.Root() + "\\caf?\\none.txt");
    EXPECT_EQ(AnsiPathOf(Wide(tree.Root()) + L"\\\ud55c\uad6d.txt"), tree.Root() + "\\??.txt");
}
