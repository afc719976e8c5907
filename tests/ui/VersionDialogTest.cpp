// The About dialog: the layout worked out from the texts and the bitmap, the window built
// from it, and the self-close.
#include "res/resource.h"
#include "ui/VersionDialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
std::vector<LONG> Box(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TEST(VersionLayout, TheBitmapSitsLeftOfTheTextsCentredWhenShorterAndGrowsTheDialogWhenTaller) {
    const SIZE text{200, 12}, button{75, 23}, tall{100, 120}, small{40, 31}, nearly{40, 4 * 12 + 14};
    const VersionDialogLayout plain = ComputeVersionDialogLayout(text, button, nullptr);
    EXPECT_EQ(plain.Button.left + plain.Button.right, plain.Client.cx - 1);  // centred, the half pixel dropped
    EXPECT_GT(plain.Button.top, plain.Texts[3].bottom);
    const VersionDialogLayout grown = ComputeVersionDialogLayout(text, button, &tall);
    EXPECT_GT(grown.Texts[0].left, grown.Bitmap.right);
    EXPECT_LT(grown.Texts[0].right, grown.Client.cx);
    EXPECT_GT(grown.Client.cy, plain.Client.cy);
    const RECT centred = ComputeVersionDialogLayout(text, button, &small).Bitmap;
    EXPECT_NEAR(centred.top + centred.bottom, plain.Texts[0].top + plain.Texts[3].bottom, 4);
    for (const SIZE* bitmap : {&tall, &small, &nearly}) {
        const VersionDialogLayout layout = ComputeVersionDialogLayout(text, button, bitmap);
        EXPECT_LE(layout.Bitmap.bottom, layout.Button.top) << bitmap->cy;
    }
}

TEST(VersionDialogWindow, PlacesItsControlsByTheTextsInTheirFontAndTheFramedBitmap) {
    VersionDialog dialog(kAboutDialogCaption, IDB_ABOUT, nullptr, 0);
    // Hidden: shown windows cost Wine seconds to take down without a window manager.
    const_cast<DLGTEMPLATE*>(dialog.GetTemplate())->style &= ~WS_VISIBLE;
    ASSERT_TRUE(dialog.CreateIndirect(dialog.GetTemplate(), nullptr));
    EXPECT_FALSE(dialog.KillTimer(VersionDialog::kSelfCloseTimer));  // no self-close for 0 seconds
    LOGFONTA font{};
    GetObjectA(dialog.GetFont(), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");  // not コ with a combining mark, which names no font

    const int ids[] = {VersionDialog::IDC_ABOUT_VERSION, VersionDialog::IDC_ABOUT_COPYRIGHT,
                       VersionDialog::IDC_ABOUT_COMMENT, VersionDialog::IDC_ABOUT_BUILD};
    SIZE text{0, 0};
    for (int i = 0; i < 4; ++i) {
        HWND control = dialog.GetDlgItem(ids[i]);
        HDC dc = GetDC(control);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(dc, dialog.GetText(i), dialog.GetText(i).GetLength(), &extent);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        text = {std::max(text.cx, extent.cx), std::max(text.cy, extent.cy)};
    }
    HWND picture = dialog.GetDlgItem(VersionDialog::IDC_ABOUT_BITMAP);
    const RECT button = RectInParent(dialog.GetDlgItem(IDOK));
    const RECT frame = RectInParent(picture);
    const SIZE buttonSize{button.right - button.left, button.bottom - button.top};
    const SIZE frameSize{frame.right - frame.left, frame.bottom - frame.top};
    const VersionDialogLayout layout = ComputeVersionDialogLayout(text, buttonSize, &frameSize);
    EXPECT_EQ(Edges(frame), Edges(layout.Bitmap));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Edges(RectInParent(dialog.GetDlgItem(ids[i]))), Edges(layout.Texts[i]));
    EXPECT_EQ(Edges(button), Edges(layout.Button));
    EXPECT_EQ(Edges(dialog.GetClientRect()), Box(0, 0, layout.Client.cx, layout.Client.cy));

    RECT inner{};
    GetClientRect(picture, &inner);
    EXPECT_EQ(Edges(inner), Box(0, 0, 64, 64));  // the frame lies outside the whole 64 x 64 picture
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
