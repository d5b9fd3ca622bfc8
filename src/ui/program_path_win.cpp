// Declared in app_win.h.
#include "ui/app_win.h"

#include <cstring>
#include <string>

#include "ui/message_box_win.h"

// The program's own files are found beside it. Kept apart from the
// application record: its one message box sits above that record.

namespace {

std::string g_ProgramDirectoryOverride;

}  // namespace

void SetProgramDirectoryForTesting(const char* directory) {
    g_ProgramDirectoryOverride = directory ? directory : "";
}

bool ProgramFilePath(const char* fileName, char* out) {
    out[0] = '\0';
    DWORD length;
    if (!g_ProgramDirectoryOverride.empty()) {
        length = static_cast<DWORD>(g_ProgramDirectoryOverride.size());
        if (length >= MAX_PATH - 1) return false;
        memcpy(out, g_ProgramDirectoryOverride.c_str(), length + 1);
        if (out[length - 1] != '\\') {
            out[length++] = '\\';
            out[length] = '\0';
        }
    } else {
        length = GetModuleFileNameA(nullptr, out, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            out[0] = '\0';
            WarningBox(nullptr, "Unable to find module Quarry32.exe!");
            return false;
        }
    }

    char* cut = out + strlen(out);
    while (cut > out && cut[-1] != '\\' && cut[-1] != ':') --cut;
    *cut = '\0';
    size_t directoryLength = strlen(out);

    // The short form keeps the settings path free of blanks; if the system
    // cannot give one the long form is kept.
    char shortDirectory[MAX_PATH];
    DWORD shortLength = GetShortPathNameA(out, shortDirectory, MAX_PATH);
    if (shortLength > 0 && shortLength < MAX_PATH) memcpy(out, shortDirectory, shortLength + 1);

    size_t nameLength = strlen(fileName);
    if (directoryLength + nameLength >= MAX_PATH || strlen(out) + nameLength >= MAX_PATH)
        return false;
    strcat(out, fileName);
    return true;
}
