#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/option_dialogs_win.h"
#include "dialog_robot.h"
#include "fileview/view_options_win.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "search/criteria.h"
#include "search/file_filter.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/text.h"
#include "win_test_support.h"

namespace {

using Strings = std::vector<std::string>;

class OptionDialogs : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    // Opens the dialog from its menu command and runs the script in it.
    void Open(int templateId, int command, const DialogRobot::Script& script) {
        DialogRobot robot(templateId, script);
        Command(command);
        EXPECT_EQ(robot.opened(), 1);
    }
    static void Add(HWND dialog, const std::string& pattern) {
        Type(GetDlgItem(dialog, IDC_FILTER_EXCLUDED), pattern);
        Click(dialog, IDC_FILTER_ADD);
    }
};

// F1 and a right click on a control of an open dialog both show its topic.
TEST_F(OptionDialogs, HelpOnADialogControlShowsItsTopic) {
    folder.Write("Quarry32.hlp", "@@ 1 Contents\r\nAll.\r\n@@ 0x8172025B By size\r\nSorts by size.\r\n");
    SetWhatsThisHook([](HWND) { return true; });
    auto topic = [] {
        char text[200] = "";
        GetDlgItemTextA(HelpWindowHandle(), kHelpTopicTextId, text, sizeof text);
        return std::string(text).substr(0, 7);
    };
    Open(IDD_SORT_OPTIONS, IDM_SORT_OPTIONS, [&](HWND dialog) {
        HWND control = GetDlgItem(dialog, IDC_SORT_SIZE);
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0);
        EXPECT_EQ(topic(), "By size");
        QuarryHelp(Main(), g_App.HelpFilePath, HELP_QUIT, 0);
        HELPINFO info = {sizeof info, HELPINFO_WINDOW, IDC_SORT_SIZE, control, 0, {0, 0}};
        SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(topic(), "By size");
        Press(dialog, IDCANCEL);
    });
    QuarryHelp(Main(), g_App.HelpFilePath, HELP_QUIT, 0);
    SetWhatsThisHook(nullptr);
}

TEST_F(OptionDialogs, SortOptionsShowTheModeAndTakeTheButtonsOnlyOnOk) {
    struct Case {
        int mode, order, dir;  // before
        int shownRadio;        // 0: none checked
        int button;
        int newMode, newOrder, newDir;
    };
    const Case cases[] = {
        {0, 1, 0, IDC_SORT_NONE, IDOK, 3, 0, 1},
        {4, 1, 0, 0, IDCANCEL, 4, 1, 0},  // the Time header's mode has no button
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        SetSortOptions(c.mode, c.order, c.dir);
        Open(IDD_SORT_OPTIONS, IDM_SORT_OPTIONS, [&](HWND dialog) {
            for (int id = IDC_SORT_NONE; id <= IDC_SORT_DATE; ++id)
                EXPECT_EQ(Checked(dialog, id), id == c.shownRadio) << id;
            EXPECT_EQ(Checked(dialog, IDC_SORT_ASCENDING), c.order == 1);
            EXPECT_EQ(Checked(dialog, IDC_SORT_ACROSS_DIRS), c.dir == 1);
            for (int id : {IDC_SORT_DATE, IDC_SORT_ASCENDING, IDC_SORT_ACROSS_DIRS}) Click(dialog, id);
            Press(dialog, c.button);
        });
        EXPECT_EQ(g_Settings.SortMode, c.newMode);
        EXPECT_EQ(g_Settings.SortOrder, c.newOrder);
        EXPECT_EQ(g_Settings.SortDir, c.newDir);
    }
}

TEST_F(OptionDialogs, FileFilterOpensOnTheCurrentValuesAndKeepsTheListOnClose) {
    Strings toolbarList = ListOf(g_Main.ToolbarCombo);
    Open(IDD_FILE_FILTER, IDM_FILE_FILTER, [&](HWND dialog) {
        HWND type = GetDlgItem(dialog, IDC_FILTER_FILE_TYPE);
        HWND list = GetDlgItem(dialog, IDC_FILTER_EXCLUDED);
        EXPECT_EQ(TextOf(type), "*.txt");
        EXPECT_EQ(ListOf(type), toolbarList);
        EXPECT_EQ(SendMessageA(type, CB_GETEXTENDEDUI, 0, 0), TRUE);
        EXPECT_EQ(ListOf(list), (Strings{"*.bat", "*.bin", "*.com", "*.dll", "*.exe", "*.ovl",
                                         "*.ovr", "*.sys"}));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_FILTER_ADD)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_FILTER_DELETE)));
        EXPECT_EQ(FocusedControl(), type);
        Type(type, "*.html");  // the field takes five characters
        EXPECT_EQ(TextOf(type), "*.htm");
        Add(dialog, "*.tmp");
        // A chosen entry is deleted and the one that took its place is chosen.
        SendMessageA(list, CB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FILTER_EXCLUDED, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_FILTER_DELETE)));
        Click(dialog, IDC_FILTER_DELETE);
        EXPECT_EQ(ListOf(list)[SendMessageA(list, CB_GETCURSEL, 0, 0)], "*.com");
        // A type without a full stop is refused and the dialog stays on it.
        ExpectRefusedThenOk(dialog, type, "txt", "Ab.H");
    });
    EXPECT_EQ(ExcludedFilePatterns(),
              (Strings{"*.tmp", "*.bat", "*.com", "*.dll", "*.exe", "*.ovl", "*.ovr", "*.sys"}));
    EXPECT_EQ(g_Settings.DefaultFileType, "*.h");
    EXPECT_EQ(TextOf(g_Main.ToolbarCombo), "*.h");
    EXPECT_EQ(boxes.texts(), Strings{"Error in File Type setting!"});
}

// The list as the user leaves it is what the next Find Files leaves out; the
// switch takes effect at once, even when the dialog is cancelled.
TEST_F(OptionDialogs, TheNextSearchLeavesOutTheExcludedFilesWhileEnabled) {
    CreateDirectoryA(folder.File("tree").c_str(), nullptr);
    for (const char* name : {"a.txt", "b.log", "c.exe", "d.c"})
        folder.Write(std::string("tree\\") + name, "text\r\n");
    char full[MAX_PATH];
    GetFullPathNameA(folder.File("tree").c_str(), MAX_PATH, full, nullptr);
    struct Step {
        const char* name;
        DialogRobot::Script script;
        const char* found;
    };
    const Step steps[] = {
        {"added and enabled",
         [&](HWND dialog) { Add(dialog, "*.LOG"), Click(dialog, IDC_FILTER_ENABLE), Press(dialog, IDOK); },
         "a.txt d.c"},
        {"disabled, the added one cancelled",
         [&](HWND dialog) { Add(dialog, "*.c"), Click(dialog, IDC_FILTER_ENABLE), Press(dialog, IDCANCEL); },
         "a.txt b.log c.exe d.c"},
    };
    for (const Step& s : steps) {
        Open(IDD_FILE_FILTER, IDM_FILE_FILTER, s.script);
        SetWindowTextA(g_Main.DirectoryCombo, LowerText(full).c_str());
        SetWindowTextA(g_Main.FileNameCombo, "*.*");
        SetWindowTextA(g_Main.SearchTextCombo, "");
        Command(IDM_FIND_FILES);
        EXPECT_EQ(RowNames(), s.found) << s.name;
    }
}

// A refused value keeps the dialog open with the focus on the field at fault.
TEST_F(OptionDialogs, TabsAndContextSizeRefuseOutOfRangeValues) {
    {
        DialogRobot robot(IDD_TABS, [&](HWND dialog) {
            HWND field = GetDlgItem(dialog, IDC_TAB_LENGTH);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TAB_INSERT_SPACES)));
            SetWindowTextA(field, "65536");
            Click(dialog, IDOK);
            EXPECT_TRUE(DialogStays(dialog));
            EXPECT_EQ(FocusedControl(), field);
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(ShowTabsDialog(Main(), 4), 0);
        EXPECT_TRUE(boxes.shown().empty()) << "a refused length only beeps";
    }
    DialogRobot robot(IDD_CONTEXT_SIZE, [&](HWND dialog) {
        SetWindowTextA(GetDlgItem(dialog, IDC_CONTEXT_ABOVE), "5");
        SetWindowTextA(GetDlgItem(dialog, IDC_CONTEXT_BELOW), "1024");
        Click(dialog, IDOK);
        EXPECT_TRUE(DialogStays(dialog));
        EXPECT_EQ(FocusedControl(), GetDlgItem(dialog, IDC_CONTEXT_BELOW));
        Press(dialog, IDCANCEL);
    });
    int above = 100, below = 150;
    EXPECT_FALSE(ShowContextSizeDialog(Main(), above, below));
    EXPECT_EQ(above * 1000 + below, 100150);  // the valid one is not taken either
    EXPECT_EQ(boxes.texts(), Strings{"Error in value(must be less than 1024)."});
}

}  // namespace
