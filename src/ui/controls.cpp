#include "ui/controls.h"

#include "ui/text.h"

bool PlanHistoryInsert(const std::vector<std::string>& entries, const std::string& text,
                       size_t limit, HistoryEdit& edit) {
    edit = {};
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!SameTextIgnoringCase(entries[i], text)) continue;
        if (i == 0) return false;
        edit.removeAt = static_cast<int>(i);
        return true;
    }
    // A list already longer than the limit is not shortened.
    if (entries.size() == limit && limit > 0) edit.removeAt = static_cast<int>(limit - 1);
    return true;
}

std::vector<int> StatusPartEdges(int clientWidth, int charWidth, const std::vector<int>& widths) {
    std::vector<int> edges(widths.size());
    if (widths.empty()) return edges;
    int right = clientWidth - 2 * charWidth;
    for (size_t i = widths.size(); i-- > 0;) {
        edges[i] = right;
        right -= widths[i] * charWidth;
    }
    return edges;
}

ToolbarComboSpace PlanToolbarCombo(int separatorWidth, int chars, int charWidth) {
    if (separatorWidth <= 0) return {0, 0};
    int copies = ((chars + 2) * charWidth - 1) / separatorWidth;
    return {copies + 1, separatorWidth * copies};
}
