#include "app/option_dialogs.h"

#include "app/main_logic.h"
#include "search/criteria.h"

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

bool ReadTabLength(std::string_view text, uint16_t& length) {
    uint32_t number = 0;
    if (!ParseUnsignedField(text, number) || number > UINT16_MAX) return false;
    length = static_cast<uint16_t>(number);
    return true;
}

bool ReadContextLines(std::string_view text, int& lines) {
    uint32_t number = 0;
    if (!ParseUnsignedField(text, number) || number >= kContextLinesLimit) return false;
    lines = static_cast<int>(number);
    return true;
}
