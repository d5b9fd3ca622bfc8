#include <windows.h>

#include <gtest/gtest.h>

#include "app/app_win.h"
#include "resource_ids.h"
#include "win_test_support.h"

namespace {

using StartUp = ProgramTest;

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
    Start("[Find]\r\n", /*withHelp=*/false);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Quarry! Help file not found!");
    EXPECT_TRUE(IsWindowVisible(Main()));
}

TEST_F(StartUp, WindowComesUpWithCaptionClassAndPaths) {
    Start();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(Text(Main()), "Quarry");
    char name[64];
    GetClassNameA(Main(), name, sizeof name);
    EXPECT_STREQ(name, "Quarry");
    EXPECT_NE(strstr(g_App.IniFilePath, "Quarry32.ini"), nullptr);
    EXPECT_NE(strstr(g_App.HelpFilePath, "Quarry32.hlp"), nullptr);
}

TEST_F(StartUp, ExitCommandCloseAndSystemCloseEndWithQuitZero) {
    for (UINT how : {UINT(WM_COMMAND), UINT(WM_CLOSE), UINT(WM_SYSCOMMAND)}) {
        Start();
        HWND main = Main();
        if (how == WM_COMMAND) SendMessageA(main, WM_COMMAND, IDM_EXIT, 0);
        if (how == WM_CLOSE) SendMessageA(main, WM_CLOSE, 0, 0);
        if (how == WM_SYSCOMMAND) SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(IsWindow(main)) << "message " << how;
        EXPECT_EQ(g_App.MainWindow, nullptr);
        EXPECT_EQ(g_Loop.AccelWindow, nullptr);
        EXPECT_EQ(g_Loop.DialogWindow, nullptr);
        EXPECT_EQ(DrainMessages(), 0) << "message " << how;
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
