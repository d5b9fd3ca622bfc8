#pragma once

#include <string>
#include <vector>

// FileView's find and replace texts, their histories and the last find flags;
// set up while the main window is built and released at exit.
struct FindReplaceState {
    std::string FindString;
    std::string ReplaceString;
    bool Down = true;
    bool MatchCase = false;
    bool WholeWord = false;
    bool Regular = false;
    std::vector<std::string> FindHistory;
    std::vector<std::string> ReplaceHistory;
};
extern FindReplaceState g_FindReplace;

// Seeds the find text from the last search text (empty at start-up).
bool InitFindReplace(const std::string& searchText = {});
void FreeFindReplace();
