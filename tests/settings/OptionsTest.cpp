#include "FakeMainWindow.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kTeal = RGB(0, 128, 128);
const COLORREF kRed = RGB(255, 0, 0);

class OptionsTest : public SettingsTest {
protected:
    std::vector<int*> Fields() {
        JobSettings& j = engine.Job;
        return {&j.ExecDispSubDir, &j.ExecDispFname,  &j.ExecDispSkipped,   &j.ExecDispNopFname,    &j.SystemClockReadMode,
                &j.SystemFileSkip, &j.SortFile,       &store.ShowToolBar,   &store.ShowStatusBar};
    }

    // The block up to the empty line after its heading.
    static std::vector<LoggedLine> Head(const std::string& file) {
        return {{"Solvik:Quorlane Version 01.00 Rel 1", kBlack},
                {"Copyright (C) 2026 Solvik", kBlack},
                {"ファイルの属性とタイムスタンプを一括して変更します。", kBlack},
                {"Build Version : 26.12.06 No.1", kBlack},
                {"\r\n", kBlack},
                {"Startup Information... ( " + file + " )", kTeal},
                {"\r\n", kBlack}};
    }
};

const UINT kCommands[] = {ID_OPTION_SHOW_DIRECTORIES, ID_OPTION_SHOW_FILES,  ID_OPTION_SHOW_SKIPPED,
                          ID_OPTION_SHOW_UNCHANGED,   ID_OPTION_CLOCK_PER_FILE, ID_OPTION_SKIP_SYSTEM,
                          ID_OPTION_SORT,             ID_VIEW_TOOLBAR,       ID_VIEW_STATUS_BAR};

}  // namespace

TEST_F(OptionsTest, EachCommandTogglesItsOwnSwitchAndFiveBecomesZeroThenOne) {
    for (size_t i = 0; i < std::size(kCommands); ++i) {
        for (int* field : Fields()) *field = 0;
        *Fields()[i] = 5;
        store.ToggleOption(kCommands[i]);
        EXPECT_EQ(*Fields()[i], 0) << kCommands[i];
        store.ToggleOption(kCommands[i]);
        EXPECT_EQ(*Fields()[i], 1) << kCommands[i];
        int others = 0;
        for (int* field : Fields()) others += *field;
        EXPECT_EQ(others, 1) << kCommands[i];
    }
    window.Calls.clear();
    store.ToggleOption(ID_VIEW_DEFAULT_SIZE);
    EXPECT_TRUE(window.Calls.empty());
}

TEST_F(OptionsTest, MenusLayoutAndStatusFollowInOrder) {
    store.ToggleOption(ID_VIEW_TOOLBAR);
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"ShowBars T0 S1", "Marks", "Layout", "Status"}));
    window.Calls.clear();
    store.ToggleOption(ID_OPTION_SHOW_FILES);
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"Marks", "Status"}));
    EXPECT_FALSE(window.Marks.EntryDetailItemsEnabled);
    EXPECT_EQ(window.Status[0], "ﾚﾃﾞｨ");
    EXPECT_EQ(window.Status[3], "");
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(OptionsTest, SortingOnAndSystemSkippingOffWarnOnlyInThatDirection) {
    store.ToggleOption(ID_OPTION_SORT);  // 0 -> 1
    store.ToggleOption(ID_OPTION_SORT);
    engine.Job.SortFile = 5;
    store.ToggleOption(ID_OPTION_SORT);
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(dialogs.Boxes()[0].Owner, FakeMainWindow::kOwner);
    EXPECT_EQ(dialogs.Boxes()[0].Text,
              "「処理順をﾌｧｲﾙ名で並び変える」が選択されました。\n対象となるﾌｧｲﾙが多い場合、処理に大変時間が\n"
              "かかる場合があります。");
    EXPECT_EQ(dialogs.Boxes()[0].Title, "Fendrix:Warning");
    EXPECT_EQ(dialogs.Boxes()[0].Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    dialogs.Clear();
    store.ToggleOption(ID_OPTION_SKIP_SYSTEM);  // 1 -> 0
    EXPECT_TRUE(window.Marks.SystemBoxesEnabled);
    EXPECT_EQ(window.Status[7], "");
    store.ToggleOption(ID_OPTION_SKIP_SYSTEM);
    EXPECT_EQ(window.Status[7], "P");
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(dialogs.Boxes()[0].Text,
              "「ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする」が解除されました。\nｼｽﾃﾑ属性を持つﾌｧｲﾙの属性･ﾀｲﾑｽﾀﾝﾌﾟを変更した場合\n"
              "ｼｽﾃﾑに異常をきたす場合が有ります。");
    EXPECT_EQ(dialogs.Boxes()[0].Title, "Fendrix:Warning !");
    EXPECT_EQ(dialogs.Boxes()[0].Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(OptionsTest, StartupInformationOfTheDefaultsHasNoWarnings) {
    const CString file = tree.Path("表.ini");
    window.Log.push_back({"earlier", kBlack});
    store.Load(file);
    std::vector<LoggedLine> expected = Head(file.Str());
    for (const char* line : {"    検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名の表示指定(D) : 有り", "    検索されたﾌｧｲﾙ名の表示指定      (F) : 有り",
                             "    処理をｽｷｯﾌﾟしたﾌｧｲﾙ名の表示指定 (N) : 無し", "    処理しなかったﾌｧｲﾙ名の表示指定  (O) : 無し",
                             "    ｼｽﾃﾑｸﾛｯｸ読取方法の指定          (C) : 一括", "    ｼｽﾃﾑ属性ﾌｧｲﾙの処理ｽｷｯﾌﾟ指定     (P) : 有り",
                             "    ﾌｧｲﾙ名での処理順ｿｰﾄ指定         (S) : 無し"}) {
        expected.push_back({line, kTeal});
    }
    EXPECT_EQ(window.Log, expected);
    // Shift-JIS bytes are columns: the letters line up after 36 of them.
    for (size_t i = 7; i < window.Log.size(); ++i) EXPECT_EQ(window.Log[i].Text.find('('), 36u) << i;
}

TEST_F(OptionsTest, StartupInformationWithEveryWarning) {
    JobSettings& j = engine.Job;
    j.ExecDispSubDir = 0;
    j.ExecDispFname = 0;
    j.ExecDispSkipped = j.ExecDispNopFname = 1;  // not applicable while F is off
    j.SystemClockReadMode = 1;
    j.SystemFileSkip = 0;
    j.SortFile = 5;
    store.CurrentFile = "x.ini";
    store.WriteStartupInformation();
    std::vector<LoggedLine> expected = Head("x.ini");
    const std::vector<LoggedLine> settings = {
        {"    検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名の表示指定(D) : 無し", kTeal},
        {"    検索されたﾌｧｲﾙ名の表示指定      (F) : 無し", kTeal},
        {"    処理をｽｷｯﾌﾟしたﾌｧｲﾙ名の表示指定 (N) : 無効", kTeal},
        {"    処理しなかったﾌｧｲﾙ名の表示指定  (O) : 無効", kTeal},
        {"    ｼｽﾃﾑｸﾛｯｸ読取方法の指定          (C) : 逐次", kTeal},
        {"    ｼｽﾃﾑ属性ﾌｧｲﾙの処理ｽｷｯﾌﾟ指定     (P) : 無し", kTeal},
        {"\r\nWarning: ｼｽﾃﾑ属性を持つﾌｧｲﾙが処理対象になっている場合、属性変更処理の結果、\r\n"
         "Warning: ｼｽﾃﾑに異常を引き起こす場合があります。\r\n",
         kRed},
        {"    ﾌｧｲﾙ名での処理順ｿｰﾄ指定         (S) : 有り", kTeal},
        {"\r\nWarning: 「処理順をﾌｧｲﾙ名で並び変える」が選択されていると、対象となる\r\n"
         "Warning: ﾌｧｲﾙが多い場合に処理に大変時間がかかる場合があります。",
         kRed},
    };
    expected.insert(expected.end(), settings.begin(), settings.end());
    EXPECT_EQ(window.Log, expected);

    j.ExecDispFname = 1;
    j.ExecDispNopFname = 0;
    store.WriteStartupInformation();
    EXPECT_EQ(window.Log[9].Text, "    処理をｽｷｯﾌﾟしたﾌｧｲﾙ名の表示指定 (N) : 有り");
    EXPECT_EQ(window.Log[10].Text, "    処理しなかったﾌｧｲﾙ名の表示指定  (O) : 無し");
}
