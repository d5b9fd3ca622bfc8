// Rename, delete, copy, move and Add to Zip on real files, with the shell's
// own questions and folder browser answered by the test, and a stand-in zip
// program that records how it was started.
#include <windows.h>
#include <shlobj.h>

#include <deque>
#include <optional>

#include "failing_files.h"
#include "fileops/file_operations_win.h"
#include "fileops/zip.h"
#include "results/presentation_win.h"
#include "ui/text.h"
#include "win_test_support.h"

namespace {

class FileOperations : public StartedTest {
  protected:
    void SetUp() override {
        StartedTest::SetUp();
        shellRobot.emplace(DialogRobot::kSystemDialog,
                           [this](HWND dialog) { AnswerShell(dialog); });
        targetRobot.emplace(IDD_COPY_MOVE, [this](HWND dialog) {
            target = TextOf(dialog) + "|" + TextOf(GetDlgItem(dialog, IDC_TARGET_LABEL)) + "|" +
                     TextOf(GetDlgItem(dialog, IDC_CURRENT_DIR)) + "|" +
                     TextOf(GetDlgItem(dialog, IDC_TARGET_DIR));
            selection =
                static_cast<DWORD>(SendDlgItemMessageA(dialog, IDC_TARGET_DIR, EM_GETSEL, 0, 0));
            if (browse) {
                Press(dialog, IDC_TARGET_BROWSE);
                target = TextOf(GetDlgItem(dialog, IDC_TARGET_DIR));
            }
            if (!typed.empty()) SetDlgItemTextA(dialog, IDC_TARGET_DIR, typed.c_str());
            Press(dialog, IDOK);
        });
        SetCurrentDirectoryA(folder.path().c_str());
        ShowRealFiles(folder.path(), {{"a.txt", "a"},
                                      {"b.txt", "bb"},
                                      {"c.txt", "ccc"},
                                      {"d.txt", "dddd"},
                                      {"e.txt", "eeeee"}});
    }
    // Which of a.txt .. e.txt exist in `directory`, as their letters.
    static std::string LettersIn(const std::string& directory) {
        std::string letters;
        for (char letter = 'a'; letter <= 'e'; ++letter)
            if (GetFileAttributesA((directory + "\\" + letter + ".txt").c_str()) !=
                INVALID_FILE_ATTRIBUTES)
                letters += letter;
        return letters;
    }
    // The shell's own dialogs, answered in the order they open with a button
    // and, for the folder browser, the folder to pick first; one no case
    // expected is cancelled.
    void Then(int button, const std::string& pick = "") { answers.push_back({button, pick}); }
    void AnswerShell(HWND dialog) {
        ++shellDialogs;
        std::pair<int, std::string> answer{IDCANCEL, ""};
        if (!answers.empty()) answer = answers.front(), answers.pop_front();
        const std::string& pick = answer.second;
        if (!pick.empty()) {
            // The browser settles its tree only once shown: pick until it shows the folder.
            HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
            EXPECT_TRUE(PumpUntil([&] {
                char shown[MAX_PATH] = "";
                TVITEMA item = {};
                item.mask = TVIF_TEXT;
                item.hItem = TreeView_GetSelection(tree);
                item.pszText = shown;
                item.cchTextMax = sizeof shown;
                if (item.hItem) TreeView_GetItem(tree, &item);
                if (lstrcmpiA(shown, pick.substr(pick.rfind('\\') + 1).c_str()) == 0) return true;
                if (PIDLIST_ABSOLUTE folder = ILCreateFromPathA(pick.c_str())) {
                    SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE,
                                 reinterpret_cast<LPARAM>(folder));
                    ILFree(folder);
                }
                return false;
            }));
        }
        Press(dialog, answer.first);
    }

    std::deque<std::pair<int, std::string>> answers;
    int shellDialogs = 0;
    std::string typed, target;  // typed into Quarry's target dialog; what it showed
    bool browse = false;        // Browse there before OK
    DWORD selection = 0;
    std::optional<DialogRobot> shellRobot, targetRobot;
};

// A name the disk refuses keeps the row; one it takes renames file and row.
TEST_F(FileOperations, RenameInPlaceRenamesTheFileOrKeepsTheRow) {
    folder.Write("taken.txt", "x");
    for (auto [name, box, row, onDisk] :
         {std::tuple{"taken.txt", "Error 183: Unable to rename file!", "a.txt", "abcde"},
          std::tuple{"new name.txt", "", "new name.txt", "bcde"}}) {
        SCOPED_TRACE(name);
        boxes.Clear();
        SelectRows({0});
        SetRowState(0, LVIS_FOCUSED, LVIS_FOCUSED);
        Command(IDM_RENAME_FILE);
        EXPECT_EQ(StatusText(), folder.File("a.txt") + " renamed.");
        HWND edit = reinterpret_cast<HWND>(SendMessageA(g_Main.FileList, LVM_GETEDITCONTROL, 0, 0));
        ASSERT_TRUE(edit);
        SetWindowTextA(edit, name);
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        DrainMessages();
        EXPECT_EQ(boxes.texts(), *box ? Texts{box} : Texts{});
        EXPECT_EQ(ListCell(0, 0), row);
        EXPECT_EQ(LettersIn(folder.path()), onDisk);
    }
    EXPECT_EQ(folder.Read("new name.txt"), "a");
}

// The shell's own question decides; the rows and the count follow the disk.
// Ctrl+Del reaches the same command, and status part 1 no longer names a row
// that went.
TEST_F(FileOperations, DeleteRemovesOnlyWhatTheShellDeleted) {
    for (auto [answer, onDisk, rows, status] :
         {std::tuple{IDNO, "abcde", "a.txt b.txt c.txt d.txt e.txt", "Deleted 0 file(s)."},
          std::tuple{IDYES, "ae", "a.txt e.txt", "Deleted 3 file(s)."}}) {
        SelectRows({1, 2, 3});
        Then(answer);
        Command(IDM_DELETE_FILES);
        EXPECT_EQ(LettersIn(folder.path()), onDisk);
        EXPECT_EQ(RowNames(), rows);
        EXPECT_EQ(StatusText(), status);
    }
    EXPECT_EQ(shellDialogs, 2);
    SelectRows({0, 1});
    SetRowState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    Then(IDYES);
    PressKeys({VK_CONTROL, VK_DELETE}, g_Main.FileList);
    EXPECT_EQ(RowNames() + LettersIn(folder.path()), "");
    EXPECT_EQ(StatusText(1), "");
}

// The target dialog names the verb, the count and the current directory, and
// preselects the directory; a relative target is taken from there. A move
// onto a file already there asks once, and Yes moves it over the old one
// without the shell asking again.
TEST_F(FileOperations, CopyAndMoveToARelativeTarget) {
    CreateDirectoryA(folder.File("sub").c_str(), nullptr);
    typed = "sub";
    SelectRows({0, 2, 4});
    Command(IDM_COPY_FILES);
    const std::string current = LowerText(folder.path());
    EXPECT_EQ(target, "Copy|Copy 3 file(s) to:|" + current + "|" + current + "\\");
    EXPECT_EQ(selection, static_cast<DWORD>(MAKELONG(0, current.size() + 1)));
    EXPECT_EQ(LettersIn(folder.File("sub")) + LettersIn(folder.path()), "aceabcde");
    EXPECT_EQ(StatusText(), "Copied 3 file(s).");

    folder.Write("sub\\a.txt", "old");
    SelectRows({0, 1});
    boxes.Answer(IDYES);
    Command(IDM_MOVE_FILES);
    EXPECT_EQ(boxes.texts(),
              Texts{"a.txt already exists in " + folder.File("sub") + ". Replace it?"});
    EXPECT_EQ(shellDialogs, 0);
    EXPECT_EQ(target.substr(0, 23), "Move|Move 2 file(s) to:");
    EXPECT_EQ(folder.Read("sub\\a.txt"), "a");
    EXPECT_EQ(LettersIn(folder.File("sub")), "abce");
    EXPECT_EQ(RowNames(), "c.txt d.txt e.txt");
    EXPECT_EQ(FocusedItem(), 0);
    EXPECT_EQ(StatusText(), "Moved 2 file(s).");
}

// The folder browser fills the target in the shell's spelling, and Browse
// Dir(s) puts its choice into the directory box.
TEST_F(FileOperations, BrowseFillsTheTargetInTheShellsForm) {
    const std::string picked = folder.File("picked");
    CreateDirectoryA(picked.c_str(), nullptr);
    browse = true;
    Then(IDOK, picked);
    SelectRows({0, 1});
    Command(IDM_COPY_FILES);
    EXPECT_EQ(shellDialogs, 1);
    EXPECT_EQ(target, NormalizePathForDisplay(picked));
    EXPECT_EQ(LettersIn(picked), "ab");
    Then(IDOK, picked);
    Command(IDM_BROWSE_DIR);
    EXPECT_EQ(TextOf(g_Main.DirectoryCombo), NormalizePathForDisplay(picked));
}

// Add to Zip with ".zip" associated, when the test asks, with the stand-in.
class AddToZip : public FileOperations {
  protected:
    void SetUp() override {
        FileOperations::SetUp();
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        standIn = self;
        standIn = standIn.substr(0, standIn.rfind('\\') + 1) + "zip_standin.exe";
        SetSearchDirectory(LowerText(folder.path()));
        SetEnvironmentVariableA("QUARRY_ZIP_RECORD", folder.File("record.bin").c_str());
        SetEnvironmentVariableA("QUARRY_ZIP_GO", "QuarryZipGo");
        SetEnvironmentVariableA("QUARRY_ZIP_DONE", "QuarryZipDone");
        go = CreateEventA(nullptr, TRUE, FALSE, "QuarryZipGo");
        done = CreateEventA(nullptr, TRUE, FALSE, "QuarryZipDone");
        Unregister();
    }
    void TearDown() override {
        Unregister();
        CloseHandle(go);
        CloseHandle(done);
        FileOperations::TearDown();
    }
    void Register() {
        const std::string command = "\"" + standIn + "\" \"%1\"";
        RegSetValueA(HKEY_CLASSES_ROOT, ".zip", REG_SZ, "QuarryTestZip", 13);
        RegSetValueA(HKEY_CLASSES_ROOT, "QuarryTestZip\\shell\\open\\command", REG_SZ,
                     command.c_str(), static_cast<DWORD>(command.size()));
    }
    static void Unregister() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zip");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "QuarryTestZip");
    }
    // Add to Zip on the rows into `archive`; the launch is reported before the
    // stand-in is let go, which then records how it was started: its command
    // line, directory, whether it was let go and the parameter file, each
    // ended by a NUL.
    int ZipRows(std::initializer_list<int> rows, const std::string& archive, Texts& record) {
        SelectRows(rows);
        typed = archive;
        ResetEvent(go);
        ResetEvent(done);
        const int result = AddSelectedToZip();
        if (result != 1) return result;
        SetEvent(go);
        EXPECT_EQ(WaitForSingleObject(done, 60000), WAIT_OBJECT_0);
        const std::string bytes = folder.Read("record.bin") + '\0';
        for (size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos;
             start = end + 1)
            record.push_back(bytes.substr(start, end - start));
        return result;
    }
    static std::string Short(const std::string& path) {
        char shortPath[kShortPathSize];
        DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
        return length > 0 && length < sizeof shortPath ? shortPath : path;
    }

    std::string standIn;
    HANDLE go = nullptr, done = nullptr;
};

// An existing archive is held open, never truncated, while the list is written.
TEST_F(AddToZip, TheProgramGetsOptionsArchiveAndTheListWithoutBeingWaitedFor) {
    Register();
    folder.Write("kept.zip", "PK old archive bytes");
    for (const char* options : {"-a -P", ""}) {
        SCOPED_TRACE(options);
        boxes.Clear();
        ChangeSettings([&](Settings& s) { s.ZipOptions = options; });
        Texts record;
        ASSERT_EQ(ZipRows({0, 2, 4}, *options ? "backup" : "kept.zip", record), 1);
        ASSERT_EQ(record.size(), 4u);
        const std::string archive = Short(folder.File(*options ? "backup.zip" : "kept.zip"));
        EXPECT_EQ(boxes.texts(), Texts{"Program " + Short(standIn) + " launched.\n3 files will " +
                                       "be added to " + archive + ".\n"});
        EXPECT_EQ(record[2], "released");  // reported while the program still waited
        const size_t at = record[0].rfind(" @");
        ASSERT_NE(at, std::string::npos);
        EXPECT_TRUE(record[0].substr(0, at).ends_with(std::string(" ") + options + " " + archive))
            << record[0];
        EXPECT_EQ(record[1], g_Settings.Directory);
        EXPECT_EQ(record[3], folder.File("a.txt") + "\n" + folder.File("c.txt") + "\n" +
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
    for (auto [archive, failing, left] :
         {std::tuple{"backup", "", static_cast<const char*>(nullptr)},
          std::tuple{"kept.zip", "", "PK old archive bytes"}, std::tuple{"backup", "remove", ""}}) {
        SCOPED_TRACE(std::string(archive) + " " + failing);
        boxes.Clear();
        FailingFiles files(failing);
        Texts record;
        EXPECT_EQ(ZipRows({0}, archive, record), 0);
        EXPECT_EQ(boxes.texts(), (Texts{"Zip program not found!", "WinZip program not found!"}));
        const std::string name = ArchiveNameWithExtension(archive);
        EXPECT_EQ(folder.Has(name), left != nullptr);
        EXPECT_EQ(folder.Read(name), left ? left : "");
        DeleteFileA(folder.File("backup.zip").c_str());
    }
}

}  // namespace
