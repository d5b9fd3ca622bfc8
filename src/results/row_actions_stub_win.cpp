#include "results/file_list_win.h"

// Opening a row belongs to the file operations; until they arrive it does nothing.
void OpenFileFromList(int) {}
