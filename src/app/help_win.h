#pragma once

#include <windows.h>

// The help engine: topics of Quarry32.hlp in a small help window.
BOOL QuarryHelp(HWND caller, const char* helpFilePath, UINT command, ULONG_PTR data);
