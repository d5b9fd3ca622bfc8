#include "search/report_win.h"

#include "help/help_win.h"
#include "resource_ids.h"
#include "search/report.h"
#include "ui/app_win.h"
#include "ui/message_box_win.h"
#include "ui/modal_dialog_win.h"

namespace {

class NonTextDialog : public HelpedDialog {
  public:
    explicit NonTextDialog(const NonTextList& list) : list_(list) {}

  private:
    bool OnInit() override {
        if (list_.NonTextListFull)
            WarningBox(nullptr, "%s", NonTextLimitText(list_.NonTextShowLimit).c_str());
        SetDlgItemInt(Dialog(), IDC_NONTEXT_COUNT, static_cast<UINT>(list_.NonTextCount), FALSE);
        if (!list_.NonTextNames.empty())
            SetDlgItemTextA(Dialog(), IDC_NONTEXT_LIST, list_.NonTextNames.c_str());
        return true;
    }

    const NonTextList& list_;
};

class FindResultsDialogBox : public ModalDialog {
  public:
    explicit FindResultsDialogBox(const FindResultsFields& fields) : fields_(fields) {}

  private:
    bool OnInit() override {
        SetDlgItemTextA(Dialog(), IDC_RESULT_FOUND, fields_.found.c_str());
        SetDlgItemTextA(Dialog(), IDC_RESULT_DIRS_SEARCHED, fields_.searched.c_str());
        SetDlgItemTextA(Dialog(), IDC_RESULT_LEVEL, fields_.level.c_str());
        SetDlgItemTextA(Dialog(), IDC_RESULT_TOTAL_SIZE, fields_.totalSize.c_str());
        Place();
        return true;
    }

    // Centred across the main window, just below its caption and menu bar.
    void Place() {
        RECT main = {};
        RECT own = {};
        GetWindowRect(GetWindow(Dialog(), GW_OWNER), &main);
        GetWindowRect(Dialog(), &own);
        int width = own.right - own.left;
        int x = main.left + ((main.right - main.left) - width) / 2;
        int y = main.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU);
        SetWindowPos(Dialog(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Esc and the close box arrive as IDCANCEL; only OK ends the dialog.
    void OnCancel() override {}
    bool OnCommand(int, int, HWND) override { return true; }

    const FindResultsFields& fields_;
};

}  // namespace

void NonTextFilesDialog(HWND owner, const NonTextList& list) {
    NonTextDialog(list).Run(owner, IDD_NONTEXT_FILES);
}

bool AskShowNonTextFiles(int32_t count) {
    return YesNoBox(nullptr, "%s", NonTextQuestionText(count).c_str()) != IDNO;
}

void FindResultsDialog(HWND owner, const SearchStats& stats) {
    FindResultsFields fields =
        FormatFindResults(stats.FilesFound, stats.DirectoriesWithFinds, stats.DirectoriesSearched,
                          stats.DeepestLevel, stats.TotalSize);
    FindResultsDialogBox(fields).Run(owner, IDD_FIND_RESULTS);
}
