#include "settings/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "failing_files.h"
#include "settings/settings_file.h"
#include "win_test_support.h"

namespace {

const char kEdgeIni[] =
    "; the user's own comment\r\n"
    "[Find]\r\nDirectory=Z:\\Tmp\\Quarry Work\r\nFilePattern=*.c\r\nCase=1\r\nWord=1\r\n"
    "Regular=0\r\nSub-Directory=2\r\nZipOptions=-a -P -r\r\n\r\n"
    "[Options]\r\nLoadClipboard=1\r\nSave=1\r\nSortMode=4\r\nSortOrder=1\r\nSortDir=0\r\n"
    "Editor=3,c:\\program files\\ed\\ed.exe\r\nEditorQuery=1\r\nEnableExcludeFiles=2\r\n\r\n"
    "[FileView]\r\nWindowSize=10,20,300\r\nFontName=Lucida Console\r\nFontStyle=BOLD\r\n"
    "FontSize=41\r\nTabs=13\r\n";

// Keys already in the file keep their place, the never-written ones, the
// comment and the blank lines stay as they were; what is written back shows
// what was loaded, and the platform reads it back.
TEST(SettingsFile, EdgeValuesLoadAndAreRewrittenInPlace) {
    TempFolder folder;
    folder.Write("Quarry32.ini", kEdgeIni);
    std::string path = folder.File("Quarry32.ini");
    ReplaceSettings(Settings{});
    ASSERT_TRUE(LoadSettings(path.c_str()));
    EXPECT_EQ(g_Settings.Editor, 403);
    EXPECT_EQ(g_Settings.OtherEditor, "c:\\program files\\ed\\ed.exe");
    EXPECT_EQ(g_Settings.EditorQuery, 406);
    EXPECT_TRUE(g_Settings.LoadClipboard);

    ASSERT_TRUE(SaveSettings(path.c_str()));
    const std::string written = folder.Read("Quarry32.ini");
    EXPECT_EQ(written,
              "; the user's own comment\r\n"
              "[Find]\r\nDirectory=z:\\tmp\\quarry work\r\nFilePattern=*.c\r\nCase=1\r\nWord=1\r\n"
              "Regular=0\r\nSub-Directory=2,0\r\nZipOptions=-a -P -r\r\n\r\n"
              "[Options]\r\nLoadClipboard=1\r\nSave=1\r\nSortMode=0\r\nSortOrder=1\r\nSortDir=0\r\n"
              "Editor=3,c:\\program files\\ed\\ed.exe\r\nEditorQuery=1\r\nEnableExcludeFiles=2\r\n\r\n"
              "[FileView]\r\nWindowSize=0,0,0,0\r\nFontName=Lucida Console\r\nFontStyle=Bold\r\n"
              "FontSize=10\r\nTabs=4\r\n");
    const Settings saved = g_Settings;
    ReplaceSettings(Settings{});
    ASSERT_TRUE(LoadSettings(path.c_str()));
    for (const SettingsKey& key : kSettingsWriteOrder)
        EXPECT_EQ(FormatSettingsValue(g_Settings, key.value), FormatSettingsValue(saved, key.value))
            << key.key;
    ReplaceSettings(Settings{});
}

// A full disk at any step: the file keeps every byte, no temporary file is
// left beside it, and the user is told.
TEST(SettingsFile, AFailedSaveLeavesTheFileWholeAndSaysSo) {
    for (const char* step : {"temp", "open", "write", "flush", "close", "replace"}) {
        SCOPED_TRACE(step);
        TempFolder folder;
        folder.Write("Quarry32.ini", kEdgeIni);
        const std::string path = folder.File("Quarry32.ini");
        MessageBoxRecorder boxes;
        {
            FailingFiles failing(step);
            EXPECT_FALSE(SaveSettings(path.c_str()));
        }
        EXPECT_EQ(folder.Read("Quarry32.ini"), kEdgeIni);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(folder.File("qry*").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Settings could not be saved to " + path + "."});
    }
}

}  // namespace
