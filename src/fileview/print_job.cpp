#include "fileview/print_job.h"

#include <algorithm>
#include <cstdio>

#include "resource_ids.h"

namespace {

// The message boxes' text size: a long file name is cut, not overflowed.
constexpr size_t kFailureTextSize = 256;

}  // namespace

int PrintLineCount(PrintSource& source, PrintTarget target) {
    if (target == PrintTarget::LineList) return std::max(0, source.ListCount());
    // An empty edit control still reports one line; there is nothing to print.
    if (source.EditTextLength() <= 0) return 0;
    return std::max(0, source.EditLineCount());
}

std::string PrintLineText(PrintSource& source, PrintTarget target, int index, int charsPerLine) {
    if (index < 0 || charsPerLine <= 0 || index >= PrintLineCount(source, target)) return {};
    std::string line;
    if (target == PrintTarget::LineList) {
        if (!source.ListLine(index, line)) return {};
    } else {
        // The platform reads at most 65,535 characters of a line at a time.
        line = source.EditLine(index, std::min(charsPerLine, 0xFFFF));
    }
    if (line.size() > static_cast<size_t>(charsPerLine))
        line.resize(static_cast<size_t>(charsPerLine));
    return line;
}

bool PrintFile(PrintCommandHost& host, const PrintCommandRequest& request) {
    PrintTarget target = PrintTarget::EditView;
    switch (host.AskTarget(target)) {
        case PrintChoice::Cancelled: return true;
        case PrintChoice::Failed: return false;
        case PrintChoice::Chosen: break;
    }
    const int lines = PrintLineCount(host, target);
    if (lines == 0) return true;
    PrinterMetrics metrics;
    PageGeometry geometry;
    if (!host.MeasurePage(metrics) || !ComputePageGeometry(metrics, request.TabLength, geometry))
        return false;

    host.BeginSpooling();
    const std::string heading = target == PrintTarget::LineList
                                    ? ListHeadingText(request.SearchText, geometry.CharsPerLine)
                                    : std::string();
    const PrintOutcome outcome =
        RunPrintJob(host.Printer(geometry, target), geometry, lines, heading);
    host.EndSpooling();
    return outcome == PrintOutcome::Printed;
}

void PrintCommand(PrintCommandHost& host, const PrintCommandRequest& request) {
    host.SetHelpContext(IDM_FV_PRINT);
    const bool printed = PrintFile(host, request);
    host.SetHelpContext(0);
    if (printed) return;
    char text[kFailureTextSize];
    std::snprintf(text, sizeof text, "Could not print file %s", request.FileName.c_str());
    host.ShowFailure(text);
}
