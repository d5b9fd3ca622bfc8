#pragma once

#include "results/file_info.h"
#include "settings/settings.h"

// The sort mode (Settings::SortMode), with its order (SortOrder) and grouping
// (SortDir) kept beside it in the Settings record.

enum : int {
    kSortNone = 0,
    kSortByName = 1,
    kSortBySize = 2,
    kSortByDate = 3,
    kSortByTime = 4,  // only from a click on the Time header; orders as kSortByDate
};

// Keys handed to the list control's sort; a key is its mode minus 1.
enum : int {
    kSortKeyName = 0,
    kSortKeySize = 1,
    kSortKeyDate = 2,
    kSortKeyTime = 3,
    kNoSortKey = -1,
};

// Case-insensitive text comparison in the user's locale (lstrcmpiA on Windows).
// Any negative, zero or positive result.
using LocaleCompareNoCase = int (*)(const char* first, const char* second);

// Negative, zero or positive as `first` belongs before, level with or after
// `second` under `key` and the order and grouping of `settings`.
int CompareFileInfoItems(const FileInfoItem& first, const FileInfoItem& second, int key,
                         const Settings& settings, LocaleCompareNoCase compare);

// The key that sorts by `mode`, or kNoSortKey when the mode asks for no sort.
int SortKeyForMode(int mode);

// Applies a click on the header of `column` (kColumnFilename .. kColumnPath)
// to the settings and returns the key to sort the list with, or kNoSortKey
// when the list is to be left as it is.
int ApplyColumnHeaderClick(Settings& settings, int column);
