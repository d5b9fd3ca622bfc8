#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/message_box_win.h"
#include "win_test_support.h"

namespace {

struct FoundBox {
    DWORD processId;
    HWND box;
};

BOOL CALLBACK FindProcessBox(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<FoundBox*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner != found->processId || strcmp(name, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    found->box = window;
    return FALSE;
}

// The real Quarry32.exe, started in a folder without its settings file: it
// says so in a message box and ends with exit code 0.
TEST(Process, StartsWithoutSettingsFileOnlyToSayItCannot) {
    TempFolder folder;
    char built[MAX_PATH];
    GetModuleFileNameA(nullptr, built, MAX_PATH);
    strcpy(strrchr(built, '\\'), "\\Quarry32.exe");
    std::string exe = folder.File("Quarry32.exe");
    ASSERT_TRUE(CopyFileA(built, exe.c_str(), FALSE));
    folder.Write("Quarry32.hlp", "@@ 0 Contents\r\n");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               folder.path().c_str(), &startup, &process));

    FoundBox found = {process.dwProcessId, nullptr};
    for (int tries = 0; tries < 400 && !found.box; ++tries) {
        EnumWindows(FindProcessBox, reinterpret_cast<LPARAM>(&found));
        if (!found.box) Sleep(25);
    }
    ASSERT_NE(found.box, nullptr) << "no message box appeared";
    char text[256] = "";
    GetDlgItemTextA(found.box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "Unable to launch Quarry!\nQuarry32.ini not found!");
    PostMessageA(found.box, WM_COMMAND, IDOK, 0);

    ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST(MessageBoxes, LongArgumentsAreCutNotOverflowed) {
    MessageBoxRecorder boxes;
    WarningBox(nullptr, "Bad path %s\nspecified! Continue?", std::string(1000, 'x').c_str());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text.size(), 255u);
    EXPECT_EQ(boxes.shown()[0].text.substr(0, 14), "Bad path xxxxx");
}

}  // namespace
