#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "results/file_info.h"
#include "search/search_stats.h"

// The files a running search has found, in the order found. The finished
// search hands them to the list control.
struct PendingTable {
    std::vector<std::unique_ptr<FileInfoItem>> items;
    // Set when the level changed in mid-search, so the walk may meet files
    // it has already found.
    bool skipDuplicates = false;
    // Set by the search from the shown-item count when it starts: Find in
    // Selected and Find in Marked only count files that are already listed.
    bool listHasRows = false;
};

extern PendingTable gPendingTable;

constexpr size_t kPendingLimit = 1000;  // files per search

inline constexpr const char* kListLimitText = "File Info List limit exceeded!";
inline constexpr const char* kOutOfMemoryText = "Out of memory!";

void ClearPendingTable();

// Stores a found file. The result is countSoFar + 1 when it counts,
// countSoFar when it was a duplicate, and negative when it was refused.
int AddFileInfoItem(WarningSink& warnings, const std::string& directory, const DirEntry& entry,
                    int countSoFar);

// Hands the pending items over to their new owner, in the order found.
std::vector<std::unique_ptr<FileInfoItem>> TakePendingItems();
