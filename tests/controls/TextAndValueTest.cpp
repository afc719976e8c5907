// Label placement and the normalised texts of the date fields, without windows.
#include "ControlsTestSupport.h"
#include "controls/DateCmbBox.h"
#include "controls/DateTimeCmbBox.h"
#include "controls/DrawAlignedText.h"
#include "controls/NumberCmbBox.h"

#include <gtest/gtest.h>

TEST(AlignedText, CentredBothWaysTruncatesTheHalves) {
    const POINT origin = AlignedTextOrigin({40, 12}, 0, 0, 101, 20, 0, 0, DAT_HCENTER | DAT_VCENTER);
    EXPECT_EQ(origin.x, 30);
    EXPECT_EQ(origin.y, 4);
    const POINT wide = AlignedTextOrigin({120, 30}, 0, 0, 101, 20, 0, 0, DAT_HCENTER | DAT_VCENTER);
    EXPECT_EQ(wide.x, -9);
    EXPECT_EQ(wide.y, -5);
}

TEST(AlignedText, MarginsMoveLeftTopAndRightBottomTexts) {
    POINT origin = AlignedTextOrigin({40, 12}, 10, 20, 110, 60, 4, 1, 0);
    EXPECT_EQ(origin.x, 14);
    EXPECT_EQ(origin.y, 21);
    origin = AlignedTextOrigin({40, 12}, 10, 20, 110, 60, 4, 1, DAT_RIGHT | DAT_BOTTOM);
    EXPECT_EQ(origin.x, 66);
    EXPECT_EQ(origin.y, 47);
    origin = AlignedTextOrigin({40, 12}, 10, 20, 110, 60, 3, 2, DAT_HCENTER | DAT_RIGHT | 0x30);
    EXPECT_EQ(origin.x, 3);
    EXPECT_EQ(origin.y, 2);
}

TEST(AlignedText, BoldTextIsWiderAndDrawnWhereAligned) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 200, 40);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    CFont font;
    font.CreatePointFont(90, "ＭＳ Ｐゴシック");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    const RECT all{0, 0, 200, 40};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    DrawAlignedText(dc, "WWWW", 0, 0, 200, 40, 0, 0, DAT_RIGHT | DAT_BOTTOM | DAT_BOLD);

    int leftmost = 200;
    int bottommost = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (::GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                leftmost = std::min(leftmost, x);
                bottommost = std::max(bottommost, y);
            }
        }
    }
    SIZE plain{};
    ::GetTextExtentPoint32A(dc, "WWWW", 4, &plain);
    EXPECT_LT(leftmost, 200 - plain.cx);  // bold, right-aligned: starts further left
    EXPECT_GT(bottommost, 25);
    // The device context keeps its own font.
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font.m_hObject);

    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
}

TEST(DateTexts, DatesAreNormalisedAndKeptInTheClockRange) {
    CDateCmbBox field;
    EXPECT_EQ(field.Normalize("2024/5/1"), "2024/05/01");
    EXPECT_EQ(field.Normalize("2024/2/30"), "2024/02/29");
    EXPECT_EQ(field.Normalize("1960/1/1"), "1970/01/01");
    EXPECT_EQ(field.Normalize("2040/5/5"), "2038/01/05");
    EXPECT_EQ(field.Normalize("24/12/31"), "2024/12/31");
    EXPECT_EQ(field.Normalize(""), "");
}

TEST(DateTexts, TimeStampsAreNormalisedWithTheirTime) {
    CDateTimeCmbBox field;
    EXPECT_EQ(field.Normalize("2024/5/1 9:5:0"), "2024/05/01 09:05:00");
    EXPECT_EQ(field.Normalize("2024/2/30 10:00:00"), "2024/02/29 10:00:00");
    EXPECT_EQ(field.Normalize("1960/1/1 10:00:00"), "1970/01/01 10:00:00");
    EXPECT_EQ(field.Normalize("2038/1/19 23:00:00"), "2038/01/19 03:00:00");
    EXPECT_EQ(field.Normalize("2038/1/19 23:59:59"), "2038/01/19 03:14:07");
    EXPECT_EQ(field.Normalize("2001/13/40 25:61:61"), "2001/12/31 23:59:59");
}

TEST(NumberTexts, OnlyDigitsOnePointAndALeadingSign) {
    EXPECT_TRUE(CNumberCmbBox::IsNumberText("12345"));
    EXPECT_TRUE(CNumberCmbBox::IsNumberText("+7"));
    EXPECT_TRUE(CNumberCmbBox::IsNumberText("-5.25"));
    EXPECT_TRUE(CNumberCmbBox::IsNumberText(".5"));
    EXPECT_FALSE(CNumberCmbBox::IsNumberText("12a"));
    EXPECT_FALSE(CNumberCmbBox::IsNumberText("1.2.3"));
    EXPECT_FALSE(CNumberCmbBox::IsNumberText("5-"));
    EXPECT_FALSE(CNumberCmbBox::IsNumberText("+-5"));
    EXPECT_FALSE(CNumberCmbBox::IsNumberText("1 000"));
}
