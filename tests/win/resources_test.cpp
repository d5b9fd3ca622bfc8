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

// The code finds each spin button as the window after its box.
TEST(MainTemplate, CreatesAsQuarryWithEachSpinAfterItsBox) {
    HWND window = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
    ASSERT_NE(window, nullptr);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    EXPECT_STREQ(cls, QUARRY_APP_NAME);
    EXPECT_NE(GetMenu(window), nullptr);

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
