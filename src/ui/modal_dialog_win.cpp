#include "ui/modal_dialog_win.h"

#include "ui/app_win.h"
#include "ui/dialog_test_hook_win.h"

INT_PTR ModalDialog::Run(HWND owner, int templateId) {
    templateId_ = templateId;
    return DialogBoxParamA(AppInstanceHandle(), MAKEINTRESOURCEA(templateId), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lp);
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        self->dialog_ = dialog;
        const bool defaultFocus = self->OnInit();
        CallDialogTestHook(dialog, self->templateId_);
        return defaultFocus;
    }
    // Messages sent before WM_INITDIALOG find no object yet.
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
        case WM_CONTEXTMENU: return self->OnContextMenu(reinterpret_cast<HWND>(wp));
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDOK: self->OnOk(); return TRUE;
                case IDCANCEL: self->OnCancel(); return TRUE;
            }
            return self->OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
    }
    return FALSE;
}
