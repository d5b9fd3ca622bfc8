#pragma once

#include <cstdint>
#include <string>

// One search result. Owned by the File Info List: the pending table while a
// search runs, then the row of the list control that carries it.
struct FileInfoItem {
    std::string directory;    // as the walk produced it, with or without a trailing backslash
    std::string name;         // as the directory listing returned it
    uint64_t size = 0;        // bytes
    int64_t modified = 0;     // last write, seconds since 1970-01-01 00:00:00 UTC
    std::string PendingFile;  // Replace in Files' temporary file, empty when none
};

// One entry of a directory listing, as the walk hands a found file over.
struct DirEntry {
    std::string name;
    bool isDirectory = false;
    bool isReparsePoint = false;  // a link: junction or symbolic link
    uint64_t size = 0;
    int64_t modified = 0;  // last write, seconds since 1970-01-01 00:00:00 UTC
};

// The full path of a result: the directory, a backslash unless it already
// ends in one, and the name.
std::string JoinPath(const std::string& directory, const std::string& name);

// The directory part of a full path: everything before its last backslash
// (or slash), keeping the backslash of a drive's root ("c:\"); empty when the
// path names no directory.
std::string DirectoryPart(const std::string& path);
