#include "support/TempTree.h"

#include "engine/DateTime.h"
#include "engine/EntryPath.h"
#include "engine/ShiftJis.h"
#include "engine/TokenList.h"

#include <gtest/gtest.h>

namespace {

// Backup semantics let the handle reach directories as well as files.
HANDLE OpenForTimes(const std::wstring& path, DWORD access) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Deletes a directory tree by the entries' real names, lifting ReadOnly where it stands in the way.
void RemoveTree(const std::wstring& directory) {
    WIN32_FIND_DATAW record;
    const HANDLE search = FindFirstFileW(JoinPath(directory, L"*").c_str(), &record);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = record.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = JoinPath(directory, name);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &record));
        FindClose(search);
    }
    SetFileAttributesW(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(directory.c_str());
}

}  // namespace

std::wstring Wide(const char* text) {
    std::wstring wide;
    EXPECT_TRUE(ToUtf16(text, wide)) << text;
    return wide;
}

TempTree::TempTree() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int serial = 0;
    CString name;
    name.Format("fendrix-test-%lu-%d", GetCurrentProcessId(), ++serial);
    m_root = JoinPath(base, name);
    RemoveTree(RealPath(L""));
    EXPECT_TRUE(CreateDirectoryA(m_root, nullptr)) << m_root;
}

TempTree::~TempTree() { RemoveTree(RealPath(L"")); }

CString TempTree::Path(const char* relative) const { return JoinPath(m_root, relative); }

std::wstring TempTree::RealPath(const std::wstring& relative) const {
    return JoinPath(L"\\\\?\\" + Wide(m_root), relative);
}

void TempTree::MakeDir(const std::wstring& relative) {
    EXPECT_TRUE(CreateDirectoryW(RealPath(relative).c_str(), nullptr)) << ShownText(relative);
}

void TempTree::MakeFile(const std::wstring& relative, DWORD size) {
    const HANDLE file = CreateFileW(RealPath(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << ShownText(relative);
    SetFilePointer(file, static_cast<LONG>(size), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

void TempTree::SetAttributes(const std::wstring& relative, DWORD attributes) {
    EXPECT_TRUE(SetFileAttributesW(RealPath(relative).c_str(), attributes)) << ShownText(relative);
}

DWORD TempTree::Attributes(const std::wstring& relative) const {
    return GetFileAttributesW(RealPath(relative).c_str());
}

void TempTree::SetWriteTime(const std::wstring& relative, const char* localTime) {
    const FILETIME time = TextToFileTime(localTime, DT_DATE | DT_TIME);
    const HANDLE file = OpenForTimes(RealPath(relative), GENERIC_WRITE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time)) << ShownText(relative);
    CloseHandle(file);
}

CString TempTree::WriteTimeText(const std::wstring& relative) const {
    FILETIME time{};
    const HANDLE file = OpenForTimes(RealPath(relative), GENERIC_READ);
    EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &time)) << ShownText(relative);
    CloseHandle(file);
    return FormatFileTime(&time, DT_DATE | DT_TIME);
}
