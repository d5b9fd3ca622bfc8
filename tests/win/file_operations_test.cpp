// Rename, delete, copy, move and Add to Zip on real files under Wine, with
// the shell's own confirmations answered by the test, and a stand-in zip
// program that records how it was started.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "dialog_robot.h"
#include "fileops/file_operations_win.h"
#include "fileops/zip.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/presentation_win.h"
#include "settings/settings.h"
#include "ui/dialog_test_hook_win.h"
#include "failing_files.h"
#include "win_test_support.h"

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string DialogText(HWND dialog, int id) {
    char text[MAX_PATH + 20] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// How the test answers Quarry's target dialog, and what it saw there.
struct TargetAnswer {
    bool ok = true;
    bool browse = false;  // press Browse before OK
    std::string text;     // typed over the preset; empty keeps it
};
struct TargetSeen {
    std::string title, label, current, preset, afterBrowse;
    DWORD selection = 0;
};
TargetAnswer gTargetAnswer;
TargetSeen gTargetSeen;

void AnswerTargetDialog(HWND dialog) {
    char title[100] = "";
    GetWindowTextA(dialog, title, sizeof title);
    gTargetSeen.title = title;
    gTargetSeen.label = DialogText(dialog, IDC_TARGET_LABEL);
    gTargetSeen.current = DialogText(dialog, IDC_CURRENT_DIR);
    gTargetSeen.preset = DialogText(dialog, IDC_TARGET_DIR);
    gTargetSeen.selection =
        static_cast<DWORD>(SendDlgItemMessageA(dialog, IDC_TARGET_DIR, EM_GETSEL, 0, 0));
    if (gTargetAnswer.browse) {
        SendMessageA(dialog, WM_COMMAND, IDC_TARGET_BROWSE, 0);
        gTargetSeen.afterBrowse = DialogText(dialog, IDC_TARGET_DIR);
    }
    if (!gTargetAnswer.text.empty())
        SetDlgItemTextA(dialog, IDC_TARGET_DIR, gTargetAnswer.text.c_str());
    SendMessageA(dialog, WM_COMMAND, gTargetAnswer.ok ? IDOK : IDCANCEL, 0);
}

const Files kFive = {
    {"a.txt", "a"}, {"b.txt", "bb"}, {"c.txt", "ccc"}, {"d.txt", "dddd"}, {"e.txt", "eeeee"}};

class FileOperations : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
        shellRobot.emplace(DialogRobot::kSystemDialog,
                           [this](HWND dialog) { AnswerShell(dialog); });
        targetRobot.emplace(IDD_COPY_MOVE, &AnswerTargetDialog);
        gTargetAnswer = {};
        gTargetSeen = {};
        SetCurrentDirectoryA(folder.path().c_str());
        ShowRealFiles(folder.path(), kFive);
    }
    static int Rows() {
        return static_cast<int>(SendMessageA(g_Main.FileList, LVM_GETITEMCOUNT, 0, 0));
    }
    // Which of a.txt .. e.txt exist in `directory`, as their letters.
    std::string LettersIn(const std::string& directory) const {
        std::string letters;
        for (char letter = 'a'; letter <= 'e'; ++letter)
            if (Exists(directory + "\\" + letter + ".txt")) letters += letter;
        return letters;
    }
    // The shell's own dialogs (its questions, the folder browser), answered
    // in the order they open; one no case expected is cancelled.
    struct ShellAnswer {
        int button;          // IDYES, IDNO, IDOK, IDCANCEL
        std::string select;  // for the folder browser: the folder to pick first
    };
    void Then(int button, const std::string& select = "") { answers.push_back({button, select}); }
    void AnswerShell(HWND dialog) {
        titles.push_back(TextOf(dialog));
        ShellAnswer answer{IDCANCEL, ""};
        if (!answers.empty()) answer = answers.front(), answers.pop_front();
        if (!answer.select.empty()) {
            // The browser settles its tree only once shown: pick until it shows the folder.
            HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
            const std::string wanted = answer.select.substr(answer.select.rfind('\\') + 1);
            EXPECT_TRUE(PumpUntil([&] {
                char shown[MAX_PATH] = "";
                TVITEMA item = {};
                item.mask = TVIF_TEXT;
                item.hItem = TreeView_GetSelection(tree);
                item.pszText = shown;
                item.cchTextMax = sizeof shown;
                if (item.hItem) TreeView_GetItem(tree, &item);
                if (lstrcmpiA(shown, wanted.c_str()) == 0) return true;
                if (PIDLIST_ABSOLUTE folder = ILCreateFromPathA(answer.select.c_str())) {
                    SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE,
                                 reinterpret_cast<LPARAM>(folder));
                    ILFree(folder);
                }
                return false;
            }));
        }
        Press(dialog, answer.button);
    }
    std::deque<ShellAnswer> answers;
    std::vector<std::string> titles;
    std::optional<DialogRobot> shellRobot, targetRobot;
};

// A name the disk refuses keeps the row; one it takes renames file and row.
TEST_F(FileOperations, RenameInPlaceRenamesTheFileOrKeepsTheRow) {
    folder.Write("taken.txt", "x");
    const struct {
        const char* typed;
        std::vector<std::string> boxes;
        const char* rowName;
        const char* onDisk;  // the letters of a.txt .. e.txt still there
    } steps[] = {
        {"taken.txt", {"Error 183: Unable to rename file!"}, "a.txt", "abcde"},
        {"new name.txt", {}, "new name.txt", "bcde"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.typed);
        SelectRows({0});
        SetRowState(0, LVIS_FOCUSED, LVIS_FOCUSED);
        Command(IDM_RENAME_FILE);
        EXPECT_EQ(StatusText(), folder.File("a.txt") + " renamed.");
        HWND edit = reinterpret_cast<HWND>(SendMessageA(g_Main.FileList, LVM_GETEDITCONTROL, 0, 0));
        ASSERT_TRUE(edit);
        SetWindowTextA(edit, step.typed);
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        DrainMessages();
        EXPECT_EQ(boxes.texts(), step.boxes);
        EXPECT_EQ(ListCell(0, 0), step.rowName);
        EXPECT_EQ(LettersIn(folder.path()), step.onDisk);
        boxes.Clear();
    }
    EXPECT_EQ(folder.Read("new name.txt"), "a");
}

// The shell's own question decides; the rows and the count follow the disk.
// Ctrl+Del reaches the same command, and status part 1 no longer names a row
// that went.
TEST_F(FileOperations, DeleteRemovesOnlyWhatTheShellDeleted) {
    const struct {
        int answer;
        const char* onDisk;
        const char* rows;
        const char* status;
    } cases[] = {
        {IDNO, "abcde", "a.txt b.txt c.txt d.txt e.txt", "Deleted 0 file(s)."},
        {IDYES, "ae", "a.txt e.txt", "Deleted 3 file(s)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        SelectRows({1, 2, 3});
        Then(c.answer);
        Command(IDM_DELETE_FILES);
        EXPECT_EQ(titles.size(), 1u);
        titles.clear();
        EXPECT_EQ(LettersIn(folder.path()), c.onDisk);
        EXPECT_EQ(RowNames(), c.rows);
        EXPECT_EQ(StatusText(), c.status);
    }
    SelectRows({0, 1});
    SetRowState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    Then(IDYES);
    PressKeys(g_Main.FileList, {VK_CONTROL, VK_DELETE});
    EXPECT_EQ(RowNames(), "");
    EXPECT_EQ(LettersIn(folder.path()), "");
    EXPECT_EQ(StatusText(1), "");
}

// The target dialog names the verb, the count and the current directory, and
// preselects the directory; a relative target is taken from there. A move
// onto a file already there asks once, and Yes moves it over the old one
// without the shell asking again.
TEST_F(FileOperations, CopyAndMoveToARelativeTarget) {
    CreateDirectoryA(folder.File("sub").c_str(), nullptr);
    gTargetAnswer.text = "sub";
    SelectRows({0, 2, 4});
    Command(IDM_COPY_FILES);
    std::string current = folder.path();
    CharLowerA(current.data());
    EXPECT_EQ(gTargetSeen.title + "|" + gTargetSeen.label, "Copy|Copy 3 file(s) to:");
    EXPECT_EQ(gTargetSeen.current, current);
    EXPECT_EQ(gTargetSeen.preset, current + "\\");
    EXPECT_EQ(gTargetSeen.selection, static_cast<DWORD>(MAKELONG(0, current.size() + 1)));
    EXPECT_EQ(LettersIn(folder.File("sub")), "ace");
    EXPECT_EQ(LettersIn(folder.path()), "abcde");
    EXPECT_EQ(StatusText(), "Copied 3 file(s).");

    folder.Write("sub\\a.txt", "old");
    SelectRows({0, 1});
    boxes.Answer(IDYES);
    Command(IDM_MOVE_FILES);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"a.txt already exists in " +
                                                      folder.File("sub") + ". Replace it?"});
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(gTargetSeen.title + "|" + gTargetSeen.label, "Move|Move 2 file(s) to:");
    EXPECT_EQ(folder.Read("sub\\a.txt"), "a");
    EXPECT_EQ(LettersIn(folder.File("sub")), "abce");
    EXPECT_EQ(RowNames(), "c.txt d.txt e.txt");
    EXPECT_EQ(FocusedItem(), 0);
    EXPECT_EQ(StatusText(), "Moved 2 file(s).");
}

TEST_F(FileOperations, BrowseFillsTheTargetInTheShellsForm) {
    std::string target = folder.File("picked");
    CreateDirectoryA(target.c_str(), nullptr);
    gTargetAnswer.browse = true;
    Then(IDOK, target);
    SelectRows({0, 1});
    Command(IDM_COPY_FILES);
    EXPECT_EQ(titles.size(), 1u);
    EXPECT_EQ(gTargetSeen.afterBrowse, NormalizePathForDisplay(target));
    EXPECT_EQ(LettersIn(target), "ab");

    // Browse Dir(s) puts its choice into the directory box.
    Then(IDOK, target);
    Command(IDM_BROWSE_DIR);
    EXPECT_EQ(Text(g_Main.DirectoryCombo), NormalizePathForDisplay(target));
}

// Add to Zip with ".zip" associated with the stand-in program for the test.
class AddToZip : public FileOperations {
  protected:
    void SetUp() override {
        FileOperations::SetUp();
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        standIn_ = self;
        standIn_ = standIn_.substr(0, standIn_.rfind('\\') + 1) + "zip_standin.exe";
        std::string directory = folder.path();
        CharLowerA(directory.data());
        SetSearchDirectory(directory);
        record_ = folder.File("record.bin");
        SetEnvironmentVariableA("QUARRY_ZIP_RECORD", record_.c_str());
        SetEnvironmentVariableA("QUARRY_ZIP_GO", "QuarryZipGo");
        SetEnvironmentVariableA("QUARRY_ZIP_DONE", "QuarryZipDone");
        go_ = CreateEventA(nullptr, TRUE, FALSE, "QuarryZipGo");
        done_ = CreateEventA(nullptr, TRUE, FALSE, "QuarryZipDone");
        Unregister();
    }
    void TearDown() override {
        Unregister();
        CloseHandle(go_);
        CloseHandle(done_);
        FileOperations::TearDown();
    }
    void Register() {
        std::string command = "\"" + standIn_ + "\" \"%1\"";
        RegSetValueA(HKEY_CLASSES_ROOT, ".zip", REG_SZ, "QuarryTestZip", 13);
        RegSetValueA(HKEY_CLASSES_ROOT, "QuarryTestZip\\shell\\open\\command", REG_SZ,
                     command.c_str(), static_cast<DWORD>(command.size()));
    }
    static void Unregister() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zip");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "QuarryTestZip");
    }
    // Runs Add to Zip on the rows into `typed`; the launch is reported before
    // the stand-in is let go, which then records how it was started.
    struct Run {
        int result;
        std::vector<std::string> boxes;
        std::string commandLine, directory, released, parameterFile;
    };
    Run ZipRows(std::initializer_list<int> rows, const std::string& typed) {
        SelectRows(rows);
        gTargetAnswer.text = typed;
        ResetEvent(go_);
        ResetEvent(done_);
        Run run{AddSelectedToZip(), boxes.texts(), {}, {}, {}, {}};
        boxes.Clear();
        if (run.result != 1) return run;
        SetEvent(go_);
        EXPECT_EQ(WaitForSingleObject(done_, 60000), WAIT_OBJECT_0);
        std::string record = folder.Read("record.bin");
        size_t start = 0;
        for (std::string* field : {&run.commandLine, &run.directory, &run.released}) {
            size_t end = std::min(record.find('\0', start), record.size());
            *field = record.substr(start, end - start);
            start = std::min(end + 1, record.size());
        }
        run.parameterFile = record.substr(start);
        return run;
    }
    static std::string Short(const std::string& path) {
        char shortPath[kShortPathSize];
        DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
        return length > 0 && length < sizeof shortPath ? shortPath : path;
    }

    std::string standIn_, record_;
    HANDLE go_ = nullptr, done_ = nullptr;
};

// An existing archive is held open, never truncated, while the list is written.
TEST_F(AddToZip, TheProgramGetsOptionsArchiveAndTheListWithoutBeingWaitedFor) {
    Register();
    folder.Write("kept.zip", "PK old archive bytes");
    for (const char* options : {"-a -P", ""}) {
        SCOPED_TRACE(options);
        ChangeSettings([&](Settings& s) { s.ZipOptions = options; });
        const std::string typed = *options ? "backup" : "kept.zip";
        Run run = ZipRows({0, 2, 4}, typed);
        ASSERT_EQ(run.result, 1);
        std::string archive = Short(folder.File(*options ? "backup.zip" : "kept.zip"));
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0], "Program " + Short(standIn_) +
                                    " launched.\n3 files will be added to " + archive + ".\n");
        // The launch was reported while the program still waited to be let go.
        EXPECT_EQ(run.released, "released");
        size_t at = run.commandLine.rfind(" @");
        ASSERT_NE(at, std::string::npos);
        EXPECT_TRUE(
            run.commandLine.substr(0, at).ends_with(std::string(" ") + options + " " + archive))
            << run.commandLine;
        EXPECT_EQ(run.directory, g_Settings.Directory);
        EXPECT_EQ(run.parameterFile, folder.File("a.txt") + "\n" + folder.File("c.txt") + "\n" +
                                         folder.File("e.txt") + "\n");
        EXPECT_EQ(StatusText(), "Ready");
    }
    EXPECT_EQ(folder.Read("kept.zip"), "PK old archive bytes");
}

// A run that starts no program takes back the empty archive it made, and
// only that: an archive that was there keeps its bytes, and one the removal
// could not take stays empty.
TEST_F(AddToZip, WithoutAnAssociationBothMessagesAndNoArchiveIsLeftBehind) {
    folder.Write("kept.zip", "PK old archive bytes");
    const struct {
        const char* typed;
        const char* failing;
        const char* left;
    } cases[] = {{"backup", "", nullptr},
                 {"kept.zip", "", "PK old archive bytes"},
                 {"backup", "remove", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " " + c.failing);
        FailingFiles files(c.failing);
        Run run = ZipRows({0}, c.typed);
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(run.boxes, (std::vector<std::string>{"Zip program not found!",
                                                       "WinZip program not found!"}));
        const std::string archive = folder.File(ArchiveNameWithExtension(c.typed));
        EXPECT_EQ(Exists(archive), c.left != nullptr);
        EXPECT_EQ(folder.Read(ArchiveNameWithExtension(c.typed)), c.left ? c.left : "");
        DeleteFileA(folder.File("backup.zip").c_str());
    }
}

}  // namespace
