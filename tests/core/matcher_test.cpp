#include "search/matcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "search/text_options.h"

namespace {

constexpr long kNone = -1;

struct Found {
    long position;
    uint32_t length;
};

Found Find(const std::string& text, const std::string& searchText, uint8_t options) {
    uint32_t length = 12345;
    const char* at = FindMatch(text.c_str(), searchText.c_str(), options, &length);
    return {at == nullptr ? kNone : static_cast<long>(at - text.c_str()), length};
}

Found Regular(const std::string& text, const std::string& searchText) {
    return Find(text, searchText, kTextRegular);
}

std::string Compile(const std::string& searchText, int* result) {
    char pattern[kPatternSize];
    *result = CompilePattern(searchText.data(), static_cast<int>(searchText.size()), pattern);
    return *result > 0 ? std::string(pattern, static_cast<size_t>(*result)) : std::string();
}

TEST(CharClasses, FollowTheCLocale) {
    for (int c = 0; c < 256; ++c) {
        const bool word =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool separator = c == ' ' || (c >= 9 && c <= 13) || (c >= 33 && c <= 47) ||
                               (c >= 58 && c <= 64) || (c >= 91 && c <= 96) ||
                               (c >= 123 && c <= 126);
        EXPECT_EQ(IsWordChar(static_cast<unsigned char>(c)), word) << c;
        EXPECT_EQ(IsSeparatorChar(static_cast<unsigned char>(c)), separator) << c;
        const int lower = c >= 'A' && c <= 'Z' ? c + 32 : c;
        EXPECT_EQ(LowerCaseChar(static_cast<unsigned char>(c)), lower) << c;
    }
    EXPECT_FALSE(IsWordChar('_'));
}

TEST(CharClasses, LowerCaseTextChangesOnlyAsciiCapitals) {
    std::string all;
    for (int round = 0; round < 2; ++round) {
        for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    }
    for (size_t start : {size_t{0}, size_t{3}}) {
        std::string text = all;
        LowerCaseText(text.data() + start, text.size() - start - 5);
        for (size_t i = 0; i < text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(all[i]);
            const bool inside = i >= start && i < all.size() - 5;
            EXPECT_EQ(static_cast<unsigned char>(text[i]), inside ? LowerCaseChar(c) : c) << i;
        }
    }
}

TEST(WordTest, NeedsNonWordCharactersOnBothSides) {
    struct Case {
        const char* text;
        size_t at;
        bool word;
    } cases[] = {
        {"concat", 3, false}, {"(cat)", 1, true},     {"my_cat", 3, true}, {"cat", 0, true},
        {"cats", 0, false},   {"a cat\xC4", 2, true}, {"1cat", 1, false},  {"the cat sat", 4, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PassesWordTest(c.text, c.text + c.at, 3), c.word) << c.text;
    }
}

TEST(PlainFind, FindsFirstOccurrenceAndItsLength) {
    Found f = Find("xabcabc", "abc", 0);
    EXPECT_EQ(f.position, 1);
    EXPECT_EQ(f.length, 3u);
    EXPECT_EQ(Find(std::string("x\0abc", 5), "abc", 0).position, kNone);
    EXPECT_EQ(Find("ab", "abc", 0).position, kNone);
    EXPECT_EQ(Find("abc", "abc", 0).position, 0);
    EXPECT_EQ(Find("a[b]*?", "[b]*?", 0).position, 1);  // no pattern language without Regular
    EXPECT_EQ(Find("ABC", "abc", 0).position, kNone);   // case is the caller's business
    EXPECT_EQ(Find("abc", "abc", 0).length, 3u);
    EXPECT_EQ(Find("xyz", "abc", 0).length, 0u);
}

TEST(PlainFind, BoundedTextIsNotReadPastItsSize) {
    // The buffer holds the search text right after the size given.
    const std::string text = "0123456789012345678901234567890123456789needle";
    uint32_t length = 0;
    EXPECT_EQ(FindMatch(text.data(), 40, "needle", 0, &length), nullptr);
    EXPECT_EQ(FindMatch(text.data(), 46, "needle", 0, &length), text.data() + 40);
    EXPECT_EQ(FindMatch(text.data(), 45, "needle", 0, &length), nullptr);
}

// Cross-check against std::string::find over small alphabets, so that
// partial and full matches are frequent, and over lengths around the vector
// widths. Case off is checked the way callers apply it.
TEST(PlainFind, AgreesWithStringFindOnRandomTexts) {
    std::mt19937 random(20260);
    const std::string alphabets[] = {"ab", "abC", "aA\xC4\xE4", "xyz\r\n "};
    for (int round = 0; round < 6000; ++round) {
        const std::string& alphabet = alphabets[round % 4];
        std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
        const size_t textLength = round % 140;
        const size_t needleLength = 1 + (round / 7) % 40;
        std::string text, needle;
        for (size_t i = 0; i < textLength; ++i) text += alphabet[pick(random)];
        for (size_t i = 0; i < needleLength; ++i) needle += alphabet[pick(random)];
        if (round % 3 == 0 && textLength > needleLength) {
            text.replace(random() % (textLength - needleLength + 1), needleLength, needle);
        }
        // On the heap with nothing after the terminator, so sanitizers see any over-read.
        std::unique_ptr<char[]> heapText(new char[text.size() + 1]);
        std::memcpy(heapText.get(), text.c_str(), text.size() + 1);

        const size_t expected = text.find(needle);
        uint32_t length = 0;
        const char* at = FindMatch(heapText.get(), needle.c_str(), 0, &length);
        ASSERT_EQ(at == nullptr ? std::string::npos : static_cast<size_t>(at - heapText.get()),
                  expected)
            << "text '" << text << "' needle '" << needle << "'";

        std::string lowerText = text, lowerNeedle = needle;
        LowerCaseText(lowerText.data(), lowerText.size());
        LowerCaseText(lowerNeedle.data(), lowerNeedle.size());
        std::string expectText = text, expectNeedle = needle;
        for (char& c : expectText) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        for (char& c : expectNeedle) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        at = FindMatch(lowerText.c_str(), lowerText.size(), lowerNeedle.c_str(), 0, &length);
        ASSERT_EQ(at == nullptr ? std::string::npos : static_cast<size_t>(at - lowerText.c_str()),
                  expectText.find(expectNeedle));
    }
}

TEST(PlainFind, StopsAtZeroByteInEveryLane) {
    for (size_t zeroAt = 0; zeroAt < 70; ++zeroAt) {
        std::string text(80, 'a');
        text.replace(zeroAt + 1, 3, "xyz");  // right behind the terminator, in the same lane
        text[zeroAt] = '\0';
        uint32_t length = 0;
        EXPECT_EQ(FindMatch(text.data(), text.size(), "xyz", 0, &length), nullptr) << zeroAt;
        EXPECT_EQ(FindMatch(text.data(), text.size(), "ax", 0, &length), nullptr) << zeroAt;
    }
}

TEST(CompilePattern, RewritesAnchorsRangesAndEscapes) {
    struct Case {
        const char* searchText;
        int result;
        const char* pattern;
    } cases[] = {
        {"^abc$", 5, "\nabc\r"}, {"\\^a\\$", 3, "^a$"},
        {"a-d", 4, "abcd"},      {"[a-c]", 5, "[abc]"},
        {"x-z", 3, "xyz"},       {"a-b", 2, "ab"},
        {"a-a", 2, "aa"},        {"-a", 2, "-a"},
        {"a\\-c", 3, "a-c"},     {"z-a", 0, ""},
        {"a-", 0, ""},           {"a-\xC0", 0, ""},  // below 128 to above 127
        {"\\\\?", 2, "\\?"},     {"\\?", 1, "?"},
        {"\\ab-d", 4, "ab-d"},  // the escape survives ordinary characters and takes the dash
        {"\\", 0, ""},
    };
    for (const Case& c : cases) {
        int result = 0;
        const std::string pattern = Compile(c.searchText, &result);
        EXPECT_EQ(result, c.result) << c.searchText;
        EXPECT_EQ(pattern, c.pattern) << c.searchText;
    }
}

TEST(CompilePattern, OverflowAt1023Characters) {
    int result = 0;
    EXPECT_EQ(Compile(std::string(1023, 'x'), &result).size(), 1023u);
    EXPECT_EQ(result, 1023);
    // A range that runs into the limit stops silently; the character after it overflows.
    Compile(std::string(1000, 'x') + "a-z", &result);
    EXPECT_EQ(result, -1);
    const std::string spelled = Compile(std::string(1000, 'x') + "\x80-", &result);
    EXPECT_EQ(result, 1023);
    EXPECT_EQ(spelled.substr(1000, 3), "\x80\x81\x82");
    Compile(std::string(1022, 'x') + "a-b" + "c", &result);
    EXPECT_EQ(result, -1);
}

TEST(RegularFind, PatternLanguage) {
    struct Case {
        const char* text;
        const char* searchText;
        long position;
        uint32_t length;
    } cases[] = {
        {"acd", "a[bc]d", 0, 3},
        {"axd", "a[!bc]d", 0, 3},
        {"abd", "a[!bc]d", kNone, 0},
        {"a\nd", "a[!bc]d", kNone, 0},
        {"a\rd", "a[!bc]d", kNone, 0},
        {"xx12-", "x[0-9]@", 1, 3},
        {"x1-", "x[0-9]@", kNone, 0},
        {"ab\nabc", "^abc", 2, 4},
        {"abc", "^abc", kNone, 0},
        {"abc\r\nabd", "abc$", 0, 4},
        {"abcd", "abc$", kNone, 0},
        {"a cat", "<cat", 1, 4},
        {"cat", "<cat", kNone, 0},
        {"the  cat.", "<cat>", 4, 5},
        {"cat.", "cat>", 0, 4},
        {"cat", "cat>", kNone, 0},  // the boundary meets the end of the text
        {"x  ", "<", kNone, 0},     // the separator run reaches the end
        {"xabc", "*abc", kNone, 0},
        {"x]abc", "]abc", kNone, 0},
        {"xa]b", "a\\\\]b", 1, 3},
        {"abcd", "a[bc", kNone, kMalformedSetLength},
        {"abcd", "a[]c", kNone, kMalformedSetLength},
        {"a", "a[bc", kNone, 0},  // the text ends before the set is read
        {"a!b", "a[!]b", kNone, 0},
        {"a-", "a-", kNone, 0},
        {"zyxa", "z-a", kNone, 0},
        {"x-a", "-a", 1, 2},
        {"a?b", "\\\\?", 1, 1},
        {"ab", "\\?", 0, 1},
        {"ab", "?", 0, 1},
        {"a\\b", "\\\\\\\\", 1, 1},
        {"x*y", "x\\\\*y", 0, 3},
        {"x[y", "x\\\\[y", 0, 3},
        {"a<b", "a\\\\<b", 0, 3},
        {"x\r\ny", "x??y", 0, 4},  // matches run over line ends
        {"", "a", kNone, 0},
    };
    for (const Case& c : cases) {
        const Found f = Regular(c.text, c.searchText);
        EXPECT_EQ(f.position, c.position) << c.searchText << " in " << c.text;
        EXPECT_EQ(f.length, c.length) << c.searchText << " in " << c.text;
    }
}

TEST(RegularFind, RepetitionIsGreedyAndNeverBacksOff) {
    struct Case {
        const char* text;
        const char* searchText;
        long position;
        uint32_t length;
    } cases[] = {
        {"baaa", "ba*a", kNone, 0},
        {"baaax", "ba*x", 0, 5},
        {"bax", "ba*x", 0, 3},
        {"bx", "ba*x", kNone, 0},  // the element itself must match once
        {"bax", "ba@x", kNone, 0},
        {"baax", "ba@x", 0, 4},
        {"a**b", "a**b", 0, 4},  // the second star repeats stars
        {"x??y", "x?*y", 0, 4},  // after ? the element is a question mark
        {"x12y", "x?*y", kNone, 0},
        {"kabc", "k[ab]*c", 0, 4},
        {"kabbaz", "k[ab]*z", 0, 6},
        {"q1-2\r\n", "q[!x]*\r", 0, 5},  // a negated run stops at the carriage return
        {"q1\n2x", "q[!y]*x", kNone, 0},
        {"a", "a*", kNone, 0},  // the star finds the end of the text
        {"aaa", "a*", 0, 3},
    };
    for (const Case& c : cases) {
        const Found f = Regular(c.text, c.searchText);
        EXPECT_EQ(f.position, c.position) << c.searchText << " in " << c.text;
        EXPECT_EQ(f.length, c.length) << c.searchText << " in " << c.text;
    }
}

TEST(RegularFind, FailedAttemptRestartsOneLater) {
    EXPECT_EQ(Regular("aab", "ab").position, 1);
    EXPECT_EQ(Regular("abab", "b[a]b").position, 1);
    EXPECT_EQ(Regular("xy  z", "y<z").position, kNone);
    EXPECT_EQ(Regular("y z", "y<z").position, 0);
    // An escape in force when an attempt fails does not leak into the next attempt.
    EXPECT_EQ(Regular("aXab?", "\\\\ab?").position, 2);
}

TEST(RegularFind, LongMatchReportsCappedLength) {
    const std::string text = "<" + std::string(2000, 'a') + ">";
    const Found f = Regular(text, "<a*>");
    EXPECT_EQ(f.position, 0);
    EXPECT_EQ(f.length, kMaxMatchLength);
    EXPECT_EQ(Regular("<" + std::string(1022, 'a') + ">", "<a*>").length, 1024u);
    EXPECT_EQ(Regular("<" + std::string(1021, 'a') + ">", "<a*>").length, 1023u);
}

TEST(RegularFind, BoundedTextEndsAtItsSize) {
    const std::string text = "xxab";
    uint32_t length = 0;
    EXPECT_EQ(FindMatch(text.data(), 3, "ab", kTextRegular, &length), nullptr);
    EXPECT_EQ(FindMatch(text.data(), 4, "a?", kTextRegular, &length), text.data() + 2);
    EXPECT_EQ(FindMatch(text.data(), 3, "a*", kTextRegular, &length), nullptr);
}

// A bounded text is skipped 16 bytes at a time up to a pattern's first
// literal; an unbounded one byte by byte. Both must find the same place,
// with the literal, a zero byte or the bound in any lane of a block.
TEST(RegularFind, BoundedSkipAgreesWithByteByByteRun) {
    std::mt19937 random(7);
    const std::string alphabet = "nnedl x";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    const char* patterns[] = {"n[e]@dle", "ne", "dl?", "x", "l*d", "[ed]n"};
    for (int round = 0; round < 3000; ++round) {
        const size_t textLength = static_cast<size_t>(round % 90);
        std::string text;
        for (size_t i = 0; i < textLength; ++i) text += alphabet[pick(random)];
        if (round % 3 == 0 && textLength > 0) text[random() % textLength] = '\0';
        const size_t size = round % 4 == 0 ? textLength : random() % (textLength + 1);
        // The bounded text sits at the end of its own buffer, so a read past
        // the bound is caught by the address sanitizer.
        std::unique_ptr<char[]> bounded(new char[size > 0 ? size : 1]);
        std::memcpy(bounded.get(), text.data(), size);
        const std::string unbounded = std::string(text.data(), size).c_str();
        for (const char* pattern : patterns) {
            uint32_t boundedLength = 0;
            const char* at = FindMatch(bounded.get(), size, pattern, kTextRegular, &boundedLength);
            uint32_t length = 0;
            const char* expected = MatchPattern(unbounded.c_str(), pattern, &length);
            ASSERT_EQ(at == nullptr ? kNone : static_cast<long>(at - bounded.get()),
                      expected == nullptr ? kNone : static_cast<long>(expected - unbounded.c_str()))
                << round << " " << pattern;
            ASSERT_EQ(boundedLength, length) << round << " " << pattern;
        }
    }
}

TEST(MatchPattern, EmptyTextOrPatternNeverMatches) {
    uint32_t length = 9;
    EXPECT_EQ(MatchPattern("", "a", &length), nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(MatchPattern("a", "", &length), nullptr);
    EXPECT_EQ(MatchPattern("a", "\\", &length), nullptr);
}

}  // namespace
