#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The control helpers' decisions that need no window: tested natively,
// applied by controls_win.

// The entries a combo's history list keeps.
constexpr size_t kHistoryLimit = 8;

// Where AddToHistory finds and drops entries, for a combo list `entries`
// (top first) receiving `text` with at most `limit` entries. Returns false
// when `text` is already the top entry (nothing changes at all).
struct HistoryEdit {
    int removeAt = -1;  // entry to delete first, or -1
};
bool PlanHistoryInsert(const std::vector<std::string>& entries, const std::string& text,
                       size_t limit, HistoryEdit& edit);

// Right edges of the status bar's parts: the last ends 2 characters before
// the client's right edge, each earlier one widths[i + 1] characters further
// left; widths[0] is unused (part 0 takes what is left).
std::vector<int> StatusPartEdges(int clientWidth, int charWidth, const std::vector<int>& widths);

// How many further copies of a separator of `separatorWidth` pixels make room
// for a combo of `chars` characters, and the combo's width.
struct ToolbarComboSpace {
    int extraSeparators;
    int comboWidth;
};
ToolbarComboSpace PlanToolbarCombo(int separatorWidth, int chars, int charWidth);
