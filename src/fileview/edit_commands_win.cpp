// FileView's editing commands: the case changes, Copy LineView to Clipboard,
// and the options Font, Tabs, Wrap Lines and Set Context Size.

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <new>
#include <string>
#include <vector>

#include "fileview/edit_commands.h"
#include "fileview/file_view_state_win.h"
#include "fileview/file_view_win.h"
#include "fileview/pane_text_win.h"
#include "fileview/text_model.h"
#include "fileview/view_options_win.h"
#include "resource_ids.h"
#include "settings/settings.h"
#include "ui/clipboard_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"

namespace {

HWND EditControl(const FileViewState& s, bool wrapping) {
    return GetDlgItem(s.Window, wrapping ? IDC_EDIT_WRAP : IDC_EDIT_NOWRAP);
}

// Lets a test answer the font dialog as it answers FileView's own dialogs.
UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_INITDIALOG) CallDialogTestHook(dialog, FORMATDLGORD31);
    return 0;
}

// The font dialog over FileView, started at its font; the chosen font
// becomes FileView's font description. 0 when cancelled.
int ChooseFileViewFont(FileViewState& s) {
    LOGFONTA font = s.Font.Description;
    CHOOSEFONTA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = s.Window;
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_SHOWHELP | CF_ENABLEHOOK;
    choice.lpfnHook = FontDialogHook;
    const BOOL chosen = ChooseFontA(&choice);
    if (!chosen) return 0;
    // The chosen font lasts for the run; the settings keep the font the user
    // set in Quarry32.ini.
    s.Font.Description = font;
    return chosen;
}

// A font made from the description goes to the panes and replaces FileView's font.
void ApplyFileViewFont(FileViewState& s) {
    HFONT font = CreateFontIndirectA(&s.Font.Description);
    if (!font) return;  // the panes keep the font they have
    for (HWND pane : {s.EditView, s.LineView})
        if (pane) SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (s.Font.Handle && s.Font.Handle != font) DeleteObject(s.Font.Handle);
    s.Font.Handle = font;
}

void ChangeCaseCommand(HWND edit, CaseChange change) {
    if (!edit) return;
    // The case change is not one of the edits Undo takes back.
    WinEditBuffer buffer(edit, false);
    try {
        ChangeCaseOfSelection(buffer, change);
    } catch (const std::bad_alloc&) {
        WarningBox(nullptr, "Out of memory!");
    }
}

void CopyLineViewCommand(HWND fileView, HWND lineView) {
    if (!lineView) return;
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(lineView, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string line;
        if (ListItemText(lineView, i, line)) lines.push_back(std::move(line));
    }
    if (lines.empty()) return;
    HWND owner = GetWindow(fileView, GW_OWNER);
    PutClipboardText(owner ? owner : fileView, LineViewClipboardText(lines));
}

// The two edit controls of FileView's template, one of them EditView.
class WindowEditPair : public EditSwapHost {
  public:
    explicit WindowEditPair(FileViewState& s) : s_(s) {}
    EditContent Take(bool wrapping) override {
        WinEditBuffer edit(EditControl(s_, wrapping));
        EditContent content;
        content.text = edit.Text();
        uint32_t start = 0, end = 0;
        edit.GetSelection(start, end);
        content.selStart = start;
        content.selEnd = end;
        return content;
    }
    void Arrange(bool wrapping) override {
        FileViewState& s = s_;
        HWND next = EditControl(s, wrapping);
        HWND previous = EditControl(s, !wrapping);
        RECT place = {};
        GetWindowRect(previous, &place);
        MapWindowPoints(nullptr, s.Window, reinterpret_cast<POINT*>(&place), 2);
        const bool focused = GetFocus() == previous;
        MoveWindow(next, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   FALSE);
        EnableWindow(next, TRUE);
        ShowWindow(next, SW_SHOW);
        if (focused) SetFocus(next);
        EnableWindow(previous, FALSE);
        ShowWindow(previous, SW_HIDE);
        s.EditView = next;
        s.WrapLines = wrapping;
        PrepareEditView(s);
        SendMessageA(next, WM_SETFONT, reinterpret_cast<WPARAM>(s.Font.Handle), TRUE);
    }
    bool Put(bool wrapping, const EditContent& content) override {
        HWND edit = EditControl(s_, wrapping);
        SetOwnText(edit, content.text.c_str());
        if (static_cast<size_t>(GetWindowTextLengthA(edit)) != content.text.size()) return false;
        WinEditBuffer(edit).SetSelection(static_cast<uint32_t>(content.selStart),
                                         static_cast<uint32_t>(content.selEnd));
        return true;
    }
    void Clear(bool wrapping) override { SetOwnText(EditControl(s_, wrapping), ""); }
    void CheckWrapItem(bool on) override {
        CheckMenuItem(GetMenu(s_.Window), IDM_FV_WRAP_LINES,
                      MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    }

  private:
    // Moving the text is not the user's change: Modified stays as it was.
    void SetOwnText(HWND edit, const char* text) {
        const bool wasSetting = s_.SettingText;
        s_.SettingText = true;
        SetWindowTextA(edit, text);
        SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);
        s_.SettingText = wasSetting;
    }

    FileViewState& s_;
};

void WrapLinesCommand(FileViewState& s) {
    if (!s.EditView) return;
    WindowEditPair pair(s);
    s.WrapLines = SwapEditControl(s.WrapLines, pair);
    UpdatePaneIndicators(s);
    UpdateEditButtons(s);
}

void TabsCommand(FileViewState& s) {
    s.HelpContext = IDM_FV_TABS;
    const int length = ShowTabsDialog(s.Window, g_Settings.Tabs);
    s.HelpContext = 0;
    if (length <= 0 || length > 0xFFFF) return;
    SetTabLength(static_cast<uint16_t>(length));
    int tabStop = TabStopDialogUnits(length);
    if (s.LineView) SendMessageA(s.LineView, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    if (s.EditView) SendMessageA(s.EditView, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    RedrawWindow(s.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    UpdateCaretStatus(s);
}

void ContextSizeCommand(FileViewState& s) {
    s.HelpContext = IDM_FV_CONTEXT_SIZE;
    ShowContextSizeDialog(s.Window, s.ContextAbove, s.ContextBelow);
    s.HelpContext = 0;
}

void FontCommand(FileViewState& s) {
    s.HelpContext = IDM_FV_FONT;
    const int chosen = ChooseFileViewFont(s);
    s.HelpContext = 0;
    if (chosen) ApplyFileViewFont(s);
}

}  // namespace

void OnFileViewEditCommand(FileViewState& s, int command) {
    switch (command) {
        case IDM_FV_UPPER_CASE: ChangeCaseCommand(s.EditView, CaseChange::Upper); break;
        case IDM_FV_LOWER_CASE: ChangeCaseCommand(s.EditView, CaseChange::Lower); break;
        case IDM_FV_TOGGLE_CASE: ChangeCaseCommand(s.EditView, CaseChange::Toggle); break;
        case IDM_FV_COPY_LINEVIEW: CopyLineViewCommand(s.Window, s.LineView); break;
    }
}

void OnFileViewOptionCommand(FileViewState& s, int command) {
    switch (command) {
        case IDM_FV_FONT: FontCommand(s); break;
        case IDM_FV_TABS: TabsCommand(s); break;
        case IDM_FV_WRAP_LINES: WrapLinesCommand(s); break;
        case IDM_FV_CONTEXT_SIZE: ContextSizeCommand(s); break;
    }
}
