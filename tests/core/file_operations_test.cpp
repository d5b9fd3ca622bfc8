#include "fileops/file_operations.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core_test_support.h"

namespace {

using V = std::vector<std::string>;
using Paths = std::set<std::string>;

const std::vector<SelectedFile> kThree = {
    {1, "c:\\a\\one.txt"}, {3, "c:\\a\\two.txt"}, {4, "c:\\b\\three.txt"}};

std::vector<std::string> Split(const std::string& list) {
    std::vector<std::string> paths;
    for (size_t at = 0; at < list.size() && list[at]; at = list.find('\0', at) + 1)
        paths.push_back(list.substr(at, list.find('\0', at) - at));
    return paths;
}

// Three selected rows over an in-memory disk of file versions; the shell does
// what the case scripts (moves, copies, deletes) to the sources it is handed.
struct FakeHost : FileOperationHost {
    std::vector<SelectedFile> selected = kThree;
    std::map<std::string, int> disk = {{"c:\\a\\one.txt", 1}, {"c:\\a\\two.txt", 1}, {"c:\\b\\three.txt", 1}};
    bool dialogOk = true, answerYes = false;
    std::string target = "c:\\to", status;
    Paths shellDoes;  // sources the shell really moves, copies or deletes
    V log;
    std::vector<int> removed;
    int version = 1;

    std::vector<SelectedFile> SelectedFiles() override { return selected; }
    bool AskTargetDirectory(const char* verb, int count, std::string& out) override {
        log.push_back(std::string("dialog ") + verb + " " + std::to_string(count));
        if (dialogOk) out = target;
        return dialogOk;
    }
    void RunShellOperation(ShellFunction function, const std::string& sources, const std::string& destinations,
                           bool onePerSource, bool confirmed) override {
        std::string printable = destinations;
        for (char& c : printable) c = c ? c : '|';
        log.push_back("shell " + std::to_string(static_cast<int>(function)) + " " + printable +
                      (onePerSource ? " each" : "") + (confirmed ? " confirmed" : ""));
        for (const std::string& path : Split(sources)) {
            if (!shellDoes.count(path) || !disk.count(path)) continue;
            std::string name = path.substr(path.rfind('\\') + 1);
            if (function != ShellFunction::Delete)
                disk[target + (target.back() == '\\' ? "" : "\\") + name] = ++version;
            if (function != ShellFunction::Copy) disk.erase(path);
        }
    }
    bool FileExists(const std::string& path) override { return disk.count(path) > 0; }
    FileStamp StampOf(const std::string& path) override { return disk.count(path) ? FileStamp{true, 10, disk[path]} : FileStamp{}; }
    bool AskYesNo(const std::string& text) override { return log.push_back(text), answerYes; }
    void RemoveRows(const std::vector<int>& rows) override { removed = rows; }
    void ShowStatus(const std::string& text) override { status = text; }
    void ShowWarning(const std::string& text) override { log.push_back("warning " + text); }
};

// The shell's list ends each path and the whole with a NUL; the target field
// starts inside the current directory.
TEST(FileOperations, ShellListAndTargetPreset) {
    using namespace std::string_literals;
    EXPECT_EQ(BuildShellFileList(kThree), "c:\\a\\one.txt\0c:\\a\\two.txt\0c:\\b\\three.txt\0\0"s);
    EXPECT_EQ(BuildShellFileList({}), "\0"s);
    for (auto [current, preset] : {std::pair{"c:\\work", "c:\\work\\"}, std::pair{"c:\\", "c:\\"}, std::pair{"", ""}})
        EXPECT_EQ(TargetDirectoryPreset(current), preset) << current;
}

// Only rows whose files are really gone leave the list, and the counts are
// what the disk shows: a copy counts when its target is new or changed.
TEST(FileOperations, CountsAndRemovedRowsFollowTheDisk) {
    const Paths all = {"c:\\a\\one.txt", "c:\\a\\two.txt", "c:\\b\\three.txt"};
    const Paths two = {"c:\\a\\two.txt"};
    const auto del = DeleteSelectedFiles, move = MoveSelectedFiles, copy = CopySelectedFiles;
    // clang-format off
    const struct { const char* name; int (*command)(FileOperationHost&); bool dialogOk; const char* target;
                   Paths shellDoes; bool twoMissing; std::vector<int> removed; const char* status; } cases[] = {
        {"delete confirmed", del, true, "c:\\to", all, false, {1, 3, 4}, "Deleted 3 file(s)."},
        {"delete declined", del, true, "c:\\to", {}, false, {}, "Deleted 0 file(s)."},
        {"delete partly done", del, true, "c:\\to", two, false, {3}, "Deleted 1 file(s)."},
        // two.txt was gone before the command: not this command's doing.
        {"delete, one missing", del, true, "c:\\to", {"c:\\a\\one.txt"}, true, {1}, "Deleted 1 file(s)."},
        {"move done", move, true, "c:\\to", all, false, {1, 3, 4}, "Moved 3 file(s)."},
        {"move partly failed", move, true, "c:\\to", {"c:\\b\\three.txt"}, false, {4}, "Moved 1 file(s)."},
        {"move cancelled", move, false, "c:\\to", {}, false, {}, "Moved 0 file(s)."},
        {"all copied", copy, true, "c:\\to", all, false, {}, "Copied 3 file(s)."},
        {"one copied, one refused", copy, true, "c:\\to", two, false, {}, "Copied 1 file(s)."},
        {"target with backslash", copy, true, "c:\\to\\", two, false, {}, "Copied 1 file(s)."},
        {"copy cancelled", copy, false, "c:\\to", two, false, {}, "Copied 0 file(s)."},
        // The shell makes no copy of a file onto itself.
        {"copy onto itself", copy, true, "c:\\a", {"c:\\b\\three.txt"}, false, {}, "Copied 1 file(s)."},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        host.dialogOk = c.dialogOk, host.target = c.target, host.shellDoes = c.shellDoes;
        if (c.twoMissing) host.disk.erase("c:\\a\\two.txt");
        const int count = c.command(host);
        EXPECT_EQ(std::pair(host.removed, host.status), std::pair(c.removed, std::string(c.status)));
        EXPECT_EQ(count, std::stoi(host.status.substr(host.status.find_first_of("0123456789"))));
    }
}

// A copy that the shell declines over an existing target changes nothing and
// counts nothing; one it makes over it counts.
TEST(FileOperations, CopyOverAnExistingTargetCountsOnlyWhenItChangedIt) {
    for (bool replaced : {false, true}) {
        FakeHost host;
        host.disk["c:\\to\\one.txt"] = 1;
        host.shellDoes = {"c:\\a\\two.txt", "c:\\b\\three.txt"};
        if (replaced) host.shellDoes.insert("c:\\a\\one.txt");
        EXPECT_EQ(CopySelectedFiles(host), replaced ? 3 : 2);
    }
}

// Files already in the target are named in one question before the move; No
// moves only the others, Yes all of them without the shell asking again.
TEST(FileOperations, MoveOntoFilesAlreadyThereAsksOnce) {
    const Paths all = {"c:\\a\\one.txt", "c:\\a\\two.txt", "c:\\b\\three.txt"};
    // clang-format off
    const struct { const char* name; Paths there; const char* target; bool yes; V log; std::vector<int> removed; } cases[] = {
        {"none there", {}, "c:\\to", false,
         {"dialog Move 3", "shell 1 c:\\to\\one.txt|c:\\to\\two.txt|c:\\to\\three.txt|| each"}, {1, 3, 4}},
        {"two there, No", {"c:\\to\\one.txt", "c:\\to\\three.txt"}, "c:\\to", false,
         {"dialog Move 3", "one.txt, three.txt already exist in c:\\to. Replace them?",
          "shell 1 c:\\to\\two.txt|| each"}, {3}},
        {"two there, Yes", {"c:\\to\\one.txt", "c:\\to\\three.txt"}, "c:\\to", true,
         {"dialog Move 3", "one.txt, three.txt already exist in c:\\to. Replace them?",
          "shell 1 c:\\to\\one.txt|c:\\to\\two.txt|c:\\to\\three.txt|| each confirmed"}, {1, 3, 4}},
        {"one there", {"c:\\to\\two.txt"}, "c:\\to", false,
         {"dialog Move 3", "two.txt already exists in c:\\to. Replace it?",
          "shell 1 c:\\to\\one.txt|c:\\to\\three.txt|| each"}, {1, 4}},
        {"all there, No", {"c:\\to\\one.txt", "c:\\to\\two.txt", "c:\\to\\three.txt"}, "c:\\to", false,
         {"dialog Move 3", "one.txt, two.txt, three.txt already exist in c:\\to. Replace them?"}, {}},
        // Moving into their own directory leaves one.txt and two.txt where they are.
        {"onto themselves", {}, "C:\\A\\", false, {"dialog Move 3", "shell 1 C:\\A\\three.txt|| each"}, {4}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        host.target = c.target, host.shellDoes = all, host.answerYes = c.yes;
        for (const std::string& path : c.there) host.disk[path] = 1;
        MoveSelectedFiles(host);
        EXPECT_EQ(std::pair(host.log, host.removed), std::pair(c.log, c.removed));
    }
    // Many names: as many as fit a message box, then how many more.
    const std::vector<std::string> many(40, "a-long-file-name.txt");
    const std::string question = ReplaceQuestion(many, "c:\\to");
    EXPECT_LE(question.size(), 255u);
    EXPECT_NE(question.find(" and 31 more already exist in c:\\to. Replace them?"), std::string::npos) << question;
}

TEST(FileOperations, EachCommandAsksWhatItNeedsAndRunsItsShellFunction) {
    const std::pair<int (*)(FileOperationHost&), V> cases[] = {
        {DeleteSelectedFiles, {"shell 3 "}},
        {CopySelectedFiles, {"dialog Copy 3", "shell 2 c:\\to||"}},
    };
    for (const auto& [command, log] : cases) {
        FakeHost host;
        command(host);
        EXPECT_EQ(host.log, log);
    }
    // Without a selection there is nothing to ask about.
    FakeHost none;
    none.selected.clear();
    EXPECT_EQ(CopySelectedFiles(none), 0);
    EXPECT_TRUE(none.log.empty());
    EXPECT_EQ(none.status, "Copied 0 file(s).");
}

// A new name that would leave the directory or that the file system refuses.
TEST(Rename, NamesThatWouldLeaveTheDirectoryOrFailAreRefused) {
    for (const char* good : {"new.txt", "with blank.txt", "...dots"})
        EXPECT_EQ(CheckRenameName(good), 0) << good;
    for (const char* bad : {"", ".", "..", "..\\up.txt", "sub/x.txt", "d:x.txt", "*.txt", "a?.txt",
                            "a|b", "tab\there"})
        EXPECT_EQ(CheckRenameName(bad), kErrorInvalidName) << bad;
}

struct RecordingRename : RenameHost {
    int result = 0;
    V log;
    int RenameFile(const std::string& from, const std::string& to) override { return log.push_back(from + " -> " + to), result; }
    void ShowWarning(const std::string& text) override { log.push_back(text); }
};

TEST(Rename, EndOfEditRenamesOnDiskAndInTheItemOrKeepsBoth) {
    // clang-format off
    const struct { const char* directory; const char* edited; int moveResult; bool accepted; const char* nameAfter; V log; }
    cases[] = {
        {"c:\\d", "new.txt", 0, true, "new.txt", {"c:\\d\\old.txt -> c:\\d\\new.txt"}},
        {"c:\\", "new.txt", 0, true, "new.txt", {"c:\\old.txt -> c:\\new.txt"}},
        {"c:\\d", "taken.txt", 183, false, "old.txt",
         {"c:\\d\\old.txt -> c:\\d\\taken.txt", "Error 183: Unable to rename file!"}},
        {"c:\\d", "..\\old.txt", 0, false, "old.txt", {"Error 123: Unable to rename file!"}},
        {"c:\\d", nullptr, 0, false, "old.txt", {}},
        {"c:\\d", "old.txt", 0, true, "old.txt", {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edited ? c.edited : "(cancelled)");
        FileInfoItem item = Item(c.directory, "old.txt");
        RecordingRename host;
        host.result = c.moveResult;
        EXPECT_EQ(EndRename(host, &item, c.edited), c.accepted);
        EXPECT_EQ(std::pair(item.name, host.log), std::pair(std::string(c.nameAfter), c.log));
    }
    RecordingRename host;
    EXPECT_FALSE(EndRename(host, nullptr, "x.txt"));
}

}  // namespace
