#include "fileview/find_state.h"

FindReplaceState g_FindReplace;

bool InitFindReplace(const std::string& searchText) {
    if (searchText.size() <= 1023) g_FindReplace.FindString = searchText;
    g_FindReplace.Down = true;
    g_FindReplace.MatchCase = false;
    g_FindReplace.WholeWord = false;
    g_FindReplace.FindHistory.clear();
    g_FindReplace.ReplaceHistory.clear();
    return true;
}

void FreeFindReplace() {
    g_FindReplace.FindHistory.clear();
    g_FindReplace.FindHistory.shrink_to_fit();
    g_FindReplace.ReplaceHistory.clear();
    g_FindReplace.ReplaceHistory.shrink_to_fit();
}
