#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/startup_win.h"
#include "ui/app_win.h"

// The window tests run in-process on the real resources linked into this
// program, as if it were Quarry32.exe.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    AppState app = g_App;
    app.AppInstance = instance;
    SetAppState(app);
    InitCommonControls();
    if (!InitApplication(instance)) return 2;
    return RUN_ALL_TESTS();
}
