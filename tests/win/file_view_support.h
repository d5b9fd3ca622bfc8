#pragma once

#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "fileview/file_view_win.h"

// Opens FileView on `path` as the opening would hand it over: whole below
// FileView's capacity, otherwise a window of lines around each entry.
inline HWND OpenFileViewOn(HWND owner, const std::string& path, const std::string& name,
                           size_t size) {
    FileViewFile& file = ShownFile();
    file = FileViewFile{};
    std::snprintf(file.FullPath, sizeof file.FullPath, "%s", path.c_str());
    std::snprintf(file.FileName, sizeof file.FileName, "%s", name.c_str());
    file.Size = size;
    file.WholeFile = file.Size < kFileViewCapacity;
    if (!file.WholeFile) SetContextLines(kDefaultContextAbove, kDefaultContextBelow);
    return OpenFileViewWindow(owner);
}

// Picks a face and a size in the font dialog's lists as a click would.
inline void ChooseInFontDialog(HWND dialog, const char* face, const char* size) {
    for (const auto& [id, text] : {std::pair{cmb1, face}, std::pair{cmb3, size}}) {
        HWND combo = GetDlgItem(dialog, id);
        const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text));
        ASSERT_NE(index, CB_ERR) << text;
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    }
}
