// The changes made to one accepted entry: its last-write time, then its attributes.
#include "engine/DateTime.h"
#include "engine/JobEngine.h"
#include "engine/ListingRecord.h"
#include "engine/LogPalette.h"
#include "engine/ShiftJis.h"
#include "engine/Switches.h"

namespace {

constexpr DWORD kSettableAttributes = 0x31A7;  // FILE_ATTRIBUTE_VALID_SET_FLAGS

DWORD AttributesAfter(DWORD word, DWORD mask, int mode) { return mode == 0 ? word | mask : word & ~mask; }

// Attribute access is all that times and attributes need: unlike data access it is allowed on
// ReadOnly files and on files that other programs hold open without sharing.
HANDLE OpenForAttributes(const wchar_t* path, bool directory) {
    return CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, directory ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr);
}

LARGE_INTEGER AsLargeInteger(const FILETIME& time) {
    LARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = static_cast<LONG>(time.dwHighDateTime);
    return value;
}

// One write for both changes of an entry; creation and access times are written back as listed.
bool WriteTimeAndAttributes(HANDLE file, const WIN32_FIND_DATAW& record, const FILETIME& lastWrite,
                            DWORD attributes) {
    FILE_BASIC_INFO info{};
    info.CreationTime = AsLargeInteger(record.ftCreationTime);
    info.LastAccessTime = AsLargeInteger(record.ftLastAccessTime);
    info.LastWriteTime = AsLargeInteger(lastWrite);
    info.FileAttributes = attributes & kSettableAttributes;
    if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info) != FALSE;
}

}  // namespace

int ChangeAttributes(const wchar_t* path, DWORD& word, DWORD mask, int mode) {
    const DWORD changed = AttributesAfter(word, mask, mode);
    if (changed == word) return 1;
    if (!SetFileAttributesW(path, changed)) return 0;
    word = changed;
    return 1;
}

int JobEngine::ApplyOperations(const EntryPath& path, WIN32_FIND_DATAW& record) {
    ShowStatus(CString("○ 処理中... ") + ShownText(record.cFileName));

    int failures = 0;
    int changed = 0;
    bool attributesPending = Job.SetAttributes.AttribFlg != 0;
    if (IsOn(Job.TimeStanpFlg) && TimeStampAvailable()) {
        changed += ChangeTimeStamp(path, record, attributesPending, failures);
    }
    if (attributesPending) changed += ChangeEntryAttributes(path, record, failures);

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

int JobEngine::ChangeTimeStamp(const EntryPath& path, WIN32_FIND_DATAW& record, bool& attributesPending,
                               int& failures) {
    const FILETIME newTime = NewTimeStamp();
    if (newTime.dwLowDateTime == 0 && newTime.dwHighDateTime == 0) {
        // To the system a zero time means "leave it as it is": nothing would change.
        ReportFailure("  Failed : Change TimeStanp %s", EntryName(path, record));
        ++failures;
        return 0;
    }
    const HANDLE file = OpenForAttributes(path.Real.c_str(), IsDirectory(record));
    if (file == INVALID_HANDLE_VALUE) {
        ReportFailure("  Failed : Change TimeStanp(file open failed) %s", EntryName(path, record));
        ++failures;
        return 0;
    }
    const DWORD wanted =
        AttributesAfter(record.dwFileAttributes, Job.SetAttributes.AttribFlg, Job.SetAttributes.AttribJokn);
    int changed = 0;
    if (attributesPending && wanted != record.dwFileAttributes && WriteTimeAndAttributes(file, record, newTime, wanted)) {
        record.ftLastWriteTime = newTime;
        record.dwFileAttributes = wanted;
        attributesPending = false;
        changed = 2;
    } else if (SetFileTime(file, &record.ftCreationTime, &record.ftLastAccessTime, &newTime)) {
        record.ftLastWriteTime = newTime;
        changed = 1;
    } else {
        ReportFailure("  Failed : Change TimeStanp %s", EntryName(path, record));
        ++failures;
    }
    CloseHandle(file);
    return changed;
}

FILETIME JobEngine::NewTimeStamp() {
    if (Job.SetTimeStanp.TimeStanpJokn != 0) {
        // The text is the same for every entry of a run; it is parsed when it changes.
        if (m_parsedStamp.Text != Job.SetTimeStanp.TimeStanpVal) {
            m_parsedStamp = {Job.SetTimeStanp.TimeStanpVal, TextToFileTime(Job.SetTimeStanp.TimeStanpVal, DT_DATE | DT_TIME)};
        }
        return m_parsedStamp.Time;
    }
    if (IsOn(Job.SystemClockReadMode)) Run.ClockValue = CTime::GetCurrentTime();
    return ClockToFileTime(Run.ClockValue, DT_DATE | DT_TIME);
}

int JobEngine::ChangeEntryAttributes(const EntryPath& path, WIN32_FIND_DATAW& record, int& failures) {
    DWORD word = record.dwFileAttributes;
    if (!ChangeAttributes(path.Real.c_str(), word, Job.SetAttributes.AttribFlg, Job.SetAttributes.AttribJokn)) {
        ReportFailure("  Failed : Change Attributes %s", EntryName(path, record));
        ++failures;
        return 0;
    }
    if (word == record.dwFileAttributes) return 0;
    record.dwFileAttributes = word;
    return 1;
}
