// The File menu and the About command of the main dialog, read back from the settings files on disk.
#include "MainDialogFixture.h"

namespace {

const char* const kFilter = "設定ﾌｧｲﾙ (*.ini)|*.ini|全ての (*.*)|*.*|";
constexpr DWORD kAskedFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

// The About dialog's owner and the log under it, taken by a timer inside its modal loop that
// finds it by its caption and then closes it.
HWND g_aboutOwner = nullptr;
std::string g_logUnderAbout;

void CALLBACK WatchForAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND about = FindWindowA(nullptr, "ﾊﾞｰｼﾞｮﾝ情報(Fendrix)");
    if (about == nullptr) return;
    KillTimer(nullptr, timer);
    g_aboutOwner = GetWindow(about, GW_OWNER);
    g_logUnderAbout = WindowTextOf(GetDlgItem(g_aboutOwner, IDC_LOG)).Str();
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace

TEST_F(MainDialogTest, OpenAndSaveAsAskForASettingsFileWithTheirTitlesAndSaveThenWritesTheNameSavedAs) {
    const std::string before = ReadFile(settingsFile);
    Command(ID_FILE_OPEN);     // cancelled
    Command(ID_FILE_SAVE_AS);  // cancelled
    ASSERT_EQ(FileDialogs.size(), 2u);
    const std::pair<bool, const char*> asked[] = {{false, "設定ﾌｧｲﾙを開く"}, {true, "設定ﾌｧｲﾙを保存する"}};
    for (size_t i = 0; i < 2; ++i) {
        const FileDialogCall& call = FileDialogs[i];
        EXPECT_EQ(call.Save, asked[i].first);
        EXPECT_EQ(call.Title, asked[i].second);
        EXPECT_EQ(call.Filter + call.DefaultExtension, kFilter + std::string("ini"));
        EXPECT_EQ(call.InitialFile, settingsFile.Str());  // starts in the current file's folder
        EXPECT_EQ(call.Flags & (kAskedFlags | OFN_ALLOWMULTISELECT), kAskedFlags);
    }
    EXPECT_EQ(dialog->Settings.CurrentFile, settingsFile);

    const CString savedAs = tree.Path("表示.ini");  // a trail byte 0x5C, no separator
    Chosen = Wide(savedAs);
    Click(IDC_SET_READONLY);
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(dialog->Settings.CurrentFile, savedAs);
    EXPECT_EQ(Profile("SetAttributes", "AttribFlg", savedAs), "3");
    Click(IDC_SET_HIDDEN);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(Profile("SetAttributes", "AttribFlg", savedAs), "1");
    EXPECT_EQ(ReadFile(settingsFile), before);
}

// A reversed pair of sizes fails the data check that every save makes; OK there saves anyway.
TEST_F(MainDialogTest, OpenLoadsTheChosenFileOnlyAfterYesAndASaveOfTheChangedJobAndWritesNothingWhenCancelled) {
    const CString other = tree.Path("other.ini");
    WriteSettings(other, "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\other\r\n");
    const std::string before = ReadFile(settingsFile);
    SetWindowTextA(GetDlgItem(Item(IDC_SIZE_START), IDC_CMB_EDIT), "10");
    SetWindowTextA(GetDlgItem(Item(IDC_SIZE_END), IDC_CMB_EDIT), "5");
    Click(IDC_SIZE_START_FLAG);
    Click(IDC_SIZE_END_FLAG);
    SetWindowTextA(Item(IDC_SEARCH_PATH), "C:\\typed");

    const UINT question = MB_YESNOCANCEL | MB_ICONQUESTION, check = MB_OKCANCEL | MB_ICONSTOP;
    const struct {
        const char* Name;
        const char* Chosen;        // empty: the file dialog is cancelled
        std::vector<int> Answers;  // to the questions, in turn
        std::vector<UINT> Asked;   // the kinds of message box shown
        bool Held;                 // the current file is held open, so that its save fails
        bool Loads;
    } cases[] = {
        {"file dialog cancelled", "", {}, {}, false, false},
        {"cancel before saving", other, {IDCANCEL}, {question}, false, false},
        {"yes, then cancel at the data check", other, {IDYES, IDCANCEL}, {question, check}, false, false},
        {"yes, then the save fails", other, {IDYES, IDOK}, {question, check}, true, false},
        {"yes, then the save", other, {IDYES, IDOK}, {question, check}, false, true},
    };
    for (const auto& c : cases) {
        Boxes.clear();
        Chosen = Wide(c.Chosen);
        Answers.assign(c.Answers.begin(), c.Answers.end());
        const HANDLE holder = c.Held ? CreateFileA(settingsFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;
        Command(ID_FILE_OPEN);
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        EXPECT_EQ(LogText().find("保存できませんでした") != std::string::npos, c.Held) << c.Name;
        std::vector<UINT> asked;
        for (const BoxCall& box : Boxes) asked.push_back(box.Type);
        EXPECT_EQ(asked, c.Asked) << c.Name;
        EXPECT_EQ(dialog->Settings.CurrentFile, c.Loads ? other : settingsFile) << c.Name;
        EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), c.Loads ? "C:\\other" : "C:\\typed") << c.Name;
        EXPECT_EQ(ReadFile(settingsFile) == before, !c.Loads) << c.Name;
    }
    EXPECT_EQ(Boxes[0].Text, "新しいﾌｧｲﾙ( " + other.Str() + " )を読み込む前に\n現在のﾌｧｲﾙ( " + settingsFile.Str() +
                                 " )を保存しますか ?");
    EXPECT_EQ(Profile("SizeRange", "Start", settingsFile), "10");
}

TEST_F(MainDialogTest, NewThenSaveWritesAnEmptyJobAndKeepsTheOptionsAndHistories) {
    Click(IDC_SEARCH_ARCHIVE);
    Click(IDC_SEARCH_AND);
    Click(IDC_TIMESTAMP_FLAG);
    Command(ID_OPTION_SHOW_SKIPPED);
    Command(ID_FILE_NEW);
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), "");
    Command(ID_FILE_SAVE);

    // The emptied job, with the options and the histories as they were.
    const std::pair<std::pair<const char*, const char*>, const char*> stored[] = {
        {{"SearchAttributes", "AttribFlg"}, "0"}, {{"SearchAttributes", "AttribJokn"}, "0"},
        {{"SetTimeStanp", "TimeStanpJokn"}, "1"}, {{"Common", "Recursive"}, "0"},
        {{"Common", "ExecDispSkipped"}, "1"},     {{"SearchPathList", "Path0001"}, "C:\\nowhere"},
    };
    for (const auto& [key, value] : stored) {
        EXPECT_EQ(Profile(key.first, key.second, settingsFile), value) << key.first << "." << key.second;
    }
    EXPECT_EQ(dialog->Settings.CurrentFile, settingsFile);
}

TEST_F(MainDialogTest, AboutShowsTheVersionOverTheWindowAfterTheStartupInformationUnlessARunIsOn) {
    for (const bool busy : {false, true}) {
        dialog->AppendLogLine("", 0);
        dialog->AppendLogLine("before", 0);
        dialog->Engine.Run.Busy = busy ? 1 : 0;
        g_aboutOwner = nullptr;
        const UINT_PTR watcher = SetTimer(nullptr, 0, 50, WatchForAbout);
        Command(ID_APP_ABOUT);
        KillTimer(nullptr, watcher);
        dialog->Engine.Run.Busy = 0;

        EXPECT_EQ(g_aboutOwner, dialog->m_hWnd) << busy;
        EXPECT_EQ(g_logUnderAbout.rfind("Solvik:Quorlane Version 01.00 Rel 1\r\n", 0), busy ? std::string::npos : 0u);
        EXPECT_EQ(g_logUnderAbout.find("before") != std::string::npos, busy);
        EXPECT_TRUE(IsWindowEnabled(dialog->m_hWnd));
    }
}

// The profile functions would write the look-alike cafe.ini, another file.
TEST_F(MainDialogTest, ASettingsFileShiftJisCannotSpellIsRefusedAndItsLookAlikeIsNeverUsed) {
    const CString lookAlike = tree.Path("cafe.ini");
    WriteSettings(lookAlike, "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\lookalike\r\n");
    const std::string lookAlikeBefore = ReadFile(lookAlike);
    const std::wstring accented = Wide(tree.Root()) + L"\\café.ini";
    Chosen = accented;
    Answer = IDNO;
    Command(ID_FILE_SAVE_AS);
    Command(ID_FILE_OPEN);

    const std::string message = "選択したﾌｧｲﾙ( " + tree.Path("caf〓.ini").Str() +
                                " )は\nShift-JIS で表せない文字を含むため、\n設定ﾌｧｲﾙに指定できません。";
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Text, message);
    EXPECT_EQ(Boxes[1].Text, message);
    EXPECT_EQ(Boxes[0].Type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(GetFileAttributesW(accented.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFile(lookAlike), lookAlikeBefore);
    EXPECT_EQ(dialog->Settings.CurrentFile, settingsFile);
    EXPECT_EQ(WindowTextOf(Item(IDC_SEARCH_PATH)), "C:\\nowhere");
}

TEST_F(MainDialogTest, SwitchesEnableTheirFieldsAndOpenTicksTheOnesAFileHoldsAndSaveWritesThem) {
    const CString other = tree.Path("switches.ini");
    WriteSettings(other, "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\other\r\n[Switches]\r\nDateStartFlg=0\r\n"
                         "DateEndFlg=1\r\nSizeStartFlg=1\r\nSizeEndFlg=0\r\nTimeStanpFlg=1\r\n");
    Click(IDC_DATE_START_FLAG);
    Chosen = Wide(other);
    Answer = IDNO;
    Command(ID_FILE_OPEN);
    const int boxes[] = {IDC_DATE_START_FLAG, IDC_DATE_END_FLAG, IDC_SIZE_START_FLAG, IDC_SIZE_END_FLAG,
                         IDC_TIMESTAMP_FLAG};
    const int fields[] = {IDC_DATE_START, IDC_DATE_END, IDC_SIZE_START, IDC_SIZE_END, IDC_STAMP_CLOCK};
    std::string ticked, enabled;
    for (int id : boxes) ticked += Checked(id) ? '1' : '0';
    for (int id : fields) enabled += Enabled(id) ? '1' : '0';
    EXPECT_EQ(ticked, "01101");
    EXPECT_EQ(enabled, "01101");

    Click(IDC_SIZE_END_FLAG);
    Pump();
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == Item(IDC_SIZE_END) || IsChild(Item(IDC_SIZE_END), focus));
    Command(ID_FILE_SAVE);
    std::string saved;
    for (const char* key : {"DateStartFlg", "DateEndFlg", "SizeStartFlg", "SizeEndFlg", "TimeStanpFlg"}) {
        saved += Profile("Switches", key, other);
    }
    EXPECT_EQ(saved, "01111");

    Click(IDC_STAMP_GIVEN);
    EXPECT_TRUE(Enabled(IDC_TIMESTAMP));
    Click(IDC_STAMP_CLOCK);
    EXPECT_FALSE(Enabled(IDC_TIMESTAMP));
    Click(IDC_TIMESTAMP_FLAG);
    EXPECT_FALSE(Enabled(IDC_STAMP_CLOCK) || Enabled(IDC_STAMP_GIVEN) || Enabled(IDC_TIMESTAMP));
}
