// The owner-drawn menus: conversion of menu 130 keeping ids and states, mnemonics, measuring,
// what DrawItem puts on the screen, and the icon cache.
#include "res/resource.h"
#include "ui/IcoMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

enum MenuIndex { kFile, kView, kTools, kOptions, kHelp };

// A hidden window with the program's menu bar that routes the menu messages to the menu, as
// the main dialog does, and records the states the platform draws items with.
class MenuWindow : public CWnd {
public:
    CIcoMenu* Menu = nullptr;
    std::map<UINT, UINT> DrawnStates;

    explicit MenuWindow(bool withMenu = true) {
        CreateEx(0, nullptr, "menus", WS_OVERLAPPEDWINDOW, RECT{40, 40, 440, 340}, nullptr, 0);
        if (withMenu) ::SetMenu(m_hWnd, LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU)));
    }
    HMENU PopUp(int index) const { return GetSubMenu(GetMenu(), index); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DRAWITEM) {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            DrawnStates[draw->itemID] = draw->itemState;
        }
        if (message == WM_TIMER && wParam == 77) {
            KillTimer(77);
            EndMenu();
            return 0;
        }
        LRESULT result = 0;
        if (Menu != nullptr && Menu->RouteMenuMessage(message, wParam, lParam, &result)) return result;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

MENUITEMINFOA ItemInfo(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}

CIcoMenuItemData* Record(HMENU menu, int position) {
    return reinterpret_cast<CIcoMenuItemData*>(ItemInfo(menu, position).dwItemData);
}

const COLORREF kRed = RGB(255, 0, 0);

HICON RedIcon(int size = 16) {
    const std::vector<BYTE> opaque(static_cast<size_t>(size * size / 8), 0);
    const std::vector<DWORD> red(static_cast<size_t>(size * size), 0x00FF0000);  // blue, green, red, unused
    return CreateIcon(GetModuleHandleA(nullptr), size, size, 1, 32, opaque.data(),
                      reinterpret_cast<const BYTE*>(red.data()));
}

// The background the platform sets in an item's device context; Wine's menus are as white as
// the light edge of a frame, which would hide what the tests look for.
const COLORREF kBackground = RGB(201, 222, 243);

// A memory picture of one 200 x height item to draw into.
class Canvas {
public:
    explicit Canvas(int height = 22) {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, 200, height);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
        SetBkColor(m_dc, kBackground);
        SetTextColor(m_dc, GetSysColor(COLOR_MENUTEXT));
    }
    ~Canvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    int Count(const RECT& area, COLORREF color) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) count += At(x, y) == color ? 1 : 0;
        }
        return count;
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

class IcoMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.Menu = &menu;
        ASSERT_TRUE(menu.AttachToWindowMenu(&window));
    }

    // Draws the item as the platform would, into a canvas of the rectangle's height.
    void Draw(Canvas& canvas, HMENU popUp, int position, UINT state, int height = 22) {
        DRAWITEMSTRUCT draw{ODT_MENU, 0, GetMenuItemID(popUp, position), ODA_DRAWENTIRE, state,
                            reinterpret_cast<HWND>(popUp), canvas.Dc(), RECT{0, 0, 200, height},
                            ItemInfo(popUp, position).dwItemData};
        LRESULT result = 0;
        ASSERT_TRUE(menu.RouteMenuMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result));
    }

    MenuWindow window;
    CIcoMenu menu;  // goes before the window that holds the menu handles
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Item texts and icons

TEST(IcoMenuItemText, MnemonicIsThePrintableSingleByteLetterAfterTheLastSingleAmpersand) {
    const struct {
        const char* Text;
        char Mnemonic;
    } cases[] = {
        {"新規作成(&N)", 'N'}, {"a&&b", 0},   {"&a&b", 'b'},    {"&x&&y", 'x'}, {"end&", 0},
        {"&\t", 0},            {"&表示", 0}, {"&ﾌｧｲﾙ", 0},     {"&q &表", 'q'}, {"表&z", 'z'},
    };
    for (const auto& sample : cases) {
        CIcoMenuItemData item;
        item.SetItemText(sample.Text);
        EXPECT_EQ(item.m_mnemonic, sample.Mnemonic) << sample.Text;
    }
}

TEST(IcoMenuItemText, TheLastTabSplitsLabelAndAccelerator) {
    CIcoMenuItemData item;
    item.SetItemText("保存(&S)\tCtrl+S");
    EXPECT_EQ(item.m_label, "保存(&S)");
    EXPECT_EQ(item.m_accelerator, "Ctrl+S");
    item.SetItemText("a\tb\tc");
    EXPECT_EQ(item.m_label, "a\tb");
    EXPECT_EQ(item.m_accelerator, "c");
    item.SetItemText("開く(&O) ...");
    EXPECT_EQ(item.m_label, "開く(&O) ...");
    EXPECT_EQ(item.m_accelerator, "");
}

TEST(IcoMenuItemIcon, OwnedIconsAreDestroyedWhenReplacedOthersAreLeftAlone) {
    CIcoMenuItemData item;
    HICON owned = RedIcon(32);
    item.SetIcon(owned, 1);
    EXPECT_EQ(item.GetIconSize().cx, 32);
    HICON kept = RedIcon();
    item.SetIcon(kept, 0);
    item.SetIcon(nullptr, 1);
    EXPECT_EQ(item.GetIconSize().cy, 16);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(owned, &info));
    ASSERT_TRUE(GetIconInfo(kept, &info));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(kept);
}

TEST(IcoMenuItemIcon, AMonochromeIconIsAsHighAsItsPictureNotItsTwoMasks) {
    const std::vector<BYTE> andMask(16 * 16 / 8, 0x00);
    const std::vector<BYTE> xorMask(16 * 16 / 8, 0xFF);
    CIcoMenuItemData item;
    item.SetIcon(CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, andMask.data(), xorMask.data()), 1);
    EXPECT_EQ(item.m_iconWidth, 16);
    EXPECT_EQ(item.m_iconHeight, 16);
}

// ---------------------------------------------------------------------------------------------
// Conversion

TEST(IcoMenuAttach, ConvertedDropDownsKeepIdsTextsAndStates) {
    MenuWindow window;
    HMENU options = window.PopUp(kOptions);
    std::vector<MENUITEMINFOA> before;
    std::vector<CString> texts;
    for (int i = 0; i < GetMenuItemCount(options); ++i) {
        before.push_back(ItemInfo(options, i));
        char text[256] = {};
        GetMenuStringA(options, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    CIcoMenu menu;
    ASSERT_TRUE(menu.AttachToWindowMenu(&window));
    EXPECT_EQ(menu.SubMenus().size(), 5u);
    EXPECT_EQ(ItemInfo(window.GetMenu(), 0).fType & MFT_OWNERDRAW, 0u);  // the bar's titles stay text

    ASSERT_EQ(GetMenuItemCount(options), static_cast<int>(before.size()));
    for (int i = 0; i < GetMenuItemCount(options); ++i) {
        SCOPED_TRACE(i);
        const MENUITEMINFOA after = ItemInfo(options, i);
        EXPECT_NE(after.fType & MFT_OWNERDRAW, 0u);
        EXPECT_EQ(after.wID, before[static_cast<size_t>(i)].wID);
        EXPECT_EQ(after.fState, before[static_cast<size_t>(i)].fState);
        EXPECT_EQ(after.fType & MFT_SEPARATOR, before[static_cast<size_t>(i)].fType & MFT_SEPARATOR);
        const CIcoMenuItemData* record = Record(options, i);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->m_text, texts[static_cast<size_t>(i)]);
        EXPECT_EQ(record->m_position, i);
    }
    EXPECT_NE(Record(options, 4), Record(options, 6));  // each separator has its own record
    EXPECT_NE(GetMenuState(window.PopUp(kFile), ID_FILE_CLOSE, MF_BYCOMMAND) & MF_GRAYED, 0u);

    EXPECT_FALSE(menu.AttachToWindowMenu(&window));  // a second conversion would lose the texts
    EXPECT_EQ(Record(window.PopUp(kTools), 0)->m_text, "履歴の消去(&E)");
    MenuWindow bare(false);
    CIcoMenu none;
    EXPECT_FALSE(none.AttachToWindowMenu(&bare));
}

TEST_F(IcoMenuTest, ChecksAndGrayingChangedLaterReachTheDrawing) {
    HMENU bar = window.GetMenu();
    CheckMenuItem(bar, ID_OPTION_SKIP_SYSTEM, MF_BYCOMMAND | MF_UNCHECKED);
    EnableMenuItem(bar, ID_OPTION_SHOW_UNCHANGED, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(bar, ID_FILE_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    CheckMenuItem(bar, ID_FILE_CLOSE, MF_BYCOMMAND | MF_CHECKED);

    // Open the drop-downs as the user would and look at the states the platform draws with.
    for (int index : {kOptions, kFile}) {
        window.SetTimer(77, 300);
        TrackPopupMenu(window.PopUp(index), TPM_LEFTALIGN | TPM_TOPALIGN, 60, 60, 0, window, nullptr);
    }
    auto& states = window.DrawnStates;
    for (UINT id : {ID_OPTION_SKIP_SYSTEM, ID_OPTION_SORT, ID_OPTION_SHOW_UNCHANGED, ID_FILE_CLOSE}) {
        ASSERT_TRUE(states.count(id)) << id;
    }
    EXPECT_EQ(states[ID_OPTION_SKIP_SYSTEM] & ODS_CHECKED, 0u);
    EXPECT_NE(states[ID_OPTION_SORT] & ODS_CHECKED, 0u);
    EXPECT_NE(states[ID_OPTION_SHOW_UNCHANGED] & (ODS_GRAYED | ODS_CHECKED), 0u);
    EXPECT_EQ(states[ID_FILE_CLOSE] & ODS_GRAYED, 0u);
    EXPECT_NE(states[ID_FILE_CLOSE] & ODS_CHECKED, 0u);
}

TEST(IcoMenuAttach, NestedPopUpsBecomeOwnerDrawnWithARecordPerItem) {
    MenuWindow window(false);
    HMENU inner = CreatePopupMenu();
    AppendMenuA(inner, MF_STRING, 501, "内側(&I)");
    HMENU outer = CreatePopupMenu();
    AppendMenuA(outer, MF_STRING | MF_CHECKED, 500, "外側(&O)");
    AppendMenuA(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "下へ(&D)");
    AppendMenuA(outer, MF_STRING, 500, "again(&G)");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), "Top(&T)");
    SetMenu(window, bar);

    CIcoMenu menu;
    ASSERT_TRUE(menu.AttachToWindowMenu(&window));
    EXPECT_NE(ItemInfo(outer, 1).fType & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(GetSubMenu(outer, 1), inner);
    EXPECT_NE(ItemInfo(inner, 0).fType & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(menu.FindItemData(reinterpret_cast<UINT_PTR>(inner))->m_kind, static_cast<UINT>(MF_POPUP));
    CIcoMenu* outerMenu = menu.FindMenu(outer);
    ASSERT_NE(outerMenu, nullptr);
    EXPECT_EQ(outerMenu->SubMenus().size(), 1u);
    ASSERT_EQ(outerMenu->Items().size(), 3u);
    EXPECT_EQ(outerMenu->Items()[2]->m_position, 2);
    EXPECT_EQ(menu.FindItemData(500)->m_position, 0);  // lookups find the first
}

// ---------------------------------------------------------------------------------------------
// Mnemonics and measuring

TEST_F(IcoMenuTest, MenuCharRunsTheFirstItemWithTheLetterAndLeavesTheRestToTheDefault) {
    HMENU tools = window.PopUp(kTools);
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, tools), (MNC_EXECUTE << 16) | 0);  // not "実行(&E)" at 2
    EXPECT_EQ(menu.HandleMenuChar('B', MF_POPUP, tools), (MNC_EXECUTE << 16) | 3);
    EXPECT_EQ(menu.HandleMenuChar('x', MF_POPUP, window.PopUp(kFile)), (MNC_EXECUTE << 16) | 6);
    EXPECT_EQ(menu.HandleMenuChar('p', MF_POPUP, window.PopUp(kOptions)), (MNC_EXECUTE << 16) | 7);

    EXPECT_EQ(menu.HandleMenuChar('z', MF_POPUP, tools), 0);
    EXPECT_EQ(menu.HandleMenuChar('e', 0, tools), 0);
    EXPECT_EQ(menu.HandleMenuChar(0xB1, MF_POPUP, tools), 0);
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, window.GetMenu()), 0);
    LRESULT result = 0;
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MENUCHAR, MAKEWPARAM('z', MF_POPUP), reinterpret_cast<LPARAM>(tools), &result));
    EXPECT_TRUE(menu.RouteMenuMessage(WM_MENUCHAR, MAKEWPARAM('b', MF_POPUP), reinterpret_cast<LPARAM>(tools), &result));
    EXPECT_EQ(result, (MNC_EXECUTE << 16) | 3);
}

TEST_F(IcoMenuTest, ALetterTypedInTheOpenMenuChoosesTheFirstItemWithIt) {
    for (const auto& key : {std::make_pair('e', ID_TOOL_CLEAR_HISTORY), std::make_pair('B', ID_TOOL_ABORT)}) {
        window.SetTimer(77, 2000);  // closes the menu should the letter not
        window.PostMessage(WM_CHAR, static_cast<WPARAM>(key.first));
        const UINT chosen = static_cast<UINT>(TrackPopupMenu(window.PopUp(kTools), TPM_RETURNCMD | TPM_LEFTALIGN, 60, 60,
                                                             0, window, nullptr));
        window.KillTimer(77);
        EXPECT_EQ(chosen, static_cast<UINT>(key.second)) << key.first;
    }
}

TEST_F(IcoMenuTest, SeparatorsAreAtLeastNinePixelsAndCommandsAreMeasuredThroughTheirMenu) {
    HMENU file = window.PopUp(kFile);
    MEASUREITEMSTRUCT separator{ODT_MENU, 0, 0, 0, 2, ItemInfo(file, 5).dwItemData};
    EXPECT_TRUE(menu.MeasureMenuItem(-1, &separator));
    EXPECT_EQ(separator.itemHeight, 9u);
    separator.itemHeight = 15;
    EXPECT_TRUE(menu.MeasureMenuItem(-1, &separator));
    EXPECT_EQ(separator.itemHeight, 15u);

    MEASUREITEMSTRUCT command{ODT_MENU, 0, ID_FILE_NEW, 0, 0, ItemInfo(file, 0).dwItemData};
    EXPECT_FALSE(menu.MeasureMenuItem(0, &command));  // the window's handler measures pop-up items only
    LRESULT result = 0;
    EXPECT_TRUE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&command), &result));
    EXPECT_EQ(result, TRUE);
    EXPECT_GE(command.itemHeight, 20u);  // the 16-pixel icon column and 2 pixels above and below
    EXPECT_GT(command.itemWidth, 16u + 8u);
}

TEST_F(IcoMenuTest, AcceleratorsAndLargeIconsWidenAndHeightenTheItem) {
    HMENU file = window.PopUp(kFile);
    CIcoMenuItemData* record = Record(file, 3);
    MEASUREITEMSTRUCT plain{ODT_MENU, 0, ID_FILE_SAVE, 0, 0, ItemInfo(file, 3).dwItemData};
    ASSERT_TRUE(menu.MeasureMenuItem(-1, &plain));
    record->SetItemText("保存(&S)\tCtrl+S");
    MEASUREITEMSTRUCT withKey = plain;
    ASSERT_TRUE(menu.MeasureMenuItem(-1, &withKey));
    EXPECT_GT(withKey.itemWidth, plain.itemWidth + 20);
    record->SetIcon(RedIcon(32), 1);
    MEASUREITEMSTRUCT withIcon = withKey;
    ASSERT_TRUE(menu.MeasureMenuItem(-1, &withIcon));
    EXPECT_EQ(withIcon.itemHeight, 36u);
    EXPECT_EQ(withIcon.itemWidth, withKey.itemWidth + 16);
}

TEST_F(IcoMenuTest, ItemDataOfOtherMenusIsNeverReadAsARecord) {
    int stranger[8] = {};
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 1, 0, 0, reinterpret_cast<ULONG_PTR>(stranger)};
    EXPECT_FALSE(menu.MeasureMenuItem(-1, &measure));
    measure.itemData = 0x12345678;
    LRESULT result = 0;
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), &result));
    HMENU foreign = CreatePopupMenu();
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.hwndItem = reinterpret_cast<HWND>(foreign);
    draw.itemData = reinterpret_cast<ULONG_PTR>(stranger);
    EXPECT_FALSE(menu.RouteMenuMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result));
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, foreign), 0);
    DestroyMenu(foreign);

    // Once detached, the records are gone and the menus are nobody's.
    HMENU tools = window.PopUp(kTools);
    MEASUREITEMSTRUCT old{ODT_MENU, 0, ID_TOOL_CLEAR_HISTORY, 0, 0, ItemInfo(tools, 0).dwItemData};
    menu.DetachMenu(0);
    EXPECT_EQ(menu.FindMenu(tools), nullptr);
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, tools), 0);
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&old), &result));
}

// ---------------------------------------------------------------------------------------------
// Drawing

class IcoMenuDrawing : public IcoMenuTest {
protected:
    void SetUp() override {
        IcoMenuTest::SetUp();
        const COLORREF all[] = {kBackground, shadow, light, face, highlight, text, kRed};
        for (COLORREF a : all) {
            ASSERT_EQ(std::count(std::begin(all), std::end(all), a), 1) << "the colours must tell the parts apart";
        }
    }

    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF face = GetSysColor(COLOR_3DLIGHT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF text = GetSysColor(COLOR_MENUTEXT);
    const RECT box{4, 3, 20, 19};  // the 16 x 16 check box of a 22-pixel item
};

TEST_F(IcoMenuDrawing, ACheckedItemShowsASunkenBoxWithATickInsteadOfItsIcon) {
    HMENU options = window.PopUp(kOptions);
    Record(options, 0)->SetIcon(RedIcon(), 1);
    Canvas canvas;
    Draw(canvas, options, 0, ODS_CHECKED);
    EXPECT_EQ(canvas.At(3, 2), shadow);  // the frame one pixel outside the box
    EXPECT_EQ(canvas.At(20, 19), light);
    EXPECT_EQ(canvas.At(5, 5), face);
    EXPECT_EQ(canvas.At(4 + 6, 3 + 7), text);  // where the tick starts
    EXPECT_EQ(canvas.Count(RECT{0, 0, 200, 22}, kRed), 0);
    EXPECT_EQ(canvas.Count(box, light), 0);
    EXPECT_EQ(canvas.At(1, 1), kBackground);

    Canvas grayed;
    Draw(grayed, options, 0, ODS_CHECKED | ODS_GRAYED | ODS_DISABLED);
    EXPECT_EQ(grayed.At(5, 5), kBackground);
    EXPECT_EQ(grayed.At(4 + 6, 3 + 7), shadow);
    EXPECT_GT(grayed.Count(box, light), 3);  // the embossed shade of the tick
    EXPECT_EQ(grayed.Count(box, text), 0);
}

TEST_F(IcoMenuDrawing, TheHighlightSparesTheIconColumnOnlyWhenThereIsAnIcon) {
    Canvas plain;
    Draw(plain, window.PopUp(kView), 3, ODS_SELECTED);  // no icon, not checked
    EXPECT_EQ(plain.At(1, 1), highlight);
    EXPECT_EQ(plain.At(199, 21), highlight);

    HMENU file = window.PopUp(kFile);
    Record(file, 0)->SetIcon(RedIcon(), 1);
    Canvas selected;
    Draw(selected, file, 0, ODS_SELECTED);
    EXPECT_EQ(selected.At(1, 1), kBackground);
    EXPECT_EQ(selected.At(16 + 6, 1), highlight);
    EXPECT_EQ(selected.At(2, 1), light);  // the raised frame around the icon
    EXPECT_EQ(selected.At(21, 20), shadow);
    EXPECT_EQ(selected.At(4, 3), kRed);
    EXPECT_EQ(selected.At(19, 18), kRed);
    Canvas unselected;
    Draw(unselected, file, 0, 0);
    EXPECT_EQ(unselected.Count(RECT{0, 0, 200, 22}, highlight), 0);
    EXPECT_EQ(unselected.At(2, 1), kBackground);
}

TEST_F(IcoMenuDrawing, GrayedIconsAreDrawnDisabledAndOnlyGrayedDisabledItemsHighlight) {
    HMENU file = window.PopUp(kFile);
    Record(file, 2)->SetIcon(RedIcon(), 1);
    Canvas canvas;
    Draw(canvas, file, 2, ODS_GRAYED | ODS_DISABLED);
    EXPECT_EQ(canvas.Count(box, kRed), 0);
    Canvas selected;
    Draw(selected, file, 2, ODS_GRAYED | ODS_DISABLED | ODS_SELECTED);
    EXPECT_EQ(selected.At(16 + 6, 1), highlight);
    Canvas disabled;
    Draw(disabled, file, 2, ODS_DISABLED | ODS_SELECTED);
    EXPECT_EQ(disabled.Count(RECT{0, 0, 200, 22}, highlight), 0);
}

TEST_F(IcoMenuDrawing, SeparatorsAreAnEtchedLineAcrossTheItem) {
    Canvas canvas(9);
    Draw(canvas, window.PopUp(kFile), 5, 0, 9);
    EXPECT_EQ(canvas.At(0, 3), shadow);
    EXPECT_EQ(canvas.At(199, 3), shadow);
    EXPECT_EQ(canvas.At(100, 4), light);
    EXPECT_EQ(canvas.At(100, 2), kBackground);
    EXPECT_EQ(canvas.At(100, 5), kBackground);
}

// ---------------------------------------------------------------------------------------------
// Icons

TEST(IconCacheLookup, LoadsEachIconOnceInEitherSize) {
    HICON small = IconCache::Lookup(IDI_FENDRIX, 16);
    HICON large = IconCache::Lookup(IDI_FENDRIX, 48);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(IconCache::Lookup(IDI_FENDRIX, 16), small);
    EXPECT_EQ(IconCache::Lookup(IDI_FENDRIX, 32), large);
    CIcoMenuItemData sizes;
    sizes.SetIcon(large, 0);
    EXPECT_EQ(sizes.m_iconWidth, 32);
    EXPECT_EQ(IconCache::Lookup(4321, 16), nullptr);
}

TEST_F(IcoMenuTest, TheNineCommandsGetTheirIconsFromTheCache) {
    RegisterMenuIcons(menu);
    const std::pair<UINT, UINT> icons[] = {
        {ID_APP_ABOUT, IDI_FENDRIX},       {ID_TOOL_EXECUTE, IDI_MENU_EXECUTE},
        {ID_APP_EXIT, IDI_MENU_EXIT},      {ID_TOOL_CLEAR_HISTORY, IDI_MENU_CLEAR_HISTORY},
        {ID_FILE_NEW, IDI_MENU_NEW},       {ID_TOOL_ABORT, IDI_MENU_ABORT},
        {ID_FILE_OPEN, IDI_MENU_OPEN},     {ID_FILE_SAVE, IDI_MENU_SAVE},
        {ID_FILE_SAVE_AS, IDI_MENU_SAVE_AS},
    };
    for (const auto& entry : icons) {
        const CIcoMenuItemData* record = menu.FindItemData(entry.first);
        ASSERT_NE(record, nullptr) << entry.first;
        EXPECT_EQ(record->m_icon, IconCache::Lookup(entry.second, 16)) << entry.first;
        EXPECT_NE(record->m_icon, nullptr);
        EXPECT_EQ(record->m_ownsIcon, 0);
        EXPECT_EQ(record->GetIconSize().cy, 16);
    }
    EXPECT_EQ(menu.FindItemData(ID_FILE_CLOSE)->m_icon, nullptr);

    HICON about = menu.FindItemData(ID_APP_ABOUT)->m_icon;
    menu.DetachMenu(0);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(about, &info));  // the cache's icons outlive the menu
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}
