#include "controls/DateCmbBox.h"

#include "engine/DateTime.h"

#include <cstdio>

CString CDateTextCmbBox::Normalize(const char* text) const {
    if (text == nullptr || text[0] == '\0') return CString();
    return FormatClock(TextToClock(text, m_mode), m_mode);
}

void CDateTextCmbBox::SetDateValue(const char* text) {
    m_valueText = Normalize(text);
    UpdateValue(FALSE);
}

CString CDateTextCmbBox::GetValueText() {
    UpdateValue(TRUE);
    return m_valueText;
}

void CDateTextCmbBox::UpdateValue(BOOL save) {
    if (save) {
        m_valueText = Normalize(GetText());
        return;
    }
    SetText(m_valueText);
    SelectAllText();
}

void CDateTextCmbBox::OnEditKillFocus() {
    CCustomCmbBox::OnEditKillFocus();
    const CString typed = GetText();
    if (typed.IsEmpty()) return;
    const CString normalized = Normalize(typed);
    const SYSTEMTIME asTyped = ParseDateTime(typed, m_mode);
    const SYSTEMTIME asKept = ParseDateTime(normalized, m_mode);
    SetDateValue(normalized);
    // A date that the clock cannot hold was moved into its range: the user must see that.
    if (asTyped.wYear != asKept.wYear || asTyped.wMonth != asKept.wMonth || asTyped.wDay != asKept.wDay) {
        RejectInput(MB_ICONASTERISK);
    }
}

CDateCmbBox::CDateCmbBox() : CDateTextCmbBox(DT_DATE) {}

BOOL CDateCmbBox::Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize,
                         int holidays) {
    if (!CCustomCmbBox::Create(placeholderId, newId, parent, fontName, pointSize)) return FALSE;
    if (holidays == 1) {
        m_dropDown = std::make_unique<CCalendarCtrlEx>();
    } else {
        m_dropDown = std::make_unique<CCalendarCtrl>();
    }
    m_dropDown->SetNotifyMessage(WM_CMB_DROPDOWNNOTIFY);
    return TRUE;
}

BOOL CDateCmbBox::OpenDropDown() {
    if (!PrepareDropDown()) return FALSE;
    UpdateValue(TRUE);
    m_savedText = m_valueText;
    GetCalendar()->SetDateText(m_valueText, TRUE);
    m_dropDown->Show();
    return TRUE;
}

LRESULT CDateCmbBox::OnDropDownNotify(int code, LPARAM value) {
    const calendar::Date date = calendar::UnpackDate(value);
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d/%d", date.Year, date.Month, date.Day);
    switch (code) {
        case DDN_CANCEL:
            CloseDropDown();
            SetDateValue(m_savedText);
            break;
        case DDN_OK:
            CloseDropDown();
            SetDateValue(text);
            break;
        case DDN_CHANGE:
        case DDN_SELECT:
            SetDateValue(text);
            break;
        default:
            break;
    }
    return 0;
}
