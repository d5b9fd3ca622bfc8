#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "resource_ids.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[300] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

// An HDROP as the shell builds it: names after a DROPFILES header, a drop
// point in client coordinates.
HDROP MakeDrop(POINT at, const std::vector<std::string>& names) {
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& name : names) bytes += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fNC = FALSE;
    drop->fWide = FALSE;
    char* out = reinterpret_cast<char*>(drop + 1);
    for (const std::string& name : names) {
        memcpy(out, name.c_str(), name.size() + 1);
        out += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

POINT CentreOf(HWND child) {
    RECT box;
    GetWindowRect(child, &box);
    POINT at = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ScreenToClient(g_App.MainWindow, &at);
    return at;
}

using MainWindow = ProgramTest;

TEST_F(MainWindow, ToolbarComboHoldsTheFixedTypesUnderTheDefault) {
    Start("[Find]\r\nFilePattern=*.pas\r\n");
    HWND combo = g_Main.ToolbarCombo;
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(GetDlgCtrlID(combo), IDC_TOOLBAR_COMBO);
    EXPECT_EQ(GetParent(combo), g_Main.Toolbar);
    RECT box;
    GetWindowRect(combo, &box);
    EXPECT_GT(box.right - box.left, 20);
    EXPECT_EQ(Text(combo), "*.pas");
    EXPECT_EQ(ComboEntries(combo),
              (std::vector<std::string>{"*.txt", "*.c", "*.c++", "*.pas", "*.bas", "*.htm"}));
    // The default type also heads the File Name(s) history.
    EXPECT_EQ(Text(Control(IDC_FILE_NAMES)), "*.pas");
    EXPECT_EQ(ComboEntries(Control(IDC_FILE_NAMES)).front(), "*.pas");
}

TEST_F(MainWindow, EnterInToolbarComboAppliesTheTypedType) {
    Start();
    SetWindowTextA(g_Main.ToolbarCombo, "Notes.TXT");
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(IDC_TOOLBAR_COMBO, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(g_Main.ToolbarCombo));
    // Only five characters are read: "Notes" has no full stop.
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Error in File Type setting!");
    EXPECT_EQ(g_Settings.DefaultFileType, "");

    SetWindowTextA(g_Main.ToolbarCombo, "a.TXT");
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(IDC_TOOLBAR_COMBO, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(g_Main.ToolbarCombo));
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(g_Settings.DefaultFileType, "*.txt");
    EXPECT_EQ(ComboEntries(g_Main.ToolbarCombo).front(), "*.txt");

    SetWindowTextA(g_Main.ToolbarCombo, "*.html");
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(IDC_TOOLBAR_COMBO, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(g_Main.ToolbarCombo));
    EXPECT_EQ(g_Settings.DefaultFileType, "*.htm");
}

TEST_F(MainWindow, EnterKeyInTheComboEditPostsTheChoice) {
    Start();
    SendMessageA(Main(), WM_COMMAND, IDC_CASE, 0);  // the first command subclasses the edit
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(g_Main.ToolbarCombo, &info));
    SetWindowTextA(g_Main.ToolbarCombo, "x.C");
    SendMessageA(info.hwndItem, WM_KEYDOWN, VK_RETURN, 0);
    DrainMessages();
    EXPECT_EQ(g_Settings.DefaultFileType, "*.c");
    EXPECT_EQ(Text(g_Main.ToolbarCombo), "*.c");
}

TEST_F(MainWindow, HistoryMovesAnEntryUpAndDropsTheEighth) {
    Start();
    HWND combo = Control(IDC_SEARCH_TEXT);
    for (const char* text : {"a", "b", "c", "d", "e", "f", "g", "h"}) AddToHistory(combo, 8, text);
    AddToHistory(combo, 8, "C");
    EXPECT_EQ(ComboEntries(combo),
              (std::vector<std::string>{"C", "h", "g", "f", "e", "d", "b", "a"}));
    AddToHistory(combo, 8, "i");
    EXPECT_EQ(ComboEntries(combo),
              (std::vector<std::string>{"i", "C", "h", "g", "f", "e", "d", "b"}));
    // The top entry again changes nothing, not even the edit field.
    SetWindowTextA(combo, "typed");
    AddToHistory(combo, 8, "I");
    EXPECT_EQ(Text(combo), "typed");
    EXPECT_EQ(ComboEntries(combo).size(), 8u);
}

TEST_F(MainWindow, CheckBoxesRadiosAndUnitsFollowTheControls) {
    Start();
    CheckDlgButton(Main(), IDC_WORD, BST_CHECKED);
    SendMessageA(Main(), WM_COMMAND, IDC_WORD, 0);
    EXPECT_EQ(g_Settings.TextOptions, 2);

    SendMessageA(Main(), WM_COMMAND, IDC_SUBDIR_LEVEL, 0);
    EXPECT_EQ(g_Settings.SubDirMode, 2);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_LEVEL)));
    SendMessageA(Main(), WM_COMMAND, IDC_SUBDIR_ALL, 0);
    EXPECT_EQ(g_Settings.SubDirMode, 1);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_LEVEL)));
    EXPECT_EQ(IsDlgButtonChecked(Main(), IDC_SUBDIR_ALL), BST_CHECKED);

    HWND less = Control(IDC_LESS_UNIT);
    EXPECT_EQ(SendMessageA(less, CB_GETCURSEL, 0, 0), 1);
    SendMessageA(less, CB_SETCURSEL, 2, 0);
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(IDC_LESS_UNIT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(less));
    EXPECT_EQ(g_Main.LessMultiplier, 1048576u);
    EXPECT_EQ(g_Main.MoreMultiplier, 1024u);
}

TEST_F(MainWindow, StatusLineHelpFollowsTheMenu) {
    Start();
    HMENU menu = GetMenu(Main());
    SendMessageA(Main(), WM_MENUSELECT, MAKEWPARAM(IDM_FIND_FILES, MF_STRING),
                 reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(StatusText(), "Searches for files matching search criteria.");
    SendMessageA(Main(), WM_MENUSELECT, MAKEWPARAM(IDM_MARK_ITEM, MF_STRING),
                 reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(StatusText(), "For Help, press F1");
    SendMessageA(Main(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(StatusText(), "");
    SendMessageA(Main(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(StatusText(), "Ready");
}

TEST_F(MainWindow, EmptyListGreysEveryRowCommand) {
    Start();
    HMENU menu = GetMenu(Main());
    for (int position : {MAIN_MENU_FILE, MAIN_MENU_EDIT}) {
        HMENU popup = GetSubMenu(menu, position);
        SendMessageA(Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
    }
    for (int command :
         {IDM_OPEN_FILE, IDM_DELETE_FILES, IDM_COPY_FILES, IDM_MOVE_FILES, IDM_RENAME_FILE,
          IDM_ADD_TO_ZIP, IDM_FIND_IN_SELECTED, IDM_FIND_IN_MARKED, IDM_MARK_ITEM, IDM_DELETE_ITEM,
          IDM_CLEAR_LIST, IDM_COPY_LIST, IDM_SORT_LIST, IDM_SELECT_ALL_ITEMS})
        EXPECT_TRUE(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) << command;
    EXPECT_FALSE(GetMenuState(menu, IDM_FIND_FILES, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MainWindow, ResizingGrowsOnlyTheListAndNeverShrinksBelowTheFirstSize) {
    Start();
    RECT list0, combo0, window0;
    GetWindowRect(g_Main.FileList, &list0);
    GetWindowRect(Control(IDC_DIRECTORY), &combo0);
    GetWindowRect(Main(), &window0);
    SetWindowPos(Main(), nullptr, 0, 0, window0.right - window0.left + 100,
                 window0.bottom - window0.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    RECT list1, combo1;
    GetWindowRect(g_Main.FileList, &list1);
    GetWindowRect(Control(IDC_DIRECTORY), &combo1);
    EXPECT_EQ(list1.right - list1.left, list0.right - list0.left + 100);
    EXPECT_EQ(list1.bottom - list1.top, list0.bottom - list0.top + 60);
    EXPECT_EQ(combo1.right - combo1.left, combo0.right - combo0.left);

    MINMAXINFO limits = {};
    SendMessageA(Main(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, window0.right - window0.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, window0.bottom - window0.top);
}

TEST_F(MainWindow, DroppedFilesFillFileNamesOrTheDirectory) {
    Start();
    std::string before = Text(Control(IDC_DIRECTORY));
    SendMessageA(Main(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop(CentreOf(g_Main.FileList),
                                                   {"C:\\Src\\A.C", "c:\\src\\B.h", "D:\\x.ASM"})),
                 0);
    EXPECT_EQ(Text(Control(IDC_FILE_NAMES)), "c:\\src\\a.c;c:\\src\\b.h;d:\\x.asm");
    EXPECT_EQ(Text(Control(IDC_DIRECTORY)), before);

    SendMessageA(Main(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     MakeDrop(CentreOf(Control(IDC_DIRECTORY)), {"C:\\Work\\Folder", "c:\\other"})),
                 0);
    EXPECT_EQ(Text(Control(IDC_DIRECTORY)), "c:\\work\\folder");
    EXPECT_EQ(Text(Control(IDC_FILE_NAMES)), "c:\\src\\a.c;c:\\src\\b.h;d:\\x.asm");
}

TEST_F(MainWindow, SaveSettingsNowMeansNoSecondSaveAtExit) {
    Start("[Find]\r\nFilePattern=*.c\r\n");
    SendMessageA(Main(), WM_COMMAND, IDM_SAVE_SETTINGS_NOW, 0);
    HMENU menu = GetMenu(Main());
    EXPECT_TRUE(GetMenuState(menu, IDM_SAVE_SETTINGS_NOW, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, IDM_SAVE_SETTINGS_ON_EXIT, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_NE(folder.Read("Quarry32.ini").find("Tabs=4"), std::string::npos);

    folder.Write("Quarry32.ini", "[Find]\r\n");
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(folder.Read("Quarry32.ini"), "[Find]\r\n");
}

TEST_F(MainWindow, ExitWithSaveOnExitWritesTheSettings) {
    Start("[Find]\r\nFilePattern=*.c\r\nCase=1\r\n");
    EXPECT_TRUE(GetMenuState(GetMenu(Main()), IDM_SAVE_SETTINGS_ON_EXIT, MF_BYCOMMAND) &
                MF_CHECKED);
    folder.Write("Quarry32.ini", "[Find]\r\n");
    SendMessageA(Main(), WM_COMMAND, IDM_EXIT, 0);
    std::string saved = folder.Read("Quarry32.ini");
    EXPECT_NE(saved.find("FilePattern=*.c"), std::string::npos);
    EXPECT_NE(saved.find("Case=1"), std::string::npos);
    EXPECT_EQ(DrainMessages(), 0);
}

// Records the commands that reach the main window.
std::vector<int> commandsSeen;
WNDPROC mainProc = nullptr;
LRESULT CALLBACK RecordCommands(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Menus and accelerators only; the controls notify the window too.
    if (msg == WM_COMMAND && lp == 0) commandsSeen.push_back(LOWORD(wp));
    return CallWindowProcA(mainProc, hwnd, msg, wp, lp);
}

TEST_F(MainWindow, LoopTurnsAcceleratorsIntoCommandsAndTabMovesFocus) {
    Start();
    commandsSeen.clear();
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    SetForegroundWindow(Main());
    SetFocus(Control(IDC_LEVEL));

    MSG key = {Control(IDC_LEVEL), WM_KEYDOWN, VK_F5, 0x003F0001, 0, {}};
    ProcessLoopMessage(key);
    EXPECT_EQ(commandsSeen, std::vector<int>{IDM_FIND_FILES});

    // Escape is swallowed by command 400: the window stays.
    MSG escape = {Control(IDC_LEVEL), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    ProcessLoopMessage(escape);
    EXPECT_TRUE(IsWindow(Main()));

    HWND before = GetFocus();
    MSG tab = {before, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
    ProcessLoopMessage(tab);
    EXPECT_NE(GetFocus(), before);
    EXPECT_TRUE(IsChild(Main(), GetFocus()));
    SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
}

TEST_F(MainWindow, ShiftTabInTheListGoesToThePreviousControl) {
    Start();
    SetForegroundWindow(Main());
    SetFocus(g_Main.FileList);
    HWND previous = GetNextDlgTabItem(Main(), g_Main.FileList, TRUE);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(g_Main.FileList, WM_KEYDOWN, VK_TAB, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), previous);
}

}  // namespace

namespace {

std::string HelpTopicText() {
    char text[2000] = "";
    GetDlgItemTextA(HelpWindowHandle(), kHelpTopicTextId, text, sizeof text);
    return text;
}

TEST_F(MainWindow, HelpKeysAndCommandsOpenTheirTopicsAndExitClosesHelp) {
    Start();
    folder.Write("Quarry32.hlp",
                 "@@ 0 Contents\r\nAll topics.\r\n"
                 "@@ 0x812D006E Directory box\r\nWhere the search starts.\r\n"
                 "@@ 0x10065 Find Files\r\nSearches.\r\n");
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = IDC_DIRECTORY;
    info.hItemHandle = Control(IDC_DIRECTORY);
    SendMessageA(Main(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(HelpWindowHandle(), nullptr);
    EXPECT_NE(HelpTopicText().find("Where the search starts."), std::string::npos);

    info.iContextType = HELPINFO_MENUITEM;
    info.iCtrlId = IDM_FIND_FILES;
    info.hItemHandle = GetMenu(Main());
    SendMessageA(Main(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_NE(HelpTopicText().find("Searches."), std::string::npos);

    SendMessageA(Main(), WM_COMMAND, IDM_HELP_CONTENTS, 0);
    EXPECT_NE(HelpTopicText().find("All topics."), std::string::npos);

    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(HelpWindowHandle(), nullptr);
}

}  // namespace
