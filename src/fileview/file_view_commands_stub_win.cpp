#include "fileview/file_view_commands_win.h"

// These commands reach FileView already; what they do is still to come.
void OnFileViewFindCommand(HWND, int) {}
void OnFileViewFindMessage(HWND, LPARAM) {}
