// What a preview logs for an accepted entry: the entries the run would change, as they are now
// and as they will be, by the same plan the run carries out.
#include "engine/FileFinder.h"
#include "engine/JobEngine.h"
#include "engine/LogPalette.h"
#include "engine/ShiftJis.h"

void JobEngine::PreviewEntry(const EntryPath& path, const WIN32_FIND_DATAW& record) {
    ShowStatus(CString("○ ﾌﾟﾚﾋﾞｭｰ中... ") + ShownText(record.cFileName));
    const EntryPlan plan = PlanChange(record);
    const EntryLineOptions options = CurrentLineOptions();
    // The run changes what needs the file system; anything else it reports unchanged.
    if (!NeedsFileSystem(plan, record)) {
        if (options.EntryLines && options.UnchangedLines) {
            AppendLog(FormatEntryLine(path, record, STATUS_NOP, options.BareNames), LogColor::Olive);
        }
        return;
    }
    const WIN32_FIND_DATAW after = PlannedState(record, plan);
    if (options.EntryLines) {
        AppendLog(FormatEntryLine(path, record, STATUS_NOW, options.BareNames), LogColor::Black);
        AppendLog(FormatEntryLine(path, after, STATUS_WILL, options.BareNames), LogColor::Navy);
    }
    ++m_pathChanged;
    if (m_keepPlannedStates) m_plannedStates[path.Real] = {after.dwFileAttributes, after.ftLastWriteTime};
}

void JobEngine::TakePlannedStates(const EntryPath& directory, EntryList& list) const {
    if (m_plannedStates.empty()) return;
    for (const auto& record : list.Records) {
        const auto planned = m_plannedStates.find(JoinPath(directory.Real, record->cFileName));
        if (planned == m_plannedStates.end()) continue;
        record->dwFileAttributes = planned->second.Attributes;
        record->ftLastWriteTime = planned->second.LastWrite;
    }
}

// Names differ only as the file system tells them apart: without regard to letter case.
bool JobEngine::NoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_LESS_THAN;
}
