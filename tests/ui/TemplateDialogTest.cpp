// The dialog template written in memory: its bytes, the dialog built from them, freeing, no memory.
#include "framework/Seams.h"
#include "ui/TemplateDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace {

// count 16-bit words of the template from the byte offset.
std::vector<WORD> Words(const DLGTEMPLATE* built, UINT offset, int count) {
    const auto* words = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(built) + offset);
    return std::vector<WORD>(words, words + count);
}

// The zero-terminated UTF-16 text at the offset, without its zero.
std::wstring TextAt(const DLGTEMPLATE* built, UINT offset) {
    return reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(built) + offset);
}

// Hidden, since shown windows cost Wine seconds to take down without a window manager; keeps
// its template memory in view and can be refused it.
class TestDialog : public CTemplateDialog {
public:
    explicit TestDialog(bool noMemory = false) : NoMemory(noMemory) { m_defaultStyle &= ~WS_VISIBLE; }
    std::ptrdiff_t LiveBlocks() const {
        return std::count_if(Memory.begin(), Memory.end(),
                             [](HLOCAL block) { return LocalFlags(block) != LMEM_INVALID_HANDLE; });
    }
    const bool NoMemory;
    std::set<HLOCAL> Memory;  // every block it was given

protected:
    HLOCAL AllocateTemplateMemory(UINT bytes) override {
        return NoMemory ? nullptr : *Memory.insert(CTemplateDialog::AllocateTemplateMemory(bytes)).first;
    }
};

const RECT kRect{3, 4, 103, 64};

}  // namespace

TEST(TemplateDialog, WritesItsBytesAtTheirOffsetsForThePlatformToBuildTheDialogAndFreesThemWhenRebuilt) {
    TestDialog dialog;
    dialog.AddItem(CTemplateDialog::ATOM_BUTTON, 1);
    const RECT place{10, 20, 70, 34};
    dialog.AddItem(CTemplateDialog::ATOM_STATIC, 7, &place, "表示(&V) ﾊﾞｰ", SS_NOPREFIX, WS_EX_CLIENTEDGE);
    const DLGTEMPLATE* built = dialog.hfBuildTemplate(kRect, "ﾊﾞｰｼﾞｮﾝ情報", nullptr, WS_SYSMENU, WS_EX_TOOLWINDOW);
    ASSERT_NE(built, nullptr);
    // Styles, item count, place, no menu and the standard class.
    const DWORD style = (CTemplateDialog::kDefaultStyle & ~WS_VISIBLE) | WS_SYSMENU;
    EXPECT_EQ(Words(built, 0, 11),
              (std::vector<WORD>{LOWORD(style), HIWORD(style), WS_EX_TOOLWINDOW, 0, 2, 3, 4, 100, 60, 0, 0}));
    // The caption's 9 characters and zero, the point size, the face with ゴ precomposed, padding to 64.
    EXPECT_EQ(TextAt(built, 22), L"\xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831");
    EXPECT_EQ(Words(built, 42, 1)[0], 9);
    EXPECT_EQ(TextAt(built, 44), L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
    // An item without place or text at 0, 0 with 50 x 14, padded to 28 bytes since another follows.
    EXPECT_EQ(Words(built, 64, 14), (std::vector<WORD>{0, 0x5000, 0, 0, 0, 0, 50, 14, 1, 0xFFFF, 0x80, 0, 0, 0}));
    EXPECT_EQ(Words(built, 92, 11),
              (std::vector<WORD>{SS_NOPREFIX, 0x5000, WS_EX_CLIENTEDGE, 0, 10, 20, 60, 14, 7, 0xFFFF, 0x82}));
    EXPECT_EQ(TextAt(built, 92 + 22), L"\x8868\x793A(&V) \xFF8A\xFF9E\xFF70");
    EXPECT_EQ(dialog.GetTemplateSize(), 92u + 24u + 22u);  // the last item is not padded

    ASSERT_TRUE(dialog.CreateIndirect(built, nullptr));
    EXPECT_EQ(dialog.GetWindowText(), "ﾊﾞｰｼﾞｮﾝ情報");
    char text[64] = {};
    GetWindowTextA(dialog.GetDlgItem(7), text, sizeof text);
    EXPECT_STREQ(text, "表示(&V) ﾊﾞｰ");
    LOGFONTA font{};
    GetObjectA(dialog.GetFont(), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");  // not コ with a combining mark, which names no font

    // Rebuilding frees the template built before; only a missing caption keeps the title.
    ASSERT_TRUE(dialog.InitModalTemplate(kRect, nullptr, nullptr));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(Words(dialog.GetTemplate(), 22, 1)[0], 0xFF8A);
    ASSERT_NE(dialog.hfBuildTemplate(kRect, "", nullptr), nullptr);
    EXPECT_EQ(Words(dialog.GetTemplate(), 22, 2), (std::vector<WORD>{0, 9}));
    EXPECT_EQ(dialog.LiveBlocks(), 1);
    dialog.FreeTemplate(CTemplateDialog::FREE_TEMPLATE);
    EXPECT_EQ(dialog.GetTemplate(), nullptr);
    EXPECT_EQ(dialog.LiveBlocks(), 0);
    EXPECT_EQ(dialog.GetItemCount(), 2);
    dialog.FreeTemplate(CTemplateDialog::FREE_ITEMS);
    ASSERT_TRUE(dialog.InitModalTemplate(kRect, nullptr, nullptr));
    EXPECT_EQ(dialog.GetTemplate()->cdit, 0);
    EXPECT_EQ(dialog.GetTemplateSize(), 2u + 18u + 24u);
}

TEST(TemplateDialog, WithoutMemoryTheUserIsToldAndTheDialogDoesNotRun) {
    static std::vector<std::string> shown;
    const auto previous = seams::ShowMessageBox;
    seams::ShowMessageBox = [](HWND, const char* text, const char*, UINT type) {
        shown.push_back(std::string(text) + ((type & MB_ICONMASK) == MB_ICONEXCLAMATION ? " (!)" : ""));
        return IDOK;
    };
    TestDialog dialog(true);  // refused its memory
    EXPECT_FALSE(dialog.InitModalTemplate(kRect, "x", nullptr));
    seams::ShowMessageBox = previous;
    EXPECT_EQ(shown, std::vector<std::string>{
                         "[CTemplateDialog::hfBuildTemplate] Memory allocation for dialog template failed. (!)"});
    EXPECT_EQ(dialog.DoModal(), -1);
}
