#pragma once

#include <windows.h>

#include <string>

// Process-wide values, set once at start-up and read everywhere.
struct AppState {
    HINSTANCE AppInstance = nullptr;
    char AppTitle[10] = "Quarry";  // string 1; caption, class and resource name
    char HelpFilePath[MAX_PATH] = "";
    char IniFilePath[MAX_PATH] = "";
    HWND MainWindow = nullptr;
};

// Read by the message loop afresh for every message; the main window, FileView
// and FileView's Find and Replace boxes switch them. AccelTable serves
// messages for AccelWindow and its children only.
struct MessageLoopState {
    HWND AccelWindow = nullptr;
    HACCEL AccelTable = nullptr;
    HACCEL MainAccelTable = nullptr;
    HWND DialogWindow = nullptr;
};

// Read anywhere; changed only through the functions below.
extern const AppState& g_App;
extern const MessageLoopState& g_Loop;

// Start-up fills the process-wide values; the main window's handle follows
// when it is made and goes when it is destroyed.
void SetAppState(const AppState& state);
void SetAppMainWindow(HWND window);

// The main window takes the loop with its own table, which FileView later
// gives back; ClearLoop leaves no window for the loop to serve.
void SetMainLoopWindow(HWND window, HACCEL table);
void ClearLoop();
// Only the window the accelerators serve; the table stays.
void SetLoopAcceleratorWindow(HWND window);

int RunMessageLoop();

// FileView takes over the loop's accelerators while it is open and gives
// them back when it closes: a null table means the main window's own.
void SetLoopAccelerators(HWND window, HACCEL table);
// Makes `window` the loop's dialog window; returns the one it replaces.
HWND SwapLoopDialogWindow(HWND window);

// One turn of the loop for a fetched message: accelerators for AccelWindow
// (when the message is for it or one of its children),
// then the dialog keys of DialogWindow, then translate and dispatch.
void ProcessLoopMessage(MSG& msg);

// The full path of fileName in the program's directory, in a MAX_PATH buffer
// (program_path_win.cpp, with the test override below).
bool ProgramFilePath(const char* fileName, char* out);

// Tests point the program's directory elsewhere; nullptr restores the module's.
void SetProgramDirectoryForTesting(const char* directory);

// For subsystems that own windows and dialogs of their own: the main window
// (their owner) and the module holding the resources.
HWND MainWindowHandle();
HINSTANCE AppInstanceHandle();

// The program's title (string 1): the caption of its message boxes.
std::string AppTitleText();

// The main window's status line, for the subsystems that report in it: the
// main window installs the writer; without one the text goes nowhere.
using StatusPartWriter = void (*)(int part, const char* text);
void SetStatusPartWriter(StatusPartWriter writer);
void SetStatusText(const char* text);
