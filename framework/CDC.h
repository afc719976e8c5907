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
    HDC GetSafeHdc() const { return m_hDC; }

    BOOL Attach(HDC dc);
    HDC Detach();
    // A memory device context, deleted with this object.
    BOOL CreateCompatibleDC(HDC dc);

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    BOOL TextOut(int x, int y, const CString& text) { return ::TextOutA(m_hDC, x, y, text, text.GetLength()); }
    int DrawText(const CString& text, RECT& rect, UINT format) {
        return ::DrawTextA(m_hDC, text, text.GetLength(), &rect, format);
    }
    SIZE GetTextExtent(const CString& text) const;
    BOOL GetTextMetrics(TEXTMETRICA* metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    void FillSolidRect(const RECT& rect, COLORREF color);
    int FillRect(const RECT& rect, HBRUSH brush) { return ::FillRect(m_hDC, &rect, brush); }
    int FrameRect(const RECT& rect, HBRUSH brush) { return ::FrameRect(m_hDC, &rect, brush); }
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
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source, sourceX, sourceY, rop);
    }
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop) { return ::PatBlt(m_hDC, x, y, width, height, rop); }
    BOOL DrawEdge(RECT& rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, &rect, edge, flags); }
    BOOL DrawFrameControl(RECT& rect, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, &rect, type, state); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    int IntersectClipRect(const RECT& rect) {
        return ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
    }
    int ExcludeClipRect(const RECT& rect) { return ::ExcludeClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom); }
    int SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }

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
