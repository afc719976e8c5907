// The drop-down mechanism of the entry fields: a host that looks like a drop-down combo box
// (edit field and arrow button) and the pop-up control that it opens under itself.
#pragma once

#include "controls/KitButtons.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "res/resource.h"

#include <memory>

// Codes of WM_CMB_DROPDOWNNOTIFY (wParam); lParam carries a kind-specific value.
enum DropDownNotifyCode : int {
    DDN_CANCEL = 0,  // close and restore the value from the opening
    DDN_OK = 1,      // close and take the value
    DDN_CHANGE = 2,  // take the value, stay open
    DDN_SELECT = 3,  // take the value, stay open (dragging over the calendar's days)
};

enum : UINT {
    IDC_CMB_EDIT = 9999,
    IDC_CMB_ARROW = 9998,
    IDC_CMB_SPIN = 9997,
};

// The point moved from one window's client coordinates to another's.
POINT MapClientPoint(POINT point, HWND from, HWND to);
// WM_SETFONT of the kit: keeps a copy of the font (or a 9-point default) in fontObject and
// passes it on to every descendant. Returns 0.
LRESULT SetControlFont(CWnd* window, HFONT font, BOOL redraw, CFont& fontObject);

class CCustomCmbDropDownWnd : public CWnd {
public:
    CCustomCmbDropDownWnd();
    ~CCustomCmbDropDownWnd() override;

    // A font name makes a font of that face and size; none copies the owner's font.
    virtual BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                        int pointSize);
    // The window rectangle the control wants: screen coordinates for a drop-down or pop-up,
    // the owner's client coordinates for a child.
    virtual RECT GetDropDownRect();
    virtual void NotifyOwner(int code);
    // Every mouse message passes here first; 0 when it closed the drop-down, else -1.
    virtual int OnMouseEvent(UINT message, UINT flags, int x, int y);

    // Creates the window as the pop-up of a host, which then holds the mouse while it shows.
    BOOL DropDown(CWnd* owner, const char* fontName, int pointSize);
    void Show(const POINT* topLeft = nullptr);
    void Hide();
    void SetNotifyMessage(UINT message) { m_notifyMessage = message; }
    SIZE MeasureText(HDC dc, const char* text);
    RECT CalcDropDownRect(int width, int height);

    bool IsPopupWindow() const { return m_hWnd != nullptr && (GetStyle() & WS_POPUP) != 0; }
    HFONT GetControlFont() const { return static_cast<HFONT>(m_font.m_hObject); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostToOwner(int code, LPARAM value);

    HWND m_owner = nullptr;
    const char* m_className;
    UINT m_notifyMessage = 0;
    bool m_child = false;
    bool m_dropDownMode = false;
    CFont m_font;
    HCURSOR m_cursor;
};

class CCustomCmbBox : public CWnd {
public:
    CCustomCmbBox();
    ~CCustomCmbBox() override;

    // Puts the host where the dialog's placeholder control is (grown by one pixel on every
    // side) and destroys the placeholder. The font name and size are for the drop-down; an
    // empty name gives it a copy of the dialog's font.
    BOOL Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize);

    virtual void SetText(const char* text);
    virtual CString GetText() const;
    virtual RECT GetArrowRect() const;  // screen coordinates
    virtual BOOL OpenDropDown();
    virtual BOOL CloseDropDown();
    // An open drop-down closes and the field gets back the value it had when it opened; false
    // when none was open.
    bool CancelDropDown();
    virtual LRESULT OnDropDownNotify(int code, LPARAM value);
    virtual int OnMouseEvent(UINT message, UINT flags, int x, int y);
    // 1: the edit text becomes the value; 0: the value is shown in the edit field.
    virtual void UpdateValue(BOOL save) = 0;

    bool IsDroppedDown() const;
    CEdit& GetEdit() { return m_edit; }
    CDropArrowButton& GetArrow() { return m_arrow; }

    // Escape cancels an open drop-down and goes no further: the dialog would take it for a close.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void LayoutChildren();
    virtual void OnEnable(BOOL enable);
    // EN_KILLFOCUS of the edit field: an open drop-down is cancelled; the kinds then check the text.
    virtual void OnEditKillFocus();
    // Makes the drop-down's window when needed; false when it is already showing or cannot be made.
    bool PrepareDropDown();
    // Wrong input: a beep, the focus back in the field and all of its text selected.
    void RejectInput(UINT beep);
    void SelectAllText();

    CFont m_font;
    CString m_dropDownFontName;
    int m_dropDownPointSize = 9;
    CEdit m_edit;
    CDropArrowButton m_arrow{CDropArrowButton::Down};
    std::unique_ptr<CCustomCmbDropDownWnd> m_dropDown;
};
