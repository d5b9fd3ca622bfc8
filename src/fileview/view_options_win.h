#pragma once

#include <windows.h>

// FileView's option dialogs, each modal over its owner.

// Tabs, for FileView: the accepted tab length (1 to 65535), or 0 after Cancel.
int ShowTabsDialog(HWND owner, int tabLength);

// Set Context Size, for FileView: true after OK, with both values (each 0 to
// 1023) taken; false after Cancel, with both left as they were.
bool ShowContextSizeDialog(HWND owner, int& above, int& below);
