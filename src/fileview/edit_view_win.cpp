// EditView: its set-up, its keyboard subclass, and the status texts that
// follow the caret and the keys; also the find box's Enter.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "fileview/edit_commands.h"
#include "fileview/file_view_state_win.h"
#include "fileview/find_state.h"
#include "fileview/find_text.h"
#include "fileview/load_save_win.h"
#include "fileview/pane_text_win.h"
#include "fileview/save_text.h"
#include "fileview/text_model.h"
#include "resource_ids.h"
#include "settings/settings.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"

namespace {

// One character less than a saved text may hold, so what is typed can be saved.
constexpr int kEditViewTypingLimit = static_cast<int>(kSaveTextLimit) - 1;
constexpr int kLineTextMax = 250;

WNDPROC g_EditViewProc = nullptr;
WNDPROC g_FindBoxEditProc = nullptr;

struct CaretLine {
    int line = 0;       // index of the caret's line in EditView
    int lineStart = 0;  // its offset
    int caret = 0;      // the selection's end
    std::string text;   // at most kLineTextMax characters of it
};

CaretLine ReadCaretLine(HWND edit) {
    CaretLine at;
    uint32_t start = 0, end = 0;
    WinEditBuffer(edit).GetSelection(start, end);
    at.caret = static_cast<int>(end);
    at.line = static_cast<int>(SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
    at.lineStart = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, at.line, 0));
    char buffer[kLineTextMax + 1] = {};
    *reinterpret_cast<WORD*>(buffer) = kLineTextMax;
    const LRESULT got = SendMessageA(edit, EM_GETLINE, at.line, reinterpret_cast<LPARAM>(buffer));
    at.text.assign(buffer, got > 0 ? static_cast<size_t>(got) : 0);
    return at;
}

void ShowKeyState(FileViewState& s, int part, int key, const char* shown) {
    SetStatusPart(s, part, (GetKeyState(key) & 1) ? shown : "");
}

bool OverwriteCharacter(const FileViewState& s, HWND hwnd, WPARAM ch) {
    const CaretLine at = ReadCaretLine(hwnd);
    const int lineEnd =
        at.lineStart + static_cast<int>(SendMessageA(hwnd, EM_LINELENGTH, at.lineStart, 0));
    if (!TypedCharacterOverwrites(s.InsertMode, GetKeyState(VK_CONTROL) < 0, static_cast<char>(ch),
                                  at.caret, lineEnd))
        return false;
    uint32_t start = 0, end = 0;
    WinEditBuffer(hwnd).GetSelection(start, end);
    if (start == end) SendMessageA(hwnd, EM_SETSEL, start, start + 1);
    const char typed[2] = {static_cast<char>(ch), '\0'};
    SendMessageA(hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(typed));
    return true;
}

LRESULT CALLBACK EditViewSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    FileViewState& s = StateOfWindow(hwnd);
    switch (msg) {
        case WM_KEYDOWN:
            if (wp == VK_CAPITAL) ShowKeyState(s, 1, VK_CAPITAL, "CAP");
            if (wp == VK_NUMLOCK) ShowKeyState(s, 2, VK_NUMLOCK, "NUM");
            if (wp == VK_INSERT) {
                s.InsertMode = !s.InsertMode;
                SetStatusPart(s, 3, s.InsertMode ? "" : "OVR");
            }
            break;
        case WM_KEYUP:
        case WM_LBUTTONUP:
            PostMessageA(GetParent(hwnd), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(hwnd), FVN_EDIT_INPUT_DONE),
                         reinterpret_cast<LPARAM>(hwnd));
            break;
        case WM_CHAR:
            if (OverwriteCharacter(s, hwnd, wp)) return 0;
            break;
        case WM_GETDLGCODE:
            // FileView gives the focus back to EditView as a dialog does,
            // which would select the whole text: one key would then replace
            // the file. EditView keeps its caret and selection instead.
            return CallWindowProcA(g_EditViewProc, hwnd, msg, wp, lp) & ~DLGC_HASSETSEL;
    }
    return CallWindowProcA(g_EditViewProc, hwnd, msg, wp, lp);
}

// Enter or a double click in the find box's edit field finds its text.
LRESULT CALLBACK FindBoxSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETDLGCODE)
        return CallWindowProcA(g_FindBoxEditProc, hwnd, msg, wp, lp) | DLGC_WANTALLKEYS;
    if ((msg == WM_KEYDOWN && wp == VK_RETURN) || msg == WM_LBUTTONDBLCLK) {
        FileViewState& s = StateOfWindow(hwnd);
        char text[kFindTextLimit + 1] = "";
        GetWindowTextA(s.FindBox, text, sizeof text);
        SetFindString(text);
        AddToHistory(s.FindBox, kFindHistoryLimit, text);
        PostMessageA(s.Window, WM_COMMAND, IDM_FV_FIND_NEXT, 0);
        if (msg == WM_KEYDOWN) return 0;
    }
    return CallWindowProcA(g_FindBoxEditProc, hwnd, msg, wp, lp);
}

}  // namespace

void SetStatusPart(FileViewState& s, int part, const char* text) {
    if (s.StatusBar) SendMessageA(s.StatusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

// EditView is redrawn once for a new text, not while it takes it in.
void SetEditText(FileViewState& s, const char* text, size_t selectFrom, size_t selectTo) {
    s.SettingText = true;
    SendMessageA(s.EditView, WM_SETREDRAW, FALSE, 0);
    SetWindowTextA(s.EditView, text);
    if (selectFrom != kNoSelection) {
        SendMessageA(s.EditView, EM_SETSEL, selectFrom, selectTo);
        SendMessageA(s.EditView, EM_SCROLLCARET, 0, 0);
    }
    SendMessageA(s.EditView, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(s.EditView, nullptr, TRUE);
    s.SettingText = false;
}

void SetUpEditView(FileViewState& s) {
    s.EditView = GetDlgItem(s.Window, s.WrapLines ? IDC_EDIT_WRAP : IDC_EDIT_NOWRAP);
    UpdatePaneIndicators(s);
    if (!PrepareEditView(s)) return;
    LoadEditViewText(s);
}

bool PrepareEditView(FileViewState& s) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        s.EditView, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditViewSubclassProc)));
    if (!previous) {
        WarningBox(nullptr, "Out of memory!");
        return false;
    }
    if (previous != EditViewSubclassProc) g_EditViewProc = previous;

    // From the client area, so preparing a control again after Wrap Lines
    // gives the same rectangle.
    RECT format;
    GetClientRect(s.EditView, &format);
    format.left = LOWORD(GetDialogBaseUnits());
    SendMessageA(s.EditView, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
    int tabStop = TabStopDialogUnits(g_Settings.Tabs);
    SendMessageA(s.EditView, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    SendMessageA(s.EditView, EM_SETLIMITTEXT, kEditViewTypingLimit, 0);
    return true;
}

void LoadEditViewText(FileViewState& s) {
    const FileViewFile& file = s.Shown;
    if (file.WholeFile) {
        bool partialText = false;
        RememberDiskState(s.Text, TextFiles(), file.FullPath);
        s.SettingText = true;
        const bool loaded = LoadFileIntoEdit(s.EditView, file.FullPath, file.Size, &partialText);
        s.SettingText = false;
        if (!loaded) return;
        s.Text.textLoaded = true;
        s.Text.partialText = partialText;
        s.Text.loadedFrom = file.FullPath;
        s.Text.modified = false;
        s.FirstLineNumber = 1;
        s.LinesLoaded = static_cast<uint32_t>(SendMessageA(s.EditView, EM_GETLINECOUNT, 0, 0));
    } else if (!s.Panes.hasLineView) {
        // A first window of lines; with a search text the first entry shows it.
        SendMessageA(s.Window, WM_COMMAND, IDM_FV_DISPLAY_CONTEXT, 0);
    }
    if (s.Panes.hasLineView)
        SendMessageA(s.Window, WM_COMMAND, IDM_FV_DISPLAY_CONTEXT, 0);
    else if (file.WholeFile)
        SendMessageA(s.EditView, EM_SETSEL, 0, 0);
}

void UpdateCaretStatus(FileViewState& s) {
    if (!s.EditView) return;
    const CaretLine at = ReadCaretLine(s.EditView);
    SetStatusPart(s, 4, CaretLineText(static_cast<uint64_t>(at.line) + s.FirstLineNumber).c_str());
    const size_t offset =
        static_cast<size_t>(at.caret > at.lineStart ? at.caret - at.lineStart : 0);
    SetStatusPart(s, 5,
                  CaretColumnText(ExpandTabsWidth(at.text, offset, g_Settings.Tabs) + 1).c_str());
}

void UpdateEditButtons(FileViewState& s) {
    if (!s.EditView) return;
    const bool selected = !WinEditBuffer(s.EditView).SelectionEmpty();
    const bool canUndo = SendMessageA(s.EditView, EM_CANUNDO, 0, 0) != 0;
    const bool clipboardText = IsClipboardFormatAvailable(CF_TEXT) != 0;
    SendMessageA(s.Toolbar, TB_ENABLEBUTTON, IDM_FV_UNDO, canUndo);
    SendMessageA(s.Toolbar, TB_ENABLEBUTTON, IDM_FV_CUT, selected);
    SendMessageA(s.Toolbar, TB_ENABLEBUTTON, IDM_FV_COPY, selected);
    SendMessageA(s.Toolbar, TB_ENABLEBUTTON, IDM_FV_PASTE, clipboardText);
    UpdateCaretStatus(s);
}

void UpdatePaneIndicators(FileViewState& s) {
    const bool editFocused = s.EditView && GetFocus() == s.EditView;
    HMENU menu = GetMenu(s.Window);
    CheckMenuItem(menu, IDM_FV_EDITVIEW, MF_BYCOMMAND | (editFocused ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, IDM_FV_LINEVIEW, MF_BYCOMMAND | (editFocused ? MF_UNCHECKED : MF_CHECKED));
    if (!editFocused) return;
    SetStatusPart(s, 3, s.InsertMode ? "" : "OVR");
    ShowKeyState(s, 2, VK_NUMLOCK, "NUM");
    ShowKeyState(s, 1, VK_CAPITAL, "CAPS");
}

void SubclassFindBox(FileViewState& s) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(s.FindBox, &info) || !info.hwndItem) return;
    WNDPROC previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        info.hwndItem, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FindBoxSubclassProc)));
    if (previous && previous != FindBoxSubclassProc) g_FindBoxEditProc = previous;
}
