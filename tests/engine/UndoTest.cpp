// Real Execute runs journal every entry before they change it, and undo takes them back: attributes
// and times read back from disk.
#include "EngineFixture.h"

#include "engine/Journal.h"
#include "engine/Undo.h"

namespace {

// Exact to 100 ns: 1997, 2000 and 2003, each with sub-second digits.
constexpr unsigned long long kCreation = 125000000001234567ULL;
constexpr unsigned long long kAccess = 126000000007654321ULL;
constexpr unsigned long long kWrite = 127000000001111111ULL;
constexpr unsigned long long kTouched = 131000000009999999ULL;  // a change after the run
const unsigned long long kRunWrite = Ticks(TextToFileTime(kStamp));

struct Times {
    unsigned long long Creation, Access, Write;
};

// A disk that fills up after a number of journal writes.
int g_journalWritesLeft = 0;
bool (*g_realJournalWrite)(HANDLE, const std::string&) = WriteJournalBytes;

class UndoTest : public EngineTest {
protected:
    // Runs change every entry below the tree's root, with the time stamp, in sorted order.
    void SetUp() override {
        EngineTest::SetUp();
        engine.Job.ExecDispSubDir = 1;  // undo lines name entries by their full path all the same
        engine.Job.SortFile = 1;
        engine.Job.SystemFileSkip = 0;
        window.Controls.SearchPath = tree.Root();
        window.Controls.SearchFile = "*.*";
        window.Controls.Recursive = 1;
        window.Controls.TimeStanpFlg = 1;
        window.Controls.SetTimeStanp = {1, kStamp};
    }

    // Sets the times given; a write time alone leaves the other two.
    void SetTimes(const std::wstring& entry, const Times& times) const {
        const FILETIME c = Time(times.Creation), a = Time(times.Access), w = Time(times.Write);
        const HANDLE file = CreateFileW(tree.RealPath(entry).c_str(), FILE_WRITE_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        EXPECT_TRUE(SetFileTime(file, times.Creation != 0 ? &c : nullptr, times.Access != 0 ? &a : nullptr, &w))
            << ShownText(entry);
        CloseHandle(file);
    }
    Times TimesOf(const std::wstring& entry) const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        EXPECT_TRUE(GetFileAttributesExW(tree.RealPath(entry).c_str(), GetFileExInfoStandard, &data));
        return {Ticks(data.ftCreationTime), Ticks(data.ftLastAccessTime), Ticks(data.ftLastWriteTime)};
    }
    // Attributes of the three bits Wine keeps (Archive it does not).
    DWORD Bits(const std::wstring& entry) const { return tree.Attributes(entry) & (R | H | S); }

    // A file or directory with attributes and the three times of the before-state.
    void Make(const std::wstring& entry, DWORD attributes, bool directory = false) {
        directory ? tree.MakeDir(entry) : tree.MakeFile(entry);
        SetTimes(entry, {kCreation, kAccess, kWrite});
        if (attributes != 0) tree.SetAttributes(entry, attributes);
    }

    // A real Execute of the job in the controls, setting (mode 0) or clearing (1) the bits;
    // returns the journal it wrote.
    std::wstring RunSetting(DWORD bits, int mode = 0) {
        window.Controls.SetAttributes = {bits, mode};
        const size_t journalsBefore = JournalFiles(engine.Journals.Folder).size();
        engine.RunJob();
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
        EXPECT_EQ(JournalFiles(engine.Journals.Folder).size(), journalsBefore + 1);
        return NewestJournal(engine.Journals.Folder);
    }

    static Journal Read(const std::wstring& file) {
        Journal journal;
        CString reason;
        EXPECT_TRUE(ReadJournal(file, journal, reason)) << reason;
        return journal;
    }

    CString Shown(const std::wstring& entry) const { return JoinPath(tree.Root(), ShownText(entry)); }
    size_t Count(const char* status) const { return window.LinesWith(std::string("    ") + status + " : ").size(); }

    JournalUndo undo{engine};
};

}  // namespace

// Entries named with characters that code page 932 lacks go through the journal and back by their
// real names. On a Linux file system Wine keeps ReadOnly on no directory, and no creation time:
// it reads the last-write time back as the creation time. What it keeps comes back exactly.
TEST_F(UndoTest, RunThenUndoBringsBackAttributesAndAllThreeTimesExactly) {
    const std::wstring entries[] = {L"café\\😀.txt", L"café", L"readonly.txt", L"한국어.txt"};  // in walk order
    const DWORD before[] = {S | H, H, R, 0};
    Make(entries[1], H, true);
    for (const unsigned i : {0u, 2u, 3u}) Make(entries[i], before[i]);
    SetTimes(entries[1], {kCreation, kAccess, kWrite});  // the new file changed them
    std::vector<Times> stored;
    for (const std::wstring& entry : entries) stored.push_back(TimesOf(entry));
    const std::wstring journal = RunSetting(R | H | S, 1);

    // One record per change, in the order the walk handed them out.
    const Journal run = Read(journal);
    ASSERT_EQ(run.Records.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(run.Records[i].Path == tree.RealPath(entries[i])) << i;
    EXPECT_EQ(Bits(entries[0]), 0u);

    undo.UndoLastRun();

    for (size_t i = 0; i < 4; ++i) {
        const Times times = TimesOf(entries[i]);
        EXPECT_EQ(Bits(entries[i]), before[i]) << i;
        EXPECT_EQ(times.Write, kWrite) << i;
        EXPECT_EQ(times.Creation, stored[i].Creation) << i;
        // Listing a directory's entries moves its last-access time on Linux.
        if (i != 1) {
            EXPECT_EQ(times.Access, kAccess) << i;
        }
    }

    // Latest entry first, each line with the state it came back to and its full path.
    const FILETIME written = Time(kWrite);
    const std::string when = FormatFileTime(&written).Str();
    EXPECT_EQ(window.LinesWith("復元対象 : ")[0].Text,
              "復元対象 : " + ShownText(journal).Str() + " (" + FormatFileTime(&run.Started).Str() + " 実行)");
    EXPECT_EQ(window.TextsIn(LogColor::Navy), (std::vector<std::string>{
                                                  "    done : -a--- " + when + "          0 " + Shown(entries[3]).Str(),
                                                  "    done : -ar-- " + when + "          0 " + Shown(entries[2]).Str(),
                                                  "    done : d--h- " + when + "   < Dir >  " + Shown(entries[1]).Str(),
                                                  "    done : -a-hs " + when + "          0 " + Shown(entries[0]).Str(),
                                              }));
}

// A record that cannot be written stops the run before its entry changes: every change made has
// its record. An entry with nothing to change needs none.
TEST_F(UndoTest, ARunWhoseJournalFailsStopsBeforeTheEntryWithoutItsRecord) {
    const std::vector<const wchar_t*> names = {L"1.txt", L"2.txt", L"3.txt", L"4.txt", L"5.txt"};
    for (const wchar_t* name : names) Make(name, name == names[0] ? H : 0);
    window.Controls.TimeStanpFlg = 0;
    window.Controls.SetAttributes = {H, 0};
    g_journalWritesLeft = 4;  // the header and three records
    WriteJournalBytes = [](HANDLE file, const std::string& bytes) {
        return g_journalWritesLeft-- > 0 && g_realJournalWrite(file, bytes);
    };
    engine.RunJob();
    WriteJournalBytes = g_realJournalWrite;
    const std::wstring journal = NewestJournal(engine.Journals.Folder);
    const std::string stopped = "*** ｼﾞｬｰﾅﾙに書き込めないため、処理を中止しました。( " + ShownText(journal).Str() + " )";
    EXPECT_EQ(window.TextsIn(LogColor::Red), std::vector<std::string>{stopped});
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Aborted);
    const Journal stoppedRun = Read(journal);
    ASSERT_EQ(stoppedRun.Records.size(), 3u);
    EXPECT_TRUE(stoppedRun.Records[0].Path == tree.RealPath(names[1]));  // 1.txt needed none
    EXPECT_EQ(Bits(names[4]), 0u);  // no record, no change

    engine.RunJob();  // the failure belongs to that run alone
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(Bits(names[4]), H);
}

// The undo journals what it changes, so undoing it puts the run's changes back; an aborted undo
// journals just the entries it reached.
TEST_F(UndoTest, AnUndoIsUndoneInTurnAlsoWhenItWasAborted) {
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt", L"4.txt"}) Make(name, 0);
    RunSetting(H);
    const std::map<std::string, std::string> ran = DiskOf("");
    // The Abort command's message reaching a running undo is the window's to test.
    window.OnLine = [&](const LogLine& line) {
        if (StartsWith(line.Text, "    done : ") && Count("done") == 2) engine.Abort();
    };
    undo.UndoLastRun();
    window.OnLine = nullptr;
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Aborted);
    const std::vector<DWORD> afterAbort = {Bits(L"1.txt"), Bits(L"2.txt"), Bits(L"3.txt"), Bits(L"4.txt")};
    EXPECT_EQ(afterAbort, (std::vector<DWORD>{H, H, 0, 0}));  // the latest two came back

    undo.UndoLastRun();  // the aborted undo
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(DiskOf(""), ran);
}

TEST_F(UndoTest, AnEntryChangedSinceTheRunIsLeftAsItIsAndReported) {
    for (const wchar_t* name : {L"gone.txt", L"hidden.txt", L"kept.txt", L"never.txt", L"written.txt"}) Make(name, 0);
    RunSetting(R);
    SetTimes(L"written.txt", {0, 0, kTouched});
    tree.SetAttributes(L"hidden.txt", R | H);
    tree.SetAttributes(L"never.txt", FILE_ATTRIBUTE_NORMAL);  // put back by someone else
    SetTimes(L"never.txt", {0, 0, kWrite});
    tree.SetAttributes(L"gone.txt", FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(tree.RealPath(L"gone.txt").c_str());
    engine.Job.ExecDispNopFname = 1;

    undo.UndoLastRun();

    EXPECT_EQ(Bits(L"written.txt"), R);
    EXPECT_EQ(TimesOf(L"written.txt").Write, kTouched);
    EXPECT_EQ(Bits(L"hidden.txt"), R | H);
    EXPECT_EQ(TimesOf(L"hidden.txt").Write, kRunWrite);
    EXPECT_EQ(window.TextsIn(LogColor::Red), (std::vector<std::string>{
                                                 "  Left : Changed Since The Run " + Shown(L"written.txt").Str(),
                                                 "  Left : Changed Since The Run " + Shown(L"hidden.txt").Str(),
                                                 "  Failed : Undo(file not found) " + Shown(L"gone.txt").Str(),
                                                 "未復元数 : 2 件 (処理後に変更されたﾌｧｲﾙ)\r\n",
                                             }));
    EXPECT_EQ(Count(" nop"), 1u);  // never.txt needed nothing
    EXPECT_EQ(window.LinesWith("復元総数 : ")[0].Text, "復元総数 : 1 件");
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::EntriesFailed);
}

// Without a journal of its own a change could not be taken back: without one to read, an undo
// changes nothing either.
TEST_F(UndoTest, AJournalThatCannotBeReadOrWrittenRefusesTheRunOrUndoAndNothingChanges) {
    Make(L"a.txt", 0);
    const std::wstring journal = RunSetting(H);
    std::string damaged = FileBytes(journal);
    const size_t record = damaged.find("\r\n") + 2;
    damaged[record + 10] = damaged[record + 10] == '1' ? '2' : '1';  // a digit of its creation time
    const std::wstring folder = engine.Journals.Folder, none = Wide(journals.Path("empty"));
    const CString below = journals.MakeFile("blocker") + "\\journal";
    const std::string blocked = "*** ｼﾞｬｰﾅﾙのﾌｫﾙﾀﾞを作成できません。( " + below.Str() + " )";
    const struct {
        const char* name;
        std::function<void()> start;
        std::string line;
    } cases[] = {
        {"run, blocked folder", [&] { engine.Journals.Folder = Wide(below); engine.RunJob(); }, blocked},
        {"undo, blocked folder", [&] { engine.Journals.Folder = Wide(below); undo.UndoJournal(journal); }, blocked},
        {"damaged", [&] { WriteFileBytes(journal, damaged); undo.UndoLastRun(); },
         "*** ｼﾞｬｰﾅﾙが壊れています。( " + ShownText(journal).Str() + " : 2 行目 )"},
        {"no journal", [&] { engine.Journals.Folder = none; undo.UndoLastRun(); }, "*** 元に戻せる処理がありません。"},
    };
    window.Controls.SetAttributes = {R, 0};
    for (const auto& c : cases) {
        Beeps().clear();
        c.start();
        EXPECT_EQ(window.Texts(), std::vector<std::string>{c.line}) << c.name;
        EXPECT_EQ(Beeps(), std::vector<UINT>{MB_ICONASTERISK}) << c.name;
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused) << c.name;
        EXPECT_EQ(Bits(L"a.txt"), H) << c.name;
        EXPECT_EQ(TimesOf(L"a.txt").Write, kRunWrite) << c.name;
        engine.Journals.Folder = folder;
    }
    EXPECT_EQ(JournalFiles(folder), std::vector<std::wstring>{journal});
    EXPECT_EQ(GetFileAttributesW(none.c_str()), INVALID_FILE_ATTRIBUTES);
}
