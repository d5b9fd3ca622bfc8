#include "app/startup_win.h"

#include <commctrl.h>

#include "app/main_window_win.h"
#include "fileview/file_view_win.h"
#include "resource_ids.h"
#include "ui/app_win.h"
#include "ui/message_box_win.h"

namespace {

bool FileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool InitApplication(HINSTANCE instance) {
    AppState app = g_App;
    LoadStringA(instance, IDS_APP_TITLE, app.AppTitle, sizeof app.AppTitle);
    SetAppState(app);
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
    AppState app = g_App;
    app.AppInstance = instance;
    app.MainWindow = nullptr;
    ClearLoop();

    ProgramFilePath("Quarry32.hlp", app.HelpFilePath);
    SetAppState(app);
    if (app.HelpFilePath[0] == '\0') {
        WarningBox(nullptr, "Help file name error");
        return false;
    }
    if (!FileExists(app.HelpFilePath)) WarningBox(app.AppTitle, "Quarry! Help file not found!");

    ProgramFilePath("Quarry32.ini", app.IniFilePath);
    SetAppState(app);
    if (app.IniFilePath[0] == '\0' || !FileExists(app.IniFilePath)) {
        WarningBox(nullptr, "Unable to launch Quarry!\n%s not found!", "Quarry32.ini");
        return false;
    }

    InitCommonControls();

    SetAppMainWindow(CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0));
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
