// The pad's arithmetic, driven key by key as the user presses them.
#include "ControlsTestSupport.h"
#include "controls/TenkeyCalculator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

std::string Press(TenkeyCalculator& pad, std::initializer_list<WORD> keys) {
    for (const WORD key : keys) pad.Press(key);
    return pad.GetNumberText().Str();
}

// A size field's pad: 0 to 99999999999, whole numbers.
TenkeyCalculator SizePad() {
    TenkeyCalculator pad;
    pad.SetRange(0, 99999999999.0, 1);
    return pad;
}

}  // namespace

TEST(TenkeyOperators, EqualsRepeatsTheLastOperatorAndOperand) {
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {1, 2, TK_ADD, 3, TK_EQUALS}), "15.");
    EXPECT_EQ(Press(pad, {TK_EQUALS}), "18.");
    EXPECT_EQ(Press(pad, {TK_EQUALS}), "21.");
    EXPECT_EQ(pad.GetValue(), 21);
}

TEST(TenkeyOperators, EqualsRightAfterAnOperatorUsesTheShownValue) {
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {5, TK_ADD, TK_EQUALS}), "10.");

    TenkeyCalculator other;
    EXPECT_EQ(Press(other, {5, TK_ADD, TK_RETURN}), "5.");
    EXPECT_EQ(other.GetValue(), 5);
}

TEST(TenkeyOperators, ChainedOperatorsComputeAsTheyGo) {
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {8, TK_SUBTRACT, 3, TK_MULTIPLY}), "5.");
    EXPECT_EQ(Press(pad, {4, TK_DIVIDE}), "20.");
    EXPECT_EQ(Press(pad, {8, TK_RETURN}), "2.5");
    EXPECT_EQ(pad.GetValue(), 2.5);
}

TEST(TenkeyOperators, DigitsAfterEqualsStartANewNumberWithoutRepeat) {
    TenkeyCalculator pad;
    Press(pad, {2, TK_MULTIPLY, 3, TK_EQUALS});
    EXPECT_EQ(Press(pad, {4, TK_EQUALS}), "4.");
}

TEST(TenkeyPercent, PercentOfTheFirstOperandAndRemainder) {
    TenkeyCalculator add;
    EXPECT_EQ(Press(add, {2, TK_ZERO, TK_ZERO, TK_ADD, 1, TK_ZERO, TK_PERCENT}), "220.");
    TenkeyCalculator multiply;
    EXPECT_EQ(Press(multiply, {2, TK_ZERO, TK_ZERO, TK_MULTIPLY, 1, TK_ZERO, TK_PERCENT}), "20.");
    TenkeyCalculator remainder;
    EXPECT_EQ(Press(remainder, {7, TK_PERCENT, 3, TK_EQUALS}), "1.");
}

TEST(TenkeyPercent, RemainderByAFractionBelowOneIsADivisionByZero) {
    BeepRecorder beeps;
    TenkeyCalculator pad;
    Press(pad, {7, TK_PERCENT, TK_POINT, 5, TK_EQUALS});
    EXPECT_EQ(pad.GetError(), TKE_ZERO_DIVIDE);
    EXPECT_EQ(pad.GetStatusText(), "Err Zero Divided");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONHAND});
}

TEST(TenkeyErrors, DivisionByZeroLocksTheKeysUntilClearEntry) {
    BeepRecorder beeps;
    TenkeyCalculator pad;
    Press(pad, {9, TK_DIVIDE, TK_ZERO, TK_EQUALS});
    EXPECT_EQ(pad.GetStatusText(), "Err Zero Divided");
    EXPECT_EQ(beeps.Beeps().size(), 1u);

    EXPECT_EQ(Press(pad, {5}), "0.");
    Press(pad, {TK_ADD, TK_SQRT, TK_MEMORY_RECALL});
    EXPECT_EQ(beeps.Beeps().size(), 5u);
    EXPECT_EQ(pad.GetError(), TKE_ZERO_DIVIDE);

    EXPECT_EQ(Press(pad, {TK_CLEAR_ENTRY}), "0.");
    EXPECT_EQ(pad.GetError(), TKE_NONE);
    EXPECT_EQ(Press(pad, {4}), "4.");
}

TEST(TenkeyErrors, SizeFieldRangeAndIntegerOnly) {
    BeepRecorder beeps;
    TenkeyCalculator pad = SizePad();
    Press(pad, {5, TK_SUBTRACT, 9, TK_EQUALS});
    EXPECT_EQ(pad.GetStatusText(), "Err Under Flow");
    EXPECT_EQ(pad.GetNumberText(), "0.");

    Press(pad, {TK_CLEAR, TK_POINT});
    EXPECT_EQ(pad.GetStatusText(), "Err Only Integer");

    Press(pad, {TK_CLEAR, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, TK_ADD, 1, TK_EQUALS});
    EXPECT_EQ(pad.GetStatusText(), "Err Over Flow");
    EXPECT_EQ(beeps.Beeps().size(), 3u);
}

TEST(TenkeyErrors, SquareRootOfANegativeNumber) {
    TenkeyCalculator pad;
    Press(pad, {4, TK_SIGN, TK_SQRT});
    EXPECT_EQ(pad.GetStatusText(), "Err Sqrt (-)");
    EXPECT_EQ(Press(pad, {TK_CLEAR}), "0.");
    EXPECT_EQ(Press(pad, {9, TK_SQRT}), "3.");
    EXPECT_EQ(pad.GetValue(), 3);
}

TEST(TenkeyEntry, TwelfthIntegerDigitAndSeventhFractionDigitAreRefused) {
    BeepRecorder beeps;
    TenkeyCalculator pad = SizePad();
    EXPECT_EQ(Press(pad, {1, 2, 3, 4, 5, 6, 7, 8, 9, TK_DOUBLE_ZERO, 5}), "12345678900.");
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONHAND});

    TenkeyCalculator fractions;
    beeps.Clear();
    EXPECT_EQ(Press(fractions, {TK_POINT, 1, 2, 3, 4, 5, 6, 7}), "0.123456");
    EXPECT_EQ(beeps.Beeps().size(), 1u);
    EXPECT_DOUBLE_EQ(fractions.GetDisplayValue(), 0.123456);
}

TEST(TenkeyEntry, ZeroKeysStopAtTheFirstRefusal) {
    BeepRecorder beeps;
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {1, 2, 3, 4, 5, 6, 7, 8, 9, TK_TRIPLE_ZERO}), "12345678900.");
    EXPECT_EQ(beeps.Beeps().size(), 1u);
    EXPECT_EQ(Press(pad, {TK_CLEAR, TK_TRIPLE_ZERO, 7}), "7.");
}

TEST(TenkeyEntry, BackspaceRemovesTypedCharacters) {
    BeepRecorder beeps;
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {1, 2, 3, TK_BACKSPACE}), "12.");
    EXPECT_EQ(pad.GetDisplayValue(), 12);
    EXPECT_EQ(Press(pad, {TK_BACKSPACE, TK_BACKSPACE}), "0.");
    EXPECT_TRUE(beeps.Beeps().empty());
    Press(pad, {TK_BACKSPACE});
    EXPECT_EQ(beeps.Beeps().size(), 1u);

    EXPECT_EQ(Press(pad, {4, TK_POINT, 5, TK_BACKSPACE}), "4.");
    EXPECT_EQ(Press(pad, {7}), "47.");
}

TEST(TenkeyEntry, SignChangeNeverShowsANegativeZero) {
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {TK_SIGN}), "0.");
    EXPECT_EQ(Press(pad, {5}), "5.");
    EXPECT_EQ(Press(pad, {TK_CLEAR, TK_POINT, 5, TK_SIGN}), "-0.5");
    EXPECT_EQ(pad.GetValue(), -0.5);
}

TEST(TenkeyMemory, RecallTwiceClearsTheMemory) {
    BeepRecorder beeps;
    TenkeyCalculator pad = SizePad();
    Press(pad, {TK_MEMORY_RECALL});
    EXPECT_EQ(beeps.Beeps(), std::vector<UINT>{MB_ICONHAND});

    Press(pad, {3, TK_MEMORY_ADD});
    EXPECT_EQ(pad.GetStatusText(), "Int M ");
    EXPECT_EQ(Press(pad, {TK_CLEAR, TK_MEMORY_RECALL}), "3.");
    EXPECT_EQ(pad.GetMemory(), 3);
    EXPECT_EQ(Press(pad, {TK_MEMORY_RECALL}), "3.");
    EXPECT_EQ(pad.GetMemory(), 0);
    EXPECT_EQ(pad.GetStatusText(), "Int ");
}

TEST(TenkeyMemory, MemoryKeysCompleteThePendingOperation) {
    TenkeyCalculator pad;
    Press(pad, {2, TK_MULTIPLY, 4, TK_MEMORY_ADD, 1, TK_MEMORY_SUBTRACT});
    EXPECT_EQ(pad.GetMemory(), 7);
    EXPECT_EQ(pad.GetPendingOperator(), TK_NONE);
}

TEST(TenkeyStatus, ShowsIntegerModeMemoryAndPendingOperator) {
    TenkeyCalculator pad = SizePad();
    Press(pad, {5, TK_MEMORY_ADD, 2, TK_ADD});
    EXPECT_EQ(pad.GetStatusText(), "Int M ＋");
    TenkeyCalculator plain;
    Press(plain, {2, TK_DIVIDE});
    EXPECT_EQ(plain.GetStatusText(), "÷");
}

TEST(TenkeyValue, SetValueCutsAndClampsWithABeep) {
    BeepRecorder beeps;
    TenkeyCalculator pad = SizePad();
    pad.SetValue(1234.9, true);
    EXPECT_EQ(pad.GetNumberText(), "1234.");
    EXPECT_TRUE(beeps.Beeps().empty());
    pad.SetValue(-1, true);
    EXPECT_EQ(pad.GetValue(), 0);
    pad.SetValue(1e12, true);
    EXPECT_EQ(pad.GetValue(), 99999999999.0);
    EXPECT_EQ(beeps.Beeps(), (std::vector<UINT>{MB_ICONHAND, MB_ICONHAND}));
}

TEST(TenkeyValue, SetRangeOrdersAndLimitsTheBounds) {
    TenkeyCalculator pad;
    pad.SetRange(5e12, -7.5, 1);
    EXPECT_EQ(pad.GetMinimum(), -7);
    EXPECT_EQ(pad.GetMaximum(), kTenkeyHighestValue);
    pad.SetRange(-1e13, 0, 0);
    EXPECT_EQ(pad.GetMinimum(), TenkeyLowestValue());
    EXPECT_DOUBLE_EQ(TenkeyLowestValue(), -99999999999.99998);
}

TEST(TenkeyValue, ResetClearsThePendingStateButKeepsTheMemory) {
    TenkeyCalculator pad;
    Press(pad, {6, TK_MEMORY_ADD, 9, TK_DIVIDE, TK_ZERO, TK_EQUALS});
    pad.SetValue(42, true);
    EXPECT_EQ(pad.GetError(), TKE_NONE);
    EXPECT_EQ(pad.GetPendingOperator(), TK_NONE);
    EXPECT_EQ(pad.GetMemory(), 6);
    EXPECT_EQ(Press(pad, {TK_ADD, 1, TK_EQUALS}), "43.");
}

TEST(TenkeyNumberText, LargeWholeNumbersStayExact) {
    CString integerText;
    CString fractionText;
    SplitNumber(99999999999.0, true, integerText, fractionText);
    EXPECT_EQ(integerText, "99999999999");
    EXPECT_EQ(fractionText, "");
    SplitNumber(5000000000.0, false, integerText, fractionText);
    EXPECT_EQ(integerText, "5000000000");
    EXPECT_EQ(JoinNumber("99999999999", "", true), 99999999999.0);
}

TEST(TenkeyNumberText, FractionsLoseTrailingZerosAndKeepTheirSign) {
    CString integerText;
    CString fractionText;
    SplitNumber(-2.5, false, integerText, fractionText);
    EXPECT_EQ(integerText, "-2");
    EXPECT_EQ(fractionText, "5");
    SplitNumber(-0.25, false, integerText, fractionText);
    EXPECT_EQ(integerText, "-0");
    EXPECT_EQ(fractionText, "25");
    SplitNumber(3.75, true, integerText, fractionText);
    EXPECT_EQ(integerText, "3");
    EXPECT_EQ(fractionText, "");
    EXPECT_EQ(JoinNumber("-0", "25", false), -0.25);
    EXPECT_EQ(JoinNumber("3", "75", true), 3);
}
