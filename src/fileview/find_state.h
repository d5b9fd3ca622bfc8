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
// Read anywhere; changed only through the functions below.
extern const FindReplaceState& g_FindReplace;

void SetFindString(std::string text);
void SetReplaceString(std::string text);
// The Find box's direction and case buttons as the user last left them.
void SetFindButtons(bool down, bool matchCase, bool wholeWord);
void SetFindRegular(bool regular);
void SetFindHistory(std::vector<std::string> history);
void SetReplaceHistory(std::vector<std::string> history);

// Seeds the find text from the last search text (empty at start-up).
bool InitFindReplace(const std::string& searchText = {});
void FreeFindReplace();
