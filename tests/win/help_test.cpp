#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "help/help.h"
#include "help/help_win.h"
#include "win_test_support.h"

namespace {

// A help file of our own, so the tests do not hang on the wording of the shipped topics.
const char kTopics[] =
    "@@ 1 Test Contents\r\nAll topics.\r\n"
    "@@ 0x10065 Find Files (F5)\r\nSearches the directory.\r\n"
    "@@ 0x812D006E Directory\r\nWhere the search starts.\r\n"
    "@@ 0x812D0071 File Info List\r\nThe files found.\r\n";

std::string ShownTopic() {
    char text[1024] = "";
    GetDlgItemTextA(HelpWindowHandle(), kHelpTopicTextId, text, sizeof text);
    return text;
}

// A stand-in for the main window with the directory combo (110).
class Help : public testing::Test {
  protected:
    void SetUp() override {
        folder.Write("Quarry32.hlp", kTopics);
        owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
        combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 100,
                                80, owner, reinterpret_cast<HMENU>(110), nullptr, nullptr);
    }
    void TearDown() override {
        QuarryHelp(owner, path.c_str(), HELP_QUIT, 0);
        DestroyWindow(owner);
    }
    BOOL Ask(HWND caller, UINT command, ULONG_PTR data) {
        return QuarryHelp(caller, path.c_str(), command, data);
    }

    TempFolder folder;
    MessageBoxRecorder boxes;
    std::string path = folder.File("Quarry32.hlp");
    HWND owner = nullptr, combo = nullptr;
};

// One help window shows the asked topic and, for F1 in a combo's edit field,
// the combo's topic, found by walking up the real windows; Quit closes it.
TEST_F(Help, ContextAndControlHelpShowTheirTopicsInOneWindow) {
    ASSERT_TRUE(Ask(owner, HELP_CONTEXT, MenuHelpContext(101)));
    HWND window = HelpWindowHandle();
    ASSERT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(ShownTopic(), "Find Files (F5)\r\n\r\nSearches the directory.");
    ASSERT_TRUE(Ask(FindWindowExA(combo, nullptr, "EDIT", nullptr), HELP_WM_HELP,
                    reinterpret_cast<ULONG_PTR>(kContextHelpIds)));
    EXPECT_EQ(ShownTopic().rfind("Directory", 0), 0u) << ShownTopic();
    EXPECT_EQ(HelpWindowHandle(), window);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(Ask(owner, HELP_QUIT, 0));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(Ask(owner, HELP_QUIT, 0));  // nothing open: harmless
}

// A help file that cannot be read is named in a warning and opens no window.
// (Which files are refused, and how, is checked natively.)
TEST_F(Help, AMissingHelpFileWarns) {
    path = folder.File("none.hlp");
    EXPECT_FALSE(Ask(owner, HELP_CONTEXT, MenuHelpContext(101)));
    EXPECT_EQ(HelpWindowHandle(), nullptr);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Help file " + path + " not found!"});
    EXPECT_EQ(boxes.shown()[0].type, UINT(MB_ICONEXCLAMATION | MB_OK));
}

}  // namespace
