#include "fileview/replace_run.h"

#include <gtest/gtest.h>

#include <map>

#include "fileview/find_text.h"

namespace {

// Files in memory; any one step can be made to fail on its n-th call.
struct FakeFiles : ReplaceFileLayer {
    std::map<std::string, std::string> files;
    std::string failStep;
    int failOn = 1;           // the call of failStep that fails
    bool loseTarget = false;  // a failing Replace has already removed the target
    std::map<std::string, int> calls;
    std::string open;
    int tempCounter = 0;

    bool Fails(const std::string& step) { return ++calls[step] == failOn && step == failStep; }
    Read ReadWhole(const std::string& path, size_t limit, std::string& text) override {
        if (Fails("ReadWhole") || !files.count(path)) return Read::Failed;
        text = files[path];
        if (text.size() >= limit) return Read::TooLarge;
        if (text.find('\0') != std::string::npos) return Read::ZeroByte;
        return Read::Loaded;
    }
    bool CreateTempFile(const std::string& directory, std::string& tempPath) override {
        if (Fails("CreateTempFile")) return false;
        tempPath = directory + "\\qry" + std::to_string(++tempCounter) + ".tmp";
        files[tempPath] = "";
        return true;
    }
    bool OpenForWriting(const std::string& path) override {
        if (Fails("OpenForWriting")) return false;
        open = path;
        return true;
    }
    bool Write(const char* bytes, size_t count) override {
        // A failing write still leaves some bytes behind.
        if (Fails("Write")) return files[open].append(bytes, count / 2), false;
        files[open].append(bytes, count);
        return true;
    }
    bool Flush() override { return !Fails("Flush"); }
    bool Close() override { return !Fails("Close"); }
    Replaced Replace(const std::string& from, const std::string& to) override {
        if (Fails("Replace")) {
            if (loseTarget) files.erase(to);
            return Replaced::Failed;
        }
        files[to] = files[from];
        files.erase(from);
        return Replaced::Done;
    }
    bool Remove(const std::string& path) override { return files.erase(path) > 0; }
    bool Exists(const std::string& path) override { return files.count(path) > 0; }
    int LastError() override { return 5; }
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> temps;
        for (auto& [path, bytes] : files)
            if (path.find("\\qry") != std::string::npos) temps.push_back(path);
        return temps;
    }
};

struct Row {
    FileInfoItem item;
    bool selected = false, marked = false;
};

// The File Info List, EditView and the user of one run.
struct FakeHost : ReplaceRunHost {
    std::vector<Row> rows;
    FakeFiles files;
    std::string edit;
    bool modified = false;
    std::string find = "old", replace = "new";
    std::vector<Answer> answers;  // for Save it? and Abort, Retry, Ignore, in order
    bool saveAll = true;
    std::vector<std::string> events;

    FakeHost(const std::vector<std::string>& names, std::vector<std::string> texts) {
        for (size_t i = 0; i < names.size(); ++i) {
            Row row;
            row.item.directory = "c:\\d";
            row.item.name = names[i];
            rows.push_back(row);
            files.files["c:\\d\\" + names[i]] = texts[i];
        }
    }
    int RowCount() override { return static_cast<int>(rows.size()); }
    bool IsSelected(int row) override { return rows[row].selected; }
    bool IsMarked(int row) override { return rows[row].marked; }
    FileInfoItem& Item(int row) override { return rows[row].item; }
    void SetMark(int row, bool marked) override { rows[row].marked = marked; }
    ReplaceFileLayer& Files() override { return files; }
    std::string EditText() override { return edit; }
    void SetEditText(const std::string& text) override { edit = text; }
    bool EditModified() override { return modified; }
    void SetEditModified(bool m) override { modified = m; }
    uint32_t ReplaceAllInEdit() override {
        uint32_t count = 0;
        for (size_t at = edit.find(find); at != std::string::npos;
             at = edit.find(find, at + replace.size())) {
            edit.replace(at, find.size(), replace);
            ++count;
        }
        return count;
    }
    Answer Next() {
        Answer a = answers.empty() ? Answer::Yes : answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        return a;
    }
    Answer AskSaveReplaced(const std::string& name) override {
        events.push_back("save? " + name);
        return Next();
    }
    Answer AskAbortRetryIgnore(const std::string& text) override {
        events.push_back("ari " + text);
        return Next();
    }
    bool AskYesNo(const std::string& text) override {
        events.push_back("yesno " + text);
        return saveAll;
    }
    void Warn(const std::string& text) override { events.push_back(text); }
    void ShowStatus(const std::string&) override {}
    void CloseBox() override { events.push_back("close"); }

    std::string File(int row) { return files.files["c:\\d\\" + rows[row].item.name]; }
    void Start(int row) { edit = File(row); }
};

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
        host.Start(2);
        host.answers = c.answers;
        ReplaceInFiles(host, 2, ReplaceRunOptions{});
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
    host.Start(0);
    auto result = ReplaceInFiles(host, 0, ReplaceRunOptions{});
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
        host.Start(0);
        host.files.failStep = "ReadWhole";
        host.answers = {c.answer};
        ReplaceRunOptions options;
        options.ConfirmFileSave = false;
        auto result = ReplaceInFiles(host, 0, options);
        EXPECT_EQ(result.Visited, c.visited);
        EXPECT_EQ(host.events[0], "ari Error 5: Disk read error");
        EXPECT_EQ(host.edit, "new");
        EXPECT_TRUE(host.files.TempFiles().empty());
    }
}

// Every step of every write, failed in turn: the targets keep their bytes (or
// all get the new ones, for a step retried), and no temporary file is left.
TEST(ReplaceRun, InjectedFailureAtEachWriteStep) {
    const char* steps[] = {"CreateTempFile", "OpenForWriting", "Write",
                           "Flush",          "Close",          "Replace"};
    for (bool confirm : {true, false}) {
        for (const char* step : steps) {
            for (Answer answer : {Answer::Ignore, Answer::Abort}) {
                FakeHost host({"a.txt", "b.txt"}, {"old a", "old b"});
                host.Start(1);
                host.files.failStep = step;
                // Without Confirm File Save the moves come at the end, row 0 first.
                host.files.failOn = !confirm && std::string(step) == "Replace" ? 2 : 1;
                host.answers = confirm ? std::vector<Answer>{Answer::Yes, answer, Answer::Yes}
                                       : std::vector<Answer>{answer};
                ReplaceRunOptions options;
                options.ConfirmFileSave = confirm;
                ReplaceInFiles(host, 1, options);
                std::string where = std::string(step) + (confirm ? " confirmed " : " pending ") +
                                    (answer == Answer::Abort ? "abort" : "ignore");
                // The first write is the starting row's: it failed and stays old.
                EXPECT_EQ(host.File(1), "old b") << where;
                EXPECT_TRUE(host.files.TempFiles().empty()) << where;
                EXPECT_EQ(host.edit, "new b") << where;
                EXPECT_TRUE(host.modified) << where;
                bool shownError = false;
                for (auto& e : host.events)
                    shownError = shownError || e.rfind("ari Error 5:", 0) == 0 ||
                                 e == "Error 5: Unable to save b.txt!";
                EXPECT_TRUE(shownError) << where;
                std::string other = host.File(0);
                EXPECT_TRUE(other == "old a" || other == "new a") << where;
            }
        }
    }
}

TEST(ReplaceRun, RetryAfterAFailedWriteWrites) {
    FakeHost host({"a.txt"}, {"old a"});
    host.Start(0);
    host.files.failStep = "Write";
    host.answers = {Answer::Yes, Answer::Retry};
    ReplaceInFiles(host, 0, ReplaceRunOptions{});
    EXPECT_EQ(host.File(0), "new a");
    EXPECT_EQ(host.events.back(), "1 occurrences replaced in 1 file(s)!");
    EXPECT_FALSE(host.modified);
    EXPECT_TRUE(host.files.TempFiles().empty());
}

TEST(ReplaceRun, AMoveThatLostTheTargetKeepsTheOnlyCopy) {
    FakeHost host({"a.txt"}, {"old a"});
    host.Start(0);
    host.files.failStep = "Replace";
    host.files.loseTarget = true;
    ReplaceRunOptions options;
    options.ConfirmFileSave = false;
    ReplaceInFiles(host, 0, options);
    auto temps = host.files.TempFiles();
    ASSERT_EQ(temps.size(), 1u);
    EXPECT_EQ(host.files.files[temps[0]], "new a");
    EXPECT_EQ(host.events[host.events.size() - 2], "Error 5: Unable to save a.txt!");
    EXPECT_EQ(host.events.back(), "The new text of a.txt is kept in " + temps[0] + ".");
}

TEST(ReplaceRun, AStartingFileNotHeldWholeIsRefused) {
    FakeHost host({"a.txt", "b.txt"}, {"old", "old"});
    ReplaceRunOptions options;
    options.StartHeldWhole = false;
    auto result = ReplaceInFiles(host, 0, options);
    EXPECT_TRUE(result.Visited.empty());
    EXPECT_EQ(host.File(1), "old");
    ASSERT_EQ(host.events.size(), 1u);
}

}  // namespace
