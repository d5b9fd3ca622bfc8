#pragma once

#include <windows.h>

#include <cstdint>

#include "help/help.h"
#include "ui/modal_dialog_win.h"

// Quarry's help engine, called the way WinHelp is called:
//   HELP_FINDER       the contents topic and the list of every topic
//   HELP_PARTIALKEY   data: the key text (may be ""); the search box, filled
//   HELP_CONTEXT      data: a context number; that topic
//   HELP_WM_HELP      caller: the control's window; data: a 0-ended pair
//                     table (kContextHelpIds, kFileViewHelpIds); its topic
//   HELP_CONTEXTMENU  as HELP_WM_HELP, after a "What's This?" popup
//   HELP_QUIT         closes the help window
// The topics come from helpFilePath, read afresh on every request. Returns
// FALSE when the help file cannot be read or the command is unknown.
BOOL QuarryHelp(HWND caller, const char* helpFilePath, UINT command, ULONG_PTR data);

// The help window while it is open, else nullptr.
HWND HelpWindowHandle();

// Children of the help window.
constexpr int kHelpSearchBoxId = 101;
constexpr int kHelpTopicListId = 102;
constexpr int kHelpTopicTextId = 103;

// Tests answer the "What's This?" popup in the user's place: the hook gets
// the clicked control and returns whether its topic should be shown.
using WhatsThisHook = bool (*)(HWND control);
void SetWhatsThisHook(WhatsThisHook hook);

// A right click in a dialog offers the control's help from `table`.
void ShowDialogContextHelp(HWND clicked, const uint32_t* table = kContextHelpIds);

// A modal dialog whose right click offers its controls' help from `table`.
class HelpedDialog : public ModalDialog {
  public:
    explicit HelpedDialog(const uint32_t* table = kContextHelpIds) : table_(table) {}

  protected:
    bool OnContextMenu(HWND clicked) override {
        ShowDialogContextHelp(clicked, table_);
        return true;
    }

  private:
    const uint32_t* table_;
};
