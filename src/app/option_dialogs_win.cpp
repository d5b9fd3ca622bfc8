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
#include "ui/message_box_win.h"
#include "ui/modal_dialog_win.h"

namespace {

// Sort Options.

class SortOptionsDialog : public HelpedDialog {
    bool OnInit() override {
        CenterWindow(Dialog(), 0);
        // Mode 4 (a Time header click) has no button and shows none checked.
        if (g_Settings.SortMode >= 0 && g_Settings.SortMode <= 3)
            CheckRadioButton(Dialog(), IDC_SORT_NONE, IDC_SORT_DATE,
                             IDC_SORT_NONE + g_Settings.SortMode);
        CheckDlgButton(Dialog(), IDC_SORT_ASCENDING,
                       g_Settings.SortOrder ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Dialog(), IDC_SORT_ACROSS_DIRS,
                       g_Settings.SortDir ? BST_CHECKED : BST_UNCHECKED);
        return true;
    }
    void OnOk() override {
        bool checked[4];
        for (int mode = 0; mode < 4; ++mode) checked[mode] = Checked(IDC_SORT_NONE + mode);
        SetSortOptions(SortModeFromButtons(checked, g_Settings.SortMode),
                       Checked(IDC_SORT_ASCENDING) ? 1 : 0, Checked(IDC_SORT_ACROSS_DIRS) ? 1 : 0);
        End(0);
    }
    void OnCancel() override { End(0); }
};

// Set File Filter. The excluded-files combo is the working copy of the list;
// the slots are rebuilt from it only on Close.
class FileFilterDialog : public HelpedDialog {
    bool OnInit() override {
        HWND type = Item(IDC_FILTER_FILE_TYPE);
        SendMessageA(type, CB_SETEXTENDEDUI, TRUE, 0);
        SendMessageA(type, CB_LIMITTEXT, 5, 0);
        if (g_Main.ToolbarCombo)
            for (std::string entry : ComboListEntries(g_Main.ToolbarCombo)) {
                if (entry.size() > kFilterTextMax) entry.resize(kFilterTextMax);
                SendMessageA(type, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
            }
        SetWindowTextA(type, g_Settings.DefaultFileType.c_str());
        for (const std::string& pattern : ExcludedFilePatterns())
            SendMessageA(Item(IDC_FILTER_EXCLUDED), CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(pattern.c_str()));
        EnableWindow(Item(IDC_FILTER_ADD), FALSE);
        EnableWindow(Item(IDC_FILTER_DELETE), FALSE);
        CheckDlgButton(Dialog(), IDC_FILTER_ENABLE,
                       g_Settings.EnableExcludeFiles ? BST_CHECKED : BST_UNCHECKED);
        SetFocus(type);
        return false;
    }

    bool OnCommand(int id, int code, HWND control) override {
        switch (id) {
            case IDC_FILTER_EXCLUDED: OnExcludedNotify(control, code); return true;
            case IDC_FILTER_ADD: OnAdd(); return true;
            case IDC_FILTER_DELETE: OnDelete(); return true;
            case IDC_FILTER_ENABLE:
                // Takes effect at once; Cancel leaves it.
                SetExcludeFilesEnabled(Checked(IDC_FILTER_ENABLE));
                return true;
        }
        return false;
    }

    void OnExcludedNotify(HWND combo, int code) {
        bool chosen = SendMessageA(combo, CB_GETCURSEL, 0, 0) >= 0;
        if (code == CBN_SELCHANGE || (code == CBN_SETFOCUS && chosen))
            EnableWindow(Item(IDC_FILTER_DELETE), TRUE);
        else if (code == CBN_EDITCHANGE)
            EnableWindow(Item(IDC_FILTER_ADD), TRUE);
    }

    void OnAdd() {
        HWND combo = Item(IDC_FILTER_EXCLUDED);
        std::string pattern = FieldText(combo, kFilterTextMax + 1);
        if (pattern.empty()) return SimpleBeep();
        AddToHistory(combo, kExcludedFilesMax, pattern.c_str());
    }

    void OnDelete() {
        HWND combo = Item(IDC_FILTER_EXCLUDED);
        int chosen = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
        if (chosen < 0) return;
        SendMessageA(combo, CB_DELETESTRING, chosen, 0);
        int remaining = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        int next = ChosenAfterDelete(remaining, chosen);
        SendMessageA(combo, CB_SETCURSEL, next, 0);
        // With nothing left to choose, Delete has nothing to act on.
        if (next < 0) {
            HWND button = Item(IDC_FILTER_DELETE);
            if (GetFocus() == button) SetFocus(combo);
            EnableWindow(button, FALSE);
        }
    }

    void OnOk() override {
        std::string typed = FieldText(Item(IDC_FILTER_FILE_TYPE), kFilterTextMax + 1);
        int result = 0;
        switch (CheckNewFileType(g_Settings.DefaultFileType, typed)) {
            case FileTypeChange::Unchanged: break;
            case FileTypeChange::Invalid: return RefuseFileType(Item(IDC_FILTER_FILE_TYPE));
            case FileTypeChange::Changed:
                SetDefaultFileType(typed);
                result = 1;
                break;
        }
        SetExcludedFilePatterns(ExcludedFilesFromList(ComboListEntries(Item(IDC_FILTER_EXCLUDED))));
        SetExcludeFilesEnabled(Checked(IDC_FILTER_ENABLE));
        End(result);
    }
    void OnCancel() override { End(0); }
};

}  // namespace

void RefuseFileType(HWND field) {
    SimpleBeep();
    char text[kMessageTextSize];
    LoadStringA(g_App.AppInstance, IDS_FILE_TYPE_ERROR, text, sizeof text);
    WarningBox(nullptr, "%s", text);
    SetFocus(field);
}

int ShowSortOptionsDialog(HWND owner) {
    SortOptionsDialog().Run(owner, IDD_SORT_OPTIONS);
    return 0;
}

int ShowFileFilterDialog(HWND owner) {
    return FileFilterDialog().Run(owner, IDD_FILE_FILTER) == 1 ? 1 : 0;
}
