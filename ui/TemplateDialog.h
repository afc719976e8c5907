// A dialog that needs no dialog resource: its controls are listed in code and written into
// a standard in-memory dialog template (DLGTEMPLATE, DLGITEMTEMPLATE, UTF-16 texts).
#pragma once

#include "framework/CDialog.h"
#include "framework/CString.h"

#include <windows.h>

#include <vector>

// One control of the template; sizes in dialog units.
struct TemplateItem {
    DWORD Style = WS_CHILD | WS_VISIBLE;
    DWORD ExStyle = 0;
    short X = 0;
    short Y = 0;
    short Cx = 50;
    short Cy = 14;
    WORD Id = 0;
    WORD ClassAtom = 0x0080;
    CString Text;
};

class CTemplateDialog : public CDialog {
public:
    // Predefined window classes, by atom.
    enum ClassAtom : WORD {
        ATOM_BUTTON = 0x0080,
        ATOM_EDIT = 0x0081,
        ATOM_STATIC = 0x0082,
        ATOM_LISTBOX = 0x0083,
        ATOM_SCROLLBAR = 0x0084,
        ATOM_COMBOBOX = 0x0085,
    };
    // Flags of FreeTemplate.
    enum : UINT {
        FREE_ITEMS = 1,     // delete the item list
        FREE_TEMPLATE = 2,  // destroy the window and free the template memory
    };
    static const DWORD kDefaultStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;

    CTemplateDialog();
    ~CTemplateDialog() override;

    // Appends a control; without a rectangle it sits at 0, 0 with 50 x 14, without text it has
    // an empty one. WS_CHILD and WS_VISIBLE are always added to the style.
    void AddItem(WORD classAtom, WORD id, const RECT* rect = nullptr, const char* text = nullptr, DWORD style = 0,
                 DWORD exStyle = 0);

    // Writes the template for the items; a null caption keeps the current one. Null (after a
    // message box) when the memory cannot be had. The parent owns that message box.
    DLGTEMPLATE* hfBuildTemplate(const RECT& rect, const char* caption, CWnd* parent, DWORD addStyle = 0,
                                 DWORD addExStyle = 0);
    // Builds the template and prepares the dialog to run modally from it; the caller then calls DoModal.
    bool InitModalTemplate(const RECT& rect, const char* caption, CWnd* parent, DWORD addStyle = 0,
                           DWORD addExStyle = 0);
    void FreeTemplate(UINT flags);

    const DLGTEMPLATE* GetTemplate() const { return m_template; }
    // Bytes written for the current template, 0 when there is none.
    UINT GetTemplateSize() const { return m_template != nullptr ? m_templateSize : 0; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }

protected:
    // Movable, zero-filled memory for the template.
    virtual HLOCAL AllocateTemplateMemory(UINT bytes);

    HLOCAL m_templateMemory = nullptr;
    DLGTEMPLATE* m_template = nullptr;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    WORD m_itemCount = 0;
    short m_x = 0;
    short m_y = 0;
    short m_cx = 0;
    short m_cy = 0;
    std::vector<TemplateItem> m_items;
    DWORD m_defaultStyle = kDefaultStyle;
    DWORD m_defaultExStyle = 0;
    CString m_caption = "no-title";
    CString m_fontFace = "ＭＳ Ｐゴシック";
    WORD m_pointSize = 9;

private:
    void ReleaseMemory();

    UINT m_templateSize = 0;
};
