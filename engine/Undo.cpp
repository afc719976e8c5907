#include "engine/Undo.h"

#include "engine/DateTime.h"
#include "engine/EntryLine.h"
#include "engine/ListingRecord.h"
#include "engine/LogPalette.h"
#include "engine/MessagePump.h"
#include "engine/Switches.h"
#include "framework/Seams.h"

namespace {

constexpr DWORD kSettableAttributes = 0x31A7;  // FILE_ATTRIBUTE_VALID_SET_FLAGS
// What tells whether an entry is as a journal says: the job's four bits, the kind of entry and
// the last-write time.
constexpr DWORD kComparedAttributes = kJobAttributeMask | FILE_ATTRIBUTE_DIRECTORY;

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

bool IsInState(const WIN32_FIND_DATAW& now, DWORD attributes, const FILETIME& lastWrite) {
    return (now.dwFileAttributes & kComparedAttributes) == (attributes & kComparedAttributes) &&
           SameTime(now.ftLastWriteTime, lastWrite);
}

bool CurrentState(const std::wstring& path, WIN32_FIND_DATAW& now) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    now = WIN32_FIND_DATAW{};
    now.dwFileAttributes = data.dwFileAttributes;
    now.ftCreationTime = data.ftCreationTime;
    now.ftLastAccessTime = data.ftLastAccessTime;
    now.ftLastWriteTime = data.ftLastWriteTime;
    now.nFileSizeHigh = data.nFileSizeHigh;
    now.nFileSizeLow = data.nFileSizeLow;
    return true;
}

LARGE_INTEGER AsLargeInteger(const FILETIME* time) {
    LARGE_INTEGER value{};  // zero: the system leaves that time as it is
    if (time != nullptr) {
        value.LowPart = time->dwLowDateTime;
        value.HighPart = static_cast<LONG>(time->dwHighDateTime);
    }
    return value;
}

bool WriteBasicInfo(HANDLE file, const JournalRecord* times, DWORD attributes) {
    FILE_BASIC_INFO info{};
    if (times != nullptr) {
        info.CreationTime = AsLargeInteger(&times->Creation);
        info.LastAccessTime = AsLargeInteger(&times->LastAccess);
        info.LastWriteTime = AsLargeInteger(&times->LastWrite);
    }
    info.FileAttributes = attributes & kSettableAttributes;
    if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info) != FALSE;
}

// Writes the recorded times and the attributes; returns the failure line's format, or null.
// ReadOnly comes back last, so that no step before it meets a read-only entry (some file
// systems and servers refuse new times to one).
const char* PutBack(const JournalRecord& record, DWORD current, DWORD target) {
    const bool directory = (current & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Attribute access is allowed on ReadOnly entries and on files held open without sharing.
    const HANDLE file = CreateFileW(record.Path.c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    directory ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "  Failed : Undo(file open failed) %s";
    const DWORD first = target & ~(FILE_ATTRIBUTE_READONLY & ~current);
    bool written = WriteBasicInfo(file, &record, first);
    if (written && first != target) written = WriteBasicInfo(file, nullptr, target);
    CloseHandle(file);
    return written ? nullptr : "  Failed : Undo %s";
}

}  // namespace

void JournalUndo::UndoLastRun() { UndoJournal(NewestJournal(m_engine.Journals.Folder)); }

void JournalUndo::UndoJournal(const std::wstring& file) {
    RunState& run = m_engine.Run;
    if (run.Busy != 0) return;  // a second command queued behind the first one
    m_engine.SetRunState(0);
    m_engine.AppendLog("", LogColor::Black);
    run.Failures = 0;

    Journal journal;
    JournalWriter own;
    CString reason;
    if (!Prepare(file, journal, own, reason)) {
        Refuse(reason);
        return;
    }
    m_engine.AppendLog("* * * * * * * * * * 復元開始 * * * * * * * * * *", LogColor::Blue);
    ShowTarget(file, journal);
    Counts counts;
    // Latest first: an entry a run changed twice goes back through both of its states.
    for (auto record = journal.Records.rbegin(); record != journal.Records.rend(); ++record) {
        PumpMessagesIfDue();
        if (run.AbortRequested != 0 || !RestoreEntry(*record, own, counts)) break;
    }
    const bool aborted = run.AbortRequested != 0;
    own.Close();
    ShowSummary(counts, aborted);
    m_engine.SetRunState(1);
    if (aborted) {
        run.Outcome = RunOutcome::Aborted;
    } else {
        run.Outcome = run.Failures != 0 ? RunOutcome::EntriesFailed : RunOutcome::Completed;
    }
}

bool JournalUndo::Prepare(const std::wstring& file, Journal& journal, JournalWriter& own, CString& reason) {
    if (file.empty()) {
        reason = "元に戻せる処理がありません。";
        return false;
    }
    return ReadJournal(file, journal, reason) && own.Open(m_engine.Journals, JournalKind::Undo, reason);
}

void JournalUndo::Refuse(const CString& reason) {
    m_engine.AppendLog("*** " + reason, LogColor::Red);
    seams::PlayBeep(MB_ICONASTERISK);
    m_engine.SetRunState(1);
    m_engine.Run.Outcome = RunOutcome::Refused;
}

void JournalUndo::ShowTarget(const std::wstring& file, const Journal& journal) {
    CString line;
    line.Format("復元対象 : %s (%s %s)", static_cast<const char*>(ShownPath(file)),
                static_cast<const char*>(FormatFileTime(&journal.Started, DT_DATE | DT_TIME)),
                journal.Kind == JournalKind::Undo ? "復元" : "実行");
    m_engine.AppendLog(line, LogColor::Green);
}

bool JournalUndo::RestoreEntry(const JournalRecord& record, JournalWriter& own, Counts& counts) {
    const CString name = ShownPath(record.Path);
    m_engine.ShowStatus("○ 復元中... " + name);
    const JobSettings& job = m_engine.Job;
    WIN32_FIND_DATAW now{};
    if (!CurrentState(record.Path, now)) {
        ReportFailure("  Failed : Undo(file not found) %s", name);
        return true;
    }
    if (IsInState(now, record.Attributes, record.LastWrite)) {
        if (IsOn(job.ExecDispFname) && IsOn(job.ExecDispNopFname)) {
            m_engine.AppendLog(EntryLineText(STATUS_NOP, now, name), LogColor::Olive);
        }
        return true;
    }
    if (!IsInState(now, record.AttributesAfter, record.LastWriteAfter)) {
        ReportFailure("  Left : Changed Since The Run %s", name);
        ++counts.Left;
        return true;
    }
    const DWORD target = (now.dwFileAttributes & ~kJobAttributeMask) | (record.Attributes & kJobAttributeMask);
    if (!own.Append(RecordBeforeChange(record.Path, now, target, record.LastWrite))) {
        ReportFailure("*** ｼﾞｬｰﾅﾙに書き込めないため、復元を中止しました。( %s )", ShownPath(own.Path()));
        return false;
    }
    if (const char* failure = PutBack(record, now.dwFileAttributes, target)) {
        ReportFailure(failure, name);
        return true;
    }
    now.dwFileAttributes = target;
    now.ftLastWriteTime = record.LastWrite;
    if (IsOn(job.ExecDispFname)) m_engine.AppendLog(EntryLineText(STATUS_DONE, now, name), LogColor::Navy);
    ++counts.Restored;
    return true;
}

void JournalUndo::ReportFailure(const char* format, const CString& name) {
    CString line;
    line.Format(format, static_cast<const char*>(name));
    m_engine.AppendLog(line, LogColor::Red);
    ++m_engine.Run.Failures;
}

void JournalUndo::ShowSummary(const Counts& counts, bool aborted) {
    if (aborted) m_engine.AppendLog("\r\n※ 復元は中止されました。\r\n", LogColor::Magenta);
    m_engine.AppendLog("------------------------------------------------", LogColor::Black);
    CString line;
    line.Format("復元総数 : %d 件%s", counts.Restored, counts.Left == 0 ? "\r\n" : "");
    m_engine.AppendLog(line, LogColor::Green);
    if (counts.Left != 0) {
        line.Format("未復元数 : %d 件 (処理後に変更されたﾌｧｲﾙ)\r\n", counts.Left);
        m_engine.AppendLog(line, LogColor::Red);
    }
    m_engine.AppendLog("* * * * * * * * * * 復元終了 * * * * * * * * * *", LogColor::Blue);
}
