#include "ui/app_win.h"

#include <string>

namespace {

AppState g_AppState;
MessageLoopState g_LoopState;

StatusPartWriter g_StatusPartWriter = nullptr;

}  // namespace

const AppState& g_App = g_AppState;
const MessageLoopState& g_Loop = g_LoopState;

void SetAppState(const AppState& state) {
    g_AppState = state;
}

void SetAppMainWindow(HWND window) {
    g_AppState.MainWindow = window;
}

void SetMainLoopWindow(HWND window, HACCEL table) {
    g_LoopState.AccelWindow = window;
    g_LoopState.DialogWindow = window;
    g_LoopState.MainAccelTable = table;
    g_LoopState.AccelTable = table;
}

void ClearLoop() {
    g_LoopState.AccelWindow = nullptr;
    g_LoopState.DialogWindow = nullptr;
    g_LoopState.AccelTable = nullptr;
}

void SetLoopAcceleratorWindow(HWND window) {
    g_LoopState.AccelWindow = window;
}

void SetLoopAccelerators(HWND window, HACCEL table) {
    g_LoopState.AccelWindow = window;
    g_LoopState.AccelTable = table ? table : g_LoopState.MainAccelTable;
}

HWND SwapLoopDialogWindow(HWND window) {
    HWND previous = g_LoopState.DialogWindow;
    g_LoopState.DialogWindow = window;
    return previous;
}

// A window's accelerators serve that window and its children only: keys typed
// into any other window (help, a message box) stay that window's own.
static bool AcceleratorsApply(HWND owner, HWND target) {
    return owner && target && (target == owner || IsChild(owner, target));
}

void ProcessLoopMessage(MSG& msg) {
    if (g_LoopState.AccelTable && AcceleratorsApply(g_LoopState.AccelWindow, msg.hwnd) &&
        TranslateAcceleratorA(g_LoopState.AccelWindow, g_LoopState.AccelTable, &msg))
        return;
    if (g_LoopState.DialogWindow && IsDialogMessageA(g_LoopState.DialogWindow, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) ProcessLoopMessage(msg);
    return static_cast<int>(msg.wParam);
}

HWND MainWindowHandle() {
    return g_AppState.MainWindow;
}

HINSTANCE AppInstanceHandle() {
    return g_AppState.AppInstance;
}

std::string AppTitleText() {
    return g_AppState.AppTitle;
}

void SetStatusPartWriter(StatusPartWriter writer) {
    g_StatusPartWriter = writer;
}

void SetStatusText(const char* text) {
    if (g_StatusPartWriter) g_StatusPartWriter(0, text);
}
