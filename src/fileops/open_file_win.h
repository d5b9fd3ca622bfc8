#pragma once

#include <windows.h>

// Opening the focused result (Open File, a double click or Enter in the list)
// in FileView or an outside viewer; see fileops/open_file.h.
void OpenFocusedItem();
// Starts the outside viewer of `choice` (401 to 403) on the file FileView was
// handed; nothing for 400.
void LaunchOutsideViewer(int choice);

// The FileView Settings dialog: 1 after OK, 0 after Cancel.
int FileViewSettingsDialog(HWND owner);
