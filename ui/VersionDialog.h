// The About dialog: the version texts of the program beside a bitmap, from a template made in
// memory. It closes by itself after the given number of seconds.
#pragma once

#include "framework/CString.h"
#include "framework/Gdi.h"
#include "ui/TemplateDialog.h"

#include <windows.h>

// Title, bitmap and self-close time of the About command.
extern const char* const kAboutDialogCaption;  // "ﾊﾞｰｼﾞｮﾝ情報(Fendrix)"
const int kAboutSelfCloseSeconds = 10;

// Where the controls go, in client pixels.
struct VersionDialogLayout {
    SIZE Client;
    RECT Bitmap;    // empty without a bitmap
    RECT Texts[4];  // version line, legal notice, comment, build line
    RECT Button;
};

// text: the largest extent of the four texts; button: the OK button's size; bitmap: the
// bitmap control's size, or nullptr without one.
VersionDialogLayout ComputeVersionDialogLayout(SIZE text, SIZE button, const SIZE* bitmap);

class VersionDialog : public CTemplateDialog {
public:
    enum : WORD {
        IDC_ABOUT_BITMAP = 9995,
        IDC_ABOUT_BUILD = 9996,
        IDC_ABOUT_COMMENT = 9997,
        IDC_ABOUT_COPYRIGHT = 9998,
        IDC_ABOUT_VERSION = 9999,
    };
    static const UINT_PTR kSelfCloseTimer = 1;

    // Builds the template; the caller then runs DoModal. No bitmap for bitmapId 0; seconds 0
    // or less: no self-close.
    VersionDialog(const char* caption, UINT bitmapId, CWnd* parent, int selfCloseSeconds);

    // 0 version line, 1 legal notice, 2 comment, 3 build line.
    const CString& GetText(int index) const { return m_texts[index]; }
    bool HasBitmap() const { return m_bitmap.GetSafeHandle() != nullptr; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ArrangeControls();

    CString m_texts[4];
    CBitmap m_bitmap;
    int m_selfCloseSeconds;
    CString m_windowCaption;
};
