#include "search/report.h"

#include <cinttypes>
#include <cstdio>

namespace {

// snprintf into the message capacity: a long path is cut, never overflowed.
template <typename... Args>
std::string Bounded(const char* format, Args... args) {
    char text[kMessageCapacity];
    snprintf(text, sizeof text, format, args...);
    return text;
}

}  // namespace

FindResultsFields FormatFindResults(int32_t filesFound, int32_t directoriesWithFinds,
                                    int32_t directoriesSearched, int32_t deepestLevel,
                                    uint64_t totalSize) {
    FindResultsFields fields;
    fields.found = Bounded("%d in %d directories", static_cast<int>(filesFound),
                           static_cast<int>(directoriesWithFinds));
    fields.searched = Bounded("%u", static_cast<unsigned>(directoriesSearched));
    fields.level = Bounded("%u", static_cast<unsigned>(deepestLevel));
    fields.totalSize = Bounded("%" PRIu64 " bytes", totalSize);
    return fields;
}

std::string NonTextQuestionText(int32_t nonTextCount) {
    return Bounded(
        "There were %d non-text files where search was not possible.Do you wish to see the list "
        "of files?",
        static_cast<int>(nonTextCount));
}

std::string NonTextLimitText(int32_t showLimit) {
    return Bounded("Too many non-text files!Only the first %d files will be displayed!",
                   static_cast<int>(showLimit));
}

std::string BadFirstPathText(std::string_view directory) {
    std::string path(directory);
    return Bounded("Bad path %s\n specified!", path.c_str());
}

std::string BadLaterPathText(std::string_view directory) {
    std::string path(directory);
    return Bounded("Bad path %s\nspecified! Continue?", path.c_str());
}

std::string DirectoryBoxPiece(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    // The first run of characters between quotes; opening quotes are skipped
    // as a run, so ""name"" still gives name.
    size_t start = text.find_first_not_of('"');
    if (start == std::string_view::npos) return {};
    size_t end = text.find('"', start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

bool PumpIsDue(uint32_t now, uint32_t lastPump, bool pumpedYet) {
    // Unsigned difference: the tick counter's wrap-around does not stall the pump.
    return !pumpedYet || now - lastPump >= kPumpIntervalMs;
}
