#include <windows.h>

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
    }
    void TearDown() override {
        script = nullptr;
        ProgramTest::TearDown();
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

}  // namespace
