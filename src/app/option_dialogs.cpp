#include "app/option_dialogs.h"

#include "app/main_logic.h"
#include "ui/text.h"

int SortModeFromButtons(const bool (&checked)[4], int current) {
    for (int mode = 0; mode < 4; ++mode)
        if (checked[mode]) return mode;
    return current;
}

FileTypeChange CheckNewFileType(const std::string& current, std::string& typed) {
    if (LowerText(typed) == LowerText(current)) return FileTypeChange::Unchanged;
    return ValidateFileType(typed) ? FileTypeChange::Changed : FileTypeChange::Invalid;
}

int ChosenAfterDelete(int remaining, int deleted) {
    if (remaining <= 0 || deleted < 0) return -1;
    return deleted < remaining ? deleted : remaining - 1;
}

std::vector<std::string> ExcludedFilesFromList(const std::vector<std::string>& entries) {
    std::vector<std::string> slots;
    for (const std::string& entry : entries) {
        if (slots.size() == kExcludedFilesMax) break;
        if (!entry.empty()) slots.push_back(entry);
    }
    return slots;
}
