// The dialog template written in memory, as far as the About dialog built from one does not show
// it: rebuilding, freeing, no memory.
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

// Keeps its template memory in view and can be refused it.
class TestDialog : public CTemplateDialog {
public:
    explicit TestDialog(bool noMemory = false) : NoMemory(noMemory) {}
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

TEST(TemplateDialog, RebuildingFreesTheTemplateBuiltBeforeAndOnlyAMissingCaptionKeepsTheTitle) {
    TestDialog dialog;
    ASSERT_NE(dialog.hfBuildTemplate(kRect, "ﾊﾞｰｼﾞｮﾝ情報", nullptr), nullptr);
    // The caption follows the header's 18 bytes, the empty menu and the standard class.
    ASSERT_TRUE(dialog.InitModalTemplate(kRect, nullptr, nullptr));
    EXPECT_EQ(Words(dialog.GetTemplate(), 22, 1)[0], 0xFF8A);
    ASSERT_NE(dialog.hfBuildTemplate(kRect, "", nullptr), nullptr);
    EXPECT_EQ(Words(dialog.GetTemplate(), 22, 2), (std::vector<WORD>{0, 9}));  // then the point size
    EXPECT_EQ(dialog.LiveBlocks(), 1);
    dialog.FreeTemplate(CTemplateDialog::FREE_TEMPLATE);
    EXPECT_EQ(dialog.GetTemplate(), nullptr);
    EXPECT_EQ(dialog.LiveBlocks(), 0);
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
