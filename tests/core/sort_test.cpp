#include "results/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>
#include <vector>

#include "results/presentation.h"

namespace {

// Stands in for the locale's case-insensitive comparison; returns the raw
// difference, as lstrcmpi may, so only the sign can be relied on.
int FakeCompareNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        int ca = std::tolower(static_cast<unsigned char>(*a));
        int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb || ca == 0) return (ca - cb) * 1000;
    }
}

int ExtremeCompare(const char* a, const char* b) {
    int c = FakeCompareNoCase(a, b);
    return c < 0 ? INT_MIN : c > 0 ? INT_MAX : 0;
}

FileInfoItem Item(const char* directory, const char* name, uint64_t size = 0,
                  int64_t modified = 0) {
    FileInfoItem item;
    item.directory = directory;
    item.name = name;
    item.size = size;
    item.modified = modified;
    return item;
}

// The names of `items` in sorted order, joined by blanks.
std::string SortedNames(std::vector<FileInfoItem> items, int key, const Settings& settings) {
    std::stable_sort(items.begin(), items.end(), [&](const FileInfoItem& a, const FileInfoItem& b) {
        return CompareFileInfoItems(a, b, key, settings, FakeCompareNoCase) < 0;
    });
    std::string names;
    for (const FileInfoItem& item : items) names += (names.empty() ? "" : " ") + item.name;
    return names;
}

Settings SortBy(int order, int acrossDirectories) {
    Settings settings;
    settings.SortOrder = order;
    settings.SortDir = acrossDirectories;
    return settings;
}

int Compare(const FileInfoItem& a, const FileInfoItem& b, int key, int order, int across) {
    return CompareFileInfoItems(a, b, key, SortBy(order, across), FakeCompareNoCase);
}

// Directories differ only in letter case within each group.
const std::vector<FileInfoItem> kMixed = {
    Item("c:\\b", "big", 300, 30), Item("C:\\A", "Zeta", 20, 10), Item("c:\\b", "alpha", 100, 20),
    Item("c:\\a", "mid", 10, 40),  Item("c:\\B", "Mid", 200, 5),
};

TEST(Sort, OrdersRowsByKeyGroupedOrAcrossDirectories) {
    const struct {
        int key, order, across;
        const char* expected;
    } cases[] = {
        {kSortKeySize, 1, 0, "mid Zeta alpha Mid big"},
        {kSortKeySize, 0, 0, "big Mid alpha Zeta mid"},  // groups reversed too
        {kSortKeyName, 1, 0, "mid Zeta alpha big Mid"},
        {kSortKeyDate, 1, 0, "Zeta mid Mid alpha big"},
        {kSortKeyTime, 0, 0, "big alpha Mid mid Zeta"},
        {kSortKeySize, 1, 1, "mid Zeta alpha Mid big"},
        {kSortKeyDate, 0, 1, "mid big alpha Zeta Mid"},
        {kSortKeyTime, 1, 1, "Mid Zeta alpha big mid"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SortedNames(kMixed, c.key, SortBy(c.order, c.across)), c.expected)
            << "key " << c.key << " order " << c.order << " across " << c.across;
    }
}

TEST(Sort, SameNameInTwoDirectoriesIsLevelOnlyAcrossDirectories) {
    FileInfoItem first = Item("c:\\one", "same.txt"), second = Item("c:\\two", "SAME.TXT");
    EXPECT_EQ(Compare(first, second, kSortKeyName, 1, 1), 0);
    EXPECT_LT(Compare(first, second, kSortKeyName, 1, 0), 0);
    EXPECT_GT(Compare(first, second, kSortKeyName, 0, 0), 0);
}

TEST(Sort, SizesAndTimesCompareAsFull64BitNumbers) {
    const uint64_t sizes[] = {0,          2147483647, 2147483648, 4294967295,
                              4294967296, 5368709120, UINT64_MAX};
    for (size_t i = 0; i + 1 < std::size(sizes); ++i) {
        FileInfoItem smaller = Item("d", "x", sizes[i]), larger = Item("d", "x", sizes[i + 1]);
        EXPECT_EQ(Compare(smaller, larger, kSortKeySize, 1, 0), -1) << sizes[i];
        EXPECT_EQ(Compare(larger, smaller, kSortKeySize, 1, 1), 1) << sizes[i];
        EXPECT_EQ(Compare(larger, smaller, kSortKeySize, 0, 0), -1) << sizes[i];
    }
    // 1900, just before 1970, 1970, the 2038 boundary, 2100.
    const int64_t times[] = {INT64_MIN,  -2208988800, -1,         0,
                             2147483647, 2147483648,  4102444800, INT64_MAX};
    for (int key : {kSortKeyDate, kSortKeyTime}) {
        for (size_t i = 0; i + 1 < std::size(times); ++i) {
            FileInfoItem earlier = Item("d", "x", 0, times[i]);
            FileInfoItem later = Item("d", "x", 0, times[i + 1]);
            EXPECT_EQ(Compare(earlier, later, key, 1, 0), -1) << times[i];
            EXPECT_EQ(Compare(later, earlier, key, 1, 1), 1) << times[i];
            EXPECT_EQ(Compare(later, earlier, key, 0, 0), -1) << times[i];
            EXPECT_EQ(Compare(later, later, key, 0, 1), 0) << times[i];
        }
    }
}

TEST(Sort, DescendingSurvivesExtremeLocaleResults) {
    FileInfoItem a = Item("c:\\a", "a"), b = Item("c:\\b", "b");
    EXPECT_GT(CompareFileInfoItems(a, b, kSortKeySize, SortBy(0, 0), ExtremeCompare), 0);
    EXPECT_GT(CompareFileInfoItems(a, b, kSortKeyName, SortBy(0, 1), ExtremeCompare), 0);
    EXPECT_LT(CompareFileInfoItems(b, a, kSortKeyName, SortBy(0, 1), ExtremeCompare), 0);
}

TEST(Sort, HeaderClickSetsModeOrTogglesAcrossDirectoriesAndNeverReverses) {
    const struct {
        int mode, dir, column;
        int expectedMode, expectedDir, expectedKey;
    } cases[] = {
        {kSortNone, 0, kColumnFilename, kSortByName, 0, kSortKeyName},
        {kSortByName, 1, kColumnSize, kSortBySize, 1, kSortKeySize},
        {kSortByName, 0, kColumnDate, kSortByDate, 0, kSortKeyDate},
        {kSortByName, 0, kColumnTime, kSortByTime, 0, kSortKeyTime},
        {kSortByTime, 0, kColumnTime, kSortByTime, 0, kSortKeyTime},
        {kSortNone, 0, kColumnPath, kSortNone, 1, kNoSortKey},
        {kSortBySize, 1, kColumnPath, kSortBySize, 0, kSortKeySize},
        {kSortByDate, 2, kColumnPath, kSortByDate, 0, kSortKeyDate},
        {7, 0, kColumnPath, 7, 1, kNoSortKey},
        {kSortByDate, 0, kColumnCount, kSortByDate, 0, kNoSortKey},
    };
    for (const auto& c : cases) {
        Settings settings;
        settings.SortMode = c.mode;
        settings.SortDir = c.dir;
        settings.SortOrder = 0;
        EXPECT_EQ(ApplyColumnHeaderClick(settings, c.column), c.expectedKey)
            << "mode " << c.mode << " column " << c.column;
        EXPECT_EQ(settings.SortMode, c.expectedMode);
        EXPECT_EQ(settings.SortDir, c.expectedDir);
        EXPECT_EQ(settings.SortOrder, 0);
    }
}

}  // namespace
