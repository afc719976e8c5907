// The per-entry line of a run or an undo: status, attribute letters, time stamp, size and name.
#include "engine/EntryLine.h"

#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "engine/ListingRecord.h"
#include "engine/ShiftJis.h"
#include "engine/Switches.h"

namespace {

const char* const kStatusWords[] = {"done", "skip", " nop", " now", "will"};

char Letter(DWORD attributes, DWORD bit, char letter) { return (attributes & bit) != 0 ? letter : '-'; }

}  // namespace

CString JobEngine::EntryName(const EntryPath& path, const WIN32_FIND_DATAW& record, bool bareNames) {
    return bareNames ? ShownText(record.cFileName) : path.Shown;
}

CString JobEngine::FormatEntryLine(const EntryPath& path, const WIN32_FIND_DATAW& record, int status) const {
    return FormatEntryLine(path, record, status, IsOn(Job.ExecDispSubDir));
}

CString JobEngine::FormatEntryLine(const EntryPath& path, const WIN32_FIND_DATAW& record, int status,
                                   bool bareNames) const {
    return EntryLineText(status, record, EntryName(path, record, bareNames));
}

CString EntryLineText(int status, const WIN32_FIND_DATAW& record, const char* name) {
    const DWORD a = record.dwFileAttributes;
    CString size;
    if (IsDirectory(record)) {
        size = "  < Dir > ";
    } else {
        size.Format("%10llu", FileSize(record));  // files of 4 GiB and more show their whole size
    }
    CString line;
    line.Format("    %s : %c%c%c%c%c %s %s %s", kStatusWords[status], Letter(a, FILE_ATTRIBUTE_DIRECTORY, 'd'),
                Letter(a, FILE_ATTRIBUTE_ARCHIVE, 'a'), Letter(a, FILE_ATTRIBUTE_READONLY, 'r'),
                Letter(a, FILE_ATTRIBUTE_HIDDEN, 'h'), Letter(a, FILE_ATTRIBUTE_SYSTEM, 's'),
                static_cast<const char*>(FormatFileTime(&record.ftLastWriteTime, DT_DATE | DT_TIME)),
                static_cast<const char*>(size), name);
    return line;
}
