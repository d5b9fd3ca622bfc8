#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Plain arithmetic on FileView's text: where lines start and how wide a
// stretch of text is once its tabs are expanded.

// The offset of the first character after the n-th line feed of text, or
// text's length when it has fewer line feeds.
size_t LineStartOffset(std::string_view text, uint64_t n);

// A tab length of 0 (a settings file may hold one) would put every tab stop
// at the line's start; EditView, LineView, the caret column and the printer
// then all use stops of eight characters, the platform's own default.
constexpr int kDefaultTabLength = 8;
constexpr int TabStopLength(int tabLength) {
    return tabLength > 0 ? tabLength : kDefaultTabLength;
}
// EditView's and LineView's one tab stop: tab length average characters, in
// dialog units (four to a character).
constexpr int TabStopDialogUnits(int tabLength) {
    return TabStopLength(tabLength) * 4;
}

// The visual width of the first `count` characters of text: a tab advances to
// the next multiple of TabStopLength(tabLength), anything else by one. A count past the end
// stops there, the end itself counting as one.
uint32_t ExpandTabsWidth(std::string_view text, size_t count, int tabLength);
