#include "framework/Controls.h"

#include <cstring>
#include <string>

CString ComboListText(HWND combo, int index) {
    const LRESULT room = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (room == CB_ERR) return CString();
    std::string text(static_cast<size_t>(room) + 1, '\0');
    // For double-byte text the first length is only an upper bound; the copy tells the real one.
    const LRESULT length = ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return CString(std::move(text));
}

CString CComboBox::GetLBText(int index) const { return ComboListText(m_hWnd, index); }

CString CStatusBarCtrl::GetText(int pane) const {
    // The length may count characters, not bytes, and SB_GETTEXT takes no buffer size:
    // room for two bytes per character.
    const size_t length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(pane)));
    std::string text(2 * length + 1, '\0');
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return CString(std::move(text));
}
