#include "settings/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "search/text_options.h"
#include "win_test_support.h"

namespace {

// A settings file in a temporary folder of its own; g_Settings starts and
// ends each test with its defaults.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override { g_Settings = Settings{}; }
    void TearDown() override { g_Settings = Settings{}; }

    void WriteIni(const std::string& text) { folder_.Write("Quarry32.ini", text); }
    std::string ReadIni() { return folder_.Read("Quarry32.ini"); }

    // The file's non-blank lines grouped by section, in file order.
    std::map<std::string, std::vector<std::string>> IniSections() {
        std::map<std::string, std::vector<std::string>> sections;
        std::istringstream text(ReadIni());
        std::string line;
        std::string section;
        while (std::getline(text, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            if (line.front() == '[') {
                section = line.substr(1, line.find(']') - 1);
                sections[section];
            } else {
                sections[section].push_back(line);
            }
        }
        return sections;
    }

    TempFolder folder_;
    std::string iniPath_ = folder_.File("Quarry32.ini");
};

const char kEdgeIni[] =
    "[Find]\r\n"
    "Directory=Z:\\Tmp\\Quarry Work\r\n"
    "FilePattern=*.c\r\n"
    "Case=1\r\n"
    "Word=1\r\n"
    "Regular=0\r\n"
    "Sub-Directory=2\r\n"
    "ZipOptions=-a -P -r\r\n"
    "[Options]\r\n"
    "LoadClipboard=1\r\n"
    "Save=1\r\n"
    "SortMode=4\r\n"
    "SortOrder=1\r\n"
    "SortDir=0\r\n"
    "Editor=3,c:\\program files\\ed\\ed.exe\r\n"
    "EditorQuery=1\r\n"
    "EnableExcludeFiles=2\r\n"
    "[FileView]\r\n"
    "WindowSize=10,20,300\r\n"
    "FontName=Lucida Console\r\n"
    "FontStyle=BOLD\r\n"
    "FontSize=41\r\n"
    "Tabs=13\r\n";

// Keys already in the file keep their place; the never-written ones stay as they were.
TEST_F(SettingsFileTest, EdgeValuesLoadAndAreRewrittenInPlace) {
    WriteIni(kEdgeIni);
    ASSERT_TRUE(LoadSettings(iniPath_.c_str()));
    EXPECT_EQ(g_Settings.Directory, "z:\\tmp\\quarry work");
    EXPECT_EQ(g_Settings.TextOptions, kTextCase | kTextWord);
    EXPECT_EQ(g_Settings.SubDirMode, 2);
    EXPECT_EQ(g_Settings.Editor, 403);
    EXPECT_EQ(g_Settings.OtherEditor, "c:\\program files\\ed\\ed.exe");
    EXPECT_EQ(g_Settings.EditorQuery, 406);
    EXPECT_EQ(g_Settings.EnableExcludeFiles, 0);
    EXPECT_TRUE(g_Settings.LoadClipboard);
    EXPECT_EQ(g_Settings.FontWeight, 700);

    ASSERT_TRUE(SaveSettings(iniPath_.c_str()));
    auto sections = IniSections();
    EXPECT_EQ(sections["Find"],
              (std::vector<std::string>{"Directory=z:\\tmp\\quarry work", "FilePattern=*.c",
                                        "Case=1", "Word=1", "Regular=0", "Sub-Directory=2,0",
                                        "ZipOptions=-a -P -r"}));
    EXPECT_EQ(sections["Options"],
              (std::vector<std::string>{"LoadClipboard=1", "Save=1", "SortMode=0", "SortOrder=1",
                                        "SortDir=0", "Editor=3,c:\\program files\\ed\\ed.exe",
                                        "EditorQuery=1", "EnableExcludeFiles=2"}));
    EXPECT_EQ(sections["FileView"],
              (std::vector<std::string>{"WindowSize=0,0,0,0", "FontName=Lucida Console",
                                        "FontStyle=Bold", "FontSize=10", "Tabs=4"}));
}

TEST_F(SettingsFileTest, SaveAppendsMissingKeysInWriteOrder) {
    WriteIni("[Find]\r\n");
    char currentDirectory[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, currentDirectory);
    CharLowerA(currentDirectory);

    ASSERT_TRUE(LoadSettings(iniPath_.c_str()));
    EXPECT_EQ(g_Settings.Directory, currentDirectory);
    ASSERT_TRUE(SaveSettings(iniPath_.c_str()));

    auto sections = IniSections();
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections["Find"],
              (std::vector<std::string>{std::string("Directory=") + currentDirectory,
                                        "FilePattern=*.txt", "Case=0", "Word=0", "Regular=0",
                                        "Sub-Directory=0,0", "ZipOptions=-a -P"}));
    EXPECT_EQ(sections["Options"],
              (std::vector<std::string>{"SortMode=0", "SortOrder=1", "SortDir=0",
                                        "Editor=0,notepad.exe", "EditorQuery=0"}));
    EXPECT_EQ(sections["FileView"],
              (std::vector<std::string>{"WindowSize=10,0,400,400", "FontName=Courier",
                                        "FontStyle=Regular", "FontSize=10", "Tabs=4"}));
    // The sections come in the order of their first write.
    std::string text = ReadIni();
    EXPECT_LT(text.find("[Find]"), text.find("[Options]"));
    EXPECT_LT(text.find("[Options]"), text.find("[FileView]"));
}

}  // namespace
