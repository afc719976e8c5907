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

// Wine keeps no creation time on a Linux file system: it reads the last-write time back as the
// creation time. Where one is kept, the undo must bring it back exactly.
bool KeepsCreationTime(const TempTree& tree) {
    const std::wstring probe = tree.RealPath(L"creation-probe");
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const FILETIME creation = Time(kCreation), write = Time(kWrite);
    SetFileTime(file, &creation, nullptr, &write);
    CloseHandle(file);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(probe.c_str(), GetFileExInfoStandard, &data);
    DeleteFileW(probe.c_str());
    return Ticks(data.ftCreationTime) == kCreation;
}

// A disk that fills up after a number of journal writes.
int g_journalWritesLeft = 0;
bool (*g_realJournalWrite)(HANDLE, const std::string&) = WriteJournalBytes;

bool WriteUntilFull(HANDLE file, const std::string& bytes) {
    return g_journalWritesLeft-- > 0 && g_realJournalWrite(file, bytes);
}

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
    // What another program does to an entry after the run.
    void Touch(const std::wstring& entry, DWORD attributes, unsigned long long write) {
        SetTimes(entry, {0, 0, write});
        tree.SetAttributes(entry, attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes);
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

    // Every entry of the journal as it is on disk: its three attribute bits and all three times
    // as recorded before the run (exact to 100 ns), or as the run left it.
    void ExpectAsRecorded(const std::wstring& journal, bool before) const {
        const bool creationKept = KeepsCreationTime(tree);
        for (const JournalRecord& record : Read(journal).Records) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            ASSERT_TRUE(GetFileAttributesExW(record.Path.c_str(), GetFileExInfoStandard, &data));
            const CString name = ShownText(record.Path);
            const DWORD attributes = before ? record.Attributes : record.AttributesAfter;
            const FILETIME& write = before ? record.LastWrite : record.LastWriteAfter;
            EXPECT_EQ(data.dwFileAttributes & (R | H | S), attributes & (R | H | S)) << name << before;
            EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(write)) << name << before;
            EXPECT_EQ(Ticks(data.ftLastAccessTime), Ticks(record.LastAccess)) << name << before;
            EXPECT_EQ(Ticks(data.ftCreationTime), Ticks(creationKept ? record.Creation : write)) << name << before;
        }
    }

    CString Shown(const std::wstring& entry) const { return JoinPath(tree.Root(), ShownText(entry)); }
    size_t Count(const char* status) const { return window.LinesWith(std::string("    ") + status + " : ").size(); }

    JournalUndo undo{engine};
};

}  // namespace

// Entries named with characters that code page 932 lacks go through the journal and back by their
// real names. ReadOnly is left out on directories: Wine keeps it on none on a Linux file system.
TEST_F(UndoTest, RunThenUndoBringsBackAttributesAndAllThreeTimesExactly) {
    const std::wstring entries[] = {L"café\\😀.txt", L"café", L"readonly.txt", L"한국어.txt"};  // in walk order
    const DWORD before[] = {S | H, H, R, 0};
    Make(entries[1], H, true);
    for (const unsigned i : {0u, 2u, 3u}) Make(entries[i], before[i]);
    SetTimes(entries[1], {kCreation, kAccess, kWrite});  // the new file changed them
    const std::wstring journal = RunSetting(R | H | S, 1);

    // One record per change, in the order the walk handed them out, each written before its
    // change: the state the listing gave and what the change wrote.
    const Journal run = Read(journal);
    EXPECT_EQ(run.Kind, JournalKind::Run);
    ASSERT_EQ(run.Records.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(run.Records[i].Path == tree.RealPath(entries[i])) << i;
    ExpectAsRecorded(journal, false);

    undo.UndoLastRun();

    ExpectAsRecorded(journal, true);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Bits(entries[i]), before[i]) << i;
        EXPECT_EQ(TimesOf(entries[i]).Write, kWrite) << i;
    }
    // Listing a directory's entries moves its last-access time on Linux, so only the files'
    // are still those the test gave them.
    for (const std::wstring& file : {entries[0], entries[2], entries[3]}) {
        EXPECT_EQ(TimesOf(file).Access, kAccess) << ShownText(file);
    }
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_TRUE(Beeps().empty());

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
    EXPECT_EQ(window.LinesWith("復元総数 : ")[0].Text, "復元総数 : 4 件\r\n");
    EXPECT_EQ(Read(NewestJournal(engine.Journals.Folder)).Kind, JournalKind::Undo);
}

// Entries with nothing to change get no record.
TEST_F(UndoTest, ARunJournalsOnlyTheEntriesItChanges) {
    Make(L"a.txt", 0);
    Make(L"b.txt", H);
    window.Controls.TimeStanpFlg = 0;
    const Journal run = Read(RunSetting(H));
    ASSERT_EQ(run.Records.size(), 1u);
    EXPECT_TRUE(run.Records[0].Path == tree.RealPath(L"a.txt"));
    EXPECT_EQ(run.Records[0].AttributesAfter & H, H);
    EXPECT_EQ(Ticks(run.Records[0].LastWriteAfter), kWrite);  // no time stamp: the time stays
}

// A record that cannot be written stops the run before its entry changes: every change made has
// its record, and the undo takes them all back.
TEST_F(UndoTest, ARunWhoseJournalFailsStopsBeforeTheEntryWithoutItsRecord) {
    const std::vector<const wchar_t*> names = {L"1.txt", L"2.txt", L"3.txt", L"4.txt", L"5.txt", L"6.txt"};
    for (const wchar_t* name : names) Make(name, 0);
    window.Controls.SetAttributes = {H, 0};
    g_journalWritesLeft = 4;  // the header and three records
    WriteJournalBytes = WriteUntilFull;
    engine.RunJob();
    WriteJournalBytes = g_realJournalWrite;
    const std::wstring journal = NewestJournal(engine.Journals.Folder);
    const std::string stopped = "*** ｼﾞｬｰﾅﾙに書き込めないため、処理を中止しました。( " + ShownText(journal).Str() + " )";
    EXPECT_EQ(window.TextsIn(LogColor::Red), std::vector<std::string>{stopped});
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Aborted);
    ASSERT_EQ(Read(journal).Records.size(), 3u);

    // The entries the log calls done are those the undo takes back, and no others had changed.
    const size_t done = Count("done");
    undo.UndoJournal(journal);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(Count("done"), done);
    for (const wchar_t* name : names) {
        EXPECT_EQ(Bits(name), 0u) << ShownText(name);
        EXPECT_EQ(TimesOf(name).Write, kWrite) << ShownText(name);
    }

    engine.RunJob();  // the failure belongs to that run alone
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(Bits(names[5]), H);
}

// The undo journals what it changes, so undoing it puts the run's changes back; an aborted undo
// journals just the entries it reached.
TEST_F(UndoTest, AnUndoIsUndoneInTurnAlsoWhenItWasAborted) {
    const std::vector<const wchar_t*> names = {L"1.txt", L"2.txt", L"3.txt", L"4.txt"};
    for (const wchar_t* name : names) Make(name, 0);
    RunSetting(H);
    AbortButton abort(engine);
    window.OnLine = [&](const LogLine& line) {
        if (!StartsWith(line.Text, "    done : ") || Count("done") != 2) return;
        abort.Press();
        Sleep(20);  // the undo looks at its messages every few milliseconds
    };
    undo.UndoLastRun();
    window.OnLine = nullptr;
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Aborted);
    EXPECT_EQ(window.LinesWith("※ 復元は中止されました。").size(), 1u);
    EXPECT_EQ(window.LinesWith("復元総数 : ")[0].Text, "復元総数 : 2 件\r\n");
    const std::vector<DWORD> afterAbort = {Bits(L"1.txt"), Bits(L"2.txt"), Bits(L"3.txt"), Bits(L"4.txt")};
    EXPECT_EQ(afterAbort, (std::vector<DWORD>{H, H, 0, 0}));  // the latest two came back
    EXPECT_EQ(TimesOf(L"3.txt").Write, kWrite);
    EXPECT_EQ(TimesOf(L"2.txt").Write, kRunWrite);

    undo.UndoLastRun();  // the aborted undo
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_EQ(window.LinesWith("復元総数 : ")[0].Text, "復元総数 : 2 件\r\n");
    for (const wchar_t* name : names) {
        EXPECT_EQ(Bits(name), H) << ShownText(name);
        EXPECT_EQ(TimesOf(name).Write, kRunWrite) << ShownText(name);
        EXPECT_EQ(TimesOf(name).Access, kAccess) << ShownText(name);
    }
    EXPECT_EQ(JournalFiles(engine.Journals.Folder).size(), 3u);
}

TEST_F(UndoTest, AnEntryChangedSinceTheRunIsLeftAsItIsAndReported) {
    for (const wchar_t* name : {L"gone.txt", L"hidden.txt", L"kept.txt", L"never.txt", L"written.txt"}) Make(name, 0);
    RunSetting(R);
    Touch(L"written.txt", R, kTouched);
    Touch(L"hidden.txt", R | H, kRunWrite);
    Touch(L"never.txt", 0, kWrite);  // put back by someone else
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
    EXPECT_EQ(Count("done"), 1u);
    EXPECT_EQ(window.LinesWith("復元総数 : ")[0].Text, "復元総数 : 1 件");
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::EntriesFailed);
    EXPECT_EQ(engine.Run.Failures, 3);
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
    const struct {
        const char* name;
        std::function<void()> start;
        std::string line;
    } cases[] = {
        {"run, folder below a file", [&] { engine.Journals.Folder = Wide(below); engine.RunJob(); },
         "*** ｼﾞｬｰﾅﾙのﾌｫﾙﾀﾞを作成できません。( " + below.Str() + " )"},
        {"undo, folder below a file", [&] { engine.Journals.Folder = Wide(below); undo.UndoJournal(journal); },
         "*** ｼﾞｬｰﾅﾙのﾌｫﾙﾀﾞを作成できません。( " + below.Str() + " )"},
        {"damaged", [&] { WriteFileBytes(journal, damaged); undo.UndoLastRun(); },
         "*** ｼﾞｬｰﾅﾙが壊れています。( " + ShownText(journal).Str() + " : 2 行目 )"},
        {"no journal", [&] { engine.Journals.Folder = none; undo.UndoLastRun(); }, "*** 元に戻せる処理がありません。"},
    };
    window.Controls.SetAttributes = {R, 0};
    for (const auto& c : cases) {
        Beeps().clear();
        c.start();
        EXPECT_EQ(window.Texts(), std::vector<std::string>{c.line}) << c.name;
        EXPECT_EQ(window.Log[0].Color, LogColor::Red) << c.name;
        EXPECT_EQ(Beeps(), std::vector<UINT>{MB_ICONASTERISK}) << c.name;
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused) << c.name;
        EXPECT_EQ(Bits(L"a.txt"), H) << c.name;
        EXPECT_EQ(TimesOf(L"a.txt").Write, kRunWrite) << c.name;
        engine.Journals.Folder = folder;
    }
    EXPECT_EQ(JournalFiles(folder), std::vector<std::wstring>{journal});
    EXPECT_EQ(GetFileAttributesW(none.c_str()), INVALID_FILE_ATTRIBUTES);
}
