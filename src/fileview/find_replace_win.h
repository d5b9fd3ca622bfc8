#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "fileview/find_text.h"

struct FileViewState;

// FileView's Find and Replace boxes, Find Next and Replace in Files, over
// FileView's EditView.

constexpr size_t kFindFieldSize = kFindTextLimit + 2;  // 1025 bytes with the terminator

// The open box: one at a time, over FileView's EditView, whichever of the
// two edit controls that is at the moment.
struct FindReplaceBox {
    HWND Box = nullptr;
    HWND Owner = nullptr;
    bool ReplaceMode = false;
    FINDREPLACEA Record = {};
    char FindField[kFindFieldSize] = "";
    char ReplaceField[kFindFieldSize] = "";
    HFONT StatusFont = nullptr;
    HWND SavedDialogWindow = nullptr;  // the loop's dialog window before the box took it
    FindState Positions;
};

// Find, Find Next and Replace from FileView's menu, toolbar and keys.
void OnFileViewFindCommand(FileViewState& view, int command);
// Opens the Find box (replace false) or the Replace box over `view`'s
// EditView, owned by its window; the box, or nullptr when it could not be
// made or one is open.
HWND OpenFindBox(FileViewState& view, bool replace);
// The id of the registered "commdlg_FindReplace" message.
UINT FindReplaceMessageId();
// What FileView does with that message; `data` is its LPARAM.
void OnFindReplaceMessage(FileViewState& view, LPARAM data);
// Find Next (F3, the toolbar): the last find again, without the box.
void FindNextInEdit(FileViewState& view);

// "Editor out of space…", owned by `owner`: a text EditView cannot take.
void ShowEditorOutOfSpace(HWND owner);
