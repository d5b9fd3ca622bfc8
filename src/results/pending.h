#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "results/file_info.h"

// The files a running search has found, in the order found. The finished
// search hands them to the list control.
struct PendingTable {
    std::vector<std::unique_ptr<FileInfoItem>> items;
    // Set when the level changed in mid-search, so the walk may meet files
    // it has already found.
    bool skipDuplicates = false;
    // Find in Selected and Find in Marked only count files that are already listed.
    bool listHasRows = false;
};

constexpr size_t kPendingLimit = 1000;  // files per search

inline constexpr const char* kListLimitText = "File Info List limit exceeded!";
inline constexpr const char* kOutOfMemoryText = "Out of memory!";

enum class AddResult {
    Added,        // kept as a new pending item
    Counted,      // the list has rows already: only counted
    Duplicate,    // already pending: not counted again
    Full,         // the table holds kPendingLimit items: the search must stop
    OutOfMemory,  // no room for the item
};

// Stores a found file in the table.
AddResult AddFileInfoItem(PendingTable& table, const std::string& directory, const DirEntry& entry);

// Hands the pending items over to their new owner, in the order found.
std::vector<std::unique_ptr<FileInfoItem>> TakePendingItems(PendingTable& table);
