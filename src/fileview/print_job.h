#pragma once

#include <string>

#include "fileview/print_layout.h"

// FileView's Print command from the dialog to the last page: which lines are
// printed, how each is fetched and cut, and what a failure leads to. The
// dialogs, the panes and the printer are behind the hosts below.

enum class PrintTarget { EditView, LineList };

// The two panes' lines as the platform hands them out.
class PrintSource {
  public:
    virtual ~PrintSource() = default;
    // EditView's text length and its line count (an empty control says 1).
    virtual int EditTextLength() = 0;
    virtual int EditLineCount() = 0;
    // EditView's index-th line, at most `limit` characters of it.
    virtual std::string EditLine(int index, int limit) = 0;
    // LineView's entries; below 0 when there is no LineView.
    virtual int ListCount() = 0;
    // LineView's index-th entry whole; false when the list refuses it.
    virtual bool ListLine(int index, std::string& line) = 0;
};

// The lines of a target; 0 when there is nothing to print.
int PrintLineCount(PrintSource& source, PrintTarget target);
// The index-th line of the target, at most charsPerLine characters; empty
// for an index outside the target or a line the pane refuses.
std::string PrintLineText(PrintSource& source, PrintTarget target, int index, int charsPerLine);

enum class PrintChoice { Chosen, Cancelled, Failed };

class PrintCommandHost : public PrintSource {
  public:
    // FileView's help context, for the dialogs' Help buttons; 0 resets it.
    virtual void SetHelpContext(int context) = 0;
    // The Print dialog: the target chosen, or whether it was cancelled or failed.
    virtual PrintChoice AskTarget(PrintTarget& target) = 0;
    // The chosen printer's page and default font; false when it says nothing.
    virtual bool MeasurePage(PrinterMetrics& metrics) = 0;
    // FileView is disabled and the cancel box shown while the job spools.
    virtual void BeginSpooling() = 0;
    // The printer for the job, its lines from PrintLineText over this source.
    virtual PrintJobHost& Printer(const PageGeometry& geometry, PrintTarget target) = 0;
    // FileView back and the cancel box gone, whatever the outcome.
    virtual void EndSpooling() = 0;
    // "Could not print file %s" over FileView.
    virtual void ShowFailure(const std::string& text) = 0;
};

struct PrintCommandRequest {
    std::string FileName;
    std::string SearchText;  // named above a printed Line List
    int TabLength = 4;
};

// The Print dialog and the job. True when the job was printed, the dialog was
// cancelled or the chosen target has no lines; false when the dialog or the
// job failed or the user cancelled the job while it spooled.
bool PrintFile(PrintCommandHost& host, const PrintCommandRequest& request);
// Print (145): the help context is 145 while the dialog is up; a false
// PrintFile shows "Could not print file %s".
void PrintCommand(PrintCommandHost& host, const PrintCommandRequest& request);
