// The tool bar in a real window, built for each level of the common-controls library.
#include "ui/ToolBar.h"

#include "BarsParent.h"
#include "res/resource.h"
#include "settings/VerInfo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSeparator = 0;  // the command of a separator in the lists below

const CommonControlsLevel kOld{false, false};   // 4.00
const CommonControlsLevel kFlat{true, false};   // 4.70
const CommonControlsLevel kFull{true, true};    // 4.71 and later

struct Shown {
    std::vector<int> Commands;  // kSeparator for a separator
    std::vector<int> Images;    // of the buttons only
};

Shown ButtonsOf(const CToolBarCtrl& bar) {
    Shown shown;
    for (int index = 0; index < bar.GetButtonCount(); ++index) {
        TBBUTTON button{};
        bar.GetButton(index, &button);
        if (button.fsStyle & TBSTYLE_SEP) {
            shown.Commands.push_back(kSeparator);
        } else {
            EXPECT_EQ(button.fsStyle, TBSTYLE_BUTTON);
            shown.Commands.push_back(button.idCommand);
            shown.Images.push_back(button.iBitmap);
        }
    }
    return shown;
}

const std::vector<int> kCommands{ID_FILE_NEW,     ID_FILE_OPEN,  ID_FILE_SAVE, ID_FILE_SAVE_AS, kSeparator,
                                 ID_TOOL_CLEAR_HISTORY, kSeparator, ID_TOOL_EXECUTE, ID_TOOL_ABORT, kSeparator,
                                 ID_APP_EXIT};
const std::vector<int> kImages{0, 5, 6, 7, 1, 2, 4, 3};

TEST(CommonControlsLevel, FollowsTheLibraryVersion) {
    struct Case {
        unsigned long Major, Minor;
        bool Flat, Extended;
    };
    for (const Case& c : {Case{3, 99, false, false}, Case{4, 0, false, false}, Case{4, 69, false, false},
                          Case{4, 70, true, false}, Case{4, 71, true, true}, Case{5, 0, true, true},
                          Case{5, 80, true, true}, Case{6, 0, true, true}}) {
        const CommonControlsLevel level = CommonControlsLevelOf(c.Major, c.Minor);
        EXPECT_EQ(level.FlatToolBar, c.Flat) << c.Major << "." << c.Minor;
        EXPECT_EQ(level.ExtendedStyle, c.Extended) << c.Major << "." << c.Minor;
    }
}

TEST(CommonControlsLevel, IsTheLevelOfTheLoadedLibrary) {
    DllVersion version{};
    ASSERT_TRUE(GetDllVersion("COMCTL32.DLL", 4, version));
    const CommonControlsLevel expected = CommonControlsLevelOf(version.Major, version.Minor);
    EXPECT_EQ(GetCommonControlsLevel().FlatToolBar, expected.FlatToolBar);
    EXPECT_EQ(GetCommonControlsLevel().ExtendedStyle, expected.ExtendedStyle);
    EXPECT_EQ(&GetCommonControlsLevel(), &GetCommonControlsLevel());
}

TEST(ToolBar, IsATopBarWithToolTipsAndIdOneHundredFive) {
    BarsParent parent;
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, true, kFull));
    EXPECT_EQ(bar.GetDlgCtrlID(), 105);
    const DWORD style = bar.GetStyle();
    EXPECT_EQ(style & (WS_CHILD | CCS_TOP | TBSTYLE_TOOLTIPS | WS_VISIBLE),
              WS_CHILD | CCS_TOP | TBSTYLE_TOOLTIPS | WS_VISIBLE);
    EXPECT_NE(bar.SendMessage(TB_GETTOOLTIPS), 0);
    EXPECT_EQ(bar.GetRectInParent().top, 0);
}

TEST(ToolBar, StaysHiddenWhenCreatedHidden) {
    BarsParent parent;
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, false, kFull));
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(bar.GetButtonCount(), 11);
}

TEST(ToolBar, RecentLibrariesGetAFlatBarWithTheExtendedStyle) {
    BarsParent parent;
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, true, kFull));
    const Shown shown = ButtonsOf(bar);
    EXPECT_EQ(shown.Commands, kCommands);
    EXPECT_EQ(shown.Images, kImages);
    EXPECT_TRUE(bar.GetStyle() & TBSTYLE_FLAT);
    EXPECT_EQ(bar.SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS, TBSTYLE_EX_DRAWDDARROWS);
}

TEST(ToolBar, Version470IsFlatWithoutTheExtendedStyle) {
    BarsParent parent;
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, true, kFlat));
    EXPECT_EQ(ButtonsOf(bar).Commands, kCommands);
    EXPECT_TRUE(bar.GetStyle() & TBSTYLE_FLAT);
    EXPECT_EQ(bar.SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS, 0);
}

TEST(ToolBar, OlderLibrariesGetALeadingSeparatorAndTwoBeforeExit) {
    BarsParent parent;
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, true, kOld));
    std::vector<int> expected = kCommands;
    expected.insert(expected.end() - 1, kSeparator);
    expected.insert(expected.begin(), kSeparator);
    const Shown shown = ButtonsOf(bar);
    EXPECT_EQ(shown.Commands, expected);
    EXPECT_EQ(shown.Images, kImages);
    EXPECT_FALSE(bar.GetStyle() & TBSTYLE_FLAT);
    EXPECT_EQ(bar.SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS, 0);
}

TEST(ToolBar, OnlyAbortIsDisabledAtStartAndARunSwapsThem) {
    for (const CommonControlsLevel& level : {kOld, kFlat, kFull}) {
        BarsParent parent;
        MainToolBar bar;
        ASSERT_TRUE(bar.Create(&parent, true, level));
        const std::vector<int> idle{ID_FILE_NEW,     ID_FILE_OPEN,    ID_FILE_SAVE, ID_FILE_SAVE_AS,
                                    ID_TOOL_CLEAR_HISTORY, ID_TOOL_EXECUTE, ID_APP_EXIT};
        for (const int command : idle) EXPECT_TRUE(bar.IsButtonEnabled(command)) << command;
        EXPECT_FALSE(bar.IsButtonEnabled(ID_TOOL_ABORT));

        bar.SetRunState(true);
        for (const int command : idle) EXPECT_FALSE(bar.IsButtonEnabled(command)) << command;
        EXPECT_TRUE(bar.IsButtonEnabled(ID_TOOL_ABORT));

        bar.SetRunState(false);
        for (const int command : idle) EXPECT_TRUE(bar.IsButtonEnabled(command)) << command;
        EXPECT_FALSE(bar.IsButtonEnabled(ID_TOOL_ABORT));
    }
}

TEST(ToolBar, SpansTheClientWidthAtItsOwnHeight) {
    BarsParent parent;
    parent.SetClientSize(700, 300);
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, true, kFull));
    const RECT before = bar.GetRectInParent();
    const int bottom = bar.PlaceAtTop(parent.GetClientRect());
    const RECT after = bar.GetRectInParent();
    EXPECT_EQ(after.left, 0);
    EXPECT_EQ(after.right, 700);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(bottom, after.bottom);
    EXPECT_GE(bottom, 15 + 6);  // an image of 15 pixels with the button's edges
}

// Waits for bitmap 136 in res/Fendrix.rc; until it is drawn this check is skipped.
TEST(ToolBar, ShowsTheNineImagesOfBitmap136) {
    if (::FindResourceA(nullptr, MAKEINTRESOURCEA(IDB_TOOLBAR), MAKEINTRESOURCEA(2) /* RT_BITMAP */) == nullptr) {
        GTEST_SKIP() << "bitmap 136 is not in the resources yet";
    }
    HBITMAP strip = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR));
    BITMAP info{};
    ASSERT_NE(::GetObjectA(strip, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 144);
    EXPECT_EQ(info.bmHeight, 15);
    ::DeleteObject(strip);

    BarsParent parent;
    MainToolBar bar;
    ASSERT_TRUE(bar.Create(&parent, true, kFull));
    const auto images = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), MainToolBar::kImageCount);
}

}  // namespace
