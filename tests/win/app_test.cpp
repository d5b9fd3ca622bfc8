#include <windows.h>

#include <gtest/gtest.h>

#include "app/app_win.h"
#include "resource_ids.h"
#include "win_test_support.h"

namespace {

// Starts the program's window as WinMain would, from a program directory the
// test makes, and takes it down again afterwards.
class StartUp : public testing::Test {
protected:
    void SetUp() override { SetProgramDirectoryForTesting(folder.path().c_str()); }
    void TearDown() override {
        if (g_App.MainWindow) DestroyWindow(g_App.MainWindow);
        DrainQuit();
        SetProgramDirectoryForTesting(nullptr);
    }
    void ShipDefaults(bool withHelp = true) {
        folder.Write("Quarry32.ini", "[Find]\r\nFilePattern=*.txt\r\n");
        if (withHelp) folder.Write("Quarry32.hlp", "help\r\n");
    }
    // The quit message the main window posted when it was destroyed, or -1.
    static int DrainQuit() {
        MSG msg;
        int code = -1;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == WM_QUIT) code = static_cast<int>(msg.wParam);
        return code;
    }

    TempFolder folder;
    MessageBoxRecorder boxes;
};

TEST_F(StartUp, RefusesToRunWithoutSettingsFile) {
    folder.Write("Quarry32.hlp", "help\r\n");
    EXPECT_FALSE(InitInstance(g_App.AppInstance, SW_SHOWNORMAL));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Unable to launch Quarry!\nQuarry32.ini not found!");
    EXPECT_EQ(boxes.shown()[0].caption, "Quarry");
    EXPECT_EQ(boxes.shown()[0].type, UINT(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_EQ(g_App.MainWindow, nullptr);
}

TEST_F(StartUp, MissingHelpFileOnlyWarns) {
    ShipDefaults(/*withHelp=*/false);
    ASSERT_TRUE(InitInstance(g_App.AppInstance, SW_SHOWNORMAL));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Quarry! Help file not found!");
    EXPECT_TRUE(IsWindowVisible(g_App.MainWindow));
}

TEST_F(StartUp, WindowComesUpWithCaptionClassAndPaths) {
    ShipDefaults();
    ASSERT_TRUE(InitInstance(g_App.AppInstance, SW_SHOWNORMAL));
    EXPECT_TRUE(boxes.shown().empty());
    char text[64];
    GetWindowTextA(g_App.MainWindow, text, sizeof text);
    EXPECT_STREQ(text, "Quarry");
    GetClassNameA(g_App.MainWindow, text, sizeof text);
    EXPECT_STREQ(text, "Quarry");
    EXPECT_NE(strstr(g_App.IniFilePath, "Quarry32.ini"), nullptr);
    EXPECT_NE(strstr(g_App.HelpFilePath, "Quarry32.hlp"), nullptr);
}

TEST_F(StartUp, ExitCommandAndCloseBoxEndWithQuitZero) {
    ShipDefaults();
    for (UINT how : {UINT(WM_COMMAND), UINT(WM_CLOSE), UINT(WM_SYSCOMMAND)}) {
        ASSERT_TRUE(InitInstance(g_App.AppInstance, SW_SHOWNORMAL));
        HWND main = g_App.MainWindow;
        if (how == WM_COMMAND) SendMessageA(main, WM_COMMAND, IDM_EXIT, 0);
        if (how == WM_CLOSE) SendMessageA(main, WM_CLOSE, 0, 0);
        if (how == WM_SYSCOMMAND) SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(IsWindow(main)) << "message " << how;
        EXPECT_EQ(g_App.MainWindow, nullptr);
        EXPECT_EQ(g_Loop.AccelWindow, nullptr);
        EXPECT_EQ(g_Loop.DialogWindow, nullptr);
        EXPECT_EQ(DrainQuit(), 0) << "message " << how;
    }
}

TEST(ProgramFilePath, RefusesAPathThatWouldNotFit) {
    std::string deep = "c:\\" + std::string(240, 'd');
    SetProgramDirectoryForTesting(deep.c_str());
    char path[MAX_PATH];
    EXPECT_FALSE(ProgramFilePath("a-rather-long-file-name.ini", path));
    EXPECT_TRUE(ProgramFilePath("q.ini", path));
    SetProgramDirectoryForTesting(nullptr);
}

}  // namespace
