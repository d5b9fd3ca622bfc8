#pragma once

#include <windows.h>

#include <cstdint>

#include "search/search_driver.h"

// Find Files (101), Find in Selected (261) and Find in Marked (262), from the
// main window's controls.
void StartSearch(HWND mainWindow, int command);

// Stops the running search at its next test, keeping what it has found;
// it ends without its reports, as for a window about to close.
void AbortSearch();

// Beeps and returns true when a search runs and `command` would disturb it.
bool RefuseDuringSearch(int command);
// Tests count the refusals' beeps; nullptr restores the system's beep.
using RefusalBeepHook = void (*)(int command);
void SetRefusalBeepHook(RefusalBeepHook hook);

// While a search runs the wait cursor stays over the windows: true when it
// was put up (the caller's WM_SETCURSOR is then handled).
bool KeepSearchCursor();

// The Sub-Directory Level dialog, preset with a mode (0 None, 1 All, 2 Level)
// and a level: the walk depth chosen, or -1 when cancelled.
// useForRest, when given, tells whether "for rest of search" was ticked.
int32_t SubDirLevelDialog(HWND owner, int subDirMode, uint32_t subDirLevel,
                          bool* useForRest = nullptr);
