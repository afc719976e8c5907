// The size field in the main dialog: its spin button, the ten-key pad and the typed text.
#include "ControlsTestSupport.h"
#include "controls/NumberCmbBox.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

class NumberFieldTest : public FieldTest<CNumberCmbBox, IDC_SIZE_START_PLACEHOLDER, IDC_SIZE_START> {
protected:
    void SetUp() override {
        FieldTest::SetUp();
        m_field.SetRange(0, 99999999999.0, 1);
    }

    CTenkeyCtrl& Pad() { return *m_field.GetTenkey(); }
    POINT KeyPoint(WORD code) {
        int key = 0;
        while (key < 4 * 7 - 1 && Pad().GetKey(key % 4, key / 4) != code) ++key;
        return ScreenPoint(Pad().m_hWnd, CentreOf(Pad().GetKeyRect(key % 4, key / 4)));
    }
    void Keys(std::initializer_list<WORD> codes) {
        for (const WORD code : codes) ClickAt(KeyPoint(code));
    }
    // A click on the upper (1) or lower (-1) half of the spin button.
    void Spin(int direction) {
        const RECT spin = m_field.GetSpin().GetWindowRect();
        ClickAt({(spin.left + spin.right) / 2, direction > 0 ? spin.top + 3 : spin.bottom - 3});
    }
};

}  // namespace

// Equals shows the result in the field with the pad open, Return hands it back and closes the
// pad, a right click restores the opening value, an error keeps the pad open; the memory stays
// from one opening to the next. Disabling the field closes the pad and disables the spin.
TEST_F(NumberFieldTest, ThePadHandsBackItsResultsKeepsItsMemoryAndARightClickRestoresTheValue) {
    Open("1234");
    EXPECT_EQ(Pad().GetCalculator().GetNumberText(), "1234.");
    Keys({TK_CLEAR, 1, 2, TK_ADD, 3, TK_EQUALS});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(Text(), "15");
    Keys({TK_MEMORY_ADD, TK_MULTIPLY, 2, TK_RETURN});
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(m_field.GetValue(), 30);
    ClickArrow();
    Keys({TK_MEMORY_RECALL, TK_EQUALS});
    EXPECT_EQ(Text(), "15");
    ClickAt(KeyPoint(TK_CLEAR), true);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Text(), "30");

    Open("5");
    Keys({TK_SUBTRACT, 9, TK_RETURN});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(Pad().GetCalculator().GetStatusText(), "Err Under Flow");
    Keys({TK_CLEAR_ENTRY, 4, TK_RETURN});  // the error goes, the subtraction stays
    EXPECT_EQ(Text(), "1");

    Open("3");
    m_field.EnableWindow(FALSE);
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(m_field.GetSpin().IsWindowEnabled());
    m_field.EnableWindow(TRUE);
    EXPECT_TRUE(m_field.GetSpin().IsWindowEnabled());
}

TEST_F(NumberFieldTest, ALongNumberKeepsTheDisplayClearOfTheStatus) {
    Open("0");
    Keys({3, TK_MEMORY_ADD, TK_ADD});
    EXPECT_EQ(Pad().GetFittedStatusText(nullptr, Pad().GetFittedNumberText(nullptr)), "Int M ＋");
    Keys({TK_CLEAR, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, TK_MULTIPLY, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8});
    const CString number = Pad().GetFittedNumberText(nullptr);
    EXPECT_EQ(number, "88888888888.");
    const CString status = Pad().GetFittedStatusText(nullptr, number);
    const std::string full = Pad().GetCalculator().GetStatusText().Str();
    EXPECT_EQ(full.substr(full.size() - status.GetLength()), status.Str());  // shortened from the front
    const RECT display = Pad().GetDisplayRect();
    const int room = display.right - display.left;
    EXPECT_LE(Pad().MeasureText(nullptr, status).cx + Pad().MeasureText(nullptr, number).cx, room);

    // An error text is always shown whole; the number gives way.
    Keys({TK_CLEAR, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, TK_POINT});
    const CString errorNumber = Pad().GetFittedNumberText(nullptr);
    EXPECT_EQ(Pad().GetFittedStatusText(nullptr, errorNumber), "Err Only Integer");
    EXPECT_LE(Pad().MeasureText(nullptr, "Err Only Integer").cx + Pad().MeasureText(nullptr, errorNumber).cx, room);
}

TEST_F(NumberFieldTest, TypedTextAndTheSpinKeepSizesExactlyInTheirRange) {
    BeepRecorder beeps;
    Type("12a");
    EXPECT_EQ(beeps.Log, std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(::GetFocus(), m_field.GetEdit().m_hWnd);
    EXPECT_EQ(m_field.GetEdit().GetSel(), static_cast<DWORD>(MAKELONG(0, 3)));
    for (const auto& [typed, shown] : {std::pair{" +7 ", "7"}, {"12.9", "12"}, {"-5", "0"}, {"123456789012", "99999999999"}}) {
        Type(typed);
        EXPECT_EQ(Text(), shown) << typed;
    }
    m_field.SetValue(99999999998.0);
    Spin(1);
    Spin(1);
    EXPECT_EQ(Text(), "99999999999");
    m_field.SetValue(1);
    Spin(-1);
    Spin(-1);
    EXPECT_EQ(Text(), "0");
    EXPECT_EQ(beeps.Log, (std::vector<UINT>{MB_ICONASTERISK, MB_ICONHAND, MB_ICONHAND, MB_ICONHAND, MB_ICONHAND}));
    m_field.SetRange(-10, 10, 0);
    Type("-2.5");
    EXPECT_EQ(Text(), "-2.5");

    for (const char* number : {"12345", "+7", "-5.25", ".5"}) EXPECT_TRUE(CNumberCmbBox::IsNumberText(number)) << number;
    for (const char* text : {"12a", "1.2.3", "5-", "+-5", "1 000"}) EXPECT_FALSE(CNumberCmbBox::IsNumberText(text)) << text;
}
