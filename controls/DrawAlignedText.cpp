#include "controls/DrawAlignedText.h"

#include <cstring>

POINT AlignedTextOrigin(SIZE extent, int left, int top, int right, int bottom, int marginX, int marginY, UINT flags) {
    POINT origin{};
    switch (flags & 0x0F) {
        case 0: origin.x = left + marginX; break;
        case DAT_HCENTER: origin.x = left + marginX + (right - extent.cx - left) / 2; break;
        case DAT_RIGHT: origin.x = right - extent.cx - marginX; break;
        default: origin.x = marginX; break;
    }
    switch (flags & 0xF0) {
        case 0: origin.y = top + marginY; break;
        case DAT_VCENTER: origin.y = top + marginY + (bottom - extent.cy - top) / 2; break;
        case DAT_BOTTOM: origin.y = bottom - extent.cy - marginY; break;
        default: origin.y = marginY; break;
    }
    return origin;
}

void DrawAlignedText(HDC dc, const char* text, int left, int top, int right, int bottom, int marginX, int marginY,
                     UINT flags) {
    if (dc == nullptr || text == nullptr) return;
    HFONT bold = nullptr;
    HGDIOBJ previous = nullptr;
    if ((flags & DAT_BOLD) != 0) {
        // The DC's font is only reachable by swapping another one in.
        previous = ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
        LOGFONTA font{};
        if (previous != nullptr && ::GetObjectA(previous, sizeof font, &font) != 0) {
            font.lfWeight = FW_BOLD;
            bold = ::CreateFontIndirectA(&font);
        }
        ::SelectObject(dc, bold != nullptr ? static_cast<HGDIOBJ>(bold) : previous);
    }

    SIZE extent{};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    const POINT origin = AlignedTextOrigin(extent, left, top, right, bottom, marginX, marginY, flags);
    UINT type = (flags & DAT_PREFIX) != 0 ? DST_PREFIXTEXT : DST_TEXT;
    if ((flags & DAT_DISABLED) != 0) type |= DSS_DISABLED;
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text), 0, origin.x, origin.y, extent.cx, extent.cy,
                 type);

    if (previous != nullptr) ::SelectObject(dc, previous);
    if (bold != nullptr) ::DeleteObject(bold);
}
