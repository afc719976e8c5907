#include "ui/Commands.h"

#include "res/resource.h"

namespace {

struct ToolTip {
    UINT Id;
    const char* Text;
};

const ToolTip kToolTips[] = {
    {ID_FILE_NEW, "初期化"},       {ID_TOOL_CLEAR_HISTORY, "履歴消去"}, {ID_APP_EXIT, "終了"},
    {ID_FILE_OPEN, "読込"},        {ID_FILE_SAVE, "保存"},              {ID_FILE_SAVE_AS, "別名保存"},
    {ID_TOOL_EXECUTE, "実行"},     {ID_TOOL_ABORT, "処理中止"},          {ID_TOOL_UNDO, "元に戻す"},
    {ID_TOOL_PREVIEW, "ﾌﾟﾚﾋﾞｭｰ"},
};

const UINT kRoutedCommands[] = {
    ID_FILE_NEW,          ID_TOOL_CLEAR_HISTORY, ID_APP_EXIT,          ID_FILE_OPEN,
    ID_FILE_SAVE,         ID_FILE_SAVE_AS,       ID_TOOL_EXECUTE,      ID_APP_ABOUT,
    ID_VIEW_STATUS_BAR,   ID_VIEW_TOOLBAR,       ID_TOOL_ABORT,        ID_OPTION_SHOW_FILES,
    ID_OPTION_SORT,       ID_VIEW_DEFAULT_SIZE,  ID_OPTION_SHOW_DIRECTORIES, ID_OPTION_SKIP_SYSTEM,
    ID_OPTION_SHOW_SKIPPED, ID_OPTION_CLOCK_PER_FILE, ID_OPTION_SHOW_UNCHANGED, ID_TOOL_UNDO,
    ID_FILE_SAVE_LOG,     ID_TOOL_PREVIEW,
};

}  // namespace

bool IsRoutedCommand(UINT id) {
    for (UINT routed : kRoutedCommands) {
        if (routed == id) return true;
    }
    return false;
}

const char* ToolTipText(UINT id) {
    for (const ToolTip& tip : kToolTips) {
        if (tip.Id == id) return tip.Text;
    }
    return nullptr;
}
