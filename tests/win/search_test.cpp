#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_win.h"
#include "app/main_window_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "search/criteria.h"
#include "search/search_win.h"
#include "search/search_driver.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

using Answer = std::function<void(HWND)>;

// The search's dialogs in the order they opened, the last Find Results
// values joined by "|", and the test's answer to the first level dialog (the
// others get OK).
struct DialogScript {
    std::vector<int> seen;
    std::string results;
    Answer firstLevel;
};
DialogScript* script = nullptr;

void ScriptedDialogs(HWND dialog, int templateId) {
    script->seen.push_back(templateId);
    if (templateId == IDD_FIND_RESULTS) {
        script->results.clear();
        for (int id : {IDC_RESULT_FOUND, IDC_RESULT_DIRS_SEARCHED, IDC_RESULT_LEVEL,
                       IDC_RESULT_TOTAL_SIZE}) {
            char text[300] = "";
            GetDlgItemTextA(dialog, id, text, sizeof text);
            script->results += (script->results.empty() ? "" : "|") + std::string(text);
        }
    }
    if (templateId == IDD_SUBDIR_LEVEL && script->firstLevel)
        return std::exchange(script->firstLevel, nullptr)(dialog);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, id, 0);
}

// Runs code while a walk runs, as the user's clicks and keys would: the
// walk's pump dispatches the message posted to a window of the test's own.
std::function<void()> walkAction;
LRESULT CALLBACK DuringWalkProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_APP) return DefWindowProcA(window, msg, wp, lp);
    if (walkAction) std::exchange(walkAction, nullptr)();
    return 0;
}

std::vector<int> refusals;
void CountRefusal(int command) {
    refusals.push_back(command);
}

class Search : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        gSearchCriteria = SearchCriteria{};
        script = &dialogs;
        SetDialogTestHook(&ScriptedDialogs);
        Start();
        for (const char* dir : {"tree", "tree\\src", "tree\\src\\deep"})
            CreateDirectoryA(folder.File(dir).c_str(), nullptr);
        folder.Write("tree\\a.c", "int main;\r\n");            // 11 bytes
        folder.Write("tree\\b.h", "extern int main;\r\n");     // 18 bytes
        folder.Write("tree\\src\\x.asm", "mov ax, main\r\n");  // 14 bytes
        folder.Write("tree\\src\\deep\\z.asm", "nop\r\n");     // 5 bytes
        char full[MAX_PATH];
        GetFullPathNameA(folder.File("tree").c_str(), MAX_PATH, full, nullptr);
        tree = LowerText(full);
        WNDCLASSA probeClass = {};
        probeClass.lpfnWndProc = DuringWalkProc;
        probeClass.lpszClassName = "QuarryDuringWalk";
        RegisterClassA(&probeClass);
        probe = CreateWindowExA(0, "QuarryDuringWalk", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
        refusals.clear();
        SetRefusalBeepHook(&CountRefusal);
    }
    void TearDown() override {
        SetRefusalBeepHook(nullptr);
        walkAction = nullptr;
        DestroyWindow(probe);
        script = nullptr;
        ProgramTest::TearDown();
    }

    void DuringWalk(std::function<void()> action) {
        walkAction = std::move(action);
        PostMessageA(probe, WM_APP, 0, 0);
    }

    // A key typed into a window, through the program's message loop.
    static void Key(HWND window, UINT message, WPARAM key) {
        MSG msg = {window, message, key, 0x00000001, 0, {}};
        ProcessLoopMessage(msg);
    }

    static void SelectOnly(std::initializer_list<int> rows) {
        static LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = 0;
        SendMessageA(g_Main.FileList, LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&item));
        // The first is focused too, so the list's focus keeps to these rows.
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        for (int row : rows) {
            SendMessageA(g_Main.FileList, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
            item.stateMask = item.state = LVIS_SELECTED;
        }
    }

    static int SelectedCount() {
        return static_cast<int>(SendMessageA(g_Main.FileList, LVM_GETSELECTEDCOUNT, 0, 0));
    }

    void Criteria(const std::string& names, const std::string& text = "") {
        SetWindowTextA(g_Main.DirectoryCombo, tree.c_str());
        SetWindowTextA(g_Main.FileNameCombo, names.c_str());
        SetWindowTextA(g_Main.SearchTextCombo, text.c_str());
    }

    void Find(int command = IDM_FIND_FILES) {
        dialogs.seen.clear();
        dialogs.results.clear();
        Command(command);
    }

    // The rows' names in row order.
    static std::string RowNames() {
        std::string names;
        for (int row = 0; GetItemRecord(row); ++row)
            names += (row ? " " : "") + GetItemRecord(row)->name;
        return names;
    }

    // The control that has the focus, or the combo box whose edit field has it.
    static HWND FocusOwner() {
        HWND focus = GetFocus();
        char name[32] = "";
        GetClassNameA(GetParent(focus), name, sizeof name);
        return lstrcmpiA(name, "ComboBox") == 0 ? GetParent(focus) : focus;
    }

    static std::string CurrentDirectory() {
        char directory[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, directory);
        return LowerText(directory);
    }

    DialogScript dialogs;
    std::string tree;
    HWND probe = nullptr;
};

TEST_F(Search, EachRefusalNamesTheFieldAndKeepsTheNewBaseDirectory) {
    auto set = [this](int id, std::string text) {
        return [this, id, text] { SetDlgItemTextA(Main(), id, text.c_str()); };
    };
    struct Case {
        std::function<void()> arrange;
        std::string message;
        int focus;  // 0: the focus stays on the File Info List
    };
    const Case cases[] = {
        {set(IDC_FILE_NAMES, ""), "No file name!", IDC_FILE_NAMES},
        {[&] { Command(IDC_SUBDIR_LEVEL), set(IDC_LEVEL, "")(); }, "Sub-directory level error",
         IDC_LEVEL},
        {set(IDC_DATE_FROM, "soon"), "Error: Bad Date(s)\t", 0},
        {set(IDC_DATE_TO, "1/1/2999"), "Error: Bad Date(s)\t", 0},
        {set(IDC_SIZE_LESS, "12k"), "Error in Less field", IDC_SIZE_LESS},
        {set(IDC_SIZE_MORE, "-1"), "Error in More field", IDC_SIZE_MORE},
        {set(IDC_FILE_NAMES, "nowhere\\*.c;*.h"), "Bad path " + tree + "\\nowhere\n specified!",
         IDC_FILE_NAMES},
        {[] { g_Settings.DefaultFileType.clear(); }, "Error: No default File Type set!", 0},
        // After a search from the tree, a missing directory leaves it the base.
        {[&] { Find(), set(IDC_DIRECTORY, tree + "\\missing")(); }, "Bad Directory Name specified!",
         IDC_DIRECTORY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        gSearchCriteria = SearchCriteria{};
        SetCurrentDirectoryA(folder.path().c_str());
        Criteria("*.c");
        Command(IDC_SUBDIR_NONE);
        for (int id : {IDC_DATE_FROM, IDC_DATE_TO, IDC_SIZE_LESS, IDC_SIZE_MORE}) set(id, "")();
        g_Settings.DefaultFileType = "*.txt";
        c.arrange();
        SetFocus(g_Main.FileList);
        size_t before = boxes.shown().size();

        Find();

        ASSERT_EQ(boxes.shown().size(), before + 1);
        EXPECT_EQ(boxes.shown().back().text, c.message);
        EXPECT_EQ(boxes.shown().back().type, UINT(MB_ICONEXCLAMATION | MB_OK));
        EXPECT_EQ(FocusOwner(), c.focus ? Control(c.focus) : g_Main.FileList);
        EXPECT_TRUE(dialogs.seen.empty());
        EXPECT_EQ(gSearchCriteria.BaseDirectory, tree);
        EXPECT_EQ(CurrentDirectory(), tree);
    }
}

// Each entry of File Name(s) is a target; the level is asked before each
// later one, only once when "use for the rest" is ticked, and Cancel ends the
// walk there. The rows come sorted by size across directories.
TEST_F(Search, TargetsAskTheLevelInBetweenAndFindResultsCountsThem) {
    Answer allForRest = [](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_SUBDIR_ALL), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(dialog, IDC_LEVEL_FOR_REST), BM_CLICK, 0, 0);
        Press(dialog, IDOK);
    };
    Answer cancel = [](HWND dialog) { Press(dialog, IDCANCEL); };
    struct Case {
        const char* names;
        Answer firstLevel;
        int levelsAsked;
        const char* rows;
        const char* results;
    };
    const char* kTargets = "*.C;*.h src\\*.asm";
    const Case cases[] = {
        {kTargets, nullptr, 2, "a.c x.asm b.h", "3 in 3 directories|3|0|43 bytes"},
        {kTargets, allForRest, 1, "z.asm a.c x.asm b.h", "4 in 4 directories|6|2|48 bytes"},
        {kTargets, cancel, 1, "a.c", "1 in 1 directories|1|0|11 bytes"},
        {"*.zzz", nullptr, 0, "", "0 in 0 directories|1|0|0 bytes"},
    };
    g_Settings.SortMode = 2;
    g_Settings.SortDir = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        dialogs.firstLevel = c.firstLevel;
        Criteria(c.names);
        Find();
        std::vector<int> asked(c.levelsAsked, IDD_SUBDIR_LEVEL);
        asked.push_back(IDD_FIND_RESULTS);
        EXPECT_EQ(dialogs.seen, asked);
        EXPECT_EQ(RowNames(), c.rows);
        EXPECT_EQ(dialogs.results, c.results);
    }
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Search, EscDuringTheWalkAbortsOnceAndKeepsTheFinds) {
    Criteria("*.c;*.h;*.asm");
    // The second target's walk meets the Esc at its first entry.
    dialogs.firstLevel = [](HWND dialog) {
        Press(dialog, IDOK);
        PostMessageA(g_App.MainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    Find();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Search aborted by user!"});
    EXPECT_EQ(RowNames(), "a.c");
    EXPECT_EQ(dialogs.seen, (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
}

// A quit or a close met by the walk is acted on once the search has ended.
TEST_F(Search, QuitOrCloseDuringTheWalkEndsTheProgramAfterTheSearch) {
    Criteria("*.c");
    PostQuitMessage(7);
    Find();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Search aborted by user!"});
    EXPECT_TRUE(dialogs.seen.empty());
    EXPECT_EQ(DrainMessages(), 7);

    PostMessageA(Main(), WM_CLOSE, 0, 0);
    Find();
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(dialogs.seen.empty());
    EXPECT_EQ(DrainMessages(), 0);
    EXPECT_EQ(g_App.MainWindow, nullptr);
}

TEST_F(Search, FindInMarkedMarksTheRowsWhoseFilesStillPass) {
    Criteria("*.c *.h");
    Find();
    ASSERT_EQ(RowNames(), "a.c b.h");
    SetWindowTextA(g_Main.SearchTextCombo, "extern");
    Find(IDM_FIND_IN_MARKED);
    EXPECT_EQ(Marks(), "-*");
    EXPECT_EQ(dialogs.results, "1 in 1 directories|2|0|0 bytes");

    // Only the marked row is visited again, and its file is gone.
    DeleteFileA(folder.File("tree\\b.h").c_str());
    Find(IDM_FIND_IN_MARKED);
    EXPECT_EQ(Marks(), "--");
    EXPECT_EQ(dialogs.results, "0 in 0 directories|1|0|0 bytes");
}

// A stopped search resolves no further File Name(s) entry and asks nothing.
TEST_F(Search, AStoppedSearchAsksNoFurtherQuestion) {
    Criteria("*.c;nowhere\\*.h");
    PostMessageA(Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    Find();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Search aborted by user!"});
    EXPECT_EQ(dialogs.seen, std::vector<int>{IDD_FIND_RESULTS});

    // Not stopped, the same list asks about the bad entry.
    Find();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown().back().text, "Bad path " + tree + "\\nowhere\nspecified! Continue?");
}

// The rows a Find in Selected searches are those selected when it starts.
TEST_F(Search, FindInSelectedKeepsTheRowsItStartedWith) {
    Criteria("*.c *.h");
    Find();
    ASSERT_EQ(RowNames(), "a.c b.h");
    ASSERT_EQ(Marks(), "**");
    SetWindowTextA(g_Main.SearchTextCombo, "nothing like this");
    SelectOnly({0});
    DuringWalk([] { SelectOnly({0, 1}); });
    Find(IDM_FIND_IN_SELECTED);
    EXPECT_EQ(Marks(), "-*");
    EXPECT_EQ(dialogs.results, "0 in 0 directories|1|0|0 bytes");
}

// Commands and list actions that would change the rows or start another
// search are refused while one runs: a beep each, and nothing changes.
TEST_F(Search, CommandsAndListActionsDuringTheWalkAreRefused) {
    Criteria("*.c *.h");
    Find();
    ASSERT_EQ(RowNames(), "a.c b.h");
    SelectOnly({1});
    SetFocus(g_Main.FileList);
    const int commands[] = {IDM_FIND_FILES,  IDM_FIND_IN_SELECTED, IDM_FIND_IN_MARKED,
                            IDM_CLEAR_LIST,  IDM_DELETE_ITEM,      IDM_SORT_LIST,
                            IDM_MARK_ITEM,   IDM_SELECT_ALL_ITEMS, IDM_OPEN_FILE,
                            IDM_RENAME_FILE, IDM_DELETE_FILES,     IDM_COPY_FILES,
                            IDM_MOVE_FILES,  IDM_ADD_TO_ZIP,       IDM_SORT_OPTIONS,
                            IDM_FILE_FILTER, IDM_FILEVIEW_SETTINGS};
    DuringWalk([&] {
        for (int command : commands) SendMessageA(Main(), WM_COMMAND, command, 0);
        NMLISTVIEW click = {};
        click.hdr = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        click.iSubItem = 0;
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
        NMLVKEYDOWN del = {{g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_KEYDOWN)},
                           VK_DELETE, 0};
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&del));
        NMHDR open = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(NM_DBLCLK)};
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&open));
    });
    g_Settings.SortMode = 1;
    Find(IDM_FIND_IN_MARKED);

    std::vector<int> expected(std::begin(commands), std::end(commands));
    expected.insert(expected.end(), {IDM_SORT_LIST, IDM_DELETE_ITEM, IDM_OPEN_FILE});
    EXPECT_EQ(refusals, expected);
    EXPECT_EQ(RowNames(), "a.c b.h");
    EXPECT_EQ(Marks(), "**");
    EXPECT_EQ(SelectedCount(), 1);
    EXPECT_EQ(g_Settings.SortMode, 1);
    EXPECT_EQ(dialogs.seen, std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_TRUE(boxes.shown().empty());
    // Once the search has ended the same commands work again.
    Command(IDM_CLEAR_LIST);
    EXPECT_EQ(RowNames(), "");
    EXPECT_EQ(refusals.size(), expected.size());
}

// The mouse moving over the windows during a walk keeps the wait cursor.
TEST_F(Search, TheWaitCursorStaysUntilTheSearchEnds) {
    HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    HCURSOR seen = nullptr;
    Criteria("*.c");
    DuringWalk([&] {
        for (HWND over : {g_Main.FileList, Main(), Control(IDC_DATE_FROM)})
            SendMessageA(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        seen = GetCursor();
    });
    Find();
    EXPECT_EQ(seen, wait);
    EXPECT_EQ(GetCursor(), arrow);
}

// The level box takes two digits, its arrows count up from 0 to 99, and
// anything but an unsigned number is the level error.
TEST_F(Search, LevelBoxTakesTwoDigitsCountsUpAndRefusesTheRest) {
    HWND level = Control(IDC_LEVEL);
    Command(IDC_SUBDIR_LEVEL);
    SetWindowTextA(level, "");
    SetFocus(level);
    Key(level, WM_CHAR, '1');
    Key(level, WM_CHAR, '2');
    Key(level, WM_CHAR, '3');
    EXPECT_EQ(Text(level), "12");
    const struct {
        const char* from;
        WPARAM key;
        const char* to;
    } arrows[] = {{"12", VK_UP, "13"}, {"1", VK_UP, "2"}, {"0", VK_DOWN, "99"}, {"99", VK_UP, "0"}};
    for (const auto& arrow : arrows) {
        SetWindowTextA(level, arrow.from);
        Key(level, WM_KEYDOWN, arrow.key);
        Key(level, WM_KEYUP, arrow.key);
        EXPECT_EQ(Text(level), arrow.to) << arrow.from;
    }
    Criteria("*.c");
    for (const char* bad : {"-1", "+1", "1x", ""}) {
        SetWindowTextA(level, bad);
        size_t before = boxes.shown().size();
        Find();
        ASSERT_EQ(boxes.shown().size(), before + 1) << bad;
        EXPECT_EQ(boxes.shown().back().text, "Sub-directory level error") << bad;
        EXPECT_TRUE(dialogs.seen.empty()) << bad;
    }
    SetWindowTextA(level, "1");
    Find();
    EXPECT_EQ(RowNames(), "a.c");
    EXPECT_EQ(g_Settings.SubDirLevel, 1u);
}

// An entry too long for any path is refused as a bad path, and every
// command keeps working afterwards, through the message loop as the user
// would reach them.
TEST_F(Search, AnEntryTooLongForAPathIsRefusedAndNothingFreezes) {
    std::string longName;
    for (int i = 0; i < 60; ++i) longName += "abcdefghij";
    for (const std::string& names : {longName, "*.c;" + longName}) {
        SCOPED_TRACE(names.size());
        Criteria(names);
        Key(g_Main.FileNameCombo, WM_KEYDOWN, VK_F5);
        EXPECT_FALSE(SearchIsRunning());
        Criteria("*.c");
        dialogs.seen.clear();
        Key(g_Main.FileNameCombo, WM_KEYDOWN, VK_F5);
        EXPECT_EQ(dialogs.seen, std::vector<int>{IDD_FIND_RESULTS});
        EXPECT_EQ(RowNames(), "a.c");
    }
    for (const auto& shown : boxes.shown()) EXPECT_EQ(shown.text.substr(0, 9), "Bad path ");
    EXPECT_EQ(boxes.shown().size(), 2u);
    Key(Main(), WM_KEYDOWN, VK_F5);
    PostMessageA(Main(), WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_EQ(g_App.MainWindow, nullptr);
}

}  // namespace
