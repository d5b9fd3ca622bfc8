#include "results/pending.h"

#include <gtest/gtest.h>

namespace {

// The limit of 1000 files is checked through the walk.
TEST(PendingTest, DuplicatesAndListedRows) {
    PendingTable table;
    auto add = [&](const std::string& directory, const std::string& name) {
        return AddFileInfoItem(table, directory, DirEntry{name, false, false, 5ull << 30, 42});
    };
    table.skipDuplicates = true;
    EXPECT_EQ(add("c:\\Src\\", "Main.C"), AddResult::Added);
    // The same directory and name in any case is a duplicate; another
    // spelling of the directory is not.
    EXPECT_EQ(add("C:\\SRC\\", "main.c"), AddResult::Duplicate);
    EXPECT_EQ(add("c:\\src", "main.c"), AddResult::Added);
    table.listHasRows = true;  // then files are only counted
    EXPECT_EQ(add("c:\\src", "other.c"), AddResult::Counted);
    auto items = TakePendingItems(table);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(JoinPath(items[0]->directory, items[0]->name), "c:\\Src\\Main.C");
    EXPECT_EQ(items[0]->size, 5ull << 30);
    EXPECT_EQ(items[0]->modified, 42);
    EXPECT_TRUE(table.items.empty());
}

}  // namespace
