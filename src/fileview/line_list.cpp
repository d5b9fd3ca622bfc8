#include "fileview/line_list.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "fileview/text_model.h"

std::string FormatLineListEntry(uint32_t line, std::string_view before, std::string_view fromMatch,
                                uint32_t matchLength) {
    char number[16];
    std::snprintf(number, sizeof number, " %05u: ", static_cast<unsigned>(line));
    std::string entry = number;
    if (entry.size() + before.size() + matchLength < kLineListEntryChars) {
        entry += before;
    } else {
        entry[0] = '*';
        entry += "...";
    }
    const size_t room = kLineListEntryChars > entry.size() ? kLineListEntryChars - entry.size() : 0;
    entry += fromMatch.substr(0, room);
    return entry;
}

int LineViewItemWidth(std::string_view entry, int tabLength, int charWidth) {
    return static_cast<int>(ExpandTabsWidth(entry, entry.size(), tabLength) + 1) * charWidth;
}

int LineListBuilder::AddLineListEntry(ScanState& scan, uint32_t position, uint32_t length) {
    if (entries_.size() >= kLineListLimit) {
        sink_.LineListWarning("Line List full!");
        return 0;
    }
    const char* buffer = scan.PrimaryBuffer;
    scan.LineStart = AdvanceLineNumber(scan, scan.LineStart, position);
    // An occurrence that starts with the line feed before its line (a Regular
    // "^") is taken as starting at the line's own start.
    uint32_t lineStart = scan.LineStart;
    if (buffer[position] == '\n') {
        lineStart = position + 1;
        position += 1;
        length = length > 0 ? length - 1 : 0;
    }
    const uint32_t column = position - lineStart;

    // The line ends before its line feed, or before the carriage return that
    // precedes it; the chunk always ends in a line feed.
    const char* from = buffer + position;
    const char* lineFeed = static_cast<const char*>(std::strchr(from, '\n'));
    size_t lineRest = lineFeed ? static_cast<size_t>(lineFeed - from) : std::strlen(from);
    if (lineRest > 0 && from[lineRest - 1] == '\r') lineRest -= 1;
    if (length > lineRest) length = static_cast<uint32_t>(lineRest);

    const LineListEntry entry{scan.CurrentLineNumber, column, length};
    const std::string text = FormatLineListEntry(
        entry.line, std::string_view(buffer + lineStart, column), std::string_view(from, lineRest),
        length);
    if (!sink_.AppendLineViewItem(text, entry)) return 0;
    entries_.push_back(entry);
    scan.LineListCount = static_cast<uint32_t>(entries_.size());
    return 1;
}

LineMark ContextStartFor(const std::vector<LineMark>& marks, uint32_t firstLine) {
    const auto after = std::partition_point(
        marks.begin(), marks.end(), [&](const LineMark& mark) { return mark.line < firstLine; });
    return after == marks.begin() ? LineMark{} : *(after - 1);
}

void SelectEntryInText(EditBuffer& edit, const LineListEntry& entry) {
    const std::string text = edit.Text();
    const size_t start = std::min(LineStartOffset(text, entry.line) + entry.column, text.size());
    const size_t end = std::min(start + entry.length, text.size());
    edit.SetSelection(static_cast<uint32_t>(start), static_cast<uint32_t>(end));
}
