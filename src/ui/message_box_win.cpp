#include "ui/message_box_win.h"

#include <cstdarg>
#include <cstdio>

#include "ui/app_win.h"

namespace {

MessageBoxHook g_MessageBoxHook = nullptr;

// vsnprintf cuts a long argument at the buffer's end and always terminates.
void FormatInto(char (&text)[kMessageTextSize], const char* format, va_list args) {
    vsnprintf(text, sizeof text, format, args);
}

int FormattedBox(const char* caption, UINT type, const char* format, va_list args) {
    char text[kMessageTextSize];
    FormatInto(text, format, args);
    return ShowMessageBox(GetActiveWindow(), text, caption ? caption : g_App.AppTitle, type);
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
    g_MessageBoxHook = hook;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (g_MessageBoxHook) return g_MessageBoxHook(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}

int ShowMessageBox(HWND owner, const std::string& text, UINT type) {
    return ShowMessageBox(owner, text.c_str(), AppTitleText().c_str(), type);
}

void WarningBox(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormattedBox(caption, MB_ICONEXCLAMATION | MB_OK, format, args);
    va_end(args);
}

int YesNoBox(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int answer = FormattedBox(caption, MB_ICONQUESTION | MB_YESNO, format, args);
    va_end(args);
    return answer;
}

int AbortRetryIgnoreBox(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int answer = FormattedBox(caption, MB_ICONQUESTION | MB_ABORTRETRYIGNORE, format, args);
    va_end(args);
    return answer;
}

void SimpleBeep() {
    MessageBeep(0xFFFFFFFF);
}

BOOL SetWindowTextF(HWND window, const char* format, ...) {
    char text[kMessageTextSize];
    va_list args;
    va_start(args, format);
    FormatInto(text, format, args);
    va_end(args);
    return SetWindowTextA(window, text);
}

void DebugTraceF(const char* format, ...) {
    char text[kMessageTextSize];
    va_list args;
    va_start(args, format);
    FormatInto(text, format, args);
    va_end(args);
    OutputDebugStringA(text);
}
