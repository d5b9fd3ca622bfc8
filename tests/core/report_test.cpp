#include "search/report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The report's wordings are checked on the real dialogs; here the limits.
TEST(Report, SizesAboveFourGiBAndLongPathsFit) {
    EXPECT_EQ(FormatFindResults(2, 1, 1, 0, 5000000000ull).totalSize, "5000000000 bytes");
    EXPECT_EQ(BadLaterPathText(std::string(400, 'x')).size(), kMessageCapacity - 1);
}

TEST(DirectoryBox, QuotesAndBlanksAreDropped) {
    const char* cases[][2] = {{"  c:\\temp  ", "c:\\temp"}, {"  \"c:\\my files\" ", "c:\\my files"},
                              {"\"\"c:\\a\"", "c:\\a"}, {"c:\\a \"b\"", "c:\\a "}, {"   ", ""}, {"\"\"", ""}};
    for (const auto& c : cases) EXPECT_EQ(DirectoryBoxPiece(c[0]), c[1]) << c[0];
}

TEST(MessagePump, LooksAtTheQueueAtTheFirstEntryThenEveryInterval) {
    EXPECT_TRUE(PumpIsDue(5, 0, false));
    EXPECT_FALSE(PumpIsDue(1000 + kPumpIntervalMs - 1, 1000, true));
    EXPECT_TRUE(PumpIsDue(1000 + kPumpIntervalMs, 1000, true));
    EXPECT_TRUE(PumpIsDue(20, 0xFFFFFFF0u, true));  // across the tick counter's wrap
    EXPECT_FALSE(PumpIsDue(2, 0xFFFFFFF0u, true));
}

}  // namespace
