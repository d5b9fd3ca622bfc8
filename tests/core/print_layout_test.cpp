#include "fileview/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A page of 66 slots of 10 pixels, 80 characters of 8 pixels, 72 dpi.
PrinterMetrics WithSlots(int slots = 66) {
    return PrinterMetrics{640, slots * 10 + 9, 72, 9, 1, 8};
}

// A page must hold a character and a line; a zero tab length means eight characters.
TEST(PageGeometry, PagesThatCannotHoldALineAreRefused) {
    PageGeometry g;
    ASSERT_TRUE(ComputePageGeometry(WithSlots(), 0, g));
    EXPECT_EQ(g.TabStop, 64);
    // clang-format off
    const struct { const char* what; int width, height, textHeight, charWidth; } cases[] = {
        {"no character width", 640, 665, 9, 0}, {"no line height", 640, 665, -1, 8},
        {"narrower than a character", 7, 665, 9, 8}, {"one slot only", 640, 19, 9, 8},
        {"no page", 0, 0, 9, 8}, {"a font taller than any page", 640, 665, INT_MAX, 8}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_FALSE(ComputePageGeometry(PrinterMetrics{c.width, c.height, 72, c.textHeight, 1, c.charWidth}, 4, g))
            << c.what;
    }
}

// A driver claiming a page billions of pixels wide gets lines of bounded
// length and tab stops within the page, not an overflow.
TEST(PageGeometry, AbsurdWidthsStayBounded) {
    PrinterMetrics m = WithSlots();
    m.HorizontalResolution = INT_MAX;
    m.AverageCharWidth = 1 << 30;
    PageGeometry g;
    ASSERT_TRUE(ComputePageGeometry(m, 100, g));
    EXPECT_EQ(g.TabStop, INT_MAX);
    m.AverageCharWidth = 1;
    ASSERT_TRUE(ComputePageGeometry(m, 4, g));
    EXPECT_LE(PageFooterText(1, g.CharsPerLine).size(), 4096u);
}

TEST(PageGeometry, PageCountsAndBodySlots) {
    // clang-format off
    const struct { int slots, lines, pages, firstPageSlot, laterPageSlot, bodyLines; } cases[] = {
        {66, 70, 2, 5, 4, 58},  // lines 1-58 on slots 5-62, 59-70 from slot 4
        {66, 58, 1, 5, 4, 58}, {66, 59, 2, 5, 4, 58}, {66, 1, 1, 5, 4, 58}, {66, 0, 0, 5, 4, 58},
        {9, 3, 3, 5, 4, 1},  // one slot left for the body
        {8, 3, 3, 5, 4, 1},  // none left: still one line a page, at its usual slot
        {6, 2, 2, 4, 4, 1},  // just above the page number
        {2, 2, 2, 0, 0, 1}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.slots) + " slots, " + std::to_string(c.lines) + " lines");
        PageGeometry g;
        ASSERT_TRUE(ComputePageGeometry(WithSlots(c.slots), 4, g));
        EXPECT_EQ(std::tuple(g.BodyLinesPerPage, PageCount(g, c.lines), BodySlot(g, 0, 0), BodySlot(g, 1, 0)),
                  std::tuple(c.bodyLines, c.pages, c.firstPageSlot, c.laterPageSlot));
        EXPECT_LT(BodySlot(g, 1, g.BodyLinesPerPage - 1), g.FooterSlot);
    }
}

TEST(PageTexts, CentredWithinTheLineAndCut) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {PageFooterText(1, 11), "    -1-"}, {PageFooterText(12, 10), "   -12-"},
        {PageFooterText(3, 2), "-3"}, {CenteredInLine("x", 0), ""},
        {ListHeadingText("ab", 40), "     List of lines containing 'ab'."},
        {ListHeadingText(std::string(50, 'x'), 40), "List of lines containing 'xxxxxxxxxxxxxx"}};
    // clang-format on
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

// Records what the job asks of the printer, one word per call.
class RecordingHost : public PrintJobHost {
  public:
    std::vector<std::string> calls;
    bool failStart = false, failEndJob = false;
    int failStartPage = -1, failEndPage = -1, cancelAfterPage = -1;  // pages counted from 0

    bool StartJob() override { return Log("start", !failStart); }
    bool StartPage() override { return Log("page", pages_ != failStartPage); }
    void PrintTitle() override { calls.push_back("title"); }
    void PrintLine(int y, const std::string& text) override { calls.push_back(std::to_string(y) + ":" + text); }
    std::string LineText(int index, int charsPerLine) override {
        return "L" + std::to_string(index + 1) + "/" + std::to_string(charsPerLine);
    }
    bool EndPage() override { return Log("endpage", pages_++ != failEndPage); }
    bool Cancelled() override { return cancelAfterPage >= 0 && pages_ > cancelAfterPage; }
    bool EndJob() override { return Log("end", !failEndJob); }
    void AbandonJob() override { calls.push_back("abandon"); }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const auto& c : calls)
            if (c.find(':') != std::string::npos) lines.push_back(c);
        return lines;
    }

  private:
    bool Log(const char* what, bool result) {
        calls.push_back(result ? what : std::string(what) + "!");
        return result;
    }
    int pages_ = 0;
};

PageGeometry Geometry(int slots) {
    PageGeometry g;
    EXPECT_TRUE(ComputePageGeometry(WithSlots(slots), 4, g));
    return g;
}

// 70 lines on 66 slots: two pages, each with its title and page number.
TEST(PrintJob, LinesGoOnTheirPagesUnderTheHeading) {
    RecordingHost host;
    ASSERT_EQ(RunPrintJob(host, Geometry(66), 70, ""), PrintOutcome::Printed);
    std::vector<std::string> lines = host.Lines();
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(lines[0] + lines[57] + lines[59] + lines[70], "50:L1/80620:L58/8040:L59/80150:L70/80");
    EXPECT_EQ(lines[58] + lines[71], "650:" + PageFooterText(1, 80) + "650:" + PageFooterText(2, 80));
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "title"), 2);

    RecordingHost headed;
    const std::string heading = ListHeadingText("needle", 80);
    ASSERT_EQ(RunPrintJob(headed, Geometry(12), 9, heading), PrintOutcome::Printed);
    lines = headed.Lines();
    EXPECT_EQ(lines[0] + lines[1], "30:" + heading + "50:L1/80");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "30:" + heading), 1);

    RecordingHost tiny;
    ASSERT_EQ(RunPrintJob(tiny, Geometry(8), 3, ""), PrintOutcome::Printed);
    EXPECT_EQ(tiny.Lines(), (std::vector<std::string>{"50:L1/80", "70:" + PageFooterText(1, 80),
                                                      "40:L2/80", "70:" + PageFooterText(2, 80),
                                                      "40:L3/80", "70:" + PageFooterText(3, 80)}));
}

// What each failure leaves of the job: the call sequence, shortened to the
// calls that start, end or drop pages and the job.
TEST(PrintJob, FailuresAbandonTheJobAndCancelEndsItAfterTheLastWholePage) {
    // clang-format off
    const struct { const char* what; void (*arrange)(RecordingHost&); int lines; PrintOutcome outcome; std::string sequence; }
    cases[] = {
        {"no lines", [](RecordingHost&) {}, 0, PrintOutcome::Printed, ""},
        {"job refused", [](RecordingHost& h) { h.failStart = true; }, 70, PrintOutcome::Failed, "start!"},
        {"second page not started", [](RecordingHost& h) { h.failStartPage = 1; }, 70,
         PrintOutcome::Failed, "start page endpage page! abandon"},
        {"first page not ended", [](RecordingHost& h) { h.failEndPage = 0; }, 70,
         PrintOutcome::Failed, "start page endpage! abandon"},
        {"cancelled on the first page", [](RecordingHost& h) { h.cancelAfterPage = 0; }, 70,
         PrintOutcome::Cancelled, "start page endpage end"},
        {"cancel refused the page", [](RecordingHost& h) { h.cancelAfterPage = 0; h.failEndPage = 0; },
         70, PrintOutcome::Cancelled, "start page endpage! abandon"},
        {"job not ended", [](RecordingHost& h) { h.failEndJob = true; }, 10, PrintOutcome::Failed,
         "start page endpage end!"},
    };
    // clang-format on
    for (const auto& c : cases) {
        RecordingHost host;
        c.arrange(host);
        EXPECT_EQ(RunPrintJob(host, Geometry(66), c.lines, ""), c.outcome) << c.what;
        std::string sequence;
        for (const auto& call : host.calls)
            if (call != "title" && call.find(':') == std::string::npos)
                sequence += (sequence.empty() ? "" : " ") + call;
        EXPECT_EQ(sequence, c.sequence) << c.what;
    }
}

}  // namespace
