#include "app/option_dialogs.h"
#include "fileview/view_options.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionDialogs, SortModeIsTheFirstCheckedButtonElseUnchanged) {
    // clang-format off
    const struct { bool checked[4]; int current, mode; } cases[] = {
        {{false, false, true, false}, 0, 2}, {{true, false, false, false}, 3, 0},
        {{false, true, false, true}, 0, 1},    // two checked: the first counts
        {{false, false, false, false}, 4, 4}};  // after a Time header click
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(SortModeFromButtons(c.checked, c.current), c.mode);
}

TEST(OptionDialogs, NewFileTypeKeepsTheOldOneWhenOnlyTheCaseDiffers) {
    // The typed type's own forms are checked with the main window's File Type box.
    // clang-format off
    using F = FileTypeChange;
    const struct { const char* current; const char* typed; FileTypeChange change; const char* result; } cases[] = {
        {"*.txt", "*.TXT", F::Unchanged, "*.TXT"}, {"*.Txt", "*.txt", F::Unchanged, "*.txt"},
        {"*.txt", "Notes.H", F::Changed, "*.h"}, {"*.txt", "", F::Invalid, ""},
        {"", "", F::Unchanged, ""}};  // nothing typed over nothing: no error
    // clang-format on
    for (const auto& c : cases) {
        std::string typed = c.typed;
        EXPECT_EQ(CheckNewFileType(c.current, typed), c.change) << c.current << " " << c.typed;
        EXPECT_EQ(typed, c.result) << c.typed;
    }
}

TEST(OptionDialogs, DeleteChoosesTheEntryThatTookItsPlaceElseTheOneBefore) {
    // The first: the new first; the middle: the one that moved up; the last of
    // eight: the new last; the only one: nothing left to choose.
    const int cases[][3] = {{7, 0, 0}, {7, 3, 3}, {7, 7, 6}, {0, 0, -1}, {3, -1, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ChosenAfterDelete(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(OptionDialogs, ExcludedSlotsFollowTheListWithoutGapsAndAtMost32) {
    EXPECT_EQ(ExcludedFilesFromList({"*.z", "", "*.a"}), (std::vector<std::string>{"*.z", "*.a"}));
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i) many.push_back("*." + std::to_string(i));
    std::vector<std::string> slots = ExcludedFilesFromList(many);
    ASSERT_EQ(slots.size(), kExcludedFilesMax);
    EXPECT_EQ(slots.front() + slots.back(), "*.0*.31");
}

// Zero is a length like any other: OK ends the dialog with it.
TEST(OptionDialogs, TabLengthMustFitSixteenBits) {
    // clang-format off
    const std::pair<const char*, int> cases[] = {  // -1: refused
        {"4", 4}, {" 12 ", 12}, {"1", 1}, {"65535", 65535}, {"0", 0}, {"65536", -1}, {"65540", -1},
        {"4294967300", -1}, {"x", -1}, {"-1", -1}, {"8a", -1}, {"", -1}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        uint16_t length = 9;
        EXPECT_EQ(ReadTabLength(text, length), expected >= 0) << text;
        EXPECT_EQ(length, expected >= 0 ? expected : 9) << text;
    }
}

TEST(OptionDialogs, ContextLinesStayBelow1024) {
    // clang-format off
    const std::pair<const char*, int> cases[] = {  // -1: refused
        {"0", 0}, {"1023", 1023}, {"1024", -1}, {"65536", -1}, {"4294967296", -1}, {"", -1},
        {"10x", -1}, {"-0", -1}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        int lines = -1;
        EXPECT_EQ(ReadContextLines(text, lines), expected >= 0) << text;
        EXPECT_EQ(lines, expected) << text;
    }
}

}  // namespace
