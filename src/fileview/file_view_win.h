#pragma once

#include <windows.h>

#include "fileview/file_view_file.h"

// The one FileView window. The opening fills the shown file and the context
// sizes, then asks for the window; everything else about FileView stays
// behind these functions.

// The record FileView shows; the opening fills it before OpenFileViewWindow.
FileViewFile& ShownFile();
void SetContextLines(int above, int below);
int ContextLinesAbove();
int ContextLinesBelow();

// The FileView window, or nullptr when none is open.
HWND FileViewHandle();
// Creates FileView (template 302, owned by `owner`) for the prepared file and
// shows it; returns the window, or nullptr when one is already open or it
// could not be created.
HWND OpenFileViewWindow(HWND owner);

// The procedure of the "Display" class.
LRESULT CALLBACK FileViewWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// FileView's panes, for printing and the editing commands; nullptr when the
// pane is absent or no FileView is open.
HWND FileViewEditView();
HWND FileViewLineView();
// Replace in Files marks EditView's text changed or saved.
void SetFileViewModified(bool modified);
