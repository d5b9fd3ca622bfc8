#include "results/sort.h"

#include "results/presentation.h"

namespace {

// Only the sign of a comparison counts; folding it to -1/0/+1 also keeps the
// negation for descending order defined whatever the locale comparison returns.
int Sign(int value) {
    return (value > 0) - (value < 0);
}

template <typename T>
int CompareNumbers(T first, T second) {
    return (first > second) - (first < second);
}

int CompareKeys(const FileInfoItem& first, const FileInfoItem& second, int key,
                LocaleCompareNoCase compare) {
    switch (key) {
        case kSortKeyName: return Sign(compare(first.name.c_str(), second.name.c_str()));
        case kSortKeySize: return CompareNumbers(first.size, second.size);
        case kSortKeyDate:
        case kSortKeyTime: return CompareNumbers(first.modified, second.modified);
        default: return 0;
    }
}

}  // namespace

int CompareFileInfoItems(const FileInfoItem& first, const FileInfoItem& second, int key,
                         const Settings& settings, LocaleCompareNoCase compare) {
    int result = 0;
    if (settings.SortDir == 0) {
        result = Sign(compare(first.directory.c_str(), second.directory.c_str()));
    }
    if (result == 0) result = CompareKeys(first, second, key, compare);
    // Descending reverses the directory groups as well as the rows inside them.
    return settings.SortOrder != 0 ? result : -result;
}

int SortKeyForMode(int mode) {
    return mode >= kSortByName && mode <= kSortByTime ? mode - 1 : kNoSortKey;
}

int ApplyColumnHeaderClick(Settings& settings, int column) {
    switch (column) {
        case kColumnFilename:
        case kColumnSize:
        case kColumnDate:
        case kColumnTime: settings.SortMode = column + 1; break;
        case kColumnPath: settings.SortDir = settings.SortDir == 0 ? 1 : 0; break;
        default: return kNoSortKey;
    }
    // A second click on the same header sorts the same way again; only the
    // Sort Options dialog changes the order.
    return SortKeyForMode(settings.SortMode);
}
