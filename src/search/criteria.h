#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/text.h"

// A calendar date. The year is always the full year (1998, 2024), so dates
// on both sides of 2000 order correctly.
struct DateTriple {
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
};

// Negative, 0 or positive as a lies before, on or after b (year, month, day).
int CompareDates(const DateTriple& a, const DateTriple& b);

// Everything one search asked for. The values of the last search stay for
// FileView's Line List.
struct SearchCriteria {
    std::string BaseDirectory;
    std::string FileNameList;
    std::string DefaultFileType;  // "*.ext", lower case
    std::string SearchText;       // empty: no text test
    uint8_t TextOptions = 0;      // kTextCase | kTextWord | kTextRegular
    DateTriple DateFrom{1, 1, 1};
    DateTriple DateTo{31, 12, 9999};
    // Upper bound: size <= SizeLess * SizeLessUnit; none when the Less box is empty.
    std::optional<uint32_t> SizeLess;
    uint64_t SizeLessUnit = 1024;
    // Lower bound: size >= SizeMore * SizeMoreUnit.
    uint32_t SizeMore = 0;
    uint64_t SizeMoreUnit = 1024;
    int SubDirMode = 0;  // 0 None, 1 All, 2 Level
    uint32_t SubDirLevel = 0;
    int32_t WalkDepth = 0;  // 0 target only, n levels below it, -2 all levels
    // The File Filter as the search started: excluded-name patterns in list
    // order and whether they apply.
    std::vector<std::string> ExcludedFiles;
    bool EnableExcludeFiles = false;
};

// The criteria of the last search that started, kept for FileView's Line
// List and the next search's base directory. Written once, when a search's
// criteria are accepted.
const SearchCriteria& LastSearchCriteria();
void RememberSearchCriteria(const SearchCriteria& criteria);
const std::string& LastSearchText();
uint8_t LastSearchOptions();

// The directory and file-name pattern that the next walk uses.
struct SearchTarget {
    std::string directory;
    std::string pattern;
};

constexpr size_t kMaxPath = 260;  // path buffers, terminator included
constexpr int32_t kWalkAllLevels = -2;

bool MatchFileName(std::string_view pattern, std::string_view name);
bool IsExcludedFile(const SearchCriteria& criteria, std::string_view name);
bool DateInRange(const SearchCriteria& criteria, const DateTriple& localDate);
bool SizeInRange(const SearchCriteria& criteria, uint64_t size);

// Cuts the next entry out of the File Name(s) text; position is kept by the
// caller between calls and starts at 0.
bool NextListEntry(const std::string& list, size_t& position, std::string& entry);

// An entry split by the platform's path rules.
struct TargetPathParts {
    std::string drive;      // "c:" or empty
    std::string directory;  // up to and including the last backslash or slash
    std::string name;
    std::string extension;  // from the last dot of the final component
};
TargetPathParts SplitTargetPath(std::string_view entry);
// The pattern of an entry: its name and extension, completed with the
// default type's extension (or the default type itself for a bare directory).
std::string TargetPattern(const TargetPathParts& parts, std::string_view defaultFileType);
// Drops a trailing backslash unless it follows a colon (c:\ keeps it).
std::string TrimTargetDirectory(std::string directory);

// What ResolveTarget needs from the platform.
class TargetResolver {
  public:
    virtual ~TargetResolver() = default;
    // The full path of path against the current directory ("." is the
    // current directory itself); false when it cannot be resolved.
    virtual bool FullPath(const std::string& path, std::string& fullPath) = 0;
    // Makes directory current; on failure the previous one stays current.
    virtual bool EnterDirectory(const std::string& directory) = 0;
};
int ResolveTarget(const std::string& entry, std::string_view defaultFileType,
                  TargetResolver& resolver, SearchTarget& target);

// Dates. dateOrder is the system's "iDate": 1 day-month-year, 2
// year-month-day, anything else month-day-year. today is the local date.
int ValidateDate(const DateTriple& date, const DateTriple& today);
int ParseDateField(std::string_view text, int dateOrder, const DateTriple& today, DateTriple& date);
// Fills criteria's DateFrom and DateTo: 1 when the range is good, 0 when it
// is not, -1 or -2 when the From or To box cannot be read.
int CheckDateCriteria(SearchCriteria& criteria, std::string_view fromText, std::string_view toText,
                      int dateOrder, const DateTriple& today);

// Size bounds and depth.
uint64_t SizeUnitFromIndex(int index);  // "b", "kb", "mb"
// An unsigned decimal number in the 32-bit range, blanks around it allowed.
bool ParseUnsignedField(std::string_view text, uint32_t& value);
// Reads the Less and More boxes into criteria (units are kept as the unit
// boxes set them). 0 when both are good, -1 for a bad Less box, -2 for a bad
// More box.
int SetSizeBounds(SearchCriteria& criteria, std::string_view lessText, std::string_view moreText);
int32_t WalkDepthFor(int subDirMode, uint32_t subDirLevel);

inline constexpr const char* kBadDatesText = "Error: Bad Date(s)\t";
inline constexpr const char* kBadLessText = "Error in Less field";
inline constexpr const char* kBadMoreText = "Error in More field";
inline constexpr const char* kBadLevelText = "Sub-directory level error";

// Whether the last search looked for a text; FileView then lists its matching lines.
bool LastSearchHadText();
