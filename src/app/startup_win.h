#pragma once

#include <windows.h>

// Start-up: the window classes, then the settings and help files, then the
// main window.
bool InitApplication(HINSTANCE instance);
bool InitInstance(HINSTANCE instance, int showState);
