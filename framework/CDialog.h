// Dialogs from a template resource or from a template in memory, shown modally by a loop
// of our own so that PreTranslateMessage sees every message, or created modeless.
#pragma once

#include "framework/CWnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    HWND PrepareCtrl(int id);  // the control, or a failed exchange when it is missing
    void Fail() { m_failed = true; }
    bool Failed() const { return m_failed; }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    bool m_failed = false;
};

void DDX_Check(CDataExchange* dx, int id, int& value);
// value: index of the checked button of the group that starts with id, -1 when none is.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
// The edit text of a combo box; loading sets exactly the text, without selecting a list item.
void DDX_CBString(CDataExchange* dx, int id, CString& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr) : m_templateId(templateId), m_parent(parent) {}

    BOOL InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    virtual INT_PTR DoModal();
    // Creates the dialog modeless, as tests do to drive it with messages.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    void EndDialog(int result);
    bool IsEnded() const { return m_endRequested; }

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    BOOL PreTranslateMessage(MSG* msg) override;

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    const DLGTEMPLATE* Template() const;
    HWND CreateFromTemplate(HWND owner);
    void RunModalLoop();

    UINT m_templateId;
    const DLGTEMPLATE* m_indirect = nullptr;
    CWnd* m_parent;
    bool m_endRequested = false;
    bool m_inModalLoop = false;
    INT_PTR m_result = -1;
};
