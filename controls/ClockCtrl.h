// The clock: an analogue face with hour marks on the inner ring and five-minute marks on the
// outer ring, three hands, and the digital time in three boxes with a spin button each.
// CDateTimeCtrlClock is the clock pane of the date-and-time control.
#pragma once

#include "controls/ClockFace.h"
#include "controls/CustomCmb.h"

enum : UINT {
    IDC_CLOCK_HOUR_SPIN = 9999,
    IDC_CLOCK_MINUTE_SPIN = 9998,
    IDC_CLOCK_SECOND_SPIN = 9997,
};

// A spin button that hands the mouse capture to a window of our choice when it is released,
// so that a drop-down's host gets the mouse back after a click on the spin.
class CCaptureSpinButton : public CSpinButtonCtrl {
public:
    BOOL Create(const RECT& rect, UINT id, CWnd* parent, int lower, int upper, BOOL keepParent);
    void SetCaptureWindow(HWND window) { m_captureWindow = window; }
    HWND GetCaptureWindow() const { return m_captureWindow; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND m_captureWindow = nullptr;
};

class CClockCtrl : public CCustomCmbDropDownWnd {
public:
    BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                int pointSize) override;
    RECT GetDropDownRect() override;
    void NotifyOwner(int code) override;  // lParam: the time, packed
    int OnMouseEvent(UINT message, UINT flags, int x, int y) override;

    virtual int StepField(UINT spinId, int position, int delta);
    virtual void PaintClock(HDC dc);
    virtual void DrawFace(HDC dc);
    virtual void DrawMarks(int left, int top, int right, int bottom, HDC dc, BOOL inner);
    virtual POINT PointOnCircle(int left, int top, int right, int bottom, int angle, BOOL inset, RECT* mark);
    virtual void DrawDigits(HDC dc, int mask);
    virtual void DrawHands(HDC dc);
    virtual COLORREF GetMarkColor(BOOL inner);
    virtual void DrawOkLabel(HDC dc);
    // 0 nothing, 1 an hour mark picked, 2 a minute mark picked, 4 a release on the centre.
    virtual int HitTest(UINT message, int x, int y);
    virtual BOOL PickMark(int x, int y, BOOL hour);

    // Each value is clamped into its range.
    void SetTime(int hour, int minute, int second);
    CString GetTimeText() const;  // "hh:mm:ss"
    const clock_face::Layout& GetLayout() const { return m_layout; }
    CCaptureSpinButton& GetSpin(UINT id);
    // The window that gets the capture back after a click on one of the spins.
    void SetSpinCaptureWindow(HWND window);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A press on a spin goes on to the spin, since the host holds the mouse; true when it did.
    bool RepostToSpin(UINT message, UINT flags, int x, int y);

private:
    void SetField(UINT spinId, int value);

    clock_face::Time m_time{0, 0, 0};
    clock_face::Layout m_layout{};
    CCaptureSpinButton m_hourSpin;
    CCaptureSpinButton m_minuteSpin;
    CCaptureSpinButton m_secondSpin;
};

class CDateTimeCtrlClock : public CClockCtrl {
public:
    int OnMouseEvent(UINT message, UINT flags, int x, int y) override;
};
