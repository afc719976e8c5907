// The real main dialog, created modeless over a settings file of a temporary folder and driven
// with real messages; message boxes, beeps and the file dialog scripted and recorded.
#pragma once

#include "engine/ShiftJis.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "support/TempTree.h"
#include "ui/MainDialog.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// A seam holding a scripted function for the life of the object.
template <typename T>
struct Scripted {
    template <typename F>
    Scripted(T& seam, F script) : Seam(seam), Saved(seam) { seam = script; }
    ~Scripted() { Seam = Saved; }
    T& Seam;
    const T Saved;
};

struct BoxCall {
    HWND Owner;
    std::string Text, Title;
    UINT Type;
};

// What the file dialog was asked, in Shift-JIS, with its filter's NULs shown as '|'.
struct FileDialogCall {
    bool Save;
    std::string Title, Filter, DefaultExtension, InitialFile;
    DWORD Flags;
};

class MainDialogTest : public ::testing::Test {
protected:
    // Message boxes answer from Answers first, then with Answer. The file dialog answers with
    // Chosen (a real UTF-16 name), or cancels when it is empty.
    static inline std::vector<BoxCall> Boxes;
    static inline std::deque<int> Answers;
    static inline int Answer = IDOK;
    static inline std::vector<UINT> Beeps;
    static inline std::vector<FileDialogCall> FileDialogs;
    static inline std::wstring Chosen;

    void SetUp() override {
        Boxes.clear();
        Answers.clear();
        Answer = IDOK;
        Beeps.clear();
        FileDialogs.clear();
        Chosen.clear();
        DeleteFileA(SettingsStore::DefaultFile());
        Open();
    }
    void TearDown() override {
        if (dialog) dialog->Engine.Run.Busy = 0;
        dialog.reset();
        Pump();
        DeleteFileA(SettingsStore::DefaultFile());
    }

    void WriteSettings(const CString& file, const std::string& text) const {
        std::ofstream(file.Str(), std::ios::binary) << text;
    }
    std::string ReadFile(const CString& file) const {
        std::ifstream in(file.Str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The value as the platform reads it, or "<missing>".
    static std::string Profile(const char* section, const char* key, const char* file) {
        char value[1024];
        return std::string(value, GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file));
    }

    // commonKeys: more lines of [Common], each ending in CR LF.
    void Open(const std::string& commonKeys = "") {
        WriteSettings(settingsFile,
                      "[Common]\r\nShowToolBar=1\r\nShowStatusBar=1\r\nRecursive=1\r\n" + commonKeys +
                          "[SearchPathList]\r\nCount=1\r\nPath0001=C:\\nowhere\r\n[SearchFileList]\r\nCount=1\r\n"
                          "File0001=*.txt\r\n[SetAttributes]\r\nAttribFlg=2\r\nAttribJokn=0\r\n");
        dialog = std::make_unique<MainDialog>();
        dialog->StartupSettingsPath = settingsFile;
        ASSERT_TRUE(dialog->Create(IDD_MAIN));
        dialog->ShowWindow(SW_SHOW);
        Pump();
    }
    static void Pump() {
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) TranslateMessage(&msg), DispatchMessageA(&msg);
    }
    // Dispatches what waits as the program's modal loop does: the windows under the dialog see
    // each message first (keys, hover help).
    void PumpAsModalLoop() const {
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
            if (!WalkPreTranslateTree(dialog->m_hWnd, &msg)) TranslateMessage(&msg), DispatchMessageA(&msg);
        }
    }
    // Lets the status bar's message pane take the latest text, which waits out its interval.
    static void WaitForStatus() {
        Sleep(PaintThrottle::kInterval + 30);
        Pump();
    }
    // Sends a command the way the menu does and lets it arrive.
    void Command(UINT id) {
        dialog->PostMessage(WM_POSTED_COMMAND, id, 0);
        Pump();
    }
    HWND Item(int id) const { return GetDlgItem(dialog->m_hWnd, id); }
    void Click(int id) const { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    RECT ItemRect(int id) const {
        RECT rect;
        GetWindowRect(Item(id), &rect);
        MapWindowPoints(nullptr, dialog->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return IsDlgButtonChecked(dialog->m_hWnd, id) == BST_CHECKED; }
    UINT MenuState(UINT id) const { return GetMenuState(GetMenu(dialog->m_hWnd), id, MF_BYCOMMAND); }
    std::string LogText() const { return WindowTextOf(Item(IDC_LOG)).Str(); }

    Scripted<decltype(seams::PlayBeep)> beep{seams::PlayBeep, [](UINT type) { Beeps.push_back(type); }};
    Scripted<decltype(seams::ShowMessageBox)> box{
        seams::ShowMessageBox, [](HWND owner, const char* text, const char* title, UINT type) {
            Boxes.push_back({owner, text, title, type});
            if (Answers.empty()) return Answer;
            const int answer = Answers.front();
            Answers.pop_front();
            return answer;
        }};
    // Records what the file dialog was asked and answers with Chosen.
    static BOOL AnswerFileDialog(OPENFILENAMEW* request, bool save) {
        auto text = [](const wchar_t* wide) { return wide != nullptr ? ShownText(wide).Str() : std::string(); };
        std::string filter;
        for (const wchar_t* at = request->lpstrFilter; at != nullptr && *at != L'\0'; at += lstrlenW(at) + 1) {
            filter += text(at) + "|";
        }
        FileDialogs.push_back({save, text(request->lpstrTitle), filter, text(request->lpstrDefExt),
                               text(request->lpstrFile), request->Flags});
        if (Chosen.empty() || Chosen.size() >= request->nMaxFile) return FALSE;
        lstrcpynW(request->lpstrFile, Chosen.c_str(), static_cast<int>(request->nMaxFile));
        return TRUE;
    }
    Scripted<decltype(seams::GetFileName)> fileDialog{seams::GetFileName, AnswerFileDialog};
    TempTree tree;
    const CString settingsFile = tree.Path("job.ini");
    std::unique_ptr<MainDialog> dialog;
};
