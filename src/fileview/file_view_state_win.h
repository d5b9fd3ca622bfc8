#pragma once

#include <windows.h>

#include <vector>

#include "fileview/file_view_file.h"
#include "fileview/file_view_logic.h"
#include "fileview/find_replace_win.h"
#include "fileview/layout.h"
#include "fileview/line_list.h"
#include "fileview/print_win.h"

// The panes' font and the description it is made from; Font changes both
// for the rest of the run.
struct FileViewFont {
    LOGFONTA Description = {};
    HFONT Handle = nullptr;
};

// FileView's state: one instance, owned by the FileView window and handed
// to the functions of its panes, commands, find box and printing; reset
// whenever a FileView window is made, but for the font.
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

    FileViewFile Shown;  // the file shown, as the opening handed it over
    EditTextState Text;  // what EditView holds; also Modified
    bool WrapLines = false;
    bool InsertMode = true;
    bool SettingText = false;    // our own text change, not the user's
    bool AskingToClose = false;  // the question about unsaved changes is up
    uint64_t FirstLineNumber = 1;
    uint32_t LinesLoaded = 0;
    LineListEntry SelectedEntry;
    int HelpContext = 0;
    int ContextAbove = kDefaultContextAbove;
    int ContextBelow = kDefaultContextBelow;
    PaneArrangement Panes;

    std::vector<LineListEntry> Entries;  // LineView's items in order
    std::vector<LineMark> LineMarks;     // where a jump may start reading the file
    int LineCharWidth = 0;               // for LineView's horizontal extent
    int LineExtent = 0;

    PaneFrame Frame;
    // The splitter drag started by Split Window, and the hover capture.
    bool Dragging = false;
    SplitterHover Hover;
    POINT DragPoint = {};
    int DragGrip = 0;        // the drag point's distance below the splitter's top
    RECT DragSplitter = {};  // the splitter as the drag began
    int DragClientWidth = 0;
    HCURSOR PreviousCursor = nullptr;

    FileViewFont Font;
    FindReplaceBox Find;  // the Find or Replace box over EditView
    PrintJob Print;       // the print job while one spools

    UINT FindReplaceMessage = 0;
    UINT HelpMessage = 0;
};

// The state of the FileView window that `window` is, or is a pane or
// toolbar control of: the platform calls subclassed controls with nothing
// else. FileView keeps it in its DWLP_USER slot from its creation on.
inline FileViewState& StateOfWindow(HWND window) {
    HWND fileView = GetAncestor(window, GA_ROOT);
    return *reinterpret_cast<FileViewState*>(GetWindowLongPtrA(fileView, DWLP_USER));
}

// Replace in Files marks EditView's text changed or saved: FileView's own
// record and the control's flag alike (file_view_win.cpp).
void SetFileViewModified(FileViewState& s, bool modified);

// The panes (file_view_panes_win.cpp).
void LayoutFileViewPanes(FileViewState& s, int width, int height);
void FillMinMaxInfo(FileViewState& s, MINMAXINFO* info);
// Split Window grips the splitter in its middle; a press on it, where pressed.
void BeginSplitterDrag(FileViewState& s, const POINT* grip = nullptr);
// Mouse and keys while a drag or the hover capture is on; true when handled.
bool SplitterMouseMove(FileViewState& s, int x, int y, WPARAM buttons);
bool SplitterButtonUp(FileViewState& s, int x, int y);
bool SplitterKeyDown(FileViewState& s, WPARAM key, LPARAM data);
void EndSplitterDrag(FileViewState& s, POINT release);

// EditView and the status bar (edit_view_win.cpp).
void SetUpEditView(FileViewState& s);
// Subclass, formatting rectangle, tab stops and limit of EditView as placed;
// false (after the warning) when it could not be subclassed.
bool PrepareEditView(FileViewState& s);
void LoadEditViewText(FileViewState& s);
void UpdateCaretStatus(FileViewState& s);
void UpdateEditButtons(FileViewState& s);
void UpdatePaneIndicators(FileViewState& s);
void SetStatusPart(FileViewState& s, int part, const char* text);
// EditView's text replaced and, when selectFrom is given, characters
// [selectFrom, selectTo) selected and scrolled into view; painted once.
constexpr size_t kNoSelection = static_cast<size_t>(-1);
void SetEditText(FileViewState& s, const char* text, size_t selectFrom = kNoSelection,
                 size_t selectTo = 0);
void SubclassFindBox(FileViewState& s);

// LineView and Display Context (line_view_win.cpp).
void BuildLineView(FileViewState& s);
// LineView again from the file on disk, after the file changed under it.
void RebuildLineView(FileViewState& s);
void ShowEntryContext(FileViewState& s);

// FileView's commands that other parts of FileView carry out
// (edit_commands_win.cpp): case changes, Copy LineView, and the options
// Font, Tabs, Wrap Lines and Set Context Size.
void OnFileViewEditCommand(FileViewState& s, int command);
void OnFileViewOptionCommand(FileViewState& s, int command);
