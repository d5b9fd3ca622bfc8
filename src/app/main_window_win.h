#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct IMalloc;

// What the main window keeps beside its controls; one instance, g_Main.
struct MainWindowState {
    HWND FileList = nullptr;
    HWND DirectoryCombo = nullptr;
    HWND FileNameCombo = nullptr;
    HWND SearchTextCombo = nullptr;
    HWND Toolbar = nullptr;
    HWND ToolbarCombo = nullptr;
    HWND StatusBar = nullptr;

    RECT ClientRect = {};     // remembered for resizing
    POINT MinTrackSize = {};  // the window's first size; never smaller

    bool ComboEditSubclassed = false;
    IMalloc* ShellMalloc = nullptr;
};
// Read by the main window's files and the tests; written only here.
extern const MainWindowState& g_Main;

// The client size the next resize is measured from.
void RememberClientRect(HWND hwnd);
// The shell's allocator, held from start-up, goes with the window.
void ReleaseShellMalloc();

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Construction, called from the creation message and by InitInstance.
void OnMainCreate(HWND hwnd);
bool InitMainWindow(HWND hwnd);
void OnMainSize(HWND hwnd, int width, int height);
void SubclassToolbarComboEdit();

HWND CreateMainToolbar(HWND parent);

// Part `part` of the main window's status line.
void ShowMainStatusPart(int part, const char* text);
