// The folder browser with the shell's dialog scripted to choose real folders of a temporary tree:
// a folder whose path Shift-JIS cannot spell is refused, and its look-alike never reaches the
// search-path box.
#include "framework/Seams.h"
#include "res/resource.h"
#include "support/TempTree.h"
#include "ui/FolderBrowser.h"
#include "ui/MainDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Box {
    std::string Text;
    std::string Title;
};

std::wstring g_chosen;      // the folder the scripted dialog returns
std::vector<Box> g_boxes;   // the message boxes shown

PIDLIST_ABSOLUTE ChooseFolder(BROWSEINFOA*) {
    PIDLIST_ABSOLUTE item = nullptr;
    SHParseDisplayName(g_chosen.c_str(), nullptr, &item, 0, nullptr);
    return item;
}

int RecordBox(HWND, const char* text, const char* title, UINT) {
    g_boxes.push_back({text, title});
    return IDOK;
}

class FolderBrowserTest : public ::testing::Test {
protected:
    FolderBrowserTest() : m_savedBrowse(seams::BrowseForFolder), m_savedBox(seams::ShowMessageBox) {
        seams::BrowseForFolder = ChooseFolder;
        seams::ShowMessageBox = RecordBox;
        g_boxes.clear();
    }
    ~FolderBrowserTest() override {
        seams::BrowseForFolder = m_savedBrowse;
        seams::ShowMessageBox = m_savedBox;
    }

    // The folder as the shell gives it, without the extended form's prefix.
    void Choose(const std::wstring& relative) {
        tree.MakeDir(relative);
        g_chosen = tree.RealPath(relative).substr(4);
    }

    TempTree tree;

private:
    decltype(seams::BrowseForFolder) m_savedBrowse;
    decltype(seams::ShowMessageBox) m_savedBox;
};

}  // namespace

TEST_F(FolderBrowserTest, AFolderShiftJisSpellsIsChosenAndOneItCannotIsRefusedWithAMessage) {
    // A refused folder, as a cancelled dialog, leaves the path the browser had before.
    const struct {
        const wchar_t* folder;
        int result;
        CString path;
    } cases[] = {{L"表示", FolderBrowser::Chosen, tree.Path("表示")}, {L"naïve", FolderBrowser::Refused, "C:\\kept"}};
    for (const auto& c : cases) {
        Choose(c.folder);
        FolderBrowser browser(GetDesktopWindow(), "C:\\kept");
        g_boxes.clear();
        EXPECT_EQ(browser.Browse(nullptr, tree.Root()), c.result) << c.path;
        EXPECT_EQ(browser.GetPath(), c.path);
        EXPECT_EQ(g_boxes.size(), c.result == FolderBrowser::Refused ? 1u : 0u) << c.path;
    }
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].Title, "Fendrix:Warning");
    EXPECT_EQ(g_boxes[0].Text, "選択したﾌｫﾙﾀﾞ( " + tree.Path("na〓ve").Str() +
                                   " )は\nShift-JIS で表せない文字を含むため、\n検索ﾊﾟｽに指定できません。");
}

// The look-alike naive would name another folder, which a run would then change.
TEST_F(FolderBrowserTest, ARefusedFolderLeavesTheSearchPathAsItWas) {
    tree.MakeDir(L"naive");
    Choose(L"naïve");
    MainDialog dialog;
    dialog.StartupSettingsPath = tree.Path("none.ini");
    ASSERT_TRUE(dialog.Create(IDD_MAIN));
    const HWND box = GetDlgItem(dialog.m_hWnd, IDC_SEARCH_PATH);
    SetWindowTextA(box, "C:\\before");

    dialog.BrowseSearchFolder();

    EXPECT_EQ(WindowTextOf(box), "C:\\before");
    EXPECT_EQ(dialog.LastBrowseFolder, "");
    EXPECT_EQ(g_boxes.size(), 1u);
}
