#pragma once

#include <windows.h>

// The option dialogs, each modal over its owner.

// Sort Options: the sort mode, order and across-directories flag of the
// settings; the list is not re-sorted. Returns 0.
int ShowSortOptionsDialog(HWND owner);

// Set File Filter: the default file type, the excluded files and their
// switch. Returns 1 when the default file type changed, else 0.
int ShowFileFilterDialog(HWND owner);

// A default file type without a full stop: a beep, the warning, and the focus
// back on the field it was typed into.
void RefuseFileType(HWND field);
