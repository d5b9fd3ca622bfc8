#pragma once

#include <string>

// FileView prints as a line printer: the printer's default font, one text
// line per line slot, a header and a page number. Everything here is in
// printer pixels and decided without the printer, so it is tested natively.

// What the printer's device context says about its page and default font.
struct PrinterMetrics {
    int HorizontalResolution = 0;  // page width
    int VerticalResolution = 0;    // page height
    int PixelsPerInchY = 0;
    int TextHeight = 0;
    int ExternalLeading = 0;
    int AverageCharWidth = 0;
};

struct PageGeometry {
    int LineHeight = 0;
    int CharWidth = 0;
    int TabStop = 0;  // the distance between tab stops
    int CharsPerLine = 0;
    int SlotsPerPage = 0;  // slot k is at y = k * LineHeight
    int BodyLinesPerPage = 0;
    int FooterSlot = 0;
    int TitleY = 0;  // one 12-point line down: where the name and date go
};

// The slot of the Line List's heading on the first page.
constexpr int kListHeadingSlot = 3;

// Fills the geometry of a page; false when the page cannot hold a body line
// and its page number (no font width or height, or fewer than two slots).
bool ComputePageGeometry(const PrinterMetrics& metrics, int tabLength, PageGeometry& geometry);

// Pages needed for `lines` body lines.
int PageCount(const PageGeometry& geometry, int lines);

// The slot of the k-th body line of page `page` (both counted from 0).
int BodySlot(const PageGeometry& geometry, int page, int k);

// `text` preceded by as many blanks as centre it within `charsPerLine`
// characters, cut to that many.
std::string CenteredInLine(const std::string& text, int charsPerLine);

// "-%d-", centred.
std::string PageFooterText(int pageNumber, int charsPerLine);

// "List of lines containing '%s'.", centred.
std::string ListHeadingText(const std::string& searchText, int charsPerLine);

// The printer as the job sees it. The Win32 side draws on a device context;
// tests record the calls.
class PrintJobHost {
  public:
    virtual ~PrintJobHost() = default;
    virtual bool StartJob() = 0;
    virtual bool StartPage() = 0;
    // The file's name and date at the top of the page.
    virtual void PrintTitle() = 0;
    // A line in the body font at x 0, tabs expanded.
    virtual void PrintLine(int y, const std::string& text) = 0;
    // The index-th line of what is printed, at most charsPerLine characters.
    virtual std::string LineText(int index, int charsPerLine) = 0;
    virtual bool EndPage() = 0;
    // Lets the user reach the cancel box; true once the user has cancelled.
    virtual bool Cancelled() = 0;
    virtual bool EndJob() = 0;
    // Drops the job: nothing of it reaches the paper.
    virtual void AbandonJob() = 0;
};

enum class PrintOutcome { Printed, Failed, Cancelled };

// Prints `lineCount` lines page by page; `listHeading`, when not empty, goes
// on the first page only. A job that fails is abandoned; one the user cancels
// ends after its last whole page.
PrintOutcome RunPrintJob(PrintJobHost& host, const PageGeometry& geometry, int lineCount,
                         const std::string& listHeading);
