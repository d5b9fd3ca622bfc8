#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The clipboard text of the selected rows uses this separator; the file
// commands join the same paths with their own.
inline constexpr std::string_view kClipboardSeparator = "\r\n";

// The length in characters of `paths` joined by `separator`: the paths'
// lengths plus one separator between each two; 0 for no paths.
size_t JoinedSelectedPathsLength(const std::vector<std::string>& paths, std::string_view separator);

// `paths` joined by `separator`, with none after the last path.
std::string JoinSelectedPaths(const std::vector<std::string>& paths, std::string_view separator);
