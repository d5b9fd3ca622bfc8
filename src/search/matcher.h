#pragma once

#include <cstddef>
#include <cstdint>

// The text matcher: finds the first occurrence of a search text in a text,
// plainly or with the Regular pattern language. It compares bytes exactly;
// callers apply Case (by lower-casing both sides with LowerCaseText) and Word
// (with PassesWordTest) themselves.

// Capacity of a compiled pattern, its terminator included.
constexpr int kPatternSize = 1024;
// Longest match length MatchPattern reports; longer matches report this.
constexpr uint32_t kMaxMatchLength = 1024;
// Length MatchPattern reports when it meets a set without a closing bracket.
constexpr uint32_t kMalformedSetLength = 65535;

// Letters and digits of the C locale; the underscore and bytes above 127 are not.
bool IsWordChar(unsigned char c);
// C-locale white space or punctuation; bytes above 127 are neither.
bool IsSeparatorChar(unsigned char c);

// The Word test: the occurrence of `length` bytes at `occurrence` inside
// `text` is a whole word when neither the byte before it nor the byte after it
// is a word character. The start of the text and its terminator count as
// non-word characters.
bool PassesWordTest(const char* text, const char* occurrence, size_t length);

// Lower-casing by the C locale rule: only A to Z change.
unsigned char LowerCaseChar(unsigned char c);
void LowerCaseText(char* text, size_t length);

// First occurrence of searchText in the zero-terminated text, or nullptr.
// Only kTextRegular of options is read. *length receives the occurrence's
// length (0 when there is none; kMalformedSetLength for a malformed set).
const char* FindMatch(const char* text, const char* searchText, uint8_t options, uint32_t* length);

// The same over a text that ends at its first zero byte or after textSize
// bytes, whichever comes first; nothing at or beyond text + textSize is read.
// Lets a caller that knows its buffer avoid measuring the text on each call.
const char* FindMatch(const char* text, size_t textSize, const char* searchText, uint8_t options,
                      uint32_t* length);

// Rewrites the first `length` characters of searchText into the pattern run
// by MatchPattern: ^ and $ become line feed and carriage return, ranges a-z
// are spelled out, one level of backslashes is taken off. `pattern` holds
// kPatternSize bytes; it is not terminated. Result: its length, 0 for a bad
// range, -1 when it would exceed kPatternSize - 1 characters.
int CompilePattern(const char* searchText, int length, char* pattern);

// Runs a compiled, zero-terminated pattern over the zero-terminated text.
// Result: where the match starts, or nullptr.
const char* MatchPattern(const char* text, const char* pattern, uint32_t* length);
