// Undo on real files: a run journalled as the run's hook will journal it (a record before
// each change), then undone, with attributes and times read back from disk.
#include "EngineFixture.h"

#include "engine/Journal.h"
#include "engine/LogPalette.h"
#include "engine/Undo.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD R = FILE_ATTRIBUTE_READONLY;
constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD S = FILE_ATTRIBUTE_SYSTEM;

// Exact to 100 ns: 1997, 2000 and 2003, each with sub-second digits.
constexpr unsigned long long kCreation = 125000000001234567ULL;
constexpr unsigned long long kAccess = 126000000007654321ULL;
constexpr unsigned long long kWrite = 127000000001111111ULL;
constexpr unsigned long long kRunWrite = 130000000005555555ULL;  // what the run writes, 2012
constexpr unsigned long long kTouched = 131000000009999999ULL;   // a change after the run

FILETIME Time(unsigned long long ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string FileBytes(const std::wstring& file) {
    std::ifstream in(ShownText(file).Str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::wstring& file, const std::string& bytes) {
    std::ofstream(ShownText(file).Str(), std::ios::binary | std::ios::trunc) << bytes;
}

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

// One change of the run: attributes set and cleared, and the last-write time written.
struct Change {
    std::wstring Entry;
    DWORD Set;
    DWORD Clear;
};

class UndoTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine.Journals.Folder = Wide(journals.Path("journal"));
        engine.Job.ExecDispSubDir = 1;  // undo lines name entries by their full path all the same
    }

    HANDLE OpenForTimes(const std::wstring& entry, DWORD access) const {
        return CreateFileW(tree.RealPath(entry).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    }
    void SetTimes(const std::wstring& entry, const Times& times) const {
        const FILETIME c = Time(times.Creation), a = Time(times.Access), w = Time(times.Write);
        const HANDLE file = OpenForTimes(entry, FILE_WRITE_ATTRIBUTES);
        EXPECT_TRUE(SetFileTime(file, &c, &a, &w)) << ShownText(entry);
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

    // The run: for each change a record, then the change. Returns the journal.
    std::wstring Run(const std::vector<Change>& changes, size_t changedCount = ~size_t(0)) {
        JournalWriter writer;
        CString reason;
        EXPECT_TRUE(writer.Open(engine.Journals, JournalKind::Run, reason)) << reason;
        for (size_t i = 0; i < changes.size(); ++i) {
            const Change& change = changes[i];
            const WIN32_FIND_DATAW listed = Listed(change.Entry);
            const DWORD after = (listed.dwFileAttributes | change.Set) & ~change.Clear;
            EXPECT_TRUE(writer.Append(RecordBeforeChange(tree.RealPath(change.Entry), listed, after, Time(kRunWrite))));
            if (i >= changedCount) continue;  // the run stopped before this change
            SetAttributesAndWrite(change.Entry, after, kRunWrite);
        }
        const std::wstring path = writer.Path();
        writer.Close();
        return path;
    }
    void SetAttributesAndWrite(const std::wstring& entry, DWORD attributes, unsigned long long write) const {
        const FILETIME w = Time(write);
        const HANDLE file = OpenForTimes(entry, FILE_WRITE_ATTRIBUTES);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &w)) << ShownText(entry);
        CloseHandle(file);
        EXPECT_TRUE(SetFileAttributesW(tree.RealPath(entry).c_str(), attributes)) << ShownText(entry);
    }

    // Every entry of the journal as it was recorded before the run: its three attribute bits
    // and all three times, exact to 100 ns.
    void ExpectAsRecorded(const std::wstring& journal) const {
        Journal recorded;
        CString reason;
        ASSERT_TRUE(ReadJournal(journal, recorded, reason)) << reason;
        const bool creationKept = KeepsCreationTime(tree);
        for (const JournalRecord& record : recorded.Records) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            ASSERT_TRUE(GetFileAttributesExW(record.Path.c_str(), GetFileExInfoStandard, &data));
            const CString name = ShownText(record.Path);
            EXPECT_EQ(data.dwFileAttributes & (R | H | S), record.Attributes & (R | H | S)) << name;
            EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(record.LastWrite)) << name;
            EXPECT_EQ(Ticks(data.ftLastAccessTime), Ticks(record.LastAccess)) << name;
            EXPECT_EQ(Ticks(data.ftCreationTime), Ticks(creationKept ? record.Creation : record.LastWrite)) << name;
        }
    }

    CString Shown(const std::wstring& entry) const { return JoinPath(tree.Root(), ShownText(entry)); }
    std::vector<std::string> EntryLines(const char* status) const {
        std::vector<std::string> lines;
        for (const LogLine& line : window.LinesWith(std::string("    ") + status + " : ")) lines.push_back(line.Text);
        return lines;
    }
    std::vector<std::string> RedLines() const {
        std::vector<std::string> lines;
        for (const LogLine& line : window.Log) {
            if (line.Color == LogColor::Red) lines.push_back(line.Text);
        }
        return lines;
    }

    TempTree journals;
    JournalUndo undo{engine};
};

}  // namespace

TEST_F(UndoTest, RunThenUndoBringsBackAttributesAndAllThreeTimesExactly) {
    Make(L"a.txt", 0);
    Make(L"readonly.txt", R);
    Make(L"dir", H, true);
    Make(L"dir\\system.txt", S | H);
    SetTimes(L"dir", {kCreation, kAccess, kWrite});  // the new file changed them
    // ReadOnly on a directory is not kept by Wine on a Linux file system.
    const std::wstring journal = Run({{L"dir\\system.txt", 0, S}, {L"dir", S, H}, {L"a.txt", R | H, 0},
                                      {L"readonly.txt", H, R}});
    ASSERT_EQ(Bits(L"a.txt"), R | H);
    ASSERT_EQ(TimesOf(L"a.txt").Write, kRunWrite);

    undo.UndoLastRun();

    ExpectAsRecorded(journal);
    const struct {
        const wchar_t* entry;
        DWORD bits;
    } expected[] = {{L"a.txt", 0}, {L"readonly.txt", R}, {L"dir", H}, {L"dir\\system.txt", S | H}};
    for (const auto& e : expected) {
        EXPECT_EQ(Bits(e.entry), e.bits) << ShownText(e.entry);
        EXPECT_EQ(TimesOf(e.entry).Write, kWrite) << ShownText(e.entry);
    }
    // Listing a directory's entries moves its last-access time on Linux, so only the files'
    // are still those the test gave them.
    EXPECT_EQ(TimesOf(L"a.txt").Access, kAccess);
    EXPECT_EQ(TimesOf(L"dir\\system.txt").Access, kAccess);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    EXPECT_TRUE(beeps.Beeps().empty());
    EXPECT_EQ(window.BusyStates, (std::vector<bool>{true, false}));

    // Latest entry first, each line with the state it came back to and its full path.
    Journal read;
    CString reason;
    ASSERT_TRUE(ReadJournal(journal, read, reason));
    const FILETIME before = Time(kWrite);
    const std::string when = FormatFileTime(&before).Str();
    std::vector<std::string> lines = window.Texts();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "* * * * * * * * * * 復元開始 * * * * * * * * * *");
    EXPECT_EQ(lines[1], "復元対象 : " + ShownText(journal).Str() + " (" + FormatFileTime(&read.Started).Str() + " 実行)");
    EXPECT_EQ(lines[2], "    done : -ar-- " + when + "          0 " + Shown(L"readonly.txt").Str());
    EXPECT_EQ(lines[3], "    done : -a--- " + when + "          0 " + Shown(L"a.txt").Str());
    EXPECT_EQ(lines[4], "    done : d--h- " + when + "   < Dir >  " + Shown(L"dir").Str());
    EXPECT_EQ(lines[5], "    done : -a-hs " + when + "          0 " + Shown(L"dir\\system.txt").Str());
    EXPECT_EQ(lines[6], "------------------------------------------------");
    EXPECT_EQ(lines[7], "復元総数 : 4 件\r\n");
    EXPECT_EQ(lines[8], "* * * * * * * * * * 復元終了 * * * * * * * * * *");
    for (int i : {2, 3, 4, 5}) EXPECT_EQ(window.Log[static_cast<size_t>(i)].Color, LogColor::Navy);
    EXPECT_EQ(window.Log[7].Color, LogColor::Green);

    Journal own;
    ASSERT_TRUE(ReadJournal(NewestJournal(engine.Journals.Folder), own, reason));
    EXPECT_EQ(own.Kind, JournalKind::Undo);
    EXPECT_EQ(own.Records.size(), 4u);
}

// The undo journals what it changes, so undoing it puts the run's changes back; an aborted undo
// journals just the entries it reached.
TEST_F(UndoTest, AnUndoIsUndoneInTurnAlsoWhenItWasAborted) {
    std::vector<Change> changes;
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt", L"4.txt"}) {
        Make(name, 0);
        changes.push_back({name, H, 0});
    }
    Run(changes);
    AbortButton abort(engine);
    window.OnLine = [&](const LogLine& line) {
        if (line.Text.find("    done : ") != 0 || EntryLines("done").size() != 2) return;
        abort.Press();
        Sleep(20);  // the undo looks at its messages every few milliseconds
    };
    engine.Job.ExecDispFname = 1;
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
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt", L"4.txt"}) {
        EXPECT_EQ(Bits(name), H) << ShownText(name);
        EXPECT_EQ(TimesOf(name).Write, kRunWrite) << ShownText(name);
        EXPECT_EQ(TimesOf(name).Access, kAccess) << ShownText(name);
    }
    EXPECT_EQ(JournalFiles(engine.Journals.Folder).size(), 3u);
}

TEST_F(UndoTest, AnEntryChangedSinceTheRunIsLeftAsItIsAndReported) {
    for (const wchar_t* name : {L"kept.txt", L"written.txt", L"hidden.txt", L"never.txt", L"gone.txt"}) Make(name, 0);
    Run({{L"kept.txt", R, 0}, {L"written.txt", R, 0}, {L"hidden.txt", R, 0}, {L"never.txt", R, 0},
         {L"gone.txt", R, 0}},
        3);  // the change of never.txt and gone.txt did not happen
    SetAttributesAndWrite(L"written.txt", R, kTouched);
    SetAttributesAndWrite(L"hidden.txt", R | H, kRunWrite);
    DeleteFileW(tree.RealPath(L"gone.txt").c_str());
    engine.Job.ExecDispNopFname = 1;

    undo.UndoLastRun();

    EXPECT_EQ(Bits(L"kept.txt"), 0u);
    EXPECT_EQ(TimesOf(L"kept.txt").Write, kWrite);
    EXPECT_EQ(Bits(L"written.txt"), R);
    EXPECT_EQ(TimesOf(L"written.txt").Write, kTouched);
    EXPECT_EQ(Bits(L"hidden.txt"), R | H);
    EXPECT_EQ(TimesOf(L"hidden.txt").Write, kRunWrite);
    EXPECT_EQ(RedLines(), (std::vector<std::string>{
                              "  Failed : Undo(file not found) " + Shown(L"gone.txt").Str(),
                              "  Left : Changed Since The Run " + Shown(L"hidden.txt").Str(),
                              "  Left : Changed Since The Run " + Shown(L"written.txt").Str(),
                              "未復元数 : 2 件 (処理後に変更されたﾌｧｲﾙ)\r\n",
                          }));
    EXPECT_EQ(EntryLines(" nop").size(), 1u);  // never.txt needed nothing
    EXPECT_EQ(EntryLines("done").size(), 1u);
    EXPECT_EQ(window.LinesWith("復元総数 : ")[0].Text, "復元総数 : 1 件");
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::EntriesFailed);
    EXPECT_EQ(engine.Run.Failures, 3);
}

// As an abort or a crash leaves it: records of entries not reached are missing, and the write
// of the last one may have been cut.
TEST_F(UndoTest, AJournalCutShortUndoesExactlyWhatItHolds) {
    const std::vector<const wchar_t*> names = {L"1.txt", L"2.txt", L"3.txt"};
    for (const bool lastLineWhole : {true, false}) {
        std::vector<Change> changes;
        for (const wchar_t* name : names) {
            Make(name, 0);
            changes.push_back({name, H, 0});
        }
        const std::wstring journal = Run(changes, lastLineWhole ? 3 : 2);
        std::string bytes = FileBytes(journal);
        // Whole but for its line end, or cut in the middle of the record.
        bytes.resize(lastLineWhole ? bytes.size() - 2 : bytes.size() - 20);
        WriteFileBytes(journal, bytes);

        undo.UndoJournal(journal);

        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed) << lastLineWhole;
        EXPECT_EQ(EntryLines("done").size(), lastLineWhole ? 3u : 2u);
        for (const wchar_t* name : names) {
            EXPECT_EQ(Bits(name), 0u) << ShownText(name) << lastLineWhole;
            EXPECT_EQ(TimesOf(name).Write, kWrite) << ShownText(name) << lastLineWhole;
        }
    }
}

TEST_F(UndoTest, NamesOutsideTheCodePageGoThroughTheJournalAndBack) {
    const std::vector<std::wstring> names = {L"café", L"café\\한국어.txt", L"café\\😀.txt", L"cafe.txt"};
    Make(names[0], 0, true);
    for (size_t i = 1; i < names.size(); ++i) Make(names[i], 0);
    SetTimes(names[0], {kCreation, kAccess, kWrite});
    const std::wstring journal = Run({{names[1], R, 0}, {names[2], H, 0}, {names[0], H, 0}});
    undo.UndoLastRun();
    ExpectAsRecorded(journal);
    for (const std::wstring& name : names) {
        EXPECT_EQ(Bits(name), 0u) << ShownText(name);
        EXPECT_EQ(TimesOf(name).Write, kWrite) << ShownText(name);
    }
    std::vector<std::string> shown;
    for (const std::string& line : EntryLines("done")) shown.push_back(line.substr(line.rfind('\\') + 1));
    EXPECT_EQ(shown, (std::vector<std::string>{"caf〓", "〓.txt", "〓〓〓.txt"}));
}

TEST_F(UndoTest, AnUnreadableOrDamagedJournalOrNoneAtAllIsRefusedAndNothingChanges) {
    Make(L"a.txt", 0);
    const std::wstring journal = Run({{L"a.txt", H, 0}});
    std::string bytes = FileBytes(journal);
    const size_t record = bytes.find("\r\n") + 2;
    bytes[record + 10] = bytes[record + 10] == '1' ? '2' : '1';  // a digit of its creation time
    WriteFileBytes(journal, bytes);
    const std::wstring none = Wide(journals.Path("empty"));
    const struct {
        const char* name;
        std::function<void()> undoIt;
        std::string line;
    } cases[] = {
        {"damaged", [&] { undo.UndoLastRun(); },
         "*** ｼﾞｬｰﾅﾙが壊れています。( " + ShownText(journal).Str() + " : 2 行目 )"},
        {"missing", [&] { undo.UndoJournal(journal + L"x"); },
         "*** ｼﾞｬｰﾅﾙを読めません。( " + ShownText(journal).Str() + "x )"},
        {"no journal", [&] { engine.Journals.Folder = none; undo.UndoLastRun(); }, "*** 元に戻せる処理がありません。"},
    };
    for (const auto& c : cases) {
        beeps.Beeps().clear();
        window.BusyStates.clear();
        c.undoIt();
        EXPECT_EQ(window.Texts(), std::vector<std::string>{c.line}) << c.name;
        EXPECT_EQ(window.Log[0].Color, LogColor::Red) << c.name;
        EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONASTERISK}) << c.name;
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused) << c.name;
        EXPECT_EQ(window.BusyStates, (std::vector<bool>{true, false})) << c.name;
        EXPECT_EQ(Bits(L"a.txt"), H) << c.name;
        EXPECT_EQ(TimesOf(L"a.txt").Write, kRunWrite) << c.name;
    }
    EXPECT_EQ(JournalFiles(Wide(journals.Path("journal"))), std::vector<std::wstring>{journal});
    EXPECT_EQ(GetFileAttributesW(none.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The undo must be undoable: without a journal of its own it does not start.
TEST_F(UndoTest, AnUndoWhoseOwnJournalCannotBeWrittenDoesNotStart) {
    Make(L"a.txt", 0);
    const std::wstring journal = Run({{L"a.txt", H, 0}});
    const CString blocker = journals.MakeFile("blocker");
    engine.Journals.Folder = Wide(blocker + "\\journal");
    undo.UndoJournal(journal);
    EXPECT_EQ(window.Texts(), std::vector<std::string>{"*** ｼﾞｬｰﾅﾙのﾌｫﾙﾀﾞを作成できません。( " + blocker.Str() +
                                                        "\\journal )"});
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Refused);
    EXPECT_EQ(Bits(L"a.txt"), H);
}
