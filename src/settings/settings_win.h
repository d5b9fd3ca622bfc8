#pragma once

#include <string>

#include "settings/settings.h"

// The settings file through the private profile functions.
class IniProfileStore : public ProfileStore {
  public:
    explicit IniProfileStore(const char* iniPath) : iniPath_(iniPath) {}
    std::string GetString(const char* section, const char* key, const char* defaultText) override;
    bool WriteString(const char* section, const char* key, const char* value) override;

  private:
    std::string iniPath_;
};

// Reads the settings file at iniPath (IniFilePath) into g_Settings.
bool LoadSettings(const char* iniPath);

// Writes g_Settings to the settings file at iniPath; the first failed write
// ends the save without a message. Returns whether every key was written.
bool SaveSettings(const char* iniPath);
