#include "app/main_logic.h"

#include <gtest/gtest.h>

#include "resource_ids.h"

namespace {

TEST(ValidateFileType, KeepsEverythingFromTheFirstFullStop) {
    struct Case {
        const char* typed;
        bool valid;
        const char* result;
    } cases[] = {
        {"Notes.TXT", true, "*.txt"}, {"*.c", true, "*.c"},  {"a.tar.GZ", true, "*.tar.gz"},
        {".h", true, "*.h"},          {"txt", false, "txt"}, {"", false, ""},
    };
    for (const Case& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(ValidateFileType(text), c.valid) << c.typed;
        EXPECT_EQ(text, c.result) << c.typed;
    }
}

TEST(PlanHistoryInsert, TopEntryChangesNothingAndFullListsDropTheirLast) {
    HistoryEdit edit;
    EXPECT_FALSE(PlanHistoryInsert({"C:\\Src", "d"}, "c:\\src", 8, edit));
    ASSERT_TRUE(PlanHistoryInsert({"a", "b", "c"}, "C", 8, edit));
    EXPECT_EQ(edit.removeAt, 2);
    std::vector<std::string> full = {"1", "2", "3", "4", "5", "6", "7", "8"};
    ASSERT_TRUE(PlanHistoryInsert(full, "new", 8, edit));
    EXPECT_EQ(edit.removeAt, 7);
    // A list already beyond the limit keeps growing.
    full.push_back("9");
    ASSERT_TRUE(PlanHistoryInsert(full, "new", 8, edit));
    EXPECT_EQ(edit.removeAt, -1);
}

TEST(IsMainCommandEnabled, FollowsFocusSelectionRowsAndMarks) {
    ListSnapshot rowsOnly{false, 0, 3, false};
    EXPECT_FALSE(IsMainCommandEnabled(IDM_CLEAR_LIST, rowsOnly));  // needs a selection
    EXPECT_TRUE(IsMainCommandEnabled(IDM_SORT_LIST, rowsOnly));
    EXPECT_TRUE(IsMainCommandEnabled(IDM_SELECT_ALL_ITEMS, rowsOnly));
    EXPECT_FALSE(IsMainCommandEnabled(IDM_OPEN_FILE, rowsOnly));
    EXPECT_FALSE(IsMainCommandEnabled(IDM_FIND_IN_MARKED, rowsOnly));

    ListSnapshot focused{true, 1, 3, true};
    for (int command : {IDM_OPEN_FILE, IDM_MARK_ITEM, IDM_RENAME_FILE, IDM_DELETE_FILES,
                        IDM_FIND_IN_SELECTED, IDM_FIND_IN_MARKED, IDM_DELETE_ITEM})
        EXPECT_TRUE(IsMainCommandEnabled(command, focused)) << command;
    EXPECT_TRUE(IsMainCommandEnabled(IDM_FIND_FILES, ListSnapshot{}));
}

TEST(JoinDroppedNames, JoinsLowerCasedWithoutATrailingSeparator) {
    EXPECT_EQ(JoinDroppedNames({"C:\\A.C", "c:\\B.h"}), "c:\\a.c;c:\\b.h");
    EXPECT_EQ(JoinDroppedNames({"X"}), "x");
    // The joined text and its terminator stay under 64 KiB.
    std::vector<std::string> many(300, std::string(259, 'n'));
    EXPECT_EQ(JoinDroppedNames(many), "");
}

TEST(StatusPartEdges, LastPartEndsTwoCharactersFromTheEdge) {
    EXPECT_EQ(StatusPartEdges(500, 8, {0, 3, 3}), (std::vector<int>{436, 460, 484}));
}

TEST(PlanToolbarCombo, AddsSeparatorsEnoughForTheCharacters) {
    ToolbarComboSpace space = PlanToolbarCombo(8, 6, 8);
    EXPECT_EQ(space.extraSeparators, 8);  // (8 * 8 - 1) / 8 = 7, plus one
    EXPECT_EQ(space.comboWidth, 56);
    EXPECT_EQ(PlanToolbarCombo(0, 6, 8).comboWidth, 0);
}

}  // namespace
