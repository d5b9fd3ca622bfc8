#include "search/report_win.h"

#include "help/help_win.h"
#include "resource_ids.h"
#include "search/report.h"
#include "ui/app_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"

namespace {

INT_PTR CALLBACK NonTextDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: {
            const auto& list = *reinterpret_cast<const NonTextList*>(lp);
            if (list.NonTextListFull)
                WarningBox(nullptr, "%s", NonTextLimitText(list.NonTextShowLimit).c_str());
            SetDlgItemInt(dialog, IDC_NONTEXT_COUNT, static_cast<UINT>(list.NonTextCount), FALSE);
            if (!list.NonTextNames.empty())
                SetDlgItemTextA(dialog, IDC_NONTEXT_LIST, list.NonTextNames.c_str());
            CallDialogTestHook(dialog, IDD_NONTEXT_FILES);
            return TRUE;
        }
        case WM_CONTEXTMENU: ShowDialogContextHelp(reinterpret_cast<HWND>(wp)); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wp));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

// Centred across the main window, just below its caption and menu bar.
void PlaceFindResults(HWND dialog, HWND owner) {
    RECT main = {};
    RECT own = {};
    GetWindowRect(owner, &main);
    GetWindowRect(dialog, &own);
    int width = own.right - own.left;
    int x = main.left + ((main.right - main.left) - width) / 2;
    int y = main.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU);
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK FindResultsDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: {
            const auto& fields = *reinterpret_cast<const FindResultsFields*>(lp);
            SetDlgItemTextA(dialog, IDC_RESULT_FOUND, fields.found.c_str());
            SetDlgItemTextA(dialog, IDC_RESULT_DIRS_SEARCHED, fields.searched.c_str());
            SetDlgItemTextA(dialog, IDC_RESULT_LEVEL, fields.level.c_str());
            SetDlgItemTextA(dialog, IDC_RESULT_TOTAL_SIZE, fields.totalSize.c_str());
            PlaceFindResults(dialog, GetWindow(dialog, GW_OWNER));
            CallDialogTestHook(dialog, IDD_FIND_RESULTS);
            return TRUE;
        }
        case WM_COMMAND:
            // Esc and the close box arrive as IDCANCEL; only OK ends the dialog.
            if (LOWORD(wp) == IDOK) EndDialog(dialog, IDOK);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void NonTextFilesDialog(HWND owner, const NonTextList& list) {
    DialogBoxParamA(g_App.AppInstance, MAKEINTRESOURCEA(IDD_NONTEXT_FILES), owner,
                    NonTextDialogProc, reinterpret_cast<LPARAM>(&list));
}

bool AskShowNonTextFiles(int32_t count) {
    return YesNoBox(nullptr, "%s", NonTextQuestionText(count).c_str()) != IDNO;
}

void FindResultsDialog(HWND owner, const SearchStats& stats) {
    FindResultsFields fields =
        FormatFindResults(stats.FilesFound, stats.DirectoriesWithFinds, stats.DirectoriesSearched,
                          stats.DeepestLevel, stats.TotalSize);
    DialogBoxParamA(g_App.AppInstance, MAKEINTRESOURCEA(IDD_FIND_RESULTS), owner,
                    FindResultsDialogProc, reinterpret_cast<LPARAM>(&fields));
}
