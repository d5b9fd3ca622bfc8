#include "app/main_logic.h"

#include <gtest/gtest.h>

#include "resource_ids.h"
#include "ui/controls.h"

namespace {

using V = std::vector<std::string>;

TEST(MainLogic, FileTypeKeepsEverythingFromTheFirstFullStop) {
    // clang-format off
    const struct { const char* typed; bool valid; const char* result; } cases[] = {
        {"Notes.TXT", true, "*.txt"}, {"a.tar.GZ", true, "*.tar.gz"}, {".h", true, "*.h"},
        {"txt", false, "txt"}, {"", false, ""}};
    // clang-format on
    for (const auto& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(ValidateFileType(text), c.valid) << c.typed;
        EXPECT_EQ(text, c.result) << c.typed;
    }
}

TEST(MainLogic, DroppedNamesJoinLowerCasedAndStayUnder64KiB) {
    EXPECT_EQ(JoinDroppedNames({"C:\\A.C", "c:\\B.h"}), "c:\\a.c;c:\\b.h");
    EXPECT_EQ(JoinDroppedNames(std::vector<std::string>(300, std::string(259, 'n'))), "");
    // Onto the Directory box only the first name goes, as the box holds it.
    EXPECT_EQ(DroppedText(true, {"C:\\Work", "c:\\other"}), "c:\\work");
    EXPECT_EQ(DroppedText(true, {std::string(300, 'D')}), std::string(255, 'd'));
    EXPECT_EQ(DroppedText(true, {}) + DroppedText(false, {}), "");
    EXPECT_EQ(DroppedText(false, {"C:\\A.C", "c:\\B.h"}), "c:\\a.c;c:\\b.h");
}

// A text already on top changes nothing; one further down moves up; a new one
// pushes the oldest out of a full list, but a list already past the limit is
// not cut.
TEST(MainLogic, HistoryMovesAKnownTextUpAndDropsTheOldest) {
    const V full = {"a", "b", "c", "d", "e", "f", "g", "h"};
    // clang-format off
    const struct { V entries; const char* text; size_t limit; bool changes; int removeAt; } cases[] = {
        {{}, "a", 8, true, -1}, {{"a", "b"}, "A", 8, false, -1}, {{"a", "b", "c"}, "B", 8, true, 1},
        {full, "H", 8, true, 7}, {full, "new", 8, true, 7}, {{"a", "b", "c"}, "new", 3, true, 2},
        {{"a", "b", "c", "d"}, "new", 3, true, -1}, {{}, "a", 0, true, -1}};
    // clang-format on
    for (const auto& c : cases) {
        HistoryEdit edit;
        edit.removeAt = 99;
        EXPECT_EQ(PlanHistoryInsert(c.entries, c.text, c.limit, edit), c.changes) << c.text;
        EXPECT_EQ(edit.removeAt, c.removeAt) << c.text << " " << c.entries.size();
    }
}

// The last part ends two characters short of the right edge; each earlier one
// ends its neighbour's width further left.
TEST(MainLogic, StatusPartsEndFromTheRightEdge) {
    // clang-format off
    const struct { int client, charWidth; std::vector<int> widths, edges; } cases[] = {
        {500, 8, {0, 10, 5}, {364, 444, 484}}, {500, 8, {0}, {484}}, {500, 8, {}, {}}, {50, 8, {0, 10, 5}, {-86, -6, 34}}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(StatusPartEdges(c.client, c.charWidth, c.widths), c.edges) << c.client;
}

// Enough separators to hold the combo's characters and two more; the combo
// takes all of them but the last. A separator without width makes no room.
TEST(MainLogic, ToolbarComboTakesTheRoomOfWholeSeparators) {
    // clang-format off
    const struct { int separator, chars, charWidth, extra, width; } cases[] = {
        {8, 20, 6, 17, 128}, {10, 8, 5, 5, 40}, {10, 9, 5, 6, 50}, {200, 20, 6, 1, 0},
        {0, 20, 6, 0, 0}, {-4, 20, 6, 0, 0}};
    // clang-format on
    for (const auto& c : cases) {
        const ToolbarComboSpace space = PlanToolbarCombo(c.separator, c.chars, c.charWidth);
        EXPECT_EQ(std::pair(space.extraSeparators, space.comboWidth), std::pair(c.extra, c.width)) << c.separator;
    }
}

// Each state the close can meet, and the steps it takes: nothing is saved or
// destroyed while the user keeps FileView's changes, or before a run or a
// walk has ended.
struct CloseRecorder : MainCloseHost {
    bool listRun = false, search = false, fileViewLets = true, saveOnExit = false;
    std::string steps;
    bool ListRunIsOn() override { return listRun; }
    void OweCloseAfterListRun() override { steps += "owe "; }
    bool SearchIsRunning() override { return search; }
    void AbortSearch() override { steps += "abort "; }
    bool FileViewMayClose() override { return steps += "ask ", fileViewLets; }
    bool SaveSettingsOnExit() override { return saveOnExit; }
    void SaveSettings() override { steps += "save "; }
    void DestroyWindows() override { steps += "destroy "; }
};

TEST(MainLogic, CloseAsksFileViewBeforeSavingAndCancelKeepsEverything) {
    // clang-format off
    const struct { bool listRun, search, fileViewLets, saveOnExit; MainClose result; const char* steps; }
    cases[] = {
        {false, false, true,  true,  MainClose::Closed,       "ask save destroy "},
        {false, false, true,  false, MainClose::Closed,       "ask destroy "},
        {false, false, false, true,  MainClose::KeptOpen,     "ask "},
        {false, true,  false, true,  MainClose::AfterSearch,  "abort "},
        {true,  true,  false, true,  MainClose::AfterListRun, "owe "},
    };
    // clang-format on
    for (const auto& c : cases) {
        CloseRecorder host;
        host.listRun = c.listRun, host.search = c.search;
        host.fileViewLets = c.fileViewLets, host.saveOnExit = c.saveOnExit;
        EXPECT_EQ(CloseMainWindow(host), c.result) << c.steps;
        EXPECT_EQ(host.steps, c.steps);
    }
}

// What each menu command needs of the list; commands not named need nothing.
TEST(MainLogic, CommandsAreEnabledByWhatTheListHolds) {
    const ListSnapshot empty, rows{false, 0, 3, false}, focused{true, 0, 3, false},
        selected{false, 2, 3, false}, marked{false, 0, 3, true};
    // clang-format off
    const struct { int command; bool onEmpty, onRows, onFocused, onSelected, onMarked; } cases[] = {
        {IDM_OPEN_FILE,        false, false, true,  false, false},
        {IDM_MARK_ITEM,        false, false, true,  false, false},
        {IDM_DELETE_FILES,     false, false, false, true,  false},
        {IDM_COPY_FILES,       false, false, false, true,  false},
        {IDM_MOVE_FILES,       false, false, false, true,  false},
        {IDM_RENAME_FILE,      false, false, false, true,  false},
        {IDM_ADD_TO_ZIP,       false, false, false, true,  false},
        {IDM_FIND_IN_SELECTED, false, false, false, true,  false},
        {IDM_DELETE_ITEM,      false, false, false, true,  false},
        {IDM_CLEAR_LIST,       false, false, false, true,  false},
        {IDM_FIND_IN_MARKED,   false, false, false, false, true},
        {IDM_COPY_LIST,        false, true,  true,  true,  true},
        {IDM_SORT_LIST,        false, true,  true,  true,  true},
        {IDM_SELECT_ALL_ITEMS, false, true,  true,  true,  true},
        {IDM_FIND_FILES,       true,  true,  true,  true,  true},
        {IDM_ABOUT,            true,  true,  true,  true,  true},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(IsMainCommandEnabled(c.command, empty), c.onEmpty) << c.command;
        EXPECT_EQ(IsMainCommandEnabled(c.command, rows), c.onRows) << c.command;
        EXPECT_EQ(IsMainCommandEnabled(c.command, focused), c.onFocused) << c.command;
        EXPECT_EQ(IsMainCommandEnabled(c.command, selected), c.onSelected) << c.command;
        EXPECT_EQ(IsMainCommandEnabled(c.command, marked), c.onMarked) << c.command;
    }
}

}  // namespace
