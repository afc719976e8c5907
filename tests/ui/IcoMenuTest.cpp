// The owner-drawn menus: conversion of menu 130, mnemonics, measuring, drawing and the icon cache.
#include "res/resource.h"
#include "support/HighMemory.h"
#include "ui/IcoMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

enum MenuIndex { kFile, kView, kTools, kOptions };

HICON RedIcon(int size = 16) {
    const std::vector<DWORD> red(static_cast<size_t>(size * size), 0x00FF0000);
    return CreateIcon(nullptr, size, size, 1, 32, std::vector<BYTE>(red.size() / 8).data(),
                      reinterpret_cast<const BYTE*>(red.data()));
}

ULONG_PTR Data(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info, info.fMask = MIIM_DATA;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info.dwItemData;
}

CIcoMenuItemData* Record(HMENU menu, int position) { return reinterpret_cast<CIcoMenuItemData*>(Data(menu, position)); }

// A hidden window with the program's menus, converted.
class IcoMenuTest : public ::testing::Test, public CWnd {
protected:
    void SetUp() override {
        CreateEx(0, nullptr, "menus", WS_OVERLAPPEDWINDOW, RECT{40, 40, 440, 340}, nullptr, 0);
        ::SetMenu(m_hWnd, LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU)));
        ASSERT_TRUE(menu.AttachToWindowMenu(this));
    }
    HMENU PopUp(int index) const { return GetSubMenu(GetMenu(), index); }
    MEASUREITEMSTRUCT Measure(HMENU popUp, int position) {
        MEASUREITEMSTRUCT measure{ODT_MENU, 0, GetMenuItemID(popUp, position), 0, 0, Data(popUp, position)};
        EXPECT_TRUE(menu.MeasureMenuItem(-1, &measure));
        return measure;
    }
    // Draws the item into a 200 x height picture on a background unlike Wine's white menus and names
    // the colour of each listed pixel: Background, Shadow, Light, Face, Highlight, Text, Red or '?'.
    std::string Draw(HMENU popUp, int position, UINT state, const std::vector<POINT>& pixels, int height = 22) {
        const COLORREF colors[] = {RGB(201, 222, 243), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT),
                                   GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_HIGHLIGHT),
                                   GetSysColor(COLOR_MENUTEXT), RGB(255, 0, 0)};
        HDC screen = ::GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, height);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        SetBkColor(dc, colors[0]);
        SetTextColor(dc, colors[5]);
        DRAWITEMSTRUCT draw{ODT_MENU, 0, GetMenuItemID(popUp, position), ODA_DRAWENTIRE, state,
                            reinterpret_cast<HWND>(popUp), dc, RECT{0, 0, 200, height}, Data(popUp, position)};
        LRESULT result = 0;
        EXPECT_TRUE(menu.RouteMenuMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result));
        std::string names;
        for (const POINT& p : pixels) {
            names += "BSLFHTR?"[std::find(colors, std::end(colors), GetPixel(dc, p.x, p.y)) - colors];
        }
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return names;
    }

    CIcoMenu menu;
};

}  // namespace

TEST(IcoMenuItem, MnemonicIsAPrintableByteAfterTheLastSingleAmpersandKeyAfterTheLastTabOwnedIconsGo) {
    const std::pair<const char*, char> cases[] = {{"新規作成(&N)", 'N'}, {"a&&b", 0}, {"&a&b", 'b'}, {"&x&&y", 'x'},
                                                  {"end&", 0}, {"&\t", 0}, {"&表示", 0}, {"&ﾌｧｲﾙ", 0}, {"&q &表", 'q'}};
    CIcoMenuItemData item;
    for (const auto& [text, mnemonic] : cases) {
        item.SetItemText(text);
        EXPECT_EQ(item.m_mnemonic, mnemonic) << text;
    }
    item.SetItemText("a\tb\tCtrl+S");
    EXPECT_EQ(item.m_label, "a\tb");
    EXPECT_EQ(item.m_accelerator, "Ctrl+S");

    HICON owned = RedIcon(32);
    item.SetIcon(owned, 1);
    EXPECT_EQ(item.GetIconSize().cx, 32);
    item.SetIcon(nullptr, 1);
    EXPECT_EQ(CopyIcon(owned), nullptr);
    const std::vector<BYTE> andMask(16 * 16 / 8, 0x00), xorMask(16 * 16 / 8, 0xFF);
    item.SetIcon(CreateIcon(nullptr, 16, 16, 1, 1, andMask.data(), xorMask.data()), 1);
    EXPECT_EQ(item.m_iconHeight, 16);  // a monochrome icon's bitmap holds both masks, one above the other
}

TEST_F(IcoMenuTest, ConversionKeepsIdsTextsAndStatesGivesEachItemItsRecordAndIsRefusedTwice) {
    EXPECT_EQ(Data(GetMenu(), 0), 0u);  // the bar's titles stay as they are
    HMENU options = PopUp(kOptions);
    for (int i = 0; i < GetMenuItemCount(options); ++i) {
        EXPECT_EQ(GetMenuState(options, i, MF_BYPOSITION) & (MF_OWNERDRAW | MF_SEPARATOR | MF_CHECKED),
                  MF_OWNERDRAW | (i == 4 || i == 6 ? MF_SEPARATOR : MF_CHECKED));
        ASSERT_NE(Record(options, i), nullptr);
        EXPECT_EQ(Record(options, i)->m_position, i);  // also of each separator
    }
    EXPECT_EQ(GetMenuItemID(options, 7), static_cast<UINT>(ID_OPTION_SKIP_SYSTEM));
    EXPECT_FALSE(menu.AttachToWindowMenu(this));  // it would read the texts back from owner-drawn items
    EXPECT_EQ(Record(options, 7)->m_text, "ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする(&P)");
}

TEST_F(IcoMenuTest, ALetterChoosesTheFirstItemWithItAsMnemonicAndOthersAreLeftToTheDefault) {
    HMENU tools = PopUp(kTools);
    LRESULT result = 0;
    EXPECT_TRUE(menu.RouteMenuMessage(WM_MENUCHAR, MAKEWPARAM('e', MF_POPUP), reinterpret_cast<LPARAM>(tools), &result));
    EXPECT_EQ(result, MNC_EXECUTE << 16);  // "履歴の消去(&E)", not "実行(&E)" further down
    EXPECT_EQ(menu.HandleMenuChar('B', MF_POPUP, tools), (MNC_EXECUTE << 16) | 5);
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MENUCHAR, MAKEWPARAM('z', MF_POPUP), reinterpret_cast<LPARAM>(tools), &result));
    EXPECT_EQ(menu.HandleMenuChar(0xB1, MF_POPUP, tools), 0);  // above 0x7F: no mnemonic
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, GetMenu()), 0);  // the bar's own titles are the platform's
}

TEST_F(IcoMenuTest, SeparatorsAreNinePixelsAndKeysAndLargeIconsWidenAndHeightenTheItem) {
    HMENU file = PopUp(kFile);
    EXPECT_EQ(Measure(file, 5).itemHeight, 9u);
    // The window's handler measures pop-up items only; the others are measured through their menu.
    MEASUREITEMSTRUCT plain{ODT_MENU, 0, ID_FILE_SAVE, 0, 0, Data(file, 3)};
    EXPECT_FALSE(menu.MeasureMenuItem(0, &plain));
    LRESULT result = 0;
    EXPECT_TRUE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&plain), &result));
    EXPECT_GE(plain.itemHeight, 20u);  // the 16-pixel icon column and 2 pixels above and below
    Record(file, 3)->SetItemText("保存(&S)\tCtrl+S");
    const MEASUREITEMSTRUCT withKey = Measure(file, 3);
    EXPECT_GT(withKey.itemWidth, plain.itemWidth + 20);
    Record(file, 3)->SetIcon(RedIcon(32), 1);
    EXPECT_EQ(Measure(file, 3).itemHeight, 36u);
    EXPECT_EQ(Measure(file, 3).itemWidth, withKey.itemWidth + 16);
}

TEST_F(IcoMenuTest, DrawsTheTickInASunkenBoxTheHighlightBesideTheIconGrayedIconsDisabledAndEtchedSeparators) {
    Record(PopUp(kOptions), 0)->SetIcon(RedIcon(), 1);
    // The frame's top left, the box, the tick's start, the icon's place (a tick replaces it).
    const std::vector<POINT> at{{3, 2}, {5, 5}, {10, 10}, {6, 16}};
    EXPECT_EQ(Draw(PopUp(kOptions), 0, ODS_CHECKED, at), "SFTF");
    EXPECT_EQ(Draw(PopUp(kOptions), 0, ODS_CHECKED | ODS_GRAYED | ODS_DISABLED, at), "SBSB");
    HMENU file = PopUp(kFile);
    Record(file, 0)->SetIcon(RedIcon(), 1);
    // Outside the icon's frame, right of the column, the frame's top left, the icon.
    const std::vector<POINT> beside{{1, 1}, {22, 1}, {2, 1}, {10, 10}};
    EXPECT_EQ(Draw(file, 0, ODS_SELECTED, beside), "BHLR");
    const std::string grayed = Draw(file, 0, ODS_GRAYED | ODS_DISABLED | ODS_SELECTED, beside);
    EXPECT_EQ(grayed.substr(0, 3), "BHB");
    EXPECT_NE(grayed[3], 'R');
    EXPECT_EQ(Draw(file, 0, ODS_DISABLED | ODS_SELECTED, beside).substr(0, 2), "BB");  // only grayed ones highlight
    EXPECT_EQ(Draw(file, 5, 0, {{100, 3}, {100, 4}, {100, 5}}, 9), "SLB");  // an etched line
}

TEST_F(IcoMenuTest, TwelveCommandsGetCachedIconsThatOutliveTheMenuAndForeignMenusAreNotDrawn) {
    RegisterMenuIcons(menu);
    HICON about = menu.FindItemData(ID_APP_ABOUT)->m_icon;
    EXPECT_EQ(about, IconCache::Lookup(IDI_FENDRIX, 16));
    int withIcon = 0;
    for (const auto& popUp : menu.SubMenus())
        for (const auto& item : popUp->Items()) withIcon += item->m_icon != nullptr && item->m_ownsIcon == 0 ? 1 : 0;
    EXPECT_EQ(withIcon, 12);

    LRESULT result = 0;
    HMENU foreign = CreatePopupMenu();
    DRAWITEMSTRUCT draw{ODT_MENU, 0, 1, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(foreign), nullptr, {}, 0};
    EXPECT_FALSE(menu.RouteMenuMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result));
    DestroyMenu(foreign);

    MEASUREITEMSTRUCT old{ODT_MENU, 0, ID_TOOL_CLEAR_HISTORY, 0, 0, Data(PopUp(kTools), 0)};
    menu.DetachMenu(0);
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, PopUp(kTools)), 0);
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&old), &result));
    EXPECT_TRUE(DestroyIcon(CopyIcon(about)));
}

// Item data and pop-up ids are pointers and handles: a lookup that compared only their low
// 32 bits would take a stranger for one of its records.
TEST_F(IcoMenuTest, RecordsAndPopUpIdsAreMatchedByTheirWholeValue) {
    if (!kHasHighAddresses) GTEST_SKIP() << "the 32-bit build has no values above 4 GiB";
    HMENU outer = CreatePopupMenu();
    HMENU inner = CreatePopupMenu();
    AppendMenuA(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "pop-up");
    CIcoMenu popUps;
    popUps.AttachSubMenu(outer);

    const UINT_PTR innerId = reinterpret_cast<UINT_PTR>(inner);
    ASSERT_NE(popUps.FindItemData(innerId), nullptr);
    EXPECT_EQ(popUps.FindItemData(AboveFourGiB(innerId)), nullptr);

    CIcoMenuItemData* record = Record(outer, 0);
    EXPECT_EQ(popUps.FindOwnerOf(record), &popUps);
    EXPECT_EQ(popUps.FindOwnerOf(AboveFourGiB(record)), nullptr);
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 0, 0, AboveFourGiB(reinterpret_cast<UINT_PTR>(record))};
    EXPECT_FALSE(popUps.MeasureMenuItem(-1, &measure));
    popUps.DetachMenu(1);
    DestroyMenu(outer);
}
