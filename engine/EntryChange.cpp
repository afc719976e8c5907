#include "engine/EntryChange.h"

#include "engine/ListingRecord.h"

namespace {

constexpr DWORD kSettableAttributes = 0x31A7;  // FILE_ATTRIBUTE_VALID_SET_FLAGS

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

bool AttributesDiffer(const EntryPlan& plan, const WIN32_FIND_DATAW& record) {
    return plan.AttributeStep && plan.Attributes != record.dwFileAttributes;
}

// The time stamp, and the attributes along with it when they change.
void WriteTimeStamp(const std::wstring& path, const WIN32_FIND_DATAW& record, const EntryPlan& plan,
                    EntryOutcome& outcome) {
    const HANDLE file = OpenEntryForChange(path.c_str(), IsDirectory(record));
    if (file == INVALID_HANDLE_VALUE) {
        outcome.OpenFailed = true;
        return;
    }
    if (AttributesDiffer(plan, record) && WriteTimeAndAttributes(file, record, plan.NewTime, plan.Attributes)) {
        outcome.TimeChanged = true;
        outcome.AttributesChanged = true;
    } else if (SetFileTime(file, &record.ftCreationTime, &record.ftLastAccessTime, &plan.NewTime)) {
        outcome.TimeChanged = true;
    } else {
        outcome.TimeFailed = true;
    }
    CloseHandle(file);
}

}  // namespace

HANDLE (*OpenEntryForChange)(const wchar_t* path, bool directory) = OpenForAttributes;

bool NeedsFileSystem(const EntryPlan& plan, const WIN32_FIND_DATAW& record) {
    return plan.Time == EntryPlan::TimeStep::Write || AttributesDiffer(plan, record);
}

EntryOutcome CarryOut(const std::wstring& path, const WIN32_FIND_DATAW& record, const EntryPlan& plan) {
    EntryOutcome outcome;
    if (plan.Time == EntryPlan::TimeStep::Write) {
        WriteTimeStamp(path, record, plan, outcome);
    } else if (plan.Time == EntryPlan::TimeStep::NoFileTime) {
        outcome.TimeFailed = true;  // to the system a zero time means "leave it as it is"
    }
    if (AttributesDiffer(plan, record) && !outcome.AttributesChanged) {
        if (SetFileAttributesW(path.c_str(), plan.Attributes)) {
            outcome.AttributesChanged = true;
        } else {
            outcome.AttributesFailed = true;
        }
    }
    return outcome;
}

WIN32_FIND_DATAW PlannedState(const WIN32_FIND_DATAW& record, const EntryPlan& plan) {
    WIN32_FIND_DATAW after = record;
    if (plan.Time == EntryPlan::TimeStep::Write) after.ftLastWriteTime = plan.NewTime;
    if (plan.AttributeStep) after.dwFileAttributes = plan.Attributes;
    return after;
}

void TakeOutcome(WIN32_FIND_DATAW& record, const EntryPlan& plan, const EntryOutcome& outcome) {
    if (outcome.TimeChanged) record.ftLastWriteTime = plan.NewTime;
    if (outcome.AttributesChanged) record.dwFileAttributes = plan.Attributes;
}
