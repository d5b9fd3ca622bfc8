#include "results/presentation_win.h"

#include <shellapi.h>

#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/file_time.h"
#include "ui/message_box_win.h"

namespace {

std::string ProfileText(const char* key, const char* fallback) {
    // The separators are one character each; a longer entry gives its first.
    char text[2];
    GetProfileStringA("intl", key, fallback, text, sizeof text);
    return text;
}

// "iDate", "sDate" and "sTime" of the system profile's "intl" section, read
// afresh at every call so a change in the control panel shows at the next draw.
RegionalSettings ReadRegionalSettings() {
    RegionalSettings regional;
    regional.iDate = static_cast<int>(GetProfileIntA("intl", "iDate", 0));
    regional.sDate = ProfileText("sDate", "-");
    regional.sTime = ProfileText("sTime", ":");
    return regional;
}

// The same conversion as the walk's date test, so a file shows the date the
// date boxes compare with. FILETIME reaches far beyond 2038.
bool LocalTimeFieldsOf(int64_t time, LocalTimeFields& fields) {
    uint64_t ticks = 0;
    if (!FileTicksFromUnixTime(time, ticks)) return false;
    FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local;
    SYSTEMTIME calendar;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &calendar))
        return false;
    fields.year = calendar.wYear;
    fields.month = calendar.wMonth;
    fields.day = calendar.wDay;
    fields.hour = calendar.wHour;
    fields.minute = calendar.wMinute;
    fields.second = calendar.wSecond;
    return true;
}

// The shell's name of a file or directory; false, leaving `name`, when the
// shell has none (the file is gone).
bool GetDisplayName(const std::string& path, std::string& name) {
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return false;
    name = info.szDisplayName;
    return true;
}

CellTextSources CurrentCellSources() {
    CellTextSources sources;
    sources.displayName = GetDisplayName;
    sources.displayDirectory = [](const std::string& directory) {
        return NormalizePathForDisplay(directory);
    };
    sources.toLocal = LocalTimeFieldsOf;
    sources.regional = ReadRegionalSettings();
    return sources;
}

}  // namespace

std::string FormatShortDate(int64_t time) {
    return FormatShortDate(time, ReadRegionalSettings(), LocalTimeFieldsOf);
}

std::string FormatTimeOfDay(int64_t time) {
    return FormatTimeOfDay(time, ReadRegionalSettings(), LocalTimeFieldsOf);
}

// Each component is looked up by its absolute path, so drawing a Path cell
// never touches the process's current directory.
std::string NormalizePathForDisplay(const std::string& directory) {
    std::string full(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(directory.c_str(), MAX_PATH, full.data(), nullptr);
    if (length >= MAX_PATH) {
        full.assign(length, '\0');
        length = GetFullPathNameA(directory.c_str(), length, full.data(), nullptr);
        if (length >= full.size()) return std::string();
    }
    if (length == 0) return std::string();
    full.resize(length);
    return NormalizePathForDisplay(
        full, [](const std::string& parent, const std::string& component, std::string& name) {
            return GetDisplayName(parent + component, name);
        });
}

void FillCellText(NMLVDISPINFOA& request) {
    LVITEMA& cell = request.item;
    if (!(cell.mask & LVIF_TEXT) || !cell.pszText || cell.cchTextMax <= 0) return;
    const FileInfoItem* item = reinterpret_cast<const FileInfoItem*>(cell.lParam);
    if (!item) item = GetItemRecord(cell.iItem);
    if (!item) return;
    std::string text;
    if (!FillCellText(*item, cell.iSubItem, CurrentCellSources(), text)) {
        DebugTraceF("\nError in subitem no");
        return;
    }
    lstrcpynA(cell.pszText, text.c_str(), cell.cchTextMax);
}

void ShowDateLabel(HWND mainWindow) {
    SetDlgItemTextA(mainWindow, IDC_DATE_GROUP, DateLabelText(ReadRegionalSettings()).c_str());
}
