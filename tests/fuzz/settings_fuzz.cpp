// Settings values: every key's reading and writing, and whole settings files
// read through an in-memory profile store that follows the platform's rules.
// Whatever the file holds, the record read from it is sound, and writing it
// and reading it back is stable after one round.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "settings/settings.h"

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

std::string TrimBlanks(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::string();
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// A profile file in memory, read the way the private profile functions read
// one: "[section]" lines, "key=value" lines, names without regard to case,
// blanks around names and values dropped, one pair of enclosing quotes
// taken off, the first of two equal keys winning, values cut to the
// reader's buffer.
class ProfileText : public ProfileStore {
  public:
    explicit ProfileText(const std::string& text) {
        std::string section;
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) end = text.size();
            const std::string line = TrimBlanks(text.substr(start, end - start));
            start = end + 1;
            if (line.empty()) continue;
            if (line[0] == '[') {
                section = LowerAscii(TrimBlanks(line.substr(1, line.find(']') - 1)));
                continue;
            }
            const size_t equals = line.find('=');
            if (equals == std::string::npos) continue;
            const auto key =
                std::make_pair(section, LowerAscii(TrimBlanks(line.substr(0, equals))));
            if (!values_.count(key)) values_[key] = TrimBlanks(line.substr(equals + 1));
        }
    }
    std::string GetString(const char* section, const char* key, const char* defaultText) override {
        const auto found = values_.find({LowerAscii(section), LowerAscii(key)});
        if (found == values_.end()) return defaultText;
        std::string value = found->second;
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value.substr(0, 1023);
    }
    bool WriteString(const char* section, const char* key, const char* value) override {
        // A written value is one line of the file.
        const std::string text(value);
        FUZZ_CHECK(text.find_first_of("\r\n") == std::string::npos);
        values_[{LowerAscii(section), LowerAscii(key)}] = TrimBlanks(text);
        return true;
    }

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

bool operator==(const Settings& a, const Settings& b) {
    return a.Directory == b.Directory && a.DefaultFileType == b.DefaultFileType &&
           a.TextOptions == b.TextOptions && a.SubDirMode == b.SubDirMode &&
           a.SubDirLevel == b.SubDirLevel && a.ZipOptions == b.ZipOptions &&
           a.SortMode == b.SortMode && a.SortOrder == b.SortOrder && a.SortDir == b.SortDir &&
           a.Editor == b.Editor && a.OtherEditor == b.OtherEditor &&
           a.EditorQuery == b.EditorQuery && a.FileViewRect == b.FileViewRect &&
           a.FontName == b.FontName && a.FontWeight == b.FontWeight && a.FontSize == b.FontSize &&
           a.Tabs == b.Tabs;
}

// What every reading must give, whatever the file said.
void CheckSound(const Settings& s) {
    FUZZ_CHECK(s.Directory.size() <= kDirectoryMax);
    FUZZ_CHECK(s.DefaultFileType.size() <= kFilePatternMax);
    FUZZ_CHECK(s.ZipOptions.size() <= kZipOptionsMax);
    FUZZ_CHECK(s.OtherEditor.size() <= kOtherEditorMax && !s.OtherEditor.empty());
    FUZZ_CHECK(s.FontName.size() <= kFontNameMax);
    FUZZ_CHECK(s.TextOptions <= 7);
    FUZZ_CHECK(s.SubDirMode >= 0 && s.SubDirMode <= 2);
    FUZZ_CHECK(s.SortMode >= 0 && s.SortMode <= 3);
    FUZZ_CHECK(s.SortDir == 0 || s.SortDir == 1);
    FUZZ_CHECK(s.Editor >= kEditorBase && s.Editor <= kEditorBase + 3);
    FUZZ_CHECK(s.EditorQuery >= kEditorQueryBase && s.EditorQuery <= kEditorQueryBase + 2);
    FUZZ_CHECK(s.EnableExcludeFiles == 0 || s.EnableExcludeFiles == 1);
    FUZZ_CHECK(s.FontWeight == kFontWeightRegular || s.FontWeight == kFontWeightBold);
    FUZZ_CHECK(s.FontSize <= 40 && s.Tabs <= 12);
    for (int32_t coordinate :
         {s.FileViewRect.left, s.FileViewRect.top, s.FileViewRect.width, s.FileViewRect.height})
        FUZZ_CHECK(coordinate >= -32767 && coordinate <= 32767);
}

constexpr SettingsValue kAllValues[] = {
    SettingsValue::Directory,
    SettingsValue::FilePattern,
    SettingsValue::Case,
    SettingsValue::Word,
    SettingsValue::Regular,
    SettingsValue::SubDirMode,
    SettingsValue::SubDirLevel,
    SettingsValue::SubDirectory,
    SettingsValue::ZipOptions,
    SettingsValue::LoadClipboard,
    SettingsValue::Save,
    SettingsValue::SortMode,
    SettingsValue::SortOrder,
    SettingsValue::SortDir,
    SettingsValue::EditorChoice,
    SettingsValue::EditorProgram,
    SettingsValue::Editor,
    SettingsValue::EditorQuery,
    SettingsValue::EnableExcludeFiles,
    SettingsValue::WindowSize,
    SettingsValue::FontName,
    SettingsValue::FontStyle,
    SettingsValue::FontSize,
    SettingsValue::Tabs,
};

// A key read as two values is written as one: the halves go back to the file
// in their key's written form.
SettingsValue WrittenForm(SettingsValue value) {
    switch (value) {
        case SettingsValue::SubDirMode:
        case SettingsValue::SubDirLevel: return SettingsValue::SubDirectory;
        case SettingsValue::EditorChoice:
        case SettingsValue::EditorProgram: return SettingsValue::Editor;
        default: return value;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    if (choice < 128) {
        // One value: read it, write it, read that: the same record.
        const SettingsValue value = kAllValues[choice % std::size(kAllValues)];
        const std::string text = input.Rest();
        Settings once;
        ApplySettingsValue(once, value, text);
        CheckSound(once);
        Settings twice = once;
        ApplySettingsValue(twice, value, FormatSettingsValue(once, WrittenForm(value)));
        FUZZ_CHECK(twice == once);
        ParseSettingsNumber(text);
        return 0;
    }
    // A whole file: read, write, read again, write, read: the last two agree.
    ProfileText file(input.Rest());
    Settings first;
    LoadSettingsFrom(file, first, "c:\\work");
    CheckSound(first);
    ProfileText written("");
    FUZZ_CHECK(SaveSettingsTo(written, first));
    Settings second;
    LoadSettingsFrom(written, second, "c:\\work");
    CheckSound(second);
    ProfileText rewritten("");
    FUZZ_CHECK(SaveSettingsTo(rewritten, second));
    Settings third;
    LoadSettingsFrom(rewritten, third, "c:\\work");
    FUZZ_CHECK(third == second);
    return 0;
}
