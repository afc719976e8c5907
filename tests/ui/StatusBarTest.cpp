// The status bar in a real window: panes that follow the window's width, and per-file texts
// that reach the control only when they change.
#include "ui/StatusBar.h"

#include "BarsParent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CountingStatusBar : public MainStatusBar {
public:
    std::vector<int> Written;  // the pane of every SB_SETTEXT

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == SB_SETTEXTA) Written.push_back(static_cast<int>(wParam & 0xFF));
        return MainStatusBar::WindowProc(message, wParam, lParam);
    }
};

// Hidden, it leaves its room to the log: the main dialog's tests show.
TEST(StatusBar, IsABottomBarOfNinePanesThatFollowsTheWindowWidthAndWritesOnlyPanesWhoseTextChanges) {
    BarsParent parent;
    CountingStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    const int height = bar.GetRectInParent().bottom - bar.GetRectInParent().top;
    parent.MoveWindow(RECT{0, 0, 900, 500});
    const RECT client = parent.GetClientRect();
    EXPECT_EQ(bar.PlaceAtBottom(client, true), client.bottom - height);
    std::vector<int> parts(kStatusPaneCount + 1);
    parts.resize(static_cast<size_t>(bar.SendMessage(SB_GETPARTS, parts.size(), reinterpret_cast<LPARAM>(&parts[0]))));
    const int w = client.right;  // the message pane takes what the others leave
    EXPECT_EQ(parts, (std::vector<int>{32, w - 112, w - 96, w - 80, w - 64, w - 48, w - 32, w - 16, w}));

    bar.Written.clear();
    const char* ready[kStatusPaneCount] = {"ﾚﾃﾞｨ", "", "D", "F", "", "", "", "P", "S"};
    bar.ShowTexts(ready);
    bar.ShowTexts(ready);
    EXPECT_EQ(bar.Written, (std::vector<int>{0, 2, 3, 7, 8}));  // empty panes are empty already

    bar.Written.clear();
    std::string path = "○ 処理中... C:";
    for (int i = 0; i < 40; ++i) path += "\\表示ﾌｫﾙﾀﾞ";  // longer than any short buffer
    const char* busy[kStatusPaneCount] = {"Buzy", path.c_str(), "D", "F", "", "", "", "P", "S"};
    bar.ShowTexts(busy);
    const std::string changedEnd = path.substr(0, path.size() - 1) + "x";
    const char* next[kStatusPaneCount] = {"Buzy", changedEnd.c_str(), "D", "", "", "", "", "P", "S"};
    bar.ShowTexts(next);
    // The message that follows at once waits for the interval; then the latest one is shown.
    EXPECT_EQ(bar.Written, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(bar.GetText(1).Str(), path);
    parent.Pump(PaintThrottle::kInterval + 30);
    EXPECT_EQ(bar.Written, (std::vector<int>{0, 1, 3, 1}));
    EXPECT_EQ(bar.GetText(1).Str(), changedEnd);

    bar.Written.clear();
    const char* keepMessage[kStatusPaneCount] = {"ﾚﾃﾞｨ", nullptr, "D", "", "", "", "", "P", "S"};
    bar.ShowTexts(keepMessage);
    EXPECT_EQ(bar.Written, (std::vector<int>{0}));
    EXPECT_EQ(bar.GetText(1).Str(), changedEnd);
}

}  // namespace
