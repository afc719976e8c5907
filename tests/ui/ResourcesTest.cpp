// The resources as the user meets them: the menu bar, the help texts of the status bar, the
// main window's template and the pictures. The test program links the same resource script
// as Fendrix.exe.
#include "res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string LoadText(UINT id) {
    char text[512] = {};
    const int length = LoadStringA(Module(), id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// ---------------------------------------------------------------------------------------
// Menu bar

constexpr UINT kSeparator = 0;

struct MenuItem {
    UINT id;  // kSeparator for a separator
    const char* text;
    UINT state;  // MF_CHECKED and MF_GRAYED as the resource gives them
};

struct PopUp {
    const char* title;
    std::vector<MenuItem> items;
};

const std::vector<PopUp>& MenuBar() {
    static const std::vector<PopUp> bar = {
        {"ﾌｧｲﾙ(&F)",
         {{ID_FILE_NEW, "新規作成(&N)", 0},
          {ID_FILE_OPEN, "開く(&O) ...", 0},
          {ID_FILE_CLOSE, "閉じる(&C)", MF_GRAYED},
          {ID_FILE_SAVE, "保存(&S)", 0},
          {ID_FILE_SAVE_AS, "名前を付けて保存(&A) ...", 0},
          {kSeparator, "", 0},
          {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", 0}}},
        {"表示(&V)",
         {{ID_VIEW_TOOLBAR, "ﾂｰﾙﾊﾞｰを表示(&T)", MF_CHECKED},
          {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽﾊﾞｰを表示(&S)", MF_CHECKED},
          {kSeparator, "", 0},
          {ID_VIEW_DEFAULT_SIZE, "ﾃﾞﾌｫﾙﾄのｳｨﾝﾄﾞｳｻｲｽﾞ(&W)", 0}}},
        {"ﾂｰﾙ(&T)",
         {{ID_TOOL_CLEAR_HISTORY, "履歴の消去(&E)", 0},
          {kSeparator, "", 0},
          {ID_TOOL_EXECUTE, "実行(&E)", 0},
          {ID_TOOL_ABORT, "処理中止(&B)", 0}}},
        {"ｵﾌﾟｼｮﾝ(&O)",
         {{ID_OPTION_SHOW_DIRECTORIES, "検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名を表示(&D)", MF_CHECKED},
          {ID_OPTION_SHOW_FILES, "検索されたﾌｧｲﾙ名を表示(&F)", MF_CHECKED},
          {ID_OPTION_SHOW_SKIPPED, "処理をｽｷｯﾌﾟしたﾌｧｲﾙ名を表示(&N)", MF_CHECKED},
          {ID_OPTION_SHOW_UNCHANGED, "処理しなかったﾌｧｲﾙ名を表示(&O)", MF_CHECKED},
          {kSeparator, "", 0},
          {ID_OPTION_CLOCK_PER_FILE, "ﾘｱﾙﾀｲﾑにｼｽﾃﾑｸﾛｯｸを読む(&C)", MF_CHECKED},
          {kSeparator, "", 0},
          {ID_OPTION_SKIP_SYSTEM, "ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする(&P)", MF_CHECKED},
          {ID_OPTION_SORT, "処理順をﾌｧｲﾙ名で並び変える(&S)", MF_CHECKED}}},
        {"ﾍﾙﾌﾟ(&H)", {{ID_APP_ABOUT, "About Fendrix(&A) ...", 0}}},
    };
    return bar;
}

TEST(MenuResource, MenuBarShowsFivePopUpsWithTheirItemsInOrder) {
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(menu, nullptr);
    const auto& bar = MenuBar();
    ASSERT_EQ(GetMenuItemCount(menu), int(bar.size()));
    for (UINT p = 0; p < bar.size(); ++p) {
        SCOPED_TRACE(bar[p].title);
        char title[64] = {};
        GetMenuStringA(menu, p, title, sizeof title, MF_BYPOSITION);
        EXPECT_STREQ(title, bar[p].title);
        HMENU popUp = GetSubMenu(menu, p);
        ASSERT_NE(popUp, nullptr);
        const auto& items = bar[p].items;
        ASSERT_EQ(GetMenuItemCount(popUp), int(items.size()));
        for (UINT i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(i);
            const UINT state = GetMenuState(popUp, i, MF_BYPOSITION);
            if (items[i].id == kSeparator) {
                EXPECT_TRUE(state & MF_SEPARATOR);
                continue;
            }
            EXPECT_FALSE(state & MF_SEPARATOR);
            EXPECT_EQ(GetMenuItemID(popUp, i), items[i].id);
            char text[256] = {};
            GetMenuStringA(popUp, i, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, items[i].text);
            EXPECT_EQ(state & (MF_CHECKED | MF_GRAYED), items[i].state);
        }
    }
    DestroyMenu(menu);
}

// ---------------------------------------------------------------------------------------
// Help texts: the string with a control's or command's id is shown in the status bar.

const UINT kIdsWithHelp[] = {
    IDC_DATE_START, IDC_DATE_END, IDC_SIZE_START, IDC_SIZE_END, IDC_TIMESTAMP,
    IDC_SEARCH_ARCHIVE, IDC_SEARCH_READONLY, IDC_SEARCH_HIDDEN, IDC_SEARCH_SYSTEM,
    IDC_SET_ARCHIVE, IDC_DATE_START_FLAG, IDC_SEARCH_OR, IDC_SEARCH_AND, IDC_SET_READONLY,
    IDC_SET_HIDDEN, IDC_SET_SYSTEM, IDC_SEARCH_PATH, IDC_DATE_END_FLAG, IDC_SIZE_START_FLAG,
    IDC_SIZE_END_FLAG, IDC_SET_ON, IDC_SET_OFF, IDC_STAMP_CLOCK, IDC_STAMP_GIVEN,
    IDC_SEARCH_FILE, IDC_TIMESTAMP_FLAG, IDC_RECURSIVE,
    ID_FILE_NEW, ID_TOOL_CLEAR_HISTORY, ID_APP_EXIT, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_CLOSE,
    ID_FILE_SAVE_AS, ID_TOOL_EXECUTE, ID_APP_ABOUT, ID_VIEW_STATUS_BAR, ID_VIEW_TOOLBAR,
    ID_TOOL_ABORT, ID_OPTION_SHOW_FILES, ID_OPTION_SORT, ID_VIEW_DEFAULT_SIZE,
    ID_OPTION_SHOW_DIRECTORIES, ID_OPTION_SKIP_SYSTEM, ID_OPTION_SHOW_SKIPPED,
    ID_OPTION_CLOCK_PER_FILE, ID_OPTION_SHOW_UNCHANGED,
};

TEST(HelpTexts, EveryControlAndCommandWithHelpHasASentence) {
    for (UINT id : kIdsWithHelp) {
        SCOPED_TRACE(id);
        const std::string text = LoadText(id);
        ASSERT_FALSE(text.empty());
        // A character that did not survive the conversion to Shift-JIS comes back as '?'.
        EXPECT_EQ(text.find('?'), std::string::npos) << text;
        const bool endsAsSentence = text.compare(text.size() - 2, 2, "。") == 0 ||
                                    text.back() == ')';
        EXPECT_TRUE(endsAsSentence) << text;
    }
}

TEST(HelpTexts, ArriveAsShiftJisByteForByte) {
    EXPECT_EQ(LoadText(IDC_SEARCH_PATH),
              "ﾌｧｲﾙを検索する場所を指定します。( ';' で区切って複数指定可能 )");
    EXPECT_EQ(LoadText(IDC_TIMESTAMP),
              "検索されたﾌｧｲﾙに設定するﾀｲﾑｽﾀﾝﾌﾟを指定します。( yyyy/mm/dd hh:mm:ss )");
    EXPECT_EQ(LoadText(ID_FILE_NEW), "検索条件･操作の設定を初期化します。");
    EXPECT_EQ(LoadText(ID_APP_EXIT), "Solvik:Quorlaneを終了します。");
    EXPECT_EQ(LoadText(ID_TOOL_CLEAR_HISTORY), "検索ﾊﾟｽ･ﾌｧｲﾙ名の履歴を消去します。");
    // Half-width katakana and the half-width middle dot are single bytes.
    EXPECT_EQ(LoadText(ID_TOOL_CLEAR_HISTORY).substr(4, 4), "\xCA\xDF\xBD\xA5");
}

TEST(HelpTexts, ControlsWithoutHelpShowAnEmptyText) {
    const UINT withoutHelp[] = {IDC_STATUSBAR, IDC_TOOLBAR, IDC_LOG, IDC_BROWSE,
                                IDC_LOG_PLACEHOLDER, IDC_SEARCH_GROUP, IDC_LABEL_PATH,
                                IDC_LABEL_FILE, IDC_LABEL_SEARCH_ATTRIBUTES,
                                IDC_LABEL_SEARCH_MODE, IDC_LABEL_DATE_TILDE,
                                IDC_LABEL_SIZE_TILDE, IDC_OPERATION_GROUP,
                                IDC_LABEL_SET_ATTRIBUTES, IDC_LABEL_SET_MODE, IDC_SEPARATOR};
    for (UINT id : withoutHelp) EXPECT_EQ(LoadText(id), "") << id;
}

// ---------------------------------------------------------------------------------------
// Main window template

enum class Kind { Group, Label, History, Push, Check, PushCheck, FirstRadio, Radio, Holder, LogHolder, Line };

struct ControlSpec {
    int id;
    Kind kind;
    const char* label;
    RECT units;  // x, y, width, height in dialog units
};

const std::vector<ControlSpec>& Controls() {
    static const std::vector<ControlSpec> controls = {
        {IDC_SEARCH_GROUP, Kind::Group, "検索条件", {7, 4, 304, 101}},
        {IDC_LABEL_PATH, Kind::Label, "検索ﾊﾟｽ :", {12, 19, 29, 8}},
        {IDC_SEARCH_PATH, Kind::History, "", {44, 17, 215, 90}},
        {IDC_BROWSE, Kind::Push, "参照(&B) ...", {262, 17, 41, 14}},
        {IDC_LABEL_FILE, Kind::Label, "ﾌｧｲﾙ名 :", {12, 36, 27, 8}},
        {IDC_SEARCH_FILE, Kind::History, "", {44, 34, 215, 90}},
        {IDC_RECURSIVE, Kind::Check, "再帰処理", {262, 35, 41, 10}},
        {IDC_LABEL_SEARCH_ATTRIBUTES, Kind::Label, "属性 :", {12, 52, 18, 8}},
        {IDC_SEARCH_ARCHIVE, Kind::Check, "Archive", {32, 52, 34, 10}},
        {IDC_SEARCH_READONLY, Kind::Check, "ReadOnly", {67, 52, 41, 10}},
        {IDC_SEARCH_HIDDEN, Kind::Check, "Hide", {109, 52, 26, 10}},
        {IDC_SEARCH_SYSTEM, Kind::Check, "System", {136, 52, 33, 10}},
        {IDC_LABEL_SEARCH_MODE, Kind::Label, "属性の扱い :", {193, 52, 38, 8}},
        {IDC_SEARCH_OR, Kind::FirstRadio, "OR", {233, 52, 21, 10}},
        {IDC_SEARCH_AND, Kind::Radio, "AND", {256, 52, 26, 10}},
        {IDC_DATE_START_FLAG, Kind::PushCheck, "最古日付", {13, 65, 58, 14}},
        {IDC_DATE_START_PLACEHOLDER, Kind::Holder, "", {75, 65, 74, 30}},
        {IDC_LABEL_DATE_TILDE, Kind::Label, "～", {153, 69, 8, 8}},
        {IDC_DATE_END_FLAG, Kind::PushCheck, "最新日付", {167, 65, 58, 14}},
        {IDC_DATE_END_PLACEHOLDER, Kind::Holder, "", {229, 65, 74, 30}},
        {IDC_SIZE_START_FLAG, Kind::PushCheck, "最小ｻｲｽﾞ", {13, 84, 58, 14}},
        {IDC_LABEL_SIZE_TILDE, Kind::Label, "～", {153, 87, 8, 8}},
        {IDC_SIZE_END_FLAG, Kind::PushCheck, "最大ｻｲｽﾞ", {167, 84, 58, 14}},
        {IDC_OPERATION_GROUP, Kind::Group, "操作", {7, 110, 304, 43}},
        {IDC_LABEL_SET_ATTRIBUTES, Kind::Label, "属性 :", {12, 121, 18, 8}},
        {IDC_SET_ARCHIVE, Kind::Check, "Archive", {32, 121, 34, 10}},
        {IDC_SET_READONLY, Kind::Check, "ReadOnly", {67, 121, 41, 10}},
        {IDC_SET_HIDDEN, Kind::Check, "Hide", {109, 121, 26, 10}},
        {IDC_SET_SYSTEM, Kind::Check, "System", {136, 121, 33, 10}},
        {IDC_LABEL_SET_MODE, Kind::Label, "属性の操作 :", {193, 122, 39, 8}},
        {IDC_SET_ON, Kind::FirstRadio, "Set", {233, 122, 21, 10}},
        {IDC_SET_OFF, Kind::Radio, "Reset", {256, 122, 28, 10}},
        {IDC_TIMESTAMP_FLAG, Kind::PushCheck, "ﾀｲﾑｽﾀﾝﾌﾟ", {12, 133, 70, 14}},
        {IDC_STAMP_CLOCK, Kind::FirstRadio, "ｼｽﾃﾑｸﾛｯｸ", {86, 135, 44, 10}},
        {IDC_STAMP_GIVEN, Kind::Radio, "指定", {132, 135, 25, 10}},
        {IDC_LOG_PLACEHOLDER, Kind::LogHolder, "", {7, 158, 304, 49}},
        {IDC_SEPARATOR, Kind::Line, "", {7, 0, 304, 1}},
        {IDC_SIZE_START_PLACEHOLDER, Kind::Holder, "", {75, 84, 74, 30}},
        {IDC_SIZE_END_PLACEHOLDER, Kind::Holder, "", {229, 84, 74, 30}},
        {IDC_TIMESTAMP_PLACEHOLDER, Kind::Holder, "", {164, 133, 74, 30}},
    };
    return controls;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// One window for all cases: under Wine without a window manager, taking a visible window
// down waits about two seconds.
class MainTemplate : public testing::Test {
protected:
    static HWND dialog;

    static void SetUpTestSuite() {
        dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, PlainDialogProc, 0);
    }
    static void TearDownTestSuite() {
        if (!dialog) return;
        HMENU menu = GetMenu(dialog);
        DestroyWindow(dialog);
        if (menu) DestroyMenu(menu);
        dialog = nullptr;
    }
    void SetUp() override { ASSERT_NE(dialog, nullptr); }

    // The dialog manager converts the position and the size each on its own.
    RECT Pixels(RECT units) const {
        RECT r = units;
        MapDialogRect(dialog, &r);
        return {r.left, r.top, r.left + r.right, r.top + r.bottom};
    }
    RECT ClientRectOf(HWND control) const {
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

// A combo box hands WS_VSCROLL on to its list, which shows the bar once the list is longer
// than its height.
bool ListScrollsVertically(HWND combo) {
    for (int i = 0; i < 40; ++i) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("C:\\"));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    const bool scrolls = GetComboBoxInfo(combo, &info) && info.hwndList &&
                         (GetWindowLongA(info.hwndList, GWL_STYLE) & WS_VSCROLL);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    return scrolls;
}

HWND MainTemplate::dialog = nullptr;

TEST_F(MainTemplate, WindowHasItsCaptionStylesMenuAndSize) {
    EXPECT_EQ(WindowText(dialog), "Solvik:Quorlane");
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    const LONG wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                        WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    HMENU menu = GetMenu(dialog);
    ASSERT_NE(menu, nullptr);
    char first[64] = {};
    GetMenuStringA(menu, 0, first, sizeof first, MF_BYPOSITION);
    EXPECT_STREQ(first, "ﾌｧｲﾙ(&F)");

    // The template's size is the client area; the menu bar comes on top of it.
    RECT client;
    GetClientRect(dialog, &client);
    const RECT size = Pixels({0, 0, 318, 214});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

TEST_F(MainTemplate, UsesTheNinePointJapaneseFont) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA face{};
    ASSERT_TRUE(GetObjectA(font, sizeof face, &face));
    EXPECT_STREQ(face.lfFaceName, "ＭＳ Ｐゴシック");
    HDC screen = GetDC(nullptr);
    const int pixels = MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(std::abs(face.lfHeight), pixels);
}

TEST_F(MainTemplate, ControlsComeInTemplateOrder) {
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    std::vector<int> wanted;
    for (const auto& control : Controls()) wanted.push_back(control.id);
    EXPECT_EQ(ids, wanted);
}

TEST_F(MainTemplate, EveryControlHasItsClassStyleLabelAndPlace) {
    for (const auto& spec : Controls()) {
        SCOPED_TRACE(spec.id);
        HWND control = GetDlgItem(dialog, spec.id);
        ASSERT_NE(control, nullptr);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const LONG exStyle = GetWindowLongA(control, GWL_EXSTYLE);
        const LONG buttonType = style & BS_TYPEMASK;
        const bool tabStop = style & WS_TABSTOP;

        switch (spec.kind) {
        case Kind::Group:
            EXPECT_STREQ(className, "Button");
            EXPECT_EQ(buttonType, BS_GROUPBOX);
            EXPECT_TRUE(exStyle & WS_EX_TRANSPARENT);
            EXPECT_FALSE(tabStop);
            break;
        case Kind::Label:
            EXPECT_STREQ(className, "Static");
            EXPECT_FALSE(tabStop);
            break;
        case Kind::History:
            EXPECT_STREQ(className, "ComboBox");
            EXPECT_EQ(style & 3, CBS_DROPDOWN);
            EXPECT_TRUE(ListScrollsVertically(control));
            // Long paths must not scroll sideways while typed.
            EXPECT_FALSE(style & CBS_AUTOHSCROLL);
            EXPECT_TRUE(tabStop);
            break;
        case Kind::Push:
            EXPECT_STREQ(className, "Button");
            EXPECT_EQ(buttonType, BS_PUSHBUTTON);
            EXPECT_TRUE(tabStop);
            break;
        case Kind::Check:
        case Kind::PushCheck:
            EXPECT_STREQ(className, "Button");
            EXPECT_EQ(buttonType, BS_AUTOCHECKBOX);
            EXPECT_EQ(bool(style & BS_PUSHLIKE), spec.kind == Kind::PushCheck);
            EXPECT_TRUE(tabStop);
            break;
        case Kind::FirstRadio:
        case Kind::Radio:
            EXPECT_STREQ(className, "Button");
            EXPECT_EQ(buttonType, BS_AUTORADIOBUTTON);
            EXPECT_EQ(bool(style & WS_GROUP), spec.kind == Kind::FirstRadio);
            EXPECT_EQ(tabStop, spec.kind == Kind::FirstRadio);
            break;
        case Kind::Holder:
            EXPECT_STREQ(className, "ComboBox");
            break;
        case Kind::LogHolder:
            EXPECT_STREQ(className, "Edit");
            EXPECT_TRUE(style & ES_MULTILINE);
            break;
        case Kind::Line:
            EXPECT_STREQ(className, "Static");
            EXPECT_TRUE(style & SS_SUNKEN);
            break;
        }
        if (spec.kind != Kind::History && spec.kind != Kind::Holder && spec.kind != Kind::LogHolder) {
            EXPECT_EQ(WindowText(control), spec.label);
        }

        // A combo box is as high as its edit field; the template's height includes the list.
        const RECT want = Pixels(spec.units);
        const RECT got = ClientRectOf(control);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        if (spec.kind != Kind::History && spec.kind != Kind::Holder) {
            EXPECT_EQ(got.bottom, want.bottom);
        }
    }
}

TEST_F(MainTemplate, EachRadioGroupEndsAtTheControlAfterIt) {
    // Arrow keys and the radio data exchange stop at the next WS_GROUP control.
    const auto& controls = Controls();
    int groups = 0;
    for (size_t i = 0; i + 1 < controls.size(); ++i) {
        if (controls[i].kind != Kind::Radio || controls[i + 1].kind == Kind::Radio) continue;
        ++groups;
        HWND next = GetDlgItem(dialog, controls[i + 1].id);
        EXPECT_TRUE(GetWindowLongA(next, GWL_STYLE) & WS_GROUP) << controls[i + 1].id;
    }
    EXPECT_EQ(groups, 3);
}

// ---------------------------------------------------------------------------------------
// Pictures

// Pixels of a bitmap, row by row, as the screen shows them.
std::vector<COLORREF> BitmapPixels(HBITMAP bitmap, int width, int height) {
    std::vector<COLORREF> pixels;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return pixels;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(Pictures, ToolBarStripIsNineSixteenColourImagesOnTheTransparentGrey) {
    HBITMAP strip = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR));
    ASSERT_NE(strip, nullptr);
    const SIZE size = BitmapSize(strip);
    EXPECT_EQ(size.cx, 144);
    EXPECT_EQ(size.cy, 15);
    DeleteObject(strip);

    HBITMAP dib = static_cast<HBITMAP>(
        LoadImageA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(dib, nullptr);
    DIBSECTION section{};
    ASSERT_TRUE(GetObjectA(dib, sizeof section, &section));
    EXPECT_EQ(section.dsBmih.biBitCount, 4);

    const COLORREF grey = RGB(192, 192, 192);
    const auto pixels = BitmapPixels(dib, 144, 15);
    std::vector<std::vector<COLORREF>> images(9);
    for (int image = 0; image < 9; ++image) {
        int drawn = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x) {
                const COLORREF c = pixels[y * 144 + image * 16 + x];
                images[image].push_back(c);
                if (c != grey) ++drawn;
            }
        SCOPED_TRACE(image);
        EXPECT_EQ(images[image][0], grey);  // the corner is background in every image
        if (image == 8) {
            EXPECT_EQ(drawn, 0);
        } else {
            EXPECT_GT(drawn, 40);
        }
    }
    std::set<std::vector<COLORREF>> distinct(images.begin(), images.end() - 1);
    EXPECT_EQ(distinct.size(), 8u);
    DeleteObject(dib);
}

TEST(Pictures, MenuIconsAreSixteenPixelsWithTransparentSurroundings) {
    const UINT icons[] = {IDI_MENU_NEW, IDI_MENU_EXIT, IDI_MENU_CLEAR_HISTORY, IDI_MENU_EXECUTE,
                          IDI_MENU_ABORT, IDI_MENU_OPEN, IDI_MENU_SAVE, IDI_MENU_SAVE_AS};
    for (UINT id : icons) {
        SCOPED_TRACE(id);
        HICON icon = static_cast<HICON>(
            LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        ASSERT_NE(info.hbmColor, nullptr);
        const SIZE size = BitmapSize(info.hbmColor);
        EXPECT_EQ(size.cx, 16);
        EXPECT_EQ(size.cy, 16);
        int transparent = 0;
        for (COLORREF bit : BitmapPixels(info.hbmMask, 16, 16))
            if (bit == RGB(255, 255, 255)) ++transparent;
        EXPECT_GT(transparent, 16);
        EXPECT_LT(transparent, 256 - 40);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The width of the image that the icon directory of id offers for a wanted size.
int IconImageWidth(UINT id, int wanted) {
    HRSRC directory = FindResourceA(Module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    if (!directory) return 0;
    auto* bytes = static_cast<BYTE*>(LockResource(LoadResource(Module(), directory)));
    const int image = LookupIconIdFromDirectoryEx(bytes, TRUE, wanted, wanted, LR_DEFAULTCOLOR);
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(image), MAKEINTRESOURCEA(3));  // RT_ICON
    if (!found) return 0;
    auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), found)));
    return header->biWidth;
}

TEST(Pictures, ApplicationIconHasItsOwnLargeAndSmallImage) {
    EXPECT_EQ(IconImageWidth(IDI_FENDRIX, 32), 32);
    EXPECT_EQ(IconImageWidth(IDI_FENDRIX, 16), 16);
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(Module(), MAKEINTRESOURCEA(IDI_FENDRIX), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        EXPECT_NE(icon, nullptr) << size;
        DestroyIcon(icon);
    }
}

TEST(Pictures, AboutPictureFitsBesideTheVersionTexts) {
    HBITMAP picture = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_ABOUT));
    ASSERT_NE(picture, nullptr);
    const SIZE size = BitmapSize(picture);
    EXPECT_EQ(size.cx, 64);
    EXPECT_EQ(size.cy, 64);
    DeleteObject(picture);
}

}  // namespace
