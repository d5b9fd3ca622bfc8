#pragma once

#include <windows.h>

#include <cstdint>

// Printing FileView's text or its Line List. FileView's Print (145) and Print
// Setup (146) commands call PrintCommand and PrintSetupCommand with what it
// shows; nothing here reaches into FileView's own state.

enum class PrintTarget { EditView, LineList };

struct PrintRequest {
    HWND Owner = nullptr;     // FileView: owns the dialogs, disabled while the job spools
    HWND EditView = nullptr;  // the edit control holding the text
    HWND LineView = nullptr;  // the list box holding the Line List
    const char* FileName = "";
    int64_t FileTime = 0;  // the file's last write, seconds since 1970 UTC
    const char* SearchText = "";  // the last search text, named above a printed Line List
    int TabLength = 4;
    int* HelpContext = nullptr;  // FileView's help context, for the dialogs' Help buttons
};

// Print (145): the help context becomes 145; the Print dialog, then the job.
// A failure or a cancelled job shows "Could not print file %s" over FileView.
void PrintCommand(const PrintRequest& request);
// Print Setup (146): the help context becomes 146; the platform's Print Setup.
void PrintSetupCommand(HWND owner, int* helpContext);

// The Print dialog and the job. True when the job was printed, the dialog was
// cancelled or the chosen target has no lines; false when the job failed or
// the user cancelled it while it spooled.
bool PrintFile(const PrintRequest& request);
// Print Setup; its choice is not kept: every Print starts with the default printer.
void PrintSetup(HWND owner);

// The lines of a target: EditView's lines or LineView's entries.
int PrintLineCount(const PrintRequest& request, PrintTarget target);
// The index-th line of the target in `buffer`, at most `charsPerLine`
// characters and zero-terminated (the buffer holds charsPerLine + 1); its length.
int PrintLineText(const PrintRequest& request, PrintTarget target, int index, char* buffer,
                  int charsPerLine);

UINT_PTR CALLBACK PrintDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CALLBACK PrintAbortProc(HDC dc, int error);

// Tests answer the Print and Print Setup dialogs and the cancel box: the hook
// is called once each has been set up, with IDD_PRINT, IDM_FV_PRINT_SETUP or
// IDC_PRINT_FILE_NAME as its id.
using PrintDialogTestHook = void (*)(HWND dialog, int id);
void SetPrintDialogTestHook(PrintDialogTestHook hook);
