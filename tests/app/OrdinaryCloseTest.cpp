// Fendrix.exe as a separate process, closed by its window's close request as the user would:
// the default settings file is the one beside the program, whatever the program was started as.
#include "ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

bool SpelledExactly(const std::wstring& wide) {
    char text[MAX_PATH * 2];
    BOOL substituted = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, text, sizeof text, nullptr, &substituted);
    return substituted == FALSE;
}

// The process's visible top-level window of the title, if it shows one.
HWND WindowOf(DWORD process, const char* title) {
    for (HWND window = FindWindowA(nullptr, title); window != nullptr;
         window = FindWindowExA(nullptr, window, nullptr, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Starts the program by the command line from the folder, closes its window once it shows and
// answers Yes to a question on the way; true when it ended by itself then. `asked` tells
// whether a question came.
bool StartAndClose(const std::wstring& program, const std::wstring& commandLine, const std::wstring& folder,
                   bool& asked) {
    asked = false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return false;
    }
    bool closed = false;
    for (int waited = 0; waited < 600 && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT; ++waited) {
        if (HWND question = WindowOf(process.dwProcessId, "Fendrix:Warning")) {
            asked = true;
            PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        } else if (HWND main = WindowOf(process.dwProcessId, "Solvik:Quorlane"); main != nullptr && !closed) {
            closed = PostMessageA(main, WM_CLOSE, 0, 0) != FALSE;
        }
    }
    const bool ended = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

const char* const kJob = "[Common]\r\nShowToolBar=0\r\n[SearchPathList]\r\nCount=1\r\nPath0001=C:\\kept\r\n";

}  // namespace

// Started by a bare name from another folder, in a folder whose name the code page cannot spell,
// beside a folder of its look-alike name: neither the name nor the current directory tells
// where the program lies. It keeps its settings in its own folder, reached by the folder's
// short name, or says that it cannot; it never writes into the look-alike.
TEST(OrdinaryClose, SavesTheJobBesideTheProgramAndNeverInTheLookAlikeOfItsFolder) {
    TempTree tree;
    const std::wstring root = Wide(tree.Root());
    const std::wstring own = root + L"\\caf\u00e9";
    const std::wstring lookAlike = root + L"\\cafe";
    ASSERT_TRUE(CreateDirectoryW(own.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(lookAlike.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((BinFolder() + L"\\Fendrix.exe").c_str(), (own + L"\\Fendrix.exe").c_str(), FALSE));
    WriteBytes(own + L"\\Fendrix.ini", kJob);
    WriteBytes(lookAlike + L"\\Fendrix.ini", "[Common]\r\nShowToolBar=1\r\n");

    bool asked = false;
    EXPECT_TRUE(StartAndClose(own + L"\\Fendrix.exe", L"Fendrix", root, asked));
    EXPECT_EQ(FileBytes(lookAlike + L"\\Fendrix.ini"), "[Common]\r\nShowToolBar=1\r\n");
    EXPECT_EQ(GetFileAttributesW((root + L"\\Fendrix.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    wchar_t shortName[MAX_PATH];
    const bool spelledByShortName =
        GetShortPathNameW(own.c_str(), shortName, MAX_PATH) != 0 && SpelledExactly(shortName);
    const std::string saved = FileBytes(own + L"\\Fendrix.ini");
    if (spelledByShortName) {
        EXPECT_FALSE(asked);
        EXPECT_NE(saved.find("Version=1, 0, 1, 1\r\n"), std::string::npos) << saved;
        EXPECT_NE(saved.find("Path0001=C:\\kept\r\n"), std::string::npos) << saved;
    } else {
        EXPECT_TRUE(asked);  // the settings file could not be saved; closed without saving
        EXPECT_EQ(saved, kJob);
    }
}
