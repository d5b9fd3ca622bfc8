#include "fileview/replace_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "resource_ids.h"
#include "results/list_guard.h"
#include "search/search_driver.h"
#include "text_files_fake.h"

namespace {

using V = std::vector<std::string>;

FakeHost FiveFiles() {
    return FakeHost({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"},
                    {"old a", "old b", "old c", "old d", "old e"});
}

struct WalkCase {
    const char* name;
    FilesOption option;
    std::vector<int> selected, marked;
    int start;
    std::vector<int> order;
};

TEST(ReplaceRun, EachRowOfTheSetOnceFromTheStartingRow) {
    const WalkCase cases[] = {
        {"all from the middle turns at the end", FilesOption::All, {}, {}, 2, {3, 4, 0, 1}},
        {"all from the last row", FilesOption::All, {}, {}, 4, {0, 1, 2, 3}},
        {"selected from a selected middle row", FilesOption::Selected, {1, 2, 4}, {}, 2, {4, 1}},
        {"selected from an unselected row", FilesOption::Selected, {1, 3}, {}, 2, {3, 1}},
        {"selected, none after the start", FilesOption::Selected, {0, 1}, {}, 3, {0, 1}},
        {"marked cyclically", FilesOption::Marked, {}, {0, 2, 3}, 2, {3, 0}},
        {"marked, only the start", FilesOption::Marked, {}, {2}, 2, {}},
        {"no option", FilesOption::None, {}, {}, 2, {}},
    };
    for (const auto& c : cases) {
        FakeHost host = FiveFiles();
        for (int r : c.selected) host.rows[r].selected = true;
        for (int r : c.marked) host.rows[r].marked = true;
        EXPECT_EQ(ReplaceTargetOrder(host, c.option, c.start), c.order) << c.name;
    }
}

TEST(ReplaceRun, ConfirmedRunAnswers) {
    struct Case {
        const char* name;
        std::vector<Answer> answers;
        std::string files;  // n: new text, o: old, rows 0 to 4
        std::string summary;
        bool modified;
    } cases[] = {
        {"Yes for all",
         {Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes},
         "nnnnn",
         "5 occurrences replaced in 5 file(s)!",
         false},
        {"No for the starting row",
         {Answer::No, Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes},
         "nnonn",
         "5 occurrences replaced in 5 file(s)!",
         true},
        {"No for another row",
         {Answer::Yes, Answer::No, Answer::Yes, Answer::Yes, Answer::Yes},
         "nnnon",
         "4 occurrences replaced in 4 file(s)!",
         false},
        {"Cancel at the second",
         {Answer::Yes, Answer::Cancel},
         "oonoo",
         "1 occurrences replaced in 1 file(s)!",
         false},
    };
    for (const auto& c : cases) {
        FakeHost host = FiveFiles();
        host.answers = c.answers;
        ReplaceRunResult result = host.Run(2, true);
        EXPECT_EQ(result.StartWritten, !c.modified) << c.name;
        std::string got;
        for (int r = 0; r < 5; ++r) got += host.File(r)[0];
        EXPECT_EQ(got, c.files) << c.name;
        EXPECT_EQ(host.events.back(), c.summary) << c.name;
        EXPECT_EQ(host.edit, "new c") << c.name;
        EXPECT_EQ(host.modified, c.modified) << c.name;
        EXPECT_TRUE(host.files.TempFiles().empty()) << c.name;
    }
}

TEST(ReplaceRun, NothingFoundKeepsTheBoxOpen) {
    FakeHost host({"a.txt", "b.txt"}, {"x", "y"});
    auto result = host.Run(0, true);
    EXPECT_FALSE(result.Found);
    EXPECT_EQ(host.events, (std::vector<std::string>{kNothingFoundText}));
}

TEST(ReplaceRun, ReadFailureAnswers) {
    struct Case {
        Answer answer;
        std::vector<int> visited;
    } cases[] = {
        {Answer::Ignore, {0, 2}},
        {Answer::Abort, {0}},
        {Answer::Retry, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        FakeHost host({"a.txt", "b.txt", "c.txt"}, {"old", "old", "old"});
        host.files.failStep = "read";
        host.answers = {c.answer};
        auto result = host.Run(0, false);
        EXPECT_EQ(result.Visited, c.visited);
        EXPECT_EQ(host.events[0], "ari Error 5: Disk read error");
        EXPECT_EQ(host.edit, "new");
        EXPECT_TRUE(host.files.TempFiles().empty());
    }
}

// A failed write: Retry writes it, Ignore goes on without it, Abort ends the
// run there; only what was written is counted.
TEST(ReplaceRun, FailedWriteAnswers) {
    struct Case {
        Answer answer;
        std::string files;  // n: new text, o: old, rows 0 to 2
        std::string summary;
    } cases[] = {
        {Answer::Retry, "nnn", "3 occurrences replaced in 3 file(s)!"},
        {Answer::Ignore, "onn", "2 occurrences replaced in 2 file(s)!"},
        {Answer::Abort, "ooo", "0 occurrences replaced in 0 file(s)!"},
    };
    for (const auto& c : cases) {
        FakeHost host({"a.txt", "b.txt", "c.txt"}, {"old a", "old b", "old c"});
        host.files.failStep = "write";
        host.answers = {Answer::Yes, c.answer, Answer::Yes, Answer::Yes};
        host.Run(0, true);
        std::string got;
        for (int r = 0; r < 3; ++r) got += host.File(r)[0];
        EXPECT_EQ(got, c.files) << c.summary;
        EXPECT_EQ(host.events.back(), c.summary);
        EXPECT_TRUE(host.files.TempFiles().empty());
    }
}

TEST(ReplaceRun, AMoveThatLostTheTargetKeepsTheOnlyCopy) {
    FakeHost host({"a.txt"}, {"old a"});
    host.files.failStep = "replace";
    host.files.loseTarget = true;
    host.Run(0, false);
    auto temps = host.files.TempFiles();
    ASSERT_EQ(temps.size(), 1u);
    EXPECT_EQ(host.files.files[temps[0]], "new a");
    EXPECT_EQ(host.events[host.events.size() - 2], "Error 5: Unable to save a.txt!");
    EXPECT_EQ(host.events.back(), "The new text of a.txt is kept in " + temps[0] + ".");
}

TEST(ReplaceRun, TheStartingFileIsWrittenOnlyWhenWholeAndAsLoaded) {
    const std::string skippedC =
        "Not changed: too large for FileView or holding a zero byte:\nc.txt";
    struct Case {
        const char* name;
        bool heldWhole, changedOnDisk, overwrite;
        std::string startFile, warning;
    } cases[] = {
        {"held whole", true, false, true, "new c", ""},
        {"cut at a zero byte or a window of lines", false, false, true, "old c", skippedC},
        {"changed on disk, overwrite", true, true, true, "new c", ""},
        {"changed on disk, keep", true, true, false, "old c, theirs", ""},
    };
    for (const auto& c : cases) {
        FakeHost host = FiveFiles();
        host.edit = host.File(2);
        const std::string path = "c:\\d\\c.txt";
        ReplaceRunOptions options = FakeHost::Options(false);
        options.StartHeldWhole = c.heldWhole;
        options.StartStamp = host.files.Identify(path);
        if (c.changedOnDisk) host.files.Touch(path, "old c, theirs");
        host.overwriteChanged = c.overwrite;
        ReplaceRunResult result = ReplaceInFiles(host, 2, options);
        EXPECT_EQ(host.File(2), c.startFile) << c.name;
        EXPECT_EQ(host.File(0) + host.File(4), "new anew e") << c.name;
        EXPECT_EQ(result.StartWritten, c.startFile[0] == 'n') << c.name;
        const bool asked = std::count(host.events.begin(), host.events.end(),
                                      "yesno " + ChangedOnDiskQuestion("c.txt")) == 1;
        EXPECT_EQ(asked, c.changedOnDisk) << c.name;
        const bool warned =
            std::find(host.events.begin(), host.events.end(), c.warning) != host.events.end();
        EXPECT_EQ(warned, !c.warning.empty()) << c.name;
        EXPECT_EQ(host.edit, result.StartWritten ? "new c" : "old c") << c.name;
        EXPECT_TRUE(host.files.TempFiles().empty()) << c.name;
    }
}

TEST(ReplaceRun, AFileTheReplacementsWouldOverfillIsLeftWholeAndNamed) {
    // "old" becomes "older": two characters more for each occurrence.
    struct Case {
        const char* name;
        size_t length;  // of b.txt's text, "old" at both ends
        bool written;
    } cases[] = {
        {"ends one below the limit", kFileViewCapacity - 5, true},
        {"would reach the limit", kFileViewCapacity - 4, false},
        {"the first replacement already too many", kFileViewCapacity - 1, false},
    };
    for (const auto& c : cases) {
        const std::string big = "old" + std::string(c.length - 6, 'x') + "old";
        FakeHost host({"a.txt", "b.txt"}, {"old a", big});
        host.replace = "older";
        host.answers = {Answer::Yes, Answer::Yes};
        host.Run(0, true);
        const std::string expected = "older" + std::string(c.length - 6, 'x') + "older";
        EXPECT_EQ(host.File(1), c.written ? expected : big) << c.name;
        EXPECT_EQ(host.File(0), "older a") << c.name;
        const std::string summary = c.written ? "3 occurrences replaced in 2 file(s)!"
                                              : "1 occurrences replaced in 1 file(s)!";
        EXPECT_EQ(host.events.back(), summary) << c.name;
        const bool named = std::find(host.events.begin(), host.events.end(),
                                     "Not changed: too large for FileView or holding a zero "
                                     "byte:\nb.txt") != host.events.end();
        EXPECT_EQ(named, !c.written) << c.name;
    }
}

// While the run's questions are open the rows may not change: list commands
// wait, as during a search.
TEST(ReplaceRun, TheRowsAreHeldWhileTheRunAsks) {
    struct Watching : FakeHost {
        using FakeHost::FakeHost;
        std::vector<bool> refused;
        bool AskYesNo(const std::string& text) override {
            refused.push_back(IsRefusedWhileSearching(IDM_CLEAR_LIST) &&
                              IsRefusedWhileSearching(IDM_FIND_FILES));
            return FakeHost::AskYesNo(text);
        }
    } host({"a.txt", "b.txt"}, {"old", "old"});
    host.Run(0, false);
    EXPECT_EQ(host.refused, std::vector<bool>{true});
    EXPECT_FALSE(ListRunIsOn());
    EXPECT_FALSE(IsRefusedWhileSearching(IDM_CLEAR_LIST));
}

// The Replace box's buttons and the shown file decide where a run starts and
// which rows it takes; the first row holding the shown file wins, so a row
// focused since FileView opened never receives EditView's text.
TEST(ReplaceRun, TheBoxStartsFromTheShownFilesRowWithItsFilesButtons) {
    const V saveAll = {"close", "yesno " + std::string(kSaveAllQuestion)};
    // clang-format off
    const struct {
        const char* what; bool all, selected, marked; const char* shown; std::vector<int> visited;
        V events;
    } cases[] = {
        {"all from the shown row", true, false, false, "c:\\d\\d.txt", {3, 4, 0, 1, 2}, saveAll},
        {"selected, the path in another case", false, true, false, "C:\\D\\C.TXT", {2, 4}, saveAll},
        {"marked", false, false, true, "c:\\d\\c.txt", {2, 0}, saveAll},
        {"no button: the shown file only", false, false, false, "c:\\d\\b.txt", {1}, saveAll},
        {"another spelling of the same file", true, false, false, "z:\\d\\b.txt", {1, 2, 3, 4, 0}, saveAll},
        {"a file of the same name elsewhere", true, false, false, "z:\\x\\b.txt", {},
         {"b.txt is no longer in the File Info List."}},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeHost host = FiveFiles();
        host.rows[4].selected = true;
        host.rows[0].marked = true;
        host.files.aliases["z:\\d\\b.txt"] = "c:\\d\\b.txt";
        host.edit = "old shown";
        ReplaceInFilesStart start;
        start.All = c.all, start.Selected = c.selected, start.Marked = c.marked;
        start.ConfirmFileSave = false;
        start.ShownPath = c.shown;
        start.ShownFileName = std::strrchr(c.shown, '\\') + 1;
        ReplaceRunResult result;
        EXPECT_EQ(ReplaceInFilesFromBox(host, start, result), !c.visited.empty()) << c.what;
        EXPECT_EQ(result.Visited, c.visited) << c.what;
        EXPECT_EQ(host.events, c.events) << c.what;
    }
    // The first checked button wins, as the box can only check one.
    EXPECT_EQ(FilesOptionOf(true, true, true), FilesOption::All);
    EXPECT_EQ(FilesOptionOf(false, true, true), FilesOption::Selected);
}

// The text's record of its file counts only when that is the shown file: a
// change on disk since FileView read it is asked about, not another file's.
TEST(ReplaceRun, TheBoxAsksAboutAChangeOnDiskOnlyForTheShownFile) {
    for (const char* stamped : {"C:\\D\\C.TXT", "c:\\d\\a.txt"}) {
        FakeHost host = FiveFiles();
        host.edit = host.File(2);
        ReplaceInFilesStart start;
        start.ConfirmFileSave = false;
        start.ShownPath = "c:\\d\\c.txt";
        start.ShownFileName = "c.txt";
        start.StampedPath = stamped;
        start.Stamp = host.files.Identify("c:\\d\\c.txt");
        host.files.Touch("c:\\d\\c.txt", "old c, theirs");
        ReplaceRunResult result;
        ASSERT_TRUE(ReplaceInFilesFromBox(host, start, result));
        const bool asked = std::count(host.events.begin(), host.events.end(),
                                      "yesno " + ChangedOnDiskQuestion("c.txt")) == 1;
        EXPECT_EQ(asked, stamped[0] == 'C') << stamped;
    }
}

}  // namespace
