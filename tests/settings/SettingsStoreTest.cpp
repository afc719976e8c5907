#include "FakeMainWindow.h"
#include "engine/LogPalette.h"
#include "engine/TokenList.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<std::string> Strings(const std::vector<CString>& texts) {
    std::vector<std::string> strings;
    for (const CString& text : texts) strings.push_back(text.Str());
    return strings;
}

const char* const kSections[] = {"Common",        "SearchPathList", "SearchFileList", "SearchAttributes",
                                 "SetAttributes", "DateRange",      "SizeRange",      "SetTimeStanp"};

class SettingsStoreTest : public SettingsTest {
protected:
    // A job unlike the defaults in every stored field, as the controls would hold it.
    void FillJob() {
        JobSettings& c = window.Controls;
        c.SearchPathList = {"C:\\表示\\ﾃｽﾄ;D:\\work", "\"C:\\Program Files\";\"D:\\My Data\"", "E:\\"};
        c.SearchFileList = {"*.txt;*.ini", "a\tb"};
        c.Recursive = 0;
        c.SearchAttributes = {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 1};
        c.SetAttributes = {FILE_ATTRIBUTE_READONLY, 0};
        c.DateRange = {"2001/02/03", "2024/12/31"};
        c.SizeRange = {10, 3000000000u};
        c.SetTimeStanp = {0, "2020/01/02 03:04:05"};
        JobSettings& j = engine.Job;
        j.ExecDispFname = 0;
        j.ExecDispNopFname = 1;
        j.ExecDispSubDir = 0;
        j.ExecDispSkipped = 1;
        j.SortFile = 1;
        j.SystemFileSkip = 0;
        j.SystemClockReadMode = 5;
        store.ShowToolBar = 0;
        store.ShowStatusBar = 0;
        window.NormalRect = {-8, 12, 1288, 1032};
    }
};

// A second window and store that load what the first one saved.
struct Reader {
    Reader() : engine(window), store(engine, window) { window.Store = &store; }
    FakeMainWindow window;
    JobEngine engine;
    SettingsStore store;
};

}  // namespace

TEST_F(SettingsStoreTest, EverySectionSurvivesSaveAndLoad) {
    FillJob();
    const CString file = tree.Path("job.ini");
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(store.CurrentFile, file);
    EXPECT_EQ(store.WindowRect.left, -8);
    EXPECT_EQ(store.WindowRect.bottom, 1032);

    Reader reader;
    reader.store.Load(file);
    const JobSettings& c = reader.window.Controls;
    EXPECT_EQ(Strings(c.SearchPathList), Strings(window.Controls.SearchPathList));
    EXPECT_EQ(Strings(c.SearchFileList), Strings(window.Controls.SearchFileList));
    EXPECT_EQ(c.Recursive, 0);
    EXPECT_EQ(c.SearchAttributes.AttribFlg, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(c.SearchAttributes.AttribJokn, 1);
    EXPECT_EQ(c.SetAttributes.AttribFlg, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(c.SetAttributes.AttribJokn, 0);
    EXPECT_EQ(c.DateRange.Start, "2001/02/03");
    EXPECT_EQ(c.DateRange.End, "2024/12/31");
    EXPECT_EQ(c.SizeRange.Start, 10u);
    EXPECT_EQ(c.SizeRange.End, 3000000000u);
    EXPECT_EQ(c.SetTimeStanp.TimeStanpJokn, 0);
    EXPECT_EQ(c.SetTimeStanp.TimeStanpVal, "2020/01/02 03:04:05");
    EXPECT_EQ(c.SearchPath, "C:\\表示\\ﾃｽﾄ;D:\\work");
    EXPECT_EQ(c.SearchFile, "*.txt;*.ini");

    const JobSettings& j = reader.engine.Job;
    EXPECT_EQ(j.ExecDispFname, 0);
    EXPECT_EQ(j.ExecDispNopFname, 1);
    EXPECT_EQ(j.ExecDispSubDir, 0);
    EXPECT_EQ(j.ExecDispSkipped, 1);
    EXPECT_EQ(j.SortFile, 1);
    EXPECT_EQ(j.SystemFileSkip, 0);
    EXPECT_EQ(j.SystemClockReadMode, 5);  // not normalised
    EXPECT_EQ(reader.store.ShowToolBar, 0);
    EXPECT_EQ(reader.store.ShowStatusBar, 0);
    EXPECT_EQ(reader.store.WindowRect.left, -8);
    EXPECT_EQ(reader.store.WindowRect.top, 12);
    EXPECT_EQ(reader.store.WindowRect.right, 1288);
    EXPECT_EQ(reader.store.WindowRect.bottom, 1032);
    EXPECT_EQ(reader.store.CurrentFile, file);
}

TEST_F(SettingsStoreTest, SavedFileHoldsEverySectionWithEveryKey) {
    FillJob();
    window.Controls.DateRange.End = "two\r\nlines";
    window.Controls.SetTimeStanp.TimeStanpVal = "tab\there";
    const CString file = tree.Path("keys.ini");
    ASSERT_EQ(store.Save(file), SaveResult::Written);

    const std::string text = ReadWholeFile(file);
    size_t previous = 0;
    for (const char* section : kSections) {
        const size_t at = text.find(std::string("[") + section + "]");
        ASSERT_NE(at, std::string::npos) << section;
        EXPECT_GE(at, previous) << section;
        previous = at;
    }
    EXPECT_EQ(Strings(ListKeys("Common", file)),
              (std::vector<std::string>{"Version", "WindowPos", "ShowToolBar", "ShowStatusBar", "ExecDispFname",
                                        "ExecDispNopFname", "ExecDispSubDir", "ExecDispSkipped", "SortFile",
                                        "SystemFileSkip", "SystemClockReadMode", "Recursive"}));
    EXPECT_EQ(Profile("Common", "Version", file), "1, 0, 1, 1");
    EXPECT_EQ(Profile("Common", "WindowPos", file), "-8,12,1288,1032");
    EXPECT_EQ(Profile("Common", "SystemClockReadMode", file), "5");
    EXPECT_EQ(Strings(ListKeys("SearchPathList", file)),
              (std::vector<std::string>{"Count", "Path0001", "Path0002", "Path0003"}));
    EXPECT_EQ(Profile("SearchPathList", "Count", file), "3");
    EXPECT_EQ(Strings(ListKeys("SearchFileList", file)), (std::vector<std::string>{"Count", "File0001", "File0002"}));
    EXPECT_EQ(Strings(ListKeys("SearchAttributes", file)), (std::vector<std::string>{"AttribFlg", "AttribJokn"}));
    EXPECT_EQ(Profile("SearchAttributes", "AttribFlg", file), "34");
    EXPECT_EQ(Strings(ListKeys("SetAttributes", file)), (std::vector<std::string>{"AttribFlg", "AttribJokn"}));
    EXPECT_EQ(Strings(ListKeys("DateRange", file)), (std::vector<std::string>{"Start", "End"}));
    EXPECT_EQ(Strings(ListKeys("SizeRange", file)), (std::vector<std::string>{"Start", "End"}));
    EXPECT_EQ(Profile("SizeRange", "End", file), "-1294967296");
    EXPECT_EQ(Strings(ListKeys("SetTimeStanp", file)), (std::vector<std::string>{"TimeStanpJokn", "TimeStanpVal"}));
    // Tabs and line breaks are stored as marker texts, so every value stays on its line.
    EXPECT_NE(text.find("File0002=a<\\x09>b\r\n"), std::string::npos);
    EXPECT_NE(text.find("End=two<\\x0D\\x0A>lines\r\n"), std::string::npos);
    EXPECT_NE(text.find("TimeStanpVal=tab<\\x09>here\r\n"), std::string::npos);

    Reader reader;
    reader.store.Load(file);
    EXPECT_EQ(reader.window.Controls.DateRange.End, "two\r\nlines");
    EXPECT_EQ(reader.window.Controls.SetTimeStanp.TimeStanpVal, "tab\there");
}

TEST_F(SettingsStoreTest, AMissingFileLoadsTheDefaults) {
    JobSettings& j = engine.Job;
    j.SearchPathList = {"old"};
    j.SearchFileList = {"old"};
    j.ExecDispFname = 0;
    j.ExecDispNopFname = 1;
    j.ExecDispSubDir = 0;
    j.ExecDispSkipped = 1;
    j.SortFile = 1;
    j.SystemFileSkip = 0;
    j.SystemClockReadMode = 1;
    j.Recursive = 0;
    j.SearchAttributes = {7, 1};
    j.SetAttributes = {7, 0};
    j.DateRange = {"x", "y"};
    j.SizeRange = {1, 2};
    j.SetTimeStanp = {0, "z"};
    store.ShowToolBar = 0;
    store.ShowStatusBar = 0;
    store.WindowRect = {1, 2, 3, 4};

    const CString file = tree.Path("none.ini");
    store.Load(file);
    EXPECT_EQ(j.ExecDispFname, 1);
    EXPECT_EQ(j.ExecDispNopFname, 0);
    EXPECT_EQ(j.ExecDispSubDir, 1);
    EXPECT_EQ(j.ExecDispSkipped, 0);
    EXPECT_EQ(j.SortFile, 0);
    EXPECT_EQ(j.SystemFileSkip, 1);
    EXPECT_EQ(j.SystemClockReadMode, 0);
    EXPECT_EQ(j.Recursive, 1);
    EXPECT_TRUE(j.SearchPathList.empty());
    EXPECT_TRUE(j.SearchFileList.empty());
    EXPECT_EQ(j.SearchAttributes.AttribFlg, 0u);
    EXPECT_EQ(j.SearchAttributes.AttribJokn, 0);
    EXPECT_EQ(j.SetAttributes.AttribFlg, 0u);
    EXPECT_EQ(j.SetAttributes.AttribJokn, 1);
    EXPECT_EQ(j.DateRange.Start, "");
    EXPECT_EQ(j.DateRange.End, "");
    EXPECT_EQ(j.SizeRange.Start, 0u);
    EXPECT_EQ(j.SizeRange.End, 0u);
    EXPECT_EQ(j.SetTimeStanp.TimeStanpJokn, 1);
    EXPECT_EQ(j.SetTimeStanp.TimeStanpVal, "");
    EXPECT_EQ(store.ShowToolBar, 1);
    EXPECT_EQ(store.ShowStatusBar, 1);
    EXPECT_EQ(store.WindowRect.left, 0);
    EXPECT_EQ(store.WindowRect.right, 0);
    EXPECT_EQ(store.CurrentFile, file);
    EXPECT_EQ(GetFileAttributesA(file), INVALID_FILE_ATTRIBUTES);  // loading creates nothing
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(SettingsStoreTest, LoadFillsTheControlsInOrderAndKeepsTheLimitSwitches) {
    const CString file = tree.Path("order.ini");
    WriteWholeFile(file, "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\x\r\n[SearchAttributes]\r\nAttribFlg=32\r\n");
    engine.Job.DateStartFlg = 1;
    engine.Job.TimeStanpFlg = 1;
    store.Load(file);
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"UntickAttributes", "ShowJob", "Marks", "SelectFirst",
                                                      "ClearLog"}));
    EXPECT_EQ(engine.Job.DateStartFlg, 1);
    EXPECT_EQ(engine.Job.TimeStanpFlg, 1);
    EXPECT_EQ(window.Controls.SearchPath, "C:\\x");
    EXPECT_EQ(window.TickedSearchBoxes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(window.Marks.SystemFileSkip);
    EXPECT_FALSE(window.Marks.SystemBoxesEnabled);

    // The Archive box of the first file does not stay ticked beside the second file's empty mask.
    const CString second = tree.Path("second.ini");
    WriteWholeFile(second, "[SearchAttributes]\r\nAttribFlg=0\r\n");
    store.Load(second);
    EXPECT_EQ(window.TickedSearchBoxes, 0u);
    EXPECT_EQ(window.TickedSetBoxes, 0u);
    EXPECT_EQ(store.CurrentFile, second);
}

TEST_F(SettingsStoreTest, LoadWithAnEmptyPathUsesTheDefaultFile) {
    store.Load("");
    EXPECT_EQ(store.CurrentFile, SettingsStore::DefaultFile());
    ASSERT_GE(window.Log.size(), 6u);
    EXPECT_EQ(window.Log[5].Text, "Startup Information... ( " + SettingsStore::DefaultFile().Str() + " )");
}

TEST_F(SettingsStoreTest, WindowPosTakesUpToFourNumbers) {
    struct Case {
        const char* Stored;
        RECT Expected;
    };
    const Case cases[] = {
        {"10,20,300,400", {10, 20, 300, 400}},
        {" -5 , +6,7x,8", {-5, 6, 7, 8}},
        {"5,6", {5, 6, 0, 0}},
        {"abc,,9", {0, 0, 9, 0}},
        {"", {0, 0, 0, 0}},
        {"1,2,3,4,5", {1, 2, 3, 4}},
    };
    const CString file = tree.Path("pos.ini");
    for (const Case& c : cases) {
        WriteWholeFile(file, std::string("[Common]\r\nWindowPos=") + c.Stored + "\r\n");
        store.Load(file);
        EXPECT_EQ(store.WindowRect.left, c.Expected.left) << c.Stored;
        EXPECT_EQ(store.WindowRect.top, c.Expected.top) << c.Stored;
        EXPECT_EQ(store.WindowRect.right, c.Expected.right) << c.Stored;
        EXPECT_EQ(store.WindowRect.bottom, c.Expected.bottom) << c.Stored;
    }
}

TEST_F(SettingsStoreTest, HistoriesSkipMissingAndEmptyEntriesAndKeepDuplicates) {
    const CString file = tree.Path("hist.ini");
    WriteWholeFile(file,
                   "[SearchPathList]\r\nCount=5\r\nPath0001=C:\\a\r\nPath0002=\r\nPath0004=C:\\a\r\n"
                   "Path0005=  C:\\b  \r\nPath0006=C:\\beyond\r\n"
                   "[SearchFileList]\r\nFile0001=*.txt\r\n");
    store.Load(file);
    EXPECT_EQ(Strings(engine.Job.SearchPathList), (std::vector<std::string>{"C:\\a", "C:\\a", "C:\\b"}));
    EXPECT_TRUE(engine.Job.SearchFileList.empty());  // no Count
}

TEST_F(SettingsStoreTest, AHandEditedHugeCountLoadsAndSavesQuickly) {
    const CString file = tree.Path("huge.ini");
    WriteWholeFile(file,
                   "[SearchPathList]\r\nCount=2147483647\r\nPath0002=C:\\second\r\nPath0001=C:\\first\r\n"
                   "[SearchFileList]\r\nCount=2147483647\r\nFile0001=*.txt\r\n");
    const DWORD start = GetTickCount();
    store.Load(file);
    EXPECT_EQ(Strings(engine.Job.SearchPathList), (std::vector<std::string>{"C:\\first", "C:\\second"}));
    EXPECT_EQ(Strings(engine.Job.SearchFileList), (std::vector<std::string>{"*.txt"}));
    EXPECT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(Profile("SearchPathList", "Count", file), "2");
}

TEST_F(SettingsStoreTest, TwoEntriesSavedOverFiveLeaveExactlyTwo) {
    const CString file = tree.Path("five.ini");
    WriteWholeFile(file, "[SearchPathList]\r\nCount=5\r\nPath0001=a\r\nPath0002=b\r\nPath0003=c\r\n"
                         "Path0004=d\r\nPath0005=e\r\n");
    window.Controls.SearchPathList = {"x", "y"};
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(Strings(ListKeys("SearchPathList", file)), (std::vector<std::string>{"Count", "Path0001", "Path0002"}));
    EXPECT_EQ(Profile("SearchPathList", "Count", file), "2");
    EXPECT_EQ(Profile("SearchPathList", "Path0002", file), "y");
}

TEST_F(SettingsStoreTest, OtherSectionsSurviveAndStrayKeysGo) {
    const CString file = tree.Path("mixed.ini");
    WriteWholeFile(file,
                   "[Mine]\r\nNote=keep me\r\n[Common]\r\nExtra=1\r\nSortFile=1\r\n"
                   "[SearchAttributes]\r\nStray=2\r\n[SearchPathList]\r\nCount=1\r\nPath0001=a\r\nOdd=3\r\n"
                   "[Later]\r\nX=表示\r\n");
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(Profile("Mine", "Note", file), "keep me");
    EXPECT_EQ(Profile("Later", "X", file), "表示");
    EXPECT_EQ(Profile("Common", "Extra", file), "<missing>");
    EXPECT_EQ(Profile("SearchAttributes", "Stray", file), "<missing>");
    EXPECT_EQ(Profile("SearchPathList", "Odd", file), "<missing>");
    EXPECT_EQ(Profile("SearchPathList", "Count", file), "0");
}

TEST_F(SettingsStoreTest, TheDataCheckPromptCanDeclineTheSave) {
    window.ExchangeFails = true;
    store.CurrentFile = "C:\\before.ini";
    const CString file = tree.Path("declined.ini");
    EXPECT_EQ(store.Save(file), SaveResult::Declined);
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    const MessageBoxCall& box = dialogs.Boxes()[0];
    EXPECT_EQ(box.Owner, FakeMainWindow::kOwner);
    EXPECT_EQ(box.Text, "ﾃﾞｰﾀﾁｪｯｸでｴﾗｰが有ります。このまま続行しますか ?\n");
    EXPECT_EQ(box.Title, "Fendrix:Warning");
    EXPECT_EQ(box.Type, static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP));
    EXPECT_EQ(GetFileAttributesA(file), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(store.CurrentFile, "C:\\before.ini");
    EXPECT_TRUE(window.Log.empty());
    EXPECT_TRUE(dialogs.Beeps().empty());

    dialogs.Answer(IDOK);
    EXPECT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(store.CurrentFile, file);
}

TEST_F(SettingsStoreTest, ReversedLimitsAskBeforeSavingAndAreSavedOnOk) {
    window.Controls.DateStartFlg = 1;
    window.Controls.DateEndFlg = 1;
    window.Controls.DateRange = {"2024/01/02", "2020/01/01"};
    dialogs.Answer(IDOK);
    const CString file = tree.Path("reversed.ini");
    EXPECT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(Profile("DateRange", "Start", file), "2024/01/02");

    // Without errors there is no question.
    window.Controls.DateRange = {"2020/01/01", "2024/01/02"};
    EXPECT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(dialogs.Boxes().size(), 1u);
}

TEST_F(SettingsStoreTest, SaveWithAnEmptyPathMeansTheDefaultFile) {
    // Declined, so nothing is written beside the test program; the prompt proves the route.
    window.ExchangeFails = true;
    EXPECT_EQ(store.Save(""), SaveResult::Declined);
    EXPECT_EQ(store.CurrentFile, "");
}

TEST_F(SettingsStoreTest, ABareNameIsSavedWhereTheProfileFunctionsReadIt) {
    CString name;
    name.Format("fendrix-bare-%lu.ini", GetCurrentProcessId());
    const CString location = ProfileLocation(name);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(location, JoinPath(windows, name));

    window.Controls.SearchPathList = {"C:\\bare"};
    ASSERT_EQ(store.Save(name), SaveResult::Written);
    EXPECT_EQ(store.CurrentFile, name);
    Reader reader;
    reader.store.Load(name);
    EXPECT_EQ(Strings(reader.engine.Job.SearchPathList), (std::vector<std::string>{"C:\\bare"}));
    EXPECT_TRUE(DeleteFileA(location));
}

// A save that cannot be completed leaves the file as it was and says so.
class FailedSaveTest : public SettingsStoreTest {
protected:
    void ExpectFailure(const CString& file) {
        store.CurrentFile = "C:\\current.ini";
        store.WindowRect = {1, 2, 3, 4};
        window.NormalRect = {10, 20, 30, 40};
        window.Log.clear();
        EXPECT_EQ(store.Save(file), SaveResult::Failed);
        EXPECT_EQ(store.CurrentFile, "C:\\current.ini");
        EXPECT_EQ(store.WindowRect.left, 1);
        ASSERT_EQ(window.Log.size(), 1u);
        EXPECT_EQ(window.Log[0], (LoggedLine{"*** 設定ﾌｧｲﾙを保存できませんでした。( " + file.Str() + " )", LogColor::Red}));
        EXPECT_EQ(dialogs.Beeps(), (std::vector<UINT>{MB_ICONASTERISK}));
        EXPECT_EQ(FilesIn(tree.Root(), "*.tmp"), std::vector<std::string>{});
    }

    const std::string original = "[Common]\r\nSortFile=1\r\n[Mine]\r\nNote=x\r\n";
};

TEST_F(FailedSaveTest, AReadOnlyFile) {
    const CString file = tree.Path("readonly.ini");
    WriteWholeFile(file, original);
    tree.SetAttributes("readonly.ini", FILE_ATTRIBUTE_READONLY);
    ExpectFailure(file);
    EXPECT_EQ(ReadWholeFile(file), original);
}

TEST_F(FailedSaveTest, AMissingFolder) {
    const CString file = tree.Path("no-such-folder\\job.ini");
    ExpectFailure(file);
    EXPECT_EQ(GetFileAttributesA(tree.Path("no-such-folder")), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FailedSaveTest, AFileOthersHoldOpen) {
    const CString file = tree.Path("locked.ini");
    WriteWholeFile(file, original);
    const HANDLE lock = CreateFileA(file, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ExpectFailure(file);
    CloseHandle(lock);
    EXPECT_EQ(ReadWholeFile(file), original);
}

namespace {

int g_writesLeft = 0;

BOOL WINAPI FailingWriter(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    if (section == nullptr) return WritePrivateProfileStringA(section, key, value, file);  // flush
    if (g_writesLeft-- <= 0) return FALSE;
    return WritePrivateProfileStringA(section, key, value, file);
}

}  // namespace

TEST_F(FailedSaveTest, AWriteThatFailsPartOfTheWayThrough) {
    const CString file = tree.Path("halfway.ini");
    FillJob();
    for (int writes : {0, 1, 9, 20, 30}) {
        WriteWholeFile(file, original);
        g_writesLeft = writes;
        ProfileWriter = FailingWriter;
        ExpectFailure(file);
        ProfileWriter = WritePrivateProfileStringA;
        EXPECT_EQ(ReadWholeFile(file), original) << writes;
        dialogs.Clear();
    }
    // The same save goes through once the writes succeed.
    EXPECT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(Profile("Mine", "Note", file), "x");
    EXPECT_EQ(Profile("Common", "SortFile", file), "1");
    EXPECT_EQ(Profile("SearchPathList", "Count", file), "3");
}

TEST_F(SettingsStoreTest, AHiddenFileIsRewrittenAndStaysHidden) {
    const CString file = tree.Path("hidden.ini");
    WriteWholeFile(file, "[Mine]\r\nNote=x\r\n");
    tree.SetAttributes("hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_NE(tree.Attributes("hidden.ini") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Profile("Mine", "Note", file), "x");
    EXPECT_EQ(Profile("Common", "Recursive", file), "0");
    EXPECT_EQ(FilesIn(tree.Root(), "*.tmp"), std::vector<std::string>{});
}

TEST_F(SettingsStoreTest, SaveAfterLoadSeesTheNewFileContent) {
    // The platform may keep a loaded file in memory; the replaced file must be read afresh.
    const CString file = tree.Path("again.ini");
    window.Controls.SearchPathList = {"first"};
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    store.Load(file);
    window.Controls.SearchPathList = {"second", "third"};
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    Reader reader;
    reader.store.Load(file);
    EXPECT_EQ(Strings(reader.engine.Job.SearchPathList), (std::vector<std::string>{"second", "third"}));
}
