// Journals written and read back from real files: any name and any value survive, names sort
// by start time and never collide, only the newest are kept, and a journal that a crash cut
// short reads as what it holds while a damaged one is refused whole.
#include "EngineFixture.h"

#include "engine/Journal.h"

namespace {

JournalRecord Record(const std::wstring& path, DWORD attributes, unsigned long long write) {
    return {path, attributes, Time(write - 30), Time(write + 7), Time(write), attributes | H, Time(write + 123456789)};
}

// Every field on one line, the path in UTF-16 code units.
std::string Describe(const JournalRecord& r) {
    std::string text = std::to_string(r.Attributes) + " " + std::to_string(Ticks(r.Creation)) + " " +
                       std::to_string(Ticks(r.LastAccess)) + " " + std::to_string(Ticks(r.LastWrite)) + " " +
                       std::to_string(r.AttributesAfter) + " " + std::to_string(Ticks(r.LastWriteAfter)) + " ";
    for (wchar_t unit : r.Path) text += std::to_string(static_cast<unsigned>(unit)) + ".";
    return text;
}

class JournalTest : public ::testing::Test {
protected:
    JournalTest() { place.Folder = Wide(tree.Path("journal")); }

    std::wstring Write(const std::vector<JournalRecord>& records) {
        JournalWriter writer;
        CString reason;
        EXPECT_TRUE(writer.Open(place, JournalKind::Run, reason)) << reason;
        for (const JournalRecord& record : records) EXPECT_TRUE(writer.Append(record));
        const std::wstring path = writer.Path();
        writer.Close();
        return path;
    }

    TempTree tree;
    JournalPlace place;
};

}  // namespace

TEST_F(JournalTest, EveryNameAndEveryValueComesBackExactly) {
    const std::vector<JournalRecord> records = {
        Record(L"\\\\?\\C:\\d\\a.txt", FILE_ATTRIBUTE_ARCHIVE, 127000000001111111ULL),
        Record(L"\\\\?\\C:\\café\\한국어\\😀.txt", FILE_ATTRIBUTE_READONLY, 1),
        Record(L"\\\\?\\C:\\100%\\tab\tcr\rlf\n.txt", 0xFFFFFFFF, 130000000005555555ULL),
        Record(std::wstring(L"\\\\?\\C:\\lone ") + wchar_t(0xD800) + L" and " + wchar_t(0xDC00) + L".txt",
               FILE_ATTRIBUTE_DIRECTORY, 0xFFFFFFFFFFFFFF00ULL),
        Record(L"\\\\?\\UNC\\host\\share\\表示\\x", 0, 31),
    };
    FILETIME before{}, after{};
    GetSystemTimeAsFileTime(&before);
    const std::wstring file = Write(records);
    GetSystemTimeAsFileTime(&after);

    Journal journal;
    CString reason;
    ASSERT_TRUE(ReadJournal(file, journal, reason)) << reason;
    EXPECT_EQ(journal.Kind, JournalKind::Run);
    EXPECT_GE(Ticks(journal.Started), Ticks(before));
    EXPECT_LE(Ticks(journal.Started), Ticks(after));
    ASSERT_EQ(journal.Records.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(Describe(journal.Records[i]), Describe(records[i])) << i;
}

// Two journals of one millisecond, and one named later than the clock (set back since); the
// newest are kept, and files of other names stay.
TEST_F(JournalTest, NamesSortByStartTimeNeverCollideAndOnlyTheNewestAreKept) {
    CreateDirectoryW(place.Folder.c_str(), nullptr);
    const std::wstring others[] = {L"notes.txt", L"20000101-000000-000-00.txt", L"2000.jnl"};
    for (const std::wstring& name : others) WriteFileBytes(place.Folder + L"\\" + name, "mine");
    std::vector<std::wstring> files;
    for (int i = 0; i < 3; ++i) files.push_back(Write({Record(L"x", 0, 5)}));
    EXPECT_EQ(JournalFiles(place.Folder), files);
    EXPECT_EQ(GetFileAttributesW(Write({}).c_str()), INVALID_FILE_ATTRIBUTES);  // without records

    files.push_back(place.Folder + L"\\29991231-235959-999-07.jnl");
    WriteFileBytes(files.back(), "");
    place.Keep = 3;
    files.push_back(Write({Record(L"x", 0, 5)}));
    EXPECT_EQ(files.back().substr(files.back().rfind(L'\\') + 1), L"29991231-235959-999-08.jnl");
    EXPECT_EQ(JournalFiles(place.Folder), std::vector<std::wstring>(files.end() - 3, files.end()));
    place.Keep = 0;  // counts as 1
    files.push_back(Write({Record(L"x", 0, 5)}));
    EXPECT_EQ(JournalFiles(place.Folder), std::vector<std::wstring>{files.back()});
    for (const std::wstring& name : others) EXPECT_EQ(FileBytes(place.Folder + L"\\" + name), "mine");
}

// A crash can cut the last write short, and the change of that entry came only after it: a last
// line without its line end counts when whole and is left out when cut. Any other damage, or a
// file that is no journal, refuses it whole.
TEST_F(JournalTest, ACutShortJournalReadsAsWhatItHoldsAndADamagedOrForeignOneIsRefused) {
    const std::string whole =
        FileBytes(Write({Record(L"C:\\a", 0, 10), Record(L"C:\\b", 0, 20), Record(L"C:\\c", 0, 30)}));
    const size_t second = whole.find("\r\n") + 2;  // the first record
    const size_t third = whole.find("\r\n", second) + 2;
    std::string digitChanged = whole;
    digitChanged[third + 10] ^= 1;  // a digit of a time of the second record
    const CString file = tree.Path("bad.jnl");
    const CString damaged = "ｼﾞｬｰﾅﾙが壊れています。( " + file;
    const CString foreign = "ｼﾞｬｰﾅﾙの形式が違います。( " + file + " )";
    const struct {
        const char* name;
        std::string bytes;
        size_t records;
        CString reason;  // empty when the journal is read
    } cases[] = {
        {"last line end missing", whole.substr(0, whole.size() - 2), 3, ""},
        {"last CR only", whole.substr(0, whole.size() - 1), 2, ""},
        {"last record cut in its path", whole.substr(0, whole.rfind("C:\\c") + 3), 2, ""},
        {"header without its line end", whole.substr(0, second - 2), 0, ""},
        {"a digit of a time", digitChanged, 0, damaged + " : 3 行目 )"},
        {"a sealed line of other fields", whole.substr(0, second) + whole.substr(0, second), 0, damaged + " : 2 行目 )"},
        {"a line end lost in the middle", whole.substr(0, third - 2) + whole.substr(third), 0, damaged + " : 2 行目 )"},
        {"a record first", whole.substr(second), 0, foreign},
        {"a settings file", "[Common]\r\nRecursive=1\r\n", 0, foreign},
    };
    Journal journal;
    CString reason;
    for (const auto& c : cases) {
        WriteFileBytes(Wide(file), c.bytes);
        reason = "";
        EXPECT_EQ(ReadJournal(Wide(file), journal, reason), c.reason.IsEmpty()) << c.name;
        EXPECT_EQ(reason, c.reason) << c.name;
        if (c.reason.IsEmpty()) {
            EXPECT_EQ(journal.Records.size(), c.records) << c.name;
        }
    }
    // A journal still being written, by a run of another Fendrix, is not read half-written.
    JournalWriter open;
    ASSERT_TRUE(open.Open(place, JournalKind::Run, reason));
    EXPECT_FALSE(ReadJournal(open.Path(), journal, reason));
    EXPECT_EQ(reason, "ｼﾞｬｰﾅﾙを読めません。( " + ShownText(open.Path()) + " )");
}
