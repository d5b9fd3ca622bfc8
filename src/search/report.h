#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts a search shows the user around the walk: the Find Results
// fields, the non-text question and warning, and the bad-path messages.

// The four value fields of the Find Results dialog.
struct FindResultsFields {
    std::string found;      // "%d in %d directories"
    std::string searched;   // directories searched, unsigned
    std::string level;      // deepest sub-directory level, unsigned
    std::string totalSize;  // "%llu bytes"
};
FindResultsFields FormatFindResults(int32_t filesFound, int32_t directoriesWithFinds,
                                    int32_t directoriesSearched, int32_t deepestLevel,
                                    uint64_t totalSize);

std::string NonTextQuestionText(int32_t nonTextCount);
std::string NonTextLimitText(int32_t showLimit);

// The first entry's directory is refused; a later one is offered to skip.
std::string BadFirstPathText(std::string_view directory);
std::string BadLaterPathText(std::string_view directory);

// The Directory box's text as a path to resolve: blanks around it removed,
// and the first piece between double quotes when it has any.
std::string DirectoryBoxPiece(std::string_view text);

// The walk looks at the message queue at most every this many milliseconds
// (and always at its first entry): each look is a round trip to the system.
constexpr uint32_t kPumpIntervalMs = 30;
bool PumpIsDue(uint32_t now, uint32_t lastPump, bool pumpedYet);

// Message texts are held in 256 bytes; longer ones are cut there.
constexpr size_t kMessageCapacity = 256;

inline constexpr const char* kBadDirectoryText = "Bad Directory Name specified!";
inline constexpr const char* kNoFileTypeText = "Error: No default File Type set!";
inline constexpr const char* kNoFileNameText = "No file name!";
