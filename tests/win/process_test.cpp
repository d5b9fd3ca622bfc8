#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/message_box_win.h"
#include "win_test_support.h"

namespace {

std::string TestProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = '\0';
    return path;
}

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
    if (owner == found->processId && strcmp(name, "#32770") == 0 && IsWindowVisible(window)) {
        found->box = window;
        return FALSE;
    }
    return TRUE;
}

// The real Quarry32.exe, started in a folder without its settings file: it
// says so in a message box and ends with exit code 0.
TEST(Process, StartsWithoutSettingsFileOnlyToSayItCannot) {
    TempFolder folder;
    std::string exe = folder.File("Quarry32.exe");
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "\\Quarry32.exe").c_str(), exe.c_str(), FALSE));
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
    char caption[64] = "";
    char text[256] = "";
    GetWindowTextA(found.box, caption, sizeof caption);
    GetDlgItemTextA(found.box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(caption, "Quarry");
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
    std::string longName(1000, 'x');
    WarningBox(nullptr, "Bad path %s\nspecified! Continue?", longName.c_str());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text.size(), 255u);
    EXPECT_EQ(boxes.shown()[0].text.substr(0, 14), "Bad path xxxxx");
}

}  // namespace
