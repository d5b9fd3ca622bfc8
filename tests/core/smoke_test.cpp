#include <gtest/gtest.h>

#include "results/file_info.h"

TEST(JoinPath, AddsOneBackslashOnlyWhenMissing) {
    EXPECT_EQ(JoinPath("c:\\src", "a.c"), "c:\\src\\a.c");
    EXPECT_EQ(JoinPath("c:\\", "a.c"), "c:\\a.c");
}
