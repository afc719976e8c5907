#include "MainDialogFixture.h"

#include <fstream>

std::vector<MessageBoxCall> MainDialogTest::boxes;
std::vector<UINT> MainDialogTest::beeps;
int MainDialogTest::answer = IDOK;

void MainDialogTest::SetUp() {
    boxes.clear();
    beeps.clear();
    answer = IDOK;
    m_previousBeep = seams::PlayBeep;
    m_previousBox = seams::ShowMessageBox;
    seams::PlayBeep = [](UINT type) { beeps.push_back(type); };
    seams::ShowMessageBox = [](HWND, const char* text, const char* title, UINT type) {
        boxes.push_back({text, title, type});
        return answer;
    };
    settingsFile = tree.Path("job.ini");
}

void MainDialogTest::TearDown() {
    if (dialog) {
        dialog->Engine.Run.Busy = 0;
        dialog.reset();
    }
    Pump();
    seams::PlayBeep = m_previousBeep;
    seams::ShowMessageBox = m_previousBox;
}

void MainDialogTest::Open(const std::string& settingsText) {
    if (!settingsText.empty()) {
        std::ofstream file(settingsFile.Str(), std::ios::binary);
        file << settingsText;
    }
    dialog = std::make_unique<MainDialog>();
    dialog->StartupSettingsPath = settingsFile;
    ASSERT_TRUE(dialog->Create(IDD_MAIN));
    dialog->ShowWindow(SW_SHOW);
    Pump();
}

void MainDialogTest::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void MainDialogTest::Command(UINT id) {
    dialog->PostMessage(WM_POSTED_COMMAND, id, 0);
    Pump();
}

RECT MainDialogTest::ItemRect(int id) const {
    RECT rect;
    GetWindowRect(Item(id), &rect);
    MapWindowPoints(nullptr, dialog->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string MainDialogTest::LogText() const { return WindowTextOf(Item(IDC_LOG)).Str(); }
