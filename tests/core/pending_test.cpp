#include "results/pending.h"

#include <gtest/gtest.h>

namespace {

// The limit of 1000 files is checked through the walk.
class PendingTest : public ::testing::Test, public WarningSink {
  protected:
    void SetUp() override {
        gPendingTable = PendingTable{};
        gSearchStats = SearchStats{};
    }
    void ShowWarning(const std::string&) override { FAIL(); }
    int Add(const std::string& directory, const std::string& name, int countSoFar) {
        return AddFileInfoItem(*this, directory, DirEntry{name, false, false, 5ull << 30, 42},
                               countSoFar);
    }
};

TEST_F(PendingTest, DuplicatesAndListedRows) {
    gPendingTable.skipDuplicates = true;
    EXPECT_EQ(Add("c:\\Src\\", "Main.C", 0), 1);
    EXPECT_EQ(Add("C:\\SRC\\", "main.c", 1), 1);  // same directory and name, any case
    EXPECT_EQ(Add("c:\\src", "main.c", 1), 2);    // another directory text: kept
    gPendingTable.listHasRows = true;             // then files are only counted
    EXPECT_EQ(Add("c:\\src", "other.c", 3), 4);
    EXPECT_EQ(gSearchStats.TotalSize, 10ull << 30);
    auto items = TakePendingItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(JoinPath(items[0]->directory, items[0]->name), "c:\\Src\\Main.C");
    EXPECT_EQ(items[0]->size, 5ull << 30);
    EXPECT_EQ(items[0]->modified, 42);
    EXPECT_TRUE(gPendingTable.items.empty());
}

}  // namespace
