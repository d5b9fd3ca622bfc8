#include "fileview/view_options_win.h"

#include <commctrl.h>

#include <string>

#include "fileview/view_options.h"
#include "help/help.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"

namespace {

constexpr char kContextSizeError[] = "Error in value(must be less than 1024).";

void SimpleBeep() {
    MessageBeep(0xFFFFFFFF);
}

INT_PTR OpenDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM parameter) {
    return DialogBoxParamA(AppInstanceHandle(), MAKEINTRESOURCEA(templateId), owner, procedure,
                           parameter);
}

// Tabs.

INT_PTR CALLBACK TabsProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            SetDlgItemInt(dialog, IDC_TAB_LENGTH, static_cast<UINT>(lp), FALSE);
            CallDialogTestHook(dialog, IDD_TABS);
            return TRUE;
        case WM_CONTEXTMENU:
            ShowDialogContextHelp(reinterpret_cast<HWND>(wp), kFileViewHelpIds);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDOK: {
                    uint16_t length = 0;
                    if (!ReadTabLength(FieldText(GetDlgItem(dialog, IDC_TAB_LENGTH), 32), length)) {
                        SimpleBeep();
                        FocusField(dialog, IDC_TAB_LENGTH);
                        return TRUE;
                    }
                    EndDialog(dialog, length);
                    return TRUE;
                }
                case IDCANCEL: EndDialog(dialog, 0); return TRUE;
            }
            break;
    }
    return FALSE;
}

// Set Context Size. Both fields are checked before either value is taken, so
// a refused field leaves nothing half changed.

struct ContextSizes {
    int above;
    int below;
};

void OnContextInit(HWND dialog, ContextSizes* sizes) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(sizes));
    CenterWindow(dialog, 0);
    for (int field : {IDC_CONTEXT_ABOVE, IDC_CONTEXT_BELOW}) {
        HWND spin = GetWindow(GetDlgItem(dialog, field), GW_HWNDNEXT);
        SendMessageA(spin, UDM_SETRANGE32, 0, kContextLinesLimit - 1);
        int value = field == IDC_CONTEXT_ABOVE ? sizes->above : sizes->below;
        SendMessageA(spin, UDM_SETPOS32, 0, value);
        SetDlgItemInt(dialog, field, static_cast<UINT>(value), FALSE);
    }
    CallDialogTestHook(dialog, IDD_CONTEXT_SIZE);
}

void OnContextOk(HWND dialog, ContextSizes& sizes) {
    ContextSizes typed{};
    for (int field : {IDC_CONTEXT_ABOVE, IDC_CONTEXT_BELOW}) {
        int& value = field == IDC_CONTEXT_ABOVE ? typed.above : typed.below;
        if (!ReadContextLines(FieldText(GetDlgItem(dialog, field), 32), value)) {
            SimpleBeep();
            WarningBox(nullptr, kContextSizeError);
            FocusField(dialog, field);
            return;
        }
    }
    sizes = typed;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK ContextSizeProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* sizes = reinterpret_cast<ContextSizes*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: OnContextInit(dialog, reinterpret_cast<ContextSizes*>(lp)); return TRUE;
        case WM_CONTEXTMENU:
            ShowDialogContextHelp(reinterpret_cast<HWND>(wp), kFileViewHelpIds);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDOK: OnContextOk(dialog, *sizes); return TRUE;
                case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

int ShowTabsDialog(HWND owner, int tabLength) {
    INT_PTR result = OpenDialog(owner, IDD_TABS, TabsProc, tabLength);
    return result > 0 ? static_cast<int>(result) : 0;
}

bool ShowContextSizeDialog(HWND owner, int& above, int& below) {
    ContextSizes sizes{above, below};
    if (OpenDialog(owner, IDD_CONTEXT_SIZE, ContextSizeProc, reinterpret_cast<LPARAM>(&sizes)) !=
        IDOK)
        return false;
    above = sizes.above;
    below = sizes.below;
    return true;
}
