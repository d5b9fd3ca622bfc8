#include "fileview/edit_commands.h"

#include <algorithm>

std::string SelectionTextOf(std::string_view text, size_t start, size_t end) {
    if (start > end) std::swap(start, end);
    start = std::min(start, text.size());
    end = std::min(end, text.size());
    return std::string(text.substr(start, end - start));
}

void ChangeCase(std::string& text, CaseChange change) {
    const bool upper = change != CaseChange::Lower;
    const bool lower = change != CaseChange::Upper;
    for (char& c : text) {
        if (c >= 'a' && c <= 'z' && upper)
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z' && lower)
            c = static_cast<char>(c - 'A' + 'a');
    }
}

void ChangeCaseOfSelection(EditBuffer& edit, CaseChange change) {
    uint32_t start = 0, end = 0;
    edit.GetSelection(start, end);
    if (start == end) return;
    std::string copy = SelectionTextOf(edit.Text(), start, end);
    if (copy.empty()) return;
    ChangeCase(copy, change);
    edit.ReplaceSelectionWith(copy);
    edit.SetSelection(start, end);
}

bool TypedCharacterOverwrites(bool insertMode, bool controlDown, char typed, int caret,
                              int lineEnd) {
    if (insertMode || controlDown || typed == '\b' || typed == '\r') return false;
    return caret < lineEnd;
}

std::string LineViewClipboardText(const std::vector<std::string>& lines) {
    size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) text.append(line).append("\r\n");
    return text;
}

bool SwapEditControl(bool wrapLines, EditSwapHost& host) {
    const EditContent content = host.Take(wrapLines);
    const bool next = !wrapLines;
    host.Arrange(next);
    if (!host.Put(next, content)) {
        // The text stays where it is rather than half of it in the new control.
        host.Clear(next);
        host.Arrange(wrapLines);
        return wrapLines;
    }
    host.Clear(wrapLines);
    host.CheckWrapItem(next);
    return next;
}
