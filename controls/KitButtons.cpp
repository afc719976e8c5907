// OEM bitmap ids (OBM_*) are only declared with this set.
#define OEMRESOURCE
#include "controls/KitButtons.h"

#include "controls/CustomCmb.h"
#include "controls/DrawAlignedText.h"
#include "framework/CDC.h"

#include <windowsx.h>

BOOL CTrackingButton::Create(const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW)), "",
                    WS_CHILD | WS_VISIBLE, rect, parent->m_hWnd, id);
}

void CTrackingButton::DrawFrame(HDC dc, bool pressed) const {
    RECT frame = GetClientRect();
    UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) state |= DFCS_PUSHED;
    if (IsWindowEnabled() == FALSE) state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &frame, DFC_BUTTON, state);
}

bool CTrackingButton::Contains(POINT point) const {
    const RECT client = GetClientRect();
    return ::PtInRect(&client, point) != FALSE;
}

void CTrackingButton::Redraw() {
    if (m_hWnd == nullptr) return;
    HDC dc = ::GetDC(m_hWnd);
    Draw(dc, m_tracking && m_pressedLook);
    ::ReleaseDC(m_hWnd, dc);
}

void CTrackingButton::OnButtonDown() {
    m_previousCapture = m_restoreCapture ? ::GetCapture() : nullptr;
    m_tracking = true;
    m_pressedLook = true;
    ::SetCapture(m_hWnd);
    Redraw();
}

void CTrackingButton::OnMouseMove(POINT point) {
    if (!m_tracking || ::GetCapture() != m_hWnd) return;
    const bool inside = Contains(point);
    if (inside == m_pressedLook) return;
    m_pressedLook = inside;
    Redraw();
}

void CTrackingButton::OnButtonUp(POINT point) {
    if (!m_tracking) return;  // the press went elsewhere
    m_tracking = false;
    m_pressedLook = false;
    HWND giveBack = m_previousCapture;
    m_previousCapture = nullptr;
    if (giveBack != nullptr && ::IsWindow(giveBack)) {
        ::SetCapture(giveBack);
    } else if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    Redraw();
    if (Contains(point)) {
        ::PostMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
    }
}

LRESULT CTrackingButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(m_hWnd, &paint);
            Draw(dc, m_tracking && m_pressedLook);
            ::EndPaint(m_hWnd, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_ENABLE:
            Invalidate(FALSE);
            return 0;
        case WM_CAPTURECHANGED:
            // Someone else took the mouse: the press is over without a click.
            if (m_tracking && reinterpret_cast<HWND>(lParam) != m_hWnd) {
                m_tracking = false;
                m_pressedLook = false;
                m_previousCapture = nullptr;
                Redraw();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            HWND self = m_hWnd;
            if (m_forward) {
                // The parent sees the press first: a host opens its drop-down and takes the
                // capture, which the press below then remembers and gives back.
                const POINT inParent = MapClientPoint(point, m_hWnd, GetParent());
                ::SendMessageA(GetParent(), message, wParam, MAKELPARAM(inParent.x, inParent.y));
                if (!::IsWindow(self)) return 0;
            }
            if (!IsWindowEnabled()) return 0;
            if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
                OnButtonDown();
            } else if (message == WM_MOUSEMOVE) {
                OnMouseMove(point);
            } else if (message == WM_LBUTTONUP) {
                OnButtonUp(point);
            }
            return 0;
        }
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}

namespace {

struct ArrowImages {
    int Normal;
    int Pushed;
    int Inactive;
};

ArrowImages ImagesOf(int kind) {
    switch (kind) {
        case CDropArrowButton::Up: return {OBM_UPARROW, OBM_UPARROWD, OBM_UPARROWI};
        case CDropArrowButton::Left: return {OBM_LFARROW, OBM_LFARROWD, OBM_LFARROWI};
        case CDropArrowButton::Right: return {OBM_RGARROW, OBM_RGARROWD, OBM_RGARROWI};
        default: return {OBM_DNARROW, OBM_DNARROWD, OBM_DNARROWI};
    }
}

HBITMAP LoadSystemBitmap(int id) { return ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(id)); }

}  // namespace

CDropArrowButton::CDropArrowButton(int kind) {
    const ArrowImages images = ImagesOf(kind);
    m_normal.Attach(LoadSystemBitmap(images.Normal));
    m_pushed.Attach(LoadSystemBitmap(images.Pushed));
    m_inactive.Attach(LoadSystemBitmap(images.Inactive));
}

SIZE CDropArrowButton::GetBitmapSize() const {
    BITMAP info{};
    if (m_normal.m_hObject == nullptr || !m_normal.GetBitmap(&info)) {
        return {::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYVSCROLL)};
    }
    return {info.bmWidth, info.bmHeight};
}

void CDropArrowButton::Draw(HDC dc, bool pressed) {
    DrawFrame(dc, pressed);
    const CBitmap& image = IsWindowEnabled() == FALSE ? m_inactive : pressed ? m_pushed : m_normal;
    if (image.m_hObject == nullptr) return;
    BITMAP info{};
    image.GetBitmap(&info);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, image.m_hObject);
    const RECT client = GetClientRect();
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

BOOL CCaptionButton::Create(const char* caption, const RECT& rect, CWnd* parent, UINT id) {
    m_caption = caption;
    m_font.DeleteObject();
    LOGFONTA font{};
    HFONT parentFont = reinterpret_cast<HFONT>(::SendMessageA(parent->m_hWnd, WM_GETFONT, 0, 0));
    if (parentFont != nullptr && ::GetObjectA(parentFont, sizeof font, &font) != 0) m_font.CreateFontIndirect(font);
    if (!CTrackingButton::Create(rect, parent, id)) return FALSE;
    SetWindowText(caption);
    return TRUE;
}

LRESULT CCaptionButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(m_font.m_hObject);
    if (message == WM_SETFONT) {
        LOGFONTA font{};
        if (wParam != 0 && ::GetObjectA(reinterpret_cast<HGDIOBJ>(wParam), sizeof font, &font) != 0) {
            m_font.CreateFontIndirect(font);
        }
        if (LOWORD(lParam) != 0) Invalidate();
        return 0;
    }
    return CTrackingButton::WindowProc(message, wParam, lParam);
}

void CCaptionButton::Draw(HDC dc, bool pressed) {
    DrawFrame(dc, pressed);
    const RECT client = GetClientRect();
    HGDIOBJ oldFont = m_font.m_hObject != nullptr ? ::SelectObject(dc, m_font.m_hObject) : nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    const int offset = pressed ? 1 : 0;
    UINT flags = DAT_HCENTER | DAT_VCENTER;
    if (IsWindowEnabled() == FALSE) flags |= DAT_DISABLED;
    DrawAlignedText(dc, m_caption, client.left + offset, client.top + offset, client.right + offset,
                    client.bottom + offset, 0, 0, flags);
    if (oldFont != nullptr) ::SelectObject(dc, oldFont);
}
