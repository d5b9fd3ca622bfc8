#include "help/help_win.h"

#include <commctrl.h>

#include <string>

#include "files/text_files_win.h"
#include "help/help.h"
#include "ui/app_win.h"
#include "ui/message_box_win.h"

namespace {

constexpr char kHelpClassName[] = "QuarryHelp";
constexpr UINT_PTR kKeysSubclassId = 1;
constexpr UINT kWhatsThisCommand = 1;

struct HelpWindowState {
    HWND window = nullptr;
    HWND searchLabel = nullptr;
    HWND searchBox = nullptr;
    HWND topicList = nullptr;
    HWND topicText = nullptr;
    HelpFile help;
    HelpPage page;
    bool fillingSearchBox = false;  // our own SetWindowText, not the user's typing
};

HelpWindowState g_Help;
WhatsThisHook g_WhatsThisHook = nullptr;

HWND TopLevelOf(HWND window) {
    return window ? GetAncestor(window, GA_ROOT) : GetActiveWindow();
}

// Reads the topics, or tells the user why there is no help to show.
bool LoadHelpFile(HWND caller, const char* path, HelpFile& help) {
    std::string refusal;
    if (ReadHelpFile(TextFiles(), path ? path : "", help, refusal)) return true;
    ShowMessageBox(TopLevelOf(caller), refusal.c_str(), g_App.AppTitle, MB_ICONEXCLAMATION | MB_OK);
    return false;
}

// The real windows under a help request.
class WindowTree : public HelpWindows {
  public:
    bool IsChild(HelpWindow window) override {
        return window && (GetWindowLongA(Hwnd(window), GWL_STYLE) & WS_CHILD);
    }
    HelpWindow Parent(HelpWindow window) override { return GetParent(Hwnd(window)); }
    uint32_t ControlId(HelpWindow window) override {
        return static_cast<uint32_t>(GetDlgCtrlID(Hwnd(window)));
    }
    bool AskWhatsThis(HelpWindow control) override;

  private:
    static HWND Hwnd(HelpWindow window) { return static_cast<HWND>(const_cast<void*>(window)); }
};

static_assert(kHelpContext == HELP_CONTEXT && kHelpQuit == HELP_QUIT &&
              kHelpContextMenu == HELP_CONTEXTMENU && kHelpFinder == HELP_FINDER &&
              kHelpWmHelp == HELP_WM_HELP && kHelpPartialKey == HELP_PARTIALKEY);

void ShowChosenTopic() {
    const HelpTopic& topic = g_Help.help.topics[g_Help.page.shown];
    SetWindowTextA(g_Help.topicText, HelpPaneText(topic).c_str());
    SetWindowTextA(g_Help.window, HelpCaption(g_App.AppTitle, topic).c_str());
}

void ShowListedTopics() {
    SendMessageA(g_Help.topicList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(g_Help.topicList, LB_RESETCONTENT, 0, 0);
    for (size_t index : g_Help.page.listed)
        SendMessageA(g_Help.topicList, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(g_Help.help.topics[index].title.c_str()));
    SendMessageA(g_Help.topicList, LB_SETCURSEL, static_cast<WPARAM>(g_Help.page.chosenRow), 0);
    SendMessageA(g_Help.topicList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_Help.topicList, nullptr, TRUE);
}

// A new page: the search box, the list and the topic; the focus goes to the
// search box with its key chosen whole, or to the list.
void ShowPage(HelpPage page, bool inSearchBox) {
    g_Help.page = std::move(page);
    g_Help.fillingSearchBox = true;
    SetWindowTextA(g_Help.searchBox, g_Help.page.key.c_str());
    g_Help.fillingSearchBox = false;
    ShowListedTopics();
    ShowChosenTopic();
    SetFocus(inSearchBox ? g_Help.searchBox : g_Help.topicList);
    if (inSearchBox) SendMessageA(g_Help.searchBox, EM_SETSEL, 0, -1);
}

void OnSearchChanged() {
    if (g_Help.fillingSearchBox) return;
    char key[256];
    GetWindowTextA(g_Help.searchBox, key, sizeof key);
    bool listed = RetypeHelpKey(g_Help.help, g_Help.page, key);
    ShowListedTopics();
    if (listed) ShowChosenTopic();
}

void OnTopicChosen() {
    if (ChooseHelpRow(g_Help.page,
                      static_cast<int>(SendMessageA(g_Help.topicList, LB_GETCURSEL, 0, 0))))
        ShowChosenTopic();
}

// The help window is no dialog, so its children take Esc, Tab and Enter
// themselves.
LRESULT CALLBACK HelpKeysProc(HWND control, UINT message, WPARAM wp, LPARAM lp, UINT_PTR,
                              DWORD_PTR) {
    switch (message) {
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) {
                SendMessageA(GetParent(control), WM_CLOSE, 0, 0);
                return 0;
            }
            if (wp == VK_TAB) {
                bool back = GetKeyState(VK_SHIFT) < 0;
                SetFocus(GetNextDlgTabItem(GetParent(control), control, back));
                return 0;
            }
            if (wp == VK_RETURN && control == g_Help.searchBox) {
                SetFocus(g_Help.topicList);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wp == VK_ESCAPE || wp == VK_TAB || wp == VK_RETURN) return 0;
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(control, HelpKeysProc, kKeysSubclassId); break;
    }
    return DefSubclassProc(control, message, wp, lp);
}

void LayOutHelpWindow(int width, int height) {
    const int margin = 6, boxHeight = 22, labelWidth = 50;
    const int listWidth = width * 2 / 5;
    const int paneTop = margin + boxHeight + margin;
    const int paneHeight = height - paneTop - margin;
    MoveWindow(g_Help.searchLabel, margin, margin + 4, labelWidth, boxHeight - 4, TRUE);
    MoveWindow(g_Help.searchBox, margin + labelWidth, margin, listWidth - labelWidth, boxHeight,
               TRUE);
    MoveWindow(g_Help.topicList, margin, paneTop, listWidth, paneHeight, TRUE);
    MoveWindow(g_Help.topicText, 2 * margin + listWidth, paneTop, width - listWidth - 3 * margin,
               paneHeight, TRUE);
}

HWND CreateHelpChild(HWND parent, const char* className, DWORD style, int id) {
    HWND child = CreateWindowExA(style & WS_BORDER ? WS_EX_CLIENTEDGE : 0, className, "",
                                 (style & ~WS_BORDER) | WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    if (id != 0) SetWindowSubclass(child, HelpKeysProc, kKeysSubclassId, 0);
    return child;
}

bool OnHelpCreate(HWND window) {
    g_Help.window = window;
    g_Help.searchLabel = CreateHelpChild(window, "STATIC", SS_LEFT, 0);
    SetWindowTextA(g_Help.searchLabel, "&Search:");
    g_Help.searchBox =
        CreateHelpChild(window, "EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kHelpSearchBoxId);
    g_Help.topicList = CreateHelpChild(
        window, "LISTBOX", WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        kHelpTopicListId);
    g_Help.topicText = CreateHelpChild(
        window, "EDIT", WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
        kHelpTopicTextId);
    return g_Help.searchBox && g_Help.topicList && g_Help.topicText;
}

LRESULT CALLBACK HelpWndProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case WM_CREATE: return OnHelpCreate(window) ? 0 : -1;
        case WM_SIZE: LayOutHelpWindow(LOWORD(lp), HIWORD(lp)); return 0;
        case WM_SETFOCUS: SetFocus(g_Help.topicList); return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == kHelpSearchBoxId && HIWORD(wp) == EN_CHANGE) OnSearchChanged();
            if (LOWORD(wp) == kHelpTopicListId && HIWORD(wp) == LBN_SELCHANGE) OnTopicChosen();
            return 0;
        case WM_DESTROY: g_Help = HelpWindowState(); return 0;
    }
    return DefWindowProcA(window, message, wp, lp);
}

bool RegisterHelpClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kHelpClassName, &existing)) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HelpWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = LoadIconA(instance, g_App.AppTitle);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHelpClassName;
    return RegisterClassA(&wc) != 0;
}

// Opens the help window, or brings the open one forward, with these topics.
bool OpenHelpWindow(HelpFile&& help) {
    if (g_Help.window == nullptr) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        if (!RegisterHelpClass(instance)) return false;
        // Not owned by the caller: help stays open and usable while a modal
        // dialog holds the main window, and outlives the dialog it explains.
        HWND window = CreateWindowExA(0, kHelpClassName, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 560, 400, nullptr, nullptr, instance, nullptr);
        if (window == nullptr) return false;
    }
    g_Help.help = std::move(help);
    if (IsIconic(g_Help.window)) ShowWindow(g_Help.window, SW_RESTORE);
    ShowWindow(g_Help.window, SW_SHOW);
    SetForegroundWindow(g_Help.window);
    return true;
}

bool WindowTree::AskWhatsThis(HelpWindow window) {
    HWND control = static_cast<HWND>(const_cast<void*>(window));
    if (g_WhatsThisHook) return g_WhatsThisHook(control);
    HMENU popup = CreatePopupMenu();
    if (popup == nullptr) return false;
    AppendMenuA(popup, MF_STRING, kWhatsThisCommand, "&What's This?");
    POINT at;
    GetCursorPos(&at);
    UINT chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y,
                                 0, TopLevelOf(control), nullptr);
    DestroyMenu(popup);
    return chosen == kWhatsThisCommand;
}

}  // namespace

HWND HelpWindowHandle() {
    return g_Help.window;
}

void SetWhatsThisHook(WhatsThisHook hook) {
    g_WhatsThisHook = hook;
}

BOOL QuarryHelp(HWND caller, const char* helpFilePath, UINT command, ULONG_PTR data) {
    WindowTree windows;
    const HelpAnswer answer = ResolveHelpRequest(command, data, caller, windows);
    switch (answer.action) {
        case HelpAnswer::Refuse: return FALSE;
        case HelpAnswer::Nothing: return TRUE;
        case HelpAnswer::Quit:
            if (g_Help.window) DestroyWindow(g_Help.window);
            return TRUE;
        case HelpAnswer::ShowSearch:
        case HelpAnswer::ShowTopic: break;
    }
    HelpFile help;
    if (!LoadHelpFile(caller, helpFilePath, help) || !OpenHelpWindow(std::move(help))) return FALSE;
    if (answer.action == HelpAnswer::ShowSearch)
        ShowPage(PageForSearch(g_Help.help, answer.key), true);
    else
        ShowPage(PageForTopic(g_Help.help, answer.context), false);
    return TRUE;
}

void ShowDialogContextHelp(HWND clicked, const uint32_t* table) {
    QuarryHelp(clicked, g_App.HelpFilePath, HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(table));
}
