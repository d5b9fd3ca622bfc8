#include "search/criteria.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class CriteriaTest : public ::testing::Test {
  protected:
    void SetUp() override { gSearchCriteria = SearchCriteria{}; }
};

TEST(MatchFileNameTest, StarCoversOneDotSeparatedPart) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "readme", true},
        {"*.*", "readme.txt", true},
        {"*.*", "archive.tar.gz", false},
        {"*.gz", "archive.tar.gz", false},
        {"*.tar.gz", "archive.tar.gz", true},
        {"*.c", "a.b.c", false},
        {"*.b.c", "a.b.c", true},
        {"a*", "abc", true},
        {"a*", "abc.txt", false},
        {"*.", "makefile", true},
        {"*.", "make.txt", false},
        {"*", "readme", true},
        {"*", "readme.txt", false},
        {"*.*", ".profile", true},
        {"README.TXT", "readme.txt", true},
        {"r?adme.txt", "README.TXT", true},
        {"a?c", "a.c", true},
        {"a??", "a", false},
        {"a.txt", "a.txt.bak", false},
        {"\xE9t\xE9.txt", "\xC9T\xC9.TXT", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchFileName(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
    }
}

TEST_F(CriteriaTest, ExcludedFilesApplyOnlyWhenEnabledAndUpToFirstEmptySlot) {
    gSearchCriteria.ExcludedFiles = {"*.obj", "", "*.txt"};
    EXPECT_FALSE(IsExcludedFile("main.obj"));
    gSearchCriteria.EnableExcludeFiles = true;
    EXPECT_TRUE(IsExcludedFile("MAIN.OBJ"));
    EXPECT_FALSE(IsExcludedFile("notes.txt"));
}

TEST(DateTest, ParseDateFieldReadsFullYearsWithTwoDigitPivot) {
    const DateTriple today{15, 6, 2024};
    struct Case {
        const char* text;
        int order;
        int result;
        DateTriple date;
    } cases[] = {
        {"1/1/98", 0, 1, {1, 1, 1998}},
        {"01/01/1998", 0, 1, {1, 1, 1998}},  // read whole, not cut to 199
        {"1/1/00", 0, 1, {1, 1, 2000}},
        {"1/1/0", 0, 1, {1, 1, 2000}},
        {"12/31/79", 0, 0, {31, 12, 2079}},  // after today
        {"12/31/80", 0, 1, {31, 12, 1980}},
        {"1/1/999", 0, 1, {1, 1, 999}},
        {"6/15/24", 0, 2, {15, 6, 2024}},
        {"6/16/2024", 0, 0, {16, 6, 2024}},
        {"5-3-97", 1, 1, {5, 3, 1997}},
        {"97/3/5", 2, 1, {5, 3, 1997}},
        {"2/31/97", 0, 1, {31, 2, 1997}},  // the day is not checked against the month
        {"5 / 3 / 97", 0, 1, {3, 5, 1997}},
        {"5.3.97", 1, 0, {}},
        {"13/1/97", 0, 0, {}},
        {"1/32/97", 0, 0, {}},
        {"1/1", 0, 0, {}},
        {"1/-1/97", 0, 0, {}},
    };
    for (const Case& c : cases) {
        DateTriple date;
        EXPECT_EQ(ParseDateField(c.text, c.order, today, date), c.result) << c.text;
        if (c.date.year != 0) {
            EXPECT_EQ(CompareDates(date, c.date), 0)
                << c.text << " gave " << date.day << "." << date.month << "." << date.year;
        }
    }
}

TEST_F(CriteriaTest, CheckDateCriteriaResults) {
    const DateTriple today{15, 6, 2024};
    struct Case {
        const char* from;
        const char* to;
        int result;
    } cases[] = {
        {"", "", 1},
        {"1/1/98", "", 1},
        {"1/1/98", "1/1/98", 1},
        {"1/2/98", "1/1/98", 0},
        {"x", "", -1},
        {"1/1/98", "x", -2},
        {"1/1/30", "", -1},
        {"", "1/1/30", -2},
        {"1/1/00", "01/01/2020", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckDateCriteria(c.from, c.to, 0, today), c.result) << c.from << " " << c.to;
    }
}

TEST_F(CriteriaTest, YearEndingInZeroZeroStillAllowsEmptyBoxes) {
    EXPECT_EQ(CheckDateCriteria("", "", 0, DateTriple{1, 3, 2000}), 1);
    EXPECT_EQ(gSearchCriteria.DateFrom.year, 1);
    EXPECT_EQ(CompareDates(gSearchCriteria.DateTo, DateTriple{1, 3, 2000}), 0);
}

TEST_F(CriteriaTest, UnboundedRangeTakesFilesFromEveryCentury) {
    ASSERT_EQ(CheckDateCriteria("", "", 0, DateTriple{15, 6, 2024}), 1);
    EXPECT_TRUE(DateInRange({31, 12, 1995}));
    EXPECT_TRUE(DateInRange({15, 6, 2024}));
    EXPECT_FALSE(DateInRange({16, 6, 2024}));
    ASSERT_EQ(CheckDateCriteria("1/1/99", "12/31/05", 0, DateTriple{15, 6, 2024}), 1);
    EXPECT_FALSE(DateInRange({31, 12, 1998}));
    EXPECT_TRUE(DateInRange({31, 12, 2005}));  // DateTo's day passes
    EXPECT_FALSE(DateInRange({1, 1, 2006}));
}

TEST_F(CriteriaTest, SizeBoundsAreExactAboveFourGiB) {
    gSearchCriteria.SizeLessUnit = SizeUnitFromIndex(2);
    gSearchCriteria.SizeMoreUnit = SizeUnitFromIndex(2);
    ASSERT_EQ(SetSizeBounds("5000", "4097"), 0);
    const uint64_t mb = 1048576;
    EXPECT_TRUE(SizeInRange(5000 * mb));
    EXPECT_FALSE(SizeInRange(5000 * mb + 1));
    EXPECT_TRUE(SizeInRange(4097 * mb));
    EXPECT_FALSE(SizeInRange(4097 * mb - 1));
    ASSERT_EQ(SetSizeBounds("1", "2"), 0);  // More above Less finds nothing
    EXPECT_FALSE(SizeInRange(1536));
}

TEST_F(CriteriaTest, EmptyLessBoundHasNoLimit) {
    gSearchCriteria.SizeLessUnit = 1;
    ASSERT_EQ(SetSizeBounds("", ""), 0);
    EXPECT_TRUE(SizeInRange(65534));
    EXPECT_TRUE(SizeInRange(UINT64_MAX));
    EXPECT_TRUE(SizeInRange(0));
}

TEST_F(CriteriaTest, SizeFieldsTakeOnlyUnsigned32BitNumbers) {
    EXPECT_EQ(SetSizeBounds(" 4294967295 ", "0"), 0);
    EXPECT_EQ(SetSizeBounds("4294967296", ""), -1);
    EXPECT_EQ(SetSizeBounds("-1", ""), -1);
    EXPECT_EQ(SetSizeBounds("12kb", ""), -1);
    EXPECT_EQ(SetSizeBounds("", "x"), -2);
}

std::vector<std::string> Entries(const std::string& list) {
    std::vector<std::string> entries;
    size_t position = 0;
    std::string entry;
    while (NextListEntry(list, position, entry)) entries.push_back(entry);
    return entries;
}

TEST(NextListEntryTest, CutsAtSemicolonsBlanksAndQuotes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Entries("*.c;*.h src\\*.asm"), (V{"*.c", "*.h", "src\\*.asm"}));
    EXPECT_EQ(Entries(" ;; *.c ;"), V{"*.c"});
    EXPECT_EQ(Entries("\"my dir\\a;b.txt\" *.h"), (V{"my dir\\a;b.txt", "*.h"}));
    EXPECT_EQ(Entries("\"\"open end"), V{"open end"});
    EXPECT_EQ(Entries("; ;\""), V{});
    EXPECT_EQ(Entries(""), V{});
}

// Resolves against a current directory of c:\base; directories listed exist.
class FakeResolver : public TargetResolver {
  public:
    bool FullPath(const std::string& path, std::string& fullPath) override {
        if (path.find('|') != std::string::npos) return false;
        if (path == ".") {
            fullPath = "C:\\Base";
        } else if (path.size() >= 2 && path[1] == ':') {
            fullPath = path;
        } else {
            fullPath = "C:\\Base\\" + path;
        }
        for (char& c : fullPath) c = c == '/' ? '\\' : c;
        return true;
    }
    bool EnterDirectory(const std::string& directory) override {
        entered.push_back(directory);
        return existing.count(directory) != 0;
    }
    std::map<std::string, bool> existing{
        {"c:\\base", true}, {"c:\\base\\src", true}, {"c:\\temp", true}, {"c:\\", true}};
    std::vector<std::string> entered;
};

TEST(ResolveTargetTest, SplitsEntriesIntoDirectoryAndPattern) {
    struct Case {
        const char* entry;
        int result;
        const char* directory;
        const char* pattern;
    } cases[] = {
        {"readme", 1, "c:\\base", "readme.txt"},
        {"*", 1, "c:\\base", "*.txt"},
        {"*.", 1, "c:\\base", "*."},
        {"c:\\temp\\", 1, "c:\\temp", "*.txt"},
        {"c:\\", 1, "c:\\", "*.txt"},
        {"src\\*.asm", 1, "c:\\base\\src", "*.asm"},
        {"src/*.asm", 1, "c:\\base\\src", "*.asm"},
        {"c:\\temp\\a.b.c", 1, "c:\\temp", "a.b.c"},
        {"nowhere\\*.c", -2, "c:\\base\\nowhere", "*.c"},
        {"bad|dir\\*.c", -2, "", ""},
    };
    for (const Case& c : cases) {
        FakeResolver resolver;
        SearchTarget target;
        EXPECT_EQ(ResolveTarget(c.entry, "*.txt", resolver, target), c.result) << c.entry;
        EXPECT_EQ(target.directory, c.directory) << c.entry;
        if (c.result == 1) {
            EXPECT_EQ(target.pattern, c.pattern) << c.entry;
        }
    }
}

TEST(ResolveTargetTest, DirectoryBeyondPathBufferIsBad) {
    FakeResolver resolver;
    SearchTarget target;
    std::string entry = "c:\\" + std::string(270, 'd') + "\\*.c";
    EXPECT_EQ(ResolveTarget(entry, "*.txt", resolver, target), -2);
    EXPECT_TRUE(resolver.entered.empty());
}

}  // namespace
