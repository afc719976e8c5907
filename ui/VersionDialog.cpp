#include "ui/VersionDialog.h"

#include "settings/VerInfo.h"

#include <algorithm>

const char* const kAboutDialogCaption = "ﾊﾞｰｼﾞｮﾝ情報(Fendrix)";

namespace {

const WORD kTextIds[4] = {VersionDialog::IDC_ABOUT_VERSION, VersionDialog::IDC_ABOUT_COPYRIGHT,
                          VersionDialog::IDC_ABOUT_COMMENT, VersionDialog::IDC_ABOUT_BUILD};

RECT MakeRect(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

SIZE WindowSize(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// The text as the static shows it: the DC of GetDC carries the system font, not the control's.
SIZE MeasureStaticText(HWND control, const char* text) {
    SIZE size{0, 0};
    HDC dc = ::GetDC(control);
    if (dc == nullptr) return size;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    if (previous != nullptr) ::SelectObject(dc, previous);
    ::ReleaseDC(control, dc);
    return size;
}

// The control sizes itself to the bitmap without its frame, which would then cover the picture's edges.
void FitToBitmap(HWND control, const CBitmap& bitmap) {
    BITMAP info{};
    if (!bitmap.GetBitmap(&info)) return;
    RECT rect{0, 0, info.bmWidth, info.bmHeight};
    ::AdjustWindowRectEx(&rect, static_cast<DWORD>(::GetWindowLongPtrA(control, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(control, GWL_EXSTYLE)));
    ::SetWindowPos(control, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window over its owner (the work area without one), kept inside the work area: the
// template's position is the owner's client corner, which would cover the main window's controls.
void CentreOverOwner(HWND window) {
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT around = area;
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = (around.left + around.right - width) / 2;
    int y = (around.top + around.bottom - height) / 2;
    x = std::max(static_cast<int>(area.left), std::min(x, static_cast<int>(area.right) - width));
    y = std::max(static_cast<int>(area.top), std::min(y, static_cast<int>(area.bottom) - height));
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

VersionDialogLayout ComputeVersionDialogLayout(SIZE text, SIZE button, const SIZE* bitmap) {
    const int w = text.cx;
    const int h = text.cy;
    VersionDialogLayout layout{};
    int textBlock = 4 * h + 12;
    int textLeft = 7;
    if (bitmap != nullptr) {
        textBlock = std::max(textBlock, static_cast<int>(bitmap->cy));
        layout.Client.cx = w + bitmap->cx + 18;
        const int y = bitmap->cy < 4 * h + 16 ? (4 * h + 16 - bitmap->cy) / 2 + 7 : 7;
        layout.Bitmap = MakeRect(7, y, bitmap->cx, bitmap->cy);
        textLeft = layout.Bitmap.right + 4;
    } else {
        layout.Client.cx = w + 14;
    }
    layout.Client.cy = button.cy + textBlock + 18;
    for (int i = 0; i < 4; ++i) layout.Texts[i] = MakeRect(textLeft, i * (h + 4) + 7, w, h);
    layout.Button = MakeRect((layout.Client.cx - button.cx) / 2, layout.Client.cy - button.cy - 7, button.cx, button.cy);
    return layout;
}

VersionDialog::VersionDialog(const char* caption, UINT bitmapId, CWnd* parent, int selfCloseSeconds)
    : m_selfCloseSeconds(selfCloseSeconds), m_windowCaption(caption != nullptr ? caption : "") {
    m_defaultStyle |= WS_SYSMENU;
    {
        const CVerInfo info;
        m_texts[0] = info.GetVersionText();
        m_texts[1] = info.LegalCopyright();
        m_texts[2] = info.Comments();
        m_texts[3] = info.GetBuildText();
    }
    // A bitmap that cannot be loaded has no size to lay out: the dialog goes without the control.
    if (bitmapId != 0 && m_bitmap.LoadBitmap(bitmapId)) {
        AddItem(ATOM_STATIC, IDC_ABOUT_BITMAP, nullptr, nullptr, SS_BITMAP | WS_BORDER, WS_EX_CLIENTEDGE);
    }
    for (int i = 0; i < 4; ++i) AddItem(ATOM_STATIC, kTextIds[i], nullptr, m_texts[i], SS_NOPREFIX, 0);
    AddItem(ATOM_BUTTON, IDOK, nullptr, "OK", 0, 0);
    const RECT rect{0, 0, 128, 64};
    InitModalTemplate(rect, caption, parent, 0, 0);
}

void VersionDialog::DoDataExchange(CDataExchange* dx) {
    for (int i = 0; i < 4; ++i) DDX_Text(dx, kTextIds[i], m_texts[i]);
}

BOOL VersionDialog::OnInitDialog() {
    CTemplateDialog::OnInitDialog();
    UpdateData(FALSE);
    ArrangeControls();
    CentreOverOwner(m_hWnd);
    if (m_selfCloseSeconds > 0) SetTimer(kSelfCloseTimer, static_cast<UINT>(m_selfCloseSeconds) * 1000u);
    return TRUE;
}

void VersionDialog::ArrangeControls() {
    SIZE text{0, 0};
    for (int i = 0; i < 4; ++i) {
        HWND control = GetDlgItem(kTextIds[i]);
        if (control == nullptr) continue;
        const SIZE extent = MeasureStaticText(control, m_texts[i]);
        text.cx = std::max(text.cx, extent.cx);
        text.cy = std::max(text.cy, extent.cy);
    }
    HWND button = GetDlgItem(IDOK);
    const SIZE buttonSize = button != nullptr ? WindowSize(button) : SIZE{0, 0};

    HWND picture = GetDlgItem(IDC_ABOUT_BITMAP);
    SIZE bitmapSize{0, 0};
    if (picture != nullptr) {
        ::SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bitmap.GetSafeHandle()));
        FitToBitmap(picture, m_bitmap);
        bitmapSize = WindowSize(picture);
    }
    const VersionDialogLayout layout = ComputeVersionDialogLayout(text, buttonSize, picture != nullptr ? &bitmapSize : nullptr);

    RECT window{0, 0, layout.Client.cx, layout.Client.cy};
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle() & ~WS_EX_CLIENTEDGE);
    SetWindowPos(nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowText(m_windowCaption);

    const auto place = [](HWND control, const RECT& rect) {
        if (control != nullptr) {
            ::MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        }
    };
    if (picture != nullptr) place(picture, layout.Bitmap);
    for (int i = 0; i < 4; ++i) place(GetDlgItem(kTextIds[i]), layout.Texts[i]);
    place(button, layout.Button);
}

LRESULT VersionDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kSelfCloseTimer) {
        KillTimer(kSelfCloseTimer);
        Default();
        OnCancel();
        return 0;
    }
    return CTemplateDialog::WindowProc(message, wParam, lParam);
}
