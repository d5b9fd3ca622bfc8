#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileview/file_view_file.h"
#include "fileview/save_text.h"

// FileView's decisions, apart from its windows: which commands the menu
// offers, when a save may write over the shown file, and what Save, Save As
// and the question on closing lead to.

// What the menu's state depends on, taken when a popup opens.
struct FileViewSnapshot {
    bool textLoaded = false;  // EditView holds the whole file
    bool wholeFile = false;
    bool hasEditView = false;
    bool hasLineView = false;
    bool canUndo = false;
    bool selectionEmpty = true;
    bool clipboardHasText = false;
    bool findBoxOpen = false;  // a Find or Replace box is open
    int lineViewCount = 0;
};

// Whether a command of FileView's menu is offered; commands the menu leaves
// alone are always offered.
bool IsFileViewCommandEnabled(int command, const FileViewSnapshot& state);

// The commands a popup of FileView's menu enables by the state as it opens;
// none for another position.
std::vector<int> FileViewPopupCommands(int position);

// Which panes FileView has: LineView lists the last search's matching lines,
// EditView shows the file when FileView is the chosen viewer.
struct PaneArrangement {
    bool opens = false;  // false: neither pane; the window stays empty
    bool hasEditView = false;
    bool hasLineView = false;
    // Commands the arrangement takes away for the window's life; the Change
    // Case popup goes with EditView.
    std::vector<int> greyedCommands;
    bool changeCaseGreyed = false;
};
PaneArrangement ArrangeFileViewPanes(bool hasSearchText, bool viewerIsFileView);

// While a Replace in Files run uses EditView as its work area, FileView's
// commands that would change, save, print or swap its text, or close FileView,
// are refused; copying, help and moving between the panes go on.
bool IsFileViewCommandRefusedDuringRun(int command);

// How the text in EditView relates to the file it came from.
struct EditTextState {
    bool textLoaded = false;   // EditView holds the whole file
    bool wholeFile = false;    // false: a window of lines of a large file
    bool partialText = false;  // less than the whole file: a zero byte, or it grew
    std::string loadedFrom;    // the file the text was read from
    bool modified = false;
    // The file the text was last read from or written to, as it was then:
    // Save asks before writing over another program's change to it.
    std::string stampedPath;
    FileStamp stamp;
};

// Notes how the file at `path` is now, as the text's own. Taken before a
// load reads the file, so a change made during the read is still noticed.
void RememberDiskState(EditTextState& text, TextFileLayer& files, const std::string& path);

// Why the text may not be written to `target`, or an empty text when it may.
// A window of lines, or a text that stopped short of the file's end, never
// replaces the file it came from; it may go to another file.
std::string SaveRefusal(const EditTextState& text, const FileViewFile& file,
                        const std::string& target, TextFileLayer& files);

// What the Save commands and the question on closing need from the window.
class FileViewSaveHost {
  public:
    virtual ~FileViewSaveHost() = default;
    // SaveEditToFile with EditView's text; it shows its own messages.
    virtual bool SaveText(const char* path) = 0;
    // The Save As dialog on the buffers (MAX_PATH and 512 bytes); 0 when cancelled.
    virtual int AskSaveAsName(char* fullPath, char* fileName) = 0;
    // Status part 0.
    virtual void ShowStatus(const std::string& text) = 0;
    // A message box owned by FileView (exclamation, OK).
    virtual void ShowOwnedMessage(const std::string& text) = 0;
    // "Save current changes in %s?" with Yes, No and Cancel: IDYES, IDNO or IDCANCEL.
    virtual int AskYesNoCancel(const std::string& text) = 0;
    // A question owned by FileView with Yes and No: true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // The file layer the save writes through.
    virtual TextFileLayer& Files() = 0;
};

enum : int { kAnswerYes = 6, kAnswerNo = 7, kAnswerCancel = 2 };  // IDYES, IDNO, IDCANCEL

// Save (142): 1 when the file was written, 0 otherwise.
int SaveShownFile(FileViewFile& file, EditTextState& text, FileViewSaveHost& host);
// Save As (143): 1 when the file was written, 0 otherwise.
int SaveShownFileAs(FileViewFile& file, EditTextState& text, FileViewSaveHost& host);
// The question on closing with changes: No and Cancel as answered; Yes only
// when the save succeeded, else Cancel.
int AskSaveChanges(FileViewFile& file, EditTextState& text, FileViewSaveHost& host);

// Whether FileView may close: without changes at once, else after the
// question on closing, asked once at a time (`asking` holds it while it is
// up: the main window stays live under it, and a second close waits for the
// first one's answer).
bool MayCloseFileView(FileViewFile& file, EditTextState& text, bool& asking,
                      FileViewSaveHost& host);

// Lines of a large file loaded around a Line List entry, counted from 1.
struct ContextLines {
    uint32_t firstLine = 1;
    uint32_t linesLoaded = 0;
    uint32_t entryLine = 1;
};
ContextLines ContextAround(uint32_t entryLine0, int above, int below);

// The status bar's caret texts: the line ("%5.5u") and the column ("%3.3u").
std::string CaretLineText(uint64_t line);
std::string CaretColumnText(uint32_t column);
