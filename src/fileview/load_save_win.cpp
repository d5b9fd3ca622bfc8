#include "fileview/load_save_win.h"

// Loading and saving are still to come; until then both fail.
bool LoadFileIntoEdit(HWND, const char*, uint64_t) { return false; }
bool SaveEditToFile(HWND, const char*) { return false; }
int AskSaveAsName(HWND, char*, char*) { return 0; }
