#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cctype>
#include <cstring>

#include "app/main_logic.h"
#include "fileview/file_view_win.h"
#include "fileview/find_state.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "search/file_filter.h"
#include "search/search_win.h"
#include "settings/settings.h"
#include "settings/settings_win.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"
#include "ui/text.h"

namespace {

MainWindowState g_MainState;

// Parts 1 and 2 hold counts up to the list's limit of 1000, whole.
constexpr int kStatusWidths[3] = {0, 5, 5};

const char* const kFixedFileTypes[] = {"*.htm", "*.bas", "*.pas", "*.c++", "*.c", "*.txt"};

WNDPROC g_ListViewProc = nullptr;
WNDPROC g_ComboEditProc = nullptr;

// Tab and Shift+Tab leave the list for the next or previous control, and
// every other key, Enter included, goes to the list rather than the dialog
// manager.
LRESULT CALLBACK ListViewSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETDLGCODE)
        return CallWindowProcA(g_ListViewProc, hwnd, msg, wp, lp) | DLGC_WANTALLKEYS;
    if (msg == WM_KEYDOWN && wp == VK_TAB) {
        bool back = GetKeyState(VK_SHIFT) < 0;
        HWND next = GetNextDlgTabItem(g_App.MainWindow, hwnd, back);
        if (next) SetFocus(next);
    }
    return CallWindowProcA(g_ListViewProc, hwnd, msg, wp, lp);
}

// Enter in the toolbar combo's edit field applies the typed file type as if
// it had been chosen from the list.
LRESULT CALLBACK ComboEditSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETDLGCODE)
        return CallWindowProcA(g_ComboEditProc, hwnd, msg, wp, lp) | DLGC_WANTALLKEYS;
    if (msg == WM_KEYDOWN && wp == VK_RETURN)
        PostMessageA(g_App.MainWindow, WM_COMMAND, MAKEWPARAM(IDC_TOOLBAR_COMBO, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(g_MainState.ToolbarCombo));
    return CallWindowProcA(g_ComboEditProc, hwnd, msg, wp, lp);
}

void FillDirectoryCombo(HWND combo) {
    char text[MAX_PATH];
    GetWindowTextA(combo, text, sizeof text);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LowerText(text).c_str()));

    // Each drive's own current directory; a drive without a medium is left out.
    char remembered[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, remembered);
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    DWORD drives = GetLogicalDrives();
    for (int drive = 3; drive <= 26; ++drive) {
        if (!(drives & (1u << (drive - 1)))) continue;
        char root[4] = {static_cast<char>('A' + drive - 1), ':', '\0', '\0'};
        if (!SetCurrentDirectoryA(root)) continue;
        char current[MAX_PATH];
        DWORD got = GetCurrentDirectoryA(MAX_PATH, current);
        if (got == 0 || got >= MAX_PATH) continue;
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LowerText(current).c_str()));
    }
    SetErrorMode(oldMode);
    if (length > 0 && length < MAX_PATH) SetCurrentDirectoryA(remembered);
}

void FillUnitCombo(HWND combo) {
    for (const char* unit : {"b", "kb", "mb"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
}

void UseExtendedUi(HWND hwnd, int id) {
    SendDlgItemMessageA(hwnd, id, CB_SETEXTENDEDUI, TRUE, 0);
}

void PasteClipboardIntoSearchText() {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(g_App.MainWindow)) return;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            std::string cut(text, strnlen(text, 1023));
            SetWindowTextA(g_MainState.SearchTextCombo, cut.c_str());
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
}

// The loaded settings in the criteria controls.
void ApplySettingsToControls(HWND hwnd) {
    SetDlgItemTextA(hwnd, IDC_DIRECTORY, LowerText(g_Settings.Directory).c_str());
    SetDlgItemTextA(hwnd, IDC_FILE_NAMES, g_Settings.DefaultFileType.c_str());
    CheckDlgButton(hwnd, IDC_CASE, (g_Settings.TextOptions & 1) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_WORD, (g_Settings.TextOptions & 2) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_REGULAR, (g_Settings.TextOptions & 4) ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(hwnd, IDC_SUBDIR_NONE, IDC_SUBDIR_LEVEL,
                     IDC_SUBDIR_NONE + g_Settings.SubDirMode);
    SetDlgItemInt(hwnd, IDC_LEVEL, g_Settings.SubDirLevel, FALSE);
    EnableWindow(GetDlgItem(hwnd, IDC_LEVEL), g_Settings.SubDirMode == 2);
    HMENU menu = GetMenu(hwnd);
    CheckMenuItem(menu, IDM_SAVE_SETTINGS_ON_EXIT,
                  g_Settings.SaveSettingsOnExit ? MF_CHECKED : MF_UNCHECKED);
    if (g_Settings.SaveSettingsOnExit) CheckMenuItem(menu, IDM_SAVE_SETTINGS_NOW, MF_UNCHECKED);
}

}  // namespace

const MainWindowState& g_Main = g_MainState;

void RememberClientRect(HWND hwnd) {
    GetClientRect(hwnd, &g_MainState.ClientRect);
}

void ReleaseShellMalloc() {
    if (g_MainState.ShellMalloc) g_MainState.ShellMalloc->Release();
    g_MainState.ShellMalloc = nullptr;
}

void OnMainCreate(HWND hwnd) {
    g_MainState = MainWindowState{};  // a new main window starts from nothing
    SetMainLoopWindow(hwnd, LoadAcceleratorsA(g_App.AppInstance, g_App.AppTitle));

    ResetExcludedFilePatterns();
    DragAcceptFiles(hwnd, TRUE);
}

bool InitMainWindow(HWND hwnd) {
    ShowDateLabel(hwnd);

    g_MainState.FileList = GetDlgItem(hwnd, IDC_FILE_LIST);
    g_MainState.DirectoryCombo = GetDlgItem(hwnd, IDC_DIRECTORY);
    g_MainState.FileNameCombo = GetDlgItem(hwnd, IDC_FILE_NAMES);
    g_MainState.SearchTextCombo = GetDlgItem(hwnd, IDC_SEARCH_TEXT);

    g_MainState.StatusBar = CreateStatusBar(hwnd, IDC_MAIN_STATUS, 3, kStatusWidths);
    SetStatusPartWriter(ShowMainStatusPart);

    if (!LoadSettings(g_App.IniFilePath)) return false;
    ApplySettingsToControls(hwnd);
    if (g_Settings.LoadClipboard) PasteClipboardIntoSearchText();

    InitFileViewFont();

    for (int id : {IDC_DIRECTORY, IDC_FILE_NAMES, IDC_SEARCH_TEXT, IDC_LESS_UNIT, IDC_MORE_UNIT})
        UseExtendedUi(hwnd, id);

    SendMessageA(g_MainState.SearchTextCombo, CB_LIMITTEXT, 1024, 0);
    SendMessageA(g_MainState.FileNameCombo, CB_LIMITTEXT, 1024, 0);
    SendMessageA(g_MainState.DirectoryCombo, CB_LIMITTEXT, 256, 0);
    SendDlgItemMessageA(hwnd, IDC_LEVEL, EM_LIMITTEXT, 2, 0);

    FillDirectoryCombo(g_MainState.DirectoryCombo);

    SetDlgItemTextA(hwnd, IDC_CURRENT_DIR, g_Settings.Directory.c_str());
    SetCurrentDirectoryA(g_Settings.Directory.c_str());

    for (int id : {IDC_DATE_FROM, IDC_DATE_TO, IDC_SIZE_LESS, IDC_SIZE_MORE})
        SetDlgItemTextA(hwnd, id, "");

    // The up-downs sit right after their buddies in the template.
    for (int buddy : {IDC_SIZE_LESS, IDC_SIZE_MORE}) {
        HWND upDown = GetWindow(GetDlgItem(hwnd, buddy), GW_HWNDNEXT);
        SendMessageA(upDown, UDM_SETRANGE32, 0, 32767);
    }
    // The level box holds two digits; its arrows count up through them.
    SendMessageA(GetWindow(GetDlgItem(hwnd, IDC_LEVEL), GW_HWNDNEXT), UDM_SETRANGE32, 0, 99);

    AddToHistory(g_MainState.FileNameCombo, g_Settings.DefaultFileType.c_str());

    FillUnitCombo(GetDlgItem(hwnd, IDC_LESS_UNIT));
    FillUnitCombo(GetDlgItem(hwnd, IDC_MORE_UNIT));

    g_MainState.Toolbar = CreateMainToolbar(hwnd);
    if (!g_MainState.Toolbar) return false;
    SetFileListHost({hwnd, g_MainState.FileList, g_MainState.Toolbar, g_App.AppInstance,
                     ShowMainStatusPart, RefuseDuringSearch});
    UpdateListToolbarButtons();

    g_MainState.ToolbarCombo = AddToolbarCombo(g_MainState.Toolbar, 3, IDC_TOOLBAR_COMBO, 6);
    if (g_MainState.ToolbarCombo) {
        SetWindowTextA(g_MainState.ToolbarCombo, g_Settings.DefaultFileType.c_str());
        for (const char* type : kFixedFileTypes)
            SendMessageA(g_MainState.ToolbarCombo, CB_INSERTSTRING, 0,
                         reinterpret_cast<LPARAM>(type));
        AddToolTip(hwnd, g_MainState.ToolbarCombo, "Default File Type");
    }

    RECT window;
    GetWindowRect(hwnd, &window);
    g_MainState.MinTrackSize = {window.right - window.left, window.bottom - window.top};
    GetClientRect(hwnd, &g_MainState.ClientRect);

    InitFindReplace();
    InitListColumns(g_MainState.FileList);
    g_ListViewProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_MainState.FileList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListViewSubclassProc)));

    if (FAILED(SHGetMalloc(&g_MainState.ShellMalloc))) {
        WarningBox(nullptr, "Out of memory!");
        ExitProcess(1);
    }
    SetFocus(hwnd);
    return true;
}

void SubclassToolbarComboEdit() {
    if (g_MainState.ComboEditSubclassed || !IsWindowVisible(g_App.MainWindow)) return;
    g_MainState.ComboEditSubclassed = true;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    HWND edit = nullptr;
    if (g_MainState.ToolbarCombo && GetComboBoxInfo(g_MainState.ToolbarCombo, &info))
        edit = info.hwndItem;
    if (edit)
        g_ComboEditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboEditSubclassProc)));
    if (!g_ComboEditProc) {
        WarningBox(nullptr, "Out of memory!");
        ExitProcess(1);
    }
}

void OnMainSize(HWND hwnd, int width, int height) {
    if (!g_App.MainWindow || !g_MainState.FileList) return;
    int dx = width - (g_MainState.ClientRect.right - g_MainState.ClientRect.left);
    int dy = height - (g_MainState.ClientRect.bottom - g_MainState.ClientRect.top);

    RECT list;
    GetWindowRect(g_MainState.FileList, &list);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&list), 2);
    SetWindowPos(g_MainState.FileList, nullptr, 0, 0, list.right - list.left + dx,
                 list.bottom - list.top + dy, SWP_NOMOVE | SWP_NOZORDER);

    RECT strip = {0, list.top, width, height};
    InvalidateRect(hwnd, &strip, TRUE);
    UpdateWindow(hwnd);

    SendMessageA(g_MainState.Toolbar, WM_SIZE, 0, MAKELPARAM(width, height));
    SendMessageA(g_MainState.StatusBar, WM_SIZE, 0, MAKELPARAM(width, height));
    SetStatusParts(g_MainState.StatusBar, hwnd, 3, kStatusWidths);
    GetClientRect(hwnd, &g_MainState.ClientRect);
}

HWND CreateMainToolbar(HWND parent) {
    static const TBBUTTON buttons[11] = {
        {0, IDM_FIND_FILES, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {1, IDM_OPEN_FILE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {2, IDM_BROWSE_DIR, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {3, IDM_COPY_LIST, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {4, IDM_DELETE_ITEM, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {5, IDM_CLEAR_LIST, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {6, IDM_SORT_LIST, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    // The platform reads the first size pair as the images' size and the
    // second as the buttons'.
    HWND toolbar =
        CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, IDC_MAIN_TOOLBAR,
                        TOOLBAR_IMAGE_COUNT, g_App.AppInstance, IDB_MAIN_TOOLBAR, buttons, 11,
                        TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT, 24, 22, sizeof(TBBUTTON));
    if (!toolbar) WarningBox(nullptr, "Unable to create toolbar!");
    return toolbar;
}

void ShowMainStatusPart(int part, const char* text) {
    SendMessageA(g_MainState.StatusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}
