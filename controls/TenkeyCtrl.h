// The ten-key pad: a display row over a 4 x 7 grid of calculator keys. "RET" hands the value
// to the field and closes the pad, "＝" hands it over and leaves the pad open.
#pragma once

#include "controls/CustomCmb.h"
#include "controls/TenkeyCalculator.h"

#include <vector>

class CTenkeyCtrl : public CCustomCmbDropDownWnd {
public:
    CTenkeyCtrl();

    BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                int pointSize) override;
    RECT GetDropDownRect() override;
    int OnMouseEvent(UINT message, UINT flags, int x, int y) override;

    virtual void SetLayout(int columns, int rows);
    virtual void PaintKeypad(HDC dc);
    virtual void DrawKey(HDC dc, int left, int top, int right, int bottom, int column, int row, BOOL up);
    virtual void DrawDisplay(HDC dc);
    virtual CString GetKeyLabel(WORD code, COLORREF* color);
    // The key's rectangle (empty when the point is on no key).
    virtual RECT KeyFromPoint(int x, int y, int* column, int* row);
    virtual WORD OnKey(HDC dc, UINT message, int x, int y, RECT* rect, int* column, int* row);
    virtual WORD TrackKey(HDC dc, UINT message, int x, int y, RECT* rect, int* column, int* row);
    virtual void OnOtherDigitKey(WORD code);
    virtual void OnOtherFunctionKey(WORD code);

    void SetRange(double minimum, double maximum, int integerOnly);
    void SetValue(double value, int reset);
    double GetValue() const { return m_calculator.GetValue(); }
    WORD GetKey(int column, int row) const;
    // The key's rectangle in client coordinates.
    RECT GetKeyRect(int column, int row) const;
    RECT GetDisplayRect() const;
    const TenkeyCalculator& GetCalculator() const { return m_calculator; }
    // The number text as the display fits it into its width, beside an error text when there is one.
    CString GetFittedNumberText(HDC dc);
    // The longest form of the status that leaves the number clear (possibly empty); an error text whole.
    CString GetFittedStatusText(HDC dc, const CString& number);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_columns = 0;
    int m_rows = 0;
    std::vector<WORD> m_keys;
    int m_keyWidth = 0;
    int m_keyHeight = 0;
    RECT m_pressedRect{};
    int m_pressedColumn = -1;
    int m_pressedRow = -1;
    bool m_captured = false;
    TenkeyCalculator m_calculator;
};
