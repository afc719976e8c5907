// The tool bar in a real window, built for each level of the common-controls library.
#include "ui/ToolBar.h"

#include "BarsParent.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSep = 0;  // a separator in the lists of commands below

TEST(CommonControlsLevel, FlatFrom470AndExtendedFrom471) {
    struct Case {
        unsigned long Major, Minor;
        bool Flat, Extended;
    };
    for (const Case& c : {Case{3, 99, false, false}, Case{4, 0, false, false}, Case{4, 70, true, false},
                          Case{4, 71, true, true}, Case{5, 80, true, true}, Case{6, 0, true, true}}) {
        const CommonControlsLevel level = CommonControlsLevelOf(c.Major, c.Minor);
        EXPECT_EQ(level.FlatToolBar, c.Flat) << c.Major << "." << c.Minor;
        EXPECT_EQ(level.ExtendedStyle, c.Extended) << c.Major << "." << c.Minor;
    }
}

TEST(ToolBar, ButtonsSeparatorsAndStylesFollowTheLibraryLevel) {
    const std::vector<int> commands{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, kSep,
                                    ID_TOOL_CLEAR_HISTORY, kSep, ID_TOOL_EXECUTE, ID_TOOL_ABORT, kSep, ID_APP_EXIT};
    std::vector<int> olderCommands = commands;  // a leading separator and two before Exit
    olderCommands.insert(olderCommands.end() - 1, kSep);
    olderCommands.insert(olderCommands.begin(), kSep);
    struct Case {
        CommonControlsLevel Level;
        const std::vector<int>& Commands;
    };
    for (const Case& c : {Case{{true, true}, commands}, Case{{true, false}, commands}, Case{{false, false}, olderCommands}}) {
        BarsParent parent;
        MainToolBar bar;
        ASSERT_TRUE(bar.Create(&parent, true, c.Level));
        std::vector<int> shown;
        std::vector<int> images;
        for (int index = 0; index < bar.GetButtonCount(); ++index) {
            TBBUTTON button{};
            bar.GetButton(index, &button);
            shown.push_back(button.fsStyle & TBSTYLE_SEP ? kSep : button.idCommand);
            if (!(button.fsStyle & TBSTYLE_SEP)) images.push_back(button.iBitmap);
        }
        EXPECT_EQ(shown, c.Commands);
        EXPECT_EQ(images, (std::vector<int>{0, 5, 6, 7, 1, 2, 4, 3}));
        EXPECT_EQ((bar.GetStyle() & TBSTYLE_FLAT) != 0, c.Level.FlatToolBar);
        EXPECT_EQ((bar.SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS) != 0, c.Level.ExtendedStyle);
    }
}

TEST(ToolBar, StartsIdleWithAbortDisabledAndARunSwapsTheButtons) {
    BarsParent parent;
    parent.SetClientSize(700, 300);
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, false, {true, true}));
    EXPECT_EQ(bar.GetDlgCtrlID(), 105);
    EXPECT_EQ(bar.GetStyle() & (WS_CHILD | CCS_TOP | TBSTYLE_TOOLTIPS | WS_VISIBLE), WS_CHILD | CCS_TOP | TBSTYLE_TOOLTIPS);
    EXPECT_NE(bar.SendMessage(TB_GETTOOLTIPS), 0);

    const auto expectBusy = [&bar](bool busy) {
        for (const int command : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_TOOL_CLEAR_HISTORY,
                                  ID_TOOL_EXECUTE, ID_APP_EXIT}) {
            EXPECT_EQ(bar.IsButtonEnabled(command) != 0, !busy) << command;
        }
        EXPECT_EQ(bar.IsButtonEnabled(ID_TOOL_ABORT) != 0, busy);
    };
    expectBusy(false);  // as created
    bar.SetRunState(true);
    expectBusy(true);
    bar.SetRunState(false);
    expectBusy(false);

    const int height = bar.GetRectInParent().bottom - bar.GetRectInParent().top;
    EXPECT_EQ(bar.PlaceAtTop(parent.GetClientRect()), height);
    EXPECT_EQ(bar.GetRectInParent().right, 700);
}

TEST(ToolBar, ShowsTheNineImagesOfBitmap136) {
    BarsParent parent;
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, true, {true, true}));
    const auto images = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
    EXPECT_EQ(ImageList_GetImageCount(images), MainToolBar::kImageCount);
}

}  // namespace
