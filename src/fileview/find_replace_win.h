#pragma once

#include <windows.h>

#include "fileview/replace_run.h"

// FileView's Find and Replace boxes, Find Next and Replace in Files, over an
// edit control given by the caller (FileView's EditView).

// Opens the Find box (replace false) or the Replace box, owned by `owner`,
// searching `edit`; the box, or nullptr when it could not be made or one is open.
HWND OpenFindBox(HWND owner, HWND edit, bool replace);
// The open box, or nullptr.
HWND FindReplaceBox();
// The id of the registered "commdlg_FindReplace" message.
UINT FindReplaceMessageId();
// What `owner` does with that message; `data` is its LPARAM.
void OnFindReplaceMessage(HWND owner, LPARAM data);
// Find Next (F3, the toolbar): the last find again, without the box.
void FindNextInEdit(HWND owner, HWND edit);

// "Editor out of space…", owned by `owner`: a text EditView cannot take.
void ShowEditorOutOfSpace(HWND owner);

// Fills a combo box's list from a history, and a history from a combo box's list.
void LoadComboHistory(HWND combo, const std::vector<std::string>& history);
void SaveComboHistory(HWND combo, std::vector<std::string>& history);
