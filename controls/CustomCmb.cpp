#include "controls/CustomCmb.h"

#include "framework/CDC.h"
#include "framework/Seams.h"

#include <windowsx.h>

namespace {

const char kDefaultFontFace[] = "ＭＳ Ｐゴシック";

bool CopyFont(HFONT source, CFont& target) {
    LOGFONTA font{};
    if (source == nullptr || ::GetObjectA(source, sizeof font, &font) == 0) return false;
    return target.CreateFontIndirect(font) != FALSE;
}

bool CreateDefaultFont(HWND onDcOf, CFont& target) {
    HDC dc = ::GetDC(onDcOf);
    const bool made = target.CreatePointFont(90, kDefaultFontFace, dc) != FALSE;
    ::ReleaseDC(onDcOf, dc);
    return made;
}

BOOL CALLBACK SendFontToChild(HWND child, LPARAM message) {
    const MSG* font = reinterpret_cast<const MSG*>(message);
    ::SendMessageA(child, WM_SETFONT, font->wParam, font->lParam);
    return TRUE;
}

bool IsSelfOrDescendant(HWND window, HWND candidate) {
    return candidate != nullptr && (candidate == window || ::IsChild(window, candidate));
}

bool IsMouseMessage(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

}  // namespace

POINT MapClientPoint(POINT point, HWND from, HWND to) {
    POINT fromOrigin{0, 0};
    POINT toOrigin{0, 0};
    ::ClientToScreen(from, &fromOrigin);
    ::ClientToScreen(to, &toOrigin);
    return {point.x + fromOrigin.x - toOrigin.x, point.y + fromOrigin.y - toOrigin.y};
}

LRESULT SetControlFont(CWnd* window, HFONT font, BOOL redraw, CFont& fontObject) {
    // The face is read before the old font goes: the handle may be that very font.
    LOGFONTA copy{};
    const bool given = font != nullptr && ::GetObjectA(font, sizeof copy, &copy) != 0;
    fontObject.DeleteObject();
    if (given) {
        fontObject.CreateFontIndirect(copy);
    } else {
        HWND parent = ::GetParent(window->m_hWnd);
        if (parent == nullptr || !CreateDefaultFont(parent, fontObject)) return 0;
    }
    if (fontObject.m_hObject == nullptr) return 0;
    MSG message{};
    message.wParam = reinterpret_cast<WPARAM>(fontObject.m_hObject);
    message.lParam = redraw;
    ::EnumChildWindows(window->m_hWnd, SendFontToChild, reinterpret_cast<LPARAM>(&message));
    if (redraw) window->Invalidate();
    return 0;
}

// ---------------------------------------------------------------------------------------------

CCustomCmbDropDownWnd::CCustomCmbDropDownWnd()
    : m_className(AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)),
      m_cursor(::LoadCursorA(nullptr, IDC_ARROW)) {}

CCustomCmbDropDownWnd::~CCustomCmbDropDownWnd() {
    if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CCustomCmbDropDownWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner,
                                   const char* fontName, int pointSize) {
    m_owner = owner != nullptr ? owner->m_hWnd : nullptr;
    m_font.DeleteObject();
    if (fontName != nullptr && fontName[0] != '\0') {
        HDC dc = ::GetDC(m_owner);
        const BOOL made = m_font.CreatePointFont(pointSize * 10, fontName, dc);
        ::ReleaseDC(m_owner, dc);
        if (!made) return FALSE;
    } else if (!CopyFont(reinterpret_cast<HFONT>(::SendMessageA(m_owner, WM_GETFONT, 0, 0)), m_font) &&
               !CreateDefaultFont(m_owner, m_font)) {
        return FALSE;
    }

    if (!CreateEx(exStyle, m_className, "", style | WS_CLIPCHILDREN, rect, m_owner, id)) return FALSE;
    m_child = (style & WS_CHILD) != 0;

    const RECT wanted = GetDropDownRect();
    const bool givenLarger = rect.right - rect.left > wanted.right - wanted.left ||
                             rect.bottom - rect.top > wanted.bottom - wanted.top;
    MoveWindow(givenLarger ? rect : wanted, TRUE);
    return TRUE;
}

BOOL CCustomCmbDropDownWnd::DropDown(CWnd* owner, const char* fontName, int pointSize) {
    m_dropDownMode = true;
    return Create(0, WS_POPUP | WS_BORDER, RECT{0, 0, 0, 0}, 0, owner, fontName, pointSize);
}

RECT CCustomCmbDropDownWnd::GetDropDownRect() { return CalcDropDownRect(0, MeasureText(nullptr, "Aj").cy); }

void CCustomCmbDropDownWnd::PostToOwner(int code, LPARAM value) {
    if (m_notifyMessage != 0 && m_owner != nullptr) {
        ::PostMessageA(m_owner, m_notifyMessage, static_cast<WPARAM>(code), value);
    }
}

void CCustomCmbDropDownWnd::NotifyOwner(int code) { PostToOwner(code, 0); }

int CCustomCmbDropDownWnd::OnMouseEvent(UINT message, UINT, int x, int y) {
    if (!m_dropDownMode || (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN)) return -1;
    const RECT client = GetClientRect();
    if (::PtInRect(&client, POINT{x, y})) return -1;
    NotifyOwner(DDN_CANCEL);
    return 0;
}

void CCustomCmbDropDownWnd::Show(const POINT* topLeft) {
    if (m_child) {
        ShowWindow(SW_SHOWNORMAL);
        return;
    }
    if (m_dropDownMode && m_owner != nullptr) {
        ::SetCapture(m_owner);
        // Only a focus from outside moves: bouncing it would make the field check its text.
        if (!IsSelfOrDescendant(m_owner, ::GetFocus())) ::SetFocus(m_owner);
    }
    RECT rect = GetDropDownRect();
    if (topLeft != nullptr) ::OffsetRect(&rect, topLeft->x - rect.left, topLeft->y - rect.top);
    SetWindowPos(HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CCustomCmbDropDownWnd::Hide() {
    if (!m_child && m_dropDownMode) ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

SIZE CCustomCmbDropDownWnd::MeasureText(HDC dc, const char* text) {
    const char* measured = text != nullptr && text[0] != '\0' ? text : "DummyString";
    HDC own = nullptr;
    if (dc == nullptr) dc = own = ::GetDC(m_hWnd);
    HGDIOBJ old = m_font.m_hObject != nullptr ? ::SelectObject(dc, m_font.m_hObject) : nullptr;
    SIZE size{};
    ::GetTextExtentPoint32A(dc, measured, lstrlenA(measured), &size);
    if (old != nullptr) ::SelectObject(dc, old);
    if (own != nullptr) ::ReleaseDC(m_hWnd, own);
    return size;
}

RECT CCustomCmbDropDownWnd::CalcDropDownRect(int width, int height) {
    RECT host{};
    ::GetWindowRect(m_owner, &host);
    RECT frame{0, 0, width != 0 ? width : host.right - host.left, height};
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle() & ~WS_EX_CLIENTEDGE);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;

    RECT rect{};
    if (m_dropDownMode) {
        rect.right = host.right - 2;
        rect.left = rect.right - frameWidth;
        rect.top = host.bottom - 1;
        rect.bottom = rect.top + frameHeight;
    } else {
        const RECT own = GetWindowRect();
        rect = {own.left, own.top, own.left + frameWidth, own.top + frameHeight};
        if (m_child) ::MapWindowPoints(nullptr, m_owner, reinterpret_cast<POINT*>(&rect), 2);
    }
    if ((GetExStyle() & WS_EX_CLIENTEDGE) != 0) {
        rect.right += 4;
        rect.bottom += 4;
    }
    return rect;
}

LRESULT CCustomCmbDropDownWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(message)) {
        if (message == WM_MOUSEMOVE && ::GetCursor() != m_cursor) ::SetCursor(m_cursor);
        OnMouseEvent(message, static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return m_hWnd != nullptr ? Default() : 0;
    }
    switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            dc.FillSolidRect(GetClientRect(), RGB(255, 255, 255));
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            // A pop-up never takes the activation from the dialog whose field it serves.
            if (!m_child) return MA_NOACTIVATE;
            break;
        case WM_MOVE: {
            const LRESULT result = Default();
            Invalidate();
            return result;
        }
        case WM_ENABLE:
            return Default();
        case WM_ACTIVATEAPP:
            // Another program took over, and the mouse capture with it: clicks outside could
            // no longer close the drop-down.
            if (wParam == FALSE && m_dropDownMode && IsWindowVisible()) NotifyOwner(DDN_CANCEL);
            return Default();
        case WM_CLOSE:
        case WM_DESTROY:
            if (IsPopupWindow() && !m_dropDownMode) NotifyOwner(DDN_CANCEL);
            return Default();
        case WM_SETFONT:
            return SetControlFont(this, reinterpret_cast<HFONT>(wParam), LOWORD(lParam), m_font);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_font.m_hObject);
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------

CCustomCmbBox::CCustomCmbBox() = default;

CCustomCmbBox::~CCustomCmbBox() {
    // Destroyed here, while the drop-down still exists for the host's own clean-up.
    if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CCustomCmbBox::Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize) {
    if (parent == nullptr || parent->m_hWnd == nullptr) return FALSE;
    HWND dialog = parent->m_hWnd;
    m_font.DeleteObject();
    if (!CopyFont(reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0)), m_font) &&
        !CreateDefaultFont(dialog, m_font)) {
        return FALSE;
    }

    HWND placeholder = ::GetDlgItem(dialog, static_cast<int>(placeholderId));
    if (placeholder == nullptr) return FALSE;
    RECT rect{};
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    ::DestroyWindow(placeholder);
    ::InflateRect(&rect, 1, 1);

    if (!CreateEx(WS_EX_CLIENTEDGE, nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP,
                  rect, dialog, newId)) {
        return FALSE;
    }

    const RECT client = GetClientRect();
    const int arrowWidth = m_arrow.GetBitmapSize().cx;
    m_arrow.Create({client.right - arrowWidth, client.top, client.right, client.bottom}, this, IDC_CMB_ARROW);
    m_arrow.SetForward(true);
    m_arrow.SetRestoreCapture(true);
    m_edit.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                    {client.left + 1, client.top + 1, client.right - arrowWidth, client.bottom}, m_hWnd, IDC_CMB_EDIT);
    m_edit.SetFont(static_cast<HFONT>(m_font.m_hObject), TRUE);
    m_dropDownFontName = fontName != nullptr ? fontName : "";
    m_dropDownPointSize = pointSize;
    return TRUE;
}

void CCustomCmbBox::SetText(const char* text) { m_edit.SetWindowText(text != nullptr ? text : ""); }

CString CCustomCmbBox::GetText() const { return m_edit.GetWindowText(); }

RECT CCustomCmbBox::GetArrowRect() const { return m_arrow.GetWindowRect(); }

bool CCustomCmbBox::IsDroppedDown() const {
    return m_dropDown != nullptr && m_dropDown->m_hWnd != nullptr && m_dropDown->IsWindowVisible();
}

bool CCustomCmbBox::PrepareDropDown() {
    if (m_dropDown == nullptr) return false;
    if (m_dropDown->m_hWnd == nullptr) {
        const char* face = m_dropDownFontName.IsEmpty() ? nullptr : static_cast<const char*>(m_dropDownFontName);
        if (!m_dropDown->DropDown(this, face, m_dropDownPointSize)) return false;
    }
    return !m_dropDown->IsWindowVisible();
}

BOOL CCustomCmbBox::OpenDropDown() {
    if (!PrepareDropDown()) return FALSE;
    UpdateValue(TRUE);
    m_dropDown->Show();
    return TRUE;
}

BOOL CCustomCmbBox::CloseDropDown() {
    // The arrow forwards again whatever closed the drop-down, or it could never reopen it.
    m_arrow.SetForward(true);
    if (m_dropDown == nullptr || m_dropDown->m_hWnd == nullptr) return FALSE;
    m_dropDown->Hide();
    m_dropDown->DestroyWindow();
    return TRUE;
}

bool CCustomCmbBox::CancelDropDown() {
    if (!IsDroppedDown()) return false;
    SendMessage(WM_CMB_DROPDOWNNOTIFY, DDN_CANCEL, 0);
    return true;
}

BOOL CCustomCmbBox::PreTranslateMessage(MSG* msg) {
    return msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && CancelDropDown() ? TRUE : FALSE;
}

LRESULT CCustomCmbBox::OnDropDownNotify(int code, LPARAM) {
    if (code == DDN_CANCEL || code == DDN_OK) CloseDropDown();
    return 0;
}

int CCustomCmbBox::OnMouseEvent(UINT message, UINT flags, int x, int y) {
    if (IsDroppedDown()) {
        const POINT point = MapClientPoint({x, y}, m_hWnd, m_dropDown->m_hWnd);
        m_dropDown->PostMessage(message, flags, MAKELPARAM(point.x, point.y));
        return -1;
    }
    if (message == WM_LBUTTONDOWN) {
        RECT arrow = GetArrowRect();
        ScreenToClient(arrow);
        if (::PtInRect(&arrow, POINT{x, y})) {
            m_arrow.SetForward(false);
            if (!OpenDropDown()) m_arrow.SetForward(true);  // or the arrow could never open it again
        }
    }
    return -1;
}

void CCustomCmbBox::SelectAllText() {
    m_edit.SendMessage(EM_SETSEL, 0, -1);
    m_edit.SendMessage(EM_SCROLLCARET);
}

void CCustomCmbBox::RejectInput(UINT beep) {
    seams::PlayBeep(beep);
    m_edit.SetFocus();
    SelectAllText();
}

void CCustomCmbBox::OnEditKillFocus() {
    if (IsDroppedDown()) PostMessage(WM_CMB_DROPDOWNNOTIFY, DDN_CANCEL, 0);
}

void CCustomCmbBox::LayoutChildren() {
    const RECT client = GetClientRect();
    const int arrowWidth = m_arrow.GetBitmapSize().cx;
    ::MoveWindow(m_arrow.m_hWnd, client.right - arrowWidth, client.top, arrowWidth, client.bottom - client.top, TRUE);
    ::MoveWindow(m_edit.m_hWnd, client.left + 1, client.top + 1, client.right - arrowWidth - client.left - 1,
                 client.bottom - client.top - 1, TRUE);
}

void CCustomCmbBox::OnEnable(BOOL enable) {
    CloseDropDown();
    {
        CClientDC dc(this);
        dc.FillSolidRect(GetClientRect(), ::GetSysColor(enable ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    m_edit.EnableWindow(enable);
    m_arrow.EnableWindow(enable);
}

LRESULT CCustomCmbBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(message)) {
        OnMouseEvent(message, static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return m_hWnd != nullptr ? Default() : 0;
    }
    switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            dc.FillSolidRect(GetClientRect(), ::GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE: {
            const LRESULT result = Default();
            if (m_edit.m_hWnd != nullptr && m_arrow.m_hWnd != nullptr) LayoutChildren();
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = Default();
            if (m_edit.m_hWnd != nullptr) m_edit.SetFocus();
            return result;
        }
        case WM_KILLFOCUS:
            return Default();
        case WM_ENABLE:
            OnEnable(static_cast<BOOL>(wParam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_CMB_EDIT && HIWORD(wParam) == EN_KILLFOCUS) {
                OnEditKillFocus();
                return 0;
            }
            break;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_font.m_hObject);
        case WM_SETFONT:
            return SetControlFont(this, reinterpret_cast<HFONT>(wParam), LOWORD(lParam), m_font);
        case WM_CMB_DROPDOWNNOTIFY:
            if (wParam == DDN_CANCEL || wParam == DDN_OK) m_arrow.SetForward(true);
            // Notifications still queued when the drop-down closed are stale.
            if (m_dropDown == nullptr || m_dropDown->m_hWnd == nullptr) return 0;
            return OnDropDownNotify(static_cast<int>(wParam), lParam);
        case WM_DESTROY:
            CloseDropDown();
            return Default();
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
