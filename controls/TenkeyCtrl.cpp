#include "controls/TenkeyCtrl.h"

#include "controls/DrawAlignedText.h"
#include "controls/KitDraw.h"
#include "framework/CDC.h"
#include "framework/Seams.h"

#include <algorithm>
#include <cstdio>

namespace {

const WORD kKeyGrid[7][4] = {
    {TK_SQRT, TK_PERCENT, TK_CLEAR_ENTRY, TK_CLEAR},
    {TK_SIGN, TK_MEMORY_ADD, TK_MEMORY_SUBTRACT, TK_MEMORY_RECALL},
    {TK_MULTIPLY, TK_DIVIDE, TK_ADD, TK_SUBTRACT},
    {7, 8, 9, TK_EQUALS},
    {4, 5, 6, TK_POINT},
    {1, 2, 3, TK_BACKSPACE},
    {TK_ZERO, TK_DOUBLE_ZERO, TK_TRIPLE_ZERO, TK_RETURN},
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

}  // namespace

CTenkeyCtrl::CTenkeyCtrl() { SetLayout(4, 7); }

void CTenkeyCtrl::SetLayout(int columns, int rows) {
    m_columns = columns;
    m_rows = rows;
    m_keys.assign(static_cast<size_t>(columns * rows), TK_NONE);
    for (int row = 0; row < std::min(rows, 7); ++row) {
        for (int column = 0; column < std::min(columns, 4); ++column) {
            m_keys[static_cast<size_t>(row * columns + column)] = kKeyGrid[row][column];
        }
    }
}

WORD CTenkeyCtrl::GetKey(int column, int row) const {
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows) return TK_NONE;
    return m_keys[static_cast<size_t>(row * m_columns + column)];
}

BOOL CTenkeyCtrl::Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                         int pointSize) {
    return CCustomCmbDropDownWnd::Create(exStyle, style, rect, id, owner, fontName, pointSize);
}

CString CTenkeyCtrl::GetKeyLabel(WORD code, COLORREF* color) {
    COLORREF labelColor = kBlue;
    CString label;
    if (code >= 1 && code <= 9) {
        label.Format("%d", code);
        labelColor = kBlack;
    } else {
        switch (code) {
            case TK_ZERO: label = "0"; labelColor = kBlack; break;
            case TK_DOUBLE_ZERO: label = "00"; labelColor = kBlack; break;
            case TK_TRIPLE_ZERO: label = "000"; labelColor = kBlack; break;
            case TK_POINT: label = "・"; labelColor = kBlack; break;
            case TK_SIGN: label = "+/-"; break;
            case TK_MULTIPLY: label = "×"; break;
            case TK_DIVIDE: label = "÷"; break;
            case TK_ADD: label = "＋"; break;
            case TK_SUBTRACT: label = "－"; break;
            case TK_PERCENT: label = "％"; break;
            case TK_SQRT: label = "√"; break;
            case TK_MEMORY_ADD: label = "M+"; break;
            case TK_MEMORY_SUBTRACT: label = "M-"; break;
            case TK_MEMORY_RECALL: label = "M="; break;
            case TK_EQUALS: label = "＝"; break;
            case TK_RETURN: label = "RET"; labelColor = RGB(0, 128, 128); break;
            case TK_BACKSPACE: label = "BS"; labelColor = RGB(128, 128, 0); break;
            case TK_CLEAR_ENTRY: label = "CE"; labelColor = RGB(128, 0, 0); break;
            case TK_CLEAR: label = "Ｃ"; labelColor = RGB(255, 0, 0); break;
            default: labelColor = kBlack; break;
        }
    }
    if (m_hWnd != nullptr && !IsWindowEnabled()) labelColor = kGrey;
    if (color != nullptr) *color = labelColor;
    return label;
}

RECT CTenkeyCtrl::GetDropDownRect() {
    SIZE widest{};
    for (const WORD code : m_keys) {
        const SIZE size = MeasureText(nullptr, GetKeyLabel(code, nullptr));
        widest.cx = std::max(widest.cx, size.cx);
        widest.cy = std::max(widest.cy, size.cy);
    }
    m_keyWidth = widest.cx + 8;
    m_keyHeight = widest.cy + 6;
    return CalcDropDownRect(m_keyWidth * m_columns + 6, m_keyHeight * (m_rows + 1) + 7);
}

RECT CTenkeyCtrl::GetDisplayRect() const { return {3, 3, 4 * m_keyWidth + 3, m_keyHeight + 3}; }

RECT CTenkeyCtrl::GetKeyRect(int column, int row) const {
    return {column * m_keyWidth + 3, (row + 1) * m_keyHeight + 4, (column + 1) * m_keyWidth + 3,
            (row + 2) * m_keyHeight + 4};
}

RECT CTenkeyCtrl::KeyFromPoint(int x, int y, int* column, int* row) {
    int foundColumn = -1;
    int foundRow = -1;
    RECT rect{};
    if (m_keyWidth > 0 && m_keyHeight > 0 && x > 3 && x < m_columns * m_keyWidth + 3 && y > m_keyHeight + 4 &&
        y < (m_rows + 1) * m_keyHeight + 4) {
        foundColumn = (x - 3) / m_keyWidth;
        foundRow = (y - m_keyHeight - 4) / m_keyHeight;
        rect = GetKeyRect(foundColumn, foundRow);
    }
    if (column != nullptr) *column = foundColumn;
    if (row != nullptr) *row = foundRow;
    return rect;
}

void CTenkeyCtrl::DrawKey(HDC dc, int left, int top, int right, int bottom, int column, int row, BOOL up) {
    if (left >= right || top >= bottom || GetKey(column, row) == TK_NONE || m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    RECT frame{left, top, right, bottom};
    ::DrawFrameControl(target, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (up ? 0 : DFCS_PUSHED));
    const WORD code = GetKey(column, row);
    COLORREF color = kBlack;
    const CString label = GetKeyLabel(code, &color);
    UINT flags = DAT_HCENTER | DAT_VCENTER;
    if (!IsWindowEnabled()) flags |= DAT_DISABLED;
    if (code == TK_RETURN || code == TK_BACKSPACE) flags |= DAT_BOLD;
    const int shift = up ? 0 : 1;
    Selected font(target, m_font.m_hObject);
    ::SetTextColor(target, color);
    ::SetBkMode(target, TRANSPARENT);
    DrawAlignedText(target, label, left + 2, top + 2, right - 2, bottom - 2, shift, shift, flags);
}

CString CTenkeyCtrl::GetFittedNumberText(HDC dc) {
    CString text = m_calculator.GetNumberText();
    if (m_hWnd == nullptr) return text;
    DrawingDC target(m_hWnd, dc);
    Selected font(target, m_font.m_hObject);
    const RECT display = GetDisplayRect();
    int room = display.right - display.left - 4 - 8;
    SIZE size{};
    if (m_calculator.GetError() != TKE_NONE) {
        // The error text is never shortened; the number gives way from its front instead.
        const CString error = m_calculator.GetStatusText();
        ::GetTextExtentPoint32A(target, error, error.GetLength(), &size);
        room -= size.cx + 1 + 4;
        while (!text.IsEmpty() && ::GetTextExtentPoint32A(target, text, text.GetLength(), &size) && size.cx > room) {
            text = text.Mid(1);
        }
        return text;
    }
    while (!text.IsEmpty() && ::GetTextExtentPoint32A(target, text, text.GetLength(), &size) && size.cx > room) {
        text = text.Left(text.GetLength() - 1);
    }
    return text;
}

CString CTenkeyCtrl::GetFittedStatusText(HDC dc, const CString& number) {
    if (m_hWnd == nullptr) return m_calculator.GetStatusText();
    DrawingDC target(m_hWnd, dc);
    Selected font(target, m_font.m_hObject);
    RECT inner = GetDisplayRect();
    ::InflateRect(&inner, -2, -2);
    SIZE numberSize{};
    ::GetTextExtentPoint32A(target, number, number.GetLength(), &numberSize);
    // An error must always be seen: it alone says why every key but the clear keys beeps.
    if (m_calculator.GetError() != TKE_NONE) return m_calculator.GetStatusText();
    // Otherwise the number matters most: with a long one the status drops its indicators, then goes.
    const int room = inner.right - inner.left - 4 - numberSize.cx - 1 - 4;
    for (int shortened = 0; shortened <= 2; ++shortened) {
        const CString status = m_calculator.GetStatusText(shortened);
        SIZE size{};
        ::GetTextExtentPoint32A(target, status, status.GetLength(), &size);
        if (size.cx <= room) return status;
    }
    return CString();
}

void CTenkeyCtrl::DrawDisplay(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    const bool enabled = IsWindowEnabled() != FALSE;
    RECT display = GetDisplayRect();
    ::DrawEdge(target, &display, EDGE_SUNKEN, BF_RECT);
    RECT inner = GetDisplayRect();
    ::InflateRect(&inner, -2, -2);
    FillWithColor(target, inner, ::GetSysColor(enabled ? COLOR_BTNSHADOW : COLOR_BTNFACE));

    const CString number = GetFittedNumberText(target);
    Selected font(target, m_font.m_hObject);
    ::SetBkMode(target, TRANSPARENT);
    ::SetTextColor(target, enabled ? RGB(0, 255, 0) : RGB(0, 128, 0));
    DrawAlignedText(target, number, inner.left, inner.top, inner.right, inner.bottom, 4, 0, DAT_RIGHT | DAT_VCENTER);

    const bool failed = m_calculator.GetError() != TKE_NONE;
    if (failed) {
        ::SetTextColor(target, enabled ? RGB(255, 255, 0) : RGB(128, 128, 0));
    } else {
        ::SetTextColor(target, enabled ? RGB(0, 255, 255) : RGB(0, 128, 128));
    }
    DrawAlignedText(target, GetFittedStatusText(target, number), inner.left, inner.top, inner.right, inner.bottom, 1,
                    0, DAT_VCENTER);
}

void CTenkeyCtrl::PaintKeypad(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    FillWithColor(target, GetClientRect(), ::GetSysColor(COLOR_BTNFACE));
    Selected font(target, m_font.m_hObject);
    DrawDisplay(target);
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            const RECT key = GetKeyRect(column, row);
            DrawKey(target, key.left, key.top, key.right, key.bottom, column, row, TRUE);
        }
    }
}

WORD CTenkeyCtrl::TrackKey(HDC dc, UINT message, int x, int y, RECT* rect, int* column, int* row) {
    if (!::IsRectEmpty(&m_pressedRect)) {
        DrawKey(dc, m_pressedRect.left, m_pressedRect.top, m_pressedRect.right, m_pressedRect.bottom, m_pressedColumn,
                m_pressedRow, TRUE);
        m_pressedRect = {};
        m_pressedColumn = m_pressedRow = -1;
    }
    int foundColumn = -1;
    int foundRow = -1;
    const RECT found = KeyFromPoint(x, y, &foundColumn, &foundRow);
    const WORD code = ::IsRectEmpty(&found) ? static_cast<WORD>(TK_NONE) : GetKey(foundColumn, foundRow);
    if (message == WM_LBUTTONDOWN && code != TK_NONE) {
        DrawKey(dc, found.left, found.top, found.right, found.bottom, foundColumn, foundRow, FALSE);
        m_pressedRect = found;
        m_pressedColumn = foundColumn;
        m_pressedRow = foundRow;
    }
    if (rect != nullptr) *rect = found;
    if (column != nullptr) *column = foundColumn;
    if (row != nullptr) *row = foundRow;
    return code;
}

WORD CTenkeyCtrl::OnKey(HDC dc, UINT message, int x, int y, RECT* rect, int* column, int* row) {
    const WORD code = TrackKey(dc, message, x, y, rect, column, row);
    if (code != TK_NONE && message == WM_LBUTTONDOWN && !m_calculator.Press(code)) {
        if ((code & 0xFF) != 0) {
            OnOtherDigitKey(code);
        } else {
            OnOtherFunctionKey(code);
        }
    }
    DrawDisplay(dc);
    return code;
}

void CTenkeyCtrl::OnOtherDigitKey(WORD) { seams::PlayBeep(MB_ICONHAND); }

void CTenkeyCtrl::OnOtherFunctionKey(WORD) { seams::PlayBeep(MB_ICONHAND); }

void CTenkeyCtrl::SetRange(double minimum, double maximum, int integerOnly) {
    m_calculator.SetRange(minimum, maximum, integerOnly);
    DrawDisplay(nullptr);
}

void CTenkeyCtrl::SetValue(double value, int reset) {
    m_calculator.SetValue(value, reset != 0);
    DrawDisplay(nullptr);
}

int CTenkeyCtrl::OnMouseEvent(UINT message, UINT flags, int x, int y) {
    if (CCustomCmbDropDownWnd::OnMouseEvent(message, flags, x, y) == 0) return 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            if (OnKey(nullptr, message, x, y, nullptr, nullptr, nullptr) != TK_NONE && !m_dropDownMode) {
                ::SetCapture(m_hWnd);
                m_captured = true;
            }
            break;
        case WM_LBUTTONUP: {
            const WORD code = OnKey(nullptr, message, x, y, nullptr, nullptr, nullptr);
            if (m_captured && !m_dropDownMode) {
                ::ReleaseCapture();
                m_captured = false;
            }
            if (m_dropDownMode && m_calculator.GetError() == TKE_NONE) {
                if (code == TK_RETURN) {
                    NotifyOwner(DDN_OK);
                } else if (code == TK_EQUALS) {
                    NotifyOwner(DDN_CHANGE);
                }
            }
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            if (m_dropDownMode) NotifyOwner(DDN_CANCEL);
            break;
        default:
            break;
    }
    return -1;
}

LRESULT CTenkeyCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            PaintKeypad(dc);
            return 0;
        }
        case WM_ENABLE:
            Invalidate(FALSE);
            return 0;
        default:
            return CCustomCmbDropDownWnd::WindowProc(message, wParam, lParam);
    }
}
