#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "dialog_robot.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
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
    EXPECT_EQ(g_Settings.DefaultFileType, "");
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

// The loop turns the main window's accelerators into its commands and Tab
// into a focus move; keys typed into the help window stay the help window's.
TEST_F(MainWindow, AcceleratorsReachTheMainWindowOnlyFromItsOwnControls) {
    Start();
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    SetForegroundWindow(Main());
    Command(IDM_HELP_CONTENTS);
    HWND help = HelpWindowHandle();
    ASSERT_TRUE(help && IsWindowVisible(help));
    commandsSeen.clear();
    for (WPARAM key : {VK_F5, VK_F7, VK_DELETE, VK_ESCAPE}) {
        MSG msg = {GetDlgItem(help, kHelpSearchBoxId), WM_KEYDOWN, key, 0x00010001, 0, {}};
        ProcessLoopMessage(msg);
    }
    EXPECT_TRUE(commandsSeen.empty());
    EXPECT_FALSE(IsWindow(help) && IsWindowVisible(help));  // Esc closed it

    MSG f5 = {Control(IDC_LEVEL), WM_KEYDOWN, VK_F5, 0x003F0001, 0, {}};
    ProcessLoopMessage(f5);
    EXPECT_EQ(commandsSeen, std::vector<int>{IDM_FIND_FILES});

    SetFocus(g_Main.FileList);
    HWND next = GetNextDlgTabItem(Main(), g_Main.FileList, FALSE);
    ASSERT_NE(next, g_Main.FileList);
    MSG tab = {g_Main.FileList, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
    ProcessLoopMessage(tab);
    EXPECT_TRUE(GetFocus() == next || GetParent(GetFocus()) == next);
    SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
}

// Each count part of the status bar shows its number whole, clear of the
// size grip, up to the list's limit.
TEST_F(MainWindow, StatusCountsAreShownWhole) {
    Start();
    HWND bar = GetDlgItem(Main(), IDC_MAIN_STATUS);
    ShowStatusWithCounts(IDS_READY, 135, 1000);
    HDC dc = GetDC(bar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(bar, WM_GETFONT, 0, 0)));
    RECT client;
    GetClientRect(bar, &client);
    int borders[3] = {};
    SendMessageA(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    for (int part : {1, 2}) {
        std::string text = StatusText(part);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        RECT rect = {};
        SendMessageA(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&rect));
        EXPECT_GE(rect.right - rect.left - 2 * borders[0] - 2, extent.cx) << text;
        EXPECT_LE(rect.right, client.right - GetSystemMetrics(SM_CXVSCROLL)) << part;
    }
    EXPECT_EQ(StatusText(1), "135");
    EXPECT_EQ(StatusText(2), "1000");
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
}

// A history keeps its last eight entries, the newest on top; an entry used
// again moves to the top. (Which entry goes is checked natively.)
TEST_F(MainWindow, HistoryMovesAnEntryToTheTopAndKeepsEight) {
    Start();
    HWND combo = g_Main.SearchTextCombo;
    for (const char* text : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "c"})
        AddToHistory(combo, text);
    EXPECT_EQ(ListOf(combo), (std::vector<std::string>{"c", "i", "h", "g", "f", "e", "d", "b"}));
    EXPECT_EQ(Text(combo), "c");
}

}  // namespace
