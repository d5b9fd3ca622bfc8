#include "fileview/find_replace_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <string>

#include "fileview/pane_text_win.h"
#include "fileview/file_view_state_win.h"
#include "fileview/file_view_win.h"
#include "fileview/find_state.h"
#include "fileview/find_text.h"
#include "fileview/load_save_win.h"
#include "fileview/replace_run.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/list_guard.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"
#include "ui/temp_prefix.h"
#include "ui/text_options.h"

namespace {

constexpr size_t kFieldSize = kFindFieldSize;

// The box's hook finds FileView's state here: the platform hands it over
// once, with the box's first message.
constexpr char kViewProperty[] = "QuarryFileView";

FileViewState* ViewOfBox(HWND box) {
    return static_cast<FileViewState*>(GetPropA(box, kViewProperty));
}

std::string ControlText(HWND dialog, int id) {
    char text[kFieldSize] = "";
    GetDlgItemTextA(dialog, id, text, static_cast<int>(kFindTextLimit + 1));
    return text;
}

// Keeps the platform's hidden field (which enables its buttons) in step with the combo box.
void CopyDlgItemText(HWND dialog, int to, int from) {
    SetDlgItemTextA(dialog, to, ControlText(dialog, from).c_str());
}

class BoxHost : public FindBoxHost {
  public:
    explicit BoxHost(FileViewState& view) : view_(view) {}
    bool AskWrap() override {
        return ShowMessageBox(view_.Find.Owner, kWrapQuestion, MB_YESNO | MB_ICONEXCLAMATION) ==
               IDYES;
    }
    void Warn(const std::string& text) override { WarningBox(nullptr, "%s", text.c_str()); }
    void CloseBox() override {
        // Cancel lets the platform end the box and tell FileView it closed.
        if (view_.Find.Box) SendMessageA(view_.Find.Box, WM_COMMAND, IDCANCEL, 0);
    }
    void FocusBox() override {
        if (view_.Find.Box) SetFocus(view_.Find.Box);
    }
    void SetHelpContext(int context) override { view_.HelpContext = context; }
    void ReportNoRoom() override { ShowEditorOutOfSpace(view_.Find.Owner); }

  private:
    FileViewState& view_;
};

void SetUpCombo(HWND box, int combo, int field, const std::vector<std::string>& history) {
    HWND control = GetDlgItem(box, combo);
    ShowWindow(GetDlgItem(box, field), SW_HIDE);
    SendMessageA(control, CB_SETEXTENDEDUI, TRUE, 0);
    SendMessageA(control, CB_LIMITTEXT, kFindTextLimit, 0);
    SendMessageA(control, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : history)
        SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    CopyDlgItemText(box, combo, field);
}

// The combo's text on top of its list; the list as it then stands.
std::vector<std::string> AddComboHistory(HWND box, int combo) {
    HWND control = GetDlgItem(box, combo);
    AddToHistory(control, kFindHistoryLimit, ControlText(box, combo).c_str());
    return ComboListEntries(control);
}

void OnBoxInit(FindReplaceBox& find, HWND box) {
    find.Box = box;
    if ((find.StatusFont = CreateComboFont()))
        SendDlgItemMessageA(box, IDC_REPLACE_STATUS, WM_SETFONT,
                            reinterpret_cast<WPARAM>(find.StatusFont), TRUE);
    // As the main window's Regular box is now, whatever the last search used.
    CheckDlgButton(box, IDC_REGULAR,
                   (g_Settings.TextOptions & kTextRegular) ? BST_CHECKED : BST_UNCHECKED);
    SetUpCombo(box, IDC_FIND_COMBO, edt1, g_FindReplace.FindHistory);
    if (!find.ReplaceMode) return;
    SetUpCombo(box, IDC_REPLACE_COMBO, edt2, g_FindReplace.ReplaceHistory);
    CheckDlgButton(box, IDC_CONFIRM_SAVE, BST_CHECKED);
    CheckRadioButton(box, IDC_FILES_SELECTED, IDC_FILES_ALL, IDC_FILES_ALL);
    EnableWindow(GetDlgItem(box, IDC_FILES_MARKED), NextMarkedItem(-1) >= 0);
    SetFocus(GetDlgItem(box, IDC_FIND_COMBO));
}

// Before the platform reads the hidden fields for Find Next, Replace or Replace All.
void OnBoxFindNext(const FileViewState& view, HWND box) {
    CopyDlgItemText(box, edt1, IDC_FIND_COMBO);
    SetFindHistory(AddComboHistory(box, IDC_FIND_COMBO));
    SetFindString(ControlText(box, IDC_FIND_COMBO));
    // FileView's toolbar find box follows the box's find text.
    // The history leaves a text already at its top alone, the box's text too.
    if (HWND findBox = view.FindBox) {
        AddToHistory(findBox, kFindHistoryLimit, g_FindReplace.FindString.c_str());
        SetWindowTextA(findBox, g_FindReplace.FindString.c_str());
    }
    SetFindRegular(IsDlgButtonChecked(box, IDC_REGULAR) == BST_CHECKED);
}

void ReplaceInFilesButton(FileViewState& view, HWND box);

UINT_PTR CALLBACK FindDialogHook(HWND box, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* view =
            reinterpret_cast<FileViewState*>(reinterpret_cast<FINDREPLACEA*>(lp)->lCustData);
        SetPropA(box, kViewProperty, view);
        OnBoxInit(view->Find, box);
        return FALSE;
    }
    FileViewState* view = ViewOfBox(box);
    if (!view) return FALSE;
    switch (msg) {
        case WM_DESTROY:
            RemovePropA(box, kViewProperty);
            if (view->Find.StatusFont) DeleteObject(view->Find.StatusFont);
            view->Find.StatusFont = nullptr;
            return FALSE;
        case WM_COMMAND: break;
        default: return FALSE;
    }
    const int id = LOWORD(wp), code = HIWORD(wp);
    switch (id) {
        case IDC_FIND_COMBO:
            if (code == CBN_EDITCHANGE) CopyDlgItemText(box, edt1, IDC_FIND_COMBO);
            if (code == CBN_SELCHANGE) {
                HWND combo = GetDlgItem(box, IDC_FIND_COMBO);
                LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
                char text[kFieldSize] = "";
                if (item >= 0 && SendMessageA(combo, CB_GETLBTEXTLEN, item, 0) <=
                                     static_cast<LRESULT>(kFindTextLimit))
                    SendMessageA(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
                SetDlgItemTextA(box, edt1, text);
            }
            return TRUE;
        case psh1:
        case psh2:
            CopyDlgItemText(box, edt2, IDC_REPLACE_COMBO);
            SetReplaceHistory(AddComboHistory(box, IDC_REPLACE_COMBO));
            SetReplaceString(ControlText(box, IDC_REPLACE_COMBO));
            OnBoxFindNext(*view, box);
            return FALSE;
        case IDOK: OnBoxFindNext(*view, box); return FALSE;
        case pshHelp: {
            char path[MAX_PATH] = "";
            ProgramFilePath("Quarry32.hlp", path);
            QuarryHelp(box, path, HELP_CONTEXT,
                       0x10000u + (view->Find.ReplaceMode ? IDM_FV_REPLACE : IDM_FV_FIND));
            return TRUE;
        }
        case IDC_REPLACE_IN_FILES: ReplaceInFilesButton(*view, box); return TRUE;
    }
    return FALSE;
}

void CloseFindState(FindReplaceBox& find) {
    if (find.Box) SwapLoopDialogWindow(find.SavedDialogWindow);
    find.Box = nullptr;
    find.Owner = nullptr;
    find.SavedDialogWindow = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Replace in Files

Answer AnswerOf(int button) {
    switch (button) {
        case IDYES: return Answer::Yes;
        case IDNO: return Answer::No;
        case IDABORT: return Answer::Abort;
        case IDRETRY: return Answer::Retry;
        case IDIGNORE: return Answer::Ignore;
        default: return Answer::Cancel;
    }
}

// The File Info List, EditView and the Replace box as the run sees them.
class FilesHost : public ReplaceRunHost {
  public:
    FilesHost(FileViewState& view, HWND box, TextFileLayer& files)
        : view_(view), find_(view.Find), box_(box), files_(files), edit_(view.EditView) {}
    int RowCount() override { return ShownItemCount(); }
    bool IsSelected(int row) override { return NextSelectedItem(row - 1) == row; }
    bool IsMarked(int row) override { return NextMarkedItem(row - 1) == row; }
    FileInfoItem& Item(int row) override { return *GetItemRecord(row); }
    void SetMark(int row, bool marked) override { SetItemMark(row, marked); }
    TextFileLayer& Files() override { return files_; }
    std::string EditText() override { return edit_.Text(); }
    void SetEditText(const std::string& text) override {
        SetWindowTextA(view_.EditView, text.c_str());
    }
    bool EditModified() override {
        return view_.Text.modified || SendMessageA(view_.EditView, EM_GETMODIFY, 0, 0) != 0;
    }
    void SetEditModified(bool modified) override {
        SendMessageA(view_.EditView, EM_SETMODIFY, modified, 0);
        SetFileViewModified(view_, modified);
    }
    ReplaceAllResult ReplaceAllInEdit() override {
        // The box's settings as they are now, written into its record.
        FindFlags flags;
        flags.MatchCase = IsDlgButtonChecked(box_, chx2) == BST_CHECKED;
        flags.WholeWord = IsDlgButtonChecked(box_, chx1) == BST_CHECKED;
        flags.Regular = IsDlgButtonChecked(box_, IDC_REGULAR) == BST_CHECKED;
        std::string find = ControlText(box_, IDC_FIND_COMBO),
                    replace = ControlText(box_, IDC_REPLACE_COMBO);
        snprintf(find_.FindField, sizeof find_.FindField, "%s", find.c_str());
        snprintf(find_.ReplaceField, sizeof find_.ReplaceField, "%s", replace.c_str());
        find_.Record.Flags = (find_.Record.Flags & ~(FR_MATCHCASE | FR_WHOLEWORD)) | FR_DOWN |
                             (flags.MatchCase ? FR_MATCHCASE : 0) |
                             (flags.WholeWord ? FR_WHOLEWORD : 0);
        return ReplaceAllInEditView(edit_, flags, find, replace);
    }
    Answer AskSaveReplaced(const std::string& fileName) override {
        char text[kMessageTextSize];
        snprintf(text, sizeof text, "Replace completed in %s!\t\nSave it?", fileName.c_str());
        return AnswerOf(ShowMessageBox(box_, text, MB_YESNOCANCEL | MB_ICONQUESTION));
    }
    Answer AskAbortRetryIgnore(const std::string& text) override {
        return AnswerOf(AbortRetryIgnoreBox(nullptr, "%s", text.c_str()));
    }
    bool AskYesNo(const std::string& text) override {
        return ShowMessageBox(nullptr, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void Warn(const std::string& text) override { WarningBox(nullptr, "%s", text.c_str()); }
    void ShowStatus(const std::string& text) override {
        SetDlgItemTextA(box_, IDC_REPLACE_STATUS, text.c_str());
    }
    void CloseBox() override { BoxHost(view_).CloseBox(); }

  private:
    FileViewState& view_;
    FindReplaceBox& find_;
    HWND box_;
    TextFileLayer& files_;
    WinEditBuffer edit_;
};

// After a run: the starting file's state on disk is FileView's own again
// when the run wrote it, and a close asked for during the run is carried out.
void FinishRun(FileViewState& view, const ReplaceRunResult& result, HWND owner) {
    if (result.StartWritten && view.Window)
        RememberDiskState(view.Text, TextFiles(), view.Shown.FullPath);
    switch (TakeOwedClose()) {
        case OwedClose::Program: PostMessageA(MainWindowHandle(), WM_CLOSE, 0, 0); break;
        case OwedClose::FileView: PostMessageA(owner, WM_CLOSE, 0, 0); break;
        case OwedClose::None: break;
    }
}

void ReplaceInFilesButton(FileViewState& view, HWND box) {
    ReplaceInFilesStart start;
    start.All = IsDlgButtonChecked(box, IDC_FILES_ALL) == BST_CHECKED;
    start.Selected = IsDlgButtonChecked(box, IDC_FILES_SELECTED) == BST_CHECKED;
    start.Marked = IsDlgButtonChecked(box, IDC_FILES_MARKED) == BST_CHECKED;
    start.ConfirmFileSave = IsDlgButtonChecked(box, IDC_CONFIRM_SAVE) == BST_CHECKED;
    start.ShownPath = view.Shown.FullPath;
    start.ShownFileName = view.Shown.FileName;
    start.ShownHeldWhole = view.Shown.WholeFile && !view.Text.partialText;
    start.StampedPath = view.Text.stampedPath;
    start.Stamp = view.Text.stamp;
    HWND owner = view.Find.Owner;
    FilesHost host(view, box, TextFiles());
    ReplaceRunResult result;
    if (!ReplaceInFilesFromBox(host, start, result)) return;
    FinishRun(view, result, owner);
    // LineView lists the lines of the file on disk: once that changed, the
    // old entries would lead to lines that are no longer there.
    if (result.StartWritten && view.LineView) RebuildLineView(view);
}

}  // namespace

HWND OpenFindBox(FileViewState& view, bool replace) {
    FindReplaceBox& find = view.Find;
    HWND owner = view.Window, edit = view.EditView;
    // A box that went with its owner's window never told us it closed.
    if (find.Box && !IsWindow(find.Box)) CloseFindState(find);
    if (find.Box || !edit) return nullptr;
    WinEditBuffer buffer(edit);
    uint32_t start = 0, end = 0;
    buffer.GetSelection(start, end);
    find.Owner = owner;
    find.ReplaceMode = replace;
    find.Positions = FindState{};
    find.Positions.SearchPosition = find.Positions.StartPosition = start;
    snprintf(find.FindField, sizeof find.FindField, "%s", g_FindReplace.FindString.c_str());
    snprintf(find.ReplaceField, sizeof find.ReplaceField, "%s",
             g_FindReplace.ReplaceString.c_str());

    FINDREPLACEA& record = find.Record;
    record = FINDREPLACEA{};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.hInstance = GetModuleHandleA(nullptr);
    record.Flags = FR_SHOWHELP | FR_ENABLEHOOK | FR_ENABLETEMPLATE;
    if (!replace) {
        if (g_FindReplace.Down) record.Flags |= FR_DOWN;
        if (g_FindReplace.WholeWord) record.Flags |= FR_WHOLEWORD;
        if (g_FindReplace.MatchCase) record.Flags |= FR_MATCHCASE;
    }
    record.lpstrFindWhat = find.FindField;
    record.wFindWhatLen = static_cast<WORD>(sizeof find.FindField);
    record.lpstrReplaceWith = find.ReplaceField;
    record.wReplaceWithLen = static_cast<WORD>(sizeof find.ReplaceField);
    record.lpTemplateName = MAKEINTRESOURCEA(replace ? IDD_REPLACE : IDD_FIND);
    record.lpfnHook = FindDialogHook;
    record.lCustData = reinterpret_cast<LPARAM>(&view);
    HWND box = replace ? ReplaceTextA(&record) : FindTextA(&record);
    if (!box) {
        CloseFindState(find);
        return nullptr;
    }
    find.Box = box;
    // Keys go to the box first while it is open.
    find.SavedDialogWindow = SwapLoopDialogWindow(box);
    view.HelpContext = replace ? IDM_FV_REPLACE : IDM_FV_FIND;
    // Our templates leave the box hidden; the user must see it at once.
    ShowWindow(box, SW_SHOW);
    UpdateWindow(box);
    return box;
}

UINT FindReplaceMessageId() {
    return RegisterWindowMessageA(FINDMSGSTRINGA);
}

void OnFindReplaceMessage(FileViewState& view, LPARAM data) {
    FindReplaceBox& find = view.Find;
    const auto* record = reinterpret_cast<const FINDREPLACEA*>(data);
    if (!record) return;
    if (record->Flags & FR_DIALOGTERM) {
        CloseFindState(find);
        return;
    }
    // Whichever control is EditView now: Wrap Lines may have swapped it while the box was open.
    if (!view.EditView || view.Window != find.Owner) return;
    WinEditBuffer edit(view.EditView);
    BoxHost host(view);
    const DWORD flags = record->Flags;
    FindBoxRequest request;
    request.FindNext = (flags & FR_FINDNEXT) != 0;
    request.Replace = (flags & (FR_REPLACE | FR_REPLACEALL)) != 0;
    request.All = (flags & FR_REPLACEALL) != 0;
    request.Flags = {(flags & FR_DOWN) != 0, (flags & FR_MATCHCASE) != 0,
                     (flags & FR_WHOLEWORD) != 0, g_FindReplace.Regular, request.FindNext};
    request.Find = record->lpstrFindWhat;
    request.With = record->lpstrReplaceWith;
    OnFindBoxRequest(host, edit, find.Positions, request);
}

void FindNextInEdit(FileViewState& view) {
    if (!view.EditView) return;
    WinEditBuffer buffer(view.EditView);
    const std::string miss = FindNextAgain(buffer);
    if (!miss.empty()) ShowMessageBox(view.Window, miss, MB_OK | MB_ICONEXCLAMATION);
}

void ShowEditorOutOfSpace(HWND owner) {
    char text[kMessageTextSize];
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_EDITOR_OUT_OF_SPACE, text, sizeof text) <= 0) {
        WarningBox(nullptr, "Out of memory! Close FileView!");
        return;
    }
    ShowMessageBox(owner, text, MB_OK | MB_ICONSTOP);
}

void OnFileViewFindCommand(FileViewState& view, int command) {
    switch (command) {
        case IDM_FV_FIND: OpenFindBox(view, false); break;
        case IDM_FV_REPLACE: OpenFindBox(view, true); break;
        case IDM_FV_FIND_NEXT: FindNextInEdit(view); break;
    }
}
