#include "ui/IcoMenu.h"

#include "controls/DrawAlignedText.h"
#include "framework/CriticalSection.h"
#include "res/resource.h"

#include <algorithm>
#include <cctype>

namespace {

// Bytes of NONCLIENTMETRICS without the padded-border field, which systems before Vista refuse.
const UINT kNonClientMetricsSize = 340;
const UINT kTextFlags = DAT_PREFIX | DAT_VCENTER;

std::unique_ptr<LOGFONTA>& MenuFontCopy() {
    static std::unique_ptr<LOGFONTA> font;
    return font;
}

bool IsLeadByte(char ch) { return ::IsDBCSLeadByte(static_cast<BYTE>(ch)) != FALSE; }

void DrawPolyline(CDC& dc, const POINT* points, int count, COLORREF color, POINT origin) {
    CPen pen(PS_SOLID, 1, color);
    HGDIOBJ previous = dc.SelectObject(pen);
    dc.MoveTo(origin.x + points[0].x, origin.y + points[0].y);
    for (int i = 1; i < count; ++i) dc.LineTo(origin.x + points[i].x, origin.y + points[i].y);
    dc.SelectObject(previous);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CIcoMenuItemData

CIcoMenuItemData::~CIcoMenuItemData() { SetIcon(nullptr, 0); }

void CIcoMenuItemData::SetItemText(const char* text) {
    m_text = text != nullptr ? text : "";
    const char* bytes = m_text;
    const int length = m_text.GetLength();
    int remembered = -1;
    for (int i = 0; i < length; ++i) {
        if (bytes[i] == '&' && i + 1 < length) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + 1]);
            if (next == '&') {
                ++i;  // "&&" is a literal ampersand
                continue;
            }
            if (next < 0x80 && !std::iscntrl(next)) remembered = i;
        } else if (IsLeadByte(bytes[i]) && i + 1 < length) {
            ++i;  // the trail byte is no character of its own
        }
    }
    m_mnemonic = remembered >= 0 ? bytes[remembered + 1] : 0;

    const int tab = m_text.ReverseFind('\t');
    if (tab >= 0) {
        m_label = m_text.Left(tab);
        m_accelerator = m_text.Mid(tab + 1);
    } else {
        m_label = m_text;
        m_accelerator.Empty();
    }
}

void CIcoMenuItemData::SetIcon(HICON icon, int ownsIcon) {
    if (m_icon != nullptr && m_ownsIcon != 0 && m_icon != icon) ::DestroyIcon(m_icon);
    if (icon == nullptr) {
        m_icon = nullptr;
        m_iconWidth = m_iconHeight = 0;
        m_ownsIcon = 0;
        return;
    }
    m_icon = icon;
    m_ownsIcon = ownsIcon;
    m_iconWidth = m_iconHeight = 0;
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return;
    BITMAP mask{};
    BITMAP color{};
    if (info.hbmMask != nullptr) ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    if (info.hbmColor != nullptr) {
        ::GetObjectA(info.hbmColor, sizeof color, &color);
    } else {
        mask.bmHeight /= 2;  // a monochrome icon keeps its AND and XOR masks one above the other
    }
    m_iconWidth = std::max(mask.bmWidth, color.bmWidth);
    m_iconHeight = std::max(mask.bmHeight, color.bmHeight);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
}

SIZE CIcoMenuItemData::GetIconSize() const {
    if (m_icon == nullptr) return SIZE{CIcoMenu::kDefaultIconSize, CIcoMenu::kDefaultIconSize};
    return SIZE{m_iconWidth, m_iconHeight};
}

// ---------------------------------------------------------------------------------------------
// CIcoMenu: building

CIcoMenu::~CIcoMenu() {
    DetachMenu(0);
    DestroyMenu();
}

bool CIcoMenu::AttachToWindowMenu(CWnd* window) {
    return window != nullptr && AttachToWindowMenu(window->GetSafeHwnd());
}

bool CIcoMenu::AttachToWindowMenu(HWND window) {
    // A second conversion would read the texts back from owner-drawn items, which have none.
    if (m_attached != 0 || m_hMenu != nullptr || !m_subMenus.empty()) return false;
    if (window == nullptr || !::IsWindow(window)) return false;
    HMENU bar = ::GetMenu(window);
    if (bar == nullptr) return false;
    bool attached = false;
    const int count = ::GetMenuItemCount(bar);
    for (int position = 0; position < count; ++position) {
        HMENU sub = ::GetSubMenu(bar, position);
        if (sub == nullptr) continue;
        AddSubMenu(sub);
        attached = true;
    }
    return attached;
}

CIcoMenu* CIcoMenu::AddSubMenu(HMENU menu) {
    m_subMenus.push_back(std::make_unique<CIcoMenu>(this));
    CIcoMenu* child = m_subMenus.back().get();
    child->AttachSubMenu(menu);
    return child;
}

void CIcoMenu::AttachSubMenu(HMENU menu) {
    if (m_hMenu != nullptr) return;
    Attach(menu);
    m_attached = 1;
    ConvertItems();
}

void CIcoMenu::ConvertItems() {
    if (m_converted != 0 || m_hMenu == nullptr) return;
    const int count = GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(position);
        const CString text = GetMenuString(static_cast<UINT>(position), MF_BYPOSITION);
        const UINT state = GetMenuState(static_cast<UINT>(position), MF_BYPOSITION);
        const UINT where = static_cast<UINT>(position);
        if (id == 0) {
            CIcoMenuItemData* item = AddItemData(0, MF_SEPARATOR, position, "");
            ModifyMenu(where, state | MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW, 0, reinterpret_cast<const char*>(item));
        } else if (id == static_cast<UINT>(-1)) {
            HMENU sub = GetSubMenu(position);
            CIcoMenuItemData* item = AddItemData(reinterpret_cast<UINT_PTR>(sub), MF_POPUP, position, text);
            // The high byte of a pop-up's state is its item count, not a flag.
            ModifyMenu(where, (state & 0xEF) | MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                       reinterpret_cast<const char*>(item));
            AddSubMenu(sub);
        } else {
            CIcoMenuItemData* item = AddItemData(id, 0, position, text);
            ModifyMenu(where, state | MF_BYPOSITION | MF_OWNERDRAW, id, reinterpret_cast<const char*>(item));
        }
    }
    m_converted = 1;
}

// Every item gets a record of its own: shared records (two separators, a repeated command)
// would carry only the last item's position.
CIcoMenuItemData* CIcoMenu::AddItemData(UINT_PTR id, UINT kind, int position, const char* text) {
    m_items.push_back(std::make_unique<CIcoMenuItemData>());
    CIcoMenuItemData* item = m_items.back().get();
    item->m_position = position;
    item->m_id = id;
    item->m_kind = kind;
    item->m_userValue = 0;
    item->SetItemText(text);
    item->SetIcon(nullptr, 1);
    return item;
}

void CIcoMenu::DetachMenu(int destroy) {
    if (m_attached != 0) {
        Detach();
        m_attached = 0;
    }
    FreeMenuFont();
    DeleteItems();
    if (destroy != 0) {
        DestroyMenu();
        m_converted = 0;
        m_parent = nullptr;
    }
}

void CIcoMenu::DeleteItems() {
    while (!m_subMenus.empty()) m_subMenus.pop_back();
    while (!m_items.empty()) m_items.pop_back();
}

// ---------------------------------------------------------------------------------------------
// CIcoMenu: lookups

CIcoMenuItemData* CIcoMenu::FindItemData(UINT_PTR id) {
    for (const auto& item : m_items) {
        if (item->m_id == id) return item.get();
    }
    for (const auto& sub : m_subMenus) {
        if (CIcoMenuItemData* found = sub->FindItemData(id)) return found;
    }
    return nullptr;
}

CIcoMenu* CIcoMenu::FindMenu(HMENU menu) {
    if (menu == nullptr) return nullptr;
    if (m_hMenu == menu) return this;
    for (const auto& sub : m_subMenus) {
        if (CIcoMenu* found = sub->FindMenu(menu)) return found;
    }
    return nullptr;
}

CIcoMenu* CIcoMenu::FindOwnerOf(const void* itemData) {
    if (itemData == nullptr) return nullptr;
    for (const auto& item : m_items) {
        if (item.get() == itemData) return this;
    }
    for (const auto& sub : m_subMenus) {
        if (CIcoMenu* found = sub->FindOwnerOf(itemData)) return found;
    }
    return nullptr;
}

void CIcoMenu::SetItemIcon(UINT id, HICON icon, int ownsIcon) {
    if (CIcoMenuItemData* item = FindItemData(id)) item->SetIcon(icon, ownsIcon);
}

// ---------------------------------------------------------------------------------------------
// CIcoMenu: messages

LRESULT CIcoMenu::HandleMenuChar(UINT character, UINT flags, HMENU menu) {
    if (flags == 0) return 0;
    CIcoMenu* owner = FindMenu(menu);
    if (owner == nullptr || character == 0 || character >= 0x80) return 0;
    const int wanted = std::toupper(static_cast<int>(character));
    for (const auto& item : owner->m_items) {
        const int mnemonic = static_cast<unsigned char>(item->m_mnemonic);
        if (mnemonic != 0 && std::toupper(mnemonic) == wanted) {
            return static_cast<LRESULT>((MNC_EXECUTE << 16) | static_cast<UINT>(item->m_position & 0xFFFF));
        }
    }
    return 0;
}

bool CIcoMenu::MeasureMenuItem(int controlId, MEASUREITEMSTRUCT* measure) {
    if (measure == nullptr || measure->CtlType != ODT_MENU) return false;
    // Item data of menus that are not ours is no record and must not be read as one.
    const void* data = reinterpret_cast<const void*>(measure->itemData);
    if (FindOwnerOf(data) == nullptr) return false;
    const auto* item = static_cast<const CIcoMenuItemData*>(data);
    if (controlId != -1 && item->m_kind != MF_POPUP) return false;

    HDC dc = ::CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (dc == nullptr) return false;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
    if (const LOGFONTA* description = GetMenuFont()) {
        font = ::CreateFontIndirectA(description);
        if (font != nullptr) previous = ::SelectObject(dc, font);
    }
    CString text = item->m_label;
    if (!item->m_accelerator.IsEmpty()) text += CString("    ") + item->m_accelerator;
    SIZE extent{0, 0};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
    const SIZE icon = item->GetIconSize();
    measure->itemWidth = static_cast<UINT>(extent.cx + icon.cx + 8);
    if (measure->itemID != 0) {
        measure->itemHeight = static_cast<UINT>(std::max(icon.cy + 4, static_cast<LONG>(extent.cy)));
    } else {
        measure->itemHeight = std::max(measure->itemHeight, static_cast<UINT>(kMinSeparatorHeight));
    }
    if (previous != nullptr) ::SelectObject(dc, previous);
    if (font != nullptr) ::DeleteObject(font);
    ::DeleteDC(dc);
    return true;
}

void CIcoMenu::MeasureItem(MEASUREITEMSTRUCT* measure) { MeasureMenuItem(-1, measure); }

bool CIcoMenu::RouteMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure == nullptr || measure->CtlType != ODT_MENU) return false;
            // Pop-up items are measured here; the others as the framework would, through their menu.
            bool measured = MeasureMenuItem(static_cast<int>(wParam), measure);
            if (!measured) {
                CIcoMenu* owner = FindOwnerOf(reinterpret_cast<const void*>(measure->itemData));
                if (owner == nullptr) return false;
                owner->MeasureItem(measure);
                measured = true;
            }
            *result = TRUE;
            return measured;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (draw == nullptr || draw->CtlType != ODT_MENU) return false;
            CIcoMenu* owner = FindMenu(reinterpret_cast<HMENU>(draw->hwndItem));
            if (owner == nullptr) return false;
            owner->DrawItem(draw);
            *result = TRUE;
            return true;
        }
        case WM_MENUCHAR: {
            const LRESULT answer = HandleMenuChar(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            if (answer == 0) return false;
            *result = answer;
            return true;
        }
        default:
            return false;
    }
}

const LOGFONTA* CIcoMenu::GetMenuFont() {
    std::unique_ptr<LOGFONTA>& copy = MenuFontCopy();
    if (copy == nullptr) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = kNonClientMetricsSize;
        if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) return nullptr;
        copy = std::make_unique<LOGFONTA>(metrics.lfMenuFont);
    }
    return copy.get();
}

void CIcoMenu::FreeMenuFont() { MenuFontCopy().reset(); }

// ---------------------------------------------------------------------------------------------
// CIcoMenu: drawing

void CIcoMenu::DrawItem(DRAWITEMSTRUCT* draw) {
    if (draw == nullptr || draw->CtlType != ODT_MENU) return;
    const CIcoMenuItemData* item = nullptr;
    for (const auto& record : m_items) {
        if (reinterpret_cast<ULONG_PTR>(record.get()) == draw->itemData) item = record.get();
    }
    if (item == nullptr) return;

    CDC dc;
    dc.Attach(draw->hDC);
    const RECT rect = draw->rcItem;
    dc.FillSolidRect(rect, ::GetBkColor(draw->hDC));
    if (draw->itemID == 0) {
        DrawSeparator(dc, rect);
    } else {
        DrawItemText(dc, rect, draw->itemState, *item);
        if ((draw->itemState & ODS_CHECKED) != 0) {
            DrawCheckMark(dc, rect, draw->itemState, *item);
        } else {
            DrawItemIcon(dc, rect, draw->itemState, *item);
        }
    }
    dc.Detach();
}

void CIcoMenu::DrawSeparator(CDC& dc, const RECT& rect) {
    const int y = (rect.top + rect.bottom) / 2;
    dc.FillSolidRect(RECT{rect.left, y - 1, rect.right, y}, ::GetSysColor(COLOR_BTNSHADOW));
    dc.FillSolidRect(RECT{rect.left, y, rect.right, y + 1}, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CIcoMenu::DrawItemText(CDC& dc, const RECT& rect, UINT state, const CIcoMenuItemData& item) {
    const COLORREF textColor = ::GetTextColor(dc);
    const int mode = dc.SetBkMode(TRANSPARENT);
    const SIZE icon = item.GetIconSize();
    const int x = rect.left + icon.cx + 6;
    const bool grayed = (state & ODS_GRAYED) != 0;
    const bool selected = (state & ODS_SELECTED) != 0;

    if (selected && ((state & ODS_DISABLED) == 0 || grayed)) {
        const bool wholeWidth = item.m_icon == nullptr && (state & ODS_CHECKED) == 0;
        dc.FillSolidRect(RECT{wholeWidth ? rect.left : x, rect.top, rect.right, rect.bottom},
                         ::GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT));
    }
    const UINT flags = kTextFlags | (grayed && !selected ? DAT_DISABLED : 0u);
    DrawAlignedText(dc, item.m_label, x, rect.top, rect.right, rect.bottom, 2, 0, flags);
    if (!item.m_accelerator.IsEmpty()) {
        DrawAlignedText(dc, item.m_accelerator, x, rect.top, rect.right, rect.bottom, 16, 0, flags | DAT_RIGHT);
    }
    dc.SetTextColor(textColor);
    dc.SetBkMode(mode);
}

void CIcoMenu::DrawCheckMark(CDC& dc, const RECT& rect, UINT state, const CIcoMenuItemData& item) {
    const SIZE icon = item.GetIconSize();
    const int left = rect.left + 4 + (icon.cx - 16) / 2;
    const int top = rect.top + (rect.bottom - rect.top - 16) / 2;
    const RECT box{left, top, left + 16, top + 16};
    const bool grayed = (state & ODS_GRAYED) != 0;
    const COLORREF background = ::GetBkColor(dc);
    const COLORREF tick = ::GetSysColor(grayed ? COLOR_BTNSHADOW : COLOR_MENUTEXT);

    const bool plain = (state & (ODS_SELECTED | ODS_GRAYED)) != 0;
    dc.FillSolidRect(box, plain ? background : ::GetSysColor(COLOR_3DLIGHT));
    dc.Draw3dRect(RECT{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}, ::GetSysColor(COLOR_BTNSHADOW),
                  ::GetSysColor(COLOR_BTNHIGHLIGHT));

    static const POINT kTick[] = {{6, 7}, {8, 10}, {8, 11}, {10, 3}};
    if (grayed) {
        static const POINT kShade[] = {{7, 8}, {9, 11}, {9, 12}, {11, 4}};
        DrawPolyline(dc, kShade, 4, ::GetSysColor(COLOR_BTNHIGHLIGHT), POINT{box.left, box.top});
    }
    DrawPolyline(dc, kTick, 4, tick, POINT{box.left, box.top});
}

void CIcoMenu::DrawItemIcon(CDC& dc, const RECT& rect, UINT state, const CIcoMenuItemData& item) {
    if (item.m_icon == nullptr) return;
    const SIZE icon = item.GetIconSize();
    const int y = rect.top + (rect.bottom - rect.top - icon.cy) / 2;
    const bool grayed = (state & ODS_GRAYED) != 0;
    if (!grayed && (state & ODS_SELECTED) != 0) {
        dc.Draw3dRect(RECT{rect.left + 2, y - 2, rect.left + 2 + icon.cx + 4, y - 2 + icon.cy + 4},
                      ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(item.m_icon), 0, rect.left + 4, y, icon.cx, icon.cy,
                 DST_ICON | (grayed ? DSS_DISABLED : 0u));
}

// ---------------------------------------------------------------------------------------------
// Icon cache

namespace {

class IconStore {
public:
    IconStore() = default;
    ~IconStore() {
        while (!m_entries.empty()) {
            const Entry& entry = m_entries.back();
            if (entry.Small != nullptr) ::DestroyIcon(entry.Small);
            if (entry.Large != nullptr) ::DestroyIcon(entry.Large);
            m_entries.pop_back();
        }
    }
    IconStore(const IconStore&) = delete;
    IconStore& operator=(const IconStore&) = delete;

    HICON Lookup(UINT resourceId, int size) {
        CSingleLock lock(&m_lock);
        if (!lock.Lock()) return nullptr;
        auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                  [resourceId](const Entry& entry) { return entry.Id == resourceId; });
        if (found == m_entries.end()) found = m_entries.insert(m_entries.end(), Entry{resourceId, nullptr, nullptr});
        const int pixels = size == 16 ? 16 : 32;
        HICON& icon = size == 16 ? found->Small : found->Large;
        if (icon == nullptr) {
            icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                                   pixels, pixels, LR_DEFAULTCOLOR));
        }
        return icon;
    }

private:
    struct Entry {
        UINT Id;
        HICON Small;
        HICON Large;
    };
    CCriticalSection m_lock;
    std::vector<Entry> m_entries;
};

IconStore& TheIconStore() {
    static IconStore store;
    return store;
}

}  // namespace

HICON IconCache::Lookup(UINT resourceId, int size) { return TheIconStore().Lookup(resourceId, size); }

void RegisterMenuIcons(CIcoMenu& menu) {
    static const struct {
        UINT Command;
        UINT Icon;
    } kIcons[] = {
        {ID_APP_ABOUT, IDI_FENDRIX},         {ID_TOOL_EXECUTE, IDI_MENU_EXECUTE},
        {ID_APP_EXIT, IDI_MENU_EXIT},        {ID_TOOL_CLEAR_HISTORY, IDI_MENU_CLEAR_HISTORY},
        {ID_FILE_NEW, IDI_MENU_NEW},         {ID_TOOL_ABORT, IDI_MENU_ABORT},
        {ID_FILE_OPEN, IDI_MENU_OPEN},       {ID_FILE_SAVE, IDI_MENU_SAVE},
        {ID_FILE_SAVE_AS, IDI_MENU_SAVE_AS},   {ID_TOOL_UNDO, IDI_MENU_UNDO},
        {ID_FILE_SAVE_LOG, IDI_MENU_SAVE_LOG}, {ID_TOOL_PREVIEW, IDI_MENU_PREVIEW},
    };
    for (const auto& entry : kIcons) menu.SetItemIcon(entry.Command, IconCache::Lookup(entry.Icon, 16), 0);
}
