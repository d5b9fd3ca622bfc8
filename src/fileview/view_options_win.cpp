#include "fileview/view_options_win.h"

#include <commctrl.h>

#include <string>

#include "fileview/view_options.h"
#include "help/help.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"
#include "ui/modal_dialog_win.h"

namespace {

constexpr char kContextSizeError[] = "Error in value(must be less than 1024).";

// FileView's dialogs offer FileView's help.
class FileViewDialog : public HelpedDialog {
  public:
    FileViewDialog() : HelpedDialog(kFileViewHelpIds) {}
};

class TabsDialog : public FileViewDialog {
  public:
    explicit TabsDialog(int length) : length_(length) {}

  private:
    bool OnInit() override {
        SetDlgItemInt(Dialog(), IDC_TAB_LENGTH, static_cast<UINT>(length_), FALSE);
        return true;
    }
    void OnOk() override {
        uint16_t length = 0;
        if (!ReadTabLength(FieldText(Item(IDC_TAB_LENGTH), 32), length)) {
            SimpleBeep();
            return FocusField(Dialog(), IDC_TAB_LENGTH);
        }
        End(length);
    }
    void OnCancel() override { End(0); }

    int length_;
};

// Set Context Size. Both fields are checked before either value is taken, so
// a refused field leaves nothing half changed.
class ContextSizeDialog : public FileViewDialog {
  public:
    ContextSizeDialog(int above, int below) : above(above), below(below) {}
    int above;
    int below;

  private:
    bool OnInit() override {
        CenterWindow(Dialog(), 0);
        for (int field : {IDC_CONTEXT_ABOVE, IDC_CONTEXT_BELOW}) {
            HWND spin = GetWindow(Item(field), GW_HWNDNEXT);
            SendMessageA(spin, UDM_SETRANGE32, 0, kContextLinesLimit - 1);
            int value = field == IDC_CONTEXT_ABOVE ? above : below;
            SendMessageA(spin, UDM_SETPOS32, 0, value);
            SetDlgItemInt(Dialog(), field, static_cast<UINT>(value), FALSE);
        }
        return true;
    }
    void OnOk() override {
        int typed[2] = {};
        const int fields[2] = {IDC_CONTEXT_ABOVE, IDC_CONTEXT_BELOW};
        for (int i = 0; i < 2; ++i) {
            if (!ReadContextLines(FieldText(Item(fields[i]), 32), typed[i])) {
                SimpleBeep();
                WarningBox(nullptr, kContextSizeError);
                return FocusField(Dialog(), fields[i]);
            }
        }
        above = typed[0];
        below = typed[1];
        End(IDOK);
    }
};

}  // namespace

int ShowTabsDialog(HWND owner, int tabLength) {
    const INT_PTR result = TabsDialog(tabLength).Run(owner, IDD_TABS);
    return result > 0 ? static_cast<int>(result) : 0;
}

bool ShowContextSizeDialog(HWND owner, int& above, int& below) {
    ContextSizeDialog dialog(above, below);
    if (dialog.Run(owner, IDD_CONTEXT_SIZE) != IDOK) return false;
    above = dialog.above;
    below = dialog.below;
    return true;
}
