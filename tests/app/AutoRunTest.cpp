// The switch of the unattended run, the command route, and a whole unattended run of
// Fendrix.exe as a separate process.
#include "app/CommandLineArgs.h"
#include "app/FendrixApp.h"
#include "res/resource.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

AutoRunRequest Read(const char* argument) { return ReadAutoRunSwitch(CommandLineArgs({"Fendrix.exe", argument, "-auto:x"})); }

std::string FileBytes(const CString& path) {
    std::ifstream file(path.Str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

CString BuiltProgram() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    CString path = self;
    path = path.Left(path.ReverseFind('\\'));  // tests\app
    path = path.Left(path.ReverseFind('\\'));  // tests
    path = path.Left(path.ReverseFind('\\'));  // the build folder
    return path + "\\bin\\Fendrix.exe";
}

}  // namespace

TEST(AutoRunSwitch, OnlyADashOrSlashAutoInArgumentOneCounts) {
    EXPECT_TRUE(Read("-auto").AutoRun);
    EXPECT_EQ(Read("-auto").SettingsPath, "");
    EXPECT_TRUE(Read("/AUTO:C:\\jobs\\a.ini").AutoRun);
    EXPECT_EQ(Read("/AUTO:C:\\jobs\\a.ini").SettingsPath, "C:\\jobs\\a.ini");
    EXPECT_EQ(Read("-autorun").SettingsPath, "un");
    EXPECT_EQ(Read("/Auto=表.ini").SettingsPath, "表.ini");
    EXPECT_FALSE(Read("-aut").AutoRun);
    EXPECT_FALSE(Read("auto").AutoRun);
    EXPECT_FALSE(Read("C:\\jobs\\a.ini").AutoRun);
    EXPECT_FALSE(ReadAutoRunSwitch(CommandLineArgs({"Fendrix.exe"})).AutoRun);
}

TEST(CommandRoute, MenuCommandsArriveAsPostedMessages) {
    FendrixApp app;
    CWnd target;
    ASSERT_TRUE(target.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    app.m_pMainWnd = &target;
    EXPECT_TRUE(app.OnCmdMsg(ID_TOOL_EXECUTE, 0));
    EXPECT_FALSE(app.OnCmdMsg(ID_FILE_CLOSE, 0));
    EXPECT_FALSE(app.OnCmdMsg(1022, EN_CHANGE));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, target.m_hWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_POSTED_COMMAND));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(ID_TOOL_EXECUTE));
    EXPECT_FALSE(PeekMessageA(&msg, target.m_hWnd, 0, 0, PM_REMOVE));
    app.m_pMainWnd = nullptr;
}

TEST(UnattendedRun, ChangesTheTreeClosesByItselfAndLeavesTheDefaultFileAlone) {
    TempTree tree;
    tree.MakeDir("表");
    tree.MakeFile("表\\a.txt");
    tree.MakeFile("b.txt");
    tree.MakeFile("c.log");
    const CString settings = tree.Path("job.ini");
    {
        std::ofstream file(settings.Str(), std::ios::binary);
        file << "[Common]\r\nRecursive=1\r\n[SearchPathList]\r\nCount=1\r\nPath0001=" << tree.Root().Str()
             << "\r\n[SearchFileList]\r\nCount=1\r\nFile0001=*.txt\r\n[SetAttributes]\r\nAttribFlg=3\r\nAttribJokn=0\r\n"
                "[SetTimeStanp]\r\nTimeStanpJokn=1\r\nTimeStanpVal=2001/05/06 12:00:00\r\n";
    }
    const CString program = BuiltProgram();
    const CString defaultFile = program.Left(program.ReverseFind('\\')) + "\\Fendrix.ini";
    {
        std::ofstream file(defaultFile.Str(), std::ios::binary);
        file << "[Common]\r\nShowToolBar=0\r\n";
    }
    const std::string defaultBefore = FileBytes(defaultFile);

    CString commandLine = "\"" + program + "\" -auto:" + settings;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.GetBuffer(commandLine.GetLength() + 1), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process));
    commandLine.ReleaseBuffer();
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << "the program did not close by itself";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const DWORD hiddenReadOnly = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    EXPECT_EQ(tree.Attributes("b.txt") & hiddenReadOnly, hiddenReadOnly);
    EXPECT_EQ(tree.Attributes("表\\a.txt") & hiddenReadOnly, hiddenReadOnly);
    EXPECT_EQ(tree.Attributes("c.log") & hiddenReadOnly, 0u);
    // The unattended run never enables the time-stamp switch, which no file stores.
    EXPECT_NE(tree.WriteTimeText("b.txt"), "2001/05/06 12:00:00");
    EXPECT_EQ(FileBytes(defaultFile), defaultBefore);
    DeleteFileA(defaultFile);
}
