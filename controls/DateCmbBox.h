// The date field: an edit field holding "yyyy/mm/dd" (or nothing) that opens a calendar.
#pragma once

#include "controls/CalendarCtrl.h"
#include "controls/CustomCmb.h"

// A host whose value is a date text in one mode of the date-time conversions, normalised
// ("2024/5/1" becomes "2024/05/01") and kept in the clock's range; empty stays empty.
class CDateTextCmbBox : public CCustomCmbBox {
public:
    explicit CDateTextCmbBox(int mode) : m_mode(mode) {}

    // Sets the field; the main dialog's way to fill it.
    void SetDateValue(const char* text);
    // The field's value, empty or normalised; the main dialog's way to read it.
    CString GetValueText();
    void UpdateValue(BOOL save) override;

    // The text as the field would hold it: normalised, or empty.
    CString Normalize(const char* text) const;

protected:
    void OnEditKillFocus() override;

    int m_mode;
    CString m_valueText;
    CString m_savedText;  // the value when the drop-down opened
};

class CDateCmbBox : public CDateTextCmbBox {
public:
    CDateCmbBox();

    // The calendar shows the holidays when holidays is 1.
    BOOL Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize, int holidays = 1);

    BOOL OpenDropDown() override;
    LRESULT OnDropDownNotify(int code, LPARAM value) override;

    CCalendarCtrl* GetCalendar() const { return static_cast<CCalendarCtrl*>(m_dropDown.get()); }
};
