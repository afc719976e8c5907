// A menu handle with MFC's names; it destroys only a menu it loaded or created itself.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }  // NOLINT: as in MFC

    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL LoadMenu(UINT id);
    BOOL DestroyMenu();

    UINT EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_hMenu, item, flags); }
    DWORD CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    CString GetMenuString(UINT item, UINT flags) const;
    BOOL ModifyMenu(UINT item, UINT flags, UINT_PTR newId = 0, const char* text = nullptr) {
        return ::ModifyMenuA(m_hMenu, item, flags, newId, text);
    }

private:
    bool m_owned = false;
};
