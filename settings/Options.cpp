// The option switches of the Options and View menus and the startup-information block.
#include "engine/LogPalette.h"
#include "engine/Switches.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "settings/VerInfo.h"

namespace {

const char* OnOff(int value) { return IsOn(value) ? "有り" : "無し"; }

}  // namespace

void SettingsStore::ToggleOption(UINT commandId) {
    JobSettings& job = m_engine.Job;
    int* field = nullptr;
    switch (commandId) {
        case ID_OPTION_SHOW_DIRECTORIES: field = &job.ExecDispSubDir; break;
        case ID_OPTION_SHOW_FILES: field = &job.ExecDispFname; break;
        case ID_OPTION_SHOW_SKIPPED: field = &job.ExecDispSkipped; break;
        case ID_OPTION_SHOW_UNCHANGED: field = &job.ExecDispNopFname; break;
        case ID_OPTION_CLOCK_PER_FILE: field = &job.SystemClockReadMode; break;
        case ID_OPTION_SKIP_SYSTEM: field = &job.SystemFileSkip; break;
        case ID_OPTION_SORT: field = &job.SortFile; break;
        case ID_VIEW_TOOLBAR: field = &ShowToolBar; break;
        case ID_VIEW_STATUS_BAR: field = &ShowStatusBar; break;
        default: return;
    }
    const int previous = *field;
    *field = previous == 0 ? 1 : 0;  // a hand-edited 5 counts as on: it goes off first

    const bool bar = commandId == ID_VIEW_TOOLBAR || commandId == ID_VIEW_STATUS_BAR;
    if (bar) m_window.ShowBars();
    if (commandId == ID_OPTION_SORT && previous == 0) {
        seams::ShowMessageBox(m_window.GetMessageOwner(),
                              "「処理順をﾌｧｲﾙ名で並び変える」が選択されました。\n"
                              "対象となるﾌｧｲﾙが多い場合、処理に大変時間が\n"
                              "かかる場合があります。",
                              "Fendrix:Warning", MB_OK | MB_ICONINFORMATION);
    }
    if (commandId == ID_OPTION_SKIP_SYSTEM && previous != 0) {
        seams::ShowMessageBox(m_window.GetMessageOwner(),
                              "「ｼｽﾃﾑﾌｧｲﾙをｽｷｯﾌﾟする」が解除されました。\n"
                              "ｼｽﾃﾑ属性を持つﾌｧｲﾙの属性･ﾀｲﾑｽﾀﾝﾌﾟを変更した場合\n"
                              "ｼｽﾃﾑに異常をきたす場合が有ります。",
                              "Fendrix:Warning !", MB_OK | MB_ICONINFORMATION);
    }
    m_engine.SyncOptionMenus();
    if (bar) m_window.RecalcLayout();
    m_engine.ShowStatus(nullptr);
}

void SettingsStore::WriteStartupInformation() {
    const JobSettings& job = m_engine.Job;
    auto line = [this](const char* label, const char* value) {
        m_engine.AppendLog(CString(label) + value, LogColor::Teal);
    };

    m_engine.AppendLog("", LogColor::Black);
    {
        const CVerInfo version;
        m_engine.AppendLog(version.GetVersionText(), LogColor::Black);
        m_engine.AppendLog(version.LegalCopyright(), LogColor::Black);
        m_engine.AppendLog(version.Comments(), LogColor::Black);
        m_engine.AppendLog(version.GetBuildText(), LogColor::Black);
    }
    m_engine.AppendLog("\r\n", LogColor::Black);
    CString heading;
    heading.Format("Startup Information... ( %s )", static_cast<const char*>(CurrentFile));
    m_engine.AppendLog(heading, LogColor::Teal);
    m_engine.AppendLog("\r\n", LogColor::Black);

    // Per-entry details only matter while per-entry lines are written.
    const bool entryLines = IsOn(job.ExecDispFname);
    line("    検索されたｻﾌﾞﾃﾞｨﾚｸﾄﾘ名の表示指定(D) : ", OnOff(job.ExecDispSubDir));
    line("    検索されたﾌｧｲﾙ名の表示指定      (F) : ", OnOff(job.ExecDispFname));
    line("    処理をｽｷｯﾌﾟしたﾌｧｲﾙ名の表示指定 (N) : ", entryLines ? OnOff(job.ExecDispSkipped) : "無効");
    line("    処理しなかったﾌｧｲﾙ名の表示指定  (O) : ", entryLines ? OnOff(job.ExecDispNopFname) : "無効");
    line("    ｼｽﾃﾑｸﾛｯｸ読取方法の指定          (C) : ", IsOn(job.SystemClockReadMode) ? "逐次" : "一括");
    line("    ｼｽﾃﾑ属性ﾌｧｲﾙの処理ｽｷｯﾌﾟ指定     (P) : ", OnOff(job.SystemFileSkip));
    if (!IsOn(job.SystemFileSkip)) {
        m_engine.AppendLog("\r\nWarning: ｼｽﾃﾑ属性を持つﾌｧｲﾙが処理対象になっている場合、属性変更処理の結果、"
                           "\r\nWarning: ｼｽﾃﾑに異常を引き起こす場合があります。\r\n",
                           LogColor::Red);
    }
    line("    ﾌｧｲﾙ名での処理順ｿｰﾄ指定         (S) : ", OnOff(job.SortFile));
    if (IsOn(job.SortFile)) {
        m_engine.AppendLog("\r\nWarning: 「処理順をﾌｧｲﾙ名で並び変える」が選択されていると、対象となる"
                           "\r\nWarning: ﾌｧｲﾙが多い場合に処理に大変時間がかかる場合があります。",
                           LogColor::Red);
    }
}
