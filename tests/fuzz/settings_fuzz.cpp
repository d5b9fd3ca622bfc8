// Settings values: every key's reading and writing, and whole settings files
// read through an in-memory profile store that follows the platform's rules
// and rewritten in place. Whatever the file holds, the record read from it is
// sound, and writing it and reading it back is stable after one round.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace {

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
                const std::string name = Lowered(line.substr(1, close - 1));
                // A later section of a name already seen is never looked in.
                inSection = !name.empty() && seen_.insert(name).second;
                section_ = name;
                continue;
            }
            if (!inSection) continue;
            const size_t equals = line.find('=');
            const auto key =
                std::make_pair(section_, Lowered(TrimBlanks(line.substr(0, equals))));
            if (values_.count(key)) continue;
            values_[key] = equals == std::string::npos
                               ? std::optional<std::string>()
                               : std::optional<std::string>(TrimBlanks(line.substr(equals + 1)));
        }
    }
    std::string GetString(const char* section, const char* key, const char* defaultText) override {
        const auto found = values_.find({Lowered(section), Lowered(key)});
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
    auto fields = [](const Settings& s) {
        return std::tie(s.Directory, s.DefaultFileType, s.TextOptions, s.SubDirMode, s.SubDirLevel, s.ZipOptions,
                        s.SortMode, s.SortOrder, s.SortDir, s.Editor, s.OtherEditor, s.EditorQuery, s.FileViewRect,
                        s.FontName, s.FontWeight, s.FontSize, s.Tabs);
    };
    return fields(a) == fields(b);
}

// What every reading must give, whatever the file said.
void CheckSound(const Settings& s) {
    FUZZ_CHECK(s.Directory.size() <= kDirectoryMax && s.DefaultFileType.size() <= kFilePatternMax);
    FUZZ_CHECK(s.ZipOptions.size() <= kZipOptionsMax && s.FontName.size() <= kFontNameMax);
    FUZZ_CHECK(s.OtherEditor.size() <= kOtherEditorMax && !s.OtherEditor.empty());
    FUZZ_CHECK(s.TextOptions <= 7 && s.SubDirMode >= 0 && s.SubDirMode <= 2);
    FUZZ_CHECK(s.SortMode >= 0 && s.SortMode <= 3 && (s.SortDir == 0 || s.SortDir == 1));
    FUZZ_CHECK(s.Editor >= kEditorBase && s.Editor <= kEditorBase + 3);
    FUZZ_CHECK(s.EditorQuery >= kEditorQueryBase && s.EditorQuery <= kEditorQueryBase + 2);
    FUZZ_CHECK(s.EnableExcludeFiles == 0 || s.EnableExcludeFiles == 1);
    FUZZ_CHECK(s.FontWeight == kFontWeightRegular || s.FontWeight == kFontWeightBold);
    FUZZ_CHECK(s.FontSize <= 40 && s.Tabs <= 12);
    for (int32_t coordinate :
         {s.FileViewRect.left, s.FileViewRect.top, s.FileViewRect.width, s.FileViewRect.height})
        FUZZ_CHECK(coordinate >= -32767 && coordinate <= 32767);
}

// In the order the stored inputs' first byte counts them.
using SV = SettingsValue;
constexpr SettingsValue kAllValues[] = {
    SV::Directory, SV::FilePattern, SV::Case, SV::Word, SV::Regular, SV::SubDirMode, SV::SubDirLevel,
    SV::SubDirectory, SV::ZipOptions, SV::LoadClipboard, SV::Save, SV::SortMode, SV::SortOrder, SV::SortDir,
    SV::EditorChoice, SV::EditorProgram, SV::Editor, SV::EditorQuery, SV::EnableExcludeFiles, SV::WindowSize,
    SV::FontName, SV::FontStyle, SV::FontSize, SV::Tabs};

// A key read as two values is written as one: the halves go back to the file
// in their key's written form.
SettingsValue WrittenForm(SettingsValue value) {
    if (value == SV::SubDirMode || value == SV::SubDirLevel) return SV::SubDirectory;
    return value == SV::EditorChoice || value == SV::EditorProgram ? SV::Editor : value;
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
    auto load = [](const std::string& text) {
        ProfileText file(text);
        Settings read;
        LoadSettingsFrom(file, read, "c:\\work");
        CheckSound(read);
        return read;
    };
    const std::string text = input.Rest();
    const Settings first = load(text);
    const std::string once = SettingsFileText(text, first);
    const Settings second = load(once);
    const std::string twice = SettingsFileText(once, second);
    const Settings third = load(twice);
    FUZZ_CHECK(third == second);
    FUZZ_CHECK(SettingsFileText(twice, third) == twice);
    return 0;
}
