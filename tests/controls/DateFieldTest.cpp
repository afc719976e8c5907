// The date field in a dialog: replacing its placeholder, opening and closing the calendar
// by the mouse and the keyboard, taking and restoring dates, checking typed text.
#include "ControlsTestSupport.h"
#include "FieldDialog.h"
#include "controls/DateCmbBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class DateFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_placeholder = AddPlaceholder(kDatePlaceholder);
        ASSERT_TRUE(m_field.Create(kDatePlaceholder, kDateField, &m_dialog, nullptr, 9));
        PumpMessages();
    }
    void TearDown() override {
        m_field.DestroyWindow();
        PumpMessages();
    }

    CCalendarCtrl& Calendar() { return *m_field.GetCalendar(); }
    bool IsOpen() const { return m_field.IsDroppedDown(); }
    std::string FieldText() const { return m_field.GetText().Str(); }

    void Open(const char* date) {
        m_field.SetDateValue(date);
        ClickAt(CentreOf(m_field.GetArrowRect()));
        ASSERT_TRUE(IsOpen());
    }

    // The screen point of a day of the shown month.
    POINT DayPoint(int day) {
        const int* table = Calendar().GetDayTable();
        const SIZE cell = Calendar().GetCellSize();
        for (int index = 0; index < calendar::kCells; ++index) {
            if (table[index] != day) continue;
            const POINT client{(index % 7) * cell.cx + cell.cx / 2, (3 + index / 7) * cell.cy + cell.cy / 2};
            return ScreenPoint(Calendar().m_hWnd, client);
        }
        ADD_FAILURE() << "no day " << day;
        return {};
    }

    POINT OutsidePoint() { return CentreOf(RectOf(kOtherEdit)); }

    RECT RectOf(int id) {
        RECT rect{};
        ::GetWindowRect(m_dialog.GetDlgItem(id), &rect);
        return rect;
    }

    void PressTab() {
        MSG msg{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        ::IsDialogMessageA(m_dialog.m_hWnd, &msg);
        PumpMessages();
    }

    CDialog& m_dialog = FieldDialog();
    CDateCmbBox m_field;
    RECT m_placeholder{};
};

}  // namespace

TEST_F(DateFieldTest, TheFieldTakesThePlaceholdersPlaceGrownByOnePixel) {
    EXPECT_EQ(m_dialog.GetDlgItem(kDatePlaceholder), nullptr);
    EXPECT_EQ(m_dialog.GetDlgItem(kDateField), m_field.m_hWnd);
    const RECT field = RectInDialog(m_dialog.m_hWnd, kDateField);
    EXPECT_EQ(field.left, m_placeholder.left - 1);
    EXPECT_EQ(field.top, m_placeholder.top - 1);
    EXPECT_EQ(field.right, m_placeholder.right + 1);
    EXPECT_EQ(field.bottom, m_placeholder.bottom + 1);
    EXPECT_EQ(m_field.GetStyle() & 0x52810000u, 0x52810000u);
    EXPECT_NE(m_field.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
}

TEST_F(DateFieldTest, EditAndArrowFillTheFieldWithACopyOfTheDialogFont) {
    const RECT client = m_field.GetClientRect();
    const RECT arrow = m_field.GetArrow().GetRectInParent();
    const RECT edit = m_field.GetEdit().GetRectInParent();
    EXPECT_EQ(arrow.right, client.right);
    EXPECT_EQ(arrow.top, 0);
    EXPECT_EQ(arrow.bottom, client.bottom);
    EXPECT_EQ(edit.left, 1);
    EXPECT_EQ(edit.top, 1);
    EXPECT_EQ(edit.right, arrow.left);
    EXPECT_EQ(m_field.GetEdit().GetDlgCtrlID(), 9999);
    EXPECT_EQ(m_field.GetArrow().GetDlgCtrlID(), 9998);

    LOGFONTA dialogFont{};
    LOGFONTA fieldFont{};
    ::GetObjectA(m_dialog.GetFont(), sizeof dialogFont, &dialogFont);
    ::GetObjectA(m_field.GetEdit().GetFont(), sizeof fieldFont, &fieldFont);
    EXPECT_NE(m_dialog.GetFont(), m_field.GetEdit().GetFont());
    EXPECT_STREQ(fieldFont.lfFaceName, dialogFont.lfFaceName);
    EXPECT_EQ(fieldFont.lfHeight, dialogFont.lfHeight);
}

TEST_F(DateFieldTest, TheArrowOpensTheCalendarUnderTheFieldWithoutTakingTheActivation) {
    Open("2024/05/01");
    const RECT field = m_field.GetWindowRect();
    const RECT popup = Calendar().GetWindowRect();
    EXPECT_EQ(popup.right, field.right - 2);
    EXPECT_EQ(popup.top, field.bottom - 1);
    EXPECT_EQ(::GetCapture(), m_field.m_hWnd);
    EXPECT_EQ(::GetFocus(), m_field.GetEdit().m_hWnd);
    EXPECT_EQ(::GetActiveWindow(), m_dialog.m_hWnd);
    EXPECT_NE(Calendar().GetStyle() & WS_POPUP, 0u);
    EXPECT_EQ(Calendar().GetDateText(), "2024/05/01");
    EXPECT_FALSE(m_field.GetArrow().IsPressed());
}

TEST_F(DateFieldTest, ADayClickTakesTheDateAndCloses) {
    Open("2024/5/1");
    ClickAt(DayPoint(15));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/15");
    EXPECT_EQ(m_field.GetValueText(), "2024/05/15");
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DateFieldTest, DraggingOverTheDaysMovesTheFieldAlong) {
    Open("2024/05/01");
    MouseAt(WM_LBUTTONDOWN, DayPoint(8), MK_LBUTTON);
    MouseAt(WM_MOUSEMOVE, DayPoint(9), MK_LBUTTON);
    EXPECT_EQ(FieldText(), "2024/05/09");
    MouseAt(WM_MOUSEMOVE, DayPoint(17), MK_LBUTTON);
    EXPECT_EQ(FieldText(), "2024/05/17");
    EXPECT_TRUE(IsOpen());
    MouseAt(WM_LBUTTONUP, DayPoint(16));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/16");
}

TEST_F(DateFieldTest, AClickOutsideCancelsAndRestoresTheDateFromTheOpening) {
    Open("2024/05/01");
    MouseAt(WM_LBUTTONDOWN, DayPoint(8), MK_LBUTTON);
    MouseAt(WM_MOUSEMOVE, DayPoint(20), MK_LBUTTON);
    ASSERT_EQ(FieldText(), "2024/05/20");
    // The release happens outside: no day is taken.
    MouseAt(WM_LBUTTONUP, OutsidePoint());
    ClickAt(OutsidePoint());
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01");
    EXPECT_EQ(::GetCapture(), nullptr);
    // The click went to the field, not to the control under it.
    EXPECT_NE(::GetFocus(), m_dialog.GetDlgItem(kOtherEdit));
}

TEST_F(DateFieldTest, ARightClickOnTheCalendarCancels) {
    Open("2024/05/01");
    RightClickAt(DayPoint(10));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01");
}

TEST_F(DateFieldTest, TheArrowWhileOpenClosesWithoutReopening) {
    Open("2024/05/01");
    ClickAt(CentreOf(m_field.GetArrowRect()));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01");
    ClickAt(CentreOf(m_field.GetArrowRect()));
    EXPECT_TRUE(IsOpen());
}

TEST_F(DateFieldTest, TabbingAwayCancelsAndRestores) {
    Open("2024/05/01");
    MouseAt(WM_LBUTTONDOWN, DayPoint(8), MK_LBUTTON);
    MouseAt(WM_MOUSEMOVE, DayPoint(22), MK_LBUTTON);
    ASSERT_EQ(FieldText(), "2024/05/22");
    PressTab();
    EXPECT_NE(::GetFocus(), m_field.GetEdit().m_hWnd);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01");
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DateFieldTest, DisablingWhileOpenClosesAndGreysTheField) {
    Open("2024/05/01");
    m_field.EnableWindow(FALSE);
    PumpMessages();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Calendar().m_hWnd, nullptr);
    EXPECT_FALSE(m_field.GetEdit().IsWindowEnabled());
    EXPECT_FALSE(m_field.GetArrow().IsWindowEnabled());
    EXPECT_EQ(::GetCapture(), nullptr);

    m_field.EnableWindow(TRUE);
    PumpMessages();
    EXPECT_TRUE(m_field.GetArrow().IsWindowEnabled());
    ClickAt(CentreOf(m_field.GetArrowRect()));
    EXPECT_TRUE(IsOpen());
}

TEST_F(DateFieldTest, TheCalendarArrowsStepTheMonthAndTheFieldFollows) {
    Open("2024/01/31");
    const POINT next = CentreOf(Calendar().GetNextArrow().GetWindowRect());
    ClickAt(next);
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/02/29");
    EXPECT_EQ(::GetCapture(), m_field.m_hWnd);
    ClickAt(CentreOf(Calendar().GetPreviousArrow().GetWindowRect()));
    ClickAt(CentreOf(Calendar().GetPreviousArrow().GetWindowRect()));
    EXPECT_EQ(FieldText(), "2023/12/29");
    ClickAt(DayPoint(24));
    EXPECT_EQ(FieldText(), "2023/12/24");
}

TEST_F(DateFieldTest, MenuChoicesArriveAsCommands) {
    Open("2023/01/31");
    Calendar().SendMessage(WM_COMMAND, ID_CAL_MONTH_BASE + 2);
    PumpMessages();
    EXPECT_EQ(FieldText(), "2023/02/28");
    Calendar().SendMessage(WM_COMMAND, ID_CAL_MONTH_BASE + 2038);
    PumpMessages();
    EXPECT_EQ(FieldText(), "2038/01/19");
    EXPECT_TRUE(IsOpen());
}

TEST_F(DateFieldTest, TheLastDaysOfJanuary2038CannotBePicked) {
    Open("2038/01/10");
    ClickAt(DayPoint(25));
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(FieldText(), "2038/01/10");
    ClickAt(DayPoint(19));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2038/01/19");
}

TEST_F(DateFieldTest, AnEmptyFieldOpensOnTodayAndStaysEmptyOnCancel) {
    FixedClock clock(2024, 5, 20, 15, 0, 0);
    Open("");
    EXPECT_EQ(Calendar().GetDateText(), "2024/05/20");
    EXPECT_EQ(FieldText(), "");
    const RECT frame = Calendar().GetFocusRect();
    const SIZE cell = Calendar().GetCellSize();
    EXPECT_EQ(frame.left, 1 * cell.cx + 2);  // Monday
    EXPECT_EQ(frame.top, 6 * cell.cy + 1);   // fourth week
    RightClickAt(DayPoint(3));
    EXPECT_EQ(FieldText(), "");
}

TEST_F(DateFieldTest, TheTodayBandTakesToday) {
    FixedClock clock(2024, 5, 20, 15, 0, 0);
    Open("2023/01/01");
    const RECT today = Calendar().GetTodayRect();
    ClickAt(ScreenPoint(Calendar().m_hWnd, CentreOf(today)));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/20");
}

namespace {

bool IsNear(COLORREF color, COLORREF wanted) {
    return std::abs(GetRValue(color) - GetRValue(wanted)) <= 48 && std::abs(GetGValue(color) - GetGValue(wanted)) <= 48 &&
           std::abs(GetBValue(color) - GetBValue(wanted)) <= 48;
}

}  // namespace

TEST_F(DateFieldTest, HolidaysWeekendsAndEmptyCellsArePaintedInTheirColours) {
    Open("2024/05/01");
    const RECT client = Calendar().GetClientRect();
    HDC window = ::GetDC(Calendar().m_hWnd);
    HDC memory = ::CreateCompatibleDC(window);
    HBITMAP bitmap = ::CreateCompatibleBitmap(window, client.right, client.bottom);
    ::ReleaseDC(Calendar().m_hWnd, window);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    Calendar().PaintCalendar(memory);

    const SIZE cell = Calendar().GetCellSize();
    auto cellHas = [&](int index, COLORREF wanted) {
        const int left = (index % 7) * cell.cx + 3;
        const int top = (3 + index / 7) * cell.cy + 2;
        for (int y = top; y < top + cell.cy - 2; ++y) {
            for (int x = left; x < left + cell.cx - 3; ++x) {
                if (IsNear(::GetPixel(memory, x, y), wanted)) return true;
            }
        }
        return false;
    };
    using namespace calendar_colors;
    for (int day : {3, 4, 5, 6}) EXPECT_TRUE(cellHas(day + 2, kHoliday)) << day;
    EXPECT_FALSE(cellHas(7 + 2, kHoliday));
    EXPECT_TRUE(cellHas(7 + 2, kWeekday));
    EXPECT_TRUE(cellHas(12 + 2, kSunday));
    EXPECT_TRUE(cellHas(11 + 2, kSaturday));
    EXPECT_TRUE(cellHas(0, kSundayDim));
    EXPECT_TRUE(cellHas(41, kSaturdayDim));
    EXPECT_TRUE(cellHas(38, kWeekdayDim));

    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

TEST_F(DateFieldTest, TypedDatesAreNormalisedWhenLeavingTheField) {
    BeepRecorder beeps;
    m_field.GetEdit().SetFocus();
    m_field.SetText("2024/2/30");
    ::SetFocus(m_dialog.GetDlgItem(kOtherEdit));
    PumpMessages();
    EXPECT_EQ(FieldText(), "2024/02/29");
    EXPECT_TRUE(beeps.Beeps().empty());
    EXPECT_EQ(::GetFocus(), m_dialog.GetDlgItem(kOtherEdit));
}

TEST_F(DateFieldTest, ADateOutsideTheClockRangeBeepsAndKeepsTheFocus) {
    BeepRecorder beeps;
    m_field.GetEdit().SetFocus();
    m_field.SetText("1960/1/1");
    ::SetFocus(m_dialog.GetDlgItem(kOtherEdit));
    PumpMessages();
    EXPECT_EQ(FieldText(), "1970/01/01");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(::GetFocus(), m_field.GetEdit().m_hWnd);
    EXPECT_EQ(m_field.GetEdit().GetSel(), static_cast<DWORD>(MAKELONG(0, 10)));
}

TEST_F(DateFieldTest, AnEmptyFieldStaysEmpty) {
    BeepRecorder beeps;
    m_field.SetDateValue("2024/5/1");
    EXPECT_EQ(FieldText(), "2024/05/01");
    m_field.GetEdit().SetFocus();
    m_field.SetText("");
    ::SetFocus(m_dialog.GetDlgItem(kOtherEdit));
    PumpMessages();
    EXPECT_EQ(m_field.GetValueText(), "");
    m_field.SetDateValue("");
    EXPECT_EQ(FieldText(), "");
    EXPECT_TRUE(beeps.Beeps().empty());
}

TEST_F(DateFieldTest, TheValueIsReadAsNormalisedTextEvenBeforeLeaving) {
    m_field.SetText("24/5/1");
    EXPECT_EQ(m_field.GetValueText(), "2024/05/01");
    EXPECT_EQ(FieldText(), "24/5/1");  // reading leaves the text as typed
}
