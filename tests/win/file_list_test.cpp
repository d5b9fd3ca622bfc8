#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/app_win.h"
#include "app/main_window_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/pending.h"
#include "results/presentation_win.h"
#include "search/dir_lister_win.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

const Files kThreeFiles = {{"b.txt", "bb"}, {"c.txt", "c"}, {"a.txt", "aaa"}};

class FileList : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }

    void ShowFiles(const Files& files) { ShowRealFiles(folder.path(), files); }


    // Opens both row popups as the menu bar does; one letter for each group of
    // commands that is wholly enabled, lower case when only partly.
    std::string EnabledGroups() const {
        static const std::pair<char, std::vector<int>> kGroups[] = {
            {'F', {IDM_OPEN_FILE, IDM_MARK_ITEM}},  // a focused row
            {'S',
             {IDM_DELETE_FILES, IDM_COPY_FILES, IDM_MOVE_FILES, IDM_RENAME_FILE, IDM_ADD_TO_ZIP,
              IDM_FIND_IN_SELECTED, IDM_DELETE_ITEM, IDM_CLEAR_LIST}},
            {'M', {IDM_FIND_IN_MARKED}},
            {'R', {IDM_COPY_LIST, IDM_SORT_LIST, IDM_SELECT_ALL_ITEMS}}};
        HMENU menu = GetMenu(Main());
        for (int position : {MAIN_MENU_FILE, MAIN_MENU_EDIT})
            SendMessageA(Main(), WM_INITMENUPOPUP,
                         reinterpret_cast<WPARAM>(GetSubMenu(menu, position)), position);
        std::string groups;
        for (const auto& [letter, commands] : kGroups) {
            size_t on = 0;
            for (int command : commands)
                on += !(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED);
            if (on) groups += on == commands.size() ? letter : static_cast<char>(tolower(letter));
        }
        return groups;
    }
};

TEST_F(FileList, NextMarkedItemSearchesCyclicallyAndStopsAtItsStart) {
    ShowFiles(kThreeFiles);
    SetItemMark(0, false);
    SetItemMark(1, false);
    std::string path;
    // The only marked row, searched from itself: found, but the search came back.
    EXPECT_EQ(NextMarkedItem(2, &path), -1);
    EXPECT_EQ(path, folder.File("a.txt"));
    SetItemMark(0, true);
    EXPECT_EQ(NextMarkedItem(2, &path), 0);
    EXPECT_EQ(path, folder.File("b.txt"));
}

TEST_F(FileList, DelRemovesRowsOnlyAndMovesTheFocus) {
    struct Case {
        std::initializer_list<int> selected;
        int rowsLeft;
        int focusAfter;
    };
    const Case cases[] = {
        {{3, 4}, 3, 2},  // at the end: the new last row
        {{1, 3}, 3, 1},  // in the middle: the first one's place
    };
    const Files five = {{"1.txt", ""}, {"2.txt", ""}, {"3.txt", ""}, {"4.txt", ""}, {"5.txt", ""}};
    for (const Case& c : cases) {
        ClearFileInfoList();
        ShowFiles(five);
        SelectRows(c.selected);
        SendMessageA(g_Main.FileList, WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_EQ(SendMessageA(g_Main.FileList, LVM_GETITEMCOUNT, 0, 0), c.rowsLeft);
        EXPECT_EQ(FocusedItem(), c.focusAfter);
        EXPECT_TRUE(c.focusAfter < 0 ||
                    SendMessageA(g_Main.FileList, LVM_GETITEMSTATE, c.focusAfter, LVIS_SELECTED));
        EXPECT_EQ(StatusText(), std::to_string(c.selected.size()) + " file info(s) deleted");
    }
    for (const auto& [name, bytes] : five)
        EXPECT_NE(GetFileAttributesA(folder.File(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
}

TEST_F(FileList, MenusFollowRowsFocusMarksAndSelectionAndSelectAllDropsTheFocus) {
    EXPECT_EQ(EnabledGroups(), "");
    ShowFiles(kThreeFiles);
    for (int row = 0; row < 3; ++row) SetItemMark(row, false);
    SelectRows({});
    EXPECT_EQ(EnabledGroups(), "R");
    SetRowState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(EnabledGroups(), "FR");
    SetItemMark(2, true);
    EXPECT_EQ(EnabledGroups(), "FMR");
    Command(IDM_SELECT_ALL_ITEMS);
    EXPECT_EQ(EnabledGroups(), "SMR");
    EXPECT_EQ(FocusedItem(), -1);
    EXPECT_EQ(SendMessageA(g_Main.FileList, LVM_GETSELECTEDCOUNT, 0, 0), 3);
}

TEST_F(FileList, ClickOnTheStateIconTogglesTheMarkAndElsewhereDoesNot) {
    ShowFiles(kThreeFiles);
    RECT label = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(g_Main.FileList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&label));
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(g_Main.FileList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&bounds));
    int middle = (label.top + label.bottom) / 2;
    POINT onIcon = {bounds.left + GetSystemMetrics(SM_CXSMICON) / 2, middle};
    POINT onLabel = {(label.left + label.right) / 2, middle};
    auto clickAt = [](POINT at) {
        SendMessageA(g_Main.FileList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(g_Main.FileList, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        DrainMessages();
    };
    clickAt(onIcon);
    EXPECT_EQ(Marks(), "*-*");
    clickAt(onLabel);
    EXPECT_EQ(Marks(), "*-*");
    clickAt(onIcon);
    EXPECT_EQ(Marks(), "***");
}

// The walk hands over lower-cased directories, with or without a trailing
// backslash; a file deleted since keeps its row's numbers but not its name.
TEST_F(FileList, PathCellSpellsTheDiskAndADeletedFileLosesItsName) {
    std::string directory = folder.File("MixedCase\\SubDir");
    CreateDirectoryA(folder.File("MixedCase").c_str(), nullptr);
    CreateDirectoryA(directory.c_str(), nullptr);
    std::string lowered;
    for (char c : directory) lowered += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    ShowRealFiles(lowered, {{"x.txt", "12345"}});
    ShowRealFiles(lowered + "\\", {{"y.txt", "y"}});
    std::string expected = NormalizePathForDisplay(folder.path()) + "\\MixedCase\\SubDir";
    EXPECT_EQ(ListCell(0, 4), expected);
    EXPECT_EQ(ListCell(1, 4), expected);

    std::string date = ListCell(0, 2);
    EXPECT_EQ(ListCell(0, 0), "x.txt");
    DeleteFileA((directory + "\\x.txt").c_str());
    EXPECT_EQ(ListCell(0, 0), "");
    EXPECT_EQ(ListCell(0, 1), "5");
    EXPECT_EQ(ListCell(0, 2), date);
}

TEST_F(FileList, ClipboardGetsTheSelectedPathsOnePerLine) {
    ShowFiles(kThreeFiles);
    SelectRows({0, 1, 2});
    Command(IDM_COPY_LIST);
    EXPECT_EQ(ClipboardText(),
              folder.File("b.txt") + "\r\n" + folder.File("c.txt") + "\r\n" + folder.File("a.txt"));
}

// F7 on an empty list says nothing; the accelerator asks the main window to
// enable its item first, so the very first F2 on a focused row reaches it.
TEST_F(FileList, KeysThroughTheLoop) {
    ChangeSettings([](Settings& s) { s.SortMode = 1; });
    SetStatusText("before");
    MSG f7 = {Main(), WM_KEYDOWN, VK_F7, 0, 0, {}};
    ProcessLoopMessage(f7);
    EXPECT_EQ(StatusText(), "before");

    ShowFiles(kThreeFiles);
    SetRowState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    MSG key = {g_Main.FileList, WM_KEYDOWN, VK_F2, 0, 0, {}};
    ProcessLoopMessage(key);
    EXPECT_EQ(Marks(), "*-*");
    ProcessLoopMessage(key);
    EXPECT_EQ(Marks(), "***");
}

// A header click sorts by its column: Time is mode 4, Path switches sorting
// across directories on and off, and a second click sorts the same way again.
TEST_F(FileList, HeaderClicksSortByTheirColumnWithoutReversing) {
    ShowFiles(kThreeFiles);
    auto click = [this](int column) {
        NMLISTVIEW header = {};
        header.hdr = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        header.iSubItem = column;
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&header));
        return ListCell(0, 0) + ListCell(1, 0) + ListCell(2, 0);
    };
    ChangeSettings([](Settings& s) { s.SortDir = 0; });
    const struct {
        int column;
        const char* order;
        int mode;
        int across;
    } clicks[] = {
        {1, "c.txtb.txta.txt", 2, 0}, {1, "c.txtb.txta.txt", 2, 0}, {0, "a.txtb.txtc.txt", 1, 0},
        // The files share their time of last write: the order among them is open.
        {0, "a.txtb.txtc.txt", 1, 0}, {3, nullptr, 4, 0}, {4, nullptr, 4, 1}, {4, nullptr, 4, 0},
    };
    for (const auto& c : clicks) {
        std::string order = click(c.column);
        if (c.order) {
            EXPECT_EQ(order, c.order) << c.column;
        }
        EXPECT_EQ(g_Settings.SortMode, c.mode) << c.column;
        EXPECT_EQ(g_Settings.SortDir, c.across) << c.column;
    }
}

}  // namespace
