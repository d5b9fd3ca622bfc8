#include "results/clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/file_info.h"

namespace {

TEST(Clipboard, JoinsPathsWithSeparatorBetweenOnly) {
    const struct {
        std::vector<std::string> paths;
        std::string expected;
    } cases[] = {
        {{}, ""},
        {{JoinPath("c:\\", "a.txt")}, "c:\\a.txt"},
        {{JoinPath("c:\\", "a.txt"), JoinPath("c:\\dir", "b.c"), "d:\\x y\\z"},
         "c:\\a.txt\r\nc:\\dir\\b.c\r\nd:\\x y\\z"},
        {{"", "c:\\e"}, "\r\nc:\\e"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        std::string text = JoinSelectedPaths(c.paths, kClipboardSeparator);
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(JoinedSelectedPathsLength(c.paths, kClipboardSeparator), c.expected.size());
    }
}

TEST(Clipboard, FileCommandsJoinWithTheirOwnSeparator) {
    std::vector<std::string> paths = {"c:\\a", "c:\\b"};
    EXPECT_EQ(JoinSelectedPaths(paths, "\n"), "c:\\a\nc:\\b");
    EXPECT_EQ(JoinedSelectedPathsLength(paths, "\n"), 9u);
}

}  // namespace
