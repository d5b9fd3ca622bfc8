#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "search/walk.h"

// The file system's directory listing, as the walk sees it: every entry,
// hidden and system ones included, in the order the file system gives.
class Win32DirLister : public DirLister {
  public:
    std::unique_ptr<DirEnumeration> Open(const std::string& enumPattern) override;
    std::string DirectoryIdentity(const std::string& directory) override;
};

// Times of last write as the directory listing gives them (FILETIME, 100 ns
// since 1601) and as the File Info List keeps them (seconds since 1970).
int64_t UnixTimeFromFileTime(uint32_t low, uint32_t high);

// The local calendar date of a time of last write, and today's local date.
DateTriple LocalDateOf(int64_t modified);
DateTriple LocalToday();
