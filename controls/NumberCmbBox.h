// The size field: an edit field holding a number, a spin button that steps it by one, and
// a ten-key pad as its drop-down. Values are doubles, which hold every whole number up to
// 99999999999 exactly.
#pragma once

#include "controls/CustomCmb.h"
#include "controls/TenkeyCtrl.h"

class CNumberCmbBox : public CCustomCmbBox {
public:
    CNumberCmbBox();

    BOOL Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize);

    // The bounds are ordered and kept within the pad's widest range, and cut to whole
    // numbers in integer-only mode; the current value is then applied again.
    void SetRange(double minimum, double maximum, int integerOnly = 1);
    void SetIntegerOnly(int integerOnly) { SetRange(m_minimum, m_maximum, integerOnly); }
    // Cuts (integer-only) and clamps the value into the range, with a beep when it was outside.
    void SetValue(double value);
    // The value of the edit text as it stands.
    double GetValue();
    void UpdateValue(BOOL save) override;

    BOOL OpenDropDown() override;
    LRESULT OnDropDownNotify(int code, LPARAM value) override;

    double GetMinimum() const { return m_minimum; }
    double GetMaximum() const { return m_maximum; }
    int IsIntegerOnly() const { return m_integerOnly; }
    CSpinButtonCtrl& GetSpin() { return m_spin; }
    CTenkeyCtrl* GetTenkey() const { return static_cast<CTenkeyCtrl*>(m_dropDown.get()); }

    // The rule of the typed text: digits, one '.', a sign only in front.
    static bool IsNumberText(const char* text);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren() override;
    void OnEnable(BOOL enable) override;
    void OnEditKillFocus() override;

private:
    void OnSpin(int code, int position);

    double m_value = 0;
    double m_savedValue = 0;
    double m_minimum;
    double m_maximum = kTenkeyHighestValue;
    int m_integerOnly = 1;
    CSpinButtonCtrl m_spin;
};
