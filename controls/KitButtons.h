// The kit's own push buttons: an arrow button (the host's drop-down arrow, the calendar's month
// arrows) and a text button. Both act on the mouse alone and can hand the mouse capture back
// to whoever held it before the press, which keeps a drop-down's host in charge of the mouse.
#pragma once

#include "framework/CString.h"
#include "framework/CWnd.h"
#include "framework/Gdi.h"

class CTrackingButton : public CWnd {
public:
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);

    // While set, every mouse message is also sent to the parent in its client coordinates.
    void SetForward(bool forward) { m_forward = forward; }
    // While set, the press remembers the capture holder and the release hands the capture back.
    void SetRestoreCapture(bool restore) { m_restoreCapture = restore; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void Draw(HDC dc, bool pressed) = 0;
    // The push-button frame in the pressed or raised look, grey when disabled.
    void DrawFrame(HDC dc, bool pressed) const;
    void Redraw();

private:
    void OnButtonDown();
    void OnMouseMove(POINT point);
    void OnButtonUp(POINT point);
    bool Contains(POINT point) const;

    bool m_forward = false;
    bool m_restoreCapture = false;
    bool m_tracking = false;
    bool m_pressedLook = false;
    HWND m_previousCapture = nullptr;
};

class CDropArrowButton : public CTrackingButton {
public:
    enum Kind { Down = 1, Up = 2, Left = 3, Right = 4 };

    explicit CDropArrowButton(int kind = Down);
    // The size of the arrow's image, which is also the button's natural size.
    SIZE GetBitmapSize() const;

protected:
    void Draw(HDC dc, bool pressed) override;

private:
    CBitmap m_normal;
    CBitmap m_pushed;
    CBitmap m_inactive;
};

class CCaptionButton : public CTrackingButton {
public:
    // Takes a copy of the parent's font at creation.
    BOOL Create(const char* caption, const RECT& rect, CWnd* parent, UINT id);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc, bool pressed) override;

private:
    CString m_caption;
    CFont m_font;
};
