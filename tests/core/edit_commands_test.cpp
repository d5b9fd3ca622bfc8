#include "fileview/edit_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core_test_support.h"

namespace {

using V = std::vector<std::string>;

TEST(SelectionTextOf, TakesTheSelectedCharactersAndNothingMore) {
    const std::string longLine(300, 'x');
    const std::string threeLines = "one\r\ntwo\r\nthree";
    // clang-format off
    const struct { std::string text; size_t start, end; std::string expected; } cases[] = {
        {threeLines, 1, 12, "ne\r\ntwo\r\nth"}, {threeLines, 12, 1, "ne\r\ntwo\r\nth"},  // given backwards
        {threeLines, 4, 4, ""}, {"a" + longLine + "b", 0, 302, "a" + longLine + "b"},  // no 255 cut
        {threeLines, 10, 999, "three"}, {threeLines, 900, 999, ""},  // past the end stops there
        {std::string("a\0b", 3), 0, 3, std::string("a\0b", 3)}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(SelectionTextOf(c.text, c.start, c.end), c.expected) << c.start << "-" << c.end;
}

TEST(ChangeCase, OnlyAsciiLettersChange) {
    const std::string mixed = "Abc 1\xE4\xC4@[`{zZ\r\n";
    const std::pair<CaseChange, std::string> cases[] = {
        {CaseChange::Upper, "ABC 1\xE4\xC4@[`{ZZ\r\n"},
        {CaseChange::Lower, "abc 1\xE4\xC4@[`{zz\r\n"},
        {CaseChange::Toggle, "aBC 1\xE4\xC4@[`{Zz\r\n"}};
    for (const auto& [change, expected] : cases) {
        std::string text = mixed;
        ChangeCase(text, change);
        EXPECT_EQ(text, expected) << static_cast<int>(change);
    }
}

// The case commands change only the selection and select it again.
TEST(ChangeCase, OfTheSelectionOnly) {
    // clang-format off
    const struct { uint32_t start, end; CaseChange change; const char* text; } cases[] = {
        {6, 15, CaseChange::Upper, "first LINE\r\nSECond line"},
        {0, 5, CaseChange::Toggle, "FIRST Line\r\nsecond line"},
        {3, 3, CaseChange::Upper, "first Line\r\nsecond line"},  // nothing selected
        {30, 40, CaseChange::Upper, "first Line\r\nsecond line"},  // past the end
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeEdit edit("first Line\r\nsecond line", c.start, c.end);
        ChangeCaseOfSelection(edit, c.change);
        EXPECT_EQ(edit.text, c.text) << c.start;
        EXPECT_EQ(std::pair(edit.selStart, edit.selEnd), std::pair(c.start, c.end)) << c.start;
    }
}

TEST(Overwrite, ATypedCharacterReplacesOneInsideALine) {
    // clang-format off
    const struct { bool insert, control; char typed; int caret; bool overwrites; } cases[] = {
        {false, false, 'x', 3, true}, {false, false, 'x', 4, false},  // inside, at the line's end
        {true, false, 'x', 3, false}, {false, true, 'x', 3, false},
        {false, false, '\b', 3, false}, {false, false, '\r', 3, false}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(TypedCharacterOverwrites(c.insert, c.control, c.typed, c.caret, 4), c.overwrites)
            << c.insert << c.control << int(c.typed) << c.caret;
}

TEST(LineViewClipboardText, EachLineEndsInCrLf) {
    // clang-format off
    const std::pair<V, std::string> cases[] = {
        {{}, ""}, {{""}, "\r\n"}, {{"1: a", "2:\tb", "3: c"}, "1: a\r\n2:\tb\r\n3: c\r\n"},
        {{std::string(400, 'q')}, std::string(400, 'q') + "\r\n"}};
    // clang-format on
    for (const auto& [lines, expected] : cases) EXPECT_EQ(LineViewClipboardText(lines), expected);
}

// Two edit controls in memory; the log records the order of the steps.
class FakeEditPair : public EditSwapHost {
  public:
    EditContent control[2];  // [0] not wrapping, [1] wrapping
    bool shown = false;      // which one is EditView
    bool checked = false;
    size_t capacity = 100;  // what the new control takes
    std::string log;

    EditContent Take(bool wrapping) override { return log += "take ", control[wrapping]; }
    void Arrange(bool wrapping) override { log += "arrange ", shown = wrapping; }
    bool Put(bool wrapping, const EditContent& content) override {
        log += "put ";
        control[wrapping] = {content.text.substr(0, capacity), content.selStart, content.selEnd};
        return content.text.size() <= capacity;
    }
    void Clear(bool wrapping) override { log += "clear ", control[wrapping] = EditContent{}; }
    void CheckWrapItem(bool on) override { log += "check ", checked = on; }
};

auto Held(const EditContent& c) {
    return std::tuple(c.text, c.selStart, c.selEnd);
}

// The text and selection move and survive two switches; a text the other
// control cannot take stays where it is.
TEST(SwapEditControl, TheTextAndSelectionMoveUnlessTheOtherControlCannotTakeThem) {
    FakeEditPair pair;
    const EditContent content = {"line one\r\nline two", 3, 12};
    pair.control[0] = content;
    bool wrap = SwapEditControl(false, pair);
    EXPECT_TRUE(wrap && pair.shown && pair.checked);
    EXPECT_EQ(Held(pair.control[1]), Held(content));
    EXPECT_EQ(pair.control[0].text, "");  // not held twice
    EXPECT_EQ(pair.log, "take arrange put clear check ");

    wrap = SwapEditControl(wrap, pair);
    EXPECT_FALSE(wrap || pair.shown || pair.checked);
    EXPECT_EQ(Held(pair.control[0]), Held(content));

    FakeEditPair full;
    full.control[1] = {std::string(150, 'w'), 0, 150};
    full.shown = full.checked = true;
    EXPECT_TRUE(SwapEditControl(true, full));
    EXPECT_TRUE(full.shown && full.checked);
    EXPECT_EQ(full.control[1].text, std::string(150, 'w'));
    EXPECT_EQ(full.control[0].text, "");  // no half text left behind
    EXPECT_EQ(full.log, "take arrange put clear arrange ");
}

}  // namespace
