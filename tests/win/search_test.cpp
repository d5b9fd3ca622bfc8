#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/main_window_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/pending.h"
#include "search/criteria.h"
#include "search/report_win.h"
#include "search/search_win.h"
#include "search/walk.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

// What the search's dialogs showed, and how the test answers them.
struct SeenDialog {
    int templateId = 0;
    std::vector<std::string> fields;  // Find Results: its four values
    RECT place = {};
    std::string status;  // status bar part 0 as the dialog opened
    bool stayedOpenAfterEscAndClose = false;
};

struct DialogScript {
    std::vector<SeenDialog> seen;
    // Answers for the level dialog in turn; an empty function presses OK.
    std::vector<std::function<void(HWND)>> levelAnswers;
    size_t nextLevelAnswer = 0;
    bool tryEscOnFindResults = false;
};
DialogScript* script = nullptr;

std::string ItemText(HWND dialog, int id) {
    char text[300] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void CALLBACK FindResultsStillOpen(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    KillTimer(dialog, timer);
    script->seen.back().stayedOpenAfterEscAndClose = true;
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void ScriptedDialogs(HWND dialog, int templateId) {
    SeenDialog seen;
    seen.templateId = templateId;
    GetWindowRect(dialog, &seen.place);
    char status[300] = "";
    SendMessageA(g_Main.StatusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    seen.status = status;
    if (templateId == IDD_FIND_RESULTS) {
        for (int id :
             {IDC_RESULT_FOUND, IDC_RESULT_DIRS_SEARCHED, IDC_RESULT_LEVEL, IDC_RESULT_TOTAL_SIZE})
            seen.fields.push_back(ItemText(dialog, id));
    }
    script->seen.push_back(seen);
    if (templateId == IDD_FIND_RESULTS && script->tryEscOnFindResults) {
        // Esc on the OK button and the close box, then a timer that fires
        // only if the dialog is still running its loop after both.
        PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        SetTimer(dialog, 1, 1, FindResultsStillOpen);
        return;
    }
    if (templateId == IDD_SUBDIR_LEVEL && script->nextLevelAnswer < script->levelAnswers.size()) {
        auto& answer = script->levelAnswers[script->nextLevelAnswer++];
        if (answer) {
            answer(dialog);
            return;
        }
    }
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void Tick(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class Search : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        gSearchCriteria = SearchCriteria{};
        script = &dialogs;
        SetDialogTestHook(&ScriptedDialogs);
    }
    void TearDown() override {
        SetDialogTestHook(nullptr);
        script = nullptr;
        ResetNonTextList(gNonTextList);
        ProgramTest::TearDown();
    }

    // A tree under the test's folder; returns its lower-case path.
    std::string BuildTree() {
        std::string root = folder.path() + "\\tree";
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA((root + "\\src").c_str(), nullptr);
        CreateDirectoryA((root + "\\src\\deep").c_str(), nullptr);
        folder.Write("tree\\a.c", "int main;\r\n");            // 11 bytes
        folder.Write("tree\\b.h", "extern int main;\r\n");     // 18 bytes
        folder.Write("tree\\notes.txt", "nothing here\r\n");   // 14 bytes
        folder.Write("tree\\src\\x.asm", "mov ax, main\r\n");  // 14 bytes
        folder.Write("tree\\src\\y.c", "void y;\r\n");         // 9 bytes
        folder.Write("tree\\src\\deep\\z.asm", "nop\r\n");     // 5 bytes
        char full[MAX_PATH];
        GetFullPathNameA(root.c_str(), MAX_PATH, full, nullptr);
        return LowerText(full);
    }

    void Criteria(const std::string& directory, const std::string& names,
                  const std::string& text = "") {
        SetWindowTextA(g_Main.DirectoryCombo, directory.c_str());
        SetWindowTextA(g_Main.FileNameCombo, names.c_str());
        SetWindowTextA(g_Main.SearchTextCombo, text.c_str());
    }

    void SubDirMode(int id) { SendMessageA(Main(), WM_COMMAND, id, 0); }

    void Find(int command = IDM_FIND_FILES) { SendMessageA(Main(), WM_COMMAND, command, 0); }

    // The names of the File Info List's rows, in name order.
    std::vector<std::string> ListedNames() const {
        std::vector<std::string> names;
        int rows = static_cast<int>(SendMessageA(g_Main.FileList, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) names.push_back(GetItemRecord(row)->name);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<int> DialogsSeen() const {
        std::vector<int> ids;
        for (const SeenDialog& seen : dialogs.seen) ids.push_back(seen.templateId);
        return ids;
    }

    std::vector<std::string> FindResults() const {
        for (const SeenDialog& seen : dialogs.seen)
            if (seen.templateId == IDD_FIND_RESULTS) return seen.fields;
        return {};
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& shown : boxes.shown()) texts.push_back(shown.text);
        return texts;
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
};

TEST_F(Search, EachRefusalNamesTheFieldAndKeepsTheNewBaseDirectory) {
    Start();
    std::string tree = BuildTree();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string message;
        int focus;  // control id; 0: the focus stays on the File Info List
    };
    const Case cases[] = {
        {"no file name", [&] { SetWindowTextA(g_Main.FileNameCombo, ""); }, "No file name!",
         IDC_FILE_NAMES},
        {"no level",
         [&] {
             SubDirMode(IDC_SUBDIR_LEVEL);
             SetDlgItemTextA(Main(), IDC_LEVEL, "");
         },
         "Sub-directory level error", IDC_LEVEL},
        {"bad date", [&] { SetDlgItemTextA(Main(), IDC_DATE_FROM, "soon"); },
         "Error: Bad Date(s)\t", 0},
        {"date after today", [&] { SetDlgItemTextA(Main(), IDC_DATE_TO, "1/1/2999"); },
         "Error: Bad Date(s)\t", 0},
        {"bad less", [&] { SetDlgItemTextA(Main(), IDC_SIZE_LESS, "12k"); }, "Error in Less field",
         IDC_SIZE_LESS},
        {"bad more", [&] { SetDlgItemTextA(Main(), IDC_SIZE_MORE, "-1"); }, "Error in More field",
         IDC_SIZE_MORE},
        {"bad first path", [&] { SetWindowTextA(g_Main.FileNameCombo, "nowhere\\*.c;*.h"); },
         "Bad path " + tree + "\\nowhere\n specified!", IDC_FILE_NAMES},
        {"no default type", [&] { g_Settings.DefaultFileType.clear(); },
         "Error: No default File Type set!", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gSearchCriteria = SearchCriteria{};
        SetCurrentDirectoryA(folder.path().c_str());
        Criteria(tree, "*.c");
        SubDirMode(IDC_SUBDIR_NONE);
        for (int id : {IDC_DATE_FROM, IDC_DATE_TO, IDC_SIZE_LESS, IDC_SIZE_MORE})
            SetDlgItemTextA(Main(), id, "");
        g_Settings.DefaultFileType = "*.txt";
        c.arrange();
        SetFocus(g_Main.FileList);
        size_t before = boxes.shown().size();

        Find();

        ASSERT_EQ(boxes.shown().size(), before + 1);
        EXPECT_EQ(boxes.shown().back().text, c.message);
        EXPECT_EQ(boxes.shown().back().caption, "Quarry");
        EXPECT_EQ(boxes.shown().back().type, UINT(MB_ICONEXCLAMATION | MB_OK));
        EXPECT_EQ(FocusOwner(), c.focus ? Control(c.focus) : g_Main.FileList);
        EXPECT_TRUE(dialogs.seen.empty());
        // The directory step came first and stays done.
        EXPECT_EQ(gSearchCriteria.BaseDirectory, tree);
        EXPECT_EQ(Text(Control(IDC_CURRENT_DIR)), tree);
        EXPECT_EQ(g_Settings.Directory, tree);
        EXPECT_EQ(CurrentDirectory(), tree);
        EXPECT_FALSE(SearchIsRunning());
    }
}

TEST_F(Search, BadDirectoryIsRefusedAndTheOldBaseStays) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c");
    Find();
    ASSERT_EQ(gSearchCriteria.BaseDirectory, tree);

    Criteria(tree + "\\missing", "*.c");
    SetFocus(g_Main.FileList);
    Find();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bad Directory Name specified!"});
    EXPECT_EQ(FocusOwner(), g_Main.DirectoryCombo);
    EXPECT_EQ(gSearchCriteria.BaseDirectory, tree);
    EXPECT_EQ(CurrentDirectory(), tree);

    // Quotes around the directory are dropped; an empty box keeps the base.
    dialogs.seen.clear();
    Criteria("  \"" + tree + "\\src\"  ", "*.asm");
    Find();
    EXPECT_EQ(gSearchCriteria.BaseDirectory, tree + "\\src");
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"x.asm"});
    Criteria("", "*.c");
    Find();
    EXPECT_EQ(gSearchCriteria.BaseDirectory, tree + "\\src");
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"y.c"});
}

TEST_F(Search, ThreeEntriesAskTheLevelBeforeTheSecondAndThird) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.C;*.h src\\*.asm");
    Find();

    EXPECT_EQ(DialogsSeen(),
              (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "b.h", "x.asm"}));
    EXPECT_EQ(gSearchCriteria.FileNameList, "*.c;*.h src\\*.asm");
    EXPECT_EQ(Text(g_Main.FileNameCombo), "*.c;*.h src\\*.asm");
    EXPECT_EQ(FindResults(),
              (std::vector<std::string>{"3 in 3 directories", "3", "0", "43 bytes"}));
    EXPECT_EQ(CurrentDirectory(), tree);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Search, UseForRestStopsTheQuestionsAndItsDepthApplies) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c *.h src\\*.asm");
    dialogs.levelAnswers.push_back([](HWND dialog) {
        // Preset from the main window's mode and level.
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SUBDIR_NONE), BST_CHECKED);
        EXPECT_EQ(ItemText(dialog, IDC_LEVEL), "0");
        Tick(dialog, IDC_SUBDIR_ALL);
        Tick(dialog, IDC_LEVEL_FOR_REST);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Find();

    EXPECT_EQ(DialogsSeen(), (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
    // *.h and src\*.asm were walked with all levels: z.asm lies in src\deep.
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "b.h", "x.asm", "z.asm"}));
    EXPECT_TRUE(gPendingTable.skipDuplicates);
    EXPECT_EQ(FindResults()[0], "4 in 4 directories");
    EXPECT_EQ(FindResults()[2], "2");
    // The answer does not change the main window's setting.
    EXPECT_EQ(g_Settings.SubDirMode, 0);
}

TEST_F(Search, CancelInTheLevelDialogStillReportsTheFinds) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c;*.h src\\*.asm");
    dialogs.levelAnswers.push_back(
        [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    Find();

    EXPECT_EQ(DialogsSeen(), (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"a.c"});
    EXPECT_EQ(FindResults(),
              (std::vector<std::string>{"1 in 1 directories", "1", "0", "11 bytes"}));
}

TEST_F(Search, LaterBadPathIsOfferedToSkip) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c nowhere\\*.c src\\*.asm");
    boxes.Answer(IDYES);
    Find();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Bad path " + tree + "\\nowhere\nspecified! Continue?");
    EXPECT_EQ(boxes.shown()[0].type, UINT(MB_ICONHAND | MB_YESNO));
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "x.asm"}));

    // No ends the search there; what was found is still reported.
    dialogs.seen.clear();
    Find();
    EXPECT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"a.c"});
    EXPECT_EQ(DialogsSeen(), std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_EQ(CurrentDirectory(), tree);
}

TEST_F(Search, NothingFoundStillShowsFindResultsWhereOnlyOkClosesIt) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.zzz", "main");
    SubDirMode(IDC_SUBDIR_ALL);
    dialogs.tryEscOnFindResults = true;
    Find();

    ASSERT_EQ(DialogsSeen(), std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_EQ(FindResults(), (std::vector<std::string>{"0 in 0 directories", "3", "2", "0 bytes"}));
    EXPECT_TRUE(dialogs.seen[0].stayedOpenAfterEscAndClose);

    // Centred across the main window, just under its caption and menu bar.
    RECT main;
    GetWindowRect(Main(), &main);
    const RECT& place = dialogs.seen[0].place;
    EXPECT_EQ(place.top, main.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));
    EXPECT_LE(std::abs((place.left + place.right) - (main.left + main.right)), 1);
}

TEST_F(Search, TextSizeAndDateBoundsSelectTheFiles) {
    Start();
    std::string tree = BuildTree();
    SubDirMode(IDC_SUBDIR_ALL);
    Criteria(tree, "*.*", "MAIN");
    Find();
    // Case is off: "main" in any case.
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "b.h", "x.asm"}));
    EXPECT_EQ(gSearchCriteria.SearchText, "MAIN");

    CheckDlgButton(Main(), IDC_CASE, BST_CHECKED);
    SendMessageA(Main(), WM_COMMAND, IDC_CASE, 0);
    Find();
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_EQ(gSearchCriteria.TextOptions, 1);

    // Sizes in bytes: 11 to 14 bytes.
    Criteria(tree, "*.*");
    HWND lessUnit = Control(IDC_LESS_UNIT);
    HWND moreUnit = Control(IDC_MORE_UNIT);
    for (HWND unit : {lessUnit, moreUnit}) {
        SendMessageA(unit, CB_SETCURSEL, 0, 0);
        SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(unit), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(unit));
    }
    SetDlgItemTextA(Main(), IDC_SIZE_LESS, "14");
    SetDlgItemTextA(Main(), IDC_SIZE_MORE, "11");
    Find();
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "notes.txt", "x.asm"}));

    // Everything here was written today; a range that ends yesterday finds nothing.
    SetDlgItemTextA(Main(), IDC_SIZE_LESS, "");
    SetDlgItemTextA(Main(), IDC_SIZE_MORE, "");
    SetDlgItemTextA(Main(), IDC_DATE_TO, "1/1/2001");
    Find();
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Search, ProgressTextNamesTheDirectoryOrTheTailOfALongPath) {
    Start();
    std::string tree = BuildTree();
    std::string deep = "tree";
    for (int i = 0; i < 6; ++i) {
        deep += "\\a-directory-with-a-long-name-" + std::to_string(i);
        CreateDirectoryA(folder.File(deep).c_str(), nullptr);
    }
    folder.Write(deep + "\\last.c", "x");
    Criteria(tree, "*.c");
    Find();
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].status, "Searching " + tree);

    SubDirMode(IDC_SUBDIR_ALL);
    Criteria(tree + "\\a-directory-with-a-long-name-0", "last.c");
    Find();
    ASSERT_EQ(dialogs.seen.size(), 2u);
    std::string shown = dialogs.seen[1].status;
    EXPECT_EQ(shown.rfind("Searching...\\", 0), 0u) << shown;
    // A tail of the file's path from a backslash on, cut to the status text's capacity.
    std::string fullPath = LowerText(folder.File(deep + "\\last.c"));
    EXPECT_NE(fullPath.find(shown.substr(12)), std::string::npos) << shown;
    EXPECT_LE(shown.size(), 127u);
}

TEST_F(Search, EscDuringTheWalkAbortsOnceAndKeepsTheFinds) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c;*.h;*.asm");
    // The second target's walk meets the Esc at its first entry.
    dialogs.levelAnswers.push_back([](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(g_App.MainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    Find();

    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Search aborted by user!"});
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"a.c"});
    EXPECT_EQ(DialogsSeen(), (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
    EXPECT_EQ(FindResults()[0], "1 in 1 directories");
    EXPECT_FALSE(SearchIsRunning());

    // Esc posted before the command is seen at the walk's first entry.
    dialogs.seen.clear();
    PostMessageA(Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    Find();
    EXPECT_EQ(boxes.shown().size(), 2u);
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_EQ(FindResults()[0], "0 in 0 directories");
}

TEST_F(Search, MessagesDuringTheWalkAreDispatchedAndAnotherSearchIsRefused) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c");
    SubDirMode(IDC_SUBDIR_ALL);
    // Dispatched by the walk: a click on Word takes effect, a second Find
    // Files is refused.
    CheckDlgButton(Main(), IDC_WORD, BST_CHECKED);
    PostMessageA(Main(), WM_COMMAND, IDC_WORD, 0);
    PostMessageA(Main(), WM_COMMAND, IDM_FIND_FILES, 0);
    Find();
    EXPECT_EQ(g_Settings.TextOptions, 2);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "y.c"}));
    EXPECT_EQ(DialogsSeen(), std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_EQ(DrainMessages(), -1);
    EXPECT_EQ(DialogsSeen(), std::vector<int>{IDD_FIND_RESULTS});
}

TEST_F(Search, QuitDuringTheWalkEndsTheProgramAfterTheSearch) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c");
    PostQuitMessage(7);
    Find();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Search aborted by user!"});
    EXPECT_TRUE(dialogs.seen.empty());
    EXPECT_EQ(DrainMessages(), 7);
}

TEST_F(Search, CloseBoxDuringTheWalkClosesTheWindowAfterIt) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c");
    PostMessageA(Main(), WM_CLOSE, 0, 0);
    Find();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(dialogs.seen.empty());
    EXPECT_EQ(DrainMessages(), 0);
    EXPECT_EQ(g_App.MainWindow, nullptr);
}

TEST_F(Search, LevelDialogRefusesALevelThatIsNoNumber) {
    Start();
    dialogs.levelAnswers.push_back([this](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SUBDIR_LEVEL), BST_CHECKED);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_SUBDIR_LEVEL));
        EXPECT_EQ(ItemText(dialog, IDC_LEVEL), "7");
        SetDlgItemTextA(dialog, IDC_LEVEL, "two");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Sub-directory level error"});
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_LEVEL));
        SetDlgItemTextA(dialog, IDC_LEVEL, "3");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(SubDirLevelDialog(Main(), 2, 7), 3);
    dialogs.levelAnswers.push_back([](HWND dialog) {
        Tick(dialog, IDC_SUBDIR_ALL);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(SubDirLevelDialog(Main(), 0, 0), kWalkAllLevels);
    dialogs.levelAnswers.push_back(
        [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(SubDirLevelDialog(Main(), 1, 0), -1);
}

TEST_F(Search, NonTextFilesAreOfferedAndListedUpToTheLimit) {
    Start();
    NonTextList& list = gNonTextList;
    list.NonTextCount = 300;
    list.NonTextListFull = true;
    for (int i = 0; i < 256; ++i)
        list.NonTextNames += "c:\\Bin\\file" + std::to_string(i) + ".dat\r\n";

    std::string count;
    int lines = 0;
    std::string firstLine;
    SetDialogTestHook([](HWND dialog, int) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); });
    boxes.Answer(IDNO);
    ReportNonTextFiles(Main());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "There were 300 non-text files where search was not possible.Do you wish to see "
              "the list of files?");
    EXPECT_EQ(boxes.shown()[0].type, UINT(MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(list.NonTextCount, 300);

    static std::string* countOut;
    static int* linesOut;
    static std::string* firstOut;
    countOut = &count;
    linesOut = &lines;
    firstOut = &firstLine;
    SetDialogTestHook([](HWND dialog, int templateId) {
        ASSERT_EQ(templateId, IDD_NONTEXT_FILES);
        *countOut = ItemText(dialog, IDC_NONTEXT_COUNT);
        HWND edit = GetDlgItem(dialog, IDC_NONTEXT_LIST);
        *linesOut = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
        char line[300] = "";
        *reinterpret_cast<WORD*>(line) = sizeof line;
        LRESULT got = SendMessageA(edit, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
        *firstOut = std::string(line, static_cast<size_t>(got));
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    boxes.Answer(IDYES);
    ReportNonTextFiles(Main());
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[2].text,
              "Too many non-text files!Only the first 256 files will be displayed!");
    EXPECT_EQ(count, "300");
    EXPECT_EQ(lines, 257);  // the last name ends its line too
    EXPECT_EQ(firstLine, "c:\\bin\\file0.dat");
    EXPECT_TRUE(list.NonTextNames.empty());

    // No non-text files: no question at all.
    ResetNonTextList(list);
    ReportNonTextFiles(Main());
    EXPECT_EQ(boxes.shown().size(), 3u);
}

TEST_F(Search, NonTextFileMetByTheScanIsOfferedBeforeFindResults) {
    Start();
    std::string tree = BuildTree();
    folder.Write("tree\\image.c", std::string(70000, 'x'));  // no line end in its first chunk
    Criteria(tree, "*.c", "main");
    boxes.Answer(IDYES);
    Find();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                              "There were 1 non-text files where search was not possible.Do you "
                              "wish to see the list of files?"});
    EXPECT_EQ(DialogsSeen(), (std::vector<int>{IDD_NONTEXT_FILES, IDD_FIND_RESULTS}));
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"a.c"});

    // No goes straight on to Find Results.
    dialogs.seen.clear();
    Find();
    EXPECT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(DialogsSeen(), std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_EQ(gNonTextList.NonTextCount, 1);
}

TEST_F(Search, FindInMarkedAndSelectedMarkTheRowsWhoseFilesStillPass) {
    Start();
    std::string tree = BuildTree();
    Criteria(tree, "*.c *.h");
    Find();
    HWND list = g_Main.FileList;
    ASSERT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "b.h"}));
    auto markOf = [&](const char* name) {
        for (int row = 0; GetItemRecord(row); ++row)
            if (GetItemRecord(row)->name == name)
                return static_cast<int>(
                    SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12);
        return 0;
    };

    dialogs.seen.clear();
    SetWindowTextA(g_Main.SearchTextCombo, "extern");
    Find(IDM_FIND_IN_MARKED);
    EXPECT_EQ(markOf("a.c"), kStateUnmarked);
    EXPECT_EQ(markOf("b.h"), kStateMarked);
    EXPECT_EQ(FindResults(), (std::vector<std::string>{"1 in 1 directories", "2", "0", "0 bytes"}));
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.c", "b.h"}));

    // A marked row whose file is gone ends unmarked; unmarked rows are not visited.
    DeleteFileA(folder.File("tree\\b.h").c_str());
    dialogs.seen.clear();
    Find(IDM_FIND_IN_MARKED);
    EXPECT_EQ(markOf("b.h"), kStateUnmarked);
    EXPECT_EQ(FindResults()[0], "0 in 0 directories");
    EXPECT_EQ(FindResults()[1], "1");

    // Find in Selected visits the selected rows only.
    SetWindowTextA(g_Main.SearchTextCombo, "int");
    for (int row = 0; GetItemRecord(row); ++row) {
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED;
        state.state = GetItemRecord(row)->name == std::string("a.c") ? LVIS_SELECTED : 0;
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    dialogs.seen.clear();
    Find(IDM_FIND_IN_SELECTED);
    EXPECT_EQ(markOf("a.c"), kStateMarked);
    EXPECT_EQ(markOf("b.h"), kStateUnmarked);
    EXPECT_EQ(FindResults()[0], "1 in 1 directories");
}

}  // namespace
