#include "app/main_window_win.h"

#include "app/app_win.h"
#include "resource_ids.h"

namespace {

void OnMainCreate(HWND hwnd) {
    g_Loop.MainAccelTable = LoadAcceleratorsA(g_App.AppInstance, g_App.AppTitle);
    g_Loop.AccelTable = g_Loop.MainAccelTable;
    g_Loop.AccelWindow = hwnd;
    g_Loop.DialogWindow = hwnd;
}

void OnMainClose(HWND hwnd) {
    if (g_App.FileViewWindow && IsWindow(g_App.FileViewWindow)) DestroyWindow(g_App.FileViewWindow);
    DestroyWindow(hwnd);
}

void OnMainDestroy() {
    g_Loop.AccelWindow = nullptr;
    g_Loop.DialogWindow = nullptr;
    g_App.MainWindow = nullptr;
    PostQuitMessage(0);
}

LRESULT OnMainCommand(HWND hwnd, int id) {
    switch (id) {
    case IDM_EXIT: SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
    }
    return 0;
}

}  // namespace

bool InitMainWindow(HWND) { return true; }

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: OnMainCreate(hwnd); break;
    case WM_COMMAND: return OnMainCommand(hwnd, LOWORD(wp));
    case WM_CLOSE: OnMainClose(hwnd); return 0;
    case WM_DESTROY: OnMainDestroy(); return 0;
    }
    return DefDlgProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK FileViewWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefDlgProcA(hwnd, msg, wp, lp);
}
