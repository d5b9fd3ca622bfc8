#pragma once

#include <windows.h>

// The option dialogs, each modal over its owner.

// Sort Options: the sort mode, order and across-directories flag of the
// settings; the list is not re-sorted. Returns 0.
int ShowSortOptionsDialog(HWND owner);

// Set File Filter: the default file type, the excluded files and their
// switch. Returns 1 when the default file type changed, else 0.
int ShowFileFilterDialog(HWND owner);

// Tabs, for FileView: the accepted tab length (1 to 65535), or 0 after Cancel.
int ShowTabsDialog(HWND owner, int tabLength);

// Set Context Size, for FileView: true after OK, with both values (each 0 to
// 1023) taken; false after Cancel, with both left as they were.
bool ShowContextSizeDialog(HWND owner, int& above, int& below);
