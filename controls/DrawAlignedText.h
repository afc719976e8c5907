// Label drawing shared by the entry controls and the icon menu.
#pragma once

#include <windows.h>

// Flags: 0x001 centre horizontally, 0x002 right, 0x010 centre vertically, 0x020 bottom,
// 0x100 disabled (embossed), 0x200 '&' prefix processing, 0x400 bold.
enum DrawAlignedTextFlags : UINT {
    DAT_HCENTER = 0x001,
    DAT_RIGHT = 0x002,
    DAT_VCENTER = 0x010,
    DAT_BOTTOM = 0x020,
    DAT_DISABLED = 0x100,
    DAT_PREFIX = 0x200,
    DAT_BOLD = 0x400,
};

void DrawAlignedText(HDC dc, const char* text, int left, int top, int right, int bottom, int marginX, int marginY,
                     UINT flags);

// Where DrawAlignedText puts a text of the given extent.
POINT AlignedTextOrigin(SIZE extent, int left, int top, int right, int bottom, int marginX, int marginY, UINT flags);
