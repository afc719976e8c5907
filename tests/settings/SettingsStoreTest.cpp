#include "FakeMainWindow.h"
#include "engine/LogPalette.h"

using SettingsStoreTest = SettingsTest;

TEST_F(SettingsStoreTest, EverySettingSurvivesSaveAndLoadAndEachLoadStartsFromTheDefaults) {
    // Unlike the defaults in every stored field, with texts that need markers or quoting.
    JobSettings& j = engine.Job;
    j.SearchPathList = {"C:\\表示\\ﾃｽﾄ;D:\\w", "\"C:\\Program Files\";\"D:\\x y\"", "E:\\"};
    j.SearchFileList = {"*.txt", "a\tb"};
    j.SearchAttributes = {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 1};
    j.SetAttributes = {FILE_ATTRIBUTE_READONLY, 0};
    j.DateRange = {"2001/02/03", "two\r\nlines"};
    j.SizeRange = {10, 3000000000u};
    j.SetTimeStanp = {0, "tab\there"};
    j.ExecDispSubDir = j.ExecDispFname = j.SystemFileSkip = j.Recursive = store.ShowToolBar = 0;
    j.ExecDispSkipped = j.ExecDispNopFname = j.SortFile = 1;
    j.SystemClockReadMode = 5;
    window.NormalRect = {-8, 12, 1288, 1032};
    const CString file = tree.Path("job.ini");
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    Headless reader;
    reader.store.Load(file);
    EXPECT_EQ(reader.Describe(), Describe());
    // As the program has always written them: signed numbers, tabs and line breaks as markers.
    const std::string text = ReadWholeFile(file);
    EXPECT_NE(text.find("File0002=a<\\x09>b\r\n"), std::string::npos);
    EXPECT_NE(text.find("[SizeRange]\r\nStart=10\r\nEnd=-1294967296\r\n"), std::string::npos);

    // Keys the next file lacks take their defaults again.
    WriteWholeFile(tree.Path("masks.ini"), "[Common]\r\nWindowPos= -5 , +6\r\n[SearchAttributes]\r\nAttribFlg=32\r\n");
    reader.store.Load(tree.Path("masks.ini"));
    EXPECT_EQ(reader.Describe(), "1100010111 pos -5,6,0,0 | | | 32/0 0/1 [-] 0-0 1 []");
    reader.store.Load(tree.Path("none.ini"));
    EXPECT_EQ(reader.Describe(), "1100010111 pos 0,0,0,0 | | | 0/0 0/1 [-] 0-0 1 []");
    EXPECT_EQ(GetFileAttributesA(tree.Path("none.ini")), INVALID_FILE_ATTRIBUTES);

    CString bare;  // saved where the profile functions read it
    bare.Format("fendrix-bare-%lu.ini", GetCurrentProcessId());
    ASSERT_EQ(store.Save(bare), SaveResult::Written);
    reader.store.Load(bare);
    EXPECT_EQ(reader.engine.Job.SearchPathList, j.SearchPathList);
    EXPECT_TRUE(DeleteFileA(ProfileLocation(bare)));
}

static int g_writesLeft = 0;

static BOOL WINAPI FailingWriter(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    if (section != nullptr && g_writesLeft-- <= 0) return FALSE;
    return WritePrivateProfileStringA(section, key, value, file);
}

TEST_F(SettingsStoreTest, AFailedSaveChangesNothingAndIsReportedAndASaveKeepsOtherSectionsAndAttributes) {
    const std::string original = "[Mine]\r\nNote=keep me\r\n[Common]\r\nExtra=1\r\n[SearchPathList]\r\nCount=3\r\n"
                                 "Path0001=a\r\nPath0002=b\r\nPath0003=c\r\n[Later]\r\nX=表示\r\n";
    const char* const files[] = {"readonly.ini", "hidden.ini"};
    for (const char* name : files) WriteWholeFile(tree.Path(name), original);
    tree.SetAttributes("readonly.ini", FILE_ATTRIBUTE_READONLY);
    tree.SetAttributes("hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    store.CurrentFile = "C:\\current.ini";
    auto expectFailure = [&](const char* name) {
        const CString file = tree.Path(name);
        dialogs.Beeps.clear();
        window.Log.clear();
        EXPECT_EQ(store.Save(file), SaveResult::Failed) << name;
        EXPECT_EQ(store.CurrentFile, "C:\\current.ini");
        EXPECT_EQ(window.Log, (std::vector<LogLine>{
                                  {"*** 設定ﾌｧｲﾙを保存できませんでした。( " + file.Str() + " )", LogColor::Red}}));
        EXPECT_EQ(dialogs.Beeps, (std::vector<UINT>{MB_ICONASTERISK}));
        WIN32_FIND_DATAA found;
        EXPECT_EQ(FindFirstFileA(tree.Path("*.tmp"), &found), INVALID_HANDLE_VALUE) << "a copy was left behind";
    };
    expectFailure("readonly.ini");
    expectFailure("no-such-folder\\job.ini");
    ProfileWriter = FailingWriter;  // fails part of the way through
    for (int writes : {0, 9, 30}) g_writesLeft = writes, expectFailure("hidden.ini");
    ProfileWriter = WritePrivateProfileStringA;
    for (const char* name : files) EXPECT_EQ(ReadWholeFile(tree.Path(name)), original) << name;
    EXPECT_EQ(GetFileAttributesA(tree.Path("no-such-folder")), INVALID_FILE_ATTRIBUTES);

    // A save replaces its own sections whole and keeps the others and the file's attributes.
    const CString file = tree.Path("hidden.ini");
    engine.Job.SearchPathList = {"x"};
    ASSERT_EQ(store.Save(file), SaveResult::Written);
    EXPECT_EQ(ListKeys("SearchPathList", file), (std::vector<CString>{"Count", "Path0001"}));
    EXPECT_EQ(Profile("Mine", "Note", file), "keep me");
    EXPECT_EQ(Profile("Later", "X", file), "表示");
    EXPECT_EQ(Profile("Common", "Extra", file), "<missing>");
    EXPECT_NE(tree.Attributes("hidden.ini") & FILE_ATTRIBUTE_HIDDEN, 0u);
}

// Files written before the switches, the journals kept or the worker count were stored load
// with the switches as they were and the others at their defaults. The worker count is written
// only when chosen by hand, so that files that never chose one stay as they are.
TEST_F(SettingsStoreTest, SwitchesJournalsAndWorkersApplyOnlyWhenTheFileHoldsThem) {
    JobSettings& j = engine.Job;
    j.DateStartFlg = j.SizeEndFlg = j.TimeStanpFlg = 1;
    engine.Journals.Keep = 7;
    const CString saved = tree.Path("saved.ini");
    ASSERT_EQ(store.Save(saved), SaveResult::Written);
    j.Workers = 1;
    ASSERT_EQ(store.Save(tree.Path("workers.ini")), SaveResult::Written);
    EXPECT_NE(ReadWholeFile(tree.Path("workers.ini")).find("[Performance]\r\nWorkers=1\r\n"), std::string::npos);

    WriteWholeFile(tree.Path("before.ini"), "[Common]\r\nRecursive=1\r\n[SetTimeStanp]\r\nTimeStanpVal=2001/05/06\r\n");
    WriteWholeFile(tree.Path("some.ini"), "[Switches]\r\nTimeStanpFlg=2\r\n[Journal]\r\nKeep=0\r\n");
    const struct {
        const char* name;
        const char* switches;  // DateStart DateEnd SizeStart SizeEnd TimeStanp after the load
        int keep, workers;
    } cases[] = {
        {"saved.ini", "10011", 7, 0},
        {"workers.ini", "10011", 7, 1},
        {"before.ini", "01100", 20, 0},
        {"some.ini", "00002", 0, 0},  // a missing key is off; any other number is on
    };
    for (const auto& c : cases) {
        Headless reader;
        JobSettings& r = reader.engine.Job;
        r.DateEndFlg = r.SizeStartFlg = 1;
        r.Workers = 3;
        reader.store.Load(tree.Path(c.name));
        std::string switches;
        for (int on : {r.DateStartFlg, r.DateEndFlg, r.SizeStartFlg, r.SizeEndFlg, r.TimeStanpFlg}) {
            switches += std::to_string(on);
        }
        EXPECT_EQ(switches, c.switches) << c.name;
        EXPECT_EQ(reader.engine.Journals.Keep, c.keep) << c.name;
        EXPECT_EQ(r.Workers, c.workers) << c.name;
    }
    j.Workers = 0;  // the default again: saving takes the key out
    ASSERT_EQ(store.Save(tree.Path("workers.ini")), SaveResult::Written);
    EXPECT_EQ(Profile("Performance", "Workers", tree.Path("workers.ini")), "<missing>");
}
