// The log view as the main dialog creates it: a real rich-edit control in a real window.
#include "ui/ExecutionLog.h"
#include "ui/StatusBar.h"

#include "BarsParent.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace {

const char* const kFace = "ＭＳ ゴシック";

class ExecutionLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 10, 60, 400, 120, parent.m_hWnd, reinterpret_cast<HMENU>(1021),
                          nullptr, nullptr);
        log.StyleBits |= ES_DISABLENOSCROLL;
        ASSERT_TRUE(log.CreateInPlace(1021, 108, &parent, kFace, 9));
    }

    std::string Text() const { return WindowTextOf(log.m_hWnd).Str(); }
    int LineTop(int line) const {
        POINTL point{};
        log.SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), log.SendMessage(EM_LINEINDEX, line));
        return static_cast<int>(point.y);
    }
    // The last line of text lies wholly in the client area, and the view went no further.
    void ExpectLastLineInView() {
        const int line = log.GetLineCount() - 2;
        EXPECT_GE(LineTop(line), 0);
        EXPECT_LE(LineTop(line + 1), log.GetClientRect().bottom);
        EXPECT_LE(log.GetFirstVisibleLine(), log.GetLineCount() - log.GetVisibleLineCount());
    }

    BarsParent parent;
    ExecutionLog log;
};

TEST_F(ExecutionLogTest, ReplacesThePlaceholderAsAReadOnlyNonWrappingViewWhereEachTextIsALineOfItsColour) {
    EXPECT_EQ(parent.GetDlgItem(1021), nullptr);
    EXPECT_EQ(parent.GetDlgItem(108), log.m_hWnd);
    const RECT rect = log.GetRectInParent();
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.bottom, 180);
    EXPECT_EQ(log.GetStyle() & (0x200884u | ES_DISABLENOSCROLL | WS_HSCROLL | WS_BORDER), 0x200884u | ES_DISABLENOSCROLL);
    EXPECT_TRUE(log.GetExStyle() & WS_EX_CLIENTEDGE);

    log.AppendText("abc", RGB(255, 0, 0));
    EXPECT_EQ(Text(), "abc\r\n");
    log.AppendText("\r\n", RGB(0, 0, 255));
    log.AppendText("処理  数 : 3 件 (C:\\表)\r\n", RGB(0, 128, 0));
    EXPECT_EQ(Text(), "abc\r\n\r\n処理  数 : 3 件 (C:\\表)\r\n\r\n");
    // Positions count characters; inside the control a line end is one CR.
    for (const auto& [start, end, colour] : {std::tuple{0, 4, RGB(255, 0, 0)}, std::tuple{4, 5, RGB(0, 0, 255)},
                                             std::tuple{5, 23, RGB(0, 128, 0)}}) {
        log.SetSel(start, end);
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        log.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_TRUE(format.dwMask & CFM_COLOR) << start;
        EXPECT_EQ(format.crTextColor, colour) << start;
        EXPECT_FALSE(format.dwEffects & (CFE_AUTOCOLOR | CFE_BOLD)) << start;
        EXPECT_STREQ(format.szFaceName, kFace);
        EXPECT_EQ(format.yHeight, 9 * 20);  // twips
    }
    const int lines = log.GetLineCount();
    log.AppendText(std::string(400, 'w').c_str(), 0);
    EXPECT_EQ(log.GetLineCount(), lines + 1);  // not wrapped

    ExecutionLog missing;
    EXPECT_FALSE(missing.CreateInPlace(1021, 109, &parent, kFace, 9));
    EXPECT_EQ(missing.m_hWnd, nullptr);
    missing.AppendText("skipped", 0);
}

TEST_F(ExecutionLogTest, TheLimitGrowsBeforeALineWouldReachItAndAClearResetsIt) {
    EXPECT_EQ(ExecutionLog::NextLimit(100), 130);
    EXPECT_EQ(ExecutionLog::NextLimit(3), 4);                  // 3 x 30 / 100 is 0
    EXPECT_EQ(ExecutionLog::NextLimit(100000000), 130000000);  // x 30 exceeds 32 bits
    EXPECT_EQ(ExecutionLog::NextLimit(LONG_MAX), LONG_MAX);

    CRichEditCtrl reference;  // shows the platform's default limit
    ASSERT_TRUE(reference.Create(WS_CHILD, RECT{0, 0, 10, 10}, &parent, 1));
    reference.LimitText(0);
    for (const int length : {97, 98}) {  // with CR LF below the limit, then exactly at it
        log.LimitText(100);
        log.AppendText(std::string(static_cast<size_t>(length), 'x').c_str(), 0);
        EXPECT_EQ(log.GetLimitText(), length == 97 ? 100 : 130);
        log.AppendText("", 0);
        EXPECT_EQ(Text(), "");
        EXPECT_EQ(log.GetLimitText(), reference.GetLimitText());
    }

    log.LimitText(3);
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        const std::string line = "    done : -a--- 2024/01/02 03:04:05         10 ファイル" + std::to_string(i);
        log.AppendText(line.c_str(), 0);
        expected += line + "\r\n";
    }
    EXPECT_EQ(Text(), expected);
    log.AppendText("", 0);
    log.AppendText("x", 0);
    EXPECT_EQ(Text(), "x\r\n");
    EXPECT_EQ(log.GetFirstVisibleLine(), 0);
}

TEST_F(ExecutionLogTest, ScrollsOnlyWhenTheEndIsBelowTheView) {
    const auto appendLines = [this](int count) {
        for (int i = 0; i < count; ++i) log.AppendText(("line " + std::to_string(i)).c_str(), 0);
    };
    const int visible = log.GetVisibleLineCount();
    ASSERT_GT(visible, 3);
    appendLines(visible - 1);
    EXPECT_EQ(log.GetFirstVisibleLine(), 0);

    appendLines(100);
    ExpectLastLineInView();
    const int first = log.GetFirstVisibleLine();
    log.AppendText("one more", 0);
    EXPECT_EQ(log.GetFirstVisibleLine(), first + 1);

    log.LineScroll(-30);  // the user reads further up
    ASSERT_LT(log.GetFirstVisibleLine(), first - 20);
    log.AppendText("new", 0);
    ExpectLastLineInView();
}

// Lines and status texts come far faster than the two may be repainted; the last of them
// is drawn all the same.
TEST_F(ExecutionLogTest, TheLastLineAndStatusTextOfABurstAreDrawn) {
    MainStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent, true));
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    std::string progress;
    const char* texts[kStatusPaneCount] = {"Buzy", nullptr, "", "", "", "", "", "", ""};
    for (int i = 0; i < 200; ++i) {
        progress = "○ 処理中... file" + std::to_string(i);
        texts[1] = progress.c_str();
        bar.ShowTexts(texts);
        log.AppendText(progress.c_str(), 0);
        BarsParent::Pump();
    }
    texts[1] = "■■■■■■■■■■■■■■■■■■■■";
    bar.ShowTexts(texts);
    log.AppendText("■■■■■■■■■■■■■■■■", RGB(255, 0, 0));
    BarsParent::Pump(4 * PaintThrottle::kInterval);

    const int top = LineTop(log.GetLineCount() - 2);
    EXPECT_GT(BarsParent::CountPixels(log.m_hWnd, RECT{0, top, 300, top + 10}, RGB(255, 0, 0)), 50);
    RECT pane{};
    bar.SendMessage(SB_GETRECT, 1, reinterpret_cast<LPARAM>(&pane));
    EXPECT_GT(BarsParent::CountPixels(bar.m_hWnd, pane, RGB(0, 0, 0)), 1000);
}

}  // namespace
