#include "results/list_rows.h"

#include <algorithm>

#include "resource_ids.h"
#include "ui/bounded_format.h"

int NextMarkedRow(int after, int count, const std::function<bool(int row)>& isMarked) {
    int row = after;
    for (int tried = 0; tried < count; ++tried) {
        row = row + 1 < count ? row + 1 : 0;
        if (isMarked(row)) return row;
    }
    return -1;
}

int RowFocusedAfterDeletion(int firstDeleted, int remaining) {
    return remaining > 0 ? std::min(firstDeleted, remaining - 1) : -1;
}

bool IsListButtonEnabled(int command, bool anySelected, int shownCount) {
    return command == IDM_SORT_LIST ? shownCount > 0 : anySelected;
}

std::string DeletedRowsText(int count) {
    return BoundedFormat(64, "%d file info(s) deleted", count);
}

std::string StatusCountText(unsigned count) {
    return BoundedFormat(16, "%3.3u", count);
}

std::string FocusedRowText(int row) {
    return row >= 0 ? BoundedFormat(16, "%d", row + 1) : std::string();
}
