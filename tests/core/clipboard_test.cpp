#include "results/clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/file_info.h"

namespace {

TEST(Clipboard, JoinsPathsWithTheSeparatorBetweenOnly) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {{{}, ""}, {{JoinPath("c:\\", "a.txt")}, "c:\\a.txt"},
        {{JoinPath("c:\\", "a.txt"), JoinPath("c:\\dir", "b.c"), "d:\\x y\\z"}, "c:\\a.txt\r\nc:\\dir\\b.c\r\nd:\\x y\\z"},
        {{"", "c:\\e"}, "\r\nc:\\e"}};
    for (const auto& [paths, expected] : cases) {
        EXPECT_EQ(JoinSelectedPaths(paths, kClipboardSeparator), expected);
        EXPECT_EQ(JoinedSelectedPathsLength(paths, kClipboardSeparator), expected.size());
    }
    EXPECT_EQ(JoinedSelectedPathsLength({"c:\\a", "c:\\b"}, "\n"), 9u);
}

}  // namespace
