// The status bar in a real window: its panes follow the window's width, and the engine's
// per-file texts reach the control only when they change.
#include "ui/StatusBar.h"

#include "BarsParent.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class CountingStatusBar : public MainStatusBar {
public:
    std::vector<int> Written;  // the pane of every SB_SETTEXT

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == SB_SETTEXTA) Written.push_back(static_cast<int>(LOWORD(wParam) & 0xFF));
        return MainStatusBar::WindowProc(message, wParam, lParam);
    }
};

std::vector<int> Parts(const CStatusBarCtrl& bar) {
    std::vector<int> edges(kStatusPaneCount + 1, -2);
    const int count = static_cast<int>(
        bar.SendMessage(SB_GETPARTS, static_cast<WPARAM>(edges.size()), reinterpret_cast<LPARAM>(edges.data())));
    edges.resize(static_cast<size_t>(count));
    return edges;
}

TEST(StatusBarPanes, LetterPanesSitAtTheRightEndAndTheMessagePaneTakesTheRest) {
    int edges[kStatusPaneCount];
    MainStatusBar::PaneEdges(600, edges);
    EXPECT_EQ(std::vector<int>(edges, edges + kStatusPaneCount),
              (std::vector<int>{32, 488, 504, 520, 536, 552, 568, 584, 600}));
}

TEST(StatusBar, IsABottomBarWithNinePanesForItsRightEdge) {
    BarsParent parent;
    parent.SetClientSize(500, 300);
    MainStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    EXPECT_EQ(bar.GetDlgCtrlID(), 104);
    EXPECT_EQ(bar.GetStyle() & (WS_CHILD | CCS_BOTTOM | WS_VISIBLE), WS_CHILD | CCS_BOTTOM | WS_VISIBLE);
    EXPECT_FALSE(bar.GetStyle() & SBARS_SIZEGRIP);

    const RECT rect = bar.GetRectInParent();
    EXPECT_EQ(rect.bottom, 300);
    EXPECT_EQ(rect.right, 500);
    EXPECT_EQ(Parts(bar), (std::vector<int>{32, 388, 404, 420, 436, 452, 468, 484, 500}));
}

TEST(StatusBar, StaysHiddenWhenCreatedHidden) {
    BarsParent parent;
    MainStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, false));
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(Parts(bar).size(), 9u);
}

TEST(StatusBar, WideningTheWindowWidensOnlyTheMessagePane) {
    BarsParent parent;
    parent.SetClientSize(500, 300);
    MainStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    const int height = bar.GetRectInParent().bottom - bar.GetRectInParent().top;

    parent.SetClientSize(800, 400);
    const int available = bar.PlaceAtBottom(parent.GetClientRect(), true);
    const RECT rect = bar.GetRectInParent();
    EXPECT_EQ(rect.bottom, 400);
    EXPECT_EQ(rect.bottom - rect.top, height);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(available, rect.top);
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(Parts(bar), (std::vector<int>{32, 688, 704, 720, 736, 752, 768, 784, 800}));
}

TEST(StatusBar, AHiddenBarLeavesTheWholeClientHeightAndKeepsItsPanesCurrent) {
    BarsParent parent;
    parent.SetClientSize(500, 300);
    MainStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    parent.SetClientSize(600, 300);
    EXPECT_EQ(bar.PlaceAtBottom(parent.GetClientRect(), false), 300);
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(Parts(bar).back(), 600);
}

TEST(StatusBarTexts, NullLeavesAPaneAloneAndUnchangedTextsAreNotWrittenAgain) {
    BarsParent parent;
    CountingStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));

    const char* ready[kStatusPaneCount] = {"ﾚﾃﾞｨ", "", "D", "F", "", "", "", "P", "S"};
    bar.ShowTexts(ready);
    EXPECT_EQ(bar.Written, (std::vector<int>{0, 2, 3, 7, 8}));  // the empty panes are empty already

    bar.Written.clear();
    bar.ShowTexts(ready);
    EXPECT_TRUE(bar.Written.empty());

    const char* busy[kStatusPaneCount] = {"Buzy", "○ 処理中... C:\\表\\a.txt", "D", "F", "", "", "", "P", "S"};
    bar.ShowTexts(busy);
    EXPECT_EQ(bar.Written, (std::vector<int>{0, 1}));
    EXPECT_EQ(bar.GetText(1), "○ 処理中... C:\\表\\a.txt");

    bar.Written.clear();
    const char* keepMessage[kStatusPaneCount] = {"Buzy", nullptr, "D", "", "", "", "", "P", "S"};
    bar.ShowTexts(keepMessage);
    EXPECT_EQ(bar.Written, (std::vector<int>{3}));
    EXPECT_EQ(bar.GetText(1), "○ 処理中... C:\\表\\a.txt");
    EXPECT_EQ(bar.GetText(3), "");
}

TEST(StatusBarTexts, ATextThatDiffersOnlyAfterAnEqualStartIsWritten) {
    BarsParent parent;
    CountingStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    const char* first[kStatusPaneCount] = {"", "○ 検索中... : C:\\a (*.*)", "", "", "", "", "", "", ""};
    const char* second[kStatusPaneCount] = {"", "○ 検索中... : C:\\b (*.*)", "", "", "", "", "", "", ""};
    const char* longer[kStatusPaneCount] = {"", "○ 検索中... : C:\\b (*.*)x", "", "", "", "", "", "", ""};
    bar.ShowTexts(first);
    bar.ShowTexts(second);
    bar.ShowTexts(longer);
    EXPECT_EQ(bar.Written, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(bar.GetText(1), "○ 検索中... : C:\\b (*.*)x");
}

TEST(StatusBarTexts, LongPathsAreComparedWhole) {
    BarsParent parent;
    CountingStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    std::string path = "○ 処理中... C:";
    for (int i = 0; i < 40; ++i) path += "\\表示ﾌｫﾙﾀﾞ";
    const std::string other = path.substr(0, path.size() - 1) + "x";
    const char* texts[kStatusPaneCount] = {"", path.c_str(), "", "", "", "", "", "", ""};
    bar.ShowTexts(texts);
    bar.ShowTexts(texts);
    EXPECT_EQ(bar.Written, (std::vector<int>{1}));
    texts[1] = other.c_str();
    bar.ShowTexts(texts);
    EXPECT_EQ(bar.Written, (std::vector<int>{1, 1}));
    EXPECT_EQ(bar.GetText(1).Str(), other);
}

TEST(StatusBarOnScreen, TheLastTextOfABurstIsDrawn) {
    BarsParent parent;
    MainStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    parent.Show();
    RECT pane{};
    bar.SendMessage(SB_GETRECT, 1, reinterpret_cast<LPARAM>(&pane));
    const int before = BarsParent::CountPixels(bar.m_hWnd, pane, RGB(0, 0, 0));

    char progress[64];
    const char* texts[kStatusPaneCount] = {"Buzy", progress, "", "", "", "", "", "", ""};
    for (int i = 0; i < 200; ++i) {
        std::snprintf(progress, sizeof progress, "○ 処理中... file%d.txt", i);
        bar.ShowTexts(texts);
        BarsParent::PumpPending();
    }
    std::snprintf(progress, sizeof progress, "■■■■■■■■■■■■■■■■■■■■");
    bar.ShowTexts(texts);
    BarsParent::PumpFor(4 * PaintThrottle::kInterval);
    EXPECT_GT(BarsParent::CountPixels(bar.m_hWnd, pane, RGB(0, 0, 0)), before + 200);
}

}  // namespace
