#pragma once

#include <windows.h>

// Tests answer the program's modal dialogs in the user's place: the hook is
// called at the end of each dialog's WM_INITDIALOG with the dialog and its
// template id, and may set controls and press buttons.
using DialogTestHook = void (*)(HWND dialog, int templateId);
void SetDialogTestHook(DialogTestHook hook);
void CallDialogTestHook(HWND dialog, int templateId);
