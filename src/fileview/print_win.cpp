#include "fileview/print_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fileview/pane_text_win.h"
#include "ui/app_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"
#include "resource_ids.h"
#include "results/presentation_win.h"

namespace {

// The job the platform's callbacks act on: the dialog hook, the cancel box
// and the abort procedure get no word of it from the platform.
PrintJob* g_Running = nullptr;

HINSTANCE ProgramInstance() {
    return GetModuleHandleA(nullptr);
}

// What the Print dialog hands back: released on every path out of the job.
struct PrintDialogResult {
    PRINTDLGA Record{};
    ~PrintDialogResult() {
        if (Record.hDC) DeleteDC(Record.hDC);
        if (Record.hDevMode) GlobalFree(Record.hDevMode);
        if (Record.hDevNames) GlobalFree(Record.hDevNames);
    }
};

struct FontOwner {
    HFONT Font = nullptr;
    ~FontOwner() {
        if (Font) DeleteObject(Font);
    }
};

UINT_PTR CALLBACK PrintSetupHook(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    CallDialogTestHook(dialog, PRNSETUPDLGORD);
    return TRUE;  // the platform's default focus
}

UINT_PTR CALLBACK PrintDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CheckRadioButton(dialog, IDC_PRINT_EDITVIEW, IDC_PRINT_LINE_LIST, IDC_PRINT_EDITVIEW);
            EnableWindow(GetDlgItem(dialog, rad2), FALSE);
            for (int id : {stc2, stc3, edt1, edt2, chx2})
                ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
            SetFocus(GetDlgItem(dialog, IDC_PRINT_EDITVIEW));
            CallDialogTestHook(dialog, IDD_PRINT);
            return FALSE;  // the focus is set; the platform must not move it
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_PRINT_EDITVIEW:
                case IDC_PRINT_LINE_LIST: {
                    // The print range means something for EditView's text only.
                    BOOL text = IsDlgButtonChecked(dialog, IDC_PRINT_EDITVIEW) == BST_CHECKED;
                    EnableWindow(GetDlgItem(dialog, rad1), text);
                    EnableWindow(GetDlgItem(dialog, rad2), text);
                    return TRUE;
                }
                case IDOK:
                    if (g_Running)
                        g_Running->Target =
                            IsDlgButtonChecked(dialog, IDC_PRINT_LINE_LIST) == BST_CHECKED
                                ? PrintTarget::LineList
                                : PrintTarget::EditView;
                    return FALSE;  // the platform closes the dialog
            }
            break;
    }
    return FALSE;
}

// A fresh record for each dialog, so a printer chosen in Print Setup is not
// carried into the next Print.
void PreparePrintRecord(PRINTDLGA& record, HWND owner) {
    record = PRINTDLGA{};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.Flags = PD_RETURNDC | PD_ENABLEPRINTHOOK | PD_ENABLEPRINTTEMPLATE | PD_SHOWHELP |
                   PD_ENABLESETUPHOOK;
    record.nCopies = 1;
    record.hInstance = ProgramInstance();
    record.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_PRINT);
    record.lpfnPrintHook = PrintDialogHook;
    record.lpfnSetupHook = PrintSetupHook;
}

// The owner comes back at once; the job ends at its next page.
void CancelJob(PrintJob& job) {
    job.Cancelled = true;
    EnableWindow(job.Owner, TRUE);
    if (job.CancelBox) DestroyWindow(job.CancelBox);
    job.CancelBox = nullptr;
}

INT_PTR CALLBACK CancelBoxProc(HWND, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:  // any command is the Cancel button
            if (g_Running) CancelJob(*g_Running);
            return TRUE;
    }
    return FALSE;
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
    PrintJob* job = g_Running;
    if (!job) return FALSE;
    MSG msg;
    while (!job->Cancelled && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program is ending: leave the quit for the message loop and
            // drop the job rather than spool on behind a closing window.
            PostQuitMessage(static_cast<int>(msg.wParam));
            CancelJob(*job);
            break;
        }
        if (job->CancelBox && IsDialogMessageA(job->CancelBox, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !job->Cancelled;
}

HWND OpenCancelBox(HWND owner, const char* fileName) {
    HWND box =
        CreateDialogParamA(ProgramInstance(), QUARRY_PRINT_CANCEL_BOX, owner, CancelBoxProc, 0);
    if (!box) return nullptr;
    SetDlgItemTextA(box, IDC_PRINT_FILE_NAME, fileName);
    EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ShowWindow(box, SW_SHOWNORMAL);
    UpdateWindow(box);
    CallDialogTestHook(box, IDC_PRINT_FILE_NAME);  // the box's template has a name, not a number
    return box;
}

// Draws a job on the printer's device context.
class DevicePrintHost : public PrintJobHost {
  public:
    DevicePrintHost(const PrintRequest& request, PrintSource& source, PrintJob& job, HDC dc,
                    const PageGeometry& geometry, PrintTarget target)
        : source_(source), job_(job), dc_(dc), geometry_(geometry), target_(target) {
        width_ = GetDeviceCaps(dc, HORZRES);
        jobName_ = AppTitleText() + " - " + request.FileName;
        title_ = request.FileName;
        if (!title_.empty()) CharUpperBuffA(title_.data(), static_cast<DWORD>(title_.size()));
        date_ = FormatShortDate(request.FileTime);
        titleFont_.Font =
            CreateFontA(-MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                        FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, FF_ROMAN | VARIABLE_PITCH, "MS Serif");
    }

    bool StartJob() override {
        DOCINFOA info{};
        info.cbSize = sizeof info;
        info.lpszDocName = jobName_.c_str();
        return StartDocA(dc_, &info) > 0;
    }
    bool StartPage() override { return ::StartPage(dc_) > 0; }
    void PrintTitle() override {
        HGDIOBJ previous = titleFont_.Font ? SelectObject(dc_, titleFont_.Font) : nullptr;
        SetTextAlign(dc_, TA_CENTER | TA_TOP);
        TextOutA(dc_, width_ / 2, geometry_.TitleY, title_.c_str(),
                 static_cast<int>(title_.size()));
        SetTextAlign(dc_, TA_RIGHT | TA_TOP);
        TextOutA(dc_, width_ - geometry_.CharWidth, geometry_.TitleY, date_.c_str(),
                 static_cast<int>(date_.size()));
        SetTextAlign(dc_, TA_LEFT | TA_TOP);
        if (previous) SelectObject(dc_, previous);
    }
    void PrintLine(int y, const std::string& text) override {
        int tabStop = geometry_.TabStop;
        TabbedTextOutA(dc_, 0, y, text.c_str(), static_cast<int>(text.size()), 1, &tabStop, 0);
    }
    std::string LineText(int index, int charsPerLine) override {
        return PrintLineText(source_, target_, index, charsPerLine);
    }
    bool EndPage() override { return ::EndPage(dc_) > 0; }
    bool Cancelled() override {
        // The platform may call the abort procedure seldom or never; once a
        // page the cancel box gets its turn in any case.
        PrintAbortProc(dc_, 0);
        return job_.Cancelled;
    }
    bool EndJob() override { return EndDoc(dc_) > 0; }
    void AbandonJob() override { AbortDoc(dc_); }

  private:
    PrintSource& source_;
    PrintJob& job_;
    HDC dc_;
    PageGeometry geometry_;
    PrintTarget target_;
    int width_ = 0;
    std::string jobName_, title_, date_;
    FontOwner titleFont_;
};

// FileView's panes, its dialogs and the printer as the print command sees them.
class WindowPrintHost : public PrintCommandHost {
  public:
    WindowPrintHost(const PrintRequest& request, PrintJob& job) : request_(request), job_(job) {}

    int EditTextLength() override {
        return request_.EditView ? GetWindowTextLengthA(request_.EditView) : 0;
    }
    int EditLineCount() override {
        return static_cast<int>(SendMessageA(request_.EditView, EM_GETLINECOUNT, 0, 0));
    }
    std::string EditLine(int index, int limit) override {
        // EM_GETLINE reads its limit from the buffer's first word, so the
        // buffer holds at least two bytes.
        std::vector<char> buffer(static_cast<size_t>(std::max(limit, 2)) + 1, '\0');
        const WORD word = static_cast<WORD>(limit);
        memcpy(buffer.data(), &word, sizeof word);
        const LRESULT got = SendMessageA(request_.EditView, EM_GETLINE, index,
                                         reinterpret_cast<LPARAM>(buffer.data()));
        const size_t length = static_cast<size_t>(std::clamp<LRESULT>(got, 0, limit));
        return std::string(buffer.data(), length);
    }
    int ListCount() override {
        if (!request_.LineView) return -1;
        return static_cast<int>(SendMessageA(request_.LineView, LB_GETCOUNT, 0, 0));
    }
    bool ListLine(int index, std::string& line) override {
        return ListItemText(request_.LineView, index, line);
    }

    void SetHelpContext(int context) override {
        if (request_.HelpContext) *request_.HelpContext = context;
    }
    PrintChoice AskTarget(PrintTarget& target) override {
        PreparePrintRecord(dialog_.Record, request_.Owner);
        if (!PrintDlgA(&dialog_.Record))
            return CommDlgExtendedError() == 0 ? PrintChoice::Cancelled : PrintChoice::Failed;
        target = job_.Target;
        return PrintChoice::Chosen;
    }
    bool MeasurePage(PrinterMetrics& printer) override {
        HDC dc = dialog_.Record.hDC;
        TEXTMETRICA metrics{};
        if (!dc || !GetTextMetricsA(dc, &metrics)) return false;
        printer.HorizontalResolution = GetDeviceCaps(dc, HORZRES);
        printer.VerticalResolution = GetDeviceCaps(dc, VERTRES);
        printer.PixelsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
        printer.TextHeight = metrics.tmHeight;
        printer.ExternalLeading = metrics.tmExternalLeading;
        printer.AverageCharWidth = metrics.tmAveCharWidth;
        return true;
    }
    void BeginSpooling() override {
        job_.Owner = request_.Owner;
        EnableWindow(request_.Owner, FALSE);
        job_.CancelBox = OpenCancelBox(request_.Owner, request_.FileName);
        SetAbortProc(dialog_.Record.hDC, PrintAbortProc);
    }
    PrintJobHost& Printer(const PageGeometry& geometry, PrintTarget target) override {
        device_.emplace(request_, *this, job_, dialog_.Record.hDC, geometry, target);
        return *device_;
    }
    void EndSpooling() override {
        // The title font goes before the device context it was made for.
        device_.reset();
        EnableWindow(request_.Owner, TRUE);
        if (job_.CancelBox) DestroyWindow(job_.CancelBox);
        job_.CancelBox = nullptr;
    }
    void ShowFailure(const std::string& text) override {
        ShowMessageBox(request_.Owner, text, MB_ICONEXCLAMATION | MB_OK);
    }

  private:
    const PrintRequest& request_;
    PrintJob& job_;
    PrintDialogResult dialog_;
    std::optional<DevicePrintHost> device_;
};

}  // namespace

void PrintCommand(const PrintRequest& request, PrintJob& job) {
    job = PrintJob{};
    PrintJob* const outer = g_Running;
    g_Running = &job;
    {
        WindowPrintHost host(request, job);
        PrintCommandRequest what;
        what.FileName = request.FileName ? request.FileName : "";
        what.SearchText = request.SearchText ? request.SearchText : "";
        what.TabLength = request.TabLength;
        ::PrintCommand(host, what);
    }
    g_Running = outer;
}

void PrintSetupCommand(HWND owner, int* helpContext) {
    if (helpContext) *helpContext = IDM_FV_PRINT_SETUP;
    PrintDialogResult dialog;
    PreparePrintRecord(dialog.Record, owner);
    dialog.Record.Flags |= PD_PRINTSETUP;
    dialog.Record.Flags &= ~static_cast<DWORD>(PD_RETURNDC | PD_ENABLEPRINTTEMPLATE);
    // Some platforms hand the setup box to the print hook; it must not touch
    // the setup box's controls.
    dialog.Record.lpfnPrintHook = PrintSetupHook;
    PrintDlgA(&dialog.Record);
    if (helpContext) *helpContext = 0;
}
