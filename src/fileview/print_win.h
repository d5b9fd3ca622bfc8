#pragma once

#include <windows.h>

#include <cstdint>

#include "fileview/print_job.h"

// Printing FileView's text or its Line List on the platform's printer: the
// dialogs, the panes' lines and the device context behind print_job.h.

struct PrintRequest {
    HWND Owner = nullptr;     // FileView: owns the dialogs, disabled while the job spools
    HWND EditView = nullptr;  // the edit control holding the text
    HWND LineView = nullptr;  // the list box holding the Line List
    const char* FileName = "";
    int64_t FileTime = 0;         // the file's last write, seconds since 1970 UTC
    const char* SearchText = "";  // the last search text, named above a printed Line List
    int TabLength = 4;
    int* HelpContext = nullptr;  // FileView's help context, for the dialogs' Help buttons
};

// The job in progress: the Print dialog's choice and the cancel box.
struct PrintJob {
    PrintTarget Target = PrintTarget::EditView;
    HWND Owner = nullptr;
    HWND CancelBox = nullptr;
    bool Cancelled = false;
};

// Print (145) with `job` as the job's record.
void PrintCommand(const PrintRequest& request, PrintJob& job);
// Print Setup (146): the help context is 146 while the platform's Print Setup
// is up; its choice is not kept: every Print starts with the default printer.
void PrintSetupCommand(HWND owner, int* helpContext);
