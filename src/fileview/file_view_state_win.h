#pragma once

#include <windows.h>

#include <vector>

#include "fileview/file_view_logic.h"
#include "fileview/layout.h"
#include "fileview/line_list.h"

// The status bar's eight parts: part 0 takes what the others leave.
constexpr int kFileViewStatusWidths[8] = {0, 4, 4, 4, 5, 3, 3, 3};

// FileView's state: one instance, reset whenever a FileView window is made.
// Only FileView's own files see it; others use file_view_win.h.
struct FileViewState {
    HWND Window = nullptr;
    HWND Toolbar = nullptr;
    HWND FindBox = nullptr;
    HWND StatusBar = nullptr;
    HWND EditView = nullptr;  // nullptr when the pane is absent
    HWND LineView = nullptr;  // nullptr when the pane is absent
    HWND Splitter = nullptr;
    HWND ToolTip = nullptr;
    HACCEL Accelerators = nullptr;
    HWND SavedDialogWindow = nullptr;

    EditTextState Text;       // what EditView holds; also Modified
    bool WrapLines = false;
    bool InsertMode = true;
    bool SettingText = false;  // our own text change, not the user's
    uint64_t FirstLineNumber = 1;
    uint32_t LinesLoaded = 0;
    LineListEntry SelectedEntry;
    int HelpContext = 0;
    int ContextAbove = kDefaultContextAbove;
    int ContextBelow = kDefaultContextBelow;
    bool ViewerIsFileView = true;
    bool HasSearchText = false;

    std::vector<LineListEntry> Entries;  // LineView's items in order
    std::vector<LineMark> LineMarks;     // where a jump may start reading the file
    int LineCharWidth = 0;               // for LineView's horizontal extent
    int LineExtent = 0;

    PaneFrame Frame;
    // The splitter drag started by Split Window, and the hover capture.
    bool Dragging = false;
    bool Hovering = false;
    POINT DragPoint = {};
    int DragGrip = 0;        // the drag point's distance below the splitter's top
    RECT DragSplitter = {};  // the splitter as the drag began
    int DragClientWidth = 0;
    HCURSOR PreviousCursor = nullptr;

    UINT FindReplaceMessage = 0;
    UINT HelpMessage = 0;
};

FileViewState& FileView();

// The panes (file_view_panes_win.cpp).
void LayoutFileViewPanes(int width, int height);
void FillMinMaxInfo(MINMAXINFO* info);
// Split Window grips the splitter in its middle; a press on it, where pressed.
void BeginSplitterDrag(const POINT* grip = nullptr);
// Mouse and keys while a drag or the hover capture is on; true when handled.
bool SplitterMouseMove(int x, int y, WPARAM buttons);
bool SplitterButtonUp(int x, int y);
bool SplitterKeyDown(WPARAM key, LPARAM data);
void EndSplitterDrag(POINT release);

// EditView and the status bar (edit_view_win.cpp).
void SetUpEditView();
// Subclass, formatting rectangle, tab stops and limit of EditView as placed;
// false (after the warning) when it could not be subclassed.
bool PrepareEditView();
void LoadEditViewText();
void UpdateCaretStatus();
void UpdateEditButtons();
void UpdatePaneIndicators();
void SetStatusPart(int part, const char* text);
void SetEditText(const char* text);
void SubclassFindBox();

// LineView and Display Context (line_view_win.cpp).
void BuildLineView();
// LineView again from the file on disk, after the file changed under it.
void RebuildLineView();
void ShowEntryContext();
