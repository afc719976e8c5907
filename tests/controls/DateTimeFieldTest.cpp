// The time-stamp field in a dialog: calendar and clock panes that the field follows at once,
// "OK", "ｷｬﾝｾﾙ", the current-time band and the typed text.
#include "ControlsTestSupport.h"
#include "FieldDialog.h"
#include "controls/DateTimeCmbBox.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DateTimeFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_placeholder = AddPlaceholder(kStampPlaceholder);
        ASSERT_TRUE(m_field.Create(kStampPlaceholder, kStampField, &m_dialog, nullptr, 9));
        PumpMessages();
    }
    void TearDown() override {
        m_field.DestroyWindow();
        PumpMessages();
    }

    CDateTimeCtrl& Control() { return *m_field.GetDateTimeCtrl(); }
    CDateTimeCtrlCalendar& CalendarPane() { return Control().GetCalendarPane(); }
    CDateTimeCtrlClock& ClockPane() { return Control().GetClockPane(); }
    bool IsOpen() const { return m_field.IsDroppedDown(); }
    std::string FieldText() const { return m_field.GetText().Str(); }

    void Open(const char* value) {
        m_field.SetDateValue(value);
        ClickAt(CentreOf(m_field.GetArrowRect()));
        ASSERT_TRUE(IsOpen());
    }

    POINT DayPoint(int day) {
        const int* table = CalendarPane().GetDayTable();
        const SIZE cell = CalendarPane().GetCellSize();
        for (int index = 0; index < calendar::kCells; ++index) {
            if (table[index] != day) continue;
            const POINT client{(index % 7) * cell.cx + cell.cx / 2, (3 + index / 7) * cell.cy + cell.cy / 2};
            return ScreenPoint(CalendarPane().m_hWnd, client);
        }
        ADD_FAILURE() << "no day " << day;
        return {};
    }

    POINT SpinPoint(const RECT& spin, int direction) {
        return ScreenPoint(ClockPane().m_hWnd,
                           {(spin.left + spin.right) / 2, direction > 0 ? spin.top + 3 : spin.bottom - 3});
    }

    POINT HourMark(int hour) {
        const RECT ring = clock_face::Shrunk(ClockPane().GetLayout().Face, 10);
        return ScreenPoint(ClockPane().m_hWnd, clock_face::PointOnCircle(ring, hour * 30, true));
    }

    CDialog& m_dialog = FieldDialog();
    CDateTimeCmbBox m_field;
    RECT m_placeholder{};
};

}  // namespace

TEST_F(DateTimeFieldTest, OpeningShowsTheValueInBothPanes) {
    Open("2024/05/01 10:30:00");
    EXPECT_EQ(CalendarPane().GetDateText(), "2024/05/01");
    EXPECT_EQ(ClockPane().GetTimeText(), "10:30:00");
    const SIZE cell = CalendarPane().GetCellSize();
    EXPECT_EQ(CalendarPane().GetFocusRect().left, 3 * cell.cx + 2);  // Wednesday the 1st
    EXPECT_EQ(::GetCapture(), m_field.m_hWnd);
}

TEST_F(DateTimeFieldTest, PanesSitSideBySideOverTheButtonBand) {
    Open("2024/05/01 10:30:00");
    const RECT calendar = CalendarPane().GetRectInParent();
    const RECT clock = ClockPane().GetRectInParent();
    const RECT ok = Control().GetOkButton().GetRectInParent();
    const RECT cancel = Control().GetCancelButton().GetRectInParent();
    const RECT client = Control().GetClientRect();
    EXPECT_EQ(calendar.left, 0);
    EXPECT_EQ(clock.left, calendar.right + 1);
    EXPECT_EQ(clock.right, client.right);
    EXPECT_EQ(calendar.bottom, clock.bottom);
    EXPECT_EQ(ok.top, clock.bottom + 1);
    EXPECT_EQ(cancel.right, client.right);
    EXPECT_EQ(cancel.bottom, client.bottom);
    EXPECT_EQ(ok.right - ok.left, cancel.right - cancel.left);
    EXPECT_LT(ok.right, cancel.left);
    const RECT field = m_field.GetWindowRect();
    EXPECT_EQ(Control().GetWindowRect().right, field.right - 2);
}

TEST_F(DateTimeFieldTest, EveryChangeInAPaneReachesTheFieldAtOnce) {
    Open("2024/05/01 10:30:00");
    ClickAt(DayPoint(15));
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/15 10:30:00");
    ClickAt(SpinPoint(ClockPane().GetLayout().MinuteSpin, 1));
    EXPECT_EQ(FieldText(), "2024/05/15 10:31:00");
    EXPECT_EQ(::GetCapture(), m_field.m_hWnd);
    ClickAt(HourMark(10));
    EXPECT_EQ(FieldText(), "2024/05/15 22:31:00");
    ClickAt(CentreOf(CalendarPane().GetNextArrow().GetWindowRect()));
    EXPECT_EQ(FieldText(), "2024/06/15 22:31:00");
    EXPECT_TRUE(IsOpen());
}

TEST_F(DateTimeFieldTest, TheSecondSpinCarriesThroughMidnight) {
    Open("2024/05/01 23:59:59");
    ClickAt(SpinPoint(ClockPane().GetLayout().SecondSpin, 1));
    EXPECT_EQ(ClockPane().GetTimeText(), "00:00:00");
    // The clock's carry stops at the hours; the date stays.
    EXPECT_EQ(FieldText(), "2024/05/01 00:00:00");
    ClickAt(SpinPoint(ClockPane().GetLayout().SecondSpin, -1));
    EXPECT_EQ(FieldText(), "2024/05/01 23:59:59");
}

TEST_F(DateTimeFieldTest, CancelRestoresTheValueFromTheOpening) {
    Open("2024/05/01 10:30:00");
    ClickAt(DayPoint(15));
    ASSERT_EQ(FieldText(), "2024/05/15 10:30:00");
    ClickAt(CentreOf(Control().GetCancelButton().GetWindowRect()));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01 10:30:00");
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DateTimeFieldTest, ARightClickAnywhereCancels) {
    Open("2024/05/01 10:30:00");
    ClickAt(DayPoint(20));
    RightClickAt(CentreOf(ClockPane().GetWindowRect()));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01 10:30:00");
}

TEST_F(DateTimeFieldTest, OkKeepsTheShownValue) {
    Open("2024/05/01 10:30:00");
    ClickAt(DayPoint(9));
    ClickAt(CentreOf(Control().GetOkButton().GetWindowRect()));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/09 10:30:00");
    EXPECT_EQ(m_field.GetValueText(), "2024/05/09 10:30:00");
}

TEST_F(DateTimeFieldTest, TheLabelBandTakesTheCurrentDateAndTime) {
    FixedClock clock(2025, 3, 4, 5, 6, 7);
    Open("2024/05/01 10:30:00");
    ClickAt(ScreenPoint(Control().m_hWnd, CentreOf(Control().GetLabelRect())));
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(FieldText(), "2025/03/04 05:06:07");
    EXPECT_EQ(CalendarPane().GetDateText(), "2025/03/04");
    EXPECT_EQ(ClockPane().GetTimeText(), "05:06:07");
}

TEST_F(DateTimeFieldTest, DraggingOutOfAPaneChangesNothing) {
    FixedClock clock(2025, 3, 4, 5, 6, 7);
    Open("2024/05/01 10:30:00");
    MouseAt(WM_LBUTTONDOWN, DayPoint(10), MK_LBUTTON);
    const RECT field = m_field.GetWindowRect();
    MouseAt(WM_LBUTTONUP, {field.left - 40, field.top - 40});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01 10:30:00");
}

TEST_F(DateTimeFieldTest, AnEmptyFieldOpensOnNowAndFillsOnTheFirstChange) {
    FixedClock clock(2025, 3, 4, 5, 6, 7);
    Open("");
    EXPECT_EQ(FieldText(), "");
    EXPECT_EQ(CalendarPane().GetDateText(), "2025/03/04");
    EXPECT_EQ(ClockPane().GetTimeText(), "05:06:07");
    ClickAt(DayPoint(12));
    EXPECT_EQ(FieldText(), "2025/03/12 05:06:07");
    ClickAt(CentreOf(Control().GetCancelButton().GetWindowRect()));
    EXPECT_EQ(FieldText(), "");
}

TEST_F(DateTimeFieldTest, TabbingAwayCancels) {
    Open("2024/05/01 10:30:00");
    ClickAt(DayPoint(3));
    MSG msg{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    ::IsDialogMessageA(m_dialog.m_hWnd, &msg);
    PumpMessages();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "2024/05/01 10:30:00");
}

TEST_F(DateTimeFieldTest, TypedTimeStampsAreNormalised) {
    BeepRecorder beeps;
    m_field.GetEdit().SetFocus();
    m_field.SetText("2024/2/30 10:00:00");
    ::SetFocus(m_dialog.GetDlgItem(kOtherEdit));
    PumpMessages();
    EXPECT_EQ(FieldText(), "2024/02/29 10:00:00");
    EXPECT_TRUE(beeps.Beeps().empty());

    m_field.GetEdit().SetFocus();
    m_field.SetText("1960/1/1 10:00:00");
    ::SetFocus(m_dialog.GetDlgItem(kOtherEdit));
    PumpMessages();
    EXPECT_EQ(FieldText(), "1970/01/01 10:00:00");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(::GetFocus(), m_field.GetEdit().m_hWnd);
}
