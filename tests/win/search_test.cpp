// Searches on real trees and the File Info List they fill: the walk over the
// real directory lister, the real chunk reader, the search's dialogs, what
// the user does while a walk runs, and the list's own mouse and keys.
#include <algorithm>
#include <optional>
#include <tuple>

#include "results/presentation_win.h"
#include "search/chunk_reader_win.h"
#include "search/dir_lister_win.h"
#include "search/report.h"
#include "search/search_win.h"
#include "search/walk.h"
#include "ui/text.h"
#include "ui/text_options.h"
#include "win_test_support.h"

namespace {

class RealWalkHost : public WalkHost {
  public:
    void ShowWarning(const std::string& text) override { FAIL() << text; }
    bool PumpMessages() override { return false; }
    void ShowProgress(const std::string&, const std::string&) override {}
    DateTriple LocalDate(int64_t modified) override { return LocalDateOf(modified); }
    bool FileContainsText(const std::string&, const std::string&, uint8_t) override { return true; }
};

// Hidden and dot files and a deep path through the real lister. (A file
// above 4 GiB is searched among the hostile trees.)
TEST(RealWalk, WalksARealTree) {
    TempFolder folder;
    const std::string deep = "level-one-directory\\level-two-directory\\level-three-directory";
    for (const char* dir : {".svn", "sub", "level-one-directory",
                            "level-one-directory\\level-two-directory", deep.c_str()})
        CreateDirectoryA(folder.File(dir).c_str(), nullptr);
    for (const std::string& file :
         {std::string("hidden.txt"), std::string(".profile"), std::string(".svn\\entries.txt"),
          deep + "\\deep.txt", std::string("sub\\b.txt")})
        folder.Write(file, "x");
    SetFileAttributesA(folder.File("hidden.txt").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SearchRun run;
    RealWalkHost host;
    Win32DirLister lister;
    EXPECT_EQ(WalkDirectory(host, lister, run, SearchCriteria{}, {folder.path(), "*.*"}, -2), 4);
    Texts paths;
    for (const auto& item : run.Pending.items)
        paths.push_back(JoinPath(item->directory, item->name).substr(folder.path().size() + 1));
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (Texts{".profile", "hidden.txt", deep + "\\deep.txt", "sub\\b.txt"}));
    EXPECT_EQ(run.Stats.DeepestLevel * 10 + run.Stats.DirectoriesSearched, 35);
    EXPECT_EQ(CompareDates(LocalDateOf(run.Pending.items[0]->modified), LocalToday()), 0);
}

class ChunkReaderTest : public ::testing::Test, public ScanHost {
  protected:
    void ScanWarning(const std::string& text) override { FAIL() << text; }
    void NonTextFile(const std::string& path) override { AddNonTextFile(nonText, path); }
    int ShowContext(ScanState&, const ContextWindow& w) override {
        window.assign(w.text, w.length);
        return 1;
    }
    bool Contains(const std::string& name, const char* text, uint8_t options = kTextCase) {
        return FileContainsText(reader, *this, folder.File(name), text, options);
    }
    HANDLE OpenFor(DWORD access) {
        return CreateFileA(folder.File("small.txt").c_str(), access,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    TempFolder folder;
    Win32ChunkReader reader;
    NonTextList nonText;
    std::string window;
};

// Reads across the first read's end, a window of lines, files that are not
// text; others may read a file while it is open but not write it, and a file
// someone is writing is skipped silently.
TEST_F(ChunkReaderTest, SearchesRealFiles) {
    std::string large;
    for (int i = 0; i < 3000; ++i) {
        char line[101];
        snprintf(line, sizeof line, "line %05d%*s\r\n", i, 88, "");  // 100 bytes with CR LF
        large += line;
    }
    folder.Write("large.txt", large.replace(61436, 8, "STRADDLE"));
    folder.Write("small.txt", "alpha\r\nBeta gamma");
    folder.Write("data.bin", std::string(200000, '\x7f'));
    EXPECT_TRUE(Contains("large.txt", "STRADDLE") && Contains("large.txt", "line 02999"));
    EXPECT_FALSE(Contains("small.txt", "beta") || Contains("missing.txt", "x") ||
                 Contains("data.bin", "x"));
    EXPECT_EQ(nonText.NonTextNames, folder.File("data.bin") + "\r\n");
    ScanState scan;
    scan.Mode = ScanMode::Context;
    scan.FirstLineNumber = 900;
    scan.LinesLoaded = 10;
    EXPECT_EQ(ScanFile(scan, reader, *this, folder.File("large.txt"), "x", 0), 1u);
    EXPECT_EQ(window, large.substr(899 * 100, 10 * 100));

    ASSERT_TRUE(reader.Open(folder.File("small.txt")));
    HANDLE reading = OpenFor(GENERIC_READ), writing = OpenFor(GENERIC_WRITE);
    reader.Close();
    EXPECT_NE(reading, INVALID_HANDLE_VALUE);
    EXPECT_EQ(writing, INVALID_HANDLE_VALUE);
    CloseHandle(reading);
    HANDLE writer = OpenFor(GENERIC_WRITE);
    EXPECT_FALSE(Contains("small.txt", "alpha"));
    CloseHandle(writer);
    EXPECT_TRUE(Contains("small.txt", "alpha"));
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

// A tree of four files over three levels; the search's dialogs recorded in
// the order they opened, and Find Results' values joined by "|".
class Search : public StartedTest {
  protected:
    void SetUp() override {
        StartedTest::SetUp();
        level.emplace(IDD_SUBDIR_LEVEL, [this](HWND dialog) {
            seen.push_back(IDD_SUBDIR_LEVEL);
            if (firstLevel) return std::exchange(firstLevel, nullptr)(dialog);
            Press(dialog, IDOK);
        });
        report.emplace(IDD_FIND_RESULTS, [this](HWND dialog) {
            seen.push_back(IDD_FIND_RESULTS);
            results.clear();
            for (int id : {IDC_RESULT_FOUND, IDC_RESULT_DIRS_SEARCHED, IDC_RESULT_LEVEL,
                           IDC_RESULT_TOTAL_SIZE})
                results += (results.empty() ? "" : "|") + TextOf(GetDlgItem(dialog, id));
            Press(dialog, IDOK);
        });
        for (const char* dir : {"tree", "tree\\src", "tree\\src\\deep"})
            CreateDirectoryA(folder.File(dir).c_str(), nullptr);
        folder.Write("tree\\a.c", "int main;\r\n");            // 11 bytes
        folder.Write("tree\\b.h", "extern int main;\r\n");     // 18 bytes
        folder.Write("tree\\src\\x.asm", "mov ax, main\r\n");  // 14 bytes
        folder.Write("tree\\src\\deep\\z.asm", "nop\r\n");     // 5 bytes
        tree = LowerText(folder.File("tree"));
        WNDCLASSA probeClass = {};
        probeClass.lpfnWndProc = DuringWalkProc;
        probeClass.lpszClassName = "QuarryDuringWalk";
        RegisterClassA(&probeClass);
        probe = CreateWindowExA(0, "QuarryDuringWalk", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
        refusals.clear();
        SetRefusalBeepHook([](int command) { refusals.push_back(command); });
    }
    void TearDown() override {
        SetRefusalBeepHook(nullptr);
        walkAction = nullptr;
        DestroyWindow(probe);
        StartedTest::TearDown();
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
    // Find Files over the tree with the level box's mode as it is.
    void FindInTree(const std::string& names, const std::string& text = "",
                    int command = IDM_FIND_FILES) {
        SetWindowTextA(g_Main.DirectoryCombo, tree.c_str());
        SetWindowTextA(g_Main.FileNameCombo, names.c_str());
        SetWindowTextA(g_Main.SearchTextCombo, text.c_str());
        seen.clear();
        Command(command);
    }

    std::vector<int> seen;
    std::string results;
    std::function<void(HWND)> firstLevel;
    std::optional<DialogRobot> level, report;
    std::string tree;
    HWND probe = nullptr;
};

// A refusal is shown with the focus on its field, and the base directory of
// the last search stays current. (Which field refuses what is checked natively.)
TEST_F(Search, ARefusalFocusesItsFieldAndKeepsTheBaseDirectory) {
    FindInTree("*.c");
    SetFocus(g_Main.FileList);
    boxes.Clear();
    tree += "\\missing";
    FindInTree("*.c");
    EXPECT_EQ(boxes.texts(), Texts{"Bad Directory Name specified!"});
    EXPECT_EQ(FocusedControl(), Control(IDC_DIRECTORY));
    EXPECT_TRUE(seen.empty());
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(LowerText(current) + "\\missing", tree);
}

// The level dialog between targets hands over its choice and "for the rest";
// the rows come sorted by size across directories, and Find Results counts them.
TEST_F(Search, TheLevelDialogAndFindResultsShowTheWalk) {
    firstLevel = [](HWND dialog) {
        Click(dialog, IDC_SUBDIR_ALL);
        Click(dialog, IDC_LEVEL_FOR_REST);
        Press(dialog, IDOK);
    };
    ChangeSettings([](Settings& s) { s.SortMode = 2, s.SortDir = 1; });
    FindInTree("*.C;*.h src\\*.asm");
    EXPECT_EQ(seen, (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
    EXPECT_EQ(RowNames(), "z.asm a.c x.asm b.h");
    EXPECT_EQ(results, "4 in 4 directories|6|2|48 bytes");
    EXPECT_TRUE(boxes.shown().empty());
}

// Esc, a quit or a close met by the walk stop it once; the finds so far stay,
// and a quit or a close is acted on once the search has ended.
TEST_F(Search, EscQuitOrCloseDuringTheWalkStopIt) {
    firstLevel = [](HWND dialog) {  // the second target's walk meets the Esc
        Press(dialog, IDOK);
        PostMessageA(g_App.MainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    FindInTree("*.c;*.h;*.asm");
    EXPECT_EQ(boxes.texts(), Texts{kSearchAbortedText});
    EXPECT_EQ(RowNames(), "a.c");
    EXPECT_EQ(seen, (std::vector<int>{IDD_SUBDIR_LEVEL, IDD_FIND_RESULTS}));
    PostQuitMessage(7);
    FindInTree("*.c");
    EXPECT_EQ(boxes.texts(), Texts(2, kSearchAbortedText));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(DrainMessages(), 7);
    PostMessageA(Main(), WM_CLOSE, 0, 0);
    FindInTree("*.c");
    EXPECT_EQ(boxes.shown().size(), 2u);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(DrainMessages(), 0);
    EXPECT_EQ(g_App.MainWindow, nullptr);
}

// A file that is not text is offered after the walk; Yes shows it by name.
TEST_F(Search, NonTextFilesAreOfferedAndShown) {
    folder.Write("tree\\data.c", std::string(200000, '\x7f'));
    std::string shown;
    DialogRobot nonText(IDD_NONTEXT_FILES, [&](HWND dialog) {
        shown = TextOf(GetDlgItem(dialog, IDC_NONTEXT_COUNT)) + " " +
                TextOf(GetDlgItem(dialog, IDC_NONTEXT_LIST));
        Press(dialog, IDOK);
    });
    boxes.Answer(IDYES);
    FindInTree("*.c", "main");
    EXPECT_EQ(boxes.texts(), Texts{NonTextQuestionText(1)});
    EXPECT_EQ(shown.substr(0, 2), "1 ");
    EXPECT_NE(shown.find("data.c\r\n"), std::string::npos) << shown;
    EXPECT_EQ(seen, std::vector<int>{IDD_FIND_RESULTS});
}

// Find in Marked marks the rows whose files still pass. While it runs, a
// command and a list action that would change the rows are refused with a
// beep, and the mouse over the windows keeps the wait cursor.
TEST_F(Search, DuringTheWalkListActionsAreRefusedAndTheCursorWaits) {
    FindInTree("*.c *.h");
    SelectRows({1});
    HCURSOR cursor = nullptr;
    DuringWalk([&] {
        Command(IDM_CLEAR_LIST);
        NMLVKEYDOWN del = {
            {g_Main.FileList, IDC_FILE_LIST, static_cast<UINT>(LVN_KEYDOWN)}, VK_DELETE, 0};
        SendMessageA(Main(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&del));
        SendMessageA(g_Main.FileList, WM_SETCURSOR, reinterpret_cast<WPARAM>(g_Main.FileList),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        cursor = GetCursor();
    });
    FindInTree("*.c *.h", "extern", IDM_FIND_IN_MARKED);
    EXPECT_EQ(Marks(), "-*");
    EXPECT_EQ(refusals, (std::vector<int>{IDM_CLEAR_LIST, IDM_DELETE_ITEM}));
    EXPECT_EQ(RowNames(), "a.c b.h");
    EXPECT_EQ(cursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

// The level box takes two digits and its arrows count round from 0 to 99; an
// entry too long for any path is refused, and F5 works afterwards.
TEST_F(Search, LevelBoxAndTooLongEntriesThroughTheLoop) {
    HWND level = Control(IDC_LEVEL);
    Command(IDC_SUBDIR_LEVEL);
    SetWindowTextA(level, "");
    SetFocus(level);
    for (char digit : {'1', '2', '3'}) Key(level, WM_CHAR, digit);
    EXPECT_EQ(TextOf(level), "12");
    for (auto [from, key, to] : {std::tuple{"0", VK_DOWN, "99"}, std::tuple{"99", VK_UP, "0"}}) {
        SetWindowTextA(level, from);
        Key(level, WM_KEYDOWN, key);
        Key(level, WM_KEYUP, key);
        EXPECT_EQ(TextOf(level), to) << from;
    }
    FindInTree("*.c;" + std::string(600, 'a'));
    EXPECT_FALSE(SearchIsRunning());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text.substr(0, 9), "Bad path ");
    SetWindowTextA(g_Main.FileNameCombo, "*.c");
    seen.clear();
    Key(g_Main.FileNameCombo, WM_KEYDOWN, VK_F5);
    EXPECT_EQ(seen, std::vector<int>{IDD_FIND_RESULTS});
    EXPECT_EQ(RowNames(), "a.c");
}

class FileList : public StartedTest {
  protected:
    void ShowFiles(const Files& files = {{"b.txt", "bb"}, {"c.txt", "c"}, {"a.txt", "aaa"}}) {
        ShowRealFiles(folder.path(), files);
    }
    // Whether the File menu, opened as the menu bar opens it, enables `command`.
    bool Enabled(int command) const {
        HMENU menu = GetMenu(Main());
        SendMessageA(Main(), WM_INITMENUPOPUP,
                     reinterpret_cast<WPARAM>(GetSubMenu(menu, MAIN_MENU_FILE)), MAIN_MENU_FILE);
        return !(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED);
    }
};

// Del removes the selected rows only, the focus goes to the row now at the
// first one's place; the menus follow. (Where the focus goes in every case,
// and what each command needs, is checked natively.)
TEST_F(FileList, DelRemovesRowsOnlyAndTheMenusFollow) {
    EXPECT_FALSE(Enabled(IDM_OPEN_FILE));
    ShowFiles({{"1.txt", ""}, {"2.txt", ""}, {"3.txt", ""}});
    SelectRows({0, 2});
    EXPECT_TRUE(Enabled(IDM_DELETE_FILES) && !Enabled(IDM_OPEN_FILE));
    SendMessageA(g_Main.FileList, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(RowNames(), "2.txt");
    EXPECT_EQ(FocusedItem(), 0);
    EXPECT_EQ(StatusText(), "2 file info(s) deleted");
    EXPECT_TRUE(folder.Has("1.txt"));
    EXPECT_TRUE(Enabled(IDM_OPEN_FILE));
    Command(IDM_SELECT_ALL_ITEMS);
    EXPECT_EQ(FocusedItem(), -1);
}

TEST_F(FileList, ClickOnTheStateIconTogglesTheMarkAndElsewhereDoesNot) {
    ShowFiles();
    RECT label = {LVIR_LABEL, 0, 0, 0}, bounds = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(g_Main.FileList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&label));
    SendMessageA(g_Main.FileList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&bounds));
    const int middle = (label.top + label.bottom) / 2;
    const POINT onIcon = {bounds.left + GetSystemMetrics(SM_CXSMICON) / 2, middle};
    const POINT onLabel = {(label.left + label.right) / 2, middle};
    for (auto [at, marks] :
         {std::pair{onIcon, "*-*"}, std::pair{onLabel, "*-*"}, std::pair{onIcon, "***"}}) {
        SendMessageA(g_Main.FileList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(g_Main.FileList, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        DrainMessages();
        EXPECT_EQ(Marks(), marks);
    }
}

// The walk hands over lower-cased directories, with or without a trailing
// backslash; a file deleted since keeps its row's numbers but not its name.
TEST_F(FileList, PathCellSpellsTheDiskAndADeletedFileLosesItsName) {
    const std::string directory = folder.File("MixedCase\\SubDir");
    CreateDirectoryA(folder.File("MixedCase").c_str(), nullptr);
    CreateDirectoryA(directory.c_str(), nullptr);
    ShowRealFiles(LowerText(directory), {{"x.txt", "12345"}});
    ShowRealFiles(LowerText(directory) + "\\", {{"y.txt", "y"}});
    const std::string expected = NormalizePathForDisplay(folder.path()) + "\\MixedCase\\SubDir";
    EXPECT_EQ(ListCell(0, 4) + "|" + ListCell(1, 4), expected + "|" + expected);
    DeleteFileA((directory + "\\x.txt").c_str());
    EXPECT_EQ(ListCell(0, 0) + "|" + ListCell(0, 1), "|5");
}

// The clipboard gets the selected paths; F7 on an empty list says nothing;
// the accelerator asks the main window to enable its item first, so the very
// first F2 on a focused row reaches it; a header click sorts by its column
// and the Path header sorts across directories.
TEST_F(FileList, ClipboardKeysAndHeaders) {
    ChangeSettings([](Settings& s) { s.SortMode = 1; });
    SetStatusText("before");
    MSG f7 = {Main(), WM_KEYDOWN, VK_F7, 0, 0, {}};
    ProcessLoopMessage(f7);
    EXPECT_EQ(StatusText(), "before");
    ShowFiles();
    SelectRows({0, 2});
    Command(IDM_COPY_LIST);
    EXPECT_EQ(ClipboardText(), folder.File("b.txt") + "\r\n" + folder.File("a.txt"));
    SetRowState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    MSG f2 = {g_Main.FileList, WM_KEYDOWN, VK_F2, 0, 0, {}};
    ProcessLoopMessage(f2);
    EXPECT_EQ(Marks(), "*-*");
    ChangeSettings([](Settings& s) { s.SortMode = 0, s.SortDir = 0; });
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
