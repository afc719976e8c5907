// The size field in a dialog: the spin button, the ten-key pad and the typed text.
#include "ControlsTestSupport.h"
#include "FieldDialog.h"
#include "controls/NumberCmbBox.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>

namespace {

class NumberFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_placeholder = AddPlaceholder(kSizePlaceholder);
        ASSERT_TRUE(m_field.Create(kSizePlaceholder, kSizeField, &m_dialog, nullptr, 9));
        m_field.SetRange(0, 99999999999.0, 1);
        PumpMessages();
    }
    void TearDown() override {
        m_field.DestroyWindow();
        PumpMessages();
    }

    CTenkeyCtrl& Pad() { return *m_field.GetTenkey(); }
    bool IsOpen() const { return m_field.IsDroppedDown(); }
    std::string FieldText() const { return m_field.GetText().Str(); }

    void Open(double value) {
        m_field.SetValue(value);
        ClickAt(CentreOf(m_field.GetArrowRect()));
        ASSERT_TRUE(IsOpen());
    }

    POINT KeyPoint(WORD code) {
        for (int row = 0; row < 7; ++row) {
            for (int column = 0; column < 4; ++column) {
                if (Pad().GetKey(column, row) == code) {
                    return ScreenPoint(Pad().m_hWnd, CentreOf(Pad().GetKeyRect(column, row)));
                }
            }
        }
        ADD_FAILURE() << "no key " << code;
        return {};
    }

    void Keys(std::initializer_list<WORD> codes) {
        for (const WORD code : codes) ClickAt(KeyPoint(code));
    }

    void Type(const char* text) {
        m_field.GetEdit().SetFocus();
        m_field.SetText(text);
        ::SetFocus(m_dialog.GetDlgItem(kOtherEdit));
        PumpMessages();
    }

    // A click on the upper (1) or lower (-1) half of the spin button.
    void Spin(int direction) {
        const RECT spin = m_field.GetSpin().GetWindowRect();
        const int y = direction > 0 ? spin.top + 3 : spin.bottom - 3;
        ClickAt({(spin.left + spin.right) / 2, y});
    }

    CDialog& m_dialog = FieldDialog();
    CNumberCmbBox m_field;
    RECT m_placeholder{};
};

}  // namespace

TEST_F(NumberFieldTest, TheSpinSitsBetweenEditAndArrow) {
    const RECT field = RectInDialog(m_dialog.m_hWnd, kSizeField);
    EXPECT_EQ(field.left, m_placeholder.left - 1);
    EXPECT_EQ(field.bottom, m_placeholder.bottom + 1);
    const RECT edit = m_field.GetEdit().GetRectInParent();
    const RECT spin = m_field.GetSpin().GetRectInParent();
    const RECT arrow = m_field.GetArrow().GetRectInParent();
    EXPECT_EQ(spin.left, edit.right);
    EXPECT_EQ(spin.right, arrow.left);
    EXPECT_EQ(spin.right - spin.left, arrow.right - arrow.left);
    EXPECT_EQ(spin.top, edit.top - 1);
    EXPECT_EQ(spin.bottom, edit.bottom);
    EXPECT_EQ(m_field.GetSpin().GetDlgCtrlID(), 9997);
    EXPECT_EQ(FieldText(), "0");
}

TEST_F(NumberFieldTest, ThePadOpensOnTheFieldsValueInIntegerMode) {
    Open(1234);
    EXPECT_EQ(Pad().GetCalculator().GetNumberText(), "1234.");
    EXPECT_EQ(Pad().GetCalculator().GetStatusText(), "Int ");
    const RECT field = m_field.GetWindowRect();
    const RECT pad = Pad().GetWindowRect();
    EXPECT_EQ(pad.right, field.right - 2);
    EXPECT_EQ(pad.top, field.bottom - 1);
}

TEST_F(NumberFieldTest, EqualsTakesTheValueAndReturnTakesItAndCloses) {
    Open(0);
    Keys({1, 2, TK_ADD, 3, TK_EQUALS});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(FieldText(), "15");
    Keys({TK_EQUALS});
    EXPECT_EQ(FieldText(), "18");
    Keys({TK_MULTIPLY, 2, TK_RETURN});
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "36");
    EXPECT_EQ(m_field.GetValue(), 36);
}

TEST_F(NumberFieldTest, ALongNumberKeepsTheDisplayClearOfTheStatus) {
    Open(0);
    Keys({3, TK_MEMORY_ADD, TK_ADD});
    EXPECT_EQ(Pad().GetFittedStatusText(nullptr, Pad().GetFittedNumberText(nullptr)), "Int M ＋");

    Keys({TK_CLEAR, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, TK_MULTIPLY, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8});
    const CString number = Pad().GetFittedNumberText(nullptr);
    EXPECT_EQ(number, "88888888888.");
    const CString status = Pad().GetFittedStatusText(nullptr, number);
    const std::string full = Pad().GetCalculator().GetStatusText().Str();
    EXPECT_EQ(full.substr(full.size() - status.GetLength()), status.Str());

    HDC dc = ::GetDC(Pad().m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, Pad().GetControlFont());
    SIZE numberSize{};
    SIZE statusSize{};
    ::GetTextExtentPoint32A(dc, number, number.GetLength(), &numberSize);
    ::GetTextExtentPoint32A(dc, status, status.GetLength(), &statusSize);
    ::SelectObject(dc, old);
    ::ReleaseDC(Pad().m_hWnd, dc);
    const RECT display = Pad().GetDisplayRect();
    EXPECT_LE(statusSize.cx + numberSize.cx, display.right - display.left - 4 - 4 - 1 - 4);
}

TEST_F(NumberFieldTest, ARightClickRestoresTheValueFromTheOpening) {
    Open(700);
    Keys({5, TK_EQUALS});
    ASSERT_EQ(FieldText(), "5");
    RightClickAt(KeyPoint(TK_CLEAR));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "700");
}

TEST_F(NumberFieldTest, AnErrorKeepsReturnFromTakingTheValue) {
    BeepRecorder beeps;
    Open(5);
    Keys({TK_SUBTRACT, 9, TK_RETURN});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(Pad().GetCalculator().GetStatusText(), "Err Under Flow");
    EXPECT_EQ(FieldText(), "5");
    Keys({TK_POINT});  // keys only beep while the error stands
    EXPECT_EQ(beeps.Beeps().size(), 2u);
    // The error goes, the pending subtraction stays.
    Keys({TK_CLEAR_ENTRY, 4, TK_RETURN});
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FieldText(), "1");
}

TEST_F(NumberFieldTest, TheMemoryOutlivesThePadsWindow) {
    Open(0);
    Keys({3, TK_MEMORY_ADD, TK_CLEAR, TK_RETURN});
    ASSERT_EQ(FieldText(), "0");
    ClickAt(CentreOf(m_field.GetArrowRect()));
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(Pad().GetCalculator().GetStatusText(), "Int M ");
    Keys({TK_MEMORY_RECALL, TK_RETURN});
    EXPECT_EQ(FieldText(), "3");
}

TEST_F(NumberFieldTest, TypedTextIsCheckedWhenLeavingTheField) {
    BeepRecorder beeps;
    Type("12a");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(::GetFocus(), m_field.GetEdit().m_hWnd);
    EXPECT_EQ(m_field.GetEdit().GetSel(), static_cast<DWORD>(MAKELONG(0, 3)));
    EXPECT_EQ(FieldText(), "12a");

    beeps.Clear();
    Type("-5");
    EXPECT_EQ(FieldText(), "0");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONHAND});

    beeps.Clear();
    Type(" +7 ");
    EXPECT_EQ(FieldText(), "7");
    Type("12.9");
    EXPECT_EQ(FieldText(), "12");
    EXPECT_TRUE(beeps.Beeps().empty());
}

TEST_F(NumberFieldTest, LargeSizesAreKeptExactly) {
    BeepRecorder beeps;
    Type("5000000000");
    EXPECT_EQ(m_field.GetValue(), 5000000000.0);
    Type("99999999999");
    EXPECT_EQ(m_field.GetValue(), 99999999999.0);
    EXPECT_EQ(FieldText(), "99999999999");
    Type("123456789012");
    EXPECT_EQ(FieldText(), "99999999999");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONHAND});
    m_field.SetValue(4294967296.0);
    EXPECT_EQ(m_field.GetValue(), 4294967296.0);
}

TEST_F(NumberFieldTest, TheSpinStepsByOneWithinTheRange) {
    BeepRecorder beeps;
    m_field.SetValue(99999999998.0);
    Spin(1);
    EXPECT_EQ(FieldText(), "99999999999");
    EXPECT_TRUE(beeps.Beeps().empty());
    Spin(1);
    EXPECT_EQ(FieldText(), "99999999999");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONHAND});

    m_field.SetValue(1);
    Spin(-1);
    EXPECT_EQ(FieldText(), "0");
    Spin(-1);
    EXPECT_EQ(FieldText(), "0");
    EXPECT_EQ(beeps.Beeps().size(), 2u);
    EXPECT_EQ(m_field.GetSpin().SendMessage(UDM_GETPOS) & 0xFFFF, 0);
}

TEST_F(NumberFieldTest, AFieldWithFractionsShowsThem) {
    m_field.SetRange(-10, 10, 0);
    m_field.SetValue(2.5);
    EXPECT_EQ(FieldText(), "2.5");
    m_field.SetValue(-3);
    EXPECT_EQ(FieldText(), "-3");
    m_field.SetIntegerOnly(1);
    EXPECT_EQ(FieldText(), "-3");
    EXPECT_EQ(m_field.GetMinimum(), -10);
}

TEST_F(NumberFieldTest, DisablingTheFieldDisablesTheSpinToo) {
    Open(3);
    m_field.EnableWindow(FALSE);
    PumpMessages();
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(m_field.GetSpin().IsWindowEnabled());
    EXPECT_EQ(FieldText(), "3");
    m_field.EnableWindow(TRUE);
    EXPECT_TRUE(m_field.GetSpin().IsWindowEnabled());
}
