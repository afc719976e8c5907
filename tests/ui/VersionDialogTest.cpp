// The About dialog: its window as the user sees it, the layout for bitmaps it cannot show here,
// and the self-close.
#include "res/resource.h"
#include "ui/VersionDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

// Larger fonts make the texts taller than the picture's frame: it is then centred beside them.
TEST(VersionLayout, ABitmapShorterThanTheTextsIsCentredBesideThemAndClearOfTheButton) {
    const SIZE text{200, 12}, button{75, 23}, small{40, 31}, nearly{40, 4 * 12 + 14};
    const VersionDialogLayout centred = ComputeVersionDialogLayout(text, button, &small);
    EXPECT_NEAR(centred.Bitmap.top + centred.Bitmap.bottom, centred.Texts[0].top + centred.Texts[3].bottom, 4);
    const VersionDialogLayout layout = ComputeVersionDialogLayout(text, button, &nearly);
    EXPECT_LE(layout.Bitmap.bottom, layout.Button.top);
}

TEST(VersionDialogWindow, ShowsItsTextsWholeBesideTheFramedBitmapAboveTheCentredButton) {
    VersionDialog dialog(kAboutDialogCaption, IDB_ABOUT, nullptr, 0);
    // Hidden: shown windows cost Wine seconds to take down without a window manager.
    const_cast<DLGTEMPLATE*>(dialog.GetTemplate())->style &= ~WS_VISIBLE;
    ASSERT_TRUE(dialog.CreateIndirect(dialog.GetTemplate(), nullptr));
    EXPECT_FALSE(dialog.KillTimer(VersionDialog::kSelfCloseTimer));  // no self-close for 0 seconds
    LOGFONTA font{};
    GetObjectA(dialog.GetFont(), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");  // not コ with a combining mark, which names no font

    const RECT client = dialog.GetClientRect();
    HWND picture = dialog.GetDlgItem(VersionDialog::IDC_ABOUT_BITMAP);
    const RECT frame = RectInParent(picture);
    const int ids[] = {VersionDialog::IDC_ABOUT_VERSION, VersionDialog::IDC_ABOUT_COPYRIGHT,
                       VersionDialog::IDC_ABOUT_COMMENT, VersionDialog::IDC_ABOUT_BUILD};
    LONG textsBottom = 0;
    HDC dc = GetDC(dialog.m_hWnd);
    HGDIOBJ previous = SelectObject(dc, dialog.GetFont());
    for (int i = 0; i < 4; ++i) {
        const RECT shown = RectInParent(dialog.GetDlgItem(ids[i]));
        SIZE extent{};
        GetTextExtentPoint32A(dc, dialog.GetText(i), dialog.GetText(i).GetLength(), &extent);
        EXPECT_GE(shown.right - shown.left, extent.cx) << i;
        EXPECT_GE(shown.bottom - shown.top, extent.cy) << i;
        EXPECT_GE(shown.top, textsBottom) << i;
        EXPECT_GT(shown.left, frame.right) << i;
        EXPECT_LT(shown.right, client.right) << i;
        textsBottom = shown.bottom;
    }
    SelectObject(dc, previous);
    ReleaseDC(dialog.m_hWnd, dc);
    const RECT button = RectInParent(dialog.GetDlgItem(IDOK));
    EXPECT_GT(button.top, std::max(textsBottom, frame.bottom));
    EXPECT_LT(button.bottom, client.bottom);
    EXPECT_NEAR(button.left + button.right, client.right, 1);  // centred

    RECT inner{};
    GetClientRect(picture, &inner);
    EXPECT_EQ(Edges(inner), Edges({0, 0, 64, 64}));  // the frame lies outside the whole 64 x 64 picture
    // Without a visible owner it opens in the middle of the work area, not at its corner.
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const RECT window = dialog.GetWindowRect();
    EXPECT_NEAR(window.left + window.right, area.left + area.right, 2);
    EXPECT_NEAR(window.top + window.bottom, area.top + area.bottom, 2);
    dialog.DestroyWindow();
}

// A bitmap that cannot be loaded has no size to lay out: the dialog goes without its control.
TEST(VersionDialogWindow, ClosesByItselfAfterItsTimeAlsoWithoutItsBitmap) {
    VersionDialog dialog(kAboutDialogCaption, 9, nullptr, 1);
    EXPECT_FALSE(dialog.HasBitmap());
    EXPECT_EQ(dialog.GetItemCount(), 5);
    const DWORD start = GetTickCount();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_GE(GetTickCount() - start, 900u);
    EXPECT_LT(GetTickCount() - start, 8000u);
}
