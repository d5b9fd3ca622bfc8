#pragma once

#include <windows.h>

#include "fileview/file_view_file.h"

// The one FileView window. The opening hands it the file and the context
// sizes; everything else about FileView stays behind these functions.

// The FileView window, or nullptr when none is open.
HWND FileViewHandle();
// Creates FileView (template 302, owned by `owner`) showing `file` with
// `contextAbove` and `contextBelow` lines around a Line List entry, and
// shows it; returns the window, or nullptr when one is already open or it
// could not be created.
HWND OpenFileViewWindow(HWND owner, const FileViewFile& file, int contextAbove, int contextBelow);

// The font of EditView and LineView: made from the settings once they are
// loaded, kept for every FileView of the run, released at the end.
void InitFileViewFont();
void FreeFileViewFont();

// The procedure of the "Display" class.
LRESULT CALLBACK FileViewWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// FileView's panes; nullptr when the pane is absent or no FileView is open.
HWND FileViewEditView();
HWND FileViewLineView();
// Asks about unsaved changes in FileView when there are any (Yes saves);
// false when the user keeps FileView open. True when no FileView is open.
bool FileViewMayClose();

// FileView's open Find or Replace box, or nullptr.
HWND FileViewFindBox();
