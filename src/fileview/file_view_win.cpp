// The FileView window: opening, the menu and its state, the commands, closing.

#include "fileview/file_view_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <cstring>
#include <string>

#include "app/about_win.h"
#include "app/app_win.h"
#include "app/help.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/message_box_win.h"
#include "fileview/file_view_commands_win.h"
#include "fileview/find_replace_win.h"
#include "fileview/file_view_state_win.h"
#include "fileview/load_save_win.h"
#include "resource_ids.h"
#include "results/list_guard.h"
#include "search/criteria.h"
#include "settings/settings.h"

namespace {

FileViewFile g_Shown;
int g_Above = kDefaultContextAbove;
int g_Below = kDefaultContextBelow;
FileViewState g_State;

constexpr int kFindBoxLimit = 1024;

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

std::string AppTitleText() {
    char title[32] = "Quarry";
    LoadStringA(Instance(), IDS_APP_TITLE, title, sizeof title);
    return title;
}

class WindowSaveHost : public FileViewSaveHost {
  public:
    bool SaveText(const char* path) override {
        return g_State.EditView && SaveEditToFile(g_State.EditView, path);
    }
    int AskSaveAsName(char* fullPath, char* fileName) override {
        return ::AskSaveAsName(g_State.Window, fullPath, fileName);
    }
    void ShowStatus(const std::string& text) override { SetStatusPart(0, text.c_str()); }
    void ShowOwnedMessage(const std::string& text) override {
        ShowMessageBox(g_State.Window, text.c_str(), AppTitleText().c_str(),
                       MB_OK | MB_ICONEXCLAMATION);
    }
    int AskYesNoCancel(const std::string& text) override {
        return ShowMessageBox(g_State.Window, text.c_str(), AppTitleText().c_str(),
                              MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    bool AskYesNo(const std::string& text) override {
        return ShowMessageBox(g_State.Window, text.c_str(), AppTitleText().c_str(),
                              MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    TextFileLayer& Files() override { return TextFiles(); }
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

RECT ChildRect(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, g_State.Window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void GrayItems(std::initializer_list<int> commands) {
    HMENU menu = GetMenu(g_State.Window);
    for (int command : commands) EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED);
}

// Only LineView: the file is open in an outside program as well.
void ArrangeLineViewOnly() {
    RECT bar = ChildRect(g_State.Splitter);
    MoveWindow(g_State.Splitter, bar.left, g_State.Frame.panesTop - (bar.bottom - bar.top),
               bar.right - bar.left, bar.bottom - bar.top, FALSE);
    ShowWindow(g_State.Splitter, SW_HIDE);
    ShowWindow(GetDlgItem(g_State.Window, IDC_EDIT_NOWRAP), SW_HIDE);
    g_State.EditView = nullptr;
    GrayItems({IDM_FV_DISPLAY_CONTEXT, IDM_FV_TABS, IDM_FV_WRAP_LINES, IDM_FV_SPLIT_WINDOW});
    HMENU edit = GetSubMenu(GetMenu(g_State.Window), FV_MENU_EDIT);
    EnableMenuItem(edit, FV_MENU_CHANGE_CASE, MF_BYPOSITION | MF_GRAYED);
}

// Only EditView: there is no search text to list.
void ArrangeEditViewOnly(int clientHeight) {
    RECT bar = ChildRect(g_State.Splitter);
    MoveWindow(g_State.Splitter, bar.left, clientHeight - g_State.Frame.statusHeight,
               bar.right - bar.left, bar.bottom - bar.top, FALSE);
    ShowWindow(g_State.Splitter, SW_HIDE);
    ShowWindow(g_State.LineView, SW_HIDE);
    g_State.LineView = nullptr;
    GrayItems({IDM_FV_DISPLAY_CONTEXT, IDM_FV_SPLIT_WINDOW});
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

void OpenFileView(HWND hwnd) {
    FileViewState& s = g_State;
    s.LineView = GetDlgItem(hwnd, IDC_LINEVIEW);
    s.Splitter = GetDlgItem(hwnd, IDC_SPLITTER);
    EnableWindow(s.Splitter, FALSE);
    s.HasSearchText = !LastSearchText().empty();
    s.ViewerIsFileView = g_Settings.Editor == kEditorBase;
    if (!s.HasSearchText && !s.ViewerIsFileView) return;

    s.Toolbar = CreateFileViewToolbar(hwnd);
    if (!s.Toolbar) return WarningBox(nullptr, "Out of memory!");
    s.Frame.panesTop = ChildRect(s.Toolbar).bottom + 2;
    s.FindBox = AddToolbarCombo(s.Toolbar, 3, IDC_FIND_BOX, 12);
    if (!s.FindBox) return WarningBox(nullptr, "Out of memory!");
    SendMessageA(s.FindBox, CB_LIMITTEXT, kFindBoxLimit, 0);
    SetWindowTextA(s.FindBox, LastSearchText().c_str());
    s.StatusBar = CreateStatusBar(hwnd, IDC_FILEVIEW_STATUS, 8, kFileViewStatusWidths);
    if (!s.StatusBar) return WarningBox(nullptr, "Out of memory!");
    const RECT bar = ChildRect(s.Splitter);
    s.Frame.splitterHeight = bar.bottom - bar.top;
    const RECT status = ChildRect(s.StatusBar);
    s.Frame.statusHeight = status.bottom - status.top;

    RECT client;
    GetClientRect(hwnd, &client);
    s.Text.wholeFile = g_Shown.WholeFile;
    if (!s.HasSearchText)
        ArrangeEditViewOnly(client.bottom);
    else if (!s.ViewerIsFileView)
        ArrangeLineViewOnly();
    s.Frame.hasLineView = s.LineView != nullptr;
    s.Frame.hasEditView = s.ViewerIsFileView;
    // The panes get their font before their text: a font given afterwards
    // would have EditView measure every line of the text twice.
    if (HFONT font = FileViewFontHandle()) {
        for (int pane : {IDC_EDIT_WRAP, IDC_EDIT_NOWRAP, IDC_LINEVIEW})
            SendDlgItemMessageA(hwnd, pane, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
    if (s.ViewerIsFileView) SetUpEditView();
    if (s.HasSearchText) BuildLineView();
    UpdateCaretStatus();
    s.ToolTip = AddToolTip(hwnd, s.FindBox, "Find text");

    CharUpperA(g_Shown.FileName);
    char mainTitle[128] = "";
    GetWindowTextA(GetWindow(hwnd, GW_OWNER), mainTitle, sizeof mainTitle);
    SetWindowTextF(hwnd, "%s - %s - %s", mainTitle, "FileView", g_Shown.FileName);

    // The first layout places the splitter by its share whatever size the
    // window is shown at.
    s.Frame.lastWidth = client.right;
    s.Frame.lastHeight = 0;
    PlaceWindow(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    GetClientRect(hwnd, &client);
    LayoutFileViewPanes(client.right, client.bottom);
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);

    if (IsWindowVisible(s.FindBox)) SubclassFindBox();
    SetFocus(s.LineView ? s.LineView : s.EditView);
    UpdatePaneIndicators();
}

// Loaded once for every FileView of the run: each load makes a new table,
// which would stay behind when its FileView closes.
HACCEL FileViewAccelerators() {
    static const HACCEL table = LoadAcceleratorsA(Instance(), QUARRY_FILEVIEW_ACCEL);
    return table;
}

void OnFileViewCreate(HWND hwnd) {
    g_State = FileViewState{};
    g_State.Window = hwnd;
    g_State.ContextAbove = g_Above;
    g_State.ContextBelow = g_Below;
    g_State.Accelerators = FileViewAccelerators();
    SetLoopAccelerators(hwnd, g_State.Accelerators);
    g_State.SavedDialogWindow = SwapLoopDialogWindow(nullptr);
    g_State.FindReplaceMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
    g_State.HelpMessage = RegisterWindowMessageA(HELPMSGSTRINGA);
}

int SaveCommand() {
    WindowSaveHost host;
    return SaveShownFile(g_Shown, g_State.Text, host);
}

int SaveAsCommand() {
    g_State.HelpContext = IDM_FV_SAVE_AS;
    WindowSaveHost host;
    const int result = SaveShownFileAs(g_Shown, g_State.Text, host);
    g_State.HelpContext = 0;
    return result;
}

void Help(HWND hwnd, UINT command, ULONG_PTR data) {
    char path[MAX_PATH] = "";
    ProgramFilePath("Quarry32.hlp", path);
    QuarryHelp(hwnd, path, command, data);
}

void DeleteCommand() {
    DWORD start = 0, end = 0;
    SendMessageA(g_State.EditView, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    if (start == end)
        SendMessageA(g_State.EditView, WM_KEYDOWN, VK_DELETE, 0);
    else
        SendMessageA(g_State.EditView, WM_CLEAR, 0, 0);
}

void FocusPane(HWND pane) {
    if (pane) SetFocus(pane);
    UpdatePaneIndicators();
}

void OnEditNotify(int code) {
    FileViewState& s = g_State;
    switch (code) {
        case EN_SETFOCUS:
            if (s.Text.textLoaded) ShowCaret(s.EditView);
            UpdatePaneIndicators();
            UpdateEditButtons();
            break;
        case EN_CHANGE:
        case FVN_EDIT_INPUT_DONE:
            UpdatePaneIndicators();
            UpdateEditButtons();
            break;
        case EN_UPDATE:
            if (!s.SettingText) s.Text.modified = true;
            break;
        case EN_ERRSPACE:
        case EN_MAXTEXT: ShowEditorOutOfSpace(s.Window); break;
    }
}

void OnLineViewNotify(HWND hwnd, int code) {
    switch (code) {
        case LBN_SETFOCUS:
            UpdateEditButtons();
            UpdatePaneIndicators();
            break;
        case LBN_SELCHANGE: {
            char index[16];
            wsprintfA(index, "%d",
                      static_cast<int>(SendMessageA(g_State.LineView, LB_GETCURSEL, 0, 0)));
            SetStatusPart(6, index);
            break;
        }
        case LBN_DBLCLK: ShowEntryContext(); break;
    }
    (void)hwnd;
}

LRESULT OnFileViewCommand(HWND hwnd, int id, int code, WPARAM wp, LPARAM lp) {
    FileViewState& s = g_State;
    if (ListRunIsOn() && IsFileViewCommandRefusedDuringRun(id)) {
        MessageBeep(MB_OK);
        return 0;
    }
    switch (id) {
        case IDM_FV_DISPLAY_CONTEXT:
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_LINEVIEW, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(s.LineView));
            return 0;
        case IDM_FV_SAVE: return SaveCommand();
        case IDM_FV_SAVE_AS: return SaveAsCommand();
        case IDM_FV_PRINT:
        case IDM_FV_PRINT_SETUP:
            s.HelpContext = id;
            OnFileViewPrintCommand(hwnd, id);
            return 0;
        case IDM_FV_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
        case IDM_FV_COPY_LINEVIEW:
        case IDM_FV_UPPER_CASE:
        case IDM_FV_LOWER_CASE:
        case IDM_FV_TOGGLE_CASE: OnFileViewEditCommand(hwnd, id); return 0;
        case IDM_FV_UNDO:
            SendMessageA(s.EditView, EM_UNDO, 0, 0);
            UpdateEditButtons();
            return 0;
        case IDM_FV_DELETE: DeleteCommand(); return 0;
        case IDM_FV_CUT: SendMessageA(s.EditView, WM_CUT, 0, 0); return 0;
        case IDM_FV_COPY: SendMessageA(s.EditView, WM_COPY, 0, 0); return 0;
        case IDM_FV_PASTE: SendMessageA(s.EditView, WM_PASTE, 0, 0); return 0;
        case IDM_FV_FIND:
        case IDM_FV_FIND_NEXT:
        case IDM_FV_REPLACE: OnFileViewFindCommand(hwnd, id); return 0;
        case IDM_FV_SELECT_ALL: SendMessageA(s.EditView, EM_SETSEL, 0, -1); return 0;
        case IDM_FV_SPLIT_WINDOW: BeginSplitterDrag(); return 0;
        case IDM_HELP_CONTENTS: Help(hwnd, HELP_FINDER, 0); return 0;
        case IDM_HELP_SEARCH:
            Help(hwnd, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(""));
            return 0;
        case IDM_ABOUT: ShowAboutBox(hwnd); return 0;
        case IDM_FV_FONT:
        case IDM_FV_TABS:
        case IDM_FV_WRAP_LINES:
        case IDM_FV_CONTEXT_SIZE: OnFileViewOptionCommand(hwnd, id); return 0;
        case IDM_FV_LINEVIEW: FocusPane(s.LineView); return 0;
        case IDM_FV_EDITVIEW: FocusPane(s.EditView); return 0;
        case IDM_FV_SWITCH_PANE:
            FocusPane(GetFocus() == s.LineView && s.EditView ? s.EditView
                      : s.LineView                           ? s.LineView
                                                             : s.EditView);
            return 0;
        case IDC_EDIT_WRAP:
        case IDC_EDIT_NOWRAP: OnEditNotify(code); return 0;
        case IDC_LINEVIEW: OnLineViewNotify(hwnd, code); return 0;
    }
    return DefDlgProcA(hwnd, WM_COMMAND, wp, lp);
}

FileViewSnapshot TakeSnapshot() {
    FileViewState& s = g_State;
    FileViewSnapshot snap;
    snap.textLoaded = s.Text.textLoaded;
    snap.wholeFile = s.Text.wholeFile;
    snap.hasEditView = s.EditView != nullptr;
    snap.hasLineView = s.LineView != nullptr;
    if (s.EditView) {
        snap.canUndo = SendMessageA(s.EditView, EM_CANUNDO, 0, 0) != 0;
        DWORD start = 0, end = 0;
        SendMessageA(s.EditView, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        snap.selectionEmpty = start == end;
    }
    snap.clipboardHasText = IsClipboardFormatAvailable(CF_TEXT) != 0;
    snap.findBoxOpen = FindReplaceBox() != nullptr;
    if (s.LineView)
        snap.lineViewCount = static_cast<int>(SendMessageA(s.LineView, LB_GETCOUNT, 0, 0));
    return snap;
}

void EnableByState(HMENU popup, std::initializer_list<int> commands) {
    const FileViewSnapshot snap = TakeSnapshot();
    for (int command : commands)
        EnableMenuItem(
            popup, command,
            MF_BYCOMMAND | (IsFileViewCommandEnabled(command, snap) ? MF_ENABLED : MF_GRAYED));
}

void OnInitMenuPopup(HMENU popup, int position) {
    switch (position) {
        case FV_MENU_FILE: EnableByState(popup, {IDM_FV_SAVE, IDM_FV_SAVE_AS}); break;
        case FV_MENU_EDIT:
            EnableByState(popup,
                          {IDM_FV_UNDO, IDM_FV_PASTE, IDM_FV_CUT, IDM_FV_DELETE, IDM_FV_COPY,
                           IDM_FV_FIND, IDM_FV_FIND_NEXT, IDM_FV_REPLACE, IDM_FV_COPY_LINEVIEW});
            break;
        case FV_MENU_OPTIONS: EnableByState(popup, {IDM_FV_CONTEXT_SIZE}); break;
        case FV_MENU_WINDOW: EnableByState(popup, {IDM_FV_EDITVIEW, IDM_FV_LINEVIEW}); break;
    }
}

void OnMenuSelect(int item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        char ready[64] = "Ready";
        LoadStringA(Instance(), IDS_READY, ready, sizeof ready);
        SetStatusPart(0, ready);
    } else if (flags & (MF_POPUP | MF_SYSMENU)) {
        SetStatusPart(0, "");
    } else if (item != 0 && g_State.StatusBar) {
        ShowStatusHelp(item, g_State.StatusBar);
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
    if (g_State.Text.modified) {
        WindowSaveHost host;
        if (AskSaveChanges(g_Shown, g_State.Text, host) == kAnswerCancel) return;
    }
    DestroyWindow(hwnd);
}

LRESULT OnQueryEndSession() {
    if (!g_State.Text.modified) return TRUE;
    WindowSaveHost host;
    return AskSaveChanges(g_Shown, g_State.Text, host) != kAnswerCancel;
}

void OnFileViewDestroy(HWND hwnd) {
    HWND owner = GetWindow(hwnd, GW_OWNER);
    if (g_State.Toolbar) DestroyWindow(g_State.Toolbar);
    if (g_State.Dragging || g_State.Hovering) ReleaseCapture();
    Help(hwnd, HELP_QUIT, 0);
    SetLoopAccelerators(owner, nullptr);
    SwapLoopDialogWindow(g_State.SavedDialogWindow);
    g_State = FileViewState{};
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
        SetLoopAccelerators(owner, nullptr);
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

FileViewState& FileView() {
    return g_State;
}

FileViewFile& ShownFile() {
    return g_Shown;
}

void SetContextLines(int above, int below) {
    g_Above = above;
    g_Below = below;
}

int ContextLinesAbove() {
    return g_Above;
}

int ContextLinesBelow() {
    return g_Below;
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

void SetFileViewModified(bool modified) {
    g_State.Text.modified = modified;
    if (g_State.EditView) SendMessageA(g_State.EditView, EM_SETMODIFY, modified, 0);
}

HWND OpenFileViewWindow(HWND owner) {
    if (g_State.Window) return nullptr;
    HWND window = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_FILEVIEW), owner, nullptr, 0);
    if (!window) return nullptr;
    OpenFileView(window);
    return window;
}

LRESULT CALLBACK FileViewWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE: OnFileViewCreate(hwnd); break;
        case WM_COMMAND: return OnFileViewCommand(hwnd, LOWORD(wp), HIWORD(wp), wp, lp);
        case WM_INITMENUPOPUP:
            if (!HIWORD(lp)) OnInitMenuPopup(reinterpret_cast<HMENU>(wp), LOWORD(lp));
            return 0;
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp));
            return 0;
        case WM_SIZE:
            if (wp != SIZE_MINIMIZED && !g_State.Dragging && g_State.StatusBar)
                LayoutFileViewPanes(LOWORD(lp), HIWORD(lp));
            break;
        case WM_GETMINMAXINFO: FillMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp)); return 0;
        case WM_MOUSEMOVE:
            if (SplitterMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), wp)) return 0;
            break;
        case WM_LBUTTONDOWN:
            // A press on the splitter starts the drag there.
            if (g_State.Hovering && !g_State.Dragging) {
                const POINT grip = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                BeginSplitterDrag(&grip);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (SplitterButtonUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))) return 0;
            break;
        case WM_KEYDOWN:
            if (SplitterKeyDown(wp, lp)) return 0;
            break;
        case WM_SETFOCUS:
            // The splitter drag reads the arrow keys in the window itself.
            if (g_State.Dragging) return 0;
            break;
        case WM_VKEYTOITEM: return OnVKeyToItem(hwnd, wp);
        case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_CLOSE: OnFileViewClose(hwnd); return 0;
        case WM_QUERYENDSESSION: return OnQueryEndSession();
        case WM_DESTROY: OnFileViewDestroy(hwnd); return 0;
        case WM_SYSCOMMAND: return OnSysCommand(hwnd, wp, lp);
        case WM_HELP: OnHelpRequest(hwnd, reinterpret_cast<HELPINFO*>(lp)); return TRUE;
        case WM_CONTEXTMENU:
            Help(reinterpret_cast<HWND>(wp), HELP_CONTEXTMENU,
                 reinterpret_cast<ULONG_PTR>(kFileViewHelpIds));
            return 0;
    }
    if (msg != 0 && msg == g_State.FindReplaceMessage) {
        OnFileViewFindMessage(hwnd, lp);
        return 0;
    }
    if (msg != 0 && msg == g_State.HelpMessage) {
        if (g_State.HelpContext != 0)
            Help(hwnd, HELP_CONTEXT, 0x10000u + static_cast<unsigned>(g_State.HelpContext));
        return 0;
    }
    return DefDlgProcA(hwnd, msg, wp, lp);
}
