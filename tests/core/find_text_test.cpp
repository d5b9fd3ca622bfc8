#include "fileview/find_text.h"

#include <gtest/gtest.h>

namespace {

// EditView as a string with a selection; a replacement leaves the caret after it.
struct FakeEdit : EditBuffer {
    std::string text;
    uint32_t selStart = 0, selEnd = 0;
    explicit FakeEdit(std::string t, uint32_t s = 0, uint32_t e = 0)
        : text(std::move(t)), selStart(s), selEnd(e) {}
    std::string Text() override { return text; }
    void GetSelection(uint32_t& s, uint32_t& e) override { s = selStart, e = selEnd; }
    void SetSelection(uint32_t s, uint32_t e) override { selStart = s, selEnd = e; }
    void ReplaceSelectionWith(std::string_view r) override {
        text.replace(selStart, selEnd - selStart, r);
        selStart = selEnd = selStart + static_cast<uint32_t>(r.size());
    }
    std::string Selected() const { return text.substr(selStart, selEnd - selStart); }
};

// The box's requests record what they ask and show; the wrap question is answered from a script.
struct FakeBox : FindBoxHost {
    std::vector<bool> wrapAnswers;
    std::vector<std::string> events;
    bool AskWrap() override {
        events.push_back("wrap?");
        bool yes = !wrapAnswers.empty() && wrapAnswers.front();
        if (!wrapAnswers.empty()) wrapAnswers.erase(wrapAnswers.begin());
        return yes;
    }
    void Warn(const std::string& text) override { events.push_back(text); }
    void CloseBox() override { events.push_back("close"); }
    void FocusBox() override {}
    void SetHelpContext(int) override {}
};

FindFlags Flags(bool down, bool matchCase = false, bool word = false, bool regular = false) {
    FindFlags f;
    f.Down = down, f.MatchCase = matchCase, f.WholeWord = word, f.Regular = regular;
    return f;
}

struct OccurrenceCase {
    const char* name;
    std::string text;
    uint32_t position;
    FindFlags flags;
    std::string find;
    int start;  // -1: not found
    uint32_t length;
};

TEST(FindText, OccurrenceTable) {
    const OccurrenceCase cases[] = {
        {"down from the position", "cat dog cat", 1, Flags(true), "cat", 8, 3},
        {"down at the position", "cat dog cat", 0, Flags(true), "cat", 0, 3},
        {"up: nearest ending before", "cat dog cat", 10, Flags(false), "cat", 0, 3},
        {"up: ending exactly at the position", "cat dog cat", 11, Flags(false), "cat", 8, 3},
        {"up: overlapping, the last", "aaaa", 3, Flags(false), "aa", 1, 2},
        {"up from 0 finds nothing", "cat", 0, Flags(false), "cat", -1, 0},
        {"case off matches any case", "a CAT", 0, Flags(true), "cat", 2, 3},
        {"case on", "a CAT cat", 0, Flags(true, true), "cat", 6, 3},
        {"word at offset 0: the line feed before it", "cat x", 0, Flags(true, false, true), "cat",
         0, 3},
        {"word fails on the first occurrence inside a word", "concat cat", 0,
         Flags(true, false, true), "cat", -1, 0},
        {"word up tests the real neighbour after", "cats cat", 3, Flags(false, false, true), "cat",
         -1, 0},
        {"regular down", "x a1 b2", 0, Flags(true, false, false, true), "[a-z][0-9]", 2, 2},
        {"regular up takes the last before the position", "a1 b2 c3", 6,
         Flags(false, false, false, true), "[a-z][0-9]", 3, 2},
        {"empty find text", "abc", 0, Flags(true), "", -1, 0},
        {"position past the end", "abc", 99, Flags(false), "c", 2, 1},
        {"text too long for EditView", std::string(kEditTextLimit, 'a'), 0, Flags(true), "a", -1,
         0},
    };
    for (const auto& c : cases) {
        uint32_t start = 0, length = 0;
        bool found = FindOccurrence(c.text, c.position, c.flags, c.find, start, length);
        EXPECT_EQ(found, c.start >= 0) << c.name;
        if (found && c.start >= 0) {
            EXPECT_EQ(start, static_cast<uint32_t>(c.start)) << c.name;
            EXPECT_EQ(length, c.length) << c.name;
        }
    }
}

TEST(FindText, LongFindTextIsSearchedWhole) {
    std::string find(300, 'x');
    std::string text = std::string(255, 'x') + "y" + find;
    uint32_t start = 0, length = 0;
    ASSERT_TRUE(FindOccurrence(text, 0, Flags(true), find, start, length));
    EXPECT_EQ(start, 256u);
    EXPECT_EQ(length, 300u);
}

TEST(FindText, MissCollapsesTheSelection) {
    struct Case {
        FindFlags flags;
        uint32_t expected;
    } cases[] = {
        {Flags(true), 6},  // plain down: the selection's end
        {[] {
             auto f = Flags(true);
             f.FindNext = true;
             return f;
         }(),
         4},                // box's find next: its start
        {Flags(false), 4},  // up: its start
    };
    for (const auto& c : cases) {
        FakeEdit edit("abcdefgh", 4, 6);
        uint32_t position = 0;
        EXPECT_FALSE(FindInEditView(edit, position, c.flags, "zz"));
        EXPECT_EQ(position, c.expected);
        EXPECT_EQ(edit.selStart, c.expected);
        EXPECT_EQ(edit.selEnd, c.expected);
    }
    FakeEdit tooLong(std::string(kEditTextLimit, 'a'), 3, 5);
    uint32_t position = 7;
    EXPECT_FALSE(FindInEditView(tooLong, position, Flags(true), "a"));
    EXPECT_EQ(position, 7u);
    EXPECT_EQ(tooLong.selStart, 3u);
}

TEST(FindText, ReplaceAllCountsAndNeverLoops) {
    struct Case {
        std::string text, find, replace, expected;
        uint32_t count;
    } cases[] = {
        {"a cat, a cat", "cat", "dog", "a dog, a dog", 2},
        {"cat", "cat", "concatenate", "concatenate", 1},  // holds the find text
        {"catcat", "cat", "", "", 2},                     // shorter
        {"no match", "cat", "dog", "no match", 0},
    };
    for (const auto& c : cases) {
        FakeEdit edit(c.text, 3, 3);
        EXPECT_EQ(ReplaceAllInEditView(edit, Flags(false), c.find, c.replace), c.count) << c.text;
        EXPECT_EQ(edit.text, c.expected);
    }
}

TEST(FindText, BoxFindWrapsAndCompletes) {
    struct Case {
        const char* name;
        uint32_t caret;
        std::vector<bool> wrap;
        int presses;
        std::vector<std::string> events;
        uint32_t selStart;
    } cases[] = {
        {"after the caret, wrap Yes, then complete at the old caret",
         5,
         {true},
         4,
         {"wrap?", "close", "Find complete!\t"},
         5},
        {"wrap No keeps the place", 5, {false}, 3, {"wrap?"}, 9},
        {"from 0: found, then complete at the end", 0, {}, 4, {"close", "Find complete!\t"}, 9},
        {"from 0 nothing found", 0, {}, 1, {"close", "Text 'zz' not found!\t"}, 0},
    };
    for (const auto& c : cases) {
        std::string find = c.name == std::string("from 0 nothing found") ? "zz" : "cat";
        FakeEdit edit("cat. cat cat", c.caret, c.caret);
        FakeBox box;
        box.wrapAnswers = c.wrap;
        FindState state;
        state.StartPosition = c.caret;
        FindFlags boxFlags = Flags(true);
        boxFlags.FindNext = true;
        for (int i = 0; i < c.presses; ++i) FindNextFromBox(box, edit, state, boxFlags, find);
        EXPECT_EQ(box.events, c.events) << c.name;
        EXPECT_EQ(edit.selStart, c.selStart) << c.name;
    }
}

TEST(FindText, BoxFindUpStopsAtTheTopSilently) {
    FakeEdit edit("cat cat", 4, 7);
    FakeBox box;
    FindState state;
    state.StartPosition = 4;
    FindNextFromBox(box, edit, state, Flags(false), "cat");
    EXPECT_EQ(edit.Selected(), "cat");
    EXPECT_EQ(edit.selStart, 0u);
    FindNextFromBox(box, edit, state, Flags(false), "cat");
    EXPECT_TRUE(box.events.empty());
    EXPECT_EQ(edit.selStart, 0u);
    EXPECT_EQ(edit.selEnd, 0u);
}

TEST(FindText, BoxReplaceAllGoesRoundOnce) {
    // Caret in the middle: after it, then before it, ending at the old caret.
    FakeEdit edit("a a a a", 4, 4);
    FakeBox box;
    FindState state;
    state.StartPosition = 4;
    ReplaceFromBox(box, edit, state, Flags(true), "a", "aa", true);
    EXPECT_EQ(edit.text, "aa aa aa aa");
    EXPECT_EQ(box.events, (std::vector<std::string>{"close", "Replace complete!\t"}));

    FakeEdit none("b b", 0, 0);
    FakeBox box2;
    FindState fromTop;
    ReplaceFromBox(box2, none, fromTop, Flags(true), "a", "x", true);
    EXPECT_EQ(box2.events, (std::vector<std::string>{"close", "Text 'a' not found!\t"}));
}

TEST(FindText, SingleReplaceSelectsTheNext) {
    FakeEdit edit("cat cat cat", 0, 0);
    FakeBox box;
    FindState state;
    ReplaceFromBox(box, edit, state, Flags(true), "cat", "lion", false);
    EXPECT_EQ(edit.text, "lion cat cat");
    EXPECT_EQ(edit.selStart, 5u);
    EXPECT_EQ(edit.Selected(), "cat");
    ReplaceFromBox(box, edit, state, Flags(true), "cat", "lion", false);
    EXPECT_EQ(edit.text, "lion lion cat");
    EXPECT_EQ(edit.Selected(), "cat");
    EXPECT_TRUE(box.events.empty());
}

TEST(FindText, FindNextCommand) {
    struct Case {
        const char* name;
        uint32_t sel;
        bool down;
        const char* find;
        bool result;
        uint32_t selStart;
    } cases[] = {
        {"next after the selection", 0, true, "cat", true, 3},
        {"miss past the last turns to the top", 9, true, "cat", true, 3},
        {"nothing from the top", 0, true, "dog", false, 0},
        {"up from the top turns to the bottom", 0, false, "cat", true, 8},
        {"empty find text does nothing", 2, true, "", true, 2},
    };
    for (const auto& c : cases) {
        FakeEdit edit("xx cat. cat", c.sel, c.sel);
        FindFlags f = Flags(c.down);
        EXPECT_EQ(FindNextCommand(edit, f, c.find), c.result) << c.name;
        EXPECT_EQ(edit.selStart, c.selStart) << c.name;
    }
}

}  // namespace
