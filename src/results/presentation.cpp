#include "results/presentation.h"

#include <cctype>
#include <cstdio>
#include <ctime>

const ResultColumn kResultColumns[kColumnCount] = {
    {816, 12, false},  // "Filename"
    {817, 9, true},    // "Size"
    {818, 8, false},   // "Date"
    {819, 8, false},   // "Time"
    {820, 40, false},  // "Path"
};

namespace {

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2.2d", value);
    return buffer;
}

std::string JoinThree(int a, int b, int c, const std::string& separator) {
    return TwoDigits(a) + separator + TwoDigits(b) + separator + TwoDigits(c);
}

// The date of exactly `time`, with no stand-in for 0: a file stamped at the
// very start of 1970 shows that date, not today's.
std::string FormatDateOf(int64_t time, const RegionalSettings& regional,
                         const LocalTimeConverter& toLocal) {
    LocalTimeFields fields;
    if (!toLocal(time, fields)) return std::string();
    int year = (fields.year % 100 + 100) % 100;
    switch (regional.iDate) {
        case 1: return JoinThree(fields.day, fields.month, year, regional.sDate);
        case 2: return JoinThree(year, fields.month, fields.day, regional.sDate);
        default: return JoinThree(fields.month, fields.day, year, regional.sDate);
    }
}

}  // namespace

std::string FormatShortDate(int64_t time, const RegionalSettings& regional,
                            const LocalTimeConverter& toLocal) {
    if (time == 0) time = static_cast<int64_t>(std::time(nullptr));
    return FormatDateOf(time, regional, toLocal);
}

std::string FormatTimeOfDay(int64_t time, const RegionalSettings& regional,
                            const LocalTimeConverter& toLocal) {
    LocalTimeFields fields;
    if (!toLocal(time, fields)) return std::string();
    return JoinThree(fields.hour, fields.minute, fields.second, regional.sTime);
}

std::string FormatSizeCell(uint64_t size) {
    return std::to_string(size);
}

std::string DateLabelText(const RegionalSettings& regional) {
    const std::string& s = regional.sDate;
    switch (regional.iDate) {
        case 1: return "Date(dd" + s + "mm" + s + "yy)";
        case 2: return "Date(yy" + s + "mm" + s + "dd)";
        default: return "Date(mm" + s + "dd" + s + "yy)";
    }
}

std::string NormalizePathForDisplay(const std::string& fullPath,
                                    const ComponentDisplayName& componentName) {
    // The root: a drive ("c:") or a network share ("\\server\share").
    size_t rootEnd;
    if (fullPath.compare(0, 2, "\\\\") == 0) {
        rootEnd = fullPath.find('\\', 2);
        if (rootEnd != std::string::npos) rootEnd = fullPath.find('\\', rootEnd + 1);
    } else {
        rootEnd = fullPath.find('\\');
    }
    if (rootEnd == std::string::npos) rootEnd = fullPath.size();

    std::string root = fullPath.substr(0, rootEnd) + '\\';
    if (root.size() == 3 && root[1] == ':') {
        root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    }
    std::string output = root;
    std::string parent = root;  // the absolute directory as given, for the shell

    size_t start = rootEnd + 1;
    while (start < fullPath.size()) {
        size_t end = fullPath.find('\\', start);
        if (end == std::string::npos) end = fullPath.size();
        std::string component = fullPath.substr(start, end - start);
        start = end + 1;
        if (component.empty()) continue;  // a doubled backslash names no component
        std::string name;
        // A component the shell cannot name (removed meanwhile) shows as stored.
        if (!componentName(parent, component, name)) name = component;
        output += name + '\\';
        parent += component + '\\';
    }

    if (output.size() > 1 && output.back() == '\\' && output[output.size() - 2] != ':') {
        output.pop_back();
    }
    return output;
}

bool FillCellText(const FileInfoItem& item, int column, const CellTextSources& sources,
                  std::string& text) {
    switch (column) {
        case kColumnFilename: {
            std::string name;
            // A file the shell no longer knows (deleted meanwhile) shows no name.
            text = sources.displayName(JoinPath(item.directory, item.name), name) ? name : "";
            return true;
        }
        case kColumnSize: text = FormatSizeCell(item.size); return true;
        case kColumnDate:
            text = FormatDateOf(item.modified, sources.regional, sources.toLocal);
            return true;
        case kColumnTime:
            text = FormatTimeOfDay(item.modified, sources.regional, sources.toLocal);
            return true;
        case kColumnPath: text = sources.displayDirectory(item.directory); return true;
        default: return false;
    }
}
