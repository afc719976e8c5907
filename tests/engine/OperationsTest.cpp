// Changes to single entries on a real disk (Linux under Wine: Archive is not stored there).
#include "EngineFixture.h"

#include "engine/LogPalette.h"

namespace {

constexpr DWORD A = FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD R = FILE_ATTRIBUTE_READONLY;
constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD S = FILE_ATTRIBUTE_SYSTEM;

class Operations : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine.Job.ExecDispSubDir = 1;
    }

    int Apply(const char* relative, WIN32_FIND_DATAA& record) { return engine.ApplyOperations(tree.Path(relative), record); }

    void StampWith(const char* value) {
        engine.Job.TimeStanpFlg = 1;
        engine.Job.SetTimeStanp = {1, value};
    }
};

}  // namespace

TEST_F(Operations, SettingAnAttributeChangesDiskRecordAndLogsDone) {
    tree.MakeFile("a.txt", 10);
    tree.SetWriteTime("a.txt", "2001/05/06 07:08:09");
    engine.Job.SetAttributes = {H, 0};
    WIN32_FIND_DATAA record = Listed("a.txt");

    EXPECT_EQ(Apply("a.txt", record), 1);

    EXPECT_EQ(tree.Attributes("a.txt") & H, H);
    EXPECT_EQ(record.dwFileAttributes & H, H);
    ASSERT_EQ(window.Log.size(), 1u);
    EXPECT_EQ(window.Log[0].Text, "    done : -a-h- 2001/05/06 07:08:09         10 a.txt");
    EXPECT_EQ(window.Log[0].Color, LogColor::Navy);
    EXPECT_EQ(window.Status[1], "○ 処理中... a.txt");
}

TEST_F(Operations, BitsAlreadyAsAskedChangeNothing) {
    tree.MakeFile("a.txt");
    engine.Job.SetAttributes = {A, 0};
    WIN32_FIND_DATAA record = Listed("a.txt");
    EXPECT_EQ(Apply("a.txt", record), 0);
    EXPECT_TRUE(window.Log.empty());

    engine.Job.ExecDispNopFname = 1;
    EXPECT_EQ(Apply("a.txt", record), 0);
    ASSERT_EQ(window.Log.size(), 1u);
    EXPECT_EQ(window.Log[0].Text.substr(0, 14), "     nop : -a-");
    EXPECT_EQ(window.Log[0].Color, LogColor::Olive);
}

TEST_F(Operations, ResetClearsOnlyTheBitsPresent) {
    tree.MakeFile("a.txt");
    tree.SetAttributes("a.txt", H);
    engine.Job.SetAttributes = {H | S, 1};
    WIN32_FIND_DATAA record = Listed("a.txt");
    EXPECT_EQ(Apply("a.txt", record), 1);
    EXPECT_EQ(tree.Attributes("a.txt") & (H | S), 0u);
    EXPECT_EQ(record.dwFileAttributes & (H | S), 0u);
}

TEST_F(Operations, ReadOnlyFilesTakeTheTimeStampAndStayReadOnly) {
    tree.MakeFile("ro.txt");
    tree.SetAttributes("ro.txt", R);
    StampWith("2001/05/06 12:00:00");
    WIN32_FIND_DATAA record = Listed("ro.txt");
    const DWORD listed = record.dwFileAttributes;

    EXPECT_EQ(Apply("ro.txt", record), 1);

    EXPECT_EQ(tree.WriteTimeText("ro.txt"), "2001/05/06 12:00:00");
    EXPECT_EQ(tree.Attributes("ro.txt") & R, R);
    EXPECT_EQ(record.dwFileAttributes, listed);
    EXPECT_EQ(FormatFileTime(&record.ftLastWriteTime), "2001/05/06 12:00:00");
    EXPECT_EQ(window.Texts().at(0).substr(0, 9), "    done ");
}

TEST_F(Operations, TimeAndAttributesTogetherCountAsOneChangedEntry) {
    tree.MakeFile("a.txt");
    StampWith("2001/05/06 12:00:00");
    engine.Job.SetAttributes = {H | R, 0};
    WIN32_FIND_DATAA record = Listed("a.txt");
    EXPECT_EQ(Apply("a.txt", record), 1);
    EXPECT_EQ(tree.Attributes("a.txt") & (H | R), H | R);
    EXPECT_EQ(tree.WriteTimeText("a.txt"), "2001/05/06 12:00:00");
    EXPECT_EQ(window.Texts(), std::vector<std::string>{"    done : -arh- 2001/05/06 12:00:00          0 a.txt"});
}

TEST_F(Operations, AFileHeldOpenByAnotherProgramStillTakesItsTimeStamp) {
    tree.MakeFile("held.txt");
    StampWith("2001/05/06 12:00:00");
    WIN32_FIND_DATAA record = Listed("held.txt");
    const HANDLE holder = CreateFileA(tree.Path("held.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Apply("held.txt", record), 1);
    CloseHandle(holder);
    EXPECT_EQ(tree.WriteTimeText("held.txt"), "2001/05/06 12:00:00");
}

TEST_F(Operations, AVanishedEntryGetsBothFailureLinesAndNoEntryLine) {
    tree.MakeFile("gone.txt");
    WIN32_FIND_DATAA record = Listed("gone.txt");
    DeleteFileA(tree.Path("gone.txt"));
    StampWith("2001/05/06 12:00:00");
    engine.Job.SetAttributes = {H, 0};
    engine.Job.ExecDispSubDir = 0;
    engine.Job.ExecDispNopFname = 1;

    EXPECT_EQ(Apply("gone.txt", record), 0);

    const std::string path = tree.Path("gone.txt").Str();
    EXPECT_EQ(window.Texts(), (std::vector<std::string>{"  Failed : Change TimeStanp(file open failed) " + path,
                                                         "  Failed : Change Attributes " + path}));
    EXPECT_EQ(window.Log[0].Color, LogColor::Red);
    EXPECT_EQ(window.Log[1].Color, LogColor::Red);
}

TEST_F(Operations, AStampWithoutAFileTimeFailsInsteadOfCountingAsDone) {
    tree.MakeFile("a.txt");
    tree.SetWriteTime("a.txt", "2001/05/06 07:08:09");
    StampWith("1500/01/01 00:00:00");
    WIN32_FIND_DATAA record = Listed("a.txt");
    EXPECT_EQ(Apply("a.txt", record), 0);
    EXPECT_EQ(window.Texts(), std::vector<std::string>{"  Failed : Change TimeStanp a.txt"});
    EXPECT_EQ(tree.WriteTimeText("a.txt"), "2001/05/06 07:08:09");
}

TEST_F(Operations, DirectoriesTakeTheirNewTimeStamp) {
    tree.MakeDir("sub");
    StampWith("2001/05/06 12:00:00");
    WIN32_FIND_DATAA record = Listed("sub");
    EXPECT_EQ(Apply("sub", record), 1);
    EXPECT_EQ(tree.WriteTimeText("sub"), "2001/05/06 12:00:00");
    ASSERT_EQ(window.Log.size(), 1u);
    EXPECT_EQ(window.Log[0].Text, "    done : d---- 2001/05/06 12:00:00   < Dir >  sub");
}

TEST_F(Operations, SystemClockOncePerRunOrForEveryEntry) {
    tree.MakeFile("a.txt");
    engine.Job.TimeStanpFlg = 1;
    engine.Job.SetTimeStanp = {0, ""};
    engine.Run.ClockValue = TextToClock("2010/01/02 03:04:05");
    WIN32_FIND_DATAA record = Listed("a.txt");
    Apply("a.txt", record);
    EXPECT_EQ(tree.WriteTimeText("a.txt"), "2010/01/02 03:04:05");

    engine.Job.SystemClockReadMode = 1;
    Apply("a.txt", record);
    EXPECT_EQ(tree.WriteTimeText("a.txt"), "2024/05/17 10:20:30");
    EXPECT_EQ(engine.Run.ClockValue, FixedClock());
}

TEST(ChangeAttributes, TouchesTheDiskOnlyWhenABitChanges) {
    DWORD word = FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(ChangeAttributes("C:\\no\\such\\file", word, FILE_ATTRIBUTE_ARCHIVE, 0), 1);
    EXPECT_EQ(ChangeAttributes("C:\\no\\such\\file", word, FILE_ATTRIBUTE_HIDDEN, 1), 1);
    EXPECT_EQ(ChangeAttributes("C:\\no\\such\\file", word, FILE_ATTRIBUTE_HIDDEN, 0), 0);
    EXPECT_EQ(word, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}
