#include "app/app_win.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/main_window_win.h"
#include "app/message_box_win.h"
#include "fileview/file_view_win.h"
#include "resource_ids.h"

AppState g_App;
MessageLoopState g_Loop;

namespace {

std::string programDirectoryOverride;

bool FileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

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

bool InitApplication(HINSTANCE instance) {
    LoadStringA(instance, IDS_APP_TITLE, g_App.AppTitle, sizeof g_App.AppTitle);
    HICON icon = LoadIconA(instance, g_App.AppTitle);

    WNDCLASSA main = {};
    main.style = CS_DBLCLKS | CS_BYTEALIGNWINDOW;
    main.lpfnWndProc = MainWndProc;
    main.cbWndExtra = DLGWINDOWEXTRA;
    main.hInstance = instance;
    main.hIcon = icon;
    main.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    main.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    main.lpszClassName = g_App.AppTitle;
    if (!RegisterClassA(&main)) return false;

    WNDCLASSA display = {};
    display.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
    display.lpfnWndProc = FileViewWndProc;
    display.cbWndExtra = DLGWINDOWEXTRA;
    display.hInstance = instance;
    display.hCursor = main.hCursor;
    display.hbrBackground = main.hbrBackground;
    display.lpszClassName = "Display";
    return RegisterClassA(&display) != 0;
}

bool InitInstance(HINSTANCE instance, int showState) {
    g_App.AppInstance = instance;
    g_App.MainWindow = nullptr;
    g_Loop.AccelTable = nullptr;

    ProgramFilePath("Quarry32.hlp", g_App.HelpFilePath);
    if (g_App.HelpFilePath[0] == '\0') {
        WarningBox(nullptr, "Help file name error");
        return false;
    }
    if (!FileExists(g_App.HelpFilePath)) WarningBox(g_App.AppTitle, "Quarry! Help file not found!");

    ProgramFilePath("Quarry32.ini", g_App.IniFilePath);
    if (g_App.IniFilePath[0] == '\0' || !FileExists(g_App.IniFilePath)) {
        WarningBox(nullptr, "Unable to launch Quarry!\n%s not found!", "Quarry32.ini");
        return false;
    }

    InitCommonControls();

    g_App.MainWindow =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
    if (!g_App.MainWindow) {
        WarningBox(nullptr, "Insufficient memory to run Quarry");
        return false;
    }
    if (!InitMainWindow(g_App.MainWindow)) {
        WarningBox(nullptr, "Unable to init Quarry");
        return false;
    }
    ShowWindow(g_App.MainWindow, showState);
    SetWindowTextA(g_App.MainWindow, g_App.AppTitle);
    return true;
}

void SetLoopAccelerators(HWND window, HACCEL table) {
    g_Loop.AccelWindow = window;
    g_Loop.AccelTable = table ? table : g_Loop.MainAccelTable;
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
