// The program as a whole on the platform: start-up and the ways out with the
// settings file, the main window's own controls, help, the option dialogs
// and the viewers a file opens with.
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <optional>

#include "app/startup_win.h"
#include "failing_files.h"
#include "fileops/open_file_win.h"
#include "help/help_win.h"
#include "search/criteria.h"
#include "search/file_filter.h"
#include "settings/settings_win.h"
#include "ui/message_box_win.h"
#include "ui/text.h"
#include "win_test_support.h"

namespace {

using StartUp = ProgramTest;

TEST_F(StartUp, RefusesToRunWithoutSettingsFileAndOnlyWarnsWithoutHelp) {
    folder.Write("Quarry32.hlp", "help\r\n");
    EXPECT_FALSE(InitInstance(g_App.AppInstance, SW_SHOWNORMAL));
    DeleteFileA(folder.File("Quarry32.hlp").c_str());
    EXPECT_EQ(g_App.MainWindow, nullptr);
    Start("[Find]\r\n", /*withHelp=*/false);
    EXPECT_EQ(boxes.texts(), (Texts{"Unable to launch Quarry!\nQuarry32.ini not found!",
                                    "Quarry! Help file not found!"}));
    EXPECT_TRUE(IsWindowVisible(Main()));
    // The code finds each spin button as the window after its box.
    for (int buddy : {IDC_SIZE_LESS, IDC_SIZE_MORE, IDC_LEVEL}) {
        HWND spin = GetWindow(Control(buddy), GW_HWNDNEXT);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), Control(buddy));
    }
}

// Save Settings on Exit is checked by default: every way out writes the file
// and ends with 0. Save Settings Now spares the save at exit, unless it failed;
// a failed save keeps the file's bytes, says so once and still lets the
// program end.
TEST_F(StartUp, EveryWayOutSavesOnceAndAFailedSaveKeepsTheFile) {
    const struct {
        UINT message;
        WPARAM how;
        const char* savedNow;  // nullptr: no Save Settings Now; else the step that fails
        const char* failing;   // the step that fails at exit
        bool savedAtExit;
    } ways[] = {
        {WM_COMMAND, IDM_EXIT, nullptr, "", true},    {WM_CLOSE, 0, nullptr, "", true},
        {WM_SYSCOMMAND, SC_CLOSE, nullptr, "", true}, {WM_COMMAND, IDM_EXIT, "", "", false},
        {WM_COMMAND, IDM_EXIT, "replace", "", true},  {WM_CLOSE, 0, nullptr, "write", false},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(testing::Message() << w.message << " " << w.how << " " << w.failing);
        boxes.Clear();
        ReplaceSettings(Settings{});
        Start("[Find]\r\nFilePattern=*.c\r\n");
        if (w.savedNow) {
            FailingFiles failing(w.savedNow);
            Command(IDM_SAVE_SETTINGS_NOW);
        }
        folder.Write("Quarry32.ini", "[Find]\r\n");
        HWND main = Main();
        {
            FailingFiles failing(w.failing);
            SendMessageA(main, w.message, w.how, 0);
        }
        EXPECT_FALSE(IsWindow(main));
        EXPECT_EQ(DrainMessages(), 0);
        const std::string written = folder.Read("Quarry32.ini");
        EXPECT_EQ(written.find("FilePattern=*.c") != std::string::npos, w.savedAtExit) << written;
        EXPECT_TRUE(w.savedAtExit || written == "[Find]\r\n") << written;
        const bool failed = (w.savedNow && *w.savedNow) || *w.failing;
        EXPECT_EQ(boxes.texts(), Texts(failed, "Settings could not be saved to " +
                                                   folder.File("Quarry32.ini") + "."));
    }
}

TEST(ProgramFilePath, RefusesAPathThatWouldNotFit) {
    std::string deep = "c:\\" + std::string(240, 'd');
    SetProgramDirectoryForTesting(deep.c_str());
    char path[MAX_PATH];
    EXPECT_FALSE(ProgramFilePath("a-rather-long-file-name.ini", path));
    EXPECT_TRUE(ProgramFilePath("q.ini", path));
    SetProgramDirectoryForTesting(nullptr);
}

TEST(MessageBoxes, LongArgumentsAreCutNotOverflowed) {
    MessageBoxRecorder boxes;
    WarningBox(nullptr, "Bad path %s\nspecified! Continue?", std::string(1000, 'x').c_str());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text.size(), 255u);
    EXPECT_EQ(boxes.shown()[0].text.substr(0, 14), "Bad path xxxxx");
}

// A failure at any step: the file keeps every byte, no temporary file is
// left beside it, and the user is told.
TEST(SettingsFile, AFailedSaveLeavesTheFileWholeAndSaysSo) {
    for (const char* step : {"temp", "open", "write", "flush", "close", "replace"}) {
        SCOPED_TRACE(step);
        TempFolder folder;
        folder.Write("Quarry32.ini", "; the user's\r\n[Find]\r\nCase=1\r\n");
        const std::string path = folder.File("Quarry32.ini");
        MessageBoxRecorder boxes;
        {
            FailingFiles failing(step);
            EXPECT_FALSE(SaveSettings(path.c_str()));
        }
        EXPECT_EQ(folder.Read("Quarry32.ini"), "; the user's\r\n[Find]\r\nCase=1\r\n");
        EXPECT_EQ(folder.TempFiles(), 0);
        EXPECT_EQ(boxes.texts(), Texts{"Settings could not be saved to " + path + "."});
    }
}

using MainWindow = StartedTest;

TEST_F(MainWindow, EnterInTheToolbarComboSetsTheDefaultTypeOrRefusesIt) {
    Command(IDC_CASE);  // the first command subclasses the combo's edit field
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(g_Main.ToolbarCombo, &info));
    for (auto [typed, type] : {std::pair{"x.TXT", "*.txt"}, std::pair{"txt", ""}}) {
        SetWindowTextA(g_Main.ToolbarCombo, typed);
        SendMessageA(info.hwndItem, WM_KEYDOWN, VK_RETURN, 0);
        DrainMessages();
        EXPECT_EQ(g_Settings.DefaultFileType, type);
    }
    EXPECT_EQ(ListOf(g_Main.ToolbarCombo).at(0), "*.txt");
    EXPECT_EQ(boxes.texts(), Texts{"Error in File Type setting!"});
}

// An HDROP as the shell builds it, dropped at the centre of `target`.
void DropOn(HWND target, const Texts& names) {
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& name : names) bytes += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    RECT box;
    GetWindowRect(target, &box);
    drop->pt = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ScreenToClient(g_App.MainWindow, &drop->pt);
    char* out = reinterpret_cast<char*>(drop + 1);
    for (const std::string& name : names) out = lstrcpyA(out, name.c_str()) + name.size() + 1;
    GlobalUnlock(memory);
    SendMessageA(g_App.MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

TEST_F(MainWindow, DroppedFilesFillFileNamesOrTheDirectory) {
    const std::string directory = TextOf(g_Main.DirectoryCombo);
    DropOn(g_Main.FileList, {"C:\\Src\\A.C", "D:\\x.ASM"});
    EXPECT_EQ(TextOf(g_Main.FileNameCombo) + "|" + TextOf(g_Main.DirectoryCombo),
              "c:\\src\\a.c;d:\\x.asm|" + directory);
    DropOn(g_Main.DirectoryCombo, {"C:\\Work\\Folder", "c:\\other"});
    EXPECT_EQ(TextOf(g_Main.FileNameCombo) + "|" + TextOf(g_Main.DirectoryCombo),
              "c:\\src\\a.c;d:\\x.asm|c:\\work\\folder");
}

// Records the menu and accelerator commands that reach the main window.
std::vector<int> commandsSeen;
WNDPROC mainProc = nullptr;
LRESULT CALLBACK RecordCommands(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && lp == 0) commandsSeen.push_back(LOWORD(wp));
    return CallWindowProcA(mainProc, hwnd, msg, wp, lp);
}

// The loop turns the main window's accelerators into its commands and Tab
// into a focus move; keys typed into the help window stay the help window's.
TEST_F(MainWindow, AcceleratorsReachTheMainWindowOnlyFromItsOwnControls) {
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    SetForegroundWindow(Main());
    Command(IDM_HELP_CONTENTS);
    HWND help = HelpWindowHandle();
    ASSERT_TRUE(help && IsWindowVisible(help));
    commandsSeen.clear();
    auto key = [](HWND window, WPARAM key) {
        MSG msg = {window, WM_KEYDOWN, key, 0x00010001, 0, {}};
        ProcessLoopMessage(msg);
    };
    for (WPARAM typed : {VK_F5, VK_F7, VK_DELETE, VK_ESCAPE})
        key(GetDlgItem(help, kHelpSearchBoxId), typed);
    EXPECT_TRUE(commandsSeen.empty());
    EXPECT_FALSE(IsWindow(help) && IsWindowVisible(help));  // Esc closed it
    key(Control(IDC_LEVEL), VK_F5);
    EXPECT_EQ(commandsSeen, std::vector<int>{IDM_FIND_FILES});
    SetFocus(g_Main.FileList);
    HWND next = GetNextDlgTabItem(Main(), g_Main.FileList, FALSE);
    ASSERT_NE(next, g_Main.FileList);
    key(g_Main.FileList, VK_TAB);
    EXPECT_TRUE(GetFocus() == next || GetParent(GetFocus()) == next);
    SetWindowLongPtrA(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
}

TEST_F(MainWindow, StatusCountsAreShownWhole) {
    ShowStatusWithCounts(IDS_READY, 135, 1000);
    ExpectPartsHold(g_Main.StatusBar, {"Ready", "135", "1000"});
    EXPECT_EQ(StatusText(1) + " " + StatusText(2), "135 1000");
}

// One help window shows the asked topic and, for F1 in a combo's edit field
// and for F1 or a right click on a dialog's control, that control's topic,
// found by walking up the real windows; Quit closes it. A help file that
// cannot be read is named in a warning and opens no window. (The Sort
// Options dialog asked takes its buttons on OK.)
TEST_F(MainWindow, HelpShowsTheTopicOfTheCommandOrTheControl) {
    folder.Write("Quarry32.hlp",
                 "@@ 1 Contents\r\nAll.\r\n@@ 0x10065 Find Files (F5)\r\nSearches.\r\n"
                 "@@ 0x812D006E Directory\r\nWhere.\r\n@@ 0x8172025B By size\r\nSorts.\r\n");
    auto topic = [] { return TextOf(GetDlgItem(HelpWindowHandle(), kHelpTopicTextId)); };
    const char* path = g_App.HelpFilePath;
    ASSERT_TRUE(QuarryHelp(Main(), path, HELP_CONTEXT, MenuHelpContext(101)));
    HWND window = HelpWindowHandle();
    EXPECT_EQ(topic(), "Find Files (F5)\r\n\r\nSearches.");
    ASSERT_TRUE(QuarryHelp(FindWindowExA(g_Main.DirectoryCombo, nullptr, "EDIT", nullptr), path,
                           HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(kContextHelpIds)));
    EXPECT_EQ(topic().substr(0, 9), "Directory");
    EXPECT_EQ(HelpWindowHandle(), window);
    EXPECT_TRUE(QuarryHelp(Main(), path, HELP_QUIT, 0));
    EXPECT_FALSE(IsWindow(window));

    SetWhatsThisHook([](HWND) { return true; });
    SetSortOptions(0, 1, 0);
    DialogRobot robot(IDD_SORT_OPTIONS, [&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_SORT_NONE) && Checked(dialog, IDC_SORT_ASCENDING));
        HWND control = GetDlgItem(dialog, IDC_SORT_SIZE);
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0);
        EXPECT_EQ(topic().substr(0, 7), "By size");
        QuarryHelp(Main(), path, HELP_QUIT, 0);
        HELPINFO info = {sizeof info, HELPINFO_WINDOW, IDC_SORT_SIZE, control, 0, {0, 0}};
        SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(topic().substr(0, 7), "By size");
        for (int id : {IDC_SORT_DATE, IDC_SORT_ASCENDING, IDC_SORT_ACROSS_DIRS}) Click(dialog, id);
        Press(dialog, IDOK);
    });
    Command(IDM_SORT_OPTIONS);
    EXPECT_EQ(g_Settings.SortMode * 100 + g_Settings.SortOrder * 10 + g_Settings.SortDir, 301);
    QuarryHelp(Main(), path, HELP_QUIT, 0);
    SetWhatsThisHook(nullptr);
    EXPECT_TRUE(boxes.shown().empty());

    const std::string none = folder.File("none.hlp");
    EXPECT_FALSE(QuarryHelp(Main(), none.c_str(), HELP_CONTEXT, MenuHelpContext(101)));
    EXPECT_EQ(HelpWindowHandle(), nullptr);
    EXPECT_EQ(boxes.texts(), Texts{"Help file " + none + " not found!"});
}

using OptionDialogs = StartedTest;

// The list as the user leaves it is what the next Find Files leaves out; the
// switch takes effect at once, even when the dialog is cancelled. A type
// without a full stop is refused and the dialog stays on it.
TEST_F(OptionDialogs, FileFilterReachesTheNextSearch) {
    CreateDirectoryA(folder.File("tree").c_str(), nullptr);
    for (const char* name : {"a.txt", "b.log", "d.c"})
        folder.Write(std::string("tree\\") + name, "text\r\n");
    auto add = [](HWND dialog, const char* pattern) {
        Type(GetDlgItem(dialog, IDC_FILTER_EXCLUDED), pattern);
        Click(dialog, IDC_FILTER_ADD);
    };
    const struct {
        DialogRobot::Script script;
        const char* found;
    } steps[] = {
        {[&](HWND dialog) {
             HWND type = GetDlgItem(dialog, IDC_FILTER_FILE_TYPE);
             EXPECT_EQ(FocusedControl(), type);
             add(dialog, "*.log");
             HWND list = GetDlgItem(dialog, IDC_FILTER_EXCLUDED);
             SendMessageA(list, CB_SETCURSEL, 1, 0);
             SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FILTER_EXCLUDED, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(list));
             Click(dialog, IDC_FILTER_DELETE);  // *.bat
             Click(dialog, IDC_FILTER_ENABLE);
             ExpectRefusedThenOk(dialog, type, "txt", "Ab.H");
         },
         "a.txt d.c"},
        {[&](HWND dialog) {
             add(dialog, "*.c");
             Click(dialog, IDC_FILTER_ENABLE);
             Press(dialog, IDCANCEL);
         },
         "a.txt b.log d.c"},
    };
    for (const auto& step : steps) {
        DialogRobot robot(IDD_FILE_FILTER, step.script);
        Command(IDM_FILE_FILTER);
        EXPECT_EQ(robot.opened(), 1);
        Find(LowerText(folder.File("tree")), "*.*");
        EXPECT_EQ(RowNames(), step.found);
    }
    EXPECT_EQ(ExcludedFilePatterns().at(0) + ExcludedFilePatterns().at(1), "*.log*.bin");
    EXPECT_EQ(g_Settings.DefaultFileType + " " + TextOf(g_Main.ToolbarCombo), "*.h *.h");
    EXPECT_EQ(boxes.texts(), Texts{"Error in File Type setting!"});
}

// Another process's window answers WM_GETTEXT, not GetWindowText.
std::string TextOfOther(HWND window) {
    char text[512] = "";
    if (window) SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The window of the Notepad this process started, once it waits for input.
HWND StartedNotepad(HANDLE& process) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && !process;
         more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "notepad.exe") == 0 &&
            entry.th32ParentProcessID == GetCurrentProcessId())
            process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                  FALSE, entry.th32ProcessID);
    CloseHandle(snapshot);
    if (!process) return nullptr;
    WaitForInputIdle(process, 60000);  // bounded only so a broken start cannot hang
    std::pair<DWORD, HWND> found{GetProcessId(process), nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& [id, shown] = *reinterpret_cast<std::pair<DWORD, HWND>*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == id && IsWindowVisible(window)) shown = window;
            return !shown;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.second;
}

class Opening : public StartedTest {
  protected:
    void SetUp() override {
        StartedTest::SetUp();
        // Text files open with Notepad, as on any Windows; a Wine prefix may
        // lack the ".txt" half of that association, made here for the test.
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key) == ERROR_SUCCESS)
            return void(RegCloseKey(key));
        madeAssociation = RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, "txtfile", 7) == 0;
    }
    void TearDown() override {
        if (madeAssociation) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
        StartedTest::TearDown();
    }
    bool madeAssociation = false;
};

// Notepad and the associated program get the bare name in the file's directory.
TEST_F(Opening, OutsideViewersOpenTheFocusedFile) {
    SetEditorQuery(IDC_QUERY_NEVER);
    for (auto [viewer, name, status] :
         {std::tuple{IDC_VIEWER_NOTEPAD, "with blanks.txt", "Opening FileView with Notepad."},
          std::tuple{IDC_VIEWER_ASSOCIATED, "plain.txt",
                     "Opening FileView with associated program"}}) {
        SCOPED_TRACE(name);
        ClearFileInfoList();
        ShowRealFiles(folder.path(), {{name, std::string("text of ") + name}});
        SetRowState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        SetViewerChoice(viewer);
        Command(IDM_OPEN_FILE);
        EXPECT_EQ(StatusText(), status);
        HANDLE process = nullptr;
        HWND notepad = StartedNotepad(process);
        if (!notepad && process) TerminateProcess(process, 1);
        ASSERT_TRUE(notepad);
        const std::string stem = std::string(name).substr(0, std::string(name).find('.'));
        EXPECT_NE(TextOfOther(notepad).find(stem), std::string::npos);
        EXPECT_EQ(TextOfOther(FindWindowExA(notepad, nullptr, "Edit", nullptr)),
                  std::string("text of ") + name);
        PostMessageA(notepad, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
        CloseHandle(process);
    }
    EXPECT_TRUE(boxes.shown().empty());
}

// The radio buttons take effect at once; OK refuses a program it cannot find,
// with the focus on its field, and takes one found on the path.
TEST_F(Opening, SettingsDialogChecksTheProgramOnOk) {
    DialogRobot robot(IDD_FILEVIEW_SETTINGS, [](HWND dialog) {
        HWND other = GetDlgItem(dialog, IDC_OTHER_EDITOR);
        EXPECT_FALSE(IsWindowEnabled(other));
        Click(dialog, IDC_VIEWER_OTHER);
        EXPECT_TRUE(IsWindowEnabled(other));
        EXPECT_EQ(g_Settings.Editor, IDC_VIEWER_OTHER);
        ExpectRefusedThenOk(dialog, other, "nosuch", "notepad");
    });
    Command(IDM_FILEVIEW_SETTINGS);
    EXPECT_EQ(robot.opened(), 1);
    EXPECT_EQ(g_Settings.OtherEditor, "notepad.exe");
    EXPECT_EQ(boxes.texts(), Texts{"Program path nosuch.exe\n is invalid!"});
}

}  // namespace
