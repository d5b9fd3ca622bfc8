#include "search/criteria.h"

#include <gtest/gtest.h>

#include "core_test_support.h"

namespace {

using V = std::vector<std::string>;

// A star covers one dot-separated part of the name; case is ignored.
TEST(MatchFileNameTest, StarCoversOneDotSeparatedPart) {
    const struct { const char* pattern; const char* name; bool matches; } cases[] = {
        // clang-format off
        {"*.*", "readme", true}, {"*.*", "readme.txt", true}, {"*.*", "archive.tar.gz", false},
        {"*.gz", "archive.tar.gz", false}, {"*.tar.gz", "archive.tar.gz", true},
        {"*.c", "a.b.c", false}, {"*.b.c", "a.b.c", true}, {"a*", "abc", true},
        {"a*", "abc.txt", false}, {"*.", "makefile", true}, {"*.", "make.txt", false},
        {"*", "readme", true}, {"*", "readme.txt", false}, {"*.*", ".profile", true},
        {"README.TXT", "readme.txt", true}, {"r?adme.txt", "README.TXT", true},
        {"a?c", "a.c", true}, {"a??", "a", false}, {"a.txt", "a.txt.bak", false},
        {"\xE9t\xE9.txt", "\xC9T\xC9.TXT", true},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(MatchFileName(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
}

// Two-digit years up to today's are this century, later ones the last;
// longer years are read whole. The day is not checked against the month.
TEST(DateTest, ParseDateFieldReadsFullYearsWithTwoDigitPivot) {
    const struct { const char* text; int order; int result; DateTriple date; } cases[] = {
        // clang-format off
        {"1/1/98", 0, 1, {1, 1, 1998}}, {"01/01/1998", 0, 1, {1, 1, 1998}},
        {"1/1/00", 0, 1, {1, 1, 2000}}, {"1/1/0", 0, 1, {1, 1, 2000}},
        {"12/31/79", 0, 0, {31, 12, 2079}}, {"12/31/80", 0, 1, {31, 12, 1980}},
        {"1/1/999", 0, 1, {1, 1, 999}}, {"6/15/24", 0, 2, {15, 6, 2024}},
        {"6/16/2024", 0, 0, {16, 6, 2024}}, {"5-3-97", 1, 1, {5, 3, 1997}},
        {"97/3/5", 2, 1, {5, 3, 1997}}, {"2/31/97", 0, 1, {31, 2, 1997}},
        {"5 / 3 / 97", 0, 1, {3, 5, 1997}}, {"5.3.97", 1, 0, {}}, {"13/1/97", 0, 0, {}},
        {"1/32/97", 0, 0, {}}, {"1/1", 0, 0, {}}, {"1/-1/97", 0, 0, {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        DateTriple date;
        EXPECT_EQ(ParseDateField(c.text, c.order, DateTriple{15, 6, 2024}, date), c.result) << c.text;
        EXPECT_EQ(c.date.year == 0 ? 0 : CompareDates(date, c.date), 0) << c.text;
    }
}

TEST(DateTest, CheckDateCriteriaSetsTheRange) {
    const DateTriple today{15, 6, 2024};
    SearchCriteria criteria;
    const struct { const char* from; const char* to; int result; } cases[] = {
        // clang-format off
        {"1/1/98", "1/1/98", 1}, {"1/2/98", "1/1/98", 0}, {"x", "", -1}, {"1/1/98", "x", -2},
        {"1/1/30", "", -1}, {"", "1/1/30", -2}, {"1/1/00", "01/01/2020", 1},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckDateCriteria(criteria, c.from, c.to, 0, today), c.result) << c.from << " " << c.to;
    // Empty boxes take files from every century up to today, also in a year 00.
    ASSERT_EQ(CheckDateCriteria(criteria, "", "", 0, DateTriple{1, 3, 2000}), 1);
    EXPECT_TRUE(DateInRange(criteria, {31, 12, 1995}) && DateInRange(criteria, {1, 3, 2000}));
    EXPECT_FALSE(DateInRange(criteria, {2, 3, 2000}));
    ASSERT_EQ(CheckDateCriteria(criteria, "1/1/99", "12/31/05", 0, today), 1);
    EXPECT_FALSE(DateInRange(criteria, {31, 12, 1998}));
    EXPECT_TRUE(DateInRange(criteria, {31, 12, 2005}));  // DateTo's day passes
    EXPECT_FALSE(DateInRange(criteria, {1, 1, 2006}));
    // Year, then month, then day decide, each only when the ones before are equal.
    EXPECT_LT(CompareDates({31, 1, 2000}, {1, 2, 2000}), 0);
    EXPECT_GT(CompareDates({1, 2, 2000}, {31, 1, 2000}), 0);
    EXPECT_LT(CompareDates({31, 12, 1999}, {1, 1, 2000}), 0);
    EXPECT_GT(CompareDates({2, 5, 2000}, {1, 5, 2000}), 0);
}

TEST(SizeTest, SizeBounds) {
    const uint64_t mb = 1048576;
    SearchCriteria criteria;
    criteria.SizeLessUnit = criteria.SizeMoreUnit = SizeUnitFromIndex(2);
    ASSERT_EQ(SetSizeBounds(criteria, "5000", "4097"), 0);  // exact above 4 GiB
    EXPECT_TRUE(SizeInRange(criteria, 5000 * mb) && SizeInRange(criteria, 4097 * mb));
    EXPECT_FALSE(SizeInRange(criteria, 5000 * mb + 1) || SizeInRange(criteria, 4097 * mb - 1));
    ASSERT_EQ(SetSizeBounds(criteria, "", ""), 0);  // an empty Less bound has no limit
    EXPECT_TRUE(SizeInRange(criteria, UINT64_MAX) && SizeInRange(criteria, 0));
    EXPECT_EQ(SetSizeBounds(criteria, " 4294967295 ", "0"), 0);
    for (const char* bad : {"4294967296", "-1", "12kb"})
        EXPECT_EQ(SetSizeBounds(criteria, bad, ""), -1);
    EXPECT_EQ(SetSizeBounds(criteria, "", "x"), -2);
    // A bound whose product would not fit in 64 bits holds every size.
    criteria.SizeLess = 4;
    criteria.SizeLessUnit = UINT64_MAX / 2;
    EXPECT_TRUE(SizeInRange(criteria, UINT64_MAX - 1));
}

// None walks the target only, All every level, Level as many as typed; a
// level past the walk's range walks as deep as it can.
TEST(WalkDepthTest, ModeAndLevelGiveTheDepth) {
    // clang-format off
    const struct { int mode; uint32_t level; int32_t depth; } cases[] = {{0, 5, 0}, {1, 0, kWalkAllLevels},
        {1, 9, kWalkAllLevels}, {2, 0, 0}, {2, 7, 7}, {2, 2147483647u, INT32_MAX}, {2, 2147483648u, INT32_MAX},
        {2, UINT32_MAX, INT32_MAX}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(WalkDepthFor(c.mode, c.level), c.depth) << c.mode << " " << c.level;
}

TEST(NextListEntryTest, CutsAtSemicolonsBlanksAndQuotes) {
    auto entries = [](const std::string& list) {
        V result;
        size_t position = 0;
        std::string entry;
        while (NextListEntry(list, position, entry)) result.push_back(entry);
        return result;
    };
    EXPECT_EQ(entries("*.c;*.h src\\*.asm"), (V{"*.c", "*.h", "src\\*.asm"}));
    EXPECT_EQ(entries("\"my dir\\a;b.txt\" *.h"), (V{"my dir\\a;b.txt", "*.h"}));
    EXPECT_EQ(entries("\"\"open end"), V{"open end"});
    EXPECT_EQ(entries("; ;\""), V{});
}

TEST(ResolveTargetTest, SplitsEntriesIntoDirectoryAndPattern) {
    const std::string cases[][3] = {
        // clang-format off
        {"readme", "1 c:\\base readme.txt"}, {"*", "1 c:\\base *.txt"}, {"*.", "1 c:\\base *."},
        {"c:\\temp\\", "1 c:\\temp *.txt"}, {"c:\\", "1 c:\\ *.txt"},
        {"src/*.asm", "1 c:\\base\\src *.asm"}, {"c:\\temp\\a.b.c", "1 c:\\temp a.b.c"},
        {"nowhere\\*.c", "-2 c:\\base\\nowhere"}, {"bad|dir\\*.c", "-2 ", "unentered"},
        {"c:\\" + std::string(270, 'd') + "\\*.c", "-2 c:\\" + std::string(270, 'd'), "unentered"},
        // A name no path below its directory could hold is named as typed.
        {std::string(250, 'n'), "-2 " + std::string(250, 'n'), "unentered"},
        {std::string(240, 'n') + ".c", "1 c:\\base " + std::string(240, 'n') + ".c"},
        {std::string(249, 'n') + ".c", "1 c:\\base " + std::string(249, 'n') + ".c"},
        {std::string(250, 'n') + ".c", "-2 " + std::string(250, 'n') + ".c", "unentered"},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeResolver resolver;
        SearchTarget target;
        const int result = ResolveTarget(c[0], "*.txt", resolver, target);
        EXPECT_EQ(std::to_string(result) + " " + target.directory + (result == 1 ? " " + target.pattern : ""), c[1]);
        EXPECT_TRUE(c[2].empty() || resolver.entered.empty()) << c[0];
    }
}

}  // namespace
