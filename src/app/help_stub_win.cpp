#include "app/help_win.h"

BOOL QuarryHelp(HWND, const char*, UINT, ULONG_PTR) {
    return TRUE;
}
