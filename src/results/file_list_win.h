#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "results/file_info.h"

// The File Info List: the rows of the main window's list control, each
// carrying its FileInfoItem as item data and its mark as state image 1
// (unmarked) or 2 (marked).

// Columns, state images and the row-by-row queries.
void InitListColumns(HWND list);
void ShowPendingItems(int count);
FileInfoItem* GetItemRecord(int row);
std::string GetItemFullPath(int row);
int NextSelectedItem(int after);  // -1 starts at the top; -1 when there is none
int NextMarkedItem(int after);    // cyclic, as the marked rows are walked
void SetItemMark(int row, bool marked);
void ToggleItemMark(int row);
void ToggleFocusedItemMark();
void DeleteSelectedItems();
void ClearFileInfoList();
void SelectAllItems();
int ShownItemCount();
void ShowStatusWithCounts();
void UpdateListToolbarButtons();

// Notifications of the main window's children (list, header, toolbar tips).
LRESULT ListNotify(NMHDR* header);

// Sorting with the current sort settings, and the clipboard export.
void SortFileInfoList();
void CopySelectedToClipboard();

// The date group box of the main window, labelled in the regional order.
void ShowDateLabel(HWND mainWindow);
