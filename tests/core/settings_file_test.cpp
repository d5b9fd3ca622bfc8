#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text_files_fake.h"

namespace {

Settings Saved() {
    Settings s;
    s.Directory = "c:\\work";
    s.SortMode = 2;
    s.Tabs = 8;
    return s;
}

// What a save writes into an empty file.
const std::string kFresh =
    "[Find]\r\nDirectory=c:\\work\r\nFilePattern=*.txt\r\nCase=0\r\nWord=0\r\nRegular=0\r\n"
    "Sub-Directory=0,0\r\nZipOptions=-a -P\r\n\r\n"
    "[Options]\r\nSortMode=2\r\nSortOrder=1\r\nSortDir=0\r\nEditor=0,notepad.exe\r\n"
    "EditorQuery=0\r\n\r\n"
    "[FileView]\r\nWindowSize=10,0,400,400\r\nFontName=Courier\r\nFontStyle=Regular\r\n"
    "FontSize=10\r\nTabs=8\r\n";

// A file the user keeps by hand: a comment, their own keys, blank lines, odd
// spacing and spelling. A save changes the values and nothing else.
const std::string kByHand =
    "; kept by hand\r\n[Find]\r\nDirectory=c:\\old\r\nFilePattern = *.txt\r\nCase=0\r\nWord=0\r\n"
    "Regular=0\r\nSub-Directory=0,0\r\nZipOptions=-a -P\r\nMine=kept\r\n\r\n\r\n"
    "  [options]  \r\nsortmode=0\r\nSortOrder=1\r\nSortDir=0\r\nEditor=0,notepad.exe\r\n"
    "EditorQuery=0\r\nLoadClipboard=1\r\n\r\n"
    "[FileView]\r\n  WindowSize=10,0,400,400\r\nFontName=Courier\r\nFontStyle=Regular\r\n"
    "FontSize=10\r\nTabs   =\t4";

std::string With(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits) {
        size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

std::string LineFeedsOnly(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
}

TEST(SettingsFile, OnlyTheWrittenValuesChange) {
    const struct {
        const char* what;
        std::string before, after;
    } cases[] = {
        {"an empty file", "", kFresh},
        {"a file kept by hand", kByHand,
         With(kByHand, {{"c:\\old", "c:\\work"}, {"sortmode=0", "sortmode=2"}, {"\t4", "\t8"}})},
        {"a missing key goes after its section's last line, before the blank lines",
         With(kFresh, {{"EditorQuery=0\r\n", "Mine=1\r\n"}}),
         With(kFresh, {{"EditorQuery=0\r\n", "Mine=1\r\nEditorQuery=0\r\n"}})},
        {"a missing section goes at the end, with the file's own line ends",
         LineFeedsOnly(kFresh.substr(0, kFresh.find("\r\n\r\n[FileView]"))), LineFeedsOnly(kFresh)},
        {"the first of two keys and the first of two sections are the ones read",
         With(kFresh, {{"Tabs=8\r\n", "Tabs=1\r\nTabs=2\r\n[FileView]\r\nTabs=3\r\n"}}),
         With(kFresh, {{"Tabs=8\r\n", "Tabs=8\r\nTabs=2\r\n[FileView]\r\nTabs=3\r\n"}})},
        {"a comment is no key; a key without '=' reads as missing and gets one",
         With(kFresh, {{"Tabs=8\r\n", ";Tabs=1\r\n  Tabs\r\n"}}),
         With(kFresh, {{"Tabs=8\r\n", ";Tabs=1\r\n  Tabs=8\r\n"}})},
        {"lines before the first section belong to none", "Tabs=1", "Tabs=1\r\n\r\n" + kFresh},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsFileText(c.before, Saved()), c.after) << c.what;
        // Saving what was just saved changes nothing.
        EXPECT_EQ(SettingsFileText(c.after, Saved()), c.after) << c.what;
    }
    // A value is one line: a line break in it would start another key.
    Settings broken = Saved();
    broken.Directory = "c:\\a\r\n[Options]\r\nSortMode=3";
    EXPECT_EQ(SettingsFileText("", broken), With(kFresh, {{"c:\\work", "c:\\a"}}));
}

TEST(SettingsFile, AFailedStepLeavesTheFileAsItWasAndNoTemporaryFile) {
    const std::string path = "c:\\quarry\\Quarry32.ini";
    FakeFiles clean;
    clean.files[path] = kByHand;
    ASSERT_TRUE(SaveSettingsFile(clean, path, Saved()));
    ASSERT_EQ(clean.steps, "read temp open write flush close replace ");
    EXPECT_EQ(clean.files[path], SettingsFileText(kByHand, Saved()));
    for (int k = 1; k <= clean.StepCount(); ++k) {
        FakeFiles files;
        files.files[path] = kByHand;
        files.failAt = k;
        EXPECT_FALSE(SaveSettingsFile(files, path, Saved())) << files.failed;
        EXPECT_EQ(files.files[path], kByHand) << files.failed;
        EXPECT_TRUE(files.TempFiles().empty()) << files.failed;
        EXPECT_TRUE(files.open.empty()) << files.failed;
    }
    // A file too large to be a settings file is left alone; one deleted
    // during the run is written afresh; a zero byte is the user's and stays.
    FakeFiles odd;
    odd.files["huge.ini"] = std::string(kSettingsFileLimit, 'x');
    odd.files["zero.ini"] = std::string("a\0b", 3);
    EXPECT_FALSE(SaveSettingsFile(odd, "huge.ini", Saved()));
    EXPECT_EQ(odd.files["huge.ini"].size(), kSettingsFileLimit);
    EXPECT_TRUE(SaveSettingsFile(odd, "gone.ini", Saved()));
    EXPECT_EQ(odd.files["gone.ini"], kFresh);
    EXPECT_TRUE(SaveSettingsFile(odd, "zero.ini", Saved()));
    EXPECT_EQ(odd.files["zero.ini"], std::string("a\0b\r\n\r\n", 7) + kFresh);
    EXPECT_TRUE(odd.TempFiles().empty());
}

}  // namespace
