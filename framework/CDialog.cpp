#include "framework/CDialog.h"

#include "framework/CWinApp.h"

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (control == nullptr) Fail();
    return control;
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (control == nullptr) return;
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (control == nullptr) return;
    if (dx->m_bSaveAndValidate) value = -1;
    int index = 0;
    do {
        if ((::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0) {
            if (dx->m_bSaveAndValidate) {
                if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
            } else {
                ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control != nullptr && (::GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) == 0);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareCtrl(id);
    if (control == nullptr) return;
    if (dx->m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthA(control);
        char* buffer = value.GetBuffer(length + 1);
        ::GetWindowTextA(control, buffer, length + 1);
        value.ReleaseBuffer();
    } else {
        ::SetWindowTextA(control, value);
    }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) { DDX_Text(dx, id, value); }

BOOL CDialog::InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent) {
    m_indirect = dialogTemplate;
    m_parent = parent;
    return dialogTemplate != nullptr;
}

const DLGTEMPLATE* CDialog::Template() const {
    if (m_indirect != nullptr) return m_indirect;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(m_templateId), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (resource == nullptr) return nullptr;
    HGLOBAL loaded = ::LoadResource(instance, resource);
    return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
}

HWND CDialog::CreateFromTemplate(HWND owner) {
    const DLGTEMPLATE* dialogTemplate = Template();
    if (dialogTemplate == nullptr) return nullptr;
    m_endRequested = false;
    m_result = -1;
    return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), dialogTemplate, owner, DialogProc,
                                        reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_parent = parent;
    return CreateFromTemplate(parent != nullptr ? parent->m_hWnd : nullptr) != nullptr;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent) {
    m_indirect = dialogTemplate;
    m_parent = parent;
    return CreateFromTemplate(parent != nullptr ? parent->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_parent != nullptr ? m_parent->m_hWnd : nullptr;
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);
    if (CreateFromTemplate(owner) != nullptr) {
        if (!m_endRequested) {
            if (!IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        // The owner is enabled before the dialog goes, so that it, not another program, becomes active.
        if (disableOwner) {
            ::EnableWindow(owner, TRUE);
            ::SetActiveWindow(owner);
        }
        DestroyWindow();
    } else if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    return m_result;
}

void CDialog::RunModalLoop() {
    m_inModalLoop = true;
    MSG msg;
    while (!m_endRequested) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    m_inModalLoop = false;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_endRequested = true;
    if (!m_inModalLoop && m_hWnd != nullptr) ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) return ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED && id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    // Menu items, accelerators and tool-bar buttons go on to the application's command map.
    const bool fromMenu = lParam == 0;
    const bool fromToolBar = lParam != 0 && ::GetDlgItem(m_hWnd, static_cast<int>(id)) == nullptr;
    CWinApp* app = AfxGetApp();
    return (fromMenu || fromToolBar) && app != nullptr && app->OnCmdMsg(id, static_cast<int>(code));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(window);
    return dialog->OnInitDialog();
}
