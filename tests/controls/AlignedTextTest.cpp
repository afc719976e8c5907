// Where the kit draws its labels; bold labels leave the device context its own font.
#include "controls/DrawAlignedText.h"

#include <gtest/gtest.h>

#include <string>

TEST(AlignedText, OriginsOfEachAlignmentWithMarginsAndTheFontAfterABoldText) {
    auto origin = [](SIZE extent, RECT box, int marginX, int marginY, UINT flags) {
        const POINT at = AlignedTextOrigin(extent, box.left, box.top, box.right, box.bottom, marginX, marginY, flags);
        return std::to_string(at.x) + "," + std::to_string(at.y);
    };
    EXPECT_EQ(origin({40, 12}, {0, 0, 101, 20}, 0, 0, DAT_HCENTER | DAT_VCENTER), "30,4");
    EXPECT_EQ(origin({120, 30}, {0, 0, 101, 20}, 0, 0, DAT_HCENTER | DAT_VCENTER), "-9,-5");
    EXPECT_EQ(origin({40, 12}, {10, 20, 110, 60}, 4, 1, DAT_RIGHT | DAT_BOTTOM), "66,47");
    EXPECT_EQ(origin({40, 12}, {10, 20, 110, 60}, 3, 2, DAT_HCENTER | DAT_RIGHT | 0x30), "3,2");

    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
    ::SelectObject(dc, font);
    DrawAlignedText(dc, "O.K", 0, 0, 50, 20, 0, 0, DAT_BOLD);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font);
    ::DeleteDC(dc);
}
