#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

std::string LoadText(UINT id) {
    char text[512] = "";
    LoadStringA(Instance(), id, text, sizeof text);
    return text;
}

TEST(StringTable, HoldsTheProgramsFixedTexts) {
    const struct {
        UINT id;
        const char* text;
    } cases[] = {
        {IDS_APP_TITLE, "Quarry"},
        {IDS_EDITOR_OUT_OF_SPACE,
         "Editor out of space. Please close FileView and use another editor to open the file."},
        {IDS_FILE_TYPE_ERROR, "Error in File Type setting!"},
        {IDS_READY, "Ready"},
        {IDM_FIND_FILES, "Searches for files matching search criteria."},
        {IDM_BROWSE_DIR, "Opens the Browse Directories dialog."},
        {IDM_EXIT, "Exits Quarry."},
        {IDM_CLEAR_LIST, "Clears the File Info List."},
        {IDM_COPY_LIST, "Copies the File Info List to clipboard."},
        {IDM_HELP_CONTENTS, "Displays the Contents topic of Quarry Help."},
        {IDM_HELP_SEARCH, "Displays the Search dialog of Quarry Help."},
        {IDM_OPEN_FILE, "Open the selected file info's file in FileView"},
        {IDM_DELETE_ITEM, "Deletes the selected File Info Items"},
        {IDM_SORT_LIST, "Sorts the File Info List."},
        {IDM_FIND_IN_SELECTED, "Search in selected files in File Info List"},
        {IDM_FIND_IN_MARKED, "Search in marked files in File Info List."},
        {IDM_SORT_OPTIONS, "Opens the Sort Options dialog."},
        {IDM_FILEVIEW_SETTINGS, "Opens the FileView Settings dialog."},
        {IDM_FILE_FILTER, "Opens the File Filter Settings dialog."},
        {IDM_SAVE_SETTINGS_NOW, "Saves all option settings now."},
        {IDM_SAVE_SETTINGS_ON_EXIT, "Saves all option settings at Quarry close."},
        {IDM_DELETE_FILES, "Delete selected files."},
        {IDM_COPY_FILES, "Copy selected files to a specified location."},
        {IDM_MOVE_FILES, "Move selected files to a specified location."},
        {IDM_RENAME_FILE, "Rename the selected file."},
        {IDM_SELECT_ALL_ITEMS, "Select all file info items."},
        {IDS_OPENING_FILEVIEW, "Opening FileView with internal Editor."},
        {IDS_OPENING_ASSOCIATED, "Opening FileView with associated program"},
        {IDS_OPENING_NOTEPAD, "Opening FileView with Notepad."},
        {IDS_OPENING_OTHER, "Opening FileView with specified program."},
        {IDS_COLUMN_FILENAME, "Filename"},
        {IDS_COLUMN_SIZE, "Size"},
        {IDS_COLUMN_DATE, "Date"},
        {IDS_COLUMN_TIME, "Time"},
        {IDS_COLUMN_PATH, "Path"},
        {IDS_COLUMN_LINES, "Lines"},
    };
    for (const auto& c : cases) EXPECT_EQ(LoadText(c.id), c.text) << "string " << c.id;
}

// Collects every command of a menu and its popups, with its state as loaded.
struct MenuItem {
    UINT id;
    std::string text;
    UINT state;
};

void CollectItems(HMENU menu, std::vector<MenuItem>& items) {
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectItems(sub, items);
            continue;
        }
        UINT id = GetMenuItemID(menu, i);
        if (id == 0) continue;  // separator
        char text[128] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        items.push_back({id, text, GetMenuState(menu, i, MF_BYPOSITION)});
    }
}

std::vector<MenuItem> MenuItems(const char* name) {
    HMENU menu = LoadMenuA(Instance(), name);
    std::vector<MenuItem> items;
    if (menu) CollectItems(menu, items);
    DestroyMenu(menu);
    return items;
}

TEST(Menus, EveryCommandButMarkUnmarkHasAHelpLine) {
    for (const char* name : {QUARRY_MAIN_MENU, QUARRY_FILEVIEW_MENU}) {
        std::vector<MenuItem> items = MenuItems(name);
        ASSERT_FALSE(items.empty()) << name;
        for (const MenuItem& item : items) {
            bool hasHelp = !LoadText(item.id).empty();
            EXPECT_EQ(hasHelp, item.id != IDM_MARK_ITEM) << name << " " << item.text;
        }
    }
}

TEST(Menus, LoadWithTheirGreyAndCheckedItems) {
    const struct {
        const char* menu;
        std::set<UINT> grey, checked;
        size_t count;
    } cases[] = {
        {QUARRY_MAIN_MENU,
         {IDM_FIND_IN_SELECTED, IDM_FIND_IN_MARKED, IDM_OPEN_FILE, IDM_RENAME_FILE,
          IDM_DELETE_FILES, IDM_COPY_FILES, IDM_MOVE_FILES, IDM_ADD_TO_ZIP, IDM_MARK_ITEM,
          IDM_COPY_LIST, IDM_DELETE_ITEM, IDM_CLEAR_LIST, IDM_SELECT_ALL_ITEMS, IDM_SORT_LIST},
         {IDM_SAVE_SETTINGS_ON_EXIT},
         25},
        {QUARRY_FILEVIEW_MENU,
         {IDM_FV_SAVE, IDM_FV_SAVE_AS, IDM_FV_UNDO, IDM_FV_CUT, IDM_FV_COPY, IDM_FV_PASTE,
          IDM_FV_SELECT_ALL, IDM_FV_FIND_NEXT, IDM_FV_REPLACE, IDM_FV_COPY_LINEVIEW},
         {IDM_FV_LINEVIEW},
         29},
    };
    for (const auto& c : cases) {
        std::set<UINT> grey, checked;
        std::vector<MenuItem> items = MenuItems(c.menu);
        for (const MenuItem& item : items) {
            if (item.state & MF_GRAYED) grey.insert(item.id);
            if (item.state & MF_CHECKED) checked.insert(item.id);
        }
        EXPECT_EQ(items.size(), c.count) << c.menu;
        EXPECT_EQ(grey, c.grey) << c.menu;
        EXPECT_EQ(checked, c.checked) << c.menu;
    }
}

TEST(Menus, FileViewCaseCommandsSitInTheChangeCasePopup) {
    HMENU menu = LoadMenuA(Instance(), QUARRY_FILEVIEW_MENU);
    HMENU caseMenu = GetSubMenu(GetSubMenu(menu, FV_MENU_EDIT), FV_MENU_CHANGE_CASE);
    ASSERT_NE(caseMenu, nullptr);
    EXPECT_EQ(GetMenuItemID(caseMenu, 0), UINT(IDM_FV_UPPER_CASE));
    EXPECT_EQ(GetMenuItemID(caseMenu, 1), UINT(IDM_FV_LOWER_CASE));
    EXPECT_EQ(GetMenuItemID(caseMenu, 2), UINT(IDM_FV_TOGGLE_CASE));
    DestroyMenu(menu);
}

// A plain window with every item of the menu enabled, recording the commands its accelerators
// send; modifiers are pressed in the thread's keyboard state, as TranslateAccelerator reads them.
UINT g_lastCommand;
LRESULT CALLBACK RecordCommand(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) g_lastCommand = LOWORD(wp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

UINT CommandForKey(const char* menuName, const char* accelName, UINT message, WPARAM key, bool ctrl,
                   bool shift, bool alt) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordCommand;
    wc.hInstance = Instance();
    wc.lpszClassName = "QuarryAccelProbe";
    RegisterClassA(&wc);
    HMENU menu = LoadMenuA(Instance(), menuName);
    std::vector<MenuItem> items;
    CollectItems(menu, items);
    for (const MenuItem& item : items) EnableMenuItem(menu, item.id, MF_BYCOMMAND | MF_ENABLED);
    HWND hwnd = CreateWindowA("QuarryAccelProbe", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              menu, Instance(), nullptr);
    HACCEL accel = LoadAcceleratorsA(Instance(), accelName);
    BYTE keys[256], saved[256];
    GetKeyboardState(saved);
    memcpy(keys, saved, sizeof keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
    g_lastCommand = 0;
    MSG msg{hwnd, message, key, alt ? LPARAM(1) << 29 : 0, 0, {}};
    TranslateAcceleratorA(hwnd, accel, &msg);
    SetKeyboardState(saved);
    DestroyWindow(hwnd);
    return g_lastCommand;
}

TEST(Accelerators, KeysReachTheirCommands) {
    const char* kMain = QUARRY_APP_NAME;
    const char* kView = QUARRY_FILEVIEW_ACCEL;
    const struct {
        const char* accel;
        UINT message;
        WPARAM key;
        bool ctrl, shift, alt;
        UINT command;
    } cases[] = {
        {kMain, WM_KEYDOWN, VK_F5, false, false, false, IDM_FIND_FILES},
        {kMain, WM_KEYDOWN, VK_F5, true, true, false, IDM_FIND_IN_MARKED},
        {kMain, WM_KEYDOWN, VK_F5, true, false, false, 0},  // Ctrl+F5 is only a menu hint
        {kMain, WM_KEYDOWN, VK_ESCAPE, false, false, false, IDM_ESCAPE},
        {kMain, WM_KEYDOWN, VK_DELETE, true, false, false, IDM_DELETE_FILES},
        {kMain, WM_KEYDOWN, VK_DELETE, false, false, false, 0},  // the list handles Del itself
        {kMain, WM_KEYDOWN, VK_F2, false, false, false, IDM_MARK_ITEM},
        {kMain, WM_KEYDOWN, VK_F7, false, false, false, IDM_SORT_LIST},
        {kMain, WM_SYSKEYDOWN, 'Z', false, false, true, IDM_ADD_TO_ZIP},
        {kMain, WM_CHAR, 'E' - '@', true, false, false, IDM_MOVE_FILES},
        {kMain, WM_CHAR, 'L' - '@', true, false, false, IDM_FILE_FILTER},
        {kMain, WM_CHAR, 'O' - '@', true, false, false, IDM_OPEN_FILE},
        {kMain, WM_CHAR, 'P' - '@', true, false, false, IDM_COPY_FILES},
        {kMain, WM_CHAR, 'R' - '@', true, false, false, IDM_RENAME_FILE},
        {kMain, WM_CHAR, 'T' - '@', true, false, false, IDM_SORT_OPTIONS},
        {kMain, WM_CHAR, 'Y' - '@', true, false, false, IDM_COPY_LIST},
        {kMain, WM_CHAR, 'A' - '@', true, false, false, 0},  // Ctrl+A is only a menu hint
        {kView, WM_SYSKEYDOWN, '1', false, false, true, IDM_FV_EDITVIEW},
        {kView, WM_SYSKEYDOWN, '2', false, false, true, IDM_FV_LINEVIEW},
        {kView, WM_KEYDOWN, 'U', true, false, false, IDM_FV_UPPER_CASE},
        {kView, WM_KEYDOWN, 'U', true, true, false, IDM_FV_LOWER_CASE},
        {kView, WM_KEYDOWN, VK_F2, false, false, false, IDM_FV_DISPLAY_CONTEXT},
        {kView, WM_KEYDOWN, VK_F3, false, false, false, IDM_FV_FIND_NEXT},
        {kView, WM_KEYDOWN, VK_F3, true, false, false, IDM_FV_REPLACE},
        {kView, WM_SYSKEYDOWN, VK_F3, false, false, true, IDM_FV_FIND},
        {kView, WM_KEYDOWN, VK_F4, false, false, false, IDM_FV_SPLIT_WINDOW},
        {kView, WM_KEYDOWN, VK_F6, false, false, false, IDM_FV_SWITCH_PANE},
        {kView, WM_KEYDOWN, VK_TAB, true, false, false, IDM_FV_SWITCH_PANE},
        {kView, WM_KEYDOWN, 'A', true, false, false, IDM_FV_SELECT_ALL},
        {kView, WM_KEYDOWN, 'F', true, false, false, IDM_FV_FONT},
        {kView, WM_KEYDOWN, 'G', true, false, false, IDM_FV_TOGGLE_CASE},
        {kView, WM_KEYDOWN, 'L', true, false, false, IDM_FV_CONTEXT_SIZE},
        {kView, WM_KEYDOWN, 'P', true, false, false, IDM_FV_PRINT},
        {kView, WM_KEYDOWN, 'S', true, false, false, IDM_FV_SAVE},
        {kView, WM_KEYDOWN, 'T', true, false, false, IDM_FV_TABS},
        {kView, WM_KEYDOWN, 'W', true, false, false, IDM_FV_WRAP_LINES},
        {kView, WM_KEYDOWN, 'Y', true, false, false, IDM_FV_COPY_LINEVIEW},
        {kView, WM_KEYDOWN, 'Z', true, false, false, 0},  // EditView undoes by itself
    };
    for (const auto& c : cases) {
        const char* menu = c.accel == kMain ? QUARRY_MAIN_MENU : QUARRY_FILEVIEW_MENU;
        EXPECT_EQ(CommandForKey(menu, c.accel, c.message, c.key, c.ctrl, c.shift, c.alt), c.command)
            << c.accel << " key " << c.key << (c.ctrl ? " ctrl" : "") << (c.shift ? " shift" : "")
            << (c.alt ? " alt" : "");
    }
    HACCEL main = LoadAcceleratorsA(Instance(), kMain);
    HACCEL view = LoadAcceleratorsA(Instance(), kView);
    EXPECT_EQ(CopyAcceleratorTableA(main, nullptr, 0), 14);
    EXPECT_EQ(CopyAcceleratorTableA(view, nullptr, 0), 20);
}

// The main window template, created with the program's own class and taken down again.
class MainTemplate : public testing::Test {
  protected:
    void SetUp() override {
        window = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        DestroyWindow(window);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND Item(int id) const { return GetDlgItem(window, id); }
    HWND window = nullptr;
};

TEST_F(MainTemplate, HoldsEveryCriteriaControl) {
    const struct {
        int id;
        const char* cls;
    } cases[] = {
        {IDC_DIRECTORY, "ComboBox"},
        {IDC_FILE_NAMES, "ComboBox"},
        {IDC_SEARCH_TEXT, "ComboBox"},
        {IDC_CURRENT_DIR, "Static"},
        {IDC_DATE_GROUP, "Button"},
        {IDC_DATE_FROM, "Edit"},
        {IDC_DATE_TO, "Edit"},
        {IDC_SIZE_LESS, "Edit"},
        {IDC_LESS_UNIT, "ComboBox"},
        {IDC_SIZE_MORE, "Edit"},
        {IDC_MORE_UNIT, "ComboBox"},
        {IDC_SUBDIR_GROUP, "Button"},
        {IDC_SUBDIR_NONE, "Button"},
        {IDC_SUBDIR_ALL, "Button"},
        {IDC_SUBDIR_LEVEL, "Button"},
        {IDC_LEVEL, "Edit"},
        {IDC_TEXT_OPTIONS_GROUP, "Button"},
        {IDC_CASE, "Button"},
        {IDC_WORD, "Button"},
        {IDC_REGULAR, "Button"},
        {IDC_FILE_LIST, WC_LISTVIEWA},
    };
    for (const auto& c : cases) {
        char cls[64] = "";
        GetClassNameA(Item(c.id), cls, sizeof cls);
        EXPECT_STRCASEEQ(cls, c.cls) << "control " << c.id;
    }
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    EXPECT_STREQ(cls, QUARRY_APP_NAME);
    EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(MainTemplate, SpinButtonsFollowTheirBoxes) {
    for (int buddy : {IDC_SIZE_LESS, IDC_SIZE_MORE, IDC_LEVEL}) {
        HWND spin = GetWindow(Item(buddy), GW_HWNDNEXT);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), Item(buddy))
            << "buddy " << buddy;
    }
}

TEST_F(MainTemplate, TabAndArrowKeysWalkTheGroups) {
    // The arrow keys stay inside the sub-directory choices; Tab leaves the level box for Case.
    EXPECT_EQ(GetNextDlgGroupItem(window, Item(IDC_SUBDIR_NONE), FALSE), Item(IDC_SUBDIR_ALL));
    EXPECT_EQ(GetNextDlgGroupItem(window, Item(IDC_SUBDIR_LEVEL), FALSE), Item(IDC_SUBDIR_NONE));
    EXPECT_EQ(GetNextDlgTabItem(window, Item(IDC_LEVEL), FALSE), Item(IDC_CASE));
    EXPECT_EQ(GetNextDlgTabItem(window, Item(IDC_REGULAR), FALSE), Item(IDC_FILE_LIST));
    EXPECT_EQ(GetNextDlgTabItem(window, Item(IDC_DIRECTORY), FALSE), Item(IDC_FILE_NAMES));
    LONG list = GetWindowLongA(Item(IDC_FILE_LIST), GWL_STYLE);
    EXPECT_EQ(list & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(list & LVS_EDITLABELS);
    EXPECT_FALSE(list & LVS_SINGLESEL);
}

TEST_F(MainTemplate, DateBoxesKeepALongTypedDate) {
    SendMessageA(Item(IDC_DATE_FROM), EM_LIMITTEXT, 31, 0);
    SetWindowTextA(Item(IDC_DATE_FROM), "01/01/1998");
    SendMessageA(Item(IDC_DATE_FROM), EM_SETSEL, 10, 10);
    SendMessageA(Item(IDC_DATE_FROM), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(" 12:00:00"));
    char text[64];
    GetWindowTextA(Item(IDC_DATE_FROM), text, sizeof text);
    EXPECT_STREQ(text, "01/01/1998 12:00:00");
}

TEST(Images, LoadInTheSizesTheWindowsUse) {
    EXPECT_NE(LoadIconA(Instance(), QUARRY_APP_NAME), nullptr);
    HIMAGELIST states = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 2, 0);
    for (int id : {IDI_UNMARKED, IDI_MARKED}) {
        HICON icon =
            static_cast<HICON>(LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        ASSERT_NE(icon, nullptr) << id;
        EXPECT_EQ(ImageList_AddIcon(states, icon), id - IDI_UNMARKED);
        DestroyIcon(icon);
    }
    ImageList_Destroy(states);

    HCURSOR splitter = LoadCursorA(Instance(), MAKEINTRESOURCEA(IDCUR_SPLITTER));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(splitter, &info));
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 16u);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);

    for (int id : {IDB_MAIN_TOOLBAR, IDB_FILEVIEW_TOOLBAR}) {
        HBITMAP strip = LoadBitmapA(Instance(), MAKEINTRESOURCEA(id));
        BITMAP bm{};
        ASSERT_TRUE(GetObjectA(strip, sizeof bm, &bm)) << id;
        EXPECT_EQ(bm.bmWidth, TOOLBAR_IMAGE_COUNT * TOOLBAR_IMAGE_WIDTH);
        EXPECT_EQ(bm.bmHeight, TOOLBAR_IMAGE_HEIGHT);
        // The corner is the toolbar's transparent light grey.
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, strip);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(192, 192, 192)) << id;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(strip);
    }
}

}  // namespace
