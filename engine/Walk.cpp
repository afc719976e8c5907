// The depth-first visit of one directory: subdirectories first, then every listed entry.
#include "engine/FileFinder.h"
#include "engine/JobEngine.h"
#include "engine/ListingRecord.h"
#include "engine/LogPalette.h"
#include "engine/MessagePump.h"
#include "engine/Switches.h"
#include "engine/TokenList.h"

namespace {

const char* SortWaitText(int count) {
    if (count < 100) return "";
    if (count < 500) return "少々お待ちください。(^_^;)";
    return "だいぶお待ちください。m(_ _)m";
}

CString DirectoryText(const char* format, const CString& directory, const CString& patterns) {
    CString text;
    text.Format(format, static_cast<const char*>(directory), static_cast<const char*>(patterns));
    return text;
}

}  // namespace

void JobEngine::WalkDirectory(const EntryPath& directory) {
    ShowStatus(DirectoryText("○ 検索中... : %s (%s)", directory.Shown, Job.SearchFile));
    EntryList list;
    FindEntries(directory.Real, Job.SearchFile, &list, FF_RECORDS | FF_SUBDIRS | FF_SEP_SEMICOLON, 1);
    if (m_keepPlannedStates) TakePlannedStates(directory, list);
    ShowStatus(DirectoryText("○ 検索中...完了 : %s (%s)", directory.Shown, Job.SearchFile));
    if (list.IsEmpty()) return;
    if (IsOn(Job.ExecDispSubDir)) {
        AppendLog(DirectoryText(" ﾃﾞｨﾚｸﾄﾘ : %s (%s)", directory.Shown, Job.SearchFile), LogColor::Black);
    }
    if (IsOn(Job.SortFile)) SortWithStatus(list);

    // Pass 0 descends into the subdirectories (listed first); pass 1 processes every entry,
    // so a directory's subtree is finished before the directory itself is changed.
    for (int pass = 0; pass < 2; ++pass) {
        PumpMessages();
        if (Run.AbortRequested != 0) break;
        for (const auto& record : list.Records) {
            PumpMessagesIfDue();
            if (pass == 1 && !m_previewing) MakeRoomForEntry();
            if (Run.AbortRequested != 0) break;
            if (pass == 0) {
                if (!IsDirectory(*record)) break;
                if (IsOn(Job.Recursive)) VisitSubdirectory(directory, *record);
                continue;
            }
            const EntryPath path = JoinPath(directory, record->cFileName);
            if (FilterEntry(path, *record) != 1) continue;
            if (m_previewing) {
                PreviewEntry(path, *record);
            } else {
                HandOut(path, *record);
            }
        }
    }
}

void JobEngine::VisitSubdirectory(const EntryPath& directory, const WIN32_FIND_DATAW& record) {
    const EntryPath path = JoinPath(directory, record.cFileName);
    if (IsOn(Job.SystemFileSkip) && (record.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0) {
        CString line;
        line.Format("  Do'nt Recursive System Dir : %s", static_cast<const char*>(path.Shown));
        AppendLog(line, LogColor::Red);
        return;
    }
    WalkDirectory(path);
}

void JobEngine::SortWithStatus(EntryList& list) {
    CString text;
    text.Format("○ ｿｰﾄ中...%s", SortWaitText(list.GetCount()));
    ShowStatus(text);
    SortEntryList(list, FF_RECORDS | FF_SORT_ASC, 1);
    ShowStatus("○ ｿｰﾄ中...完了");
}
