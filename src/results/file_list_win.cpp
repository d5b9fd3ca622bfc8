// The File Info List in the main window: rows that own their FileInfoItem,
// marks as state images, the Edit menu's list commands, sorting and the
// clipboard export of the selected paths.

#include "results/file_list_win.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "resource_ids.h"
#include "results/clipboard.h"
#include "results/list_rows.h"
#include "results/presentation.h"
#include "results/sort.h"
#include "settings/settings.h"
#include "ui/clipboard_win.h"

namespace {

FileListHost g_Host;

// Rows handed over by the last search, less those deleted since; the sort
// command and the Sort button depend on it.
int g_ShownItemCount = 0;

HWND List() {
    return g_Host.list;
}

int RowCount() {
    return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0));
}

int NextRow(int after, UINT flags) {
    return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, after, flags));
}

void SetRowState(int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int StateImageOf(int row) {
    UINT state =
        static_cast<UINT>(SendMessageA(List(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

int CompareNoCaseInUserLocale(const char* first, const char* second) {
    return lstrcmpiA(first, second);
}

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM key) {
    return CompareFileInfoItems(*reinterpret_cast<const FileInfoItem*>(first),
                                *reinterpret_cast<const FileInfoItem*>(second),
                                static_cast<int>(key), g_Settings, CompareNoCaseInUserLocale);
}

void SetStatusPart(int part, const char* text) {
    if (g_Host.showStatus) g_Host.showStatus(part, text);
}

}  // namespace

void SetFileListHost(const FileListHost& newHost) {
    g_Host = newHost;
}

const FileListHost& GetFileListHost() {
    return g_Host;
}

void InitListColumns(HWND list) {
    int width = GetSystemMetrics(SM_CXSMICON);
    int height = GetSystemMetrics(SM_CYSMICON);
    if (HIMAGELIST states = ImageList_Create(width, height, ILC_MASK | ILC_COLOR32, 2, 0)) {
        for (int icon : {IDI_UNMARKED, IDI_MARKED}) {
            HICON picture = static_cast<HICON>(
                LoadImageA(g_Host.instance, MAKEINTRESOURCEA(icon), IMAGE_ICON, width, height, 0));
            ImageList_AddIcon(states, picture);
            if (picture) DestroyIcon(picture);
        }
        // The list destroys its image lists with itself.
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(states));
    }

    for (int column = 0; column < kColumnCount; ++column) {
        const ResultColumn& layout = kResultColumns[column];
        char title[64] = "";
        LoadStringA(g_Host.instance, layout.headerStringId, title, sizeof title);
        LVCOLUMNA header = {};
        header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        header.fmt = layout.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
        header.cx = layout.widthInBaseUnits * LOWORD(GetDialogBaseUnits());
        header.pszText = title;
        header.iSubItem = column;
        if (SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header)) < 0)
            break;
    }
}

void ShowPendingItems(std::vector<std::unique_ptr<FileInfoItem>> items, int count) {
    size_t shown = std::min(items.size(), static_cast<size_t>(std::max(count, 0)));
    int first = RowCount();
    SendMessageA(List(), WM_SETREDRAW, FALSE, 0);
    for (size_t i = 0; i < shown; ++i) {
        LVITEMA row = {};
        row.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        row.iItem = first + static_cast<int>(i);
        row.pszText = LPSTR_TEXTCALLBACKA;
        row.state = INDEXTOSTATEIMAGEMASK(kStateMarked);
        row.stateMask = LVIS_STATEIMAGEMASK;
        row.lParam = reinterpret_cast<LPARAM>(items[i].get());
        // From here on the row owns the item; one that found no row is released.
        if (SendMessageA(List(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)) >= 0)
            items[i].release();
    }
    SendMessageA(List(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(List(), nullptr, TRUE);
    g_ShownItemCount = RowCount();
}

FileInfoItem* GetItemRecord(int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<FileInfoItem*>(item.lParam);
}

int FocusedItem() {
    return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
}

std::string GetItemFullPath(int row) {
    const FileInfoItem* item = GetItemRecord(row);
    return item ? JoinPath(item->directory, item->name) : std::string();
}

int NextSelectedItem(int after, std::string* path) {
    int row = NextRow(after, LVNI_SELECTED);
    if (row >= 0 && path) *path = GetItemFullPath(row);
    return row;
}

std::vector<std::string> SelectedItemPaths() {
    std::vector<std::string> paths;
    std::string path;
    for (int row = NextSelectedItem(-1, &path); row >= 0; row = NextSelectedItem(row, &path))
        paths.push_back(path);
    return paths;
}

int NextMarkedItem(int after, std::string* path) {
    int row =
        NextMarkedRow(after, RowCount(), [](int r) { return StateImageOf(r) == kStateMarked; });
    if (row >= 0 && path) *path = GetItemFullPath(row);
    // Back at the start row: the marked rows have all been visited.
    return row == after ? -1 : row;
}

void SetItemMark(int row, bool marked) {
    SetRowState(row, INDEXTOSTATEIMAGEMASK(marked ? kStateMarked : kStateUnmarked),
                LVIS_STATEIMAGEMASK);
}

void ToggleItemMark(int row) {
    SetItemMark(row, StateImageOf(row) != kStateMarked);
}

void ToggleFocusedItemMark() {
    int row = NextRow(-1, LVNI_FOCUSED);
    if (row >= 0) ToggleItemMark(row);
}

void DeleteSelectedItems() {
    std::vector<int> rows;
    for (int row = NextRow(-1, LVNI_SELECTED); row >= 0; row = NextRow(row, LVNI_SELECTED))
        rows.push_back(row);
    if (rows.empty()) return;
    // Only the rows go; the files on disk stay.
    DeleteItemRows(rows);
    SetStatusPart(0, DeletedRowsText(static_cast<int>(rows.size())).c_str());
}

void ReleaseDeletedRow(const NMLISTVIEW& deleted) {
    FileInfoItem* item = reinterpret_cast<FileInfoItem*>(deleted.lParam);
    if (!item) item = GetItemRecord(deleted.iItem);
    delete item;
    if (g_ShownItemCount > 0) --g_ShownItemCount;
}

void ClearFileInfoList() {
    SendMessageA(List(), LVM_DELETEALLITEMS, 0, 0);
    UpdateWindow(List());
    g_ShownItemCount = 0;
    UpdateListToolbarButtons();
    ShowStatusWithCounts(IDS_READY, 0, 0);
}

void SelectAllItems() {
    // Clearing the focus too means no row is "the" row until one is clicked.
    SetRowState(-1, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT | LVIS_DROPHILITED);
}

int ShownItemCount() {
    return g_ShownItemCount;
}

void ShowStatusWithCounts(int stringId, unsigned first, unsigned second) {
    char text[256] = "";
    LoadStringA(g_Host.instance, stringId, text, sizeof text);
    SetStatusPart(0, text);
    SetStatusPart(1, StatusCountText(first).c_str());
    SetStatusPart(2, StatusCountText(second).c_str());
}

void UpdateListToolbarButtons() {
    if (!g_Host.toolbar) return;
    bool anySelected = SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0) > 0;
    for (int command : {IDM_COPY_LIST, IDM_OPEN_FILE, IDM_DELETE_ITEM, IDM_SORT_LIST})
        SendMessageA(g_Host.toolbar, TB_ENABLEBUTTON, command,
                     MAKELONG(IsListButtonEnabled(command, anySelected, g_ShownItemCount), 0));
}

void SortRowsByKey(int key) {
    SendMessageA(List(), LVM_SORTITEMS, key, reinterpret_cast<LPARAM>(CompareRows));
}

void SortFileInfoList() {
    int key = SortKeyForMode(g_Settings.SortMode);
    if (g_ShownItemCount <= 0 || key == kNoSortKey) return;
    SortRowsByKey(key);
    SetStatusPart(0, "Sorting complete");
}

int CopySelectedToClipboard() {
    std::vector<std::string> paths = SelectedItemPaths();
    if (paths.empty()) return 1;

    return PutClipboardText(g_Host.owner, JoinSelectedPaths(paths, kClipboardSeparator)) ? 1 : 0;
}

bool EditItemLabel(int row) {
    SetFocus(List());
    return SendMessageA(List(), LVM_EDITLABELA, row, 0) != 0;
}

void RedrawItems() {
    RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE);
}

void DeleteItemRows(const std::vector<int>& rows) {
    if (rows.empty()) return;
    // From the last, so the numbers of the rows still to go stay true.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        SendMessageA(List(), LVM_DELETEITEM, *row, 0);
    int row = RowFocusedAfterDeletion(rows.front(), RowCount());
    if (row >= 0) SetRowState(row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    // The list may have moved the focus itself while the rows went, which it
    // does not report; the number shown must not stay a deleted row's.
    ShowFocusedRowNumber(row);
}

void ShowFocusedRowNumber(int row) {
    SetStatusPart(1, FocusedRowText(row).c_str());
}
