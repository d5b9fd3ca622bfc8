#include "fileview/load_save_win.h"

// Loading is still to come; until then it fails.
bool LoadFileIntoEdit(HWND, const char*, uint64_t) { return false; }
