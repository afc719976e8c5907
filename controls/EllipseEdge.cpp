#include "controls/EllipseEdge.h"

namespace {

struct Half {
    POINT Points[4];  // the ends of the three arcs, counterclockwise
    COLORREF Colors[3];
};

void DrawPart(HDC dc, const RECT& rect, POINT from, POINT to, COLORREF color, bool solid) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    if (solid) {
        HBRUSH brush = ::CreateSolidBrush(color);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        ::Chord(dc, rect.left, rect.top, rect.right, rect.bottom, from.x, from.y, to.x, to.y);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(brush);
    } else {
        ::Arc(dc, rect.left, rect.top, rect.right, rect.bottom, from.x, from.y, to.x, to.y);
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
}

void DrawHalf(HDC dc, const RECT& rect, const Half& half, bool threeArcs, bool solid) {
    if (!threeArcs) {
        DrawPart(dc, rect, half.Points[0], half.Points[3], half.Colors[0], solid);
        return;
    }
    for (int arc = 0; arc < 3; ++arc) DrawPart(dc, rect, half.Points[arc], half.Points[arc + 1], half.Colors[arc], solid);
}

// lightColors and darkColors: the colours of the three arcs (the first alone when not shaded).
void DrawOutline(HDC dc, const RECT& rect, bool sunken, bool diagonal, bool solid, bool shaded,
                 const COLORREF (&lightColors)[3], const COLORREF (&darkColors)[3]) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const POINT upperEnd = diagonal ? POINT{rect.left + width * 3 / 4, rect.top} : POINT{rect.right, rect.top};
    const POINT lowerEnd = diagonal ? POINT{rect.left + width / 4, rect.bottom} : POINT{rect.left, rect.bottom};
    const POINT topMiddle{rect.left + width / 2, rect.top};
    const POINT leftMiddle{rect.left, rect.top + height / 2};
    const POINT bottomMiddle{rect.left + width / 2, rect.bottom};
    const POINT rightMiddle{rect.right, rect.top + height / 2};

    Half upper{{upperEnd, topMiddle, leftMiddle, lowerEnd}, {}};
    Half lower{{lowerEnd, bottomMiddle, rightMiddle, upperEnd}, {}};
    for (int arc = 0; arc < 3; ++arc) {
        upper.Colors[arc] = sunken ? darkColors[arc] : lightColors[arc];
        lower.Colors[arc] = sunken ? lightColors[arc] : darkColors[arc];
    }
    DrawHalf(dc, rect, upper, shaded, solid);
    DrawHalf(dc, rect, lower, shaded, solid);
}

}  // namespace

void DrawEllipseEdge(HDC dc, int left, int top, int right, int bottom, BOOL sunken, BOOL diagonal, BOOL solid,
                     BOOL shaded) {
    const int width = right - left;
    const int height = bottom - top;
    if (dc == nullptr || width <= 0 || height <= 0) return;

    // Drawn off screen over a copy of what is there, then copied back in one go.
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, dc, left, top, SRCCOPY);
    ::SetViewportOrgEx(memory, -left, -top, nullptr);

    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF darkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    const RECT rect{left, top, right, bottom};
    if (shaded) {
        DrawOutline(memory, rect, sunken, diagonal, solid, true, {highlight, light, highlight},
                    {shadow, darkShadow, shadow});
    } else {
        DrawOutline(memory, rect, sunken, diagonal, solid, false, {highlight, highlight, highlight},
                    {shadow, shadow, shadow});
    }
    if (solid) {
        const RECT inner{left + 1, top + 1, right - 1, bottom - 1};
        DrawOutline(memory, inner, sunken, diagonal, true, true, {light, light, light}, {shadow, darkShadow, shadow});
        HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
        HGDIOBJ oldPen = ::SelectObject(memory, pen);
        HGDIOBJ oldBrush = ::SelectObject(memory, ::GetSysColorBrush(COLOR_BTNFACE));
        ::Ellipse(memory, left + 2, top + 2, right - 2, bottom - 2);
        ::SelectObject(memory, oldBrush);
        ::SelectObject(memory, oldPen);
        ::DeleteObject(pen);
    }

    ::SetViewportOrgEx(memory, 0, 0, nullptr);
    ::BitBlt(dc, left, top, width, height, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}
