// The FileView window: opening, the menu and its state, the commands, closing.

#include "fileview/file_view_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <cstring>
#include <string>
#include <vector>

#include "fileview/file_view_state_win.h"
#include "fileview/find_replace_win.h"
#include "fileview/find_text.h"
#include "fileview/load_save_win.h"
#include "fileview/pane_text_win.h"
#include "help/help.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "results/list_guard.h"
#include "search/criteria.h"
#include "settings/settings.h"
#include "ui/about_win.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"

namespace {

// The one FileView's state: this window owns it and hands it down.
FileViewState g_State;

// FindBox accepts one character more than a find text takes, as the main
// window's Search Text box does; the extra character is dropped when taken.
constexpr int kFindBoxLimit = static_cast<int>(kFindTextLimit) + 1;

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

class WindowSaveHost : public FileViewSaveHost {
  public:
    explicit WindowSaveHost(FileViewState& s) : s_(s) {}
    bool SaveText(const char* path) override {
        return s_.EditView && SaveEditToFile(s_.EditView, path);
    }
    int AskSaveAsName(char* fullPath, char* fileName) override {
        return ::AskSaveAsName(s_.Window, fullPath, fileName);
    }
    void ShowStatus(const std::string& text) override { SetStatusPart(s_, 0, text.c_str()); }
    void ShowOwnedMessage(const std::string& text) override {
        ShowMessageBox(s_.Window, text, MB_OK | MB_ICONEXCLAMATION);
    }
    int AskYesNoCancel(const std::string& text) override {
        return ShowMessageBox(s_.Window, text, MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    bool AskYesNo(const std::string& text) override {
        return ShowMessageBox(s_.Window, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    TextFileLayer& Files() override { return TextFiles(); }

  private:
    FileViewState& s_;
};

HWND CreateFileViewToolbar(HWND parent) {
    static const TBBUTTON buttons[11] = {
        {0, IDM_FV_SAVE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {1, IDM_FV_PRINT, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},  // the find box goes here
        {2, IDM_FV_FIND_NEXT, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {3, IDM_FV_UNDO, 0, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {4, IDM_FV_CUT, 0, TBSTYLE_BUTTON, {}, 0, 0},
        {5, IDM_FV_COPY, 0, TBSTYLE_BUTTON, {}, 0, 0},
        {6, IDM_FV_PASTE, 0, TBSTYLE_BUTTON, {}, 0, 0},
    };
    return CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, IDC_FILEVIEW_TOOLBAR,
                           TOOLBAR_IMAGE_COUNT, Instance(), IDB_FILEVIEW_TOOLBAR, buttons, 11,
                           TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT, 24, 22, sizeof(TBBUTTON));
}

RECT ChildRect(const FileViewState& s, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, s.Window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What the arrangement takes from the menu is gone for the window's life.
void GreyForPanes(const FileViewState& s) {
    HMENU menu = GetMenu(s.Window);
    for (int command : s.Panes.greyedCommands)
        EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED);
    if (s.Panes.changeCaseGreyed)
        EnableMenuItem(GetSubMenu(menu, FV_MENU_EDIT), FV_MENU_CHANGE_CASE,
                       MF_BYPOSITION | MF_GRAYED);
}

// Only LineView: the file is open in an outside program as well.
void ArrangeLineViewOnly(FileViewState& s) {
    RECT bar = ChildRect(s, s.Splitter);
    MoveWindow(s.Splitter, bar.left, s.Frame.panesTop - (bar.bottom - bar.top),
               bar.right - bar.left, bar.bottom - bar.top, FALSE);
    ShowWindow(s.Splitter, SW_HIDE);
    ShowWindow(GetDlgItem(s.Window, IDC_EDIT_NOWRAP), SW_HIDE);
    s.EditView = nullptr;
}

// Only EditView: there is no search text to list.
void ArrangeEditViewOnly(FileViewState& s, int clientHeight) {
    RECT bar = ChildRect(s, s.Splitter);
    MoveWindow(s.Splitter, bar.left, clientHeight - s.Frame.statusHeight, bar.right - bar.left,
               bar.bottom - bar.top, FALSE);
    ShowWindow(s.Splitter, SW_HIDE);
    ShowWindow(s.LineView, SW_HIDE);
    s.LineView = nullptr;
}

void PlaceWindow(HWND hwnd) {
    const WindowRect& kept = g_Settings.FileViewRect;
    if (kept.width <= 0 || kept.height <= 0) {
        RECT now;
        GetWindowRect(hwnd, &now);
        SetFileViewRect({now.left, now.top, now.right - now.left, now.bottom - now.top});
    } else {
        MoveWindow(hwnd, kept.left, kept.top, kept.width, kept.height, FALSE);
    }
}

void OpenFileView(FileViewState& s, HWND hwnd) {
    s.LineView = GetDlgItem(hwnd, IDC_LINEVIEW);
    s.Splitter = GetDlgItem(hwnd, IDC_SPLITTER);
    EnableWindow(s.Splitter, FALSE);
    s.Panes = ArrangeFileViewPanes(!LastSearchText().empty(), g_Settings.Editor == kEditorBase);
    if (!s.Panes.opens) return;

    s.Toolbar = CreateFileViewToolbar(hwnd);
    if (!s.Toolbar) return WarningBox(nullptr, "Out of memory!");
    s.Frame.panesTop = ChildRect(s, s.Toolbar).bottom + 2;
    s.FindBox = AddToolbarCombo(s.Toolbar, 3, IDC_FIND_BOX, 12);
    if (!s.FindBox) return WarningBox(nullptr, "Out of memory!");
    SendMessageA(s.FindBox, CB_LIMITTEXT, kFindBoxLimit, 0);
    SetWindowTextA(s.FindBox, LastSearchText().c_str());
    s.StatusBar = CreateStatusBar(hwnd, IDC_FILEVIEW_STATUS, kFileViewStatusParts,
                                  FileViewStatusWidths().data());
    if (!s.StatusBar) return WarningBox(nullptr, "Out of memory!");
    const RECT bar = ChildRect(s, s.Splitter);
    s.Frame.splitterHeight = bar.bottom - bar.top;
    const RECT status = ChildRect(s, s.StatusBar);
    s.Frame.statusHeight = status.bottom - status.top;

    RECT client;
    GetClientRect(hwnd, &client);
    s.Text.wholeFile = s.Shown.WholeFile;
    if (!s.Panes.hasLineView)
        ArrangeEditViewOnly(s, client.bottom);
    else if (!s.Panes.hasEditView)
        ArrangeLineViewOnly(s);
    GreyForPanes(s);
    s.Frame.hasLineView = s.Panes.hasLineView;
    s.Frame.hasEditView = s.Panes.hasEditView;
    // The panes get their font before their text: a font given afterwards
    // would have EditView measure every line of the text twice.
    if (HFONT font = s.Font.Handle) {
        for (int pane : {IDC_EDIT_WRAP, IDC_EDIT_NOWRAP, IDC_LINEVIEW})
            SendDlgItemMessageA(hwnd, pane, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
    // The panes take their final size before their text: an edit control
    // resized afterwards lays out every line of its text again.
    if (s.Panes.hasEditView)
        s.EditView = GetDlgItem(hwnd, s.WrapLines ? IDC_EDIT_WRAP : IDC_EDIT_NOWRAP);
    // The first layout places the splitter by its share whatever size the
    // window is shown at.
    s.Frame.lastWidth = client.right;
    s.Frame.lastHeight = 0;
    PlaceWindow(hwnd);
    GetClientRect(hwnd, &client);
    LayoutFileViewPanes(s, client.right, client.bottom);

    if (s.Panes.hasEditView) SetUpEditView(s);
    if (s.Panes.hasLineView) BuildLineView(s);
    UpdateCaretStatus(s);
    s.ToolTip = AddToolTip(hwnd, s.FindBox, "Find text",
                           reinterpret_cast<HWND>(SendMessageA(s.Toolbar, TB_GETTOOLTIPS, 0, 0)));

    CharUpperA(s.Shown.FileName);
    char mainTitle[128] = "";
    GetWindowTextA(GetWindow(hwnd, GW_OWNER), mainTitle, sizeof mainTitle);
    SetWindowTextF(hwnd, "%s - %s - %s", mainTitle, "FileView", s.Shown.FileName);

    ShowWindow(hwnd, SW_SHOW);
    // Showing may have laid the panes out already, at this very size: a
    // second layout would only paint everything again.
    GetClientRect(hwnd, &client);
    if (client.right != s.Frame.lastWidth || client.bottom != s.Frame.lastHeight)
        LayoutFileViewPanes(s, client.right, client.bottom);
    else
        UpdateWindow(hwnd);

    if (IsWindowVisible(s.FindBox)) SubclassFindBox(s);
    SetFocus(s.LineView ? s.LineView : s.EditView);
    UpdatePaneIndicators(s);
}

// Loaded once for every FileView of the run: each load makes a new table,
// which would stay behind when its FileView closes.
HACCEL FileViewAccelerators() {
    static const HACCEL table = LoadAcceleratorsA(Instance(), QUARRY_FILEVIEW_ACCEL);
    return table;
}

// A new window starts afresh; the font stays what the run made or chose.
void ResetState() {
    const FileViewFont font = g_State.Font;
    g_State = FileViewState{};
    g_State.Font = font;
}

void OnFileViewCreate(HWND hwnd) {
    ResetState();
    g_State.Window = hwnd;
    // The panes' subclassed controls find the state through the window.
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(&g_State));
    g_State.Accelerators = FileViewAccelerators();
    SetLoopAccelerators(hwnd, g_State.Accelerators);
    g_State.SavedDialogWindow = SwapLoopDialogWindow(nullptr);
    g_State.FindReplaceMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
    g_State.HelpMessage = RegisterWindowMessageA(HELPMSGSTRINGA);
}

int SaveCommand(FileViewState& s) {
    WindowSaveHost host(s);
    return SaveShownFile(s.Shown, s.Text, host);
}

int SaveAsCommand(FileViewState& s) {
    s.HelpContext = IDM_FV_SAVE_AS;
    WindowSaveHost host(s);
    const int result = SaveShownFileAs(s.Shown, s.Text, host);
    s.HelpContext = 0;
    return result;
}

// Print and Print Setup with what FileView shows.
void PrintCommands(FileViewState& s, int command) {
    if (command == IDM_FV_PRINT_SETUP) return PrintSetupCommand(s.Window, &s.HelpContext);
    PrintRequest request;
    request.Owner = s.Window;
    request.EditView = s.EditView;
    request.LineView = s.LineView;
    request.FileName = s.Shown.FileName;
    request.FileTime = s.Shown.LastWriteTime;
    request.SearchText = LastSearchText().c_str();
    request.TabLength = g_Settings.Tabs;
    request.HelpContext = &s.HelpContext;
    PrintCommand(request, s.Print);
}

void Help(HWND hwnd, UINT command, ULONG_PTR data) {
    char path[MAX_PATH] = "";
    ProgramFilePath("Quarry32.hlp", path);
    QuarryHelp(hwnd, path, command, data);
}

void DeleteCommand(HWND edit) {
    if (WinEditBuffer(edit).SelectionEmpty())
        SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
    else
        SendMessageA(edit, WM_CLEAR, 0, 0);
}

void FocusPane(FileViewState& s, HWND pane) {
    if (pane) SetFocus(pane);
    UpdatePaneIndicators(s);
}

void OnEditNotify(FileViewState& s, int code) {
    switch (code) {
        case EN_SETFOCUS:
            if (s.Text.textLoaded) ShowCaret(s.EditView);
            UpdatePaneIndicators(s);
            UpdateEditButtons(s);
            break;
        case EN_CHANGE:
        case FVN_EDIT_INPUT_DONE:
            UpdatePaneIndicators(s);
            UpdateEditButtons(s);
            break;
        case EN_UPDATE:
            if (!s.SettingText) s.Text.modified = true;
            break;
        case EN_ERRSPACE:
        case EN_MAXTEXT: ShowEditorOutOfSpace(s.Window); break;
    }
}

void OnLineViewNotify(FileViewState& s, int code) {
    switch (code) {
        case LBN_SETFOCUS:
            UpdateEditButtons(s);
            UpdatePaneIndicators(s);
            break;
        case LBN_SELCHANGE: {
            char index[16];
            wsprintfA(index, "%d", static_cast<int>(SendMessageA(s.LineView, LB_GETCURSEL, 0, 0)));
            SetStatusPart(s, 6, index);
            break;
        }
        case LBN_DBLCLK: ShowEntryContext(s); break;
    }
}

LRESULT OnFileViewCommand(FileViewState& s, HWND hwnd, int id, int code, WPARAM wp, LPARAM lp) {
    if (ListRunIsOn() && IsFileViewCommandRefusedDuringRun(id)) {
        MessageBeep(MB_OK);
        return 0;
    }
    switch (id) {
        case IDM_FV_DISPLAY_CONTEXT:
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_LINEVIEW, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(s.LineView));
            return 0;
        case IDM_FV_SAVE: return SaveCommand(s);
        case IDM_FV_SAVE_AS: return SaveAsCommand(s);
        case IDM_FV_PRINT:
        case IDM_FV_PRINT_SETUP: PrintCommands(s, id); return 0;
        case IDM_FV_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
        case IDM_FV_COPY_LINEVIEW:
        case IDM_FV_UPPER_CASE:
        case IDM_FV_LOWER_CASE:
        case IDM_FV_TOGGLE_CASE: OnFileViewEditCommand(s, id); return 0;
        case IDM_FV_UNDO:
            SendMessageA(s.EditView, EM_UNDO, 0, 0);
            UpdateEditButtons(s);
            return 0;
        case IDM_FV_DELETE: DeleteCommand(s.EditView); return 0;
        case IDM_FV_CUT: SendMessageA(s.EditView, WM_CUT, 0, 0); return 0;
        case IDM_FV_COPY: SendMessageA(s.EditView, WM_COPY, 0, 0); return 0;
        case IDM_FV_PASTE: SendMessageA(s.EditView, WM_PASTE, 0, 0); return 0;
        case IDM_FV_FIND:
        case IDM_FV_FIND_NEXT:
        case IDM_FV_REPLACE: OnFileViewFindCommand(s, id); return 0;
        case IDM_FV_SELECT_ALL: SendMessageA(s.EditView, EM_SETSEL, 0, -1); return 0;
        case IDM_FV_SPLIT_WINDOW: BeginSplitterDrag(s); return 0;
        case IDM_HELP_CONTENTS: Help(hwnd, HELP_FINDER, 0); return 0;
        case IDM_HELP_SEARCH:
            Help(hwnd, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(""));
            return 0;
        case IDM_ABOUT: ShowAboutBox(hwnd); return 0;
        case IDM_FV_FONT:
        case IDM_FV_TABS:
        case IDM_FV_WRAP_LINES:
        case IDM_FV_CONTEXT_SIZE: OnFileViewOptionCommand(s, id); return 0;
        case IDM_FV_LINEVIEW: FocusPane(s, s.LineView); return 0;
        case IDM_FV_EDITVIEW: FocusPane(s, s.EditView); return 0;
        case IDM_FV_SWITCH_PANE:
            FocusPane(s, GetFocus() == s.LineView && s.EditView ? s.EditView
                         : s.LineView                           ? s.LineView
                                                                : s.EditView);
            return 0;
        case IDC_EDIT_WRAP:
        case IDC_EDIT_NOWRAP: OnEditNotify(s, code); return 0;
        case IDC_LINEVIEW: OnLineViewNotify(s, code); return 0;
    }
    return DefDlgProcA(hwnd, WM_COMMAND, wp, lp);
}

FileViewSnapshot TakeSnapshot(const FileViewState& s) {
    FileViewSnapshot snap;
    snap.textLoaded = s.Text.textLoaded;
    snap.wholeFile = s.Text.wholeFile;
    snap.hasEditView = s.EditView != nullptr;
    snap.hasLineView = s.LineView != nullptr;
    if (s.EditView) {
        snap.canUndo = SendMessageA(s.EditView, EM_CANUNDO, 0, 0) != 0;
        snap.selectionEmpty = WinEditBuffer(s.EditView).SelectionEmpty();
    }
    snap.clipboardHasText = IsClipboardFormatAvailable(CF_TEXT) != 0;
    snap.findBoxOpen = s.Find.Box != nullptr;
    if (s.LineView)
        snap.lineViewCount = static_cast<int>(SendMessageA(s.LineView, LB_GETCOUNT, 0, 0));
    return snap;
}

void OnInitMenuPopup(const FileViewState& s, HMENU popup, int position) {
    const std::vector<int> commands = FileViewPopupCommands(position);
    if (commands.empty()) return;
    const FileViewSnapshot snap = TakeSnapshot(s);
    for (int command : commands)
        EnableMenuItem(
            popup, command,
            MF_BYCOMMAND | (IsFileViewCommandEnabled(command, snap) ? MF_ENABLED : MF_GRAYED));
}

void OnMenuSelect(FileViewState& s, int item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        char ready[64] = "Ready";
        LoadStringA(Instance(), IDS_READY, ready, sizeof ready);
        SetStatusPart(s, 0, ready);
    } else if (flags & (MF_POPUP | MF_SYSMENU)) {
        SetStatusPart(s, 0, "");
    } else if (item != 0 && s.StatusBar) {
        ShowStatusHelp(item, s.StatusBar);
    }
}

void OnFileViewClose(HWND hwnd) {
    if (!IsIconic(hwnd)) {
        RECT now;
        GetWindowRect(hwnd, &now);
        SetFileViewRect({now.left, now.top, now.right - now.left, now.bottom - now.top});
    }
    // EditView is a Replace in Files run's work area until the run ends.
    if (ListRunIsOn()) {
        OweCloseAfterListRun(OwedClose::FileView);
        return;
    }
    if (FileViewMayClose()) DestroyWindow(hwnd);
}

void OnFileViewDestroy(HWND hwnd) {
    HWND owner = GetWindow(hwnd, GW_OWNER);
    if (g_State.Toolbar) DestroyWindow(g_State.Toolbar);
    if (g_State.Dragging || g_State.Hover.hovering) ReleaseCapture();
    Help(hwnd, HELP_QUIT, 0);
    SetLoopAccelerators(owner, nullptr);
    SwapLoopDialogWindow(g_State.SavedDialogWindow);
    ResetState();
    if (owner) SetFocus(GetDlgItem(owner, IDC_FILE_LIST));
}

void OnHelpRequest(HWND hwnd, const HELPINFO* info) {
    if (info->iContextType == HELPINFO_WINDOW)
        Help(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP,
             reinterpret_cast<ULONG_PTR>(kFileViewHelpIds));
    else
        Help(hwnd, HELP_CONTEXT, 0x10000u + static_cast<unsigned>(info->iCtrlId));
}

LRESULT OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
        tip->hinst = Instance();
        tip->lpszText = MAKEINTRESOURCEA(header->idFrom);
    }
    return 0;
}

// Minimising FileView minimises the whole application through the main window.
LRESULT OnSysCommand(HWND hwnd, WPARAM wp, LPARAM lp) {
    HWND owner = GetWindow(hwnd, GW_OWNER);
    if ((wp & 0xFFF0) == SC_MINIMIZE && owner) {
        SetLoopAcceleratorWindow(owner);
        SendMessageA(owner, WM_SYSCOMMAND, wp, lp);
        return 0;
    }
    return DefDlgProcA(hwnd, WM_SYSCOMMAND, wp, lp);
}

LRESULT OnVKeyToItem(HWND hwnd, WPARAM wp) {
    if (LOWORD(wp) != VK_RETURN) return -1;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_LINEVIEW, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(g_State.LineView));
    return -2;
}

}  // namespace

void InitFileViewFont() {
    LOGFONTA& font = g_State.Font.Description;
    font = LOGFONTA{};
    GetObjectA(GetStockObject(ANSI_FIXED_FONT), sizeof font, &font);
    const std::string& face = g_Settings.FontName;
    if (!face.empty() && face.size() <= 31) lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    if (g_Settings.FontSize != 0) {
        HDC screen = GetDC(nullptr);
        font.lfHeight = -MulDiv(g_Settings.FontSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
    }
    if (g_Settings.FontWeight != 0) font.lfWeight = g_Settings.FontWeight;
    FreeFileViewFont();
    g_State.Font.Handle = CreateFontIndirectA(&font);
}

void FreeFileViewFont() {
    if (g_State.Font.Handle) DeleteObject(g_State.Font.Handle);
    g_State.Font.Handle = nullptr;
}

HWND FileViewHandle() {
    return g_State.Window;
}

HWND FileViewEditView() {
    return g_State.EditView;
}

HWND FileViewLineView() {
    return g_State.LineView;
}

bool FileViewMayClose() {
    if (!g_State.Window) return true;
    WindowSaveHost host(g_State);
    return MayCloseFileView(g_State.Shown, g_State.Text, g_State.AskingToClose, host);
}

HWND FileViewFindBox() {
    return g_State.Find.Box;
}

void SetFileViewModified(FileViewState& s, bool modified) {
    s.Text.modified = modified;
    if (s.EditView) SendMessageA(s.EditView, EM_SETMODIFY, modified, 0);
}

HWND OpenFileViewWindow(HWND owner, const FileViewFile& file, int contextAbove, int contextBelow) {
    if (g_State.Window) return nullptr;
    HWND window = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_FILEVIEW), owner, nullptr, 0);
    if (!window) return nullptr;
    g_State.Shown = file;
    g_State.ContextAbove = contextAbove;
    g_State.ContextBelow = contextBelow;
    OpenFileView(g_State, window);
    return window;
}

LRESULT CALLBACK FileViewWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE: OnFileViewCreate(hwnd); break;
        case WM_COMMAND: return OnFileViewCommand(g_State, hwnd, LOWORD(wp), HIWORD(wp), wp, lp);
        case WM_INITMENUPOPUP:
            if (!HIWORD(lp)) OnInitMenuPopup(g_State, reinterpret_cast<HMENU>(wp), LOWORD(lp));
            return 0;
        case WM_MENUSELECT:
            OnMenuSelect(g_State, LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp));
            return 0;
        case WM_SIZE:
            if (wp != SIZE_MINIMIZED && !g_State.Dragging && g_State.StatusBar)
                LayoutFileViewPanes(g_State, LOWORD(lp), HIWORD(lp));
            break;
        case WM_GETMINMAXINFO: FillMinMaxInfo(g_State, reinterpret_cast<MINMAXINFO*>(lp)); return 0;
        case WM_MOUSEMOVE:
            if (SplitterMouseMove(g_State, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), wp)) return 0;
            break;
        case WM_LBUTTONDOWN:
            // A press on the splitter starts the drag there.
            if (g_State.Hover.hovering && !g_State.Dragging) {
                const POINT grip = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                BeginSplitterDrag(g_State, &grip);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (SplitterButtonUp(g_State, GET_X_LPARAM(lp), GET_Y_LPARAM(lp))) return 0;
            break;
        case WM_KEYDOWN:
            if (SplitterKeyDown(g_State, wp, lp)) return 0;
            break;
        case WM_SETFOCUS:
            // The splitter drag reads the arrow keys in the window itself.
            if (g_State.Dragging) return 0;
            break;
        case WM_VKEYTOITEM: return OnVKeyToItem(hwnd, wp);
        // The dialog's default answer, 0, would move LineView's selection to
        // its first line on every typed character, Enter's among them.
        case WM_CHARTOITEM: return -1;
        case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_CLOSE: OnFileViewClose(hwnd); return 0;
        case WM_QUERYENDSESSION: return FileViewMayClose();
        case WM_DESTROY: OnFileViewDestroy(hwnd); return 0;
        case WM_SYSCOMMAND: return OnSysCommand(hwnd, wp, lp);
        case WM_HELP: OnHelpRequest(hwnd, reinterpret_cast<HELPINFO*>(lp)); return TRUE;
        case WM_CONTEXTMENU:
            Help(reinterpret_cast<HWND>(wp), HELP_CONTEXTMENU,
                 reinterpret_cast<ULONG_PTR>(kFileViewHelpIds));
            return 0;
    }
    if (msg != 0 && msg == g_State.FindReplaceMessage) {
        OnFindReplaceMessage(g_State, lp);
        return 0;
    }
    if (msg != 0 && msg == g_State.HelpMessage) {
        if (g_State.HelpContext != 0)
            Help(hwnd, HELP_CONTEXT, 0x10000u + static_cast<unsigned>(g_State.HelpContext));
        return 0;
    }
    return DefDlgProcA(hwnd, msg, wp, lp);
}
