// Device contexts with MFC's names. CPaintDC, CClientDC and CWindowDC release theirs.
#pragma once

#include "framework/CString.h"
#include "framework/Gdi.h"

#include <windows.h>

class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }  // NOLINT

    BOOL Attach(HDC dc);
    HDC Detach();
    // A memory device context, deleted with this object.
    BOOL CreateCompatibleDC(HDC dc);

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    SIZE GetTextExtent(const CString& text) const;
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    void FillSolidRect(const RECT& rect, COLORREF color);
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL Rectangle(const RECT& rect) { return ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom); }
    BOOL Ellipse(const RECT& rect) { return ::Ellipse(m_hDC, rect.left, rect.top, rect.right, rect.bottom); }
    BOOL Arc(const RECT& rect, POINT start, POINT end) {
        return ::Arc(m_hDC, rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
    }
    BOOL Chord(const RECT& rect, POINT start, POINT end) {
        return ::Chord(m_hDC, rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
    }
    BOOL Pie(const RECT& rect, POINT start, POINT end) {
        return ::Pie(m_hDC, rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
    }
    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source, sourceX, sourceY, rop);
    }
    BOOL DrawEdge(RECT& rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, &rect, edge, flags); }
    BOOL DrawFrameControl(RECT& rect, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, &rect, type, state); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    int IntersectClipRect(const RECT& rect) {
        return ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
    }

protected:
    enum class Release { None, Delete };
    Release m_release = Release::None;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_window;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

private:
    HWND m_window;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* window);
    ~CWindowDC() override;

private:
    HWND m_window;
};
