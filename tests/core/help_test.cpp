#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/help.h"

namespace {

size_t PairCount(const uint32_t* table) {
    size_t n = 0;
    while (table[2 * n] != 0) ++n;
    return n;
}

TEST(HelpTable, ControlsMapToTheirTemplatesNumbers) {
    struct Case {
        uint32_t control, context;
    } cases[] = {
        {113, 0x812D0071},  // File Info List, main window
        {141, 0x812D008D},  // Less
        {114, 0x817F0072},  // current directory keyed by the Copy dialog
        {122, 0x8604007A},  // Regular keyed by the Find dialog
        {604, 0x8172025C},  // Sort by File Date
        {407, 0x816F0197},  // Never ask
        {233, 0x813000E9},  // File Filter's Delete
        {327, 0x817F0147},  // Copy dialog's Browse
        {735, 0x818602DF},  // Use this setting for rest of search
        {744, 0x81AA02E8},  // File Count
        {1201, 0x000504B1},
        {116, 0},  // the level box has no topic
        {0, 0},    // the end marker is never a match
    };
    for (const Case& c : cases)
        EXPECT_EQ(LookupHelpContext(kContextHelpIds, c.control), c.context) << c.control;
}

TEST(HelpTable, PairsKeepTheirOrderAndEndWithZero) {
    ASSERT_EQ(PairCount(kContextHelpIds), 40u);
    EXPECT_EQ(kContextHelpIds[0], 113u);
    EXPECT_EQ(kContextHelpIds[2 * 13], 114u);
    EXPECT_EQ(kContextHelpIds[2 * 39], 1201u);
    EXPECT_EQ(kContextHelpIds[2 * 40 + 1], 0u);

    ASSERT_EQ(PairCount(kFileViewHelpIds), 5u);
    EXPECT_EQ(LookupHelpContext(kFileViewHelpIds, 326), 0x812E0146u);
    EXPECT_EQ(LookupHelpContext(kFileViewHelpIds, 213), 0x812E00D5u);
    EXPECT_EQ(LookupHelpContext(kFileViewHelpIds, 234), 0x815500EAu);
    EXPECT_EQ(LookupHelpContext(kFileViewHelpIds, 113), 0u);
}

TEST(HelpTable, MenuItemsAreKeyedAboveSixtyFiveThousand) {
    EXPECT_EQ(MenuHelpContext(101), 65637u);
    EXPECT_EQ(MenuHelpContext(852), 0x10354u);
}

TEST(HelpParser, ReadsTopicsWithCrlfCommentsAndBothNumberForms) {
    HelpFile help = ParseHelpFile(
        "# heading comment\r\n"
        "\r\n"
        "@@ 1 Contents\r\n"
        "\r\n"
        "First line\r\n"
        "# a comment inside a topic\r\n"
        "goes on.\r\n"
        "\r\n"
        "  Indented line.\r\n"
        "\tTabbed line.\r\n"
        "Next paragraph.\r\n"
        "\r\n"
        "@@\t0x812D0071 \t File Info List  \n"
        "Rows.\n"
        "@@ 65637 Find Files\n"
        "No final line end");
    EXPECT_TRUE(help.problems.empty());
    ASSERT_EQ(help.topics.size(), 3u);
    EXPECT_EQ(help.topics[0].title, "Contents");
    EXPECT_EQ(help.topics[0].text,
              "First line goes on.\r\n\r\n  Indented line.\r\n\tTabbed line.\r\n"
              "Next paragraph.");
    EXPECT_EQ(help.topics[1].context, 0x812D0071u);
    EXPECT_EQ(help.topics[1].title, "File Info List");
    EXPECT_EQ(help.topics[1].text, "Rows.");
    EXPECT_EQ(help.topics[2].context, 65637u);
    EXPECT_EQ(help.topics[2].text, "No final line end");
    EXPECT_EQ(HelpContentsTopic(help), &help.topics[0]);
    EXPECT_EQ(FindHelpTopic(help, MenuHelpContext(101)), &help.topics[2]);
    EXPECT_EQ(FindHelpTopic(help, 2), nullptr);
}

TEST(HelpParser, ReportsFaultsAndKeepsTheGoodTopics) {
    HelpFile help = ParseHelpFile(
        "stray text\n"
        "more stray text\n"
        "@@ 0x100000000 Too large\n"
        "lost text\n"
        "@@ 12z Not a number\n"
        "@@ 0x Empty hex\n"
        "@@ 7\n"
        "@@ 5 Five\n"
        "five\n"
        "@@ 5 Five again\n"
        "second five\n"
        "@@6 Six\n");
    ASSERT_EQ(help.topics.size(), 3u);
    EXPECT_EQ(FindHelpTopic(help, 5)->text, "five");
    EXPECT_EQ(FindHelpTopic(help, 6)->title, "Six");
    std::vector<std::string> expected = {
        "line 1: text outside a topic",  "line 3: bad context number",
        "line 5: bad context number",    "line 6: bad context number",
        "line 7: topic without a title", "line 10: duplicate context number",
    };
    EXPECT_EQ(help.problems, expected);
}

TEST(HelpParser, EmptyFileHasNoContents) {
    HelpFile help = ParseHelpFile("# only a comment\r\n\r\n");
    EXPECT_TRUE(help.topics.empty());
    EXPECT_TRUE(help.problems.empty());
    EXPECT_EQ(HelpContentsTopic(help), nullptr);
}

TEST(HelpSearch, AllWordsIgnoringCaseTitlesFirst) {
    HelpFile help = ParseHelpFile(
        "@@ 1 Contents\nEverything.\n"
        "@@ 2 Sort Options\nOrder of rows.\n"
        "@@ 3 Find Files\nSorts the list after a search.\n"
        "@@ 4 Sort by File Date\nNewest rows.\n");
    using V = std::vector<size_t>;
    EXPECT_EQ(SearchHelpTopics(help, "SORT"), (V{1, 3, 2}));
    EXPECT_EQ(SearchHelpTopics(help, "  sort   rows "), (V{1, 3}));
    EXPECT_EQ(SearchHelpTopics(help, "find sorts"), (V{2}));  // title and text together
    EXPECT_EQ(SearchHelpTopics(help, "zip"), V{});
    EXPECT_EQ(SearchHelpTopics(help, ""), (V{0, 1, 2, 3}));
}

std::string ReadShippedHelp() {
    std::ifstream in(std::string(QUARRY_SOURCE_DIR) + "/resources/Quarry32.hlp", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(ShippedHelp, EveryContextNumberHasATopic) {
    std::string bytes = ReadShippedHelp();
    ASSERT_FALSE(bytes.empty());
    for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at byte " << i;

    HelpFile help = ParseHelpFile(bytes);
    EXPECT_TRUE(help.problems.empty()) << help.problems.front();
    ASSERT_NE(HelpContentsTopic(help), nullptr);

    for (const uint32_t* table : {kContextHelpIds, kFileViewHelpIds})
        for (const uint32_t* pair = table; pair[0] != 0; pair += 2)
            EXPECT_NE(FindHelpTopic(help, pair[1]), nullptr) << "control " << pair[0];

    const uint32_t mainMenu[] = {101, 261, 262, 235, 102, 725, 721, 722, 723, 249, 104, 264, 130,
                                 238, 107, 852, 240, 711, 712, 713, 714, 715, 171, 172, 173};
    const uint32_t fileViewMenu[] = {141, 142, 143, 146, 145, 147, 151, 152, 153,
                                     154, 155, 160, 159, 165, 166, 156, 157, 158,
                                     150, 175, 176, 178, 180, 255, 254, 163};
    for (uint32_t id : mainMenu) EXPECT_NE(FindHelpTopic(help, MenuHelpContext(id)), nullptr) << id;
    for (uint32_t id : fileViewMenu)
        EXPECT_NE(FindHelpTopic(help, MenuHelpContext(id)), nullptr) << id;

    for (const HelpTopic& topic : help.topics) EXPECT_FALSE(topic.text.empty()) << topic.title;
}

}  // namespace
