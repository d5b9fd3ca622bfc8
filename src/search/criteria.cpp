#include "search/criteria.h"
#include "ui/text.h"

#include <climits>

namespace {
SearchCriteria g_LastSearch;
}  // namespace

const SearchCriteria& LastSearchCriteria() {
    return g_LastSearch;
}

void RememberSearchCriteria(const SearchCriteria& criteria) {
    g_LastSearch = criteria;
}

const std::string& LastSearchText() {
    return g_LastSearch.SearchText;
}

uint8_t LastSearchOptions() {
    return g_LastSearch.TextOptions;
}

int CompareDates(const DateTriple& a, const DateTriple& b) {
    if (a.year != b.year) return a.year < b.year ? -1 : 1;
    if (a.month != b.month) return a.month < b.month ? -1 : 1;
    if (a.day != b.day) return a.day < b.day ? -1 : 1;
    return 0;
}

// A star stands for the rest of one dot-separated part of the name: the
// pattern skips to after the dot that follows the star, the name to after
// its next dot. So "*.*" takes names with at most one dot.
bool MatchFileName(std::string_view pattern, std::string_view name) {
    size_t p = 0;
    size_t n = 0;
    for (;;) {
        if (p == pattern.size()) return n == name.size();
        char c = pattern[p];
        if (c == '*') {
            size_t dot = pattern.find('.', p + 1);
            p = dot == std::string_view::npos ? pattern.size() : dot + 1;
            if (n < name.size()) {
                size_t nameDot = name.find('.', n);
                n = nameDot == std::string_view::npos ? name.size() : nameDot + 1;
            }
            continue;
        }
        if (n == name.size()) return false;  // "?" or a letter with no name left
        if (c != '?' && LowerChar(c) != LowerChar(name[n])) return false;
        ++p;
        ++n;
    }
}

bool IsExcludedFile(const SearchCriteria& criteria, std::string_view name) {
    if (!criteria.EnableExcludeFiles) return false;
    for (const std::string& pattern : criteria.ExcludedFiles) {
        if (pattern.empty()) break;  // the list ends at its first empty slot
        if (MatchFileName(pattern, name)) return true;
    }
    return false;
}

bool DateInRange(const SearchCriteria& criteria, const DateTriple& localDate) {
    return CompareDates(criteria.DateFrom, localDate) <= 0 &&
           CompareDates(localDate, criteria.DateTo) <= 0;
}

static uint64_t BoundProduct(uint64_t value, uint64_t unit) {
    if (unit != 0 && value > UINT64_MAX / unit) return UINT64_MAX;
    return value * unit;
}

bool SizeInRange(const SearchCriteria& c, uint64_t size) {
    if (c.SizeLess && size > BoundProduct(*c.SizeLess, c.SizeLessUnit)) return false;
    return size >= BoundProduct(c.SizeMore, c.SizeMoreUnit);
}

bool NextListEntry(const std::string& list, size_t& position, std::string& entry) {
    const size_t size = list.size();
    while (position < size && (list[position] == ';' || list[position] == ' ')) ++position;
    if (position >= size) return false;
    size_t start;
    size_t end;
    if (list[position] == '"') {
        while (position < size && list[position] == '"') ++position;
        start = position;
        end = list.find('"', start);
    } else {
        start = position;
        end = list.find_first_of("; ", start);
    }
    if (end == std::string::npos) {
        entry = list.substr(start);
        position = size;
    } else {
        entry = list.substr(start, end - start);
        position = end + 1;
    }
    return !entry.empty();
}

TargetPathParts SplitTargetPath(std::string_view entry) {
    TargetPathParts parts;
    if (entry.size() >= 2 && entry[1] == ':') {
        parts.drive = std::string(entry.substr(0, 2));
        entry.remove_prefix(2);
    }
    size_t slash = entry.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        parts.directory = std::string(entry.substr(0, slash + 1));
        entry.remove_prefix(slash + 1);
    }
    size_t dot = entry.rfind('.');
    if (dot != std::string_view::npos) {
        parts.extension = std::string(entry.substr(dot));
        entry = entry.substr(0, dot);
    }
    parts.name = std::string(entry);
    return parts;
}

std::string TargetPattern(const TargetPathParts& parts, std::string_view defaultFileType) {
    if (!parts.extension.empty()) return parts.name + parts.extension;
    if (parts.name.empty()) return std::string(defaultFileType);
    size_t dot = defaultFileType.rfind('.');
    std::string pattern = parts.name;
    if (dot != std::string_view::npos) pattern += defaultFileType.substr(dot);
    return pattern;
}

std::string TrimTargetDirectory(std::string directory) {
    size_t n = directory.size();
    if (n >= 1 && directory[n - 1] == '\\' && !(n >= 2 && directory[n - 2] == ':')) {
        directory.pop_back();
    }
    return directory;
}

int ResolveTarget(const std::string& entry, std::string_view defaultFileType,
                  TargetResolver& resolver, SearchTarget& target) {
    target = SearchTarget{};
    TargetPathParts parts = SplitTargetPath(entry);
    std::string where = parts.drive + parts.directory;
    std::string fullPath;
    if (!resolver.FullPath(where.empty() ? "." : where, fullPath)) return -2;
    target.pattern = TargetPattern(parts, defaultFileType);
    target.directory = TrimTargetDirectory(LowerText(fullPath));
    // A directory that does not fit a path buffer cannot be walked whole, and
    // a name that would not fit one below it names no file at all.
    if (target.directory.size() >= kMaxPath) return -2;
    if (target.directory.size() + 1 + target.pattern.size() >= kMaxPath) {
        target.directory = entry;
        return -2;
    }
    return resolver.EnterDirectory(target.directory) ? 1 : -2;
}

int ValidateDate(const DateTriple& date, const DateTriple& today) {
    if (date.day <= 0 || date.month <= 0 || date.year <= 0) return 0;
    if (date.day >= 32 || date.month >= 13) return 0;
    int order = CompareDates(date, today);
    if (order > 0) return 0;
    return order < 0 ? 1 : 2;
}

// The leading decimal digits of a piece; count tells how many were typed.
static int32_t PieceNumber(std::string_view piece, int& count) {
    int64_t value = 0;
    count = 0;
    while (count < static_cast<int>(piece.size()) && piece[count] >= '0' && piece[count] <= '9') {
        if (value < 100000) value = value * 10 + (piece[count] - '0');
        ++count;
    }
    return static_cast<int32_t>(value);
}

// One or two typed digits name a year near now: 00-79 are 2000-2079 and
// 80-99 are 1980-1999. Longer years are taken as typed.
static int32_t FullYear(int32_t value, int digits) {
    if (digits == 0 || digits > 2) return value;
    return value < 80 ? 2000 + value : 1900 + value;
}

int ParseDateField(std::string_view text, int dateOrder, const DateTriple& today,
                   DateTriple& date) {
    char separator;
    if (text.find('/') != std::string_view::npos) {
        separator = '/';
    } else if (text.find('-') != std::string_view::npos) {
        separator = '-';
    } else {
        return 0;
    }
    int32_t number[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int pieces = 0;
    size_t i = 0;
    while (pieces < 3 && i < text.size()) {
        while (i < text.size() && (text[i] == separator || text[i] == ' ')) ++i;
        if (i >= text.size()) break;
        size_t end = i;
        while (end < text.size() && text[end] != separator && text[end] != ' ') ++end;
        number[pieces] = PieceNumber(text.substr(i, end - i), digits[pieces]);
        ++pieces;
        i = end;
    }
    switch (dateOrder) {
        case 1: date = {number[0], number[1], FullYear(number[2], digits[2])}; break;
        case 2: date = {number[2], number[1], FullYear(number[0], digits[0])}; break;
        default: date = {number[1], number[0], FullYear(number[2], digits[2])}; break;
    }
    return ValidateDate(date, today);
}

int CheckDateCriteria(SearchCriteria& c, std::string_view fromText, std::string_view toText,
                      int dateOrder, const DateTriple& today) {
    if (fromText.empty()) {
        c.DateFrom = {1, 1, 1};
    } else if (!ParseDateField(fromText, dateOrder, today, c.DateFrom)) {
        return -1;
    }
    if (toText.empty()) {
        c.DateTo = today;
    } else if (!ParseDateField(toText, dateOrder, today, c.DateTo)) {
        return -2;
    }
    if (!ValidateDate(c.DateFrom, today) || !ValidateDate(c.DateTo, today)) return 0;
    return CompareDates(c.DateTo, c.DateFrom) >= 0 ? 1 : 0;
}

uint64_t SizeUnitFromIndex(int index) {
    uint64_t unit = 1;
    for (int i = 0; i < index; ++i) unit *= 1024;
    return unit;
}

bool ParseUnsignedField(std::string_view text, uint32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    size_t start = i;
    uint64_t number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        number = number * 10 + static_cast<uint64_t>(text[i] - '0');
        if (number > UINT32_MAX) return false;
        ++i;
    }
    if (i == start) return false;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i != text.size()) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

int SetSizeBounds(SearchCriteria& c, std::string_view lessText, std::string_view moreText) {
    uint32_t value = 0;
    if (lessText.empty()) {
        c.SizeLess.reset();
    } else if (ParseUnsignedField(lessText, value)) {
        c.SizeLess = value;
    } else {
        return -1;
    }
    if (moreText.empty()) {
        c.SizeMore = 0;
    } else if (ParseUnsignedField(moreText, value)) {
        c.SizeMore = value;
    } else {
        return -2;
    }
    return 0;
}

int32_t WalkDepthFor(int subDirMode, uint32_t subDirLevel) {
    switch (subDirMode) {
        case 0: return 0;
        case 1: return kWalkAllLevels;
        default: return subDirLevel > INT32_MAX ? INT32_MAX : static_cast<int32_t>(subDirLevel);
    }
}

bool LastSearchHadText() {
    return !g_LastSearch.SearchText.empty();
}
