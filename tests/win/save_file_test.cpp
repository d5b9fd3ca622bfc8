// FileView's save through the real file layer: real files, attributes and
// the system's Save As dialog.
#include "failing_files.h"
#include "files/text_files_win.h"
#include "fileview/load_save_win.h"
#include "win_test_support.h"

namespace {

const std::string kOld = "old line\r\n";
const std::string kNew = "caf\xe9 line one\r\nline two\r\n\tend";

class Saving : public testing::Test {
  protected:
    void SetUp() override {
        edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 100,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    }
    void TearDown() override { DestroyWindow(edit); }
    bool Save(const std::string& text, const std::string& name) {
        SetWindowTextA(edit, text.c_str());
        return SaveEditToFile(edit, folder.File(name).c_str());
    }
    TempFolder folder;
    HWND edit = nullptr;
};

// A failure at any step of the write keeps the file (or its absence) and
// leaves no temporary file beside it, even when the file was made anew for
// the save.
TEST_F(Saving, WholeSavesOnRealFiles) {
    std::string largest;
    while (largest.size() < 65534) largest += std::string(62, 'y') + "\r\n";
    largest.resize(65534);
    const struct {
        const char* name;
        bool exists, readOnly;
        std::string text;
        const char* failing;
        const char* message;
    } cases[] = {
        {"round trip byte for byte", true, false, kNew, "", ""},
        {"deleted behind the viewer's back", false, false, kNew, "", ""},
        {"read-only", true, true, kNew, "", "File is read only!"},
        {"largest text", true, false, largest, "", ""},
        {"one character too many", true, false, largest + "y", "", "File greater than 64k!"},
        {"no such folder\\notes.txt", false, false, kNew, "", "Unable to open file for writing!"},
        {"temp", true, false, kNew, "temp", "Unable to open file for writing!"},
        {"open", true, false, kNew, "open", "Unable to open file for writing!"},
        {"write", true, false, kNew, "write", "Unable to write file!"},
        {"flush", true, false, kNew, "flush", "Unable to write file!"},
        {"close", true, false, kNew, "close", "Unable to write file!"},
        {"replace", true, false, kNew, "replace", "Error while saving file!"},
        {"replace a new file", false, false, kNew, "replace", "Error while saving file!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxRecorder boxes;
        if (c.exists) folder.Write(c.name, kOld);
        if (c.readOnly) SetFileAttributesA(folder.File(c.name).c_str(), FILE_ATTRIBUTE_READONLY);
        const bool saved = !*c.message && !*c.failing;
        {
            FailingFiles failing(c.failing);
            EXPECT_EQ(Save(c.text, c.name), saved);
        }
        EXPECT_EQ(boxes.texts(), *c.message ? Texts{c.message} : Texts{});
        EXPECT_EQ(folder.Has(c.name), c.exists || saved);
        EXPECT_EQ(folder.Read(c.name), saved ? c.text : c.exists ? kOld : "");
        EXPECT_EQ(folder.TempFiles(), 0);
        SetFileAttributesA(folder.File(c.name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The file layer reads a file whole only when it is shorter than the limit,
// and says when the text holds a zero byte; a target made read-only after it
// was checked is still never replaced (Wine would move over it).
TEST_F(Saving, TheFileLayerReadsBelowItsLimitAndNeverReplacesAReadOnlyFile) {
    for (auto [text, read] : {std::pair{std::string(99, 'x'), TextFileLayer::Read::Loaded},
                              std::pair{std::string(100, 'x'), TextFileLayer::Read::TooLarge},
                              std::pair{std::string("a\0b", 3), TextFileLayer::Read::ZeroByte}}) {
        folder.Write("limit.txt", text);
        std::string loaded;
        EXPECT_EQ(TextFiles().ReadWhole(folder.File("limit.txt"), 100, loaded), read)
            << text.size();
        EXPECT_EQ(loaded, read == TextFileLayer::Read::TooLarge ? "" : text);
    }
    folder.Write("new.tmp", kNew);
    folder.Write("target.txt", kOld);
    SetFileAttributesA(folder.File("target.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(TextFiles().Replace(folder.File("new.tmp"), folder.File("target.txt")),
              TextFileLayer::Replaced::ReadOnly);
    EXPECT_EQ(folder.Read("target.txt") + folder.Read("new.tmp"), kOld + kNew);
    SetFileAttributesA(folder.File("target.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Save As names the chosen file, with the default extension when the name
// has none; Cancel keeps the names.
TEST_F(Saving, SaveAsNamesTheChosenFileWithTheDefaultExtension) {
    for (auto [typed, result, fileName] :
         {std::tuple{"copy", true, "copy.TXT"}, std::tuple{"copy.log", true, "copy.log"},
          std::tuple{"", false, "notes.txt"}}) {
        SCOPED_TRACE(typed);
        char fullPath[MAX_PATH];
        char name[MAX_PATH] = "notes.txt";
        lstrcpyA(fullPath, folder.File("notes.txt").c_str());
        DialogRobot robot(DialogRobot::kSystemDialog, [&](HWND dialog) {
            HWND field = GetDlgItem(dialog, 0x47c);  // the name combo of the Explorer dialog
            if (*typed) SetWindowTextA(field ? field : GetDlgItem(dialog, 0x480), typed);
            Press(dialog, *typed ? IDOK : IDCANCEL);
        });
        EXPECT_EQ(AskSaveAsName(nullptr, fullPath, name) != 0, result);
        EXPECT_EQ(robot.opened(), 1);
        // The platform decides the letter case of the extension it adds.
        EXPECT_EQ(lstrcmpiA(fullPath, folder.File(fileName).c_str()), 0) << fullPath;
        EXPECT_EQ(lstrcmpiA(name, fileName), 0) << name;
    }
}

}  // namespace
