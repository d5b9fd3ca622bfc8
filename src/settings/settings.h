#pragma once

#include <cstdint>
#include <string>

// The options kept in Quarry32.ini and their in-memory copy. One instance,
// g_Settings, lives for the run: filled once while the main window is built,
// written on Save Settings Now and at exit when Save Settings on Exit is checked.

// Longest texts kept from the file (buffer size less one); longer values are cut.
constexpr size_t kDirectoryMax = 259;
constexpr size_t kFilePatternMax = 511;
constexpr size_t kZipOptionsMax = 31;
constexpr size_t kOtherEditorMax = 259;
constexpr size_t kFontNameMax = 31;

// Viewer choice and query mode are held as the ids of their radio buttons in
// the FileView Settings dialog; the file stores them less these bases.
constexpr int kEditorBase = 400;       // 400 FileView, 401 associated, 402 Notepad, 403 other
constexpr int kEditorQueryBase = 405;  // 405 always, 406 only if too large, 407 never

constexpr int kFontWeightRegular = 400;
constexpr int kFontWeightBold = 700;

// FileView's placement: left, top, width and height (not right and bottom).
struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const WindowRect&) const = default;
};

struct Settings {
    // Section "Find".
    std::string Directory;  // the current-directory text, lower case
    std::string DefaultFileType = "*.txt";
    uint8_t TextOptions = 0;  // kTextCase | kTextWord | kTextRegular
    int SubDirMode = 0;       // 0 None, 1 All, 2 Level
    uint32_t SubDirLevel = 0;
    std::string ZipOptions = "-a -P";

    // Section "Options".
    int SortMode = 0;   // 0 none, 1 name, 2 size, 3 date, 4 time (a Time header click)
    int SortOrder = 1;  // non-zero: ascending
    int SortDir = 0;    // 1: sort across directories
    int Editor = kEditorBase;
    std::string OtherEditor = "notepad.exe";
    int EditorQuery = kEditorQueryBase;
    int EnableExcludeFiles = 0;
    bool LoadClipboard = false;      // paste the clipboard into Search Text once at start-up
    bool SaveSettingsOnExit = true;  // the check mark of Save Settings on Exit (715)

    // Section "FileView".
    WindowRect FileViewRect{10, 0, 400, 400};
    std::string FontName = "Courier";
    uint16_t FontWeight = kFontWeightRegular;
    uint16_t FontSize = 10;
    uint16_t Tabs = 4;
};

// The one record: read anywhere, changed only through the setters below, so
// every change to what Quarry32.ini will hold goes through this module.
extern const Settings& g_Settings;

// "Directory": the base of the last search or the directory of the last opened file.
void SetSearchDirectory(const std::string& directory);
void SetDefaultFileType(const std::string& type);
void SetTextOption(uint8_t bit, bool on);
void SetSubDirMode(int mode);
void SetSubDirLevel(uint32_t level);
void SetSortOptions(int mode, int order, int dir);
void SetViewerChoice(int editor);  // an id of kEditorBase's range
void SetEditorQuery(int query);    // an id of kEditorQueryBase's range
void SetOtherEditor(const std::string& program);
void SetExcludeFilesEnabled(bool on);
void SetSaveSettingsOnExit(bool on);
void SetFileViewRect(const WindowRect& rect);
void SetTabLength(uint16_t length);
// The whole record at once: a load, or a test starting from a record of its own.
void ReplaceSettings(const Settings& settings);

// Each value the file holds. A key can be read twice ("Sub-Directory" and
// "Editor" give two values each), so the order tables name values, not keys.
enum class SettingsValue {
    Directory,
    FilePattern,
    Case,
    Word,
    Regular,
    SubDirMode,
    SubDirLevel,
    SubDirectory,  // written form: mode and level together
    ZipOptions,
    LoadClipboard,
    Save,
    SortMode,
    SortOrder,
    SortDir,
    EditorChoice,
    EditorProgram,
    Editor,  // written form: choice and program together
    EditorQuery,
    EnableExcludeFiles,
    WindowSize,
    FontName,
    FontStyle,
    FontSize,
    Tabs,
};

struct SettingsKey {
    const char* section;
    const char* key;
    const char* defaultText;  // what a missing key reads as
    SettingsValue value;
};

// The keys in the order LoadSettings reads them and SaveSettings writes them.
extern const SettingsKey kSettingsReadOrder[22];
extern const SettingsKey kSettingsWriteOrder[17];

// Reading the profile file; the Win32 side implements it over the private
// profile functions, tests with an in-memory fake. Writing is
// settings_file.h's.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    // The value of the key, or defaultText when the key is missing.
    virtual std::string GetString(const char* section, const char* key,
                                  const char* defaultText) = 0;
};

// The leading decimal number of a stored value; a negative number reads as 0,
// text without a number as 0, and a number too large for int as INT32_MAX.
int ParseSettingsNumber(const std::string& text);

// Reads one stored value into the record, with its range and replacement rules.
// An integer key whose value is empty reads as its default text.
void ApplySettingsValue(Settings& settings, SettingsValue value, const std::string& text);

// The text SaveSettings writes for a value.
std::string FormatSettingsValue(const Settings& settings, SettingsValue value);

// Reads every key in kSettingsReadOrder into the record. An empty "Directory"
// means currentDirectory. Always succeeds: missing keys take their defaults.
bool LoadSettingsFrom(ProfileStore& store, Settings& settings, const std::string& currentDirectory);
