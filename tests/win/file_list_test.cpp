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

struct RecordedWarnings : WarningSink {
    void ShowWarning(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// Sets a value of the system profile's "intl" section for one test and puts
// the old one back afterwards.
class RegionalValue {
  public:
    RegionalValue(const char* key, const char* value) : key_(key) {
        char old[64];
        GetProfileStringA("intl", key, "\x01", old, sizeof old);
        hadValue_ = std::string(old) != "\x01";
        old_ = old;
        WriteProfileStringA("intl", key, value);
    }
    ~RegionalValue() { WriteProfileStringA("intl", key_, hadValue_ ? old_.c_str() : nullptr); }

  private:
    const char* key_;
    bool hadValue_ = false;
    std::string old_;
};

class FileList : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ClearPendingTable();
        gPendingTable.listHasRows = false;
    }

    // Rows for real files written into `directory` (the test folder when
    // empty), found in the given order.
    void ShowFiles(const std::vector<std::pair<std::string, std::string>>& files,
                   std::string directory = "") {
        if (directory.empty()) directory = folder.path();
        RecordedWarnings warnings;
        int found = 0;
        for (const auto& [name, bytes] : files) {
            std::string path = directory + "\\" + name;
            std::ofstream(path, std::ios::binary) << bytes;
            found = AddFileInfoItem(warnings, directory, EntryOf(path, name), found);
        }
        ShowPendingItems(found);
        ASSERT_TRUE(warnings.shown.empty());
    }

    static DirEntry EntryOf(const std::string& path, const std::string& name) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
        DirEntry entry;
        entry.name = name;
        entry.size = data.nFileSizeLow;
        entry.modified = UnixTimeFromFileTime(data.ftLastWriteTime.dwLowDateTime,
                                              data.ftLastWriteTime.dwHighDateTime);
        return entry;
    }

    int Rows() const {
        return static_cast<int>(SendMessageA(g_Main.FileList, LVM_GETITEMCOUNT, 0, 0));
    }

    // The text the list itself asks the program for when it draws the cell.
    std::string Cell(int row, int column) const {
        char text[300] = "";
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(g_Main.FileList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (int row = 0; row < Rows(); ++row) texts.push_back(Cell(row, column));
        return texts;
    }

    bool Has(int row, UINT state) const {
        return (SendMessageA(g_Main.FileList, LVM_GETITEMSTATE, row, state) & state) != 0;
    }
    bool Marked(int row) const {
        UINT state = static_cast<UINT>(
            SendMessageA(g_Main.FileList, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
        return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(kStateMarked);
    }
    int Focused() const {
        return static_cast<int>(SendMessageA(g_Main.FileList, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
    }
    void SetState(int row, UINT state, UINT mask) const {
        LVITEMA item = {};
        item.state = state;
        item.stateMask = mask;
        SendMessageA(g_Main.FileList, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void SelectOnly(std::initializer_list<int> rows) const {
        SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : rows) SetState(row, LVIS_SELECTED, LVIS_SELECTED);
    }

    void Command(int id) const { SendMessageA(Main(), WM_COMMAND, id, 0); }

    // Opens both row popups as the menu bar does and reads their items' state.
    bool MenuEnabled(int command) const {
        HMENU menu = GetMenu(Main());
        for (int position : {MAIN_MENU_FILE, MAIN_MENU_EDIT})
            SendMessageA(Main(), WM_INITMENUPOPUP,
                         reinterpret_cast<WPARAM>(GetSubMenu(menu, position)), position);
        return !(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED);
    }

    bool ButtonEnabled(int command) const {
        return SendMessageA(g_Main.Toolbar, TB_ISBUTTONENABLED, command, 0) != 0;
    }

    static std::string ClipboardText() {
        std::string text;
        OpenClipboard(nullptr);
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

    static void PutOnClipboard(const std::string& text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        OpenClipboard(nullptr);
        EmptyClipboard();
        SetClipboardData(CF_TEXT, block);
        CloseClipboard();
    }

    std::string PathOf(const std::string& name) const { return folder.File(name); }

    // The list's own reaction to a mouse click at a point of its client area.
    void ClickAt(POINT at) const {
        LPARAM where = MAKELPARAM(at.x, at.y);
        SendMessageA(g_Main.FileList, WM_LBUTTONDOWN, MK_LBUTTON, where);
        SendMessageA(g_Main.FileList, WM_LBUTTONUP, 0, where);
        DrainMessages();
    }
};

const std::vector<std::pair<std::string, std::string>> kThreeFiles = {
    {"b.txt", "bb"}, {"c.txt", "c"}, {"a.txt", "aaa"}};

TEST_F(FileList, NextMarkedItemSearchesCyclicallyAndStopsAtItsStart) {
    Start();
    EXPECT_EQ(NextMarkedItem(-1), -1);  // empty list
    ShowFiles(kThreeFiles);
    SetItemMark(0, false);
    SetItemMark(1, false);
    std::string path;
    // The only marked row, searched from itself: found, but the search came back.
    EXPECT_EQ(NextMarkedItem(2, &path), -1);
    EXPECT_EQ(path, PathOf("a.txt"));
    EXPECT_EQ(NextMarkedItem(-1), 2);
    EXPECT_EQ(NextMarkedItem(0), 2);

    SetItemMark(0, true);
    EXPECT_EQ(NextMarkedItem(2, &path), 0);
    EXPECT_EQ(path, PathOf("b.txt"));
    EXPECT_EQ(NextMarkedItem(0), 2);

    SetItemMark(0, false);
    SetItemMark(2, false);
    EXPECT_EQ(NextMarkedItem(-1), -1);
    EXPECT_FALSE(MenuEnabled(IDM_FIND_IN_MARKED));
}

TEST_F(FileList, DelRemovesRowsOnlyAndMovesTheFocus) {
    struct Case {
        std::initializer_list<int> selected;
        int rowsLeft;
        int focusAfter;
        const char* status;
    };
    const Case cases[] = {
        {{3, 4}, 3, 2, "2 file info(s) deleted"},  // at the end: the new last row
        {{1, 3}, 3, 1, "2 file info(s) deleted"},  // in the middle: the first one's place
        {{0, 1, 2, 3, 4}, 0, -1, "5 file info(s) deleted"},
    };
    Start();
    for (const Case& c : cases) {
        ClearFileInfoList();
        ShowFiles({{"1.txt", "1"}, {"2.txt", "2"}, {"3.txt", "3"}, {"4.txt", "4"}, {"5.txt", "5"}});
        SelectOnly(c.selected);
        // The key as the list control reports it to the main window.
        SendMessageA(g_Main.FileList, WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_EQ(Rows(), c.rowsLeft);
        EXPECT_EQ(ShownItemCount(), c.rowsLeft);
        EXPECT_EQ(Focused(), c.focusAfter);
        if (c.focusAfter >= 0) {
            EXPECT_TRUE(Has(c.focusAfter, LVIS_SELECTED));
        }
        EXPECT_EQ(StatusText(), c.status);
    }
    for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"})
        EXPECT_NE(GetFileAttributesA(PathOf(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
}

TEST_F(FileList, SelectAllLeavesNoFocusedRow) {
    Start();
    ShowFiles(kThreeFiles);
    SetState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_TRUE(MenuEnabled(IDM_MARK_ITEM));
    Command(IDM_SELECT_ALL_ITEMS);
    for (int row = 0; row < 3; ++row) EXPECT_TRUE(Has(row, LVIS_SELECTED)) << row;
    EXPECT_EQ(Focused(), -1);
    EXPECT_FALSE(MenuEnabled(IDM_MARK_ITEM));
    EXPECT_FALSE(MenuEnabled(IDM_OPEN_FILE));
    // F2 without a focused row marks nothing.
    Command(IDM_MARK_ITEM);
    for (int row = 0; row < 3; ++row) EXPECT_TRUE(Marked(row)) << row;
}

TEST_F(FileList, ClickOnTheStateIconTogglesTheMarkAndElsewhereDoesNot) {
    Start();
    ShowFiles(kThreeFiles);
    RECT label = {};
    label.left = LVIR_LABEL;
    SendMessageA(g_Main.FileList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&label));
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(g_Main.FileList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&bounds));
    int middle = (label.top + label.bottom) / 2;
    POINT onIcon = {bounds.left + GetSystemMetrics(SM_CXSMICON) / 2, middle};
    POINT onLabel = {(label.left + label.right) / 2, middle};

    LVHITTESTINFO hit = {};
    hit.pt = onIcon;
    ASSERT_EQ(SendMessageA(g_Main.FileList, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    ASSERT_EQ(hit.flags & LVHT_ONITEM, static_cast<UINT>(LVHT_ONITEMSTATEICON));

    ClickAt(onIcon);
    EXPECT_FALSE(Marked(1));
    EXPECT_TRUE(Marked(0));
    ClickAt(onLabel);
    EXPECT_FALSE(Marked(1));
    ClickAt(onIcon);
    EXPECT_TRUE(Marked(1));
    EXPECT_TRUE(Marked(2));
}

TEST_F(FileList, PathCellSpellsEachComponentAsTheDiskHoldsIt) {
    std::string parent = folder.File("MixedCase");
    std::string directory = parent + "\\SubDir";
    CreateDirectoryA(parent.c_str(), nullptr);
    CreateDirectoryA(directory.c_str(), nullptr);
    std::string lowered;
    for (char c : directory) lowered += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    Start();
    // The walk hands over lower-cased directories, with or without a trailing backslash.
    ShowFiles({{"x.txt", "x"}}, lowered);
    ShowFiles({{"y.txt", "y"}}, lowered + "\\");
    ASSERT_EQ(Rows(), 2);

    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    std::string shown = Cell(0, 4);
    std::string base = NormalizePathForDisplay(folder.path());
    EXPECT_EQ(shown, base + "\\MixedCase\\SubDir");
    ASSERT_GE(shown.size(), 3u);
    EXPECT_TRUE(isupper(static_cast<unsigned char>(shown[0])));
    EXPECT_EQ(shown.substr(1, 2), ":\\");
    EXPECT_EQ(Cell(1, 4), base + "\\MixedCase\\SubDir");
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);

    // A drive's root keeps its backslash, and a trailing one elsewhere goes.
    std::string root = std::string(1, static_cast<char>(tolower(shown[0]))) + ":\\";
    EXPECT_EQ(NormalizePathForDisplay(root), shown.substr(0, 3));
    EXPECT_EQ(NormalizePathForDisplay(directory + "\\"), base + "\\MixedCase\\SubDir");
}

TEST_F(FileList, DeletedFileKeepsItsNumbersButLosesItsName) {
    Start();
    ShowFiles({{"gone.txt", "12345"}});
    std::string date = Cell(0, 2);
    std::string time = Cell(0, 3);
    EXPECT_FALSE(Cell(0, 0).empty());
    DeleteFileA(PathOf("gone.txt").c_str());
    EXPECT_EQ(Cell(0, 0), "");
    EXPECT_EQ(Cell(0, 1), "5");
    EXPECT_EQ(Cell(0, 2), date);
    EXPECT_EQ(Cell(0, 3), time);
    EXPECT_EQ(date.size(), 8u);
    EXPECT_EQ(time.size(), 8u);
}

// Sets a file's time of last write from local calendar fields.
void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour,
                       WORD minute, WORD second) {
    SYSTEMTIME local = {year, month, 0, day, hour, minute, second, 0};
    FILETIME localTime, utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
}

TEST_F(FileList, DateAndTimeFollowTheRegionalSettingsAtEveryDraw) {
    Start();
    folder.Write("old.txt", "o");
    folder.Write("late.txt", "l");
    SetLocalWriteTime(PathOf("old.txt"), 1999, 12, 31, 9, 5, 3);
    SetLocalWriteTime(PathOf("late.txt"), 2040, 6, 15, 23, 59, 58);
    RecordedWarnings warnings;
    int found = AddFileInfoItem(warnings, folder.path(), EntryOf(PathOf("old.txt"), "old.txt"), 0);
    found =
        AddFileInfoItem(warnings, folder.path(), EntryOf(PathOf("late.txt"), "late.txt"), found);
    ShowPendingItems(found);

    {
        RegionalValue order("iDate", "1");
        RegionalValue separator("sDate", ".");
        RegionalValue timeSeparator("sTime", ".");
        EXPECT_EQ(Column(2), (std::vector<std::string>{"31.12.99", "15.06.40"}));
        EXPECT_EQ(Column(3), (std::vector<std::string>{"09.05.03", "23.59.58"}));
        ShowDateLabel(Main());
        EXPECT_EQ(Text(Control(IDC_DATE_GROUP)), "Date(dd.mm.yy)");
    }
    {
        RegionalValue order("iDate", "2");
        RegionalValue separator("sDate", "/");
        RegionalValue timeSeparator("sTime", ":");
        EXPECT_EQ(Cell(0, 2), "99/12/31");
        EXPECT_EQ(Cell(0, 3), "09:05:03");
        ShowDateLabel(Main());
        EXPECT_EQ(Text(Control(IDC_DATE_GROUP)), "Date(yy/mm/dd)");
    }
    {
        RegionalValue order("iDate", "0");
        RegionalValue separator("sDate", "-");
        EXPECT_EQ(Cell(1, 2), "06-15-40");
    }
}

TEST_F(FileList, ClipboardGetsTheSelectedPathsOnePerLine) {
    Start();
    ShowFiles(kThreeFiles);
    PutOnClipboard("untouched");
    SelectOnly({});
    Command(IDM_COPY_LIST);
    EXPECT_EQ(ClipboardText(), "untouched");

    SelectOnly({1});
    Command(IDM_COPY_LIST);
    EXPECT_EQ(ClipboardText(), PathOf("c.txt"));

    SelectOnly({0, 1, 2});
    EXPECT_EQ(CopySelectedToClipboard(), 1);
    EXPECT_EQ(ClipboardText(),
              PathOf("b.txt") + "\r\n" + PathOf("c.txt") + "\r\n" + PathOf("a.txt"));
}

TEST_F(FileList, SortingUsesTheCurrentModeAndTheHeaderClicks) {
    Start();
    g_Settings.SortMode = 2;  // by size
    ShowFiles(kThreeFiles);
    SortFileInfoList();
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(StatusText(), "Sorting complete");

    g_Settings.SortOrder = 0;
    Command(IDM_SORT_LIST);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"3", "2", "1"}));

    // A header click sorts by its column, says nothing and keeps the order flag.
    g_Settings.SortOrder = 1;
    SetStatusText("");
    NMLISTVIEW click = {};
    click.hdr = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = 0;
    SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(GetItemRecord(0)->name, "a.txt");
    EXPECT_EQ(GetItemRecord(2)->name, "c.txt");
    EXPECT_EQ(g_Settings.SortMode, 1);
    EXPECT_EQ(StatusText(), "");

    click.iSubItem = 4;
    SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(g_Settings.SortDir, 1);
    EXPECT_EQ(g_Settings.SortMode, 1);
}

TEST_F(FileList, F7OnAnEmptyListDoesNothing) {
    Start();
    g_Settings.SortMode = 1;
    SetStatusText("before");
    MSG key = {Main(), WM_KEYDOWN, VK_F7, 0, 0, {}};
    ProcessLoopMessage(key);
    EXPECT_EQ(StatusText(), "before");

    // With rows and no sort mode, the found order stays and nothing is said.
    ShowFiles(kThreeFiles);
    g_Settings.SortMode = 0;
    ProcessLoopMessage(key);
    EXPECT_EQ(StatusText(), "before");
    EXPECT_EQ(Column(1), (std::vector<std::string>{"2", "1", "3"}));
}

TEST_F(FileList, MenusFollowRowsSelectionFocusAndMarks) {
    Start();
    ShowFiles(kThreeFiles);
    for (int row = 0; row < 3; ++row) SetItemMark(row, false);
    SelectOnly({});
    for (int command : {IDM_COPY_LIST, IDM_SORT_LIST, IDM_SELECT_ALL_ITEMS})
        EXPECT_TRUE(MenuEnabled(command)) << command;
    for (int command : {IDM_CLEAR_LIST, IDM_DELETE_ITEM, IDM_MARK_ITEM, IDM_OPEN_FILE,
                        IDM_FIND_IN_SELECTED, IDM_FIND_IN_MARKED, IDM_RENAME_FILE})
        EXPECT_FALSE(MenuEnabled(command)) << command;

    SetState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_TRUE(MenuEnabled(IDM_OPEN_FILE));
    EXPECT_TRUE(MenuEnabled(IDM_MARK_ITEM));
    EXPECT_FALSE(MenuEnabled(IDM_CLEAR_LIST));

    SetItemMark(2, true);
    EXPECT_TRUE(MenuEnabled(IDM_FIND_IN_MARKED));

    SelectOnly({0});
    EXPECT_TRUE(MenuEnabled(IDM_CLEAR_LIST));
    EXPECT_TRUE(MenuEnabled(IDM_FIND_IN_SELECTED));
}

TEST_F(FileList, ToolbarFollowsSelectionAndRowCount) {
    Start();
    EXPECT_FALSE(ButtonEnabled(IDM_SORT_LIST));
    EXPECT_FALSE(ButtonEnabled(IDM_COPY_LIST));
    ShowFiles(kThreeFiles);
    UpdateListToolbarButtons();
    EXPECT_TRUE(ButtonEnabled(IDM_SORT_LIST));
    EXPECT_FALSE(ButtonEnabled(IDM_OPEN_FILE));

    // Focus coming to the list focuses and selects row 0 when no row has the focus.
    NMHDR focus = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(NM_SETFOCUS)};
    SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&focus));
    EXPECT_EQ(Focused(), 0);
    EXPECT_TRUE(Has(0, LVIS_SELECTED));
    for (int command : {IDM_COPY_LIST, IDM_OPEN_FILE, IDM_DELETE_ITEM})
        EXPECT_TRUE(ButtonEnabled(command)) << command;
    EXPECT_EQ(StatusText(1), "1");

    Command(IDM_CLEAR_LIST);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(ShownItemCount(), 0);
    EXPECT_FALSE(ButtonEnabled(IDM_SORT_LIST));
    EXPECT_FALSE(ButtonEnabled(IDM_COPY_LIST));
    EXPECT_EQ(StatusText(0), "Ready");
    EXPECT_EQ(StatusText(1), "000");
    EXPECT_EQ(StatusText(2), "000");
}

}  // namespace

namespace {

// The accelerator asks the main window to enable the item first; the very
// first F2 on a focused row must already reach its command.
TEST_F(FileList, F2ThroughTheLoopTogglesTheFocusedRowAtTheFirstPress) {
    Start();
    ShowFiles(kThreeFiles);
    SetState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    MSG key = {g_Main.FileList, WM_KEYDOWN, VK_F2, 0, 0, {}};
    ProcessLoopMessage(key);
    EXPECT_FALSE(Marked(1));
    EXPECT_TRUE(Marked(0));
    ProcessLoopMessage(key);
    EXPECT_TRUE(Marked(1));
}

}  // namespace
