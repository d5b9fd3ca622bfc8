#pragma once

#include <windows.h>

// Find Files (101), Find in Selected (261) and Find in Marked (262), from the
// main window's controls.
void StartSearch(HWND mainWindow, int command);

// True while a search walks the disk; commands that would change the File
// Info List or start another search are refused meanwhile.
bool SearchIsRunning();

// Stops the running search at its next test, keeping what it has found.
void AbortSearch();
