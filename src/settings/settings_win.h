#pragma once

#include <string>

#include "settings/settings.h"

// The settings file through the private profile functions.
class IniProfileStore : public ProfileStore {
  public:
    explicit IniProfileStore(const char* iniPath) : iniPath_(iniPath) {}
    std::string GetString(const char* section, const char* key, const char* defaultText) override;

  private:
    std::string iniPath_;
};

// Reads the settings file at iniPath (IniFilePath) into g_Settings.
bool LoadSettings(const char* iniPath);

// Writes g_Settings into the settings file at iniPath through the file layer;
// a failure leaves the file as it was and tells the user so. Returns whether
// the file was written.
bool SaveSettings(const char* iniPath);
