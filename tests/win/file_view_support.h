#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "fileview/file_view_win.h"

// Opens FileView on `path` as the opening would hand it over: whole below
// FileView's capacity, otherwise a window of lines around each entry.
inline HWND OpenFileViewOn(HWND owner, const std::string& path, const std::string& name, size_t size) {
    FileViewFile& file = ShownFile();
    file = FileViewFile{};
    std::snprintf(file.FullPath, sizeof file.FullPath, "%s", path.c_str());
    std::snprintf(file.FileName, sizeof file.FileName, "%s", name.c_str());
    file.Size = size;
    file.WholeFile = file.Size < kFileViewCapacity;
    if (!file.WholeFile) SetContextLines(kDefaultContextAbove, kDefaultContextBelow);
    return OpenFileViewWindow(owner);
}
