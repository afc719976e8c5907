#include "EngineFixture.h"

#include "engine/LogPalette.h"

namespace {

constexpr DWORD A = FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD R = FILE_ATTRIBUTE_READONLY;
constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD S = FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD D = FILE_ATTRIBUTE_DIRECTORY;

class Filter : public EngineTest {
protected:
    int Accepts(const WIN32_FIND_DATAA& record) { return engine.FilterEntry(CString("C:\\d\\") + record.cFileName, record); }
    int AcceptsAttributes(DWORD attributes) { return Accepts(Record("f.txt", attributes)); }
    int AcceptsWrittenAt(const char* localTime) { return Accepts(Record("f.txt", A, 0, localTime)); }
    int AcceptsSize(DWORD size, DWORD high = 0) {
        WIN32_FIND_DATAA record = Record("f.txt", A, size);
        record.nFileSizeHigh = high;
        return Accepts(record);
    }
};

}  // namespace

TEST_F(Filter, OrTakesAnyChosenAttribute) {
    engine.Job.SearchAttributes = {A | H, 0};
    EXPECT_EQ(AcceptsAttributes(A), 1);
    EXPECT_EQ(AcceptsAttributes(H | R), 1);
    EXPECT_EQ(AcceptsAttributes(R), 0);
    engine.Job.SearchAttributes = {0, 0};
    EXPECT_EQ(AcceptsAttributes(0), 1);
    EXPECT_EQ(AcceptsAttributes(R | H), 1);
}

TEST_F(Filter, AndTakesExactlyTheChosenSetIgnoringTheDirectoryBit) {
    engine.Job.SearchAttributes = {A, 1};
    EXPECT_EQ(AcceptsAttributes(A), 1);
    EXPECT_EQ(AcceptsAttributes(A | R), 0);
    EXPECT_EQ(AcceptsAttributes(A | D | 0x80), 1);
    engine.Job.SearchAttributes = {0, 1};
    EXPECT_EQ(AcceptsAttributes(0), 1);
    EXPECT_EQ(AcceptsAttributes(D), 1);
    EXPECT_EQ(AcceptsAttributes(A), 0);
}

TEST_F(Filter, DateBoundsAreWholeLocalDays) {
    engine.Job.DateStartFlg = 1;
    engine.Job.DateRange.Start = "2001/05/06";
    EXPECT_EQ(AcceptsWrittenAt("2001/05/06 00:00:00"), 1);
    EXPECT_EQ(AcceptsWrittenAt("2001/05/05 23:59:59"), 0);
    engine.Job.DateStartFlg = 0;
    engine.Job.DateEndFlg = 1;
    engine.Job.DateRange.End = "2001/05/06";
    EXPECT_EQ(AcceptsWrittenAt("2001/05/06 23:59:59"), 1);
    EXPECT_EQ(AcceptsWrittenAt("2001/05/07 00:00:00"), 0);

    // Half a second into the last second of the day is already outside.
    WIN32_FIND_DATAA late = Record("f.txt", A, 0, "2001/05/06 23:59:59");
    late.ftLastWriteTime.dwLowDateTime += 5000000;
    EXPECT_EQ(Accepts(late), 0);
}

TEST_F(Filter, ATickedDateLimitWithoutTextIsOff) {
    engine.Job.DateStartFlg = 1;
    engine.Job.DateEndFlg = 1;
    EXPECT_EQ(AcceptsWrittenAt("1980/01/01 00:00:00"), 1);
    engine.Job.DateRange.Start = "2001/05/06";  // a set text without its switch is off as well
    engine.Job.DateStartFlg = 0;
    EXPECT_EQ(AcceptsWrittenAt("1980/01/01 00:00:00"), 1);
}

TEST_F(Filter, SizeBoundsAreInclusiveAndSkipDirectories) {
    engine.Job.SizeStartFlg = 1;
    engine.Job.SizeEndFlg = 1;
    engine.Job.SizeRange = {100, 100};
    EXPECT_EQ(AcceptsSize(100), 1);
    EXPECT_EQ(AcceptsSize(99), 0);
    EXPECT_EQ(AcceptsSize(101), 0);
    EXPECT_EQ(Accepts(Record("dir", D, 0)), 1);
    // A file of 4 GiB + 100 bytes is not a file of 100 bytes.
    EXPECT_EQ(AcceptsSize(100, 1), 0);
    engine.Job.SizeRange = {0, 4294967295u};
    EXPECT_EQ(AcceptsSize(4294967295u), 1);
}

TEST_F(Filter, SystemEntriesThatPassAreReportedInRedWhateverTheDisplayOptions) {
    engine.Job.ExecDispFname = 0;
    engine.Job.ExecDispSubDir = 1;
    EXPECT_EQ(Accepts(Record("sys.dat", A | S)), 0);
    EXPECT_EQ(Accepts(Record("sysdir", D | S)), 0);
    engine.Job.ExecDispSubDir = 0;
    EXPECT_EQ(Accepts(Record("s.dat", S)), 0);
    ASSERT_EQ(window.Log.size(), 3u);
    EXPECT_EQ(window.Log[0].Text, "  Skip System File : sys.dat");
    EXPECT_EQ(window.Log[1].Text, "  Skip System Dir : sysdir");
    EXPECT_EQ(window.Log[2].Text, "  Skip System File : C:\\d\\s.dat");
    EXPECT_EQ(window.Log[0].Color, LogColor::Red);

    window.Log.clear();
    engine.Job.SystemFileSkip = 0;
    EXPECT_EQ(Accepts(Record("sys.dat", A | S)), 1);
    EXPECT_TRUE(window.Log.empty());
}

TEST_F(Filter, RejectedEntriesGetAGreySkipLineOnlyWhenAskedFor) {
    engine.Job.SearchAttributes = {H, 0};
    engine.Job.ExecDispSubDir = 1;
    EXPECT_EQ(Accepts(Record("f.txt", A | S, 10)), 0);  // a System file that fails an earlier test
    EXPECT_TRUE(window.Log.empty());

    engine.Job.ExecDispSkipped = 1;
    EXPECT_EQ(Accepts(Record("f.txt", A | S, 10)), 0);
    ASSERT_EQ(window.Log.size(), 1u);
    EXPECT_EQ(window.Log[0].Text, "    skip : -a--s 2001/05/06 12:00:00         10 f.txt");
    EXPECT_EQ(window.Log[0].Color, LogColor::Grey);

    engine.Job.ExecDispFname = 0;
    EXPECT_EQ(Accepts(Record("f.txt", A, 10)), 0);
    EXPECT_EQ(window.Log.size(), 1u);
}
