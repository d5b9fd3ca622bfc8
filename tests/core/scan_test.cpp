#include "search/scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "core_test_support.h"
#include "fileview/line_list.h"
#include "ui/text_options.h"

namespace {

using V = std::vector<std::string>;
using V64 = std::vector<int64_t>;

// Lines of 100 bytes with their line feed, each starting with its index.
std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[101];
        std::snprintf(line, sizeof line, "L%05d%093d\n", i, 0);
        text += line;
    }
    return text;
}

// With lines of 100 bytes the first read of 61440 bytes is cut after line
// 613, at byte 61400, where the second read starts.
constexpr size_t kFirstCut = 61400;

// A scan over in-memory files whose Line List entries follow a real
// builder's line counting (their texts are checked with the real builder).
class Scan : public MemoryFiles, public ScanHost {
  public:
    V warnings;
    size_t entries = 0;
    std::vector<LineMark> marks;
    NonTextList nonText;
    bool fileViewOpen = true;
    size_t acceptEntries = 5000;
    std::string window;
    int64_t entryOffset = -2;
    ScanState state;

    uint32_t Run(const std::string& content, const char* searchText, uint8_t options,
                 ScanMode mode = ScanMode::LineList) {
        files["c:\\f.txt"] = content;
        state.Mode = mode;
        return ScanFile(state, *this, *this, "c:\\f.txt", searchText, options);
    }
    // A Context scan for the window of lines from `first` (counted from 1).
    uint32_t Window(const std::string& content, uint32_t first, uint32_t loaded, uint32_t entry) {
        state.FirstLineNumber = first, state.LinesLoaded = loaded, state.EntryLineNumber = entry;
        return Run(content, "x", 0, ScanMode::Context);
    }

    void ScanWarning(const std::string& text) override { warnings.push_back(text); }
    void NonTextFile(const std::string& path) override { AddNonTextFile(nonText, path); }
    bool IsFileViewOpen() override { return fileViewOpen; }
    int AddLineListEntry(ScanState& scan, uint32_t position, uint32_t) override {
        if (entries == acceptEntries) return 0;
        scan.LineStart = AdvanceLineNumber(scan, scan.LineStart, position);
        return ++entries, 1;
    }
    void MarkLine(const LineMark& mark) override { marks.push_back(mark); }
    int ShowContext(ScanState&, const ContextWindow& w) override {
        window.assign(w.text, w.length), entryOffset = w.entryLineOffset;
        return 1;
    }
};

std::string WithAt(std::string text, size_t at, const std::string& piece) {
    return text.replace(at, piece.size(), piece);
}

uint32_t LineFeeds(const std::string& text) {
    return static_cast<uint32_t>(std::count(text.begin(), text.end(), '\n'));
}

// A read that gives less than asked before the file's end is not its end:
// the occurrence, the line count and the window beyond it are still found.
TEST(ScanFile, ShortReadsBeforeTheEndAreNotTheEnd) {
    const std::string lines = WithAt(Lines(1000), 99000, "needle");
    for (uint32_t cap : {4096u, 30000u, 61439u}) {
        Scan lineList;
        lineList.readCap = cap;
        EXPECT_EQ(lineList.Run(lines, "needle", kTextCase), 1u) << cap;
        EXPECT_EQ(lineList.state.CurrentLineNumber, 1000u) << cap;
        Scan context;
        context.readCap = cap;
        EXPECT_EQ(context.Window(lines, 999, 2, 1000), 1u) << cap;
        EXPECT_EQ(context.window, lines.substr(99800)) << cap;
    }
}

TEST(ScanFile, CountsOccurrencesAndLineFeeds) {
    const uint8_t C = kTextCase, W = kTextWord, R = kTextRegular;
    const std::string lines = Lines(1000);
    std::string zeroed = WithAt(WithAt(lines, 300, "needle"), 70000, "needle");
    zeroed[50] = '\0';  // a zero ends the search of its chunk only
    // clang-format off
    const struct { std::string content; const char* searchText; uint8_t options; uint32_t count; } cases[] = {
        {"", "x", C, 0}, {"a\nlast", "last", C, 1}, {"a\nlast", "^last", C | R, 1},  // no final LF
        {lines + "last", "last", C, 1},
        {WithAt(lines, kMaxChunkSize - 4, "STRADDLE"), "STRADDLE", C, 1},  // over a read's end
        {WithAt(lines, kFirstCut - 4, "EOL"), "EOL", C, 1},
        // A match over the cut line end is not seen; the same within a read is.
        {WithAt(lines, kFirstCut - 4, "END\nSTART"), "END?START", C | R, 0},
        {WithAt(lines, 996, "END\nSTART"), "END?START", C | R, 1},
        {std::string("ab\0 needle", 10), "needle", C, 0}, {zeroed, "needle", C, 1},
        // Case off lower-cases A to Z only.
        {"abc ABC Abc", "ABC", 0, 3}, {"\xC4TS \xE4ts \xC4Ts", "\xC4TS", 0, 2},
        {"\xE4ts", "\xC4ts", 0, 0},
        {"concat cat", "cat", C | W, 1}, {"cat\nmy_cat (cat)", "CAT", W, 3},
    };
    // clang-format on
    for (const auto& c : cases) {
        Scan lineList;
        EXPECT_EQ(lineList.Run(c.content, c.searchText, c.options), c.count) << c.searchText;
        EXPECT_EQ(lineList.state.CurrentLineNumber, LineFeeds(c.content)) << c.searchText;
        Scan search;  // without FileView the chunk is lower-cased in place
        search.fileViewOpen = false;
        EXPECT_EQ(search.Run(c.content, c.searchText, c.options, ScanMode::Search),
                  c.count > 0 ? 1u : 0u)
            << c.searchText;
        EXPECT_EQ(search.closes, 1);
    }
}

TEST(ScanFile, ReadsAroundTheFirstCut) {
    for (uint32_t size : {1u, kMaxChunkSize - 1, kMaxChunkSize, kMaxChunkSize + 1}) {
        const std::string content = size > kMaxChunkSize
                                        ? WithAt(Lines(615).substr(0, size), size - 3, "END")
                                        : std::string(size - 1, 'x') + "E";
        Scan scan;
        EXPECT_EQ(scan.Run(content, "E", kTextCase, ScanMode::Search), 1u) << size;
        EXPECT_EQ(scan.readStarts, (size > kMaxChunkSize ? V64{0, kFirstCut} : V64{0}));
        EXPECT_EQ(scan.nonText.NonTextCount, 0);
    }
}

// A refused Line List entry stops the scan within its read.
TEST(ScanFile, ARefusedLineListEntryStopsTheScan) {
    Scan refused;
    refused.acceptEntries = 2;
    EXPECT_EQ(refused.Run(Lines(2000), "L0", kTextCase), 3u);
    EXPECT_EQ(refused.readStarts.size(), 1u);
}

TEST(ScanFile, WarningsAndFailures) {
    // The warning counts the bytes a read holds after its last line feed,
    // which may be the read's very last byte.
    const std::string warning = "Warning: Lines longer than 253 characters!\nLines displayed will be truncated!";
    for (size_t tail : {0, 250, 251}) {
        Scan cut;
        const std::string content = std::string(61439 - tail, 'a') + "\n" + std::string(tail + 100, 'z');
        EXPECT_EQ(cut.Run(content + "\nend\n", "end", kTextCase), 1u) << tail;
        EXPECT_EQ(cut.warnings, tail > 250 ? V{warning} : V{}) << tail;
    }
    Scan failing;
    failing.failingRead = 1;
    EXPECT_EQ(failing.Run("hit\n" + Lines(1000), "hit", kTextCase), 1u);
    EXPECT_EQ(failing.warnings, V{"Unable to read file"});
    EXPECT_EQ(failing.closes, 1);

    Scan binary;  // a Context scan of a read without line feed shows nothing
    EXPECT_EQ(binary.Window(std::string(kMaxChunkSize * 2, 'x'), 1, 10, 1), 0u);
    EXPECT_EQ(binary.nonText.NonTextCount, 1);
    EXPECT_EQ(binary.warnings, V{"c:\\f.txt: Not a text file"});
}

// A large file with no line feed in its first read is not text, recorded
// once per file; names stop at the limit while the count goes on.
TEST(NonTextList, LargeFilesWithoutLineFeedInTheFirstRead) {
    Scan host;
    for (int i = 1; i <= 258; ++i) {
        const std::string path = "c:\\bin" + std::to_string(i);
        host.files[path] = WithAt(std::string(kMaxChunkSize + 1, '\x01'), 10, "x");
        EXPECT_FALSE(FileContainsText(host, host, path, "x", kTextCase));
    }
    EXPECT_EQ(host.nonText.NonTextCount, 258);
    EXPECT_TRUE(host.nonText.NonTextListFull);
    const std::string& names = host.nonText.NonTextNames;
    EXPECT_EQ(std::count(names.begin(), names.end(), '\n'), 256);
    EXPECT_TRUE(names.starts_with("c:\\bin1\r\nc:\\bin2\r\n"));
    EXPECT_TRUE(names.ends_with("c:\\bin256\r\n"));
    EXPECT_TRUE(host.warnings.empty());
}

// A writer appends long lines and an occurrence between any two reads: the
// file is scanned as it was opened, the appended bytes unread. A small
// file's chunk has room for that size only, and a line of the growth used
// to pass there for a file without line feeds.
TEST(ScanFile, AFileGrowingBetweenReadsIsScannedAsOpened) {
    std::string growth;
    for (int line = 0; line < 20; ++line) growth += std::string(60, 'x') + "\r\n";
    growth += "needle\r\n";
    const std::string large = WithAt(Lines(1000), 99000, "needle");
    const struct { std::string content; ScanMode mode; uint32_t count; } cases[] = {
        {"", ScanMode::Search, 0}, {"start\n", ScanMode::Search, 0}, {"needle\nstart\n", ScanMode::LineList, 1},
        {large, ScanMode::Search, 1}, {large, ScanMode::LineList, 1}};
    for (const auto& c : cases) {
        Scan scan;
        scan.growth = growth;
        EXPECT_EQ(scan.Run(c.content, "needle", kTextCase, c.mode), c.count) << c.content.size();
        EXPECT_EQ(scan.readEnd, static_cast<int64_t>(c.content.size()));
        if (c.mode == ScanMode::LineList) {
            EXPECT_EQ(scan.state.CurrentLineNumber, LineFeeds(c.content));
        }
        EXPECT_EQ(scan.nonText.NonTextCount, 0) << c.content.size();
        EXPECT_TRUE(scan.warnings.empty());
    }
    Scan context;  // a window past the end ends at the end as opened
    context.growth = growth;
    EXPECT_EQ(context.Window(large, 995, 20, 1000), 1u);
    EXPECT_EQ(context.window, large.substr(99400));
}

// Windows of 1999 numbered lines and a last one, asked by line number from 1.
TEST(ContextMode, ShowsTheWindow) {
    // clang-format off
    const struct { uint32_t firstLine, linesLoaded, entryLine, shownLines; int64_t entryOffset; size_t reads; }
    cases[] = {{11, 5, 13, 5, 200, 1},        // inside the first read
                 {600, 50, 610, 50, 1000, 2},   // across reads
                 {1, 1000, 700, 614, -1, 1},    // larger than a read
                 {1990, 50, 1995, 11, 500, 4},  // past the file's end
                 {1998, 10, 2000, 3, 200, 4}};  // up to a last line without line feed
    // clang-format on
    const std::string content = Lines(1999) + "tail";
    for (const auto& c : cases) {
        Scan scan;
        EXPECT_EQ(scan.Window(content, c.firstLine, c.linesLoaded, c.entryLine), 1u);
        EXPECT_EQ(std::tuple(scan.window, scan.entryOffset, scan.readStarts.size()),
                  std::tuple(content.substr((c.firstLine - 1) * 100, c.shownLines * 100), c.entryOffset, c.reads))
            << c.firstLine;
        EXPECT_TRUE(scan.warnings.empty());
    }
}

// A jump starts reading at the last line start the Line List build passed
// before its window, so it reads at most one read ahead of the window
// wherever that lies in the file, and shows what a scan from the start shows.
TEST(ContextMode, StartsAtTheLineListBuildsMarks) {
    const std::string content = Lines(3000) + "tail";
    Scan build;
    build.Run(content, "L0", kTextCase);
    ASSERT_EQ(build.marks.size(), build.readStarts.size() - 1);
    for (const LineMark& mark : build.marks) {
        EXPECT_EQ(content[static_cast<size_t>(mark.offset) - 1], '\n');
        EXPECT_EQ(mark.line, std::count(content.begin(), content.begin() + mark.offset, '\n'));
    }
    EXPECT_EQ(ContextStartFor(build.marks, 614), LineMark{});
    EXPECT_EQ(ContextStartFor(build.marks, 615), (LineMark{614, kFirstCut}));

    const std::pair<uint32_t, uint32_t> windows[] = {{2, 10}, {614, 5}, {615, 5}, {616, 700}, {2500, 251}, {2995, 20}};
    for (const auto& [firstLine, linesLoaded] : windows) {
        Scan fromStart, fromMark;
        fromStart.Window(content, firstLine, linesLoaded, firstLine + 1);
        fromMark.state.ContextStart = ContextStartFor(build.marks, firstLine);
        EXPECT_EQ(fromMark.Window(content, firstLine, linesLoaded, firstLine + 1), 1u);
        EXPECT_EQ(std::pair(fromMark.window, fromMark.entryOffset), std::pair(fromStart.window, fromStart.entryOffset))
            << firstLine;
        EXPECT_LE(int64_t{firstLine - 1} * 100 - fromMark.readStarts.front(), kMaxChunkSize) << firstLine;
    }

    // A mark that is not a line start (the file changed), or lies after the
    // window or past the end, is not taken: the scan reads from the start.
    for (const LineMark stale : {LineMark{5, 150}, LineMark{1228, 122800}, LineMark{9, 1 << 30}}) {
        Scan fromStart, fromMark;
        fromStart.Window(content, 1000, 20, 1001);
        fromMark.state.ContextStart = stale;
        EXPECT_EQ(fromMark.Window(content, 1000, 20, 1001), 1u);
        EXPECT_EQ(std::pair(fromMark.window, fromMark.readStarts.back()),
                  std::pair(fromStart.window, fromStart.readStarts.back())) << stale.offset;
    }
}

}  // namespace
