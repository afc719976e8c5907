// The tool bar in a real window, built for each level of the common-controls library.
#include "ui/ToolBar.h"

#include "BarsParent.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ToolBar, TheLibraryIsFlatFrom470AndExtendedFrom471) {
    const std::pair<unsigned long, unsigned long> versions[] = {{3, 99}, {4, 0}, {4, 70}, {4, 71}, {5, 80}, {6, 0}};
    std::string levels;  // F: flat, E: extended
    for (const auto& [major, minor] : versions) {
        const CommonControlsLevel level = CommonControlsLevelOf(major, minor);
        levels += std::string(" ") + (level.FlatToolBar ? "F" : "-") + (level.ExtendedStyle ? "E" : "-");
    }
    EXPECT_EQ(levels, " -- -- F- FE FE FE");
}

TEST(ToolBar, ButtonsSeparatorsAndStylesFollowTheLibraryLevelAndARunSwapsTheButtons) {
    constexpr int kSep = 0;
    const std::vector<int> commands{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, kSep,
                                    ID_TOOL_CLEAR_HISTORY, kSep, ID_TOOL_EXECUTE, ID_TOOL_PREVIEW, ID_TOOL_UNDO,
                                    ID_TOOL_ABORT, kSep, ID_APP_EXIT};
    std::vector<int> olderCommands = commands;  // a leading separator and two before Exit
    olderCommands.insert(olderCommands.end() - 1, kSep);
    olderCommands.insert(olderCommands.begin(), kSep);
    for (const CommonControlsLevel level : {CommonControlsLevel{true, true}, {true, false}, {false, false}}) {
        BarsParent parent;
        MainToolBar bar;
        const bool visible = level.ExtendedStyle;
        ASSERT_TRUE(bar.Create(&parent, visible, level));
        std::vector<int> shown;
        for (int index = 0; index < bar.GetButtonCount(); ++index) {
            TBBUTTON button{};
            bar.GetButton(index, &button);
            shown.push_back(button.fsStyle & TBSTYLE_SEP ? kSep : button.idCommand);
        }
        EXPECT_EQ(shown, level.FlatToolBar ? commands : olderCommands);
        EXPECT_EQ(bar.GetStyle() & (WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS),
                  TBSTYLE_TOOLTIPS | (visible ? WS_VISIBLE : 0u) | (level.FlatToolBar ? TBSTYLE_FLAT : 0u));
        EXPECT_EQ((bar.SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS) != 0, level.ExtendedStyle);

        for (const int run : {-1, 1, 0}) {  // as created, during a run, after it
            if (run >= 0) bar.SetRunState(run == 1);
            for (const int command : commands) {
                if (command == kSep) continue;
                EXPECT_EQ(bar.IsButtonEnabled(command) != 0, (command == ID_TOOL_ABORT) == (run == 1)) << command;
            }
        }
        const int height = bar.GetRectInParent().bottom - bar.GetRectInParent().top;
        EXPECT_EQ(bar.PlaceAtTop(parent.GetClientRect()), height);
        EXPECT_EQ(bar.GetRectInParent().right, parent.GetClientRect().right);
    }
}

}  // namespace
