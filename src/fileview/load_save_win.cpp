#include "fileview/load_save_win.h"

// Saving is still to come; until then it fails.
bool SaveEditToFile(HWND, const char*) { return false; }
int AskSaveAsName(HWND, char*, char*) { return 0; }
