#include <windows.h>

#include "app/startup_win.h"
#include "ui/app_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showState) {
    if (!previous && !InitApplication(instance)) return 0;
    if (!InitInstance(instance, showState)) return 0;
    return RunMessageLoop();
}
