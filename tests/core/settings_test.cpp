#include "settings/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "search/text_options.h"

namespace {

// An in-memory profile file that records every call in order.
class FakeProfileStore : public ProfileStore {
  public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> calls;  // "get Section/Key" or "write Section/Key=value"
    int failWriteAt = -1;            // index of the write that fails, -1 for none
    int writes = 0;

    std::string GetString(const char* section, const char* key, const char* defaultText) override {
        calls.push_back(std::string("get ") + section + "/" + key);
        auto found = values.find({section, key});
        return found == values.end() ? defaultText : found->second;
    }
    bool WriteString(const char* section, const char* key, const char* value) override {
        calls.push_back(std::string("write ") + section + "/" + key + "=" + value);
        if (writes++ == failWriteAt) return false;
        values[{section, key}] = value;
        return true;
    }
};

Settings LoadFrom(const std::map<std::pair<std::string, std::string>, std::string>& values) {
    FakeProfileStore store;
    store.values = values;
    Settings settings;
    LoadSettingsFrom(store, settings, "C:\\Work");
    return settings;
}

TEST(SettingsTest, LeadingNumberNegativeReadsAsZeroAndHugeDoesNotWrap) {
    const std::pair<const char*, int> cases[] = {
        {"7", 7},
        {" 12abc", 12},
        {"-3", 0},
        {"abc", 0},
        {"", 0},
        {"+5", 5},
        {"99999999999", INT32_MAX},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseSettingsNumber(text), expected) << text;
    }
}

// One stored value, and the field it must produce.
struct ReadCase {
    SettingsValue value;
    const char* text;
    int expected;
};

int FieldOf(const Settings& s, SettingsValue value) {
    switch (value) {
        case SettingsValue::SubDirMode: return s.SubDirMode;
        case SettingsValue::SubDirLevel: return static_cast<int>(s.SubDirLevel);
        case SettingsValue::SortMode: return s.SortMode;
        case SettingsValue::SortOrder: return s.SortOrder;
        case SettingsValue::SortDir: return s.SortDir;
        case SettingsValue::EditorChoice: return s.Editor;
        case SettingsValue::EditorQuery: return s.EditorQuery;
        case SettingsValue::EnableExcludeFiles: return s.EnableExcludeFiles;
        case SettingsValue::FontStyle: return s.FontWeight;
        case SettingsValue::FontSize: return s.FontSize;
        case SettingsValue::Tabs: return s.Tabs;
        default: ADD_FAILURE() << "no field"; return -1;
    }
}

TEST(SettingsTest, RangesAndReplacementsOnRead) {
    const ReadCase cases[] = {
        {SettingsValue::SubDirMode, "2", 2},
        {SettingsValue::SubDirMode, "3,4", 0},
        {SettingsValue::SubDirLevel, "2", 0},  // Level with nothing after it
        {SettingsValue::SubDirLevel, "2, 0", 0},
        {SettingsValue::SubDirLevel, "2,7", 7},
        {SettingsValue::SubDirLevel, "2 15", 15},
        {SettingsValue::SubDirLevel, "2,-4", 0},
        {SettingsValue::SortMode, "4", 0},  // the Time header's mode is not kept
        {SettingsValue::SortOrder, "5", 5},
        {SettingsValue::SortOrder, "", 1},  // present but empty reads as missing
        {SettingsValue::SortDir, "9", 1},
        {SettingsValue::EditorChoice, "3,x.exe", 403},
        {SettingsValue::EditorChoice, "4", 400},
        {SettingsValue::EditorQuery, "2", 407},
        {SettingsValue::EditorQuery, "3", 405},
        {SettingsValue::EnableExcludeFiles, "2", 0},
        {SettingsValue::FontStyle, "BOLD", 700},
        {SettingsValue::FontStyle, "Bolder", 400},
        {SettingsValue::FontSize, "40", 40},
        {SettingsValue::FontSize, "41", 10},
        {SettingsValue::FontSize, "-5", 0},
        {SettingsValue::FontSize, "4294967336", 10},  // would wrap to 40 in 32 bits
        {SettingsValue::Tabs, "12", 12},
        {SettingsValue::Tabs, "13", 4},
    };
    for (const ReadCase& c : cases) {
        Settings s;
        ApplySettingsValue(s, c.value, c.text);
        EXPECT_EQ(FieldOf(s, c.value), c.expected)
            << "value " << static_cast<int>(c.value) << " text \"" << c.text << "\"";
    }
}

TEST(SettingsTest, EditorProgramKeepsBlanksAfterTheFirstComma) {
    const std::pair<const char*, const char*> cases[] = {
        {"3,c:\\program files\\ed\\ed.exe", "c:\\program files\\ed\\ed.exe"},
        {"3, c:\\a,b\\ed.exe ", "c:\\a,b\\ed.exe"},
        {"3 vi.exe", "vi.exe"},  // no comma: the first blank separates
        {"3", "notepad.exe"},
        {"3,", "notepad.exe"},
    };
    for (const auto& [text, program] : cases) {
        Settings s;
        ApplySettingsValue(s, SettingsValue::EditorProgram, text);
        EXPECT_EQ(s.OtherEditor, program) << text;
    }
}

TEST(SettingsTest, WindowSizeNeedsFourNumbers) {
    const std::pair<const char*, WindowRect> cases[] = {
        {"10,0,400,400", {10, 0, 400, 400}},
        {"-20 5, 300,200", {-20, 5, 300, 200}},  // a placement left of the screen stays
        {"10,0,400", {0, 0, 0, 0}},
        {"1,2,3,4,5", {1, 2, 3, 4}},
    };
    for (const auto& [text, rect] : cases) {
        Settings s;
        ApplySettingsValue(s, SettingsValue::WindowSize, text);
        EXPECT_EQ(s.FileViewRect, rect) << text;
    }
}

TEST(SettingsTest, LongTextsAreCutToTheirBuffers) {
    Settings s = LoadFrom({{{"Find", "ZipOptions"}, std::string(40, 'z')},
                           {{"FileView", "FontName"}, std::string(40, 'f')},
                           {{"Find", "Directory"}, "D:\\" + std::string(300, 'X')}});
    EXPECT_EQ(s.ZipOptions, std::string(31, 'z'));
    EXPECT_EQ(s.FontName, std::string(31, 'f'));
    EXPECT_EQ(s.Directory, "d:\\" + std::string(256, 'x'));
}

TEST(SettingsTest, TextOptionsAndRecordLevelFlags) {
    Settings s = LoadFrom({{{"Find", "Case"}, "1"},
                           {{"Find", "Word"}, "0"},
                           {{"Find", "Regular"}, "3"},
                           {{"Options", "LoadClipboard"}, "2"},
                           {{"Find", "Directory"}, "E:\\Src\\Quarry"}});
    EXPECT_EQ(s.TextOptions, kTextCase | kTextRegular);
    EXPECT_TRUE(s.LoadClipboard);
    EXPECT_EQ(s.Directory, "e:\\src\\quarry");

    Settings cleared;
    cleared.TextOptions = kTextCase | kTextWord | kTextRegular;
    ApplySettingsValue(cleared, SettingsValue::Word, "0");
    EXPECT_EQ(cleared.TextOptions, kTextCase | kTextRegular);
}

TEST(SettingsTest, SaveOnlyEverTurnsSaveOnExitOn) {
    Settings s;
    s.SaveSettingsOnExit = false;
    ApplySettingsValue(s, SettingsValue::Save, "2");
    EXPECT_FALSE(s.SaveSettingsOnExit);
    ApplySettingsValue(s, SettingsValue::Save, "1");
    EXPECT_TRUE(s.SaveSettingsOnExit);
    ApplySettingsValue(s, SettingsValue::Save, "0");
    EXPECT_TRUE(s.SaveSettingsOnExit);
}

TEST(SettingsTest, LoadReadsTheKeysInOrder) {
    FakeProfileStore store;
    Settings settings;
    LoadSettingsFrom(store, settings, "c:\\");
    const std::vector<std::string> expected = {
        "get Find/Directory",     "get Find/FilePattern",
        "get Find/Case",          "get Find/Word",
        "get Find/Regular",       "get Find/Sub-Directory",
        "get Find/Sub-Directory", "get Options/LoadClipboard",
        "get Options/Save",       "get Options/SortMode",
        "get Options/SortOrder",  "get Options/SortDir",
        "get Options/Editor",     "get Options/EditorQuery",
        "get Options/Editor",     "get Options/EnableExcludeFiles",
        "get Find/ZipOptions",    "get FileView/WindowSize",
        "get FileView/FontName",  "get FileView/FontStyle",
        "get FileView/FontSize",  "get FileView/Tabs",
    };
    EXPECT_EQ(store.calls, expected);
}

TEST(SettingsTest, EmptyFileSavesTheDefaultsInWriteOrder) {
    FakeProfileStore store;
    Settings settings;
    LoadSettingsFrom(store, settings, "C:\\Work");
    EXPECT_TRUE(settings.SaveSettingsOnExit);
    EXPECT_FALSE(settings.LoadClipboard);
    store.calls.clear();
    EXPECT_TRUE(SaveSettingsTo(store, settings));
    const std::vector<std::string> expected = {
        "write Find/Directory=c:\\work",  // the process's current directory, lower-cased
        "write Find/FilePattern=*.txt",
        "write Find/Case=0",
        "write Find/Word=0",
        "write Find/Regular=0",
        "write Find/Sub-Directory=0,0",
        "write Options/SortMode=0",
        "write Options/SortOrder=1",
        "write Options/SortDir=0",
        "write Options/Editor=0,notepad.exe",
        "write Options/EditorQuery=0",
        "write Find/ZipOptions=-a -P",
        "write FileView/WindowSize=10,0,400,400",
        "write FileView/FontName=Courier",
        "write FileView/FontStyle=Regular",
        "write FileView/FontSize=10",
        "write FileView/Tabs=4",
    };
    EXPECT_EQ(store.calls, expected);
}

TEST(SettingsTest, FirstFailedWriteEndsTheSave) {
    FakeProfileStore store;
    store.failWriteAt = 3;  // "Word"
    EXPECT_FALSE(SaveSettingsTo(store, Settings{}));
    ASSERT_EQ(store.calls.size(), 4u);
    EXPECT_EQ(store.calls.back(), "write Find/Word=0");
    EXPECT_EQ(store.values.size(), 3u);  // Directory, FilePattern and Case stay written
}

TEST(SettingsTest, LoadedValuesSurviveASave) {
    FakeProfileStore store;
    store.values = {{{"Find", "Case"}, "1"},
                    {{"Find", "Word"}, "1"},
                    {{"Find", "Sub-Directory"}, "2,5"},
                    {{"Options", "SortMode"}, "4"},
                    {{"Options", "Editor"}, "3,c:\\program files\\ed\\ed.exe"},
                    {{"Options", "EditorQuery"}, "2"},
                    {{"FileView", "FontStyle"}, "BOLD"},
                    {{"FileView", "WindowSize"}, "1,2,3"}};
    Settings settings;
    LoadSettingsFrom(store, settings, "c:\\");
    ASSERT_TRUE(SaveSettingsTo(store, settings));
    auto stored = [&](const char* section, const char* key) {
        return store.values[{section, key}];
    };
    EXPECT_EQ(stored("Find", "Case"), "1");
    EXPECT_EQ(stored("Find", "Word"), "1");
    EXPECT_EQ(stored("Find", "Regular"), "0");
    EXPECT_EQ(stored("Find", "Sub-Directory"), "2,5");
    EXPECT_EQ(stored("Options", "SortMode"), "0");
    EXPECT_EQ(stored("Options", "Editor"), "3,c:\\program files\\ed\\ed.exe");
    EXPECT_EQ(stored("Options", "EditorQuery"), "2");
    EXPECT_EQ(stored("FileView", "FontStyle"), "Bold");
    EXPECT_EQ(stored("FileView", "WindowSize"), "0,0,0,0");

    Settings again;
    LoadSettingsFrom(store, again, "c:\\");
    EXPECT_EQ(again.Editor, settings.Editor);
    EXPECT_EQ(again.OtherEditor, settings.OtherEditor);
    EXPECT_EQ(again.SubDirLevel, 5u);
}

}  // namespace
