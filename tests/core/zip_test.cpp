#include "fileops/zip.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using V = std::vector<std::string>;

// The archive gets ".zip" only when its path has no dot; the options go in
// as typed, even when empty (the full run checks the usual case).
TEST(Zip, ArchiveNameAndParameters) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"c:\\w\\backup", "c:\\w\\backup.zip"}, {"c:\\w\\backup.old", "c:\\w\\backup.old"},
        {"c:\\my.dir\\backup", "c:\\my.dir\\backup"}, {"c:\\w\\backup.", "c:\\w\\backup."}};
    // clang-format on
    for (const auto& [typed, archive] : cases) EXPECT_EQ(ArchiveNameWithExtension(typed), archive);
    EXPECT_EQ(ZipParameters("", "c:\\w\\b.zip", "c:\\t\\qry1.tmp"), "  c:\\w\\b.zip @c:\\t\\qry1.tmp");
}

TEST(Zip, CommandLinePathPrefersAShortFormThatFitsAndQuotesTheRest) {
    const std::string longest(kShortPathSize, 'x');
    const std::string fits(kShortPathSize - 1, 'x');
    // clang-format off
    const struct { std::string longPath, shortPath, expected; } cases[] = {
        {"c:\\long name\\a.zip", "c:\\LONGNA~1\\a.zip", "c:\\LONGNA~1\\a.zip"},
        {"c:\\long name\\a.zip", "", "\"c:\\long name\\a.zip\""},
        {"c:\\plain\\a.zip", "", "c:\\plain\\a.zip"},
        // A short form that would not fit its buffer is not cut: the long path goes instead.
        {"c:\\long name\\" + longest, "c:\\" + longest, "\"c:\\long name\\" + longest + "\""},
        {"c:\\long name\\x", fits, fits},
        {"c:\\long name\\x", "c:\\still blank\\x", "\"c:\\long name\\x\""},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(CommandLinePath(c.longPath, c.shortPath), c.expected);
}

// Every step of the host is logged; `failAt` makes the named step fail with
// the error in `error`, once: a step tried again after it succeeds.
struct FakeZip : ZipHost {
    V paths = {"c:\\a\\1.txt", "c:\\a\\2.txt"};
    std::string typed = "c:\\w\\backup";
    bool dialogOk = true, existed = false;
    std::map<std::string, std::string> shortForms = {{"c:\\program files\\zipper.exe", "c:\\PROGRA~1\\zipper.exe"},
        {"c:\\w\\backup.zip", "c:\\w\\backup.zip"}, {"c:\\t\\qry1.tmp", "c:\\t\\qry1.tmp"}};
    std::string failAt, written;
    int error = 5, launchResult = 42;
    V steps, warnings;

    int Step(const std::string& name) {
        steps.push_back(name);
        return name == failAt ? (failAt.clear(), error) : 0;
    }
    V SelectedPaths() override { return paths; }
    bool AskArchiveName(int count, std::string& archive) override {
        steps.push_back("ask " + std::to_string(count));
        return archive = typed, dialogOk;
    }
    Hold HoldArchive(const std::string& archive) override {
        return Step("hold " + archive) ? Hold::Failed : existed ? Hold::Opened : Hold::Created;
    }
    void ReleaseArchive() override { steps.push_back("release"); }
    void RemoveCreatedArchive(const std::string& archive) override { steps.push_back("remove " + archive); }
    bool FindAssociatedProgram(const std::string&, std::string& program) override {
        return program = "c:\\program files\\zipper.exe", !Step("find");
    }
    std::string ShortPath(const std::string& path) override { return shortForms.count(path) ? shortForms[path] : ""; }
    int ParameterFileName(std::string& name) override { return name = "c:\\t\\qry1.tmp", Step("name"); }
    int CreateParameterFile(const std::string&) override { return Step("create"); }
    int WriteParameterFile(const std::string& bytes) override {
        const int result = Step("write " + std::to_string(written.size()));
        if (!result) written += bytes;
        return result;
    }
    int EndParameterFile() override { return Step("end"); }
    void CloseParameterFile() override { steps.push_back("close"); }
    int Launch(const std::string& program, const std::string& parameters, const std::string& directory) override {
        return steps.push_back("launch " + program + "|" + parameters + "|" + directory), launchResult;
    }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    void Trace(const std::string&) override {}
    void Launched() override { steps.push_back("launched"); }
};

TEST(Zip, ASuccessfulRunWritesTheListStartsTheProgramAndSaysSo) {
    FakeZip host;
    EXPECT_EQ(AddSelectedToZip(host, "-a -P", "c:\\cur"), 1);
    EXPECT_EQ(host.steps, V({"ask 2", "hold c:\\w\\backup.zip", "find", "release", "name", "create", "write 0",
                             "write 11", "end",
                             "launch c:\\PROGRA~1\\zipper.exe| -a -P c:\\w\\backup.zip @c:\\t\\qry1.tmp|c:\\cur",
                             "launched"}));
    EXPECT_EQ(host.written, "c:\\a\\1.txt\nc:\\a\\2.txt\n");
    EXPECT_EQ(host.warnings, V{"Program c:\\PROGRA~1\\zipper.exe launched.\n2 files will be "
                               "added to c:\\w\\backup.zip.\n"});

    // Without short forms long paths go quoted and the program by its own path.
    FakeZip longPaths;
    longPaths.typed = "c:\\my docs\\backup";
    longPaths.shortForms.clear();
    EXPECT_EQ(AddSelectedToZip(longPaths, "-a -P", "c:\\cur"), 1);
    EXPECT_EQ(longPaths.steps[longPaths.steps.size() - 2],
              "launch c:\\program files\\zipper.exe| -a -P \"c:\\my docs\\backup.zip\" "
              "@c:\\t\\qry1.tmp|c:\\cur");
}

// Each failing step: its messages in order, the last step taken, nothing
// started; an archive the run made is taken back, one that was there stays.
TEST(Zip, EveryFailureShowsItsMessagesInOrderAndStartsNothing) {
    const char* aborted = "File Zip Aborted!";
    // clang-format off
    const struct { const char* failAt; int error; V warnings; const char* lastStep; } cases[] = {
        {"hold c:\\w\\backup.zip", 5,
         {"c:\\w\\backup.zip can't be created!", "WinZip program not found!"},
         "hold c:\\w\\backup.zip"},
        {"find", 31, {"Zip program not found!", "WinZip program not found!"}, "release"},
        {"name", 5, {"Error 5: Unable to create parameter file!", aborted}, "name"},
        {"create", 32, {"Error 32: Unable to create file!",
                        "Error 32: Unable to create parameter file!", aborted}, "create"},
        {"write 0", 112, {"Error 112: Unable to write parameter file!", aborted}, "close"},
        {"write 11", 112, {"Error 112: Unable to write parameter file!", aborted}, "close"},
        {"end", 5, {"Error 5: Unable to write parameter file!", aborted}, "end"},
    };
    // clang-format on
    for (const auto& c : cases) {
        for (bool existed : {true, false}) {
            SCOPED_TRACE(std::string(c.failAt) + (existed ? " existed" : " created"));
            FakeZip host;
            host.failAt = c.failAt, host.error = c.error, host.existed = existed;
            EXPECT_EQ(AddSelectedToZip(host, "-a -P", "c:\\cur"), 0);
            EXPECT_EQ(host.warnings, c.warnings);
            const bool held = c.failAt != cases[0].failAt;
            EXPECT_EQ(host.steps.back(), held && !existed ? "remove c:\\w\\backup.zip" : c.lastStep);
        }
    }
    FakeZip refused;
    refused.launchResult = 32;
    EXPECT_EQ(AddSelectedToZip(refused, "-a -P", "c:\\cur"), 0);
    EXPECT_EQ(refused.warnings, V{"Error 32: Zip program execution failed!"});
    EXPECT_EQ(refused.steps.back(), "remove c:\\w\\backup.zip");

    FakeZip cancelled;
    cancelled.dialogOk = false;
    EXPECT_EQ(AddSelectedToZip(cancelled, "-a -P", "c:\\cur"), 0);
    EXPECT_EQ(cancelled.steps, V{"ask 2"});
    EXPECT_TRUE(cancelled.warnings.empty());
}

}  // namespace
