#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/help.h"
#include "app/help_win.h"
#include "win_test_support.h"

namespace {

// A small help file of our own, so the tests do not hang on the wording of
// the shipped topics.
const char kTopics[] =
    "# test topics\r\n"
    "@@ 1 Test Contents\r\n"
    "All topics.\r\n"
    "@@ 0x10065 Find Files (F5)\r\n"
    "Searches the directory.\r\n"
    "@@ 0x812D006E Directory\r\n"
    "Where the search starts.\r\n"
    "@@ 0x812D0071 File Info List\r\n"
    "The files found; sort by clicking a heading.\r\n"
    "@@ 0x102C7 Sort Options\r\n"
    "How rows are ordered.\r\n";

std::string ControlText(HWND control) {
    char text[1024] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

std::string ShownTopic() {
    return ControlText(GetDlgItem(HelpWindowHandle(), kHelpTopicTextId));
}

std::string SelectedListTitle() {
    HWND list = GetDlgItem(HelpWindowHandle(), kHelpTopicListId);
    LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (row < 0) return "";
    char text[256] = "";
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    return text;
}

int ListCount() {
    return static_cast<int>(
        SendMessageA(GetDlgItem(HelpWindowHandle(), kHelpTopicListId), LB_GETCOUNT, 0, 0));
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// A stand-in for the main window: a top-level window with the directory
// combo (110) and a button (116) that has no topic.
class Help : public testing::Test {
  protected:
    void SetUp() override {
        folder.Write("Quarry32.hlp", kTopics);
        path = folder.File("Quarry32.hlp");
        owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
        combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 100,
                                80, owner, reinterpret_cast<HMENU>(110), nullptr, nullptr);
        button = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE, 0, 40, 50, 20, owner,
                                 reinterpret_cast<HMENU>(116), nullptr, nullptr);
    }
    void TearDown() override {
        QuarryHelp(owner, path.c_str(), HELP_QUIT, 0);
        DestroyWindow(owner);
        SetWhatsThisHook(nullptr);
    }

    TempFolder folder;
    MessageBoxRecorder boxes;
    std::string path;
    HWND owner = nullptr;
    HWND combo = nullptr;
    HWND button = nullptr;
};

TEST_F(Help, MenuItemContextShowsItsTopic) {
    ASSERT_TRUE(QuarryHelp(owner, path.c_str(), HELP_CONTEXT, MenuHelpContext(101)));
    ASSERT_TRUE(IsWindowVisible(HelpWindowHandle()));
    EXPECT_TRUE(StartsWith(ShownTopic(), "Find Files (F5)\r\n\r\nSearches the directory."))
        << ShownTopic();
    EXPECT_EQ(SelectedListTitle(), "Find Files (F5)");
    EXPECT_EQ(ListCount(), 5);
    EXPECT_EQ(ControlText(HelpWindowHandle()), "Quarry Help - Find Files (F5)");
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Help, UnknownContextFallsBackToContents) {
    ASSERT_TRUE(QuarryHelp(owner, path.c_str(), HELP_CONTEXT, MenuHelpContext(999)));
    EXPECT_TRUE(StartsWith(ShownTopic(), "Test Contents")) << ShownTopic();
}

TEST_F(Help, ControlHelpFindsTheControlInTheTable) {
    ASSERT_TRUE(QuarryHelp(combo, path.c_str(), HELP_WM_HELP,
                           reinterpret_cast<ULONG_PTR>(kContextHelpIds)));
    EXPECT_TRUE(StartsWith(ShownTopic(), "Directory\r\n")) << ShownTopic();

    // F1 in the combo's edit field counts for the combo.
    QuarryHelp(owner, path.c_str(), HELP_FINDER, 0);
    HWND comboEdit = FindWindowExA(combo, nullptr, "EDIT", nullptr);
    ASSERT_NE(comboEdit, nullptr);
    QuarryHelp(comboEdit, path.c_str(), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(kContextHelpIds));
    EXPECT_TRUE(StartsWith(ShownTopic(), "Directory\r\n")) << ShownTopic();

    // A control the table does not name gets the contents.
    QuarryHelp(button, path.c_str(), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(kContextHelpIds));
    EXPECT_TRUE(StartsWith(ShownTopic(), "Test Contents")) << ShownTopic();
}

TEST_F(Help, ContentsReusesTheOpenWindowAndQuitClosesIt) {
    ASSERT_TRUE(QuarryHelp(owner, path.c_str(), HELP_FINDER, 0));
    HWND window = HelpWindowHandle();
    EXPECT_TRUE(StartsWith(ShownTopic(), "Test Contents\r\n\r\nAll topics.")) << ShownTopic();
    EXPECT_EQ(SelectedListTitle(), "Test Contents");

    QuarryHelp(owner, path.c_str(), HELP_CONTEXT, 0x812D0071);
    EXPECT_EQ(HelpWindowHandle(), window);
    EXPECT_EQ(SelectedListTitle(), "File Info List");

    EXPECT_TRUE(QuarryHelp(owner, path.c_str(), HELP_QUIT, 0));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(HelpWindowHandle(), nullptr);
    EXPECT_TRUE(QuarryHelp(owner, path.c_str(), HELP_QUIT, 0));  // nothing open: harmless
}

TEST_F(Help, EscapeClosesTheWindow) {
    for (int id : {kHelpTopicListId, kHelpSearchBoxId, kHelpTopicTextId}) {
        QuarryHelp(owner, path.c_str(), HELP_FINDER, 0);
        HWND window = HelpWindowHandle();
        SendMessageA(GetDlgItem(window, id), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_FALSE(IsWindow(window)) << id;
    }
}

TEST_F(Help, SearchListsTopicsHoldingTheKey) {
    ASSERT_TRUE(QuarryHelp(owner, path.c_str(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>("")));
    HWND search = GetDlgItem(HelpWindowHandle(), kHelpSearchBoxId);
    EXPECT_EQ(GetFocus(), search);
    EXPECT_EQ(ListCount(), 5);

    // Typing narrows the list; a title match comes before a text match.
    SetWindowTextA(search, "sort");
    ASSERT_EQ(ListCount(), 2);
    EXPECT_EQ(SelectedListTitle(), "Sort Options");
    EXPECT_TRUE(StartsWith(ShownTopic(), "Sort Options")) << ShownTopic();

    QuarryHelp(owner, path.c_str(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>("SEARCH"));
    EXPECT_EQ(ControlText(search), "SEARCH");
    EXPECT_EQ(ListCount(), 2);  // Find Files and Directory mention it in their text
}

TEST_F(Help, RightClickOffersWhatsThisFirst) {
    static int asked;
    static bool answer;
    asked = 0;
    SetWhatsThisHook([](HWND) {
        ++asked;
        return answer;
    });
    const auto table = reinterpret_cast<ULONG_PTR>(kContextHelpIds);

    answer = false;
    EXPECT_TRUE(QuarryHelp(combo, path.c_str(), HELP_CONTEXTMENU, table));
    EXPECT_EQ(HelpWindowHandle(), nullptr);

    answer = true;
    QuarryHelp(combo, path.c_str(), HELP_CONTEXTMENU, table);
    ASSERT_NE(HelpWindowHandle(), nullptr);
    EXPECT_TRUE(StartsWith(ShownTopic(), "Directory")) << ShownTopic();
    EXPECT_EQ(asked, 2);

    // No topic, no popup.
    QuarryHelp(button, path.c_str(), HELP_CONTEXTMENU, table);
    EXPECT_EQ(asked, 2);
}

TEST_F(Help, MissingOrEmptyHelpFileWarns) {
    std::string missing = folder.File("none.hlp");
    EXPECT_FALSE(QuarryHelp(owner, missing.c_str(), HELP_FINDER, 0));
    EXPECT_EQ(HelpWindowHandle(), nullptr);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Help file " + missing + " not found!");
    EXPECT_EQ(boxes.shown()[0].caption, "Quarry");
    EXPECT_EQ(boxes.shown()[0].type, UINT(MB_ICONEXCLAMATION | MB_OK));

    folder.Write("empty.hlp", "# nothing yet\r\n");
    std::string empty = folder.File("empty.hlp");
    EXPECT_FALSE(QuarryHelp(owner, empty.c_str(), HELP_CONTEXT, MenuHelpContext(101)));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].text, "Help file " + empty + " holds no help topics!");
}

TEST_F(Help, ShippedFileOpensAtItsContents) {
    char shipped[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, shipped, MAX_PATH);
    std::string dir(shipped, n);
    dir.erase(dir.find_last_of('\\') + 1);
    std::string file = dir + "Quarry32.hlp";
    ASSERT_TRUE(QuarryHelp(owner, file.c_str(), HELP_FINDER, 0));
    EXPECT_TRUE(StartsWith(ShownTopic(), "Quarry Help Contents")) << ShownTopic();
    QuarryHelp(owner, file.c_str(), HELP_CONTEXT, 0x000504B1);
    EXPECT_TRUE(StartsWith(ShownTopic(), "Status bar")) << ShownTopic();
}

}  // namespace
