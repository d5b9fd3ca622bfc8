// The FileView Settings dialog: which viewer opens a file, and when to ask.

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "fileops/open_file.h"
#include "fileops/open_file_win.h"
#include "fileview/file_view_win.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"

namespace {

// The association is looked up for the file opened last or about to open.
class ProgramLookup : public ViewerSettingsHost {
  public:
    bool HasAssociatedProgram() override {
        const FileViewFile& file = OpenedFile();
        std::string program;
        return FindProgramFor(file.FileName, DirectoryPart(file.FullPath), program);
    }
    bool ProgramExists(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::string SearchPathVariable() override {
        DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
        if (size == 0) return {};
        std::string path(size, '\0');
        path.resize(GetEnvironmentVariableA("PATH", path.data(), size));
        return path;
    }
};

void ShowViewerChoice(HWND dialog, int choice) {
    CheckRadioButton(dialog, IDC_VIEWER_FILEVIEW, IDC_VIEWER_OTHER, choice);
    EnableWindow(GetDlgItem(dialog, IDC_OTHER_EDITOR), choice == IDC_VIEWER_OTHER);
}

BOOL OnViewerSettingsInit(HWND dialog, int* editorAtOpening) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(editorAtOpening));
    *editorAtOpening = g_Settings.Editor;
    CenterWindow(dialog, 0);
    ShowViewerChoice(dialog, g_Settings.Editor);
    CheckRadioButton(dialog, IDC_QUERY_ALWAYS, IDC_QUERY_NEVER, g_Settings.EditorQuery);
    SendDlgItemMessageA(dialog, IDC_OTHER_EDITOR, EM_LIMITTEXT, kOtherEditorMax, 0);
    SetDlgItemTextA(dialog, IDC_OTHER_EDITOR, g_Settings.OtherEditor.c_str());
    CallDialogTestHook(dialog, IDD_FILEVIEW_SETTINGS);
    return TRUE;
}

void OnViewerSettingsOk(HWND dialog) {
    char typed[kOtherEditorMax + 1] = "";
    GetDlgItemTextA(dialog, IDC_OTHER_EDITOR, typed, sizeof typed);
    std::string program = typed;
    ProgramLookup lookup;
    switch (CheckViewerSettings(g_Settings.Editor, program, lookup)) {
        case ViewerSettingsCheck::NoAssociation:
            WarningBox(nullptr, "No program is associated with this file!");
            SetFocus(GetDlgItem(dialog, IDC_VIEWER_ASSOCIATED));
            return;
        case ViewerSettingsCheck::BadProgram:
            WarningBox(nullptr, "Program path %s\n is invalid!", program.c_str());
            SetFocus(GetDlgItem(dialog, IDC_OTHER_EDITOR));
            return;
        case ViewerSettingsCheck::Accepted: break;
    }
    if (g_Settings.Editor == IDC_VIEWER_OTHER) SetOtherEditor(program);
    EndDialog(dialog, 1);
}

// The radio buttons take effect at once; Cancel gives the viewer choice back
// but keeps the query mode.
BOOL OnViewerSettingsCommand(HWND dialog, int id, int code, const int* editorAtOpening) {
    switch (id) {
        case IDC_VIEWER_FILEVIEW:
        case IDC_VIEWER_ASSOCIATED:
        case IDC_VIEWER_NOTEPAD:
        case IDC_VIEWER_OTHER:
            if (code != BN_CLICKED) return FALSE;
            SetViewerChoice(id);
            ShowViewerChoice(dialog, id);
            return TRUE;
        case IDC_QUERY_ALWAYS:
        case IDC_QUERY_TOO_LARGE:
        case IDC_QUERY_NEVER:
            if (code != BN_CLICKED) return FALSE;
            SetEditorQuery(id);
            CheckRadioButton(dialog, IDC_QUERY_ALWAYS, IDC_QUERY_NEVER, id);
            return TRUE;
        case IDOK: OnViewerSettingsOk(dialog); return TRUE;
        case IDCANCEL:
            SetViewerChoice(*editorAtOpening);
            EndDialog(dialog, 0);
            return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ViewerSettingsProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* editorAtOpening = reinterpret_cast<int*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: return OnViewerSettingsInit(dialog, reinterpret_cast<int*>(lp));
        case WM_CONTEXTMENU: ShowDialogContextHelp(reinterpret_cast<HWND>(wp)); return TRUE;
        case WM_COMMAND:
            return OnViewerSettingsCommand(dialog, LOWORD(wp), HIWORD(wp), editorAtOpening);
    }
    return FALSE;
}

}  // namespace

int FileViewSettingsDialog(HWND owner) {
    int editorAtOpening = g_Settings.Editor;
    return static_cast<int>(
        DialogBoxParamA(AppInstanceHandle(), MAKEINTRESOURCEA(IDD_FILEVIEW_SETTINGS), owner,
                        ViewerSettingsProc, reinterpret_cast<LPARAM>(&editorAtOpening)));
}
