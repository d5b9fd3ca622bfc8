#pragma once

#include <string>
#include <string_view>

// The system's lower-case mapping of one character of the ANSI code page.
char LowerChar(char c);
std::string LowerText(std::string_view text);
// Equal under that mapping: the one case-insensitive comparison of names and paths.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
