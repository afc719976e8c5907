// The ten-key pad's pocket calculator without a window: the entry of a number, the four
// operators with repeat on "＝", percent and remainder, square root, memory, the clear keys,
// the error states, the range and the integer-only mode. Beeps go through the seam.
#pragma once

#include "framework/CString.h"

#include <windows.h>

// Key codes: a non-zero low byte is a digit key, a zero low byte a function key.
enum TenkeyCode : WORD {
    TK_NONE = 0,
    TK_ZERO = 0x0010,
    TK_DOUBLE_ZERO = 0x0011,
    TK_TRIPLE_ZERO = 0x0012,
    TK_POINT = 0x0100,
    TK_SIGN = 0x0200,
    TK_MULTIPLY = 0x0300,
    TK_DIVIDE = 0x0400,
    TK_ADD = 0x0500,
    TK_SUBTRACT = 0x0600,
    TK_PERCENT = 0x0700,
    TK_SQRT = 0x0800,
    TK_MEMORY_ADD = 0x0900,
    TK_MEMORY_SUBTRACT = 0x0A00,
    TK_MEMORY_RECALL = 0x0B00,
    TK_EQUALS = 0x0C00,
    TK_RETURN = 0x0D00,
    TK_BACKSPACE = 0x0E00,
    TK_CLEAR_ENTRY = 0x0F00,
    TK_CLEAR = 0x1000,
};

enum TenkeyError : int {
    TKE_NONE = 0,
    TKE_OVERFLOW = 1,
    TKE_UNDERFLOW = 2,
    TKE_ZERO_DIVIDE = 3,
    TKE_NEGATIVE_ROOT = 4,
    TKE_ONLY_INTEGER = 5,
};

// The widest range: the minimum is the double with bits 0xC2374876E7FFFFFF.
double TenkeyLowestValue();
constexpr double kTenkeyHighestValue = 100000000000.0;

// A number as the pad and the size fields write it: the integer part and up to six
// fraction digits without trailing zeros (none in integer-only mode).
void SplitNumber(double value, bool integerOnly, CString& integerText, CString& fractionText);
double JoinNumber(const char* integerText, const char* fractionText, bool integerOnly);
double CutToInteger(double value);  // towards zero

// Orders the bounds, keeps them within the widest range and cuts them in integer-only mode.
void NormaliseRange(double& minimum, double& maximum, bool integerOnly);
// Cuts (in integer-only mode) and clamps the value into the range, beeping when it was outside.
double ClampWithBeep(double value, double minimum, double maximum, bool integerOnly);

class TenkeyCalculator {
public:
    TenkeyCalculator();

    // Orders the bounds, keeps them within the widest range, cuts them in integer-only mode,
    // then applies the current value again (with a reset).
    void SetRange(double minimum, double maximum, int integerOnly);
    // Cuts and clamps (with a beep) the value into X and A; a reset clears the pending state.
    void SetValue(double value, bool reset);
    double GetValue() const { return m_a; }

    // One key press. False for a code that is no key of the pad.
    bool Press(WORD code);

    double GetMemory() const { return m_memory; }
    int GetError() const { return m_error; }
    bool IsIntegerOnly() const { return m_integerOnly; }
    double GetMinimum() const { return m_minimum; }
    double GetMaximum() const { return m_maximum; }

    // "%s.%s" of the entry, trimmed: "123." or "0.5".
    CString GetNumberText() const;
    // The status on the display's left: "Int M ＋", or the error text. Shorter forms drop
    // "Int " (level 1) and then "M " too (level 2).
    CString GetStatusText(int shortened = 0) const;

    static const char* ErrorText(int error);
    static const char* OperatorLabel(WORD code);

private:
    bool PressDigit(WORD code);
    bool AppendDigit(char digit);
    bool PressFunction(WORD code);
    void Operator(WORD key);
    void Percent();
    void SquareRoot();
    void MemoryAddOrSubtract(WORD key);
    void MemoryRecall();
    void Backspace();
    void DecimalPoint();
    void ClearEntry();
    void ClearAll();
    double Calc(WORD op, double a, double b);
    double RangeChecked(double value);
    void Fail(int error);
    void RebuildEntry();
    double EntryValue() const;

    CString m_integerText = "0";
    CString m_fractionText;
    double m_x = 0;
    double m_a = 0;
    double m_memory = 0;
    int m_error = TKE_NONE;
    WORD m_pending = TK_NONE;
    WORD m_repeatOperator = TK_NONE;
    double m_repeatOperand = 0;
    bool m_entering = false;
    bool m_decimal = false;
    bool m_operatorJustPressed = false;
    bool m_recall = false;
    bool m_integerOnly = false;
    double m_minimum;
    double m_maximum = kTenkeyHighestValue;
};
