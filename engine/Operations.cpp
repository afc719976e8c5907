// The changes made to one accepted entry: its last-write time, then its attributes.
#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "engine/ListingRecord.h"
#include "engine/LogPalette.h"
#include "engine/Switches.h"

int ChangeAttributes(const char* path, DWORD& word, DWORD mask, int mode) {
    DWORD changed;
    if (mode == 0) {
        if ((word & mask) == mask) return 1;
        changed = word | mask;
    } else {
        if ((word & mask) == 0) return 1;
        changed = word & ~mask;
    }
    if (!SetFileAttributesA(path, changed)) return 0;
    word = changed;
    return 1;
}

int JobEngine::ApplyOperations(const CString& path, WIN32_FIND_DATAA& record) {
    CString progress;
    progress.Format("○ 処理中... %s", record.cFileName);
    ShowStatus(progress);

    int failures = 0;
    int changed = 0;
    if (IsOn(Job.TimeStanpFlg) && TimeStampAvailable()) changed += ChangeTimeStamp(path, record, failures);
    if (Job.SetAttributes.AttribFlg != 0) changed += ChangeEntryAttributes(path, record, failures);

    const bool showLine = (failures == 0 || changed != 0) && IsOn(Job.ExecDispFname) &&
                          (changed != 0 || IsOn(Job.ExecDispNopFname));
    if (showLine) {
        if (changed != 0) {
            AppendLog(FormatEntryLine(path, record, STATUS_DONE), LogColor::Navy);
        } else {
            AppendLog(FormatEntryLine(path, record, STATUS_NOP), LogColor::Olive);
        }
    }
    return changed != 0 ? 1 : 0;
}

bool JobEngine::TimeStampAvailable() const {
    const TimeStampSetting& setting = Job.SetTimeStanp;
    return setting.TimeStanpJokn == 0 || (setting.TimeStanpJokn == 1 && !setting.TimeStanpVal.IsEmpty());
}

int JobEngine::ChangeTimeStamp(const CString& path, WIN32_FIND_DATAA& record, int& failures) {
    DWORD word = record.dwFileAttributes;
    const bool readOnly = (word & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) ChangeAttributes(path, word, FILE_ATTRIBUTE_READONLY, 1);

    // Directories open only with backup semantics; their last-write time is set like a file's.
    const DWORD flags = IsDirectory(record) ? word | FILE_FLAG_BACKUP_SEMANTICS : word;
    int changed = 0;
    const HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ReportFailure("  Failed : Change TimeStanp(file open failed) %s", path, record);
        ++failures;
    } else {
        const FILETIME newTime = NewTimeStamp();
        if (SetFileTime(file, &record.ftCreationTime, &record.ftLastAccessTime, &newTime)) {
            record.ftLastWriteTime = newTime;
            changed = 1;
        } else {
            ReportFailure("  Failed : Change TimeStanp %s", path, record);
            ++failures;
        }
        CloseHandle(file);
    }

    if (readOnly) ChangeAttributes(path, word, FILE_ATTRIBUTE_READONLY, 0);
    return changed;
}

FILETIME JobEngine::NewTimeStamp() {
    if (Job.SetTimeStanp.TimeStanpJokn != 0) return TextToFileTime(Job.SetTimeStanp.TimeStanpVal, DT_DATE | DT_TIME);
    if (IsOn(Job.SystemClockReadMode)) Run.ClockValue = CTime::GetCurrentTime();
    return ClockToFileTime(Run.ClockValue, DT_DATE | DT_TIME);
}

int JobEngine::ChangeEntryAttributes(const CString& path, WIN32_FIND_DATAA& record, int& failures) {
    DWORD word = record.dwFileAttributes;
    if (!ChangeAttributes(path, word, Job.SetAttributes.AttribFlg, Job.SetAttributes.AttribJokn)) {
        ReportFailure("  Failed : Change Attributes %s", path, record);
        ++failures;
        return 0;
    }
    if (word == record.dwFileAttributes) return 0;
    record.dwFileAttributes = word;
    return 1;
}

void JobEngine::ReportFailure(const char* format, const CString& path, const WIN32_FIND_DATAA& record) {
    CString line;
    line.Format(format, static_cast<const char*>(EntryName(path, record)));
    AppendLog(line, LogColor::Red);
}
