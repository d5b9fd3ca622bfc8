#include "search/matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "ui/text_options.h"

namespace {

constexpr long kNone = -1;
constexpr uint8_t P = 0, R = kTextRegular;

long Offset(const char* at, const char* text) {
    return at == nullptr ? kNone : static_cast<long>(at - text);
}

// Case off lower-cases A to Z only, whatever the alignment of the text.
TEST(LowerCaseText, ChangesOnlyAsciiCapitals) {
    std::string all;
    for (int c = 0; c < 512; ++c) all += static_cast<char>(c);
    std::string lowered = all;
    LowerCaseText(lowered.data() + 3, all.size() - 8);
    for (int i = 0; i < 512; ++i) {
        const int c = i % 256;
        const bool inside = i >= 3 && i < 504;
        EXPECT_EQ(static_cast<unsigned char>(lowered[i]),
                  inside && c >= 'A' && c <= 'Z' ? c + 32 : c)
            << i;
    }
}

// Plain mode has no pattern language and leaves case to the caller. Regular:
// one level of backslashes goes at compile time, the next in the run; an
// escape does not leak into the next attempt; matches run over line ends;
// repetition is greedy, never backs off, and needs the element once.
TEST(FindMatch, PlainAndRegular) {
    const struct { const char* text; const char* searchText; uint8_t options; long position; uint32_t length; } cases[] = {
        // clang-format off
        {"xabcabc", "abc", P, 1, 3}, {"ab", "abc", P, kNone, 0}, {"a[b]*?", "[b]*?", P, 1, 5},
        {"ABC", "abc", P, kNone, 0}, {"acd", "a[bc]d", R, 0, 3}, {"axd", "a[!bc]d", R, 0, 3},
        {"abd", "a[!bc]d", R, kNone, 0}, {"a\nd", "a[!bc]d", R, kNone, 0},
        {"xx12-", "x[0-9]@", R, 1, 3}, {"x1-", "x[0-9]@", R, kNone, 0},
        {"ab\nabc", "^abc", R, 2, 4}, {"abc", "^abc", R, kNone, 0}, {"abc\r\nabd", "abc$", R, 0, 4},
        {"abcd", "abc$", R, kNone, 0}, {"a cat", "<cat", R, 1, 4}, {"cat", "<cat", R, kNone, 0},
        {"the  cat.", "<cat>", R, 4, 5}, {"cat.", "cat>", R, 0, 4}, {"cat", "cat>", R, kNone, 0},
        {"x  ", "<", R, kNone, 0}, {"xy  z", "y<z", R, kNone, 0}, {"y z", "y<z", R, 0, 3},
        {"abab", "b[a]b", R, 1, 3}, {"xabc", "*abc", R, kNone, 0}, {"x]abc", "]abc", R, kNone, 0},
        {"a!b", "a[!]b", R, kNone, 0}, {"abcd", "a[bc", R, kNone, kMalformedSetLength},
        {"a", "a[bc", R, kNone, 0}, {"abcd", "a[]c", R, kNone, kMalformedSetLength},
        {"a-", "a-", R, kNone, 0}, {"zyxa", "z-a", R, kNone, 0}, {"x-a", "-a", R, 1, 2},
        {"", "a", R, kNone, 0}, {"a", "", R, kNone, 0}, {"a?b", "\\\\?", R, 1, 1},
        {"ab", "\\?", R, 0, 1}, {"a\\b", "\\\\\\\\", R, 1, 1}, {"x*y", "x\\\\*y", R, 0, 3},
        {"x[y", "x\\\\[y", R, 0, 3}, {"a<b", "a\\\\<b", R, 0, 3}, {"xa]b", "a\\\\]b", R, 1, 3},
        {"aXab?", "\\\\ab?", R, 2, 3}, {"x\r\ny", "x??y", R, 0, 4}, {"baaa", "ba*a", R, kNone, 0},
        {"baaax", "ba*x", R, 0, 5}, {"bx", "ba*x", R, kNone, 0}, {"baax", "ba@x", R, 0, 4},
        {"a**b", "a**b", R, 0, 4}, {"x??y", "x?*y", R, 0, 4}, {"x12y", "x?*y", R, kNone, 0},
        {"kabbaz", "k[ab]*z", R, 0, 6}, {"q1-2\r\n", "q[!x]*\r", R, 0, 5},
        {"q1\n2x", "q[!y]*x", R, kNone, 0}, {"a", "a*", R, kNone, 0}, {"aaa", "a*", R, 0, 3},
        {"ab", "?", R, 0, 1}, {"xaa", "a-a", R, 1, 2},
        // clang-format on
    };
    for (const auto& c : cases) {
        uint32_t length = 12345;
        const char* at = FindMatch(c.text, c.searchText, c.options, &length);
        EXPECT_EQ(Offset(at, c.text), c.position) << c.searchText << " in " << c.text;
        EXPECT_EQ(length, c.length) << c.searchText << " in " << c.text;
    }
    for (uint32_t n : {1021u, 1022u, 2000u}) {  // long matches report a capped length
        uint32_t length = 0;
        FindMatch(("<" + std::string(n, 'a') + ">").c_str(), "<a*>", R, &length);
        EXPECT_EQ(length, std::min(n + 2, kMaxMatchLength)) << n;
    }
}

// A word character on either side of an occurrence fails the word test,
// right behind the text's first byte as anywhere else.
TEST(PassesWordTest, LooksAtBothNeighbours) {
    const char* text = "xcat cat catx";
    EXPECT_EQ(std::tuple(PassesWordTest(text, text + 1, 3), PassesWordTest(text, text + 5, 3),
                         PassesWordTest(text, text + 9, 3), PassesWordTest("cat.", "cat.", 3)),
              std::tuple(false, true, false, true));
}

// The text ends at its size or at its first zero byte, whichever comes first;
// the vector paths must honour both in every lane and never read past the size.
TEST(FindMatch, BoundedTextEndsAtItsSizeOrAZeroByte) {
    const std::string text = std::string(40, '0') + "needle";
    uint32_t length = 0;
    EXPECT_EQ(FindMatch(text.data(), 46, "needle", P, &length), text.data() + 40);
    EXPECT_EQ(FindMatch(text.data(), 45, "needle", P, &length), nullptr);
    EXPECT_EQ(FindMatch(text.data(), 45, "needl?", R, &length), nullptr);
    EXPECT_EQ(FindMatch(text.data(), 46, "ne?dle", R, &length), text.data() + 40);
    EXPECT_EQ(FindMatch(text.data(), 42, "e*", R, &length), nullptr);  // the star meets the end
    for (size_t zeroAt = 0; zeroAt < 70; ++zeroAt) {
        std::string zeroed(80, 'a');
        zeroed.replace(zeroAt + 1, 3, "xyz");  // right behind the terminator, in the same lane
        zeroed[zeroAt] = '\0';
        EXPECT_EQ(FindMatch(zeroed.data(), zeroed.size(), "xyz", P, &length), nullptr) << zeroAt;
        EXPECT_EQ(FindMatch(zeroed.data(), zeroed.size(), "ax", P, &length), nullptr) << zeroAt;
    }
}

// A range running into the limit of 1023 characters stops silently; one
// more character overflows.
TEST(CompilePattern, RewritesAnchorsRangesAndEscapes) {
    const std::string x1000(1000, 'x');
    // clang-format off
    const std::string cases[][3] = {
        {"^abc$", "5", "\nabc\r"}, {"\\^a\\$", "3", "^a$"}, {"[a-c]", "5", "[abc]"},
        {"a\\-c", "3", "a-c"}, {"\\ab-d", "4", "ab-d"}, {"\\\\?", "2", "\\?"}, {"z-a", "0", ""},
        {"a-", "0", ""}, {"a-\xC0", "0", ""}, {"\\", "0", ""},
        {std::string(1023, 'x'), "1023", std::string(1023, 'x')},
        {x1000 + "\x80-", "1023", x1000 + "\x80\x81\x82"}, {x1000 + "a-z", "-1", ""},
        {std::string(1022, 'x') + "a-bc", "-1", ""}};
    // clang-format on
    for (const auto& c : cases) {
        char pattern[kPatternSize];
        const int result = CompilePattern(c[0].data(), static_cast<int>(c[0].size()), pattern);
        EXPECT_EQ(std::to_string(result), c[1]) << c[0];
        EXPECT_EQ(std::string(pattern, std::max(result, 0)).substr(0, c[2].size()), c[2]);
    }
}

}  // namespace
