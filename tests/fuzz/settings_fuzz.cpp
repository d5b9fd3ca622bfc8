// Settings values: every key's reading and writing, and whole settings files
// read through an in-memory profile store that follows the platform's rules
// and rewritten in place. Whatever the file holds, the record read from it is
// sound, and writing it and reading it back is stable after one round.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

bool IsProfileBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string TrimBlanks(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsProfileBlank(text[begin])) ++begin;
    while (end > begin && IsProfileBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// A profile file in memory, read the way the private profile functions read
// one: lines end at a line feed; "[section]" runs to the last ']'; a key is
// what precedes the first '=' (a line without one is a key without a
// value, which reads as missing); names without regard to case, blanks
// around names and values dropped, one pair of enclosing quotes taken off;
// only the first section of a name is looked in, and its first key of a
// name wins; values cut to the reader's buffer.
class ProfileText : public ProfileStore {
  public:
    explicit ProfileText(const std::string& text) {
        bool inSection = false;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = TrimBlanks(text.substr(start, end - start));
            start = end + 1;
            if (line.empty()) continue;
            const size_t close = line.rfind(']');
            if (line[0] == '[' && close != std::string::npos) {
                const std::string name = LowerAscii(line.substr(1, close - 1));
                // A later section of a name already seen is never looked in.
                inSection = !name.empty() && seen_.insert(name).second;
                section_ = name;
                continue;
            }
            if (!inSection) continue;
            const size_t equals = line.find('=');
            const auto key = std::make_pair(section_, LowerAscii(TrimBlanks(line.substr(0, equals))));
            if (values_.count(key)) continue;
            values_[key] = equals == std::string::npos
                               ? std::optional<std::string>()
                               : std::optional<std::string>(TrimBlanks(line.substr(equals + 1)));
        }
    }
    std::string GetString(const char* section, const char* key, const char* defaultText) override {
        const auto found = values_.find({LowerAscii(section), LowerAscii(key)});
        if (found == values_.end() || !found->second) return defaultText;
        std::string value = *found->second;
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value.substr(0, 1023);
    }

  private:
    std::set<std::string> seen_;
    std::string section_;
    std::map<std::pair<std::string, std::string>, std::optional<std::string>> values_;
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
    // A whole file, read and written back into itself twice: what the second
    // save writes reads back as the record it came from, and saving that
    // record again changes nothing.
    const std::string text = input.Rest();
    ProfileText file(text);
    Settings first;
    LoadSettingsFrom(file, first, "c:\\work");
    CheckSound(first);
    const std::string once = SettingsFileText(text, first);
    ProfileText written(once);
    Settings second;
    LoadSettingsFrom(written, second, "c:\\work");
    CheckSound(second);
    const std::string twice = SettingsFileText(once, second);
    ProfileText rewritten(twice);
    Settings third;
    LoadSettingsFrom(rewritten, third, "c:\\work");
    FUZZ_CHECK(third == second);
    FUZZ_CHECK(SettingsFileText(twice, third) == twice);
    return 0;
}
