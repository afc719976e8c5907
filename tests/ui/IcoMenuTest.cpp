// The owner-drawn menus: conversion of menu 130 keeping ids and states, mnemonics, measuring,
// what DrawItem puts on the screen, and the icon cache.
#include "res/resource.h"
#include "ui/IcoMenu.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

enum MenuIndex { kFile, kView, kTools, kOptions, kHelp };

// A hidden top-level window with the program's menu bar; it records what the platform asks of
// the owner-drawn items and routes those messages to the menu, as the main dialog does.
class MenuWindow : public CWnd {
public:
    CIcoMenu* Menu = nullptr;
    std::map<UINT, UINT> DrawnStates;  // command id -> itemState of its last WM_DRAWITEM
    int Measured = 0;

    explicit MenuWindow(bool withMenu = true) {
        CreateEx(0, nullptr, "menus", WS_OVERLAPPEDWINDOW, RECT{40, 40, 440, 340}, nullptr, 0);
        if (withMenu) ::SetMenu(m_hWnd, LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU)));
    }
    HMENU Bar() const { return GetMenu(); }
    HMENU PopUp(int index) const { return GetSubMenu(GetMenu(), index); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DRAWITEM) {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            DrawnStates[draw->itemID] = draw->itemState;
        }
        if (message == WM_MEASUREITEM) ++Measured;
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

struct ItemSnapshot {
    UINT Id;
    UINT State;
    std::string Text;
};

std::vector<ItemSnapshot> Snapshot(HMENU menu) {
    std::vector<ItemSnapshot> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back({GetMenuItemID(menu, i), GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION), text});
    }
    return items;
}

ULONG_PTR ItemData(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info.dwItemData;
}

bool IsOwnerDrawn(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
}

// A 16 x 16 icon of one colour.
HICON SolidIcon(COLORREF color, int size = 16) {
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(dc, colour);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::vector<BYTE> bits(static_cast<size_t>(size * size / 8), 0);  // mask 0: opaque
    HBITMAP mask = CreateBitmap(size, size, 1, 1, bits.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

// The background the platform set in the item's device context; Wine's menus are as white
// as the highlight edge of a frame, which would hide what the tests look for.
const COLORREF kBackground = RGB(201, 222, 243);

// A memory picture to draw items into.
class Canvas {
public:
    Canvas(int width, int height) {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
        SetBkColor(m_dc, kBackground);
        SetTextColor(m_dc, GetSysColor(COLOR_MENUTEXT));
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
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
        ASSERT_NE(window.Bar(), nullptr);
        before = Snapshot(window.PopUp(kOptions));
        ASSERT_TRUE(menu.AttachToWindowMenu(&window));
    }

    CIcoMenuItemData* Record(HMENU popUp, int position) {
        return reinterpret_cast<CIcoMenuItemData*>(ItemData(popUp, position));
    }

    // Draws the item of the pop-up at the position into a fresh canvas as the platform would.
    void Draw(Canvas& canvas, HMENU popUp, int position, UINT state, const RECT& rect) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemID = GetMenuItemID(popUp, position);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(popUp);
        draw.hDC = canvas.Dc();
        draw.rcItem = rect;
        draw.itemData = ItemData(popUp, position);
        LRESULT result = 0;
        ASSERT_TRUE(menu.RouteMenuMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result));
    }

    MenuWindow window;
    CIcoMenu menu;  // goes before the window that holds the menu handles
    std::vector<ItemSnapshot> before;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Item texts

TEST(IcoMenuItemText, MnemonicIsTheLetterAfterTheLastSingleAmpersand) {
    CIcoMenuItemData item;
    item.SetItemText("新規作成(&N)");
    EXPECT_EQ(item.m_mnemonic, 'N');
    item.SetItemText("a&&b");
    EXPECT_EQ(item.m_mnemonic, 0);
    item.SetItemText("&a&b");
    EXPECT_EQ(item.m_mnemonic, 'b');
    item.SetItemText("&x&&y");
    EXPECT_EQ(item.m_mnemonic, 'x');
    item.SetItemText("end&");
    EXPECT_EQ(item.m_mnemonic, 0);
    item.SetItemText("&\t");
    EXPECT_EQ(item.m_mnemonic, 0);
}

TEST(IcoMenuItemText, ADoubleByteOrKatakanaCharacterAfterTheAmpersandIsNoMnemonic) {
    CIcoMenuItemData item;
    item.SetItemText("&表示");
    EXPECT_EQ(item.m_mnemonic, 0);
    item.SetItemText("&ﾌｧｲﾙ");
    EXPECT_EQ(item.m_mnemonic, 0);
    item.SetItemText("&q &表");  // the earlier letter stays the mnemonic
    EXPECT_EQ(item.m_mnemonic, 'q');
    item.SetItemText("表&z");
    EXPECT_EQ(item.m_mnemonic, 'z');
}

TEST(IcoMenuItemText, TheLastTabSplitsLabelAndAccelerator) {
    CIcoMenuItemData item;
    item.SetItemText("保存(&S)\tCtrl+S");
    EXPECT_EQ(item.m_label, "保存(&S)");
    EXPECT_EQ(item.m_accelerator, "Ctrl+S");
    EXPECT_EQ(item.m_text, "保存(&S)\tCtrl+S");
    item.SetItemText("a\tb\tc");
    EXPECT_EQ(item.m_label, "a\tb");
    EXPECT_EQ(item.m_accelerator, "c");
    item.SetItemText("開く(&O) ...");
    EXPECT_EQ(item.m_label, "開く(&O) ...");
    EXPECT_EQ(item.m_accelerator, "");
}

TEST(IcoMenuItemIcon, SizeComesFromTheIconAndOwnedIconsAreDestroyed) {
    CIcoMenuItemData item;
    EXPECT_EQ(item.GetIconSize().cx, 16);
    EXPECT_EQ(item.GetIconSize().cy, 16);
    HICON big = SolidIcon(RGB(255, 0, 0), 32);
    item.SetIcon(big, 1);
    EXPECT_EQ(item.m_iconWidth, 32);
    EXPECT_EQ(item.GetIconSize().cy, 32);
    HICON kept = SolidIcon(RGB(0, 255, 0));
    item.SetIcon(kept, 0);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(big, &info));  // owned: destroyed when replaced
    item.SetIcon(nullptr, 1);
    EXPECT_EQ(item.m_icon, nullptr);
    EXPECT_EQ(item.m_ownsIcon, 0);
    ASSERT_TRUE(GetIconInfo(kept, &info));  // not owned: still there
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(kept);
}

TEST(IcoMenuItemIcon, AMonochromeIconIsAsHighAsItsPictureNotItsTwoMasks) {
    const std::vector<BYTE> andMask(16 * 16 / 8, 0x00);
    const std::vector<BYTE> xorMask(16 * 16 / 8, 0xFF);
    HICON mono = CreateIcon(Module(), 16, 16, 1, 1, andMask.data(), xorMask.data());
    ASSERT_NE(mono, nullptr);
    CIcoMenuItemData item;
    item.SetIcon(mono, 1);
    EXPECT_EQ(item.m_iconWidth, 16);
    EXPECT_EQ(item.m_iconHeight, 16);
}

// ---------------------------------------------------------------------------------------------
// Conversion

TEST_F(IcoMenuTest, ConvertedDropDownsKeepIdsTextsAndStates) {
    ASSERT_EQ(menu.SubMenus().size(), 5u);
    char title[64] = {};
    GetMenuStringA(window.Bar(), 0, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(title, "ﾌｧｲﾙ(&F)");  // the bar's titles stay text
    EXPECT_FALSE(IsOwnerDrawn(window.Bar(), 0));

    HMENU options = window.PopUp(kOptions);
    ASSERT_EQ(GetMenuItemCount(options), static_cast<int>(before.size()));
    for (int i = 0; i < GetMenuItemCount(options); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsOwnerDrawn(options, i));
        EXPECT_EQ(GetMenuItemID(options, i), before[static_cast<size_t>(i)].Id);
        const UINT mask = MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_SEPARATOR;
        EXPECT_EQ(GetMenuState(options, static_cast<UINT>(i), MF_BYPOSITION) & mask,
                  before[static_cast<size_t>(i)].State & mask);
        const CIcoMenuItemData* record = Record(options, i);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->m_text, before[static_cast<size_t>(i)].Text.c_str());
        EXPECT_EQ(record->m_position, i);
        EXPECT_EQ(record->m_kind, before[static_cast<size_t>(i)].Id == 0 ? static_cast<UINT>(MF_SEPARATOR) : 0u);
    }
    // Each of the two separators has its own record.
    EXPECT_NE(Record(options, 4), Record(options, 6));
    EXPECT_EQ(Record(options, 6)->m_position, 6);

    HMENU file = window.PopUp(kFile);
    EXPECT_EQ(GetMenuItemID(file, 2), static_cast<UINT>(ID_FILE_CLOSE));
    EXPECT_NE(GetMenuState(file, ID_FILE_CLOSE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(Record(file, 2)->m_mnemonic, 'C');
}

TEST_F(IcoMenuTest, ChecksAndGrayingChangedLaterReachTheDrawing) {
    HMENU bar = window.Bar();
    CheckMenuItem(bar, ID_OPTION_SKIP_SYSTEM, MF_BYCOMMAND | MF_UNCHECKED);
    EnableMenuItem(bar, ID_OPTION_SHOW_UNCHANGED, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(bar, ID_FILE_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    CheckMenuItem(bar, ID_FILE_CLOSE, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_TRUE(IsOwnerDrawn(window.PopUp(kOptions), 0));
    EXPECT_EQ(GetMenuState(bar, ID_OPTION_SKIP_SYSTEM, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(bar, ID_OPTION_SHOW_UNCHANGED, MF_BYCOMMAND) & MF_GRAYED, 0u);

    // Open each drop-down as the user would and look at the states the platform draws with.
    for (int index : {kOptions, kFile}) {
        window.SetTimer(77, 300);
        TrackPopupMenu(window.PopUp(index), TPM_LEFTALIGN | TPM_TOPALIGN, 60, 60, 0, window, nullptr);
    }
    ASSERT_GT(window.Measured, 0);
    auto& states = window.DrawnStates;
    for (UINT id : {ID_OPTION_SKIP_SYSTEM, ID_OPTION_SORT, ID_OPTION_SHOW_UNCHANGED, ID_OPTION_SHOW_FILES, ID_FILE_CLOSE}) {
        ASSERT_TRUE(states.count(id)) << id;
    }
    EXPECT_EQ(states[ID_OPTION_SKIP_SYSTEM] & ODS_CHECKED, 0u);
    EXPECT_NE(states[ID_OPTION_SORT] & ODS_CHECKED, 0u);
    EXPECT_NE(states[ID_OPTION_SHOW_UNCHANGED] & ODS_GRAYED, 0u);
    EXPECT_NE(states[ID_OPTION_SHOW_UNCHANGED] & ODS_CHECKED, 0u);
    EXPECT_EQ(states[ID_OPTION_SHOW_FILES] & ODS_GRAYED, 0u);
    EXPECT_EQ(states[ID_FILE_CLOSE] & ODS_GRAYED, 0u);
    EXPECT_NE(states[ID_FILE_CLOSE] & ODS_CHECKED, 0u);
}

TEST_F(IcoMenuTest, ASecondAttachChangesNothing) {
    EXPECT_FALSE(menu.AttachToWindowMenu(&window));
    EXPECT_EQ(menu.SubMenus().size(), 5u);
    EXPECT_EQ(Record(window.PopUp(kTools), 0)->m_text, "履歴の消去(&E)");
}

TEST(IcoMenuAttach, AWindowWithoutMenuBarOrWithoutWindowIsRefused) {
    MenuWindow bare(false);
    CIcoMenu menu;
    EXPECT_FALSE(menu.AttachToWindowMenu(&bare));
    CWnd none;
    EXPECT_FALSE(menu.AttachToWindowMenu(&none));
    EXPECT_TRUE(menu.SubMenus().empty());
}

TEST(IcoMenuAttach, NestedPopUpsBecomeOwnerDrawnAndGetTheirOwnMenuObject) {
    MenuWindow window(false);
    HMENU inner = CreatePopupMenu();
    AppendMenuA(inner, MF_STRING, 501, "内側(&I)");
    HMENU outer = CreatePopupMenu();
    AppendMenuA(outer, MF_STRING | MF_CHECKED, 500, "外側(&O)\tCtrl+O");
    AppendMenuA(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "下へ(&D)");
    AppendMenuA(outer, MF_STRING, 500, "again(&G)");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), "Top(&T)");
    SetMenu(window, bar);

    CIcoMenu menu;
    ASSERT_TRUE(menu.AttachToWindowMenu(&window));
    EXPECT_TRUE(IsOwnerDrawn(outer, 1));
    EXPECT_EQ(GetSubMenu(outer, 1), inner);
    EXPECT_EQ(GetMenuItemID(outer, 1), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(outer, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    CIcoMenu* outerMenu = menu.FindMenu(outer);
    ASSERT_NE(outerMenu, nullptr);
    ASSERT_EQ(outerMenu->SubMenus().size(), 1u);
    EXPECT_EQ(outerMenu->SubMenus()[0]->GetParentMenu(), outerMenu);
    EXPECT_TRUE(IsOwnerDrawn(inner, 0));
    EXPECT_EQ(menu.FindItemData(501)->m_label, "内側(&I)");
    const CIcoMenuItemData* popUp = menu.FindItemData(reinterpret_cast<UINT_PTR>(inner));
    ASSERT_NE(popUp, nullptr);
    EXPECT_EQ(popUp->m_kind, static_cast<UINT>(MF_POPUP));
    // A repeated command keeps a record per item; lookups find the first.
    EXPECT_EQ(menu.FindItemData(500)->m_position, 0);
    EXPECT_EQ(outerMenu->Items().size(), 3u);
    EXPECT_EQ(outerMenu->Items()[2]->m_position, 2);
}

// ---------------------------------------------------------------------------------------------
// Mnemonics

TEST_F(IcoMenuTest, MenuCharRunsTheFirstItemWithTheLetter) {
    HMENU tools = window.PopUp(kTools);
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, tools), (MNC_EXECUTE << 16) | 0);  // not "実行(&E)" at 2
    EXPECT_EQ(menu.HandleMenuChar('E', MF_POPUP, tools), (MNC_EXECUTE << 16) | 0);
    EXPECT_EQ(menu.HandleMenuChar('b', MF_POPUP, tools), (MNC_EXECUTE << 16) | 3);
    EXPECT_EQ(menu.HandleMenuChar('x', MF_POPUP, window.PopUp(kFile)), (MNC_EXECUTE << 16) | 6);
    EXPECT_EQ(menu.HandleMenuChar('a', MF_POPUP, window.PopUp(kFile)), (MNC_EXECUTE << 16) | 4);
    EXPECT_EQ(menu.HandleMenuChar('p', MF_POPUP, window.PopUp(kOptions)), (MNC_EXECUTE << 16) | 7);
}

TEST_F(IcoMenuTest, MenuCharLeavesUnknownLettersAndForeignMenusToTheDefault) {
    HMENU tools = window.PopUp(kTools);
    EXPECT_EQ(menu.HandleMenuChar('z', MF_POPUP, tools), 0);
    EXPECT_EQ(menu.HandleMenuChar('e', 0, tools), 0);  // no flags: the menu bar itself
    EXPECT_EQ(menu.HandleMenuChar(0, MF_POPUP, tools), 0);
    EXPECT_EQ(menu.HandleMenuChar(0xB1, MF_POPUP, tools), 0);
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, window.Bar()), 0);
    HMENU foreign = CreatePopupMenu();
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, foreign), 0);
    DestroyMenu(foreign);

    LRESULT result = 123;
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MENUCHAR, MAKEWPARAM('z', MF_POPUP), reinterpret_cast<LPARAM>(tools), &result));
    EXPECT_TRUE(menu.RouteMenuMessage(WM_MENUCHAR, MAKEWPARAM('b', MF_POPUP), reinterpret_cast<LPARAM>(tools), &result));
    EXPECT_EQ(result, (MNC_EXECUTE << 16) | 3);
}

// ---------------------------------------------------------------------------------------------
// Measuring

TEST_F(IcoMenuTest, SeparatorsAreAtLeastNinePixelsHigh) {
    HMENU file = window.PopUp(kFile);
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 0, 2, ItemData(file, 5)};
    EXPECT_TRUE(menu.MeasureMenuItem(-1, &measure));
    EXPECT_EQ(measure.itemHeight, 9u);
    measure.itemHeight = 15;
    EXPECT_TRUE(menu.MeasureMenuItem(-1, &measure));
    EXPECT_EQ(measure.itemHeight, 15u);
}

TEST_F(IcoMenuTest, CommandItemsAreMeasuredThroughTheirMenuNotByTheWindowHandler) {
    HMENU file = window.PopUp(kFile);
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, ID_FILE_NEW, 0, 0, ItemData(file, 0)};
    EXPECT_FALSE(menu.MeasureMenuItem(0, &measure));  // only pop-up items there
    EXPECT_TRUE(menu.MeasureMenuItem(-1, &measure));
    EXPECT_GE(measure.itemHeight, 20u);  // the 16-pixel icon column and 2 pixels above and below
    EXPECT_GT(measure.itemWidth, 16u + 8u);

    MEASUREITEMSTRUCT routed{ODT_MENU, 0, ID_FILE_NEW, 0, 0, ItemData(file, 0)};
    LRESULT result = 0;
    EXPECT_TRUE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&routed), &result));
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(routed.itemWidth, measure.itemWidth);
    EXPECT_EQ(routed.itemHeight, measure.itemHeight);
}

TEST_F(IcoMenuTest, AcceleratorsAndLargeIconsWidenAndHeightenTheItem) {
    HMENU file = window.PopUp(kFile);
    CIcoMenuItemData* record = Record(file, 3);
    MEASUREITEMSTRUCT plain{ODT_MENU, 0, ID_FILE_SAVE, 0, 0, ItemData(file, 3)};
    ASSERT_TRUE(menu.MeasureMenuItem(-1, &plain));
    record->SetItemText("保存(&S)\tCtrl+S");
    MEASUREITEMSTRUCT withKey = plain;
    ASSERT_TRUE(menu.MeasureMenuItem(-1, &withKey));
    EXPECT_GT(withKey.itemWidth, plain.itemWidth + 20);
    record->SetIcon(SolidIcon(RGB(0, 0, 255), 32), 1);
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
    EXPECT_FALSE(menu.MeasureMenuItem(-1, &measure));
    LRESULT result = 0;
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), &result));
    MEASUREITEMSTRUCT button{ODT_BUTTON, 5, 0, 0, 0, ItemData(window.PopUp(kFile), 0)};
    EXPECT_FALSE(menu.MeasureMenuItem(-1, &button));

    HMENU foreign = CreatePopupMenu();
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.hwndItem = reinterpret_cast<HWND>(foreign);
    draw.itemData = reinterpret_cast<ULONG_PTR>(stranger);
    EXPECT_FALSE(menu.RouteMenuMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result));
    DestroyMenu(foreign);
}

TEST_F(IcoMenuTest, AfterDetachingTheMenusNoLongerAnswer) {
    HMENU tools = window.PopUp(kTools);
    const ULONG_PTR data = ItemData(tools, 0);
    menu.DetachMenu(0);
    EXPECT_TRUE(menu.SubMenus().empty());
    EXPECT_EQ(menu.FindMenu(tools), nullptr);
    EXPECT_EQ(menu.HandleMenuChar('e', MF_POPUP, tools), 0);
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, ID_TOOL_CLEAR_HISTORY, 0, 0, data};
    LRESULT result = 0;
    EXPECT_FALSE(menu.RouteMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), &result));
}

// ---------------------------------------------------------------------------------------------
// Drawing

class IcoMenuDrawing : public IcoMenuTest {
protected:
    void SetUp() override {
        IcoMenuTest::SetUp();
        menuColour = kBackground;
        shadow = GetSysColor(COLOR_BTNSHADOW);
        light = GetSysColor(COLOR_BTNHIGHLIGHT);
        face = GetSysColor(COLOR_3DLIGHT);
        highlight = GetSysColor(COLOR_HIGHLIGHT);
        text = GetSysColor(COLOR_MENUTEXT);
        const COLORREF all[] = {menuColour, shadow, light, face, highlight, text, kRed};
        for (COLORREF a : all) {
            int same = 0;
            for (COLORREF b : all) same += a == b ? 1 : 0;
            ASSERT_EQ(same, 1) << "the colour scheme must tell the parts apart";
        }
    }

    static constexpr COLORREF kRed = RGB(255, 0, 0);
    const RECT item{0, 0, 200, 22};
    COLORREF menuColour = 0, shadow = 0, light = 0, face = 0, highlight = 0, text = 0;
};

TEST_F(IcoMenuDrawing, ACheckedItemShowsASunkenBoxWithATickInsteadOfItsIcon) {
    HMENU options = window.PopUp(kOptions);
    Record(options, 0)->SetIcon(SolidIcon(kRed), 1);
    Canvas canvas(200, 22);
    Draw(canvas, options, 0, ODS_CHECKED, item);
    // The box: 16 x 16 at (4, 3), its frame one pixel outside.
    EXPECT_EQ(canvas.At(3, 2), shadow);
    EXPECT_EQ(canvas.At(20, 19), light);
    EXPECT_EQ(canvas.At(5, 5), face);
    EXPECT_EQ(canvas.At(4 + 6, 3 + 7), text);  // where the tick starts
    EXPECT_EQ(canvas.Count(RECT{0, 0, 200, 22}, kRed), 0);
    EXPECT_EQ(canvas.Count(RECT{4, 3, 20, 19}, light), 0);  // no embossed shade when not grayed
    EXPECT_EQ(canvas.At(1, 1), menuColour);
}

TEST_F(IcoMenuDrawing, AGrayedCheckedItemHasAGreyTickWithAWhiteShade) {
    HMENU options = window.PopUp(kOptions);
    Canvas canvas(200, 22);
    Draw(canvas, options, 0, ODS_CHECKED | ODS_GRAYED | ODS_DISABLED, item);
    EXPECT_EQ(canvas.At(5, 5), menuColour);
    EXPECT_EQ(canvas.At(4 + 6, 3 + 7), shadow);
    EXPECT_GT(canvas.Count(RECT{4, 3, 20, 19}, light), 3);
    EXPECT_EQ(canvas.Count(RECT{4, 3, 20, 19}, text), 0);
}

TEST_F(IcoMenuDrawing, TheHighlightSparesTheIconColumnOnlyWhenThereIsAnIcon) {
    HMENU view = window.PopUp(kView);
    Canvas plain(200, 22);
    Draw(plain, view, 3, ODS_SELECTED, item);  // "ﾃﾞﾌｫﾙﾄのｳｨﾝﾄﾞｳｻｲｽﾞ(&W)": no icon, not checked
    EXPECT_EQ(plain.At(1, 1), highlight);
    EXPECT_EQ(plain.At(199, 21), highlight);

    HMENU file = window.PopUp(kFile);
    Record(file, 0)->SetIcon(SolidIcon(kRed), 1);
    Canvas withIcon(200, 22);
    Draw(withIcon, file, 0, ODS_SELECTED, item);
    EXPECT_EQ(withIcon.At(1, 1), menuColour);
    EXPECT_EQ(withIcon.At(16 + 6, 1), highlight);
    EXPECT_EQ(withIcon.At(2, 1), light);     // the raised frame around the icon
    EXPECT_EQ(withIcon.At(21, 20), shadow);
    EXPECT_EQ(withIcon.At(4, 3), kRed);      // the icon at (4, 3)
    EXPECT_EQ(withIcon.At(19, 18), kRed);

    Canvas unselected(200, 22);
    Draw(unselected, file, 0, 0, item);
    EXPECT_EQ(unselected.Count(RECT{0, 0, 200, 22}, highlight), 0);
    EXPECT_EQ(unselected.At(2, 1), menuColour);
    EXPECT_EQ(unselected.At(10, 10), kRed);
}

TEST_F(IcoMenuDrawing, GrayedIconsAreDrawnDisabledAndGrayedItemsStillHighlight) {
    HMENU file = window.PopUp(kFile);
    Record(file, 2)->SetIcon(SolidIcon(kRed), 1);  // "閉じる(&C)", grayed
    Canvas canvas(200, 22);
    Draw(canvas, file, 2, ODS_GRAYED | ODS_DISABLED, item);
    EXPECT_EQ(canvas.Count(RECT{4, 3, 20, 19}, kRed), 0);
    Canvas selected(200, 22);
    Draw(selected, file, 2, ODS_GRAYED | ODS_DISABLED | ODS_SELECTED, item);
    EXPECT_EQ(selected.At(16 + 6, 1), highlight);
    // A disabled item that is not grayed gets no highlight.
    Canvas disabled(200, 22);
    Draw(disabled, file, 2, ODS_DISABLED | ODS_SELECTED, item);
    EXPECT_EQ(disabled.Count(RECT{0, 0, 200, 22}, highlight), 0);
}

TEST_F(IcoMenuDrawing, SeparatorsAreAnEtchedLineAcrossTheItem) {
    HMENU file = window.PopUp(kFile);
    Canvas canvas(200, 9);
    Draw(canvas, file, 5, 0, RECT{0, 0, 200, 9});
    EXPECT_EQ(canvas.At(0, 3), shadow);
    EXPECT_EQ(canvas.At(199, 3), shadow);
    EXPECT_EQ(canvas.At(100, 4), light);
    EXPECT_EQ(canvas.At(100, 2), menuColour);
    EXPECT_EQ(canvas.At(100, 5), menuColour);
}

// ---------------------------------------------------------------------------------------------
// Icons

TEST(IconCacheLookup, LoadsEachIconOnceInEitherSize) {
    HICON small = IconCache::Lookup(IDI_MENU_SAVE, 16);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(IconCache::Lookup(IDI_MENU_SAVE, 16), small);
    HICON large = IconCache::Lookup(IDI_FENDRIX, 32);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(IconCache::Lookup(IDI_FENDRIX, 48), large);
    CIcoMenuItemData sizes;
    sizes.SetIcon(large, 0);
    EXPECT_EQ(sizes.m_iconWidth, 32);
    sizes.SetIcon(IconCache::Lookup(IDI_FENDRIX, 16), 0);
    EXPECT_EQ(sizes.m_iconWidth, 16);
    EXPECT_EQ(IconCache::Lookup(4321, 16), nullptr);
}

TEST_F(IcoMenuTest, TheNineCommandsGetTheirIconsFromTheCache) {
    RegisterMenuIcons(menu);
    const std::pair<UINT, UINT> icons[] = {
        {ID_APP_ABOUT, IDI_FENDRIX},          {ID_TOOL_EXECUTE, IDI_MENU_EXECUTE}, {ID_APP_EXIT, IDI_MENU_EXIT},
        {ID_TOOL_CLEAR_HISTORY, IDI_MENU_CLEAR_HISTORY}, {ID_FILE_NEW, IDI_MENU_NEW},
        {ID_TOOL_ABORT, IDI_MENU_ABORT},      {ID_FILE_OPEN, IDI_MENU_OPEN},       {ID_FILE_SAVE, IDI_MENU_SAVE},
        {ID_FILE_SAVE_AS, IDI_MENU_SAVE_AS},
    };
    for (const auto& entry : icons) {
        SCOPED_TRACE(entry.first);
        const CIcoMenuItemData* record = menu.FindItemData(entry.first);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->m_icon, IconCache::Lookup(entry.second, 16));
        EXPECT_NE(record->m_icon, nullptr);
        EXPECT_EQ(record->m_ownsIcon, 0);
        EXPECT_EQ(record->GetIconSize().cx, 16);
        EXPECT_EQ(record->GetIconSize().cy, 16);
    }
    EXPECT_EQ(menu.FindItemData(ID_FILE_CLOSE)->m_icon, nullptr);
    EXPECT_EQ(menu.FindItemData(ID_OPTION_SORT)->m_icon, nullptr);
    menu.SetItemIcon(4321, IconCache::Lookup(IDI_MENU_NEW, 16), 0);  // no such item: nothing happens

    HICON about = menu.FindItemData(ID_APP_ABOUT)->m_icon;
    menu.DetachMenu(0);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(about, &info));  // the cache's icons outlive the menu
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}
