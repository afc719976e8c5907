// The About dialog: its template, the layout worked out from the texts and the bitmap, and the
// self-close.
#include "res/resource.h"
#include "settings/VerInfo.h"
#include "settings/VersionDialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const SIZE kText{200, 12};
const SIZE kButton{75, 23};

RECT Rect(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

void ExpectRect(const RECT& actual, const RECT& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ExtentInFont(HWND control, const char* text) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

// Creates the dialog from a copy of its template without WS_VISIBLE: shown windows cost Wine
// seconds to take down without a window manager.
class HiddenCopy {
public:
    explicit HiddenCopy(const VersionDialog& dialog)
        : m_bytes(reinterpret_cast<const BYTE*>(dialog.GetTemplate()),
                  reinterpret_cast<const BYTE*>(dialog.GetTemplate()) + dialog.GetTemplateSize()) {
        reinterpret_cast<DLGTEMPLATE*>(m_bytes.data())->style &= ~WS_VISIBLE;
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
    std::vector<BYTE> m_bytes;
};

// Presses OK as soon as the dialog is up, long before its self-close.
class PromptlyClosedDialog : public VersionDialog {
public:
    PromptlyClosedDialog() : VersionDialog("x", 0, nullptr, 1) {}
    BOOL OnInitDialog() override {
        VersionDialog::OnInitDialog();
        PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(IDOK)));
        return TRUE;
    }
};

}  // namespace

TEST(VersionLayout, WithoutBitmapTheTextsAndTheButtonMakeTheSize) {
    const VersionDialogLayout layout = ComputeVersionDialogLayout(kText, kButton, nullptr);
    EXPECT_EQ(layout.Client.cx, 200 + 14);
    EXPECT_EQ(layout.Client.cy, 23 + (4 * 12 + 12) + 18);
    ExpectRect(layout.Texts[0], Rect(7, 7, 200, 12));
    ExpectRect(layout.Texts[3], Rect(7, 7 + 3 * 16, 200, 12));
    ExpectRect(layout.Button, Rect((214 - 75) / 2, 101 - 23 - 7, 75, 23));
}

TEST(VersionLayout, ATallerBitmapKeepsTheTextsAtTheTopAndGrowsTheDialog) {
    const SIZE bitmap{100, 120};
    const VersionDialogLayout layout = ComputeVersionDialogLayout(kText, kButton, &bitmap);
    ExpectRect(layout.Bitmap, Rect(7, 7, 100, 120));
    ExpectRect(layout.Texts[0], Rect(111, 7, 200, 12));
    ExpectRect(layout.Texts[2], Rect(111, 7 + 2 * 16, 200, 12));
    EXPECT_EQ(layout.Client.cx, 200 + 100 + 18);
    EXPECT_EQ(layout.Client.cy, 23 + 120 + 18);
    ExpectRect(layout.Button, Rect((318 - 75) / 2, 161 - 23 - 7, 75, 23));
    EXPECT_LE(layout.Bitmap.bottom, layout.Button.top);
}

TEST(VersionLayout, AShorterBitmapIsCentredOnTheTextBlock) {
    const SIZE bitmap{40, 30};
    const VersionDialogLayout layout = ComputeVersionDialogLayout(kText, kButton, &bitmap);
    ExpectRect(layout.Bitmap, Rect(7, (64 - 30) / 2 + 7, 40, 30));
    ExpectRect(layout.Texts[0], Rect(51, 7, 200, 12));
    EXPECT_EQ(layout.Client.cx, 200 + 40 + 18);
    EXPECT_EQ(layout.Client.cy, 101);

    const SIZE odd{40, 31};  // the half pixel is dropped
    EXPECT_EQ(ComputeVersionDialogLayout(kText, kButton, &odd).Bitmap.top, 16 + 7);
    // Between the text block and the centring limit the bitmap still clears the button.
    const SIZE nearly{40, 4 * 12 + 14};
    const VersionDialogLayout close = ComputeVersionDialogLayout(kText, kButton, &nearly);
    EXPECT_EQ(close.Bitmap.top, 8);
    EXPECT_LE(close.Bitmap.bottom, close.Button.top);
}

TEST(VersionDialogTemplate, ListsTheBitmapTheFourTextsAndOkInOrder) {
    VersionDialog dialog(kAboutDialogCaption, IDB_ABOUT, nullptr, 0);
    ASSERT_TRUE(dialog.HasBitmap());
    const DLGTEMPLATE* built = dialog.GetTemplate();
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(built->style, 0x92C000C0u | WS_SYSMENU);
    EXPECT_EQ(built->cdit, 6);
    EXPECT_EQ(built->cx, 128);
    EXPECT_EQ(built->cy, 64);
    const CVerInfo info;
    const WORD ids[] = {9995, 9999, 9998, 9997, 9996, IDOK};
    for (int i = 0; i < 6; ++i) {
        const TemplateItem& item = dialog.GetItem(i);
        EXPECT_EQ(item.Id, ids[i]) << i;
        EXPECT_EQ(item.ClassAtom, i < 5 ? 0x0082 : 0x0080) << i;
    }
    EXPECT_EQ(dialog.GetItem(0).Style, 0x5080000Eu);
    EXPECT_EQ(dialog.GetItem(0).ExStyle, 0x200u);
    EXPECT_EQ(dialog.GetItem(1).Style, 0x50000080u);
    EXPECT_EQ(dialog.GetItem(1).Text, info.GetVersionText());
    EXPECT_EQ(dialog.GetItem(2).Text, info.LegalCopyright());
    EXPECT_EQ(dialog.GetItem(3).Text, info.Comments());
    EXPECT_EQ(dialog.GetItem(4).Text, info.GetBuildText());
    EXPECT_EQ(dialog.GetItem(5).Text, "OK");
    EXPECT_EQ(dialog.GetItem(5).Style, 0x50000000u);
}

TEST(VersionDialogTemplate, NoBitmapNumberOrAMissingBitmapLeavesTheControlOut) {
    VersionDialog without(kAboutDialogCaption, 0, nullptr, 0);
    VersionDialog missing(kAboutDialogCaption, 9, nullptr, 0);
    EXPECT_FALSE(missing.HasBitmap());
    for (const VersionDialog* dialog : {&without, &missing}) {
        EXPECT_EQ(dialog->GetItemCount(), 5);
        EXPECT_EQ(dialog->GetItem(0).Id, 9999);
    }
}

TEST(VersionDialogWindow, PlacesItsControlsByTheMeasuredTextsAndTheBitmap) {
    VersionDialog dialog(kAboutDialogCaption, IDB_ABOUT, nullptr, 0);
    const HiddenCopy copy(dialog);
    ASSERT_TRUE(dialog.CreateIndirect(copy.Get(), nullptr));
    EXPECT_EQ(dialog.GetWindowText(), "ﾊﾞｰｼﾞｮﾝ情報(Fendrix)");
    EXPECT_NE(dialog.GetStyle() & WS_SYSMENU, 0u);

    SIZE text{0, 0};
    const int ids[] = {9999, 9998, 9997, 9996};
    for (int i = 0; i < 4; ++i) {
        const SIZE extent = ExtentInFont(dialog.GetDlgItem(ids[i]), dialog.GetText(i));
        text.cx = std::max(text.cx, extent.cx);
        text.cy = std::max(text.cy, extent.cy);
    }
    const RECT button = RectInParent(dialog.GetDlgItem(IDOK));
    const RECT picture = RectInParent(dialog.GetDlgItem(9995));
    const SIZE buttonSize{button.right - button.left, button.bottom - button.top};
    const SIZE pictureSize{picture.right - picture.left, picture.bottom - picture.top};
    const VersionDialogLayout layout = ComputeVersionDialogLayout(text, buttonSize, &pictureSize);

    ExpectRect(picture, layout.Bitmap);
    for (int i = 0; i < 4; ++i) ExpectRect(RectInParent(dialog.GetDlgItem(ids[i])), layout.Texts[i]);
    ExpectRect(button, layout.Button);
    const RECT client = dialog.GetClientRect();
    EXPECT_EQ(client.right, layout.Client.cx);
    EXPECT_EQ(client.bottom, layout.Client.cy);
    char shown[256] = {};
    GetWindowTextA(dialog.GetDlgItem(9999), shown, sizeof shown);
    EXPECT_STREQ(shown, dialog.GetText(0));
    // The picture control shows the whole bitmap inside its frame.
    BITMAP bitmap{};
    HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageA(dialog.GetDlgItem(9995), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(GetObjectA(image, sizeof bitmap, &bitmap), 0);
    RECT inner{};
    GetClientRect(dialog.GetDlgItem(9995), &inner);
    EXPECT_GE(inner.right, bitmap.bmWidth);
    EXPECT_GE(inner.bottom, bitmap.bmHeight);
    // Without a visible owner it opens in the middle of the work area, not at its corner.
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const RECT window = dialog.GetWindowRect();
    EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 1);
    dialog.DestroyWindow();
}

TEST(VersionDialogWindow, StartsItsSelfCloseTimerOnlyForAPositiveTime) {
    VersionDialog timed("t", 0, nullptr, 5);
    const HiddenCopy timedCopy(timed);
    ASSERT_TRUE(timed.CreateIndirect(timedCopy.Get(), nullptr));
    EXPECT_TRUE(timed.KillTimer(VersionDialog::kSelfCloseTimer));
    timed.DestroyWindow();

    VersionDialog untimed("t", 0, nullptr, 0);
    const HiddenCopy untimedCopy(untimed);
    ASSERT_TRUE(untimed.CreateIndirect(untimedCopy.Get(), nullptr));
    EXPECT_FALSE(untimed.KillTimer(VersionDialog::kSelfCloseTimer));
    untimed.DestroyWindow();
}

TEST(VersionDialogWindow, ClosesByItselfAfterItsTime) {
    VersionDialog dialog(kAboutDialogCaption, IDB_ABOUT, nullptr, 1);
    const DWORD start = GetTickCount();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(elapsed, 8000u);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(VersionDialogWindow, OkBeforeTheTimeEndsItAtOnce) {
    PromptlyClosedDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);  // the timer would have ended it with IDCANCEL
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}
