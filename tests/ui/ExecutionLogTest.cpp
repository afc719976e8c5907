// The log view as the main dialog creates it: a real window driven by real messages, its
// pixels read back from what it paints.
#include "ui/ExecutionLog.h"

#include "BarsParent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kFace = "ＭＳ ゴシック";
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128);

struct Key {
    WPARAM Code;
    std::vector<int> Held;  // modifiers
};

class ExecutionLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 10, 60, 400, 120, parent.m_hWnd, reinterpret_cast<HMENU>(1021),
                          nullptr, nullptr);
        log.StyleBits |= ExecutionLog::kKeepVerticalBar;
        ASSERT_TRUE(log.CreateInPlace(1021, 108, &parent, kFace, 9));
        HDC dc = ::GetDC(log.m_hWnd);
        const HGDIOBJ previous = ::SelectObject(dc, log.GetFont());
        SIZE cell{};  // its height is the font's
        ::GetTextExtentPoint32A(dc, "a", 1, &cell);
        ::SelectObject(dc, previous);
        ::ReleaseDC(log.m_hWnd, dc);
        lineHeight = static_cast<int>(cell.cy);
        cellWidth = static_cast<int>(cell.cx);
    }

    std::string Text() const { return WindowTextOf(log.m_hWnd).Str(); }
    int First() const { return log.GetFirstVisibleLine(); }
    int LastFirst() const { return log.GetLineCount() - log.GetVisibleLineCount(); }
    void AppendLines(int count) {
        for (int i = 0; i < count; ++i) log.AppendText(("line " + std::to_string(i)).c_str(), 0);
    }

    // For each of the top rows: the colour most of its pixels have besides the background (the
    // background when there is none), as the view paints itself.
    std::vector<COLORREF> RowColours(int rows) {
        const RECT client = log.GetClientRect();
        HDC screen = ::GetDC(log.m_hWnd);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
        ::ReleaseDC(log.m_hWnd, screen);
        const HGDIOBJ previous = ::SelectObject(memory, bitmap);
        log.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        const COLORREF background = ::GetSysColor(COLOR_WINDOW);
        std::vector<COLORREF> colours;
        for (int row = 0; row < rows; ++row) {
            std::map<COLORREF, int> counts{{background, 0}};
            for (int y = row * lineHeight; y < (row + 1) * lineHeight; ++y) {
                for (int x = 0; x < client.right; ++x) counts[::GetPixel(memory, x, y)] += 1;
            }
            counts[background] = 0;
            colours.push_back(std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                                  return a.second < b.second;
                              })->first);
        }
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        return colours;
    }

    // The modifiers in the thread's keyboard state, where the view reads them.
    static void Hold(const std::vector<int>& keys) {
        BYTE state[256]{};
        for (const int key : keys) state[key] = 0x80;
        ::SetKeyboardState(state);
    }
    void Press(const Key& key) {
        Hold(key.Held);
        log.SendMessage(WM_KEYDOWN, key.Code);
        Hold({});
    }
    // The mouse over the middle of a half-width character cell: column 2 is nearest to the
    // boundary after two half-width characters (or one double-byte character).
    void Mouse(UINT message, int column, int row, WPARAM flags = MK_LBUTTON) {
        log.SendMessage(message, flags, MAKELPARAM(column * cellWidth + cellWidth / 2, row * lineHeight + lineHeight / 2));
    }
    SCROLLINFO Bar(int bar) {
        BarsParent::Pump(2 * ExecutionLog::kRefreshInterval);  // the bars follow within an interval
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        ::GetScrollInfo(log.m_hWnd, bar, &info);
        return info;
    }
    static std::string Clipboard() {
        std::string text;
        if (!::OpenClipboard(nullptr)) return "(not open)";
        if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
        return text;
    }

    BarsParent parent;
    ExecutionLog log;
    int lineHeight = 0;
    int cellWidth = 0;
};

// That the view takes its placeholder's place, the main dialog's tests show. A copy never ends
// inside a line end or a character: 亜 is 88 9F, and 9F alone would be a lead byte.
TEST_F(ExecutionLogTest, DrawsEveryLineInItsColourGivesTheTextWithCrLfCutOnlyBetweenCharactersAndNeedsItsPlaceholder) {
    LOGFONTA font{};
    ASSERT_TRUE(::GetObjectA(log.GetFont(), sizeof font, &font));
    EXPECT_STREQ(font.lfFaceName, kFace);
    EXPECT_EQ(log.SendMessage(WM_GETDLGCODE) & (DLGC_WANTARROWS | DLGC_WANTTAB), DLGC_WANTARROWS);

    log.AppendText("abc", kRed);
    log.AppendText("\r\n", kBlue);
    log.AppendText("亜亜 : 3 件 (C:\\表)", kGreen);
    log.AppendText("a\nb\rc\r\n", kNavy);  // each kind of break; a last break ends an empty line
    const std::string whole = "abc\r\n\r\n亜亜 : 3 件 (C:\\表)\r\na\r\nb\r\nc\r\n\r\n";
    EXPECT_EQ(Text(), whole);
    const COLORREF none = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(RowColours(8), (std::vector<COLORREF>{kRed, none, kGreen, kNavy, kNavy, kNavy, none, none}));

    EXPECT_EQ(log.SendMessage(WM_GETTEXTLENGTH), static_cast<LRESULT>(whole.size()));
    const std::pair<size_t, std::string> copies[] = {  // room with the NUL -> what fits
        {1, ""}, {5, "abc"}, {6, "abc\r\n"}, {11, "abc\r\n\r\n亜"}, {whole.size() + 1, whole}};
    for (const auto& [room, expected] : copies) {
        std::string buffer(room, '#');
        EXPECT_EQ(log.SendMessage(WM_GETTEXT, room, reinterpret_cast<LPARAM>(&buffer[0])),
                  static_cast<LRESULT>(expected.size())) << room;
        EXPECT_EQ(std::string(buffer.c_str()), expected) << room;
    }

    ExecutionLog missing;
    EXPECT_FALSE(missing.CreateInPlace(1021, 109, &parent, kFace, 9));
    missing.AppendText("skipped", 0);
}

// Far more than an edit control holds, and more lines than the 16 bits of a scroll message.
TEST_F(ExecutionLogTest, HoldsAndScrollsPastLine65535SidewaysOverWideLinesAndAnEmptyTextClearsIt) {
    std::string expected;
    for (int i = 0; i < 70000; ++i) {
        const std::string line = "    done : -a--- 2024/01/02 03:04:05 " + std::to_string(i);
        log.AppendText(line.c_str(), i % 2 == 0 ? kRed : kNavy);
        expected += line + "\r\n";
    }
    EXPECT_EQ(Text(), expected);
    SCROLLINFO bar = Bar(SB_VERT);
    EXPECT_EQ(bar.nMax, 70000);
    EXPECT_EQ(bar.nPage, static_cast<UINT>(log.GetVisibleLineCount()));
    EXPECT_EQ(bar.nPos, LastFirst());

    log.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(First(), 0);
    // The thumb's position comes from the bar, not from the 16 bits of the message.
    ::SetScrollPos(log.m_hWnd, SB_VERT, 68001, FALSE);
    log.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 68001 & 0xFFFF));
    EXPECT_EQ(First(), 68001);
    EXPECT_EQ(RowColours(2), (std::vector<COLORREF>{kNavy, kRed}));
    log.SendMessage(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(First(), 68001 - log.GetVisibleLineCount());
    Press({VK_END, {VK_CONTROL}});
    EXPECT_EQ(First(), LastFirst());

    log.AppendText("", 0);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Bar(SB_VERT).nMax, 0);
    EXPECT_FALSE(log.GetStyle() & WS_HSCROLL);
    log.AppendText((std::string(100, 'w') + "end").c_str(), kGreen);
    EXPECT_EQ(First(), 0);
    bar = Bar(SB_HORZ);
    EXPECT_TRUE(log.GetStyle() & WS_HSCROLL);
    EXPECT_GE(bar.nMax + 1, 103 * cellWidth);
    log.SendMessage(WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(Bar(SB_HORZ).nPos, bar.nMax + 1 - static_cast<int>(bar.nPage));
}

TEST_F(ExecutionLogTest, FollowsTheEndOnlyWhileTheEndIsInView) {
    const int visible = log.GetVisibleLineCount();
    ASSERT_GT(visible, 3);
    AppendLines(visible - 1);  // with the empty line after them, exactly a view
    EXPECT_EQ(First(), 0);
    AppendLines(100);
    EXPECT_EQ(First(), LastFirst());

    log.SendMessage(WM_VSCROLL, SB_LINEUP);  // the user reads further up
    const int reading = First();
    EXPECT_EQ(reading, LastFirst() - 1);
    AppendLines(5);
    EXPECT_EQ(First(), reading);
    EXPECT_EQ(Bar(SB_VERT).nPos, reading);

    const auto down = static_cast<WORD>(-4 * WHEEL_DELTA);
    log.SendMessage(WM_MOUSEWHEEL, static_cast<WPARAM>(down) << 16);  // back down to the end
    EXPECT_EQ(First(), LastFirst());
    AppendLines(1);
    EXPECT_EQ(First(), LastFirst());

    // Smaller or larger, a view at the end stays there.
    for (const int height : {3 * lineHeight, 200}) {
        log.MoveWindow(RECT{10, 60, 410, 60 + height});
        EXPECT_EQ(First(), LastFirst()) << height;
        AppendLines(1);
        EXPECT_EQ(First(), LastFirst()) << height;
    }
}

TEST_F(ExecutionLogTest, KeysMoveAndExtendTheSelectionAndCopyItAsShiftJisWithCrLf) {
    log.AppendText("abcd", 0);
    log.AppendText("表示 x", 0);
    log.AppendText("end", 0);
    const std::string whole = "abcd\r\n表示 x\r\nend\r\n";
    const Key top{VK_HOME, {VK_CONTROL}};
    const std::pair<std::vector<Key>, std::string> cases[] = {  // keys, then the selection
        {{{'A', {VK_CONTROL}}}, whole},
        {{top, {VK_DOWN, {VK_SHIFT}}}, "abcd\r\n"},
        {{top, {VK_DOWN, {}}, {VK_RIGHT, {VK_SHIFT}}}, "表"},
        {{top, {VK_END, {}}, {VK_DOWN, {VK_SHIFT}}}, "\r\n表示"},  // down keeps the column
        {{top, {VK_RIGHT, {}}, {VK_NEXT, {VK_SHIFT}}}, "bcd\r\n表示 x\r\nend\r\n"},
        {{top, {VK_RIGHT, {VK_SHIFT}}, {VK_RIGHT, {}}}, ""},  // a move without Shift drops it
    };
    for (const auto& [keys, selected] : cases) {
        for (const Key& key : keys) Press(key);
        EXPECT_EQ(log.GetSelectedText(), selected) << selected;
    }

    Press({'A', {VK_CONTROL}});
    Press({'C', {VK_CONTROL}});
    EXPECT_EQ(Clipboard(), whole);
}

TEST_F(ExecutionLogTest, TheMouseSelectsByDragShiftClickAndDoubleClickAndScrollsWhenDraggedOutside) {
    log.AppendText("abcd efgh", 0);
    log.AppendText("表示 x", 0);
    Mouse(WM_LBUTTONDOWN, 1, 0);
    Mouse(WM_MOUSEMOVE, 4, 1);
    Mouse(WM_LBUTTONUP, 4, 1, 0);
    EXPECT_EQ(log.GetSelectedText(), "bcd efgh\r\n表示");
    Mouse(WM_LBUTTONDOWN, 6, 1, MK_LBUTTON | MK_SHIFT);
    Mouse(WM_LBUTTONUP, 6, 1, 0);
    EXPECT_EQ(log.GetSelectedText(), "bcd efgh\r\n表示 x");
    Mouse(WM_LBUTTONDBLCLK, 6, 0);
    EXPECT_EQ(log.GetSelectedText(), "efgh");
    Mouse(WM_LBUTTONUP, 6, 0, 0);
    Mouse(WM_LBUTTONDOWN, 3, 1);  // inside 表示 the nearest boundary of whole characters
    Mouse(WM_MOUSEMOVE, 0, 5);     // below the text: its end
    Mouse(WM_LBUTTONUP, 0, 5, 0);
    EXPECT_EQ(log.GetSelectedText(), " x\r\n");

    AppendLines(200);
    const int end = First();
    ASSERT_GT(end, 10);
    Mouse(WM_LBUTTONDOWN, 0, 0);
    log.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, -20));
    BarsParent::Pump(6 * ExecutionLog::kRefreshInterval);
    Mouse(WM_LBUTTONUP, 0, 0, 0);
    EXPECT_LT(First(), end - 2);
    EXPECT_FALSE(log.GetSelectedText().empty());
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Lines come far faster than the view may be repainted; the last of them is drawn on the
// screen all the same.
TEST_F(ExecutionLogTest, TheLastLineOfABurstIsDrawn) {
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    for (int i = 0; i < 200; ++i) {
        log.AppendText(("○ 処理中... file" + std::to_string(i)).c_str(), 0);
        BarsParent::Pump();
    }
    log.AppendText("■■■■■■■■■■■■■■■■", kRed);
    BarsParent::Pump(4 * ExecutionLog::kRefreshInterval);
    const int top = (log.GetLineCount() - 2 - First()) * lineHeight;
    HDC dc = ::GetDC(log.m_hWnd);  // the screen's pixels, not a fresh painting
    int red = 0;
    for (int y = top; y < top + lineHeight; ++y) {
        for (int x = 0; x < 300; ++x) red += ::GetPixel(dc, x, y) == kRed;
    }
    ::ReleaseDC(log.m_hWnd, dc);
    EXPECT_GT(red, 50);
}

}  // namespace
