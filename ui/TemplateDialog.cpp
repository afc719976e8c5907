#include "ui/TemplateDialog.h"

#include "framework/Seams.h"

#include <cstring>
#include <string>

namespace {

const char kAllocationFailed[] = "[CTemplateDialog::hfBuildTemplate] Memory allocation for dialog template failed.";

// The text in UTF-16 with its terminating zero. Precomposed: a decomposed face name
// ("ゴ" as コ + U+3099) names no font, and a decomposed caption changes its text.
std::wstring ToUtf16(const char* text) {
    const int length = ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
    if (length <= 0) return std::wstring(1, L'\0');
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, &wide[0], length);
    wide.back() = L'\0';
    return wide;
}

UINT RoundUp4(UINT bytes) { return (bytes + 3u) & ~3u; }

class Writer {
public:
    explicit Writer(BYTE* base) : m_base(base) {}
    void Dword(UINT offset, DWORD value) { std::memcpy(m_base + offset, &value, sizeof value); }
    void Word(UINT offset, WORD value) { std::memcpy(m_base + offset, &value, sizeof value); }
    void Text(UINT offset, const std::wstring& text) {
        std::memcpy(m_base + offset, text.data(), text.size() * sizeof(wchar_t));
    }

private:
    BYTE* m_base;
};

}  // namespace

CTemplateDialog::CTemplateDialog() : CDialog(0, nullptr) {}

CTemplateDialog::~CTemplateDialog() { FreeTemplate(FREE_ITEMS | FREE_TEMPLATE); }

void CTemplateDialog::AddItem(WORD classAtom, WORD id, const RECT* rect, const char* text, DWORD style,
                              DWORD exStyle) {
    TemplateItem item;
    item.Style = style | WS_CHILD | WS_VISIBLE;
    item.ExStyle = exStyle;
    if (rect != nullptr) {
        item.X = static_cast<short>(rect->left);
        item.Y = static_cast<short>(rect->top);
        item.Cx = static_cast<short>(rect->right - rect->left);
        item.Cy = static_cast<short>(rect->bottom - rect->top);
    }
    item.Id = id;
    item.ClassAtom = classAtom;
    if (text != nullptr) item.Text = text;
    m_items.push_back(std::move(item));
    m_itemCount = static_cast<WORD>(m_items.size());
}

HLOCAL CTemplateDialog::AllocateTemplateMemory(UINT bytes) { return ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, bytes); }

DLGTEMPLATE* CTemplateDialog::hfBuildTemplate(const RECT& rect, const char* caption, CWnd* parent, DWORD addStyle,
                                              DWORD addExStyle) {
    m_x = static_cast<short>(rect.left);
    m_y = static_cast<short>(rect.top);
    m_cx = static_cast<short>(rect.right - rect.left);
    m_cy = static_cast<short>(rect.bottom - rect.top);
    m_style = m_defaultStyle | addStyle;
    m_exStyle = m_defaultExStyle | addExStyle;
    ReleaseMemory();  // a template built earlier would otherwise be lost
    if (caption != nullptr) m_caption = caption;

    const std::wstring wideCaption = ToUtf16(m_caption);
    const std::wstring wideFace = ToUtf16(m_fontFace);
    std::vector<std::wstring> texts;
    texts.reserve(m_items.size());
    for (const TemplateItem& item : m_items) texts.push_back(ToUtf16(item.Text));

    const UINT headerBytes = RoundUp4(static_cast<UINT>(2 * wideCaption.size() + 2 * wideFace.size() + 24));
    UINT size = headerBytes;
    for (size_t i = 0; i < texts.size(); ++i) {
        const UINT itemBytes = static_cast<UINT>(2 * texts[i].size() + 24);
        size += i + 1 < texts.size() ? RoundUp4(itemBytes) : itemBytes;
    }

    HLOCAL memory = AllocateTemplateMemory(size);
    BYTE* base = memory != nullptr ? static_cast<BYTE*>(::LocalLock(memory)) : nullptr;
    if (base == nullptr) {
        if (memory != nullptr) ::LocalFree(memory);
        seams::ShowMessageBox(parent != nullptr ? parent->GetSafeHwnd() : nullptr, kAllocationFailed, "Fendrix",
                              MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }

    Writer out(base);
    out.Dword(0, m_style);
    out.Dword(4, m_exStyle);
    out.Word(8, m_itemCount);
    out.Word(10, static_cast<WORD>(m_x));
    out.Word(12, static_cast<WORD>(m_y));
    out.Word(14, static_cast<WORD>(m_cx));
    out.Word(16, static_cast<WORD>(m_cy));
    out.Word(18, 0);  // no menu
    out.Word(20, 0);  // the standard dialog class
    UINT offset = 22;
    out.Text(offset, wideCaption);
    offset += static_cast<UINT>(2 * wideCaption.size());
    out.Word(offset, m_pointSize);
    offset += 2;
    out.Text(offset, wideFace);

    offset = headerBytes;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const TemplateItem& item = m_items[i];
        out.Dword(offset, item.Style);
        out.Dword(offset + 4, item.ExStyle);
        out.Word(offset + 8, static_cast<WORD>(item.X));
        out.Word(offset + 10, static_cast<WORD>(item.Y));
        out.Word(offset + 12, static_cast<WORD>(item.Cx));
        out.Word(offset + 14, static_cast<WORD>(item.Cy));
        out.Word(offset + 16, item.Id);
        out.Word(offset + 18, 0xFFFF);  // a class atom follows
        out.Word(offset + 20, item.ClassAtom);
        out.Text(offset + 22, texts[i]);
        const UINT creationData = offset + 22 + static_cast<UINT>(2 * texts[i].size());
        out.Word(creationData, 0);
        offset = RoundUp4(creationData + 2);
    }

    m_templateMemory = memory;
    m_template = reinterpret_cast<DLGTEMPLATE*>(base);
    m_templateSize = size;
    return m_template;
}

bool CTemplateDialog::InitModalTemplate(const RECT& rect, const char* caption, CWnd* parent, DWORD addStyle,
                                        DWORD addExStyle) {
    FreeTemplate(FREE_TEMPLATE);
    DLGTEMPLATE* built = hfBuildTemplate(rect, caption, parent, addStyle, addExStyle);
    if (built == nullptr) return false;
    return InitModalIndirect(built, parent) != FALSE;
}

void CTemplateDialog::FreeTemplate(UINT flags) {
    if ((flags & FREE_TEMPLATE) != 0) {
        if (m_hWnd != nullptr) DestroyWindow();
        ReleaseMemory();
    }
    if ((flags & FREE_ITEMS) != 0) {
        m_items.clear();
        m_itemCount = 0;
    }
}

void CTemplateDialog::ReleaseMemory() {
    if (m_templateMemory == nullptr) return;
    // The dialog must not be created again from memory that is gone.
    InitModalIndirect(nullptr, nullptr);
    if (m_template != nullptr) ::LocalUnlock(m_templateMemory);
    ::LocalFree(m_templateMemory);
    m_templateMemory = nullptr;
    m_template = nullptr;
    m_templateSize = 0;
}
