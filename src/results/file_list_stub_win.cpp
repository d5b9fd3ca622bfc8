#include "results/file_list_win.h"

void InitListColumns(HWND) {}
void ShowPendingItems(int) {}
FileInfoItem* GetItemRecord(int) {
    return nullptr;
}
std::string GetItemFullPath(int) {
    return {};
}
int NextSelectedItem(int) {
    return -1;
}
int NextMarkedItem(int) {
    return -1;
}
void SetItemMark(int, bool) {}
void ToggleItemMark(int) {}
void ToggleFocusedItemMark() {}
void DeleteSelectedItems() {}
void ClearFileInfoList() {}
void SelectAllItems() {}
int ShownItemCount() {
    return 0;
}
void ShowStatusWithCounts() {}
void UpdateListToolbarButtons() {}
LRESULT ListNotify(NMHDR*) {
    return 0;
}
void SortFileInfoList() {}
void CopySelectedToClipboard() {}
void ShowDateLabel(HWND) {}
