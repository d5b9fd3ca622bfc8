#include "fileview/print_layout.h"

#include "fileview/text_model.h"

#include <algorithm>
#include <cstdint>

namespace {

// Slots taken by the header and the footer around the body.
constexpr int kReservedSlots = 8;
constexpr int kFirstPageBodySlot = 5;
constexpr int kLaterPageBodySlot = 4;
// Lines are cut and centred within this many characters however wide the
// page claims to be, so no line of blanks outgrows memory.
constexpr int kMaxCharsPerLine = 4096;

}  // namespace

bool ComputePageGeometry(const PrinterMetrics& metrics, int tabLength, PageGeometry& geometry) {
    // A driver's figures are taken as they come: sums and products are made
    // wide, so absurd ones refuse the page or are held to it, never overflow.
    const int64_t lineHeight = int64_t{metrics.TextHeight} + metrics.ExternalLeading;
    if (lineHeight <= 0 || metrics.AverageCharWidth <= 0 || metrics.HorizontalResolution <= 0 ||
        lineHeight > metrics.VerticalResolution)
        return false;
    PageGeometry g;
    g.LineHeight = static_cast<int>(lineHeight);
    g.CharWidth = metrics.AverageCharWidth;
    // A tab stop past the page's edge prints as one at the edge.
    g.TabStop = static_cast<int>(std::min<int64_t>(int64_t{TabStopLength(tabLength)} * g.CharWidth,
                                                   metrics.HorizontalResolution));
    g.CharsPerLine = std::min(metrics.HorizontalResolution / g.CharWidth, kMaxCharsPerLine);
    g.SlotsPerPage = metrics.VerticalResolution / g.LineHeight;
    if (g.CharsPerLine < 1 || g.SlotsPerPage < 2) return false;
    // A page too short for the header and footer still prints: one body line
    // a page, so the printout ends and loses nothing.
    g.BodyLinesPerPage = std::max(1, g.SlotsPerPage - kReservedSlots);
    g.FooterSlot = g.SlotsPerPage - 1;
    g.TitleY = static_cast<int>(int64_t{metrics.PixelsPerInchY} * 12 / 72);
    geometry = g;
    return true;
}

int PageCount(const PageGeometry& geometry, int lines) {
    if (lines <= 0 || geometry.BodyLinesPerPage <= 0) return 0;
    return (lines + geometry.BodyLinesPerPage - 1) / geometry.BodyLinesPerPage;
}

int BodySlot(const PageGeometry& geometry, int page, int k) {
    int first = page == 0 ? kFirstPageBodySlot : kLaterPageBodySlot;
    // On a short page the one body line sits just above the page number.
    first = std::max(0, std::min(first, geometry.FooterSlot - 1));
    return first + k;
}

std::string CenteredInLine(const std::string& text, int charsPerLine) {
    if (charsPerLine <= 0) return std::string();
    int blanks = std::max(0, (charsPerLine - static_cast<int>(text.size())) / 2);
    std::string line(static_cast<size_t>(blanks), ' ');
    line += text;
    if (line.size() > static_cast<size_t>(charsPerLine)) line.resize(static_cast<size_t>(charsPerLine));
    return line;
}

std::string PageFooterText(int pageNumber, int charsPerLine) {
    return CenteredInLine("-" + std::to_string(pageNumber) + "-", charsPerLine);
}

std::string ListHeadingText(const std::string& searchText, int charsPerLine) {
    return CenteredInLine("List of lines containing '" + searchText + "'.", charsPerLine);
}

PrintOutcome RunPrintJob(PrintJobHost& host, const PageGeometry& geometry, int lineCount,
                         const std::string& listHeading) {
    if (lineCount <= 0) return PrintOutcome::Printed;
    if (!host.StartJob()) return PrintOutcome::Failed;
    const int pages = PageCount(geometry, lineCount);
    for (int page = 0; page < pages; ++page) {
        if (!host.StartPage()) {
            host.AbandonJob();
            return PrintOutcome::Failed;
        }
        host.PrintTitle();
        if (page == 0 && !listHeading.empty())
            host.PrintLine(kListHeadingSlot * geometry.LineHeight, listHeading);
        for (int k = 0; k < geometry.BodyLinesPerPage; ++k) {
            int index = page * geometry.BodyLinesPerPage + k;
            if (index >= lineCount) break;
            host.PrintLine(BodySlot(geometry, page, k) * geometry.LineHeight,
                           host.LineText(index, geometry.CharsPerLine));
        }
        host.PrintLine(geometry.FooterSlot * geometry.LineHeight,
                       PageFooterText(page + 1, geometry.CharsPerLine));
        bool ended = host.EndPage();
        // A page refused because the user cancelled counts as cancelled.
        bool cancelled = host.Cancelled();
        if (!ended) {
            host.AbandonJob();
            return cancelled ? PrintOutcome::Cancelled : PrintOutcome::Failed;
        }
        // Cancel stops the pages still to come; those already spooled whole
        // are the user's and go to the printer.
        if (cancelled) {
            host.EndJob();
            return PrintOutcome::Cancelled;
        }
    }
    return host.EndJob() ? PrintOutcome::Printed : PrintOutcome::Failed;
}
