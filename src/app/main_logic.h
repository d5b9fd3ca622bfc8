#pragma once

#include <string>
#include <vector>

// The main window's decisions that need no window: tested natively, applied
// by the Win32 side.

// A typed default file type: everything from the first full stop, lower-cased,
// behind a star ("Notes.TXT" gives "*.txt"). Without a full stop the text is
// not valid and stays as it was.
bool ValidateFileType(std::string& text);

// What the popups of the main menu may offer, from a snapshot of the list.
struct ListSnapshot {
    bool hasFocusedRow = false;
    int selectedCount = 0;
    int rowCount = 0;
    bool anyMarked = false;
};
bool IsMainCommandEnabled(int command, const ListSnapshot& list);

// Dropped names joined with ";" between them, lower-cased. Empty when the
// joined text would not stay under 65,536 bytes.
std::string JoinDroppedNames(const std::vector<std::string>& names);
