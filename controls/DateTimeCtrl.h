// The date-and-time control: a calendar pane and a clock pane side by side over a band with
// "< 現在の日時 >" (a click there takes the current date and time), "OK" and "ｷｬﾝｾﾙ".
// Every change in a pane reaches the field at once.
#pragma once

#include "controls/CalendarCtrl.h"
#include "controls/ClockCtrl.h"
#include "controls/CustomCmb.h"
#include "controls/KitButtons.h"

enum : UINT {
    WM_DTC_CALENDARNOTIFY = 0x502,
    WM_DTC_CLOCKNOTIFY = 0x503,
};

enum : UINT {
    IDC_DTC_CALENDAR = 9999,
    IDC_DTC_CLOCK = 9998,
    IDC_DTC_OK = 9997,
    IDC_DTC_CANCEL = 9996,
};

class CDateTimeCtrl : public CCustomCmbDropDownWnd {
public:
    BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                int pointSize) override;
    RECT GetDropDownRect() override;
    int OnMouseEvent(UINT message, UINT flags, int x, int y) override;

    virtual void OnCalendarChanged();
    virtual void OnClockChanged();

    // An empty text is the current date and time; with update the panes show the value.
    void SetDateTimeText(const char* text, BOOL update);
    void SetDateTime(CTime value, BOOL update);
    CString GetDateTimeText() const { return m_valueText; }

    CDateTimeCtrlCalendar& GetCalendarPane() { return m_calendar; }
    CDateTimeCtrlClock& GetClockPane() { return m_clock; }
    CCaptionButton& GetOkButton() { return m_ok; }
    CCaptionButton& GetCancelButton() { return m_cancel; }
    // The band left of the buttons where the label is drawn (client coordinates).
    RECT GetLabelRect() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void TakePanes();
    void Paint(HDC dc);

    CTime m_value;
    CString m_valueText;
    CDateTimeCtrlCalendar m_calendar;
    CDateTimeCtrlClock m_clock;
    CCaptionButton m_ok;
    CCaptionButton m_cancel;
};
