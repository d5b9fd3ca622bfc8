#include "search/report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FindResults, FieldsReadAsTheDialogShowsThem) {
    FindResultsFields fields = FormatFindResults(12, 3, 40, 2, 123456);
    EXPECT_EQ(fields.found, "12 in 3 directories");
    EXPECT_EQ(fields.searched, "40");
    EXPECT_EQ(fields.level, "2");
    EXPECT_EQ(fields.totalSize, "123456 bytes");

    EXPECT_EQ(FormatFindResults(0, 0, 1, 0, 0).found, "0 in 0 directories");
    // Sizes above 4 GiB are exact.
    EXPECT_EQ(FormatFindResults(2, 1, 1, 0, 5000000000ull).totalSize, "5000000000 bytes");
}

TEST(NonTextReport, QuestionAndLimitTextsKeepTheirWording) {
    EXPECT_EQ(NonTextQuestionText(300),
              "There were 300 non-text files where search was not possible.Do you wish to see "
              "the list of files?");
    EXPECT_EQ(NonTextLimitText(256),
              "Too many non-text files!Only the first 256 files will be displayed!");
}

TEST(BadPathTexts, NameTheDirectoryAndAreCutAtTheMessageCapacity) {
    EXPECT_EQ(BadFirstPathText("c:\\nowhere"), "Bad path c:\\nowhere\n specified!");
    EXPECT_EQ(BadLaterPathText("c:\\nowhere"), "Bad path c:\\nowhere\nspecified! Continue?");
    std::string longPath(400, 'x');
    std::string text = BadLaterPathText(longPath);
    EXPECT_EQ(text.size(), kMessageCapacity - 1);
    EXPECT_EQ(text.substr(0, 9), "Bad path ");
}

TEST(DirectoryBox, QuotesAndBlanksAreDropped) {
    struct Case {
        const char* typed;
        const char* piece;
    };
    const Case cases[] = {
        {"c:\\temp", "c:\\temp"},
        {"  c:\\temp  ", "c:\\temp"},
        {"\"c:\\my files\"", "c:\\my files"},
        {"  \"c:\\my files\" ", "c:\\my files"},
        {"\"\"c:\\a\"", "c:\\a"},
        {"c:\\a \"b\"", "c:\\a "},
        {"", ""},
        {"   ", ""},
        {"\"\"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DirectoryBoxPiece(c.typed), c.piece) << c.typed;
}

TEST(MessagePump, LooksAtTheQueueAtTheFirstEntryThenEveryInterval) {
    EXPECT_TRUE(PumpIsDue(5, 0, false));
    EXPECT_FALSE(PumpIsDue(1000 + kPumpIntervalMs - 1, 1000, true));
    EXPECT_TRUE(PumpIsDue(1000 + kPumpIntervalMs, 1000, true));
    // The tick counter wraps after 49.7 days; the pump goes on.
    EXPECT_TRUE(PumpIsDue(20, 0xFFFFFFF0u, true));
    EXPECT_FALSE(PumpIsDue(2, 0xFFFFFFF0u, true));
}

}  // namespace
