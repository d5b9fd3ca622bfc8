#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialog_robot.h"
#include "failing_files.h"
#include "files/text_files_win.h"
#include "fileview/load_save_win.h"
#include "win_test_support.h"

namespace {

class Saving : public testing::Test {
  protected:
    void SetUp() override {
        edit = CreateWindowExA(0, "EDIT", "",
                               WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0, 0, 100,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    }
    void TearDown() override { DestroyWindow(edit); }
    bool Save(const std::string& text, const std::string& name = "notes.txt") {
        SetWindowTextA(edit, text.c_str());
        return SaveEditToFile(edit, folder.File(name).c_str());
    }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(folder.File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Temporary files the save left in the folder.
    int TempFiles() const {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(folder.File("qry*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        int count = 0;
        do ++count;
        while (FindNextFileA(search, &found));
        FindClose(search);
        return count;
    }

    TempFolder folder;
    MessageBoxRecorder boxes;
    HWND edit = nullptr;
};

const std::string kOld = "old line\r\n";

// A text of `length` characters in lines of 64.
std::string Lines(size_t length) {
    std::string text;
    while (text.size() < length) text += std::string(62, 'y') + "\r\n";
    text.resize(length);
    return text;
}
const std::string kNew = "caf\xe9 line one\r\nline two\r\n\tend";

TEST_F(Saving, WholeSavesOnRealFiles) {
    struct Case {
        const char* what;
        bool exists, readOnly;
        size_t length;  // 0: kNew
        bool saved;
        const char* message;
    };
    const Case kCases[] = {
        {"round trip byte for byte", true, false, 0, true, ""},
        {"deleted behind the viewer's back", false, false, 0, true, ""},
        {"read-only", true, true, 0, false, "File is read only!"},
        {"largest text", true, false, 65534, true, ""},
        {"one character too many", true, false, 65535, false, "File greater than 64k!"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        MessageBoxRecorder recorder;
        const std::string name = std::string(c.what).substr(0, 8) + ".txt";
        if (c.exists) folder.Write(name, kOld);
        if (c.readOnly) SetFileAttributesA(folder.File(name).c_str(), FILE_ATTRIBUTE_READONLY);
        const std::string text = c.length ? Lines(c.length) : kNew;
        EXPECT_EQ(Save(text, name), c.saved);
        std::vector<std::string> expected;
        if (*c.message) expected.push_back(c.message);
        EXPECT_EQ(recorder.texts(), expected);
        EXPECT_EQ(folder.Read(name), c.saved ? text : kOld);
        EXPECT_EQ(TempFiles(), 0);
        SetFileAttributesA(folder.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The file layer reads a file whole only when it is shorter than the limit,
// and says when the text holds a zero byte.
TEST_F(Saving, TheFileLayerReadsBelowItsLimit) {
    const struct {
        std::string text;
        TextFileLayer::Read read;
    } cases[] = {{std::string(99, 'x'), TextFileLayer::Read::Loaded},
                 {std::string(100, 'x'), TextFileLayer::Read::TooLarge},
                 {std::string("a\0b", 3), TextFileLayer::Read::ZeroByte}};
    for (const auto& c : cases) {
        folder.Write("limit.txt", c.text);
        std::string text;
        EXPECT_EQ(TextFiles().ReadWhole(folder.File("limit.txt"), 100, text), c.read)
            << c.text.size();
        EXPECT_EQ(text, c.read == TextFileLayer::Read::TooLarge ? "" : c.text);
    }
}

// A target made read-only after it was checked is still never replaced: Wine
// would move over it.
TEST_F(Saving, TheFinalMoveRefusesAReadOnlyTarget) {
    folder.Write("new.tmp", kNew);
    folder.Write("target.txt", kOld);
    SetFileAttributesA(folder.File("target.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(TextFiles().Replace(folder.File("new.tmp"), folder.File("target.txt")),
              TextFileLayer::Replaced::ReadOnly);
    EXPECT_EQ(folder.Read("target.txt"), kOld);
    EXPECT_EQ(folder.Read("new.tmp"), kNew);
    SetFileAttributesA(folder.File("target.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Saving, MissingFolderCannotBeWritten) {
    EXPECT_FALSE(Save(kNew, "no such folder\\notes.txt"));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Unable to open file for writing!"});
}

// Every step's failure is run on fakes; here one, through the real clean-up:
// the complete temporary file goes, and so does a file made again for the save.
TEST_F(Saving, FailedMoveKeepsTheFileAndLeavesNoTemporaryFile) {
    for (bool exists : {false, true}) {
        SCOPED_TRACE(exists);
        MessageBoxRecorder recorder;
        if (exists) folder.Write("notes.txt", kOld);
        FailingFiles files("replace");
        EXPECT_FALSE(Save(kNew));
        EXPECT_EQ(exists ? folder.Read("notes.txt") : "absent", exists ? kOld : "absent");
        EXPECT_EQ(Exists("notes.txt"), exists);
        EXPECT_EQ(TempFiles(), 0);
        EXPECT_EQ(recorder.texts(), std::vector<std::string>{"Error while saving file!"});
    }
}

TEST_F(Saving, SaveAsNamesTheChosenFileWithTheDefaultExtension) {
    struct Case {
        const char* typed;
        int result;
        std::string fullPath, fileName;
    };
    const Case kCases[] = {
        {"copy", 1, folder.File("copy.TXT"), "copy.TXT"},
        {"copy.log", 1, folder.File("copy.log"), "copy.log"},
        {"", 0, folder.File("notes.txt"), "notes.txt"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.typed);
        char fullPath[MAX_PATH];
        char fileName[MAX_PATH] = "notes.txt";
        lstrcpyA(fullPath, folder.File("notes.txt").c_str());
        // Types the name and presses Save, or Cancel when the name is empty.
        DialogRobot robot(DialogRobot::kSystemDialog, [&](HWND dialog) {
            HWND field = GetDlgItem(dialog, 0x47c);  // the name combo of the Explorer dialog
            if (*c.typed) SetWindowTextA(field ? field : GetDlgItem(dialog, 0x480), c.typed);
            Press(dialog, *c.typed ? IDOK : IDCANCEL);
        });
        EXPECT_EQ(AskSaveAsName(nullptr, fullPath, fileName) != 0, c.result != 0);
        EXPECT_EQ(robot.opened(), 1);
        EXPECT_EQ(lstrcmpiA(fullPath, c.fullPath.c_str()), 0) << fullPath;
        // The platform decides the letter case of the extension it adds.
        EXPECT_EQ(lstrcmpiA(fileName, c.fileName.c_str()), 0) << fileName;
    }
}

}  // namespace
