// The texts the user reads in the main window: the menu with each command's help in the status
// bar, and the controls with theirs, in the order the user meets them.
#pragma once

#include "res/resource.h"

#include <windows.h>

struct MenuText {
    UINT Id;  // 0: a pop-up's title, or a separator without text
    const char* Text;
    const char* Help = nullptr;
    UINT State = 0;  // MF_CHECKED, MF_GRAYED as the resource holds them
};

inline const MenuText kMenuTexts[] = {
    {0, "ﾌｧｲﾙ(&F)"},
    {ID_FILE_NEW, "新規作成(&N)", "検索条件･操作の設定を初期化します。"},
    {ID_FILE_OPEN, "開く(&O) ...", "設定ﾌｧｲﾙを開きます。"},
    {ID_FILE_CLOSE, "閉じる(&C)", "現在の設定ﾌｧｲﾙを閉じます。", MF_GRAYED},
    {ID_FILE_SAVE, "保存(&S)", "現在の設定ﾌｧｲﾙを上書きで保存します。"},
    {ID_FILE_SAVE_AS, "名前を付けて保存(&A) ...", "現在の設定ﾌｧｲﾙを別名で保存します。"},
    {0, nullptr},
    {ID_FILE_SAVE_LOG, "ﾛｸﾞを保存(&L) ...", "ﾛｸﾞの内容をﾃｷｽﾄﾌｧｲﾙに保存します。"},
    {0, nullptr},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "Solvik:Quorlaneを終了します。"},
    {0, "表示(&V)"},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙﾊﾞｰを表示(&T)", "ﾂｰﾙﾊﾞｰの表示･非表示を切り換えます。", MF_CHECKED},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽﾊﾞｰを表示(&S)", "ｽﾃｰﾀｽﾊﾞｰの表示･非表示を切り換えます。", MF_CHECKED},
    {0, nullptr},
    {ID_VIEW_DEFAULT_SIZE, "ﾃﾞﾌｫﾙﾄのｳｨﾝﾄﾞｳｻｲｽﾞ(&W)", "ｳｨﾝﾄﾞｳｻｲｽﾞをﾃﾞﾌｫﾙﾄの大きさに戻します。"},
    {0, "ﾂｰﾙ(&T)"},
    {ID_TOOL_CLEAR_HISTORY, "履歴の消去(&E)", "検索ﾊﾟｽ･ﾌｧｲﾙ名の履歴を消去します。"},
    {0, nullptr},
    {ID_TOOL_EXECUTE, "実行(&E)", "現在の検索条件･操作設定で処理を実行します。"},
    {ID_TOOL_PREVIEW, "ﾌﾟﾚﾋﾞｭｰ(&P)", "現在の検索条件･操作設定で変更されるﾌｧｲﾙを、変更せずに表示します。"},
    {ID_TOOL_UNDO, "直前の処理を元に戻す(&U)", "直前に実行した処理で変更したﾌｧｲﾙを元の状態に戻します。"},
    {ID_TOOL_ABORT, "処理中止(&B)", "処理を中止します。"},
    {0, "ｵﾌﾟｼｮﾝ(&O)"},
    {ID_OPTION_SHOW_DIRECTORIES, "検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名を表示(&D)",
     "処理中に検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名の表示･非表示を指定します。", MF_CHECKED},
    {ID_OPTION_SHOW_FILES, "検索されたﾌｧｲﾙ名を表示(&F)", "処理中に検索されたﾌｧｲﾙ名の表示･非表示を指定します。",
     MF_CHECKED},
    {ID_OPTION_SHOW_SKIPPED, "処理をｽｷｯﾌﾟしたﾌｧｲﾙ名を表示(&N)",
     "処理の対象にならなかったﾌｧｲﾙ名の表示･非表示を指定します。", MF_CHECKED},
    {ID_OPTION_SHOW_UNCHANGED, "処理しなかったﾌｧｲﾙ名を表示(&O)", "処理しなかったﾌｧｲﾙ名の表示･非表示を指定します。",
     MF_CHECKED},
    {0, nullptr},
    {ID_OPTION_CLOCK_PER_FILE, "ﾘｱﾙﾀｲﾑにｼｽﾃﾑｸﾛｯｸを読む(&C)",
     "ﾀｲﾑｽﾀﾝﾌﾟに設定するｼｽﾃﾑｸﾛｯｸ読取の一括･逐次を指定します。", MF_CHECKED},
    {0, nullptr},
    {ID_OPTION_SKIP_SYSTEM, "ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする(&P)", "処理対象にｼｽﾃﾑ属性を持つﾌｧｲﾙを含めるか否かを指定します。",
     MF_CHECKED},
    {ID_OPTION_SORT, "処理順をﾌｧｲﾙ名で並び変える(&S)", "ﾌｧｲﾙ検索時のﾌｧｲﾙ名ｿｰﾄの有効･無効を指定します。",
     MF_CHECKED},
    {0, "ﾍﾙﾌﾟ(&H)"},
    {ID_APP_ABOUT, "About Fendrix(&A) ...", "AboutBoxを表示します。"},
};

// The main dialog's controls, the labelled ones in the template's order, with the fields that the
// program makes at run time beside their switches.
struct ControlText {
    UINT Id;
    const char* Label;
    const char* Help = nullptr;
};

inline const ControlText kControlTexts[] = {
    {IDC_SEARCH_GROUP, "検索条件"},
    {IDC_LABEL_PATH, "検索ﾊﾟｽ :"},
    {IDC_SEARCH_PATH, "", "ﾌｧｲﾙを検索する場所を指定します。( ';' で区切って複数指定可能 )"},
    {IDC_BROWSE, "参照(&B) ..."},
    {IDC_LABEL_FILE, "ﾌｧｲﾙ名 :"},
    {IDC_SEARCH_FILE, "", "検索対象のﾌｧｲﾙ名を指定します。( ';' で区切って複数指定可能 )"},
    {IDC_RECURSIVE, "再帰処理", "ｻﾌﾞﾃﾞｨﾚｸﾄﾘの再帰処理有無を指定します。"},
    {IDC_LABEL_SEARCH_ATTRIBUTES, "属性 :"},
    {IDC_SEARCH_ARCHIVE, "Archive", "ｱｰｶｲﾌﾞ属性が付いているﾌｧｲﾙを検索対象にします。"},
    {IDC_SEARCH_READONLY, "ReadOnly", "読み取り専用属性の付いているﾌｧｲﾙを検索対象にします。"},
    {IDC_SEARCH_HIDDEN, "Hide", "隠し属性が付いているﾌｧｲﾙを検索対象にします。"},
    {IDC_SEARCH_SYSTEM, "System", "ｼｽﾃﾑﾌｧｲﾙ属性が付いているﾌｧｲﾙを検索対象にします。"},
    {IDC_LABEL_SEARCH_MODE, "属性の扱い :"},
    {IDC_SEARCH_OR, "OR", "指定された属性のいずれかを持つﾌｧｲﾙを検索対象とします。"},
    {IDC_SEARCH_AND, "AND", "指定された属性を全て持つﾌｧｲﾙを検索対象とします。"},
    {IDC_DATE_START_FLAG, "最古日付", "検索対象ﾌｧｲﾙを指定する日付より新しいものに限定します。(指定日付含む)"},
    {IDC_DATE_START, "", "検索対象ﾌｧｲﾙのﾌｧｲﾙ日付の下限を指定します。( yyyy/mm/dd )"},
    {IDC_LABEL_DATE_TILDE, "～"},
    {IDC_DATE_END_FLAG, "最新日付", "検索対象ﾌｧｲﾙを指定する日付より古い物に限定します。(指定日付含む)"},
    {IDC_DATE_END, "", "検索対象ﾌｧｲﾙのﾌｧｲﾙ日付の上限を指定します。( yyyy/mm/dd )"},
    {IDC_SIZE_START_FLAG, "最小ｻｲｽﾞ", "検索対象ﾌｧｲﾙを指定するｻｲｽﾞより大きな物に限定します。(指定ｻｲｽﾞ含む)"},
    {IDC_SIZE_START, "", "検索対象ﾌｧｲﾙのｻｲｽﾞの下限を指定します。( byte )"},
    {IDC_LABEL_SIZE_TILDE, "～"},
    {IDC_SIZE_END_FLAG, "最大ｻｲｽﾞ", "検索対象ﾌｧｲﾙを指定するｻｲｽﾞより小さな物に限定します。(指定ｻｲｽﾞ含む)"},
    {IDC_SIZE_END, "", "検索対象ﾌｧｲﾙのｻｲｽﾞの上限を指定します。( byte )"},
    {IDC_OPERATION_GROUP, "操作"},
    {IDC_LABEL_SET_ATTRIBUTES, "属性 :"},
    {IDC_SET_ARCHIVE, "Archive", "検索されたﾌｧｲﾙのｱｰｶｲﾌﾞ属性を設定･解除の対象にします。"},
    {IDC_SET_READONLY, "ReadOnly", "検索されたﾌｧｲﾙの読み取り専用属性を設定･解除の対象にします。"},
    {IDC_SET_HIDDEN, "Hide", "検索されたﾌｧｲﾙの隠し属性を設定･解除の対象にします。"},
    {IDC_SET_SYSTEM, "System", "検索されたﾌｧｲﾙのｼｽﾃﾑﾌｧｲﾙ属性を設定･解除の対象にします。"},
    {IDC_LABEL_SET_MODE, "属性の操作 :"},
    {IDC_SET_ON, "Set", "検索されたﾌｧｲﾙに指定された属性を設定します。"},
    {IDC_SET_OFF, "Reset", "検索されたﾌｧｲﾙから指定された属性を解除します。"},
    {IDC_TIMESTAMP_FLAG, "ﾀｲﾑｽﾀﾝﾌﾟ", "検索されたﾌｧｲﾙのﾀｲﾑｽﾀﾝﾌﾟの変更有無を指定します。"},
    {IDC_STAMP_CLOCK, "ｼｽﾃﾑｸﾛｯｸ", "検索されたﾌｧｲﾙのﾀｲﾑｽﾀﾝﾌﾟをｼｽﾃﾑｸﾛｯｸの日付時刻に変更します。"},
    {IDC_STAMP_GIVEN, "指定", "検索されたﾌｧｲﾙのﾀｲﾑｽﾀﾝﾌﾟを指定した日付時刻に設定します。"},
    {IDC_TIMESTAMP, "", "検索されたﾌｧｲﾙに設定するﾀｲﾑｽﾀﾝﾌﾟを指定します。( yyyy/mm/dd hh:mm:ss )"},
};
