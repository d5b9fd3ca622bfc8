#include "search/scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "search/text_options.h"

namespace {

// Files held in memory; records where each read started.
class MemoryReader : public ChunkReader {
  public:
    std::map<std::string, std::string> files;
    std::vector<int64_t> readStarts;
    int opens = 0;
    int closes = 0;
    int failingRead = -1;  // index of the read that fails, -1 for none

    bool Open(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        file_ = &it->second;
        position_ = 0;
        readStarts.clear();
        ++opens;
        return true;
    }
    int64_t Size() override { return static_cast<int64_t>(file_->size()); }
    int64_t Read(char* buffer, uint32_t count) override {
        if (static_cast<int>(readStarts.size()) == failingRead) return -1;
        if (readStarts.size() > 100) return -1;  // a scan that never ends
        readStarts.push_back(position_);
        const size_t left = file_->size() - static_cast<size_t>(position_);
        const size_t n = std::min<size_t>(count, left);
        std::memcpy(buffer, file_->data() + position_, n);
        position_ += static_cast<int64_t>(n);
        return static_cast<int64_t>(n);
    }
    bool SetPosition(int64_t position) override {
        position_ = position;
        return true;
    }
    void Close() override { ++closes; }

  private:
    const std::string* file_ = nullptr;
    int64_t position_ = 0;
};

// Records what the scan hands out. Its Line List entries follow the line
// counting a real builder does, so line numbers and columns can be checked.
class RecordingHost : public ScanHost {
  public:
    struct Entry {
        uint32_t line;
        uint32_t column;
        std::string occurrence;  // from the primary buffer
    };
    std::vector<std::string> warnings;
    NonTextList nonText;
    bool fileViewOpen = false;
    size_t acceptEntries = 1000;
    std::vector<Entry> entries;
    std::string window;
    int64_t entryOffset = -2;

    void ScanWarning(const std::string& text) override { warnings.push_back(text); }
    void NonTextFile(const std::string& path) override { AddNonTextFile(nonText, path); }
    bool IsFileViewOpen() override { return fileViewOpen; }
    int AddLineListEntry(ScanState& scan, uint32_t position, uint32_t length) override {
        if (entries.size() >= acceptEntries) return 0;
        scan.LineStart = AdvanceLineNumber(scan, scan.LineStart, position);
        entries.push_back({scan.CurrentLineNumber, position - scan.LineStart,
                           std::string(scan.PrimaryBuffer + position, length)});
        scan.LineListCount = static_cast<uint32_t>(entries.size());
        return 1;
    }
    int ShowContext(ScanState&, const ContextWindow& w) override {
        window.assign(w.text, w.length);
        entryOffset = w.entryLineOffset;
        return 1;
    }
};

// Lines of exactly `width` bytes with their line feed, each starting with its
// index: "L00000....\n".
std::string Lines(int count, int width = 100) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char head[16];
        std::snprintf(head, sizeof head, "L%05d", i);
        std::string line = head;
        line.resize(static_cast<size_t>(width - 1), '.');
        text += line + '\n';
    }
    return text;
}

// With lines of 100 bytes the first read of 61440 bytes is cut after line
// 613, at byte 61400, where the second read starts.
constexpr size_t kFirstCut = 61400;

struct Scan {
    MemoryReader reader;
    RecordingHost host;
    ScanState state;

    uint32_t Run(const std::string& content, const char* searchText, uint8_t options,
                 ScanMode mode = ScanMode::Search) {
        reader.files["c:\\f.txt"] = content;
        state.Mode = mode;
        return ScanFile(state, reader, host, "c:\\f.txt", searchText, options);
    }
};

uint32_t Count(const std::string& content, const char* searchText, uint8_t options) {
    Scan scan;
    scan.host.fileViewOpen = true;
    return scan.Run(content, searchText, options, ScanMode::LineList);
}

TEST(ScanFile, SmallFileIsReadOnceAndNeverNonText) {
    for (size_t size : {size_t{0}, size_t{1}, size_t{kMaxChunkSize - 1}, size_t{kMaxChunkSize}}) {
        std::string content(size, 'x');
        if (size >= 3) content.replace(size - 3, 3, "END");
        Scan scan;
        EXPECT_EQ(scan.Run(content, "END", kTextCase), size >= 3 ? 1u : 0u) << size;
        EXPECT_LE(scan.reader.readStarts.size(), 1u);
        EXPECT_EQ(scan.host.nonText.NonTextCount, 0);
        EXPECT_EQ(scan.reader.opens, 1);
        EXPECT_EQ(scan.reader.closes, 1);
    }
}

TEST(ScanFile, LargeFileWithoutLineFeedInItsFirstReadIsNotText) {
    std::string content(kMaxChunkSize + 1, 'x');
    content.replace(10, 3, "END");
    Scan scan;
    EXPECT_EQ(scan.Run(content, "END", kTextCase), 0u);
    EXPECT_EQ(scan.host.nonText.NonTextCount, 1);
    EXPECT_EQ(scan.host.nonText.NonTextNames, "c:\\f.txt\r\n");
    EXPECT_TRUE(scan.host.warnings.empty());
}

TEST(ScanFile, FileOfOneByteMoreThanARead) {
    std::string content = Lines(614) + std::string(kMaxChunkSize + 1 - kFirstCut - 3, 'y') + "END";
    ASSERT_EQ(content.size(), kMaxChunkSize + 1);
    Scan scan;
    EXPECT_EQ(scan.Run(content, "END", kTextCase), 1u);
    EXPECT_EQ(scan.reader.readStarts, (std::vector<int64_t>{0, kFirstCut}));
}

TEST(ScanFile, OccurrencesAroundTheCut) {
    std::string content = Lines(1000);
    content.replace(kMaxChunkSize - 4, 8, "STRADDLE");  // over the end of the first read
    EXPECT_EQ(Count(content, "STRADDLE", kTextCase), 1u);

    content = Lines(1000);
    content.replace(kFirstCut - 4, 3, "EOL");  // right before the cut line feed
    EXPECT_EQ(Count(content, "EOL", kTextCase), 1u);

    // A match that would run over the cut line end is not seen; the same
    // text within a read is.
    content = Lines(1000);
    content.replace(kFirstCut - 4, 3, "END");
    content.replace(kFirstCut, 5, "START");
    EXPECT_EQ(Count(content, "END?START", kTextCase | kTextRegular), 0u);
    content.replace(1000 - 4, 3, "END");
    content.replace(1000, 5, "START");
    EXPECT_EQ(Count(content, "END?START", kTextCase | kTextRegular), 1u);
}

TEST(ScanFile, LastLineWithoutLineFeedIsSearched) {
    EXPECT_EQ(Count("a\nlast", "last", kTextCase), 1u);
    EXPECT_EQ(Count("a\nlast", "^last", kTextCase | kTextRegular), 1u);
    EXPECT_EQ(Count(Lines(1000) + "last", "last", kTextCase), 1u);
}

TEST(ScanFile, SearchStopsAtAZeroByteInEachChunk) {
    EXPECT_EQ(Count(std::string("ab\0 needle", 10), "needle", kTextCase), 0u);
    std::string content = Lines(1000);
    content[50] = '\0';
    content.replace(300, 6, "needle");    // after the zero, first read
    content.replace(70000, 6, "needle");  // second read
    EXPECT_EQ(Count(content, "needle", kTextCase), 1u);
}

TEST(ScanFile, CaseOffLowerCasesAsciiOnly) {
    struct Case {
        const char* content;
        const char* searchText;
        uint32_t count;
    } cases[] = {
        {"abc ABC Abc", "ABC", 3},
        {"\xC4"
         "bc \xE4"
         "bc \xC4"
         "BC",
         "\xC4"
         "BC",
         2},
        {"\xE4"
         "bc",
         "\xC4"
         "bc",
         0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Count(c.content, c.searchText, 0), c.count) << c.content;
        Scan scan;  // without FileView the chunk is lower-cased in place
        EXPECT_EQ(scan.Run(c.content, c.searchText, 0), c.count > 0 ? 1u : 0u) << c.content;
    }
}

TEST(ScanFile, LineListEntriesKeepTheFileText) {
    Scan scan;
    scan.host.fileViewOpen = true;
    EXPECT_EQ(scan.Run("one\r\nTwo two\nthree TWO", "two", 0, ScanMode::LineList), 3u);
    ASSERT_EQ(scan.host.entries.size(), 3u);
    const std::vector<std::tuple<uint32_t, uint32_t, std::string>> expected = {
        {1, 0, "Two"}, {1, 4, "two"}, {2, 6, "TWO"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(scan.host.entries[i].line, std::get<0>(expected[i]));
        EXPECT_EQ(scan.host.entries[i].column, std::get<1>(expected[i]));
        EXPECT_EQ(scan.host.entries[i].occurrence, std::get<2>(expected[i]));
    }
    EXPECT_EQ(scan.state.CurrentLineNumber, 2u);  // the file's line feeds
}

TEST(ScanFile, LineNumbersRunAcrossReads) {
    std::string content = Lines(2000);
    Scan scan;
    scan.host.fileViewOpen = true;
    scan.host.acceptEntries = 5000;
    EXPECT_EQ(scan.Run(content, "L0", kTextCase, ScanMode::LineList), 2000u);
    ASSERT_EQ(scan.host.entries.size(), 2000u);
    for (uint32_t i = 0; i < 2000; i += 111) EXPECT_EQ(scan.host.entries[i].line, i);
    EXPECT_EQ(scan.state.CurrentLineNumber, 2000u);
}

TEST(ScanFile, LineTotalCountsTheFilesOwnLineFeeds) {
    struct Case {
        std::string content;
        uint32_t lineFeeds;
    } cases[] = {{"", 0}, {"a", 0}, {"a\n", 1}, {"a\nb", 1}, {Lines(614) + Lines(614), 1228}};
    for (const Case& c : cases) {
        Scan scan;
        scan.host.fileViewOpen = true;
        scan.Run(c.content, "zzz", kTextCase, ScanMode::LineList);
        EXPECT_EQ(scan.state.CurrentLineNumber, c.lineFeeds) << c.content.size();
    }
}

TEST(ScanFile, RefusedEntryStopsTheScan) {
    Scan scan;
    scan.host.fileViewOpen = true;
    scan.host.acceptEntries = 2;
    EXPECT_EQ(scan.Run(Lines(2000), "L0", kTextCase, ScanMode::LineList), 3u);
    EXPECT_EQ(scan.reader.readStarts.size(), 1u);
}

TEST(ScanFile, WordTestRejectsPartsOfWords) {
    EXPECT_EQ(Count("concat cat", "cat", kTextCase | kTextWord), 1u);
    EXPECT_EQ(Count("concat", "cat", kTextCase | kTextWord), 0u);
    EXPECT_EQ(Count("cat\nmy_cat (cat)", "CAT", kTextWord), 3u);
    Scan scan;
    EXPECT_EQ(scan.Run("the cat sat", "cat", kTextCase | kTextWord), 1u);
}

TEST(ScanFile, LongLineAfterTheCutWarnsInLineListMode) {
    const std::string content = Lines(600) + std::string(2000, 'z') + "\n" + Lines(10);
    Scan scan;
    scan.host.fileViewOpen = true;
    scan.Run(content, "zzz", kTextCase, ScanMode::LineList);
    ASSERT_EQ(scan.host.warnings.size(), 1u);
    EXPECT_EQ(scan.host.warnings[0],
              "Warning: Lines longer than 253 characters!\nLines displayed will be truncated!");
}

TEST(ScanFile, FailuresAndTrivialCalls) {
    Scan scan;
    scan.reader.files["c:\\f.txt"] = "x";
    EXPECT_EQ(ScanFile(scan.state, scan.reader, scan.host, "c:\\f.txt", "", 0), 1u);
    EXPECT_EQ(ScanFile(scan.state, scan.reader, scan.host, "", "x", 0), 0u);
    EXPECT_EQ(ScanFile(scan.state, scan.reader, scan.host, "c:\\missing", "x", 0), 0u);
    EXPECT_EQ(scan.reader.opens, 0);
    EXPECT_TRUE(scan.host.warnings.empty());

    scan.reader.failingRead = 1;
    EXPECT_EQ(scan.Run("hit\n" + Lines(1000), "hit", kTextCase, ScanMode::LineList), 1u);
    EXPECT_EQ(scan.host.warnings, std::vector<std::string>{"Unable to read file"});
    EXPECT_EQ(scan.reader.closes, 1);
}

TEST(NonTextList, NamesStopAtTheLimitWhileTheCountGoesOn) {
    MemoryReader reader;
    RecordingHost host;
    const std::string binary(kMaxChunkSize + 10, '\x01');
    for (int i = 1; i <= 258; ++i) {
        const std::string path = "c:\\bin" + std::to_string(i);
        reader.files[path] = binary;
        EXPECT_FALSE(FileContainsText(reader, host, path, "x", kTextCase));
    }
    EXPECT_EQ(host.nonText.NonTextCount, 258);
    EXPECT_TRUE(host.nonText.NonTextListFull);
    EXPECT_EQ(std::count(host.nonText.NonTextNames.begin(), host.nonText.NonTextNames.end(), '\n'),
              256);
    EXPECT_NE(host.nonText.NonTextNames.find("c:\\bin256\r\n"), std::string::npos);
    EXPECT_EQ(host.nonText.NonTextNames.find("c:\\bin257"), std::string::npos);
    ResetNonTextList(host.nonText);
    EXPECT_EQ(host.nonText.NonTextCount, 0);
    EXPECT_FALSE(host.nonText.NonTextListFull);
    EXPECT_TRUE(host.nonText.NonTextNames.empty());
}

// A large file of 2000 numbered lines; windows are asked by line number from 1.
struct ContextCase {
    const char* name;
    uint32_t firstLine, linesLoaded, entryLine;
    uint32_t shownFrom, shownLines;  // window expected, lines counted from 1
    int64_t entryOffset;
    size_t reads;
};

void PrintTo(const ContextCase& c, std::ostream* os) {
    *os << c.name;
}

class ContextMode : public ::testing::TestWithParam<ContextCase> {};

TEST_P(ContextMode, ShowsTheWindow) {
    const ContextCase& c = GetParam();
    const std::string content = Lines(2000);
    Scan scan;
    scan.host.fileViewOpen = true;
    scan.state.FirstLineNumber = c.firstLine;
    scan.state.LinesLoaded = c.linesLoaded;
    scan.state.EntryLineNumber = c.entryLine;
    EXPECT_EQ(scan.Run(content, "L", 0, ScanMode::Context), 1u);
    EXPECT_EQ(scan.host.window, content.substr((c.shownFrom - 1) * 100, c.shownLines * 100));
    EXPECT_EQ(scan.host.entryOffset, c.entryOffset);
    EXPECT_EQ(scan.reader.readStarts.size(), c.reads);
    EXPECT_TRUE(scan.host.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContextMode,
    ::testing::Values(ContextCase{"InFirstRead", 11, 5, 13, 11, 5, 200, 1},
                      ContextCase{"AtFileStart", 1, 3, 1, 1, 3, 0, 1},
                      ContextCase{"AcrossReads", 600, 50, 610, 600, 50, 1000, 2},
                      ContextCase{"InALaterRead", 1500, 20, 1500, 1500, 20, 0, 3},
                      ContextCase{"LargerThanARead", 1, 1000, 700, 1, 614, -1, 1},
                      ContextCase{"LargerThanAReadLater", 600, 1000, 600, 600, 614, 0, 2},
                      ContextCase{"RunsPastTheFileEnd", 1990, 50, 1995, 1990, 11, 500, 4}),
    [](const ::testing::TestParamInfo<ContextCase>& info) { return info.param.name; });

TEST(ContextModeEnd, LastLineWithoutLineFeedIsShownAsItIs) {
    const std::string content = Lines(1999) + "tail";
    Scan scan;
    scan.state.FirstLineNumber = 1998;
    scan.state.LinesLoaded = 10;
    scan.state.EntryLineNumber = 2000;
    scan.Run(content, "x", 0, ScanMode::Context);
    EXPECT_EQ(scan.host.window, content.substr(1997 * 100));
    EXPECT_EQ(scan.host.entryOffset, 200);
    EXPECT_EQ(scan.host.nonText.NonTextCount, 0);
}

TEST(ContextModeEnd, ReadWithoutLineFeedIsNotText) {
    Scan scan;
    scan.state.FirstLineNumber = 1;
    scan.state.LinesLoaded = 10;
    scan.Run(std::string(kMaxChunkSize * 2, 'x'), "x", 0, ScanMode::Context);
    EXPECT_EQ(scan.host.nonText.NonTextCount, 1);
    EXPECT_EQ(scan.host.warnings, std::vector<std::string>{"c:\\f.txt: Not a text file"});
    EXPECT_EQ(scan.host.entryOffset, -2);  // nothing shown
}

TEST(LineCounting, CountLineEndsSkipsTheFirstPosition) {
    const std::string text = "\n\na\n" + std::string(40, 'b') + "\n\n";
    EXPECT_EQ(CountLineEnds(text.data(), 1), 0u);
    EXPECT_EQ(CountLineEnds(text.data(), 2), 1u);
    EXPECT_EQ(CountLineEnds(text.data(), text.size()), 4u);
    EXPECT_EQ(CountLineEnds(text.data() + 1, text.size() - 1), 3u);
}

TEST(LineCounting, AdvanceLineNumberReturnsTheLineStart) {
    const std::string buffer = "\nab\ncd\n\nef";
    ScanState scan;
    scan.PrimaryBuffer = buffer.data();
    EXPECT_EQ(AdvanceLineNumber(scan, 0, 5), 4u);  // 'd' lies in the line starting at 4
    EXPECT_EQ(scan.CurrentLineNumber, 1u);
    EXPECT_EQ(AdvanceLineNumber(scan, 4, 6), 6u);  // a line feed, counted, is the new start
    EXPECT_EQ(scan.CurrentLineNumber, 2u);
    EXPECT_EQ(AdvanceLineNumber(scan, 6, 3), 6u);  // before the line start: nothing counted
    EXPECT_EQ(scan.CurrentLineNumber, 2u);
    EXPECT_EQ(AdvanceLineNumber(scan, 6, 9), 8u);  // the empty line's line feed is counted
    EXPECT_EQ(scan.CurrentLineNumber, 3u);
}

TEST(LineCounting, OccurrencesStartingWithTheirLineFeedGetTheirOwnLine) {
    Scan scan;
    scan.host.fileViewOpen = true;
    EXPECT_EQ(scan.Run("a\n\n\nb", "^", kTextCase | kTextRegular, ScanMode::LineList), 5u);
    std::vector<uint32_t> lines, columns;
    for (const auto& entry : scan.host.entries) {
        lines.push_back(entry.line);
        columns.push_back(entry.column);
    }
    // The last one is the line feed the scan adds after the final line.
    EXPECT_EQ(lines, (std::vector<uint32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(columns, (std::vector<uint32_t>{0, 0, 0, 0, 0}));
}

}  // namespace
