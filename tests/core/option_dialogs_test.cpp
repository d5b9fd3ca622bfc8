#include "app/option_dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionDialogs, SortModeIsTheFirstCheckedButtonElseUnchanged) {
    const struct {
        bool checked[4];
        int current, mode;
    } cases[] = {
        {{false, false, true, false}, 0, 2},
        {{true, false, false, false}, 3, 0},
        {{false, true, false, true}, 0, 1},    // two checked: the first counts
        {{false, false, false, false}, 4, 4},  // after a Time header click
    };
    for (const auto& c : cases) EXPECT_EQ(SortModeFromButtons(c.checked, c.current), c.mode);
}

TEST(OptionDialogs, NewFileTypeKeepsTheOldOneWhenOnlyTheCaseDiffers) {
    const struct {
        const char* current;
        const char* typed;
        FileTypeChange change;
        const char* result;
    } cases[] = {
        {"*.txt", "*.TXT", FileTypeChange::Unchanged, "*.TXT"},
        {"*.Txt", "*.txt", FileTypeChange::Unchanged, "*.txt"},
        {"*.txt", "*.C", FileTypeChange::Changed, "*.c"},
        {"*.txt", "Notes.H", FileTypeChange::Changed, "*.h"},
        {"*.txt", "txt", FileTypeChange::Invalid, "txt"},
        {"*.txt", "", FileTypeChange::Invalid, ""},
        {"", "", FileTypeChange::Unchanged, ""},  // nothing typed over nothing: no error
    };
    for (const auto& c : cases) {
        std::string typed = c.typed;
        EXPECT_EQ(CheckNewFileType(c.current, typed), c.change) << c.current << " " << c.typed;
        EXPECT_EQ(typed, c.result) << c.typed;
    }
}

TEST(OptionDialogs, DeleteChoosesTheEntryThatTookItsPlaceElseTheOneBefore) {
    const struct {
        int remaining, deleted, chosen;
    } cases[] = {
        {7, 0, 0},   // the first: the new first
        {7, 3, 3},   // the middle: the one that moved up
        {7, 7, 6},   // the last of eight: the new last
        {0, 0, -1},  // the only one: nothing left to choose
        {3, -1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChosenAfterDelete(c.remaining, c.deleted), c.chosen)
            << c.remaining << " " << c.deleted;
}

TEST(OptionDialogs, ExcludedSlotsFollowTheListWithoutGapsAndAtMost32) {
    EXPECT_EQ(ExcludedFilesFromList({"*.z", "", "*.a"}), (std::vector<std::string>{"*.z", "*.a"}));
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i) many.push_back("*." + std::to_string(i));
    std::vector<std::string> slots = ExcludedFilesFromList(many);
    ASSERT_EQ(slots.size(), kExcludedFilesMax);
    EXPECT_EQ(slots.front(), "*.0");
    EXPECT_EQ(slots.back(), "*.31");
}

TEST(OptionDialogs, TabLengthMustBeNonZeroAndFitSixteenBits) {
    const struct {
        const char* text;
        int length;  // 0: refused
    } cases[] = {{"4", 4}, {" 12 ", 12}, {"1", 1},     {"65535", 65535},
                 {"0", 0}, {"65536", 0}, {"65540", 0}, {"4294967300", 0},
                 {"x", 0}, {"-1", 0},    {"8a", 0},    {"", 0}};
    for (const auto& c : cases) {
        uint16_t length = 9;
        EXPECT_EQ(ReadTabLength(c.text, length), c.length != 0) << c.text;
        EXPECT_EQ(length, c.length != 0 ? c.length : 9) << c.text;
    }
}

TEST(OptionDialogs, ContextLinesStayBelow1024) {
    const struct {
        const char* text;
        int lines;  // -1: refused
    } cases[] = {{"0", 0},           {"1023", 1023}, {"1024", -1}, {"65536", -1},
                 {"4294967296", -1}, {"", -1},       {"10x", -1},  {"-0", -1}};
    for (const auto& c : cases) {
        int lines = -1;
        EXPECT_EQ(ReadContextLines(c.text, lines), c.lines >= 0) << c.text;
        EXPECT_EQ(lines, c.lines) << c.text;
    }
}

}  // namespace
