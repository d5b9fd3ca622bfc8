// ListNotify: the main window hands it every notification of its children.
// The list's own notifications are told apart by their sender, since the
// toolbar sends the same NM_ codes.

#include "results/file_list_win.h"

#include "resource_ids.h"
#include "results/presentation_win.h"
#include "results/sort.h"
#include "settings/settings.h"

namespace {

LRESULT DefaultNotify(NMHDR* header) {
    HWND owner = GetFileListHost().owner ? GetFileListHost().owner : GetParent(header->hwndFrom);
    return DefDlgProcA(owner, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

bool RefuseDuringSearch(int command) {
    const FileListHost& host = GetFileListHost();
    return host.refuseDuringSearch && host.refuseDuringSearch(command);
}

void OnColumnClick(const NMLISTVIEW& click) {
    if (RefuseDuringSearch(IDM_SORT_LIST)) return;
    Settings sorting = g_Settings;
    int key = ApplyColumnHeaderClick(sorting, click.iSubItem);
    SetSortOptions(sorting.SortMode, sorting.SortOrder, sorting.SortDir);
    if (key != kNoSortKey) SortRowsByKey(key);
}

LRESULT OnBeginLabelEdit() {
    if (GetKeyState(VK_SHIFT) < 0) return TRUE;
    return RefuseDuringSearch(IDM_RENAME_FILE) ? TRUE : FALSE;
}

LRESULT OnEndLabelEdit(const NMLVDISPINFOA& edit) {
    if (!edit.item.pszText || RefuseDuringSearch(IDM_RENAME_FILE)) return FALSE;  // editing cancelled
    return RenameFromLabelEdit(edit.item.iItem, edit.item.pszText) ? TRUE : FALSE;
}

void OnItemChanged(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE) || !(change.uNewState & LVIS_FOCUSED) ||
        (change.uOldState & LVIS_FOCUSED))
        return;
    ShowFocusedRowNumber(change.iItem);
}

LRESULT OnKeyDown(NMHDR* header) {
    const auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
    if (key->wVKey != VK_DELETE) return DefaultNotify(header);
    if (GetKeyState(VK_CONTROL) < 0)
        SendMessageA(GetFileListHost().owner, WM_COMMAND, IDM_DELETE_FILES, 0);
    else if (!RefuseDuringSearch(IDM_DELETE_ITEM))
        DeleteSelectedItems();
    return 0;
}

// A click on a row's state icon toggles its mark; the point is the click's
// own, as the list reports it, not wherever the mouse has moved since.
LRESULT OnClick(NMHDR* header) {
    LRESULT result = DefaultNotify(header);
    LVHITTESTINFO hit = {};
    hit.pt = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
    int row = static_cast<int>(
        SendMessageA(GetFileListHost().list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON &&
        !RefuseDuringSearch(IDM_MARK_ITEM))
        ToggleItemMark(row);
    return result;
}

void OnOpenRow() {
    if (RefuseDuringSearch(IDM_OPEN_FILE)) return;
    int row = FocusedItem();
    if (row >= 0) OpenFileFromList(row);
}

void OnListFocus() {
    int rows = static_cast<int>(SendMessageA(GetFileListHost().list, LVM_GETITEMCOUNT, 0, 0));
    if (rows > 0) {
        int row = FocusedItem();
        LVITEMA item = {};
        item.state = LVIS_FOCUSED | LVIS_SELECTED;
        item.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;
        SendMessageA(GetFileListHost().list, LVM_SETITEMSTATE, row >= 0 ? row : 0,
                     reinterpret_cast<LPARAM>(&item));
    }
    UpdateListToolbarButtons();
}

// Toolbar tooltips: the string whose number is the button's command, in the
// characters the tip asks for.
template <class Tip, class Char>
LRESULT OnToolTipText(NMHDR* header, int(WINAPI* load)(HINSTANCE, UINT, Char*, int)) {
    auto* tip = reinterpret_cast<Tip*>(header);
    if (tip->uFlags & TTF_IDISHWND) return DefaultNotify(header);
    static Char text[256];
    text[0] = 0;
    load(GetFileListHost().instance, static_cast<UINT>(header->idFrom), text, 256);
    tip->lpszText = text;
    tip->hinst = nullptr;
    return 0;
}

LRESULT OnListNotify(NMHDR* header) {
    switch (header->code) {
        case LVN_GETDISPINFOA: FillCellText(*reinterpret_cast<NMLVDISPINFOA*>(header)); return 0;
        case LVN_COLUMNCLICK: OnColumnClick(*reinterpret_cast<NMLISTVIEW*>(header)); return 0;
        case LVN_BEGINLABELEDITA: return OnBeginLabelEdit();
        case LVN_ENDLABELEDITA: return OnEndLabelEdit(*reinterpret_cast<NMLVDISPINFOA*>(header));
        case LVN_BEGINDRAG: return 0;
        case LVN_DELETEITEM: ReleaseDeletedRow(*reinterpret_cast<NMLISTVIEW*>(header)); return 0;
        case LVN_DELETEALLITEMS: return FALSE;  // one LVN_DELETEITEM per row, so each is released
        case LVN_ITEMCHANGED: OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header)); return 0;
        case LVN_KEYDOWN: return OnKeyDown(header);
        case NM_CLICK: return OnClick(header);
        case NM_DBLCLK:
        case NM_RETURN: OnOpenRow(); return 0;
        case NM_SETFOCUS: OnListFocus(); return 0;
    }
    return DefaultNotify(header);
}

}  // namespace

LRESULT ListNotify(NMHDR* header) {
    if (header->code == TTN_NEEDTEXTA) return OnToolTipText<NMTTDISPINFOA>(header, LoadStringA);
    if (header->code == TTN_NEEDTEXTW) return OnToolTipText<NMTTDISPINFOW>(header, LoadStringW);
    if (header->hwndFrom && header->hwndFrom == GetFileListHost().list) return OnListNotify(header);
    return DefaultNotify(header);
}
