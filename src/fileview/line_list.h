#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileview/find_text.h"
#include "search/scan.h"

// The Line List: one LineView entry for every occurrence of the last search
// text in the file FileView shows, built by the scan's Line List mode.

// Where an entry's occurrence lies, kept whole: a jump to the entry must land
// on its own line and select its own match however long the file.
struct LineListEntry {
    uint32_t line = 0;    // line feeds before the line; the first line is 0
    uint32_t column = 0;  // bytes from the line's start to the occurrence
    uint32_t length = 0;  // bytes of the occurrence within its line
    bool operator==(const LineListEntry&) const = default;
};

constexpr uint32_t kLineListLimit = 1000;
constexpr size_t kLineListEntryChars = 250;

// The entry's text: " 00042: " and the whole line, or "*00042: ..." and the
// line from the occurrence on when the text before it does not fit; never
// longer than kLineListEntryChars.
std::string FormatLineListEntry(uint32_t line, std::string_view before, std::string_view fromMatch,
                                uint32_t matchLength);

// The pixel width LineView needs to show an entry whole.
int LineViewItemWidth(std::string_view entry, int tabLength, int charWidth);

// Where the built entries go: LineView on the screen, a recorder in tests.
class LineViewSink {
  public:
    virtual ~LineViewSink() = default;
    // Adds the entry at the end of LineView; false when LineView refused it
    // (the sink has said so), which stops the build.
    virtual bool AppendLineViewItem(const std::string& text, const LineListEntry& entry) = 0;
    // A WarningBox with the application title.
    virtual void LineListWarning(const std::string& text) = 0;
};

// The scan host of a Line List build. Entries() holds every added entry in
// LineView's order, so an item's index finds its whole position.
class LineListBuilder : public ScanHost {
  public:
    explicit LineListBuilder(LineViewSink& sink) : sink_(sink) {}

    void ScanWarning(const std::string& text) override { sink_.LineListWarning(text); }
    void NonTextFile(const std::string&) override {}
    // Line numbers must run on across the file's chunks.
    bool IsFileViewOpen() override { return true; }
    int AddLineListEntry(ScanState& scan, uint32_t position, uint32_t length) override;
    void MarkLine(const LineMark& mark) override { marks_.push_back(mark); }

    const std::vector<LineListEntry>& Entries() const { return entries_; }
    std::vector<LineListEntry> TakeEntries() { return std::move(entries_); }
    // Line starts met by the build, one a read, in the file's order.
    std::vector<LineMark> TakeMarks() { return std::move(marks_); }

  private:
    LineViewSink& sink_;
    std::vector<LineListEntry> entries_;
    std::vector<LineMark> marks_;
};

// Where a Context scan for the window from firstLine (counted from 1) starts
// reading: the last mark before that line, else the file's start.
LineMark ContextStartFor(const std::vector<LineMark>& marks, uint32_t firstLine);

// A jump in a whole file: the entry's match selected in EditView's text, cut
// at the text's end when the text has changed since the Line List was built.
void SelectEntryInText(EditBuffer& edit, const LineListEntry& entry);
