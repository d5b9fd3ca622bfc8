// FileView's printing over random printer metrics, line counts and failures:
// the geometry is refused or sound (no division by zero, body lines between
// the heading and the page number), a job that goes through prints every
// line exactly once and in order within its page, and a job that fails or
// is cancelled is abandoned once and touched no more.

#include <algorithm>
#include <string>
#include <vector>

#include "fileview/print_layout.h"
#include "fuzz_input.h"

namespace {

enum Step : uint8_t { kStartJob, kStartPage, kEndPage, kCancel, kEndJob, kSteps };

class Printer : public PrintJobHost {
  public:
    Printer(const PageGeometry& g, uint8_t failStep, int failPage)
        : g_(g), failStep_(failStep), failPage_(failPage) {}
    std::vector<int> asked;
    int page = -1, abandoned = 0, ended = 0, lastSlot = -1;
    bool headed = false;

    bool StartJob() override { return Live() && failStep_ != kStartJob; }
    bool StartPage() override {
        FUZZ_CHECK(Live());
        lastSlot = -1;
        return !(++page == failPage_ && failStep_ == kStartPage);
    }
    void PrintTitle() override { FUZZ_CHECK(Live()); }
    void PrintLine(int y, const std::string& text) override {
        FUZZ_CHECK(Live() && y % g_.LineHeight == 0);
        FUZZ_CHECK(static_cast<int>(text.size()) <= g_.CharsPerLine);
        const int slot = y / g_.LineHeight;
        // The heading goes first on the first page, above the body on any
        // page of six slots or more.
        if (page == 0 && lastSlot == -1 && slot == kListHeadingSlot && !headed) {
            headed = true;
            return;
        }
        FUZZ_CHECK(slot > lastSlot && slot < g_.SlotsPerPage);
        if (headed && page == 0 && g_.SlotsPerPage >= 6) FUZZ_CHECK(slot > kListHeadingSlot);
        lastSlot = slot;
    }
    std::string LineText(int index, int charsPerLine) override {
        FUZZ_CHECK(charsPerLine == g_.CharsPerLine);
        asked.push_back(index);
        return std::string(static_cast<size_t>(std::min(index % 3, charsPerLine)), 'x');
    }
    bool EndPage() override { return Live() && !(page == failPage_ && failStep_ == kEndPage); }
    bool Cancelled() override { return page == failPage_ && failStep_ == kCancel; }
    bool EndJob() override {
        FUZZ_CHECK(Live());
        ++ended;
        return failStep_ != kEndJob;
    }
    void AbandonJob() override { ++abandoned; }

  private:
    bool Live() const { return abandoned == 0 && ended == 0; }
    const PageGeometry& g_;
    uint8_t failStep_;
    int failPage_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    PrinterMetrics m;
    for (int* value : {&m.HorizontalResolution, &m.VerticalResolution, &m.PixelsPerInchY,
                       &m.TextHeight, &m.ExternalLeading, &m.AverageCharWidth}) {
        // Mostly the sizes of real pages and fonts, now and then anything.
        const uint8_t kind = input.Byte();
        const auto word = static_cast<int>(input.Word32());
        *value = kind < 200 ? word % 20000 : word;
    }
    const int tabLength = static_cast<int8_t>(input.Byte());
    const int lineCount = static_cast<int>(input.Word32() % 5000) - 10;
    const uint8_t failStep = input.Byte() % (kSteps + 1);  // kSteps: nothing fails
    const int failPage = input.Byte();
    const std::string heading = input.Piece();

    PageGeometry g;
    if (!ComputePageGeometry(m, tabLength, g)) {
        FUZZ_CHECK(g.LineHeight == 0 && g.SlotsPerPage == 0);
        return 0;
    }
    FUZZ_CHECK(g.LineHeight > 0 && g.CharWidth > 0 && g.TabStop > 0 && g.CharsPerLine >= 1);
    FUZZ_CHECK(g.SlotsPerPage >= 2 && g.FooterSlot == g.SlotsPerPage - 1 && g.BodyLinesPerPage >= 1);
    for (int page : {0, 1})
        FUZZ_CHECK(BodySlot(g, page, 0) >= 0 && BodySlot(g, page, g.BodyLinesPerPage - 1) < g.FooterSlot);
    const int pages = PageCount(g, lineCount);
    if (lineCount > 0)
        FUZZ_CHECK(static_cast<long>(pages - 1) * g.BodyLinesPerPage < lineCount &&
                   static_cast<long>(pages) * g.BodyLinesPerPage >= lineCount);

    Printer printer(g, failStep, failPage);
    const std::string listHeading = ListHeadingText(heading, g.CharsPerLine);
    const PrintOutcome outcome = RunPrintJob(printer, g, lineCount, listHeading);
    const bool fails = lineCount > 0 && failStep < kSteps &&
                       (failStep == kStartJob || failStep == kEndJob || failPage < pages);
    FUZZ_CHECK((outcome == PrintOutcome::Printed) == !fails);
    // A cancel ends the job after its last whole page; only a failed step abandons it.
    FUZZ_CHECK(printer.abandoned ==
               (fails && failStep != kStartJob && failStep != kEndJob && failStep != kCancel));
    if (outcome == PrintOutcome::Cancelled) FUZZ_CHECK(failStep == kCancel);
    // Every line once, in order; a broken job stops at its page.
    for (size_t i = 0; i < printer.asked.size(); ++i) FUZZ_CHECK(printer.asked[i] == int(i));
    if (!fails) FUZZ_CHECK(printer.asked.size() == size_t(std::max(0, lineCount)));
    return 0;
}
