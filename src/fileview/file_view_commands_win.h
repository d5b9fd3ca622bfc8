#pragma once

#include <windows.h>

#include <string>
#include <vector>

// FileView's commands that other parts of FileView carry out: find and
// replace, printing, the editing commands and the options.
void OnFileViewFindCommand(HWND fileView, int command);    // Find, Find Next, Replace
void OnFileViewFindMessage(HWND fileView, LPARAM data);    // from the Find and Replace boxes
void OnFileViewPrintCommand(HWND fileView, int command);   // Print, Print Setup
void OnFileViewEditCommand(HWND fileView, int command);    // case changes, Copy LineView
void OnFileViewOptionCommand(HWND fileView, int command);  // Font, Tabs, Wrap Lines, Context Size

// EditView's selection as a new text; empty when nothing is selected or
// there is no memory for it (after the warning).
std::string SelectionText(HWND edit);
// The lines, each followed by CR LF, as the clipboard's text; true when they
// are on it (no lines: nothing to do).
bool CopyLineViewToClipboard(const std::vector<std::string>& lines);
// The font dialog over owner, started at FileView's font; the chosen font
// becomes FileView's font description and is kept in the settings. 0 when
// cancelled.
int ChooseFileViewFont(HWND owner);
// A font made from the description goes to the panes given (either may be
// nullptr) and replaces FileView's font.
void ApplyFileViewFont(HWND editView, HWND lineView);
