#pragma once

#include <cstdint>
#include <string>

// What the walk and the pending table share: the counters of one search,
// the stop flag, a directory entry and the warning sink. Neither includes
// the other.

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

extern SearchStats gSearchStats;
// Set when the user aborts or the File Info List is full; every walk level
// stops at its next look at it.
extern bool AbortFlag;

// Zeroes the counters and empties the pending table; the width of status
// part 0 is measured by the caller.
void ResetSearchStats(int32_t statusPartWidth);

// One entry of a directory listing.
struct DirEntry {
    std::string name;
    bool isDirectory = false;
    bool isReparsePoint = false;  // a link: junction or symbolic link
    uint64_t size = 0;
    int64_t modified = 0;  // last write, seconds since 1970-01-01 00:00:00 UTC
};

class WarningSink {
  public:
    virtual ~WarningSink() = default;
    // A WarningBox with the application title as caption.
    virtual void ShowWarning(const std::string& text) = 0;
};
