#include "framework/CDC.h"
#include "framework/CWnd.h"
#include "framework/Gdi.h"

#include <cstring>

BOOL CGdiObject::Attach(HGDIOBJ object) {
    DeleteObject();
    m_hObject = object;
    return object != nullptr;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) return FALSE;
    const BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
}

BOOL CFont::CreatePointFont(int pointSizeTenths, const char* faceName, HDC dc) {
    HDC screen = dc != nullptr ? dc : ::GetDC(nullptr);
    LOGFONTA font{};
    font.lfHeight = -MulDiv(pointSizeTenths, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, faceName != nullptr ? faceName : "", LF_FACESIZE - 1);
    if (dc == nullptr) ::ReleaseDC(nullptr, screen);
    return CreateFontIndirect(font);
}

BOOL CFont::GetLogFont(LOGFONTA* font) const { return ::GetObjectA(m_hObject, sizeof(LOGFONTA), font) != 0; }

BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))); }

CDC::~CDC() {
    if (m_release == Release::Delete && m_hDC != nullptr) ::DeleteDC(m_hDC);
}

BOOL CDC::Attach(HDC dc) {
    m_hDC = dc;
    m_release = Release::None;
    return dc != nullptr;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_release = Release::None;
    return dc;
}

BOOL CDC::CreateCompatibleDC(HDC dc) {
    m_hDC = ::CreateCompatibleDC(dc);
    m_release = Release::Delete;
    return m_hDC != nullptr;
}

SIZE CDC::GetTextExtent(const CString& text) const {
    SIZE size{};
    ::GetTextExtentPoint32A(m_hDC, text, text.GetLength(), &size);
    return size;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color) {
    const COLORREF previous = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    FillSolidRect({rect.left, rect.top, rect.left + width - 1, rect.top + 1}, topLeft);
    FillSolidRect({rect.left, rect.top, rect.left + 1, rect.top + height - 1}, topLeft);
    FillSolidRect({rect.left + width - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolidRect({rect.left, rect.top + height - 1, rect.right, rect.bottom}, bottomRight);
}

POINT CDC::MoveTo(int x, int y) {
    POINT previous{};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}

CPaintDC::CPaintDC(CWnd* window) : m_window(window->m_hWnd) { m_hDC = ::BeginPaint(m_window, &m_ps); }

CPaintDC::~CPaintDC() {
    ::EndPaint(m_window, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* window) : m_window(window != nullptr ? window->m_hWnd : nullptr) {
    m_hDC = ::GetDC(m_window);
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_window, m_hDC);
    m_hDC = nullptr;
}

CWindowDC::CWindowDC(CWnd* window) : m_window(window != nullptr ? window->m_hWnd : nullptr) {
    m_hDC = ::GetWindowDC(m_window);
}

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_window, m_hDC);
    m_hDC = nullptr;
}
