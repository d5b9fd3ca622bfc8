#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "results/file_info.h"

// The File Info List: the rows of the main window's list control, each
// carrying its FileInfoItem as item data and its mark as state image 1
// (unmarked) or 2 (marked).

enum : int {
    kStateUnmarked = 1,
    kStateMarked = 2,
};

// What the list code needs from the window that holds it, handed over by the
// main window once its controls exist.
struct FileListHost {
    HWND owner = nullptr;  // default handling of notifications, clipboard owner
    HWND list = nullptr;
    HWND toolbar = nullptr;  // may be absent
    HINSTANCE instance = nullptr;
    // Puts a text into a part of the status bar (0 the message, 1 and 2 the counts).
    void (*showStatus)(int part, const char* text) = nullptr;
    // True (after a beep) when a running search refuses `command`, as the
    // menu's commands are refused.
    bool (*refuseDuringSearch)(int command) = nullptr;
};
void SetFileListHost(const FileListHost& host);
const FileListHost& GetFileListHost();

// Columns, state images and the row-by-row queries.
void InitListColumns(HWND list);
// Makes rows of the first `count` of a search's items, each marked; the rows
// own them from then on.
void ShowPendingItems(std::vector<std::unique_ptr<FileInfoItem>> items, int count);
FileInfoItem* GetItemRecord(int row);
// The focused row, or -1.
int FocusedItem();
std::string GetItemFullPath(int row);
// The next selected row after `after` (-1 starts at the top), or -1; its full
// path goes to `path` when one is found and `path` is given.
int NextSelectedItem(int after, std::string* path = nullptr);
// The full paths of the selected rows, top to bottom.
std::vector<std::string> SelectedItemPaths();
// The next marked row after `after`, searched cyclically; -1 when the list is
// empty, nothing is marked or the search came back to `after` itself. `path`
// receives the found row's full path, even when that row is `after`.
int NextMarkedItem(int after, std::string* path = nullptr);
void SetItemMark(int row, bool marked);
void ToggleItemMark(int row);
void ToggleFocusedItemMark();
void DeleteSelectedItems();
void ClearFileInfoList();
void SelectAllItems();
int ShownItemCount();
// The string `stringId` in status part 0, the two numbers ("%3.3u") in parts 1 and 2.
void ShowStatusWithCounts(int stringId, unsigned first, unsigned second);
void UpdateListToolbarButtons();

// Notifications of the main window's children (list, header, toolbar tips).
LRESULT ListNotify(NMHDR* header);
// Releases the item of a row the list control is deleting (LVN_DELETEITEM).
void ReleaseDeletedRow(const NMLISTVIEW& deleted);

// Sorting with the current sort settings, and the clipboard export.
void SortFileInfoList();
// Sorts with `key` (kSortKeyName .. kSortKeyTime) without a status text.
void SortRowsByKey(int key);
// 1 when done or when nothing is selected, 0 when the text could not be handed over.
int CopySelectedToClipboard();

// The date group box of the main window, labelled in the regional order.
void ShowDateLabel(HWND mainWindow);

// What the rows hand to the file operations.
// Renames the row's file to the edited label; true keeps the new label.
bool RenameFromLabelEdit(int row, const char* newName);
// Opens the row's file in the configured viewer.
void OpenFileFromList(int row);
// Starts in-place editing of the row's name; false when the list refuses.
bool EditItemLabel(int row);
// Redraws the rows at once, without erasing the background.
void RedrawItems();
// Removes the given rows (ascending, as NextSelectedItem finds them); the
// focus and selection go to the row now at the first one's place, or to the
// new last row, whose number status part 1 then shows.
void DeleteItemRows(const std::vector<int>& rows);
// Status part 1: the focused row's number counted from 1; empty for -1.
void ShowFocusedRowNumber(int row);
