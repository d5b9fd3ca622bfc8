#include "results/clipboard.h"

size_t JoinedSelectedPathsLength(const std::vector<std::string>& paths,
                                 std::string_view separator) {
    if (paths.empty()) return 0;
    size_t length = separator.size() * (paths.size() - 1);
    for (const std::string& path : paths) length += path.size();
    return length;
}

std::string JoinSelectedPaths(const std::vector<std::string>& paths, std::string_view separator) {
    std::string text;
    text.reserve(JoinedSelectedPathsLength(paths, separator));
    for (size_t i = 0; i < paths.size(); ++i) {
        if (i > 0) text += separator;
        text += paths[i];
    }
    return text;
}
