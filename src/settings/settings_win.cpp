#include "settings/settings_win.h"

#include <windows.h>

#include <vector>

#include "app/message_box_win.h"
#include "files/text_files_win.h"
#include "settings/settings_file.h"

std::string IniProfileStore::GetString(const char* section, const char* key,
                                       const char* defaultText) {
    // The read is retried with a larger buffer while the value fills it, so the
    // record's own limits, not this buffer, decide where a long value is cut.
    std::vector<char> buffer(1024);
    for (;;) {
        DWORD length =
            GetPrivateProfileStringA(section, key, defaultText, buffer.data(),
                                     static_cast<DWORD>(buffer.size()), iniPath_.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 65536) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 4);
    }
}

bool LoadSettings(const char* iniPath) {
    char currentDirectory[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(MAX_PATH, currentDirectory);
    if (length == 0 || length >= MAX_PATH) currentDirectory[0] = '\0';

    IniProfileStore store(iniPath);
    Settings loaded = g_Settings;
    if (!LoadSettingsFrom(store, loaded, currentDirectory)) return false;
    // The core lower-cases only ASCII; the code page's own letters follow here.
    if (!loaded.Directory.empty())
        CharLowerBuffA(loaded.Directory.data(), static_cast<DWORD>(loaded.Directory.size()));
    ReplaceSettings(loaded);
    return true;
}

bool SaveSettings(const char* iniPath) {
    if (SaveSettingsFile(TextFiles(), iniPath, g_Settings)) return true;
    // The path as the user knows it, not its short form.
    char shown[MAX_PATH];
    DWORD length = GetLongPathNameA(iniPath, shown, sizeof shown);
    WarningBox(nullptr, kSettingsNotSaved, length > 0 && length < sizeof shown ? shown : iniPath);
    return false;
}
