// Changes to single entries on a real disk (Linux under Wine: Archive is not stored there).
#include "EngineFixture.h"

namespace {

class Operations : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine.Job.ExecDispSubDir = 1;
    }

    // The record of the entry as a listing gives it to the walk.
    WIN32_FIND_DATAW Listed(const char* relative) {
        WIN32_FIND_DATAW record{};
        const HANDLE search = FindFirstFileW(tree.RealPath(Wide(relative)).c_str(), &record);
        EXPECT_NE(search, INVALID_HANDLE_VALUE) << relative;
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        return record;
    }
    int Apply(const char* relative, WIN32_FIND_DATAW& record) {
        return engine.ApplyOperations({tree.Path(relative), tree.RealPath(Wide(relative))}, record);
    }

    void StampWith(const char* value) {
        engine.Job.TimeStanpFlg = 1;
        engine.Job.SetTimeStanp = {1, value};
    }
};

}  // namespace

TEST_F(Operations, AttributesAreSetOrResetOnDiskAndInTheRecordAndUnchangedOnesLoggedOnlyWhenAsked) {
    const struct {
        DWORD before;
        AttributeCondition change;
        int showUnchanged, changed;
        DWORD after;
    } cases[] = {{0, {H, 0}, 0, 1, H}, {H, {H | S, 1}, 0, 1, 0}, {A, {A, 0}, 1, 0, A}, {H | R, {S, 1}, 1, 0, H | R},
                 {H | R, {S, 1}, 0, 0, H | R}};
    tree.MakeFile("a.txt");
    for (const auto& c : cases) {
        tree.SetAttributes("a.txt", c.before != 0 ? c.before : FILE_ATTRIBUTE_NORMAL);
        engine.Job.SetAttributes = c.change;
        engine.Job.ExecDispNopFname = c.showUnchanged;
        WIN32_FIND_DATAW record = Listed("a.txt");
        window.Log.clear();
        EXPECT_EQ(Apply("a.txt", record), c.changed) << c.before;
        EXPECT_EQ(tree.Attributes("a.txt") & (R | H | S), c.after & (R | H | S)) << c.before;
        EXPECT_EQ(record.dwFileAttributes & (R | H | S), c.after & (R | H | S)) << c.before;
        ASSERT_EQ(window.Log.size(), c.changed || c.showUnchanged ? 1u : 0u) << c.before;
        if (window.Log.empty()) continue;
        EXPECT_EQ(window.Log[0].Text.substr(0, 9), c.changed ? "    done " : "     nop ");
        EXPECT_EQ(window.Log[0].Color, c.changed ? LogColor::Navy : LogColor::Olive);
    }
}

// Only an attribute-level open gets through to ReadOnly files, to files that another program
// holds open without sharing, and (with backup semantics) to directories. The time and attributes
// together are one change.
TEST_F(Operations, ReadOnlyHeldOpenAndDirectoryEntriesTakeTheTimeStampAloneOrWithAttributes) {
    tree.MakeFile("ro.txt");
    tree.SetAttributes("ro.txt", R);
    tree.MakeFile("held.txt");
    tree.MakeDir("sub");
    StampWith(kStamp);
    const HANDLE holder = CreateFileA(tree.Path("held.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    for (const char* name : {"ro.txt", "held.txt", "sub"}) {
        WIN32_FIND_DATAW record = Listed(name);
        const DWORD listed = record.dwFileAttributes;
        EXPECT_EQ(Apply(name, record), 1) << name;
        EXPECT_EQ(record.dwFileAttributes, listed) << name;
        EXPECT_EQ(FormatFileTime(&record.ftLastWriteTime), kStamp) << name;
    }
    engine.Job.SetAttributes = {H | R, 0};
    StampWith("2002/02/02 02:02:02");
    WIN32_FIND_DATAW record = Listed("held.txt");
    EXPECT_EQ(Apply("held.txt", record), 1);
    CloseHandle(holder);
    for (const char* name : {"ro.txt", "sub"}) EXPECT_EQ(tree.WriteTimeText(name), kStamp) << name;
    EXPECT_EQ(tree.WriteTimeText("held.txt"), "2002/02/02 02:02:02");
    EXPECT_EQ(tree.Attributes("ro.txt") & R, R);
    EXPECT_EQ(tree.Attributes("held.txt") & (H | R), H | R);
    EXPECT_EQ(window.Texts().back(), "    done : -arh- 2002/02/02 02:02:02          0 held.txt");
}

// A vanished entry fails both changes. A stamp before 1601 has no file time; written as zero it
// would leave the time as it was.
TEST_F(Operations, FailedChangesGetRedLinesInsteadOfAnEntryLineAndDoNotCount) {
    tree.MakeFile("gone.txt");
    tree.MakeFile("a.txt");
    tree.SetWriteTime("a.txt", kListed);
    WIN32_FIND_DATAW gone = Listed("gone.txt"), a = Listed("a.txt");
    DeleteFileA(tree.Path("gone.txt"));
    engine.Job.ExecDispSubDir = 0;
    engine.Job.ExecDispNopFname = 1;
    engine.Job.SetAttributes = {H, 0};
    StampWith(kStamp);
    EXPECT_EQ(Apply("gone.txt", gone), 0);
    engine.Job.SetAttributes = {0, 0};
    StampWith("1500/01/01 00:00:00");
    EXPECT_EQ(Apply("a.txt", a), 0);

    const std::string path = tree.Path("gone.txt").Str();
    const std::vector<std::string> failures = {"  Failed : Change TimeStanp(file open failed) " + path,
                                               "  Failed : Change Attributes " + path,
                                               "  Failed : Change TimeStanp " + tree.Path("a.txt").Str()};
    EXPECT_EQ(window.Texts(), failures);
    EXPECT_EQ(window.TextsIn(LogColor::Red), failures);
    EXPECT_EQ(tree.WriteTimeText("a.txt"), kListed);
}

// Attributes that are already as asked need no file system: a missing entry does not fail then.
TEST(CarryOut, TouchesTheFileSystemOnlyForATimeOrAChangedBit) {
    WIN32_FIND_DATAW record{};
    record.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    const std::wstring missing = L"C:\\no\\such\\file";
    EntryPlan plan;
    plan.AttributeStep = true;
    plan.Attributes = FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_FALSE(NeedsFileSystem(plan, record));
    EXPECT_FALSE(CarryOut(missing, record, plan).Failed());
    plan.Attributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN;
    EXPECT_TRUE(NeedsFileSystem(plan, record));
    EXPECT_TRUE(CarryOut(missing, record, plan).AttributesFailed);
}
