#pragma once

#include <cstdint>
#include <string_view>

// FileView's option dialogs' decisions, tested natively.

// Fields are read as ParseUnsignedField reads them (digits, blanks around).

// Tabs: a tab length from 0 to 65535. Zero ends the dialog as Cancel does, so
// the tab stops stay; anything wider than 16 bits is refused like a
// non-number rather than cut to another value.
bool ReadTabLength(std::string_view text, uint16_t& length);

// Set Context Size: lines above or below, 0 to 1023.
constexpr uint32_t kContextLinesLimit = 1024;
bool ReadContextLines(std::string_view text, int& lines);
