#include "fileview/line_list.h"

#include <gtest/gtest.h>

#include "core_test_support.h"
#include "fileview/text_model.h"
#include "ui/text_options.h"

namespace {

using V = std::vector<std::string>;

// One file in memory, scanned in Line List mode into a recording LineView.
class LineListScan : public MemoryFiles, public LineViewSink {
  public:
    std::string file;
    V texts, warnings;
    std::vector<LineListEntry> appended, entries;
    size_t refuseAt = SIZE_MAX;  // LineView refuses this entry
    uint32_t lines = 0;

    uint32_t Run(const char* searchText, uint8_t options = kTextCase) {
        files["c:\\f.txt"] = file;
        LineListBuilder builder(*this);
        ScanState scan;
        scan.Mode = ScanMode::LineList;
        const uint32_t found = ScanFile(scan, *this, builder, "c:\\f.txt", searchText, options);
        entries = builder.Entries();
        lines = scan.CurrentLineNumber;
        return found;
    }
    bool AppendLineViewItem(const std::string& text, const LineListEntry& entry) override {
        if (appended.size() == refuseAt) return false;
        texts.push_back(text);
        appended.push_back(entry);
        return true;
    }
    void LineListWarning(const std::string& text) override { warnings.push_back(text); }
};

std::string Repeat(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

TEST(LineList, EntriesShowTheLineAndKeepTheirWholePosition) {
    const std::string longLine = std::string(300, 'a') + "HIT" + std::string(300, 'b');
    // clang-format off
    const uint8_t C = kTextCase, R = kTextCase | kTextRegular;
    const struct { std::string file; const char* text; uint8_t options; V texts; std::vector<LineListEntry> entries; } cases[] = {
        {"abc\nxyz\n", "b", C, {" 00000: abc"}, {{0, 1, 1}}},  // the first line is 00000
        {"x\ncat cat\n", "cat", C, {" 00001: cat cat", " 00001: cat cat"}, {{1, 0, 3}, {1, 4, 3}}},
        {"one\r\ntwo\r\n", "tw", C, {" 00001: two"}, {{1, 0, 2}}},  // CR LF not shown
        {"a\nlast", "as", C, {" 00001: last"}, {{1, 1, 2}}},  // no line feed at the end
        {"Big BIG\n", "big", 0, {" 00000: Big BIG", " 00000: Big BIG"}, {{0, 0, 3}, {0, 4, 3}}},
        {longLine + "\n", "HIT", C, {"*00000: ..." + longLine.substr(300, 239)}, {{0, 300, 3}}},
        {"ab\ncd\n", "^cd", R, {" 00001: cd"}, {{1, 0, 2}}}, {"cd\n", "^cd", R, {" 00000: cd"}, {{0, 0, 2}}},
        // ^ alone: one entry a line, none past the last.
        {"ab\ncd", "^", R, {" 00000: ab", " 00001: cd"}, {{0, 0, 0}, {1, 0, 0}}},
    };
    // clang-format on
    for (const auto& c : cases) {
        LineListScan scan;
        scan.file = c.file;
        EXPECT_EQ(scan.Run(c.text, c.options), c.entries.size()) << c.text;
        EXPECT_EQ(std::pair(scan.texts, scan.entries), std::pair(c.texts, c.entries)) << c.text;
    }
}

// Line 70,000 of a long log and a match 300 columns in keep their numbers:
// nothing wraps at 16 or 8 bits.
TEST(LineList, LargeLineNumbersColumnsAndLengthsStayWhole) {
    LineListScan scan;
    scan.file = Repeat("x\n", 70000) + std::string(300, ' ') + std::string(260, 'Q') + "\n";
    EXPECT_EQ(scan.Run(std::string(260, 'Q').c_str()), 1u);
    ASSERT_EQ(scan.entries.size(), 1u);
    EXPECT_EQ(scan.entries[0], (LineListEntry{70000, 300, 260}));
    EXPECT_EQ(scan.texts[0].substr(0, 11), "*70000: ...");
    EXPECT_EQ(scan.lines, 70001u);
}

// The line feed where a chunk is cut starts the next chunk's first line:
// that line is listed once, not also as an empty entry of the chunk before.
TEST(LineList, CaretListsEachLineOnceAcrossChunks) {
    LineListScan scan;
    scan.file = Repeat(std::string(99, 'x') + "\n", 700) + "end";
    EXPECT_EQ(scan.Run("^", kTextCase | kTextRegular), 701u);
    ASSERT_EQ(scan.entries.size(), 701u);
    for (uint32_t i = 0; i <= 700; ++i) EXPECT_EQ(scan.entries[i].line, i);
}

TEST(LineList, StopsAtTheLimitOrWhenLineViewRefuses) {
    LineListScan full;
    full.file = Repeat("hit\n", 1001);
    EXPECT_EQ(full.Run("hit"), 1001u);  // the refused one was found, not listed
    EXPECT_EQ(std::pair(full.entries.size(), full.entries.back().line), std::pair(size_t{1000}, 999u));
    EXPECT_EQ(full.warnings, V{"Line List full!"});

    LineListScan refused;
    refused.file = Repeat("hit\n", 10);
    refused.refuseAt = 3;
    refused.Run("hit");
    EXPECT_EQ(refused.entries.size(), 3u);  // the refused entry is not kept
    EXPECT_TRUE(refused.warnings.empty());
}

TEST(LineList, EntryFormsAndWidths) {
    // The text before the occurrence is shown while the entry stays below 250.
    EXPECT_EQ(FormatLineListEntry(7, std::string(200, 'a'), "xyz", 3).substr(0, 9), " 00007: a");
    EXPECT_EQ(FormatLineListEntry(7, std::string(239, 'a'), "xyz", 3).substr(0, 11), "*00007: ...");
    EXPECT_EQ(FormatLineListEntry(123456, "", "x", 1), " 123456: x");
    EXPECT_EQ(FormatLineListEntry(1, "", std::string(400, 'z'), 1).size(), 250u);
    // One character more than the tab-expanded entry, in pixels.
    EXPECT_EQ(LineViewItemWidth("ab\tc", 4, 6), (5 + 1) * 6);
}

// A jump selects the entry's match, cut at the end of a text that has
// shrunk since the Line List was built.
TEST(LineList, AJumpInAWholeTextSelectsTheMatch) {
    // clang-format off
    const struct { LineListEntry entry; uint32_t start, end; } cases[] = {
        {{1, 2, 3}, 5, 8}, {{0, 0, 2}, 0, 2}, {{2, 4, 9}, 14, 15}, {{9, 0, 3}, 15, 15}};
    // clang-format on
    for (const auto& c : cases) {
        FakeEdit edit("ab\ncdcat\r\nxxxyz", 1, 1);
        SelectEntryInText(edit, c.entry);
        EXPECT_EQ(std::pair(edit.selStart, edit.selEnd), std::pair(c.start, c.end)) << c.entry.line;
    }
}

TEST(TextModel, LineStartsAndTabWidths) {
    const std::string text = "ab\ncd\r\n\nlast";
    // clang-format off
    const struct { uint64_t n; size_t offset; } starts[] = {{0, 0}, {1, 3}, {2, 7}, {3, 8}, {4, 12}, {70000, 12}};
    // clang-format on
    for (const auto& s : starts) EXPECT_EQ(LineStartOffset(text, s.n), s.offset) << s.n;

    // clang-format off
    const struct { const char* text; size_t count; int tab; uint32_t width; } widths[] = {
        {"abc", 2, 4, 2}, {"\tx", 1, 4, 4}, {"a\tx", 2, 4, 4}, {"abcd\t", 5, 4, 8},
        {"a\t", 2, 8, 8}, {"ab", 5, 4, 3}, {"", 0, 4, 0}, {"a\tb", 3, 0, 9}};  // 0: stops of 8
    // clang-format on
    for (const auto& w : widths)
        EXPECT_EQ(ExpandTabsWidth(w.text, w.count, w.tab), w.width) << w.text << " " << w.count;
}

}  // namespace
