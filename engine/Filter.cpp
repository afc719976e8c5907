// Which listed entries the operations are applied to.
#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "engine/ListingRecord.h"
#include "engine/LogPalette.h"
#include "engine/Switches.h"

namespace {

bool AttributesMatch(DWORD attributes, const AttributeCondition& condition) {
    if (condition.AttribJokn == 0) return condition.AttribFlg == 0 || (attributes & condition.AttribFlg) != 0;
    return (attributes & kJobAttributeMask) == condition.AttribFlg;
}

// The bound is the start (or the last whole second) of a local day, in UTC.
FILETIME DayBound(const CString& date, const char* timeOfDay) { return TextToFileTime(date + timeOfDay, DT_DATE | DT_TIME); }

}  // namespace

int JobEngine::FilterEntry(const EntryPath& path, const WIN32_FIND_DATAW& record) {
    const DWORD a = record.dwFileAttributes;
    const bool isDirectory = IsDirectory(record);
    bool passed = AttributesMatch(a, Job.SearchAttributes);
    if (IsOn(Job.DateStartFlg) && !Job.DateRange.Start.IsEmpty()) {
        const FILETIME oldest = DayBound(Job.DateRange.Start, " 00:00:00");
        if (CompareFileTime(&oldest, &record.ftLastWriteTime) > 0) passed = false;
    }
    if (IsOn(Job.DateEndFlg) && !Job.DateRange.End.IsEmpty()) {
        const FILETIME newest = DayBound(Job.DateRange.End, " 23:59:59");
        if (CompareFileTime(&newest, &record.ftLastWriteTime) < 0) passed = false;
    }
    if (!isDirectory) {
        // The whole size counts: a file of 4 GiB and more must not pass as a small one.
        const unsigned long long size = FileSize(record);
        if (IsOn(Job.SizeStartFlg) && Job.SizeRange.Start > size) passed = false;
        if (IsOn(Job.SizeEndFlg) && Job.SizeRange.End < size) passed = false;
    }

    if (passed && IsOn(Job.SystemFileSkip) && (a & FILE_ATTRIBUTE_SYSTEM) != 0) {
        CString line;
        line.Format("  Skip System %s : %s", isDirectory ? "Dir" : "File",
                    static_cast<const char*>(EntryName(path, record, IsOn(Job.ExecDispSubDir))));
        AppendLog(line, LogColor::Red);
        return 0;
    }
    if (!passed && IsOn(Job.ExecDispSkipped) && IsOn(Job.ExecDispFname)) {
        AppendLog(FormatEntryLine(path, record, STATUS_SKIP), LogColor::Grey);
    }
    return passed ? 1 : 0;
}
