// The undo journal: one text file per run that changes entries, holding each entry's state
// before the change and what the run writes, so that the run can be taken back. The format
// is described in the README ("Undo journal").
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>
#include <vector>

// Where journals are kept and how many; the window layer sets both.
struct JournalPlace {
    std::wstring Folder;  // "journal" beside the default settings file
    int Keep = 20;        // the newest journals kept; less than 1 counts as 1
};

enum class JournalKind { Run, Undo };

// One entry, written before it is changed.
struct JournalRecord {
    std::wstring Path;  // the real UTF-16 path, in the extended form the walk uses
    DWORD Attributes = 0;
    FILETIME Creation{};
    FILETIME LastAccess{};
    FILETIME LastWrite{};
    DWORD AttributesAfter = 0;  // what the change writes
    FILETIME LastWriteAfter{};
};

// The record of a listed entry whose change will leave it with these attributes and this
// last-write time.
JournalRecord RecordBeforeChange(const std::wstring& path, const WIN32_FIND_DATAW& listed, DWORD attributesAfter,
                                 const FILETIME& lastWriteAfter);

// Writes one journal. Every record reaches the file with its own WriteFile the moment it is
// appended, so a crash of the program loses none; the file is flushed to disk after its header,
// then at most once a second, and when it is closed.
class JournalWriter {
public:
    JournalWriter() = default;
    ~JournalWriter() { Close(); }
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // Creates the folder when it is missing and a new journal in it, named by the start time.
    // False, with the reason as a line of the log shows it, when either cannot be written.
    bool Open(const JournalPlace& place, JournalKind kind, CString& reason);
    // False when the record could not be written whole: the entry must then stay unchanged.
    bool Append(const JournalRecord& record);
    // Flushes and closes. A journal without records is deleted; after one with records only
    // the newest journals of the folder are kept.
    void Close();

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    const std::wstring& Path() const { return m_path; }
    int RecordCount() const { return m_records; }

private:
    bool WriteLine(const std::string& line);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::wstring m_path;
    JournalPlace m_place;
    int m_records = 0;
    ULONGLONG m_lastFlush = 0;
};

struct Journal {
    JournalKind Kind = JournalKind::Run;
    FILETIME Started{};
    std::vector<JournalRecord> Records;  // in the order they were written
};

// Reads a journal whole. A last line without its line end is a write cut short by a crash: it
// counts when it is a whole record and is left out otherwise. False, with the reason as a line
// of the log shows it, when the file cannot be read, is no journal, or any other line is damaged.
bool ReadJournal(const std::wstring& file, Journal& journal, CString& reason);

// The journals of the folder, oldest first (their names sort by start time).
std::vector<std::wstring> JournalFiles(const std::wstring& folder);
// The newest journal of the folder, or an empty text when it holds none.
std::wstring NewestJournal(const std::wstring& folder);

// Writes bytes of a journal whole; false when the file did not take all of them. The tests put a
// full disk in front of it.
extern bool (*WriteJournalBytes)(HANDLE file, const std::string& bytes);
