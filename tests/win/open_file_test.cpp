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

// Query mode Always asks first, then FileView opens the whole file. (What
// every mode and size lead to is checked natively.)
TEST_F(Opening, QueryModeAlwaysAsksBeforeFileViewOpens) {
    ShowRow("big.txt", 10);
    UseViewer(IDC_VIEWER_FILEVIEW, IDC_QUERY_ALWAYS);
    DialogRobot robot(IDD_FILEVIEW_SETTINGS, [](HWND dialog) { Press(dialog, IDCANCEL); });
    Command(IDM_OPEN_FILE);
    EXPECT_EQ(robot.opened(), 1);
    EXPECT_TRUE(OpenedFile().WholeFile);
    EXPECT_EQ(OpenedFile().FullPath, folder.File("big.txt"));
    EXPECT_EQ(g_Settings.Directory, folder.path());
    EXPECT_EQ(StatusText(), "Opening FileView with internal Editor.");
    EXPECT_NE(FileViewHandle(), nullptr);
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
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.editor << " " << c.name);
        const std::string text = std::string("text of ") + c.name[0];
        ShowRow(c.name, text.size(), text);
        UseViewer(c.editor, IDC_QUERY_NEVER);
        Command(IDM_OPEN_FILE);
        EXPECT_EQ(StatusText(), c.status);
        StartedNotepad notepad;
        ASSERT_TRUE(notepad.running());
        const std::string stem = std::string(c.name).substr(0, std::string(c.name).find('.'));
        EXPECT_NE(notepad.Title().find(stem), std::string::npos) << notepad.Title();
        EXPECT_EQ(notepad.Text(), text);
    }
    EXPECT_TRUE(boxes.shown().empty());
}

// The radio buttons take effect at once and Cancel gives the viewer back (the
// query mode stays); OK refuses a program it cannot find, with the focus on
// its field, and takes one found on the path.
TEST_F(Opening, SettingsDialogTakesEffectAtOnceAndChecksTheProgramOnOk) {
    ShowRow("a.txt", 5);
    SetOtherEditor("notepad.exe");
    UseViewer(IDC_VIEWER_FILEVIEW, IDC_QUERY_ALWAYS);
    {
        DialogRobot robot(IDD_FILEVIEW_SETTINGS, [](HWND dialog) {
            HWND other = GetDlgItem(dialog, IDC_OTHER_EDITOR);
            EXPECT_FALSE(IsWindowEnabled(other));
            Click(dialog, IDC_VIEWER_OTHER);
            EXPECT_TRUE(IsWindowEnabled(other));
            EXPECT_EQ(g_Settings.Editor, IDC_VIEWER_OTHER);
            Click(dialog, IDC_QUERY_TOO_LARGE);
            Click(dialog, IDC_VIEWER_NOTEPAD);
            EXPECT_FALSE(IsWindowEnabled(other));
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(FileViewSettingsDialog(Main()), 0);
    }
    EXPECT_EQ(g_Settings.Editor, IDC_VIEWER_FILEVIEW);
    EXPECT_EQ(g_Settings.EditorQuery, IDC_QUERY_TOO_LARGE);
    DialogRobot robot(IDD_FILEVIEW_SETTINGS, [](HWND dialog) {
        HWND other = GetDlgItem(dialog, IDC_OTHER_EDITOR);
        Click(dialog, IDC_VIEWER_OTHER);
        ExpectRefusedThenOk(dialog, other, "nosuch", "notepad");
    });
    EXPECT_EQ(FileViewSettingsDialog(Main()), 1);
    EXPECT_EQ(g_Settings.Editor, IDC_VIEWER_OTHER);
    EXPECT_EQ(g_Settings.OtherEditor, "notepad.exe");
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Program path nosuch.exe\n is invalid!"});
}

TEST_F(Opening, OptionsMenuOpensTheSettingsDialog) {
    DialogRobot robot(IDD_FILEVIEW_SETTINGS, [](HWND dialog) {
        Click(dialog, IDC_QUERY_NEVER);
        Press(dialog, IDOK);
    });
    Command(IDM_FILEVIEW_SETTINGS);
    EXPECT_EQ(robot.opened(), 1);
    EXPECT_EQ(g_Settings.EditorQuery, IDC_QUERY_NEVER);
}

}  // namespace
