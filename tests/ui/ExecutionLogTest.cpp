// The log view as the main dialog creates it: a real rich-edit control in a real window.
#include "ui/ExecutionLog.h"

#include "BarsParent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

namespace {

constexpr int kPlaceholder = 1021;
constexpr int kLogId = 108;
const RECT kPlace{10, 60, 410, 180};
const char* const kFace = "ＭＳ ゴシック";

class ExecutionLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent.AddPlaceholder(kPlaceholder, kPlace);
        log.StyleBits |= ES_DISABLENOSCROLL;  // as the main dialog creates it
        ASSERT_TRUE(log.CreateInPlace(kPlaceholder, kLogId, &parent, kFace, 9));
    }

    // The text with CR LF line ends, as GetWindowTextA gives it; read with room for double-byte
    // characters, which the window's text length counts as one each.
    std::string Text() const {
        GETTEXTLENGTHEX how{GTL_USECRLF | GTL_NUMCHARS, CP_ACP};
        const auto length = static_cast<size_t>(log.SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
        std::string text(2 * length + 1, '\0');
        GETTEXTEX request{static_cast<DWORD>(text.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
        const auto copied = log.SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                            reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(copied));
        return text;
    }

    // The character format of the characters [start, end).
    CHARFORMATA FormatOf(long start, long end) {
        log.SetSel(start, end);
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        log.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        return format;
    }

    void AppendLines(int count, const char* prefix = "line") {
        for (int i = 0; i < count; ++i) log.AppendText((std::string(prefix) + " " + std::to_string(i)).c_str(), 0);
    }

    // The last line of text lies wholly inside the client area.
    void ExpectLastLineInView() {
        const int line = log.GetLineCount() - 2;
        ASSERT_GE(line, 0);
        const int top = LineTop(line);
        const int height = LineTop(line + 1) - top;
        EXPECT_GE(top, 0) << "line " << line;
        EXPECT_LE(top + height, log.GetClientRect().bottom) << "line " << line;
        // Never further than the rule asks: the empty end line at the bottom at most.
        EXPECT_LE(log.GetFirstVisibleLine(), log.GetLineCount() - log.GetVisibleLineCount());
    }

    int LineTop(int line) {
        POINTL point{};
        log.SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), log.SendMessage(EM_LINEINDEX, line));
        return static_cast<int>(point.y);
    }

    BarsParent parent;
    ExecutionLog log;
};

TEST_F(ExecutionLogTest, TakesThePlaceAndIdOfThePlaceholder) {
    EXPECT_EQ(parent.GetDlgItem(kPlaceholder), nullptr);
    EXPECT_EQ(parent.GetDlgItem(kLogId), log.m_hWnd);
    const RECT rect = log.GetRectInParent();
    EXPECT_EQ(rect.left, kPlace.left);
    EXPECT_EQ(rect.top, kPlace.top);
    EXPECT_EQ(rect.right, kPlace.right);
    EXPECT_EQ(rect.bottom, kPlace.bottom);
}

TEST_F(ExecutionLogTest, IsAReadOnlyMultiLineViewWithOnlyAVerticalScrollBarAndAClientEdge) {
    const DWORD style = log.GetStyle();
    EXPECT_EQ(style & 0x200884u, 0x200884u);
    EXPECT_TRUE(style & ES_DISABLENOSCROLL);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_FALSE(style & WS_BORDER);
    EXPECT_TRUE(log.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_NE(log.SendMessage(EM_GETOPTIONS) & ECO_READONLY, 0);
}

TEST_F(ExecutionLogTest, UsesTheGivenFaceAtTheGivenPointSize) {
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    log.SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, kFace);
    EXPECT_EQ(format.yHeight, 9 * 20);  // twips
}

TEST(ExecutionLogCreation, FailsWithoutPlaceholderAndMakesNoWindow) {
    BarsParent parent;
    ExecutionLog log;
    EXPECT_FALSE(log.CreateInPlace(kPlaceholder, kLogId, &parent, kFace, 9));
    EXPECT_EQ(log.m_hWnd, nullptr);
    EXPECT_EQ(parent.GetDlgItem(kLogId), nullptr);
    log.AppendText("nothing to write into", 0);  // a missing view is skipped
}

TEST_F(ExecutionLogTest, EveryTextBecomesOneLineEndedByCrLf) {
    log.AppendText("abc", RGB(0, 0, 255));
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_EQ(log.GetLineCount(), 2);  // the text and the empty line after it

    log.AppendText("\r\n", 0);
    EXPECT_EQ(Text(), "abc\r\n\r\n");
    EXPECT_EQ(log.GetLineCount(), 3);

    log.AppendText("処理  数 : 3 件 (C:\\表)\r\n", RGB(0, 128, 0));
    log.AppendText("\r\n※ 処理は中止されました。\r\n", RGB(255, 0, 255));
    EXPECT_EQ(Text(), "abc\r\n\r\n処理  数 : 3 件 (C:\\表)\r\n\r\n\r\n※ 処理は中止されました。\r\n\r\n");
}

TEST_F(ExecutionLogTest, EachLineKeepsItsOwnColourAndNoAutomaticColour) {
    log.AppendText("abc", RGB(255, 0, 0));
    log.AppendText("処理開始", RGB(0, 0, 255));
    log.AppendText("def", RGB(128, 128, 0));
    // Positions count characters, and a line end is one CR inside the control.
    struct Run {
        long Start, End;
        COLORREF Colour;
    };
    for (const Run& run : {Run{0, 4, RGB(255, 0, 0)}, Run{4, 9, RGB(0, 0, 255)}, Run{9, 13, RGB(128, 128, 0)}}) {
        const CHARFORMATA format = FormatOf(run.Start, run.End);
        EXPECT_TRUE(format.dwMask & CFM_COLOR) << run.Start;
        EXPECT_EQ(format.crTextColor, run.Colour) << run.Start;
        EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR) << run.Start;
    }
    EXPECT_FALSE(FormatOf(2, 6).dwMask & CFM_COLOR);  // two colours in one selection
}

TEST_F(ExecutionLogTest, TheColourChangesNothingButTheColour) {
    log.AppendText("abc", RGB(0, 0, 128));
    const CHARFORMATA format = FormatOf(0, 3);
    EXPECT_STREQ(format.szFaceName, kFace);
    EXPECT_FALSE(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE));
}

TEST_F(ExecutionLogTest, AnEmptyTextClearsTheViewAndTheNextLineStartsAtTheTop) {
    AppendLines(200);
    ASSERT_GT(log.GetFirstVisibleLine(), 0);

    log.AppendText("", RGB(255, 0, 0));
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(log.GetLineCount(), 1);

    log.AppendText("x", RGB(0, 128, 0));
    EXPECT_EQ(Text(), "x\r\n");
    EXPECT_EQ(log.GetFirstVisibleLine(), 0);
    EXPECT_EQ(FormatOf(0, 1).crTextColor, RGB(0, 128, 0));
}

TEST_F(ExecutionLogTest, ClearingResetsTheTextLimitToThePlatformDefault) {
    CRichEditCtrl reference;
    ASSERT_TRUE(reference.Create(WS_CHILD, RECT{0, 0, 10, 10}, &parent, 1));
    reference.LimitText(0);

    log.LimitText(10);
    AppendLines(50);
    ASSERT_NE(log.GetLimitText(), reference.GetLimitText());
    log.AppendText("", 0);
    EXPECT_EQ(log.GetLimitText(), reference.GetLimitText());
}

TEST(ExecutionLogLimit, GrowsByThirtyPercentAndAtLeastByOne) {
    EXPECT_EQ(ExecutionLog::NextLimit(100), 130);
    EXPECT_EQ(ExecutionLog::NextLimit(32767), 32767 + 9830);
    EXPECT_EQ(ExecutionLog::NextLimit(3), 4);  // 3 x 30 / 100 is 0
    EXPECT_EQ(ExecutionLog::NextLimit(0), 1);
}

TEST(ExecutionLogLimit, NeverOverflowsPastTheLargestLimit) {
    EXPECT_EQ(ExecutionLog::NextLimit(100000000), 130000000);  // 100000000 x 30 exceeds 32 bits
    EXPECT_EQ(ExecutionLog::NextLimit(2000000000), LONG_MAX);
    EXPECT_EQ(ExecutionLog::NextLimit(LONG_MAX), LONG_MAX);
}

TEST_F(ExecutionLogTest, ALineThatWouldReachTheLimitRaisesItFirst) {
    log.LimitText(100);
    log.AppendText(std::string(97, 'x').c_str(), 0);  // 97 + CR LF stays below 100
    EXPECT_EQ(log.GetLimitText(), 100);
    log.AppendText("", 0);

    log.LimitText(100);
    const std::string exact(98, 'y');  // 98 + CR LF is exactly the limit
    log.AppendText(exact.c_str(), 0);
    EXPECT_EQ(log.GetLimitText(), 130);
    EXPECT_EQ(Text(), exact + "\r\n");
}

TEST_F(ExecutionLogTest, ATinyLimitGrowsInsteadOfRefusingText) {
    log.LimitText(3);
    log.AppendText("abcdefgh", 0);
    EXPECT_EQ(Text(), "abcdefgh\r\n");
    EXPECT_EQ(log.GetLimitText(), 11);  // 3, 4, 5, 6, 7, 9, 11
}

TEST_F(ExecutionLogTest, AFewHundredLinesAreAllKeptUnderASmallStartingLimit) {
    log.LimitText(64);
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        const std::string line = "    done : -a--- 2024/01/02 03:04:05         10 ファイル" + std::to_string(i) + ".txt";
        log.AppendText(line.c_str(), RGB(0, 0, 128));
        expected += line + "\r\n";
    }
    EXPECT_EQ(Text(), expected);
    EXPECT_EQ(log.GetLineCount(), 301);
    ExpectLastLineInView();
}

TEST_F(ExecutionLogTest, AppendingKeepsTheLastLineInView) {
    AppendLines(log.GetVisibleLineCount() + 5);
    ExpectLastLineInView();
    for (int i = 0; i < 3; ++i) {
        const int first = log.GetFirstVisibleLine();
        log.AppendText("more", 0);
        EXPECT_EQ(log.GetFirstVisibleLine(), first + 1);
        ExpectLastLineInView();
    }
}

TEST_F(ExecutionLogTest, AfterTheUserScrolledUpAnAppendScrollsBackToTheEnd) {
    AppendLines(100);
    log.LineScroll(-30);
    ASSERT_GT(log.GetLineCount() - log.GetFirstVisibleLine(), log.GetVisibleLineCount() + 20);
    log.AppendText("new", 0);
    ExpectLastLineInView();
}

TEST_F(ExecutionLogTest, WhileTheEndIsInViewNothingScrolls) {
    const int visible = log.GetVisibleLineCount();
    ASSERT_GT(visible, 3);
    for (int i = 0; i < visible - 1; ++i) {
        log.AppendText("short", 0);
        EXPECT_EQ(log.GetFirstVisibleLine(), 0);
    }
}

TEST(ExecutionLogOnScreen, TheLastLineOfABurstIsDrawn) {
    BarsParent parent;
    parent.AddPlaceholder(kPlaceholder, kPlace);
    ExecutionLog log;
    ASSERT_TRUE(log.CreateInPlace(kPlaceholder, kLogId, &parent, kFace, 9));
    parent.Show();
    // Lines come much faster than the view may be repainted; each pump between them as a run does.
    for (int i = 0; i < 200; ++i) {
        log.AppendText(("line " + std::to_string(i)).c_str(), 0);
        BarsParent::PumpPending();
    }
    log.AppendText("■■■■■■■■■■■■■■■■", RGB(255, 0, 0));
    BarsParent::PumpFor(4 * PaintThrottle::kInterval);

    const RECT client = log.GetClientRect();
    POINTL point{};
    log.SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), log.SendMessage(EM_LINEINDEX, log.GetLineCount() - 2));
    const RECT lastLine{0, point.y, client.right, std::min<LONG>(point.y + 14, client.bottom)};
    EXPECT_GT(BarsParent::CountPixels(log.m_hWnd, lastLine, RGB(255, 0, 0)), 50);
}

TEST_F(ExecutionLogTest, LongLinesAreNotWrapped) {
    const std::string longLine(400, 'w');
    log.AppendText(longLine.c_str(), 0);
    log.AppendText("処理対象 : C:\\一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十 (*.*)", 0);
    EXPECT_EQ(log.GetLineCount(), 3);
}

TEST_F(ExecutionLogTest, CountsWholeLinesOfItsFontInTheClientArea) {
    HDC dc = ::GetDC(log.m_hWnd);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, kFace, dc));
    const HGDIOBJ previous = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, "Aj", 2, &extent);
    ::SelectObject(dc, previous);
    ::ReleaseDC(log.m_hWnd, dc);
    ASSERT_GT(extent.cy, 0);

    const RECT window = log.GetWindowRect();
    const RECT client = log.GetClientRect();
    const int frame = (window.bottom - window.top) - client.bottom;
    for (const int clientHeight : {10 * extent.cy, 10 * extent.cy + extent.cy - 1, extent.cy - 1}) {
        log.SetWindowPos(nullptr, 0, 0, window.right - window.left, clientHeight + frame, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(log.GetVisibleLineCount(), clientHeight / extent.cy) << clientHeight;
    }
}

}  // namespace
