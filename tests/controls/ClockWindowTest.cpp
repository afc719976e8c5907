// The clock as a drop-down of its own: its size, spin buttons with carry, marks and the
// centre that accepts, and what it tells its owner.
#include "ControlsTestSupport.h"
#include "FieldDialog.h"
#include "controls/ClockCtrl.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Stands in for a host: records the notifications and holds the capture while the clock shows.
class RecordingOwner : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> Notes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CMB_DROPDOWNNOTIFY) {
            Notes.emplace_back(wParam, lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ClockWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "owner", WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 10, 160, 32},
                                     FieldDialog().m_hWnd, 3000));
        m_font.CreatePointFont(90, "ＭＳ Ｐゴシック");
        m_owner.SetFont(m_font, FALSE);
        m_clock.SetNotifyMessage(WM_CMB_DROPDOWNNOTIFY);
        ASSERT_TRUE(m_clock.DropDown(&m_owner, nullptr, 9));
        m_clock.Show();
        PumpMessages();
    }
    void TearDown() override {
        m_clock.Hide();
        m_clock.DestroyWindow();
        m_owner.DestroyWindow();
        PumpMessages();
    }

    // A message from the owner, which passes on what the mouse does while it holds the capture.
    void Send(UINT message, POINT client, WPARAM flags = 0) {
        m_clock.SendMessage(message, flags, MAKELPARAM(client.x, client.y));
        PumpMessages();
    }
    void Click(POINT client) {
        Send(WM_LBUTTONDOWN, client, MK_LBUTTON);
        // The release goes where the system sends it: to a spin that took the capture.
        if (::GetCapture() != m_owner.m_hWnd) {
            MouseAt(WM_LBUTTONUP, ScreenPoint(m_clock.m_hWnd, client));
        } else {
            Send(WM_LBUTTONUP, client);
        }
    }
    POINT SpinUp(const RECT& spin) { return {(spin.left + spin.right) / 2, spin.top + 3}; }
    POINT SpinDown(const RECT& spin) { return {(spin.left + spin.right) / 2, spin.bottom - 3}; }

    std::pair<WPARAM, LPARAM> LastNote() const {
        return m_owner.Notes.empty() ? std::pair<WPARAM, LPARAM>{99, 0} : m_owner.Notes.back();
    }

    RecordingOwner m_owner;
    CFont m_font;
    CClockCtrl m_clock;
};

}  // namespace

TEST_F(ClockWindowTest, SizedFromItsUnitAndPlacedUnderItsOwner) {
    const RECT client = m_clock.GetClientRect();
    EXPECT_EQ(client.right, m_clock.GetLayout().Client.cx);
    EXPECT_EQ(client.bottom, m_clock.GetLayout().Client.cy);
    EXPECT_GE(client.right, 133);
    EXPECT_GE(client.bottom, 151);
    EXPECT_EQ(m_clock.GetWindowRect().right, m_owner.GetWindowRect().right - 2);
    EXPECT_EQ(m_clock.GetWindowRect().top, m_owner.GetWindowRect().bottom - 1);
    EXPECT_EQ(::GetCapture(), m_owner.m_hWnd);
}

TEST_F(ClockWindowTest, SpinsCarryAndGiveTheMouseBackToTheOwner) {
    m_clock.SetTime(23, 59, 59);
    Click(SpinUp(m_clock.GetLayout().SecondSpin));
    EXPECT_EQ(m_clock.GetTimeText(), "00:00:00");
    EXPECT_EQ(::GetCapture(), m_owner.m_hWnd);
    EXPECT_EQ(LastNote().first, static_cast<WPARAM>(DDN_CHANGE));
    EXPECT_EQ(LastNote().second, 0);

    Click(SpinDown(m_clock.GetLayout().SecondSpin));
    EXPECT_EQ(m_clock.GetTimeText(), "23:59:59");
    Click(SpinUp(m_clock.GetLayout().HourSpin));
    EXPECT_EQ(m_clock.GetTimeText(), "00:59:59");
    Click(SpinUp(m_clock.GetLayout().MinuteSpin));
    EXPECT_EQ(m_clock.GetTimeText(), "01:00:59");
    EXPECT_EQ(m_clock.GetSpin(IDC_CLOCK_MINUTE_SPIN).GetPos32(), 0);
    EXPECT_EQ(m_clock.GetSpin(IDC_CLOCK_HOUR_SPIN).GetPos32(), 1);
}

TEST_F(ClockWindowTest, HourMarksSwitchTheHalfOfTheDayAndMinuteMarksSetFiveMinuteSteps) {
    m_clock.SetTime(10, 30, 0);
    const RECT face = m_clock.GetLayout().Face;
    const RECT hours = clock_face::Shrunk(face, 10);
    Click(clock_face::PointOnCircle(hours, 300, true));
    EXPECT_EQ(m_clock.GetTimeText(), "22:30:00");
    EXPECT_EQ(LastNote(), (std::pair<WPARAM, LPARAM>{DDN_CHANGE, (22 << 16) | (30 << 8)}));
    Click(clock_face::PointOnCircle(hours, 300, true));
    EXPECT_EQ(m_clock.GetTimeText(), "10:30:00");
    Click(clock_face::PointOnCircle(hours, 90, true));
    EXPECT_EQ(m_clock.GetTimeText(), "03:30:00");

    Click(clock_face::PointOnCircle(face, 120, true));
    EXPECT_EQ(m_clock.GetTimeText(), "03:20:00");
    Click(clock_face::PointOnCircle(face, 0, true));
    EXPECT_EQ(m_clock.GetTimeText(), "03:00:00");
}

TEST_F(ClockWindowTest, ReleasingOnTheCentreAcceptsAndARightClickCancels) {
    m_clock.SetTime(7, 8, 9);
    const RECT face = m_clock.GetLayout().Face;
    const POINT centre{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    Click(centre);
    EXPECT_EQ(LastNote(), (std::pair<WPARAM, LPARAM>{DDN_OK, (7 << 16) | (8 << 8) | 9}));
    const size_t notes = m_owner.Notes.size();
    Click({face.left + 1, face.top + 1});  // a corner of the face rectangle, outside the ring
    EXPECT_EQ(m_owner.Notes.size(), notes);
    Send(WM_RBUTTONDOWN, centre, MK_RBUTTON);
    EXPECT_EQ(LastNote().first, static_cast<WPARAM>(DDN_CANCEL));
}

TEST_F(ClockWindowTest, TheAcceptLabelStaysReadableUnderAHandPointingDown) {
    m_clock.SetTime(10, 30, 0);
    const RECT client = m_clock.GetClientRect();
    HDC window = ::GetDC(m_clock.m_hWnd);
    HDC memory = ::CreateCompatibleDC(window);
    HBITMAP bitmap = ::CreateCompatibleBitmap(window, client.right, client.bottom);
    ::ReleaseDC(m_clock.m_hWnd, window);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    m_clock.PaintClock(memory);

    HGDIOBJ oldFont = ::SelectObject(memory, m_clock.GetControlFont());
    SIZE label{};
    ::GetTextExtentPoint32A(memory, "[ O.K ]", 7, &label);
    ::SelectObject(memory, oldFont);
    const RECT face = m_clock.GetLayout().Face;
    const int cx = (face.left + face.right) / 2;
    const int cy = (face.top + face.bottom) / 2;
    int handPixels = 0;
    for (int y = cy + 11; y < cy + 9 + label.cy; ++y) {
        for (int x = cx - label.cx / 2 + 1; x < cx + label.cx / 2; ++x) {
            if (::GetPixel(memory, x, y) == m_clock.GetMarkColor(FALSE)) ++handPixels;
        }
    }
    EXPECT_EQ(handPixels, 0);
    // The hand itself is there, below the label.
    EXPECT_EQ(::GetPixel(memory, cx, cy + 12 + label.cy), m_clock.GetMarkColor(FALSE));

    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

TEST_F(ClockWindowTest, AClickOutsideCancels) {
    const RECT client = m_clock.GetClientRect();
    Send(WM_LBUTTONDOWN, {client.right + 5, 10}, MK_LBUTTON);
    EXPECT_EQ(LastNote().first, static_cast<WPARAM>(DDN_CANCEL));
}

TEST_F(ClockWindowTest, SetTimeClampsEveryField) {
    m_clock.SetTime(30, -4, 75);
    EXPECT_EQ(m_clock.GetTimeText(), "23:00:59");
    EXPECT_EQ(m_clock.GetSpin(IDC_CLOCK_SECOND_SPIN).GetPos32(), 59);
}
