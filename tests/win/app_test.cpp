#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/app_win.h"
#include "app/message_box_win.h"
#include "failing_files.h"
#include "resource_ids.h"
#include "win_test_support.h"

namespace {

using StartUp = ProgramTest;
using V = std::vector<std::string>;

TEST_F(StartUp, RefusesToRunWithoutSettingsFile) {
    folder.Write("Quarry32.hlp", "help\r\n");
    EXPECT_FALSE(InitInstance(g_App.AppInstance, SW_SHOWNORMAL));
    EXPECT_EQ(boxes.texts(), V{"Unable to launch Quarry!\nQuarry32.ini not found!"});
    EXPECT_EQ(g_App.MainWindow, nullptr);
}

// The code finds each spin button as the window after its box.
TEST_F(StartUp, MissingHelpFileOnlyWarnsAndEachSpinFollowsItsBox) {
    Start("[Find]\r\n", /*withHelp=*/false);
    EXPECT_EQ(boxes.texts(), V{"Quarry! Help file not found!"});
    EXPECT_TRUE(IsWindowVisible(Main()));
    for (int buddy : {IDC_SIZE_LESS, IDC_SIZE_MORE, IDC_LEVEL}) {
        HWND spin = GetWindow(Control(buddy), GW_HWNDNEXT);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), Control(buddy)) << buddy;
    }
}

// Save Settings on Exit is checked by default: every way out writes the file.
TEST_F(StartUp, ExitCloseBoxAndAltF4SaveAndQuitWithZero) {
    const std::pair<UINT, WPARAM> ways[] = {
        {WM_COMMAND, IDM_EXIT}, {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (auto [message, how] : ways) {
        Start("[Find]\r\nFilePattern=*.c\r\n");
        folder.Write("Quarry32.ini", "[Find]\r\n");
        HWND main = Main();
        SendMessageA(main, message, how, 0);
        EXPECT_FALSE(IsWindow(main)) << message;
        EXPECT_NE(folder.Read("Quarry32.ini").find("FilePattern=*.c"), std::string::npos);
        EXPECT_EQ(DrainMessages(), 0) << message;
    }
}

TEST_F(StartUp, SaveSettingsNowMeansNoSecondSaveAtExit) {
    Start("[Find]\r\nFilePattern=*.c\r\n");
    folder.Write("Quarry32.ini", "[Find]\r\n");
    Command(IDM_SAVE_SETTINGS_NOW);
    EXPECT_NE(folder.Read("Quarry32.ini").find("FilePattern=*.c"), std::string::npos);
    folder.Write("Quarry32.ini", "[Find]\r\n");
    Command(IDM_EXIT);
    EXPECT_EQ(folder.Read("Quarry32.ini"), "[Find]\r\n");
}

// A full disk at exit: the file keeps its bytes, the user reads why once,
// and the program still ends.
TEST_F(StartUp, AFailedSaveAtExitWarnsOnceAndKeepsTheFile) {
    Start("[Find]\r\nFilePattern=*.c\r\n");
    FailingFiles full("write");
    HWND main = Main();
    Command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(folder.Read("Quarry32.ini"), "[Find]\r\nFilePattern=*.c\r\n");
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(boxes.texts()[0].rfind("Settings could not be saved to ", 0), 0u);
    EXPECT_NE(boxes.texts()[0].find("Quarry32.ini."), std::string::npos) << boxes.texts()[0];
    EXPECT_EQ(DrainMessages(), 0);
}

// Save Settings Now on a full disk says so and leaves saving at exit on.
TEST_F(StartUp, AFailedSaveNowKeepsSavingAtExit) {
    Start("[Find]\r\nFilePattern=*.c\r\n");
    folder.Write("Quarry32.ini", "[Find]\r\n");
    {
        FailingFiles full("replace");
        Command(IDM_SAVE_SETTINGS_NOW);
    }
    EXPECT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(folder.Read("Quarry32.ini"), "[Find]\r\n");
    EXPECT_EQ(GetMenuState(GetMenu(Main()), IDM_SAVE_SETTINGS_ON_EXIT, MF_BYCOMMAND) & MF_CHECKED,
              static_cast<UINT>(MF_CHECKED));
    Command(IDM_EXIT);
    EXPECT_NE(folder.Read("Quarry32.ini").find("FilePattern=*.c"), std::string::npos);
}

TEST(ProgramFilePath, RefusesAPathThatWouldNotFit) {
    std::string deep = "c:\\" + std::string(240, 'd');
    SetProgramDirectoryForTesting(deep.c_str());
    char path[MAX_PATH];
    EXPECT_FALSE(ProgramFilePath("a-rather-long-file-name.ini", path));
    EXPECT_TRUE(ProgramFilePath("q.ini", path));
    SetProgramDirectoryForTesting(nullptr);
}

TEST(MessageBoxes, LongArgumentsAreCutNotOverflowed) {
    MessageBoxRecorder boxes;
    WarningBox(nullptr, "Bad path %s\nspecified! Continue?", std::string(1000, 'x').c_str());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text.size(), 255u);
    EXPECT_EQ(boxes.shown()[0].text.substr(0, 14), "Bad path xxxxx");
}

}  // namespace
