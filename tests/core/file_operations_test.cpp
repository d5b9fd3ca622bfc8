#include "fileops/file_operations.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A list of selected rows over an in-memory disk; the shell does what the
// case scripts (removes sources, makes copies) and reports what it is told.
struct FakeHost : FileOperationHost {
    std::vector<SelectedFile> selected;
    std::set<std::string> disk;
    bool dialogOk = true;
    std::string target = "c:\\to";
    std::set<std::string> shellDoes;  // sources the shell really moves, copies or deletes
    bool shellReportsSuccess = true;

    std::vector<std::string> log;
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
        log.push_back("shell " + std::to_string(static_cast<int>(function)) + " " +
                      Printable(destinations) + (onePerSource ? " each" : ""));
        EXPECT_EQ(sources, BuildShellFileList(selected));
        for (const std::string& path : shellDoes) {
            std::string name = path.substr(path.rfind('\\') + 1);
            if (function != ShellFunction::Delete)
                disk.insert(target + (target.back() == '\\' ? "" : "\\") + name);
            if (function != ShellFunction::Copy) disk.erase(path);
        }
        return shellReportsSuccess;
    }
    static std::string Printable(std::string list) {
        for (char& c : list)
            if (c == '\0') c = '|';
        return list;
    }
    bool FileExists(const std::string& path) override { return disk.count(path) > 0; }
    void RemoveRows(const std::vector<int>& rows) override { removed = rows; }
    void ShowStatus(const std::string& text) override { status = text; }
    void ShowWarning(const std::string& text) override { log.push_back("warning " + text); }
};

const std::vector<SelectedFile> kThree = {
    {1, "c:\\a\\one.txt"}, {3, "c:\\a\\two.txt"}, {4, "c:\\b\\three.txt"}};

FakeHost ThreeSelected() {
    FakeHost host;
    host.selected = kThree;
    for (const SelectedFile& file : kThree) host.disk.insert(file.path);
    return host;
}

TEST(FileOperations, ShellListEndsEachPathAndTheWholeWithNul) {
    using namespace std::string_literals;
    EXPECT_EQ(BuildShellFileList(kThree), "c:\\a\\one.txt\0c:\\a\\two.txt\0c:\\b\\three.txt\0\0"s);
    EXPECT_EQ(BuildShellFileList({}), "\0"s);
}

struct RemovalCase {
    const char* name;
    bool move;
    bool dialogOk;
    std::set<std::string> shellDoes;
    bool shellReportsSuccess;
    std::vector<int> removed;
    const char* status;
};

TEST(FileOperations, OnlyRowsWhoseFilesAreGoneLeaveTheList) {
    const RemovalCase cases[] = {
        {"delete confirmed",
         false,
         true,
         {"c:\\a\\one.txt", "c:\\a\\two.txt", "c:\\b\\three.txt"},
         true,
         {1, 3, 4},
         "Deleted 3 file(s)."},
        {"delete declined", false, true, {}, false, {}, "Deleted 0 file(s)."},
        // The shell may claim success for files it skipped; the disk decides.
        {"delete partly done", false, true, {"c:\\a\\two.txt"}, true, {3}, "Deleted 1 file(s)."},
        {"move done",
         true,
         true,
         {"c:\\a\\one.txt", "c:\\a\\two.txt", "c:\\b\\three.txt"},
         true,
         {1, 3, 4},
         "Moved 3 file(s)."},
        {"move partly failed", true, true, {"c:\\b\\three.txt"}, false, {4}, "Moved 1 file(s)."},
        {"move cancelled in the dialog", true, false, {}, true, {}, "Moved 0 file(s)."},
        // two.txt was gone before the command: not this command's doing.
        {"delete with one file missing",
         false,
         true,
         {"c:\\a\\one.txt"},
         false,
         {1},
         "Deleted 1 file(s)."},
    };
    for (const RemovalCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host = ThreeSelected();
        host.dialogOk = c.dialogOk;
        host.shellDoes = c.shellDoes;
        host.shellReportsSuccess = c.shellReportsSuccess;
        if (std::string(c.name) == "delete with one file missing")
            host.disk.erase("c:\\a\\two.txt");
        int count = c.move ? MoveSelectedFiles(host) : DeleteSelectedFiles(host);
        EXPECT_EQ(count, static_cast<int>(c.removed.size()));
        EXPECT_EQ(host.removed, c.removed);
        EXPECT_EQ(host.status, c.status);
    }
}

TEST(FileOperations, EachCommandAsksWhatItNeedsAndRunsItsShellFunction) {
    struct Case {
        int (*command)(FileOperationHost&);
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {DeleteSelectedFiles, {"shell 3 "}},
        {CopySelectedFiles, {"dialog Copy 3", "shell 2 c:\\to||"}},
        // A move names each file's new path.
        {MoveSelectedFiles,
         {"dialog Move 3", "shell 1 c:\\to\\one.txt|c:\\to\\two.txt|c:\\to\\three.txt|| each"}},
    };
    for (const Case& c : cases) {
        FakeHost host = ThreeSelected();
        c.command(host);
        EXPECT_EQ(host.log, c.log);
    }
    // Without a selection there is nothing to ask about.
    FakeHost none;
    EXPECT_EQ(CopySelectedFiles(none), 0);
    EXPECT_TRUE(none.log.empty());
    EXPECT_EQ(none.status, "Copied 0 file(s).");
}

TEST(FileOperations, CopyCountsTheCopiesThatArrived) {
    struct Case {
        const char* name;
        std::string target;
        bool dialogOk;
        std::set<std::string> shellDoes;
        bool shellReportsSuccess;
        const char* status;
    };
    const Case cases[] = {
        {"all copied", "c:\\to", true, {}, true, "Copied 3 file(s)."},
        {"one copied, one refused", "c:\\to", true, {"c:\\a\\two.txt"}, false, "Copied 1 file(s)."},
        {"target with its backslash",
         "c:\\to\\",
         true,
         {"c:\\a\\two.txt"},
         false,
         "Copied 1 file(s)."},
        {"cancelled", "c:\\to", false, {"c:\\a\\two.txt"}, true, "Copied 0 file(s)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host = ThreeSelected();
        host.target = c.target;
        host.dialogOk = c.dialogOk;
        host.shellDoes = c.shellDoes;
        host.shellReportsSuccess = c.shellReportsSuccess;
        CopySelectedFiles(host);
        EXPECT_EQ(host.status, c.status);
        EXPECT_TRUE(host.removed.empty());
    }
}

TEST(Rename, NamesThatWouldLeaveTheDirectoryOrFailAreRefused) {
    const struct {
        const char* name;
        int error;
    } cases[] = {
        {"new.txt", 0},
        {"with blank.txt", 0},
        {"...dots", 0},
        {"", kErrorInvalidName},
        {".", kErrorInvalidName},
        {"..", kErrorInvalidName},
        {"..\\up.txt", kErrorInvalidName},
        {"sub/x.txt", kErrorInvalidName},
        {"d:x.txt", kErrorInvalidName},
        {"*.txt", kErrorInvalidName},
        {"a?.txt", kErrorInvalidName},
        {"a|b", kErrorInvalidName},
        {"tab\there", kErrorInvalidName},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckRenameName(c.name), c.error) << c.name;
}

struct RecordingRename : RenameHost {
    int result = 0;
    std::vector<std::string> log;
    int RenameFile(const std::string& from, const std::string& to) override {
        log.push_back(from + " -> " + to);
        return result;
    }
    void ShowWarning(const std::string& text) override { log.push_back(text); }
};

TEST(Rename, EndOfEditRenamesOnDiskAndInTheItemOrKeepsBoth) {
    struct Case {
        const char* directory;
        const char* edited;
        int moveResult;
        bool accepted;
        const char* nameAfter;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"c:\\d", "new.txt", 0, true, "new.txt", {"c:\\d\\old.txt -> c:\\d\\new.txt"}},
        {"c:\\", "new.txt", 0, true, "new.txt", {"c:\\old.txt -> c:\\new.txt"}},
        {"c:\\d",
         "taken.txt",
         183,
         false,
         "old.txt",
         {"c:\\d\\old.txt -> c:\\d\\taken.txt", "Error 183: Unable to rename file!"}},
        {"c:\\d", "..\\old.txt", 0, false, "old.txt", {"Error 123: Unable to rename file!"}},
        {"c:\\d", nullptr, 0, false, "old.txt", {}},
        {"c:\\d", "old.txt", 0, true, "old.txt", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edited ? c.edited : "(cancelled)");
        FileInfoItem item;
        item.directory = c.directory;
        item.name = "old.txt";
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
