#include "results/pending.h"

#include <new>

#include "ui/text.h"

PendingTable gPendingTable;

void ClearPendingTable() {
    gPendingTable.items.clear();
    gPendingTable.skipDuplicates = false;
}

// A refusal is always negative, even before the first find of a directory,
// so the walk can tell it from a dropped duplicate.
static int Refused(int countSoFar) {
    return -countSoFar - 1;
}

int AddFileInfoItem(WarningSink& warnings, const std::string& directory, const DirEntry& entry,
                    int countSoFar) {
    PendingTable& table = gPendingTable;
    if (table.listHasRows) return countSoFar + 1;
    if (table.items.size() >= kPendingLimit) {
        warnings.ShowWarning(kListLimitText);
        AbortFlag = true;
        return Refused(countSoFar);
    }
    std::unique_ptr<FileInfoItem> item;
    try {
        item = std::make_unique<FileInfoItem>();
        item->directory = directory;
        item->name = entry.name;
        table.items.reserve(kPendingLimit);
    } catch (const std::bad_alloc&) {
        warnings.ShowWarning(kOutOfMemoryText);
        return Refused(countSoFar);
    }
    item->size = entry.size;
    item->modified = entry.modified;
    if (table.skipDuplicates) {
        for (const auto& found : table.items) {
            if (SameTextIgnoringCase(found->directory, item->directory) &&
                SameTextIgnoringCase(found->name, item->name)) {
                return countSoFar;
            }
        }
    }
    gSearchStats.TotalSize += item->size;
    table.items.push_back(std::move(item));
    return countSoFar + 1;
}

std::vector<std::unique_ptr<FileInfoItem>> TakePendingItems() {
    std::vector<std::unique_ptr<FileInfoItem>> items = std::move(gPendingTable.items);
    gPendingTable.items.clear();
    return items;
}
