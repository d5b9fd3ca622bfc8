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
#include "ui/message_box_win.h"
#include "ui/modal_dialog_win.h"

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

// The radio buttons take effect at once; Cancel gives the viewer choice back
// but keeps the query mode.
class ViewerSettingsDialog : public HelpedDialog {
    bool OnInit() override {
        CenterWindow(Dialog(), 0);
        ShowViewerChoice(g_Settings.Editor);
        CheckRadioButton(Dialog(), IDC_QUERY_ALWAYS, IDC_QUERY_NEVER, g_Settings.EditorQuery);
        SendMessageA(Item(IDC_OTHER_EDITOR), EM_LIMITTEXT, kOtherEditorMax, 0);
        SetDlgItemTextA(Dialog(), IDC_OTHER_EDITOR, g_Settings.OtherEditor.c_str());
        return true;
    }

    void ShowViewerChoice(int choice) {
        CheckRadioButton(Dialog(), IDC_VIEWER_FILEVIEW, IDC_VIEWER_OTHER, choice);
        EnableWindow(Item(IDC_OTHER_EDITOR), choice == IDC_VIEWER_OTHER);
    }

    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
            case IDC_VIEWER_FILEVIEW:
            case IDC_VIEWER_ASSOCIATED:
            case IDC_VIEWER_NOTEPAD:
            case IDC_VIEWER_OTHER:
                SetViewerChoice(id);
                ShowViewerChoice(id);
                return true;
            case IDC_QUERY_ALWAYS:
            case IDC_QUERY_TOO_LARGE:
            case IDC_QUERY_NEVER:
                SetEditorQuery(id);
                CheckRadioButton(Dialog(), IDC_QUERY_ALWAYS, IDC_QUERY_NEVER, id);
                return true;
        }
        return false;
    }

    void OnOk() override {
        char typed[kOtherEditorMax + 1] = "";
        GetDlgItemTextA(Dialog(), IDC_OTHER_EDITOR, typed, sizeof typed);
        std::string program = typed;
        ProgramLookup lookup;
        switch (CheckViewerSettings(g_Settings.Editor, program, lookup)) {
            case ViewerSettingsCheck::NoAssociation:
                WarningBox(nullptr, "No program is associated with this file!");
                SetFocus(Item(IDC_VIEWER_ASSOCIATED));
                return;
            case ViewerSettingsCheck::BadProgram:
                WarningBox(nullptr, "Program path %s\n is invalid!", program.c_str());
                SetFocus(Item(IDC_OTHER_EDITOR));
                return;
            case ViewerSettingsCheck::Accepted: break;
        }
        if (g_Settings.Editor == IDC_VIEWER_OTHER) SetOtherEditor(program);
        End(1);
    }

    void OnCancel() override {
        SetViewerChoice(editorAtOpening_);
        End(0);
    }

    const int editorAtOpening_ = g_Settings.Editor;
};

}  // namespace

int FileViewSettingsDialog(HWND owner) {
    return static_cast<int>(ViewerSettingsDialog().Run(owner, IDD_FILEVIEW_SETTINGS));
}
