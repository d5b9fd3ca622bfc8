#include "search/search_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

#include "core_test_support.h"
#include "resource_ids.h"
#include "settings/settings.h"

namespace {

using V = std::vector<std::string>;

// A search host over c:\base that records what the driver does, one line
// per step. Directories named "nowhere" cannot be entered; a walk finds what
// `finds` holds for its pattern and may run `during` as if the user acted
// while it ran.
class FakeSearch : public SearchHost {
  public:
    std::string names = "*.c", dateFrom, level, text, handed, finish;
    std::string nonTextFile;  // met by the first walk
    std::vector<int> rows;
    std::map<std::string, int> finds;
    std::function<void(SearchRun&)> during;
    bool skipBadPaths = true, levelForRest = false, showNonText = true;
    bool skipDuplicates = false, listHasRows = false;
    int32_t levelAnswer = 0;
    int found = 0;
    V log;
    FakeResolver resolver{"c:\\base"};

    CriteriaInput ReadCriteria() override {
        CriteriaInput input;
        input.FileNames = names, input.DateFrom = dateFrom, input.Level = level, input.SearchText = text;
        input.Today = {1, 1, 2024};
        return input;
    }
    void ShowBaseDirectory(const std::string& directory) override { handed += "base " + directory + "|"; }
    void AddToHistory(CriteriaHistory history, const std::string& text) override {
        handed += std::to_string(static_cast<int>(history)) + " " + text + "|";
    }
    void ClearRows() override { handed += "clear|"; }
    void RefuseCriteria(CriteriaField, const char* text) override { log.push_back(std::string("refused ") + text); }
    int ProgressWidth() override { return 100; }
    // The rows listed are both selected and marked.
    std::vector<RowState> RowStates() override {
        log.push_back("rows");
        std::vector<RowState> states(10);
        for (int row : rows) states[row] = {true, true};
        return states;
    }
    bool RowFile(int row, std::string& directory, std::string& name) override {
        directory = "c:\\base", name = "row" + std::to_string(row);
        return true;
    }
    TargetResolver& Resolver() override { return resolver; }
    void RefuseFirstPath(const std::string& directory) override { log.push_back("refused " + directory); }
    bool AskSkipBadPath(const std::string& directory) override { return log.push_back("bad " + directory), skipBadPaths; }
    int32_t AskLevel(int, uint32_t, bool& useForRest) override {
        log.push_back("level");
        useForRest = levelForRest;
        return levelAnswer;
    }
    void BeginWalk() override {}
    int WalkTarget(SearchRun& run, const SearchCriteria&, const SearchTarget& target, int32_t depth) override {
        log.push_back("walk " + target.pattern + (depth ? " " + std::to_string(depth) : ""));
        if (during) std::exchange(during, nullptr)(run);
        if (!nonTextFile.empty()) AddNonTextFile(run.NonText, std::exchange(nonTextFile, ""));
        // What the walk is handed with each target.
        listHasRows = run.Pending.listHasRows, skipDuplicates = run.Pending.skipDuplicates;
        return finds[target.pattern];
    }
    void MarkRow(int row, bool found) override { log.push_back("mark " + std::to_string(row) + (found ? "*" : "-")); }
    void ShowFinds(SearchRun&) override { finish += "finds "; }
    void EndWalk() override { finish += "end "; }
    bool AskShowNonTextFiles(int32_t count) override {
        return finish += "non-text " + std::to_string(count) + " ", showNonText;
    }
    void ShowNonTextFiles(const NonTextList& list) override {
        finish += "shown " + std::to_string(list.NonTextNames.size()) + " ";
    }
    void ShowFindResults(const SearchStats& stats) override { finish += "results ", found = stats.FilesFound; }
    void ShowReady() override {
        log.push_back(finish.find("results") != std::string::npos ? "reports" : "no reports");
        finish += "ready";
    }
    void ReturnToBase(const std::string&) override {}
};

class SearchDriver : public ::testing::Test {
  protected:
    void SetUp() override {
        RememberSearchCriteria(SearchCriteria{});
        ReplaceSettings(Settings{});
    }
};

// What the user does during the first walk: Esc (or the list full), close, quit.
void Stop(SearchRun& run) { run.Abort = true; }
void Close(SearchRun&) { RequestSearchClose(); }
void Quit(SearchRun& run) { run.Abort = run.QuitReceived = true, run.QuitCode = 3; }

TEST_F(SearchDriver, TargetsQuestionsAndStops) {
    // clang-format off
    const struct {
        const char* names; void (*during)(SearchRun&); bool skip; int32_t level; V log; bool close = false, quit = false;
    } cases[] = {
        {"*.c;*.h", nullptr, true, 0, {"walk *.c", "level", "walk *.h", "reports"}},
        {"*.c;*.h", nullptr, true, -1, {"walk *.c", "level", "reports"}},
        {"*.c;*.h", nullptr, true, kWalkAllLevels, {"walk *.c", "level", "walk *.h -2", "reports"}},
        // A bad later entry is offered to skip; the search goes on or ends.
        {"*.c;nowhere\\*.h;*.h", nullptr, true, 0,
         {"walk *.c", "bad c:\\base\\nowhere", "level", "walk *.h", "reports"}},
        {"*.c;nowhere\\*.h;*.h", nullptr, false, 0, {"walk *.c", "bad c:\\base\\nowhere", "reports"}},
        // A bad first entry refuses the whole search.
        {"nowhere\\*.c;*.h", nullptr, true, 0, {"refused c:\\base\\nowhere"}},
        // A stopped search resolves no further entry and asks nothing.
        {"*.c;nowhere\\*.h", Stop, true, 0, {"walk *.c", "reports"}},
        {"*.c;*.h", Stop, true, 0, {"walk *.c", "reports"}},
        {"*.c;nowhere\\*.h", Close, true, 0, {"walk *.c", "no reports"}, true},
        {"*.c;nowhere\\*.h", Quit, true, 0, {"walk *.c", "no reports"}, false, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names);
        FakeSearch host;
        host.names = c.names, host.during = c.during, host.skipBadPaths = c.skip, host.levelAnswer = c.level;
        const SearchOutcome outcome = DriveSearch(host, SearchKind::FindFiles);
        EXPECT_TRUE(outcome.started);
        EXPECT_EQ(host.log, c.log);
        EXPECT_EQ(std::tuple(outcome.closeOwed, outcome.quitOwed, outcome.quitCode),
                  std::tuple(c.close, c.quit, c.quit ? 3 : 0));
        EXPECT_FALSE(SearchIsRunning());
    }
    RequestSearchClose();  // with no search running it is nobody's
    FakeSearch host;
    EXPECT_FALSE(DriveSearch(host, SearchKind::FindFiles).closeOwed);
}

// The criteria are checked before anything is read from the list or walked;
// only accepted ones become the last search, even when the first entry's
// directory is then refused.
TEST_F(SearchDriver, OnlyAcceptedCriteriaBecomeTheLastSearch) {
    FakeSearch refused, badPath;
    refused.dateFrom = "soon";
    DriveSearch(refused, SearchKind::InMarked);
    EXPECT_EQ(refused.log, V{std::string("refused ") + kBadDatesText});
    EXPECT_EQ(LastSearchCriteria().BaseDirectory, "");
    badPath.names = "nowhere\\*.C";
    DriveSearch(badPath, SearchKind::FindFiles);
    EXPECT_EQ(badPath.log, V{"refused c:\\base\\nowhere"});
    EXPECT_EQ(LastSearchCriteria().FileNameList + "|" + LastSearchCriteria().BaseDirectory, "nowhere\\*.c|c:\\base");
}

TEST_F(SearchDriver, LevelForTheRestIsAskedOnceAndCountsAddUp) {
    FakeSearch host;
    host.names = "*.c;*.h;*.s";
    host.finds = {{"*.c", 2}, {"*.h", 1}, {"*.s", 4}};
    host.levelForRest = true;
    DriveSearch(host, SearchKind::FindFiles);
    EXPECT_EQ(host.log, (V{"walk *.c", "level", "walk *.h", "walk *.s", "reports"}));
    EXPECT_EQ(std::tuple(host.finish, host.found, host.skipDuplicates), std::tuple("finds end results ready", 7, true));
}

// The rows a Find in Selected or Find in Marked searches are read once, at
// the start: what changes in the list meanwhile changes nothing it does.
TEST_F(SearchDriver, RowSearchesTakeTheirRowsOnceAndMarkEach) {
    // clang-format off
    const struct { SearchKind kind; std::vector<int> rows; void (*during)(SearchRun&); V log; } cases[] = {
        {SearchKind::InSelected, {0, 2}, nullptr, {"rows", "walk row0", "mark 0*", "walk row2", "mark 2-", "reports"}},
        {SearchKind::InMarked, {1}, nullptr, {"rows", "walk row1", "mark 1-", "reports"}},
        {SearchKind::InMarked, {}, nullptr, {"rows", "reports"}},
        {SearchKind::InSelected, {0, 2}, Stop, {"rows", "walk row0", "mark 0*", "reports"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeSearch host;
        host.rows = c.rows, host.finds = {{"row0", 1}}, host.during = c.during;
        DriveSearch(host, c.kind);
        EXPECT_EQ(std::pair(host.log, host.listHasRows), std::pair(c.log, !c.rows.empty()));
    }
}

// What the checks passed is handed over in their order, refused or not; the
// finds of Find Files alone become rows, and a close skips the reports.
TEST_F(SearchDriver, HandOverAndFinishFollowWhatTheSearchCameTo) {
    const char* const kAll = "base c:\\base|0 *.txt|1 *.c|clear|";
    // clang-format off
    const struct { SearchKind kind; const char* text; const char* dateFrom; int finds; void (*during)(SearchRun&);
                   std::string handed; const char* finish; } cases[] = {
        {SearchKind::FindFiles, "main", "", 1, nullptr, kAll + std::string("2 main|"), "finds end results ready"},
        {SearchKind::FindFiles, "", "", 0, nullptr, kAll, "end results ready"},
        {SearchKind::FindFiles, "main", "soon", 1, nullptr, kAll, ""},
        {SearchKind::FindFiles, "", "", 1, Close, kAll, "finds end ready"},
        {SearchKind::InMarked, "", "", 1, nullptr, "base c:\\base|0 *.txt|", "end results ready"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.finish);
        RememberSearchCriteria(SearchCriteria{});
        Settings settings;
        settings.SubDirMode = 2, settings.SubDirLevel = 4;
        ReplaceSettings(settings);
        FakeSearch host;
        host.names = "*.C", host.level = "3", host.text = c.text, host.dateFrom = c.dateFrom;
        host.finds = {{"*.c", c.finds}, {"row1", c.finds}}, host.rows = {1}, host.during = c.during;
        DriveSearch(host, c.kind);
        EXPECT_EQ(std::pair(host.handed, host.finish), std::pair(c.handed, std::string(c.finish)));
        EXPECT_EQ(g_Settings.SubDirLevel, c.kind == SearchKind::FindFiles ? 3u : 4u);
    }
    // Non-text files met are offered; No leaves them unseen.
    ReplaceSettings(Settings{});
    for (bool show : {true, false}) {
        FakeSearch host;
        host.nonTextFile = "x.bin", host.showNonText = show;
        DriveSearch(host, SearchKind::FindFiles);
        EXPECT_EQ(host.finish, show ? "end non-text 1 shown 7 results ready" : "end non-text 1 results ready");
    }
}

TEST_F(SearchDriver, CommandsThatWouldDisturbARunningSearchAreRefused) {
    // clang-format off
    const int refused[] = {IDM_FIND_FILES, IDM_FIND_IN_SELECTED, IDM_FIND_IN_MARKED, IDM_CLEAR_LIST,
        IDM_DELETE_ITEM, IDM_SORT_LIST, IDM_MARK_ITEM, IDM_SELECT_ALL_ITEMS, IDM_OPEN_FILE,
        IDM_RENAME_FILE, IDM_DELETE_FILES, IDM_COPY_FILES, IDM_MOVE_FILES, IDM_ADD_TO_ZIP,
        IDM_SORT_OPTIONS, IDM_FILE_FILTER, IDM_FILEVIEW_SETTINGS};
    // clang-format on
    const int allowed[] = {IDM_COPY_LIST, IDM_ABOUT, IDM_HELP_CONTENTS, IDM_EXIT};
    for (int command : refused) EXPECT_FALSE(IsRefusedWhileSearching(command)) << command;

    FakeSearch host;
    bool second = true;
    host.during = [&](SearchRun&) {
        for (int command : refused) EXPECT_TRUE(IsRefusedWhileSearching(command)) << command;
        for (int command : allowed) EXPECT_FALSE(IsRefusedWhileSearching(command)) << command;
        FakeSearch inner;
        second = DriveSearch(inner, SearchKind::FindFiles).started;
        EXPECT_TRUE(inner.log.empty());
    };
    EXPECT_TRUE(DriveSearch(host, SearchKind::FindFiles).started);
    EXPECT_FALSE(second);
}

}  // namespace
