#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/criteria.h"
#include "search/criteria_check.h"
#include "search/search_run.h"

// The three search commands and what they search: the File Name(s) list, or
// rows of the File Info List fixed when the command starts.
enum class SearchKind { FindFiles, InSelected, InMarked };

// The histories of the criteria controls a search adds to.
enum class CriteriaHistory { FileType, FileNames, SearchText };

// What the search's driver needs from the window side. The driver owns the
// order of the steps, the criteria's checks, the target loop, the questions
// between targets and what a stop, a close or a quit leads to; the host reads
// and shows.
class SearchHost {
  public:
    virtual ~SearchHost() = default;

    // The criteria controls as they stand.
    virtual CriteriaInput ReadCriteria() = 0;
    // What the criteria's checks passed, handed over refused or not: the new
    // base directory for its label and history, a field's text for its
    // history, and the old rows cleared.
    virtual void ShowBaseDirectory(const std::string& directory) = 0;
    virtual void AddToHistory(CriteriaHistory history, const std::string& text) = 0;
    virtual void ClearRows() = 0;
    // Tells the user why the search is refused, and focuses the field.
    virtual void RefuseCriteria(CriteriaField focus, const char* text) = 0;
    // The width of the status bar part the progress text goes to.
    virtual int ProgressWidth() = 0;

    // Find in Selected and Find in Marked: the File Info List's rows, read
    // once; and a row's file (false when the row has none).
    virtual std::vector<RowState> RowStates() = 0;
    virtual bool RowFile(int row, std::string& directory, std::string& name) = 0;
    // The platform's path rules for the Directory box, the File Name(s)
    // entries and the rows' directories.
    virtual TargetResolver& Resolver() = 0;

    // The first entry names a bad directory: the search is refused.
    virtual void RefuseFirstPath(const std::string& directory) = 0;
    // A later entry names a bad directory: true skips it, false ends the search.
    virtual bool AskSkipBadPath(const std::string& directory) = 0;
    // The level question between Find Files targets: the walk depth, or -1
    // when cancelled; useForRest set when the rest of the search keeps it.
    virtual int32_t AskLevel(int subDirMode, uint32_t subDirLevel, bool& useForRest) = 0;

    // The walk is about to start (wait cursor).
    virtual void BeginWalk() = 0;
    // Walks one target; the number of files counted.
    virtual int WalkTarget(SearchRun& run, const SearchCriteria& criteria,
                           const SearchTarget& target, int32_t depth) = 0;
    virtual void MarkRow(int row, bool found) = 0;
    // Makes the base directory current again when it is not.
    virtual void ReturnToBase(const std::string& baseDirectory) = 0;
    // The finds of Find Files become rows, sorted.
    virtual void ShowFinds(SearchRun& run) = 0;
    // The list is drawn again and the wait cursor goes.
    virtual void EndWalk() = 0;
    // The reports: the non-text files offered (true to see them) and shown,
    // then the counts.
    virtual bool AskShowNonTextFiles(int32_t count) = 0;
    virtual void ShowNonTextFiles(const NonTextList& list) = 0;
    virtual void ShowFindResults(const SearchStats& stats) = 0;
    // Ready with the rows' count; the list takes the focus.
    virtual void ShowReady() = 0;
};

// What a search command leaves to the window once it has ended.
struct SearchOutcome {
    bool started = false;    // false: another search was running
    bool closeOwed = false;  // the close box was used during the walk
    bool quitOwed = false;   // a quit arrived during the walk, to be posted again
    int quitCode = 0;
};

// Runs one search command from its first check to its reports, owning the
// run's record for its length. A second one while it runs is not started.
SearchOutcome DriveSearch(SearchHost& host, SearchKind kind);

// True from the start of a search command to its end.
bool SearchIsRunning();

// The close box during a search: it stops at its next test, without reports,
// and the window closes after it.
void RequestSearchClose();

// Commands that would change the File Info List or start another search,
// refused while a search runs.
bool IsRefusedWhileSearching(int command);
