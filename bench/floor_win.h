#pragma once

#include <windows.h>

#include <cstdint>

struct FloorCounts {
    int64_t files = 0;
    uint64_t bytes = 0;
};

// Enumerates the tree under root (no trailing backslash) and, with readFiles,
// opens, reads and closes every file once.
FloorCounts RunFloor(const char* root, bool readFiles);
