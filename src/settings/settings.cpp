#include "settings/settings.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "ui/text.h"
#include "ui/text_options.h"

namespace {
// The record itself; g_Settings is its read-only face.
Settings g_Current;
}  // namespace

const Settings& g_Settings = g_Current;

void SetSearchDirectory(const std::string& directory) {
    g_Current.Directory = directory;
}
void SetDefaultFileType(const std::string& type) {
    g_Current.DefaultFileType = type;
}
void SetTextOption(uint8_t bit, bool on) {
    g_Current.TextOptions =
        static_cast<uint8_t>(on ? g_Current.TextOptions | bit : g_Current.TextOptions & ~bit);
}
void SetSubDirMode(int mode) {
    g_Current.SubDirMode = mode;
}
void SetSubDirLevel(uint32_t level) {
    g_Current.SubDirLevel = level;
}
void SetSortOptions(int mode, int order, int dir) {
    g_Current.SortMode = mode;
    g_Current.SortOrder = order;
    g_Current.SortDir = dir;
}
void SetViewerChoice(int editor) {
    g_Current.Editor = editor;
}
void SetEditorQuery(int query) {
    g_Current.EditorQuery = query;
}
void SetOtherEditor(const std::string& program) {
    g_Current.OtherEditor = program;
}
void SetExcludeFilesEnabled(bool on) {
    g_Current.EnableExcludeFiles = on ? 1 : 0;
}
void SetSaveSettingsOnExit(bool on) {
    g_Current.SaveSettingsOnExit = on;
}
void SetFileViewRect(const WindowRect& rect) {
    g_Current.FileViewRect = rect;
}
void SetTabLength(uint16_t length) {
    g_Current.Tabs = length;
}
void ReplaceSettings(const Settings& replacement) {
    g_Current = replacement;
}

const SettingsKey kSettingsReadOrder[22] = {
    {"Find", "Directory", "", SettingsValue::Directory},
    {"Find", "FilePattern", "*.txt", SettingsValue::FilePattern},
    {"Find", "Case", "0", SettingsValue::Case},
    {"Find", "Word", "0", SettingsValue::Word},
    {"Find", "Regular", "0", SettingsValue::Regular},
    {"Find", "Sub-Directory", "0", SettingsValue::SubDirMode},
    {"Find", "Sub-Directory", "2, 0", SettingsValue::SubDirLevel},
    {"Options", "LoadClipboard", "0", SettingsValue::LoadClipboard},
    {"Options", "Save", "0", SettingsValue::Save},
    {"Options", "SortMode", "0", SettingsValue::SortMode},
    {"Options", "SortOrder", "1", SettingsValue::SortOrder},
    {"Options", "SortDir", "0", SettingsValue::SortDir},
    {"Options", "Editor", "0", SettingsValue::EditorChoice},
    {"Options", "EditorQuery", "0", SettingsValue::EditorQuery},
    {"Options", "Editor", "3,notepad.exe", SettingsValue::EditorProgram},
    {"Options", "EnableExcludeFiles", "0", SettingsValue::EnableExcludeFiles},
    {"Find", "ZipOptions", "-a -P", SettingsValue::ZipOptions},
    {"FileView", "WindowSize", "10,0,400,400", SettingsValue::WindowSize},
    {"FileView", "FontName", "Courier", SettingsValue::FontName},
    {"FileView", "FontStyle", "Regular", SettingsValue::FontStyle},
    {"FileView", "FontSize", "10", SettingsValue::FontSize},
    {"FileView", "Tabs", "4", SettingsValue::Tabs},
};

const SettingsKey kSettingsWriteOrder[17] = {
    {"Find", "Directory", "", SettingsValue::Directory},
    {"Find", "FilePattern", "*.txt", SettingsValue::FilePattern},
    {"Find", "Case", "0", SettingsValue::Case},
    {"Find", "Word", "0", SettingsValue::Word},
    {"Find", "Regular", "0", SettingsValue::Regular},
    {"Find", "Sub-Directory", "0", SettingsValue::SubDirectory},
    {"Options", "SortMode", "0", SettingsValue::SortMode},
    {"Options", "SortOrder", "1", SettingsValue::SortOrder},
    {"Options", "SortDir", "0", SettingsValue::SortDir},
    {"Options", "Editor", "3,notepad.exe", SettingsValue::Editor},
    {"Options", "EditorQuery", "0", SettingsValue::EditorQuery},
    {"Find", "ZipOptions", "-a -P", SettingsValue::ZipOptions},
    {"FileView", "WindowSize", "10,0,400,400", SettingsValue::WindowSize},
    {"FileView", "FontName", "Courier", SettingsValue::FontName},
    {"FileView", "FontStyle", "Regular", SettingsValue::FontStyle},
    {"FileView", "FontSize", "10", SettingsValue::FontSize},
    {"FileView", "Tabs", "4", SettingsValue::Tabs},
};

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading number, sign kept, saturated to the int32 range so that a huge
// value can never wrap into a valid one.
int64_t ParseSignedNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t number = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        number = number * 10 + (text[i] - '0');
        if (number > INT32_MAX) number = INT32_MAX + int64_t{1};
    }
    if (negative) return number > INT32_MAX ? INT32_MIN : -number;
    return number > INT32_MAX ? INT32_MAX : number;
}

std::string Cut(const std::string& text, size_t longest) {
    return text.substr(0, longest);
}

std::string Trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The pieces of a text split at spaces and commas, empty pieces dropped.
std::vector<std::string> SplitAtSpacesAndCommas(const std::string& text) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        if (IsBlank(c) || c == ',') {
            if (!piece.empty()) pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

// The level follows the first space or comma; without one it is 0.
uint32_t ParseSubDirLevel(const std::string& text) {
    size_t separator = text.find_first_of(" ,");
    if (separator == std::string::npos) return 0;
    return static_cast<uint32_t>(ParseSettingsNumber(text.substr(separator + 1)));
}

// The program follows the first comma, blanks and all, so a path such as
// c:\program files\ed\ed.exe survives; a value without a comma falls back to
// the first space. An empty program means Notepad.
std::string ParseOtherEditor(const std::string& text) {
    size_t separator = text.find(',');
    if (separator == std::string::npos) separator = text.find_first_of(" \t");
    // Cut before the last trim, so no cut ends in a blank the next read would drop.
    std::string program = separator == std::string::npos
                              ? std::string()
                              : Trim(Cut(Trim(text.substr(separator + 1)), kOtherEditorMax));
    if (program.empty()) return "notepad.exe";
    return program;
}

// Window coordinates beyond this cannot be a place on any screen.
constexpr int64_t kFarthestCoordinate = 32767;

WindowRect ParseWindowSize(const std::string& text) {
    std::vector<std::string> numbers = SplitAtSpacesAndCommas(text);
    if (numbers.size() < 4) return WindowRect{};
    int64_t values[4];
    for (int i = 0; i < 4; ++i) {
        values[i] = ParseSignedNumber(numbers[i]);
        // An absurd placement would put FileView where nobody can see it:
        // read it as none, so FileView keeps its own.
        if (values[i] < -kFarthestCoordinate || values[i] > kFarthestCoordinate)
            return WindowRect{};
    }
    return WindowRect{static_cast<int32_t>(values[0]), static_cast<int32_t>(values[1]),
                      static_cast<int32_t>(values[2]), static_cast<int32_t>(values[3])};
}

int InRangeOr(int number, int low, int high, int replacement) {
    return number >= low && number <= high ? number : replacement;
}

void SetTextOptionBit(Settings& settings, uint8_t bit, int number) {
    if (number != 0) {
        settings.TextOptions = static_cast<uint8_t>(settings.TextOptions | bit);
    } else {
        settings.TextOptions = static_cast<uint8_t>(settings.TextOptions & ~bit);
    }
}

bool IsIntegerValue(SettingsValue value) {
    switch (value) {
        case SettingsValue::Case:
        case SettingsValue::Word:
        case SettingsValue::Regular:
        case SettingsValue::SubDirMode:
        case SettingsValue::LoadClipboard:
        case SettingsValue::Save:
        case SettingsValue::SortMode:
        case SettingsValue::SortOrder:
        case SettingsValue::SortDir:
        case SettingsValue::EditorChoice:
        case SettingsValue::EditorQuery:
        case SettingsValue::EnableExcludeFiles:
        case SettingsValue::FontSize:
        case SettingsValue::Tabs: return true;
        default: return false;
    }
}

const char* DefaultTextOf(SettingsValue value) {
    for (const SettingsKey& key : kSettingsReadOrder) {
        if (key.value == value) return key.defaultText;
    }
    return "";
}

std::string FormatNumber(long long number) {
    char text[24];
    snprintf(text, sizeof text, "%lld", number);
    return text;
}

}  // namespace

int ParseSettingsNumber(const std::string& text) {
    int64_t number = ParseSignedNumber(text);
    return number < 0 ? 0 : static_cast<int>(number);
}

void ApplySettingsValue(Settings& settings, SettingsValue value, const std::string& text) {
    // An integer key that is present but empty reads as missing, as the
    // platform's integer profile read does.
    int number = ParseSettingsNumber(
        text.empty() && IsIntegerValue(value) ? std::string(DefaultTextOf(value)) : text);
    switch (value) {
        case SettingsValue::Directory:
            settings.Directory = LowerText(Cut(text, kDirectoryMax));
            break;
        case SettingsValue::FilePattern:
            settings.DefaultFileType = Cut(text, kFilePatternMax);
            break;
        case SettingsValue::Case: SetTextOptionBit(settings, kTextCase, number); break;
        case SettingsValue::Word: SetTextOptionBit(settings, kTextWord, number); break;
        case SettingsValue::Regular: SetTextOptionBit(settings, kTextRegular, number); break;
        case SettingsValue::SubDirMode: settings.SubDirMode = InRangeOr(number, 0, 2, 0); break;
        case SettingsValue::SubDirLevel: settings.SubDirLevel = ParseSubDirLevel(text); break;
        case SettingsValue::SubDirectory:
            settings.SubDirMode = InRangeOr(number, 0, 2, 0);
            settings.SubDirLevel = ParseSubDirLevel(text);
            break;
        case SettingsValue::ZipOptions: settings.ZipOptions = Cut(text, kZipOptionsMax); break;
        case SettingsValue::LoadClipboard: settings.LoadClipboard = number != 0; break;
        case SettingsValue::Save:
            if (number == 1) settings.SaveSettingsOnExit = true;
            break;
        case SettingsValue::SortMode: settings.SortMode = InRangeOr(number, 0, 3, 0); break;
        case SettingsValue::SortOrder: settings.SortOrder = number; break;
        case SettingsValue::SortDir: settings.SortDir = number != 0 ? 1 : 0; break;
        case SettingsValue::EditorChoice:
            settings.Editor = kEditorBase + InRangeOr(number, 0, 3, 0);
            break;
        case SettingsValue::EditorProgram: settings.OtherEditor = ParseOtherEditor(text); break;
        case SettingsValue::Editor:
            settings.Editor = kEditorBase + InRangeOr(number, 0, 3, 0);
            settings.OtherEditor = ParseOtherEditor(text);
            break;
        case SettingsValue::EditorQuery:
            settings.EditorQuery = kEditorQueryBase + InRangeOr(number, 0, 2, 0);
            break;
        case SettingsValue::EnableExcludeFiles:
            settings.EnableExcludeFiles = InRangeOr(number, 0, 1, 0);
            break;
        case SettingsValue::WindowSize: settings.FileViewRect = ParseWindowSize(text); break;
        case SettingsValue::FontName: settings.FontName = Cut(text, kFontNameMax); break;
        case SettingsValue::FontStyle:
            settings.FontWeight =
                SameTextIgnoringCase(text, "Bold") ? kFontWeightBold : kFontWeightRegular;
            break;
        case SettingsValue::FontSize:
            settings.FontSize = static_cast<uint16_t>(InRangeOr(number, 0, 40, 10));
            break;
        case SettingsValue::Tabs:
            settings.Tabs = static_cast<uint16_t>(InRangeOr(number, 0, 12, 4));
            break;
    }
}

std::string FormatSettingsValue(const Settings& settings, SettingsValue value) {
    auto bit = [&](uint8_t mask) { return FormatNumber((settings.TextOptions & mask) ? 1 : 0); };
    switch (value) {
        case SettingsValue::Directory: return settings.Directory;
        case SettingsValue::FilePattern: return settings.DefaultFileType;
        case SettingsValue::Case: return bit(kTextCase);
        case SettingsValue::Word: return bit(kTextWord);
        case SettingsValue::Regular: return bit(kTextRegular);
        case SettingsValue::SubDirMode: return FormatNumber(settings.SubDirMode);
        case SettingsValue::SubDirLevel: return FormatNumber(settings.SubDirLevel);
        case SettingsValue::SubDirectory:
            return FormatNumber(settings.SubDirMode) + "," + FormatNumber(settings.SubDirLevel);
        case SettingsValue::ZipOptions: return settings.ZipOptions;
        case SettingsValue::LoadClipboard: return FormatNumber(settings.LoadClipboard ? 1 : 0);
        case SettingsValue::Save: return FormatNumber(settings.SaveSettingsOnExit ? 1 : 0);
        case SettingsValue::SortMode: return FormatNumber(settings.SortMode);
        case SettingsValue::SortOrder: return FormatNumber(settings.SortOrder);
        case SettingsValue::SortDir: return FormatNumber(settings.SortDir);
        case SettingsValue::EditorChoice: return FormatNumber(settings.Editor - kEditorBase);
        case SettingsValue::EditorProgram: return settings.OtherEditor;
        case SettingsValue::Editor:
            return FormatNumber(settings.Editor - kEditorBase) + "," + settings.OtherEditor;
        case SettingsValue::EditorQuery:
            return FormatNumber(settings.EditorQuery - kEditorQueryBase);
        case SettingsValue::EnableExcludeFiles: return FormatNumber(settings.EnableExcludeFiles);
        case SettingsValue::WindowSize: {
            const WindowRect& r = settings.FileViewRect;
            return FormatNumber(r.left) + "," + FormatNumber(r.top) + "," + FormatNumber(r.width) +
                   "," + FormatNumber(r.height);
        }
        case SettingsValue::FontName: return settings.FontName;
        case SettingsValue::FontStyle:
            return settings.FontWeight == kFontWeightBold ? "Bold" : "Regular";
        case SettingsValue::FontSize: return FormatNumber(settings.FontSize);
        case SettingsValue::Tabs: return FormatNumber(settings.Tabs);
    }
    return std::string();
}

bool LoadSettingsFrom(ProfileStore& store, Settings& settings,
                      const std::string& currentDirectory) {
    for (const SettingsKey& key : kSettingsReadOrder) {
        ApplySettingsValue(settings, key.value,
                           store.GetString(key.section, key.key, key.defaultText));
    }
    if (settings.Directory.empty()) {
        settings.Directory = LowerText(Cut(currentDirectory, kDirectoryMax));
    }
    return true;
}
