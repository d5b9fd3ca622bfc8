#include "ui/controls_win.h"

#include <commctrl.h>

#include "ui/app_win.h"
#include "ui/controls.h"
#include "ui/message_box_win.h"

namespace {

HFONT g_ComboFont = nullptr;  // shared by every toolbar combo

}  // namespace

// Item `index` of a combo's list, read wide: the system's ANSI translation
// of CB_GETLBTEXT holds 512 characters on the stack, and a longer history
// entry (File Name(s) takes 1024) overruns it and brings the caller down.
std::string ComboItemText(HWND combo, int index) {
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    LRESULT got = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    if (got <= 0 || got > length) return {};
    int wideLength = static_cast<int>(got);
    int bytes =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, text.data(), bytes, nullptr,
                            nullptr);
    return text;
}

std::vector<std::string> ComboListEntries(HWND combo) {
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) entries.push_back(ComboItemText(combo, i));
    return entries;
}

void AddToHistory(HWND combo, size_t limit, const char* text) {
    std::vector<std::string> entries = ComboListEntries(combo);
    HistoryEdit edit;
    if (!PlanHistoryInsert(entries, text, limit, edit)) return;
    if (edit.removeAt >= 0) SendMessageA(combo, CB_DELETESTRING, edit.removeAt, 0);
    SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
    SetWindowTextA(combo, text);
}

void AddToHistory(HWND combo, const char* text) {
    AddToHistory(combo, kHistoryLimit, text);
}

void CenterWindow(HWND window, int top) {
    HWND reference = GetParent(window);
    if (!reference) reference = GetDesktopWindow();
    RECT area, own;
    GetClientRect(reference, &area);
    MapWindowPoints(reference, nullptr, reinterpret_cast<POINT*>(&area), 2);
    GetWindowRect(window, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = (area.left + area.right - width) / 2;
    int y = top ? top : (area.top + area.bottom - height) / 2;
    MoveWindow(window, x, y, width, height, TRUE);
}

HWND CreateStatusBar(HWND parent, int id, int parts, const int* widths) {
    HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP, "Ready",
                                   parent, id);
    if (bar) SetStatusParts(bar, parent, parts, widths);
    return bar;
}

void SetStatusParts(HWND bar, HWND parent, int parts, const int* widths) {
    RECT client;
    GetClientRect(parent, &client);
    // The last part ends clear of the size grip, however wide the system draws it.
    int charWidth = LOWORD(GetDialogBaseUnits());
    int gripOverlap = GetSystemMetrics(SM_CXVSCROLL) - 2 * charWidth;
    int width = client.right - (gripOverlap > 0 ? gripOverlap : 0);
    std::vector<int> edges =
        StatusPartEdges(width, charWidth, std::vector<int>(widths, widths + parts));
    SendMessageA(bar, SB_SETPARTS, parts, reinterpret_cast<LPARAM>(edges.data()));
}

HWND AddToolTip(HWND parent, HWND tool, const char* text, HWND tip) {
    if (tip)
        SetWindowLongPtrA(tip, GWL_STYLE, GetWindowLongPtrA(tip, GWL_STYLE) | TTS_ALWAYSTIP);
    else
        tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                              AppInstanceHandle(), nullptr);
    if (!tip) return nullptr;
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_CENTERTIP | TTF_SUBCLASS;
    info.hwnd = parent;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    return tip;
}

HWND AddToolbarCombo(HWND toolbar, int position, int id, int chars) {
    const LONG units = GetDialogBaseUnits();
    TBBUTTON separator = {};
    RECT place = {};
    SendMessageA(toolbar, TB_GETBUTTON, position, reinterpret_cast<LPARAM>(&separator));
    SendMessageA(toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&place));
    ToolbarComboSpace space = PlanToolbarCombo(place.right - place.left, chars, LOWORD(units));
    for (int i = 0; i < space.extraSeparators; ++i)
        SendMessageA(toolbar, TB_INSERTBUTTONA, position, reinterpret_cast<LPARAM>(&separator));

    HWND combo = CreateWindowExA(0, "COMBOBOX", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                     CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                 place.right, 2, space.comboWidth, 9 * HIWORD(units), toolbar,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 AppInstanceHandle(), nullptr);
    if (!combo) {
        WarningBox(nullptr, "Unable to create toolbar combo box!");
        return nullptr;
    }
    // Every toolbar combo shares the one font, released at exit.
    HFONT font = g_ComboFont ? g_ComboFont : CreateComboFont();
    if (font) {
        g_ComboFont = font;
        SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        SendMessageA(combo, CB_SETEXTENDEDUI, TRUE, 0);
    }
    return combo;
}

void DeleteComboFont() {
    if (g_ComboFont) DeleteObject(g_ComboFont);
    g_ComboFont = nullptr;
}

HFONT CreateComboFont() {
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    if (!font) WarningBox(nullptr, "\nCould not create font for toolbar combo\n");
    return font;
}

int ShowStatusHelp(int stringId, HWND statusBar) {
    if (stringId >= 0 && stringId <= 2) return 0;
    char text[256];
    if (LoadStringA(AppInstanceHandle(), stringId, text, sizeof text) <= 0)
        lstrcpynA(text, "For Help, press F1", sizeof text);
    SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return 1;
}

std::string FieldText(HWND window, int size) {
    std::string text(static_cast<size_t>(size), '\0');
    int length = GetWindowTextA(window, text.data(), size);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

void FocusField(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}
