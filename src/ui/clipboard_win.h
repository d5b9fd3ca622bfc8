#pragma once

#include <windows.h>

#include <string_view>

// Replaces the clipboard's contents with text (CF_TEXT), the clipboard opened
// for owner; true when the text is on it.
bool PutClipboardText(HWND owner, std::string_view text);
