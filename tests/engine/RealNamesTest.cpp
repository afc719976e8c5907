// Entries named with characters that code page 932 lacks, and paths beyond MAX_PATH: whole runs
// that list, enter and change every entry by its real UTF-16 name, read back from disk, with
// 〓 in the log wherever Shift-JIS has no character.
#include "EngineFixture.h"

#include "engine/LogPalette.h"

#include <algorithm>

namespace {

constexpr DWORD R = FILE_ATTRIBUTE_READONLY;
constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN;
const char* const kStamp = "2001/05/06 12:00:00";
const char* const kOldStamp = "2010/01/02 03:04:05";

class RealNames : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        window.Controls.SearchPath = tree.Root();
        window.Controls.SearchFile = "*.txt";
        window.Controls.Recursive = 1;
        window.Controls.SetAttributes = {H, 0};
        engine.Job.ExecDispSubDir = 1;
    }

    DWORD ReadOnlyHidden(const std::wstring& relative) const { return tree.Attributes(relative) & (R | H); }

    // The names at the end of the "done" lines.
    std::vector<std::string> DoneNames() const {
        std::vector<std::string> names;
        for (const LogLine& line : window.LinesWith("    done : ")) names.push_back(line.Text.substr(48));
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

// The listing of the A functions gives café.txt as "cafe.txt", and the change then hits cafe.txt.
TEST_F(RealNames, OfTwoLookAlikeFilesOnlyTheOneTheFilterTakesIsChanged) {
    const struct {
        const wchar_t* folder;
        const wchar_t* readOnly;
        const wchar_t* other;
        const char* shown;
    } cases[] = {{L"1", L"café.txt", L"cafe.txt", "caf〓.txt"}, {L"2", L"cafe.txt", L"café.txt", "cafe.txt"}};
    window.Controls.SearchAttributes = {R, 0};
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};
    for (const auto& c : cases) {
        const std::wstring folder = c.folder;
        tree.MakeDir(folder);
        for (const wchar_t* name : {c.readOnly, c.other}) {
            tree.MakeFile(folder + L"\\" + name);
            tree.SetWriteTime(folder + L"\\" + name, kOldStamp);
        }
        tree.SetAttributes(folder + L"\\" + c.readOnly, R);
        window.Controls.SearchPath = JoinPath(tree.Root(), ShownText(folder));

        engine.RunJob();

        EXPECT_EQ(ReadOnlyHidden(folder + L"\\" + c.readOnly), R | H) << c.shown;
        EXPECT_EQ(tree.WriteTimeText(folder + L"\\" + c.readOnly), kStamp) << c.shown;
        EXPECT_EQ(ReadOnlyHidden(folder + L"\\" + c.other), 0u) << c.shown;
        EXPECT_EQ(tree.WriteTimeText(folder + L"\\" + c.other), kOldStamp) << c.shown;
        EXPECT_EQ(DoneNames(), std::vector<std::string>{c.shown});
        EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
    }
}

TEST_F(RealNames, LookAlikeFoldersAreEachEnteredByTheirOwnName) {
    // Wide literals stay out of the checks: their texts are kept in Shift-JIS.
    const std::wstring accented = L"naïve\\a.txt";
    const std::wstring plain = L"naive\\a.txt";
    for (const wchar_t* folder : {L"naïve", L"naive"}) tree.MakeDir(folder);
    tree.MakeFile(accented);
    tree.MakeFile(plain);
    tree.SetAttributes(accented, R);
    window.Controls.SearchAttributes = {R, 0};

    engine.RunJob();

    EXPECT_EQ(ReadOnlyHidden(accented), R | H);
    EXPECT_EQ(ReadOnlyHidden(plain), 0u);
    const std::string root = tree.Root().Str();
    EXPECT_EQ(window.LinesWith(" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\na〓ve (*.txt)").size(), 1u);
    EXPECT_EQ(window.LinesWith(" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\naive (*.txt)").size(), 1u);
    EXPECT_EQ(window.LinesWith("done").size(), 1u);
}

// One mark for each character Shift-JIS lacks, also for one beyond the basic plane (😀, 𠮷).
TEST_F(RealNames, NamesOfManyScriptsAreChangedAndShownWithAMarkForEachMissingCharacter) {
    const struct {
        const wchar_t* name;
        const char* shown;
    } cases[] = {
        {L"한국어.txt", "〓〓〓.txt"},   {L"😀.txt", "〓.txt"},          {L"Ελληνικά.txt", "Ελληνικ〓.txt"},
        {L"Кириллица.txt", "Кириллица.txt"}, {L"𠮷野家.txt", "〓野家.txt"}, {L"丂x.txt", "〓x.txt"},
        {L"表%s.txt", "表%s.txt"},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        tree.MakeFile(c.name);
        expected.emplace_back(c.shown);
    }
    std::sort(expected.begin(), expected.end());

    engine.RunJob();

    for (const auto& c : cases) EXPECT_EQ(ReadOnlyHidden(c.name), H) << c.shown;
    EXPECT_EQ(DoneNames(), expected);
    EXPECT_NE(std::find(window.Progress.begin(), window.Progress.end(), "○ 処理中... 〓〓〓.txt"), window.Progress.end());

    // The full paths of the lines without per-directory lines are shown the same way.
    engine.Job.ExecDispSubDir = 0;
    window.Controls.SetAttributes = {H, 1};
    engine.RunJob();
    EXPECT_EQ(ReadOnlyHidden(cases[0].name), 0u);
    EXPECT_EQ(window.LinesWith(tree.Root().Str() + "\\〓〓〓.txt").size(), 1u);
}

// Paths beyond MAX_PATH are walked and changed in their extended form ("\\?\C:\...").
TEST_F(RealNames, PathsLongerThanMaxPathAreWalkedAndChanged) {
    std::wstring deep;
    for (wchar_t letter = L'a'; letter <= L'e'; ++letter) {
        deep += (deep.empty() ? L"" : L"\\") + std::wstring(60, letter);
        tree.MakeDir(deep);
    }
    const std::wstring file = deep + L"\\deep.txt";
    tree.MakeFile(file);
    const CString deepPath = JoinPath(tree.Root(), ShownText(deep));
    ASSERT_GT(deepPath.GetLength(), MAX_PATH);
    engine.Job.ExecDispSubDir = 0;
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};

    engine.RunJob();  // from the root, through five levels
    EXPECT_EQ(ReadOnlyHidden(file), H);
    EXPECT_EQ(tree.WriteTimeText(file), kStamp);
    EXPECT_EQ(window.LinesWith(deepPath.Str() + "\\deep.txt").size(), 1u);

    window.Controls.SearchPath = deepPath;  // a search path that is itself too long
    window.Controls.SetAttributes = {H, 1};
    window.Controls.TimeStanpFlg = 0;
    engine.RunJob();
    EXPECT_EQ(ReadOnlyHidden(file), 0u);
    EXPECT_EQ(window.LinesWith("done").size(), 1u);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
}

// A name ending in a dot loses the dot on the way through a plain path and names another file.
TEST_F(RealNames, ANameEndingInADotIsNotTakenForTheNameWithout) {
    tree.MakeFile(L"x.");
    tree.MakeFile(L"x");
    tree.SetAttributes(L"x.", R);
    window.Controls.SearchFile = "x*";
    window.Controls.SearchAttributes = {R, 0};
    engine.RunJob();
    EXPECT_EQ(ReadOnlyHidden(L"x."), R | H);
    EXPECT_EQ(ReadOnlyHidden(L"x"), 0u);
}

// Only a hand-edited settings file can hold such bytes; nothing else may be walked instead.
TEST_F(RealNames, ASearchPathOrPatternThatIsNoShiftJisIsAFailureAndTheRestStillRuns) {
    tree.MakeFile("a.txt");
    window.Controls.SearchPath = tree.Root() + ";C:\\\x81";  // a lead byte before ';' would take it
    window.Controls.SearchFile = "*.txt;\x81\x20";
    engine.RunJob();
    const std::vector<std::string> failures = {"  Failed : File Name *.txt;\x81\x20", "  Failed : Search Path C:\\\x81"};
    std::vector<std::string> red;
    for (const LogLine& line : window.Log) {
        if (line.Color == LogColor::Red) red.push_back(line.Text);
    }
    EXPECT_EQ(red, failures);
    EXPECT_EQ(window.LinesWith("処理  数 : 0 件 (C:\\\x81)").size(), 1u);
    EXPECT_EQ(ReadOnlyHidden(L"a.txt"), H);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::EntriesFailed);
}
