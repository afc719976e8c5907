#include "FakeMainWindow.h"
#include "settings/IniFile.h"
#include "settings/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kTab = "<\\x09>";
const char* const kCrLf = "<\\x0D\\x0A>";

std::vector<std::string> Strings(const std::vector<CString>& texts) {
    std::vector<std::string> strings;
    for (const CString& text : texts) strings.push_back(text.Str());
    return strings;
}

class IniFileTest : public ::testing::Test {
protected:
    CString File(const char* name, const std::string& content) {
        const CString path = tree.Path(name);
        WriteWholeFile(path, content);
        return path;
    }

    TempTree tree;
};

}  // namespace

TEST(ConvertMarkers, ReplacesEachPairLeftToRightInBothDirections) {
    EXPECT_EQ(ConvertMarkers("a\tb\t", MARKER_TAB, true), "a<\\x09>b<\\x09>");
    EXPECT_EQ(ConvertMarkers("a\r\nb", MARKER_CRLF, true), "a<\\x0D\\x0A>b");
    EXPECT_EQ(ConvertMarkers("a<\\x09>b", MARKER_TAB, false), "a\tb");
    EXPECT_EQ(ConvertMarkers("<\\x0D\\x0A><\\x0D\\x0A>", MARKER_CRLF, false), "\r\n\r\n");
    // Each call handles its own pair only; a lone CR or LF stays.
    EXPECT_EQ(ConvertMarkers("a\tb\r\n", MARKER_CRLF, true), "a\tb<\\x0D\\x0A>");
    EXPECT_EQ(ConvertMarkers("a\rb\nc\n\r", MARKER_CRLF, true), "a\rb\nc\n\r");
    // Replaced text is not scanned again: "<<\x09>\x09>" loses one marker only.
    EXPECT_EQ(ConvertMarkers("<<\\x09>\\x09>", MARKER_TAB, false), "<\t\\x09>");
    // Double-byte text whose trail bytes are backslashes stays untouched.
    EXPECT_EQ(ConvertMarkers("表示\tソ", MARKER_TAB, true), "表示<\\x09>ソ");
}

TEST_F(IniFileTest, TextsKeepTabsLineBreaksAndEnclosingQuotes) {
    const CString file = tree.Path("texts.ini");
    const char* const values[] = {
        "a\tb",
        "line 1\r\nline 2",
        "\"C:\\Program Files\";\"D:\\My Data\"",
        "'quoted'",
        "\"",
        "表示\\ﾃｽﾄ;C:\\予定",
        "",
    };
    for (const char* value : values) {
        ASSERT_TRUE(WriteText("S", "Key", value, file));
        EXPECT_EQ(ReadText("S", "Key", "default", file), value);
    }
    ASSERT_TRUE(WriteText("S", "Key", "x\ty\r\nz", file));
    EXPECT_NE(ReadWholeFile(file).find(std::string("Key=x") + kTab + "y" + kCrLf + "z\r\n"), std::string::npos);
    EXPECT_EQ(ReadText("S", "Missing", "fallback", file), "fallback");
}

TEST_F(IniFileTest, MarkerTextWrittenByHandReadsAsTheCharacters) {
    const CString file =
        File("hand.ini", std::string("[S]\r\nA=one") + kTab + "two\r\nB=first" + kCrLf + "second\r\nC=a\\x09b\r\n");
    EXPECT_EQ(ReadText("S", "A", "", file), "one\ttwo");
    EXPECT_EQ(ReadText("S", "B", "", file), "first\r\nsecond");
    EXPECT_EQ(ReadText("S", "C", "", file), "a\\x09b");
}

TEST_F(IniFileTest, LongTextsAreReadWhole) {
    const CString file = tree.Path("long.ini");
    for (int length : {1022, 1023, 1024, 1025, 2047, 5000}) {
        std::string ascii(static_cast<size_t>(length), 'x');
        ascii.back() = 'E';
        ASSERT_TRUE(WriteText("S", "Ascii", ascii.c_str(), file));
        EXPECT_EQ(ReadText("S", "Ascii", "", file).Str(), ascii) << length;
    }
    std::string japanese;
    for (int i = 0; i < 900; ++i) japanese += "表ｱ";  // 2700 bytes, 1800 characters
    ASSERT_TRUE(WriteText("S", "Japanese", japanese.c_str(), file));
    EXPECT_EQ(ReadText("S", "Japanese", "", file).Str(), japanese);
}

TEST_F(IniFileTest, IntegersAndUnsignedSizes) {
    const CString file = File("numbers.ini", "[S]\r\nPlain=42\r\nText=abc\r\nLead=12abc\r\nMinus=-1\r\n"
                                             "Huge=4294967295\r\nWrapped=-1294967296\r\n");
    EXPECT_EQ(ReadInt("S", "Plain", 7, file), 42);
    EXPECT_EQ(ReadInt("S", "Missing", 7, file), 7);
    EXPECT_EQ(ReadInt("S", "Text", 7, file), 0);
    EXPECT_EQ(ReadInt("S", "Lead", 7, file), 12);
    EXPECT_EQ(ReadUnsigned("S", "Plain", 7, file), 42u);
    EXPECT_EQ(ReadUnsigned("S", "Missing", 7, file), 7u);
    EXPECT_EQ(ReadUnsigned("S", "Text", 7, file), 0u);
    EXPECT_EQ(ReadUnsigned("S", "Minus", 7, file), 0xFFFFFFFFu);
    EXPECT_EQ(ReadUnsigned("S", "Huge", 7, file), 0xFFFFFFFFu);
    EXPECT_EQ(ReadUnsigned("S", "Wrapped", 7, file), 3000000000u);

    ASSERT_TRUE(WriteInt("S", "Written", -5, file));
    EXPECT_EQ(Profile("S", "Written", file), "-5");
    ASSERT_TRUE(WriteInt("S", "Size", static_cast<int>(3000000000u), file));
    EXPECT_EQ(ReadUnsigned("S", "Size", 0, file), 3000000000u);
}

TEST_F(IniFileTest, RemovingSectionsAndKeys) {
    const CString file = File("remove.ini", "[A]\r\nX=1\r\nY=2\r\n[B]\r\nZ=3\r\n");
    EXPECT_TRUE(RemoveKey("A", "X", file));
    EXPECT_EQ(Strings(ListKeys("A", file)), (std::vector<std::string>{"Y"}));
    EXPECT_TRUE(RemoveSection("A", file));
    EXPECT_TRUE(ListKeys("A", file).empty());
    EXPECT_EQ(ReadInt("B", "Z", 0, file), 3);
}

TEST(ListKey, HasAtLeastFourDigits) {
    EXPECT_EQ(ListKey("Path", 1), "Path0001");
    EXPECT_EQ(ListKey("File", 9999), "File9999");
    EXPECT_EQ(ListKey("Path", 10000), "Path10000");
}

TEST_F(IniFileTest, ListsReadOnlyTheEntriesPresentInIndexOrder) {
    const CString file = File("list.ini",
                              "[L]\r\nCount=6\r\nPath0003=third\r\nPath0001=first\r\nPath0002=\r\n"
                              "path0004=fourth\r\nPath1=short\r\nPath00005=wide\r\nPath0007=beyond\r\n"
                              "Path0006=sixth\r\nPATH0006=duplicate\r\nOther=x\r\n");
    EXPECT_EQ(Strings(ReadList("L", "Count", "Path", 1, file)),
              (std::vector<std::string>{"first", "third", "fourth", "sixth"}));
}

TEST_F(IniFileTest, ListsWithoutACountAreEmpty) {
    const CString file = File("nocount.ini", "[L]\r\nPath0001=first\r\n[M]\r\nCount=0\r\nPath0001=first\r\n"
                                             "[N]\r\nCount=-3\r\nPath0001=first\r\n");
    EXPECT_TRUE(ReadList("L", "Count", "Path", 1, file).empty());
    EXPECT_TRUE(ReadList("M", "Count", "Path", 1, file).empty());
    EXPECT_TRUE(ReadList("N", "Count", "Path", 1, file).empty());
    EXPECT_TRUE(ReadList("L", "Count", "Path", 1, tree.Path("missing.ini")).empty());
}

TEST_F(IniFileTest, AHugeCountCostsNoMoreThanTheEntriesPresent) {
    const CString file = File("huge.ini", "[L]\r\nCount=2147483647\r\nPath0002=second\r\nPath0001=first\r\n"
                                          "Path2147483647=last\r\nPath2147483648=outside\r\n");
    const DWORD start = GetTickCount();
    EXPECT_EQ(Strings(ReadList("L", "Count", "Path", 1, file)),
              (std::vector<std::string>{"first", "second", "last"}));
    EXPECT_TRUE(RemoveList("L", "Count", "Path", 1, file));
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(Strings(ListKeys("L", file)), (std::vector<std::string>{"Path2147483648"}));
}

TEST_F(IniFileTest, RemoveListDeletesTheCountedEntriesAndTheCount) {
    const CString file = File("rm.ini", "[L]\r\nCount=2\r\nPath0001=a\r\nPath0002=b\r\nPath0003=c\r\nKeep=1\r\n");
    EXPECT_TRUE(RemoveList("L", "Count", "Path", 1, file));
    EXPECT_EQ(Strings(ListKeys("L", file)), (std::vector<std::string>{"Path0003", "Keep"}));

    ASSERT_TRUE(WriteList("W", "Count", "File", {"x", "y\tz"}, file));
    EXPECT_EQ(Strings(ListKeys("W", file)), (std::vector<std::string>{"Count", "File0001", "File0002"}));
    EXPECT_EQ(Strings(ReadList("W", "Count", "File", 1, file)), (std::vector<std::string>{"x", "y\tz"}));
}

TEST(ProgramDirectory, FollowsTheLastBackslashOfArgumentZero) {
    EXPECT_EQ(ProgramDirectory("C:\\Tools\\Fendrix\\Fendrix.exe"), "C:\\Tools\\Fendrix");
    EXPECT_EQ(ProgramDirectory("C:\\Fendrix.exe"), "C:\\");
    EXPECT_EQ(ProgramDirectory("Fendrix.exe"), "");
    EXPECT_EQ(ProgramDirectory("\\Fendrix.exe"), "");
    EXPECT_EQ(ProgramDirectory(""), "");
    EXPECT_EQ(ProgramDirectory("\\\\server\\share\\Fendrix.exe"), "\\\\server\\share");
    // 表 ends in the byte of a backslash; only real separators count.
    EXPECT_EQ(ProgramDirectory("C:\\表\\Fendrix.exe"), "C:\\表");
    EXPECT_EQ(ProgramDirectory("C:\\ソフト表"), "C:\\");
    EXPECT_EQ(ProgramDirectory("表.exe"), "");
}

TEST(DefaultFile, LiesBesideTheProgram) {
    EXPECT_EQ(SettingsStore::DefaultFileFor("C:\\Tools\\Fendrix.exe"), "C:\\Tools\\Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFileFor("D:\\Fendrix.exe"), "D:\\Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFileFor("Fendrix.exe"), "Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFileFor("C:\\表\\Fendrix.exe"), "C:\\表\\Fendrix.ini");
    EXPECT_EQ(SettingsStore::DefaultFile(), SettingsStore::DefaultFileFor(__argv[0]));
}
