#pragma once

#include <windows.h>

// FileView's commands that other parts of FileView carry out: find and
// replace, printing, the editing commands and the options.
void OnFileViewFindCommand(HWND fileView, int command);    // Find, Find Next, Replace
void OnFileViewFindMessage(HWND fileView, LPARAM data);    // from the Find and Replace boxes
void OnFileViewPrintCommand(HWND fileView, int command);   // Print, Print Setup
void OnFileViewEditCommand(HWND fileView, int command);    // case changes, Copy LineView
void OnFileViewOptionCommand(HWND fileView, int command);  // Font, Tabs, Wrap Lines, Context Size
