#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "files/text_files_win.h"
#include "fileview/save_text.h"

// Text between a file and an edit control; shared by FileView and Replace in Files.

// Replaces the edit control's text with at most `count` bytes from the start
// of the file; fails when the file cannot be read or count exceeds 65,520.
// The text stops at a zero byte; *partialText then tells that the edit
// control shows less than the whole file (a zero byte, or more than count
// bytes in the file).
bool LoadFileIntoEdit(HWND edit, const char* path, uint64_t count, bool* partialText = nullptr);
// Writes the edit control's whole text over the file at `path` without ever
// leaving it half-written; shows the failure's message and returns false.
bool SaveEditToFile(HWND edit, const char* path);
// The Save As dialog on `fullPath` and `fileName` (MAX_PATH each: the name is
// part of the path); the platform's result, 0 when cancelled.
int AskSaveAsName(HWND owner, char* fullPath, char* fileName);
