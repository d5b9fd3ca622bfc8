#include "fileview/find_state.h"

#include <utility>

namespace {
FindReplaceState g_State;
}  // namespace

const FindReplaceState& g_FindReplace = g_State;

bool InitFindReplace(const std::string& searchText) {
    if (searchText.size() <= 1023) g_State.FindString = searchText;
    g_State.Down = true;
    g_State.MatchCase = false;
    g_State.WholeWord = false;
    g_State.FindHistory.clear();
    g_State.ReplaceHistory.clear();
    return true;
}

void FreeFindReplace() {
    g_State.FindHistory.clear();
    g_State.FindHistory.shrink_to_fit();
    g_State.ReplaceHistory.clear();
    g_State.ReplaceHistory.shrink_to_fit();
}

void SetFindString(std::string text) {
    g_State.FindString = std::move(text);
}

void SetReplaceString(std::string text) {
    g_State.ReplaceString = std::move(text);
}

void SetFindButtons(bool down, bool matchCase, bool wholeWord) {
    g_State.Down = down;
    g_State.MatchCase = matchCase;
    g_State.WholeWord = wholeWord;
}

void SetFindRegular(bool regular) {
    g_State.Regular = regular;
}

void SetFindHistory(std::vector<std::string> history) {
    g_State.FindHistory = std::move(history);
}

void SetReplaceHistory(std::vector<std::string> history) {
    g_State.ReplaceHistory = std::move(history);
}
