// Owner-drawn drop-down menus with a 16 x 16 icon column, drawn check boxes, etched
// separators and right-aligned accelerator texts; the menu answers its mnemonics itself.
#pragma once

#include "framework/CDC.h"
#include "framework/CMenu.h"
#include "framework/CString.h"
#include "framework/CWnd.h"

#include <windows.h>

#include <memory>
#include <vector>

// The record that each owner-drawn item carries as its item data.
class CIcoMenuItemData {
public:
    CIcoMenuItemData() = default;
    ~CIcoMenuItemData();
    CIcoMenuItemData(const CIcoMenuItemData&) = delete;
    CIcoMenuItemData& operator=(const CIcoMenuItemData&) = delete;

    // Stores the text and derives the mnemonic, the label (before the last tab) and the accelerator.
    void SetItemText(const char* text);
    // A null icon clears it; an owned icon is destroyed when replaced or when the record goes.
    void SetIcon(HICON icon, int ownsIcon);
    // The icon's size, or 16 x 16 without icon.
    SIZE GetIconSize() const;

    char m_mnemonic = 0;  // printable single-byte character after the last single '&', or 0
    CString m_text;
    CString m_label;
    CString m_accelerator;
    UINT_PTR m_id = 0;  // command id, the sub-menu's handle for a pop-up, 0 for a separator
    UINT m_kind = 0;    // 0, MF_POPUP or MF_SEPARATOR
    int m_position = 0;
    HICON m_icon = nullptr;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
    int m_ownsIcon = 0;
    int m_userValue = 0;
};

class CIcoMenu : public CMenu {
public:
    explicit CIcoMenu(CIcoMenu* parent = nullptr) : m_parent(parent) {}
    virtual ~CIcoMenu();

    // Converts every drop-down menu of the window's menu bar; true when at least one was attached.
    bool AttachToWindowMenu(CWnd* window);
    bool AttachToWindowMenu(HWND window);
    void AttachSubMenu(HMENU menu);
    // Detaches from the menu and deletes the records; destroy 1 also forgets the conversion.
    void DetachMenu(int destroy);

    // Gives the item with the command id, here or in a sub-menu, an icon.
    void SetItemIcon(UINT id, HICON icon, int ownsIcon);

    // The WM_MENUCHAR result (MNC_EXECUTE << 16 | position) for the drop-down menu, or 0 for the default.
    LRESULT HandleMenuChar(UINT character, UINT flags, HMENU menu);
    // Measures an owner-drawn item of these menus; with a control id other than -1 only pop-up items.
    bool MeasureMenuItem(int controlId, MEASUREITEMSTRUCT* measure);
    virtual void MeasureItem(MEASUREITEMSTRUCT* measure);
    virtual void DrawItem(DRAWITEMSTRUCT* draw);

    // Everything a window with these menus must forward: WM_MEASUREITEM, WM_DRAWITEM and
    // WM_MENUCHAR. True when handled, with the message's result; false: default processing.
    bool RouteMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    CIcoMenuItemData* FindItemData(UINT_PTR id);
    // The object of this tree that holds the menu handle, or nullptr.
    CIcoMenu* FindMenu(HMENU menu);
    // The object of this tree whose item list holds the record, or nullptr.
    CIcoMenu* FindOwnerOf(const void* itemData);

    const std::vector<std::unique_ptr<CIcoMenu>>& SubMenus() const { return m_subMenus; }
    const std::vector<std::unique_ptr<CIcoMenuItemData>>& Items() const { return m_items; }

    // The menu font of the system, read once; nullptr when it cannot be read.
    static const LOGFONTA* GetMenuFont();
    static void FreeMenuFont();

    static const int kDefaultIconSize = 16;
    static const int kMinSeparatorHeight = 9;

protected:
    virtual void DeleteItems();
    virtual void DrawSeparator(CDC& dc, const RECT& rect);
    virtual void DrawItemText(CDC& dc, const RECT& rect, UINT state, const CIcoMenuItemData& item);
    virtual void DrawCheckMark(CDC& dc, const RECT& rect, UINT state, const CIcoMenuItemData& item);
    virtual void DrawItemIcon(CDC& dc, const RECT& rect, UINT state, const CIcoMenuItemData& item);

private:
    void ConvertItems();
    CIcoMenuItemData* AddItemData(UINT_PTR id, UINT kind, int position, const char* text);
    CIcoMenu* AddSubMenu(HMENU menu);

    CIcoMenu* m_parent;
    int m_attached = 0;
    int m_converted = 0;
    std::vector<std::unique_ptr<CIcoMenu>> m_subMenus;
    std::vector<std::unique_ptr<CIcoMenuItemData>> m_items;
};

// Icons of the program's resources, each loaded once and kept until the program ends.
namespace IconCache {
// The icon in 16 x 16 (size 16) or 32 x 32 (any other size); nullptr when it cannot be loaded.
HICON Lookup(UINT resourceId, int size);
}  // namespace IconCache

// The command icons of the main menu, from the icon cache and not owned by the menu.
void RegisterMenuIcons(CIcoMenu& menu);
