#include "framework/CMenu.h"

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::Attach(HMENU menu) {
    DestroyMenu();
    m_hMenu = menu;
    m_owned = false;
    return menu != nullptr;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    m_owned = false;
    return menu;
}

BOOL CMenu::LoadMenu(UINT id) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    m_owned = m_hMenu != nullptr;
    return m_owned;
}

BOOL CMenu::DestroyMenu() {
    const BOOL destroyed = m_owned && m_hMenu != nullptr && ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_owned = false;
    return destroyed;
}

CString CMenu::GetMenuString(UINT item, UINT flags) const {
    char text[256];
    const int length = ::GetMenuStringA(m_hMenu, item, text, sizeof text, flags);
    return CString(text, length > 0 ? length : 0);
}
