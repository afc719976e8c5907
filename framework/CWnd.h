// Windows as C++ objects, with MFC's names: one window procedure finds the object of a
// window handle and calls its virtual WindowProc, whose default hands on to the window's
// original procedure.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: as in MFC

    // The object bound to a window, or nullptr when the window has none.
    static CWnd* FromHandlePermanent(HWND window);

    // Binds the object to an existing window and routes its messages through WindowProc.
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creates a window; a null class name means the framework's own class. Messages reach
    // WindowProc from the first one on for the framework's classes, after creation for others.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                  HWND parent, UINT id);
    virtual BOOL DestroyWindow();
    // Lets a class adjust the class, styles and rectangle before CreateEx makes the window;
    // FALSE cancels the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);

    // Called for messages of the modal loop before they are dispatched, for the window the
    // message is for and each of its parents; TRUE means handled.
    virtual BOOL PreTranslateMessage(MSG* msg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);

    CString GetWindowText() const;
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }

    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    // The window's rectangle in its parent's client coordinates.
    RECT GetRectInParent() const;
    void ScreenToClient(RECT& rect) const;
    void ScreenToClient(POINT& point) const { ::ScreenToClient(m_hWnd, &point); }
    void ClientToScreen(RECT& rect) const;
    void ClientToScreen(POINT& point) const { ::ClientToScreen(m_hWnd, &point); }
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags);

    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) { return ::SetTimer(m_hWnd, id, milliseconds, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The original procedure of the window (or DefWindowProc) for any message.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The original procedure for the message being handled.
    LRESULT Default();

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Notifications (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*) that the
    // parent received from this child; TRUE when the child handled them itself.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // After the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

private:
    struct CurrentMessage {
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
    };

    static LRESULT CALLBACK StandardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    friend class CDialog;
    friend const char* AfxRegisterWndClass(UINT, HCURSOR, HBRUSH, HICON);
    void Bind(HWND window);
    void Unbind();
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_superProc = nullptr;
    CurrentMessage m_current{};
};

// The text of any window.
CString WindowTextOf(HWND window);

// Registers (once) a window class whose procedure is the framework's; returns its name.
const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                HICON icon = nullptr);

// Walks from the message's window up through its parents, offering it to each object's PreTranslateMessage.
BOOL WalkPreTranslateTree(HWND top, MSG* msg);
