#include "fileops/file_operations.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core_test_support.h"

namespace {

using V = std::vector<std::string>;
using Paths = std::set<std::string>;

const std::vector<SelectedFile> kThree = {
    {1, "c:\\a\\one.txt"}, {3, "c:\\a\\two.txt"}, {4, "c:\\b\\three.txt"}};

// Three selected rows over an in-memory disk; the shell does what the case
// scripts (removes sources, makes copies) and reports what it is told.
struct FakeHost : FileOperationHost {
    std::vector<SelectedFile> selected = kThree;
    Paths disk = {"c:\\a\\one.txt", "c:\\a\\two.txt", "c:\\b\\three.txt"};
    bool dialogOk = true, shellReportsSuccess = true;
    std::string target = "c:\\to";
    Paths shellDoes;  // sources the shell really moves, copies or deletes
    V log;
    std::vector<int> removed;
    std::string status;

    std::vector<SelectedFile> SelectedFiles() override { return selected; }
    bool AskTargetDirectory(const char* verb, int count, std::string& out) override {
        log.push_back(std::string("dialog ") + verb + " " + std::to_string(count));
        if (dialogOk) out = target;
        return dialogOk;
    }
    bool RunShellOperation(ShellFunction function, const std::string& sources,
                           const std::string& destinations, bool onePerSource) override {
        std::string printable = destinations;
        for (char& c : printable) c = c ? c : '|';
        log.push_back("shell " + std::to_string(static_cast<int>(function)) + " " + printable +
                      (onePerSource ? " each" : ""));
        EXPECT_EQ(sources, BuildShellFileList(selected));
        for (const std::string& path : shellDoes) {
            std::string name = path.substr(path.rfind('\\') + 1);
            if (function != ShellFunction::Delete)
                disk.insert(target + (target.back() == '\\' ? "" : "\\") + name);
            if (function != ShellFunction::Copy) disk.erase(path);
        }
        return shellReportsSuccess;
    }
    bool FileExists(const std::string& path) override { return disk.count(path) > 0; }
    void RemoveRows(const std::vector<int>& rows) override { removed = rows; }
    void ShowStatus(const std::string& text) override { status = text; }
    void ShowWarning(const std::string& text) override { log.push_back("warning " + text); }
};

TEST(FileOperations, ShellListEndsEachPathAndTheWholeWithNul) {
    using namespace std::string_literals;
    EXPECT_EQ(BuildShellFileList(kThree), "c:\\a\\one.txt\0c:\\a\\two.txt\0c:\\b\\three.txt\0\0"s);
    EXPECT_EQ(BuildShellFileList({}), "\0"s);
}

// Only rows whose files are really gone leave the list, and the counts are
// what the disk shows: the shell may claim success for files it skipped.
TEST(FileOperations, CountsAndRemovedRowsFollowTheDisk) {
    const Paths all = {"c:\\a\\one.txt", "c:\\a\\two.txt", "c:\\b\\three.txt"};
    const Paths two = {"c:\\a\\two.txt"};
    const auto del = DeleteSelectedFiles, move = MoveSelectedFiles, copy = CopySelectedFiles;
    // clang-format off
    const struct {
        const char* name; int (*command)(FileOperationHost&); bool dialogOk; const char* target;
        Paths shellDoes; bool shellOk, twoMissing; std::vector<int> removed; const char* status;
    } cases[] = {
        {"delete confirmed", del, true, "c:\\to", all, true, false, {1, 3, 4}, "Deleted 3 file(s)."},
        {"delete declined", del, true, "c:\\to", {}, false, false, {}, "Deleted 0 file(s)."},
        {"delete partly done", del, true, "c:\\to", two, true, false, {3}, "Deleted 1 file(s)."},
        // two.txt was gone before the command: not this command's doing.
        {"delete, one missing", del, true, "c:\\to", {"c:\\a\\one.txt"}, false, true, {1},
         "Deleted 1 file(s)."},
        {"move done", move, true, "c:\\to", all, true, false, {1, 3, 4}, "Moved 3 file(s)."},
        {"move partly failed", move, true, "c:\\to", {"c:\\b\\three.txt"}, false, false, {4},
         "Moved 1 file(s)."},
        {"move cancelled", move, false, "c:\\to", {}, true, false, {}, "Moved 0 file(s)."},
        {"all copied", copy, true, "c:\\to", {}, true, false, {}, "Copied 3 file(s)."},
        {"one copied, one refused", copy, true, "c:\\to", two, false, false, {}, "Copied 1 file(s)."},
        {"target with backslash", copy, true, "c:\\to\\", two, false, false, {}, "Copied 1 file(s)."},
        {"copy cancelled", copy, false, "c:\\to", two, true, false, {}, "Copied 0 file(s)."},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        host.dialogOk = c.dialogOk;
        host.target = c.target;
        host.shellDoes = c.shellDoes;
        host.shellReportsSuccess = c.shellOk;
        if (c.twoMissing) host.disk.erase("c:\\a\\two.txt");
        const int count = c.command(host);
        EXPECT_EQ(host.removed, c.removed);
        if (c.command != copy) {
            EXPECT_EQ(count, static_cast<int>(c.removed.size()));
        }
        EXPECT_EQ(host.status, c.status);
    }
}

TEST(FileOperations, EachCommandAsksWhatItNeedsAndRunsItsShellFunction) {
    const std::pair<int (*)(FileOperationHost&), V> cases[] = {
        {DeleteSelectedFiles, {"shell 3 "}},
        {CopySelectedFiles, {"dialog Copy 3", "shell 2 c:\\to||"}},
        // A move names each file's new path.
        {MoveSelectedFiles,
         {"dialog Move 3", "shell 1 c:\\to\\one.txt|c:\\to\\two.txt|c:\\to\\three.txt|| each"}},
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
    int RenameFile(const std::string& from, const std::string& to) override {
        log.push_back(from + " -> " + to);
        return result;
    }
    void ShowWarning(const std::string& text) override { log.push_back(text); }
};

TEST(Rename, EndOfEditRenamesOnDiskAndInTheItemOrKeepsBoth) {
    // clang-format off
    const struct {
        const char* directory; const char* edited; int moveResult; bool accepted;
        const char* nameAfter; V log;
    } cases[] = {
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
        EXPECT_EQ(item.name, c.nameAfter);
        EXPECT_EQ(host.log, c.log);
    }
    RecordingRename host;
    EXPECT_FALSE(EndRename(host, nullptr, "x.txt"));
}

}  // namespace
