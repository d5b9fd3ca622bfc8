#include "app/option_dialogs_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/option_dialogs.h"
#include "help/help.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "search/file_filter.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"

namespace {

void SimpleBeep() {
    MessageBeep(0xFFFFFFFF);
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

INT_PTR OpenDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM parameter = 0) {
    return DialogBoxParamA(g_App.AppInstance, MAKEINTRESOURCEA(templateId), owner, procedure,
                           parameter);
}

// Sort Options.

void OnSortInit(HWND dialog) {
    CenterWindow(dialog, 0);
    // Mode 4 (a Time header click) has no button and shows none checked.
    if (g_Settings.SortMode >= 0 && g_Settings.SortMode <= 3)
        CheckRadioButton(dialog, IDC_SORT_NONE, IDC_SORT_DATE, IDC_SORT_NONE + g_Settings.SortMode);
    CheckDlgButton(dialog, IDC_SORT_ASCENDING, g_Settings.SortOrder ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SORT_ACROSS_DIRS, g_Settings.SortDir ? BST_CHECKED : BST_UNCHECKED);
    CallDialogTestHook(dialog, IDD_SORT_OPTIONS);
}

void OnSortOk(HWND dialog) {
    bool checked[4];
    for (int mode = 0; mode < 4; ++mode) checked[mode] = IsChecked(dialog, IDC_SORT_NONE + mode);
    SetSortOptions(SortModeFromButtons(checked, g_Settings.SortMode),
                   IsChecked(dialog, IDC_SORT_ASCENDING) ? 1 : 0,
                   IsChecked(dialog, IDC_SORT_ACROSS_DIRS) ? 1 : 0);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK SortOptionsProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: OnSortInit(dialog); return TRUE;
        case WM_CONTEXTMENU: ShowDialogContextHelp(reinterpret_cast<HWND>(wp)); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDOK: OnSortOk(dialog); return TRUE;
                case IDCANCEL: EndDialog(dialog, 0); return TRUE;
            }
            break;
    }
    return FALSE;
}

// Set File Filter. The excluded-files combo is the working copy of the list;
// the slots are rebuilt from it only on Close.

void OnFilterInit(HWND dialog) {
    HWND type = GetDlgItem(dialog, IDC_FILTER_FILE_TYPE);
    SendMessageA(type, CB_SETEXTENDEDUI, TRUE, 0);
    SendMessageA(type, CB_LIMITTEXT, 5, 0);
    if (g_Main.ToolbarCombo)
        for (std::string entry : ComboListEntries(g_Main.ToolbarCombo)) {
            if (entry.size() > kFilterTextMax) entry.resize(kFilterTextMax);
            SendMessageA(type, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
    SetWindowTextA(type, g_Settings.DefaultFileType.c_str());

    HWND excluded = GetDlgItem(dialog, IDC_FILTER_EXCLUDED);
    for (const std::string& pattern : ExcludedFilePatterns())
        SendMessageA(excluded, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern.c_str()));

    EnableWindow(GetDlgItem(dialog, IDC_FILTER_ADD), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_FILTER_DELETE), FALSE);
    CheckDlgButton(dialog, IDC_FILTER_ENABLE,
                   g_Settings.EnableExcludeFiles ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(type);
    CallDialogTestHook(dialog, IDD_FILE_FILTER);
}

void OnExcludedNotify(HWND dialog, HWND combo, int code) {
    bool chosen = SendMessageA(combo, CB_GETCURSEL, 0, 0) >= 0;
    if (code == CBN_SELCHANGE || (code == CBN_SETFOCUS && chosen))
        EnableWindow(GetDlgItem(dialog, IDC_FILTER_DELETE), TRUE);
    else if (code == CBN_EDITCHANGE)
        EnableWindow(GetDlgItem(dialog, IDC_FILTER_ADD), TRUE);
}

void OnFilterAdd(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_FILTER_EXCLUDED);
    std::string pattern = FieldText(combo, kFilterTextMax + 1);
    if (pattern.empty()) return SimpleBeep();
    AddToHistory(combo, kExcludedFilesMax, pattern.c_str());
}

void OnFilterDelete(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_FILTER_EXCLUDED);
    int chosen = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    if (chosen < 0) return;
    SendMessageA(combo, CB_DELETESTRING, chosen, 0);
    int remaining = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    int next = ChosenAfterDelete(remaining, chosen);
    SendMessageA(combo, CB_SETCURSEL, next, 0);
    // With nothing left to choose, Delete has nothing to act on.
    if (next < 0) {
        HWND button = GetDlgItem(dialog, IDC_FILTER_DELETE);
        if (GetFocus() == button) SetFocus(combo);
        EnableWindow(button, FALSE);
    }
}

void OnFilterClose(HWND dialog) {
    std::string typed = FieldText(GetDlgItem(dialog, IDC_FILTER_FILE_TYPE), kFilterTextMax + 1);
    int result = 0;
    switch (CheckNewFileType(g_Settings.DefaultFileType, typed)) {
        case FileTypeChange::Unchanged: break;
        case FileTypeChange::Invalid:
            RefuseFileType(GetDlgItem(dialog, IDC_FILTER_FILE_TYPE));
            return;
        case FileTypeChange::Changed:
            SetDefaultFileType(typed);
            result = 1;
            break;
    }
    SetExcludedFilePatterns(
        ExcludedFilesFromList(ComboListEntries(GetDlgItem(dialog, IDC_FILTER_EXCLUDED))));
    SetExcludeFilesEnabled(IsChecked(dialog, IDC_FILTER_ENABLE));
    EndDialog(dialog, result);
}

INT_PTR CALLBACK FileFilterProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: OnFilterInit(dialog); return FALSE;  // the focus is set
        case WM_CONTEXTMENU: ShowDialogContextHelp(reinterpret_cast<HWND>(wp)); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_FILTER_EXCLUDED:
                    OnExcludedNotify(dialog, reinterpret_cast<HWND>(lp), HIWORD(wp));
                    return TRUE;
                case IDC_FILTER_ADD: OnFilterAdd(dialog); return TRUE;
                case IDC_FILTER_DELETE: OnFilterDelete(dialog); return TRUE;
                case IDC_FILTER_ENABLE:
                    // Takes effect at once; Cancel leaves it.
                    SetExcludeFilesEnabled(IsChecked(dialog, IDC_FILTER_ENABLE));
                    return TRUE;
                case IDOK: OnFilterClose(dialog); return TRUE;
                case IDCANCEL: EndDialog(dialog, 0); return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

void RefuseFileType(HWND field) {
    SimpleBeep();
    char text[kMessageTextSize];
    LoadStringA(g_App.AppInstance, IDS_FILE_TYPE_ERROR, text, sizeof text);
    WarningBox(nullptr, "%s", text);
    SetFocus(field);
}

int ShowSortOptionsDialog(HWND owner) {
    OpenDialog(owner, IDD_SORT_OPTIONS, SortOptionsProc);
    return 0;
}

int ShowFileFilterDialog(HWND owner) {
    return OpenDialog(owner, IDD_FILE_FILTER, FileFilterProc) == 1 ? 1 : 0;
}
