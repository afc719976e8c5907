#include "ui/ToolBar.h"

#include "res/resource.h"
#include "settings/VerInfo.h"

#include <commctrl.h>

namespace {

TBBUTTON Button(int image, int command) {
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    button.iString = -1;
    return button;
}

TBBUTTON Separator() {
    TBBUTTON button{};
    button.fsStyle = TBSTYLE_SEP;
    button.iString = -1;
    return button;
}

// The commands that a run disables; Abort is the only one it enables.
constexpr int kIdleCommands[] = {ID_FILE_NEW,  ID_TOOL_CLEAR_HISTORY, ID_TOOL_EXECUTE, ID_APP_EXIT,
                                 ID_FILE_OPEN, ID_FILE_SAVE,          ID_FILE_SAVE_AS, ID_TOOL_UNDO,
                                 ID_TOOL_PREVIEW};

}  // namespace

CommonControlsLevel CommonControlsLevelOf(unsigned long major, unsigned long minor) {
    CommonControlsLevel level{};
    level.FlatToolBar = major > 4 || (major == 4 && minor >= 70);
    level.ExtendedStyle = major > 4 || (major == 4 && minor >= 71);
    return level;
}

const CommonControlsLevel& GetCommonControlsLevel() {
    static const CommonControlsLevel level = [] {
        DllVersion version{};
        if (!GetDllVersion("COMCTL32.DLL", 4, version)) return CommonControlsLevel{};
        return CommonControlsLevelOf(version.Major, version.Minor);
    }();
    return level;
}

bool MainToolBar::Create(CWnd* parent, bool visible, const CommonControlsLevel& level, UINT id) {
    if (parent == nullptr) return false;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    const DWORD style = WS_CHILD | CCS_TOP | TBSTYLE_TOOLTIPS | (visible ? WS_VISIBLE : 0);
    if (!CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style, RECT{0, 0, 0, 0}, parent->m_hWnd, id)) return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));

    TBADDBITMAP images{::GetModuleHandleA(nullptr), IDB_TOOLBAR};
    SendMessage(TB_ADDBITMAP, kImageCount, reinterpret_cast<LPARAM>(&images));

    const TBBUTTON buttons[] = {
        Button(0, ID_FILE_NEW),     Button(5, ID_FILE_OPEN), Button(6, ID_FILE_SAVE),
        Button(7, ID_FILE_SAVE_AS), Separator(),             Button(1, ID_TOOL_CLEAR_HISTORY),
        Separator(),                Button(2, ID_TOOL_EXECUTE), Button(8, ID_TOOL_PREVIEW),
        Button(9, ID_TOOL_UNDO),    Button(4, ID_TOOL_ABORT),
        Separator(),                Button(3, ID_APP_EXIT),
    };
    SendMessage(TB_ADDBUTTONSA, sizeof buttons / sizeof buttons[0], reinterpret_cast<LPARAM>(buttons));

    if (level.FlatToolBar) {
        ModifyStyle(0, TBSTYLE_FLAT);
        if (level.ExtendedStyle) SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    } else {
        // Older libraries draw buttons raised: a separator keeps New off the bar's edge and
        // a wider gap sets Exit apart.
        for (const int command : {ID_FILE_NEW, ID_APP_EXIT}) {
            const int index = CommandToIndex(static_cast<UINT>(command));
            if (index < 0) continue;
            TBBUTTON separator = Separator();
            SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&separator));
        }
    }
    EnableButton(ID_TOOL_ABORT, FALSE);
    return true;
}

void MainToolBar::SetRunState(bool busy) {
    for (const int command : kIdleCommands) EnableButton(command, !busy);
    EnableButton(ID_TOOL_ABORT, busy);
}

int MainToolBar::PlaceAtTop(const RECT& client) {
    const RECT bar = GetRectInParent();
    MoveWindow(RECT{bar.left, bar.top, bar.left + (client.right - client.left), bar.bottom});
    return GetRectInParent().bottom;
}
