// The main window's procedure: one short case per message, one line per
// command, each handing the work to the module that owns it.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/main_logic.h"
#include "app/main_window_win.h"
#include "app/option_dialogs_win.h"
#include "fileops/file_operations_win.h"
#include "fileops/open_file_win.h"
#include "fileview/file_view_win.h"
#include "fileview/find_state.h"
#include "help/help.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/list_guard.h"
#include "search/criteria.h"
#include "search/file_filter.h"
#include "search/search_win.h"
#include "settings/settings.h"
#include "settings/settings_win.h"
#include "ui/about_win.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"
#include "ui/text.h"

namespace {

ListSnapshot TakeListSnapshot() {
    ListSnapshot list;
    HWND view = g_Main.FileList;
    list.hasFocusedRow = SendMessageA(view, LVM_GETNEXTITEM, -1, LVNI_FOCUSED) >= 0;
    list.selectedCount = static_cast<int>(SendMessageA(view, LVM_GETSELECTEDCOUNT, 0, 0));
    list.rowCount = static_cast<int>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0));
    list.anyMarked = list.rowCount > 0 && NextMarkedItem(-1) >= 0;
    return list;
}

LRESULT OnInitMenuPopup(HWND hwnd, HMENU popup, int position, bool systemMenu) {
    if (systemMenu) return 0;
    const std::vector<int> commands = ListCommandsOfMenu(position);
    if (commands.empty())
        return DefDlgProcA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                           MAKELPARAM(position, systemMenu));
    ListSnapshot list = TakeListSnapshot();
    for (int command : commands)
        EnableMenuItem(
            popup, command,
            MF_BYCOMMAND | (IsMainCommandEnabled(command, list) ? MF_ENABLED : MF_GRAYED));
    return 0;
}

void OnMenuSelect(int item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        ShowStatusHelp(IDS_READY, g_Main.StatusBar);
    } else if (flags & (MF_POPUP | MF_SYSMENU)) {
        SetStatusText("");
    } else if (item != 0) {
        ShowStatusHelp(item, g_Main.StatusBar);
    }
}

void OnHelpKey(HWND hwnd, const HELPINFO* info) {
    if (info->iContextType == HELPINFO_WINDOW)
        QuarryHelp(static_cast<HWND>(info->hItemHandle), g_App.HelpFilePath, HELP_WM_HELP,
                   reinterpret_cast<ULONG_PTR>(kContextHelpIds));
    else
        QuarryHelp(hwnd, g_App.HelpFilePath, HELP_CONTEXT, MenuHelpContext(info->iCtrlId));
}

void OnDropFiles(HWND hwnd, HDROP drop) {
    POINT at;
    if (DragQueryPoint(drop, &at)) {
        const bool onDirectory = ChildWindowFromPoint(hwnd, at) == g_Main.DirectoryCombo;
        std::vector<std::string> names(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
        for (UINT i = 0; i < names.size(); ++i) {
            names[i].resize(DragQueryFileA(drop, i, nullptr, 0));
            DragQueryFileA(drop, i, names[i].data(), static_cast<UINT>(names[i].size()) + 1);
        }
        const std::string text = DroppedText(onDirectory, names);
        if (onDirectory) {
            if (!text.empty()) SetWindowTextA(g_Main.DirectoryCombo, text.c_str());
        } else if (text.empty() && !names.empty()) {
            WarningBox(g_App.AppTitle, "Memory allocation failed!");
        } else {
            SetWindowTextA(g_Main.FileNameCombo, text.c_str());
        }
    }
    DragFinish(drop);
}

// The typed or chosen default file type; an invalid one is reported and
// leaves no default, so the next Find Files says so.
void OnDefaultFileType() {
    std::string type = FieldText(g_Main.ToolbarCombo, 6);
    if (!ValidateFileType(type)) {
        RefuseFileType(g_Main.ToolbarCombo);
        SetDefaultFileType("");
        return;
    }
    SetDefaultFileType(type);
    AddToHistory(g_Main.ToolbarCombo, type.c_str());
}

void OnFileFilter(HWND hwnd) {
    if (ShowFileFilterDialog(hwnd))
        SetWindowTextA(g_Main.ToolbarCombo, g_Settings.DefaultFileType.c_str());
}

void OnTextOption(HWND hwnd, int id) {
    uint8_t bit = static_cast<uint8_t>(1u << (id - IDC_CASE));
    SetTextOption(bit, IsDlgButtonChecked(hwnd, id) == BST_CHECKED);
}

void OnSubDirMode(HWND hwnd, int id) {
    SetSubDirMode(id - IDC_SUBDIR_NONE);
    CheckRadioButton(hwnd, IDC_SUBDIR_NONE, IDC_SUBDIR_LEVEL, id);
    EnableWindow(GetDlgItem(hwnd, IDC_LEVEL), id == IDC_SUBDIR_LEVEL);
}

void OnSaveSettingsNow(HWND hwnd) {
    // A save that failed (the user has been told) leaves Save Settings on
    // Exit as it was, so the settings are not dropped at exit unasked.
    if (!SaveSettings(g_App.IniFilePath)) return;
    HMENU menu = GetMenu(hwnd);
    CheckMenuItem(menu, IDM_SAVE_SETTINGS_NOW, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu, IDM_SAVE_SETTINGS_ON_EXIT, MF_BYCOMMAND | MF_UNCHECKED);
    SetSaveSettingsOnExit(false);
}

void OnSaveSettingsOnExit(HWND hwnd) {
    HMENU menu = GetMenu(hwnd);
    CheckMenuItem(menu, IDM_SAVE_SETTINGS_ON_EXIT, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu, IDM_SAVE_SETTINGS_NOW, MF_BYCOMMAND | MF_UNCHECKED);
    SetSaveSettingsOnExit(true);
}

LRESULT OnMainCommand(HWND hwnd, int id, int code, WPARAM wp, LPARAM lp) {
    SubclassToolbarComboEdit();
    if (RefuseDuringSearch(id)) return 0;
    switch (id) {
        case IDM_FIND_FILES:
        case IDM_FIND_IN_SELECTED:
        case IDM_FIND_IN_MARKED: StartSearch(hwnd, id); return 0;
        case IDM_EXIT: SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
        case IDM_CLEAR_LIST: ClearFileInfoList(); return 0;
        case IDC_CASE:
        case IDC_WORD:
        case IDC_REGULAR: OnTextOption(hwnd, id); return 0;
        case IDC_SUBDIR_NONE:
        case IDC_SUBDIR_ALL:
        case IDC_SUBDIR_LEVEL: OnSubDirMode(hwnd, id); return 0;
        case IDM_COPY_LIST: CopySelectedToClipboard(); return 0;
        case IDM_HELP_CONTENTS: QuarryHelp(hwnd, g_App.HelpFilePath, HELP_FINDER, 0); return 0;
        case IDM_HELP_SEARCH:
            QuarryHelp(hwnd, g_App.HelpFilePath, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(""));
            return 0;
        case IDM_ABOUT: ShowAboutBox(hwnd); return 0;
        case IDM_DELETE_ITEM: DeleteSelectedItems(); return 0;
        case IDM_SORT_LIST: SortFileInfoList(); return 0;
        case IDM_MARK_ITEM: ToggleFocusedItemMark(); return 0;
        case IDC_LESS_UNIT:
        case IDC_MORE_UNIT: return 0;  // the search reads the chosen unit when it starts
        case IDM_SAVE_SETTINGS_NOW: OnSaveSettingsNow(hwnd); return 0;
        case IDM_SAVE_SETTINGS_ON_EXIT: OnSaveSettingsOnExit(hwnd); return 0;
        case IDM_SELECT_ALL_ITEMS: SelectAllItems(); return 0;
        case IDM_BROWSE_DIR: BrowseForDirectory(hwnd, g_Main.DirectoryCombo); return 0;
        case IDM_RENAME_FILE: RenameFocusedItem(); return 0;
        case IDM_DELETE_FILES: DeleteSelectedFiles(); return 0;
        case IDM_COPY_FILES: CopySelectedFiles(); return 0;
        case IDM_MOVE_FILES: MoveSelectedFiles(); return 0;
        case IDM_ADD_TO_ZIP: AddSelectedToZip(); return 0;
        case IDM_SORT_OPTIONS: ShowSortOptionsDialog(hwnd); return 0;
        case IDM_FILE_FILTER: OnFileFilter(hwnd); return 0;
        case IDM_OPEN_FILE: OpenFocusedItem(); return 0;
        case IDM_FILEVIEW_SETTINGS: FileViewSettingsDialog(hwnd); return 0;
        case IDC_TOOLBAR_COMBO:
            if (code == CBN_SELENDOK) OnDefaultFileType();
            break;
    }
    return DefDlgProcA(hwnd, WM_COMMAND, wp, lp);
}

struct WindowClose : MainCloseHost {
    explicit WindowClose(HWND main) : main_(main) {}
    bool ListRunIsOn() override { return ::ListRunIsOn(); }
    void OweCloseAfterListRun() override { ::OweCloseAfterListRun(OwedClose::Program); }
    bool SearchIsRunning() override { return ::SearchIsRunning(); }
    void AbortSearch() override { ::AbortSearch(); }
    bool FileViewMayClose() override { return ::FileViewMayClose(); }
    bool SaveSettingsOnExit() override { return g_Settings.SaveSettingsOnExit; }
    void SaveSettings() override { ::SaveSettings(g_App.IniFilePath); }
    void DestroyWindows() override {
        if (HWND fileView = FileViewHandle()) DestroyWindow(fileView);
        DestroyWindow(main_);
    }

  private:
    HWND main_;
};

void OnMainClose(HWND hwnd) {
    WindowClose host(hwnd);
    CloseMainWindow(host);
}

void OnMainDestroy(HWND hwnd) {
    QuarryHelp(hwnd, g_App.HelpFilePath, HELP_QUIT, 0);
    DeleteComboFont();
    FreeFileViewFont();
    DragAcceptFiles(hwnd, FALSE);
    SetExcludedFilePatterns({});
    ClearFileInfoList();
    FreeFindReplace();
    ReleaseShellMalloc();
    ClearLoop();
    SetAppMainWindow(nullptr);
    PostQuitMessage(0);
}

LRESULT OnMainActivate(HWND hwnd, WPARAM wp, LPARAM lp) {
    if (LOWORD(wp) != WA_ACTIVE) return DefDlgProcA(hwnd, WM_ACTIVATE, wp, lp);
    if (HWND fileView = FileViewHandle()) {
        SetFocus(fileView);
    } else if (g_Main.Toolbar) {
        InvalidateRect(g_Main.Toolbar, nullptr, TRUE);
        SendMessageA(g_Main.Toolbar, TB_AUTOSIZE, 0, 0);
    }
    return 0;
}

LRESULT OnMainSysCommand(HWND hwnd, WPARAM wp, LPARAM lp) {
    if (HWND fileView = FileViewHandle()) {
        UINT command = wp & 0xFFF0;
        if (command == SC_MINIMIZE) {
            char caption[256];
            GetWindowTextA(fileView, caption, sizeof caption);
            SetWindowTextA(hwnd, caption);
        } else if (command == SC_RESTORE) {
            SetWindowTextA(hwnd, g_App.AppTitle);
            SetLoopAcceleratorWindow(fileView);
            SetFocus(fileView);
        }
    }
    return DefDlgProcA(hwnd, WM_SYSCOMMAND, wp, lp);
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE: OnMainCreate(hwnd); break;
        case WM_DESTROY: OnMainDestroy(hwnd); return 0;
        case WM_CLOSE: OnMainClose(hwnd); return 0;
        case WM_SIZE: OnMainSize(hwnd, LOWORD(lp), HIWORD(lp)); break;
        case WM_ACTIVATE: return OnMainActivate(hwnd, wp, lp);
        case WM_ACTIVATEAPP: RememberClientRect(hwnd); break;
        case WM_GETMINMAXINFO:
            if (!g_App.MainWindow) break;
            reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = g_Main.MinTrackSize;
            return 0;
        case WM_NOTIFY: return ListNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_HELP: OnHelpKey(hwnd, reinterpret_cast<HELPINFO*>(lp)); break;
        case WM_CONTEXTMENU:
            QuarryHelp(reinterpret_cast<HWND>(wp), g_App.HelpFilePath, HELP_CONTEXTMENU,
                       reinterpret_cast<ULONG_PTR>(kContextHelpIds));
            break;
        case WM_COMMAND: return OnMainCommand(hwnd, LOWORD(wp), HIWORD(wp), wp, lp);
        case WM_SYSCOMMAND: return OnMainSysCommand(hwnd, wp, lp);
        case WM_INITMENUPOPUP:
            return OnInitMenuPopup(hwnd, reinterpret_cast<HMENU>(wp), LOWORD(lp), HIWORD(lp) != 0);
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp));
            return 0;
        case WM_DROPFILES: OnDropFiles(hwnd, reinterpret_cast<HDROP>(wp)); return 0;
        case WM_SETCURSOR:
            if (KeepSearchCursor()) return TRUE;
            break;
    }
    return DefDlgProcA(hwnd, msg, wp, lp);
}
