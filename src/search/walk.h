#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "search/criteria.h"
#include "search/search_run.h"

// An open enumeration of one directory.
class DirEnumeration {
  public:
    virtual ~DirEnumeration() = default;
    // The next entry in the file system's order; false at the end.
    virtual bool Next(DirEntry& entry) = 0;
};

class DirLister {
  public:
    virtual ~DirLister() = default;
    // Starts enumerating every entry (hidden and system ones too) of the
    // enumeration pattern "directory\*.*"; null when it cannot start.
    virtual std::unique_ptr<DirEnumeration> Open(const std::string& enumPattern) = 0;
    // Something that names the directory itself whatever path leads to it
    // (volume and file index); empty when unknown.
    virtual std::string DirectoryIdentity(const std::string& directory) = 0;
};

// What the walk needs from the window and the rest of the search.
class WalkHost : public WarningSink {
  public:
    // Empties the message queue; true when it held an abort (Esc or quit),
    // which it consumes.
    virtual bool PumpMessages() = 0;
    // Puts the progress text for a file about to be scanned into the status bar.
    virtual void ShowProgress(const std::string& directory, const std::string& fullPath) = 0;
    // The local calendar date of a time of last write.
    virtual DateTriple LocalDate(int64_t modified) = 0;
    // The text test of one file (Search mode); false when it does not
    // contain the text or cannot be read.
    virtual bool FileContainsText(const std::string& fullPath, const std::string& searchText,
                                  uint8_t textOptions) = 0;
};

// Walks one target: its directory (with or without a trailing backslash) to
// depth (0 that directory only, n levels below, -2 all) for its file-name
// pattern, counting into run.Stats and keeping the finds in run.Pending.
// The result is the number of files counted, never negative.
int WalkDirectory(WalkHost& host, DirLister& lister, SearchRun& run, const SearchCriteria& criteria,
                  const SearchTarget& target, int32_t depth);

// The status-bar progress texts: "Searching <directory>", and when that is
// too wide, "Searching..." with the tail of the full path.
std::string FormatProgressText(const std::string& directory);
std::string ShortenProgressText(const std::string& fullPath, int textWidth, int partWidth,
                                int averageCharWidth);

inline constexpr const char* kSearchAbortedText = "Search aborted by user!";
