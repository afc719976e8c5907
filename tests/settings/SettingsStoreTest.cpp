#include "FakeMainWindow.h"
#include "engine/LogPalette.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

const char* const kDefaults =
    "D1 F1 N0 O0 C0 P1 S0 R1 bars 11 pos 0,0,0,0 paths files search 0/0 set 0/1 dates [][] sizes 0-0 stamp 1 []";

class SettingsStoreTest : public SettingsTest {
protected:
    // A job unlike the defaults in every stored field, with texts that need escaping or quoting.
    void FillJob() {
        JobSettings& c = window.Controls;
        c.SearchPathList = {"C:\\表示\\ﾃｽﾄ;D:\\w", "\"C:\\Program Files\";\"D:\\x y\"", "E:\\"};
        c.SearchFileList = {"*.txt", "a\tb"};
        c.Recursive = 0;
        c.SearchAttributes = {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 1};
        c.SetAttributes = {FILE_ATTRIBUTE_READONLY, 0};
        c.DateRange = {"2001/02/03", "two\r\nlines"};
        c.SizeRange = {10, 3000000000u};
        c.SetTimeStanp = {0, "tab\there"};
        engine.Job.ExecDispSubDir = 0;
        engine.Job.ExecDispFname = 0;
        engine.Job.ExecDispSkipped = 1;
        engine.Job.ExecDispNopFname = 1;
        engine.Job.SystemClockReadMode = 5;
        engine.Job.SystemFileSkip = 0;
        engine.Job.SortFile = 1;
        store.ShowToolBar = 0;
        window.NormalRect = {-8, 12, 1288, 1032};
    }
};

// A second main window that loads what the first one saved.
class Reader : public SettingsTest {
    void TestBody() override {}

public:
    using SettingsTest::Describe;
    using SettingsTest::store;
    using SettingsTest::window;
};

}  // namespace

TEST_F(SettingsStoreTest, EverySectionSurvivesSaveAndLoad) {
    FillJob();
    const CString file = tree.Path("job.ini");
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(store.CurrentFile, file);
    EXPECT_EQ(Describe(),
              "D0 F0 N1 O1 C5 P0 S1 R0 bars 01 pos -8,12,1288,1032 paths [C:\\表示\\ﾃｽﾄ;D:\\w] "
              "[\"C:\\Program Files\";\"D:\\x y\"] [E:\\] files [*.txt] [a\tb] search 34/1 set 1/0 "
              "dates [2001/02/03][two\r\nlines] sizes 10-3000000000 stamp 0 [tab\there]");

    Reader reader;
    reader.store.Load(file);
    EXPECT_EQ(reader.Describe(), Describe());
    EXPECT_EQ(reader.store.CurrentFile, file);
    EXPECT_EQ(reader.window.Controls.SearchPath, "C:\\表示\\ﾃｽﾄ;D:\\w");
    EXPECT_EQ(reader.window.Controls.SearchFile, "*.txt");

    // All eight sections with all their keys, in order; tabs and line breaks as marker texts.
    const std::string text = ReadWholeFile(file);
    size_t previous = 0;
    for (const char* section : {"[Common]", "[SearchPathList]", "[SearchFileList]", "[SearchAttributes]",
                                "[SetAttributes]", "[DateRange]", "[SizeRange]", "[SetTimeStanp]"}) {
        EXPECT_GE(text.find(section), previous) << section;
        previous = text.find(section);
    }
    EXPECT_NE(previous, std::string::npos);
    EXPECT_EQ(Keys("Common", file),
              (std::vector<std::string>{"Version", "WindowPos", "ShowToolBar", "ShowStatusBar", "ExecDispFname",
                                        "ExecDispNopFname", "ExecDispSubDir", "ExecDispSkipped", "SortFile",
                                        "SystemFileSkip", "SystemClockReadMode", "Recursive"}));
    EXPECT_EQ(Profile("Common", "Version", file), "1, 0, 1, 1");
    EXPECT_EQ(Keys("SearchPathList", file), (std::vector<std::string>{"Count", "Path0001", "Path0002", "Path0003"}));
    EXPECT_NE(text.find("File0002=a<\\x09>b\r\n"), std::string::npos);
    EXPECT_NE(text.find("End=two<\\x0D\\x0A>lines\r\n"), std::string::npos);
    EXPECT_NE(text.find("[SizeRange]\r\nStart=10\r\nEnd=-1294967296\r\n"), std::string::npos);
}

TEST_F(SettingsStoreTest, AMissingFileLoadsTheDefaults) {
    FillJob();
    ASSERT_EQ(store.Save(tree.Path("full.ini")), SaveResult::Written);
    const CString file = tree.Path("none.ini");
    store.Load(file);
    EXPECT_EQ(Describe(), kDefaults);
    EXPECT_EQ(store.CurrentFile, file);
    EXPECT_EQ(GetFileAttributesA(file), INVALID_FILE_ATTRIBUTES);

    store.Load("");
    EXPECT_EQ(store.CurrentFile, SettingsStore::DefaultFile());
}

TEST_F(SettingsStoreTest, LoadShowsExactlyTheLoadedMasksAndKeepsTheLimitSwitches) {
    const CString first = tree.Path("first.ini");
    WriteWholeFile(first, "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\x\r\n[SearchAttributes]\r\nAttribFlg=32\r\n");
    engine.Job.DateStartFlg = 1;
    store.Load(first);
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"Untick", "ShowJob", "Marks", "SelectFirst", "ClearLog"}));
    EXPECT_EQ(window.TickedBoxes, 0x20u);
    EXPECT_EQ(window.Controls.SearchPath, "C:\\x");
    EXPECT_EQ(window.Controls.DateStartFlg, 1);
    EXPECT_FALSE(window.Marks.SystemBoxesEnabled);

    const CString second = tree.Path("second.ini");
    WriteWholeFile(second, "[SearchAttributes]\r\nAttribFlg=0\r\n");
    store.Load(second);
    EXPECT_EQ(window.TickedBoxes, 0u);
}

TEST_F(SettingsStoreTest, WindowPosTakesUpToFourNumbers) {
    const CString file = tree.Path("pos.ini");
    const std::pair<const char*, const char*> cases[] = {
        {"10,20,300,400", "10,20,300,400"}, {" -5 , +6,7x,8", "-5,6,7,8"}, {"5,6", "5,6,0,0"},
        {"abc,,9", "0,0,9,0"},              {"1,2,3,4,5", "1,2,3,4"},      {"", "0,0,0,0"},
    };
    for (const auto& c : cases) {
        WriteWholeFile(file, std::string("[Common]\r\nWindowPos=") + c.first + "\r\n");
        store.Load(file);
        const std::string expected = std::string("D1 F1 N0 O0 C0 P1 S0 R1 bars 11 pos ") + c.second + " paths";
        EXPECT_EQ(Describe().substr(0, expected.size()), expected) << c.first;
    }
}

TEST_F(SettingsStoreTest, HistoriesSkipMissingAndEmptyEntriesAndAHugeCountIsQuick) {
    const CString file = tree.Path("hist.ini");
    WriteWholeFile(file,
                   "[SearchPathList]\r\nCount=5\r\nPath0001=C:\\a\r\nPath0002=\r\nPath0004=C:\\a\r\n"
                   "Path0005=  C:\\b  \r\nPath0006=C:\\beyond\r\n[SearchFileList]\r\nFile0001=*.txt\r\n");
    store.Load(file);
    EXPECT_NE(Describe().find("paths [C:\\a] [C:\\a] [C:\\b] files search"), std::string::npos);

    WriteWholeFile(file, "[SearchPathList]\r\nCount=2147483647\r\nPath0002=C:\\2\r\nPath0001=C:\\1\r\n");
    const DWORD start = GetTickCount();
    store.Load(file);
    EXPECT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_NE(Describe().find("paths [C:\\1] [C:\\2] files search"), std::string::npos);
    EXPECT_EQ(Profile("SearchPathList", "Count", file), "2");
}

TEST_F(SettingsStoreTest, SaveReplacesItsOwnSectionsAndKeepsOthers) {
    const CString file = tree.Path("mixed.ini");
    WriteWholeFile(file,
                   "[Mine]\r\nNote=keep me\r\n[Common]\r\nExtra=1\r\n[SearchAttributes]\r\nStray=2\r\n"
                   "[SearchPathList]\r\nCount=5\r\nPath0001=a\r\nPath0002=b\r\nPath0003=c\r\nPath0004=d\r\n"
                   "Path0005=e\r\n[Later]\r\nX=表示\r\n");
    window.Controls.SearchPathList = {"x", "y"};
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(Keys("SearchPathList", file), (std::vector<std::string>{"Count", "Path0001", "Path0002"}));
    EXPECT_EQ(Profile("SearchPathList", "Count", file), "2");
    EXPECT_EQ(Profile("Mine", "Note", file), "keep me");
    EXPECT_EQ(Profile("Later", "X", file), "表示");
    EXPECT_EQ(Profile("Common", "Extra", file), "<missing>");
    EXPECT_EQ(Profile("SearchAttributes", "Stray", file), "<missing>");
}

TEST_F(SettingsStoreTest, TheDataCheckPromptCanDeclineTheSave) {
    window.ExchangeFails = true;
    store.CurrentFile = "C:\\before.ini";
    const CString file = tree.Path("declined.ini");
    EXPECT_EQ(store.Save(file), SaveResult::Declined);
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(dialogs.Boxes()[0].Owner, FakeMainWindow::kOwner);
    EXPECT_EQ(dialogs.Boxes()[0].Text, "ﾃﾞｰﾀﾁｪｯｸでｴﾗｰが有ります。このまま続行しますか ?\n");
    EXPECT_EQ(dialogs.Boxes()[0].Title, "Fendrix:Warning");
    EXPECT_EQ(dialogs.Boxes()[0].Type, static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP));
    EXPECT_EQ(GetFileAttributesA(file), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(store.CurrentFile, "C:\\before.ini");
    EXPECT_TRUE(window.Log.empty());
    EXPECT_TRUE(dialogs.Beeps().empty());

    // Reversed limits are such an error; OK saves them as they are.
    window.ExchangeFails = false;
    window.Controls.DateStartFlg = window.Controls.DateEndFlg = 1;
    window.Controls.DateRange = {"2024/01/02", "2020/01/01"};
    dialogs.Answer(IDOK);
    EXPECT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(dialogs.Boxes().size(), 2u);
    EXPECT_EQ(Profile("DateRange", "Start", file), "2024/01/02");
    EXPECT_EQ(store.CurrentFile, file);
}

TEST_F(SettingsStoreTest, ABareNameIsSavedWhereTheProfileFunctionsReadIt) {
    CString name;
    name.Format("fendrix-bare-%lu.ini", GetCurrentProcessId());
    window.Controls.SearchPathList = {"C:\\bare"};
    ASSERT_EQ(store.Save(name), SaveResult::Written);
    EXPECT_EQ(store.CurrentFile, name);
    Reader reader;
    reader.store.Load(name);
    EXPECT_NE(reader.Describe().find("paths [C:\\bare] files"), std::string::npos);
    EXPECT_TRUE(DeleteFileA(ProfileLocation(name)));
}

TEST_F(SettingsStoreTest, AHiddenFileIsRewrittenAndStaysHidden) {
    const CString file = tree.Path("hidden.ini");
    WriteWholeFile(file, "[Mine]\r\nNote=x\r\n");
    tree.SetAttributes("hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_NE(tree.Attributes("hidden.ini") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Profile("Mine", "Note", file), "x");
    EXPECT_EQ(Profile("Common", "Recursive", file), "0");
}

namespace {

int g_writesLeft = 0;

BOOL WINAPI FailingWriter(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    if (section != nullptr && g_writesLeft-- <= 0) return FALSE;
    return WritePrivateProfileStringA(section, key, value, file);
}

}  // namespace

// A save that cannot be completed leaves the file as it was and says so.
TEST_F(SettingsStoreTest, AFailedSaveChangesNothingAndIsReported) {
    FillJob();
    const std::string original = "[Common]\r\nSortFile=1\r\n[Mine]\r\nNote=x\r\n";
    const CString readOnly = tree.Path("readonly.ini");
    const CString locked = tree.Path("locked.ini");
    const CString halfway = tree.Path("halfway.ini");
    WriteWholeFile(readOnly, original);
    tree.SetAttributes("readonly.ini", FILE_ATTRIBUTE_READONLY);
    WriteWholeFile(locked, original);
    const HANDLE lock = CreateFileA(locked, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    store.CurrentFile = "C:\\current.ini";

    auto expectFailure = [&](const CString& file) {
        dialogs.Clear();
        window.Log.clear();
        EXPECT_EQ(store.Save(file), SaveResult::Failed) << file;
        EXPECT_EQ(store.CurrentFile, "C:\\current.ini");
        EXPECT_EQ(store.WindowRect.right, 0);
        EXPECT_EQ(window.Log, (std::vector<LoggedLine>{
                                  {"*** 設定ﾌｧｲﾙを保存できませんでした。( " + file.Str() + " )", LogColor::Red}}));
        EXPECT_EQ(dialogs.Beeps(), (std::vector<UINT>{MB_ICONASTERISK}));
        EXPECT_EQ(CountFiles(tree.Path("*.tmp")), 0);
    };
    expectFailure(readOnly);
    expectFailure(tree.Path("no-such-folder\\job.ini"));
    expectFailure(locked);
    CloseHandle(lock);
    for (int writes : {0, 1, 9, 20, 30}) {
        WriteWholeFile(halfway, original);
        g_writesLeft = writes;
        ProfileWriter = FailingWriter;
        expectFailure(halfway);
        ProfileWriter = WritePrivateProfileStringA;
        EXPECT_EQ(ReadWholeFile(halfway), original) << writes;
    }
    EXPECT_EQ(ReadWholeFile(readOnly), original);
    EXPECT_EQ(ReadWholeFile(locked), original);
    EXPECT_EQ(GetFileAttributesA(tree.Path("no-such-folder")), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(store.Save(halfway), SaveResult::Written);
    EXPECT_EQ(Profile("Mine", "Note", halfway), "x");
    EXPECT_EQ(Profile("SearchPathList", "Count", halfway), "3");
}
