// Entries named with characters that code page 932 lacks, and paths beyond MAX_PATH: whole runs
// that list, enter and change every entry by its real UTF-16 name, read back from disk, with
// 〓 in the log wherever Shift-JIS has no character.
#include "EngineFixture.h"

#include <algorithm>

namespace {

class RealNames : public TreeRunTest {
protected:
    DWORD ReadOnlyHidden(const std::wstring& relative) const { return tree.Attributes(relative) & (R | H); }

    // The names at the end of the "done" lines, with per-directory lines.
    std::vector<std::string> SortedDoneNames() const {
        std::vector<std::string> names;
        for (const LogLine& line : window.LinesWith("    done : ")) names.push_back(line.Text.substr(48));
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

// The A functions list café.txt as "cafe.txt" and naïve as "naive", and a plain path loses the
// dot at the end of "x.": a change by that name would hit the look-alike. Of each pair the filter
// takes only the ReadOnly one.
TEST_F(RealNames, OfLookAlikeFilesAndFoldersEachIsListedEnteredAndChangedByItsOwnName) {
    const std::wstring taken[] = {L"naïve\\café.txt", L"naive\\cafe.txt", L"x."};
    const std::wstring left[] = {L"naïve\\cafe.txt", L"naive\\café.txt", L"x"};
    for (const wchar_t* folder : {L"naïve", L"naive"}) tree.MakeDir(folder);
    for (size_t i = 0; i < 3; ++i) {
        for (const std::wstring& file : {taken[i], left[i]}) {
            tree.MakeFile(file);
            tree.SetWriteTime(file, kListed);
        }
        tree.SetAttributes(taken[i], R);
    }
    window.Controls.SearchFile = "*.txt;x*";
    window.Controls.SearchAttributes = {R, 0};
    window.Controls.TimeStanpFlg = 1;
    window.Controls.SetTimeStanp = {1, kStamp};

    engine.RunJob();

    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ReadOnlyHidden(taken[i]), R | H) << i;
        EXPECT_EQ(tree.WriteTimeText(taken[i]), kStamp) << i;
        EXPECT_EQ(ReadOnlyHidden(left[i]), 0u) << i;
        EXPECT_EQ(tree.WriteTimeText(left[i]), kListed) << i;
    }
    EXPECT_EQ(SortedDoneNames(), (std::vector<std::string>{"cafe.txt", "caf〓.txt", "x."}));
    const std::string root = tree.Root().Str();
    EXPECT_EQ(window.LinesWith(" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\na〓ve (*.txt;x*)").size(), 1u);
    EXPECT_EQ(window.LinesWith(" ﾃﾞｨﾚｸﾄﾘ : " + root + "\\naive (*.txt;x*)").size(), 1u);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::Completed);
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
    EXPECT_EQ(SortedDoneNames(), expected);
    EXPECT_NE(std::find(window.Progress.begin(), window.Progress.end(), "○ 処理中... 〓〓〓.txt"), window.Progress.end());
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

// Only a hand-edited settings file can hold such bytes; nothing else may be walked instead.
TEST_F(RealNames, ASearchPathOrPatternThatIsNoShiftJisIsAFailureAndTheRestStillRuns) {
    tree.MakeFile("a.txt");
    window.Controls.SearchPath = tree.Root() + ";C:\\\x81";  // a lead byte before ';' would take it
    window.Controls.SearchFile = "*.txt;\x81\x20";
    engine.RunJob();
    const std::vector<std::string> failures = {"  Failed : File Name *.txt;\x81\x20", "  Failed : Search Path C:\\\x81"};
    EXPECT_EQ(window.TextsIn(LogColor::Red), failures);
    EXPECT_EQ(window.LinesWith("処理  数 : 0 件 (C:\\\x81)").size(), 1u);
    EXPECT_EQ(ReadOnlyHidden(L"a.txt"), H);
    EXPECT_EQ(engine.Run.Outcome, RunOutcome::EntriesFailed);
}
