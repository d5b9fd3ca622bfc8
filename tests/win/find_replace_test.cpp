#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "dialog_robot.h"
#include "failing_files.h"
#include "fileview/file_view_state_win.h"
#include "fileview/file_view_win.h"
#include "fileview/find_replace_win.h"
#include "fileview/find_state.h"
#include "fileview/replace_run.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "search/criteria.h"
#include "search/search_win.h"
#include "ui/text_options.h"
#include "win_test_support.h"

namespace {

std::vector<int> refusedDuringRun;

// A stand-in for FileView: a top-level window with a multi-line edit control,
// handing the boxes' message on as FileView does, and its state.
FileViewState g_View;

LRESULT CALLBACK HolderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == FindReplaceMessageId()) {
        OnFindReplaceMessage(g_View, lp);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class FindReplace : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
        InitFindReplace();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HolderProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FindReplaceHolder";
        RegisterClassA(&wc);
        holder = CreateWindowA("FindReplaceHolder", "holder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                             0, 380, 260, holder, nullptr, wc.hInstance, nullptr);
        files = folder.path() + "\\files";
        CreateDirectoryA(files.c_str(), nullptr);
        g_View = FileViewState{};
        g_View.Window = holder;
        g_View.EditView = edit;
    }
    void TearDown() override {
        if (HWND box = FindReplaceBox()) SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        if (FileViewHandle()) DestroyWindow(FileViewHandle());
        RememberSearchCriteria(SearchCriteria{});
        DestroyWindow(holder);
        for (const std::string& name : FileNames())
            SetFileAttributesA((files + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        ProgramTest::TearDown();
    }

    void SetEdit(const std::string& text, int start = 0, int end = 0) {
        SetWindowTextA(edit, text.c_str());
        SendMessageA(edit, EM_SETSEL, start, end);
    }
    std::pair<int, int> Selection() {
        DWORD s = 0, e = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }
    static HWND FindReplaceBox() { return g_View.Find.Box; }
    HWND Open(bool replace, const std::string& find, const std::string& with = "") {
        HWND box = OpenFindBox(g_View, replace);
        EXPECT_TRUE(box);
        EXPECT_TRUE(IsWindowVisible(box));
        SetDlgItemTextA(box, IDC_FIND_COMBO, find.c_str());
        if (replace) SetDlgItemTextA(box, IDC_REPLACE_COMBO, with.c_str());
        return box;
    }
    static void Set(HWND box, int id, bool on) {
        CheckDlgButton(box, id, on ? BST_CHECKED : BST_UNCHECKED);
    }
    static void Push(HWND box, int id) {
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }

    // Files of the test's own folder "files", listed in this order; the
    // File Info List holds one row for each.
    void ShowRows(const Files& rows) {
        ShowRealFiles(files, rows);
        for (size_t row = 0; row < rows.size(); ++row) SetItemMark(static_cast<int>(row), false);
    }
    std::string Bytes(const std::string& name) { return folder.Read("files\\" + name); }
    std::vector<std::string> FileNames() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((files + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (data.cFileName[0] != '.') names.push_back(data.cFileName);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return names;
    }
    // The row's file as FileView is handed it, held whole.
    static FileViewFile FileOfRow(int row) {
        FileViewFile file;
        snprintf(file.FullPath, sizeof file.FullPath, "%s", GetItemFullPath(row).c_str());
        snprintf(file.FileName, sizeof file.FileName, "%s", GetItemRecord(row)->name.c_str());
        file.WholeFile = true;
        file.Size = GetItemRecord(row)->size;
        return file;
    }
    // FileView shows the row's file, as freshly opened on it.
    void ShowInFileView(int row) {
        g_View.Shown = FileOfRow(row);
        g_View.Text = EditTextState{};
        SetEdit(Bytes(GetItemRecord(row)->name));
    }
    void FiveFiles(const std::string& text = "an old word") {
        Files rows;
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
            rows.push_back({name, text});
        ShowRows(rows);
    }
    // The Replace box over the shown row, its options set, and its Replace in Files pressed.
    void RunInFiles(int option, bool confirm, const std::string& find = "old",
                    const std::string& with = "new") {
        HWND box = Open(true, find, with);
        CheckRadioButton(box, IDC_FILES_SELECTED, IDC_FILES_ALL, option);
        Set(box, IDC_CONFIRM_SAVE, confirm);
        Push(box, IDC_REPLACE_IN_FILES);
    }
    // FileView itself opened on the row's file as the list opens it, and its
    // Replace box over EditView with the texts set.
    HWND ReplaceInFileView(int row, const std::string& find, const std::string& with,
                           bool confirm) {
        SearchCriteria searched;
        searched.SearchText = find;
        RememberSearchCriteria(searched);
        if (!OpenFileViewWindow(Main(), FileOfRow(row), kWholeFileContext, kWholeFileContext))
            return nullptr;
        DrainMessages();
        SendMessageA(FileViewHandle(), WM_COMMAND, IDM_FV_REPLACE, 0);
        HWND box = FileViewFindBox();
        if (!box) return nullptr;
        SetDlgItemTextA(box, IDC_FIND_COMBO, find.c_str());
        SetDlgItemTextA(box, IDC_REPLACE_COMBO, with.c_str());
        Set(box, IDC_CONFIRM_SAVE, confirm);
        return box;
    }
    static std::string WholeText(HWND window) {
        std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
        text.resize(static_cast<size_t>(
            GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    static int YesToQuestions(const ShownMessage& box) {
        const UINT buttons = box.type & MB_TYPEMASK;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : 0;
    }
    void ExpectNoTemporaryFile() {
        for (const std::string& name : FileNames()) EXPECT_NE(name.substr(0, 3), "qry") << name;
    }

    HWND holder = nullptr, edit = nullptr;
    std::string files;
};

struct FindCase {
    const char* name;
    std::string text;
    int caret;
    std::string find;
    bool up, word, matchCase, regular;
    std::vector<int> wrapAnswers;
    int presses;
    std::pair<int, int> selection;
    std::vector<std::string> messages;
};

TEST_F(FindReplace, FindBoxSearches) {
    // clang-format off
    const FindCase cases[] = {
        {"forward", "one cat two cat", 0, "cat", false, false, false, false, {}, 2, {12, 15}, {}},
        {"upward", "one cat two cat", 15, "cat", true, false, false, false, {}, 1, {12, 15}, {}},
        {"word fails at concat, never reaching cat", "concat cat", 0, "cat", false, true, false, false,
         {}, 1, {0, 0}, {"Text 'cat' not found!\t"}},
        {"case", "Cat cat", 0, "cat", false, false, true, false, {}, 1, {4, 7}, {}},
        {"regular", "a1 b2", 1, "[a-z][0-9]", false, false, false, true, {}, 1, {3, 5}, {}},
        {"wrap yes, then complete at the caret", "cat x cat", 4, "cat", false, false, false, false,
         {IDYES}, 3, {4, 4}, {"End of file reached.\nStart from begining of file?", "Find complete!\t"}},
        {"wrap no", "cat x cat", 4, "cat", false, false, false, false,
         {IDNO}, 2, {6, 6}, {"End of file reached.\nStart from begining of file?"}},
        {"not found from the top", "abc", 0, "zz", false, false, false, false,
         {}, 1, {0, 0}, {"Text 'zz' not found!\t"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        MessageBoxRecorder recorder;
        for (int answer : c.wrapAnswers) recorder.Answer(answer);
        SetEdit(c.text, c.caret, c.caret);
        HWND box = Open(false, c.find);
        Set(box, 1056, c.up);
        Set(box, 1057, !c.up);
        Set(box, 1040, c.word);
        Set(box, 1041, c.matchCase);
        Set(box, IDC_REGULAR, c.regular);
        for (int i = 0; i < c.presses && FindReplaceBox(); ++i) Push(box, IDOK);
        EXPECT_EQ(Selection(), c.selection) << c.name;
        EXPECT_EQ(recorder.texts(), c.messages) << c.name;
        if (HWND open = FindReplaceBox()) SendMessageA(open, WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(FindReplaceBox()) << c.name;
    }
}

// F3 repeats the box's last find; before any find it does nothing.
TEST_F(FindReplace, FindNextRepeatsTheLastFind) {
    SetEdit("cat dog cat");
    FindNextInEdit(g_View);
    EXPECT_TRUE(boxes.texts().empty());
    HWND box = Open(false, "dog");
    Push(box, IDOK);
    SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    FindNextInEdit(g_View);
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
}

// The status line in its bold font is whole: as tall as a line of it, inside the box.
TEST_F(FindReplace, StatusLineIsNotClipped) {
    HWND status = GetDlgItem(Open(true, ""), IDC_REPLACE_STATUS);
    HDC dc = GetDC(status);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(status, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(status, dc);
    RECT text, box;
    GetClientRect(status, &text);
    EXPECT_GE(text.bottom, metrics.tmHeight);
    GetWindowRect(status, &text);
    GetClientRect(FindReplaceBox(), &box);
    MapWindowPoints(nullptr, FindReplaceBox(), reinterpret_cast<POINT*>(&text), 2);
    EXPECT_LE(text.bottom, box.bottom - 2);
}

TEST_F(FindReplace, HistoriesAreKeptWhenTheBoxOpensAgain) {
    SetEdit("x");
    for (const char* text : {"one", "two", "ONE"}) {
        HWND box = Open(true, text, std::string("with ") + text);
        Push(box, IDOK);
        if (FindReplaceBox()) SendMessageA(FindReplaceBox(), WM_COMMAND, IDCANCEL, 0);
    }
    HWND box = OpenFindBox(g_View, true);
    EXPECT_EQ(ListOf(GetDlgItem(box, IDC_FIND_COMBO)), (std::vector<std::string>{"ONE", "two"}));
    EXPECT_EQ(ListOf(GetDlgItem(box, IDC_REPLACE_COMBO)).size(),
              0u);  // Find Next keeps only the find text
    EXPECT_EQ(TextOf(GetDlgItem(box, IDC_FIND_COMBO)), "ONE");
    EXPECT_TRUE(Checked(box, IDC_FILES_ALL));
    EXPECT_TRUE(Checked(box, IDC_CONFIRM_SAVE));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(box, IDC_FILES_MARKED)));  // nothing marked
}

TEST_F(FindReplace, ReplaceOneAndAll) {
    struct Case {
        const char* name;
        std::string find, with;
        int button;
        std::string text;
        std::vector<std::string> messages;
    } cases[] = {
        {"one replacement selects the next", "cat", "lion", 1024, "lion cat cat", {}},
        {"all, longer", "cat", "tiger", 1025, "tiger tiger tiger", {"Replace complete!\t"}},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder recorder;
        SetEdit("cat cat cat");
        HWND box = Open(true, c.find, c.with);
        Push(box, c.button);
        EXPECT_EQ(TextOf(edit), c.text) << c.name;
        EXPECT_EQ(recorder.texts(), c.messages) << c.name;
        if (HWND open = FindReplaceBox()) SendMessageA(open, WM_COMMAND, IDCANCEL, 0);
    }
}

// The walk and the starting row are decided in the core; this is the wiring:
// the Files buttons, the list's selection and the shown row reach it.
TEST_F(FindReplace, ReplaceInFilesWalksTheSelectedRowsFromTheShownRow) {
    FiveFiles();
    for (int row : {0, 3})
        ListView_SetItemState(g_Main.FileList, row, LVIS_SELECTED, LVIS_SELECTED);
    // The focus has moved on since FileView opened on row 2.
    ListView_SetItemState(g_Main.FileList, 4, LVIS_FOCUSED, LVIS_FOCUSED);
    ShowInFileView(2);
    const std::vector<std::string> order = {"c.txt", "d.txt", "a.txt"};
    for (size_t i = 0; i < order.size(); ++i) boxes.Answer(IDYES);
    RunInFiles(IDC_FILES_SELECTED, true);
    std::vector<std::string> asked;
    for (const std::string& text : boxes.texts())
        if (text.rfind("Replace completed in ", 0) == 0) asked.push_back(text.substr(21, 5));
    EXPECT_EQ(asked, order);
    EXPECT_EQ(boxes.texts().back(), "3 occurrences replaced in 3 file(s)!");
    for (const std::string& name : order) EXPECT_EQ(Bytes(name), "an new word");
    EXPECT_EQ(Bytes("b.txt"), "an old word");
    EXPECT_EQ(TextOf(edit), "an new word");  // the shown file again
    EXPECT_EQ(Marks().substr(2, 1), "-");
    ExpectNoTemporaryFile();
}

TEST_F(FindReplace, ReadOnlyTargetAsksAndIgnoreLeavesIt) {
    FiveFiles();
    SetFileAttributesA((files + "\\d.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ShowInFileView(2);
    for (int answer : {IDYES, IDYES, IDOK, IDIGNORE, IDYES, IDYES, IDYES, IDOK})
        boxes.Answer(answer);
    RunInFiles(IDC_FILES_ALL, true);
    EXPECT_EQ(Bytes("d.txt"), "an old word");
    auto texts = boxes.texts();
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[2], "File is read only!");
    EXPECT_EQ(texts[3], "Error 5: Unable to write file to disk!");
    EXPECT_EQ(boxes.shown()[3].type & MB_TYPEMASK, static_cast<UINT>(MB_ABORTRETRYIGNORE));
    EXPECT_EQ(texts.back(), "4 occurrences replaced in 4 file(s)!");
    ExpectNoTemporaryFile();
}

TEST_F(FindReplace, LargeAndZeroByteFilesAreSkippedAndNamed) {
    std::string large(70000, 'x');
    large.replace(100, 3, "old");
    ShowRows({{"a.txt", "old a"}, {"big.txt", large}, {"zero.txt", std::string("old\0z", 5)}});
    ShowInFileView(0);
    boxes.Answer(IDOK);
    boxes.Answer(IDYES);
    RunInFiles(IDC_FILES_ALL, false);
    EXPECT_EQ(boxes.texts()[0],
              "Not changed: too large for FileView or holding a zero byte:\nbig.txt\nzero.txt");
    EXPECT_EQ(Bytes("big.txt"), large);
    EXPECT_EQ(Bytes("zero.txt"), std::string("old\0z", 5));
    EXPECT_EQ(Bytes("a.txt"), "new a");
    ExpectNoTemporaryFile();
}

// Every step's failure is run on fakes; here one, through the real clean-up:
// a short write into a pending file leaves neither it nor a changed file.
TEST_F(FindReplace, FailedPendingWriteLeavesTheFileAsItWas) {
    ShowRows({{"a.txt", "old a"}});
    ShowInFileView(0);
    boxes.Answer(IDOK);
    boxes.Answer(IDIGNORE);
    FailingFiles failing("write");
    RunInFiles(IDC_FILES_ALL, false);
    EXPECT_EQ(Bytes("a.txt"), "old a");
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{
                                 "Unable to write file!", "Error 29: Unable to write file to disk!",
                                 "Replace in all files completed!\nSave all files?"}));
    ExpectNoTemporaryFile();
}

// FileView itself: its Replace command opens the box over EditView, and a run
// without Confirm File Save, answered Yes, puts the new text in every file.
TEST_F(FindReplace, FileViewReplacesInAllListedFiles) {
    FiveFiles();
    SearchCriteria searched;
    searched.SearchText = "old";
    RememberSearchCriteria(searched);
    HWND fileView = OpenFileViewWindow(Main(), FileOfRow(2), kWholeFileContext, kWholeFileContext);
    ASSERT_TRUE(fileView);
    DrainMessages();
    EXPECT_EQ(SendMessageA(FileViewLineView(), LB_GETCOUNT, 0, 0), 1);
    SendMessageA(fileView, WM_COMMAND, IDM_FV_REPLACE, 0);
    HWND box = FileViewFindBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(GetParent(box), fileView);
    SetDlgItemTextA(box, IDC_FIND_COMBO, "old");
    SetDlgItemTextA(box, IDC_REPLACE_COMBO, "new");
    Set(box, IDC_CONFIRM_SAVE, false);
    boxes.Answer(IDYES);
    SetFindString("old w");  // the user's last find, not the search text
    Push(box, IDC_REPLACE_IN_FILES);
    EXPECT_EQ(boxes.texts(),
              std::vector<std::string>{"Replace in all files completed!\nSave all files?"});
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        EXPECT_EQ(Bytes(name), "an new word");
    EXPECT_EQ(TextOf(FileViewEditView()), "an new word");
    // LineView follows the file: no line of it holds "old" any more.
    EXPECT_EQ(SendMessageA(FileViewLineView(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(g_FindReplace.FindString, "old w");
    EXPECT_FALSE(FileViewFindBox());
    ExpectNoTemporaryFile();
    DestroyWindow(fileView);
    RememberSearchCriteria(SearchCriteria{});
}

// The shown file is written only when EditView holds all of it and all its
// replacements fit: a text cut at a zero byte, or one that would grow past
// what EditView holds, is left byte for byte and named.
TEST_F(FindReplace, AShownFileEditViewCannotWriteWholeIsLeftAsItWas) {
    const std::string zero("needle before zero\r\n\0needle after zero must survive\r\n", 53);
    std::string big = "needle\r\n";
    while (big.size() < 65501 - 8) big += std::string(62, 'y') + "\r\n";
    big.resize(65501 - 8);
    big += "\r\nneedle";
    const std::string forty(40, 'P');
    struct Case {
        const char* name;
        const std::string& bytes;
        std::string with;
    } cases[] = {{"cut at a zero byte", zero, "PIN"}, {"would grow past EditView", big, forty}};
    for (const auto& c : cases) {
        {
            SCOPED_TRACE(c.name);
            const bool confirm = true;
            MessageBoxRecorder recorder;
            recorder.whileShown = YesToQuestions;
            ClearFileInfoList();
            ShowRows({{"shown.txt", c.bytes}, {"other.txt", "a needle"}});
            HWND box = ReplaceInFileView(0, "needle", c.with, confirm);
            ASSERT_TRUE(box);
            const std::string before = WholeText(FileViewEditView());
            Push(box, IDC_REPLACE_IN_FILES);
            EXPECT_EQ(Bytes("shown.txt"), c.bytes);
            EXPECT_EQ(Bytes("other.txt"), "a " + c.with);
            EXPECT_EQ(WholeText(FileViewEditView()), before);
            const auto texts = recorder.texts();
            EXPECT_NE(std::find(texts.begin(), texts.end(),
                                "Not changed: too large for FileView or holding a zero "
                                "byte:\nshown.txt"),
                      texts.end());
            EXPECT_EQ(texts.back(), "1 occurrences replaced in 1 file(s)!");
            ExpectNoTemporaryFile();
            DestroyWindow(FileViewHandle());
        }
    }
    // FileView's own Replace All stops before the replacement that would not
    // fit, and says so; the control never cuts one.
    MessageBoxRecorder recorder;
    ClearFileInfoList();
    ShowRows({{"shown.txt", big}});
    HWND box = ReplaceInFileView(0, "needle", forty, true);
    ASSERT_TRUE(box);
    Push(box, psh2);
    EXPECT_EQ(WholeText(FileViewEditView()), big);
    EXPECT_EQ(recorder.texts(), std::vector<std::string>{"Editor out of space. Please close "
                                                         "FileView and use another editor to "
                                                         "open the file."});
}

// The real file system's identity: the same file through another drive letter
// is the same file; the run starts from its row.
TEST_F(FindReplace, AnotherDriveLetterLeadsToTheSameFile) {
    FiveFiles();
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    // These tests run under Wine; without its name lookup the second drive letter cannot be made.
    ASSERT_TRUE(unixName)
        << "wine_get_unix_file_name is missing: no second drive letter to the folder";
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, GetItemFullPath(2).c_str(), -1, wide, MAX_PATH);
    char* unixPath = unixName(wide);
    ASSERT_TRUE(unixPath);
    std::string other = std::string("Z:") + unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    for (char& c : other) c = c == '/' ? '\\' : c;
    ASSERT_NE(lstrcmpiA(other.c_str(), GetItemFullPath(2).c_str()), 0);
    EXPECT_TRUE(IsSameFile(TextFiles(), other, GetItemFullPath(2)));
    EXPECT_FALSE(IsSameFile(TextFiles(), other, GetItemFullPath(3)));

    ShowInFileView(2);
    snprintf(g_View.Shown.FullPath, sizeof g_View.Shown.FullPath, "%s", other.c_str());
    boxes.whileShown = YesToQuestions;
    RunInFiles(IDC_FILES_ALL, true);
    ASSERT_FALSE(boxes.texts().empty());
    EXPECT_EQ(boxes.texts()[0], "Replace completed in c.txt!\t\nSave it?");
    EXPECT_EQ(Bytes("c.txt"), "an new word");
}

// After a run that wrote the shown file, FileView has nothing left to save.
TEST_F(FindReplace, ARunThatWroteTheShownFileLeavesNothingToSave) {
    FiveFiles();
    boxes.whileShown = YesToQuestions;
    HWND box = ReplaceInFileView(2, "old", "new", true);
    ASSERT_TRUE(box);
    Push(box, IDC_REPLACE_IN_FILES);
    EXPECT_EQ(Bytes("c.txt"), "an new word");
    boxes.Clear();
    SendMessageA(FileViewHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(FileViewHandle());
    EXPECT_TRUE(boxes.texts().empty());
}

// While the run asks, the list stays as it is and closes wait: the pending
// files are committed first, then the program ends cleanly.
TEST_F(FindReplace, ARunsQuestionsHoldTheListAndCloseAfterwards) {
    FiveFiles();
    SetRefusalBeepHook([](int command) { refusedDuringRun.push_back(command); });
    refusedDuringRun.clear();
    HWND box = ReplaceInFileView(2, "old", "new", false);
    ASSERT_TRUE(box);
    bool heldThrough = false;
    boxes.whileShown = [&](const ShownMessage& shown) {
        if (shown.text != kSaveAllQuestion) return 0;
        Command(IDM_CLEAR_LIST);
        Command(IDM_FIND_FILES);
        PostMessageA(FileViewHandle(), WM_CLOSE, 0, 0);
        PostMessageA(Main(), WM_CLOSE, 0, 0);
        DrainMessages();  // as the box's own loop would hand them on
        heldThrough = Main() && FileViewHandle() && ShownItemCount() == 5;
        return IDYES;
    };
    Push(box, IDC_REPLACE_IN_FILES);
    SetRefusalBeepHook(nullptr);
    EXPECT_TRUE(heldThrough);
    EXPECT_EQ(refusedDuringRun, (std::vector<int>{IDM_CLEAR_LIST, IDM_FIND_FILES}));
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        EXPECT_EQ(Bytes(name), "an new word") << name;
    ExpectNoTemporaryFile();
    EXPECT_EQ(DrainMessages(), 0);  // the close owed by the run, then the quit
    EXPECT_FALSE(Main());
}

// Wrap Lines while the Replace box is open: the box goes on working on the
// control that is EditView now, for a find and for Replace in Files.
TEST_F(FindReplace, TheOpenBoxFollowsEditViewThroughWrapLines) {
    FiveFiles();
    HWND box = ReplaceInFileView(2, "old", "new", false);
    ASSERT_TRUE(box);
    HWND unwrapped = FileViewEditView();
    SendMessageA(FileViewHandle(), WM_COMMAND, IDM_FV_WRAP_LINES, 0);
    ASSERT_NE(FileViewEditView(), unwrapped);
    SendMessageA(FileViewEditView(), EM_SETSEL, 0, 0);
    Push(box, IDOK);
    DWORD start = 0, end = 0;
    SendMessageA(FileViewEditView(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{3}, DWORD{6}));
    EXPECT_TRUE(boxes.texts().empty());
    boxes.Answer(IDYES);
    Push(box, IDC_REPLACE_IN_FILES);
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        EXPECT_EQ(Bytes(name), "an new word") << name;
    EXPECT_EQ(TextOf(FileViewEditView()), "an new word");
    ExpectNoTemporaryFile();
}

// The boxes' Regular starts as the main window's Regular box is at the time,
// not as the last search had it; Find Next makes the find text FileView's
// find box's text even when it is already at the top of that box's list.
TEST_F(FindReplace, RegularFollowsTheMainWindowAndTheFindBoxTakesTheFindText) {
    g_View.FindBox = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 100, 100, holder,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(g_View.FindBox, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("cat"));
    SetWindowTextA(g_View.FindBox, "typed since");
    SetEdit("a cat");
    for (bool replace : {false, true}) {
        for (bool searched : {false, true}) {
            for (bool checked : {false, true}) {
                SCOPED_TRACE(std::to_string(replace) + std::to_string(searched) +
                             std::to_string(checked));
                SearchCriteria last;
                last.TextOptions = searched ? kTextRegular : 0;
                RememberSearchCriteria(last);
                CheckDlgButton(Main(), IDC_REGULAR, checked ? BST_CHECKED : BST_UNCHECKED);
                Command(IDC_REGULAR);
                HWND box = Open(replace, "cat");
                EXPECT_EQ(IsDlgButtonChecked(box, IDC_REGULAR) == BST_CHECKED, checked);
                SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
                DrainMessages();
            }
        }
    }
    HWND box = Open(false, "cat");
    Push(box, IDOK);
    EXPECT_EQ(TextOf(g_View.FindBox), "cat");
}

}  // namespace
