#include "fileops/open_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <tuple>

#include "core_test_support.h"
#include "settings/settings.h"

namespace {

FileInfoItem Doc(uint64_t size, const char* name = "a.txt") {
    return Item("c:\\docs", name, size);
}

TEST(OpenFile, PreparedRecordFollowsTheSize) {
    // clang-format off
    const struct { uint64_t size; bool whole; int above, below; } cases[] = {
        {0, true, 32767, 32767}, {65519, true, 32767, 32767}, {65520, false, 100, 150},
        {(uint64_t{1} << 32) + 100, false, 100, 150}};  // would look small cut to 32 bits
    // clang-format on
    for (const auto& c : cases) {
        FileViewFile file;
        int above = 0, below = 0;
        FileInfoItem item = Doc(c.size);
        item.modified = 4102444800;  // 2100-01-01: the printed pages' date, past 2038
        ASSERT_TRUE(PrepareFileForViewing(item, file, above, below));
        EXPECT_EQ(std::tuple(file.LastWriteTime, file.WholeFile, file.Size, above, below),
                  std::tuple(item.modified, c.whole, c.size, c.above, c.below));
        EXPECT_EQ(std::string(file.FullPath) + "|" + file.FileName, "c:\\docs\\a.txt|a.txt");
    }
    // Paths are joined whole or not at all.
    FileViewFile file;
    int above = 0, below = 0;
    ASSERT_TRUE(PrepareFileForViewing(Item("c:\\", "a.txt", 1), file, above, below));
    EXPECT_STREQ(file.FullPath, "c:\\a.txt");

    // "c:\" + 250 letters + "\a.txt" is 259 characters, the most a path holds.
    ASSERT_TRUE(PrepareFileForViewing(Item("c:\\" + std::string(250, 'd'), "a.txt", 1), file, above,
                                      below));
    EXPECT_EQ(strlen(file.FullPath), 259u);

    FileViewFile untouched;
    strcpy(untouched.FullPath, "kept");
    EXPECT_FALSE(PrepareFileForViewing(Item("c:\\" + std::string(251, 'd'), "a.txt", 1), untouched,
                                       above, below));
    EXPECT_STREQ(untouched.FullPath, "kept");
}

// Records what the opening asks of the windows; the dialog may choose another viewer.
struct RecordingHost : OpeningHost {
    explicit RecordingHost(Settings& s) : settings(s) {}
    bool FileViewIsOpen() override { return fileViewOpen; }
    void HandOver(const FileViewFile& file, int above, int) override {
        events += "hand-over(" + std::string(file.FileName) + "," + std::to_string(above) + ") ";
    }
    void AskViewerSettings() override {
        events += "ask ";
        if (dialogChoice) settings.Editor = dialogChoice;
    }
    void RememberDirectory(const std::string& directory) override { settings.Directory = directory; }
    void OpenFileView() override { events += "fileview "; }
    void LaunchOutsideViewer(int choice) override { events += "launch" + std::to_string(choice) + " "; }
    void ShowStatus(int stringId) override { events += "status" + std::to_string(stringId); }

    Settings& settings;
    bool fileViewOpen = false;
    int dialogChoice = 0;
    std::string events;
};

TEST(OpenFile, ViewerChoiceAndQueryModeDecideWhatOpens) {
    // clang-format off
    const struct {
        int editor, query; uint64_t size; bool searchText; int dialogChoice; const char* events;
    } cases[] = {
        {400, 407, 10, false, 0, "fileview status400"},
        {401, 407, 10, false, 0, "launch401 status401"},
        {402, 407, 10, false, 0, "launch402 status402"},
        {403, 407, 10, false, 0, "launch403 status403"},
        // A search text opens FileView beside the outside program, for its Line List.
        {402, 407, 10, true, 0, "fileview launch402 status402"},
        {400, 407, 10, true, 0, "fileview status400"},
        {401, 405, 10, false, 0, "ask launch401 status401"},
        {400, 406, 65519, false, 0, "fileview status400"},
        {400, 406, 65520, false, 0, "ask fileview status400"},
        {400, 407, 70000, false, 0, "fileview status400"},
        // The dialog's choice is the one carried out.
        {400, 405, 10, false, 402, "ask launch402 status402"},
        {402, 406, 65520, true, 400, "ask fileview status400"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Settings settings;
        settings.Editor = c.editor;
        settings.EditorQuery = c.query;
        RecordingHost host(settings);
        host.dialogChoice = c.dialogChoice;
        OpenFileItem(Doc(c.size), settings, c.searchText, host);
        const int context = c.size < 65520 ? 32767 : 100;
        EXPECT_EQ(host.events, "hand-over(a.txt," + std::to_string(context) + ") " + c.events)
            << c.editor << "/" << c.query << "/" << c.size;
        EXPECT_EQ(settings.Directory, "c:\\docs");
    }
    // Nothing happens while FileView is open.
    Settings settings;
    settings.Directory = "c:\\before";
    settings.EditorQuery = 405;
    RecordingHost host(settings);
    host.fileViewOpen = true;
    OpenFileItem(Doc(10), settings, true, host);
    EXPECT_EQ(host.events, "");
    EXPECT_EQ(settings.Directory, "c:\\before");
}

struct FakeLauncher : LaunchHost {
    bool FindAssociatedProgram(const std::string& name, const std::string& directory, std::string& program) override {
        asked = directory + "|" + name, program = association;
        return !association.empty();
    }
    void StartProgram(const ViewerLaunch& launch) override {
        started = launch.program + "|" + launch.parameters + "|" + launch.directory;
    }
    std::string association, asked, started;
};

TEST(OpenFile, OutsideViewerGetsTheBareNameInTheFilesDirectory) {
    // clang-format off
    const struct { int choice; const char* name; const char* association; const char* started; }
    cases[] = {
        {401, "a.txt", "c:\\windows\\notepad.exe", "c:\\windows\\notepad.exe|a.txt|c:\\docs"},
        {401, "a.qqq", "", ""},  // no association: nothing starts
        {402, "a.txt", "", "notepad.exe|a.txt|c:\\docs"},
        {402, "my notes.txt", "", "notepad.exe|\"my notes.txt\"|c:\\docs"},
        {403, "a.txt", "", "c:\\program files\\ed\\ed.exe|a.txt|c:\\docs"},
        {400, "a.txt", "x.exe", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        FileViewFile file;
        int above, below;
        ASSERT_TRUE(PrepareFileForViewing(Doc(10, c.name), file, above, below));
        FakeLauncher launcher;
        launcher.association = c.association;
        LaunchOutsideViewer(c.choice, file, "c:\\program files\\ed\\ed.exe", launcher);
        EXPECT_EQ(launcher.started, c.started) << c.choice << " " << c.name;
        if (c.choice == 401) { EXPECT_EQ(launcher.asked, std::string("c:\\docs|") + c.name); }
    }
}

struct FakeProgramFiles : ViewerSettingsHost {
    bool HasAssociatedProgram() override { return associated; }
    bool ProgramExists(const std::string& path) override { return looked += path + ";", existing.count(path) > 0; }
    std::string SearchPathVariable() override { return "c:\\windows;;c:\\tools\\"; }
    bool associated = false;
    std::set<std::string> existing{"c:\\windows\\notepad.exe", "c:\\tools\\my.editor", "d:\\ed.exe",
                                   "wordpad.exe"};
    std::string looked;
};

TEST(OpenFile, ViewerSettingsAreCheckedOnOk) {
    // clang-format off
    const struct {
        int choice; bool associated; const char* typed; ViewerSettingsCheck check; const char* kept;
    } cases[] = {
        {400, false, "nothing", ViewerSettingsCheck::Accepted, "nothing"},
        {402, false, "nothing", ViewerSettingsCheck::Accepted, "nothing"},
        {401, true, "", ViewerSettingsCheck::Accepted, ""},
        {401, false, "", ViewerSettingsCheck::NoAssociation, ""},
        {403, false, "notepad", ViewerSettingsCheck::Accepted, "notepad.exe"},  // typed, not found path
        {403, false, "NOTEPAD.EXE", ViewerSettingsCheck::BadProgram, "NOTEPAD.EXE"},
        {403, false, "my.editor", ViewerSettingsCheck::Accepted, "my.editor"},  // a dot: no ".exe"
        {403, false, "d:\\ed", ViewerSettingsCheck::Accepted, "d:\\ed.exe"},
        {403, false, "wordpad", ViewerSettingsCheck::Accepted, "wordpad.exe"},  // current directory
        {403, false, "vi", ViewerSettingsCheck::BadProgram, "vi.exe"},
        {403, false, "", ViewerSettingsCheck::BadProgram, ".exe"},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeProgramFiles host;
        host.associated = c.associated;
        std::string typed = c.typed;
        EXPECT_EQ(CheckViewerSettings(c.choice, typed, host), c.check) << c.choice << c.typed;
        EXPECT_EQ(typed, c.kept);
        if (c.choice != 403) { EXPECT_EQ(host.looked, ""); }
    }
}

}  // namespace
