#include "search/search_win.h"

void StartSearch(HWND, int) {}
bool SearchIsRunning() {
    return false;
}
void AbortSearch() {}
