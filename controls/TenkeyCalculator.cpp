#include "controls/TenkeyCalculator.h"

#include "framework/Seams.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

double TenkeyLowestValue() {
    const uint64_t bits = 0xC2374876E7FFFFFFull;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double CutToInteger(double value) { return std::trunc(value) + 0.0; }

void SplitNumber(double value, bool integerOnly, CString& integerText, CString& fractionText) {
    // One rounding for both parts, so that 2.9999999 carries into "3" instead of losing the unit.
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", integerOnly ? CutToInteger(value) : value);
    char* point = std::strchr(text, '.');
    const char* fraction = "";
    if (point != nullptr) {
        *point = '\0';
        fraction = point + 1;
    }
    int length = static_cast<int>(std::strlen(fraction));
    while (length > 0 && fraction[length - 1] == '0') --length;
    fractionText = CString(fraction, length);
    integerText = text;
    if (integerText == "-0" && fractionText.IsEmpty()) integerText = "0";  // no negative zero
}

double JoinNumber(const char* integerText, const char* fractionText, bool integerOnly) {
    CString text;
    text.Format("%s.%s", integerText, fractionText);
    const double value = std::atof(text);
    return integerOnly ? CutToInteger(value) : value;
}

void NormaliseRange(double& minimum, double& maximum, bool integerOnly) {
    if (maximum < minimum) std::swap(minimum, maximum);
    if (minimum < TenkeyLowestValue()) minimum = TenkeyLowestValue();
    if (maximum > kTenkeyHighestValue) maximum = kTenkeyHighestValue;
    if (integerOnly) {
        minimum = CutToInteger(minimum);
        maximum = CutToInteger(maximum);
    }
}

double ClampWithBeep(double value, double minimum, double maximum, bool integerOnly) {
    if (integerOnly) value = CutToInteger(value);
    if (value <= maximum && value >= minimum) return value;
    seams::PlayBeep(MB_ICONHAND);
    return value > maximum ? maximum : minimum;
}

TenkeyCalculator::TenkeyCalculator() : m_minimum(TenkeyLowestValue()) {}

void TenkeyCalculator::SetRange(double minimum, double maximum, int integerOnly) {
    m_integerOnly = integerOnly != 0;
    NormaliseRange(minimum, maximum, m_integerOnly);
    m_minimum = minimum;
    m_maximum = maximum;
    SetValue(m_a, true);
}

void TenkeyCalculator::SetValue(double value, bool reset) {
    if (std::isnan(value)) value = 0;
    m_x = m_a = ClampWithBeep(value, m_minimum, m_maximum, m_integerOnly) + 0.0;
    if (reset) {
        m_repeatOperand = 0;
        m_repeatOperator = TK_NONE;
        m_entering = m_decimal = m_operatorJustPressed = m_recall = false;
        m_error = TKE_NONE;
        m_pending = TK_NONE;
    }
    RebuildEntry();
}

void TenkeyCalculator::RebuildEntry() { SplitNumber(m_x, m_integerOnly, m_integerText, m_fractionText); }

double TenkeyCalculator::EntryValue() const { return JoinNumber(m_integerText, m_fractionText, m_integerOnly); }

void TenkeyCalculator::Fail(int error) {
    seams::PlayBeep(MB_ICONHAND);
    m_error = error;
}

double TenkeyCalculator::RangeChecked(double value) {
    if (value < m_minimum) {
        Fail(TKE_UNDERFLOW);
        value = 0;
    }
    if (value > m_maximum) {  // also the zero of an underflow, in a range below zero
        Fail(TKE_OVERFLOW);
        value = 0;
    }
    return value + 0.0;
}

double TenkeyCalculator::Calc(WORD op, double a, double b) {
    double result = 0;
    switch (op) {
        case TK_MULTIPLY: result = a * b; break;
        case TK_ADD: result = a + b; break;
        case TK_SUBTRACT: result = a - b; break;
        case TK_DIVIDE:
            if (b == 0) {
                Fail(TKE_ZERO_DIVIDE);
                return 0;
            }
            result = a / b;
            break;
        case TK_PERCENT: {
            // The remainder of the integer parts: a divisor such as 0.5 is a zero divisor too.
            const double divisor = CutToInteger(b);
            if (divisor == 0) {
                Fail(TKE_ZERO_DIVIDE);
                return 0;
            }
            result = std::fmod(CutToInteger(a), divisor);
            break;
        }
        default: result = b; break;
    }
    if (m_integerOnly) result = CutToInteger(result);
    return RangeChecked(result);
}

bool TenkeyCalculator::Press(WORD code) { return (code & 0xFF) != 0 ? PressDigit(code) : PressFunction(code); }

bool TenkeyCalculator::AppendDigit(char digit) {
    const char text[2] = {digit, '\0'};
    if (!m_entering && !m_decimal) {
        m_integerText = text;
        m_fractionText.Empty();
        m_entering = true;
        m_decimal = false;
        return true;
    }
    if (m_decimal) {
        if (m_fractionText.GetLength() >= 6) {
            seams::PlayBeep(MB_ICONHAND);
            return false;
        }
        m_fractionText += text;
    } else if (m_integerText == "0") {
        m_integerText = text;
    } else if (m_integerText.GetLength() >= 11) {
        seams::PlayBeep(MB_ICONHAND);
        return false;
    } else {
        m_integerText += text;
    }
    m_entering = true;
    return true;
}

bool TenkeyCalculator::PressDigit(WORD code) {
    if (m_error != TKE_NONE) {
        seams::PlayBeep(MB_ICONHAND);
        return true;
    }
    if (code >= 1 && code <= 9) {
        AppendDigit(static_cast<char>('0' + code));
    } else if (code >= TK_ZERO && code <= TK_TRIPLE_ZERO) {
        for (int zero = 0; zero <= code - TK_ZERO; ++zero) {
            if (!AppendDigit('0')) break;
        }
    } else {
        return false;
    }
    m_repeatOperator = TK_NONE;
    m_repeatOperand = 0;
    m_recall = false;
    m_operatorJustPressed = false;
    m_x = EntryValue();
    return true;
}

bool TenkeyCalculator::PressFunction(WORD code) {
    if (m_error != TKE_NONE && code != TK_CLEAR_ENTRY && code != TK_CLEAR) {
        seams::PlayBeep(MB_ICONHAND);
        return true;
    }
    switch (code) {
        case TK_POINT:
            DecimalPoint();
            return true;  // the entry keeps what was typed
        case TK_BACKSPACE:
            Backspace();
            return true;
        case TK_MEMORY_RECALL:
            if (m_memory == 0) {
                seams::PlayBeep(MB_ICONHAND);
                return true;
            }
            MemoryRecall();
            break;
        case TK_SIGN:
            m_x = 0.0 - m_x;  // no negative zero
            if (m_operatorJustPressed || m_pending == TK_NONE) m_a = m_x;
            m_recall = false;
            break;
        case TK_MULTIPLY:
        case TK_DIVIDE:
        case TK_ADD:
        case TK_SUBTRACT:
        case TK_EQUALS:
        case TK_RETURN:
            Operator(code);
            break;
        case TK_PERCENT:
            Percent();
            break;
        case TK_SQRT:
            SquareRoot();
            break;
        case TK_MEMORY_ADD:
        case TK_MEMORY_SUBTRACT:
            MemoryAddOrSubtract(code);
            break;
        case TK_CLEAR_ENTRY:
            ClearEntry();
            break;
        case TK_CLEAR:
            ClearAll();
            break;
        default:
            return false;
    }
    RebuildEntry();
    return true;
}

void TenkeyCalculator::Operator(WORD key) {
    const double shown = m_x;
    if (m_pending != TK_NONE && !m_operatorJustPressed) {
        m_x = Calc(m_pending, m_a, shown);
    } else if (key == TK_EQUALS) {
        if (m_pending == TK_NONE && m_repeatOperator != TK_NONE) {
            m_x = Calc(m_repeatOperator, m_a, m_repeatOperand);
        } else if (m_pending != TK_NONE && m_operatorJustPressed) {
            m_x = Calc(m_pending, m_a, shown);
        }
    }
    if (m_error == TKE_NONE) m_x = RangeChecked(m_x);
    if (m_error != TKE_NONE) return;
    m_a = m_x;
    if (key == TK_EQUALS || key == TK_RETURN) {
        if (m_repeatOperator == TK_NONE) {
            m_repeatOperand = shown;
            m_repeatOperator = m_pending;
        }
        m_pending = TK_NONE;
        m_operatorJustPressed = false;
    } else {
        m_repeatOperand = 0;
        m_repeatOperator = TK_NONE;
        m_operatorJustPressed = true;
        m_pending = key;
    }
    m_entering = m_decimal = m_recall = false;
}

void TenkeyCalculator::Percent() {
    if (m_pending != TK_NONE && m_pending != TK_PERCENT && !m_operatorJustPressed) {
        const double part = m_pending == TK_ADD || m_pending == TK_SUBTRACT ? m_a * m_x * 0.01 : m_x * 0.01;
        m_x = Calc(m_pending, m_a, part);
        if (m_error == TKE_NONE) {
            m_a = m_x;
            m_pending = TK_NONE;
            m_entering = m_decimal = m_operatorJustPressed = m_recall = false;
        }
    } else {
        if (m_pending == TK_PERCENT && !m_operatorJustPressed) m_x = Calc(TK_PERCENT, m_a, m_x);
        if (m_error == TKE_NONE) {
            m_a = m_x;
            m_pending = TK_PERCENT;
            m_operatorJustPressed = true;
            m_entering = m_decimal = m_recall = false;
        }
    }
    m_repeatOperator = TK_NONE;
    m_repeatOperand = 0;
}

void TenkeyCalculator::SquareRoot() {
    if (m_x < 0) {
        Fail(TKE_NEGATIVE_ROOT);
        return;
    }
    m_x = std::sqrt(m_x);
    if (m_integerOnly) m_x = CutToInteger(m_x);
    const bool operatorWasLast = m_operatorJustPressed;
    if (operatorWasLast || m_pending == TK_NONE) m_a = m_x;
    if (operatorWasLast) m_pending = TK_NONE;
    m_repeatOperand = 0;
    m_repeatOperator = TK_NONE;
    m_entering = m_decimal = m_operatorJustPressed = m_recall = false;
}

void TenkeyCalculator::MemoryAddOrSubtract(WORD key) {
    if (m_pending != TK_NONE && !m_operatorJustPressed) m_x = Calc(m_pending, m_a, m_x);
    if (m_error != TKE_NONE) return;
    m_a = m_x;
    m_memory = key == TK_MEMORY_ADD ? m_memory + m_x : m_memory - m_x;
    m_pending = TK_NONE;
    m_entering = m_decimal = m_operatorJustPressed = m_recall = false;
}

void TenkeyCalculator::MemoryRecall() {
    m_x = m_memory;
    if (m_recall) {
        m_memory = 0;
        m_recall = false;
    } else {
        m_recall = true;
    }
    m_repeatOperand = 0;
    m_repeatOperator = TK_NONE;
    m_entering = m_decimal = m_operatorJustPressed = false;
}

void TenkeyCalculator::Backspace() {
    if (!m_entering) {
        seams::PlayBeep(MB_ICONHAND);
        return;
    }
    if (m_decimal) {
        if (!m_fractionText.IsEmpty()) m_fractionText = m_fractionText.Left(m_fractionText.GetLength() - 1);
        if (m_fractionText.IsEmpty()) {
            m_decimal = false;
            if (m_integerText == "0") m_entering = false;
        }
    } else {
        m_integerText = m_integerText.Left(m_integerText.GetLength() - 1);
        if (m_integerText.IsEmpty() || m_integerText == "-") {
            m_integerText = "0";
            m_entering = false;
        }
    }
    m_repeatOperand = 0;
    m_repeatOperator = TK_NONE;
    m_operatorJustPressed = m_recall = false;
    m_x = EntryValue();
}

void TenkeyCalculator::DecimalPoint() {
    if (m_integerOnly) {
        Fail(TKE_ONLY_INTEGER);
        return;
    }
    if (m_decimal) {
        seams::PlayBeep(MB_ICONHAND);
        return;
    }
    m_decimal = true;
    if (!m_entering) {
        m_x = 0;
        RebuildEntry();
    }
    m_repeatOperand = 0;
    m_repeatOperator = TK_NONE;
    m_recall = m_operatorJustPressed = false;
}

void TenkeyCalculator::ClearEntry() {
    if (m_error != TKE_NONE) {
        m_error = TKE_NONE;
        return;
    }
    m_x = 0;
    m_entering = m_decimal = m_operatorJustPressed = m_recall = false;
    m_repeatOperand = 0;
    m_repeatOperator = TK_NONE;
}

void TenkeyCalculator::ClearAll() {
    m_x = m_a = 0;
    m_pending = TK_NONE;
    m_error = TKE_NONE;
    m_entering = m_decimal = m_operatorJustPressed = m_recall = false;
    m_repeatOperand = 0;
    m_repeatOperator = TK_NONE;
}

CString TenkeyCalculator::GetNumberText() const {
    CString text;
    text.Format("%s.%s", static_cast<const char*>(m_integerText), static_cast<const char*>(m_fractionText));
    return text.Trim();
}

const char* TenkeyCalculator::ErrorText(int error) {
    switch (error) {
        case TKE_OVERFLOW: return "Err Over Flow";
        case TKE_UNDERFLOW: return "Err Under Flow";
        case TKE_ZERO_DIVIDE: return "Err Zero Divided";
        case TKE_NEGATIVE_ROOT: return "Err Sqrt (-)";
        case TKE_ONLY_INTEGER: return "Err Only Integer";
        default: return "";
    }
}

const char* TenkeyCalculator::OperatorLabel(WORD code) {
    switch (code) {
        case TK_MULTIPLY: return "×";
        case TK_DIVIDE: return "÷";
        case TK_ADD: return "＋";
        case TK_SUBTRACT: return "－";
        case TK_PERCENT: return "％";
        default: return "";
    }
}

CString TenkeyCalculator::GetStatusText(int shortened) const {
    if (m_error != TKE_NONE) return ErrorText(m_error);
    CString status;
    if (m_integerOnly && shortened < 1) status += "Int ";
    if (m_memory != 0 && shortened < 2) status += "M ";
    status += OperatorLabel(m_pending);
    return status;
}
