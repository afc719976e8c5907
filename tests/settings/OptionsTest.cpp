#include "FakeMainWindow.h"
#include "engine/LogPalette.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kSortWarning =
    "「処理順をﾌｧｲﾙ名で並び変える」が選択されました。\n対象となるﾌｧｲﾙが多い場合、処理に大変時間が\n"
    "かかる場合があります。";
const char* const kSystemWarning =
    "「ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする」が解除されました。\nｼｽﾃﾑ属性を持つﾌｧｲﾙの属性･ﾀｲﾑｽﾀﾝﾌﾟを変更した場合\n"
    "ｼｽﾃﾑに異常をきたす場合が有ります。";

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kTeal = RGB(0, 128, 128);
const COLORREF kRed = RGB(255, 0, 0);

class OptionsTest : public SettingsTest {
protected:
    int& Field(UINT command) {
        JobSettings& j = engine.Job;
        switch (command) {
            case ID_OPTION_SHOW_DIRECTORIES: return j.ExecDispSubDir;
            case ID_OPTION_SHOW_FILES: return j.ExecDispFname;
            case ID_OPTION_SHOW_SKIPPED: return j.ExecDispSkipped;
            case ID_OPTION_SHOW_UNCHANGED: return j.ExecDispNopFname;
            case ID_OPTION_CLOCK_PER_FILE: return j.SystemClockReadMode;
            case ID_OPTION_SKIP_SYSTEM: return j.SystemFileSkip;
            case ID_OPTION_SORT: return j.SortFile;
            case ID_VIEW_TOOLBAR: return store.ShowToolBar;
            default: return store.ShowStatusBar;
        }
    }

    // The block as it reads after the heading's empty line, with the default switches.
    std::vector<LoggedLine> Head(const char* file) const {
        return {
            {"Solvik:Quorlane Version 01.00 Rel 1", kBlack},
            {"Copyright (C) 2026 Solvik", kBlack},
            {"ファイルの属性とタイムスタンプを一括して変更します。", kBlack},
            {"Build Version : 26.12.06 No.1", kBlack},
            {"\r\n", kBlack},
            {std::string("Startup Information... ( ") + file + " )", kTeal},
            {"\r\n", kBlack},
        };
    }
};

const UINT kCommands[] = {ID_OPTION_SHOW_DIRECTORIES, ID_OPTION_SHOW_FILES, ID_OPTION_SHOW_SKIPPED,
                          ID_OPTION_SHOW_UNCHANGED,   ID_OPTION_CLOCK_PER_FILE, ID_OPTION_SKIP_SYSTEM,
                          ID_OPTION_SORT,             ID_VIEW_TOOLBAR,          ID_VIEW_STATUS_BAR};

}  // namespace

TEST_F(OptionsTest, EachCommandTogglesItsOwnSwitchAndAnyNonZeroGoesOffFirst) {
    for (UINT command : kCommands) {
        for (UINT other : kCommands) Field(other) = 0;
        Field(command) = 5;
        store.ToggleOption(command);
        EXPECT_EQ(Field(command), 0) << command;
        store.ToggleOption(command);
        EXPECT_EQ(Field(command), 1) << command;
        for (UINT other : kCommands) {
            if (other != command) {
                EXPECT_EQ(Field(other), 0) << command << " changed " << other;
            }
        }
    }
}

TEST_F(OptionsTest, AnOptionRefreshesMarksThenStatusWithoutTouchingTheBars) {
    engine.Job.ExecDispFname = 1;
    store.ToggleOption(ID_OPTION_SHOW_FILES);
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"Marks", "Status"}));
    EXPECT_FALSE(window.Marks.ExecDispFname);
    EXPECT_FALSE(window.Marks.EntryDetailItemsEnabled);
    EXPECT_EQ(window.Status[0], "ﾚﾃﾞｨ");
    EXPECT_EQ(window.Status[3], "");
}

TEST_F(OptionsTest, ABarIsShownByItsNewFlagAndTheLayoutFollows) {
    store.ToggleOption(ID_VIEW_TOOLBAR);
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"ShowBars T0 S1", "Marks", "RecalcLayout", "Status"}));
    window.Calls.clear();
    store.ToggleOption(ID_VIEW_STATUS_BAR);
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"ShowBars T0 S0", "Marks", "RecalcLayout", "Status"}));
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(OptionsTest, SortingSwitchedOnWarnsAndSwitchedOffDoesNot) {
    engine.Job.SortFile = 0;
    store.ToggleOption(ID_OPTION_SORT);
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    const MessageBoxCall& box = dialogs.Boxes()[0];
    EXPECT_EQ(box.Owner, FakeMainWindow::kOwner);
    EXPECT_EQ(box.Text, kSortWarning);
    EXPECT_EQ(box.Title, "Fendrix:Warning");
    EXPECT_EQ(box.Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(window.Status[8], "S");
    EXPECT_TRUE(window.Marks.SortFile);

    store.ToggleOption(ID_OPTION_SORT);
    EXPECT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(window.Status[8], "");

    // A hand-edited 5 is on: toggling switches it off, silently.
    engine.Job.SortFile = 5;
    store.ToggleOption(ID_OPTION_SORT);
    EXPECT_EQ(dialogs.Boxes().size(), 1u);
}

TEST_F(OptionsTest, SystemSkippingSwitchedOffWarnsAndSwitchedOnDoesNot) {
    engine.Job.SystemFileSkip = 1;
    store.ToggleOption(ID_OPTION_SKIP_SYSTEM);
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(dialogs.Boxes()[0].Text, kSystemWarning);
    EXPECT_EQ(dialogs.Boxes()[0].Title, "Fendrix:Warning !");
    EXPECT_EQ(dialogs.Boxes()[0].Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(window.Marks.SystemBoxesEnabled);
    EXPECT_EQ(window.Status[7], "");
    // The box comes after the switch changed and before the menu follows it.
    EXPECT_EQ(window.Calls, (std::vector<std::string>{"Marks", "Status"}));

    store.ToggleOption(ID_OPTION_SKIP_SYSTEM);
    EXPECT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_FALSE(window.Marks.SystemBoxesEnabled);
    EXPECT_EQ(window.Status[7], "P");

    engine.Job.SystemFileSkip = 5;
    store.ToggleOption(ID_OPTION_SKIP_SYSTEM);
    EXPECT_EQ(dialogs.Boxes().size(), 2u);
    EXPECT_EQ(engine.Job.SystemFileSkip, 0);
}

TEST_F(OptionsTest, OtherCommandsChangeNothing) {
    store.ToggleOption(ID_VIEW_DEFAULT_SIZE);
    EXPECT_TRUE(window.Calls.empty());
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(OptionsTest, StartupInformationWithTheDefaults) {
    window.Log.push_back({"earlier", kBlack});
    store.CurrentFile = "C:\\表\\Fendrix.ini";
    store.WriteStartupInformation();
    EXPECT_EQ(window.LogClears, 1);
    std::vector<LoggedLine> expected = Head("C:\\表\\Fendrix.ini");
    const std::vector<LoggedLine> settings = {
        {"    検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名の表示指定(D) : 無し", kTeal},  // JobSettings starts with D off
        {"    検索されたﾌｧｲﾙ名の表示指定      (F) : 有り", kTeal},
        {"    処理をｽｷｯﾌﾟしたﾌｧｲﾙ名の表示指定 (N) : 無し", kTeal},
        {"    処理しなかったﾌｧｲﾙ名の表示指定  (O) : 無し", kTeal},
        {"    ｼｽﾃﾑｸﾛｯｸ読取方法の指定          (C) : 一括", kTeal},
        {"    ｼｽﾃﾑ属性ﾌｧｲﾙの処理ｽｷｯﾌﾟ指定     (P) : 有り", kTeal},
        {"    ﾌｧｲﾙ名での処理順ｿｰﾄ指定         (S) : 無し", kTeal},
    };
    expected.insert(expected.end(), settings.begin(), settings.end());
    EXPECT_EQ(window.Log, expected);
}

TEST_F(OptionsTest, LoadingAFileOfDefaultsEndsWithTheBlock) {
    const CString file = tree.Path("defaults.ini");
    store.Load(file);
    std::vector<std::string> values;
    for (size_t i = 7; i < window.Log.size(); ++i) values.push_back(window.Log[i].Text.substr(42));
    EXPECT_EQ(values, (std::vector<std::string>{"有り", "有り", "無し", "無し", "一括", "有り", "無し"}));
    EXPECT_EQ(window.Log[5].Text, "Startup Information... ( " + file.Str() + " )");
}

TEST_F(OptionsTest, StartupInformationWithEveryWarning) {
    JobSettings& j = engine.Job;
    j.ExecDispSubDir = 1;
    j.ExecDispFname = 0;
    j.ExecDispSkipped = 1;   // shown as not applicable while F is off
    j.ExecDispNopFname = 1;
    j.SystemClockReadMode = 1;
    j.SystemFileSkip = 0;
    j.SortFile = 5;
    store.CurrentFile = "x.ini";
    store.WriteStartupInformation();
    std::vector<LoggedLine> expected = Head("x.ini");
    const std::vector<LoggedLine> settings = {
        {"    検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名の表示指定(D) : 有り", kTeal},
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
}

TEST_F(OptionsTest, DetailLinesFollowTheirOwnSwitchesWhileFileLinesAreOn) {
    engine.Job.ExecDispFname = 1;
    engine.Job.ExecDispSkipped = 1;
    engine.Job.ExecDispNopFname = 0;
    store.WriteStartupInformation();
    ASSERT_GE(window.Log.size(), 11u);
    EXPECT_EQ(window.Log[9].Text, "    処理をｽｷｯﾌﾟしたﾌｧｲﾙ名の表示指定 (N) : 有り");
    EXPECT_EQ(window.Log[10].Text, "    処理しなかったﾌｧｲﾙ名の表示指定  (O) : 無し");
}

TEST_F(OptionsTest, SwitchLinesPutTheirLettersInColumn37) {
    store.WriteStartupInformation();
    ASSERT_EQ(window.Log.size(), 14u);
    for (size_t i = 7; i < window.Log.size(); ++i) {
        // Shift-JIS bytes are columns: one for ASCII and half-width katakana, two otherwise.
        EXPECT_EQ(window.Log[i].Text.find('('), 36u) << window.Log[i].Text;
        EXPECT_EQ(window.Log[i].Text.substr(36, 6), window.Log[i].Text.substr(36, 2) + ") : ");
    }
}
