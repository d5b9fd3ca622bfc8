#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

std::vector<UINT> CommandIds(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        std::vector<UINT> sub = CommandIds(GetSubMenu(menu, i));
        ids.insert(ids.end(), sub.begin(), sub.end());
        if (UINT id = GetMenuItemID(menu, i); id != 0 && id != UINT(-1)) ids.push_back(id);
    }
    return ids;
}

TEST(Menus, EveryCommandButMarkUnmarkHasAHelpLine) {
    for (const char* name : {QUARRY_MAIN_MENU, QUARRY_FILEVIEW_MENU}) {
        HMENU menu = LoadMenuA(Instance(), name);
        std::vector<UINT> ids = CommandIds(menu);
        DestroyMenu(menu);
        ASSERT_GT(ids.size(), 20u) << name;
        for (UINT id : ids) {
            char text[256] = "";
            EXPECT_EQ(LoadStringA(Instance(), id, text, sizeof text) > 0, id != IDM_MARK_ITEM)
                << id;
        }
    }
}

UINT g_lastCommand;
LRESULT CALLBACK RecordCommand(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) g_lastCommand = LOWORD(wp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

enum : int { kCtrl = 1, kShift = 2, kAlt = 4, kChar = 8 };

// The command an accelerator table sends for a key, from a window without a menu (so no item is
// grey), the modifiers pressed in the thread's keyboard state as TranslateAccelerator reads them.
UINT CommandForKey(const char* accelName, WPARAM key, int mods) {
    HWND hwnd = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              Instance(), nullptr);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommand));
    BYTE keys[256] = {};
    keys[VK_CONTROL] = mods & kCtrl ? 0x80 : 0;
    keys[VK_SHIFT] = mods & kShift ? 0x80 : 0;
    keys[VK_MENU] = mods & kAlt ? 0x80 : 0;
    SetKeyboardState(keys);
    g_lastCommand = 0;
    UINT message = mods & kChar ? WM_CHAR : mods & kAlt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    MSG msg{hwnd, message, key, mods & kAlt ? LPARAM(1) << 29 : 0, 0, {}};
    TranslateAcceleratorA(hwnd, LoadAcceleratorsA(Instance(), accelName), &msg);
    keys[VK_CONTROL] = keys[VK_SHIFT] = keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    DestroyWindow(hwnd);
    return g_lastCommand;
}

TEST(Accelerators, KeysReachTheirCommands) {
    const char* m = QUARRY_APP_NAME;
    const char* v = QUARRY_FILEVIEW_ACCEL;
    const int kCtrlChar = kCtrl | kChar;
    // A 0 command: a key shown only as a menu hint, or one its control handles itself.
    // clang-format off
    const struct { const char* accel; WPARAM key; int mods; UINT command; } cases[] = {
        {m, VK_F5, 0, IDM_FIND_FILES}, {m, VK_F5, kCtrl | kShift, IDM_FIND_IN_MARKED},
        {m, VK_F5, kCtrl, 0}, {m, VK_ESCAPE, 0, IDM_ESCAPE},
        {m, VK_DELETE, kCtrl, IDM_DELETE_FILES}, {m, VK_DELETE, 0, 0}, {m, VK_F2, 0, IDM_MARK_ITEM},
        {m, VK_F7, 0, IDM_SORT_LIST}, {m, 'Z', kAlt, IDM_ADD_TO_ZIP},
        {m, 'E' - '@', kCtrlChar, IDM_MOVE_FILES}, {m, 'L' - '@', kCtrlChar, IDM_FILE_FILTER},
        {m, 'O' - '@', kCtrlChar, IDM_OPEN_FILE}, {m, 'P' - '@', kCtrlChar, IDM_COPY_FILES},
        {m, 'R' - '@', kCtrlChar, IDM_RENAME_FILE}, {m, 'T' - '@', kCtrlChar, IDM_SORT_OPTIONS},
        {m, 'Y' - '@', kCtrlChar, IDM_COPY_LIST}, {m, 'A' - '@', kCtrlChar, 0},
        {v, '1', kAlt, IDM_FV_EDITVIEW}, {v, '2', kAlt, IDM_FV_LINEVIEW},
        {v, 'U', kCtrl, IDM_FV_UPPER_CASE}, {v, 'U', kCtrl | kShift, IDM_FV_LOWER_CASE},
        {v, VK_F2, 0, IDM_FV_DISPLAY_CONTEXT}, {v, VK_F3, 0, IDM_FV_FIND_NEXT},
        {v, VK_F3, kCtrl, IDM_FV_REPLACE}, {v, VK_F3, kAlt, IDM_FV_FIND},
        {v, VK_F4, 0, IDM_FV_SPLIT_WINDOW}, {v, VK_F6, 0, IDM_FV_SWITCH_PANE},
        {v, VK_TAB, kCtrl, IDM_FV_SWITCH_PANE}, {v, 'A', kCtrl, IDM_FV_SELECT_ALL},
        {v, 'F', kCtrl, IDM_FV_FONT}, {v, 'G', kCtrl, IDM_FV_TOGGLE_CASE},
        {v, 'L', kCtrl, IDM_FV_CONTEXT_SIZE}, {v, 'P', kCtrl, IDM_FV_PRINT},
        {v, 'S', kCtrl, IDM_FV_SAVE}, {v, 'T', kCtrl, IDM_FV_TABS},
        {v, 'W', kCtrl, IDM_FV_WRAP_LINES}, {v, 'Y', kCtrl, IDM_FV_COPY_LINEVIEW},
        {v, 'Z', kCtrl, 0}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(CommandForKey(c.accel, c.key, c.mods), c.command)
            << c.accel << " key " << c.key << " mods " << c.mods;
}

TEST(MainTemplate, CreatesAsQuarryWithItsControlsInTabOrder) {
    HWND window = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
    ASSERT_NE(window, nullptr);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    EXPECT_STREQ(cls, QUARRY_APP_NAME);
    EXPECT_NE(GetMenu(window), nullptr);

    std::vector<std::string> order;
    HWND first = GetDlgItem(window, IDC_DIRECTORY);
    HWND control = first;
    do {
        GetClassNameA(control, cls, sizeof cls);
        CharLowerA(cls);
        order.push_back(std::to_string(GetDlgCtrlID(control)) + " " + cls);
        control = GetNextDlgTabItem(window, control, FALSE);
    } while (control && control != first && order.size() < 40);
    const std::vector<std::string> expected = {
        "110 combobox", "111 combobox",     "112 combobox", "136 edit",     "137 edit",
        "141 edit",     "343 combobox",     "140 edit",     "345 combobox", "123 button",
        "124 button",   "125 button",       "116 edit",     "120 button",   "121 button",
        "122 button",   "113 syslistview32"};
    EXPECT_EQ(order, expected);

    // Each spin button directly follows the box it drives.
    for (int buddy : {IDC_SIZE_LESS, IDC_SIZE_MORE, IDC_LEVEL}) {
        HWND box = GetDlgItem(window, buddy);
        HWND spin = GetWindow(box, GW_HWNDNEXT);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), box) << buddy;
    }
    LONG list = GetWindowLongA(GetDlgItem(window, IDC_FILE_LIST), GWL_STYLE);
    EXPECT_EQ(list & (LVS_TYPEMASK | LVS_EDITLABELS | LVS_SINGLESEL), LVS_REPORT | LVS_EDITLABELS);
    DestroyWindow(window);
}

TEST(Images, LoadInTheSizesTheWindowsUse) {
    EXPECT_NE(LoadIconA(Instance(), QUARRY_APP_NAME), nullptr);
    EXPECT_NE(LoadCursorA(Instance(), MAKEINTRESOURCEA(IDCUR_SPLITTER)), nullptr);
    for (int id : {IDI_UNMARKED, IDI_MARKED})
        EXPECT_TRUE(DestroyIcon(static_cast<HICON>(
            LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0))))
            << id;
    for (int id : {IDB_MAIN_TOOLBAR, IDB_FILEVIEW_TOOLBAR}) {
        HBITMAP strip = LoadBitmapA(Instance(), MAKEINTRESOURCEA(id));
        BITMAP bm{};
        ASSERT_TRUE(GetObjectA(strip, sizeof bm, &bm)) << id;
        EXPECT_EQ(bm.bmWidth, TOOLBAR_IMAGE_COUNT * TOOLBAR_IMAGE_WIDTH);
        EXPECT_EQ(bm.bmHeight, TOOLBAR_IMAGE_HEIGHT);
        DeleteObject(strip);
    }
}

}  // namespace
