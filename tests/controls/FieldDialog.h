// A dialog like the main window's part with the entry fields: a 9-point "ＭＳ Ｐゴシック"
// template with a switch before each field's place and an edit to move to. Placeholder
// combo boxes are put in for each test, since creating a field destroys its placeholder.
#pragma once

#include "framework/CDialog.h"

#include <vector>

enum : int {
    kDateSwitch = 1013,
    kDatePlaceholder = 1055,
    kDateField = 106,
    kSizeSwitch = 1026,
    kSizePlaceholder = 1058,
    kSizeField = 109,
    kStampSwitch = 1032,
    kStampPlaceholder = 1061,
    kStampField = 111,
    kOtherEdit = 2000,
};

// The one shown dialog of all window tests: under Wine without a window manager, taking
// a shown top-level window down costs two seconds, so it is made once and kept.
CDialog& FieldDialog();
// A fresh placeholder combo box at its place in the template, in the tab order after its
// switch; returns its rectangle in the dialog's client coordinates.
RECT AddPlaceholder(int placeholderId);
// A control's window rectangle in the dialog's client coordinates.
RECT RectInDialog(HWND dialog, int id);
