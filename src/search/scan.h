#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The file scan: reads one file in chunks that each start at a line start,
// and looks for the search text in them with the text matcher, applying the
// Case and Word options.
//
// For the walk's text test, call FileContainsText (below).

// Bytes asked for by each read of a file larger than this.
constexpr uint32_t kMaxChunkSize = 61440;
// Names of non-text files kept for the report; the count goes on beyond it.
constexpr int32_t kNonTextShowLimit = 256;

enum class ScanMode : int {
    Search = 1,    // does the file hold the search text? stops at the first occurrence
    Context = 2,   // find a window of lines of a large file for FileView
    LineList = 3,  // one Line List entry for every occurrence, and count the lines
};

// Where the scan reads a file from. One Open per scanned file.
class ChunkReader {
  public:
    virtual ~ChunkReader() = default;
    // Opens the file for reading, letting others read it but not write it.
    virtual bool Open(const std::string& path) = 0;
    // Size of the open file in bytes, or -1 when it cannot be measured.
    virtual int64_t Size() = 0;
    // Reads up to `count` bytes at the current position: the number read
    // (0 at the end of the file), or -1 on a read error.
    virtual int64_t Read(char* buffer, uint32_t count) = 0;
    // Moves the position of the next read, in bytes from the file's start.
    virtual bool SetPosition(int64_t position) = 0;
    virtual void Close() = 0;
};

// The files a search found not to be text, for the report after the search.
struct NonTextList {
    int32_t NonTextCount = 0;      // all of them, also beyond the show limit
    bool NonTextListFull = false;  // a name was not added
    int32_t NonTextShowLimit = kNonTextShowLimit;
    std::string NonTextNames;       // each path followed by "\r\n"
    uint32_t NonTextNamesSize = 0;  // bytes reserved for NonTextNames
};

void ResetNonTextList(NonTextList& list);
// Counts one more non-text file and keeps its name while the list has room.
void AddNonTextFile(NonTextList& list, const std::string& path);

struct ScanState;

// Where a line of the file starts: the line feeds before it and its offset.
struct LineMark {
    uint32_t line = 0;
    int64_t offset = 0;
    bool operator==(const LineMark&) const = default;
};

// A window of lines of the file, found by a Context scan.
struct ContextWindow {
    const char* text;         // the window's lines with their line ends (not terminated)
    uint32_t length;          // bytes of text
    int64_t entryLineOffset;  // where the entry's line starts in text; -1 when outside
};

// What the scan needs from the program around it.
class ScanHost {
  public:
    virtual ~ScanHost() = default;
    // A WarningBox with the application title.
    virtual void ScanWarning(const std::string& text) = 0;
    // The file is not a text file (usually: AddNonTextFile on the search's list).
    virtual void NonTextFile(const std::string& path) = 0;
    // Whether FileView is open; a case-blind search then keeps the file's own
    // text unchanged for Line List entries and context.
    virtual bool IsFileViewOpen() { return false; }
    // Line List mode: an occurrence at `position` of the chunk (counted from
    // its sentinel, in scan.PrimaryBuffer). Result 1 when the entry was added,
    // 0 when refused, which stops the scan.
    virtual int AddLineListEntry(ScanState& /*scan*/, uint32_t /*position*/, uint32_t /*length*/) {
        return 1;
    }
    // Line List mode, with FileView open: every read after the first starts
    // at a line start, so a later Context scan can start reading there.
    virtual void MarkLine(const LineMark& /*mark*/) {}
    // Context mode: show the window in EditView. Result 1, or 0 when there is
    // no EditView.
    virtual int ShowContext(ScanState& /*scan*/, const ContextWindow& /*window*/) { return 0; }
};

// The scan's state. One record per caller; its line values are valid during
// a call, and after a Line List scan CurrentLineNumber is the file's number
// of line feeds.
struct ScanState {
    ScanMode Mode = ScanMode::Search;
    // Line feeds of the file before the line being processed (first line: 0).
    uint32_t CurrentLineNumber = 0;
    // Position in PrimaryBuffer from which the next line count starts.
    uint32_t LineStart = 0;
    // Set when the scan must end after the current chunk.
    bool StopFlag = false;
    // Entries of the Line List built by this scan (kept by AddLineListEntry).
    uint32_t LineListCount = 0;
    // Context inputs from FileView, lines counted from 1.
    uint32_t FirstLineNumber = 0;
    uint32_t LinesLoaded = 0;
    uint32_t EntryLineNumber = 0;
    // Where a Context scan starts reading: a mark of the Line List build
    // before FirstLineNumber, so a jump reads the lines near its window and
    // not the whole file before it. Taken only while the byte before it is
    // still a line feed; otherwise the scan reads from the file's start.
    LineMark ContextStart;
    // The current chunk's unchanged text, from its sentinel line feed; valid
    // during a call.
    const char* PrimaryBuffer = nullptr;
};

// Scans the file at path in scan.Mode. Result: the number of occurrences
// counted (Search: nonzero exactly when the file holds the search text).
// An empty search text gives 1 without opening the file; an empty path, or
// a file that cannot be opened, gives 0 without a message. The file is read
// as far as its size at the open: bytes appended during the scan are not.
uint32_t ScanFile(ScanState& scan, ChunkReader& reader, ScanHost& host, const std::string& path,
                  const char* searchText, uint8_t options);

// The walk's text test: true when the file at path holds searchText under
// options (kTextCase, kTextWord, kTextRegular). Non-text files are reported
// to host.NonTextFile; out-of-memory and read errors to host.ScanWarning.
bool FileContainsText(ChunkReader& reader, ScanHost& host, const std::string& path,
                      const char* searchText, uint8_t options);

// Occurrences in one chunk text (chunk[0] is its sentinel) below `limit`,
// with the Word test; sets scan.StopFlag in Search mode at the first one and
// in Line List mode when an entry is refused.
uint32_t CountMatches(ScanState& scan, ScanHost& host, const char* chunk, const char* searchText,
                      uint8_t options, uint32_t limit);

// Line feeds at positions 1 to n - 1 of the span at `start`.
uint32_t CountLineEnds(const char* start, size_t n);

// Brings scan.CurrentLineNumber up to position p of PrimaryBuffer, counting
// from lineStart (whose own position is not examined). Result: the new line
// start: p itself when p holds a line feed (now counted), else the start of
// p's line; lineStart itself when p lies before it.
uint32_t AdvanceLineNumber(ScanState& scan, uint32_t lineStart, uint32_t p);
