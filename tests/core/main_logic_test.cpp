#include "app/main_logic.h"

#include <gtest/gtest.h>

namespace {

TEST(MainLogic, FileTypeKeepsEverythingFromTheFirstFullStop) {
    // clang-format off
    const struct { const char* typed; bool valid; const char* result; } cases[] = {
        {"Notes.TXT", true, "*.txt"}, {"a.tar.GZ", true, "*.tar.gz"}, {".h", true, "*.h"},
        {"txt", false, "txt"}, {"", false, ""}};
    // clang-format on
    for (const auto& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(ValidateFileType(text), c.valid) << c.typed;
        EXPECT_EQ(text, c.result) << c.typed;
    }
}

TEST(MainLogic, DroppedNamesJoinLowerCasedAndStayUnder64KiB) {
    EXPECT_EQ(JoinDroppedNames({"C:\\A.C", "c:\\B.h"}), "c:\\a.c;c:\\b.h");
    EXPECT_EQ(JoinDroppedNames(std::vector<std::string>(300, std::string(259, 'n'))), "");
}

}  // namespace
