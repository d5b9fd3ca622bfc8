#pragma once

#include <windows.h>

#include <string>

// The File menu's operations on the selected rows' files, and the dialogs
// they share with Add to Zip and Browse Dir(s).

// Rename (725): in-place editing of the focused row's name.
void RenameFocusedItem();
// Delete (721), Copy (722) and Move (723) through the shell; each returns
// the number of files it reports done.
int DeleteSelectedFiles();
int CopySelectedFiles();
int MoveSelectedFiles();

// The target dialog (383) titled `verb`: true on OK with the entered text
// made absolute in `target`.
bool AskTargetDirectory(const char* verb, int count, std::string& target);

// The shell's folder browser; the picked directory becomes `control`'s text.
void BrowseForDirectory(HWND owner, HWND control);

// Add to Zip (249): 1 when the zip program was started.
int AddSelectedToZip();
