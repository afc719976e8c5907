#include "FakeMainWindow.h"
#include "engine/LogPalette.h"
#include "res/resource.h"

namespace {

using OptionsTest = SettingsTest;

// The values of the option lines after the heading, red warnings as "!". The labels are 36
// Shift-JIS bytes wide, so that the letters line up; a line out of place is shown whole.
std::string Values(const std::vector<LogLine>& log) {
    std::string values;
    for (size_t i = 7; i < log.size(); ++i) {
        const auto& [text, color] = log[i];
        const bool lined = color == LogColor::Teal && text.find('(') == 36;
        values += color == LogColor::Red ? " !" : lined ? " " + text.substr(42) : " <" + text + ">";
    }
    return values;
}

}  // namespace

TEST_F(OptionsTest, EachCommandTogglesOnlyItsOwnSwitchAndWarnsWhenRisky) {
    JobSettings& j = engine.Job;
    const std::pair<UINT, int*> switches[] = {
        {ID_OPTION_SHOW_DIRECTORIES, &j.ExecDispSubDir}, {ID_OPTION_SHOW_FILES, &j.ExecDispFname},
        {ID_OPTION_SHOW_SKIPPED, &j.ExecDispSkipped},    {ID_OPTION_SHOW_UNCHANGED, &j.ExecDispNopFname},
        {ID_OPTION_CLOCK_PER_FILE, &j.SystemClockReadMode}, {ID_OPTION_SKIP_SYSTEM, &j.SystemFileSkip},
        {ID_OPTION_SORT, &j.SortFile}, {ID_VIEW_TOOLBAR, &store.ShowToolBar}, {ID_VIEW_STATUS_BAR, &store.ShowStatusBar}};
    for (const auto& [command, field] : switches) {
        for (const auto& other : switches) *other.second = 0;
        *field = 5;  // hand-edited: counts as on, so it goes off first
        store.ToggleOption(command);
        EXPECT_EQ(*field, 0) << command;
        store.ToggleOption(command);
        int sum = 0;
        for (const auto& other : switches) sum += *other.second;
        EXPECT_EQ(*field, 1) << command;
        EXPECT_EQ(sum, 1) << command;
    }
    // Only sorting going on and system skipping going off warn.
    ASSERT_EQ(dialogs.Boxes.size(), 2u);
    EXPECT_EQ(dialogs.Boxes[0].Text.rfind("「ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする」が解除されました。", 0), 0u);
    EXPECT_EQ(dialogs.Boxes[1].Text.rfind("「処理順をﾌｧｲﾙ名で並び変える」が選択されました。", 0), 0u);
    for (const MessageBoxCall& box : dialogs.Boxes) {
        EXPECT_EQ(box.Owner, FakeMainWindow::kOwner);
        EXPECT_EQ(box.Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    }
}

TEST_F(OptionsTest, StartupInformationShowsTheOptionsAndWarnsOfTheRiskyOnes) {
    const CString file = tree.Path("表.ini");
    store.Load(file);
    ASSERT_GE(window.Log.size(), 7u);
    EXPECT_EQ(window.Log[5], LogLine("Startup Information... ( " + file.Str() + " )", LogColor::Teal));
    EXPECT_EQ(Values(window.Log), " 有り 有り 無し 無し 一括 有り 無し");

    JobSettings& j = engine.Job;
    j.ExecDispSubDir = j.ExecDispFname = j.SystemFileSkip = 0;
    j.ExecDispSkipped = j.ExecDispNopFname = j.SystemClockReadMode = 1;
    j.SortFile = 5;
    store.WriteStartupInformation();
    EXPECT_EQ(Values(window.Log), " 無し 無し 無効 無効 逐次 無し ! 有り !");  // N and O need per-file lines
    j.ExecDispFname = 1;
    j.ExecDispNopFname = 0;
    store.WriteStartupInformation();
    EXPECT_EQ(Values(window.Log), " 無し 有り 有り 無し 逐次 無し ! 有り !");
}
