#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/main_window_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/presentation_win.h"
#include "search/dir_lister_win.h"
#include "settings/settings.h"
#include "ui/app_win.h"
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

// Del removes the selected rows only; the focus goes to the row now at the
// first one's place. (Where the focus goes in every case is checked natively.)
TEST_F(FileList, DelRemovesRowsOnlyAndMovesTheFocus) {
    ShowFiles({{"1.txt", ""}, {"2.txt", ""}, {"3.txt", ""}});
    SelectRows({0, 2});
    SendMessageA(g_Main.FileList, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(RowNames(), "2.txt");
    EXPECT_EQ(FocusedItem(), 0);
    EXPECT_TRUE(SendMessageA(g_Main.FileList, LVM_GETITEMSTATE, 0, LVIS_SELECTED));
    EXPECT_EQ(StatusText(), "2 file info(s) deleted");
    EXPECT_NE(GetFileAttributesA(folder.File("1.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileList, MenusFollowRowsFocusMarksAndSelectionAndSelectAllDropsTheFocus) {
    EXPECT_EQ(EnabledGroups(), "");
    ShowFiles(kThreeFiles);
    for (int row = 0; row < 2; ++row) SetItemMark(row, false);
    SetRowState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(EnabledGroups(), "FMR");
    Command(IDM_SELECT_ALL_ITEMS);
    EXPECT_EQ(EnabledGroups(), "SMR");
    EXPECT_EQ(FocusedItem(), -1);
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

// A header click sorts by its column, and the Path header switches sorting
// across directories. (Which mode each click leaves is checked natively.)
TEST_F(FileList, HeaderClicksSortByTheirColumn) {
    ShowFiles(kThreeFiles);
    ChangeSettings([](Settings& s) { s.SortDir = 0; });
    for (auto [column, order, across] :
         {std::tuple{1, "c.txt b.txt a.txt", 0}, std::tuple{0, "a.txt b.txt c.txt", 0},
          std::tuple{4, "a.txt b.txt c.txt", 1}}) {
        NMLISTVIEW header = {};
        header.hdr = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        header.iSubItem = column;
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&header));
        EXPECT_EQ(RowNames(), order) << column;
        EXPECT_EQ(g_Settings.SortDir, across) << column;
    }
}

}  // namespace
