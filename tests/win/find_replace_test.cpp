// FileView's Find and Replace boxes on the platform: their buttons and fields
// reach the core's find and Replace in Files, whose decisions the native
// tables check; here the real boxes, files and drive letters.
#include <algorithm>

#include "failing_files.h"
#include "file_view_support.h"
#include "fileview/find_state.h"
#include "fileview/replace_run.h"
#include "search/search_win.h"

namespace {

const char* const kFive[] = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};

class FindReplace : public FileViewFixture {
  protected:
    void SetUp() override {
        FileViewFixture::SetUp();
        Start();
        InitFindReplace();
    }
    // FileView's Find or Replace box, its texts set.
    static HWND OpenBox(bool replace, const std::string& find, const std::string& with = "") {
        FileViewCommand(replace ? IDM_FV_REPLACE : IDM_FV_FIND);
        HWND box = FileViewFindBox();
        EXPECT_TRUE(box && IsWindowVisible(box) && GetParent(box) == FileViewHandle());
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
    static void CloseBox() {
        if (HWND open = FileViewFindBox()) SendMessageA(open, WM_COMMAND, IDCANCEL, 0);
    }
    // Rows of the File Info List for files of the test's folder, none marked.
    void ShowRows(const Files& rows) {
        ShowRealFiles(folder.path(), rows);
        for (size_t row = 0; row < rows.size(); ++row) SetItemMark(static_cast<int>(row), false);
    }
    void FiveFiles() {
        Files rows;
        for (const char* name : kFive) rows.push_back({name, "an old word"});
        ShowRows(rows);
    }
    void ExpectAllNew() {
        for (const char* name : kFive) EXPECT_EQ(folder.Read(name), "an new word") << name;
        EXPECT_EQ(folder.TempFiles(), 0);
    }
    // FileView opened on the row's file (under `path` when given) after a
    // search for `find`, and its Replace box with the texts set.
    HWND ReplaceInFileView(int row, const std::string& find, const std::string& with, bool confirm,
                           std::string path = "") {
        if (path.empty()) path = GetItemFullPath(row);
        SearchedFor(find, 0);
        const FileInfoItem& item = *GetItemRecord(row);
        if (!OpenFileViewOn(Main(), path, item.name, item.size)) return nullptr;
        DrainMessages();
        HWND box = OpenBox(true, find, with);
        Set(box, IDC_CONFIRM_SAVE, confirm);
        return box;
    }
};

// Each of the boxes' buttons reaches the find: direction, Word, Case and
// Regular, Replace and Replace All; the wrap question and the end of the
// find are the program's boxes; F3 repeats the last find.
TEST_F(FindReplace, TheBoxesButtonsReachTheFind) {
    ASSERT_TRUE(Open("box.txt", "x"));
    // clang-format off
    const struct { const char* text; int caret; const char* find; int button; bool up, word, matchCase, regular;
                   int presses; std::pair<DWORD, DWORD> selection; Texts messages; } cases[] = {
        {"one cat two cat", 15, "cat", IDOK, true, false, false, false, 1, {12, 15}, {}},
        {"concat cat", 0, "cat", IDOK, false, true, false, false, 1, {0, 0}, {"Text 'cat' not found!\t"}},
        {"Cat cat", 0, "cat", IDOK, false, false, true, false, 1, {4, 7}, {}},
        {"a1 b2", 1, "[a-z][0-9]", IDOK, false, false, false, true, 1, {3, 5}, {}},
        {"cat x cat", 4, "cat", IDOK, false, false, false, false, 3, {4, 4},
         {"End of file reached.\nStart from begining of file?", "Find complete!\t"}},
        {"cat cat cat", 0, "cat", psh1, false, false, false, false, 1, {5, 8}, {}},
        {"cat cat cat", 0, "cat", psh2, false, false, false, false, 1, {0, 0}, {"Replace complete!\t"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + std::to_string(c.button));
        MessageBoxRecorder recorder;
        recorder.Answer(IDYES);
        SetWindowTextA(Edit(), c.text);
        SendMessageA(Edit(), EM_SETSEL, c.caret, c.caret);
        HWND box = OpenBox(c.button != IDOK, c.find, "lion");
        Set(box, rad1, c.up);
        Set(box, rad2, !c.up);
        Set(box, chx1, c.word);
        Set(box, chx2, c.matchCase);
        Set(box, IDC_REGULAR, c.regular);
        for (int i = 0; i < c.presses && FileViewFindBox(); ++i) Push(box, c.button);
        EXPECT_EQ(Selection(), c.selection);
        EXPECT_EQ(recorder.texts(), c.messages);
        EXPECT_TRUE(c.button == IDOK || EditText().substr(0, 5) == "lion ") << EditText();
        CloseBox();
        EXPECT_FALSE(FileViewFindBox());
    }
    SetWindowTextA(Edit(), "dog cat cat");
    SendMessageA(Edit(), EM_SETSEL, 0, 0);
    FileViewCommand(IDM_FV_FIND_NEXT);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{4}, DWORD{7}));
}

// The histories come back with the box; Regular starts as the main window's
// Regular box is, not as the last search had it; Find Next puts the find text
// in FileView's find box even when it is already at the top of that list.
// The status line in its bold font is whole: as tall as a line, inside the box.
TEST_F(FindReplace, TheBoxOpensWithItsHistoriesAndTheMainWindowsRegular) {
    ASSERT_TRUE(Open("box.txt", "x"));
    for (const char* text : {"one", "two", "ONE"}) {
        Push(OpenBox(true, text, std::string("with ") + text), IDOK);
        CloseBox();
    }
    FileViewCommand(IDM_FV_REPLACE);
    HWND box = FileViewFindBox();
    EXPECT_EQ(ListOf(GetDlgItem(box, IDC_FIND_COMBO)), (Texts{"ONE", "two"}));
    EXPECT_TRUE(
        ListOf(GetDlgItem(box, IDC_REPLACE_COMBO)).empty());  // Find Next keeps the find only
    EXPECT_EQ(TextOf(GetDlgItem(box, IDC_FIND_COMBO)), "ONE");
    EXPECT_TRUE(Checked(box, IDC_FILES_ALL) && Checked(box, IDC_CONFIRM_SAVE));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(box, IDC_FILES_MARKED)));  // nothing marked
    HWND status = GetDlgItem(box, IDC_REPLACE_STATUS);
    HDC dc = GetDC(status);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(status, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(status, dc);
    RECT line, client;
    GetClientRect(status, &line);
    EXPECT_GE(line.bottom, metrics.tmHeight);
    GetWindowRect(status, &line);
    GetClientRect(box, &client);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&line), 2);
    EXPECT_LE(line.bottom, client.bottom - 2);
    CloseBox();

    HWND findBox = GetDlgItem(GetDlgItem(FileViewHandle(), IDC_FILEVIEW_TOOLBAR), IDC_FIND_BOX);
    ASSERT_TRUE(findBox);
    SendMessageA(findBox, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("cat"));
    SetWindowTextA(findBox, "typed since");
    for (bool checked : {false, true}) {
        SearchedFor("", checked ? 0 : kTextRegular);
        CheckDlgButton(Main(), IDC_REGULAR, checked ? BST_CHECKED : BST_UNCHECKED);
        Command(IDC_REGULAR);
        box = OpenBox(false, "cat");
        EXPECT_EQ(Checked(box, IDC_REGULAR), checked);
        Push(box, IDOK);
        CloseBox();
    }
    EXPECT_EQ(TextOf(findBox), "cat");
}

// The Files buttons, the list's selection and the shown row reach the run,
// which starts from the shown row wherever the focus has moved since; the
// shown file's text is its file's again, so closing asks nothing.
TEST_F(FindReplace, ReplaceInFilesWalksTheSelectedRowsFromTheShownRow) {
    FiveFiles();
    HWND box = ReplaceInFileView(2, "old", "new", true);
    ASSERT_TRUE(box);
    SelectRows({0, 3});
    SetRowState(4, LVIS_FOCUSED, LVIS_FOCUSED);
    CheckRadioButton(box, IDC_FILES_SELECTED, IDC_FILES_ALL, IDC_FILES_SELECTED);
    boxes.whileShown = YesToQuestions;
    Push(box, IDC_REPLACE_IN_FILES);
    Texts asked;
    for (const std::string& text : boxes.texts())
        if (text.rfind("Replace completed in ", 0) == 0) asked.push_back(text.substr(21, 5));
    EXPECT_EQ(asked, (Texts{"c.txt", "d.txt", "a.txt"}));
    EXPECT_EQ(boxes.texts().back(), "3 occurrences replaced in 3 file(s)!");
    EXPECT_EQ(folder.Read("b.txt") + folder.Read("d.txt"), "an old wordan new word");
    EXPECT_EQ(EditText(), "an new word");
    EXPECT_EQ(Marks().substr(2, 1), "-");
    EXPECT_EQ(folder.TempFiles(), 0);
    boxes.Clear();
    SendMessageA(FileViewHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(FileViewHandle());
    EXPECT_TRUE(boxes.texts().empty());
}

// The real file layer's reads: a file too large for FileView and one with a
// zero byte are left and named. A failure at any step of a write leaves
// every file byte for byte as it was and no temporary file.
TEST_F(FindReplace, FilesTheRunCannotWriteWholeAreLeftAsTheyWere) {
    std::string large(70000, 'x');
    large.replace(100, 3, "old");
    const Files files = {
        {"a.txt", "old a"}, {"big.txt", large}, {"zero.txt", std::string("old\0z", 5)}};
    ShowRows(files);
    for (const char* step : {"temp", "open", "write", "flush", "close", "replace"}) {
        SCOPED_TRACE(step);
        boxes.Clear();
        boxes.whileShown = [](const ShownMessage& shown) {
            return (shown.type & MB_TYPEMASK) == MB_ABORTRETRYIGNORE ? IDIGNORE
                                                                     : YesToQuestions(shown);
        };
        HWND box = ReplaceInFileView(0, "old", "new", false);
        ASSERT_TRUE(box);
        {
            FailingFiles failing(step);
            Push(box, IDC_REPLACE_IN_FILES);
        }
        if (std::string(step) == "write") {
            Texts texts = boxes.texts();
            std::sort(texts.begin(), texts.end());
            EXPECT_EQ(texts, (Texts{"Error 29: Unable to write file to disk!",
                                    "Not changed: too large for FileView or holding a zero "
                                    "byte:\nbig.txt\nzero.txt",
                                    kSaveAllQuestion, "Unable to write file!"}));
        }
        for (const auto& [name, bytes] : files) EXPECT_EQ(folder.Read(name), bytes) << name;
        EXPECT_EQ(folder.TempFiles(), 0);
        DestroyWindow(FileViewHandle());
    }
}

// A shown text cut at a zero byte is left byte for byte and named; the
// box's Replace All that would overfill EditView says so and changes nothing.
TEST_F(FindReplace, AShownFileEditViewCannotWriteWholeIsLeftAsItWas) {
    const std::string zero("needle before zero\r\n\0needle after zero must survive\r\n", 53);
    boxes.whileShown = YesToQuestions;
    ShowRows({{"shown.txt", zero}, {"other.txt", "a needle"}});
    HWND box = ReplaceInFileView(0, "needle", "PIN", true);
    ASSERT_TRUE(box);
    Push(box, IDC_REPLACE_IN_FILES);
    EXPECT_EQ(folder.Read("shown.txt") + folder.Read("other.txt"), zero + "a PIN");
    const Texts texts = boxes.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "Not changed: too large for FileView or holding a zero byte:\nshown.txt"),
              texts.end());
    DestroyWindow(FileViewHandle());

    std::string big = "needle\r\n";
    while (big.size() < 65501 - 8) big += std::string(62, 'y') + "\r\n";
    big.resize(65501 - 8);
    big += "\r\nneedle";
    ClearFileInfoList();
    ShowRows({{"shown.txt", big}});
    box = ReplaceInFileView(0, "needle", std::string(40, 'P'), true);
    ASSERT_TRUE(box);
    boxes.Clear();
    Push(box, psh2);
    EXPECT_EQ(EditText(), big);
    EXPECT_EQ(boxes.texts(), Texts{"Editor out of space. Please close FileView and use another "
                                   "editor to open the file."});
}

// The real file system's identity: FileView on the same file through another
// drive letter starts the run from its row.
TEST_F(FindReplace, AnotherDriveLetterLeadsToTheSameFile) {
    FiveFiles();
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    ASSERT_TRUE(unixName) << "wine_get_unix_file_name is missing: no second drive letter";
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, GetItemFullPath(2).c_str(), -1, wide, MAX_PATH);
    char* unixPath = unixName(wide);
    ASSERT_TRUE(unixPath);
    std::string other = std::string("Z:") + unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    std::replace(other.begin(), other.end(), '/', '\\');
    ASSERT_NE(lstrcmpiA(other.c_str(), GetItemFullPath(2).c_str()), 0);
    EXPECT_FALSE(IsSameFile(TextFiles(), other, GetItemFullPath(3)));
    boxes.whileShown = YesToQuestions;
    HWND box = ReplaceInFileView(2, "old", "new", true, other);
    ASSERT_TRUE(box);
    Push(box, IDC_REPLACE_IN_FILES);
    ASSERT_FALSE(boxes.texts().empty());
    EXPECT_EQ(boxes.texts()[0], "Replace completed in c.txt!\t\nSave it?");
    EXPECT_EQ(folder.Read("c.txt"), "an new word");
}

// While the run asks, the list stays as it is and closes wait: the pending
// files are committed first, then the program ends cleanly.
TEST_F(FindReplace, ARunsQuestionsHoldTheListAndCloseAfterwards) {
    static std::vector<int> refused;
    FiveFiles();
    SetRefusalBeepHook([](int command) { refused.push_back(command); });
    refused.clear();
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
    EXPECT_EQ(refused, (std::vector<int>{IDM_CLEAR_LIST, IDM_FIND_FILES}));
    ExpectAllNew();
    EXPECT_EQ(DrainMessages(), 0);  // the close owed by the run, then the quit
    EXPECT_FALSE(Main());
}

// Wrap Lines while the Replace box is open: the box goes on working on the
// control that is EditView now, for a find and for Replace in Files, whose
// one question covers every file; LineView follows the shown file and the
// user's find text stays.
TEST_F(FindReplace, TheOpenBoxFollowsEditViewThroughWrapLines) {
    FiveFiles();
    HWND box = ReplaceInFileView(2, "old", "new", false);
    ASSERT_TRUE(box);
    EXPECT_EQ(LineViewItems().size(), 1u);
    HWND unwrapped = Edit();
    FileViewCommand(IDM_FV_WRAP_LINES);
    ASSERT_NE(Edit(), unwrapped);
    SendMessageA(Edit(), EM_SETSEL, 0, 0);
    Push(box, IDOK);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{3}, DWORD{6}));
    boxes.Answer(IDYES);
    SetFindString("old w");
    Push(box, IDC_REPLACE_IN_FILES);
    EXPECT_EQ(boxes.texts(), Texts{kSaveAllQuestion});
    ExpectAllNew();
    EXPECT_EQ(EditText(), "an new word");
    EXPECT_TRUE(LineViewItems().empty());
    EXPECT_EQ(g_FindReplace.FindString, "old w");
    EXPECT_FALSE(FileViewFindBox());
}

}  // namespace
