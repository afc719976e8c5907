#include "framework/CWnd.h"

#include <cstdio>
#include <string>
#include <unordered_map>

namespace {

// One user-interface thread: a plain map is enough.
std::unordered_map<HWND, CWnd*>& WindowMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object whose window CreateEx is making; bound at the window's first message.
CWnd* g_creating = nullptr;

HWND NotifyingChild(UINT message, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY:
            return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
        }
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<HWND>(lParam);
        default:
            return nullptr;
    }
}

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    Unbind();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    const auto found = WindowMap().find(window);
    return found != WindowMap().end() ? found->second : nullptr;
}

void CWnd::Bind(HWND window) {
    m_hWnd = window;
    WindowMap()[window] = this;
}

void CWnd::Unbind() {
    if (m_hWnd != nullptr) WindowMap().erase(m_hWnd);
    m_hWnd = nullptr;
    m_superProc = nullptr;
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (window == nullptr || FromHandlePermanent(window) != nullptr) return FALSE;
    Bind(window);
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardProc)));
    m_superProc = previous == StandardProc ? nullptr : previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) { return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id))); }

HWND CWnd::UnsubclassWindow() {
    HWND window = m_hWnd;
    if (window != nullptr && m_superProc != nullptr) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    }
    Unbind();
    return window;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                    HWND parent, UINT id) {
    CREATESTRUCTA cs{};
    cs.lpszClass = className != nullptr ? className
                                        : AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.dwExStyle = exStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    cs.hInstance = ::GetModuleHandleA(nullptr);
    if (!PreCreateWindow(cs)) return FALSE;
    CWnd* outer = g_creating;
    g_creating = this;
    HWND window = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                    cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    g_creating = outer;
    if (window == nullptr) return FALSE;
    if (m_hWnd == nullptr) SubclassWindow(window);  // a class of the system: bound after creation
    return TRUE;
}

BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&) { return TRUE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags != 0) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | swpFlags);
    return TRUE;
}

CString CWnd::GetWindowText() const { return WindowTextOf(m_hWnd); }

CString WindowTextOf(HWND window) {
    // Some controls (rich edit) count characters, not bytes: leave room for double-byte ones.
    const int room = 2 * ::GetWindowTextLengthA(window) + 1;
    std::string text(static_cast<size_t>(room), '\0');
    const int copied = ::GetWindowTextA(window, &text[0], room);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return CString(std::move(text));
}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetRectInParent() const {
    RECT rect = GetWindowRect();
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CWnd::ScreenToClient(RECT& rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2); }

void CWnd::ClientToScreen(RECT& rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2); }

BOOL CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc != nullptr) return ::CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.Message, m_current.WParam, m_current.LParam); }

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* child = FromHandlePermanent(NotifyingChild(message, lParam));
    return child != nullptr && child != this && child->OnChildNotify(message, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, &result)) return result;
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 0;
    if (message == WM_NOTIFY && OnNotify(wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StandardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(window);
    if (wnd == nullptr && g_creating != nullptr && (message == WM_GETMINMAXINFO || message == WM_NCCREATE)) {
        wnd = g_creating;
        g_creating = nullptr;
        wnd->Bind(window);
    }
    if (wnd == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);

    const CurrentMessage outer = wnd->m_current;
    wnd->m_current = {message, wParam, lParam};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        wnd->Unbind();
        wnd->PostNcDestroy();  // may delete the object
    } else {
        wnd->m_current = outer;
    }
    return result;
}

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::unordered_map<std::string, std::string> registered;
    char name[96];
    std::snprintf(name, sizeof name, "Fendrix:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    auto found = registered.find(name);
    if (found != registered.end()) return found->second.c_str();
    WNDCLASSA windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = &CWnd::StandardProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    ::RegisterClassA(&windowClass);
    return registered.emplace(name, name).first->second.c_str();
}

BOOL WalkPreTranslateTree(HWND top, MSG* msg) {
    for (HWND window = msg->hwnd; window != nullptr; window = ::GetParent(window)) {
        CWnd* wnd = CWnd::FromHandlePermanent(window);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg)) return TRUE;
        if (window == top) break;
    }
    return FALSE;
}
