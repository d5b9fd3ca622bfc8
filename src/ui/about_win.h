#pragma once

#include <windows.h>

// The modal About box; the main window's accelerators rest while it is open.
void ShowAboutBox(HWND owner);
