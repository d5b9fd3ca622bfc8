#pragma once

#include <windows.h>

#include <string>

// Every message the program shows goes through ShowMessageBox, so tests can
// record the exact caption, text and buttons and answer in the user's place.
using MessageBoxHook = int (*)(HWND owner, const char* text, const char* caption, UINT type);
void SetMessageBoxHook(MessageBoxHook hook);
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
// The same with AppTitle as the caption.
int ShowMessageBox(HWND owner, const std::string& text, UINT type);

// A caption of nullptr means AppTitle. Texts are formatted into 256 bytes and
// cut there, never overflowed.
void WarningBox(const char* caption, const char* format, ...);
int YesNoBox(const char* caption, const char* format, ...);
int AbortRetryIgnoreBox(const char* caption, const char* format, ...);
// The plain beep of a refused value, where a message would say too much.
void SimpleBeep();
BOOL SetWindowTextF(HWND window, const char* format, ...);
void DebugTraceF(const char* format, ...);

constexpr int kMessageTextSize = 256;
