#include "FieldDialog.h"

#include "ControlsTestSupport.h"

namespace {

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;

class FieldDialogTemplate {
public:
    FieldDialogTemplate() {
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME);
        Dword(0);
        m_words.insert(m_words.end(), {5, 0, 0, 260, 150, 0, 0});
        Text(L"Fields");
        m_words.push_back(9);
        Text(L"ＭＳ Ｐゴシック");
        Item(kButton, L"最古日付", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 13, 20, 58, 14, kDateSwitch);
        Item(kButton, L"最小ｻｲｽﾞ", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 13, 39, 58, 14, kSizeSwitch);
        Item(kButton, L"指定", BS_AUTORADIOBUTTON | WS_TABSTOP, 132, 80, 25, 10, kStampSwitch);
        Item(kEdit, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 13, 120, 100, 12, kOtherEdit);
        Item(kButton, L"OK", BS_PUSHBUTTON | WS_TABSTOP, 200, 120, 40, 14, IDOK);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Dword(DWORD value) {
        m_words.push_back(LOWORD(value));
        m_words.push_back(HIWORD(value));
    }
    void Align() {
        if (m_words.size() % 2 != 0) m_words.push_back(0);
    }
    void Text(const wchar_t* text) {
        for (; *text != L'\0'; ++text) m_words.push_back(static_cast<WORD>(*text));
        m_words.push_back(0);
    }
    void Item(WORD atom, const wchar_t* text, DWORD style, short x, short y, short cx, short cy, WORD id) {
        Align();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        m_words.insert(m_words.end(), {WORD(x), WORD(y), WORD(cx), WORD(cy), id, 0xFFFF, atom});
        Text(text);
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
};

struct Place {
    int Id;
    RECT Units;  // left, top, right, bottom in dialog units
    int After;
};

const Place kPlaces[] = {
    {kDatePlaceholder, {75, 20, 149, 50}, kDateSwitch},
    {kSizePlaceholder, {75, 39, 149, 69}, kSizeSwitch},
    {kStampPlaceholder, {164, 78, 238, 108}, kStampSwitch},
};

}  // namespace

CDialog& FieldDialog() {
    static FieldDialogTemplate dialogTemplate;
    static CDialog* dialog = [] {
        auto* made = new CDialog();  // kept until the process ends
        made->CreateIndirect(dialogTemplate.Get());
        ::SetWindowPos(made->m_hWnd, HWND_TOP, 300, 200, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(made->m_hWnd);
        PumpMessages();
        return made;
    }();
    return *dialog;
}

RECT AddPlaceholder(int placeholderId) {
    CDialog& dialog = FieldDialog();
    for (const Place& place : kPlaces) {
        if (place.Id != placeholderId) continue;
        RECT rect = place.Units;
        ::MapDialogRect(dialog.m_hWnd, &rect);
        HWND combo = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
                                       rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                       dialog.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(placeholderId)),
                                       ::GetModuleHandleA(nullptr), nullptr);
        ::SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.GetFont()), FALSE);
        ::SetWindowPos(combo, dialog.GetDlgItem(place.After), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetFocus(dialog.GetDlgItem(kOtherEdit));
        PumpMessages();
        return RectInDialog(dialog.m_hWnd, placeholderId);
    }
    return {};
}

RECT RectInDialog(HWND dialog, int id) {
    RECT rect{};
    HWND control = ::GetDlgItem(dialog, id);
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
