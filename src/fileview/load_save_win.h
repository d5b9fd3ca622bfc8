#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

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

// Writes `text` over the file at `path` as SaveEditToFile does, for callers
// that hold the text themselves (Replace in Files).
bool SaveTextAsFile(const char* path, std::string_view text);

// Tests put a file layer of their own under every save (nullptr: the real one);
// RealSaveFiles gives the real one, to wrap.
void SetSaveFilesForTesting(SaveFileLayer* files);
std::unique_ptr<SaveFileLayer> RealSaveFiles();
