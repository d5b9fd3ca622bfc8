#pragma once

#include <cstdint>

// The file FileView shows: filled from a File Info Item before the window
// opens, renamed by Save As. Sizes are 64-bit so a file past 4 GiB is never
// mistaken for a small one.
struct FileViewFile {
    uint64_t Size = 0;
    char FullPath[260] = "";
    char FileName[260] = "";
    bool WholeFile = false;  // below kFileViewCapacity: EditView holds all of it
    int64_t LastWriteTime = 0;  // seconds since 1970 UTC; dates the printed pages
};

// A file is held whole in EditView only below this many bytes.
constexpr uint64_t kFileViewCapacity = 65520;

// Lines shown above and below a Line List entry when only a window of the
// file is loaded; a whole file uses kWholeFileContext for both.
constexpr int kWholeFileContext = 32767;
constexpr int kDefaultContextAbove = 100;
constexpr int kDefaultContextBelow = 150;
