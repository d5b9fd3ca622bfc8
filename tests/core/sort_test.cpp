#include "results/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "core_test_support.h"
#include "results/presentation.h"

namespace {

// Stands in for the locale's case-insensitive comparison; returns the raw difference, as
// lstrcmpi may, so only the sign can be relied on.
int FakeCompareNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        int ca = std::tolower(static_cast<unsigned char>(*a));
        int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb || ca == 0) return (ca - cb) * 1000;
    }
}

int Compare(const FileInfoItem& a, const FileInfoItem& b, int key, int order, int across,
            int (*compare)(const char*, const char*) = FakeCompareNoCase) {
    Settings settings;
    settings.SortOrder = order, settings.SortDir = across;
    return CompareFileInfoItems(a, b, key, settings, compare);
}

// Directories differ only in letter case within each group.
const std::vector<FileInfoItem> kMixed = {
    Item("c:\\b", "big", 300, 30), Item("C:\\A", "Zeta", 20, 10), Item("c:\\b", "alpha", 100, 20),
    Item("c:\\a", "mid", 10, 40), Item("c:\\B", "Mid", 200, 5)};

TEST(Sort, OrdersRowsByKeyGroupedOrAcrossDirectories) {
    const int size = kSortKeySize, name = kSortKeyName, date = kSortKeyDate, time = kSortKeyTime;
    // clang-format off
    const struct { int key, order, across; const char* expected; } cases[] = {
        {size, 1, 0, "mid Zeta alpha Mid big"}, {size, 0, 0, "big Mid alpha Zeta mid"},
        {name, 1, 0, "mid Zeta alpha big Mid"}, {date, 1, 0, "Zeta mid Mid alpha big"},
        {time, 0, 0, "big alpha Mid mid Zeta"}, {size, 1, 1, "mid Zeta alpha Mid big"},
        {date, 0, 1, "mid big alpha Zeta Mid"}, {time, 1, 1, "Mid Zeta alpha big mid"},
        {name, 1, 1, "alpha big mid Mid Zeta"}};  // same names level only across directories
    // clang-format on
    for (const auto& c : cases) {
        std::vector<FileInfoItem> items = kMixed;
        std::stable_sort(items.begin(), items.end(), [&](const auto& a, const auto& b) {
            return Compare(a, b, c.key, c.order, c.across) < 0;
        });
        std::string names;
        for (const FileInfoItem& item : items) names += (names.empty() ? "" : " ") + item.name;
        EXPECT_EQ(names, c.expected) << "key " << c.key << " order " << c.order << " across " << c.across;
    }
}

TEST(Sort, SizesAndTimesCompareAsFull64BitNumbers) {
    const uint64_t sizes[] = {2147483648, 4294967295, 4294967296, 5368709120, UINT64_MAX};
    const int64_t times[] = {INT64_MIN, -2208988800, -1, 0, 2147483647, 2147483648, INT64_MAX};
    auto check = [](int key, const FileInfoItem& smaller, const FileInfoItem& larger) {
        EXPECT_EQ(std::tuple(Compare(smaller, larger, key, 1, 0), Compare(larger, smaller, key, 1, 1),
                             Compare(larger, smaller, key, 0, 0)),
                  std::tuple(-1, 1, -1))
            << larger.size << " " << larger.modified;
    };
    for (size_t i = 0; i + 1 < std::size(sizes); ++i)
        check(kSortKeySize, Item("d", "x", sizes[i]), Item("d", "x", sizes[i + 1]));
    for (int key : {kSortKeyDate, kSortKeyTime})
        for (size_t i = 0; i + 1 < std::size(times); ++i)
            check(key, Item("d", "x", 0, times[i]), Item("d", "x", 0, times[i + 1]));
    // Descending order survives a locale comparison that answers INT_MIN.
    FileInfoItem a = Item("c:\\a", "a"), b = Item("c:\\b", "b");
    auto extreme = [](const char* x, const char* y) {
        int c = FakeCompareNoCase(x, y);
        return c < 0 ? INT_MIN : c > 0 ? INT_MAX : 0;
    };
    EXPECT_GT(Compare(a, b, kSortKeyName, 0, 1, extreme), 0);
    EXPECT_LT(Compare(b, a, kSortKeyName, 0, 1, extreme), 0);
}

// A mode outside name..time leaves the rows as they stand; the Time mode
// orders as the date does, under a key of its own.
TEST(Sort, ModesNameTheirKeys) {
    // clang-format off
    const struct { int mode, key; } cases[] = {{kSortNone, kNoSortKey}, {kSortByName, kSortKeyName},
        {kSortBySize, kSortKeySize}, {kSortByDate, kSortKeyDate}, {kSortByTime, kSortKeyTime}, {5, kNoSortKey}, {-1, kNoSortKey}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(SortKeyForMode(c.mode), c.key) << c.mode;
}

// A header click chooses the mode; the Path header only flips the grouping
// and sorts by the mode already chosen. The order is never touched.
TEST(Sort, HeaderClicksChooseTheModeOrFlipTheGrouping) {
    // clang-format off
    const struct { int mode, dir, column; int key, newMode, newDir; } cases[] = {
        {kSortNone, 0, kColumnFilename, kSortKeyName, kSortByName, 0},
        {kSortByName, 1, kColumnSize, kSortKeySize, kSortBySize, 1},
        {kSortByDate, 0, kColumnDate, kSortKeyDate, kSortByDate, 0},  // again: the same way
        {kSortByName, 0, kColumnTime, kSortKeyTime, kSortByTime, 0},
        {kSortBySize, 0, kColumnPath, kSortKeySize, kSortBySize, 1},
        {kSortBySize, 1, kColumnPath, kSortKeySize, kSortBySize, 0},
        {kSortNone, 0, kColumnPath, kNoSortKey, kSortNone, 1},
        {kSortByName, 0, kColumnCount, kNoSortKey, kSortByName, 0},
        {kSortByName, 0, -1, kNoSortKey, kSortByName, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        Settings settings;
        settings.SortMode = c.mode, settings.SortDir = c.dir, settings.SortOrder = 0;
        EXPECT_EQ(ApplyColumnHeaderClick(settings, c.column), c.key) << c.column;
        EXPECT_EQ(std::tuple(settings.SortMode, settings.SortDir, settings.SortOrder), std::tuple(c.newMode, c.newDir, 0))
            << c.column;
    }
}

}  // namespace
