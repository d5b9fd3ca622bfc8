// The scan over an in-memory file with random contents and random read
// sizes, in Search, Line List and Context modes. Where the answer is plain
// (a plain search text without a line feed, a file without zero bytes) the
// count of occurrences and the line count agree with a line-by-line
// reference, and a Context window holds exactly the lines asked for.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "search/matcher.h"
#include "search/scan.h"
#include "short_reader.h"
#include "ui/text_options.h"

namespace {

class RecordingHost : public ScanHost {
  public:
    bool fileViewOpen = false, nonText = false, warned = false, shownCalled = false;
    int refuseAfter = -1, entries = 0;
    std::string shown;

    void ScanWarning(const std::string&) override { warned = true; }
    void NonTextFile(const std::string&) override { nonText = true; }
    bool IsFileViewOpen() override { return fileViewOpen; }
    int AddLineListEntry(ScanState& scan, uint32_t position, uint32_t length) override {
        FUZZ_CHECK(scan.PrimaryBuffer != nullptr);
        // The occurrence lies in the chunk and before its terminator.
        FUZZ_CHECK(std::memchr(scan.PrimaryBuffer, 0, position + length) == nullptr);
        if (refuseAfter >= 0 && entries >= refuseAfter) return 0;
        return ++entries, 1;
    }
    int ShowContext(ScanState&, const ContextWindow& window) override {
        FUZZ_CHECK(window.entryLineOffset >= -1 && window.entryLineOffset <= window.length);
        shown.assign(window.text, window.length);
        shownCalled = true;
        return 1;
    }
};

// Occurrences found left to right in each line, each search going on after
// the previous occurrence, counted when they pass the Word test.
uint32_t ReferenceCount(const std::string& file, const std::string& text, bool word) {
    uint32_t count = 0;
    size_t start = 0;
    while (start <= file.size()) {
        size_t end = file.find('\n', start);
        if (end == std::string::npos) end = file.size();
        const std::string line = file.substr(start, end - start);
        for (size_t at = line.find(text); at != std::string::npos;
             at = line.find(text, at + text.size()))
            if (!word || (!IsWordAt(line, long(at) - 1) && !IsWordAt(line, long(at + text.size())))) ++count;
        start = end + 1;
    }
    return count;
}

// Lines first to first + count - 1 (from 1) with their line feeds.
std::string ReferenceWindow(const std::string& file, uint32_t first, uint32_t count) {
    size_t start = 0;
    for (uint32_t line = 1; line < first; ++line) {
        start = file.find('\n', start);
        if (start == std::string::npos) return std::string();
        ++start;
    }
    size_t end = start;
    for (uint32_t line = 0; line < count && end < file.size(); ++line) {
        end = file.find('\n', end);
        end = end == std::string::npos ? file.size() : end + 1;
    }
    return file.substr(start, end - start);
}

// Whether some stretch of `span` bytes holds no line feed: the scan may then
// meet a read with no line end and take the file for a non-text file.
bool HasLongLine(const std::string& file, size_t span) {
    size_t run = 0;
    for (char c : file) {
        run = c == '\n' ? 0 : run + 1;
        if (run >= span) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t flags = input.Byte();
    const ScanMode mode = static_cast<ScanMode>(1 + flags % 3);
    const uint8_t options = (flags >> 2) & 7;
    const bool fileViewOpen = (flags & 0x20) != 0;
    const int repeat = 1 << (2 * (input.Byte() % 6));  // 1 to 1024 copies: files beyond one read
    std::vector<uint32_t> caps;
    for (int i = input.Byte() % 4; i > 0; --i) caps.push_back(input.Word32() % 70000);
    const uint32_t first = 1 + input.Byte();
    const uint32_t loaded = 1 + input.Byte() % 200;
    const int refuseAfter = static_cast<int>(input.Byte()) - 128;
    const std::string searchText = input.Piece(kPatternSize - 1);
    const std::string body = input.Rest();
    std::string file;
    for (int i = 0; i < repeat && file.size() + body.size() <= 300000; ++i) file += body;

    ShortReader reader(file, caps);
    RecordingHost host;
    host.fileViewOpen = fileViewOpen;
    host.refuseAfter = refuseAfter;
    ScanState scan;
    scan.Mode = mode, scan.FirstLineNumber = first, scan.LinesLoaded = loaded, scan.EntryLineNumber = first + loaded / 2;
    const uint32_t count = ScanFile(scan, reader, host, "c:\\f.txt", searchText.c_str(), options);
    FUZZ_CHECK(!reader.open());
    if (searchText.empty()) return 0;

    const bool plain = (options & kTextRegular) == 0 && searchText.find('\n') == std::string::npos &&
                       file.find('\0') == std::string::npos && !host.warned && !host.nonText &&
                       !HasLongLine(file, kMaxChunkSize / 2);
    if (!plain) return 0;
    const bool matchCase = options & kTextCase;
    const uint32_t expected = ReferenceCount(matchCase ? file : Lowered(file), matchCase ? searchText : Lowered(searchText),
                                             (options & kTextWord) != 0);
    switch (mode) {
        case ScanMode::Search: FUZZ_CHECK((count != 0) == (expected != 0)); break;
        case ScanMode::LineList:
            if (refuseAfter < 0) {
                FUZZ_CHECK(count == expected);
                FUZZ_CHECK(host.entries == static_cast<int>(expected));
                if (fileViewOpen) FUZZ_CHECK(scan.CurrentLineNumber == std::count(file.begin(), file.end(), '\n'));
            } else {
                FUZZ_CHECK(host.entries == std::min<int>(refuseAfter, expected));
            }
            break;
        case ScanMode::Context: {
            const std::string window = ReferenceWindow(file, first, loaded);
            if (window.empty()) {
                FUZZ_CHECK(!host.shownCalled);
            } else {
                FUZZ_CHECK(host.shownCalled);
                FUZZ_CHECK(window.compare(0, host.shown.size(), host.shown) == 0);
                if (window.size() < kMaxChunkSize / 2) FUZZ_CHECK(host.shown == window);
            }
            break;
        }
    }
    return 0;
}
