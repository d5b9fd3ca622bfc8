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
using A = Answer;

FakeHost FiveFiles() {
    return FakeHost({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"},
                    {"old a", "old b", "old c", "old d", "old e"});
}

// Each row's file as 'n' (new text) or 'o' (old).
std::string Written(FakeHost& host) {
    std::string got;
    for (size_t r = 0; r < host.rows.size(); ++r) got += host.File(static_cast<int>(r))[0];
    return got;
}

bool Shows(const FakeHost& host, const std::string& event) {
    return std::count(host.events.begin(), host.events.end(), event) == 1;
}

TEST(ReplaceRun, EachRowOfTheSetOnceFromTheStartingRow) {
    using F = FilesOption;
    // clang-format off
    const struct { F option; std::vector<int> selected, marked; int start; std::vector<int> order; } cases[] = {
        {F::All, {}, {}, 2, {3, 4, 0, 1}}, {F::All, {}, {}, 4, {0, 1, 2, 3}},
        {F::Selected, {1, 2, 4}, {}, 2, {4, 1}}, {F::Selected, {1, 3}, {}, 2, {3, 1}},
        {F::Selected, {0, 1}, {}, 3, {0, 1}}, {F::Marked, {}, {0, 2, 3}, 2, {3, 0}},
        {F::Marked, {}, {2}, 2, {}}, {F::None, {}, {}, 2, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeHost host = FiveFiles();
        for (int r : c.selected) host.rows[r].selected = true;
        for (int r : c.marked) host.rows[r].marked = true;
        EXPECT_EQ(ReplaceTargetOrder(host, c.option, c.start), c.order) << c.start;
    }
    // The first checked button wins, as the box can only check one.
    EXPECT_EQ(FilesOptionOf(true, true, true), FilesOption::All);
    EXPECT_EQ(FilesOptionOf(false, true, true), FilesOption::Selected);
}

// Confirmed runs from row 2: No for the starting row leaves EditView modified.
TEST(ReplaceRun, ConfirmedRunAnswers) {
    // clang-format off
    const struct { std::vector<A> answers; const char* files; int count; bool modified; } cases[] = {
        {{A::Yes, A::Yes, A::Yes, A::Yes, A::Yes}, "nnnnn", 5, false},
        {{A::No, A::Yes, A::Yes, A::Yes, A::Yes}, "nnonn", 5, true},
        {{A::Yes, A::No, A::Yes, A::Yes, A::Yes}, "nnnon", 4, false},
        {{A::Yes, A::Cancel}, "oonoo", 1, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        FakeHost host = FiveFiles();
        host.answers = c.answers;
        ReplaceRunResult result = host.Run(2, true);
        EXPECT_EQ(result.StartWritten, !c.modified);
        EXPECT_EQ(Written(host), c.files);
        const std::string n = std::to_string(c.count);
        EXPECT_EQ(host.events.back(), n + " occurrences replaced in " + n + " file(s)!");
        EXPECT_EQ(host.edit, "new c");
        EXPECT_EQ(host.modified, c.modified);
        EXPECT_TRUE(host.files.TempFiles().empty());
    }
    FakeHost nothing({"a.txt", "b.txt"}, {"x", "y"});
    EXPECT_FALSE(nothing.Run(0, true).Found);
    EXPECT_EQ(nothing.events, V{kNothingFoundText});
}

// A failed read or write: Retry tries again, Ignore goes on without it, Abort
// ends the run there; only what was written is counted.
TEST(ReplaceRun, FailureAnswers) {
    // clang-format off
    const struct { const char* step; A answer; std::vector<int> visited; const char* files; int count; } cases[] = {
        {"read", A::Ignore, {0, 2}, "non", -1}, {"read", A::Abort, {0}, "ooo", -1},
        {"read", A::Retry, {0, 1, 2}, "nnn", -1},
        {"write", A::Retry, {0, 1, 2}, "nnn", 3}, {"write", A::Ignore, {0, 1, 2}, "onn", 2},
        {"write", A::Abort, {0}, "ooo", 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.step) + " " + std::to_string(static_cast<int>(c.answer)));
        FakeHost host({"a.txt", "b.txt", "c.txt"}, {"old a", "old b", "old c"});
        host.files.failStep = c.step;
        const bool reading = c.step[0] == 'r';
        host.answers = reading ? std::vector<A>{c.answer} : std::vector<A>{A::Yes, c.answer, A::Yes, A::Yes};
        const ReplaceRunResult result = host.Run(0, !reading);
        if (reading) {
            EXPECT_EQ(result.Visited, c.visited);
            EXPECT_EQ(host.events[0], "ari Error 5: Disk read error");
        } else {
            EXPECT_EQ(Written(host), c.files);
            const std::string n = std::to_string(c.count);
            EXPECT_EQ(host.events.back(), n + " occurrences replaced in " + n + " file(s)!");
        }
        EXPECT_EQ(host.edit, "new a");
        EXPECT_TRUE(host.files.TempFiles().empty());
    }
    // A move that lost the target keeps the only copy and says where.
    FakeHost host({"a.txt"}, {"old a"});
    host.files.failStep = "replace";
    host.files.loseTarget = true;
    host.Run(0, false);
    const V temps = host.files.TempFiles();
    ASSERT_EQ(temps.size(), 1u);
    EXPECT_EQ(host.files.files[temps[0]], "new a");
    EXPECT_EQ(host.events[host.events.size() - 2], "Error 5: Unable to save a.txt!");
    EXPECT_EQ(host.events.back(), "The new text of a.txt is kept in " + temps[0] + ".");
}

TEST(ReplaceRun, TheStartingFileIsWrittenOnlyWhenWholeAndAsLoaded) {
    const std::string skippedC = "Not changed: too large for FileView or holding a zero byte:\nc.txt";
    // clang-format off
    const struct { bool heldWhole, changedOnDisk, overwrite; std::string startFile, warning; } cases[] = {
        {true, false, true, "new c", ""}, {false, false, true, "old c", skippedC},
        {true, true, true, "new c", ""}, {true, true, false, "old c, theirs", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.startFile);
        FakeHost host = FiveFiles();
        host.edit = host.File(2);
        const std::string path = "c:\\d\\c.txt";
        ReplaceRunOptions options = FakeHost::Options(false);
        options.StartHeldWhole = c.heldWhole;
        options.StartStamp = host.files.Identify(path);
        if (c.changedOnDisk) host.files.Touch(path, "old c, theirs");
        host.overwriteChanged = c.overwrite;
        const ReplaceRunResult result = ReplaceInFiles(host, 2, options);
        EXPECT_EQ(host.File(2), c.startFile);
        EXPECT_EQ(host.File(0) + host.File(4), "new anew e");
        EXPECT_EQ(result.StartWritten, c.startFile[0] == 'n');
        EXPECT_EQ(Shows(host, "yesno " + ChangedOnDiskQuestion("c.txt")), c.changedOnDisk);
        EXPECT_TRUE(c.warning.empty() || Shows(host, c.warning));
        EXPECT_EQ(host.edit, result.StartWritten ? "new c" : "old c");
        EXPECT_TRUE(host.files.TempFiles().empty());
    }
}

// "old" becomes "older": two characters more for each occurrence, in a
// b.txt with "old" at both ends.
TEST(ReplaceRun, AFileTheReplacementsWouldOverfillIsLeftWholeAndNamed) {
    const std::pair<size_t, bool> cases[] = {
        {kFileViewCapacity - 5, true}, {kFileViewCapacity - 4, false}, {kFileViewCapacity - 1, false}};
    for (const auto& [length, written] : cases) {
        SCOPED_TRACE(length);
        const std::string big = "old" + std::string(length - 6, 'x') + "old";
        FakeHost host({"a.txt", "b.txt"}, {"old a", big});
        host.replace = "older";
        host.answers = {A::Yes, A::Yes};
        host.Run(0, true);
        EXPECT_EQ(host.File(1), written ? "older" + std::string(length - 6, 'x') + "older" : big);
        EXPECT_EQ(host.File(0), "older a");
        EXPECT_EQ(host.events.back(), written ? "3 occurrences replaced in 2 file(s)!"
                                              : "1 occurrences replaced in 1 file(s)!");
        EXPECT_EQ(Shows(host, "Not changed: too large for FileView or holding a zero byte:\nb.txt"),
                  !written);
    }
}

// While the run's questions are open the rows may not change: list commands
// wait, as during a search.
TEST(ReplaceRun, TheRowsAreHeldWhileTheRunAsks) {
    struct Watching : FakeHost {
        using FakeHost::FakeHost;
        std::vector<bool> refused;
        bool AskYesNo(const std::string& text) override {
            refused.push_back(IsRefusedWhileSearching(IDM_CLEAR_LIST) && IsRefusedWhileSearching(IDM_FIND_FILES));
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
// focused since FileView opened never receives EditView's text. The text's
// record of its file counts only when that is the shown file.
TEST(ReplaceRun, TheBoxStartsFromTheShownFilesRowWithItsFilesButtons) {
    const V saveAll = {"close", "yesno " + std::string(kSaveAllQuestion)};
    // clang-format off
    const struct { bool all, selected, marked; const char* shown; std::vector<int> visited; V events; } cases[] = {
        {true, false, false, "c:\\d\\d.txt", {3, 4, 0, 1, 2}, saveAll},
        {false, true, false, "C:\\D\\C.TXT", {2, 4}, saveAll},  // the path in another case
        {false, false, true, "c:\\d\\c.txt", {2, 0}, saveAll},
        {false, false, false, "c:\\d\\b.txt", {1}, saveAll},  // no button: the shown file only
        {true, false, false, "z:\\d\\b.txt", {1, 2, 3, 4, 0}, saveAll},  // another spelling
        {true, false, false, "z:\\x\\b.txt", {}, {"b.txt is no longer in the File Info List."}},
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
        EXPECT_EQ(ReplaceInFilesFromBox(host, start, result), !c.visited.empty()) << c.shown;
        EXPECT_EQ(result.Visited, c.visited) << c.shown;
        EXPECT_EQ(host.events, c.events) << c.shown;
    }
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
        EXPECT_EQ(Shows(host, "yesno " + ChangedOnDiskQuestion("c.txt")), stamped[0] == 'C') << stamped;
    }
}

}  // namespace
