#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "dialog_robot.h"
#include "fileops/open_file_win.h"
#include "fileview/file_view_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "search/criteria.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

// Answers the FileView Settings dialog from a script of words: "403" clicks
// that radio button, "=text" types into the other-editor field, "ok" and
// "cancel" press the buttons. It notes the viewer choice, the query mode and
// whether the field is enabled at opening and after each click, and which
// control has the focus after an OK that the dialog refused. A dialog still
// open at the end of the script is cancelled.
class ViewerDialogRobot {
  public:
    explicit ViewerDialogRobot(std::string script = "cancel")
        : robot_(IDD_FILEVIEW_SETTINGS, [this, script](HWND dialog) { Run(dialog, script); }) {}
    int opened() const { return robot_.opened(); }
    std::string trace;

  private:
    void Note(HWND dialog, const std::string& label) {
        trace += label + "(" + std::to_string(g_Settings.Editor) + "," +
                 std::to_string(g_Settings.EditorQuery) + "," +
                 (IsWindowEnabled(GetDlgItem(dialog, IDC_OTHER_EDITOR)) ? "on" : "off") + ") ";
    }
    void Run(HWND dialog, const std::string& script) {
        Note(dialog, "open");
        size_t start = 0;
        while (DialogStays(dialog) && start < script.size()) {
            size_t end = script.find(' ', start);
            if (end == std::string::npos) end = script.size();
            const std::string word = script.substr(start, end - start);
            start = end + 1;
            if (word == "ok") {
                Press(dialog, IDOK);
                if (DialogStays(dialog))
                    trace +=
                        "refused(focus " + std::to_string(GetDlgCtrlID(FocusedControl())) + ") ";
            } else if (word == "cancel") {
                Press(dialog, IDCANCEL);
            } else if (word[0] == '=') {
                Type(GetDlgItem(dialog, IDC_OTHER_EDITOR), word.substr(1));
            } else {
                Click(dialog, std::stoi(word));
                Note(dialog, word);
            }
        }
        if (DialogStays(dialog)) Press(dialog, IDCANCEL);
    }
    DialogRobot robot_;
};

// A running Notepad started by this process: its window's title and text,
// read once it waits for input; closed and gone when the test ends.
class StartedNotepad {
  public:
    StartedNotepad() {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more;
             more = Process32Next(snapshot, &entry))
            if (lstrcmpiA(entry.szExeFile, "notepad.exe") == 0 &&
                entry.th32ParentProcessID == GetCurrentProcessId())
                id_ = entry.th32ProcessID;
        CloseHandle(snapshot);
        if (!id_) return;
        process_ =
            OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id_);
        // Bounded only so that a broken start cannot hang the run.
        WaitForInputIdle(process_, 60000);
        EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(this));
    }
    ~StartedNotepad() {
        if (!process_) return;
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_, 60000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
        CloseHandle(process_);
    }
    bool running() const { return window_ != nullptr; }
    std::string Title() const { return TextOf(window_); }
    std::string Text() const { return TextOf(FindWindowExA(window_, nullptr, "Edit", nullptr)); }

  private:
    static BOOL CALLBACK FindWindowOf(HWND window, LPARAM self) {
        auto* notepad = reinterpret_cast<StartedNotepad*>(self);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != notepad->id_ || !IsWindowVisible(window)) return TRUE;
        notepad->window_ = window;
        return FALSE;
    }
    static std::string TextOf(HWND window) {
        char text[512] = "";
        if (window) SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    DWORD id_ = 0;
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
};

// Text files open with Notepad, as on any Windows; a Wine prefix may lack the
// ".txt" half of that association, which is then made for the test and removed.
class TextAssociation {
  public:
    TextAssociation() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            return;
        }
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("txtfile"), 8);
        RegCloseKey(key);
        made_ = true;
    }
    ~TextAssociation() {
        if (made_) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
    }

  private:
    bool made_ = false;
};

class Opening : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SetOpenedFile(FileViewFile{});
        Start();
    }
    void TearDown() override {
        if (FileViewHandle()) DestroyWindow(FileViewHandle());
        RememberSearchCriteria(SearchCriteria{});
        ProgramTest::TearDown();
    }

    // The one row of the list: a real file of `size` bytes in the test's folder, focused.
    void ShowRow(const std::string& name, size_t size, const std::string& text = "") {
        ClearFileInfoList();
        std::string bytes = text;
        bytes.resize(size, 'x');
        folder.Write(name, bytes);
        DirEntry entry;
        entry.name = name;
        entry.size = size;
        ShowRows(folder.path(), {entry});
        LVITEMA item = {};
        item.state = item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(g_Main.FileList, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    }
    TextAssociation association;

    void UseViewer(int editor, int query) {
        SetViewerChoice(editor);
        SetEditorQuery(query);
    }
};

TEST_F(Opening, QueryModeDecidesWhetherTheSettingsComeFirst) {
    struct Case {
        int query;
        size_t size;
        int asked;
        bool whole;
    };
    const Case kCases[] = {
        {IDC_QUERY_ALWAYS, 10, 1, true},
        {IDC_QUERY_NEVER, 70000, 0, false},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.query << " " << c.size);
        ShowRow("big.txt", c.size);
        UseViewer(IDC_VIEWER_FILEVIEW, c.query);
        ViewerDialogRobot robot;
        Command(IDM_OPEN_FILE);
        EXPECT_EQ(robot.opened(), c.asked);
        EXPECT_EQ(OpenedFile().WholeFile, c.whole);
        EXPECT_EQ(OpenedFile().Size, c.size);
        EXPECT_EQ(OpenedFile().FullPath, folder.File("big.txt"));
        EXPECT_EQ(g_Settings.Directory, folder.path());
        EXPECT_EQ(StatusText(), "Opening FileView with internal Editor.");
        // A second open while FileView shows a file does nothing; close it for the next case.
        ASSERT_NE(FileViewHandle(), nullptr);
        DestroyWindow(FileViewHandle());
    }
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Opening, NotepadOpensTheFileByItsBareNameInItsDirectory) {
    struct Case {
        int editor;
        const char* name;
        const char* status;
    };
    const Case kCases[] = {
        {IDC_VIEWER_NOTEPAD, "with blanks.txt", "Opening FileView with Notepad."},
        {IDC_VIEWER_ASSOCIATED, "plain.txt", "Opening FileView with associated program"},
        {IDC_VIEWER_OTHER, "plain.txt", "Opening FileView with specified program."},
        // No program for this extension: nothing starts, the status says the same.
        {IDC_VIEWER_ASSOCIATED, "data.qqq", "Opening FileView with associated program"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.editor << " " << c.name);
        const std::string text = std::string("text of ") + c.name[0];
        ShowRow(c.name, text.size(), text);
        UseViewer(c.editor, IDC_QUERY_NEVER);
        Command(IDM_OPEN_FILE);
        EXPECT_EQ(StatusText(), c.status);
        StartedNotepad notepad;
        ASSERT_EQ(notepad.running(), std::string(c.name) != "data.qqq");
        if (!notepad.running()) continue;
        const std::string stem = std::string(c.name).substr(0, std::string(c.name).find('.'));
        EXPECT_NE(notepad.Title().find(stem), std::string::npos) << notepad.Title();
        EXPECT_EQ(notepad.Text(), text);
    }
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Opening, SettingsDialogTakesEffectAtOnceAndCancelGivesTheViewerBack) {
    struct Case {
        const char* what;
        int editor, query;
        const char* file;
        const char* script;
        int result;
        const char* trace;
        int editorAfter, queryAfter;
        const char* otherAfter;
        const char* message;
    };
    const Case kCases[] = {
        {"cancel", 400, 405, "a.txt", "403 406 402 cancel", 0,
         "open(400,405,off) 403(403,405,on) 406(403,406,on) 402(402,406,off) ", 400, 406,
         "notepad.exe", ""},
        {"typed name found on the path", 400, 407, "a.txt", "403 =notepad ok", 1,
         "open(400,407,off) 403(403,407,on) ", 403, 407, "notepad.exe", ""},
        {"program not found", 400, 407, "a.txt", "403 =nosuch ok cancel", 0,
         "open(400,407,off) 403(403,407,on) refused(focus 404) ", 400, 407, "notepad.exe",
         "Program path nosuch.exe\n is invalid!"},
        {"no association", 400, 405, "a.qqq", "401 ok cancel", 0,
         "open(400,405,off) 401(401,405,off) refused(focus 401) ", 400, 405, "notepad.exe",
         "No program is associated with this file!"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        MessageBoxRecorder recorder;
        ShowRow(c.file, 5);
        FileViewFile opened;
        lstrcpyA(opened.FullPath, folder.File(c.file).c_str());
        lstrcpyA(opened.FileName, c.file);
        SetOpenedFile(opened);
        UseViewer(c.editor, c.query);
        SetOtherEditor("notepad.exe");
        ViewerDialogRobot robot(c.script);
        EXPECT_EQ(FileViewSettingsDialog(Main()), c.result);
        EXPECT_EQ(robot.trace, c.trace);
        EXPECT_EQ(g_Settings.Editor, c.editorAfter);
        EXPECT_EQ(g_Settings.EditorQuery, c.queryAfter);
        EXPECT_EQ(g_Settings.OtherEditor, c.otherAfter);
        std::vector<std::string> expected;
        if (*c.message) expected.push_back(c.message);
        EXPECT_EQ(recorder.texts(), expected);
    }
}

TEST_F(Opening, OptionsMenuOpensTheSettingsDialog) {
    ViewerDialogRobot robot("407 ok");
    Command(IDM_FILEVIEW_SETTINGS);
    EXPECT_EQ(robot.opened(), 1);
    EXPECT_EQ(g_Settings.EditorQuery, IDC_QUERY_NEVER);
}

}  // namespace
