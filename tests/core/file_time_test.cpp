#include "results/file_time.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kTicksAt1970 = 116444736000000000;

TEST(FileTime, BothWaysAgreeAcrossTheEpochAnd2038) {
    const struct { uint64_t ticks; int64_t seconds; } cases[] = {
        {kTicksAt1970, 0}, {kTicksAt1970 + 10000000, 1}, {kTicksAt1970 - 10000000, -1},
        {0, -11644473600}, {kTicksAt1970 + 4102444800ull * 10000000, 4102444800}};  // 1601, 2100
    for (const auto& c : cases) {
        EXPECT_EQ(UnixTimeFromFileTicks(c.ticks), c.seconds) << c.ticks;
        uint64_t ticks = 0;
        ASSERT_TRUE(FileTicksFromUnixTime(c.seconds, ticks)) << c.seconds;
        EXPECT_EQ(ticks, c.ticks);
    }
}

TEST(FileTime, PartSecondsRoundTowardsThePastAndTimesBefore1601HaveNoTicks) {
    EXPECT_EQ(UnixTimeFromFileTicks(kTicksAt1970 + 9999999), 0);
    EXPECT_EQ(UnixTimeFromFileTicks(kTicksAt1970 - 1), -1);
    uint64_t ticks = 7;
    EXPECT_FALSE(FileTicksFromUnixTime(-11644473601, ticks));
    EXPECT_FALSE(FileTicksFromUnixTime(INT64_MAX, ticks));
    EXPECT_EQ(ticks, 7u);
}

}  // namespace
