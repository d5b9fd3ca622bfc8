#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The option dialogs' decisions, kept apart from their windows so they are
// tested natively: what a typed field means, and what happens to the lists.

// Sort Options: the index (0 to 3) of the first checked mode button, or
// `current` when none is checked (a Time header click leaves mode 4, which
// has no button).
int SortModeFromButtons(const bool (&checked)[4], int current);

// Set File Filter.
constexpr size_t kExcludedFilesMax = 32;
constexpr size_t kFilterTextMax = 63;  // longest pattern or file type read from a field

enum class FileTypeChange {
    Unchanged,  // the typed type equals the current one but for letter case
    Invalid,    // no full stop: refused, the dialog stays
    Changed,    // `typed` now holds the new type, "*.ext" in lower case
};
FileTypeChange CheckNewFileType(const std::string& current, std::string& typed);

// The entry to choose after deleting entry `deleted` from a list that now
// holds `remaining` entries: the one that took its place, else the one before
// it; -1 when the list is empty.
int ChosenAfterDelete(int remaining, int deleted);

// The excluded-files slots from the dialog's list, in the list's order. The
// walk stops at the first empty slot, so an empty entry must not hide the
// ones after it; entries past the last slot are not kept.
std::vector<std::string> ExcludedFilesFromList(const std::vector<std::string>& entries);

// Fields are read as ParseUnsignedField reads them (digits, blanks around).

// Tabs: a tab length from 0 to 65535. Zero ends the dialog as Cancel does, so
// the tab stops stay; anything wider than 16 bits is refused like a
// non-number rather than cut to another value.
bool ReadTabLength(std::string_view text, uint16_t& length);

// Set Context Size: lines above or below, 0 to 1023.
constexpr uint32_t kContextLinesLimit = 1024;
bool ReadContextLines(std::string_view text, int& lines);
