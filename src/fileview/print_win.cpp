#include "fileview/print_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fileview/file_view_commands_win.h"
#include "fileview/file_view_win.h"
#include "fileview/print_layout.h"
#include "resource_ids.h"
#include "results/presentation_win.h"
#include "search/criteria.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/message_box_win.h"

namespace {

// The one job in progress: the Print dialog's choice and the cancel box.
struct PrintJobState {
    PrintTarget Target = PrintTarget::EditView;
    HWND Owner = nullptr;
    HWND CancelBox = nullptr;
    bool Cancelled = false;
};
PrintJobState g_Job;

PrintDialogTestHook g_TestHook = nullptr;

void CallTestHook(HWND dialog, int id) {
    if (g_TestHook) g_TestHook(dialog, id);
}

HINSTANCE ProgramInstance() {
    return GetModuleHandleA(nullptr);
}

// What the Print dialog hands back: released on every path out of PrintFile.
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
    CallTestHook(dialog, IDM_FV_PRINT_SETUP);
    return TRUE;  // the platform's default focus
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
    record.lCustData = static_cast<LPARAM>(PrintTarget::EditView);
}

// The owner comes back at once; the job ends at its next page.
void CancelJob() {
    g_Job.Cancelled = true;
    EnableWindow(g_Job.Owner, TRUE);
    if (g_Job.CancelBox) DestroyWindow(g_Job.CancelBox);
    g_Job.CancelBox = nullptr;
}

INT_PTR CALLBACK CancelBoxProc(HWND, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:  // any command is the Cancel button
        CancelJob();
        return TRUE;
    }
    return FALSE;
}

HWND OpenCancelBox(HWND owner, const char* fileName) {
    HWND box = CreateDialogParamA(ProgramInstance(), QUARRY_PRINT_CANCEL_BOX, owner, CancelBoxProc, 0);
    if (!box) return nullptr;
    SetDlgItemTextA(box, IDC_PRINT_FILE_NAME, fileName);
    EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ShowWindow(box, SW_SHOWNORMAL);
    UpdateWindow(box);
    CallTestHook(box, IDC_PRINT_FILE_NAME);
    return box;
}

// Draws a job on the printer's device context.
class DevicePrintHost : public PrintJobHost {
  public:
    DevicePrintHost(const PrintRequest& request, HDC dc, const PageGeometry& geometry,
                    int horizontalResolution, int pixelsPerInchY)
        : request_(request), dc_(dc), geometry_(geometry), width_(horizontalResolution) {
        jobName_ = AppTitleText() + " - " + request.FileName;
        title_ = request.FileName;
        if (!title_.empty()) CharUpperBuffA(title_.data(), static_cast<DWORD>(title_.size()));
        date_ = FormatShortDate(request.FileTime);
        titleFont_.Font = CreateFontA(-MulDiv(12, pixelsPerInchY, 72), 0, 0, 0, FW_NORMAL, FALSE,
                                      FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      FF_ROMAN | VARIABLE_PITCH, "MS Serif");
        buffer_.resize(static_cast<size_t>(geometry.CharsPerLine) + 1);
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
        TextOutA(dc_, width_ / 2, geometry_.TitleY, title_.c_str(), static_cast<int>(title_.size()));
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
        int length = PrintLineText(request_, g_Job.Target, index, buffer_.data(), charsPerLine);
        return std::string(buffer_.data(), static_cast<size_t>(length));
    }
    bool EndPage() override { return ::EndPage(dc_) > 0; }
    bool Cancelled() override {
        // The platform may call the abort procedure seldom or never; once a
        // page the cancel box gets its turn in any case.
        PrintAbortProc(dc_, 0);
        return g_Job.Cancelled;
    }
    bool EndJob() override { return EndDoc(dc_) > 0; }
    void AbandonJob() override { AbortDoc(dc_); }

  private:
    const PrintRequest& request_;
    HDC dc_;
    PageGeometry geometry_;
    int width_;
    std::string jobName_, title_, date_;
    FontOwner titleFont_;
    std::vector<char> buffer_;
};

bool PageGeometryOf(HDC dc, int tabLength, PageGeometry& geometry) {
    TEXTMETRICA metrics{};
    if (!GetTextMetricsA(dc, &metrics)) return false;
    PrinterMetrics printer;
    printer.HorizontalResolution = GetDeviceCaps(dc, HORZRES);
    printer.VerticalResolution = GetDeviceCaps(dc, VERTRES);
    printer.PixelsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
    printer.TextHeight = metrics.tmHeight;
    printer.ExternalLeading = metrics.tmExternalLeading;
    printer.AverageCharWidth = metrics.tmAveCharWidth;
    return ComputePageGeometry(printer, tabLength, geometry);
}

}  // namespace

void SetPrintDialogTestHook(PrintDialogTestHook hook) {
    g_TestHook = hook;
}

UINT_PTR CALLBACK PrintDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(dialog, IDC_PRINT_EDITVIEW, IDC_PRINT_LINE_LIST, IDC_PRINT_EDITVIEW);
        EnableWindow(GetDlgItem(dialog, rad2), FALSE);
        for (int id : {stc2, stc3, edt1, edt2, chx2}) ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
        g_Job.Target = PrintTarget::EditView;
        SetFocus(GetDlgItem(dialog, IDC_PRINT_EDITVIEW));
        CallTestHook(dialog, IDD_PRINT);
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
            g_Job.Target = IsDlgButtonChecked(dialog, IDC_PRINT_LINE_LIST) == BST_CHECKED
                               ? PrintTarget::LineList
                               : PrintTarget::EditView;
            return FALSE;  // the platform closes the dialog
        }
        break;
    }
    return FALSE;
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
    MSG msg;
    while (!g_Job.Cancelled && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program is ending: leave the quit for the message loop and
            // drop the job rather than spool on behind a closing window.
            PostQuitMessage(static_cast<int>(msg.wParam));
            CancelJob();
            break;
        }
        if (g_Job.CancelBox && IsDialogMessageA(g_Job.CancelBox, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !g_Job.Cancelled;
}

int PrintLineCount(const PrintRequest& request, PrintTarget target) {
    if (target == PrintTarget::LineList) {
        LRESULT count = request.LineView ? SendMessageA(request.LineView, LB_GETCOUNT, 0, 0) : 0;
        return count > 0 ? static_cast<int>(count) : 0;
    }
    // An empty edit control still reports one line; there is nothing to print.
    if (!request.EditView || GetWindowTextLengthA(request.EditView) == 0) return 0;
    return static_cast<int>(SendMessageA(request.EditView, EM_GETLINECOUNT, 0, 0));
}

int PrintLineText(const PrintRequest& request, PrintTarget target, int index, char* buffer,
                  int charsPerLine) {
    buffer[0] = '\0';
    if (index < 0 || charsPerLine <= 0 || index >= PrintLineCount(request, target)) return 0;
    int length = 0;
    if (target == PrintTarget::LineList) {
        LRESULT full = SendMessageA(request.LineView, LB_GETTEXTLEN, index, 0);
        if (full == LB_ERR) return 0;
        std::string entry(static_cast<size_t>(full) + 1, '\0');
        full = SendMessageA(request.LineView, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
        if (full == LB_ERR) return 0;
        length = std::min(static_cast<int>(full), charsPerLine);
        memcpy(buffer, entry.data(), static_cast<size_t>(length));
    } else {
        // EM_GETLINE reads its limit from the buffer's first word; the buffer
        // holds at least two bytes.
        WORD limit = static_cast<WORD>(std::min(charsPerLine, 0xFFFF));
        if (charsPerLine == 1) {
            char pair[2];
            memcpy(pair, &limit, sizeof limit);
            length = static_cast<int>(SendMessageA(request.EditView, EM_GETLINE, index,
                                                   reinterpret_cast<LPARAM>(pair)));
            buffer[0] = pair[0];
        } else {
            memcpy(buffer, &limit, sizeof limit);
            length = static_cast<int>(SendMessageA(request.EditView, EM_GETLINE, index,
                                                   reinterpret_cast<LPARAM>(buffer)));
        }
        length = std::clamp(length, 0, charsPerLine);
    }
    buffer[length] = '\0';
    return length;
}

bool PrintFile(const PrintRequest& request) {
    PrintDialogResult dialog;
    PreparePrintRecord(dialog.Record, request.Owner);
    g_Job = PrintJobState{};
    if (!PrintDlgA(&dialog.Record)) return CommDlgExtendedError() == 0;  // 0: the user cancelled

    int lines = PrintLineCount(request, g_Job.Target);
    if (lines == 0) return true;
    HDC dc = dialog.Record.hDC;
    PageGeometry geometry;
    if (!dc || !PageGeometryOf(dc, request.TabLength, geometry)) return false;

    g_Job.Owner = request.Owner;
    EnableWindow(request.Owner, FALSE);
    g_Job.CancelBox = OpenCancelBox(request.Owner, request.FileName);
    SetAbortProc(dc, PrintAbortProc);

    std::string heading;
    if (g_Job.Target == PrintTarget::LineList)
        heading = ListHeadingText(request.SearchText ? request.SearchText : "", geometry.CharsPerLine);
    PrintOutcome outcome;
    {
        DevicePrintHost host(request, dc, geometry, GetDeviceCaps(dc, HORZRES),
                             GetDeviceCaps(dc, LOGPIXELSY));
        outcome = RunPrintJob(host, geometry, lines, heading);
    }
    if (!g_Job.Cancelled) {
        EnableWindow(request.Owner, TRUE);
        if (g_Job.CancelBox) DestroyWindow(g_Job.CancelBox);
    }
    g_Job.CancelBox = nullptr;
    return outcome == PrintOutcome::Printed;
}

void PrintSetup(HWND owner) {
    PrintDialogResult dialog;
    PreparePrintRecord(dialog.Record, owner);
    dialog.Record.Flags |= PD_PRINTSETUP;
    dialog.Record.Flags &= ~static_cast<DWORD>(PD_RETURNDC | PD_ENABLEPRINTTEMPLATE);
    // Some platforms hand the setup box to the print hook; it must not touch
    // the setup box's controls.
    dialog.Record.lpfnPrintHook = PrintSetupHook;
    PrintDlgA(&dialog.Record);
}

void PrintCommand(const PrintRequest& request) {
    if (request.HelpContext) *request.HelpContext = IDM_FV_PRINT;
    bool printed = PrintFile(request);
    if (request.HelpContext) *request.HelpContext = 0;
    if (printed) return;
    char text[kMessageTextSize];
    snprintf(text, sizeof text, "Could not print file %s", request.FileName ? request.FileName : "");
    ShowMessageBox(request.Owner, text, AppTitleText().c_str(), MB_ICONEXCLAMATION | MB_OK);
}

void PrintSetupCommand(HWND owner, int* helpContext) {
    if (helpContext) *helpContext = IDM_FV_PRINT_SETUP;
    PrintSetup(owner);
    if (helpContext) *helpContext = 0;
}

// FileView's Print and Print Setup; FileView has set its help context.
void OnFileViewPrintCommand(HWND fileView, int command) {
    if (command == IDM_FV_PRINT_SETUP) {
        PrintSetup(fileView);
        return;
    }
    PrintRequest request;
    request.Owner = fileView;
    request.EditView = FileViewEditView();
    request.LineView = FileViewLineView();
    request.FileName = ShownFile().FileName;
    request.FileTime = ShownFile().LastWriteTime;
    request.SearchText = LastSearchText().c_str();
    request.TabLength = g_Settings.Tabs;
    PrintCommand(request);
}
