#include "settings/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace {

// An in-memory profile file.
class FakeProfileStore : public ProfileStore {
  public:
    std::map<std::pair<std::string, std::string>, std::string> values;

    std::string GetString(const char* section, const char* key, const char* defaultText) override {
        return values.count({section, key}) ? values[{section, key}] : defaultText;
    }
    // What a save writes, as the file would then hold it.
    void Save(const Settings& settings) {
        for (const SettingsKey& key : kSettingsWriteOrder)
            values[{key.section, key.key}] = FormatSettingsValue(settings, key.value);
    }
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
    using V = SettingsValue;
    // clang-format off
    const struct { SettingsValue value; const char* text; int expected; } cases[] = {
        {V::SubDirMode, "2", 2}, {V::SubDirMode, "3,4", 0}, {V::SubDirLevel, "2", 0},
        {V::SubDirLevel, "2,7", 7}, {V::SubDirLevel, "2 15", 15}, {V::SubDirLevel, "2,-4", 0},
        {V::SortMode, "4", 0}, {V::SortOrder, "", 1}, {V::SortDir, "9", 1},
        {V::EditorChoice, "3,x.exe", 403}, {V::EditorChoice, "4", 400}, {V::EditorQuery, "2", 407},
        {V::EditorQuery, "3", 405}, {V::EnableExcludeFiles, "2", 0}, {V::FontStyle, "BOLD", 700},
        {V::FontStyle, "Bolder", 400}, {V::FontSize, "40", 40}, {V::FontSize, "41", 10},
        {V::FontSize, "4294967336", 10}, {V::Tabs, "12", 12}, {V::Tabs, "13", 4}};
    // clang-format on
    for (const auto& c : cases) {
        Settings s;
        ApplySettingsValue(s, c.value, c.text);
        EXPECT_EQ(FieldOf(s, c.value), c.expected) << int(c.value) << " \"" << c.text << "\"";
    }
    // Save only ever turns saving on.
    Settings saving;
    saving.SaveSettingsOnExit = false;
    for (auto [text, on] : {std::pair{"2", false}, std::pair{"1", true}, std::pair{"0", true}}) {
        ApplySettingsValue(saving, V::Save, text);
        EXPECT_EQ(saving.SaveSettingsOnExit, on) << text;
    }
}

// A placement no screen can show reads as none, so FileView keeps its own.
TEST(SettingsTest, AbsurdWindowPlacementReadsAsNone) {
    // clang-format off
    const std::pair<const char*, WindowRect> cases[] = {
        {"10,0,400,400", {10, 0, 400, 400}}, {"-32767 32767,1,1", {-32767, 32767, 1, 1}},
        {"10,0,400,32768", {}}, {"-99999999999,0,400,400", {}}, {"10,0,4294967696,400", {}}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        Settings s;
        ApplySettingsValue(s, SettingsValue::WindowSize, text);
        EXPECT_EQ(s.FileViewRect, expected) << text;
    }
}

TEST(SettingsTest, LoadCutsLongTextsAndLowerCasesTheDirectory) {
    FakeProfileStore store;
    store.values = {{{"Find", "ZipOptions"}, std::string(40, 'z')},
                    {{"FileView", "FontName"}, std::string(40, 'f')},
                    {{"Find", "Directory"}, "D:\\" + std::string(300, 'X')}};
    Settings s;
    LoadSettingsFrom(store, s, "C:\\Work");
    EXPECT_EQ(std::tuple(s.ZipOptions, s.FontName, s.Directory),
              std::tuple(std::string(31, 'z'), std::string(31, 'f'), "d:\\" + std::string(256, 'x')));
}

// What a save writes, a read gives back unchanged, for texts that a read
// cuts or trims on the way in.
TEST(SettingsTest, EditorProgramSurvivesASaveAndARead) {
    // clang-format off
    const std::string cases[] = {"0 " + std::string(258, 'e') + " b",  // program cut to a trailing blank
                                 "3,",  // nothing after the comma: Notepad
                                 "3,  c:\\program files\\ed\\ed.exe  "};  // blanks inside the path stay
    // clang-format on
    for (const std::string& value : cases) {
        SCOPED_TRACE(value);
        FakeProfileStore store;
        store.values = {{{"Options", "Editor"}, value}};
        Settings first;
        LoadSettingsFrom(store, first, "C:\\Work");
        store.Save(first);
        Settings second;
        LoadSettingsFrom(store, second, "C:\\Work");
        EXPECT_EQ(second.OtherEditor, first.OtherEditor);
        EXPECT_LE(first.OtherEditor.size(), kOtherEditorMax);
        EXPECT_NE(first.OtherEditor.back(), ' ');
    }
}

}  // namespace
