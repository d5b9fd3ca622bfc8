#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/main_window_win.h"
#include "resource_ids.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

using MainWindow = ProgramTest;

TEST_F(MainWindow, EnterInTheToolbarComboSetsTheDefaultTypeOrRefusesIt) {
    Start();
    Command(IDC_CASE);  // the first command subclasses the combo's edit field
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(g_Main.ToolbarCombo, &info));
    auto enter = [&](const char* typed) {
        SetWindowTextA(g_Main.ToolbarCombo, typed);
        SendMessageA(info.hwndItem, WM_KEYDOWN, VK_RETURN, 0);
        DrainMessages();
    };
    enter("x.TXT");
    EXPECT_EQ(g_Settings.DefaultFileType, "*.txt");
    char top[32] = "";
    SendMessageA(g_Main.ToolbarCombo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(top));
    EXPECT_STREQ(top, "*.txt");
    EXPECT_TRUE(boxes.shown().empty());

    enter("txt");
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Error in File Type setting!"});
    SetWindowTextA(g_Main.DirectoryCombo, folder.path().c_str());
    Command(IDM_FIND_FILES);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Error in File Type setting!",
                                                       "Error: No default File Type set!"}));
}

// An HDROP as the shell builds it, dropped at the centre of `target`.
void DropOn(HWND target, const std::vector<std::string>& names) {
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& name : names) bytes += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    RECT box;
    GetWindowRect(target, &box);
    drop->pt = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ScreenToClient(g_App.MainWindow, &drop->pt);
    char* out = reinterpret_cast<char*>(drop + 1);
    for (const std::string& name : names) out = lstrcpyA(out, name.c_str()) + name.size() + 1;
    GlobalUnlock(memory);
    SendMessageA(g_App.MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

TEST_F(MainWindow, DroppedFilesFillFileNamesOrTheDirectory) {
    Start();
    std::string directory = Text(g_Main.DirectoryCombo);
    DropOn(g_Main.FileList, {"C:\\Src\\A.C", "c:\\src\\B.h", "D:\\x.ASM"});
    EXPECT_EQ(Text(g_Main.FileNameCombo), "c:\\src\\a.c;c:\\src\\b.h;d:\\x.asm");
    EXPECT_EQ(Text(g_Main.DirectoryCombo), directory);

    DropOn(g_Main.DirectoryCombo, {"C:\\Work\\Folder", "c:\\other"});
    EXPECT_EQ(Text(g_Main.DirectoryCombo), "c:\\work\\folder");
    EXPECT_EQ(Text(g_Main.FileNameCombo), "c:\\src\\a.c;c:\\src\\b.h;d:\\x.asm");
}

// Records the menu and accelerator commands that reach the main window.
std::vector<int> commandsSeen;
WNDPROC mainProc = nullptr;
LRESULT CALLBACK RecordCommands(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && lp == 0) commandsSeen.push_back(LOWORD(wp));
    return CallWindowProcA(mainProc, hwnd, msg, wp, lp);
}

TEST_F(MainWindow, LoopTurnsAcceleratorsIntoCommandsAndTabMovesFocus) {
    Start();
    commandsSeen.clear();
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    SetForegroundWindow(Main());
    HWND level = Control(IDC_LEVEL);
    MSG key = {level, WM_KEYDOWN, VK_F5, 0x003F0001, 0, {}};
    ProcessLoopMessage(key);
    EXPECT_EQ(commandsSeen, std::vector<int>{IDM_FIND_FILES});

    SetFocus(g_Main.FileList);
    HWND next = GetNextDlgTabItem(Main(), g_Main.FileList, FALSE);
    ASSERT_NE(next, g_Main.FileList);
    MSG tab = {g_Main.FileList, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
    ProcessLoopMessage(tab);
    EXPECT_TRUE(GetFocus() == next || GetParent(GetFocus()) == next);
    SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
}

}  // namespace
