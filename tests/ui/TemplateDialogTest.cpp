// The dialog template written in memory: header and items byte for byte at offsets worked out
// by hand, the texts in UTF-16, and the failure when no memory can be had.
#include "framework/Seams.h"
#include "ui/TemplateDialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

WORD WordAt(const DLGTEMPLATE* dialogTemplate, UINT offset) {
    WORD value = 0;
    std::memcpy(&value, reinterpret_cast<const BYTE*>(dialogTemplate) + offset, sizeof value);
    return value;
}

DWORD DwordAt(const DLGTEMPLATE* dialogTemplate, UINT offset) {
    DWORD value = 0;
    std::memcpy(&value, reinterpret_cast<const BYTE*>(dialogTemplate) + offset, sizeof value);
    return value;
}

// The zero-terminated UTF-16 text at the offset, without its zero.
std::wstring TextAt(const DLGTEMPLATE* dialogTemplate, UINT offset) {
    std::wstring text;
    for (WORD ch = WordAt(dialogTemplate, offset); ch != 0; ch = WordAt(dialogTemplate, offset)) {
        text.push_back(static_cast<wchar_t>(ch));
        offset += 2;
    }
    return text;
}

const RECT kRect{3, 4, 103, 64};
const std::wstring kNoTitle = L"no-title";
const std::wstring kFace = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";  // ＭＳ Ｐゴシック, ゴ precomposed
// Caption and face, both 9 UTF-16 characters with their zeros: 18 + 18 + 24 = 60 bytes.
const UINT kDefaultHeaderBytes = 60;

// What the user would have been shown.
struct ShownBox {
    std::string Text;
    UINT Type;
};
std::vector<ShownBox> g_shown;

int RecordMessageBox(HWND, const char* text, const char*, UINT type) {
    g_shown.push_back({text, type});
    return IDOK;
}

// Shown windows cost Wine seconds to take down without a window manager.
class HiddenDialog : public CTemplateDialog {
public:
    HiddenDialog() { m_defaultStyle &= ~WS_VISIBLE; }
};

class NoMemoryDialog : public CTemplateDialog {
protected:
    HLOCAL AllocateTemplateMemory(UINT) override { return nullptr; }
};

}  // namespace

TEST(TemplateBuilder, WithoutItemsTheTemplateIsTheHeaderAlone) {
    CTemplateDialog dialog;
    const DLGTEMPLATE* built = dialog.hfBuildTemplate(kRect, nullptr, nullptr, WS_SYSMENU, WS_EX_TOOLWINDOW);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(dialog.GetTemplateSize(), kDefaultHeaderBytes);
    EXPECT_EQ(DwordAt(built, 0), 0x92C000C0u | WS_SYSMENU);
    EXPECT_EQ(DwordAt(built, 4), static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(WordAt(built, 8), 0);  // item count
    EXPECT_EQ(WordAt(built, 10), 3);
    EXPECT_EQ(WordAt(built, 12), 4);
    EXPECT_EQ(WordAt(built, 14), 100);
    EXPECT_EQ(WordAt(built, 16), 60);
    EXPECT_EQ(WordAt(built, 18), 0);  // no menu
    EXPECT_EQ(WordAt(built, 20), 0);  // standard class
    EXPECT_EQ(TextAt(built, 22), kNoTitle);
    EXPECT_EQ(WordAt(built, 40), 9);  // point size after the 18 caption bytes
    EXPECT_EQ(TextAt(built, 42), kFace);
    EXPECT_EQ(WordAt(built, 58), 0);
}

TEST(TemplateBuilder, ItemsWithoutRectangleOrTextGetTheDefaultPlaceAndAnEmptyText) {
    CTemplateDialog dialog;
    dialog.AddItem(CTemplateDialog::ATOM_BUTTON, 1);
    dialog.AddItem(CTemplateDialog::ATOM_EDIT, 2, nullptr, nullptr, ES_READONLY, WS_EX_CLIENTEDGE);
    EXPECT_EQ(dialog.GetItemCount(), 2);
    const DLGTEMPLATE* built = dialog.hfBuildTemplate(kRect, nullptr, nullptr);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(WordAt(built, 8), 2);

    // Item 1 at 60: 24 + 2 bytes of empty text = 26, padded to 28 because another follows.
    EXPECT_EQ(DwordAt(built, 60), 0x50000000u);
    EXPECT_EQ(DwordAt(built, 64), 0u);
    EXPECT_EQ(WordAt(built, 68), 0);
    EXPECT_EQ(WordAt(built, 70), 0);
    EXPECT_EQ(WordAt(built, 72), 50);
    EXPECT_EQ(WordAt(built, 74), 14);
    EXPECT_EQ(WordAt(built, 76), 1);
    EXPECT_EQ(WordAt(built, 78), 0xFFFF);
    EXPECT_EQ(WordAt(built, 80), 0x0080);
    EXPECT_EQ(WordAt(built, 82), 0);  // empty text
    EXPECT_EQ(WordAt(built, 84), 0);  // creation data size
    EXPECT_EQ(WordAt(built, 86), 0);  // padding

    // Item 2 at 88, the last one: not padded, so the template ends at 88 + 26.
    EXPECT_EQ(DwordAt(built, 88), 0x50000000u | ES_READONLY);
    EXPECT_EQ(DwordAt(built, 92), static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(WordAt(built, 104), 2);
    EXPECT_EQ(WordAt(built, 108), 0x0081);
    EXPECT_EQ(WordAt(built, 110), 0);
    EXPECT_EQ(WordAt(built, 112), 0);
    EXPECT_EQ(dialog.GetTemplateSize(), 114u);
}

TEST(TemplateBuilder, JapaneseTextsArriveInUtf16AndMoveTheOffsets) {
    CTemplateDialog dialog;
    const RECT place{10, 20, 70, 34};
    dialog.AddItem(CTemplateDialog::ATOM_STATIC, 7, &place, "表示(&V) ﾊﾞｰ");
    const DLGTEMPLATE* built = dialog.hfBuildTemplate(kRect, "ﾊﾞｰｼﾞｮﾝ情報(Fendrix)", nullptr);
    ASSERT_NE(built, nullptr);
    // 18 characters and the zero: 38 caption bytes, so the point size sits at 60, the face at 62.
    EXPECT_EQ(TextAt(built, 22), L"\xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831(Fendrix)");
    EXPECT_EQ(WordAt(built, 60), 9);
    EXPECT_EQ(TextAt(built, 62), kFace);
    // Header 38 + 18 + 24 = 80; the item's text has 10 characters and its zero.
    EXPECT_EQ(WordAt(built, 80 + 8), 10);
    EXPECT_EQ(WordAt(built, 80 + 10), 20);
    EXPECT_EQ(WordAt(built, 80 + 12), 60);
    EXPECT_EQ(WordAt(built, 80 + 14), 14);
    EXPECT_EQ(TextAt(built, 80 + 22), L"\x8868\x793A(&V) \xFF8A\xFF9E\xFF70");
    EXPECT_EQ(WordAt(built, 80 + 22 + 22), 0);
    EXPECT_EQ(dialog.GetTemplateSize(), 80u + 24u + 22u);
}

TEST(TemplateBuilder, OnlyAMissingCaptionKeepsTheTitleAndFreedItemsLeaveTheTemplate) {
    CTemplateDialog dialog;
    dialog.AddItem(CTemplateDialog::ATOM_BUTTON, 1);
    ASSERT_NE(dialog.hfBuildTemplate(kRect, "Title", nullptr), nullptr);
    ASSERT_NE(dialog.hfBuildTemplate(kRect, nullptr, nullptr), nullptr);
    EXPECT_EQ(TextAt(dialog.GetTemplate(), 22), L"Title");
    ASSERT_TRUE(dialog.InitModalTemplate(kRect, "", nullptr));
    EXPECT_EQ(WordAt(dialog.GetTemplate(), 22), 0);
    EXPECT_EQ(WordAt(dialog.GetTemplate(), 24), 9);
    EXPECT_EQ(dialog.GetTemplateSize(), (2u + 18u + 24u) + 26u);

    dialog.FreeTemplate(CTemplateDialog::FREE_TEMPLATE);
    EXPECT_EQ(dialog.GetTemplate(), nullptr);
    EXPECT_EQ(dialog.GetItemCount(), 1);
    dialog.FreeTemplate(CTemplateDialog::FREE_ITEMS);
    ASSERT_TRUE(dialog.InitModalTemplate(kRect, nullptr, nullptr));
    EXPECT_EQ(WordAt(dialog.GetTemplate(), 8), 0);
    EXPECT_EQ(dialog.GetTemplateSize(), 2u + 18u + 24u);
}

TEST(TemplateBuilder, ThePlatformBuildsTheDialogWithItsControlsTextsAndFont) {
    HiddenDialog dialog;
    const RECT place{5, 5, 105, 15};
    dialog.AddItem(CTemplateDialog::ATOM_STATIC, 300, &place, "ﾌｧｲﾙ名 : 表", SS_NOPREFIX);
    dialog.AddItem(CTemplateDialog::ATOM_EDIT, 301, nullptr, "edit", ES_AUTOHSCROLL | WS_BORDER);
    dialog.AddItem(CTemplateDialog::ATOM_BUTTON, IDOK, nullptr, "OK");
    ASSERT_TRUE(dialog.InitModalTemplate(RECT{0, 0, 150, 80}, "ﾊﾞｰｼﾞｮﾝ情報", nullptr, 0, 0));
    ASSERT_TRUE(dialog.CreateIndirect(dialog.GetTemplate(), nullptr));

    EXPECT_EQ(dialog.GetWindowText(), "ﾊﾞｰｼﾞｮﾝ情報");
    char text[64] = {};
    char className[32] = {};
    GetWindowTextA(dialog.GetDlgItem(300), text, sizeof text);
    EXPECT_STREQ(text, "ﾌｧｲﾙ名 : 表");
    GetClassNameA(dialog.GetDlgItem(301), className, sizeof className);
    EXPECT_STREQ(className, "Edit");
    // The tab order is the order of the items.
    EXPECT_EQ(GetWindow(dialog.GetDlgItem(300), GW_HWNDNEXT), dialog.GetDlgItem(301));
    EXPECT_EQ(GetWindow(dialog.GetDlgItem(301), GW_HWNDNEXT), dialog.GetDlgItem(IDOK));

    // The face name reaches the font unchanged (not as コ plus a combining sound mark).
    LOGFONTA font{};
    ASSERT_NE(GetObjectA(dialog.GetFont(), sizeof font, &font), 0);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");
    dialog.FreeTemplate(CTemplateDialog::FREE_TEMPLATE);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(TemplateBuilder, WithoutMemoryTheUserIsToldAndTheDialogDoesNotRun) {
    g_shown.clear();
    const auto previous = seams::ShowMessageBox;
    seams::ShowMessageBox = RecordMessageBox;
    NoMemoryDialog dialog;
    dialog.AddItem(CTemplateDialog::ATOM_BUTTON, IDOK, nullptr, "OK");
    EXPECT_FALSE(dialog.InitModalTemplate(kRect, "x", nullptr));
    seams::ShowMessageBox = previous;
    EXPECT_EQ(dialog.GetTemplate(), nullptr);
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].Text, "[CTemplateDialog::hfBuildTemplate] Memory allocation for dialog template failed.");
    EXPECT_EQ(g_shown[0].Type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(dialog.DoModal(), -1);
}
