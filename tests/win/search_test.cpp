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
#include "search/report.h"
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

// A refusal is shown with the focus on its field, and the base directory of
// the last search stays current. (Which field refuses what is checked natively.)
TEST_F(Search, ARefusalFocusesItsFieldAndKeepsTheBaseDirectory) {
    Criteria("*.c");
    Find();
    SetDlgItemTextA(Main(), IDC_DIRECTORY, (tree + "\\missing").c_str());
    SetFocus(g_Main.FileList);
    boxes.Clear();
    Find();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Bad Directory Name specified!"});
    EXPECT_EQ(FocusedControl(), Control(IDC_DIRECTORY));
    EXPECT_TRUE(dialogs.seen.empty());
    EXPECT_EQ(CurrentDirectory(), tree);
}

// The level dialog between targets hands over its choice and "for the rest";
// the rows come sorted by size across directories, and Find Results counts them.
TEST_F(Search, TheLevelDialogAndFindResultsShowTheWalk) {
    dialogs.firstLevel = [](HWND dialog) {
        Click(dialog, IDC_SUBDIR_ALL);
        Click(dialog, IDC_LEVEL_FOR_REST);
        Press(dialog, IDOK);
    };
    ChangeSettings([](Settings& s) { s.SortMode = 2, s.SortDir = 1; });
    Criteria("*.C;*.h src\\*.asm");
    Find();
    EXPECT_EQ(dialogs.seen, (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
    EXPECT_EQ(RowNames(), "z.asm a.c x.asm b.h");
    EXPECT_EQ(dialogs.results, "4 in 4 directories|6|2|48 bytes");
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

// A file that is not text is offered after the walk; Yes shows it by name.
TEST_F(Search, NonTextFilesAreOfferedAndShown) {
    folder.Write("tree\\data.c", std::string(200000, '\x7f'));
    std::string count, names;
    DialogRobot nonText(IDD_NONTEXT_FILES, [&](HWND dialog) {
        count = TextOf(GetDlgItem(dialog, IDC_NONTEXT_COUNT));
        names = TextOf(GetDlgItem(dialog, IDC_NONTEXT_LIST));
        Press(dialog, IDOK);
    });
    boxes.Answer(IDYES);
    Criteria("*.c", "main");
    Find();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{NonTextQuestionText(1)});
    EXPECT_EQ(nonText.opened(), 1);
    EXPECT_EQ(count, "1");
    EXPECT_NE(names.find("data.c\r\n"), std::string::npos) << names;
    EXPECT_EQ(dialogs.seen, std::vector<int>{IDD_FIND_RESULTS});
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

// Find in Marked marks the rows whose files still pass. While it runs, a
// command and a list action that would change the rows are refused with a
// beep, and the mouse over the windows keeps the wait cursor. (Which commands
// are refused is checked natively.)
TEST_F(Search, DuringTheWalkListActionsAreRefusedAndTheCursorWaits) {
    Criteria("*.c *.h");
    Find();
    SelectRows({1});
    HCURSOR seen = nullptr;
    DuringWalk([&] {
        Command(IDM_CLEAR_LIST);
        NMLVKEYDOWN del = {
            {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_KEYDOWN)}, VK_DELETE, 0};
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&del));
        SendMessageA(g_Main.FileList, WM_SETCURSOR, reinterpret_cast<WPARAM>(g_Main.FileList),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        seen = GetCursor();
    });
    SetWindowTextA(g_Main.SearchTextCombo, "extern");
    Find(IDM_FIND_IN_MARKED);
    EXPECT_EQ(Marks(), "-*");
    EXPECT_EQ(refusals, (std::vector<int>{IDM_CLEAR_LIST, IDM_DELETE_ITEM}));
    EXPECT_EQ(RowNames(), "a.c b.h");
    EXPECT_EQ(seen, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    Command(IDM_CLEAR_LIST);
    EXPECT_EQ(RowNames(), "");
}

// The level box takes two digits and its arrows count round from 0 to 99.
TEST_F(Search, LevelBoxTakesTwoDigitsAndCountsRound) {
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
}

// An entry too long for any path is refused as a bad path, and the commands
// keep working afterwards through the message loop.
TEST_F(Search, AnEntryTooLongForAPathIsRefusedAndNothingFreezes) {
    Criteria("*.c;" + std::string(600, 'a'));
    Key(g_Main.FileNameCombo, WM_KEYDOWN, VK_F5);
    EXPECT_FALSE(SearchIsRunning());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text.substr(0, 9), "Bad path ");
    Criteria("*.c");
    dialogs.seen.clear();
    Key(g_Main.FileNameCombo, WM_KEYDOWN, VK_F5);
    EXPECT_EQ(dialogs.seen, std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_EQ(RowNames(), "a.c");
}

}  // namespace
