#include "settings/settings_win.h"

#include <windows.h>

#include <vector>

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

bool IniProfileStore::WriteString(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, iniPath_.c_str()) != FALSE;
}

bool LoadSettings(const char* iniPath) {
    char currentDirectory[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(MAX_PATH, currentDirectory);
    if (length == 0 || length >= MAX_PATH) currentDirectory[0] = '\0';

    IniProfileStore store(iniPath);
    if (!LoadSettingsFrom(store, g_Settings, currentDirectory)) return false;
    // The core lower-cases only ASCII; the code page's own letters follow here.
    if (!g_Settings.Directory.empty()) {
        CharLowerBuffA(g_Settings.Directory.data(),
                       static_cast<DWORD>(g_Settings.Directory.size()));
    }
    return true;
}

bool SaveSettings(const char* iniPath) {
    IniProfileStore store(iniPath);
    bool saved = SaveSettingsTo(store, g_Settings);
    // Flush the system's cached copy so the file on disk is complete at once.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, iniPath);
    return saved;
}
