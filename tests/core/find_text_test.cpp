#include "fileview/find_text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core_test_support.h"
#include "fileview/find_state.h"

namespace {

using V = std::vector<std::string>;

// The box's requests record what they ask and show; the wrap question is answered from a script.
struct FakeBox : FindBoxHost {
    std::vector<bool> wrapAnswers;
    V events;
    bool AskWrap() override {
        events.push_back("wrap?");
        const bool yes = !wrapAnswers.empty() && wrapAnswers.front();
        if (!wrapAnswers.empty()) wrapAnswers.erase(wrapAnswers.begin());
        return yes;
    }
    void Warn(const std::string& text) override { events.push_back(text); }
    void CloseBox() override { events.push_back("close"); }
    void FocusBox() override {}
    void SetHelpContext(int) override {}
    void ReportNoRoom() override { events.push_back("no room"); }
};

FindFlags Flags(bool down, bool matchCase = false, bool word = false, bool regular = false) {
    FindFlags f;
    f.Down = down, f.MatchCase = matchCase, f.WholeWord = word, f.Regular = regular;
    return f;
}

TEST(FindText, OccurrenceTable) {
    const FindFlags up = Flags(false), word = Flags(true, false, true);
    const FindFlags regular = Flags(true, false, false, true);
    const std::string found300(300, 'x');
    // clang-format off
    const struct { const char* name; std::string text; uint32_t position; FindFlags flags; std::string find;
                   int start; uint32_t length; } cases[] = {  // start -1: not found
        {"down from the position", "cat dog cat", 1, Flags(true), "cat", 8, 3},
        {"down at the position", "cat dog cat", 0, Flags(true), "cat", 0, 3},
        {"up: nearest ending before", "cat dog cat", 10, up, "cat", 0, 3},
        {"up: ending exactly at the position", "cat dog cat", 11, up, "cat", 8, 3},
        {"up: overlapping, the last", "aaaa", 3, up, "aa", 1, 2},
        {"up from 0 finds nothing", "cat", 0, up, "cat", -1, 0},
        {"case off matches any case", "a CAT", 0, Flags(true), "cat", 2, 3},
        {"case on", "a CAT cat", 0, Flags(true, true), "cat", 6, 3},
        {"word at offset 0: the line feed before it", "cat x", 0, word, "cat", 0, 3},
        {"word fails on the first occurrence inside a word", "concat cat", 0, word, "cat", -1, 0},
        {"word up tests the real neighbour after", "cats cat", 3, Flags(false, false, true), "cat", -1, 0},
        {"regular down", "x a1 b2", 0, regular, "[a-z][0-9]", 2, 2},
        {"regular up takes the last before the position", "a1 b2 c3", 6, Flags(false, false, false, true), "[a-z][0-9]", 3, 2},
        {"empty find text", "abc", 0, Flags(true), "", -1, 0},
        {"position past the end", "abc", 99, up, "c", 2, 1},
        {"text too long for EditView", std::string(kFileViewCapacity, 'a'), 0, Flags(true), "a", -1, 0},
        {"a long find text is searched whole", std::string(255, 'x') + "y" + found300, 0, Flags(true), found300, 256, 300},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint32_t start = 0, length = 0;
        ASSERT_EQ(FindOccurrence(c.text, c.position, c.flags, c.find, start, length), c.start >= 0);
        if (c.start >= 0) { EXPECT_EQ(std::pair(start, length), std::pair(uint32_t(c.start), c.length)); }
    }
}

TEST(FindText, MissCollapsesTheSelection) {
    // Plain down: at the selection's end; the box's find next and up: at its start.
    const std::pair<FindFlags, uint32_t> cases[] = {
        {Flags(true), 6}, {FindFlags{.Down = true, .FindNext = true}, 4}, {Flags(false), 4}};
    for (const auto& [flags, expected] : cases) {
        FakeEdit edit("abcdefgh", 4, 6);
        uint32_t position = 0;
        EXPECT_FALSE(FindInEditView(edit, position, flags, "zz"));
        EXPECT_EQ(std::tuple(position, edit.selStart, edit.selEnd), std::tuple(expected, expected, expected));
    }
    FakeEdit tooLong(std::string(kFileViewCapacity, 'a'), 3, 5);
    uint32_t position = 7;
    EXPECT_FALSE(FindInEditView(tooLong, position, Flags(true), "a"));
    EXPECT_EQ(position, 7u);
    EXPECT_EQ(tooLong.selStart, 3u);
}

TEST(FindText, ReplaceAllCountsAndNeverLoops) {
    // clang-format off
    const struct { std::string text, find, replace, expected; uint32_t count; } cases[] = {
        {"a cat, a cat", "cat", "dog", "a dog, a dog", 2},
        {"cat", "cat", "concatenate", "concatenate", 1},  // holds the find text
        {"catcat", "cat", "", "", 2},                     // shorter
        {"no match", "cat", "dog", "no match", 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeEdit edit(c.text, 3, 3);
        EXPECT_EQ(ReplaceAllInEditView(edit, Flags(false), c.find, c.replace).count, c.count) << c.text;
        EXPECT_EQ(edit.text, c.expected);
    }
}

// A replacement never takes the text to the limit: Replace All then changes
// nothing, and the box's Replace All stops before it with every earlier
// replacement whole.
TEST(FindText, ReplacementsStopBelowTheLimit) {
    const uint32_t limit = kFileViewCapacity;
    // clang-format off
    const struct { const char* name; size_t length; std::string replace; uint32_t all; } cases[] = {
        {"last fits with a character to spare", limit - 3, "cats", 2},
        {"last would reach the limit", limit - 2, "cats", 0},
        {"shorter always fits", limit - 1, "c", 2},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string text = "cat" + std::string(c.length - 6, '.') + "cat";
        FakeEdit edit(text);
        const ReplaceAllResult all = ReplaceAllInEditView(edit, Flags(true), "cat", c.replace);
        EXPECT_EQ(std::pair(all.count, all.noRoom), std::pair(c.all, c.all == 0)) << c.name;
        EXPECT_EQ(edit.text.size(), c.all ? text.size() + 2 * (c.replace.size() - 3) : text.size()) << c.name;

        FakeEdit boxEdit(text);
        FakeBox box;
        FindState state;
        ReplaceFromBox(box, boxEdit, state, Flags(true), "cat", c.replace, true);
        EXPECT_LT(boxEdit.text.size(), limit) << c.name;
        const bool stopped = box.events == V{"no room"};
        EXPECT_EQ(stopped, c.all == 0) << c.name;
        if (stopped) { EXPECT_EQ(boxEdit.text.substr(0, 4) + boxEdit.Selected(), c.replace + "cat") << c.name; }
    }
}

TEST(FindText, BoxFindWrapsAndCompletes) {
    // clang-format off
    const struct { const char* find; uint32_t caret; std::vector<bool> wrap; int presses; V events; uint32_t selStart; } cases[] = {
        {"cat", 5, {true}, 4, {"wrap?", "close", "Find complete!\t"}, 5},  // complete at the old caret
        {"cat", 5, {false}, 3, {"wrap?"}, 9},  // wrap No keeps the place
        {"cat", 0, {}, 4, {"close", "Find complete!\t"}, 9},
        {"zz", 0, {}, 1, {"close", "Text 'zz' not found!\t"}, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeEdit edit("cat. cat cat", c.caret, c.caret);
        FakeBox box;
        box.wrapAnswers = c.wrap;
        FindState state;
        state.StartPosition = c.caret;
        for (int i = 0; i < c.presses; ++i)
            FindNextFromBox(box, edit, state, {.Down = true, .FindNext = true}, c.find);
        EXPECT_EQ(box.events, c.events) << c.find << c.caret << c.presses;
        EXPECT_EQ(edit.selStart, c.selStart) << c.find << c.caret << c.presses;
    }
    // Up stops at the top silently.
    FakeEdit edit("cat cat", 4, 7);
    FakeBox box;
    FindState state;
    state.StartPosition = 4;
    FindNextFromBox(box, edit, state, Flags(false), "cat");
    EXPECT_EQ(std::pair(edit.selStart, edit.selEnd), std::pair(0u, 3u));
    FindNextFromBox(box, edit, state, Flags(false), "cat");
    EXPECT_TRUE(box.events.empty());
    EXPECT_EQ(std::pair(edit.selStart, edit.selEnd), std::pair(0u, 0u));
}

// The box's Replace goes one occurrence at a time and selects the next;
// Replace All goes round once from the caret, ending where it began.
TEST(FindText, BoxReplaces) {
    // clang-format off
    const struct { const char* text; uint32_t caret; const char* find; const char* with; bool all;
                   int presses; const char* result; V events; const char* selected; } cases[] = {
        {"a a a a", 4, "a", "aa", true, 1, "aa aa aa aa", {"close", "Replace complete!\t"}, ""},
        {"b b", 0, "a", "x", true, 1, "b b", {"close", "Text 'a' not found!\t"}, ""},
        {"cat cat cat", 0, "cat", "lion", false, 1, "lion cat cat", {}, "cat"},
        {"cat cat cat", 0, "cat", "lion", false, 2, "lion lion cat", {}, "cat"},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeEdit edit(c.text, c.caret, c.caret);
        FakeBox box;
        FindState state;
        state.StartPosition = c.caret;
        for (int i = 0; i < c.presses; ++i)
            ReplaceFromBox(box, edit, state, Flags(true), c.find, c.with, c.all);
        EXPECT_EQ(edit.text, c.result) << c.result;
        EXPECT_EQ(box.events, c.events) << c.result;
        EXPECT_EQ(edit.Selected(), c.selected) << c.result;
    }
}

// The box's buttons become the last find's; a replace always runs down.
TEST(FindText, BoxRequestsRememberTheirButtons) {
    // clang-format off
    const struct { bool findNext, replace, all; FindFlags flags; const char* text; bool down;
                   uint32_t selStart; } cases[] = {
        {true, false, false, Flags(false, true, true), "cat cat", false, 0},
        {false, true, false, Flags(false, true), "cat dog", true, 0},
        {false, true, true, Flags(false), "dog dog", true, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeEdit edit("cat cat", 4, 7);
        FakeBox box;
        FindState state;
        state.StartPosition = 4;
        OnFindBoxRequest(box, edit, state, {c.findNext, c.replace, c.all, c.flags, "cat", "dog"});
        EXPECT_EQ(std::pair(edit.text, edit.selStart), std::pair(std::string(c.text), c.selStart));
        EXPECT_EQ(std::tuple(g_FindReplace.Down, g_FindReplace.MatchCase, g_FindReplace.WholeWord),
                  std::tuple(c.down, c.flags.MatchCase, c.flags.WholeWord)) << c.text;
    }
    InitFindReplace();
}

// F3 repeats the last find with its buttons; a miss from the top says so.
TEST(FindText, FindNextAgainUsesTheLastFind) {
    // clang-format off
    const struct { const char* find; bool down, matchCase; uint32_t selStart; std::string miss; } cases[] = {
        {"", true, false, 0, ""},
        {"cat", true, false, 4, ""},
        {"Cat", true, true, 3, "Text 'Cat' was not found.\t"},
        {"cat", false, false, 4, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SetFindString(c.find);
        SetFindButtons(c.down, c.matchCase, false);
        FakeEdit edit("cat cat", 0, 3);
        EXPECT_EQ(FindNextAgain(edit), c.miss) << c.find << c.down;
        EXPECT_EQ(edit.selStart, c.selStart) << c.find << c.down;
    }
    InitFindReplace();
}

TEST(FindText, FindNextCommand) {
    // clang-format off
    const struct { uint32_t sel; bool down; const char* find; bool result; uint32_t selStart; } cases[] = {
        {0, true, "cat", true, 3}, {9, true, "cat", true, 3},  // a miss past the last turns to the top
        {0, true, "dog", false, 0}, {0, false, "cat", true, 8},  // up from the top turns to the bottom
        {2, true, "", true, 2},  // an empty find text does nothing
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeEdit edit("xx cat. cat", c.sel, c.sel);
        EXPECT_EQ(FindNextCommand(edit, Flags(c.down), c.find), c.result) << c.sel << c.down << c.find;
        EXPECT_EQ(edit.selStart, c.selStart) << c.sel << c.down << c.find;
    }
}

}  // namespace
