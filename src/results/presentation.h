#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "results/file_info.h"

// Columns of the File Info List, in order.
enum : int {
    kColumnFilename = 0,
    kColumnSize = 1,
    kColumnDate = 2,
    kColumnTime = 3,
    kColumnPath = 4,
    kColumnCount = 5,
};

struct ResultColumn {
    int headerStringId;    // string resource of the header text
    int widthInBaseUnits;  // times the horizontal dialog base unit
    bool rightAligned;
};

extern const ResultColumn kResultColumns[kColumnCount];

// The regional date and time settings (section "intl" of the system profile),
// read afresh by the caller each time a date or time is formatted.
struct RegionalSettings {
    int iDate = 0;            // 1 day-month-year, 2 year-month-day, otherwise month-day-year
    std::string sDate = "-";  // date separator
    std::string sTime = ":";  // time separator
};

// Local calendar fields of a moment: month 1-12, hour 0-23.
struct LocalTimeFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Turns seconds since 1970-01-01 00:00:00 UTC into local calendar fields;
// false when the moment cannot be converted.
using LocalTimeConverter = std::function<bool(int64_t seconds, LocalTimeFields& fields)>;

// "dd.mm.yy" and the like, in the regional order and separator. A time of 0
// stands for today. Empty when the time cannot be converted.
std::string FormatShortDate(int64_t time, const RegionalSettings& regional,
                            const LocalTimeConverter& toLocal);

// "hh:mm:ss" with the regional separator, always 24-hour. Empty when the time
// cannot be converted.
std::string FormatTimeOfDay(int64_t time, const RegionalSettings& regional,
                            const LocalTimeConverter& toLocal);

// The size cell: unsigned decimal, no separators.
std::string FormatSizeCell(uint64_t size);

// The text of the main window's date group box, e.g. "Date(dd-mm-yy)".
std::string DateLabelText(const RegionalSettings& regional);

// The shell's form of one path component. `parent` is the absolute directory
// that holds it, ending in a backslash. False when the shell has no name for it.
using ComponentDisplayName =
    std::function<bool(const std::string& parent, const std::string& component, std::string& name)>;

// The display form of an absolute directory path: the root in capitals with its
// backslash, then each component as the shell spells it, no trailing backslash
// except after a drive.
std::string NormalizePathForDisplay(const std::string& fullPath,
                                    const ComponentDisplayName& componentName);

// Where the cell texts come from besides the item itself: the shell's display
// name of a full path (false when it has none), the display form of a
// directory, the local time and the regional settings.
struct CellTextSources {
    std::function<bool(const std::string& path, std::string& name)> displayName;
    std::function<std::string(const std::string& directory)> displayDirectory;
    LocalTimeConverter toLocal;
    RegionalSettings regional;
};

// The text of one cell of the File Info List. False, with `text` untouched,
// for a column outside the five.
bool FillCellText(const FileInfoItem& item, int column, const CellTextSources& sources,
                  std::string& text);
