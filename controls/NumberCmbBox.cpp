#include "controls/NumberCmbBox.h"

#include "framework/Seams.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

CNumberCmbBox::CNumberCmbBox() : m_minimum(TenkeyLowestValue()) {}

BOOL CNumberCmbBox::Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize) {
    if (!CCustomCmbBox::Create(placeholderId, newId, parent, fontName, pointSize)) return FALSE;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);
    if (!m_spin.CreateEx(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, m_hWnd, IDC_CMB_SPIN)) {
        return FALSE;
    }
    m_spin.SendMessage(UDM_SETRANGE, 0, MAKELPARAM(1, -1));
    m_spin.SendMessage(UDM_SETPOS, 0, MAKELPARAM(0, 0));
    LayoutChildren();
    m_dropDown = std::make_unique<CTenkeyCtrl>();
    m_dropDown->SetNotifyMessage(WM_CMB_DROPDOWNNOTIFY);
    SetValue(m_value);
    return TRUE;
}

void CNumberCmbBox::LayoutChildren() {
    CCustomCmbBox::LayoutChildren();
    if (m_spin.m_hWnd == nullptr) return;
    const int arrowWidth = m_arrow.GetBitmapSize().cx;
    const RECT edit = m_edit.GetRectInParent();
    const int editRight = edit.right - arrowWidth;
    ::MoveWindow(m_edit.m_hWnd, edit.left, edit.top, editRight - edit.left, edit.bottom - edit.top, TRUE);
    ::MoveWindow(m_spin.m_hWnd, editRight, edit.top - 1, arrowWidth, edit.bottom - edit.top + 1, TRUE);
}

void CNumberCmbBox::OnEnable(BOOL enable) {
    CCustomCmbBox::OnEnable(enable);
    m_spin.EnableWindow(enable);
}

void CNumberCmbBox::SetRange(double minimum, double maximum, int integerOnly) {
    m_integerOnly = integerOnly != 0 ? 1 : 0;
    NormaliseRange(minimum, maximum, m_integerOnly != 0);
    m_minimum = minimum;
    m_maximum = maximum;
    SetValue(m_value);
}

void CNumberCmbBox::SetValue(double value) {
    m_value = ClampWithBeep(value, m_minimum, m_maximum, m_integerOnly != 0) + 0.0;
    UpdateValue(FALSE);
}

double CNumberCmbBox::GetValue() {
    UpdateValue(TRUE);
    return m_value;
}

void CNumberCmbBox::UpdateValue(BOOL save) {
    if (save) {
        const double typed = std::atof(GetText());
        m_value = (m_integerOnly ? CutToInteger(typed) : typed) + 0.0;
        return;
    }
    if (m_edit.m_hWnd == nullptr) return;
    CString integerText;
    CString fractionText;
    SplitNumber(m_value, m_integerOnly != 0, integerText, fractionText);
    if (!m_integerOnly && !fractionText.IsEmpty()) integerText += CString(".") + fractionText;
    SetText(integerText);
    SelectAllText();
}

bool CNumberCmbBox::IsNumberText(const char* text) {
    int points = 0;
    for (int index = 0; text[index] != '\0'; ++index) {
        const char ch = text[index];
        if (ch >= '0' && ch <= '9') continue;
        if (ch == '.' && ++points == 1) continue;
        if ((ch == '+' || ch == '-') && index == 0) continue;
        return false;
    }
    return true;
}

void CNumberCmbBox::OnEditKillFocus() {
    CCustomCmbBox::OnEditKillFocus();
    CString text = GetText();
    text.Trim();
    if (text.IsEmpty()) return;
    if (!IsNumberText(text)) {
        RejectInput(MB_ICONASTERISK);
        return;
    }
    SetValue(std::atof(text));
}

BOOL CNumberCmbBox::OpenDropDown() {
    if (!PrepareDropDown()) return FALSE;
    UpdateValue(TRUE);
    m_savedValue = m_value;
    GetTenkey()->SetRange(m_minimum, m_maximum, m_integerOnly);
    GetTenkey()->SetValue(m_value, 1);
    m_dropDown->Show();
    return TRUE;
}

LRESULT CNumberCmbBox::OnDropDownNotify(int code, LPARAM) {
    switch (code) {
        case DDN_CANCEL:
            CloseDropDown();
            SetValue(m_savedValue);
            break;
        case DDN_OK:
            CloseDropDown();
            SetValue(GetTenkey()->GetValue());
            break;
        case DDN_CHANGE:
            SetValue(GetTenkey()->GetValue());
            break;
        default:
            break;
    }
    return 0;
}

void CNumberCmbBox::OnSpin(int code, int position) {
    if (code == SB_THUMBPOSITION) {
        UpdateValue(TRUE);
        if (position == -1) {
            if (m_value - 1 >= m_minimum) {
                m_value -= 1;
            } else {
                seams::PlayBeep(MB_ICONHAND);
            }
        } else if (position == 1) {
            if (m_value + 1 <= m_maximum) {
                m_value += 1;
            } else {
                seams::PlayBeep(MB_ICONHAND);
            }
        }
        UpdateValue(FALSE);
    }
    m_spin.SendMessage(UDM_SETPOS, 0, MAKELPARAM(0, 0));
}

LRESULT CNumberCmbBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL && reinterpret_cast<HWND>(lParam) == m_spin.m_hWnd && m_spin.m_hWnd != nullptr) {
        OnSpin(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    }
    return CCustomCmbBox::WindowProc(message, wParam, lParam);
}
