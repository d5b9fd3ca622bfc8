#include "search/search_driver.h"

#include "resource_ids.h"
#include "results/list_guard.h"
#include "search/walk.h"
#include "settings/settings.h"

namespace {

enum class LevelPrompt { NotYet, Ask, UseForRest };

// The search in progress, for the commands that must not disturb it.
SearchRun* g_CurrentRun = nullptr;

// One search command under way: its criteria, its run, and where the target
// loop stands (the File Name(s) list's place, or the rows fixed at the start
// and the next one to search).
struct Search {
    SearchHost& host;
    SearchRun& run;
    SearchCriteria& criteria;
    SearchKind kind;
    size_t listPosition = 0;
    std::vector<int> rows;
    size_t nextRow = 0;
};

// 1 (Find Files) or the row of the next target; -1 when there is none, -2
// when a File Name(s) entry names a bad directory.
int NextTarget(Search& search, SearchTarget& target) {
    SearchHost& host = search.host;
    if (search.kind == SearchKind::FindFiles) {
        std::string entry;
        const SearchCriteria& criteria = search.criteria;
        if (!NextListEntry(criteria.FileNameList, search.listPosition, entry)) return -1;
        return ResolveTarget(entry, criteria.DefaultFileType, host.Resolver(), target);
    }
    while (search.nextRow < search.rows.size()) {
        int row = search.rows[search.nextRow++];
        std::string directory, name;
        if (!host.RowFile(row, directory, name)) continue;
        target = RowSearchTarget(host.Resolver(), directory, name);
        return row;
    }
    return -1;
}

// Later entries with a bad directory: each is offered to skip. -1 when the
// user ends the search there.
int SkipBadPaths(Search& search, int result, SearchTarget& target) {
    while (result == -2) {
        if (!search.host.AskSkipBadPath(target.directory)) return -1;
        result = NextTarget(search, target);
    }
    return result;
}

void WalkTargets(Search& search, int result, SearchTarget& target) {
    SearchHost& host = search.host;
    SearchRun& run = search.run;
    SearchCriteria& criteria = search.criteria;
    LevelPrompt prompt = LevelPrompt::NotYet;
    while (result >= 0) {
        if (prompt == LevelPrompt::Ask) {
            bool useForRest = false;
            int32_t depth = host.AskLevel(criteria.SubDirMode, criteria.SubDirLevel, useForRest);
            if (depth == -1 || run.Abort) break;
            if (useForRest) prompt = LevelPrompt::UseForRest;
            // The new depth may walk into files an earlier target found.
            run.Pending.skipDuplicates = true;
            criteria.WalkDepth = depth;
        }
        int found = host.WalkTarget(run, criteria, target, criteria.WalkDepth);
        if (search.kind == SearchKind::FindFiles) {
            if (prompt != LevelPrompt::UseForRest) prompt = LevelPrompt::Ask;
        } else {
            host.MarkRow(result, found > 0);
        }
        run.Stats.FilesFound += found;
        host.ReturnToBase(criteria.BaseDirectory);
        // A stopped search resolves no further entry and asks nothing more.
        if (run.Abort) break;
        result = SkipBadPaths(search, NextTarget(search, target), target);
    }
}

// What the checks passed, in the order they passed it: the base directory,
// the histories, and the depth with the old rows cleared.
void HandOverCriteria(SearchHost& host, const CriteriaCheck& check) {
    const SearchCriteria& criteria = check.criteria;
    if (check.baseDirectoryChanged) {
        SetSearchDirectory(criteria.BaseDirectory);
        host.ShowBaseDirectory(criteria.BaseDirectory);
    }
    if (check.fileTypeTaken) host.AddToHistory(CriteriaHistory::FileType, criteria.DefaultFileType);
    if (check.fileNamesTaken) host.AddToHistory(CriteriaHistory::FileNames, criteria.FileNameList);
    if (check.depthTaken) {
        if (criteria.SubDirMode == 2) SetSubDirLevel(criteria.SubDirLevel);
        host.ClearRows();
    }
    if (check.searchTextTaken) host.AddToHistory(CriteriaHistory::SearchText, criteria.SearchText);
}

// The non-text files are offered when there are any; once seen, their names
// are let go.
void ReportNonTextFiles(SearchHost& host, NonTextList& list) {
    if (list.NonTextCount == 0 || !host.AskShowNonTextFiles(list.NonTextCount)) return;
    host.ShowNonTextFiles(list);
    list.NonTextNames.clear();
    list.NonTextNames.shrink_to_fit();
    list.NonTextNamesSize = 0;
}

// Find Files' finds become rows; a window about to close, or a program about
// to end, skips the reports.
void FinishSearch(SearchHost& host, SearchRun& run, SearchKind kind) {
    if (kind == SearchKind::FindFiles && run.Stats.FilesFound >= 1) host.ShowFinds(run);
    host.EndWalk();
    if (!run.CloseRequested && !run.QuitReceived) {
        ReportNonTextFiles(host, run.NonText);
        host.ShowFindResults(run.Stats);
    }
    host.ShowReady();
}

void RunSearch(SearchHost& host, SearchRun& run, SearchKind kind) {
    const bool findFiles = kind == SearchKind::FindFiles;
    CriteriaCheck check = CheckSearchCriteria(host.ReadCriteria(), g_Settings, LastSearchCriteria(),
                                              findFiles, host.Resolver());
    HandOverCriteria(host, check);
    if (!check.accepted) {
        host.RefuseCriteria(check.focus, check.refusal);
        return;
    }
    // From here on this is the last search, whatever becomes of it.
    RememberSearchCriteria(check.criteria);
    Search search{host, run, check.criteria, kind, 0, {}, 0};
    run.Stats.StatusPartWidth = host.ProgressWidth();
    // Find in Selected and Find in Marked only count files already listed.
    run.Pending.listHasRows = !findFiles;

    if (!findFiles) search.rows = TargetRowsOf(kind == SearchKind::InMarked, host.RowStates());
    SearchTarget target;
    int result = NextTarget(search, target);
    if (result == -2) {
        host.RefuseFirstPath(target.directory);
        host.ReturnToBase(search.criteria.BaseDirectory);
        return;
    }

    host.BeginWalk();
    if (result >= 0) WalkTargets(search, result, target);
    host.ReturnToBase(search.criteria.BaseDirectory);
    FinishSearch(host, run, kind);
}

// Publishes the run for the length of one search, on every way out of it: a
// run left published would refuse every later search and the close for good.
struct RunScope {
    explicit RunScope(SearchRun& run) { g_CurrentRun = &run; }
    ~RunScope() { g_CurrentRun = nullptr; }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
};

}  // namespace

SearchOutcome DriveSearch(SearchHost& host, SearchKind kind) {
    SearchOutcome outcome;
    if (g_CurrentRun) return outcome;
    outcome.started = true;
    SearchRun run;
    {
        RunScope scope(run);
        RunSearch(host, run, kind);
    }
    outcome.closeOwed = run.CloseRequested;
    outcome.quitOwed = run.QuitReceived;
    outcome.quitCode = run.QuitCode;
    return outcome;
}

bool SearchIsRunning() {
    return g_CurrentRun != nullptr;
}

void RequestSearchClose() {
    if (!g_CurrentRun) return;
    g_CurrentRun->CloseRequested = true;
    g_CurrentRun->Abort = true;
}

bool IsRefusedWhileSearching(int command) {
    // A Replace in Files run walks the rows across its questions just as a walk does.
    if (!g_CurrentRun && !ListRunIsOn()) return false;
    switch (command) {
        case IDM_FIND_FILES:
        case IDM_FIND_IN_SELECTED:
        case IDM_FIND_IN_MARKED:
        case IDM_CLEAR_LIST:
        case IDM_DELETE_ITEM:
        case IDM_SORT_LIST:
        case IDM_MARK_ITEM:
        case IDM_SELECT_ALL_ITEMS:
        case IDM_OPEN_FILE:
        case IDM_RENAME_FILE:
        case IDM_DELETE_FILES:
        case IDM_COPY_FILES:
        case IDM_MOVE_FILES:
        case IDM_ADD_TO_ZIP:
        case IDM_SORT_OPTIONS:
        case IDM_FILE_FILTER:
        case IDM_FILEVIEW_SETTINGS: return true;
    }
    return false;
}
