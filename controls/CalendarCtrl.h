// The month calendar: a caption with the year and month between two arrows, seven weekday
// columns over six weeks, and a band with today's date. CCalendarCtrlEx paints Japan's public
// holidays; CDateTimeCtrlCalendar is the calendar pane of the date-and-time control.
#pragma once

#include "controls/CalendarDays.h"
#include "controls/CustomCmb.h"
#include "framework/CTime.h"

enum : UINT {
    IDC_CAL_PREVIOUS = 9999,
    IDC_CAL_NEXT = 9998,
    ID_CAL_MONTH_BASE = 11000,  // + month (1-12) and + year (1970-2038) in the menus
};

class CCalendarCtrl : public CCustomCmbDropDownWnd {
public:
    CCalendarCtrl();

    BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                int pointSize) override;
    RECT GetDropDownRect() override;
    void NotifyOwner(int code) override;  // lParam: the selected date, packed
    int OnMouseEvent(UINT message, UINT flags, int x, int y) override;

    virtual void Refresh();
    virtual void DrawCell(HDC dc, int column, int row, const char* text, COLORREF color);
    virtual void DrawCaption(HDC dc, int year, int month);
    virtual void DrawToday(HDC dc);
    virtual void PaintCalendar(HDC dc);
    virtual COLORREF GetDayColor(int year, int month, int day, int column, BOOL header);
    virtual const char* GetWeekdayLabel(int index);
    virtual BOOL SelectDay(HDC dc, int day);
    virtual BOOL HitTest(HDC dc, int x, int y);
    virtual BOOL SelectCell(HDC dc, int column, int row);
    virtual void ShowYearMonthMenu(int x, int y);

    // An empty text selects the current date.
    void SetDateText(const char* text, BOOL repaint);
    void SetDate(CTime value, BOOL repaint);
    CString GetDateText() const { return m_dateText; }
    calendar::Date GetSelectedDate() const;

    // The arrows' and menus' commands; each notifies DDN_CHANGE.
    void PreviousMonth();
    void NextMonth();
    void ChooseMonth(int month);
    void ChooseYear(int year);

    // The menu that the caption opens at x (years, or months when x is right of the middle).
    HMENU BuildYearMonthMenu(int x) const;

    const int* GetDayTable() const { return m_days; }
    SIZE GetCellSize() const { return {m_cellWidth, m_cellHeight}; }
    RECT GetTodayRect() const { return m_todayRect; }
    RECT GetFocusRect() const { return m_focusRect; }
    CDropArrowButton& GetPreviousArrow() { return m_previous; }
    CDropArrowButton& GetNextArrow() { return m_next; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A press on an arrow goes on to the arrow, since the host holds the mouse; true when it did.
    bool RepostToArrow(UINT message, UINT flags, int x, int y);
    void TrackYearMonthMenu(int x);
    void SetSelected(calendar::Date date, BOOL repaint);
    void ApplyMonthStep(calendar::Date date);
    RECT ClientArea() const;

    CTime m_date;
    CString m_dateText;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    int m_days[calendar::kCells];
    RECT m_captionRect{};
    RECT m_todayRect{};
    RECT m_focusRect{};
    CDropArrowButton m_previous{CDropArrowButton::Left};
    CDropArrowButton m_next{CDropArrowButton::Right};
    bool m_menuTracking = false;
};

class CCalendarCtrlEx : public CCalendarCtrl {
public:
    COLORREF GetDayColor(int year, int month, int day, int column, BOOL header) override;
};

class CDateTimeCtrlCalendar : public CCalendarCtrlEx {
public:
    int OnMouseEvent(UINT message, UINT flags, int x, int y) override;
    void ShowYearMonthMenu(int x, int y) override;
    // The window that gets the mouse back after the year/month menu.
    void SetCaptureWindow(HWND window) { m_captureWindow = window; }
    HWND GetCaptureWindow() const { return m_captureWindow; }

private:
    HWND m_captureWindow = nullptr;
};

// Colours of the days and weekday labels.
namespace calendar_colors {
constexpr COLORREF kSunday = RGB(255, 0, 0);
constexpr COLORREF kSundayDim = RGB(128, 0, 0);
constexpr COLORREF kWeekday = RGB(0, 0, 0);
constexpr COLORREF kWeekdayDim = RGB(128, 128, 128);
constexpr COLORREF kSaturday = RGB(0, 0, 255);
constexpr COLORREF kSaturdayDim = RGB(0, 0, 128);
constexpr COLORREF kHoliday = RGB(255, 0, 255);
}  // namespace calendar_colors
