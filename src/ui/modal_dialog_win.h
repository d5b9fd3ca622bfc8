#pragma once

#include <windows.h>

#include <string>

// One of the program's modal dialogs. The procedure they all share finds the
// dialog's object through the dialog, calls the test seam once the controls
// are filled and ends the dialog on OK and Cancel; what differs is in the
// overrides.
class ModalDialog {
  public:
    virtual ~ModalDialog() = default;
    // Shows the dialog from the program's template and returns what it
    // ended with, or -1 when it could not be made.
    INT_PTR Run(HWND owner, int templateId);

  protected:
    // Fills the controls; false when it has set the focus itself.
    virtual bool OnInit() { return true; }
    // A command other than OK and Cancel; false leaves it to the dialog manager.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual void OnOk() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // A right click on `clicked`; false when the dialog offers no help.
    virtual bool OnContextMenu(HWND /*clicked*/) { return false; }

    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    bool Checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
    void End(INT_PTR result) { EndDialog(dialog_, result); }

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wp, LPARAM lp);

    HWND dialog_ = nullptr;
    int templateId_ = 0;
};
