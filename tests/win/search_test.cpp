#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_win.h"
#include "dialog_robot.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "search/criteria.h"
#include "search/search_driver.h"
#include "search/search_win.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/text.h"
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
    void Level(HWND dialog) {
        seen.push_back(IDD_SUBDIR_LEVEL);
        if (firstLevel) return std::exchange(firstLevel, nullptr)(dialog);
        Press(dialog, IDOK);
    }
    void Results(HWND dialog) {
        seen.push_back(IDD_FIND_RESULTS);
        results.clear();
        for (int id :
             {IDC_RESULT_FOUND, IDC_RESULT_DIRS_SEARCHED, IDC_RESULT_LEVEL, IDC_RESULT_TOTAL_SIZE})
            results += (results.empty() ? "" : "|") + TextOf(GetDlgItem(dialog, id));
        Press(dialog, IDOK);
    }
};

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
        Start();
        level.emplace(IDD_SUBDIR_LEVEL, [this](HWND dialog) { dialogs.Level(dialog); });
        results.emplace(IDD_FIND_RESULTS, [this](HWND dialog) { dialogs.Results(dialog); });
        for (const char* dir : {"tree", "tree\\src", "tree\\src\\deep"})
            CreateDirectoryA(folder.File(dir).c_str(), nullptr);
        folder.Write("tree\\a.c", "int main;\r\n");            // 11 bytes
        folder.Write("tree\\b.h", "extern int main;\r\n");     // 18 bytes
        folder.Write("tree\\src\\x.asm", "mov ax, main\r\n");  // 14 bytes
        folder.Write("tree\\src\\deep\\z.asm", "nop\r\n");     // 5 bytes
        char full[MAX_PATH];
        GetFullPathNameA(folder.File("tree").c_str(), MAX_PATH, full, nullptr);
        tree = LowerText(full);
        WNDCLASSA probeClass = {0,       DuringWalkProc, 0,       0,       nullptr,
                                nullptr, nullptr,        nullptr, nullptr, "QuarryDuringWalk"};
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

    static std::string CurrentDirectory() {
        char directory[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, directory);
        return LowerText(directory);
    }

    DialogScript dialogs;
    std::optional<DialogRobot> level, results;
    std::string tree;
    HWND probe = nullptr;
};

// A refusal is shown with the focus on its field, and a missing directory
// keeps the base directory of the last search current. (Which field refuses
// what, and in which order, is checked natively.)
TEST_F(Search, ARefusalFocusesItsFieldAndKeepsTheBaseDirectory) {
    auto set = [this](int id, std::string text) {
        return [this, id, text] { SetDlgItemTextA(Main(), id, text.c_str()); };
    };
    struct Case {
        std::function<void()> arrange;
        std::string message;
        int focus;
    };
    const Case cases[] = {
        {set(IDC_SIZE_MORE, "many"), "Error in More field", IDC_SIZE_MORE},
        // After a search from the tree, a missing directory leaves it the base.
        {[&] { Find(), set(IDC_DIRECTORY, tree + "\\missing")(); }, "Bad Directory Name specified!",
         IDC_DIRECTORY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RememberSearchCriteria(SearchCriteria{});
        SetCurrentDirectoryA(folder.path().c_str());
        Criteria("*.c");
        c.arrange();
        SetFocus(g_Main.FileList);
        boxes.Clear();
        Find();
        ASSERT_EQ(boxes.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(boxes.shown().back().type, UINT(MB_ICONEXCLAMATION | MB_OK));
        EXPECT_EQ(FocusedControl(), Control(c.focus));
        EXPECT_TRUE(dialogs.seen.empty());
        EXPECT_EQ(CurrentDirectory(), tree);
        set(IDC_SIZE_MORE, "")();
    }
}

// Each entry of File Name(s) is a target; the level is asked before each
// later one, only once when "use for the rest" is ticked. The rows come
// sorted by size across directories, and Find Results counts them.
TEST_F(Search, TargetsAskTheLevelInBetweenAndFindResultsCountsThem) {
    Answer allForRest = [](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_SUBDIR_ALL), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(dialog, IDC_LEVEL_FOR_REST), BM_CLICK, 0, 0);
        Press(dialog, IDOK);
    };
    struct Case {
        Answer firstLevel;
        int levelsAsked;
        const char* rows;
        const char* results;
    };
    const Case cases[] = {
        {nullptr, 2, "a.c x.asm b.h", "3 in 3 directories|3|0|43 bytes"},
        {allForRest, 1, "z.asm a.c x.asm b.h", "4 in 4 directories|6|2|48 bytes"},
    };
    ChangeSettings([](Settings& s) {
        s.SortMode = 2;
        s.SortDir = 1;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        dialogs.firstLevel = c.firstLevel;
        Criteria("*.C;*.h src\\*.asm");
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
}

// While a search runs, commands and list actions that would change the rows
// are refused with a beep, and the mouse over the windows keeps the wait cursor.
TEST_F(Search, DuringTheWalkListActionsAreRefusedAndTheCursorWaits) {
    Criteria("*.c *.h");
    Find();
    ASSERT_EQ(RowNames(), "a.c b.h");
    SelectRows({1});
    SetRowState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    SetFocus(g_Main.FileList);
    HCURSOR seen = nullptr;
    DuringWalk([&] {
        for (int command : {IDM_CLEAR_LIST, IDM_SELECT_ALL_ITEMS, IDM_SORT_OPTIONS})
            SendMessageA(Main(), WM_COMMAND, command, 0);
        NMLISTVIEW click = {};
        click.hdr = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
        NMLVKEYDOWN del = {
            {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_KEYDOWN)}, VK_DELETE, 0};
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&del));
        NMHDR open = {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(NM_DBLCLK)};
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&open));
        for (HWND over : {g_Main.FileList, Main(), Control(IDC_DATE_FROM)})
            SendMessageA(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        seen = GetCursor();
    });
    ChangeSettings([](Settings& s) { s.SortMode = 1; });
    Find(IDM_FIND_IN_MARKED);
    EXPECT_EQ(refusals, (std::vector<int>{IDM_CLEAR_LIST, IDM_SELECT_ALL_ITEMS, IDM_SORT_OPTIONS,
                                          IDM_SORT_LIST, IDM_DELETE_ITEM, IDM_OPEN_FILE}));
    EXPECT_EQ(RowNames(), "a.c b.h");
    EXPECT_EQ(SendMessageA(g_Main.FileList, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(g_Settings.SortMode, 1);
    EXPECT_EQ(dialogs.seen, std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_EQ(seen, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    // Once the search has ended the same commands work again.
    Command(IDM_CLEAR_LIST);
    EXPECT_EQ(RowNames(), "");
}

// The level box takes two digits, its arrows count up from 0 to 99, and
// anything but an unsigned number is the level error.
TEST_F(Search, LevelBoxTakesTwoDigitsCountsUpAndRefusesTheRest) {
    HWND level = Control(IDC_LEVEL);
    Command(IDC_SUBDIR_LEVEL);
    SetWindowTextA(level, "");
    SetFocus(level);
    for (char digit : {'1', '2', '3'}) Key(level, WM_CHAR, digit);
    EXPECT_EQ(Text(level), "12");
    for (auto [from, key, to] : {std::tuple{"0", VK_DOWN, "99"}, std::tuple{"99", VK_UP, "0"}}) {
        SetWindowTextA(level, from);
        Key(level, WM_KEYDOWN, key);
        Key(level, WM_KEYUP, key);
        EXPECT_EQ(Text(level), to) << from;
    }
    Criteria("*.c");
    SetWindowTextA(level, "+1");
    Find();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Sub-directory level error"});
    EXPECT_TRUE(dialogs.seen.empty());
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
