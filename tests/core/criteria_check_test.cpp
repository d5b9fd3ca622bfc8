#include "search/criteria_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "core_test_support.h"
#include "search/report.h"

namespace {

// The current directory is c:\cur.
FakeResolver Resolver() {
    return FakeResolver("C:\\Cur");
}

CriteriaInput GoodInput() {
    CriteriaInput input;
    input.Directory = " \"D:\\Work\" ", input.FileNames = "*.C;Src\\*.H", input.Level = "3";
    input.DateFrom = "1/2/99", input.DateTo = "", input.SizeLess = "10", input.SizeMore = "";
    input.LessUnitIndex = 2, input.MoreUnitIndex = -1;  // no selection: kb
    input.SearchText = "Needle", input.ExcludedFiles = {"*.obj"}, input.Today = {15, 6, 2024};
    return input;
}

Settings GoodSettings() {
    Settings settings;
    settings.DefaultFileType = "*.txt", settings.SubDirMode = 2, settings.SubDirLevel = 9;
    settings.TextOptions = 5, settings.EnableExcludeFiles = 1;
    return settings;
}

// The checks run in the window's order and stop at the first refusal; what
// passed before it is still handed over ("b" base directory, "t" type, "n"
// names, "d" depth, "s" search text).
TEST(CriteriaCheck, RefusalsComeInOrderAndKeepWhatPassedBeforeThem) {
    using Change = std::function<void(CriteriaInput&, Settings&)>;
    // clang-format off
    const struct { const char* name; Change change; CriteriaField focus; const char* refusal; const char* taken; } cases[] = {
        {"good", [](CriteriaInput&, Settings&) {}, CriteriaField::None, nullptr, "btnds"},
        {"no directory", [](CriteriaInput& i, Settings&) { i.Directory = "d:\\gone"; },
         CriteriaField::Directory, kBadDirectoryText, ""},
        {"locked", [](CriteriaInput& i, Settings&) { i.Directory = "d:\\locked"; },
         CriteriaField::Directory, kBadDirectoryText, ""},
        {"no type", [](CriteriaInput& i, Settings& s) { s.DefaultFileType.clear(); i.FileNames.clear(); },
         CriteriaField::None, kNoFileTypeText, "b"},
        {"no names", [](CriteriaInput& i, Settings&) { i.FileNames.clear(); i.Level = "x"; },
         CriteriaField::FileNames, kNoFileNameText, "bt"},
        {"bad level", [](CriteriaInput& i, Settings&) { i.Level = "+1"; i.DateFrom = "x"; },
         CriteriaField::Level, kBadLevelText, "btn"},
        {"level unused", [](CriteriaInput& i, Settings& s) { i.Level = "x"; s.SubDirMode = 1; },
         CriteriaField::None, nullptr, "btnds"},
        {"bad date", [](CriteriaInput& i, Settings&) { i.DateTo = "1/1/98"; i.SizeLess = "x"; },
         CriteriaField::None, kBadDatesText, "btnd"},
        {"bad less", [](CriteriaInput& i, Settings&) { i.SizeLess = "1k"; i.SizeMore = "x"; },
         CriteriaField::SizeLess, kBadLessText, "btnd"},
        {"bad more", [](CriteriaInput& i, Settings&) { i.SizeMore = "-1"; },
         CriteriaField::SizeMore, kBadMoreText, "btnd"},
        {"no text", [](CriteriaInput& i, Settings&) { i.SearchText.clear(); },
         CriteriaField::None, nullptr, "btnd"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CriteriaInput input = GoodInput();
        Settings settings = GoodSettings();
        c.change(input, settings);
        FakeResolver resolver = Resolver();
        const CriteriaCheck check = CheckSearchCriteria(input, settings, {}, true, resolver);
        EXPECT_EQ(check.accepted, c.refusal == nullptr);
        EXPECT_EQ(check.focus, c.focus);
        EXPECT_EQ(std::string(check.refusal ? check.refusal : ""), c.refusal ? c.refusal : "");
        std::string taken;
        for (auto [flag, letter] : {std::pair{check.baseDirectoryChanged, 'b'},
                                    {check.fileTypeTaken, 't'},
                                    {check.fileNamesTaken, 'n'},
                                    {check.depthTaken, 'd'},
                                    {check.searchTextTaken, 's'}})
            if (flag) taken += letter;
        EXPECT_EQ(taken, c.taken);
    }
}

TEST(CriteriaCheck, AcceptedCriteriaHoldTheControlsAndTheSettings) {
    FakeResolver resolver = Resolver();
    SearchCriteria last;
    last.SearchText = "old";
    const CriteriaCheck check =
        CheckSearchCriteria(GoodInput(), GoodSettings(), last, true, resolver);
    ASSERT_TRUE(check.accepted);
    const SearchCriteria& c = check.criteria;
    EXPECT_EQ(resolver.entered, std::vector<std::string>{"d:\\work"});
    EXPECT_EQ(std::tuple(c.BaseDirectory, c.FileNameList, c.DefaultFileType, c.SubDirLevel, c.WalkDepth),
              std::tuple("d:\\work", "*.c;src\\*.h", "*.txt", 3u, 3));
    EXPECT_EQ(CompareDates(c.DateFrom, {2, 1, 1999}) * 10 + CompareDates(c.DateTo, {15, 6, 2024}), 0);
    EXPECT_EQ(std::tuple(c.SizeLess, c.SizeLessUnit, c.SizeMoreUnit, c.SearchText, c.TextOptions, c.EnableExcludeFiles),
              std::tuple(10u, 1048576u, 1024u, "Needle", 5, true));
    EXPECT_EQ(c.ExcludedFiles, std::vector<std::string>{"*.obj"});
}

// The same base directory, in any case, is not entered again; a row search
// keeps the last list and level and walks each row's directory alone.
TEST(CriteriaCheck, SameBaseStaysAndRowSearchesKeepTheLastList) {
    FakeResolver resolver = Resolver();
    SearchCriteria last;
    last.BaseDirectory = "c:\\cur", last.FileNameList = "*.s", last.SubDirLevel = 4, last.WalkDepth = 4;
    CriteriaInput input = GoodInput();
    input.Directory = "";
    input.FileNames = "";
    const CriteriaCheck check = CheckSearchCriteria(input, GoodSettings(), last, false, resolver);
    ASSERT_TRUE(check.accepted);
    EXPECT_FALSE(check.baseDirectoryChanged);
    EXPECT_TRUE(resolver.entered.empty());
    EXPECT_FALSE(check.fileNamesTaken || check.depthTaken);
    EXPECT_EQ(std::tuple(check.criteria.FileNameList, check.criteria.SubDirLevel, check.criteria.WalkDepth),
              std::tuple("*.s", 4u, 0));
}

// Find in Selected and Find in Marked: the chosen rows top to bottom, and a
// row's own directory, resolved when it can be, as the target.
TEST(CriteriaCheck, RowSearchesTakeTheirRowsAndTheRowsOwnDirectory) {
    const std::vector<RowState> rows = {{true, false}, {false, true}, {true, true}, {false, false}};
    EXPECT_EQ(TargetRowsOf(false, rows), (std::vector<int>{0, 2}));
    EXPECT_EQ(TargetRowsOf(true, rows), (std::vector<int>{1, 2}));
    EXPECT_TRUE(TargetRowsOf(true, {}).empty());
    FakeResolver resolver = Resolver();
    // clang-format off
    const struct { const char* directory; const char* name; const char* target; } cases[] = {
        {"D:\\Src\\", "Main.C", "d:\\src"}, {"e:\\", "a.c", "e:\\"}, {"lib", "x.h", "c:\\cur\\lib"},
        {"d:\\gone\\Old", "y.h", "d:\\gone\\old"}};
    // clang-format on
    for (const auto& c : cases) {
        const SearchTarget target = RowSearchTarget(resolver, c.directory, c.name);
        EXPECT_EQ(target.directory + "|" + target.pattern, c.target + std::string("|") + c.name) << c.directory;
    }
}

}  // namespace
