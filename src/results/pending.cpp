#include "results/pending.h"

#include <new>

#include "ui/text.h"

AddResult AddFileInfoItem(PendingTable& table, const std::string& directory,
                          const DirEntry& entry) {
    if (table.listHasRows) return AddResult::Counted;
    if (table.items.size() >= kPendingLimit) return AddResult::Full;
    std::unique_ptr<FileInfoItem> item;
    try {
        item = std::make_unique<FileInfoItem>();
        item->directory = directory;
        item->name = entry.name;
        table.items.reserve(kPendingLimit);
    } catch (const std::bad_alloc&) {
        return AddResult::OutOfMemory;
    }
    item->size = entry.size;
    item->modified = entry.modified;
    if (table.skipDuplicates) {
        for (const auto& found : table.items) {
            if (SameTextIgnoringCase(found->directory, item->directory) &&
                SameTextIgnoringCase(found->name, item->name)) {
                return AddResult::Duplicate;
            }
        }
    }
    table.items.push_back(std::move(item));
    return AddResult::Added;
}

std::vector<std::unique_ptr<FileInfoItem>> TakePendingItems(PendingTable& table) {
    std::vector<std::unique_ptr<FileInfoItem>> items = std::move(table.items);
    table.items.clear();
    return items;
}
