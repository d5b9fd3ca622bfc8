#include "settings/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win_test_support.h"

namespace {

const char kEdgeIni[] =
    "[Find]\r\nDirectory=Z:\\Tmp\\Quarry Work\r\nFilePattern=*.c\r\nCase=1\r\nWord=1\r\n"
    "Regular=0\r\nSub-Directory=2\r\nZipOptions=-a -P -r\r\n"
    "[Options]\r\nLoadClipboard=1\r\nSave=1\r\nSortMode=4\r\nSortOrder=1\r\nSortDir=0\r\n"
    "Editor=3,c:\\program files\\ed\\ed.exe\r\nEditorQuery=1\r\nEnableExcludeFiles=2\r\n"
    "[FileView]\r\nWindowSize=10,20,300\r\nFontName=Lucida Console\r\nFontStyle=BOLD\r\n"
    "FontSize=41\r\nTabs=13\r\n";

// Keys already in the file keep their place; the never-written ones stay as they were. What is
// written back shows what was loaded.
TEST(SettingsFile, EdgeValuesLoadAndAreRewrittenInPlace) {
    TempFolder folder;
    folder.Write("Quarry32.ini", kEdgeIni);
    std::string path = folder.File("Quarry32.ini");
    g_Settings = Settings{};
    ASSERT_TRUE(LoadSettings(path.c_str()));
    EXPECT_EQ(g_Settings.Editor, 403);
    EXPECT_EQ(g_Settings.OtherEditor, "c:\\program files\\ed\\ed.exe");
    EXPECT_EQ(g_Settings.EditorQuery, 406);
    EXPECT_TRUE(g_Settings.LoadClipboard);

    ASSERT_TRUE(SaveSettings(path.c_str()));
    g_Settings = Settings{};
    // The file's lines, blank ones left out.
    std::string text = folder.Read("Quarry32.ini"), lines;
    for (size_t at = 0, end; at < text.size(); at = end + 2) {
        end = std::min(text.find("\r\n", at), text.size());
        if (end > at) lines += text.substr(at, end - at) + "|";
    }
    EXPECT_EQ(lines,
              "[Find]|Directory=z:\\tmp\\quarry work|FilePattern=*.c|Case=1|Word=1|Regular=0|"
              "Sub-Directory=2,0|ZipOptions=-a -P -r|[Options]|LoadClipboard=1|Save=1|SortMode=0|"
              "SortOrder=1|SortDir=0|Editor=3,c:\\program files\\ed\\ed.exe|EditorQuery=1|"
              "EnableExcludeFiles=2|[FileView]|WindowSize=0,0,0,0|FontName=Lucida Console|"
              "FontStyle=Bold|FontSize=10|Tabs=4|");
}

}  // namespace
