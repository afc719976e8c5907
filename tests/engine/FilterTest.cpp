#include "EngineFixture.h"

namespace {

constexpr DWORD D = FILE_ATTRIBUTE_DIRECTORY;

class Filter : public EngineTest {
protected:
    // A listing record as the finder would give it.
    static WIN32_FIND_DATAW Record(const char* name, DWORD attributes, DWORD size = 0, const char* written = kStamp) {
        WIN32_FIND_DATAW record{};
        record.dwFileAttributes = attributes;
        record.nFileSizeLow = size;
        record.ftLastWriteTime = TextToFileTime(written);
        Wide(name).copy(record.cFileName, MAX_PATH - 1);
        return record;
    }
    int Accepts(const WIN32_FIND_DATAW& record) {
        return engine.FilterEntry({"C:\\d\\" + ShownText(record.cFileName), L""}, record);
    }
};

}  // namespace

TEST_F(Filter, OrTakesAnyChosenAttributeAndAndExactlyTheChosenSetIgnoringTheDirectoryBit) {
    const struct {
        AttributeCondition condition;
        DWORD attributes;
        int expected;
    } cases[] = {
        {{A | H, 0}, A, 1}, {{A | H, 0}, H | R, 1}, {{A | H, 0}, R, 0},  // OR: any chosen bit
        {{0, 0}, 0, 1}, {{0, 0}, R | H, 1},                               // OR of nothing: anything
        {{A, 1}, A, 1}, {{A, 1}, A | R, 0}, {{A, 1}, A | D | 0x80, 1},    // AND: exactly the set
        {{0, 1}, 0, 1}, {{0, 1}, D, 1}, {{0, 1}, A, 0},
    };
    for (const auto& c : cases) {
        engine.Job.SearchAttributes = c.condition;
        EXPECT_EQ(Accepts(Record("f.txt", c.attributes)), c.expected)
            << std::hex << c.condition.AttribFlg << " mode " << c.condition.AttribJokn << " on " << c.attributes;
    }
}

TEST_F(Filter, DateBoundsAreWholeLocalDaysAndNeedBothSwitchAndText) {
    const struct {
        int startFlag;
        const char* start;
        int endFlag;
        const char* end;
        const char* written;
        int expected;
    } cases[] = {
        {1, "2001/05/06", 0, "", "2001/05/06 00:00:00", 1},
        {1, "2001/05/06", 0, "", "2001/05/05 23:59:59", 0},
        {0, "", 1, "2001/05/06", "2001/05/06 23:59:59", 1},
        {0, "", 1, "2001/05/06", "2001/05/07 00:00:00", 0},
        {1, "", 1, "", "1980/01/01 00:00:00", 1},            // ticked without text: off
        {0, "2001/05/06", 0, "", "1980/01/01 00:00:00", 1},  // text without its switch: off
    };
    for (const auto& c : cases) {
        engine.Job.DateStartFlg = c.startFlag;
        engine.Job.DateEndFlg = c.endFlag;
        engine.Job.DateRange = {c.start, c.end};
        EXPECT_EQ(Accepts(Record("f.txt", A, 0, c.written)), c.expected) << c.start << "-" << c.end << " " << c.written;
    }
    // Half a second into the last second of the day is already outside.
    engine.Job.DateEndFlg = 1;
    engine.Job.DateRange.End = "2001/05/06";
    WIN32_FIND_DATAW late = Record("f.txt", A, 0, "2001/05/06 23:59:59");
    late.ftLastWriteTime.dwLowDateTime += 5000000;
    EXPECT_EQ(Accepts(late), 0);
}

TEST_F(Filter, SizeBoundsAreInclusiveCountAllSixtyFourBitsAndSkipDirectories) {
    engine.Job.SizeStartFlg = 1;
    engine.Job.SizeEndFlg = 1;
    engine.Job.SizeRange = {100, 100};
    engine.Job.ExecDispSkipped = 1;
    const struct {
        DWORD attributes, high, low;
        int expected;
    } cases[] = {{A, 0, 100, 1}, {A, 0, 99, 0}, {A, 0, 101, 0}, {A, 1, 100, 0} /* 4 GiB + 100 */, {D, 0, 0, 1}};
    for (const auto& c : cases) {
        WIN32_FIND_DATAW record = Record("f", c.attributes, c.low);
        record.nFileSizeHigh = c.high;
        EXPECT_EQ(Accepts(record), c.expected) << c.high << ":" << c.low;
    }
    EXPECT_EQ(window.LinesWith(" 4294967396 C:\\d\\f").size(), 1u);  // logged with its whole size
    engine.Job.SizeRange = {0, 4294967295u};
    EXPECT_EQ(Accepts(Record("f.txt", A, 4294967295u)), 1);
}

TEST_F(Filter, SystemEntriesThatPassAreReportedInRedWhateverTheDisplayOptions) {
    engine.Job.ExecDispFname = 0;
    engine.Job.ExecDispSubDir = 1;
    EXPECT_EQ(Accepts(Record("sys.dat", A | S)), 0);
    EXPECT_EQ(Accepts(Record("sysdir", D | S)), 0);
    engine.Job.ExecDispSubDir = 0;
    EXPECT_EQ(Accepts(Record("s.dat", S)), 0);
    EXPECT_EQ(window.Texts(), (std::vector<std::string>{"  Skip System File : sys.dat", "  Skip System Dir : sysdir",
                                                         "  Skip System File : C:\\d\\s.dat"}));
    EXPECT_EQ(window.Log[0].Color, LogColor::Red);

    window.Log.clear();
    engine.Job.SystemFileSkip = 0;
    EXPECT_EQ(Accepts(Record("sys.dat", A | S)), 1);
    EXPECT_TRUE(window.Log.empty());
}

TEST_F(Filter, RejectedEntriesGetASkipLineOnlyWhenAskedFor) {
    engine.Job.SearchAttributes = {H, 0};
    engine.Job.ExecDispSubDir = 1;
    EXPECT_EQ(Accepts(Record("f.txt", A | S, 10)), 0);  // a System file that fails an earlier test
    EXPECT_TRUE(window.Log.empty());

    engine.Job.ExecDispSkipped = 1;
    EXPECT_EQ(Accepts(Record("f.txt", A | S, 10)), 0);
    EXPECT_EQ(window.Texts(), std::vector<std::string>{"    skip : -a--s 2001/05/06 12:00:00         10 f.txt"});

    engine.Job.ExecDispFname = 0;
    EXPECT_EQ(Accepts(Record("f.txt", A, 10)), 0);
    EXPECT_EQ(window.Log.size(), 1u);
}
