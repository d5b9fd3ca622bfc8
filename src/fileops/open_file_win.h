#pragma once

#include <windows.h>

#include <string>

#include "fileview/file_view_file.h"

// Opening the focused result (Open File, a double click or Enter in the list)
// in FileView or an outside viewer; see fileops/open_file.h.
void OpenFocusedItem();
// Starts the outside viewer of `choice` (401 to 403) on the file opened
// last; nothing for 400.
void LaunchOutsideViewer(int choice);
// The file opened last (empty before the first): the viewers open it and the
// FileView Settings dialog looks up its association.
const FileViewFile& OpenedFile();
void SetOpenedFile(const FileViewFile& file);

// The program the system associates with `file` (looked up from
// `directory`), for every caller alike: the platform reports success with a
// value above 32, and a success that names no program finds none.
bool FindProgramFor(const std::string& file, const std::string& directory, std::string& program);

// The FileView Settings dialog: 1 after OK, 0 after Cancel.
int FileViewSettingsDialog(HWND owner);
