#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Helpers for the controls every window builds: combo histories, status
// bars, tool tips, toolbar combos.

// Puts text on top of a combo's history list and into its edit field; the
// list keeps at most `limit` entries (kHistoryLimit without one).
void AddToHistory(HWND combo, size_t limit, const char* text);
void AddToHistory(HWND combo, const char* text);
// Item `index` of a combo's list, whatever its length.
std::string ComboItemText(HWND combo, int index);
// The entries of a combo's list, top first.
std::vector<std::string> ComboListEntries(HWND combo);
void CenterWindow(HWND window, int top);
HWND CreateStatusBar(HWND parent, int id, int parts, const int* widths);
void SetStatusParts(HWND bar, HWND parent, int parts, const int* widths);
// A tooltip for `tool`, shown even while its window is inactive. With `tip`
// the tool joins that tooltip control (a toolbar's own) instead of a new one:
// each tooltip control is a top-level window of its own.
HWND AddToolTip(HWND parent, HWND tool, const char* text, HWND tip = nullptr);
// A combo in place of the separator at `position`, `chars` characters wide,
// in the one font every toolbar combo shares (released by DeleteComboFont).
HWND AddToolbarCombo(HWND toolbar, int position, int id, int chars);
void DeleteComboFont();
HFONT CreateComboFont();
// The status line: the string with the command's number, in part 0.
int ShowStatusHelp(int stringId, HWND statusBar);

// A field's text, read into `size` bytes (terminator included).
std::string FieldText(HWND window, int size);
// Focuses a dialog's field with its text chosen whole, so the user types over it.
void FocusField(HWND dialog, int id);
