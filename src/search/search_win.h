#pragma once

#include <windows.h>

#include <cstdint>

// Find Files (101), Find in Selected (261) and Find in Marked (262), from the
// main window's controls.
void StartSearch(HWND mainWindow, int command);

// True from the start of one of the three commands to its end; commands that
// would change the File Info List or start another search are refused meanwhile.
bool SearchIsRunning();

// Stops the running search at its next test, keeping what it has found.
void AbortSearch();

// The Sub-Directory Level dialog, preset with a mode (0 None, 1 All, 2 Level)
// and a level: the walk depth chosen, or -1 when cancelled.
int32_t SubDirLevelDialog(HWND owner, int subDirMode, uint32_t subDirLevel);

// Tests answer the search's modal dialogs in the user's place: the hook is
// called at the end of each dialog's WM_INITDIALOG with the dialog and its
// template id, and may set controls and press buttons.
using DialogTestHook = void (*)(HWND dialog, int templateId);
void SetDialogTestHook(DialogTestHook hook);
void CallDialogTestHook(HWND dialog, int templateId);

// A right click in one of the search's dialogs offers the control's help.
void ShowDialogContextHelp(HWND clicked);
