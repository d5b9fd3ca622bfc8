#include "fileview/print_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

using V = std::vector<std::string>;

// The panes as the platform hands out their lines: EditView's control cuts a
// line at the limit it is given, LineView's list may refuse an entry.
template <class Base>
class PanesOf : public Base {
  public:
    V edit, list;
    bool hasList = true;
    int refusedEntry = -1;
    std::vector<int> limits;  // what EditLine was asked for

    int EditTextLength() override {
        int length = 0;
        for (const auto& line : edit) length += static_cast<int>(line.size()) + 2;
        return edit.empty() ? 0 : length - 2;
    }
    int EditLineCount() override { return edit.empty() ? 1 : static_cast<int>(edit.size()); }
    std::string EditLine(int index, int limit) override {
        limits.push_back(limit);
        return edit[static_cast<size_t>(index)].substr(0, static_cast<size_t>(limit));
    }
    int ListCount() override { return hasList ? static_cast<int>(list.size()) : -1; }
    bool ListLine(int index, std::string& line) override {
        if (index == refusedEntry) return false;
        line = list[static_cast<size_t>(index)];
        return true;
    }
};
using Panes = PanesOf<PrintSource>;

TEST(PrintLines, CountAndFetchWithinTheTargetAndThePage) {
    Panes panes;
    panes.edit = {"alpha", "", "a much longer line"};
    panes.list = {"entry one", "entry two"};
    panes.refusedEntry = 1;
    // clang-format off
    const PrintTarget E = PrintTarget::EditView, L = PrintTarget::LineList;
    const struct { PrintTarget target; int index, chars; const char* line; } cases[] = {
        {E, 0, 80, "alpha"}, {E, 1, 80, ""}, {E, 2, 6, "a much"} /* cut to the page */, {E, 3, 80, ""},
        {E, -1, 80, ""}, {E, 0, 0, ""} /* no room on the page */, {L, 0, 5, "entry"},
        {L, 1, 80, ""} /* the list refuses it */, {L, 2, 80, ""}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(PrintLineText(panes, c.target, c.index, c.chars), c.line)
            << static_cast<int>(c.target) << " " << c.index << "/" << c.chars;
    EXPECT_EQ(PrintLineCount(panes, E) * 10 + PrintLineCount(panes, L), 32);

    // An empty control still says it has one line; no list is an empty list.
    Panes empty;
    empty.hasList = false;
    EXPECT_EQ(PrintLineCount(empty, E) + PrintLineCount(empty, L), 0);
    // The platform is never asked for more than a line's word can say.
    Panes wide;
    wide.edit = {"x"};
    PrintLineText(wide, E, 0, 100000);
    EXPECT_EQ(wide.limits, std::vector<int>{0xFFFF});
}

// The dialogs, the printer and FileView as the command sees them, one word a step.
class CommandHost : public PanesOf<PrintCommandHost> {
  public:
    PrintChoice choice = PrintChoice::Chosen;
    PrintTarget chosen = PrintTarget::EditView;
    bool measures = true, jobFails = false, cancels = false;
    PrinterMetrics metrics{640, 665, 72, 9, 1, 8};  // 66 slots, 80 characters
    V steps, printed;
    std::vector<int> helpContexts;

    CommandHost() { this->edit = {"one", "two"}, this->list = {"e1"}; }
    void SetHelpContext(int context) override { helpContexts.push_back(context); }
    PrintChoice AskTarget(PrintTarget& target) override {
        steps.push_back("dialog");
        target = chosen;
        return choice;
    }
    bool MeasurePage(PrinterMetrics& m) override { return m = metrics, measures; }
    void BeginSpooling() override { steps.push_back("spool"); }
    PrintJobHost& Printer(const PageGeometry&, PrintTarget target) override { return job_.target = target, job_; }
    void EndSpooling() override { steps.push_back("back"); }
    void ShowFailure(const std::string& text) override { steps.push_back(text); }

  private:
    // The printer: what it is given to print, body and headings alike.
    struct Job : PrintJobHost {
        explicit Job(CommandHost& h) : h(h) {}
        bool StartJob() override { return !h.jobFails; }
        bool StartPage() override { return true; }
        void PrintTitle() override {}
        void PrintLine(int, const std::string& text) override { h.printed.push_back(text); }
        std::string LineText(int index, int charsPerLine) override {
            return PrintLineText(h, target, index, charsPerLine);
        }
        bool EndPage() override { return true; }
        bool Cancelled() override { return h.cancels; }
        bool EndJob() override { return true; }
        void AbandonJob() override { h.steps.push_back("abandon"); }
        CommandHost& h;
        PrintTarget target = PrintTarget::EditView;
    } job_{*this};
};

TEST(PrintCommand, WhatEachStepLeadsTo) {
    const std::string failed = "Could not print file notes.txt";
    const std::string heading = ListHeadingText("needle", 80);
    // clang-format off
    const V printed = {"one", "two", PageFooterText(1, 80)}, spooled = {"dialog", "spool", "back"};
    const struct { const char* what; void (*arrange)(CommandHost&); V steps; V printed; } cases[] = {
        {"printed", [](CommandHost&) {}, spooled, printed},
        {"the Line List", [](CommandHost& h) { h.chosen = PrintTarget::LineList; }, spooled, {heading, "e1", PageFooterText(1, 80)}},
        {"dialog cancelled", [](CommandHost& h) { h.choice = PrintChoice::Cancelled; }, {"dialog"}, {}},
        {"dialog failed", [](CommandHost& h) { h.choice = PrintChoice::Failed; }, {"dialog", failed}, {}},
        {"empty text", [](CommandHost& h) { h.edit.clear(); }, {"dialog"}, {}},
        {"empty Line List", [](CommandHost& h) { h.list.clear(), h.chosen = PrintTarget::LineList; }, {"dialog"}, {}},
        {"printer says nothing", [](CommandHost& h) { h.measures = false; }, {"dialog", failed}, {}},
        {"page holds no line", [](CommandHost& h) { h.metrics.TextHeight = h.metrics.ExternalLeading = 0; }, {"dialog", failed}, {}},
        {"job refused", [](CommandHost& h) { h.jobFails = true; }, {"dialog", "spool", "back", failed}, {}},
        {"cancelled while spooling", [](CommandHost& h) { h.cancels = true; }, {"dialog", "spool", "back", failed}, printed},
    };
    // clang-format on
    for (const auto& c : cases) {
        CommandHost host;
        c.arrange(host);
        PrintCommandRequest request;
        request.FileName = "notes.txt", request.SearchText = "needle";
        PrintCommand(host, request);
        EXPECT_EQ(std::pair(host.steps, host.printed), std::pair(c.steps, c.printed)) << c.what;
        // The dialogs' Help buttons name Print while they are up, and nothing after.
        EXPECT_EQ(host.helpContexts, (std::vector<int>{IDM_FV_PRINT, 0})) << c.what;
    }
}

}  // namespace
