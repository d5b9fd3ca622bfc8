#include "ui/app_win.h"

#include <cstring>
#include <string>

#include "ui/message_box_win.h"

AppState g_App;
MessageLoopState g_Loop;

namespace {

std::string programDirectoryOverride;
StatusPartWriter g_StatusPartWriter = nullptr;

}  // namespace

void SetProgramDirectoryForTesting(const char* directory) {
    programDirectoryOverride = directory ? directory : "";
}

bool ProgramFilePath(const char* fileName, char* out) {
    out[0] = '\0';
    DWORD length;
    if (!programDirectoryOverride.empty()) {
        length = static_cast<DWORD>(programDirectoryOverride.size());
        if (length >= MAX_PATH - 1) return false;
        memcpy(out, programDirectoryOverride.c_str(), length + 1);
        if (out[length - 1] != '\\') {
            out[length++] = '\\';
            out[length] = '\0';
        }
    } else {
        length = GetModuleFileNameA(nullptr, out, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            out[0] = '\0';
            WarningBox(nullptr, "Unable to find module Quarry32.exe!");
            return false;
        }
    }

    char* cut = out + strlen(out);
    while (cut > out && cut[-1] != '\\' && cut[-1] != ':') --cut;
    *cut = '\0';
    size_t directoryLength = strlen(out);

    // The short form keeps the settings path free of blanks; if the system
    // cannot give one the long form is kept.
    char shortDirectory[MAX_PATH];
    DWORD shortLength = GetShortPathNameA(out, shortDirectory, MAX_PATH);
    if (shortLength > 0 && shortLength < MAX_PATH) memcpy(out, shortDirectory, shortLength + 1);

    size_t nameLength = strlen(fileName);
    if (directoryLength + nameLength >= MAX_PATH || strlen(out) + nameLength >= MAX_PATH)
        return false;
    strcat(out, fileName);
    return true;
}

void SetLoopAccelerators(HWND window, HACCEL table) {
    g_Loop.AccelWindow = window;
    g_Loop.AccelTable = table ? table : g_Loop.MainAccelTable;
}

void SetLoopAcceleratorWindow(HWND window) {
    g_Loop.AccelWindow = window;
}

HWND SwapLoopDialogWindow(HWND window) {
    HWND previous = g_Loop.DialogWindow;
    g_Loop.DialogWindow = window;
    return previous;
}

// A window's accelerators serve that window and its children only: keys typed
// into any other window (help, a message box) stay that window's own.
static bool AcceleratorsApply(HWND owner, HWND target) {
    return owner && target && (target == owner || IsChild(owner, target));
}

void ProcessLoopMessage(MSG& msg) {
    if (g_Loop.AccelTable && AcceleratorsApply(g_Loop.AccelWindow, msg.hwnd) &&
        TranslateAcceleratorA(g_Loop.AccelWindow, g_Loop.AccelTable, &msg))
        return;
    if (g_Loop.DialogWindow && IsDialogMessageA(g_Loop.DialogWindow, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) ProcessLoopMessage(msg);
    return static_cast<int>(msg.wParam);
}

HWND MainWindowHandle() {
    return g_App.MainWindow;
}

HINSTANCE AppInstanceHandle() {
    return g_App.AppInstance;
}

std::string AppTitleText() {
    return g_App.AppTitle;
}

void SetStatusPartWriter(StatusPartWriter writer) {
    g_StatusPartWriter = writer;
}

void SetStatusText(const char* text) {
    if (g_StatusPartWriter) g_StatusPartWriter(0, text);
}
