#include "app/main_logic.h"

#include <cctype>

#include "resource_ids.h"
#include "ui/text.h"

bool ValidateFileType(std::string& text) {
    size_t dot = text.find('.');
    if (dot == std::string::npos) return false;
    text = "*" + LowerText(text.substr(dot));
    return true;
}

bool IsMainCommandEnabled(int command, const ListSnapshot& list) {
    switch (command) {
        case IDM_OPEN_FILE:
        case IDM_MARK_ITEM: return list.hasFocusedRow;
        case IDM_DELETE_FILES:
        case IDM_COPY_FILES:
        case IDM_MOVE_FILES:
        case IDM_RENAME_FILE:
        case IDM_ADD_TO_ZIP:
        case IDM_FIND_IN_SELECTED:
        case IDM_DELETE_ITEM:
        case IDM_CLEAR_LIST: return list.selectedCount > 0;
        case IDM_FIND_IN_MARKED: return list.anyMarked;
        case IDM_COPY_LIST:
        case IDM_SORT_LIST:
        case IDM_SELECT_ALL_ITEMS: return list.rowCount > 0;
    }
    return true;
}

std::vector<int> ListCommandsOfMenu(int position) {
    if (position == MAIN_MENU_FILE)
        return {IDM_OPEN_FILE,   IDM_DELETE_FILES, IDM_COPY_FILES,       IDM_MOVE_FILES,
                IDM_RENAME_FILE, IDM_ADD_TO_ZIP,   IDM_FIND_IN_SELECTED, IDM_FIND_IN_MARKED};
    if (position == MAIN_MENU_EDIT)
        return {IDM_MARK_ITEM, IDM_DELETE_ITEM, IDM_CLEAR_LIST,
                IDM_COPY_LIST, IDM_SORT_LIST,   IDM_SELECT_ALL_ITEMS};
    return {};
}

std::string DroppedText(bool onDirectoryBox, const std::vector<std::string>& names) {
    if (!onDirectoryBox) return JoinDroppedNames(names);
    return names.empty() ? std::string() : LowerText(names.front().substr(0, 255));
}

std::string JoinDroppedNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty()) joined += ';';
        joined += name;
    }
    if (joined.size() + 1 >= 65536) return {};
    return LowerText(joined);
}

MainClose CloseMainWindow(MainCloseHost& host) {
    if (host.ListRunIsOn()) {
        host.OweCloseAfterListRun();
        return MainClose::AfterListRun;
    }
    if (host.SearchIsRunning()) {
        host.AbortSearch();
        return MainClose::AfterSearch;
    }
    if (!host.FileViewMayClose()) return MainClose::KeptOpen;
    if (host.SaveSettingsOnExit()) host.SaveSettings();
    host.DestroyWindows();
    return MainClose::Closed;
}
