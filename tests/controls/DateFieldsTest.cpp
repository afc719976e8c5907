// The date field and the time-stamp field in the main dialog: opening and closing their
// drop-downs by mouse and keyboard, taking and restoring values, checking typed text, the
// holidays the calendar paints.
#include "ControlsTestSupport.h"
#include "controls/DateCmbBox.h"
#include "controls/DateTimeCmbBox.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The screen point of a day of the month that a calendar shows.
POINT DayPoint(CCalendarCtrl& calendar, int day) {
    const SIZE cell = calendar.GetCellSize();
    for (int index = 0; index < calendar::kCells; ++index) {
        if (calendar.GetDayTable()[index] != day) continue;
        return ScreenPoint(calendar.m_hWnd, {(index % 7) * cell.cx + cell.cx / 2, (3 + index / 7) * cell.cy + cell.cy / 2});
    }
    ADD_FAILURE() << "no day " << day;
    return {};
}

POINT CentreOnScreen(const CWnd& window) { return CentreOf(window.GetWindowRect()); }

class DateFieldTest : public FieldTest<CDateCmbBox, IDC_DATE_START_PLACEHOLDER, IDC_DATE_START> {
protected:
    CCalendarCtrl& Calendar() { return *m_field.GetCalendar(); }
    POINT Day(int day) { return DayPoint(Calendar(), day); }
};

class TimeStampFieldTest : public FieldTest<CDateTimeCmbBox, IDC_TIMESTAMP_PLACEHOLDER, IDC_TIMESTAMP> {
protected:
    CDateTimeCtrl& Control() { return *m_field.GetDateTimeCtrl(); }
    CDateTimeCtrlCalendar& CalendarPane() { return Control().GetCalendarPane(); }
    CDateTimeCtrlClock& ClockPane() { return Control().GetClockPane(); }
    POINT Day(int day) { return DayPoint(CalendarPane(), day); }
};

}  // namespace

// Days after the clock's range take no click.
TEST_F(DateFieldTest, TheArrowOpensTheCalendarUnderTheFieldMonthChoicesMoveTheFieldAlongAndADayClickTakesTheDay) {
    Open("2023/01/31");
    EXPECT_EQ(Calendar().GetWindowRect().top, m_field.GetWindowRect().bottom - 1);
    EXPECT_EQ(::GetFocus(), m_field.GetEdit().m_hWnd);
    ClickAt(CentreOnScreen(Calendar().GetNextArrow()));
    EXPECT_EQ(Text(), "2023/02/28");
    EXPECT_EQ(::GetCapture(), m_field.m_hWnd);
    Calendar().SendMessage(WM_COMMAND, ID_CAL_MONTH_BASE + 2038);
    PumpMessages();
    EXPECT_EQ(Text(), "2038/01/19");
    ClickAt(Day(20));
    EXPECT_TRUE(IsOpen());
    ClickAt(Day(15));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Text(), "2038/01/15");
    EXPECT_EQ(m_field.GetEdit().GetSel(), static_cast<DWORD>(MAKELONG(0, 10)));
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Leaving the program cancels too, and the arrow opens the calendar again afterwards.
TEST_F(DateFieldTest, DraggingMovesTheFieldAlongAndEveryWayOfCancellingRestoresTheOpeningDate) {
    const POINT outside = ScreenPoint(m_dialog.m_hWnd, {2, 2});
    const std::function<void()> cancels[] = {
        [&] {
            Calendar().SendMessage(WM_ACTIVATEAPP, FALSE);
            PumpMessages();
        },
        [&] { ClickAt(outside); },
        [&] { ClickAt(Day(10), true); },
        [&] { ClickArrow(); },  // which does not open it again
        [&] { LeaveField(); },
    };
    for (const auto& cancel : cancels) {
        Open("2024/05/01");
        MouseAt(WM_MOUSEMOVE, Day(9));
        EXPECT_EQ(Text(), "2024/05/01");  // no button, no drag
        MouseAt(WM_LBUTTONDOWN, Day(8), MK_LBUTTON);
        MouseAt(WM_MOUSEMOVE, Day(20), MK_LBUTTON);
        EXPECT_EQ(Text(), "2024/05/20");
        MouseAt(WM_LBUTTONUP, outside);  // takes no day
        EXPECT_EQ(::GetCapture(), m_field.m_hWnd);
        cancel();
        EXPECT_FALSE(IsOpen());
        EXPECT_EQ(Text(), "2024/05/01");
        EXPECT_EQ(::GetCapture(), nullptr);
    }
    // Disabling closes it as well.
    Open("2024/05/01");
    m_field.EnableWindow(FALSE);
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(m_field.GetEdit().IsWindowEnabled());
    EXPECT_FALSE(m_field.GetArrow().IsWindowEnabled());
    EXPECT_EQ(::GetCapture(), nullptr);
    m_field.EnableWindow(TRUE);
    ClickArrow();
    EXPECT_TRUE(IsOpen());
}

TEST_F(DateFieldTest, AnEmptyFieldOpensOnTodayAndTheTodayBandTakesToday) {
    FixedClock clock(2024, 5, 20, 15, 0, 0);
    Open("");
    EXPECT_EQ(Calendar().GetDateText(), "2024/05/20");
    ClickAt(Day(3), true);
    EXPECT_EQ(Text(), "");

    Open("2023/01/01");
    ClickAt(ScreenPoint(Calendar().m_hWnd, CentreOf(Calendar().GetTodayRect())));
    EXPECT_EQ(Text(), "2024/05/20");
}

// The holidays of May 2026 as the Cabinet Office's list of Japan's public holidays (内閣府「国民の
// 祝日について」) has them, with the substitute for Sunday 3 May on Wednesday 6 May; every other day
// keeps its weekday's colour, dimmed outside the month.
TEST_F(DateFieldTest, TheCalendarPaintsExactlyThePublicHolidaysOfTheMonthShown) {
    Open("2026/05/01");
    const SIZE cell = Calendar().GetCellSize();
    const RECT client = Calendar().GetClientRect();
    const std::vector<COLORREF> pixels =
        Picture({client.right, client.bottom}, [&](HDC dc) { Calendar().PaintCalendar(dc); });
    auto cellHas = [&](int index, COLORREF wanted) {  // index: 0-41, in reading order
        for (int y = (3 + index / 7) * cell.cy + 2; y < (4 + index / 7) * cell.cy; ++y) {
            for (int x = (index % 7) * cell.cx + 3; x < (index % 7 + 1) * cell.cx; ++x) {
                if (pixels[y * client.right + x] == wanted) return true;
            }
        }
        return false;
    };
    using namespace calendar_colors;
    const COLORREF plain[7] = {kSunday, kWeekday, kWeekday, kWeekday, kWeekday, kWeekday, kSaturday};
    const COLORREF dim[7] = {kSundayDim, kWeekdayDim, kWeekdayDim, kWeekdayDim, kWeekdayDim, kWeekdayDim, kSaturdayDim};
    for (int index = 0; index < calendar::kCells; ++index) {
        const int day = Calendar().GetDayTable()[index];
        const bool holiday = day >= 3 && day <= 6;
        EXPECT_EQ(cellHas(index, kHoliday), holiday) << "cell " << index;
        EXPECT_EQ(cellHas(index, day == -1 ? dim[index % 7] : plain[index % 7]), !holiday) << "cell " << index;
    }
}

TEST_F(DateFieldTest, TypedDatesAreNormalisedAndOnesOutsideTheClockRangeRefused) {
    BeepRecorder beeps;
    m_field.SetText("24/5/1");
    EXPECT_EQ(m_field.GetValueText(), "2024/05/01");  // read normalised, the text left as typed
    EXPECT_EQ(Text(), "24/5/1");
    Type("");
    EXPECT_EQ(m_field.GetValueText(), "");
    Type("1960/1/1");
    EXPECT_EQ(Text(), "1970/01/01");
    EXPECT_EQ(beeps.Log, std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(::GetFocus(), m_field.GetEdit().m_hWnd);
}

TEST_F(TimeStampFieldTest, EveryChangeInTheCalendarAndTheClockReachesTheFieldAtOnce) {
    Open("2024/05/01 23:59:59");
    ClickAt(Day(15));
    EXPECT_EQ(Text(), "2024/05/15 23:59:59");
    const RECT spin = ClockPane().GetLayout().SecondSpin;
    ClickAt(ScreenPoint(ClockPane().m_hWnd, {(spin.left + spin.right) / 2, spin.top + 3}));
    EXPECT_EQ(Text(), "2024/05/15 00:00:00");  // the clock's carry stops at the hours
    EXPECT_EQ(::GetCapture(), m_field.m_hWnd);
    ClickAt(ScreenPoint(ClockPane().m_hWnd, {(spin.left + spin.right) / 2, spin.bottom - 3}));
    EXPECT_EQ(Text(), "2024/05/15 23:59:59");
    const RECT hours = clock_face::Shrunk(ClockPane().GetLayout().Face, 10);
    ClickAt(ScreenPoint(ClockPane().m_hWnd, clock_face::PointOnCircle(hours, 300, true)));
    EXPECT_EQ(Text(), "2024/05/15 22:59:59");
    ClickAt(CentreOnScreen(CalendarPane().GetNextArrow()));
    EXPECT_EQ(Text(), "2024/06/15 22:59:59");
    EXPECT_TRUE(IsOpen());
}

TEST_F(TimeStampFieldTest, OkTakesTheShownValueCancelRestoresTheOpeningOneAndTheLabelBandTakesNow) {
    FixedClock clock(2025, 3, 4, 5, 6, 7);
    const std::function<void()> cancels[] = {
        [&] { ClickAt(CentreOnScreen(Control().GetCancelButton())); },
        [&] { ClickAt(CentreOnScreen(ClockPane()), true); },
    };
    for (const auto& cancel : cancels) {
        Open("2024/05/01 10:30:00");
        ClickAt(Day(20));
        cancel();
        EXPECT_FALSE(IsOpen());
        EXPECT_EQ(Text(), "2024/05/01 10:30:00");
        EXPECT_EQ(::GetCapture(), nullptr);
    }
    Open("2024/05/01 10:30:00");
    ClickAt(Day(9));
    ClickAt(CentreOnScreen(Control().GetOkButton()));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(m_field.GetValueText(), "2024/05/09 10:30:00");

    // An empty field opens on now.
    Open("");
    EXPECT_EQ(ClockPane().GetTimeText(), "05:06:07");
    ClickAt(Day(12));
    EXPECT_EQ(Text(), "2025/03/12 05:06:07");
    ClickAt(ScreenPoint(Control().m_hWnd, CentreOf(Control().GetLabelRect())));
    EXPECT_EQ(Text(), "2025/03/04 05:06:07");
}
