#include "controls/DateTimeCmbBox.h"

#include "engine/DateTime.h"

CDateTimeCmbBox::CDateTimeCmbBox() : CDateTextCmbBox(DT_DATE | DT_TIME) {}

BOOL CDateTimeCmbBox::Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize) {
    if (!CCustomCmbBox::Create(placeholderId, newId, parent, fontName, pointSize)) return FALSE;
    m_dropDown = std::make_unique<CDateTimeCtrl>();
    m_dropDown->SetNotifyMessage(WM_CMB_DROPDOWNNOTIFY);
    return TRUE;
}

BOOL CDateTimeCmbBox::OpenDropDown() {
    if (!PrepareDropDown()) return FALSE;
    UpdateValue(TRUE);
    m_savedText = m_valueText;
    GetDateTimeCtrl()->SetDateTimeText(m_valueText, TRUE);
    m_dropDown->Show();
    return TRUE;
}

LRESULT CDateTimeCmbBox::OnDropDownNotify(int code, LPARAM) {
    switch (code) {
        case DDN_CANCEL:
            CloseDropDown();
            SetDateValue(m_savedText);
            break;
        case DDN_OK: {
            const CString taken = GetDateTimeCtrl()->GetDateTimeText();
            CloseDropDown();
            SetDateValue(taken);
            break;
        }
        case DDN_CHANGE:
            SetDateValue(GetDateTimeCtrl()->GetDateTimeText());
            break;
        default:
            break;
    }
    return 0;
}
