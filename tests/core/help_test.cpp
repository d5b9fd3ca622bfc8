#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "help/help.h"
#include "text_files_fake.h"

namespace {

// The main window (top level) holding the directory combo 110 with its edit
// field inside, the list 113 with its header, and a button 116 without a topic.
struct FakeWindows : HelpWindows {
    struct Window { uint32_t id; HelpWindow parent; };  // parent nullptr: top level
    std::map<HelpWindow, Window> windows;
    bool choosesWhatsThis = true;
    std::vector<HelpWindow> asked;

    bool IsChild(HelpWindow w) override { return windows.count(w) && windows[w].parent; }
    HelpWindow Parent(HelpWindow w) override { return windows[w].parent; }
    uint32_t ControlId(HelpWindow w) override { return windows[w].id; }
    bool AskWhatsThis(HelpWindow control) override { return asked.push_back(control), choosesWhatsThis; }
};

const char kMain[] = "main", kCombo[] = "combo", kComboEdit[] = "edit", kList[] = "list",
           kHeader[] = "header", kButton[] = "button", kOther[] = "other";

TEST(HelpRequest, CommandsComeToTheirTopicsAndControlsToTheirHolders) {
    const auto table = reinterpret_cast<uintptr_t>(kContextHelpIds);
    const uint32_t directory = ControlHelpContext(301, 110), list = ControlHelpContext(301, 113);
    using A = HelpAnswer;
    // clang-format off
    const struct { unsigned command; uintptr_t data; HelpWindow caller; bool choosesWhatsThis; A::Action action;
                   uint32_t context; bool asks; } cases[] = {
        {kHelpQuit, 0, kMain, true, A::Quit, 0, false},
        {kHelpFinder, 0, kMain, true, A::ShowTopic, 0, false},
        {kHelpContext, MenuHelpContext(101), kMain, true, A::ShowTopic, MenuHelpContext(101), false},
        {kHelpWmHelp, table, kComboEdit, true, A::ShowTopic, directory, false},
        {kHelpWmHelp, table, kHeader, true, A::ShowTopic, list, false},
        {kHelpWmHelp, table, kButton, true, A::ShowTopic, 0, false},  // the contents
        {kHelpWmHelp, table, kMain, true, A::ShowTopic, 0, false},    // no walk above a top level
        {kHelpWmHelp, 0, kList, true, A::ShowTopic, 0, false},        // no table
        {kHelpWmHelp, table, kOther, true, A::ShowTopic, 0, false},   // another top-level window
        {kHelpContextMenu, table, kComboEdit, true, A::ShowTopic, directory, true},
        {kHelpContextMenu, table, kComboEdit, false, A::Nothing, directory, true},
        {kHelpContextMenu, table, kButton, true, A::Nothing, 0, false},  // nothing offered
        {0x0003, 0, kMain, true, A::Refuse, 0, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " from " << static_cast<const char*>(c.caller));
        FakeWindows w;
        w.windows = {{kMain, {0, nullptr}},   {kCombo, {110, kMain}}, {kComboEdit, {1001, kCombo}},
                     {kList, {113, kMain}},   {kHeader, {0, kList}},  {kButton, {116, kMain}},
                     {kOther, {110, nullptr}}};
        w.choosesWhatsThis = c.choosesWhatsThis;
        const HelpAnswer answer = ResolveHelpRequest(c.command, c.data, c.caller, w);
        EXPECT_EQ(std::tuple(answer.action, answer.context, w.asked.size()), std::tuple(c.action, c.context, c.asks ? 1u : 0u));
    }
    FakeWindows w;
    EXPECT_STREQ(ResolveHelpRequest(kHelpPartialKey, 0, kMain, w).key, "");
    EXPECT_STREQ(ResolveHelpRequest(kHelpPartialKey, reinterpret_cast<uintptr_t>("sort"), kMain, w).key, "sort");
    // The tables end with a marker that never matches.
    EXPECT_EQ(LookupHelpContext(kContextHelpIds, 0), 0u);
}

TEST(HelpParser, ReadsTopicsAndReportsFaultsByLine) {
    HelpFile help = ParseHelpFile(
        "# heading comment\r\n\r\n@@ 1 Contents\r\n\r\n"
        "First line\r\n# a comment inside a topic\r\ngoes on.\r\n\r\n"
        "  Indented line.\r\n\tTabbed line.\r\n"
        "@@\t0x812D0071 \t File Info List  \nRows.\n"
        "@@ 65637 Find Files\nNo final line end");
    EXPECT_TRUE(help.problems.empty());
    ASSERT_EQ(help.topics.size(), 3u);
    EXPECT_EQ(help.topics[0].text, "First line goes on.\r\n\r\n  Indented line.\r\n\tTabbed line.");
    EXPECT_EQ(std::tuple(help.topics[1].context, help.topics[1].title, help.topics[2].text),
              std::tuple(0x812D0071u, "File Info List", "No final line end"));
    EXPECT_EQ(HelpContentsTopic(help), &help.topics[0]);
    EXPECT_EQ(FindHelpTopic(help, MenuHelpContext(101)), &help.topics[2]);
    EXPECT_EQ(FindHelpTopic(help, 2), nullptr);
    EXPECT_EQ(TopicToShow(help, 2), &help.topics[0]);
    EXPECT_EQ(TopicToShow(help, 0x812D0071u), &help.topics[1]);
    EXPECT_EQ(HelpContentsTopic(ParseHelpFile("# only a comment\r\n")), nullptr);

    // Faults are reported by line; the good topics stay.
    help = ParseHelpFile(
        "stray text\n@@ 0x100000000 Too large\n@@ 12z Not a number\n@@ 7\n"
        "@@ 5 Five\nfive\n@@ 5 Five again\n@@6 Six\n");
    ASSERT_EQ(help.topics.size(), 3u);
    EXPECT_EQ(FindHelpTopic(help, 5)->text, "five");
    const std::vector<std::string> expected = {
        "line 1: text outside a topic", "line 2: bad context number", "line 3: bad context number",
        "line 4: topic without a title", "line 7: duplicate context number"};
    EXPECT_EQ(help.problems, expected);
}

TEST(HelpSearch, AllWordsIgnoringCaseTitlesFirst) {
    HelpFile help = ParseHelpFile(
        "@@ 1 Contents\nEverything.\n@@ 2 Sort Options\nOrder of rows.\n"
        "@@ 3 Find Files\nSorts the list after a search.\n@@ 4 Sort by File Date\nNewest rows.\n");
    using V = std::vector<size_t>;
    EXPECT_EQ(SearchHelpTopics(help, "SORT"), (V{1, 3, 2}));
    EXPECT_EQ(SearchHelpTopics(help, "  sort   rows "), (V{1, 3}));
    EXPECT_EQ(SearchHelpTopics(help, "find sorts"), (V{2}));  // title and text together
    EXPECT_EQ(SearchHelpTopics(help, ""), (V{0, 1, 2, 3}));
}

// What the window shows after each step: key, listed indexes, chosen row, shown topic.
std::string Shown(const HelpPage& page) {
    std::string listed;
    for (size_t index : page.listed) listed += std::to_string(index);
    return page.key + "|" + listed + "|" + std::to_string(page.chosenRow) + "|" +
           std::to_string(page.shown);
}

TEST(HelpPage, TopicsSearchesAndChoicesShowWhatTheReaderAskedFor) {
    const HelpFile help = ParseHelpFile(
        "@@ 1 Contents\nAll.\n@@ 2 Sort Options\nRows.\n@@ 3 Find Files\nSort after.\n");
    HelpPage page = PageForTopic(help, 3);
    EXPECT_EQ(Shown(page), "|012|2|2");
    EXPECT_EQ(Shown(PageForTopic(help, 99)), "|012|0|0");  // no topic: the contents
    EXPECT_EQ(Shown(PageForSearch(help, "sort")), "sort|12|0|1");
    EXPECT_EQ(Shown(PageForSearch(help, "none")), "none||-1|0");
    EXPECT_TRUE(ChooseHelpRow(page, 1));
    EXPECT_FALSE(ChooseHelpRow(page, 3) || ChooseHelpRow(page, -1));
    EXPECT_EQ(Shown(page), "|012|1|1");
    // Typing narrows the list; a key nothing holds keeps the topic shown.
    const struct { const char* key; bool listed; const char* shown; } typed[] = {
        {"find", true, "find|2|0|2"}, {"findx", false, "findx||-1|2"}, {"", true, "|012|0|0"}};
    for (const auto& t : typed) {
        EXPECT_EQ(RetypeHelpKey(help, page, t.key), t.listed) << t.key;
        EXPECT_EQ(Shown(page), t.shown) << t.key;
    }
    EXPECT_EQ(HelpPaneText(help.topics[1]), "Sort Options\r\n\r\nRows.");
    EXPECT_EQ(HelpCaption("Quarry", help.topics[1]), "Quarry Help - Sort Options");
    EXPECT_EQ(HelpCaption("Q", HelpTopic{0, std::string(200, 't'), ""}).size(), 127u);
}

TEST(HelpPage, AMissingOrEmptyHelpFileIsRefusedByName) {
    FakeFiles files;
    files.files["q.hlp"] = "@@ 1 Contents\nAll.\n";
    files.files["empty.hlp"] = "# nothing yet\n";
    files.files["zero.hlp"] = std::string("@@ 1 Contents\nA\0B\n", 18);
    files.files["big.hlp"] = std::string(4 * 1024 * 1024 + 1, 'x');
    const struct { std::string path; const char* refusal; } cases[] = {  // nullptr: cut to the message's room
        {"q.hlp", ""}, {"zero.hlp", ""}, {"none.hlp", "Help file none.hlp not found!"}, {"", "Help file  not found!"},
        {"empty.hlp", "Help file empty.hlp holds no help topics!"}, {std::string(600, 'p'), nullptr},
        {"big.hlp", "Help file big.hlp not found!"}};
    for (const auto& c : cases) {
        HelpFile help;
        std::string refusal;
        EXPECT_EQ(ReadHelpFile(files, c.path, help, refusal), c.refusal && !*c.refusal) << c.path;
        EXPECT_EQ(refusal.size(), c.refusal ? std::strlen(c.refusal) : 515u) << c.path;
        if (c.refusal) { EXPECT_EQ(refusal, c.refusal) << c.path; }
    }
}

TEST(ShippedHelp, EveryContextNumberHasATopic) {
    std::ifstream in(std::string(QUARRY_SOURCE_DIR) + "/resources/Quarry32.hlp", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    HelpFile help = ParseHelpFile(bytes.str());
    ASSERT_NE(HelpContentsTopic(help), nullptr);
    EXPECT_TRUE(help.problems.empty()) << help.problems.front();

    for (const uint32_t* table : {kContextHelpIds, kFileViewHelpIds})
        for (const uint32_t* pair = table; pair[0] != 0; pair += 2)
            EXPECT_NE(FindHelpTopic(help, pair[1]), nullptr) << "control " << pair[0];
    const uint32_t menuIds[] = {101, 261, 262, 235, 102, 725, 721, 722, 723, 249, 104, 264, 130,
                                238, 107, 852, 240, 711, 712, 713, 714, 715, 171, 172, 173, 141,
                                142, 143, 146, 145, 147, 151, 152, 153, 154, 155, 160, 159, 165,
                                166, 156, 157, 158, 150, 175, 176, 178, 180, 255, 254, 163};
    for (uint32_t id : menuIds) EXPECT_NE(FindHelpTopic(help, MenuHelpContext(id)), nullptr) << id;
}

}  // namespace
