#include "support/TempTree.h"

#include "engine/DateTime.h"
#include "engine/TokenList.h"

#include <gtest/gtest.h>

namespace {

// Backup semantics let the handle reach directories as well as files.
HANDLE OpenForTimes(const CString& path, DWORD access) {
    return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Deletes a directory tree, lifting ReadOnly where it stands in the way.
void RemoveTree(const CString& directory) {
    WIN32_FIND_DATAA record;
    const HANDLE search = FindFirstFileA(JoinPath(directory, "*"), &record);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const CString name = record.cFileName;
            if (name == "." || name == "..") continue;
            const CString path = JoinPath(directory, name);
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
            if ((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(path);
            } else {
                DeleteFileA(path);
            }
        } while (FindNextFileA(search, &record));
        FindClose(search);
    }
    SetFileAttributesA(directory, FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(directory);
}

}  // namespace

TempTree::TempTree() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int serial = 0;
    CString name;
    name.Format("fendrix-test-%lu-%d", GetCurrentProcessId(), ++serial);
    m_root = JoinPath(base, name);
    RemoveTree(m_root);
    EXPECT_TRUE(CreateDirectoryA(m_root, nullptr)) << m_root;
}

TempTree::~TempTree() { RemoveTree(m_root); }

CString TempTree::Path(const char* relative) const { return JoinPath(m_root, relative); }

CString TempTree::MakeDir(const char* relative) {
    const CString path = Path(relative);
    EXPECT_TRUE(CreateDirectoryA(path, nullptr)) << path;
    return path;
}

CString TempTree::MakeFile(const char* relative, DWORD size) {
    const CString path = Path(relative);
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    SetFilePointer(file, static_cast<LONG>(size), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return path;
}

void TempTree::SetAttributes(const char* relative, DWORD attributes) {
    EXPECT_TRUE(SetFileAttributesA(Path(relative), attributes)) << relative;
}

DWORD TempTree::Attributes(const char* relative) const { return GetFileAttributesA(Path(relative)); }

void TempTree::SetWriteTime(const char* relative, const char* localTime) {
    const FILETIME time = TextToFileTime(localTime, DT_DATE | DT_TIME);
    const HANDLE file = OpenForTimes(Path(relative), GENERIC_WRITE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time)) << relative;
    CloseHandle(file);
}

CString TempTree::WriteTimeText(const char* relative) const {
    FILETIME time{};
    const HANDLE file = OpenForTimes(Path(relative), GENERIC_READ);
    EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &time)) << relative;
    CloseHandle(file);
    return FormatFileTime(&time, DT_DATE | DT_TIME);
}
