#include "ui/dialog_test_hook_win.h"

namespace {

DialogTestHook g_DialogTestHook = nullptr;

}  // namespace

void SetDialogTestHook(DialogTestHook hook) {
    g_DialogTestHook = hook;
}

void CallDialogTestHook(HWND dialog, int templateId) {
    if (g_DialogTestHook) g_DialogTestHook(dialog, templateId);
}
