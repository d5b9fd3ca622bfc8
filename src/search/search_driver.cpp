#include "search/search_driver.h"

#include "resource_ids.h"
#include "results/list_guard.h"
#include "results/pending.h"
#include "search/walk.h"

namespace {

enum class LevelPrompt { NotYet, Ask, UseForRest };

// The one search in progress.
struct SearchRun {
    bool running = false;
    bool closeRequested = false;
    bool quitReceived = false;
    int quitCode = 0;
};

SearchRun run;
bool quitOwed = false;
int owedQuitCode = 0;

// Where the target loop stands: the File Name(s) list's place, or the rows
// fixed at the start and the next one to search.
struct TargetCursor {
    SearchKind kind = SearchKind::FindFiles;
    size_t listPosition = 0;
    std::vector<int> rows;
    size_t nextRow = 0;
};

// 1 (Find Files) or the row of the next target; -1 when there is none, -2
// when a File Name(s) entry names a bad directory.
int NextTarget(SearchHost& host, TargetCursor& cursor, SearchTarget& target) {
    if (cursor.kind == SearchKind::FindFiles) {
        std::string entry;
        const SearchCriteria& criteria = gSearchCriteria;
        if (!NextListEntry(criteria.FileNameList, cursor.listPosition, entry)) return -1;
        return ResolveTarget(entry, criteria.DefaultFileType, host.Resolver(), target);
    }
    while (cursor.nextRow < cursor.rows.size()) {
        int row = cursor.rows[cursor.nextRow++];
        if (host.RowTarget(row, target)) return row;
    }
    return -1;
}

// Later entries with a bad directory: each is offered to skip. -1 when the
// user ends the search there.
int SkipBadPaths(SearchHost& host, TargetCursor& cursor, int result, SearchTarget& target) {
    while (result == -2) {
        if (!host.AskSkipBadPath(target.directory)) return -1;
        result = NextTarget(host, cursor, target);
    }
    return result;
}

void WalkTargets(SearchHost& host, TargetCursor& cursor, int result, SearchTarget& target) {
    SearchCriteria& criteria = gSearchCriteria;
    LevelPrompt prompt = LevelPrompt::NotYet;
    while (result >= 0) {
        if (prompt == LevelPrompt::Ask) {
            bool useForRest = false;
            int32_t depth = host.AskLevel(criteria.SubDirMode, criteria.SubDirLevel, useForRest);
            if (depth == -1 || AbortFlag) break;
            if (useForRest) prompt = LevelPrompt::UseForRest;
            // The new depth may walk into files an earlier target found.
            gPendingTable.skipDuplicates = true;
            criteria.WalkDepth = depth;
        }
        int found = host.WalkTarget(target, criteria.WalkDepth);
        if (cursor.kind == SearchKind::FindFiles) {
            if (prompt != LevelPrompt::UseForRest) prompt = LevelPrompt::Ask;
        } else {
            host.MarkRow(result, found > 0);
        }
        gSearchStats.FilesFound += found;
        host.ReturnToBase();
        // A stopped search resolves no further entry and asks nothing more.
        if (AbortFlag) break;
        result = SkipBadPaths(host, cursor, NextTarget(host, cursor, target), target);
    }
}

void RunSearch(SearchHost& host, SearchKind kind) {
    SearchCriteria& criteria = gSearchCriteria;
    if (!host.TakeBaseDirectory() || !host.TakeDefaultFileType()) return;
    if (kind == SearchKind::FindFiles) {
        if (!host.TakeFileNamesAndDepth()) return;
    } else {
        criteria.WalkDepth = 0;
    }
    if (!host.TakeDatesAndSizes()) return;
    host.TakeSearchText();
    host.ResetCounts();
    // Find in Selected and Find in Marked only count files already listed.
    gPendingTable.listHasRows = kind != SearchKind::FindFiles;

    TargetCursor cursor;
    cursor.kind = kind;
    if (kind != SearchKind::FindFiles) cursor.rows = host.TargetRows(kind);
    SearchTarget target;
    int result = NextTarget(host, cursor, target);
    if (result == -2) {
        host.RefuseFirstPath(target.directory);
        host.ReturnToBase();
        return;
    }

    AbortFlag = false;
    gPendingTable.skipDuplicates = false;
    gSearchStats.FilesFound = 0;
    host.BeginWalk();
    if (result >= 0) WalkTargets(host, cursor, result, target);
    // A window about to close, or a program about to end, skips the reports.
    host.FinishSearch(kind, !run.closeRequested && !run.quitReceived);
}

// Marks the run for the length of one search, on every way out of it: a run
// left marked would refuse every later search and the close for good.
struct RunScope {
    RunScope() {
        run = SearchRun{};
        run.running = true;
    }
    ~RunScope() {
        if (run.quitReceived) {
            quitOwed = true;
            owedQuitCode = run.quitCode;
        }
        run = SearchRun{};
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
};

}  // namespace

bool DriveSearch(SearchHost& host, SearchKind kind) {
    if (run.running) return false;
    RunScope scope;
    RunSearch(host, kind);
    return true;
}

bool SearchIsRunning() {
    return run.running;
}

void RequestSearchClose() {
    if (!run.running) return;
    run.closeRequested = true;
    AbortFlag = true;
}

bool SearchCloseRequested() {
    return run.closeRequested;
}

void NoteQuitDuringSearch(int exitCode) {
    if (!run.running) return;
    run.quitReceived = true;
    run.quitCode = exitCode;
    AbortFlag = true;
}

bool TakeOwedQuit(int& exitCode) {
    if (!quitOwed) return false;
    quitOwed = false;
    exitCode = owedQuitCode;
    return true;
}

bool IsRefusedWhileSearching(int command) {
    // A Replace in Files run walks the rows across its questions just as a walk does.
    if (!run.running && !ListRunIsOn()) return false;
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
