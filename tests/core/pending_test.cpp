#include "results/pending.h"

#include <gtest/gtest.h>

namespace {

class RecordingWarnings : public WarningSink {
  public:
    void ShowWarning(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class PendingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gPendingTable = PendingTable{};
        gSearchStats = SearchStats{};
        AbortFlag = false;
    }
    int Add(const std::string& directory, const std::string& name, int countSoFar,
            uint64_t size = 1) {
        return AddFileInfoItem(warnings, directory, DirEntry{name, false, false, size, 42},
                               countSoFar);
    }
    RecordingWarnings warnings;
};

TEST_F(PendingTest, ExactlyAThousandFilesFitWithoutWarning) {
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(Add("c:\\d", std::to_string(i), i), i + 1);
    EXPECT_TRUE(warnings.shown.empty());
    EXPECT_FALSE(AbortFlag);
    EXPECT_LT(Add("c:\\d", "one more", 0), 0);  // refused even before a find of its own
    EXPECT_LT(Add("c:\\d", "and more", 7), 0);
    EXPECT_EQ(warnings.shown, (std::vector<std::string>{kListLimitText, kListLimitText}));
    EXPECT_TRUE(AbortFlag);
    EXPECT_EQ(gPendingTable.items.size(), 1000u);
}

TEST_F(PendingTest, SkipDuplicatesComparesDirectoryAndNameIgnoringCase) {
    gPendingTable.skipDuplicates = true;
    EXPECT_EQ(Add("c:\\Src\\", "Main.C", 0, 5), 1);
    EXPECT_EQ(Add("C:\\SRC\\", "main.c", 1, 5), 1);
    EXPECT_EQ(Add("c:\\src", "main.c", 1, 5), 2);  // another directory text: kept
    EXPECT_EQ(gPendingTable.items.size(), 2u);
    EXPECT_EQ(gSearchStats.TotalSize, 10u);
}

TEST_F(PendingTest, ListedRowsAreOnlyCounted) {
    gPendingTable.listHasRows = true;
    EXPECT_EQ(Add("c:\\src", "main.c", 3), 4);
    EXPECT_TRUE(gPendingTable.items.empty());
    EXPECT_EQ(gSearchStats.TotalSize, 0u);
}

TEST_F(PendingTest, ItemsKeepTheirRecordAndTotalSizeIs64Bit) {
    const uint64_t big = 5ull << 30;
    EXPECT_EQ(Add("c:\\iso", "disk.iso", 0, big), 1);
    EXPECT_EQ(Add("c:\\iso", "disk2.iso", 1, big), 2);
    EXPECT_EQ(gSearchStats.TotalSize, 2 * big);
    auto items = TakePendingItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(JoinPath(items[0]->directory, items[0]->name), "c:\\iso\\disk.iso");
    EXPECT_EQ(items[0]->size, big);
    EXPECT_EQ(items[0]->modified, 42);
    EXPECT_TRUE(gPendingTable.items.empty());
}

}  // namespace
