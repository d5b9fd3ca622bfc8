#include "search/scan.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "search/matcher.h"
#include "ui/text_options.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Bytes after the last line feed of a read beyond which Line List entries
// of that line get cut.
constexpr uint32_t kLongLineBytes = 250;

// Position of the last line feed in buffer[1, end], or 0 when there is none.
uint32_t LastLineFeed(const char* buffer, uint32_t end) {
    for (uint32_t i = end; i >= 1; --i) {
        if (buffer[i] == '\n') return i;
    }
    return 0;
}

// Fills `count` bytes unless the file's measured end comes first. A read may
// return fewer bytes than asked before the end (a slow device, a file being
// written), so a short read is taken for the last piece only once the
// measured end is reached or a read gives nothing; a file read to its
// measured end costs no extra read. Nothing past the size measured at the
// open is read: what a writer appends meanwhile is not the file being
// scanned, and a small file's chunk has no room for a line of it (it would
// pass for a file without line feeds, that is no text). Result: bytes read,
// or -1 on a read error.
int64_t ReadChunk(ChunkReader& reader, char* buffer, uint32_t count, int64_t measuredLeft) {
    const uint32_t wanted =
        static_cast<uint32_t>(std::clamp<int64_t>(measuredLeft, 0, int64_t{count}));
    uint32_t total = 0;
    while (total < wanted) {
        const int64_t got = reader.Read(buffer + total, wanted - total);
        if (got < 0) return -1;
        if (got == 0) break;
        total += static_cast<uint32_t>(std::min<int64_t>(got, wanted - total));
    }
    return total;
}

// Whether a Context scan may start at `mark`: before the window's first line
// (counted from 1), inside the file, and still after a line feed. Leaves the
// reader at the mark, or at the file's start.
bool StartsAtMark(ChunkReader& reader, const LineMark& mark, uint32_t firstLine, int64_t fileSize) {
    if (mark.offset <= 0 || mark.offset >= fileSize || mark.line >= firstLine) return false;
    char before = 0;
    if (reader.SetPosition(mark.offset - 1) && reader.Read(&before, 1) == 1 && before == '\n')
        return true;
    reader.SetPosition(0);
    return false;
}

struct ReaderCloser {
    ChunkReader& reader;
    ~ReaderCloser() { reader.Close(); }
};

// A Context scan of one read: either the window is found (and shown), or
// the next read follows from a new position.
class ContextScan {
  public:
    ContextScan(ScanState& scan, ScanHost& host, const char* buffer)
        : scan_(scan), host_(host), buffer_(buffer) {}

    enum class Next { kRead, kDone };

    // The chunk's data ends with a line feed at dataEnd; `lastPiece` tells
    // that nothing of the file follows it, `appendedLineFeed` that its last
    // line feed is ours. *nextRead receives the file offset (from the
    // chunk's first byte) of the next read.
    Next Run(uint32_t dataEnd, bool lastPiece, bool appendedLineFeed, uint32_t* nextRead);

    int result = 0;

  private:
    void Show(uint32_t q, uint32_t dataEnd, bool appendedLineFeed);

    ScanState& scan_;
    ScanHost& host_;
    const char* buffer_;
};

ContextScan::Next ContextScan::Run(uint32_t dataEnd, bool lastPiece, bool appendedLineFeed,
                                   uint32_t* nextRead) {
    const uint32_t linesThrough = scan_.CurrentLineNumber + CountLineEnds(buffer_, dataEnd + 1);
    if (scan_.FirstLineNumber > linesThrough) {
        scan_.CurrentLineNumber = linesThrough;
        *nextRead = dataEnd;
        return lastPiece ? Next::kDone : Next::kRead;
    }
    // Walk to the window's first line; it lies in this chunk, so the line
    // feeds do not run out.
    uint32_t q = 1;
    for (;;) {
        scan_.CurrentLineNumber += 1;
        if (scan_.CurrentLineNumber >= scan_.FirstLineNumber) break;
        const void* lineFeed = std::memchr(buffer_ + q, '\n', dataEnd - q + 1);
        q = static_cast<uint32_t>(static_cast<const char*>(lineFeed) - buffer_) + 1;
    }
    const uint64_t lastWanted = uint64_t{scan_.FirstLineNumber} + scan_.LinesLoaded - 1;
    // A window that runs past this chunk is read again from its first line,
    // unless the chunk already starts there (a window larger than a read) or
    // the file ends here: then it is shown as far as it goes.
    if (lastWanted > linesThrough && !lastPiece && q > 1) {
        scan_.CurrentLineNumber = scan_.FirstLineNumber - 1;
        *nextRead = q - 1;
        return Next::kRead;
    }
    Show(q, dataEnd, appendedLineFeed);
    return Next::kDone;
}

void ContextScan::Show(uint32_t q, uint32_t dataEnd, bool appendedLineFeed) {
    const bool entryInWindow = scan_.EntryLineNumber >= scan_.FirstLineNumber;
    const uint32_t entryIndex = scan_.EntryLineNumber - scan_.FirstLineNumber;
    int64_t entryOffset = -1;
    uint32_t end = q;
    for (uint32_t line = 0; line < scan_.LinesLoaded && end <= dataEnd; ++line) {
        if (entryInWindow && line == entryIndex) entryOffset = end - q;
        const void* lineFeed = std::memchr(buffer_ + end, '\n', dataEnd - end + 1);
        end = static_cast<uint32_t>(static_cast<const char*>(lineFeed) - buffer_) + 1;
    }
    uint32_t length = end - q;
    if (appendedLineFeed && end == dataEnd + 1) length -= 1;
    result = host_.ShowContext(scan_, ContextWindow{buffer_ + q, length, entryOffset});
}

}  // namespace

void ResetNonTextList(NonTextList& list) {
    list = NonTextList{};
}

void AddNonTextFile(NonTextList& list, const std::string& path) {
    list.NonTextCount += 1;
    if (list.NonTextListFull) return;
    if (list.NonTextCount > list.NonTextShowLimit) {
        list.NonTextListFull = true;
        return;
    }
    const size_t newSize = size_t{list.NonTextNamesSize} + path.size() + 3;
    try {
        list.NonTextNames.reserve(newSize);
    } catch (const std::exception&) {
        list.NonTextListFull = true;
        list.NonTextShowLimit = list.NonTextCount;
        return;
    }
    list.NonTextNamesSize = static_cast<uint32_t>(newSize);
    list.NonTextNames += path;
    list.NonTextNames += "\r\n";
}

uint32_t CountLineEnds(const char* start, size_t n) {
    uint32_t count = 0;
    size_t i = 1;
#if defined(__SSE2__)
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + i));
        count += static_cast<uint32_t>(__builtin_popcount(
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeeds)))));
    }
#endif
    for (; i < n; ++i) count += start[i] == '\n';
    return count;
}

uint32_t AdvanceLineNumber(ScanState& scan, uint32_t lineStart, uint32_t p) {
    if (p < lineStart) return lineStart;
    const char* buffer = scan.PrimaryBuffer;
    scan.CurrentLineNumber += CountLineEnds(buffer + lineStart, p - lineStart + 1);
    // A line feed at p is now counted, so, like a chunk's sentinel, it can
    // stand as the start from which the next count skips its first position.
    // (Starting after it would miss a line feed right behind it.)
    if (buffer[p] == '\n') return p;
    for (uint32_t i = p; i > lineStart; --i) {
        if (buffer[i - 1] == '\n') return i;
    }
    return lineStart;
}

uint32_t CountMatches(ScanState& scan, ScanHost& host, const char* chunk, const char* searchText,
                      uint8_t options, uint32_t limit) {
    if (searchText[0] == 0 || chunk[0] == 0) return 0;
    const bool wholeWords = (options & kTextWord) != 0;
    uint32_t count = 0;
    uint32_t offset = 0;
    while (offset < limit) {
        uint32_t length = 0;
        const char* at = FindMatch(chunk + offset, limit - offset, searchText, options, &length);
        if (at == nullptr) break;
        const uint32_t position = static_cast<uint32_t>(at - chunk);
        // An occurrence that begins with the chunk's last line feed (a Regular
        // "^") starts the line after the chunk: the next chunk's leading line
        // feed finds it again, and after the file's last line there is none.
        if (position + 1 == limit && chunk[position] == '\n') break;
        if (!wholeWords || PassesWordTest(chunk, at, length)) {
            count += 1;
            if (scan.Mode == ScanMode::Search) {
                scan.StopFlag = true;
            } else if (scan.Mode == ScanMode::LineList &&
                       host.AddLineListEntry(scan, position, length) == 0) {
                scan.StopFlag = true;
            }
        }
        if (scan.StopFlag) break;
        offset = position + (length > 0 ? length : 1);
    }
    return count;
}

namespace {

// The scan's buffers: the read chunk behind a leading line feed, a copy to
// lower-case when FileView needs the chunk as read, and the search text.
struct ScanBuffers {
    std::unique_ptr<char[]> primary;
    std::unique_ptr<char[]> secondary;
    char text[kPatternSize];
    bool caseBlind = false;
};

// False (the user told) when memory runs out.
bool PrepareScanBuffers(ScanBuffers& buffers, ScanHost& host, uint32_t chunkSize,
                        const char* searchText, uint8_t options, bool fileViewOpen) {
    buffers.primary.reset(new (std::nothrow) char[chunkSize + 3]());
    if (!buffers.primary) {
        host.ScanWarning("Out of memory!");
        return false;
    }
    buffers.primary[0] = '\n';
    const size_t textLength = std::min(std::strlen(searchText), size_t{kPatternSize - 1});
    std::memcpy(buffers.text, searchText, textLength);
    buffers.text[textLength] = 0;
    buffers.caseBlind = (options & kTextCase) == 0;
    if (!buffers.caseBlind) return true;
    LowerCaseText(buffers.text, textLength);
    if (!fileViewOpen) return true;
    buffers.secondary.reset(new (std::nothrow) char[chunkSize + 2]());
    if (!buffers.secondary) {
        host.ScanWarning("Out of memory!");
        return false;
    }
    buffers.secondary[0] = '\n';
    return true;
}

// Where one read is cut: at its last line feed, or whole when it is the
// file's last. A read without a line feed means the file is no text.
struct ChunkCut {
    uint32_t lastLineFeed = 0;  // position of the chunk's last line feed
    uint32_t terminator = 0;    // position of the chunk's terminator
    bool appendedLineFeed = false;
    bool notText = false;
};

ChunkCut CutChunk(const ScanState& scan, ScanHost& host, char* primary, uint32_t bytes,
                  bool finalRead) {
    ChunkCut cut;
    if (finalRead && (scan.Mode != ScanMode::Context || primary[bytes] != '\n')) {
        // The last piece is searched whole, its last line with or without a line feed.
        primary[bytes + 1] = '\n';
        primary[bytes + 2] = 0;
        cut.lastLineFeed = bytes + 1;
        cut.terminator = bytes + 2;
        cut.appendedLineFeed = true;
        return cut;
    }
    if (finalRead) {
        cut.lastLineFeed = bytes;
        cut.terminator = bytes + 1;
        return cut;
    }
    cut.lastLineFeed = LastLineFeed(primary, bytes);
    if (cut.lastLineFeed == 0) {
        cut.notText = true;
        return cut;
    }
    cut.terminator = cut.lastLineFeed + 1;
    primary[cut.terminator] = 0;
    if (scan.Mode == ScanMode::LineList && bytes - cut.lastLineFeed > kLongLineBytes) {
        host.ScanWarning(
            "Warning: Lines longer than 253 characters!\nLines displayed will be "
            "truncated!");
    }
    return cut;
}

// Counts the matches of one cut chunk, lower-cased first for a case-blind
// search (in the copy when FileView needs the chunk as read).
uint32_t SearchChunk(ScanState& scan, ScanHost& host, ScanBuffers& buffers, const ChunkCut& cut,
                     uint8_t options) {
    char* searched = buffers.primary.get();
    if (buffers.caseBlind) {
        if (buffers.secondary) {
            std::memcpy(buffers.secondary.get(), searched, cut.terminator + 1);
            searched = buffers.secondary.get();
        }
        LowerCaseText(searched + 1, cut.terminator - 1);
    }
    return CountMatches(scan, host, searched, buffers.text, options, cut.terminator);
}

}  // namespace

uint32_t ScanFile(ScanState& scan, ChunkReader& reader, ScanHost& host, const std::string& path,
                  const char* searchText, uint8_t options) {
    if (searchText == nullptr || searchText[0] == 0) return 1;
    if (path.empty()) return 0;

    // One open serves both the measuring and the reading: a file that cannot
    // be opened is skipped silently.
    if (!reader.Open(path)) return 0;
    ReaderCloser closer{reader};
    const int64_t fileSize = reader.Size();
    if (fileSize < 0) return 0;
    const uint32_t chunkSize =
        fileSize <= kMaxChunkSize ? static_cast<uint32_t>(fileSize) + 2 : kMaxChunkSize;

    const bool fileViewOpen = host.IsFileViewOpen();
    ScanBuffers buffers;
    if (!PrepareScanBuffers(buffers, host, chunkSize, searchText, options, fileViewOpen)) return 0;
    char* primary = buffers.primary.get();

    scan.CurrentLineNumber = 0;
    scan.LineListCount = 0;
    scan.PrimaryBuffer = primary;
    uint32_t count = 0;
    bool countedAppendedLineFeed = false;
    int64_t readStart = 0;
    if (scan.Mode == ScanMode::Context &&
        StartsAtMark(reader, scan.ContextStart, scan.FirstLineNumber, fileSize)) {
        readStart = scan.ContextStart.offset;
        scan.CurrentLineNumber = scan.ContextStart.line;
    }
    ContextScan context(scan, host, primary);

    for (;;) {
        if (scan.Mode == ScanMode::LineList && fileViewOpen && readStart > 0)
            host.MarkLine({scan.CurrentLineNumber, readStart});
        const int64_t got = ReadChunk(reader, primary + 1, chunkSize, fileSize - readStart);
        if (got == 0) break;
        if (got < 0) {
            host.ScanWarning("Unable to read file");
            break;
        }
        const uint32_t bytes = static_cast<uint32_t>(got);
        primary[bytes + 1] = 0;
        scan.StopFlag = false;
        scan.LineStart = 0;
        const bool finalRead = bytes < chunkSize;

        const ChunkCut cut = CutChunk(scan, host, primary, bytes, finalRead);
        if (cut.notText) {
            host.NonTextFile(path);
            if (scan.Mode == ScanMode::Context) host.ScanWarning(path + ": Not a text file");
            break;
        }

        if (scan.Mode == ScanMode::Context) {
            uint32_t nextRead = 0;
            if (context.Run(cut.lastLineFeed, finalRead, cut.appendedLineFeed, &nextRead) ==
                ContextScan::Next::kDone) {
                break;
            }
            readStart += nextRead;
            if (!reader.SetPosition(readStart)) {
                host.ScanWarning("Unable to read file");
                break;
            }
            continue;
        }
        if (!finalRead) {
            // The next read starts at the first character after the cut.
            readStart += cut.lastLineFeed;
            if (!reader.SetPosition(readStart)) {
                host.ScanWarning("Unable to read file");
                break;
            }
        }

        count += SearchChunk(scan, host, buffers, cut, options);
        if (!scan.StopFlag && fileViewOpen) {
            scan.LineStart = AdvanceLineNumber(scan, scan.LineStart, cut.lastLineFeed);
            countedAppendedLineFeed = cut.appendedLineFeed;
        }
        if (finalRead || scan.StopFlag) break;
    }

    // The line total counts the file's own line feeds only.
    if (scan.Mode == ScanMode::LineList && countedAppendedLineFeed) scan.CurrentLineNumber -= 1;
    scan.PrimaryBuffer = nullptr;
    return scan.Mode == ScanMode::Context ? static_cast<uint32_t>(context.result) : count;
}

bool FileContainsText(ChunkReader& reader, ScanHost& host, const std::string& path,
                      const char* searchText, uint8_t options) {
    ScanState scan;
    scan.Mode = ScanMode::Search;
    return ScanFile(scan, reader, host, path, searchText, options) != 0;
}
