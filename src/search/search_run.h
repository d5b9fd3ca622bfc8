#pragma once

#include <cstdint>
#include <string>

#include "results/pending.h"
#include "search/scan.h"

// The counters of one search, shown by the Find Results dialog.
struct SearchStats {
    int32_t FilesFound = 0;
    int32_t DirectoriesSearched = 0;
    int32_t DirectoriesWithFinds = 0;  // directories with a find among their own files
    int32_t CurrentDepth = 0;          // below the target directory, which is 0
    int32_t DeepestLevel = 0;
    uint64_t TotalSize = 0;  // of every file added to the File Info List
    int32_t StatusPartWidth = 0;
};

// Everything one running search owns, from its first check to its reports.
// The search driver holds the only one and hands it down by reference.
struct SearchRun {
    // Set when the user aborts or the File Info List is full; every walk
    // level stops at its next look at it.
    bool Abort = false;
    SearchStats Stats;
    PendingTable Pending;
    NonTextList NonText;
    // The close box, or a quit the walk's pump took off the queue: the
    // search stops and skips its reports; the close or the quit follows it.
    bool CloseRequested = false;
    bool QuitReceived = false;
    int QuitCode = 0;
};

class WarningSink {
  public:
    virtual ~WarningSink() = default;
    // A WarningBox with the application title as caption.
    virtual void ShowWarning(const std::string& text) = 0;
};
