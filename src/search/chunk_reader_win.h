#pragma once

#include <windows.h>

#include "search/scan.h"

// The scan's reader over the real file system: one handle per scanned file,
// opened for reading while others may read but not write the file.
class Win32ChunkReader : public ChunkReader {
  public:
    Win32ChunkReader() = default;
    Win32ChunkReader(const Win32ChunkReader&) = delete;
    Win32ChunkReader& operator=(const Win32ChunkReader&) = delete;
    ~Win32ChunkReader() override { Close(); }

    bool Open(const std::string& path) override;
    int64_t Size() override;
    int64_t Read(char* buffer, uint32_t count) override;
    bool SetPosition(int64_t position) override;
    void Close() override;

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};
