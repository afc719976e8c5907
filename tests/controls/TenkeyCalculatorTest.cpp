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

std::vector<UINT> Beeps(size_t count) { return std::vector<UINT>(count, MB_ICONHAND); }

}  // namespace

TEST(Tenkey, EqualsRepeatsOperatorsChainAndAnOperatorAloneTakesTheShownValue) {
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {1, 2, TK_ADD, 3, TK_EQUALS}), "15.");
    EXPECT_EQ(Press(pad, {TK_EQUALS}), "18.");
    EXPECT_EQ(Press(pad, {4, TK_EQUALS}), "4.");  // a new number ends the repeat
    EXPECT_EQ(Press(pad, {TK_CLEAR, 5, TK_ADD, TK_EQUALS}), "10.");
    EXPECT_EQ(Press(pad, {TK_CLEAR, 5, TK_ADD, TK_RETURN}), "5.");
    EXPECT_EQ(Press(pad, {TK_CLEAR, 8, TK_SUBTRACT, 3, TK_MULTIPLY}), "5.");
    EXPECT_EQ(Press(pad, {4, TK_DIVIDE, 8, TK_RETURN}), "2.5");
    // Rounding to six places carries into the whole number instead of losing it.
    EXPECT_EQ(Press(pad, {TK_CLEAR, 8, TK_POINT, 9, 9, 9, 9, 9, 9, TK_DIVIDE, 3, TK_EQUALS}), "3.");
}

TEST(Tenkey, PercentOfTheFirstOperandRemainderOfTheWholePartsAndErrorsThatLockTheKeysUntilAClear) {
    BeepRecorder beeps;
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {2, TK_ZERO, TK_ZERO, TK_ADD, 1, TK_ZERO, TK_PERCENT}), "220.");
    EXPECT_EQ(Press(pad, {TK_CLEAR, 2, TK_ZERO, TK_ZERO, TK_MULTIPLY, 1, TK_ZERO, TK_PERCENT}), "20.");
    EXPECT_EQ(Press(pad, {TK_CLEAR, 7, TK_PERCENT, 3, TK_EQUALS}), "1.");
    // A divisor below one has no whole part: a division by zero, not a "nan".
    EXPECT_EQ(Press(pad, {TK_CLEAR, 7, TK_PERCENT, TK_POINT, 5, TK_EQUALS}), "0.");
    EXPECT_EQ(pad.GetStatusText(), "Err Zero Divided");
    // An error locks the keys until a clear key.
    Press(pad, {TK_CLEAR, 9, TK_DIVIDE, TK_ZERO, TK_EQUALS});
    EXPECT_EQ(Press(pad, {5, TK_ADD, TK_SQRT, TK_MEMORY_RECALL}), "0.");
    EXPECT_EQ(beeps.Log, Beeps(6));
    EXPECT_EQ(Press(pad, {TK_CLEAR_ENTRY, 4}), "4.");
    Press(pad, {TK_SIGN, TK_SQRT});
    EXPECT_EQ(pad.GetStatusText(), "Err Sqrt (-)");
    EXPECT_EQ(Press(pad, {TK_CLEAR, 9, TK_SQRT}), "3.");
}

TEST(Tenkey, ASizePadKeepsToItsRangeAndToWholeNumbersAndHasAMemory) {
    BeepRecorder beeps;
    TenkeyCalculator pad;
    pad.SetRange(0, 99999999999.0, 1);  // a size field's pad
    // Under flow and a point the size field's tests show.
    Press(pad, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, TK_ADD, 1, TK_EQUALS});
    EXPECT_EQ(pad.GetStatusText(), "Err Over Flow");
    EXPECT_EQ(beeps.Log, Beeps(1));
    Press(pad, {TK_CLEAR, 7, TK_DIVIDE, 2, TK_EQUALS});
    EXPECT_EQ(pad.GetValue(), 3);

    Press(pad, {TK_CLEAR, TK_MEMORY_RECALL});
    EXPECT_EQ(beeps.Log, Beeps(2));  // nothing in memory
    Press(pad, {2, TK_MULTIPLY, 4, TK_MEMORY_ADD, 1, TK_MEMORY_SUBTRACT, 2, TK_ADD});
    EXPECT_EQ(pad.GetMemory(), 7);  // the memory keys complete the pending operation
    EXPECT_EQ(Press(pad, {TK_CLEAR, TK_MEMORY_RECALL, TK_MEMORY_RECALL}), "7.");
    EXPECT_EQ(pad.GetStatusText(), "Int ");  // recalled twice, the memory is cleared

    // Set values are cut to whole numbers and clamped into the range.
    pad.SetValue(1234.9, true);
    EXPECT_EQ(pad.GetNumberText(), "1234.");
    pad.SetValue(-1, true);
    EXPECT_EQ(pad.GetValue(), 0);
    pad.SetValue(1e12, true);
    EXPECT_EQ(pad.GetValue(), 99999999999.0);
    EXPECT_EQ(beeps.Log, Beeps(4));
}

TEST(Tenkey, RefusedDigitsBackspaceAndASignChangeThatNeverShowsANegativeZero) {
    BeepRecorder beeps;
    TenkeyCalculator pad;
    EXPECT_EQ(Press(pad, {1, 2, 3, 4, 5, 6, 7, 8, 9, TK_DOUBLE_ZERO, 5}), "12345678900.");  // no twelfth digit
    EXPECT_EQ(Press(pad, {TK_CLEAR, 1, 2, 3, 4, 5, 6, 7, 8, 9, TK_ZERO, TK_TRIPLE_ZERO}), "12345678900.");
    EXPECT_EQ(Press(pad, {TK_CLEAR, TK_POINT, 1, 2, 3, 4, 5, 6, 7}), "0.123456");
    EXPECT_EQ(beeps.Log, Beeps(3));  // the zero keys stop at their first refusal
    EXPECT_EQ(Press(pad, {TK_CLEAR, 1, 2, 3, TK_BACKSPACE}), "12.");
    EXPECT_EQ(Press(pad, {TK_BACKSPACE, TK_BACKSPACE, TK_BACKSPACE}), "0.");
    EXPECT_EQ(beeps.Log, Beeps(4));  // nothing left to remove
    EXPECT_EQ(Press(pad, {4, TK_POINT, 5, TK_BACKSPACE, 7}), "47.");
    // The sign of nothing shows no "-0".
    EXPECT_EQ(Press(pad, {TK_CLEAR, TK_SIGN}), "0.");
    EXPECT_EQ(Press(pad, {5}), "5.");
    EXPECT_EQ(Press(pad, {TK_CLEAR, TK_POINT, 5, TK_SIGN}), "-0.5");
}
